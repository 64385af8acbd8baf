// Skin objects: stored properties, tree operations, the class registry and the stored
// records. Layout, drawing and regions are in SfRender.cpp.
#include "skins/SfSkinObject.h"

#include "theme/records/SkColorText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kAlignNames[] = {"saNone",       "saLeft",        "saMostLeft",  "saTop",
                                       "saMostTop",    "saRight",       "saMostRight", "saBottom",
                                       "saMostBottom", "saClient",      "saTopLeft",   "saTopRight",
                                       "saBottomLeft", "saBottomRight", "saCenter",    "saText"};
constexpr const char* kKindNames[] = {"skNone",
                                      "skForm",
                                      "skCaption",
                                      "skTitle",
                                      "skTop",
                                      "skLeft",
                                      "skRight",
                                      "skBottom",
                                      "skTopLeft",
                                      "skTopRight",
                                      "skBottomLeft",
                                      "skBottomRight",
                                      "skSysButton",
                                      "skClient",
                                      "skMenuBar",
                                      "skMenuBarItem",
                                      "skMenuBarItemText",
                                      "skPopupMenu",
                                      "skPopupMenuItem",
                                      "skPopupMenuItemText",
                                      "skItemText",
                                      "skTranparent"};
constexpr const char* kTextAlignNames[] = {"taTopLeft",    "taTopCenter",    "taTopRight",
                                           "taLeft",       "taCenter",       "taRight",
                                           "taBottomLeft", "taBottomCenter", "taBottomRight"};
constexpr const char* kTextEffectNames[] = {"teNone", "teShadow"};
constexpr const char* kTileNames[] = {
    "tsTile",           "tsStretch",           "tsCenter",        "tsVertCenterStretch",
    "tsVertCenterTile", "tsHorzCenterStretch", "tsHorzCenterTile"};
constexpr const char* kActionNames[] = {"sbaNone",     "sbaClose",   "sbaHelp",      "sbaMinimize",
                                        "sbaMaximize", "sbaRestore", "sbaRollUp",    "sbaRollDown",
                                        "sbaTray",     "sbaSysMenu", "sbaRollPanel", "sbaCustom"};
constexpr const char* kRollNames[] = {"rkLeft", "rkTop", "rkRight", "rkBottom"};
constexpr const char* kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

template <typename E>
std::uint8_t& EnumRef(E& e) {
  static_assert(sizeof(E) == 1);
  return reinterpret_cast<std::uint8_t&>(e);
}

std::int32_t ClampCoordinate(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, -kSfMaxCoordinate, kSfMaxCoordinate));
}

} // namespace

// ---- values ----

std::int32_t TSfFont::Size() const {
  const std::int64_t h = Height < 0 ? -std::int64_t(Height) : Height;
  return std::int32_t((h * 72 + 48) / 96);
}

void TSfFont::SetSize(std::int32_t points) {
  const std::int64_t p = std::clamp<std::int64_t>(points, 1, 1000);
  Height = -std::int32_t((p * 96 + 36) / 72);
}

const TSfBitmap* SfFindBitmap(const TSfBitmapList& list, std::string_view name) {
  for (const auto& b : list) {
    if (SfSameText(b->Name, name)) {
      return b.get();
    }
  }
  return nullptr;
}

bool TSfBitmapRef::Valid() const {
  return Bitmap && !Bitmap->Pixels.Empty() && !IsRectEmpty(Rect) &&
         RectContains(Rect, Bitmap->Pixels.Bounds());
}

bool SfColorFromIdent(std::string_view ident, TColor& out) {
  const std::optional<TColor> named = SkColorFromName(ident);
  if (named) {
    out = *named;
  }
  return named.has_value();
}

std::string SfColorToIdent(TColor c) { return std::string(SkColorName(c)); }

