#pragma once
// The stored layout of a form: a tree of component descriptions read from our own text
// format, which looks like this:
//
//   # comment to the end of the line
//   TfrTabira frTabira {
//     Caption = " Tabira 1.0"          strings: "..." with \" \\ \xHH; adjacent literals join
//     Left = 549                       integers: decimal or 0x hex, optional leading '-'
//     Font.Style = [fsBold]            sets: [ident, ident, ...]
//     Visible = true                   identifiers (booleans, enumerators, colours, handlers)
//     TLabel Label1 { ... }            a child component: class, name, body
//     Items = <                        collections: items of properties, one "item { }" each
//       item { Caption = "..." }
//     >
//   }
//
// The reader accepts exactly one root component and rejects anything else with a line and
// column. It bounds the input size, nesting depth, component count and string length, so
// hostile input costs little and never crashes it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TLayoutItem;

struct TLayoutValue {
  enum class TKind { Integer, String, Identifier, Set, Float, Collection };
  TKind Kind = TKind::Integer;
  std::int64_t Integer = 0;
  double Float = 0;                  // Float: a decimal number with a fraction, e.g. 1234.5
  std::string Text;                  // String and Identifier
  std::vector<std::string> Items;    // Set
  std::vector<TLayoutItem> Elements; // Collection, in stored order

  static TLayoutValue MakeInteger(std::int64_t v);
  static TLayoutValue MakeFloat(double v);
  static TLayoutValue MakeString(std::string s);
  static TLayoutValue MakeIdentifier(std::string s);
  static TLayoutValue MakeSet(std::vector<std::string> items);
  static TLayoutValue MakeCollection(std::vector<TLayoutItem> elements);
  bool operator==(const TLayoutValue&) const;
};

struct TLayoutProperty {
  std::string Name; // dotted path, e.g. "Font.Height"
  TLayoutValue Value;
  int Line = 0;
  bool operator==(const TLayoutProperty&) const = default;
};

// One item of a collection value: its properties in stored order, names unique. An item
// holds no collection itself.
struct TLayoutItem {
  std::vector<TLayoutProperty> Properties;
  int Line = 0;
  bool operator==(const TLayoutItem&) const = default;
};

struct TLayoutNode {
  std::string ClassName;
  std::string Name;
  int Line = 0;
  std::vector<TLayoutProperty> Properties; // in stored order, names unique
  std::vector<TLayoutNode> Children;       // in stored (creation) order
};

struct TLayoutError {
  int Line = 0;
  int Column = 0;
  std::string Message;
  // "line L, column C: message"
  std::string ToString() const;
};

// Either a root node or an error; never both.
struct [[nodiscard]] TLayoutReadResult {
  std::optional<TLayoutNode> Root;
  TLayoutError Error;
  bool Ok() const { return Root.has_value(); }
};

struct TLayoutLimits {
  std::size_t MaxInputBytes = 1 << 20;
  int MaxDepth = 16;
  int MaxComponents = 4096;
  std::size_t MaxStringBytes = 1 << 16;
  int MaxSetItems = 64;
};

[[nodiscard]] TLayoutReadResult ReadLayout(std::string_view text, const TLayoutLimits& limits = {});
