#include "skins/SfObjectStream.h"

#include <algorithm>
#include <cctype>
#include <cstring>

// Value type bytes of the binary object stream.
namespace {
enum : std::uint8_t {
  kVaNull = 0,
  kVaInt8 = 2,
  kVaInt16 = 3,
  kVaInt32 = 4,
  kVaString = 6,
  kVaIdent = 7,
  kVaFalse = 8,
  kVaTrue = 9,
  kVaBinary = 10,
  kVaSet = 11,
  kVaLString = 12,
};
} // namespace

bool SfSameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool SfIsObjectName(std::string_view s) {
  if (s.size() > 255) {
    return false;
  }
  for (const char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c > 127 || !(std::isalnum(c) || c == '_' || c == '.')) {
      return false;
    }
  }
  return true;
}

bool operator==(const TSfValue& a, const TSfValue& b) {
  const auto ab = a.Binary(), bb = b.Binary();
  return a.Kind == b.Kind && a.Int == b.Int && a.Bool == b.Bool && a.Str == b.Str && a.Items == b.Items &&
         std::equal(ab.begin(), ab.end(), bb.begin(), bb.end());
}

const TSfValue* TSfObjectData::Find(std::string_view name) const {
  for (const TSfProperty& p : Props) {
    if (SfSameText(p.Name, name)) {
      return &p.Value;
    }
  }
  return nullptr;
}

// ---- binary form ----

namespace {

bool ReadValue(TSfReader& in, TSfValue& v) {
  std::uint8_t type;
  if (!in.U8(type)) {
    return false;
  }
  switch (type) {
  case kVaInt8: {
    std::uint8_t b;
    if (!in.U8(b)) {
      return false;
    }
    v.Kind = TSfValueKind::vkInt;
    v.Int = std::int8_t(b);
    return true;
  }
  case kVaInt16: {
    std::uint16_t w;
    if (!in.U16(w)) {
      return false;
    }
    v.Kind = TSfValueKind::vkInt;
    v.Int = std::int16_t(w);
    return true;
  }
  case kVaInt32: {
    std::int32_t i;
    if (!in.I32(i)) {
      return false;
    }
    v.Kind = TSfValueKind::vkInt;
    v.Int = i;
    return true;
  }
  case kVaString: v.Kind = TSfValueKind::vkString; return in.ShortString(v.Str, "string value");
  case kVaLString: v.Kind = TSfValueKind::vkString; return in.String(v.Str, "string value");
  case kVaIdent: v.Kind = TSfValueKind::vkIdent; return in.ShortString(v.Str, "identifier");
  case kVaFalse:
  case kVaTrue:
    v.Kind = TSfValueKind::vkBool;
    v.Bool = type == kVaTrue;
    return true;
  case kVaBinary: {
    std::uint32_t n;
    if (!in.U32(n)) {
      return false;
    }
    if (n > in.Limits().MaxRecordBytes) {
      return in.Fail("binary value of " + std::to_string(n) + " bytes is over the limit");
    }
    std::span<const std::uint8_t> b;
    if (!in.Bytes(n, b, "binary value")) {
      return false;
    }
    v.Kind = TSfValueKind::vkBinary;
    v.Bin.clear();
    v.BinView = b;
    return true;
  }
  case kVaSet: {
    v.Kind = TSfValueKind::vkSet;
    for (;;) {
      std::string item;
      if (!in.ShortString(item, "set element")) {
        return false;
      }
      if (item.empty()) {
        return true;
      }
      if (v.Items.size() >= 64) {
        return in.Fail("set with more than 64 elements");
      }
      v.Items.push_back(std::move(item));
    }
  }
  default: return in.Fail("unknown value type " + std::to_string(type));
  }
}

bool WriteValue(TSfWriter& out, const TSfValue& v) {
  switch (v.Kind) {
  case TSfValueKind::vkInt:
    if (v.Int >= -128 && v.Int <= 127) {
      out.U8(kVaInt8);
      out.U8(std::uint8_t(v.Int));
    } else if (v.Int >= -32768 && v.Int <= 32767) {
      out.U8(kVaInt16);
      out.U16(std::uint16_t(v.Int));
    } else if (v.Int >= INT32_MIN && v.Int <= INT32_MAX) {
      out.U8(kVaInt32);
      out.I32(std::int32_t(v.Int));
    } else {
      return false;
    }
    return true;
  case TSfValueKind::vkString:
    if (v.Str.size() <= 255) {
      out.U8(kVaString);
      out.ShortString(v.Str);
    } else {
      out.U8(kVaLString);
      out.String(v.Str);
    }
    return true;
  case TSfValueKind::vkIdent:
    if (v.Str.empty() || v.Str.size() > 255) {
      return false;
    }
    out.U8(kVaIdent);
    out.ShortString(v.Str);
    return true;
  case TSfValueKind::vkBool: out.U8(v.Bool ? kVaTrue : kVaFalse); return true;
  case TSfValueKind::vkBinary:
    out.U8(kVaBinary);
    out.U32(std::uint32_t(v.Binary().size()));
    out.Bytes(v.Binary());
    return true;
  case TSfValueKind::vkSet:
    out.U8(kVaSet);
    for (const std::string& s : v.Items) {
      if (s.empty() || s.size() > 255) {
        return false;
      }
      out.ShortString(s);
    }
    out.U8(0);
    return true;
  }
  return false;
}

} // namespace

