// Frame geometry and hit testing: the visible-button sets, the native layout of the caption
// strip, hit codes at the edges and corners, the states that cannot be sized, what the platform
// is told, and the flat theme's frame taking over when it defines the form object.
#include "form/SkFrameGeometry.h"
#include "theme/flat/SkFlatTheme.h"

#include <gtest/gtest.h>

namespace {

constexpr TskFrameMetrics kClassic{4, 18, 15, false};

TskFrameState State(TSkBorderIcons icons = SkIcons(kbiClose, kbiSystemMenu, kbiMinimize),
                    TSkWindowState ws = kwsNormal) {
  TskFrameState s;
  s.Icons = icons;
  s.WindowState = ws;
  s.FrameWidth = 300;
  s.FrameHeight = 200;
  return s;
}

TEST(SkFrameGeometry, VisibleButtonsFollowIconsStyleAndState) {
  const TSkBorderIcons calc = SkIcons(kbiClose, kbiSystemMenu, kbiMinimize);
  struct TRow {
    TSkBorderStyle Style;
    TSkBorderIcons Icons;
    TSkWindowState State;
    std::uint16_t Bits;
  } rows[] = {
      {kbsStandard, calc, kwsNormal, 0x1C0B},
      {kbsStandard, calc, kwsMinimized, 0x1C13},
      {kbsStandard, kSkDefaultBorderIcons, kwsNormal, 0x1EAB},
      {kbsStandard, kSkDefaultBorderIcons, kwsMaximized, 0x1ECB},
      {kbsStandard, kSkDefaultBorderIcons, kwsRollup, 0x1F6B},
      {kbsStandard, kSkDefaultBorderIcons, kwsTray, 0x1FFB},
      {kbsNone, kSkDefaultBorderIcons, kwsNormal, 0},
      {kbsBorder, calc, kwsNormal, 0},
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(SkVisibleButtons(r.Style, r.Icons, r.State), r.Bits) << int(r.Style) << " " << int(r.State);
  }
}

TEST(SkFrameGeometry, NativeClientAndCaptionButtonsOfTheCalculatorSet) {
  const TskFrameGeometry g(State(), kClassic, nullptr, "default");
  EXPECT_FALSE(g.Themed());
  EXPECT_EQ(g.ClientArea(), (TskRect{4, 22, 296, 196}));
  // Strip from y 5 to 22 (17 high): icon square at the left, close then minimise at the right.
  EXPECT_EQ(g.ButtonRect(kbiSystemMenu), (TskRect{4, 5, 21, 22}));
  EXPECT_EQ(g.ButtonRect(kbiClose), (TskRect{279, 7, 294, 20}));
  EXPECT_EQ(g.ButtonRect(kbiMinimize), (TskRect{262, 7, 277, 20}));
  for (TSkBorderIcon absent : {kbiMaximize, kbiHelp, kbiRollup, kbiTray}) {
    EXPECT_TRUE(IsRectEmpty(g.ButtonRect(absent))) << int(absent);
  }
}

TEST(SkFrameGeometry, NativeHitCodesAtEdgesCornersAndButtons) {
  const TskFrameGeometry g(State(), kClassic, nullptr, "default");
  struct TRow {
    std::int32_t X, Y;
    std::uint8_t Code;
  } rows[] = {
      {150, 10, khtCaption}, {150, 100, khtNowhere}, {10, 10, khtSysMenu},
      {280, 10, khtClose},   {265, 10, khtMinimize}, {19, 1, khtTopLeft},
      {20, 1, khtTop},       {280, 1, khtTop},       {281, 1, khtTopRight},
      {1, 100, khtLeft},     {1, 19, khtTopLeft},    {1, 181, khtBottomLeft},
      {298, 100, khtRight},  {150, 198, khtBottom},  {299, 199, khtBottomRight},
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(g.HitTest(r.X, r.Y), r.Code) << r.X << "," << r.Y;
  }
}

TEST(SkFrameGeometry, SizingCornersAndTheThemesFrameFollowTheDensity) {
  // Native: the corners are 20 pixels long at 96 per inch, 30 at 144.
  TskFrameMetrics at144 = kClassic;
  at144.PixelsPerInch = 144;
  const TskFrameGeometry native(State(), at144, nullptr, "default");
  EXPECT_EQ(native.HitTest(29, 1), khtTopLeft);
  EXPECT_EQ(native.HitTest(30, 1), khtTop);
  EXPECT_EQ(native.HitTest(1, 171), khtBottomLeft);
  EXPECT_EQ(native.HitTest(1, 170), khtLeft);
  // Themed: the theme is told the density and its client area follows.
  auto theme = SkMakeTheme<TSkFlatTheme>();
  EXPECT_EQ(TskFrameGeometry(State(), at144, theme.get(), "default").WindowInfo().PixelsPerInch, 144);
  EXPECT_EQ(TskFrameGeometry(State(), at144, theme.get(), "default").ClientArea(),
            (TskRect{5, 35, 295, 195}));
  EXPECT_EQ(TskFrameGeometry(State(), kClassic, theme.get(), "default").ClientArea(),
            (TskRect{3, 23, 297, 197}));
}

TEST(SkFrameGeometry, StatesThatCannotBeSizedKeepCaptionAndButtonsOnly) {
  for (TSkWindowState ws : {kwsMaximized, kwsMinimized, kwsRollup}) {
    const TskFrameGeometry g(State(SkIcons(kbiClose, kbiSystemMenu, kbiMinimize), ws), kClassic, nullptr,
                             "x");
    EXPECT_EQ(g.HitTest(150, 1), khtCaption) << int(ws);
    EXPECT_EQ(g.HitTest(1, 100), khtNowhere) << int(ws);
    EXPECT_EQ(g.HitTest(280, 10), khtClose) << int(ws);
  }
}

TEST(SkFrameGeometry, ButtonStatesFollowTheMouseAndTheActiveFrame) {
  TskFrameState s = State();
  s.HotCode = khtClose;
  EXPECT_EQ(TskFrameGeometry(s, kClassic, nullptr, "d").ButtonState(kbiClose), bsHot);
  s.PressedCode = khtClose;
  s.LeftButtonHeld = true;
  EXPECT_EQ(TskFrameGeometry(s, kClassic, nullptr, "d").ButtonState(kbiClose), bsPressed);
  s.HotCode = khtMinimize; // moved off the pressed button
  EXPECT_EQ(TskFrameGeometry(s, kClassic, nullptr, "d").ButtonState(kbiClose), bsNormal);
  s.Active = false;
  EXPECT_EQ(TskFrameGeometry(s, kClassic, nullptr, "d").ButtonState(kbiMinimize), 3);
}

TEST(SkFrameGeometry, PlatformAnswersDependOnDraggingAndMaximised) {
  EXPECT_EQ(SkPlatformHit(khtCaption, true, true, false), TskPlatformHit::phCaption);
  EXPECT_EQ(SkPlatformHit(khtCaption, false, true, false), TskPlatformHit::phClient);
  EXPECT_EQ(SkPlatformHit(khtTopLeft, true, true, false), TskPlatformHit::phTopLeft);
  EXPECT_EQ(SkPlatformHit(khtTopLeft, true, false, false), TskPlatformHit::phClient);
  EXPECT_EQ(SkPlatformHit(khtRight, true, true, true), TskPlatformHit::phClient);
  EXPECT_EQ(SkPlatformHit(khtClose, false, false, true), TskPlatformHit::phClose);
  EXPECT_EQ(SkPlatformHit(khtRoll, true, true, false), TskPlatformHit::phBorder);
  EXPECT_EQ(SkPlatformHit(18, true, true, false), TskPlatformHit::phBorder);
}

TEST(SkFrameGeometry, FlatThemeTakesOverTheFrameWhenItDefinesTheObject) {
  auto flat = SkMakeTheme<TSkFlatTheme>();
  const TskFrameGeometry g(State(), kClassic, flat.get(), "someform");
  ASSERT_TRUE(g.Themed());
  EXPECT_EQ(g.ObjectName(), flat->WindowAvailable(0, "someform") ? "someform" : "default");
  const TskRect client = g.ClientArea();
  EXPECT_EQ(client, flat->WindowClientRect(0, g.WindowInfo(), g.ObjectName()));
  EXPECT_GT(client.Top, 0);
  const TskRect close = g.ButtonRect(kbiClose);
  ASSERT_FALSE(IsRectEmpty(close));
  EXPECT_EQ(g.HitTest((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2), khtClose);
  EXPECT_TRUE(IsRectEmpty(g.ButtonRect(kbiMaximize)));
  // Themed minimum height: everything that is not client.
  EXPECT_EQ(g.MinTrackSize(), (TskPoint{100, 200 - (client.Bottom - client.Top)}));
  // No theme: native geometry.
  EXPECT_FALSE(TskFrameGeometry(State(), kClassic, nullptr, "default").Themed());
}

// A theme that defines only the "default" form object.
class TDefaultOnlyTheme : public TSkFlatTheme {
public:
  bool WindowAvailable(std::uint8_t, TName name) override { return name == "default"; }
};

TEST(SkFrameGeometry, AMissingObjectFallsBackToDefaultOnlyWhenAllowed) {
  auto theme = SkMakeTheme<TDefaultOnlyTheme>();
  struct TRow {
    const char* Object;
    bool Fallback;
    bool Themed;
  } rows[] = {
      {"default", false, true},
      {"default", true, true},
      {"special", true, true},   // the current theme: "default" stands in
      {"special", false, false}, // a linked theme answers alone: the native look
  };
  for (const TRow& r : rows) {
    const TskFrameGeometry g(State(), kClassic, theme.get(), r.Object, r.Fallback);
    EXPECT_EQ(g.Themed(), r.Themed) << r.Object << " " << r.Fallback;
    if (!r.Themed) {
      EXPECT_EQ(g.ClientArea(), (TskRect{4, 22, 296, 196}));
    }
  }
}

TEST(SkFrameGeometry, TrackSizesWithShadowAndConstraints) {
  auto flat = SkMakeTheme<TSkFlatTheme>();
  // The flat frame of a 300 x 200 window: 3 px borders, a 23 px top: 26 px that are not client.
  constexpr std::int32_t kNonClient = 26;
  const TskRect maximized{0, 0, 1280, 990};
  struct TRow {
    const char* What;
    bool Themed;
    std::int32_t Shadow;
    TskSizeConstraints Constraints;
    TskPoint Min, Max;
  } rows[] = {
      {"native", false, 0, {}, {150, 40}, {1280, 990}},
      {"themed", true, 0, {}, {100, kNonClient}, {1280, 990}},
      {"themed with a shadow", true, 4, {}, {100, kNonClient + 4}, {1280, 990}},
      {"native, constrained", false, 0, {120, 30, 800, 600}, {120, 30}, {800, 600}},
      {"themed, smaller minimum height", true, 0, {120, 10, 0, 600}, {120, kNonClient}, {1280, 600}},
      {"themed, larger minimum height", true, 0, {0, 90, 700, 0}, {100, 90}, {700, 990}},
  };
  for (const TRow& r : rows) {
    TskFrameState s = State();
    s.ShadowSize = r.Shadow;
    s.Constraints = r.Constraints;
    const TskFrameGeometry g(s, kClassic, r.Themed ? flat.get() : nullptr, "default");
    EXPECT_EQ(g.MinTrackSize(), r.Min) << r.What;
    EXPECT_EQ(g.MaxTrackSize(maximized), r.Max) << r.What;
  }
}

TEST(SkFrameGeometry, ProposedSizesAreHeldToTheTrackSizes) {
  const TskPoint min{100, 26}, max{800, 600};
  struct TRow {
    TskPoint Proposed;
    TSkWindowState State;
    TskPoint Max;
    TskPoint Result;
  } rows[] = {
      {{300, 200}, kwsNormal, max, {300, 200}},
      {{20, 10}, kwsNormal, max, {100, 26}},
      {{5000, 4000}, kwsNormal, max, {800, 600}},
      {{5000, 4000}, kwsNormal, {0, 0}, {5000, 4000}}, // no maximum
      {{160, 0}, kwsRollup, max, {160, 0}},            // only the frame is left
      {{160, 0}, kwsMinimized, max, {160, 0}},
      {{5000, 0}, kwsRollup, max, {800, 0}},
      {{20, 10}, kwsMaximized, max, {100, 26}},
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(SkClampTrackSize(r.Proposed, min, r.Max, r.State), r.Result)
        << r.Proposed.X << "x" << r.Proposed.Y << " state " << int(r.State);
  }
}

} // namespace
