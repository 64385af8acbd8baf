#pragma once
// The object streams inside skin files: the binary form ("TPF0", class and object name, the
// properties as name/typed value pairs, two zero bytes) and the textual form ("object Name:
// Class", one "Name = value" line per property, "end"). Both read into and write from
// TSfObjectData, a plain property list; the skin object classes map it onto their fields.
#include "fileread/SfReader.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TSfValueKind : std::uint8_t { vkInt, vkString, vkIdent, vkBool, vkBinary, vkSet };

struct TSfValue {
  TSfValueKind Kind = TSfValueKind::vkInt;
  std::int64_t Int = 0;
  bool Bool = false;
  std::string Str;               // string, identifier
  std::vector<std::uint8_t> Bin; // binary, owned
  // Binary data read from a stream is a view into the stream's bytes (no copy per nesting
  // level); it is valid while those bytes are.
  std::span<const std::uint8_t> BinView;
  std::vector<std::string> Items; // set
  std::span<const std::uint8_t> Binary() const { return Bin.empty() ? BinView : std::span(Bin); }
  friend bool operator==(const TSfValue& a, const TSfValue& b);
};

struct TSfProperty {
  std::string Name;
  TSfValue Value;
  friend bool operator==(const TSfProperty&, const TSfProperty&) = default;
};

struct TSfObjectData {
  std::string ClassName;
  std::string Name;
  std::vector<TSfProperty> Props;
  // Only the readable source form nests children as object blocks; the stored forms keep
  // them in the binary "Objects" property.
  std::vector<TSfObjectData> Children;
  const TSfValue* Find(std::string_view name) const;
};

// Binary object stream. Fails on an unknown value type, a property list without its end, or
// child components (skin objects keep their children in "Objects" only).
[[nodiscard]] bool SfReadBinaryObject(TSfReader& in, TSfObjectData& out);
// False when a name does not fit a short string or an integer does not fit 32 bits.
[[nodiscard]] bool SfWriteBinaryObject(TSfWriter& out, const TSfObjectData& obj);

// Textual form. With `nested` children are written as inner object blocks.
std::string SfObjectToText(const TSfObjectData& obj, bool nested, int indent = 0);
// Reads one object block (with any nested blocks); the text must hold nothing else.
[[nodiscard]] bool SfTextToObject(std::string_view text, TSfReader& errors, TSfObjectData& out);
// Reads object blocks one after another until the text ends.
[[nodiscard]] bool SfTextToObjects(std::string_view text, TSfReader& errors, std::vector<TSfObjectData>& out);

// An object name both forms read and write: at most 255 letters, digits, underscores and
// dots (the characters of a name in the textual form); the empty name is valid.
bool SfIsObjectName(std::string_view s);
// Case-insensitive ASCII comparison.
bool SfSameText(std::string_view a, std::string_view b);
