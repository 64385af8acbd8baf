// The visual-style theme without a platform: loading from an in-memory module, the window
// geometry, section drawing by pixels, the stored form and the shifts.
#include "theme/SkPixelCanvas.h"
#include "visualstyles/VsStoredForm.h"
#include "visualstyles/VsThemeMsStyles.h"
#include "visualstyles/tests/VsTestModule.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

// Frame f (0-based) of a strip is coloured kStrip[f]; the key colour marks see-through pixels.
constexpr std::uint32_t kStrip[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

const char* const kIni =
    "[SysMetrics]\r\n"
    "CaptionBarHeight=25\r\nBorderWidth=4\r\nSMCaptionBarHeight=15\r\nSMBorderWidth=3\r\n"
    "BtnFace = 10 20 30\r\nCaptionFont=Face, 12, Bold\r\nCaptionText=1 2 3\r\n"
    "Menu=200 200 200\r\n"
    "[Window]\r\nFillColor=1 2 3\r\n"
    "[Window.Caption]\r\nBgType=ImageFile\r\nImageFile=Strip.bmp\r\nImageCount=4\r\n"
    "SizingType=Stretch\r\nSizingMargins=1, 1, 1, 1\r\nContentAlignment=Center\r\nTextShadowColor=9 9 9\r\n"
    "[Window.Caption(Active)]\r\nTextShadowType=Single\r\nTextShadowOffset=1 2\r\n"
    "[Window.FrameLeft]\r\nBgType=BorderFill\r\nBorderSize=1\r\nBorderColor=255 0 0\r\n"
    "FillColor=0 0 255\r\n"
    "[Window.CloseButton]\r\nImageFile=Strip.bmp\r\nImageCount=4\r\nSizingType=TrueSize\r\n"
    "[Button.Pushbutton]\r\nFillColorHint=9 8 7\r\nTextColor=4 5 6\r\n";

TVsTestModule TestModule() {
  TVsTestModule m = VsModuleWith(kIni);
  m.Set("#2", "STRIP_BMP", VsDib24(40, 10, [](int x, int) { return kStrip[x / 10]; }));
  return m;
}

std::unique_ptr<TSkThemeMsStyles> LoadTest() {
  auto theme = std::make_unique<TSkThemeMsStyles>();
  TVsTestModule m = TestModule();
  EXPECT_TRUE(theme->LoadFromModule(m, "dir/test.msstyles")) << theme->LastError();
  return theme;
}

// Pixel colour as 0x00RRGGBB.
std::uint32_t At(const TskPixels& p, int x, int y) { return p.GetPixel(x, y) & 0xFFFFFF; }

TEST(VsTheme, ModuleGate) {
  struct TCase {
    const char* Name;
    std::function<void(TVsTestModule&)> Change;
    bool Loads;
  };
  const TCase cases[] = {
      {"complete module", [](TVsTestModule&) {}, true},
      {"no size names",
       [](TVsTestModule& m) {
         m.Resources.erase({"SIZENAMES", "#1"});
       },
       false},
      {"empty colour names", [](TVsTestModule& m) { m.Set("COLORNAMES", "#1", VsNameList({})); }, false},
      {"no description resource",
       [](TVsTestModule& m) {
         m.Resources.erase({"TEXTFILE", "TEST_INI"});
       },
       false},
      {"description shorter than its trailer",
       [](TVsTestModule& m) { m.Set("TEXTFILE", "TEST_INI", VsUtf16("AB")); }, false},
      {"file names without the first scheme's",
       [](TVsTestModule& m) {
         m.Set("SIZENAMES", "#1", VsNameList({"A", "B"}));
         m.Set("FILERESNAMES", "#1", VsNameList({}));
       },
       false},
      {"missing bitmap still loads",
       [](TVsTestModule& m) {
         m.Resources.erase({"#2", "STRIP_BMP"});
       },
       true},
  };
  for (const TCase& c : cases) {
    TVsTestModule m = TestModule();
    c.Change(m);
    TSkThemeMsStyles theme;
    EXPECT_EQ(theme.LoadFromModule(m, "x.msstyles"), c.Loads) << c.Name;
    EXPECT_EQ(theme.LastError().empty(), c.Loads) << c.Name << ": " << theme.LastError();
    EXPECT_EQ(theme.WindowAvailable(0, "default"), c.Loads) << c.Name;
  }
  auto theme = LoadTest();
  EXPECT_EQ(theme->Name(), "test");
  EXPECT_EQ(theme->FileName(), "dir/test.msstyles");
  EXPECT_EQ(theme->ColorNames(), std::vector<std::string>{"Normal"});
  ASSERT_EQ(theme->OriginalImages().Count(), 1u);
  EXPECT_EQ(theme->OriginalImages()[0].Name, "STRIP_BMP");
  EXPECT_EQ(theme->CaptionBarHeight(), 25);
  EXPECT_EQ(theme->SmallBorderWidth(), 3);
}

TEST(VsTheme, RecordsFromTheDescription) {
  auto theme = LoadTest();
  EXPECT_EQ(theme->SysColors().Lookup(0xFF00000F), 0x1E140Au);
  EXPECT_EQ(theme->SysColors().Lookup(0xFF000005), 0x646464u) << "missing keys read as 100 100 100";
  EXPECT_EQ(theme->MenuColor(), 0xC8C8C8u);
  const TskFontDesc& caption = theme->Fonts().Font(kfCaptionTextNormal);
  EXPECT_EQ(caption.Name, "Face");
  EXPECT_EQ(caption.Size, 12);
  EXPECT_EQ(caption.Color, 0x030201u);
  EXPECT_EQ(theme->Colors()[kcButtonNormal], 0x070809u);
  EXPECT_EQ(theme->Fonts().Font(kfButtonTextNormal).Color, 0x060504u);
}

TEST(VsTheme, WindowGeometry) {
  auto theme = LoadTest();
  const std::uint16_t closeMaxMin =
      (1 << kwbClose) | (1 << kwbMaximize) | (1 << kwbMinimize) | (1 << kwbIcon);
  const TskWindowInfo info = SkWindowInfo({0, 0, 300, 200}, L"Caption", closeMaxMin, wsActive);
  EXPECT_EQ(theme->WindowClientRect(0, info, "default"), (TskRect{4, 29, 296, 196}));
  EXPECT_EQ(theme->WindowClientRect(6, info, "default"), (TskRect{3, 18, 297, 197}));
  EXPECT_EQ(theme->WindowClientRect(3, info, "default"), info.Rect);
  struct TCase {
    std::uint16_t Buttons;
    std::uint8_t Button;
    TskRect Expected;
  };
  const std::uint16_t closeMin = (1 << kwbClose) | (1 << kwbMinimize);
  for (const TCase& c :
       {TCase{closeMaxMin, kwbClose, {274, 5, 295, 26}}, TCase{closeMaxMin, kwbMaximize, {251, 5, 272, 26}},
        TCase{closeMaxMin, kwbMinimize, {228, 5, 249, 26}}, TCase{closeMaxMin, kwbIcon, {4, 5, 25, 26}},
        TCase{closeMaxMin | (1 << kwbHelp), kwbHelp, {205, 5, 226, 26}},
        TCase{closeMin, kwbMinimize, {251, 5, 272, 26}}, TCase{closeMin, kwbMaximize, kSkNoRect},
        TCase{closeMaxMin | (1 << kwbRollUp), kwbRollUp, kSkNoRect}}) {
    const TskWindowInfo i = SkWindowInfo({0, 0, 300, 200}, L"", c.Buttons);
    EXPECT_EQ(theme->WindowButtonRect(0, i, "default", c.Button), c.Expected) << int(c.Button);
  }
  const TskWindowInfo small = SkWindowInfo({0, 0, 300, 200}, L"", 1 << kwbClose);
  EXPECT_EQ(theme->WindowButtonRect(6, small, "default", kwbClose), (TskRect{283, 4, 296, 17}));
  // No caption margins in the description: the top margin is the border width.
  EXPECT_EQ(theme->WindowCaptionRect(0, info, "default"), (TskRect{4 + 25, 4, 296, 29}));
  // The caption band answers caption where the base answers top border or nothing.
  EXPECT_EQ(theme->WindowHitTest(0, info, "default", 150, 10), khtCaption);
  EXPECT_EQ(theme->WindowHitTest(0, info, "default", 150, 1), khtTop);
  EXPECT_EQ(theme->WindowHitTest(0, info, "default", 1, 100), khtLeft);
}

TEST(VsTheme, EmptyThemeAnswersAndPaintsNothing) {
  TSkThemeMsStyles theme;
  const TskWindowInfo info = SkWindowInfo({0, 0, 100, 80}, L"x", 0x7F, wsActive);
  EXPECT_FALSE(theme.WindowAvailable(0, "default"));
  EXPECT_FALSE(theme.ButtonAvailable(0, "default"));
  EXPECT_EQ(theme.WindowClientRect(0, info, "default"), (TskRect{4, 29, 96, 76}));
  TskPixels pixels;
  ASSERT_TRUE(pixels.SetSize(100, 80));
  TskPixelCanvas canvas(pixels);
  theme.PaintWindow(0, canvas, "default", info);
  theme.PaintButton(0, canvas, "default", SkStateInfo({0, 0, 10, 10}, 1));
  theme.PaintGroupBox(0, canvas, "default", {{0, 0, 50, 50}, {5, 0, 20, 8}, 0});
  EXPECT_EQ(pixels.GetPixel(50, 10), 0u);
  EXPECT_EQ(theme.WindowRegion(0, info, "default").size(), std::size_t(76 - 29)) << "only the client rows";
}

TEST(VsTheme, MetricsAreBounded) {
  struct TCase {
    const char* Metrics;
    std::int32_t Caption, Border;
  };
  for (const TCase& c : {TCase{"CaptionBarHeight=99999999999\nBorderWidth=-7\n", 1024, 0},
                         TCase{"CaptionBarHeight=x\nBorderWidth=2, 3\n", 25, 2}, TCase{"", 25, 4}}) {
    TVsTestModule m = VsModuleWith(std::string("[SysMetrics]\n") + c.Metrics + "[Window]\nFillColor=1 1 1\n");
    TSkThemeMsStyles theme;
    ASSERT_TRUE(theme.LoadFromModule(m, "m.msstyles"));
    EXPECT_EQ(theme.CaptionBarHeight(), c.Caption) << c.Metrics;
    EXPECT_EQ(theme.BorderWidth(), c.Border) << c.Metrics;
  }
}

TEST(VsTheme, WindowRegionLeavesOutSeeThroughPixels) {
  // The caption's first frame has a key-coloured top-left pixel.
  TVsTestModule m =
      VsModuleWith("[Window]\nFillColor=1 1 1\n[Window.Caption]\nImageFile=c.bmp\nImageCount=2\n"
                   "ImageLayout=vertical\nSizingType=TrueSize\n"
                   "[Window.FrameLeft]\nFillColor=1 1 1\n");
  m.Set("#2", "C_BMP",
        VsDib24(20, 58, [](int x, int y) { return x == 0 && y == 0 ? 0xFF00FFu : 0x123456u; }));
  TSkThemeMsStyles theme;
  ASSERT_TRUE(theme.LoadFromModule(m, "r.msstyles"));
  const TskWindowInfo info = SkWindowInfo({0, 0, 20, 60}, L"", 0, wsActive);
  const std::vector<TskRect> runs = theme.WindowRegion(0, info, "default");
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs.front(), (TskRect{1, 0, 20, 1})) << "the key pixel is outside";
  EXPECT_EQ(runs.back().Bottom, 56) << "frame bottom and right have no section: outside";
}