bool SfReadBinaryObject(TSfReader& in, TSfObjectData& out) {
  std::span<const std::uint8_t> magic;
  if (!in.Bytes(4, magic, "object stream header")) {
    return false;
  }
  if (std::memcmp(magic.data(), "TPF0", 4) != 0) {
    return in.Fail("object stream does not start with TPF0");
  }
  TSfObjectData obj;
  if (!in.ShortString(obj.ClassName, "class name") || !in.ShortString(obj.Name, "object name")) {
    return false;
  }
  if (!SfIsObjectName(obj.Name)) {
    // The textual form could not carry it, so the skin could not be saved again.
    return in.Fail("object name of class '" + obj.ClassName +
                   "' holds characters other than letters, digits, underscores and dots");
  }
  for (;;) {
    std::string name;
    if (!in.ShortString(name, "property name")) {
      return false;
    }
    if (name.empty()) {
      break;
    }
    if (obj.Props.size() >= in.Limits().MaxProperties) {
      return in.Fail("object '" + obj.Name + "' has more than " + std::to_string(in.Limits().MaxProperties) +
                     " properties");
    }
    TSfProperty p;
    p.Name = std::move(name);
    if (!ReadValue(in, p.Value)) {
      return false;
    }
    obj.Props.push_back(std::move(p));
  }
  std::uint8_t end;
  if (!in.U8(end)) {
    return false;
  }
  if (end != 0) {
    return in.Fail("object stream holds child components");
  }
  out = std::move(obj);
  return true;
}

bool SfWriteBinaryObject(TSfWriter& out, const TSfObjectData& obj) {
  if (obj.ClassName.size() > 255 || obj.Name.size() > 255) {
    return false;
  }
  out.Bytes("TPF0", 4);
  out.ShortString(obj.ClassName);
  out.ShortString(obj.Name);
  for (const TSfProperty& p : obj.Props) {
    if (p.Name.empty() || p.Name.size() > 255) {
      return false;
    }
    out.ShortString(p.Name);
    if (!WriteValue(out, p.Value)) {
      return false;
    }
  }
  out.U8(0);
  out.U8(0);
  return true;
}

// ---- textual form ----

namespace {

void AppendQuoted(std::string& out, const std::string& s) {
  // Printable ASCII inside quotes, everything else as #nn character codes.
  bool inQuote = false;
  if (s.empty()) {
    out += "''";
    return;
  }
  for (unsigned char c : s) {
    if (c >= 32 && c < 127) {
      if (!inQuote) {
        out += '\'';
        inQuote = true;
      }
      if (c == '\'') {
        out += "''";
      } else {
        out += char(c);
      }
    } else {
      if (inQuote) {
        out += '\'';
        inQuote = false;
      }
      out += '#';
      out += std::to_string(c);
    }
  }
  if (inQuote) {
    out += '\'';
  }
}

std::string ValueText(const TSfValue& v, const std::string& pad) {
  std::string s;
  switch (v.Kind) {
  case TSfValueKind::vkInt: return std::to_string(v.Int);
  case TSfValueKind::vkString: AppendQuoted(s, v.Str); return s;
  case TSfValueKind::vkIdent: return v.Str;
  case TSfValueKind::vkBool: return v.Bool ? "True" : "False";
  case TSfValueKind::vkSet:
    s = "[";
    for (std::size_t i = 0; i < v.Items.size(); ++i) {
      s += (i ? ", " : "") + v.Items[i];
    }
    return s + "]";
  case TSfValueKind::vkBinary: {
    static const char* hex = "0123456789ABCDEF";
    s = "{";
    const auto bin = v.Binary();
    for (std::size_t i = 0; i < bin.size(); ++i) {
      if (i % 32 == 0) {
        s += "\n" + pad + "  ";
      }
      s += hex[bin[i] >> 4];
      s += hex[bin[i] & 15];
    }
    return s + "}";
  }
  }
  return s;
}

} // namespace