std::string SfColorToText(TColor c) {
  std::string name = SfColorToIdent(c);
  if (!name.empty()) {
    return name;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", unsigned(c));
  return buf;
}

bool SfColorFromText(std::string_view text, TColor& out) {
  if (SfColorFromIdent(text, out)) {
    return true;
  }
  if (text.size() < 2 || text.size() > 9 || text[0] != '$') {
    return false;
  }
  std::uint32_t v = 0;
  for (char c : text.substr(1)) {
    const int d = (c >= '0' && c <= '9')   ? c - '0'
                  : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                  : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                           : -1;
    if (d < 0) {
      return false;
    }
    v = v * 16 + std::uint32_t(d);
  }
  out = v;
  return true;
}

// ---- property visitors ----

namespace {

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

} // namespace

// ---- published properties per class ----

void TSfSkinObject::VisitProperties(ISfPropertyVisitor& v) {
  v.Enum("Align", EnumRef(FAlign), kAlignNames);
  v.Color("Color", FColor);
  v.Bool("DrawIfOwner", FDrawIfOwner);
  v.Font("Font", FFont);
  v.Enum("Kind", EnumRef(FKind), kKindNames);
  v.Bool("Masked", FMasked);
  v.Int("Left", FLeft);
  v.Int("Top", FTop);
  v.Int("Height", FHeight);
  v.Int("Width", FWidth);
  v.Int("MarginLeft", FMarginLeft);
  v.Int("MarginRight", FMarginRight);
  v.Int("MarginTop", FMarginTop);
  v.Int("MarginBottom", FMarginBottom);
  v.Enum("TextAlign", EnumRef(FTextAlign), kTextAlignNames);
  v.Enum("TextEffect", EnumRef(FTextEffect), kTextEffectNames);
  v.Int("TextMarginLeft", FTextMarginLeft);
  v.Int("TextMarginRight", FTextMarginRight);
  v.Bool("TextMarginRightStretch", FTextMarginRightStretch);
  v.Int("TextMarginTop", FTextMarginTop);
}

void TSfSkinObject::ForEachFont(const std::function<void(TSfFont&)>& fn) {
  TFontVisitor v(fn);
  VisitProperties(v);
}

void TSfActiveObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Color("ActiveColor", FActiveColor);
  v.Font("ActiveFont", FActiveFont);
  v.Font("DisabledFont", FDisabledFont);
}
void TSfActiveObject::ForEachFont(const std::function<void(TSfFont&)>& fn) { TSfSkinObject::ForEachFont(fn); }

void TSfBitmapObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Bitmap("Bitmap", FBitmap);
  v.Enum("BorderTileStyle", EnumRef(FBorderTileStyle), kTileNames);
  v.Bool("MaskedBorder", FMaskedBorder);
  v.Bool("MaskedAngles", FMaskedAngles);
  v.Enum("TileStyle", EnumRef(FTileStyle), kTileNames);
}

void TSfActiveBitmap::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapObject::VisitProperties(v);
  v.Bitmap("ActiveBitmap", FActiveBitmap);
  v.Font("ActiveFont", FActiveFont);
}
void TSfActiveBitmap::ForEachFont(const std::function<void(TSfFont&)>& fn) { TSfSkinObject::ForEachFont(fn); }
void TSfActiveBitmap::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  fn(FBitmap);
  fn(FActiveBitmap);
}

void TSfSystemButton::VisitProperties(ISfPropertyVisitor& v) {
  TSfActiveBitmap::VisitProperties(v);
  v.Enum("Action", EnumRef(FAction), kActionNames);
  v.Bitmap("BitmapHot", FBitmapHot);
  v.Bitmap("BitmapPressed", FBitmapPressed);
}
void TSfSystemButton::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  TSfActiveBitmap::ForEachBitmap(fn);
  fn(FBitmapHot);
  fn(FBitmapPressed);
}

void TSfButtonObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapObject::VisitProperties(v);
  v.Bitmap("BitmapHot", FBitmapHot);
  v.Bitmap("BitmapFocused", FBitmapFocused);
  v.Bitmap("BitmapPressed", FBitmapPressed);
  v.Bitmap("BitmapDisabled", FBitmapDisabled);
}
void TSfButtonObject::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  fn(FBitmap);
  fn(FBitmapHot);
  fn(FBitmapFocused);
  fn(FBitmapPressed);
  fn(FBitmapDisabled);
}

void TSfTextObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Font("FontHot", FFontHot);
  v.Font("FontFocused", FFontFocused);
  v.Font("FontPressed", FFontPressed);
  v.Font("FontDisabled", FFontDisabled);
}
void TSfTextObject::ForEachFont(const std::function<void(TSfFont&)>& fn) { TSfSkinObject::ForEachFont(fn); }

void TSfLinkSkinObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Str("LinkControl", FLinkControl);
}

void TSfBitmapSkinObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Bitmap("Bitmap", FBitmap);
  v.Enum("TileStyle", EnumRef(FTileStyle), kTileNames);
}

void TSfFormBitmapSkinObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapSkinObject::VisitProperties(v);
  v.Bitmap("InactiveBitmap", FInactiveBitmap);
}
void TSfFormBitmapSkinObject::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  fn(FBitmap);
  fn(FInactiveBitmap);
}

void TSfSysButtonSkinObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapSkinObject::VisitProperties(v);
  v.Enum("Action", EnumRef(FAction), kActionNames);
  v.Bitmap("BitmapHover", FBitmapHover);
  v.Bitmap("BitmapDown", FBitmapDown);
  v.Str("RollPanel", FRollPanel);
}
void TSfSysButtonSkinObject::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  fn(FBitmap);
  fn(FBitmapHover);
  fn(FBitmapDown);
}

void TSfActiveSkinObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Color("ActiveColor", FActiveColor);
  v.Font("ActiveFont", FActiveFont);
}
void TSfActiveSkinObject::ForEachFont(const std::function<void(TSfFont&)>& fn) {
  TSfSkinObject::ForEachFont(fn);
}

void TSfColorButtonObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Color("HotColor", FHotColor);
  v.Font("HotFont", FHotFont);
  v.Color("PressedColor", FPressedColor);
  v.Font("PressedFont", FPressedFont);
  v.Color("FocusedColor", FFocusedColor);
  v.Font("FocusedFont", FFocusedFont);
  v.Color("DisabledColor", FDisabledColor);
  v.Font("DisabledFont", FDisabledFont);
}
void TSfColorButtonObject::ForEachFont(const std::function<void(TSfFont&)>& fn) {
  TSfSkinObject::ForEachFont(fn);
}

void TSfBitmapBoxObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapSkinObject::VisitProperties(v);
  v.Enum("BorderTileStyle", EnumRef(FBorderTileStyle), kTileNames);
}

void TSfActiveBitmapBoxObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapBoxObject::VisitProperties(v);
  v.Bitmap("FocusedBitmap", FFocusedBitmap);
}
void TSfActiveBitmapBoxObject::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  fn(FBitmap);
  fn(FFocusedBitmap);
}

void TSfButtonBitmapBoxObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfBitmapBoxObject::VisitProperties(v);
  v.Bitmap("HotBitmap", FHotBitmap);
  v.Bitmap("FocusedBitmap", FFocusedBitmap);
  v.Bitmap("PressedBitmap", FPressedBitmap);
  v.Bitmap("DisabledBitmap", FDisabledBitmap);
}
void TSfButtonBitmapBoxObject::ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {
  fn(FBitmap);
  fn(FHotBitmap);
  fn(FFocusedBitmap);
  fn(FPressedBitmap);
  fn(FDisabledBitmap);
}

void TSfRollPanelObject::VisitProperties(ISfPropertyVisitor& v) {
  TSfSkinObject::VisitProperties(v);
  v.Enum("RollKind", EnumRef(FRollKind), kRollNames);
  v.Int("RollValue", FRollValue);
}

// ---- tree ----

TSfSkinObject* TSfSkinObject::AddChild(std::unique_ptr<TSfSkinObject> child) {
  child->FOwner = this;
  FChildren.push_back(std::move(child));
  return FChildren.back().get();
}

std::unique_ptr<TSfSkinObject> TSfSkinObject::RemoveChild(const TSfSkinObject* child) {
  for (auto it = FChildren.begin(); it != FChildren.end(); ++it) {
    if (it->get() == child) {
      std::unique_ptr<TSfSkinObject> out = std::move(*it);
      FChildren.erase(it);
      out->FOwner = nullptr;
      return out;
    }
  }
  return nullptr;
}

TSfSkinObject* TSfSkinObject::FindByName(std::string_view name) {
  if (SfSameText(FName, name)) {
    return this;
  }
  for (auto& c : FChildren) {
    if (TSfSkinObject* f = c->FindByName(name)) {
      return f;
    }
  }
  return nullptr;
}