TEST(VsTheme, CaptionTextFitsBesideTheButtons) {
  auto theme = LoadTest();
  const std::uint16_t buttons = (1 << kwbClose) | (1 << kwbMaximize) | (1 << kwbMinimize);
  const std::wstring caption(50, L'A');
  for (bool active : {true, false}) {
    const TskWindowInfo info = SkWindowInfo({0, 0, 300, 200}, caption, buttons, active ? wsActive : 0);
    TskPixels pixels;
    ASSERT_TRUE(pixels.SetSize(300, 200));
    TskPixelCanvas canvas(pixels);
    theme->PaintWindowCaption(0, canvas, "default", theme->WindowCaptionRect(0, info, "default"), info);
    const auto& calls = canvas.TextCalls();
    ASSERT_EQ(calls.size(), active ? 2u : 1u);
    // 300 less two borders and three button groups of 25 leaves 217 pixels: 33 characters of
    // 6 pixels and the ellipsis.
    const auto& text = calls.back();
    EXPECT_EQ(text.Text, std::wstring(33, L'A') + L"...");
    EXPECT_EQ(text.Rect, (TskRect{4, 4, 4 + 217, 29}));
    EXPECT_EQ(text.Bits, std::uint32_t(dtSingleLine | dtVCenter | dtNoPrefix | dtCenter));
    EXPECT_EQ(text.Font.Color, active ? 0x030201u : 0xFFFFFFu);
    if (active) {
      EXPECT_EQ(calls[0].Rect, OffsetRect(text.Rect, 1, 2)) << "shadow first, moved by its offset";
      EXPECT_EQ(calls[0].Font.Color, 0x090909u);
    }
  }
}

