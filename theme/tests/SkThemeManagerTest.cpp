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

namespace {

// A form whose one handler counts theme changes.
class TCountingForm : public TComponent {
public:
  int Changes = 0;
  TNotifyEvent FindMethod(const std::string& name) const override {
    if (name != "FormThemeChanged") {
      return {};
    }
    auto* self = const_cast<TCountingForm*>(this);
    return [self](TComponent*) { ++self->Changes; };
  }
};

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char* const kDigits = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 15]);
  }
  return out;
}

} // namespace

// The engine's stored choices take effect as their setters would, one after the other: a later
// choice replaces one that took effect, an earlier one stays when a later one gives nothing.
TEST(TSkThemeEngine, StoredChoicesApplyInTheSettersOrder) {
  TskThemeManager& manager = TskThemeManager::Instance();
  manager.Reset();
  SkRegisterBuiltInThemes(manager);
  manager.RegisterThemeClass(SkThemeClassOf<TStoredTheme>());
  const auto dir = std::filesystem::temp_directory_path() /
                   ("skengine-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir);
  const auto sea = StoredThemeBytes("Sea", 0x123456);
  std::ofstream((dir / "sea.skt"), std::ios::binary)
      .write(reinterpret_cast<const char*>(sea.data()), std::streamsize(sea.size()));
  const std::string good = (dir / "sea.skt").string(), missing = (dir / "missing.skt").string();
  TskByteWriter one, empty;
  TSkThemeStream item;
  item.Name = "One";
  item.Data = StoredThemeBytes("One", 0x010101);
  item.Write(one);
  TSkThemeStream().Write(empty);
  const std::string list = "  TSkThemeList SkThemeList1 {\n"
                           "    Themes = <\n"
                           "      item {\n        ThemeStream = \"" + Hex(one.Bytes()) + "\"\n        Tag = 3\n      }\n"
                           "      item {\n        ThemeStream = \"" + Hex(empty.Bytes()) + "\"\n      }\n"
                           "    >\n  }\n";
  struct TCase {
    const char* Name;
    std::string Properties;
    bool WithList;
    std::string Expected; // the current theme's name, or "" for none
  };
  const TCase cases[] = {
      {"building alone", "ThemeBuilding = \"Flat\"", false, "Flat"},
      {"file alone", "ThemeFile = \"" + good + "\"", false, "Sea"},
      {"file that fails, then building", "ThemeFile = \"" + missing + "\"\nThemeBuilding = \"Flat\"", false, "Flat"},
      {"file that loads, then building", "ThemeFile = \"" + good + "\"\nThemeBuilding = \"Flat\"", false, "Flat"},
      {"file that loads, unknown building", "ThemeFile = \"" + good + "\"\nThemeBuilding = \"Default\"", false,
       "Sea"},
      {"file that fails alone", "ThemeFile = \"" + missing + "\"", false, ""},
      {"list item, then building", "ThemeList = SkThemeList1\nThemeIndex = 0\nThemeBuilding = \"Flat\"", true,
       "One"},
      {"empty list item keeps the building", "ThemeList = SkThemeList1\nThemeIndex = 1\nThemeBuilding = \"Flat\"",
       true, "Flat"},
  };
  for (const TCase& c : cases) {
    manager.ClearCurrentTheme();
    std::string props;
    for (std::size_t at = 0, next; at < c.Properties.size(); at = next + 1) {
      next = c.Properties.find('\n', at);
      next = next == std::string::npos ? c.Properties.size() : next;
      props += "    " + c.Properties.substr(at, next - at) + "\n";
    }
    const std::string text = "TForm1 Form1 {\n" + (c.WithList ? list : std::string()) +
                             "  TSkThemeEngine SkThemeEngine1 {\n" + props +
                             "    OnThemeChanged = FormThemeChanged\n  }\n}\n";
    const TLayoutReadResult read = ReadLayout(text);
    ASSERT_TRUE(read.Ok()) << c.Name << ": " << read.Error.ToString();
    TCountingForm form;
    const TLoadResult loaded =
        ReadComponents(form, "TForm1", *read.Root, [](const std::string& cls, TComponent&) -> std::unique_ptr<TComponent> {
          if (cls == "TSkThemeEngine") {
            return std::make_unique<TSkThemeEngine>();
          }
          if (cls == "TSkThemeList") {
            return std::make_unique<TSkThemeList>();
          }
          return nullptr;
        });
    ASSERT_TRUE(loaded.Ok()) << c.Name << ": " << loaded.Error;
    FinishLoading(loaded);
    const TskTheme* current = manager.CurrentTheme();
    EXPECT_EQ(current ? (current->ThemeConfig().BuiltIn ? current->BuildingName() : current->Name()) : "",
              c.Expected)
        << c.Name;
    EXPECT_GT(form.Changes, 0) << c.Name << ": OnThemeChanged from the layout";
    if (c.WithList) {
      auto* themes = dynamic_cast<TSkThemeList*>(form.FindComponent("SkThemeList1"));
      ASSERT_NE(themes, nullptr);
      ASSERT_EQ(themes->Count(), 2u);
      EXPECT_EQ(themes->Item(0)->Name, "One");
      EXPECT_EQ(themes->Item(0)->Tag, 3);
      EXPECT_TRUE(themes->Item(1)->Data.empty());
    }
  }
  // A damaged stored item makes the layout unreadable, with the item named.
  const TLayoutReadResult bad = ReadLayout("TForm1 Form1 {\n  TSkThemeList L {\n    Themes = <\n      item {\n"
                                           "        ThemeStream = \"02FFFF\"\n      }\n    >\n  }\n}\n");
  ASSERT_TRUE(bad.Ok());
  TCountingForm form;
  const TLoadResult refused = ReadComponents(form, "TForm1", *bad.Root, [](const std::string&, TComponent&) {
    return std::make_unique<TSkThemeList>();
  });
  EXPECT_FALSE(refused.Ok());
  EXPECT_NE(refused.Error.find("item 0"), std::string::npos) << refused.Error;
  manager.Reset();
  std::filesystem::remove_all(dir);
}
