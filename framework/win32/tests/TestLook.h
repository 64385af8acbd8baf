#pragma once
// The look a Win32 test run asks for. The test command runs the look-dependent tests twice:
// TABIRA_LOOK=themed with the visual style active in the prefix and TABIRA_LOOK=classic with
// it switched off (scripts/wine-exec.sh sets the theme manager's ThemeActive for the run).
// A test states which drawing path it took; the run fails when that is not the asked one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

enum class TTestLook { Either, Themed, Classic };

inline TTestLook ExpectedLook() {
  const char* look = std::getenv("TABIRA_LOOK");
  if (!look) {
    return TTestLook::Either;
  }
  return std::strcmp(look, "classic") == 0 ? TTestLook::Classic : TTestLook::Themed;
}

inline const char* LookName(bool themed) { return themed ? "themed" : "classic"; }

// themeInUse: what the control under test reports (0: classic drawing).
inline void ExpectLookTaken(int themeInUse) {
  const TTestLook want = ExpectedLook();
  if (want == TTestLook::Either) {
    return;
  }
  EXPECT_EQ(themeInUse != 0, want == TTestLook::Themed) << "this run asks for the other look";
}
