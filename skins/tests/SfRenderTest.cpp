// Skin object rendering: layout by alignment, drawing by pixels, caption buttons, regions and
// hit testing. Text goes through the built-in pixel font.
#include "skins/SfSkinSource.h"

#include <gtest/gtest.h>

namespace {

template <typename T = TSfSkinObject>
T* Child(TSfSkinObject& parent, const char* name, TSfAlign align, std::int32_t w, std::int32_t h) {
  auto o = std::make_unique<T>();
  o->FName = name;
  o->FAlign = align;
  o->FWidth = w;
  o->FHeight = h;
  return static_cast<T*>(parent.AddChild(std::move(o)));
}

TEST(SfRender, LayoutOrderOfTheAlignments) {
  struct TCase {
    const char* Name;
    bool TopVisible;
    TskRect Top, Left, Client;
  };
  for (const TCase& c :
       {TCase{"all visible", true, {0, 0, 100, 10}, {0, 10, 20, 50}, {20, 10, 100, 50}},
        TCase{"invisible most-top takes no space", false, {0, 0, 0, 10}, {0, 0, 20, 50}, {20, 0, 100, 50}}}) {
    TSfSkinObject root;
    auto* top = Child(root, "top", saMostTop, 0, 10);
    auto* left = Child(root, "left", saLeft, 20, 0);
    auto* client = Child(root, "client", saClient, 0, 0);
    top->FNodeVisible = c.TopVisible;
    root.SetNodeBounds({0, 0, 100, 50});
    EXPECT_EQ(top->Bounds(), c.Top) << c.Name;
    EXPECT_EQ(left->Bounds(), c.Left) << c.Name;
    EXPECT_EQ(client->Bounds(), c.Client) << c.Name;
  }
}

TEST(SfRender, CornerAnchorsFollowThePreviousBounds) {
  TSfSkinObject root;
  auto* topRight = Child(root, "tr", saTopRight, 10, 10);
  auto* topLeft = Child(root, "tl", saTopLeft, 10, 10);
  auto* bottomLeft = Child(root, "bl", saBottomLeft, 10, 10);
  auto* bottomRight = Child(root, "br", saBottomRight, 10, 10);
  auto* none = Child(root, "none", saNone, 10, 10);
  topRight->FLeft = 90;
  bottomLeft->FTop = 40;
  bottomRight->FLeft = 90;
  bottomRight->FTop = 40;
  none->FLeft = 33;
  root.SetNodeBounds({0, 0, 100, 50});
  EXPECT_EQ(topRight->FLeft, 90) << "the first layout moves nothing";
  root.SetNodeBounds({0, 0, 120, 60});
  EXPECT_EQ(topRight->FLeft, 110);
  EXPECT_EQ(bottomLeft->FTop, 50);
  EXPECT_EQ(bottomRight->Bounds(), (TskRect{110, 50, 120, 60}));
  root.SetNodeBounds({5, 7, 125, 67});
  EXPECT_EQ(topLeft->Bounds(), (TskRect{5, 7, 15, 17}));
  EXPECT_EQ(bottomLeft->FLeft, 0) << "a bottom-left child's Left does not follow a move";
  EXPECT_EQ(none->FLeft, 33) << "unaligned children keep their absolute place";
}

TEST(SfRender, TextAndCentredChildren) {
  TSfPixelTextEngine text;
  TSfSkinObject root;
  auto* label = Child(root, "label", saText, 0, 10);
  label->FNodeText = L"abc";
  label->FTextMarginLeft = 2;
  label->FTextMarginRight = 3;
  auto* centre = Child(root, "centre", saCenter, 11, 11);
  root.SetNodeBounds({0, 0, 100, 50}, &text);
  EXPECT_EQ(label->FWidth, text.TextWidth(L"abc", label->FFont) + 5);
  EXPECT_EQ(centre->Bounds(), (TskRect{44, 19, 55, 30}));
}

TEST(SfRender, HugeSizesFromAFileDoNotOverflow) {
  TSfSkinObject root;
  auto* a = Child(root, "a", saMostTop, 0, INT32_MAX);
  auto* b = Child(root, "b", saMostTop, 0, INT32_MAX);
  auto* c = Child(root, "c", saMostLeft, INT32_MAX, 0);
  root.SetNodeBounds({INT32_MAX - 5, 0, INT32_MAX, 10});
  EXPECT_LE(a->FHeight, kSfMaxCoordinate);
  EXPECT_LE(b->FTop, 4 * kSfMaxCoordinate);
  EXPECT_GE(c->FWidth, 0);
  TSfPixelTextEngine text;
  EXPECT_EQ(a->TreeRegion(text).size(), 1u) << "a node too large to render gives its rectangle";
}

struct TCanvasFixture {
  TskPixels Pixels;
  TSfPixelTextEngine Text;
  TSfCanvas Canvas{Pixels, Text};
  TCanvasFixture(std::int32_t w, std::int32_t h) {
    Pixels.SetSize(w, h);
    Pixels.Fill(0xFF000000);
  }
};

TSfBitmap MakeLinkBitmap() {
  // 10 x 10: corners 2 x 2 in red, edges green, centre blue.
  TSfBitmap b;
  b.Name = "nine";
  b.Pixels.SetSize(10, 10);
  for (std::int32_t y = 0; y < 10; ++y) {
    for (std::int32_t x = 0; x < 10; ++x) {
      const bool ex = x < 2 || x >= 8, ey = y < 2 || y >= 8;
      b.Pixels.SetPixel(x, y, ex && ey ? 0xFFFF0000 : ex || ey ? 0xFF00FF00 : 0xFF0000FF);
    }
  }
  return b;
}

TEST(SfRender, NineSectionsKeepCornersAndStretchOrTileTheRest) {
  const TSfBitmap bmp = MakeLinkBitmap();
  for (TscTileStyle style : {tsStretch, tsTile}) {
    TCanvasFixture f(40, 30);
    TSfBitmapObject node;
    node.FBitmap.Bitmap = &bmp;
    node.FBitmap.Rect = {0, 0, 10, 10};
    node.FMarginLeft = node.FMarginTop = node.FMarginRight = node.FMarginBottom = 2;
    node.FTileStyle = node.FBorderTileStyle = style;
    node.SetNodeBounds({5, 5, 35, 25});
    node.DrawNode(f.Canvas, {});
    for (TskPoint corner : {TskPoint{5, 5}, TskPoint{33, 5}, TskPoint{5, 23}, TskPoint{33, 23}}) {
      for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(f.Pixels.GetPixel(corner.X + d % 2, corner.Y + d / 2), 0xFFFF0000u)
            << int(style) << " corner " << corner.X << "," << corner.Y;
      }
    }
    for (std::int32_t x = 7; x < 33; ++x) {
      EXPECT_EQ(f.Pixels.GetPixel(x, 5), 0xFF00FF00u) << "top edge spans 26 pixels, x " << x;
      EXPECT_EQ(f.Pixels.GetPixel(x, 15), 0xFF0000FFu) << "centre, x " << x;
    }
    EXPECT_EQ(f.Pixels.GetPixel(4, 5), 0xFF000000u);
    EXPECT_EQ(f.Pixels.GetPixel(35, 25), 0xFF000000u);
  }
}

