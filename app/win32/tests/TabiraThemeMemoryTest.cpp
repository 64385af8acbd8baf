// The look tabira.exe remembers per user (HKEY_CURRENT_USER\Software\Tabira, value "Tema"),
// with tabira.exe started as a child process: the stored choice is used at the next start, an
// argument wins over it for its run, and a stored skin that was deleted gives the flat frame
// without a message and is forgotten.
//
// Look: the flat frame and the demo skin are drawn by the skinned frame itself; the run's
// platform look plays no part, so this test runs once.
#include "app/win32/tests/TabiraDriver.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr const char* kKey = "Software\\Tabira";
constexpr const char* kValue = "Tema";

std::optional<std::string> Stored() {
  char text[1024]{};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(text);
}

void Store(const std::optional<std::string>& value) {
  if (value) {
    ASSERT_EQ(
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_SZ, value->c_str(), DWORD(value->size() + 1)),
        ERROR_SUCCESS);
  } else {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue);
  }
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A caption pixel away from text and buttons, once the program has started with `args`; also
// whether a message box came up.
struct TStart {
  COLORREF Caption = 0;
  bool Message = false;
};
TStart StartWith(const std::string& args) {
  TTabiraDriver d(args);
  TStart start;
  start.Message = d.WaitForMessage(300).has_value();
  d.Settle();
  Pump(200);
  const TScreenShot shot = GrabWindow(d.Window());
  start.Caption = shot.At(shot.Width / 2 + 40, 3);
  d.Close();
  return start;
}

class TabiraThemeMemory : public ::testing::Test {
protected:
  void SetUp() override {
    Before = Stored();
    const char* demo = std::getenv("TABIRA_DEMO_SKIN");
    ASSERT_TRUE(demo) << "TABIRA_DEMO_SKIN is not set";
    char dir[MAX_PATH]{};
    GetTempPathA(MAX_PATH, dir);
    Skin = std::string(dir) + "tabira-tersimpan.mskn";
    ASSERT_TRUE(CopyFileA(demo, Skin.c_str(), FALSE));
  }
  void TearDown() override {
    DeleteFileA(Skin.c_str());
    Store(Before);
  }
  std::optional<std::string> Before;
  std::string Skin;
};

TEST_F(TabiraThemeMemory, StoredChoiceArgumentPrecedenceAndSilentFallback) {
  Store(std::nullopt);
  const TStart flat = StartWith({});
  const TStart skin = StartWith(Quoted(Skin));
  ASSERT_FALSE(flat.Message);
  ASSERT_FALSE(skin.Message);
  ASSERT_NE(flat.Caption, skin.Caption) << "the skin's caption cannot be told from the flat one";
  EXPECT_EQ(Stored(), std::nullopt) << "an argument is not remembered";

  // The stored skin is used at the next start without an argument.
  Store(Skin);
  EXPECT_EQ(StartWith({}).Caption, skin.Caption);
  EXPECT_EQ(Stored(), Skin);

  // An argument wins for its run and leaves the stored choice as it was.
  EXPECT_EQ(StartWith("Flat").Caption, flat.Caption);
  EXPECT_EQ(Stored(), Skin);

  // The stored file is gone: the flat frame, no message, and the value is deleted.
  ASSERT_TRUE(DeleteFileA(Skin.c_str()));
  const TStart fallback = StartWith({});
  EXPECT_FALSE(fallback.Message);
  EXPECT_EQ(fallback.Caption, flat.Caption);
  EXPECT_EQ(Stored(), std::nullopt);

  // A stored built-in name is used as well.
  Store("OfficeXP");
  EXPECT_NE(StartWith({}).Caption, flat.Caption);
  EXPECT_EQ(Stored(), "OfficeXP");
}

} // namespace
