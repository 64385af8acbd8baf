// The flat theme: defaults, window geometry, and its window, menu and panel families drawn
// into pixels.
#include "theme/flat/SkFlatTheme.h"
#include "theme/SkPixelCanvas.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr TskColor kBack = 0xFF00FF00; // a colour no element uses
TskColor Px(TColor c) { return ColorToSkColor(c, 255, &SkClassicSysColor); }
const TskColor kFace = Px(0xFF00000F), kBorder = Px(0x8396A0), kHot = Px(0xE1EAEB), kGrey = Px(0x808080),
               kWhite = Px(0xFFFFFF), kGold = Px(0x9CDEF7);

struct TPainted {
  TskPixels Pixels;
  std::unique_ptr<TskPixelCanvas> Canvas;
  TPainted(std::int32_t w, std::int32_t h) {
    Pixels.SetSize(w, h);
    Pixels.Fill(kBack);
    Canvas = std::make_unique<TskPixelCanvas>(Pixels, &SkClassicSysColor);
  }
  TskColor At(std::int32_t x, std::int32_t y) const { return Pixels.GetPixel(x, y); }
};

} // namespace

TEST(TSkFlatTheme, BuiltInTwoStepsKeepsTheFlatDefaults) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  EXPECT_EQ(theme->BuildingName(), "Flat");
  EXPECT_TRUE(theme->ThemeConfig().BuiltIn);
  EXPECT_FALSE(theme->ThemeConfig().CanSave);
  struct Case {
    TskColorIndex Index;
    TColor Value;
  } colors[] = {{kcCaptionNormal, 0x9CDEF7},
                {kcCaptionInactive, 0xFF00000F},
                {kcWindowBorder, 0x808080},
                {kcWindow, 0xFF00000F},
                {kcBorder, 0x8396A0},
                {kcButtonHot, 0xE1EAEB},
                {kcButtonPressed, 0x996633},
                {kcButtonFocused, 0x996633},
                {kcEditNormal, 0xFFFFFF},
                {kcEditSelection, 0xB59285},
                {kcGrid, 0xFFFFFF},
                {kcHint, 0},
                {kcBarDock, 0}};
  for (const Case& c : colors) {
    EXPECT_EQ(theme->Colors()[c.Index], c.Value) << kSkThemeColorNames[c.Index];
  }
  const TskFontDesc& caption = theme->Fonts().Font(kfCaptionTextNormal);
  EXPECT_EQ(caption, (TskFontDesc{"Tahoma", 10, 1, 0x000000, fsBold}));
  EXPECT_EQ(theme->Fonts().Font(kfCaptionTextInactive), (TskFontDesc{"Tahoma", 10, 1, 0x808080, fsBold}));
  EXPECT_EQ(theme->Fonts().Font(kfEditBoxTextSelected).Color, 0xFFFFFFu);
  EXPECT_EQ(theme->Fonts().Font(kfHeaderSectionTextDisabled).Color, 0u);
  // Fonts the look leaves alone keep their construction state (colours made RGB).
  EXPECT_EQ(theme->Fonts().Font(kfMenuItemTextNormal),
            (TskFontDesc{"Tahoma", 8, 1, SkClassicSysColor(8), 0}));
}