TEST(SfRender, NarrowTilesRepeatExactly) {
  TSfBitmap strip;
  strip.Pixels.SetSize(2, 3);
  const TskColor colors[] = {0xFF110000, 0xFF002200, 0xFF000033};
  for (std::int32_t y = 0; y < 3; ++y) {
    strip.Pixels.SetPixel(0, y, 0xFFFFFFFF);
    strip.Pixels.SetPixel(1, y, colors[y]);
  }
  TCanvasFixture f(80, 60);
  TSfBitmapObject node;
  node.FBitmap.Bitmap = &strip;
  node.FBitmap.Rect = {1, 0, 2, 3}; // one pixel wide
  node.SetNodeBounds({3, 4, 73, 54});
  node.DrawNode(f.Canvas, {});
  for (std::int32_t y = 0; y < 60; ++y) {
    for (std::int32_t x = 0; x < 80; ++x) {
      const bool inside = x >= 3 && x < 73 && y >= 4 && y < 54;
      ASSERT_EQ(f.Pixels.GetPixel(x, y), inside ? colors[(y - 4) % 3] : 0xFF000000u) << x << "," << y;
    }
  }
}

TEST(SfRender, BitmapObjectRules) {
  const TSfBitmap bmp = MakeLinkBitmap();
  struct TCase {
    const char* Name;
    bool Resolved;
    TColor Color;
    TskColor AtNode, AtChild;
  };
  for (const TCase& c :
       {TCase{"drawn", true, 0xFFFFFF, 0xFFFF0000, 0xFF00FF00},
        TCase{"no colour: no bitmap, but the children", true, kSfNoColor, 0xFF000000, 0xFF00FF00},
        TCase{"missing bitmap: nothing, not even children", false, 0xFFFFFF, 0xFF000000, 0xFF000000}}) {
    TCanvasFixture f(20, 20);
    TSfBitmapObject node;
    node.FBitmap.Name = "nine";
    node.FBitmap.Rect = {0, 0, 10, 10};
    node.FTileStyle = tsStretch;
    node.FColor = c.Color;
    auto* child = Child(node, "c", saNone, 4, 4);
    child->FLeft = 8;
    child->FColor = 0x00FF00; // green as TColor
    TSfBitmapList list;
    if (c.Resolved) {
      auto b = std::make_unique<TSfBitmap>();
      b->Name = "nine";
      b->Pixels = bmp.Pixels.Clone();
      list.push_back(std::move(b));
    }
    node.AfterLoad(list);
    node.SetNodeBounds({0, 0, 20, 20});
    node.DrawNode(f.Canvas, {});
    EXPECT_EQ(f.Pixels.GetPixel(0, 0), c.AtNode) << c.Name;
    EXPECT_EQ(f.Pixels.GetPixel(9, 1), c.AtChild) << c.Name;
  }
}

