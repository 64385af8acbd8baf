// The theme named on tabira.exe's command line.
#include "app/ThemeChoice.h"
#include "skins/SfFileThemes.h"
#include "skins/tests/SfTestSkins.h"
#include "theme/SkBuiltInThemes.h"
#include "theme/SkThemeManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace {

namespace fs = std::filesystem;

class ThemeChoice : public ::testing::Test {
protected:
  void SetUp() override {
    SkRegisterBuiltInThemes(Manager);
    SfRegisterFileThemes(Manager);
    Dir = fs::temp_directory_path() /
          ("tabira-theme-choice-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(Dir);
    std::vector<std::uint8_t> skin;
    ASSERT_TRUE(MakeThemeSkin().SaveToStream(skin, fkMaxCompression));
    Write("good.mskn", skin);
    // The same bytes under a name no class claims: recognised by their signature.
    Write("stored.theme", skin);
    Write("damaged.mskn", {skin.begin(), skin.begin() + std::ptrdiff_t(skin.size() / 2)});
    Write("text.mskn", {'n', 'o', ' ', 's', 'k', 'i', 'n'});
  }
  void TearDown() override { fs::remove_all(Dir); }
  void Write(const char* name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(Dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  std::string Path(const char* name) const { return (Dir / name).string(); }

  TskThemeManager Manager;
  fs::path Dir;
};

TEST_F(ThemeChoice, ByNameOrFile) {
  struct TCase {
    std::vector<std::string> Args;
    const char* Building; // null: no theme
    bool Failed;
  };
  const TCase cases[] = {
      {{}, nullptr, false},
      {{""}, nullptr, false},
      {{"Flat"}, "Flat", false},
      {{"oFFICExp"}, "OfficeXP", false},
      {{Path("good.mskn"), "ignored"}, "Pellor 3 theme", false},
      {{Path("stored.theme")}, "Pellor 3 theme", false},
      {{Path("damaged.mskn")}, nullptr, true},
      {{Path("text.mskn")}, nullptr, true},
      {{Path("missing.mskn")}, nullptr, true},
      {{"Default"}, nullptr, true}, // the plain base look is no choice
  };
  for (const TCase& c : cases) {
    const std::string what = c.Args.empty() ? "(none)" : c.Args[0];
    TTabiraThemeChoice choice = ChooseTabiraTheme(c.Args, Manager);
    if (c.Building) {
      ASSERT_TRUE(choice.Theme) << what;
      EXPECT_EQ(choice.Theme->BuildingName(), c.Building) << what;
      if (std::string(c.Building) != "OfficeXP") { // it draws no window frame
        EXPECT_TRUE(choice.Theme->WindowAvailable(0, "default")) << what;
      }
    } else {
      EXPECT_FALSE(choice.Theme) << what;
    }
    EXPECT_EQ(choice.FailedFile, c.Failed ? c.Args[0] : std::string()) << what;
  }
}

// The argument wins for its run; a stored choice is used without one, and a stored theme that
// no longer loads gives no theme and no message, and is to be forgotten.
TEST_F(ThemeChoice, StartThemeFromArgumentOrStoredChoice) {
  struct TCase {
    std::vector<std::string> Args;
    std::optional<std::string> Stored;
    const char* Building; // null: no theme
    bool Failed;          // the argument is reported
    bool Forget;
  };
  const TCase cases[] = {
      {{}, std::nullopt, nullptr, false, false},
      {{}, "OfficeXP", "OfficeXP", false, false},
      {{}, "flat", "Flat", false, false},
      {{}, Path("good.mskn"), "Pellor 3 theme", false, false},
      {{}, "", nullptr, false, false},
      {{}, Path("missing.mskn"), nullptr, false, true},
      {{}, Path("damaged.mskn"), nullptr, false, true},
      {{}, "Default", nullptr, false, true},
      {{"Flat"}, Path("good.mskn"), "Flat", false, false},
      {{Path("good.mskn")}, "OfficeXP", "Pellor 3 theme", false, false},
      {{Path("missing.mskn")}, "OfficeXP", nullptr, true, false},
      {{""}, "OfficeXP", "OfficeXP", false, false},
  };
  for (const TCase& c : cases) {
    const std::string what = (c.Args.empty() ? "(none)" : c.Args[0]) + " / " + c.Stored.value_or("(none)");
    TTabiraStartTheme start = ChooseTabiraStartTheme(c.Args, c.Stored ? &*c.Stored : nullptr, Manager);
    if (c.Building) {
      ASSERT_TRUE(start.Theme) << what;
      EXPECT_EQ(start.Theme->BuildingName(), c.Building) << what;
    } else {
      EXPECT_FALSE(start.Theme) << what;
    }
    EXPECT_EQ(start.FailedFile, c.Failed ? c.Args[0] : std::string()) << what;
    EXPECT_EQ(start.ForgetStored, c.Forget) << what;
  }
}

TEST(ThemeChoiceText, NamesTheFileAndTheBuiltInLook) {
  const std::string text = TabiraThemeFailureText("C:\\tema\\rusak.mskn");
  EXPECT_NE(text.find("\"C:\\tema\\rusak.mskn\""), std::string::npos);
  EXPECT_NE(text.find("tidak dapat dibaca"), std::string::npos);
  EXPECT_NE(text.find("tampilan bawaan"), std::string::npos);
}

} // namespace
