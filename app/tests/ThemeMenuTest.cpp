// The entries of the "Tampilan" sub-menu, built from the theme files found.
#include "app/ThemeMenu.h"
#include "theme/SkBuiltInThemes.h"
#include "theme/SkThemeManager.h"
#include "skins/SfFileThemes.h"
#include "skins/tests/SfTestSkins.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string Describe(const std::vector<TTabiraThemeEntry>& entries) {
  std::string s;
  for (const TTabiraThemeEntry& e : entries) {
    s += (s.empty() ? "" : "|") + e.Name + "=" + e.Value;
  }
  return s;
}

TEST(ThemeMenu, EntriesFromTheFoldersFound) {
  struct TCase {
    TTabiraFoundThemes Found;
    const char* Expected;
  };
  const TCase cases[] = {
      {{}, "Flat=Flat|Office XP=OfficeXP"},
      {{{"C:\\t\\Tema\\b.mskn", "C:\\t\\Tema\\A.mskn"}, {}, {}},
       "Flat=Flat|Office XP=OfficeXP|A=C:\\t\\Tema\\A.mskn|b=C:\\t\\Tema\\b.mskn"},
      // Groups keep their order: program, user, platform; each sorted within.
      {{{"C:\\p\\Tema\\z.mskn"}, {"C:\\u\\Tabira\\Tema\\a.mskn"}, {"C:\\w\\Themes\\light\\light.msstyles"}},
       "Flat=Flat|Office XP=OfficeXP|z=C:\\p\\Tema\\z.mskn|a=C:\\u\\Tabira\\Tema\\a.mskn|"
       "light=C:\\w\\Themes\\light\\light.msstyles"},
      // The same file reached twice (case, slashes) is listed once, where it came first.
      {{{"C:\\p\\Tema\\s.mskn"}, {"c:/P/tema/S.MSKN", "C:\\u\\x.skn"}, {}},
       "Flat=Flat|Office XP=OfficeXP|s=C:\\p\\Tema\\s.mskn|x=C:\\u\\x.skn"},
      // Names keep dots inside, lose only the extension; no extension keeps the whole name.
      {{{"D:\\Tema\\biru.tua.mskn", "D:\\Tema\\polos", ""}, {}, {}},
       "Flat=Flat|Office XP=OfficeXP|biru.tua=D:\\Tema\\biru.tua.mskn|polos=D:\\Tema\\polos"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Describe(TabiraThemeEntries(c.Found)), c.Expected);
  }
}

TEST(ThemeMenu, CaptionsShowAmpersandsAsTheyAre) {
  const std::pair<const char*, const char*> cases[] = {
      {"Flat", "Flat"}, {"Hitam & Putih", "Hitam && Putih"}, {"&&", "&&&&"}, {"", ""}};
  for (const auto& [name, caption] : cases) {
    EXPECT_EQ(TabiraMenuCaption(name), caption) << name;
  }
}

TEST(ThemeMenu, CurrentEntryIgnoresCaseAndSlashes) {
  const std::vector<TTabiraThemeEntry> entries =
      TabiraThemeEntries({{"C:\\p\\Tema\\s.mskn"}, {}, {"C:\\w\\light.msstyles"}});
  const std::pair<const char*, int> cases[] = {{"Flat", 0},
                                               {"officexp", 1},
                                               {"c:/p/tema/S.mskn", 2},
                                               {"C:\\w\\light.msstyles", 3},
                                               {"C:\\w\\other.msstyles", -1},
                                               {"", -1}};
  for (const auto& [value, index] : cases) {
    EXPECT_EQ(TabiraThemeEntryIndex(entries, value), index) << value;
  }
}

// The value of the current theme is what the menu checks and the settings store.
TEST(ThemeMenu, ValueOfATheme) {
  TskThemeManager manager;
  SkRegisterBuiltInThemes(manager);
  SfRegisterFileThemes(manager);
  EXPECT_EQ(TabiraThemeValue(nullptr), "Flat");
  for (const char* building : {"Flat", "OfficeXP"}) {
    auto theme = manager.ThemeClassAt(0)->Create();
    for (std::size_t i = 0; i < manager.ThemeClassCount(); ++i) {
      if (manager.ThemeClassAt(i)->BuildingName() == building) {
        theme = manager.ThemeClassAt(i)->Create();
      }
    }
    EXPECT_EQ(TabiraThemeValue(theme.get()), building);
  }
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / "tabira-theme-menu-value.mskn";
  std::vector<std::uint8_t> skin;
  ASSERT_TRUE(MakeThemeSkin().SaveToStream(skin, fkMaxCompression));
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
  auto loaded = manager.LoadThemeFromFile(file.string());
  fs::remove(file);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(TabiraThemeValue(loaded.get()), file.string());
}

} // namespace
