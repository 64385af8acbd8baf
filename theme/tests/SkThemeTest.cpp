// The base theme: its answers, the shifts, text placement and the shared window algorithms.
#include "theme/SkTheme.h"
#include "theme/SkPixelCanvas.h"
#include "theme/flat/SkFlatTheme.h"

#include <gtest/gtest.h>

TEST(TskTheme, BaseThemeSkinsNothing) {
  auto theme = SkMakeTheme<TskTheme>();
  EXPECT_EQ(theme->BuildingName(), "Default");
  EXPECT_EQ(theme->Name(), "Default theme");
  EXPECT_FALSE(theme->ThemeConfig().BuiltIn);
  for (std::uint8_t kind : {0, 1, 6}) {
    EXPECT_FALSE(theme->WindowAvailable(kind, "default"));
    EXPECT_FALSE(theme->MenuAvailable(kind, "default"));
    EXPECT_FALSE(theme->ButtonAvailable(kind, "default"));
    EXPECT_FALSE(theme->PanelAvailable(kind, "default"));
  }
  EXPECT_TRUE(theme->CheckTransparent(0, "default"));
  EXPECT_TRUE(theme->TabTransparent(0, "default"));
  EXPECT_FALSE(theme->ButtonTransparent(0, "default"));
  EXPECT_EQ(theme->CheckGlyphSize(0, "default"), (TskPoint{13, 13}));
  EXPECT_EQ(theme->HintClientRect(0, {0, 0, 100, 50}, "default"), (TskRect{10, 13, 90, 37}));
  EXPECT_EQ(theme->Colors()[kcCaptionNormal], 0xFF0000u);
  EXPECT_EQ(theme->Colors()[kcBorder], 0u);
  EXPECT_EQ(theme->Fonts().Font(kfCaptionTextNormal).Color, 0xFFFFFFu);
  EXPECT_EQ(theme->Fonts().Font(kfButtonTextDisabled).Color, SkClassicSysColor(16)); // clBtnShadow made RGB
  TskByteWriter out;
  EXPECT_FALSE(theme->SaveToStream(out));
}

TEST(TskTheme, ShiftsKeepReferencesAtZeroAndNeverCompound) {
  TSkFlatTheme& theme = *SkMakeTheme<TSkFlatTheme>().release();
  std::unique_ptr<TSkFlatTheme> owner(&theme);
  EXPECT_EQ(theme.Colors()[kcWindow], 0xFF00000Fu); // a reference while unshifted
  const TColor sysFace = theme.SysColors().Lookup(0xFF00000F);

  struct Case {
    std::int32_t Hue, Brightness;
    TColor Border; // 0x8396A0 shifted
  } cases[] = {
      {0, 100, 0xE7FAFF}, {0, -100, 0x1F323C}, {0, 0, 0x8396A0}, {0, 50, 0xB5C8D2}, {0, 50, 0xB5C8D2}};
  for (const Case& c : cases) {
    theme.SetDeltas(c.Hue, c.Brightness);
    EXPECT_EQ(theme.Colors()[kcBorder], c.Border) << c.Brightness;
    EXPECT_EQ(theme.SysColors().Lookup(0xFF00000F), ShiftBrightness(sysFace, c.Brightness)) << c.Brightness;
  }
  EXPECT_EQ(theme.Colors()[kcWindow], ShiftBrightness(SkClassicSysColor(15), 50)); // plain RGB when shifted
  theme.SetDeltaBrightness(0);
  EXPECT_EQ(theme.Colors()[kcWindow], 0xFF00000Fu);
  EXPECT_EQ(theme.SysColors().Lookup(0xFF00000F), sysFace);

  // Brightness clamps per channel; hue shifts wrap around the circle.
  EXPECT_EQ(ShiftBrightness(0xC0C0C0, 100), 0xFFFFFFu);
  EXPECT_EQ(ShiftBrightness(0x202020, -100), 0x000000u);
  EXPECT_EQ(WrapHue255(250 + 10), 5);
  EXPECT_EQ(WrapHue255(3 - 10), 248);
  theme.SetDeltaHue(128);
  EXPECT_NE(theme.Colors()[kcCaptionNormal], 0x9CDEF7u);
  theme.SetDeltaHue(0);
  EXPECT_EQ(theme.Colors()[kcCaptionNormal], 0x9CDEF7u);
}

