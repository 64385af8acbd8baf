#include "framework/Layout.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <set>

TLayoutValue TLayoutValue::MakeFloat(double v) {
  TLayoutValue r;
  r.Kind = TKind::Float;
  r.Float = v;
  return r;
}

TLayoutValue TLayoutValue::MakeInteger(std::int64_t v) {
  TLayoutValue r;
  r.Kind = TKind::Integer;
  r.Integer = v;
  return r;
}

TLayoutValue TLayoutValue::MakeString(std::string s) {
  TLayoutValue r;
  r.Kind = TKind::String;
  r.Text = std::move(s);
  return r;
}

TLayoutValue TLayoutValue::MakeIdentifier(std::string s) {
  TLayoutValue r;
  r.Kind = TKind::Identifier;
  r.Text = std::move(s);
  return r;
}

TLayoutValue TLayoutValue::MakeSet(std::vector<std::string> items) {
  TLayoutValue r;
  r.Kind = TKind::Set;
  r.Items = std::move(items);
  return r;
}

TLayoutValue TLayoutValue::MakeCollection(std::vector<TLayoutItem> elements) {
  TLayoutValue r;
  r.Kind = TKind::Collection;
  r.Elements = std::move(elements);
  return r;
}

bool TLayoutValue::operator==(const TLayoutValue& other) const {
  return Kind == other.Kind && Integer == other.Integer && Float == other.Float && Text == other.Text &&
         Items == other.Items && Elements == other.Elements;
}

std::string TLayoutError::ToString() const {
  return "line " + std::to_string(Line) + ", column " + std::to_string(Column) + ": " + Message;
}

namespace {

// Thrown inside the reader only; ReadLayout turns it into a TLayoutError.
struct TReadFailure {
  TLayoutError Error;
};

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

class TReader {
public:
  TReader(std::string_view text, const TLayoutLimits& limits) : Text(text), Limits(limits) {}

  TLayoutNode ReadDocument() {
    SkipBlank();
    if (AtEnd()) {
      Fail("the layout is empty");
    }
    TLayoutNode root = ReadComponent(1);
    SkipBlank();
    if (!AtEnd()) {
      Fail("unexpected text after the root component");
    }
    return root;
  }

private:
  std::string_view Text;
  const TLayoutLimits& Limits;
  std::size_t Pos = 0;
  int Line = 1;
  std::size_t LineStart = 0;
  int Components = 0;

  [[noreturn]] void Fail(std::string message) const {
    throw TReadFailure{TLayoutError{Line, static_cast<int>(Pos - LineStart) + 1, std::move(message)}};
  }

  bool AtEnd() const { return Pos >= Text.size(); }
  char Peek() const { return AtEnd() ? '\0' : Text[Pos]; }

  void Advance() {
    if (Text[Pos] == '\n') {
      ++Line;
      LineStart = Pos + 1;
    }
    ++Pos;
  }

