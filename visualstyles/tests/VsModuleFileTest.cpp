// Visual-style modules read from their file's bytes: the resource directory of a program file
// made by the test, the theme loaded from such a file, and every malformed form of it (cut
// short, bytes flipped, counts and sizes at and past the limits, huge names) refused with a
// reason while the theme loaded before stays as it was.
#include "visualstyles/VsModuleFile.h"
#include "theme/SkFilePath.h"
#include "visualstyles/VsThemeMsStyles.h"
#include "visualstyles/tests/VsTestModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

const char* const kIni = "[SysMetrics]\r\nCaptionBarHeight=21\r\n"
                         "[Window]\r\nFillColor=1 2 3\r\n"
                         "[Window.Caption]\r\nImageFile=Blue\\Strip.bmp\r\nImageCount=2\r\n";

TVsTestModule StyleModule() {
  TVsTestModule m = VsModuleWith(kIni);
  m.Set("#2", "BLUE_STRIP_BMP", VsDib24(8, 4, [](int x, int) { return x < 4 ? 0xFF0000u : 0x00FF00u; }));
  return m;
}

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  }
}
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}

// Where the test image keeps its parts (VsModuleImage's fixed layout).
constexpr std::size_t kSectionCount = 0x44 + 2;
constexpr std::size_t kSectionHeader = 0x44 + 20 + 240;
constexpr std::size_t kDirectory = 0x200;

// Loads the module bytes into a theme that already holds a style; a refusal must give a
// reason and keep that style.
struct TOutcome {
  bool Loaded = false;
  std::string Error;
};
TOutcome LoadInto(TSkThemeMsStyles& theme, std::vector<std::uint8_t> bytes) {
  const std::string before = theme.Description();
  TVsModuleFile module;
  TOutcome o;
  if (!module.Open(std::move(bytes))) {
    o.Error = module.Error();
  } else if (!theme.LoadFromModule(module, "case.msstyles")) {
    o.Error = theme.LastError();
  } else {
    o.Loaded = true;
  }
  if (!o.Loaded) {
    EXPECT_FALSE(o.Error.empty());
    EXPECT_EQ(theme.Description(), before) << o.Error;
  }
  return o;
}

TEST(VsModuleFile, ReadsTheResourcesOfAProgramFile) {
  const TVsTestModule m = StyleModule();
  const std::vector<std::uint8_t> image = VsModuleImage(m);
  TVsModuleFile module;
  ASSERT_TRUE(module.Open(image)) << module.Error();
  EXPECT_EQ(module.ResourceCount(), m.Resources.size());
  for (const auto& [id, bytes] : m.Resources) {
    const std::span<const std::uint8_t> found = module.Find(id.first, id.second);
    EXPECT_TRUE(std::equal(found.begin(), found.end(), bytes.begin(), bytes.end()))
        << id.first << "/" << id.second;
  }
  EXPECT_EQ(module.Find("textfile", "test_ini").size(), m.Resources.at({"TEXTFILE", "TEST_INI"}).size())
      << "names match ignoring case";
  EXPECT_EQ(module.Find("#0002", "BLUE_STRIP_BMP").size(), module.Find("#2", "BLUE_STRIP_BMP").size());
  EXPECT_TRUE(module.Find("TEXTFILE", "OTHER").empty());

  // Through a file, as the program loads a style.
  const std::string file = ::testing::TempDir() + "/vs_module_test.msstyles";
  {
    std::ofstream f(file, std::ios::binary);
    f.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
  }
  const TvsLoadResult r = VsLoadThemeFile(file);
  ASSERT_NE(r.Theme, nullptr) << r.Error;
  EXPECT_EQ(r.Theme->Name(), "vs_module_test");
  EXPECT_EQ(r.Theme->CaptionBarHeight(), 21);
  ASSERT_EQ(r.Theme->OriginalImages().Count(), 1u);
  EXPECT_EQ(r.Theme->OriginalImages()[0].Pixels.GetPixel(5, 1) & 0xFFFFFF, 0x00FF00u);
  std::remove(file.c_str());
}