TEST(VsTheme, PaintWindowDrawsSectionsIntoTheirBands) {
  auto theme = LoadTest();
  TskPixels pixels;
  ASSERT_TRUE(pixels.SetSize(100, 60));
  pixels.Fill(0xFF777777);
  TskPixelCanvas canvas(pixels);
  for (auto [state, colour] : {std::pair{std::uint8_t(wsActive), kStrip[0]}, {std::uint8_t(0), kStrip[1]}}) {
    theme->PaintWindow(0, canvas, "default", SkWindowInfo({0, 0, 100, 60}, L"", 0, state));
    EXPECT_EQ(At(pixels, 50, 10), colour) << "caption frame by activity";
  }
  EXPECT_EQ(At(pixels, 0, 40), 0xFF0000u) << "left frame border";
  EXPECT_EQ(At(pixels, 2, 40), 0x0000FFu) << "left frame fill";
  EXPECT_EQ(At(pixels, 50, 40), 0x777777u) << "client untouched";
  // Close button: state 2 (pressed) is frame 3, drawn unscaled in the middle.
  theme->PaintWindowButton(0, canvas, "default", SkWindowButtonInfo({40, 30, 60, 50}, kwbClose, 2));
  EXPECT_EQ(At(pixels, 50, 40), kStrip[2]);
  EXPECT_EQ(At(pixels, 42, 40), 0x777777u);
}