  // Spaces, tabs, line ends and comments.
  void SkipBlank() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Advance();
      } else if (c == '#') {
        while (!AtEnd() && Peek() != '\n') {
          Advance();
        }
      } else {
        break;
      }
    }
  }

  // Blanks on the current line only: a property ends at the line end.
  void SkipSpaces() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r')) {
      Advance();
    }
  }

  std::string ReadIdentifier(const char* what) {
    if (!IsIdentStart(Peek())) {
      Fail(std::string("expected ") + what);
    }
    std::size_t start = Pos;
    while (!AtEnd() && IsIdentChar(Peek())) {
      Advance();
    }
    if (Pos - start > 255) {
      Fail(std::string(what) + " is too long");
    }
    return std::string(Text.substr(start, Pos - start));
  }

  std::string ReadPath() {
    std::string path = ReadIdentifier("a property name");
    while (Peek() == '.') {
      Advance();
      path += '.';
      path += ReadIdentifier("a property name after '.'");
    }
    return path;
  }

  TLayoutNode ReadComponent(int depth) {
    if (depth > Limits.MaxDepth) {
      Fail("components are nested too deeply");
    }
    if (++Components > Limits.MaxComponents) {
      Fail("too many components");
    }
    TLayoutNode node;
    node.Line = Line;
    node.ClassName = ReadIdentifier("a class name");
    SkipSpaces();
    node.Name = ReadIdentifier("a component name");
    SkipSpaces();
    if (Peek() != '{') {
      Fail("expected '{' after the component name");
    }
    Advance();
    std::set<std::string> seen;
    for (;;) {
      SkipBlank();
      if (AtEnd()) {
        Fail("missing '}' for component '" + node.Name + "'");
      }
      if (Peek() == '}') {
        Advance();
        return node;
      }
      int line = Line;
      std::size_t start = Pos;
      std::string first = ReadPath();
      SkipSpaces();
      if (Peek() == '=') {
        node.Properties.push_back(ReadPropertyValue(std::move(first), line, seen, true));
      } else if (IsIdentStart(Peek()) && first.find('.') == std::string::npos) {
        // A child component: rewind and read it whole.
        Pos = start;
        node.Children.push_back(ReadComponent(depth + 1));
      } else {
        Fail("expected '=' after '" + first + "' or a child component");
      }
    }
  }

  // The rest of a property after its name: '=', the value, the end of the line.
  TLayoutProperty ReadPropertyValue(std::string name, int line, std::set<std::string>& seen,
                                    bool collectionAllowed) {
    Advance(); // '='
    SkipSpaces();
    if (!seen.insert(name).second) {
      Fail("property '" + name + "' is stored twice");
    }
    TLayoutProperty property{std::move(name), ReadValue(collectionAllowed), line};
    SkipSpaces();
    if (!AtEnd() && Peek() != '\n' && Peek() != '#' && Peek() != '}') {
      Fail("expected the end of the line");
    }
    return property;
  }

  // "<" then any number of "item { properties }" then ">". Each item counts as a component
  // against the limits.
  std::vector<TLayoutItem> ReadCollection() {
    Advance(); // '<'
    std::vector<TLayoutItem> elements;
    for (;;) {
      SkipBlank();
      if (AtEnd()) {
        Fail("missing '>' for the collection");
      }
      if (Peek() == '>') {
        Advance();
        return elements;
      }
      if (++Components > Limits.MaxComponents) {
        Fail("too many components");
      }
      TLayoutItem item;
      item.Line = Line;
      if (ReadIdentifier("'item' or '>'") != "item") {
        Fail("expected 'item' or '>'");
      }
      SkipSpaces();
      if (Peek() != '{') {
        Fail("expected '{' after 'item'");
      }
      Advance();
      std::set<std::string> seen;
      for (;;) {
        SkipBlank();
        if (AtEnd()) {
          Fail("missing '}' for a collection item");
        }
        if (Peek() == '}') {
          Advance();
          break;
        }
        int line = Line;
        std::string name = ReadPath();
        SkipSpaces();
        if (Peek() != '=') {
          Fail("expected '=' after '" + name + "'");
        }
        item.Properties.push_back(ReadPropertyValue(std::move(name), line, seen, false));
      }
      elements.push_back(std::move(item));
    }
  }

  TLayoutValue ReadValue(bool collectionAllowed) {
    char c = Peek();
    if (c == '"') {
      return TLayoutValue::MakeString(ReadStrings());
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      return ReadNumber();
    }
    if (c == '[') {
      return TLayoutValue::MakeSet(ReadSet());
    }
    if (c == '<') {
      if (!collectionAllowed) {
        Fail("a collection item holds no collection");
      }
      return TLayoutValue::MakeCollection(ReadCollection());
    }
    if (IsIdentStart(c)) {
      return TLayoutValue::MakeIdentifier(ReadIdentifier("a value"));
    }
    Fail("expected a value");
  }

  // An integer, or a decimal number with a fraction ("-12.25": a Float).
  TLayoutValue ReadNumber() {
    const std::size_t start = Pos;
    const bool hex = Text.compare(Pos + (Peek() == '-' ? 1 : 0), 2, "0x") == 0 ||
                     Text.compare(Pos + (Peek() == '-' ? 1 : 0), 2, "0X") == 0;
    const std::int64_t whole = ReadInteger();
    const auto digitAt = [this](std::size_t i) {
      return i < Text.size() && Text[i] >= '0' && Text[i] <= '9';
    };
    if (hex || Peek() != '.' || !digitAt(Pos + 1)) {
      return TLayoutValue::MakeInteger(whole);
    }
    Advance();
    while (digitAt(Pos)) {
      Advance();
    }
    if (IsIdentChar(Peek())) {
      Fail("unexpected character in a number");
    }
    double value = 0;
    const auto [end, error] = std::from_chars(Text.data() + start, Text.data() + Pos, value);
    if (error != std::errc() || end != Text.data() + Pos) {
      Fail("the number is out of range");
    }
    return TLayoutValue::MakeFloat(value);
  }

  std::int64_t ReadInteger() {
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      Advance();
    }
    // Accumulate the magnitude as unsigned so that the most negative value fits.
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative
                                    ? std::uint64_t{1} << 63
                                    : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    int base = 10;
    if (Peek() == '0' && Pos + 1 < Text.size() && (Text[Pos + 1] == 'x' || Text[Pos + 1] == 'X')) {
      base = 16;
      Advance();
      Advance();
    }
    int digits = 0;
    for (;;) {
      int d = base == 16 ? HexDigit(Peek()) : (Peek() >= '0' && Peek() <= '9' ? Peek() - '0' : -1);
      if (d < 0) {
        break;
      }
      if (magnitude > (limit - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) {
        Fail("the number is out of range");
      }
      magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
      ++digits;
      Advance();
    }
    if (digits == 0) {
      Fail("expected digits");
    }
    if (IsIdentChar(Peek())) {
      Fail("unexpected character in a number");
    }
    if (negative) {
      return magnitude == (std::uint64_t{1} << 63) ? std::numeric_limits<std::int64_t>::min()
                                                   : -static_cast<std::int64_t>(magnitude);
    }
    return static_cast<std::int64_t>(magnitude);
  }

  // One or more adjacent string literals, possibly on following lines, joined.
  std::string ReadStrings() {
    std::string result;
    for (;;) {
      ReadOneString(result);
      std::size_t save = Pos;
      int saveLine = Line;
      std::size_t saveLineStart = LineStart;
      SkipBlank();
      if (Peek() != '"') {
        Pos = save;
        Line = saveLine;
        LineStart = saveLineStart;
        return result;
      }
    }
  }

  void ReadOneString(std::string& out) {
    Advance(); // opening quote
    for (;;) {
      if (AtEnd() || Peek() == '\n') {
        Fail("unterminated string");
      }
      char c = Peek();
      Advance();
      if (c == '"') {
        return;
      }
      if (c == '\\') {
        if (AtEnd()) {
          Fail("unterminated string");
        }
        char e = Peek();
        Advance();
        if (e == '"' || e == '\\') {
          c = e;
        } else if (e == 'x') {
          int hi = HexDigit(Peek());
          if (hi < 0) {
            Fail("expected two hex digits after \\x");
          }
          Advance();
          int lo = HexDigit(Peek());
          if (lo < 0) {
            Fail("expected two hex digits after \\x");
          }
          Advance();
          c = static_cast<char>(hi * 16 + lo);
        } else {
          Fail("unknown escape in a string");
        }
      }
      if (out.size() >= Limits.MaxStringBytes) {
        Fail("the string is too long");
      }
      out += c;
    }
  }

  std::vector<std::string> ReadSet() {
    Advance(); // '['
    std::vector<std::string> items;
    SkipSpaces();
    if (Peek() == ']') {
      Advance();
      return items;
    }
    for (;;) {
      SkipSpaces();
      if (static_cast<int>(items.size()) >= Limits.MaxSetItems) {
        Fail("the set has too many items");
      }
      items.push_back(ReadIdentifier("a set item"));
      SkipSpaces();
      if (Peek() == ']') {
        Advance();
        return items;
      }
      if (Peek() != ',') {
        Fail("expected ',' or ']' in a set");
      }
      Advance();
    }
  }
};

} // namespace

TLayoutReadResult ReadLayout(std::string_view text, const TLayoutLimits& limits) {
  TLayoutReadResult result;
  if (text.size() > limits.MaxInputBytes) {
    result.Error = TLayoutError{1, 1, "the layout is too large"};
    return result;
  }
  try {
    result.Root = TReader(text, limits).ReadDocument();
  } catch (const TReadFailure& failure) {
    result.Error = failure.Error;
  }
  return result;
}