TEST(VsModuleFile, MalformedModulesAreRefusedWithAReason) {
  const std::vector<std::uint8_t> good = VsModuleImage(StyleModule());
  TSkThemeMsStyles theme;
  ASSERT_TRUE(LoadInto(theme, good).Loaded);
  const std::string loaded = theme.Description();
  ASSERT_FALSE(loaded.empty());

  // Cut short anywhere before the end of the last resource's bytes; the padding after it may go.
  const std::size_t used = kDirectory + Get32(good, kSectionHeader + 8);
  for (std::size_t cut = 0; cut < good.size(); cut += cut < 0x240 ? 1 : 3) {
    const TOutcome o =
        LoadInto(theme, std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(cut)));
    EXPECT_EQ(o.Loaded, cut >= used) << "cut at " << cut << ": " << o.Error;
  }
  // Every byte flipped in turn: loaded or refused, never read outside the bytes.
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::vector<std::uint8_t> bytes = good;
    bytes[i] ^= 0xFF;
    (void)LoadInto(theme, bytes);
  }

  struct TCase {
    const char* Name;
    std::function<void(std::vector<std::uint8_t>&)> Change;
    const char* Reason;
  };
  const std::size_t typeEntries = kDirectory + 14;
  const TCase cases[] = {
      {"no program header", [](auto& b) { b[0] = 'X'; }, "program header"},
      {"sections past the limit", [](auto& b) { Put16(b, kSectionCount, 97); }, "sections"},
      {"sections at the limit, their headers cut short", [](auto& b) { Put16(b, kSectionCount, 96); },
       "needed"},
      {"section placed beyond the file", [](auto& b) { Put32(b, kSectionHeader + 20, 0xFFFFFF00); },
       "beyond the end of the file"},
      {"entries past the limit", [&](auto& b) { Put16(b, typeEntries, 0xFFFF); }, "more than 65536 entries"},
      {"entries at the limit, running past the directory",
       [&](auto& b) { Put16(b, typeEntries, std::uint16_t(65536 - b[kDirectory + 12])); }, ""},
      {"a type's names pointing back to the root",
       [&](auto& b) {
         // Every type's name directory is the root itself: entries multiply until the limit.
         const std::uint16_t types = std::uint16_t(b[kDirectory + 12] | b[kDirectory + 13] << 8) +
                                     std::uint16_t(b[typeEntries] | b[typeEntries + 1] << 8);
         for (std::size_t t = 0; t < types; ++t) {
           Put32(b, kDirectory + 16 + 8 * t + 4, 0x80000000u);
         }
       },
       ""},
      {"huge resource name",
       [](auto& b) {
         // The first named type's name: its length word.
         const std::size_t name = kDirectory + (Get32(b, kDirectory + 16) & 0x7FFFFFFF);
         Put16(b, name, 0xFFFF);
       },
       "characters"},
      {"name at the limit runs past the directory",
       [](auto& b) {
         const std::size_t name = kDirectory + (Get32(b, kDirectory + 16) & 0x7FFFFFFF);
         Put16(b, name, 256);
       },
       ""},
      {"resource number past 65535",
       [](auto& b) {
         // The last type is numbered (BITMAP, 2).
         const std::uint16_t types = std::uint16_t(b[kDirectory + 12] + b[kDirectory + 14]);
         Put32(b, kDirectory + 16 + 8 * (types - 1u), 0x10000);
       },
       "larger than 65535"},
      {"name directory beyond the directory",
       [](auto& b) {
         const std::uint32_t typeDir = Get32(b, kDirectory + 16 + 4) & 0x7FFFFFFF;
         Put32(b, kDirectory + typeDir + 16 + 4, 0x80000000u | 0x7FFFFFF0);
       },
       "beyond the resource directory"},
  };
  for (const TCase& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    c.Change(bytes);
    const TOutcome o = LoadInto(theme, bytes);
    EXPECT_FALSE(o.Loaded) << c.Name;
    EXPECT_NE(o.Error.find(c.Reason), std::string::npos) << c.Name << ": " << o.Error;
  }

  // The last resource's size at and past what the file has: its data entry holds its address
  // and size.
  const std::vector<std::uint8_t> dib = StyleModule().Resources.at({"#2", "BLUE_STRIP_BMP"});
  const std::size_t dibAt =
      std::size_t(std::search(good.begin(), good.end(), dib.begin(), dib.end()) - good.begin());
  const std::uint32_t dibRva = 0x1000 + std::uint32_t(dibAt - kDirectory);
  std::size_t entry = 0;
  for (std::size_t at = kDirectory; at + 8 <= dibAt; at += 4) {
    if (Get32(good, at) == dibRva && Get32(good, at + 4) == dib.size()) {
      entry = at;
    }
  }
  ASSERT_NE(entry, 0u) << "no data entry for the bitmap";
  const std::uint32_t room = std::uint32_t(good.size() - dibAt);
  for (const auto& [size, loads] :
       {std::pair{room, true}, std::pair{room + 1, false}, std::pair{0xFFFFFFFFu, false}}) {
    std::vector<std::uint8_t> bytes = good;
    Put32(bytes, entry + 4, size);
    EXPECT_EQ(LoadInto(theme, bytes).Loaded, loads) << size;
  }
  EXPECT_TRUE(LoadInto(theme, good).Loaded);
  EXPECT_EQ(theme.Description(), loaded);
}

