#include "skins/tests/SfTestSkins.h"

#include "skins/SfSkinObjectRecords.h"

namespace {

TskPixels Image(std::int32_t w, std::int32_t h, TskColor (*fn)(std::int32_t, std::int32_t)) {
  TskPixels p;
  p.SetSize(w, h);
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      p.SetPixel(x, y, fn(x, y));
    }
  }
  return p;
}

template <typename T>
T* Add(TSfSkinObject& parent, const char* name, TSfAlign align, std::int32_t size) {
  auto o = std::make_unique<T>();
  o->FName = name;
  o->FAlign = align;
  o->FWidth = size;
  o->FHeight = size;
  return static_cast<T*>(parent.AddChild(std::move(o)));
}

void Link(TSfBitmapRef& r, const char* name, TskRect rect) {
  r.Name = name;
  r.Rect = rect;
}

} // namespace

TSfSkinSource MakeTestSkin() {
  TSfSkinSource s;
  s.FSkinName = "Generated";
  s.FAuthor = "Tests";
  s.FAuthorEMail = "tests@example.invalid";
  s.FAuthorURL = "https://example.invalid/skin";
  s.AddBitmap("alpha", Image(8, 6, [](std::int32_t x, std::int32_t y) {
                return TskColor((x % 2 ? 0x80u : 0xFFu) << 24 | std::uint32_t(x * 20) << 16 |
                                std::uint32_t(y * 30));
              }));
  s.AddBitmap("magenta", Image(10, 10, [](std::int32_t x, std::int32_t y) {
                return (x < 2 && y < 2) ? TskColor(0xFFFF00FF) : TskColor(0xFF204060 + std::uint32_t(x + y));
              }));
  s.AddBitmap("key", Image(6, 4, [](std::int32_t x, std::int32_t) {
                return x == 0 ? TskColor(0xFF7F007F) : TskColor(0xFF10A0F0);
              }));
  // Recolour as a reader would, so that a round trip compares like with like.
  for (auto& b : s.FBitmaps) {
    bool t = b->Pixels.SetTransparentColor(0xFFFF00FF);
    t = b->Pixels.SetTransparentColor(skKeyColor) || t;
    b->Transparent = t;
    b->AlphaBlend = b->Pixels.CheckAlpha();
  }

  auto form = std::make_unique<TSfBitmapObject>();
  form->FName = "Form";
  form->FKind = skForm;
  form->FMarginLeft = form->FMarginTop = form->FMarginRight = form->FMarginBottom = 2;
  form->FTileStyle = tsStretch;
  Link(form->FBitmap, "MAGENTA", {0, 0, 10, 10});
  auto* caption = Add<TSfActiveBitmap>(*form, "Caption", saMostTop, 20);
  caption->FKind = skCaption;
  Link(caption->FBitmap, "alpha", {0, 0, 8, 6});
  Link(caption->FActiveBitmap, "key", {0, 0, 6, 4});
  caption->FActiveFont.Style = fsBold | fsItalic;
  auto* close = Add<TSfSystemButton>(*caption, "Close", saRight, 16);
  close->FAction = sbaClose;
  Link(close->FBitmapHot, "key", {1, 0, 6, 4});
  auto* title = Add<TSfTextObject>(*caption, "Title", saClient, 0);
  title->FKind = skTitle;
  title->FColor = kSfNoColor;
  title->FFont.Color = 0xFF00000E;
  title->FFontHot.Name = "Verdana";
  title->FTextAlign = taCenter;
  title->FTextEffect = teShadow;
  Add<TSfLinkSkinObject>(*form, "Link", saBottomLeft, 5)->FLinkControl = "it's \"linked\"";
  auto* client = Add<TSfSkinObject>(*form, "Client", saClient, 0);
  client->FKind = skClient;
  client->FColor = 0x00C0FFEE;
  client->FMasked = false; // as every load leaves the first client node
  Add<TSfRollPanelObject>(*client, "Roll", saTopRight, 4)->FRollValue = -70000;
  s.AddObject(std::move(form));

  auto button = std::make_unique<TSfButtonObject>();
  button->FName = "Button";
  Link(button->FBitmap, "magenta", {0, 0, 10, 10});
  Link(button->FBitmapPressed, "alpha", {0, 0, 4, 4});
  auto* face = Add<TSfColorButtonObject>(*button, "Face", saClient, 0);
  face->FHotColor = 0x123456;
  face->FDisabledFont.Height = 20;
  Add<TSfActiveObject>(*face, "Active", saCenter, 3)->FActiveColor = 0xFF000005;
  Add<TSfActiveSkinObject>(*face, "ActiveSkin", saText, 3)->FTextMarginLeft = 2;
  Add<TSfBitmapSkinObject>(*button, "Plain", saMostLeft, 3)->FTileStyle = tsCenter;
  Link(Add<TSfFormBitmapSkinObject>(*button, "FormBmp", saMostRight, 3)->FInactiveBitmap, "key",
       {0, 0, 2, 2});
  auto* sys = Add<TSfSysButtonSkinObject>(*button, "Sys", saTopLeft, 3);
  sys->FAction = sbaRollPanel;
  sys->FRollPanel = "Roll";
  Add<TSfBitmapBoxObject>(*button, "Box", saBottom, 3)->FBorderTileStyle = tsHorzCenterTile;
  Add<TSfActiveBitmapBoxObject>(*button, "ActiveBox", saTop, 3)->FMasked = false;
  Add<TSfButtonBitmapBoxObject>(*button, "ButtonBox", saLeft, 3)->FDrawIfOwner = true;
  s.AddObject(std::move(button));

  s.FTables.Colors[3] = 0x00ABCDEF;
  s.FTables.Colors[17] = 0xFF000018;
  s.FTables.SysColors[4] = 0x00102030;
  s.FTables.Fonts[0].Name = "Georgia";
  s.FTables.Fonts[0].SetSize(12);
  s.FTables.Fonts[0].Color = 0x00332211;
  s.FTables.Fonts[0].Style = fsBold | fsUnderline;
  return s;
}

