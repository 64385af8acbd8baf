// Skin objects: values, the published properties of each class and tree operations. The
// class registry, the stored records and copying through them are in SfSkinObjectRecords.cpp;
// layout, drawing and regions in SfRender.cpp.
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

template <typename E>
std::uint8_t& EnumRef(E& e) {
  static_assert(sizeof(E) == 1);
  return reinterpret_cast<std::uint8_t&>(e);
}

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
