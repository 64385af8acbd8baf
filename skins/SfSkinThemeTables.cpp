// TSfSkinSource::DeriveThemeTables: the theme's colour and font tables derived from the
// skin's objects (the form, its caption, buttons, menus and text objects in their states).
#include "skins/SfSkinSource.h"

#include <string_view>

namespace {

int FontIndex(std::string_view name) {
  for (int i = 0; i < 66; ++i) {
    if (name == kSfFontNames[i]) {
      return i;
    }
  }
  return -1;
}

// The font a node shows in a state.
const TSfFont& FontForState(TSfSkinObject& n, int state) {
  if (auto* a = dynamic_cast<TSfActiveObject*>(&n)) {
    if (state == 5 || state == 7) {
      return a->FActiveFont;
    }
    if (state == 8) {
      return a->FDisabledFont;
    }
  } else if (auto* b = dynamic_cast<TSfActiveBitmap*>(&n)) {
    if (state == 5 || state == 7) {
      return b->FActiveFont;
    }
  } else if (auto* t = dynamic_cast<TSfTextObject*>(&n)) {
    switch (state) {
    case 5: return t->FFontHot;
    case 6: return t->FFontPressed;
    case 7: return t->FFontFocused;
    case 8: return t->FFontDisabled;
    default: break;
    }
  }
  return n.FFont;
}

} // namespace

void TSfSkinSource::DeriveThemeTables() {
  auto& c = FTables.Colors;
  auto inner = [this](const char* obj, const char* name) -> TSfSkinObject* {
    TSfSkinObject* o = ObjectByName(obj);
    return o ? o->FindByName(name) : nullptr;
  };
  if (TSfSkinObject* form = ObjectByName("form")) {
    c[3] = form->FColor;
    if (TSfSkinObject* title = form->FindByKind(skTitle)) {
      c[0] = c[1] = title->FColor;
    }
    if (TSfSkinObject* left = form->FindByKind(skLeft)) {
      c[2] = left->FColor;
    }
  }
  if (TSfSkinObject* o = ObjectByName("listbox")) {
    c[18] = c[19] = o->FColor;
  }
  if (TSfSkinObject* o = ObjectByName("grid")) {
    c[20] = o->FColor;
  }
  c[4] = 0;
  if (TSfSkinObject* o = ObjectByName("container")) {
    c[5] = c[6] = o->FColor;
  }
  if (TSfSkinObject* o = ObjectByName("button")) {
    std::fill(c.begin() + 7, c.begin() + 12, o->FColor);
  }
  if (TSfSkinObject* o = ObjectByName("edit")) {
    std::fill(c.begin() + 12, c.begin() + 16, o->FColor);
    c[16] = 0xFF00000D; // clHighlight
  }
  TSfSkinObject* hint = ObjectByName("hint");
  c[17] = hint ? hint->FColor : 0xFF000018; // clInfoBk

  auto& f = FTables.Fonts;
  auto set = [&](TSfSkinObject* n, const char* fontName, int state) {
    if (n) {
      f[std::size_t(FontIndex(fontName))] = FontForState(*n, state);
    }
  };
  if (TSfSkinObject* form = ObjectByName("form")) {
    TSfSkinObject* title = form->FindByKind(skTitle);
    set(title, "CaptionTextNormal", 7);
    set(title, "CaptionTextInactive", 0);
  }
  for (const char* family : {"ButtonText", "CheckBoxText", "RadioButtonText"}) {
    const char* obj = std::string_view(family) == "ButtonText"     ? "button"
                      : std::string_view(family) == "CheckBoxText" ? "checkbox"
                                                                   : "radiobutton";
    TSfSkinObject* n = inner(obj, "text");
    const std::string base = family;
    set(n, (base + "Normal").c_str(), 0);
    set(n, (base + "Pressed").c_str(), 6);
    set(n, (base + "Hot").c_str(), 5);
    set(n, (base + "Focused").c_str(), 7);
    set(n, (base + "Disabled").c_str(), 8);
  }
  TSfSkinObject* gb = inner("groupbox", "caption");
  set(gb, "GroupBoxTextNormal", 0);
  set(gb, "GroupBoxTextDisabled", 8);
  TSfFont window;
  window.Color = 0;
  f[std::size_t(FontIndex("WindowTextNormal"))] = window;
  f[std::size_t(FontIndex("WindowTextDisabled"))] = window;
  if (TSfSkinObject* n = inner("edit", "text")) {
    set(n, "EditBoxTextNormal", 0);
    set(n, "EditBoxTextFocused", 7);
    set(n, "EditBoxTextHot", 5);
    set(n, "EditBoxTextSelected", 0);
    f[std::size_t(FontIndex("EditBoxTextSelected"))].Color = 0xFFFFFF;
    set(n, "EditBoxTextDisabled", 8);
  }
  TSfSkinObject* li = inner("listbox", "item");
  set(li, "ListItemTextNormal", 0);
  set(li, "ListItemTextHot", 0);
  set(li, "ListItemTextSelected", 7);
  set(li, "ListItemTextFocused", 0);
  set(li, "ListItemTextDisabled", 8);
  TSfSkinObject* mi = inner("menubar", "item");
  set(mi, "MenuItemTextNormal", 0);
  set(mi, "MenuItemTextHot", 5);
  set(mi, "MenuItemTextSelected", 7);
  set(mi, "MenuItemTextDisabled", 8);
  TSfSkinObject* ti = inner("menubar", "toolbaritem");
  set(ti, "ToolItemTextNormal", 0);
  set(ti, "ToolItemTextHot", 5);
  set(ti, "ToolItemTextSelected", 7);
  set(ti, "ToolItemTextDisabled", 8);
  if (TSfSkinObject* pi = inner("popupmenu", "item")) {
    set(pi, "PopupMenuItemTextNormal", 0);
    set(pi, "PopupMenuItemTextHot", 5);
    set(pi, "PopupMenuItemTextSelected", 7);
    set(pi, "PopupMenuItemTextDisabled", 8);
    f[std::size_t(FontIndex("PopupMenuItemTextDisabled"))].Color = 0x808080;
  }
}