std::string SfObjectToText(const TSfObjectData& obj, bool nested, int indent) {
  const std::string pad(std::size_t(indent) * 2, ' ');
  std::string s = pad + "object " + obj.Name + ": " + obj.ClassName + "\n";
  for (const TSfProperty& p : obj.Props) {
    s += pad + "  " + p.Name + " = " + ValueText(p.Value, pad + "  ") + "\n";
  }
  if (nested) {
    for (const TSfObjectData& c : obj.Children) {
      s += SfObjectToText(c, true, indent + 1);
    }
  }
  return s + pad + "end\n";
}

namespace {

// A small scanner over the textual form with line numbers for the failure texts.
class TTextScanner {
public:
  TTextScanner(std::string_view text, TSfReader& errors) : T(text), E(errors) {}

  bool Fail(const std::string& why) { return E.Fail("line " + std::to_string(Line) + ": " + why); }
  void SkipBlanks() {
    while (P < T.size()) {
      const char c = T[P];
      if (c == '\n') {
        ++Line;
        ++P;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++P;
      } else if (c == '/' && P + 1 < T.size() && T[P + 1] == '/') {
        while (P < T.size() && T[P] != '\n') {
          ++P;
        }
      } else {
        break;
      }
    }
  }
  bool AtEnd() {
    SkipBlanks();
    return P >= T.size();
  }
  bool Peek(char c) {
    SkipBlanks();
    return P < T.size() && T[P] == c;
  }
  bool Expect(char c) {
    if (!Peek(c)) {
      return Fail(std::string("'") + c + "' expected");
    }
    ++P;
    return true;
  }
  // A name: identifier characters and dots.
  bool Name(std::string& out) {
    SkipBlanks();
    const std::size_t start = P;
    while (P < T.size() && (std::isalnum(static_cast<unsigned char>(T[P])) || T[P] == '_' || T[P] == '.')) {
      ++P;
    }
    out.assign(T.substr(start, P - start));
    if (out.size() > 255) {
      return Fail("name longer than 255 characters");
    }
    return true;
  }
  bool Value(TSfValue& v) {
    SkipBlanks();
    if (P >= T.size()) {
      return Fail("value expected");
    }
    const char c = T[P];
    if (c == '\'' || c == '#') {
      v.Kind = TSfValueKind::vkString;
      return StringValue(v.Str);
    }
    if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
      return IntValue(v);
    }
    if (c == '[') {
      ++P;
      v.Kind = TSfValueKind::vkSet;
      while (!Peek(']')) {
        std::string item;
        if (!Name(item)) {
          return false;
        }
        if (item.empty()) {
          return Fail("set element expected");
        }
        if (v.Items.size() >= 64) {
          return Fail("set with more than 64 elements");
        }
        v.Items.push_back(item);
        if (Peek(',')) {
          ++P;
        } else if (!Peek(']')) {
          return Fail("',' or ']' expected");
        }
      }
      ++P;
      return true;
    }
    if (c == '{') {
      ++P;
      v.Kind = TSfValueKind::vkBinary;
      int high = -1;
      for (;;) {
        SkipBlanks();
        if (P >= T.size()) {
          return Fail("'}' expected");
        }
        const char h = T[P++];
        if (h == '}') {
          break;
        }
        int d = std::isdigit(static_cast<unsigned char>(h)) ? h - '0'
                : (h >= 'A' && h <= 'F')                    ? h - 'A' + 10
                : (h >= 'a' && h <= 'f')                    ? h - 'a' + 10
                                                            : -1;
        if (d < 0) {
          return Fail("hexadecimal digit expected");
        }
        if (high < 0) {
          high = d;
        } else {
          if (v.Bin.size() >= E.Limits().MaxRecordBytes) {
            return Fail("binary value over the limit");
          }
          v.Bin.push_back(std::uint8_t(high * 16 + d));
          high = -1;
        }
      }
      if (high >= 0) {
        return Fail("odd number of hexadecimal digits");
      }
      return true;
    }
    std::string ident;
    if (!Name(ident) || ident.empty()) {
      return Fail("value expected");
    }
    if (SfSameText(ident, "True") || SfSameText(ident, "False")) {
      v.Kind = TSfValueKind::vkBool;
      v.Bool = SfSameText(ident, "True");
    } else {
      v.Kind = TSfValueKind::vkIdent;
      v.Str = ident;
    }
    return true;
  }
  bool Keyword(std::string_view word) {
    SkipBlanks();
    if (T.substr(P, word.size()) == word &&
        (P + word.size() == T.size() || !std::isalnum(static_cast<unsigned char>(T[P + word.size()])))) {
      P += word.size();
      return true;
    }
    return false;
  }