TSfSkinObject* TSfSkinObject::FindByKind(TSfKind kind) {
  if (FKind == kind) {
    return this;
  }
  for (auto& c : FChildren) {
    if (TSfSkinObject* f = c->FindByKind(kind)) {
      return f;
    }
  }
  return nullptr;
}

void TSfSkinObject::SetFontCharset(std::uint8_t charset) {
  ForEachFont([charset](TSfFont& f) { f.Charset = charset; });
  for (auto& c : FChildren) {
    c->SetFontCharset(charset);
  }
}

void TSfSkinObject::AfterLoad(const TSfBitmapList& bitmaps) {
  for (auto& c : FChildren) {
    c->AfterLoad(bitmaps);
  }
  const TskRect margins{FMarginLeft, FMarginTop, FMarginRight, FMarginBottom};
  const bool withMargins = MasksWithMargins();
  ForEachBitmap([&](TSfBitmapRef& ref) {
    ref.Bitmap = SfFindBitmap(bitmaps, ref.Name);
    ref.Masks = {};
    if (ref.Bitmap) {
      // Only the part of the rectangle that lies inside the bitmap is analysed.
      ref.Masks = SkCheckMasks(ref.Bitmap->Pixels, ref.Rect, withMargins ? margins : TskRect{});
    }
  });
}

std::unique_ptr<TSfSkinObject> TSfSkinObject::Clone(const TSfBitmapList& bitmaps) const {
  std::unique_ptr<TSfSkinObject> copy = NewInstance();
  TWriteVisitor w;
  const_cast<TSfSkinObject*>(this)->VisitProperties(w);
  TSfObjectData d;
  d.Props = std::move(w.Props);
  TReadVisitor r(d);
  copy->VisitProperties(r);
  copy->FName = FName;
  for (const auto& c : FChildren) {
    copy->AddChild(c->Clone(bitmaps));
  }
  copy->AfterLoad(bitmaps);
  return copy;
}

void TSfSkinObject::ShiftColors(std::int64_t deltaHue, std::int64_t deltaBrightness, TskSysColorFunc sys) {
  auto shift = [&](TColor& c) {
    if (c == kSfNoColor) {
      return;
    }
    if (deltaHue) {
      c = ShiftHue(c, deltaHue, sys);
    }
    if (deltaBrightness) {
      c = ShiftBrightness(c, deltaBrightness, sys);
    }
  };
  shift(FColor);
  shift(FFont.Color);
  for (auto& c : FChildren) {
    c->ShiftColors(deltaHue, deltaBrightness, sys);
  }
}

std::size_t TSfSkinObject::NodeCount() const {
  std::size_t n = 1;
  for (const auto& c : FChildren) {
    n += c->NodeCount();
  }
  return n;
}

int TSfSkinObject::TreeDepth() const {
  int d = 0;
  for (const auto& c : FChildren) {
    d = std::max(d, c->TreeDepth());
  }
  return d + 1;
}

// ---- registry ----

namespace {

struct TClassEntry {
  const char* Name;
  TSfSkinObjectFactory Make;
};

template <typename T>
std::unique_ptr<TSfSkinObject> Make() {
  return std::make_unique<T>();
}

constexpr TClassEntry kClasses[] = {
    {"TSfSkinObject", Make<TSfSkinObject>},
    {"TSfActiveObject", Make<TSfActiveObject>},
    {"TSfBitmapObject", Make<TSfBitmapObject>},
    {"TSfActiveBitmap", Make<TSfActiveBitmap>},
    {"TSfSystemButton", Make<TSfSystemButton>},
    {"TSfButtonObject", Make<TSfButtonObject>},
    {"TSfTextObject", Make<TSfTextObject>},
    {"TSfLinkSkinObject", Make<TSfLinkSkinObject>},
    {"TSfBitmapSkinObject", Make<TSfBitmapSkinObject>},
    {"TSfFormBitmapSkinObject", Make<TSfFormBitmapSkinObject>},
    {"TSfSysButtonSkinObject", Make<TSfSysButtonSkinObject>},
    {"TSfActiveSkinObject", Make<TSfActiveSkinObject>},
    {"TSfColorButtonObject", Make<TSfColorButtonObject>},
    {"TSfBitmapBoxObject", Make<TSfBitmapBoxObject>},
    {"TSfActiveBitmapBoxObject", Make<TSfActiveBitmapBoxObject>},
    {"TSfButtonBitmapBoxObject", Make<TSfButtonBitmapBoxObject>},
    {"TSfRollPanelObject", Make<TSfRollPanelObject>},
};

constexpr auto kClassNames = [] {
  std::array<const char*, std::size(kClasses)> names{};
  for (std::size_t i = 0; i < names.size(); ++i) {
    names[i] = kClasses[i].Name;
  }
  return names;
}();

} // namespace