TEST(VsTheme, SectionFramesAndSizing) {
  TvsImageList images;
  auto strip = std::make_unique<TvsImage>();
  ASSERT_TRUE(strip->Pixels.SetSize(40, 10));
  for (int x = 0; x < 40; ++x) {
    strip->Pixels.FillRect({x, 0, x + 1, 10}, 0xFF000000 | kStrip[x / 10]);
  }
  strip->Name = "STRIP";
  images.Add(std::move(strip));
  const TvsImageResolver resolve = [&](const std::string& n) { return images.IndexOf(n); };
  auto section = [&](std::vector<std::pair<std::string, std::string>> values) {
    TvsThemeObject o("s");
    TvsIniSection s{"s", std::move(values)};
    o.LoadSection(&s, images, resolve);
    return o;
  };
  const TvsThemeObject horizontal = section({{"ImageFile", "strip"}, {"ImageCount", "4"}});
  EXPECT_EQ(horizontal.FrameRect(horizontal.Image, 2, images), (TskRect{10, 0, 20, 10}));
  EXPECT_EQ(horizontal.FrameRect(horizontal.Image, 5, images), (TskRect{})) << "index beyond the count";
  EXPECT_EQ(horizontal.FrameRect(horizontal.Image, 0, images), (TskRect{}));
  const TvsThemeObject vertical =
      section({{"ImageFile", "strip"}, {"ImageCount", "2"}, {"ImageLayout", "vertical"}});
  EXPECT_EQ(vertical.FrameRect(vertical.Image, 2, images), (TskRect{0, 5, 40, 10}));
  const TvsThemeObject tooMany = section({{"ImageFile", "strip"}, {"ImageCount", "100"}});
  EXPECT_EQ(tooMany.FrameRect(tooMany.Image, 3, images), (TskRect{})) << "zero-width frames";

  struct TCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Values;
    std::int32_t Index;
    std::vector<std::pair<TskPoint, std::uint32_t>> Expected;
  };
  const std::uint32_t bg = 0x777777;
  const TCase cases[] = {
      {"stretched frame 2 fills the rectangle",
       {{"ImageFile", "strip"}, {"ImageCount", "4"}, {"SizingType", "stretch"}},
       2,
       {{{0, 0}, kStrip[1]}, {{29, 19}, kStrip[1]}, {{30, 0}, bg}}},
      {"true size: unscaled and centred",
       {{"ImageFile", "strip"}, {"ImageCount", "4"}, {"SizingType", "truesize"}},
       4,
       {{{10, 5}, kStrip[3]}, {{19, 14}, kStrip[3]}, {{9, 5}, bg}, {{20, 5}, bg}}},
      {"frame narrower than its sizing margins draws nothing",
       {{"ImageFile", "strip"}, {"ImageCount", "4"}, {"SizingMargins", "6, 6, 0, 0"}},
       1,
       {{{0, 0}, bg}, {{15, 10}, bg}}},
      {"index beyond the image count draws nothing",
       {{"ImageFile", "strip"}, {"ImageCount", "4"}, {"SizingType", "stretch"}},
       5,
       {{{0, 0}, bg}}},
      {"border fill: rings then fill",
       {{"BgType", "BorderFill"}, {"BorderSize", "2"}, {"BorderColor", "255 0 0"}, {"FillColor", "0 255 0"}},
       1,
       {{{0, 0}, 0xFF0000}, {{1, 1}, 0xFF0000}, {{2, 2}, 0x00FF00}, {{29, 19}, 0xFF0000}}},
      {"huge border size is bounded by the rectangle",
       {{"BgType", "BorderFill"}, {"BorderSize", "2147483647"}, {"BorderColor", "255 0 0"}},
       1,
       {{{15, 10}, 0xFF0000}, {{0, 0}, 0xFF0000}}},
      {"tile horizontal: columns tiled, rows stretched",
       {{"ImageFile", "strip"}, {"SizingType", "tilehorizontal"}},
       1,
       {{{25, 15}, kStrip[2]}, {{5, 19}, kStrip[0]}, {{15, 0}, kStrip[1]}, {{30, 0}, bg}}},
      {"tile vertical: rows tiled, columns stretched",
       {{"ImageFile", "strip"}, {"SizingType", "tilevertical"}},
       1,
       {{{29, 15}, kStrip[3]}, {{0, 19}, kStrip[0]}, {{30, 0}, bg}, {{5, 20}, bg}}},
      {"bgtype none draws nothing", {{"BgType", "None"}, {"FillColor", "1 1 1"}}, 1, {{{5, 5}, bg}}},
  };
  for (const TCase& c : cases) {
    const TvsThemeObject o = section(c.Values);
    TskPixels pixels;
    ASSERT_TRUE(pixels.SetSize(40, 30));
    pixels.Fill(0xFF000000 | bg);
    TskPixelCanvas canvas(pixels);
    o.DrawSection(canvas, {0, 0, 30, 20}, c.Index, {}, images);
    for (const auto& [p, colour] : c.Expected) {
      EXPECT_EQ(At(pixels, p.X, p.Y), colour) << c.Name << " at " << p.X << "," << p.Y;
    }
  }
  // A clip limits drawing to the parts that meet it.
  const TvsThemeObject fill = section({{"FillColor", "0 0 255"}});
  TskPixels pixels;
  ASSERT_TRUE(pixels.SetSize(40, 30));
  TskPixelCanvas canvas(pixels);
  fill.DrawSection(canvas, {0, 0, 30, 20}, 1, {0, 0, 10, 10}, images);
  EXPECT_EQ(At(pixels, 5, 5), 0x0000FFu);
  EXPECT_EQ(At(pixels, 15, 15), 0u);
}

