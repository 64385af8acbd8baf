// The theme named on tabira.exe's command line.
#include "app/ThemeChoice.h"
#include "skins/SfFileThemes.h"
#include "skins/tests/SfTestSkins.h"
#include "theme/SkBuiltInThemes.h"
#include "theme/SkThemeManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST(ThemeChoiceText, NamesTheFileAndTheBuiltInLook) {
  const std::string text = TabiraThemeFailureText("C:\\tema\\rusak.mskn");
  EXPECT_NE(text.find("\"C:\\tema\\rusak.mskn\""), std::string::npos);
  EXPECT_NE(text.find("tidak dapat dibaca"), std::string::npos);
  EXPECT_NE(text.find("tampilan bawaan"), std::string::npos);
}

} // namespace