std::span<const char* const> SfSkinObjectClassNames() { return kClassNames; }

std::unique_ptr<TSfSkinObject> FindSkinObjectClass(std::string_view name) {
  for (const TClassEntry& c : kClasses) {
    if (name == c.Name) {
      return c.Make();
    }
  }
  return nullptr;
}

std::unique_ptr<TSfSkinObject> SfCreateSkinObject(std::string_view name) {
  if (auto obj = FindSkinObjectClass(name)) {
    return obj;
  }
  // Older files spell the class prefix differently in its second and third characters.
  if (name.size() > 3) {
    std::string retry(name);
    retry[1] = 'S';
    retry[2] = 'f';
    return FindSkinObjectClass(retry);
  }
  return nullptr;
}

// ---- stored records ----

namespace {

// The stored "Objects" value: a count word with bits 16-19 set and the children as binary
// records.
bool ChildrenToBinary(const TSfSkinObject& obj, std::vector<std::uint8_t>& out, std::string& why) {
  if (obj.ChildCount() > kSfMaxObjectCount) {
    why = "object '" + obj.FName + "' has more than " + std::to_string(kSfMaxObjectCount) + " children";
    return false;
  }
  TSfWriter w;
  w.U32(std::uint32_t(obj.ChildCount()) | 0x000F0000u);
  for (std::size_t i = 0; i < obj.ChildCount(); ++i) {
    if (!SfWriteObjectRecord(w, *obj.Child(i), true, why)) {
      return false;
    }
  }
  out = std::move(w.Data());
  return true;
}

bool ReadChildren(std::span<const std::uint8_t> blob, TSfReader& parent, TSfSkinObject& owner) {
  TSfReader in = parent.Derived(blob);
  std::uint32_t c;
  if (!in.U32(c)) {
    return in.Fail("'Objects' of '" + owner.FName + "' is too short");
  }
  const bool binary = (c & 0x000F0000u) == 0x000F0000u;
  const std::uint32_t count = binary ? (c & 0xFFF0FFFFu) : c;
  // Counts are not trusted: records are read until the count or the end of the data.
  for (std::uint32_t i = 0; i < count; ++i) {
    if (in.AtEnd()) {
      return in.Fail("'Objects' of '" + owner.FName + "' holds fewer children than its count");
    }
    std::unique_ptr<TSfSkinObject> child;
    if (!SfReadObjectRecord(in, binary, child)) {
      return false;
    }
    if (child) {
      owner.AddChild(std::move(child));
    }
  }
  if (!in.AtEnd()) {
    return in.Fail("'Objects' of '" + owner.FName + "' has data after its children");
  }
  return true;
}

} // namespace

bool SfObjectToData(const TSfSkinObject& obj, bool nested, TSfObjectData& out, std::string& why) {
  if (!SfIsObjectName(obj.FName)) {
    why =
        "object name '" + obj.FName + "' is not a name of at most 255 letters, digits, underscores and dots";
    return false;
  }
  if (obj.TreeDepth() > TSfLimits{}.MaxTreeDepth) {
    why = "object '" + obj.FName + "' is nested deeper than " + std::to_string(TSfLimits{}.MaxTreeDepth) +
          " levels";
    return false;
  }
  TWriteVisitor mine, fresh;
  const_cast<TSfSkinObject&>(obj).VisitProperties(mine);
  obj.NewInstance()->VisitProperties(fresh);
  TSfObjectData d;
  d.ClassName = obj.ClassName();
  d.Name = obj.FName;
  for (std::size_t i = 0; i < mine.Props.size(); ++i) {
    if (i >= fresh.Props.size() || !(mine.Props[i] == fresh.Props[i])) {
      if (mine.Props[i].Value.Kind == TSfValueKind::vkString &&
          mine.Props[i].Value.Str.size() > TSfLimits{}.MaxRecordBytes) {
        why = "a text of object '" + obj.FName + "' is over the size limit";
        return false;
      }
      d.Props.push_back(mine.Props[i]);
    }
  }
  if (nested) {
    if (obj.ChildCount() > kSfMaxObjectCount) {
      why = "object '" + obj.FName + "' has too many children";
      return false;
    }
    for (std::size_t i = 0; i < obj.ChildCount(); ++i) {
      TSfObjectData c;
      if (!SfObjectToData(*obj.Child(i), true, c, why)) {
        return false;
      }
      d.Children.push_back(std::move(c));
    }
  } else {
    TSfProperty objects;
    objects.Name = "Objects";
    objects.Value.Kind = TSfValueKind::vkBinary;
    if (!ChildrenToBinary(obj, objects.Value.Bin, why)) {
      return false;
    }
    d.Props.push_back(std::move(objects));
  }
  out = std::move(d);
  return true;
}

