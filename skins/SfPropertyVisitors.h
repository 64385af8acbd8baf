#pragma once
// The property visitors behind the skin objects' stored form: one collects the stored
// properties as name/value pairs, one reads them back (with the object's bitmaps), one visits
// the fonts. Used by SfSkinObject.cpp (cloning) and SfSkinObjectRecords.cpp (stored records).
#include "skins/SfSkinObject.h"

#include "theme/records/SkColorText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace sf_visitors {

inline constexpr const char* kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

inline std::int32_t ClampCoordinate(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, -kSfMaxCoordinate, kSfMaxCoordinate));
}

// Collects the stored properties as name/value pairs (dotted names for fonts and references).
class TWriteVisitor : public ISfPropertyVisitor {
public:
  std::vector<TSfProperty> Props;

  void Add(std::string name, TSfValue v) { Props.push_back({std::move(name), std::move(v)}); }
  static TSfValue IntValue(std::int64_t i) {
    TSfValue v;
    v.Int = i;
    return v;
  }
  static TSfValue IdentValue(std::string s) {
    TSfValue v;
    v.Kind = TSfValueKind::vkIdent;
    v.Str = std::move(s);
    return v;
  }
  void Enum(const char* name, std::uint8_t& value, std::span<const char* const> names) override {
    Add(name, value < names.size() ? IdentValue(names[value]) : IntValue(value));
  }
  void Int(const char* name, std::int32_t& value) override { Add(name, IntValue(value)); }
  void Bool(const char* name, bool& value) override {
    TSfValue v;
    v.Kind = TSfValueKind::vkBool;
    v.Bool = value;
    Add(name, v);
  }
  void Color(const char* name, TColor& value) override {
    const std::string id = SfColorToIdent(value);
    Add(name, id.empty() ? IntValue(std::int32_t(value)) : IdentValue(id));
  }
  void Str(const char* name, std::string& value) override {
    TSfValue v;
    v.Kind = TSfValueKind::vkString;
    v.Str = value;
    Add(name, v);
  }
  void Font(const char* name, TSfFont& f) override {
    const std::string n = name;
    Add(n + ".Charset", f.Charset == 1 ? IdentValue("DEFAULT_CHARSET") : IntValue(f.Charset));
    Color((n + ".Color").c_str(), f.Color);
    Add(n + ".Height", IntValue(f.Height));
    Str((n + ".Name").c_str(), f.Name);
    TSfValue set;
    set.Kind = TSfValueKind::vkSet;
    for (int i = 0; i < 4; ++i) {
      if (f.Style & (1 << i)) {
        set.Items.push_back(kStyleNames[i]);
      }
    }
    Add(n + ".Style", set);
  }
  void Bitmap(const char* name, TSfBitmapRef& b) override {
    const std::string n = name;
    Str((n + ".Name").c_str(), b.Name);
    Add(n + ".Left", IntValue(b.Rect.Left));
    Add(n + ".Top", IntValue(b.Rect.Top));
    Add(n + ".Right", IntValue(b.Rect.Right));
    Add(n + ".Bottom", IntValue(b.Rect.Bottom));
  }
};

// Sets fields from stored data. A value of the wrong type or an unknown enumerator leaves the
// field as it is; geometry is clamped so that layout sums cannot overflow.
class TReadVisitor : public ISfPropertyVisitor {
public:
  explicit TReadVisitor(const TSfObjectData& d) : D(d) {}

  bool GetInt(const std::string& name, std::int32_t& out) {
    const TSfValue* v = D.Find(name);
    if (!v || v->Kind != TSfValueKind::vkInt) {
      return false;
    }
    out = ClampCoordinate(v->Int);
    return true;
  }
  void Enum(const char* name, std::uint8_t& value, std::span<const char* const> names) override {
    const TSfValue* v = D.Find(name);
    if (!v || v->Kind != TSfValueKind::vkIdent) {
      return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (SfSameText(names[i], v->Str)) {
        value = std::uint8_t(i);
        return;
      }
    }
  }
  void Int(const char* name, std::int32_t& value) override { GetInt(name, value); }
  void Bool(const char* name, bool& value) override {
    const TSfValue* v = D.Find(name);
    if (v && v->Kind == TSfValueKind::vkBool) {
      value = v->Bool;
    }
  }
  void Color(const char* name, TColor& value) override {
    const TSfValue* v = D.Find(name);
    if (!v) {
      return;
    }
    if (v->Kind == TSfValueKind::vkInt) {
      value = TColor(std::uint32_t(v->Int));
    } else if (v->Kind == TSfValueKind::vkIdent) {
      SfColorFromIdent(v->Str, value);
    }
  }
  void Str(const char* name, std::string& value) override {
    const TSfValue* v = D.Find(name);
    if (v && v->Kind == TSfValueKind::vkString) {
      value = v->Str;
    }
  }
  void Font(const char* name, TSfFont& f) override {
    const std::string n = name;
    if (const TSfValue* v = D.Find(n + ".Charset")) {
      if (v->Kind == TSfValueKind::vkInt) {
        f.Charset = std::uint8_t(v->Int);
      } else if (v->Kind == TSfValueKind::vkIdent) {
        f.Charset = SfSameText(v->Str, "ANSI_CHARSET") ? 0 : 1;
      }
    }
    Color((n + ".Color").c_str(), f.Color);
    std::int32_t h;
    if (GetInt(n + ".Height", h)) {
      f.Height = std::clamp(h, -1000, 1000);
    }
    Str((n + ".Name").c_str(), f.Name);
    if (const TSfValue* v = D.Find(n + ".Style"); v && v->Kind == TSfValueKind::vkSet) {
      f.Style = 0;
      for (const std::string& item : v->Items) {
        for (int i = 0; i < 4; ++i) {
          if (SfSameText(item, kStyleNames[i])) {
            f.Style |= std::uint8_t(1 << i);
          }
        }
      }
    }
  }
  void Bitmap(const char* name, TSfBitmapRef& b) override {
    const std::string n = name;
    Str((n + ".Name").c_str(), b.Name);
    GetInt(n + ".Left", b.Rect.Left);
    GetInt(n + ".Top", b.Rect.Top);
    GetInt(n + ".Right", b.Rect.Right);
    GetInt(n + ".Bottom", b.Rect.Bottom);
    b.Bitmap = nullptr;
  }

private:
  const TSfObjectData& D;
};

// Applies a visitor to every font the visitor-based walk reaches (used for ForEachFont).
class TFontVisitor : public ISfPropertyVisitor {
public:
  explicit TFontVisitor(const std::function<void(TSfFont&)>& fn) : Fn(fn) {}
  void Enum(const char*, std::uint8_t&, std::span<const char* const>) override {}
  void Int(const char*, std::int32_t&) override {}
  void Bool(const char*, bool&) override {}
  void Color(const char*, TColor&) override {}
  void Str(const char*, std::string&) override {}
  void Font(const char*, TSfFont& f) override { Fn(f); }
  void Bitmap(const char*, TSfBitmapRef&) override {}

private:
  const std::function<void(TSfFont&)>& Fn;
};

} // namespace sf_visitors