TEST(SfRender, SeparatorShadowAndDisabledText) {
  TCanvasFixture f(60, 20);
  TSfSkinObject sep;
  sep.FColor = kSfNoColor;
  sep.FFont.Color = 0x0000FF; // red
  sep.FNodeText = L"-";
  sep.SetNodeBounds({10, 2, 50, 11});
  sep.DrawNode(f.Canvas, {});
  for (std::int32_t x = 0; x < 60; ++x) {
    for (std::int32_t y = 0; y < 20; ++y) {
      const bool on = y == 5 && x >= 13 && x < 47;
      ASSERT_EQ(f.Pixels.GetPixel(x, y), on ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
    }
  }
  TCanvasFixture g(60, 20);
  TSfSkinObject label;
  label.FColor = kSfNoColor;
  label.FFont.Color = 0xFFFFFF;
  label.FTextEffect = teShadow;
  label.FTextAlign = taTopLeft;
  label.FNodeText = L"I";
  label.SetNodeBounds({0, 0, 60, 20});
  label.DrawNode(g.Canvas, {});
  // "I" starts with a full top row at y = scale (1 here): white, and its shadow one lower.
  EXPECT_EQ(g.Pixels.GetPixel(0, 1), 0xFFFFFFFFu);
  EXPECT_EQ(g.Pixels.GetPixel(3, 2), 0xFF808080u);
  label.FNodeEnabled = false;
  label.DrawNode(g.Canvas, {});
  EXPECT_EQ(g.Pixels.GetPixel(0, 1), 0xFF808080u);
}

TEST(SfRender, StateVariantsAreRestoredAfterDrawing) {
  TCanvasFixture f(10, 10);
  TSfColorButtonObject button;
  button.FHotColor = 0x0000FF;
  button.FHotFont.Name = "Hot";
  button.SetNodeBounds({0, 0, 10, 10});
  button.SetNodeState(5);
  button.DrawNode(f.Canvas, {});
  EXPECT_EQ(f.Pixels.GetPixel(5, 5), 0xFFFF0000u);
  EXPECT_EQ(button.FColor, 0xFFFFFFu);
  EXPECT_EQ(button.FFont.Name, "Tahoma");
}

TEST(SfRender, CaptionButtonsFollowButtonsAndState) {
  TSfSkinObject caption;
  const TSfAction actions[] = {sbaClose,  sbaMinimize, sbaMaximize, sbaRestore,
                               sbaRollUp, sbaRollDown, sbaHelp};
  std::vector<TSfSystemButton*> buttons;
  for (TSfAction a : actions) {
    buttons.push_back(Child<TSfSystemButton>(caption, "b", saRight, 10, 10));
    buttons.back()->FAction = a;
  }
  auto visible = [&] {
    std::string s;
    for (auto* b : buttons) {
      s += b->FNodeVisible ? '1' : '0';
    }
    return s;
  };
  caption.SetNodeButtons(1 << 1);
  EXPECT_EQ(visible(), "1000000") << "only close";
  caption.SetNodeButtons(0x3FF);
  EXPECT_EQ(visible(), "1111111");
  caption.SetNodeState(2);
  EXPECT_EQ(visible(), "1101101") << "maximized: no maximize, no roll down";
  caption.SetNodeState(0);
  EXPECT_EQ(visible(), "1110101") << "normal: no restore, no roll down";
  caption.SetNodeState(3);
  EXPECT_EQ(visible(), "1001001") << "minimized";
  caption.SetNodeState(2);
  caption.SetNodeButtons(1 << 6);
  EXPECT_EQ(visible()[3], '1') << "restore follows bit 6 when maximized";
}

TEST(SfRender, HitTestAndRegion) {
  TSfSkinObject root;
  auto* a = Child(root, "a", saClient, 0, 0);
  auto* b = Child(root, "b", saClient, 0, 0);
  auto* hidden = Child(root, "hidden", saNone, 5, 5);
  auto* glass = Child(root, "glass", saNone, 5, 5);
  glass->FLeft = 10;
  glass->FKind = skTranparent;
  root.SetNodeBounds({0, 0, 20, 20});
  hidden->FNodeVisible = false;
  EXPECT_EQ(root.NodeHitTest({1, 1}), b) << "the last child wins; hidden nodes never answer";
  EXPECT_EQ(root.NodeHitTest({11, 1}), b) << "transparent kinds never answer";
  EXPECT_EQ(root.NodeHitTest({20, 5}), nullptr) << "the right edge is outside";
  (void)a;

  // A bitmap node whose top-left pixel is the key colour: the region leaves out exactly it.
  TSfBitmapList list;
  auto bmp = std::make_unique<TSfBitmap>();
  bmp->Name = "k";
  bmp->Pixels.SetSize(4, 3);
  bmp->Pixels.Fill(0xFF102030);
  bmp->Pixels.SetPixel(0, 0, skKeyColor);
  list.push_back(std::move(bmp));
  TSfBitmapObject shaped;
  shaped.FBitmap.Name = "k";
  shaped.FBitmap.Rect = {0, 0, 4, 3};
  shaped.AfterLoad(list);
  EXPECT_TRUE(shaped.FBitmap.Masks.Masked);
  shaped.SetNodeBounds({10, 20, 14, 23});
  TSfPixelTextEngine text;
  const std::vector<TskRect> runs = shaped.TreeRegion(text);
  EXPECT_EQ(runs, (std::vector<TskRect>{{11, 20, 14, 21}, {10, 21, 14, 23}}))
      << "rows of equal runs are one band";
  EXPECT_EQ(shaped.Bounds(), (TskRect{10, 20, 14, 23})) << "moved back after rendering";
}

} // namespace
