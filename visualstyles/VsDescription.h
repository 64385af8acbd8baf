#pragma once
// The texts of a visual-style module: its name lists, its description (an ini text of
// sections, keys and values) and the rule that turns an image file name of the description
// into the name of the bitmap resource that holds it. Everything is read from untrusted
// resource bytes through TSfReader and its limits.
#include "fileread/SfReader.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// A name list resource: UTF-16LE strings separated by zero characters, ended by an empty
// string (or by the end of the resource). Characters beyond 8 bits become '?'. An odd last
// byte is ignored; more names than MaxNames fail the reader.
[[nodiscard]] bool VsParseNameList(TSfReader& in, std::vector<std::string>& out);

// A description resource: UTF-16LE text converted character by character into 8 bits (beyond
// 8 bits: '?'), every " = " made "=", and the last four characters dropped (the resource's
// trailer). A text of four characters or fewer gives an empty description and answers false.
[[nodiscard]] bool VsDescriptionText(TSfReader& in, std::string& out);

// "Blue\Button.bmp" -> "BLUE_BUTTON_BMP": every backslash, and every '.' followed by 'B' or
// 'b' with at least two characters after the '.', becomes '_'; the result is trimmed and put
// in upper case.
std::string VsImageResourceName(std::string_view value);

// One section of a description: its name as written and its keys in file order (a repeated
// key replaces the value where the key first stood).
struct TvsIniSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Values;
  // The value of a key (case-insensitive), or nullptr.
  const std::string* Find(std::string_view key) const;
};

// The description as an in-memory ini store: sections in file order, looked up ignoring case.
// A section named twice collects both bodies. Lines are "[name]", "key=value" (blanks around
// both trimmed), empty, or comments starting with ';'; anything else is skipped.
class TvsIniStore {
public:
  // Replaces the contents. False (store left empty) when the text exceeds the reader's
  // limits: more than MaxSections sections or MaxProperties keys in one section.
  [[nodiscard]] bool Parse(std::string_view text, const TSfLimits& limits, std::string* error = nullptr);
  void Clear();

  bool Empty() const { return FSections.empty(); }
  std::size_t SectionCount() const { return FSections.size(); }
  const TvsIniSection& Section(std::size_t i) const { return FSections[i]; }
  const TvsIniSection* FindSection(std::string_view name) const;
  // The value, or `fallback` when the section or key is missing.
  std::string Value(std::string_view section, std::string_view key, std::string_view fallback) const;

private:
  std::vector<TvsIniSection> FSections;
  std::unordered_map<std::string, std::size_t> FIndex; // lower-case name -> section
};

std::string VsLowerCase(std::string_view s);