TSfSkinSource MakeLargeSkin(std::size_t pixelBytes, std::size_t objects) {
  TSfSkinSource s = MakeTestSkin();
  const std::int32_t side = 512;
  const std::size_t count = std::max<std::size_t>(1, pixelBytes / (std::size_t(side) * side * 4));
  for (std::size_t i = 0; i < count; ++i) {
    TskPixels p;
    p.SetSize(side, side);
    std::uint32_t seed = std::uint32_t(i * 7919 + 1);
    for (std::int32_t y = 0; y < side; ++y) {
      for (std::int32_t x = 0; x < side; ++x) {
        // Smooth gradients with some noise: compresses like real artwork, not like zeros.
        seed = seed * 1103515245u + 12345u;
        p.SetPixel(x, y,
                   0xFF000000u | std::uint32_t((x + i * 9) & 0xFF) << 16 | std::uint32_t(y & 0xFF) << 8 |
                       ((seed >> 16) & 0x0F));
      }
    }
    s.AddBitmap("large" + std::to_string(i), std::move(p), false, false);
  }
  for (std::size_t i = 0; i < objects; ++i) {
    auto o = std::make_unique<TSfBitmapObject>();
    o->FName = "Extra" + std::to_string(i);
    o->FWidth = std::int32_t(10 + i % 50);
    Link(o->FBitmap, "large0", {0, 0, 32, 32});
    Add<TSfTextObject>(*o, "Text", saClient, 0);
    s.AddObject(std::move(o));
  }
  return s;
}

std::string SkinObjectsText(const TSfSkinSource& s) {
  std::string text;
  for (std::size_t i = 0; i < s.ObjectCount(); ++i) {
    TSfObjectData d;
    std::string why;
    if (!SfObjectToData(*s.Object(i), true, d, why)) {
      return "unstorable: " + why;
    }
    text += SfObjectToText(d, true);
  }
  return text;
}

namespace {

TskPixels Solid(std::int32_t w, std::int32_t h, TColor c) {
  TskPixels p;
  p.SetSize(w, h);
  p.Fill(ColorToSkColor(c, 255, nullptr));
  return p;
}

template <typename T>
T* AddNode(TSfSkinObject& parent, const char* name, TSfAlign align, std::int32_t w, std::int32_t h,
           TColor color = kSfNoColor) {
  T* n = Add<T>(parent, name, align, 0);
  n->FWidth = w;
  n->FHeight = h;
  n->FColor = color;
  return n;
}

// A button-state node over the "states" strip: normal, hot, focused, pressed, disabled.
TSfButtonObject* StateNode(TSfSkinObject& parent, const char* name, TSfAlign align = saNone) {
  auto* b = AddNode<TSfButtonObject>(parent, name, align, 10, 10, 0);
  b->FTileStyle = tsStretch;
  Link(b->FBitmap, "states", {0, 0, 10, 10});
  Link(b->FBitmapHot, "states", {0, 10, 10, 20});
  Link(b->FBitmapFocused, "states", {0, 20, 10, 30});
  Link(b->FBitmapPressed, "states", {0, 30, 10, 40});
  Link(b->FBitmapDisabled, "states", {0, 40, 10, 50});
  return b;
}

std::unique_ptr<TSfSkinObject> Top(const char* name) {
  auto o = std::make_unique<TSfSkinObject>();
  o->FName = name;
  o->FColor = kSfNoColor;
  return o;
}

} // namespace