  bool Object(TSfObjectData& obj, int depth) {
    if (depth > E.Limits().MaxTreeDepth) {
      return Fail("objects nested deeper than " + std::to_string(E.Limits().MaxTreeDepth) + " levels");
    }
    if (!Keyword("object")) {
      return Fail("'object' expected");
    }
    std::string first;
    if (!Name(first)) {
      return false;
    }
    if (Peek(':')) {
      ++P;
      obj.Name = first;
      if (!Name(obj.ClassName)) {
        return false;
      }
    } else {
      obj.ClassName = first;
    }
    if (obj.ClassName.empty()) {
      return Fail("class name expected");
    }
    for (;;) {
      if (AtEnd()) {
        return Fail("'end' expected");
      }
      if (Keyword("end")) {
        return true;
      }
      if (Keyword("object")) {
        P -= 6;
        if (E.State().Nodes >= E.Limits().MaxTreeNodes) {
          return Fail("more than " + std::to_string(E.Limits().MaxTreeNodes) + " objects");
        }
        ++E.State().Nodes;
        TSfObjectData child;
        if (!Object(child, depth + 1)) {
          return false;
        }
        obj.Children.push_back(std::move(child));
        continue;
      }
      if (obj.Props.size() >= E.Limits().MaxProperties) {
        return Fail("object '" + obj.Name + "' has more than " + std::to_string(E.Limits().MaxProperties) +
                    " properties");
      }
      TSfProperty p;
      if (!Name(p.Name)) {
        return false;
      }
      if (p.Name.empty()) {
        return Fail("property name expected");
      }
      if (!Expect('=') || !Value(p.Value)) {
        return false;
      }
      obj.Props.push_back(std::move(p));
    }
  }

private:
  bool StringValue(std::string& out) {
    for (;;) {
      if (P < T.size() && T[P] == '\'') {
        ++P;
        for (;;) {
          if (P >= T.size() || T[P] == '\n') {
            return Fail("unterminated string");
          }
          if (T[P] == '\'') {
            if (P + 1 < T.size() && T[P + 1] == '\'') {
              out += '\'';
              P += 2;
              continue;
            }
            ++P;
            break;
          }
          out += T[P++];
        }
      } else if (P < T.size() && T[P] == '#') {
        ++P;
        int code = 0;
        const std::size_t start = P;
        while (P < T.size() && std::isdigit(static_cast<unsigned char>(T[P])) && P - start < 3) {
          code = code * 10 + (T[P++] - '0');
        }
        if (P == start || code > 255) {
          return Fail("bad character code");
        }
        out += char(code);
      } else {
        break;
      }
      if (out.size() > E.Limits().MaxRecordBytes) {
        return Fail("string over the limit");
      }
    }
    return true;
  }
  bool IntValue(TSfValue& v) {
    bool neg = false;
    if (T[P] == '-') {
      neg = true;
      ++P;
    }
    std::int64_t n = 0;
    const std::size_t start = P;
    while (P < T.size() && std::isdigit(static_cast<unsigned char>(T[P]))) {
      n = n * 10 + (T[P++] - '0');
      if (n > 0xFFFFFFFFll) {
        return Fail("integer out of range");
      }
    }
    if (P == start) {
      return Fail("digits expected");
    }
    v.Kind = TSfValueKind::vkInt;
    v.Int = neg ? -n : n;
    if (v.Int < INT32_MIN || v.Int > INT32_MAX) {
      return Fail("integer out of range");
    }
    return true;
  }

  std::string_view T;
  TSfReader& E;
  std::size_t P = 0;
  int Line = 1;
};

} // namespace

bool SfTextToObject(std::string_view text, TSfReader& errors, TSfObjectData& out) {
  TTextScanner s(text, errors);
  TSfObjectData obj;
  if (!s.Object(obj, 1)) {
    return false;
  }
  if (!s.AtEnd()) {
    return s.Fail("text after the object's 'end'");
  }
  out = std::move(obj);
  return true;
}

bool SfTextToObjects(std::string_view text, TSfReader& errors, std::vector<TSfObjectData>& out) {
  TTextScanner s(text, errors);
  std::vector<TSfObjectData> list;
  while (!s.AtEnd()) {
    TSfObjectData obj;
    if (!s.Object(obj, 1)) {
      return false;
    }
    list.push_back(std::move(obj));
  }
  out = std::move(list);
  return true;
}