TEST(TskTheme, TextInfoPlacementFollowsTheAlignmentTable) {
  TskPixels pixels;
  pixels.SetSize(10, 10);
  TskPixelCanvas canvas(pixels);
  TskTheme theme;
  // "abc" measures 18 x 13 in a 100 x 50 rectangle.
  struct Case {
    std::uint8_t Alignment, Flags;
    TskRect Expected;
  } cases[] = {
      {0, 0, {0, 0, 100, 50}},
      {1, 0, {0, 18, 18, 31}},
      {2, 0, {0, 37, 18, 50}},
      {3, 0, {41, 0, 59, 13}},
      {4, 0, {41, 18, 59, 31}},
      {5, 0, {41, 37, 59, 50}},
      {6, 0, {82, 0, 100, 13}},
      {7, 0, {82, 18, 100, 31}},
      {8, 0, {82, 37, 100, 50}},
      {7, tfRightToLeft, {82, 18, 100, 31}},
      {1, tfRightToLeft, {82, 18, 100, 31}},
      {2, tfRightToLeft, {82, 37, 100, 50}},
  };
  for (const Case& c : cases) {
    TskTextInfo info{{0, 0, 100, 50}, L"abc", c.Alignment, c.Flags, 0};
    theme.PaintTextInfo(canvas, info);
    EXPECT_EQ(canvas.TextCalls().back().Rect, c.Expected) << int(c.Alignment) << "/" << int(c.Flags);
  }
  theme.PaintTextInfo(canvas, {{0, 0, 100, 50}, L"abc", 4, tfNoPrefix | tfSingleLine, 1});
  EXPECT_EQ(canvas.TextCalls().back().Rect,
            (TskRect{43, 14, 56, 36})); // 13 x 18 turned, 2 more above and below
  EXPECT_EQ(canvas.TextCalls().back().Rotation, 1);
  EXPECT_EQ(canvas.TextCalls().back().Bits, std::uint32_t(dtNoPrefix | dtSingleLine));
}

TEST(TskTheme, DrawTextBitsConvertToTextInfo) {
  struct Case {
    std::uint32_t Bits;
    std::uint8_t Alignment, Flags;
  } cases[] = {
      {0, 0, 0},
      {dtCenter, 3, 0},
      {dtRight, 6, 0},
      {dtVCenter, 1, 0},
      {dtVCenter | dtCenter, 4, 0},
      {dtVCenter | dtRight, 7, 0},
      {dtBottom, 2, 0},
      {dtBottom | dtCenter, 5, 0},
      {dtBottom | dtRight, 8, 0},
      {0x824, 1, tfNoPrefix | tfSingleLine},
      {dtRtlReading | dtWordBreak, 0, tfRightToLeft | tfWordBreak},
  };
  for (const Case& c : cases) {
    const TskTextInfo info = SkTextInfoFromDrawTextBits({1, 2, 3, 4}, L"x", c.Bits);
    EXPECT_EQ(info.Alignment, c.Alignment) << c.Bits;
    EXPECT_EQ(info.Flags, c.Flags) << c.Bits;
    EXPECT_EQ(info.Rotation, 0);
  }
}

TEST(TskTheme, HitTestThroughTheFlatGeometry) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  // The calculator's buttons: icon, close, minimize, and the frame's extra bits 10-12.
  const TskWindowInfo info = SkWindowInfo({0, 0, 300, 200}, L"Tabira", 0x1C0B);
  struct Case {
    std::int32_t X, Y;
    std::uint8_t Code;
  } cases[] = {{290, 10, khtClose},    {260, 10, khtMinimize},  {10, 10, khtSysMenu},
               {150, 10, khtCaption},  {0, 100, khtLeft},       {299, 199, khtBottomRight},
               {150, 100, khtNowhere}, {150, 0, khtTop},        {0, 0, khtTopLeft},
               {299, 0, khtTopRight},  {0, 199, khtBottomLeft}, {150, 198, khtBottom},
               {298, 100, khtRight},   {274, 10, khtCaption},   {300, 100, khtNowhere}};
  for (const Case& c : cases) {
    EXPECT_EQ(theme->WindowHitTest(0, info, "default", c.X, c.Y), c.Code) << c.X << "," << c.Y;
  }
}

TEST(TskTheme, GripperFillsWithWindowBorderAndDrawsTheGripWhenVisible) {
  auto theme = SkMakeTheme<TskTheme>();
  TskPixels pixels;
  pixels.SetSize(40, 40);
  pixels.Fill(0xFF00FF00);
  TskPixelCanvas canvas(pixels);
  theme->PaintWindowGripper(0, canvas, "default", {{10, 10, 30, 30}, 0});
  EXPECT_EQ(pixels.GetPixel(10, 10), 0xFF808080u);
  EXPECT_EQ(pixels.GetPixel(29, 29), 0xFF808080u);
  EXPECT_EQ(pixels.GetPixel(30, 30), 0xFF00FF00u);
  theme->PaintWindowGripper(0, canvas, "default", {{10, 10, 30, 30}, 1});
  // r = (17, 17, 29, 29): the triangle's corner lies on the gripper's last pixel, outlined black.
  EXPECT_EQ(pixels.GetPixel(29, 29), 0xFF000000u);
  EXPECT_EQ(pixels.GetPixel(30, 30), 0xFF00FF00u); // clipped to the rectangle
}
