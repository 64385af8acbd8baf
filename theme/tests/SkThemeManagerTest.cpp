// The theme manager, the engine component and the theme list, with recording clients.
#include "theme/SkThemeManager.h"
#include "framework/LayoutLoader.h"
#include "theme/SkBuiltInThemes.h"
#include "theme/SkThemeEngine.h"
#include "theme/SkThemeLink.h"
#include "theme/SkThemeList.h"
#include "theme/flat/SkFlatTheme.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct TRecordingClient : ISkThemeClient {
  std::vector<std::pair<std::uint32_t, std::intptr_t>> Log;
  bool Visible = true;
  void ThemeNotify(std::uint32_t code, std::intptr_t param) override { Log.emplace_back(code, param); }
  bool WantsColorChanges() const override { return Visible; }
  std::vector<std::uint32_t> Codes() const {
    std::vector<std::uint32_t> out;
    for (const auto& [code, param] : Log) {
      out.push_back(code);
    }
    return out;
  }
};

// A theme class that stores its records behind a magic word, for the stream and file paths.
class TStoredTheme : public TskTheme {
public:
  static std::string GetBuildingName() { return "Stored"; }
  static TskThemeConfig GetThemeConfig() {
    return {false, true, true, "Stored themes (*.skt;*.SK2)|*.skt;*.SK2", "skt"};
  }
  static bool IsThemeStream(TskByteReader& in) {
    char magic[4];
    return in.ReadBytes(magic, 4) && std::string(magic, 4) == "SKT1";
  }
  std::string BuildingName() const override { return GetBuildingName(); }
  TskThemeConfig ThemeConfig() const override { return GetThemeConfig(); }
  bool SaveToStream(TskByteWriter& out) const override {
    out.WriteBytes("SKT1", 4);
    WriteStreamString(out, Name());
    SaveRecordsToStream(out);
    return true;
  }
  bool LoadFromStream(TskByteReader& in) override {
    std::string name;
    if (!IsThemeStream(in) || !ReadStreamString(in, name) || !LoadRecordsFromStream(in)) {
      return false;
    }
    SetName(name);
    return true;
  }
  bool LoadFromFile(const std::string& fileName) override {
    std::ifstream f(fileName, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), {});
    TskByteReader in(bytes);
    if (!LoadFromStream(in)) {
      return false;
    }
    FFileName = fileName;
    return true;
  }
};

std::vector<std::uint8_t> StoredThemeBytes(const std::string& name, TColor caption) {
  auto theme = SkMakeTheme<TStoredTheme>();
  theme->SetName(name);
  theme->Colors().SetColor(kcCaptionNormal, caption);
  TskByteWriter out;
  EXPECT_TRUE(theme->SaveToStream(out));
  return out.Bytes();
}

class ManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    SkRegisterBuiltInThemes(Manager);
    Manager.RegisterThemeClass(SkThemeClassOf<TStoredTheme>());
  }
  TskThemeManager Manager;
};

} // namespace

TEST_F(ManagerTest, NotificationsAroundSettingReplacingAndClearing) {
  TRecordingClient a, b;
  Manager.RegisterClient(&a);
  Manager.RegisterClient(&a);
  Manager.SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  EXPECT_EQ(a.Codes(), (std::vector<std::uint32_t>{1, 3, 2}));
  Manager.RegisterClient(&b);
  Manager.RegisterClient(&b); // registered twice: told once
  EXPECT_EQ(b.Codes(), (std::vector<std::uint32_t>{3}));
  Manager.SetCurrentTheme(SkMakeTheme<TskTheme>());
  EXPECT_EQ(a.Codes(), (std::vector<std::uint32_t>{1, 3, 2, 1, 0, 2}));
  // Handing back the current theme changes nothing and frees nothing.
  TskTheme* current = Manager.CurrentTheme();
  Manager.SetCurrentTheme(std::unique_ptr<TskTheme>(current));
  EXPECT_EQ(Manager.CurrentTheme(), current);
  EXPECT_EQ(current->Name(), "Default theme");
  EXPECT_EQ(a.Log.size(), 6u);
  Manager.ClearCurrentTheme();
  EXPECT_EQ(a.Codes(), (std::vector<std::uint32_t>{1, 3, 2, 1, 0, 2, 1, 4, 2}));
  EXPECT_EQ(Manager.CurrentTheme(), nullptr);
  Manager.UnregisterClient(&a);
  Manager.SetCurrentTheme(SkMakeTheme<TskTheme>());
  EXPECT_EQ(a.Log.size(), 9u);
  EXPECT_EQ(b.Codes(), (std::vector<std::uint32_t>{3, 1, 0, 2, 1, 4, 2, 1, 3, 2}));
}