bool SfDataToObject(const TSfObjectData& data, TSfReader& in, std::unique_ptr<TSfSkinObject>& out) {
  std::unique_ptr<TSfSkinObject> obj = SfCreateSkinObject(data.ClassName);
  if (!obj) {
    out.reset();
    return true;
  }
  obj->FName = data.Name;
  TReadVisitor r(data);
  obj->VisitProperties(r);
  if (const TSfValue* children = data.Find("Objects")) {
    if (children->Kind != TSfValueKind::vkBinary) {
      return in.Fail("'Objects' of '" + data.Name + "' is not binary data");
    }
    if (!ReadChildren(children->Binary(), in, *obj)) {
      return false;
    }
  }
  for (const TSfObjectData& c : data.Children) {
    if (!in.EnterNode()) {
      return false;
    }
    std::unique_ptr<TSfSkinObject> child;
    const bool ok = SfDataToObject(c, in, child);
    in.LeaveNode();
    if (!ok) {
      return false;
    }
    if (child) {
      obj->AddChild(std::move(child));
    }
  }
  obj->SetFontCharset(1);
  out = std::move(obj);
  return true;
}

bool SfReadObjectRecord(TSfReader& in, bool binary, std::unique_ptr<TSfSkinObject>& out) {
  out.reset();
  std::string className;
  if (!in.String(className, "class name")) {
    return false;
  }
  if (!in.EnterNode()) {
    return false;
  }
  TSfObjectData data;
  bool ok;
  if (binary) {
    std::uint32_t size;
    TSfReader record = in.Derived({});
    ok = in.U32(size) && in.Sub(size, record, "object record");
    if (ok && FindSkinObjectClass(className) == nullptr && SfCreateSkinObject(className) == nullptr) {
      in.LeaveNode();
      return true; // an unregistered class: the record is skipped whole
    }
    ok = ok && SfReadBinaryObject(record, data);
    if (ok && !record.AtEnd()) {
      ok = in.Fail("object record of '" + data.Name + "' has data after its end");
    }
  } else {
    std::string text;
    ok = in.String(text, "object text");
    if (ok && SfCreateSkinObject(className) == nullptr) {
      in.LeaveNode();
      return true;
    }
    ok = ok && SfTextToObject(text, in, data);
  }
  data.ClassName = className;
  ok = ok && SfDataToObject(data, in, out);
  in.LeaveNode();
  return ok;
}

bool SfWriteObjectRecord(TSfWriter& out, const TSfSkinObject& obj, bool binary, std::string& why) {
  TSfObjectData d;
  if (!SfObjectToData(obj, false, d, why)) {
    return false;
  }
  out.String(d.ClassName);
  if (binary) {
    TSfWriter body;
    if (!SfWriteBinaryObject(body, d)) {
      why = "object '" + obj.FName + "' cannot be written in the binary form";
      return false;
    }
    if (body.Size() > TSfLimits{}.MaxRecordBytes) {
      why = "object '" + obj.FName + "' is over the record size limit";
      return false;
    }
    out.U32(std::uint32_t(body.Size()));
    out.Bytes(body.Data());
  } else {
    const std::string text = SfObjectToText(d, false);
    if (text.size() > TSfLimits{}.MaxRecordBytes) {
      why = "object '" + obj.FName + "' is over the record size limit";
      return false;
    }
    out.String(text);
  }
  return true;
}