TEST(VsTheme, StoredFormRoundTrip) {
  auto theme = LoadTest();
  TskByteWriter out;
  ASSERT_TRUE(theme->SaveToStream(out));
  std::vector<std::uint8_t> bytes = out.Bytes();
  bytes.push_back(0xAB); // whatever follows in a theme stream
  TskByteReader in(bytes);
  ASSERT_TRUE(TSkThemeMsStyles::IsThemeStream(in));
  in.Seek(0);
  TSkThemeMsStyles copy;
  ASSERT_TRUE(copy.LoadFromStream(in)) << copy.LastError();
  EXPECT_EQ(in.Remaining(), 1u);
  EXPECT_EQ(copy.Name(), theme->Name());
  EXPECT_EQ(copy.Description(), theme->Description());
  ASSERT_EQ(copy.OriginalImages().Count(), theme->OriginalImages().Count());
  const TvsImage& a = theme->OriginalImages()[0];
  const TvsImage& b = copy.OriginalImages()[0];
  EXPECT_EQ(b.Name, a.Name);
  EXPECT_EQ(b.Transparent, a.Transparent);
  EXPECT_EQ(b.AlphaBlend, a.AlphaBlend);
  ASSERT_EQ(b.Pixels.Width(), a.Pixels.Width());
  for (int y = 0; y < a.Pixels.Height(); ++y) {
    for (int x = 0; x < a.Pixels.Width(); ++x) {
      ASSERT_EQ(b.Pixels.GetPixel(x, y), a.Pixels.GetPixel(x, y));
    }
  }
  EXPECT_TRUE(copy.WindowAvailable(0, "default"));

  // Through a file with the extension "theme", and Assign.
  const std::string dir = ::testing::TempDir();
  const std::string file = dir + "/vs_roundtrip.theme";
  ASSERT_TRUE(theme->SaveToFile(file));
  TSkThemeMsStyles fromFile;
  ASSERT_TRUE(fromFile.LoadFromFile(file)) << fromFile.LastError();
  EXPECT_EQ(fromFile.Description(), theme->Description());
  TSkThemeMsStyles assigned;
  assigned.Assign(*theme);
  EXPECT_EQ(assigned.Description(), theme->Description());
  EXPECT_EQ(assigned.OriginalImages().Count(), 1u);
  std::remove(file.c_str());

  const std::string other = dir + "/vs_roundtrip.msstyles";
  EXPECT_FALSE(theme->SaveToFile(other));
  EXPECT_FALSE(std::filesystem::exists(other));
}