TEST_F(ManagerTest, ShiftsBroadcastAndGoBackToZero) {
  TRecordingClient shown, hidden;
  hidden.Visible = false;
  Manager.RegisterClient(&shown);
  Manager.RegisterClient(&hidden);
  Manager.SetCurrentDeltaHue(10); // no theme: nothing
  EXPECT_TRUE(shown.Log.empty());
  Manager.SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  shown.Log.clear();
  hidden.Log.clear();
  Manager.SetCurrentDeltaBrightness(40);
  EXPECT_EQ(Manager.CurrentTheme()->Colors()[kcBorder], ShiftBrightness(0x8396A0, 40));
  Manager.SetCurrentDeltaBrightness(0);
  EXPECT_EQ(Manager.CurrentTheme()->Colors()[kcBorder], 0x8396A0u);
  Manager.SetCurrentDeltas(0, 0); // unchanged: nothing
  Manager.SystemSettingsChanged();
  EXPECT_EQ(shown.Log, (std::vector<std::pair<std::uint32_t, std::intptr_t>>{{5, 1}, {5, 1}, {5, 0}}));
  EXPECT_TRUE(hidden.Log.empty());
}

TEST_F(ManagerTest, ClassesForFilesCompareWholeExtensionsIgnoringCase) {
  struct Case {
    const char* File;
    bool Found;
  } cases[] = {{"a.skt", true},     {"A.SKT", true}, {"dir/b.sk2", true}, {"a.sk", false},
               {"a.sktx", false},   {"a.k", false},  {"skt", false},      {"dir.skt/file", false},
               {"a.Stored", false}, {"", false}};
  for (const Case& c : cases) {
    const TskThemeClass* found = Manager.FindThemeClassForFile(c.File);
    EXPECT_EQ(found != nullptr, c.Found) << c.File;
    if (found) {
      EXPECT_EQ(found->BuildingName(), "Stored");
    }
  }
  EXPECT_EQ(Manager.ThemeClassCount(), 4u);
  EXPECT_EQ(Manager.ThemeClassAt(4), nullptr);
  EXPECT_EQ(Manager.ThemeClassAt(1)->BuildingName(), "Flat");
  EXPECT_EQ(Manager.ThemeClassAt(2)->BuildingName(), "OfficeXP");
}