TEST(TSkFlatTheme, WindowGeometry) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  const TskRect w{0, 0, 300, 200};
  const std::uint16_t closeMin = (1 << kwbIcon) | (1 << kwbClose) | (1 << kwbMinimize);
  struct Case {
    const char* What;
    std::function<TskRect()> Ask;
    TskRect Expected;
  } cases[] = {
      {"client", [&] { return theme->WindowClientRect(0, SkWindowInfo(w, L"", 0), ""); }, {3, 23, 297, 197}},
      {"client dialog",
       [&] { return theme->WindowClientRect(1, SkWindowInfo(w, L"", 0), ""); },
       {3, 23, 297, 197}},
      {"client tool",
       [&] { return theme->WindowClientRect(6, SkWindowInfo(w, L"", 0), ""); },
       {3, 19, 297, 197}},
      {"client border",
       [&] { return theme->WindowClientRect(2, SkWindowInfo(w, L"", 0), ""); },
       {3, 3, 297, 197}},
      {"client none", [&] { return theme->WindowClientRect(4, SkWindowInfo(w, L"", 0), ""); }, w},
      {"caption", [&] { return theme->WindowCaptionRect(0, SkWindowInfo(w, L"", 0), ""); }, {3, 3, 297, 23}},
      {"close alone",
       [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", 1 << kwbClose), "", kwbClose); },
       {275, 3, 297, 23}},
      {"minimize",
       [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", closeMin), "", kwbMinimize); },
       {251, 3, 273, 23}},
      {"icon",
       [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", closeMin), "", kwbIcon); },
       {3, 4, 25, 22}},
      {"maximize",
       [&] {
         return theme->WindowButtonRect(0, SkWindowInfo(w, L"", closeMin | 1 << kwbMaximize), "",
                                        kwbMaximize);
       },
       {251, 3, 273, 23}},
      {"minimize beside maximize",
       [&] {
         return theme->WindowButtonRect(0, SkWindowInfo(w, L"", closeMin | 1 << kwbMaximize), "",
                                        kwbMinimize);
       },
       {227, 3, 249, 23}},
      {"minimize alone",
       [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", 1 << kwbMinimize), "", kwbMinimize); },
       {275, 3, 297, 23}},
      {"help last",
       [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", 0x2AE), "", kwbHelp); },
       {155, 3, 177, 23}},
      {"absent", [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", closeMin), "", kwbMaximize); },
       kSkNoRect},
      {"kind 10", [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", 0x1C0B), "", 10); },
       kSkNoRect},
      {"kind 12", [&] { return theme->WindowButtonRect(0, SkWindowInfo(w, L"", 0x1C0B), "", 12); },
       kSkNoRect},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.Ask(), c.Expected) << c.What;
  }
  // Frameless kinds give an empty caption.
  EXPECT_TRUE(IsRectEmpty(theme->WindowCaptionRect(4, SkWindowInfo(w, L"", 0), "")));
  EXPECT_TRUE(IsRectEmpty(theme->WindowCaptionRect(2, SkWindowInfo(w, L"", 0), "")));
}

TEST(TSkFlatTheme, WindowGeometryFollowsTheDensity) {
  // The 96-dpi lengths (edges 3, caption 23, tool caption 19, buttons 22 wide every 24, the
  // icon 22 wide from 4 down) scaled to the window's density; the Office XP look shares them.
  auto theme = SkMakeTheme<TSkFlatTheme>();
  const std::uint16_t closeMin = (1 << kwbIcon) | (1 << kwbClose) | (1 << kwbMinimize);
  struct {
    std::int32_t Dpi;
    TskRect Client, Tool, Caption, Close, Minimize, Icon;
  } rows[] = {
      {96,
       {3, 23, 297, 197},
       {3, 19, 297, 197},
       {3, 3, 297, 23},
       {275, 3, 297, 23},
       {251, 3, 273, 23},
       {3, 4, 25, 22}},
      {120,
       {4, 29, 296, 196},
       {4, 24, 296, 196},
       {4, 4, 296, 29},
       {268, 4, 296, 29},
       {238, 4, 266, 29},
       {4, 5, 32, 28}},
      {144,
       {5, 35, 295, 195},
       {5, 29, 295, 195},
       {5, 5, 295, 35},
       {262, 5, 295, 35},
       {226, 5, 259, 35},
       {5, 6, 38, 34}},
      {192,
       {6, 46, 294, 194},
       {6, 38, 294, 194},
       {6, 6, 294, 46},
       {250, 6, 294, 46},
       {202, 6, 246, 46},
       {6, 8, 50, 45}},
  };
  for (const auto& row : rows) {
    TskWindowInfo info = SkWindowInfo({0, 0, 300, 200}, L"", closeMin);
    info.PixelsPerInch = row.Dpi;
    EXPECT_EQ(theme->WindowClientRect(0, info, ""), row.Client) << row.Dpi;
    EXPECT_EQ(theme->WindowClientRect(6, info, ""), row.Tool) << row.Dpi;
    EXPECT_EQ(theme->WindowCaptionRect(0, info, ""), row.Caption) << row.Dpi;
    EXPECT_EQ(theme->WindowButtonRect(0, info, "", kwbClose), row.Close) << row.Dpi;
    EXPECT_EQ(theme->WindowButtonRect(0, info, "", kwbMinimize), row.Minimize) << row.Dpi;
    EXPECT_EQ(theme->WindowButtonRect(0, info, "", kwbIcon), row.Icon) << row.Dpi;
  }
}

TEST(TSkFlatTheme, WindowFramePixelsActiveAndInactive) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  for (const bool active : {true, false}) {
    TPainted p(300, 200);
    const TskWindowInfo info = SkWindowInfo({0, 0, 300, 200}, L"Tabira & co", 0x0B, active ? wsActive : 0);
    theme->PaintWindow(0, *p.Canvas, "default", info);
    theme->PaintWindowCaption(0, *p.Canvas, "default", theme->WindowCaptionRect(0, info, "default"), info);
    EXPECT_EQ(p.At(0, 100), kBorder);
    EXPECT_EQ(p.At(1, 100), kFace);
    EXPECT_EQ(p.At(2, 100), kFace);
    EXPECT_EQ(p.At(3, 100), kBack); // the client area is not painted here
    EXPECT_EQ(p.At(299, 199), kBorder);
    EXPECT_EQ(p.At(150, 3), kBorder); // caption outline
    EXPECT_EQ(p.At(150, 22), kBorder);
    EXPECT_EQ(p.At(150, 10), active ? kGold : kFace);
    ASSERT_EQ(p.Canvas->TextCalls().size(), 1u);
    const auto& text = p.Canvas->TextCalls()[0];
    EXPECT_EQ(text.Text, L"Tabira & co");
    EXPECT_EQ(text.Font.Color, active ? 0x000000u : 0x808080u);
    EXPECT_EQ(text.Font.Style, fsBold);
    EXPECT_EQ(text.Bits, std::uint32_t(dtNoPrefix | dtSingleLine));
    EXPECT_EQ(text.Rect.Left, 23);
    EXPECT_EQ(text.Rect.Top, 3 + (20 - 13) / 2);
  }
}

TEST(TSkFlatTheme, CaptionButtonsByState) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  const TskRect r{0, 0, 22, 20};
  struct Case {
    std::uint8_t State;
    TskColor Fill, InnerTopLeft, InnerBottomRight;
    bool Pushed;
  } cases[] = {
      {bsNormal, kFace, kFace, kFace, false},
      {bsHot, kHot, Px(ShiftBrightness(0xE1EAEB, 100)), Px(ShiftBrightness(0xE1EAEB, -100)), false},
      {bsPressed, kFace, Px(ShiftBrightness(SkClassicSysColor(15), -100)),
       Px(ShiftBrightness(SkClassicSysColor(15), 100)), true},
  };
  for (const Case& c : cases) {
    TPainted p(22, 20);
    theme->PaintWindowButton(0, *p.Canvas, "default", SkWindowButtonInfo(r, kwbClose, c.State));
    EXPECT_EQ(p.At(0, 0), kBorder);
    EXPECT_EQ(p.At(21, 19), kBorder);
    EXPECT_EQ(p.At(1, 1), c.InnerTopLeft) << int(c.State);
    EXPECT_EQ(p.At(20, 18), c.InnerBottomRight) << int(c.State);
    EXPECT_EQ(p.At(2, 10), c.Fill) << int(c.State);
    ASSERT_EQ(p.Canvas->GlyphCalls().size(), 1u);
    EXPECT_EQ(p.Canvas->GlyphCalls()[0].Glyph, TskMonoGlyph::mgClose);
    EXPECT_EQ(p.Canvas->GlyphCalls()[0].Pushed, c.Pushed);
    EXPECT_EQ(p.Canvas->GlyphCalls()[0].Rect, r);
  }
  // The tray square moves (1, 1) unless pressed.
  for (const std::uint8_t state : {bsNormal, bsPressed}) {
    TPainted p(22, 20);
    theme->PaintWindowButton(0, *p.Canvas, "default", SkWindowButtonInfo(r, kwbTray, state));
    const std::int32_t at = state == bsPressed ? 16 : 17;
    EXPECT_EQ(p.At(at, at - 2), Px(0));
    EXPECT_EQ(p.At(at + 2, at), Px(0));
    EXPECT_NE(p.At(at - 1, at - 3), Px(0));
  }
}

TEST(TSkFlatTheme, MenuPanelAndDockPixels) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  {
    TPainted p(150, 100);
    theme->PaintMenu(1, *p.Canvas, "default", {0, 0, 150, 100});
    EXPECT_EQ(p.At(0, 50), kGrey);
    EXPECT_EQ(p.At(1, 50), kFace); // the gutter (MenuGutter 0 + 2)
    EXPECT_EQ(p.At(2, 50), kWhite);
    theme->PaintMenuItem(1, *p.Canvas, "default", SkPartInfo({2, 10, 148, 25}, 1, 0)); // separator, height 15
    EXPECT_EQ(p.At(8, 17), kWhite); // 5 in, then past the gutter
    EXPECT_EQ(p.At(9, 17), kGrey);
    EXPECT_EQ(p.At(142, 17), kGrey);
    EXPECT_EQ(p.At(143, 17), kWhite);
    EXPECT_EQ(p.At(50, 16), kWhite);
    EXPECT_EQ(p.At(50, 18), kWhite);
    theme->PaintMenuItem(1, *p.Canvas, "default", SkPartInfo({2, 30, 148, 44}, 1, 0)); // height 14: no line
    for (std::int32_t y = 30; y < 44; ++y) {
      EXPECT_EQ(p.At(50, y), kWhite) << y;
    }
    theme->PaintMenuItem(1, *p.Canvas, "default", SkPartInfo({2, 50, 148, 70}, 0, 1)); // hot item
    EXPECT_EQ(p.At(2, 50), kBorder);
    EXPECT_EQ(p.At(50, 60), kHot);
    theme->PaintMenuItem(0, *p.Canvas, "default", SkPartInfo({2, 70, 60, 90}, 0, 2)); // open bar item
    EXPECT_EQ(p.At(2, 70), kGrey);
    EXPECT_EQ(p.At(30, 80), kFace);
  }
  {
    TPainted p(60, 40);
    theme->PaintPanel(0, *p.Canvas, "default", {5, 5, 55, 35});
    EXPECT_EQ(p.At(5, 5), kBorder);
    EXPECT_EQ(p.At(30, 20), kFace);
    theme->FlatBorder = false;
    theme->PaintPanel(0, *p.Canvas, "default", {5, 5, 55, 35});
    EXPECT_EQ(p.At(5, 5), Px(ShiftBrightness(SkClassicSysColor(15), 70)));
    EXPECT_EQ(p.At(54, 34), Px(ShiftBrightness(SkClassicSysColor(15), -70)));
    theme->PaintDock(0, *p.Canvas, "default", {0, 0, 60, 40});
    EXPECT_EQ(p.At(0, 0), kFace);
    EXPECT_EQ(theme->PanelClientRect(0, {5, 5, 55, 35}, ""), (TskRect{7, 7, 53, 33}));
  }
}

TEST(TSkFlatTheme, NoElementDrawsOutsideItsRectangle) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  TskPixels icon;
  icon.SetSize(32, 32);
  icon.Fill(0xFF0000FF);
  const TskGlyphImage image{&icon, TskDrawMode::dmCopy};
  using TPaint = std::function<void(ISkPaintCanvas&, const TskRect&)>;
  const std::pair<const char*, TPaint> ops[] = {
      {"window", [&](ISkPaintCanvas& c,
                     const TskRect& r) { theme->PaintWindow(0, c, "", SkWindowInfo(r, L"x", 0x0B, 1)); }},
      {"icon 32",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintWindowButton(0, c, "", {r, kwbIcon, 0, image});
       }},
      {"roll up",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintWindowButton(0, c, "", SkWindowButtonInfo(r, kwbRollUp, 2));
       }},
      {"roll down",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintWindowButton(0, c, "", SkWindowButtonInfo(r, kwbRollDown, 0));
       }},
      {"tray",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintWindowButton(0, c, "", SkWindowButtonInfo(r, kwbTray, 1));
       }},
      {"close pressed",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintWindowButton(0, c, "", SkWindowButtonInfo(r, kwbClose, 2));
       }},
      {"gripper",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintWindowGripper(0, c, "", {r, 1});
       }},
      {"menu", [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintMenu(1, c, "", r); }},
      {"separator",
       [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintMenuItem(1, c, "", SkPartInfo(r, 1, 0)); }},
      {"scroll item",
       [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintMenuItem(1, c, "", SkPartInfo(r, 3, 1)); }},
      {"check mark",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintMenuItemGlyph(1, c, "", SkPartInfo(r, 0, 1), SkGlyphInfo(r, {}, 0, gkCheck));
       }},
      {"image glyph",
       [&](ISkPaintCanvas& c, const TskRect& r) {
         theme->PaintMenuItemGlyph(1, c, "", SkPartInfo(r, 0, 1), SkGlyphInfo(r, image, 0, gkImageList));
       }},
      {"tool drop-down",
       [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintToolItem(0, c, "", SkPartInfo(r, 4, 1)); }},
      {"tool separator",
       [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintToolItem(0, c, "", SkPartInfo(r, 1, 0)); }},
      {"tool", [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintTool(0, c, "", r); }},
      {"panel", [&](ISkPaintCanvas& c, const TskRect& r) { theme->PaintPanel(0, c, "", r); }},
  };
  const TskRect sizes[] = {{20, 20, 28, 26}, {20, 20, 42, 40}, {20, 20, 23, 60}, {20, 20, 21, 21}};
  for (const auto& [name, paint] : ops) {
    for (const TskRect& r : sizes) {
      TPainted p(80, 80);
      paint(*p.Canvas, r);
      for (std::int32_t y = 0; y < 80; ++y) {
        for (std::int32_t x = 0; x < 80; ++x) {
          const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
          if (!inside) {
            ASSERT_EQ(p.At(x, y), kBack) << name << " at " << x << "," << y << " for " << r.Right;
          }
        }
      }
    }
    // An inverted rectangle is empty: nothing at all is drawn.
    TPainted p(80, 80);
    paint(*p.Canvas, {40, 40, 20, 20});
    for (std::int32_t y = 0; y < 80; ++y) {
      for (std::int32_t x = 0; x < 80; ++x) {
        ASSERT_EQ(p.At(x, y), kBack) << name << " inverted";
      }
    }
  }
}
