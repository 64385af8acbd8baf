#include "maskedit/look/MxThemeInUse.h"

#include <gtest/gtest.h>

namespace {

using M = TMxThemeMode;

TEST(MxThemeTest, TruthTable) {
  struct TRow {
    M Mode;
    bool Global;
    M GlobalMode;
    bool UseXP, Styles, AppThemed, Native;
    int Expected;
  } rows[] = {
      // mode          global  gmode            useXP styles themed native  result
      {M::ttmNone, false, M::ttmPlatform, true, true, true, false, 0},
      {M::ttmPlatform, false, M::ttmNone, true, true, true, false, 1},
      {M::ttmPlatform, false, M::ttmPlatform, false, true, true, false, 0}, // application switched styles off
      {M::ttmPlatform, false, M::ttmPlatform, true, false, true, false, 0}, // platform has no styles
      {M::ttmPlatform, false, M::ttmPlatform, true, true, false, false, 0}, // application not themed
      {M::ttmPlatform, true, M::ttmNone, true, true, true, false, 0},       // the global mode wins
      {M::ttmNone, true, M::ttmPlatform, true, true, true, false, 1},
      {M::ttmNative, false, M::ttmNone, true, true, true, false, 1}, // no provider: platform rule
      {M::ttmNative, false, M::ttmNone, true, false, false, false, 0},
      {M::ttmNative, false, M::ttmNone, false, false, false, true, 2}, // the provider draws
      {M::ttmPlatform, false, M::ttmNone, true, true, true, true, 1},  // provider only for ttmNative
  };
  for (const TRow& r : rows) {
    TMxThemeInputs in{r.Mode, r.Global, r.GlobalMode, r.UseXP, r.Styles, r.AppThemed, r.Native};
    EXPECT_EQ(ThemeInUse(in), r.Expected) << static_cast<int>(&r - rows);
  }
}

TEST(MxThemeTest, ThemedFrameStateFirstMatchWins) {
  using S = TMxThemedFrameState;
  EXPECT_EQ(ThemedFrameState(false, true, true, true), S::Disabled);
  EXPECT_EQ(ThemedFrameState(true, true, true, true), S::ReadOnly);
  EXPECT_EQ(ThemedFrameState(true, false, true, true), S::Hot);
  EXPECT_EQ(ThemedFrameState(true, false, false, true), S::Focused);
  EXPECT_EQ(ThemedFrameState(true, false, false, false), S::Normal);
}

} // namespace