TEST(VsModuleFile, ResourceNumbersAreChecked) {
  struct TCase {
    const char* Name;
    bool Valid;
  };
  for (const TCase& c : {TCase{"#0", true}, TCase{"#65535", true}, TCase{"#00002", true}, TCase{"NAME", true},
                         TCase{"#65536", false}, TCase{"#99999999999", false}, TCase{"#000002", false},
                         TCase{"#12a", false}, TCase{"#-1", false}, TCase{"#", false}, TCase{"", false}}) {
    std::string why;
    EXPECT_EQ(VsCheckResourceName(c.Name, why), c.Valid) << c.Name;
    EXPECT_EQ(why.empty(), c.Valid) << c.Name;
  }
  std::string why;
  EXPECT_FALSE(VsCheckResourceName(std::string(300, 'A'), why));

  // A module naming such a number for its description or an image is refused with the reason.
  const std::function<void(TVsTestModule&)> changes[] = {
      [](TVsTestModule& m) { m.Set("FILERESNAMES", "#1", VsNameList({"#99999999999"})); },
      [](TVsTestModule& m) { m.Set("FILERESNAMES", "#1", VsNameList({"#65536"})); },
      [](TVsTestModule& m) {
        m.Set("TEXTFILE", "TEST_INI", VsDescriptionResource("[Window]\r\nImageFile=#99999999999\r\n"));
      },
  };
  for (const auto& change : changes) {
    TVsTestModule m = StyleModule();
    change(m);
    TSkThemeMsStyles theme;
    TVsModuleFile module;
    ASSERT_TRUE(module.Open(VsModuleImage(m))) << module.Error();
    EXPECT_FALSE(theme.LoadFromModule(module, "x.msstyles"));
    EXPECT_NE(theme.LastError().find("resource number"), std::string::npos) << theme.LastError();
  }
}

} // namespace

namespace {

// A style with two colour schemes in two sizes: each description sets its own caption height.
TVsTestModule TwoSchemes() {
  TVsTestModule m;
  m.Set("COLORNAMES", "#1", VsNameList({"Normal", "Blue"}));
  m.Set("SIZENAMES", "#1", VsNameList({"NormalSize", "Large"}));
  m.Set("FILERESNAMES", "#1", VsNameList({"N_N", "N_L", "B_N", "B_L"}));
  int height = 20;
  for (const char* name : {"N_N", "N_L", "B_N", "B_L"}) {
    m.Set("TEXTFILE", name,
          VsDescriptionResource("[SysMetrics]\r\nCaptionBarHeight=" + std::to_string(height++) +
                                "\r\n[Window]\r\nFillColor=1 2 3\r\n"));
  }
  return m;
}

} // namespace

TEST(VsModuleFile, TheNamedSchemeAndSizeAreRead) {
  struct TCase {
    const char* Color;
    const char* Size;
    std::int32_t Scheme, SizeIndex, Caption;
  };
  for (const TCase& c : {TCase{"", "", 0, 0, 20}, TCase{"blue", "LARGE", 1, 1, 23},
                         TCase{"Blue", "NormalSize", 1, 0, 22}, TCase{"Normal", "Large", 0, 1, 21},
                         TCase{"Olive", "Large", 0, 1, 21}, TCase{"Blue", "Huge", 1, 0, 22}}) {
    TVsTestModule m = TwoSchemes();
    TSkThemeMsStyles theme;
    theme.SetScheme(c.Color, c.Size);
    ASSERT_TRUE(theme.LoadFromModule(m, "two.msstyles")) << theme.LastError();
    EXPECT_EQ(theme.ColorSchemeIndex(), c.Scheme) << c.Color << "/" << c.Size;
    EXPECT_EQ(theme.SizeIndex(), c.SizeIndex) << c.Color << "/" << c.Size;
    EXPECT_EQ(theme.CaptionBarHeight(), c.Caption) << c.Color << "/" << c.Size;
  }
  // A new theme starts with the platform's names.
  TSkThemeMsStyles::SetPlatformScheme("Blue", "Large");
  TSkThemeMsStyles theme;
  TVsTestModule m = TwoSchemes();
  ASSERT_TRUE(theme.LoadFromModule(m, "two.msstyles"));
  EXPECT_EQ(theme.CaptionBarHeight(), 23);
  TSkThemeMsStyles::SetPlatformScheme("", "");
  // A pair without its description falls back to the first scheme in the first size.
  m.Set("FILERESNAMES", "#1", VsNameList({"N_N", "N_L", "B_N"}));
  theme.SetScheme("Blue", "Large");
  ASSERT_TRUE(theme.LoadFromModule(m, "two.msstyles"));
  EXPECT_EQ(theme.CaptionBarHeight(), 20);
}