TEST_F(ManagerTest, LoadsThemesFromStreamsAndFiles) {
  const auto bytes = StoredThemeBytes("Sea", 0x123456);
  TskByteReader in(bytes);
  auto theme = Manager.LoadThemeFromStream(in);
  ASSERT_TRUE(theme);
  EXPECT_EQ(theme->Name(), "Sea");
  EXPECT_EQ(theme->Colors()[kcCaptionNormal], 0x123456u);
  for (std::size_t cut : {std::size_t(3), std::size_t(20), bytes.size() - 1}) {
    TskByteReader part(std::span(bytes.data(), cut));
    EXPECT_FALSE(Manager.LoadThemeFromStream(part)) << cut;
  }
  const std::uint8_t junk[] = {1, 2, 3, 4, 5};
  TskByteReader none(junk);
  EXPECT_FALSE(Manager.LoadThemeFromStream(none));

  const auto dir = std::filesystem::temp_directory_path() /
                   ("sktheme-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "sea.SKT", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  std::ofstream(dir / "sea.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  Manager.SetProgramFolder(dir.string());
  auto byClass = Manager.LoadThemeFromFile((dir / "sea.SKT").string());
  ASSERT_TRUE(byClass);
  EXPECT_EQ(byClass->FileName(), (dir / "sea.SKT").string());
  EXPECT_TRUE(Manager.LoadThemeFromFile("sea.bin")); // in the program folder, recognised by content
  EXPECT_FALSE(Manager.LoadThemeFromFile("missing.skt"));
  EXPECT_FALSE(Manager.LoadThemeFromFile("c:missing.skt"));
  EXPECT_FALSE(Manager.LoadThemeFromFile(""));
  std::filesystem::remove_all(dir);
}

TEST_F(ManagerTest, EngineSelectsBuiltInThemesByName) {
  TRecordingClient watcher;
  Manager.RegisterClient(&watcher);
  TSkThemeEngine engine(nullptr, &Manager);
  int changed = 0;
  engine.OnThemeChanged = [&](TComponent*) { ++changed; };
  EXPECT_EQ(engine.ThemeBuilding(), "No theme");
  EXPECT_EQ(engine.ThemeIndex(), -1);
  EXPECT_EQ(engine.Version(), "1.0");
  engine.SetThemeBuilding("flat");
  EXPECT_EQ(engine.ThemeBuilding(), "Flat");
  ASSERT_NE(Manager.CurrentTheme(), nullptr);
  EXPECT_EQ(Manager.CurrentTheme()->BuildingName(), "Flat");
  EXPECT_EQ(changed, 1);
  TskTheme* flat = Manager.CurrentTheme();
  engine.SetThemeBuilding("Default"); // not built in
  EXPECT_EQ(engine.ThemeBuilding(), "No theme");
  EXPECT_EQ(Manager.CurrentTheme(), flat);
  engine.SetDeltaHue(20);
  EXPECT_EQ(flat->DeltaHue(), 20);
  engine.SetDeltaHue(0);
  EXPECT_EQ(flat->DeltaHue(), 0);
  EXPECT_EQ(flat->Colors()[kcCaptionNormal], 0x9CDEF7u);
}

TEST_F(ManagerTest, EngineSelectsListItemsAndClearsWithoutOne) {
  TComponent form;
  auto* list = form.Adopt(std::make_unique<TSkThemeList>());
  for (const char* name : {"One", "Two", "Three"}) {
    TSkThemeStream& item = list->Add();
    item.Name = name;
    item.Data = StoredThemeBytes(name, 0x010101);
  }
  TSkThemeStream& empty = list->Add();
  ASSERT_TRUE(empty.Data.empty());
  auto* engine = form.Adopt(std::make_unique<TSkThemeEngine>(nullptr, &Manager));
  engine->SetThemeList(list);
  engine->SetThemeIndex(2);
  EXPECT_EQ(Manager.CurrentTheme()->Name(), "Three");
  EXPECT_EQ(engine->ThemeIndex(), 2);
  TskTheme* three = Manager.CurrentTheme();
  engine->SetThemeIndex(7); // clamped to the last item, which is empty: nothing changes
  EXPECT_EQ(engine->ThemeIndex(), 3);
  EXPECT_EQ(Manager.CurrentTheme(), three);
  engine->SetThemeIndex(-1);
  EXPECT_EQ(Manager.CurrentTheme(), nullptr);
  engine->SetThemeIndex(0);
  EXPECT_EQ(engine->ThemeBuilding(), "No theme");
  EXPECT_EQ(engine->ThemeIndex(), 0);
}

TEST_F(ManagerTest, OlderListItemsHoldTheirThemeUntilTheListHasLoaded) {
  TskByteWriter out;
  const std::uint8_t kind = 1;
  out.WriteBytes(&kind, 1);
  const auto theme = StoredThemeBytes("Dusk", 0x202020);
  out.WriteBytes(theme.data(), theme.size());
  TSkThemeList list;
  TSkThemeStream& item = list.Add();
  TskByteReader in(out.Bytes());
  ASSERT_TRUE(item.Read(in, Manager));
  EXPECT_EQ(item.Name, "Dusk");
  ASSERT_TRUE(item.LoadedTheme);
  EXPECT_EQ(item.Data, theme); // stored again by its class
  list.Loaded();
  EXPECT_FALSE(item.LoadedTheme);
}

TEST(TSkThemeStream, StoredFormRoundTripsAndRejectsHostileSizes) {
  TskThemeManager manager;
  TSkThemeStream item;
  item.Name = "Sea";
  item.Data = {1, 2, 3, 4};
  TskByteWriter out;
  item.Write(out);
  TSkThemeStream copy;
  TskByteReader in(out.Bytes());
  ASSERT_TRUE(copy.Read(in, manager));
  EXPECT_EQ(copy.Name, "Sea");
  EXPECT_EQ(copy.Data, item.Data);

  TskByteWriter emptyOut;
  TSkThemeStream().Write(emptyOut);
  EXPECT_EQ(emptyOut.Bytes(), (std::vector<std::uint8_t>{0}));

  auto bytes = out.Bytes();
  bytes[1 + 4 + 3] = 200; // the size now exceeds the bytes left
  TSkThemeStream hostile;
  TskByteReader bad(bytes);
  EXPECT_FALSE(hostile.Read(bad, manager));
  EXPECT_EQ(hostile.Name, "(empty)");
  EXPECT_TRUE(hostile.Data.empty());
  const std::uint8_t oldForm[] = {1, 'x', 'y'}; // an older-form theme no class reads
  TskByteReader old(oldForm);
  EXPECT_FALSE(hostile.Read(old, manager));
}

TEST(TSkThemeEngine, ComesFromALayoutAndMakesTheFlatThemeCurrent) {
  TskThemeManager& manager = TskThemeManager::Instance();
  manager.Reset();
  SkRegisterBuiltInThemes(manager);
  const char* text = "TForm1 Form1 {\n"
                     "  TSkThemeEngine SkThemeEngine1 {\n"
                     "    DeltaHue = 0\n"
                     "    DeltaBrightness = 0\n"
                     "    ThemeBuilding = \"Flat\"\n"
                     "    Version = \"1.0\"\n"
                     "  }\n"
                     "}\n";
  const TLayoutReadResult read = ReadLayout(text);
  ASSERT_TRUE(read.Ok()) << read.Error.ToString();
  TComponent form;
  const TLoadResult loaded =
      ReadComponents(form, "TForm1", *read.Root, [](const std::string& cls, TComponent&) {
        return cls == "TSkThemeEngine" ? std::make_unique<TSkThemeEngine>() : nullptr;
      });
  ASSERT_TRUE(loaded.Ok()) << loaded.Error;
  EXPECT_EQ(manager.CurrentTheme(), nullptr); // nothing happens while the layout is read
  FinishLoading(loaded);
  ASSERT_NE(manager.CurrentTheme(), nullptr);
  EXPECT_EQ(manager.CurrentTheme()->BuildingName(), "Flat");
  auto* engine = dynamic_cast<TSkThemeEngine*>(form.FindComponent("SkThemeEngine1"));
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(engine->ThemeBuilding(), "Flat");
  EXPECT_EQ(SkPaintingTheme(), manager.CurrentTheme());
  EXPECT_TRUE(SkFamilyAvailable(TskThemeFamily::tfWindow, 0, "frTabira"));
  EXPECT_FALSE(SkFamilyAvailable(TskThemeFamily::tfScrollBar, 1, "frTabira"));
  manager.Reset();
}