#ifndef _WIN32
// A save that cannot be completed (here: the process may not write files past a size) leaves
// the file saved before untouched.
TEST(VsTheme, FailedSaveKeepsThePreviousFile) {
  auto theme = LoadTest();
  const std::string file = ::testing::TempDir() + "/vs_keep.theme";
  ASSERT_TRUE(theme->SaveToFile(file));
  auto read = [&] {
    std::ifstream f(file, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  };
  const std::vector<char> before = read();
  ASSERT_GT(before.size(), 64u);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = before.size() / 2;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = theme->SaveToFile(file);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(read(), before) << "the previous file was cut";
  EXPECT_FALSE(std::filesystem::exists(file + ".part"));
  std::remove(file.c_str());
}
#endif

TEST(VsTheme, ThemeFilesMustBeStoredForms) {
  const std::string file = ::testing::TempDir() + "/desktop.theme";
  {
    std::ofstream f(file, std::ios::binary);
    f << "[Theme]\r\nDisplayName=Desktop\r\n[Control Panel\\Colors]\r\nWindow=255 255 255\r\n";
  }
  auto theme = LoadTest();
  const std::string before = theme->Description();
  EXPECT_FALSE(theme->LoadFromFile(file));
  EXPECT_NE(theme->LastError().find("not a stored visual-style theme"), std::string::npos)
      << theme->LastError();
  EXPECT_EQ(theme->Description(), before) << "a failed load leaves the theme as it was";
  const TvsLoadResult r = VsLoadThemeFile(file);
  EXPECT_EQ(r.Theme, nullptr);
  EXPECT_FALSE(r.Error.empty());
  EXPECT_FALSE(VsLoadThemeFile(::testing::TempDir() + "/missing.theme").Error.empty());
  std::remove(file.c_str());
}

TEST(VsTheme, HostileStoredForms) {
  auto theme = LoadTest();
  const std::vector<std::uint8_t> good =
      VsWriteStoredForm("n", "[Window]\nFillColor=1 1 1\n", theme->OriginalImages());
  auto packed = [](const std::vector<std::uint8_t>& content) {
    std::vector<std::uint8_t> out(std::begin(kVsMagic), std::end(kVsMagic));
    const std::vector<std::uint8_t> z = SfDeflate(content, 1);
    out.insert(out.end(), z.begin(), z.end());
    return out;
  };
  auto content = [](std::uint32_t count, std::int32_t w, std::int32_t h) {
    TSfWriter c;
    c.String("n");
    c.String("d");
    c.U32(count);
    c.String("img");
    c.I32(w);
    c.I32(h);
    return c.Data();
  };
  struct TCase {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
  };
  std::vector<std::uint8_t> truncated(good.begin(), good.end() - 10);
  std::vector<std::uint8_t> noMagic = good;
  noMagic[0] = 'X';
  std::vector<std::uint8_t> badZlib = good;
  badZlib[9] ^= 0xFF;
  const TCase cases[] = {
      {"no magic", noMagic},
      {"truncated", truncated},
      {"bad zlib stream", badZlib},
      {"image count beyond the limit", packed(content(0xFFFFFFFF, 1, 1))},
      {"count larger than the images", packed(content(3, 0, 0))},
      {"image side beyond the limit", packed(content(1, 1 << 20, 1))},
      {"most negative height", packed(content(1, 1, INT32_MIN))},
      {"pixels missing", packed(content(1, 1000, 1000))},
      {"magic alone", std::vector<std::uint8_t>(std::begin(kVsMagic), std::end(kVsMagic))},
  };
  for (const TCase& c : cases) {
    TvsStoredTheme stored;
    std::string error;
    EXPECT_FALSE(VsReadStoredForm(c.Bytes, stored, error)) << c.Name;
    EXPECT_FALSE(error.empty()) << c.Name;
    EXPECT_FALSE(theme->LoadFromBytes(c.Bytes)) << c.Name;
  }
  EXPECT_TRUE(theme->WindowAvailable(0, "default")) << "failed loads left the theme as it was";
}

TEST(VsTheme, ShiftsApplyOnceToTheOriginals) {
  auto theme = LoadTest();
  const TskColor original = theme->OriginalImages()[0].Pixels.GetPixel(0, 0);
  theme->SetDeltaHue(40);
  const TskColor once = theme->Images()[0].Pixels.GetPixel(0, 0);
  EXPECT_NE(once, original);
  theme->ApplyDefaults();
  theme->ApplyDefaults();
  EXPECT_EQ(theme->Images()[0].Pixels.GetPixel(0, 0), once) << "re-applying never shifts twice";
  EXPECT_EQ(theme->OriginalImages()[0].Pixels.GetPixel(0, 0), original);
  EXPECT_EQ(theme->Section("Window.FrameLeft")->BorderColor, ShiftHue(0x0000FF, 40));
  TskByteWriter out;
  ASSERT_TRUE(theme->SaveToStream(out));
  TvsStoredTheme stored;
  std::string error;
  ASSERT_TRUE(VsReadStoredForm(out.Bytes(), stored, error)) << error;
  EXPECT_EQ(stored.Images[0].Pixels.GetPixel(0, 0), original) << "the stored form keeps the originals";
  theme->SetDeltaHue(0);
  EXPECT_EQ(theme->Images()[0].Pixels.GetPixel(0, 0), original);
  EXPECT_EQ(theme->Section("Window.FrameLeft")->BorderColor, 0x0000FFu);
}

TEST(VsTheme, FamiliesPickFramesByState) {
  // Every section draws from one strip of 16 one-colour frames; the colour drawn tells the frame.
  std::string ini;
  for (const char* name : {"Button.Pushbutton", "button.checkbox", "button.radiobutton", "ScrollBar.ArrowBtn",
                           "ScrollBar.ThumbBtnVert", "tab", "tab.toptabitem", "header", "header.headeritem",
                           "toolbar.button", "rebar.gripper", "Window.MDICloseButton", "TrackBar",
                           "TrackBar.Thumb", "Progress.Chunk", "Combobox.DropDownButton", "status.gripper"}) {
    ini += std::string("[") + name + "]\nImageFile=Frames.bmp\nImageCount=16\nSizingType=Stretch\n";
  }
  TVsTestModule m = VsModuleWith(ini);
  m.Set("#2", "FRAMES_BMP", VsDib24(64, 4, [](int x, int) { return std::uint32_t(x / 4 + 1) * 0x0A0B0C; }));
  TSkThemeMsStyles theme;
  ASSERT_TRUE(theme.LoadFromModule(m, "f.msstyles")) << theme.LastError();
  using TPaint = std::function<void(ISkPaintCanvas&, const TskRect&, std::uint8_t)>;
  struct TCase {
    const char* Name;
    TPaint Paint;
    std::vector<std::pair<std::uint8_t, std::int32_t>> StateFrame;
  };
  const std::string d = "default";
  const TCase cases[] = {
      {"button",
       [&](auto& c, auto& r, auto s) { theme.PaintButton(0, c, d, SkStateInfo(r, s)); },
       {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 2}, {6, 5}, {7, 2}, {8, 3}, {9, 4}, {10, 3}, {11, 3}}},
      {"check box",
       [&](auto& c, auto& r, auto s) { theme.PaintCheck(0, c, d, SkStateInfo(r, s)); },
       {{0, 5},
        {1, 6},
        {2, 7},
        {3, 8},
        {4, 5},
        {5, 1},
        {6, 2},
        {7, 3},
        {8, 4},
        {9, 1},
        {10, 9},
        {11, 10},
        {12, 11},
        {13, 12},
        {14, 9}}},
      {"radio button",
       [&](auto& c, auto& r, auto s) { theme.PaintCheck(1, c, d, SkStateInfo(r, s)); },
       {{0, 5}, {5, 1}}},
      {"scroll arrow up",
       [&](auto& c, auto& r, auto s) { theme.PaintScrollElement(0, c, d, SkPartInfo(r, 0, s)); },
       {{0, 1}, {1, 3}, {2, 2}, {3, 4}}},
      {"scroll arrow, part 1",
       [&](auto& c, auto& r, auto s) { theme.PaintScrollElement(0, c, d, SkPartInfo(r, 1, s)); },
       {{0, 5}, {3, 8}}},
      {"scroll arrow, part 5",
       [&](auto& c, auto& r, auto s) { theme.PaintScrollElement(0, c, d, SkPartInfo(r, 5, s)); },
       {{0, 13}, {3, 16}}},
      {"scroll thumb",
       [&](auto& c, auto& r, auto s) { theme.PaintScrollElement(0, c, d, SkPartInfo(r, 9, s)); },
       {{1, 3}}},
      {"tab",
       [&](auto& c, auto& r, auto s) { theme.PaintTab(0, c, d, SkPartInfo(r, 0, s)); },
       {{0, 1}, {1, 2}, {2, 4}, {3, 3}, {4, 3}, {5, 4}}},
      {"tab scroll button, part 1",
       [&](auto& c, auto& r, auto s) { theme.PaintTabScrollButton(0, c, d, SkPartInfo(r, 1, s)); },
       {{0, 9}, {3, 12}}},
      {"header section",
       [&](auto& c, auto& r, auto s) { theme.PaintHeaderSection(0, c, d, SkPartInfo(r, 0, s)); },
       {{0, 1}, {1, 3}, {2, 1}, {3, 2}, {4, 2}, {5, 3}}},
      {"tool button",
       [&](auto& c, auto& r, auto s) { theme.PaintToolItem(0, c, d, SkPartInfo(r, 0, s)); },
       {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 5}, {6, 6}, {7, 3}}},
      {"rebar gripper",
       [&](auto& c, auto& r, auto s) { theme.PaintToolItem(0, c, d, SkPartInfo(r, 13, s)); },
       {{1, 2}}},
      {"child-window close in a menu bar",
       [&](auto& c, auto& r, auto s) { theme.PaintMenuItem(0, c, d, SkPartInfo(r, 9, s)); },
       {{0, 1}, {1, 2}, {2, 2}, {3, 3}}},
      {"track thumb",
       [&](auto& c, auto& r, auto s) { theme.PaintTrackThumb(0, c, d, SkPartInfo(r, 3, s)); },
       {{0, 1}, {4, 5}}},
      {"progress chunk",
       [&](auto& c, auto& r, auto s) { theme.PaintProgress(0, c, d, SkPartInfo(r, 3, s)); },
       {{0, 1}}},
      {"drop-down button",
       [&](auto& c, auto& r, auto s) { theme.PaintEditButton(0, c, d, SkPartInfo(r, s, 0)); },
       {{0, 1}, {1, 2}, {2, 3}, {3, 1}, {4, 4}}},
      {"edit button (kind 2 in the high byte)",
       [&](auto& c, auto& r, auto s) { theme.PaintEditButton(0, c, d, SkPartInfo(r, s, 2)); },
       {{0, 1}, {1, 2}, {2, 3}, {4, 4}}},
      {"status gripper",
       [&](auto& c, auto& r, auto) { theme.PaintStatusPanel(0, c, d, SkStateInfo(r, 3)); },
       {{0, 1}}},
  };
  for (const TCase& c : cases) {
    for (const auto& [state, frame] : c.StateFrame) {
      TskPixels pixels;
      ASSERT_TRUE(pixels.SetSize(20, 20));
      TskPixelCanvas canvas(pixels);
      c.Paint(canvas, {2, 2, 18, 18}, state);
      EXPECT_EQ(At(pixels, 10, 10), std::uint32_t(frame) * 0x0A0B0C) << c.Name << ", state " << int(state);
    }
  }
  EXPECT_TRUE(theme.ButtonAvailable(0, d));
  EXPECT_FALSE(theme.ButtonAvailable(4, d)) << "no spin sections";
  EXPECT_TRUE(theme.CheckAvailable(0, d));
  EXPECT_TRUE(theme.TrackAvailable(0, d));
  EXPECT_FALSE(theme.WindowAvailable(0, d));
  EXPECT_FALSE(theme.EditAvailable(0, d));
  EXPECT_TRUE(theme.BoxAvailable(0, d));
}

} // namespace