TSfSkinSource MakeThemeSkin() {
  using namespace sfts;
  TSfSkinSource s;
  s.FSkinName = "Theme test";
  TskPixels buttons = Solid(48, 64, 0);
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col) {
      buttons.FillRect({col * 16, row * 16, col * 16 + 16, row * 16 + 16},
                       ColorToSkColor(kButtonColors[row][col], 255, nullptr));
    }
  }
  s.AddBitmap("buttons", std::move(buttons));
  TskPixels states = Solid(10, 50, 0);
  for (int i = 0; i < 5; ++i) {
    states.FillRect({0, i * 10, 10, i * 10 + 10}, ColorToSkColor(kStateColors[i], 255, nullptr));
  }
  s.AddBitmap("states", std::move(states));
  TskPixels tab = Solid(10, 10, kTabBody);
  tab.FillRect({0, 0, 10, 3}, ColorToSkColor(kTabTop, 255, nullptr));
  s.AddBitmap("tab", std::move(tab));

  auto form = Top("Form");
  form->FKind = skForm;
  auto* caption = AddNode<TSfActiveObject>(*form, "Caption", saMostTop, 0, 20, kCaption);
  caption->FKind = skCaption;
  caption->FActiveColor = kCaptionActive;
  caption->FDrawIfOwner = true;
  auto button = [&](const char* name, TSfAction action, TSfAlign align, int row) {
    auto* b = AddNode<TSfSystemButton>(*caption, name, align, 16, 0);
    b->FAction = action;
    b->FColor = 0;
    if (row >= 0) {
      Link(b->FBitmap, "buttons", {0, row * 16, 16, row * 16 + 16});
      Link(b->FBitmapHot, "buttons", {16, row * 16, 32, row * 16 + 16});
      Link(b->FBitmapPressed, "buttons", {32, row * 16, 48, row * 16 + 16});
    }
  };
  button("SysMenu", sbaSysMenu, saLeft, -1);
  button("Close", sbaClose, saRight, 0);
  button("Maximize", sbaMaximize, saRight, 1);
  button("Restore", sbaRestore, saRight, 2);
  button("Minimize", sbaMinimize, saRight, 3);
  auto* title = AddNode<TSfTextObject>(*caption, "Title", saClient, 0, 0);
  title->FKind = skTitle;
  title->FTextMarginLeft = 2;
  title->FTextMarginRightStretch = true;
  AddNode<TSfSkinObject>(*form, "Bottom", saMostBottom, 0, 4, kBorder)->FKind = skBottom;
  AddNode<TSfSkinObject>(*form, "Left", saLeft, 4, 0, kBorder)->FKind = skLeft;
  AddNode<TSfSkinObject>(*form, "Right", saRight, 4, 0, kBorder)->FKind = skRight;
  auto* client = AddNode<TSfSkinObject>(*form, "Client", saClient, 0, 0, kClient);
  client->FKind = skClient;
  s.AddObject(std::move(form));

  // A tool window whose object has no client node.
  auto tool = Top("ToolWindow");
  AddNode<TSfSkinObject>(*tool, "Caption", saMostTop, 0, 14, kCaption)->FKind = skCaption;
  s.AddObject(std::move(tool));

  auto family = [&](const char* name, std::initializer_list<const char*> stateNodes) {
    auto o = Top(name);
    for (const char* n : stateNodes) {
      StateNode(*o, n);
    }
    return s.AddObject(std::move(o));
  };
  family("Button", {"Face"});
  family("Checkbox", {"Checked", "Unchecked", "Mixed"});
  family("ScrollBar", {"Frame", "TopButton", "BottomButton", "LeftButton", "RightButton", "HorzSlider",
                       "VertSlider", "HorzFrame", "VertFrame"});
  family("ProgressBar", {"Frame", "Bar", "SolidHorz"});
  family("Edit", {"Frame", "Button"});
  family("Header", {"Frame", "Section"});
  family("StatusBar", {"Frame", "Panel", "Gripper"});
  family("ListBox", {"Frame", "Item"});
  family("MenuBar", {"Frame", "Item", "Separator"});
  family("PopupMenu", {"Frame", "Item", "Separator", "upbutton"});
  family("TrackBar", {"Track", "Thumb"});
  family("GroupBox", {"Frame"});
  family("ControlBar", {"Back", "Frame", "Grabber"});
  family("SpeedButton", {"Face", "Separator"});
  family("ScrollBox", {"Frame"});
  family("Panel", {"Frame", "Caption", "ButtonRollup"});
  family("Grid", {"Frame", "Cell", "Fixed"});
  TSfSkinObject* tabs = family("Tabs", {"Frame", "LeftButton", "RightButton"});
  auto* tabNode = AddNode<TSfBitmapObject>(*tabs, "Tab", saNone, 10, 10, 0);
  tabNode->FTileStyle = tsStretch;
  Link(tabNode->FBitmap, "tab", {0, 0, 10, 10});
  tabNode->AfterLoad(s.FBitmaps);
  s.DeriveThemeTables();
  return s;
}
