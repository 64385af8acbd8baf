// The visual-style theme on the platform: modules opened as data files, windows framed by the
// theme's own painting (the skinned frame with the visual-style theme current; the platform's
// visual style is not what draws them), and the stored form of a real module. Two modules:
// the project's own test style (built next to this program from visualstyles/win32/tests/style)
// and the style Wine ships ("light"). Writes vs-own-style.bmp and vs-light-style.bmp
// (TABIRA_SHOT_DIR, else the working folder).
#include "form/win32/SkForm.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkGdiCanvas.h"
#include "theme/win32/SkThemeServices.h"
#include "visualstyles/win32/VsModule.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr std::uint16_t kButtons = (1 << kwbClose) | (1 << kwbMaximize) | (1 << kwbMinimize);
const char* const kLight = "C:\\windows\\resources\\themes\\light\\light.msstyles";

std::string BesideProgram(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of("\\/") + 1) + name;
}

std::string TempFile(const char* name) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

// 0x00RRGGBB of a theme colour (0x00BBGGRR) or a screen pixel (COLORREF).
std::uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

// The whole frame painted off-screen the way the skinned frame paints it.
void PaintFrame(TskTheme& theme, TskBitmap& bitmap, bool active) {
  TskGdiCanvas canvas(bitmap.DC());
  const TskWindowInfo info =
      SkWindowInfo({0, 0, bitmap.Width(), bitmap.Height()}, L"Visual style", kButtons, active ? wsActive : 0);
  theme.PaintWindow(0, canvas, "default", info);
  theme.PaintWindowCaption(0, canvas, "default", theme.WindowCaptionRect(0, info, "default"), info);
  for (std::uint8_t b : {kwbClose, kwbMaximize, kwbMinimize}) {
    theme.PaintWindowButton(0, canvas, "default",
                            SkWindowButtonInfo(theme.WindowButtonRect(0, info, "default", b), b, bsNormal));
  }
}

class VsThemeWin32 : public ::testing::Test {
protected:
  void SetUp() override {
    SkStartThemeServices();
    SkRegisterFormComponents();
  }
  void TearDown() override {
    Form.reset();
    PumpPending();
    TskThemeManager::Instance().ClearCurrentTheme();
  }
  // A form framed by the current theme, shown and settled.
  HWND ShowFramedForm(const char* caption) {
    Form = std::make_unique<TForm>("TVsDemo");
    EXPECT_EQ(
        Form->LoadFromText(std::string("TVsDemo D {\n  Caption = \"") + caption +
                           "\"\n  Left = 200\n  Top = 150\n  ClientWidth = 360\n  ClientHeight = 200\n"
                           "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize, "
                           "kbiMaximize]\n  }\n}\n"),
        "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(150);
    auto* frame = dynamic_cast<TSkForm*>(Form->FindComponent("SkForm1"));
    EXPECT_TRUE(frame && frame->Geometry().Themed());
    return Form->Handle();
  }
  std::unique_ptr<TForm> Form;
};

// The project's style offers two colour schemes; each frames a window in its own colours, and
// the platform's scheme name picks the one a new theme reads. Themed path: the frame is drawn
// by the visual-style theme. Writes vs-scheme-blue.bmp and vs-scheme-olive.bmp.
TEST_F(VsThemeWin32, EachColourSchemeFramesAWindow) {
  struct TCase {
    const char* Scheme;
    std::int32_t Index;
    std::uint32_t Frame;
    const char* Shot;
  };
  for (const TCase& c : {TCase{"Blue", 0, 0x0054E3, "vs-scheme-blue.bmp"},
                         TCase{"Olive", 1, 0x8F9E5D, "vs-scheme-olive.bmp"}}) {
    TSkThemeMsStyles::SetPlatformScheme(c.Scheme, "NormalSize");
    TvsLoadResult r = SkLoadVisualStyle(BesideProgram("tabira_test.msstyles"));
    ASSERT_NE(r.Theme, nullptr) << r.Error;
    EXPECT_EQ(r.Theme->ColorNames(), (std::vector<std::string>{"Blue", "Olive"}));
    EXPECT_EQ(r.Theme->ColorSchemeIndex(), c.Index) << c.Scheme;
    TskThemeManager::Instance().SetCurrentTheme(std::move(r.Theme));
    HWND w = ShowFramedForm(c.Scheme);
    const TScreenShot shot = GrabWindow(w);
    SaveShot(c.Shot, shot);
    EXPECT_EQ(Rgb(shot.At(2, shot.Height / 2)), c.Frame) << c.Scheme;
    Form.reset();
    Pump(50);
  }
  TSkThemeMsStyles::SetPlatformScheme("", "");
}

TEST_F(VsThemeWin32, OwnModulePaintsAWindow) {
  TvsLoadResult r = SkLoadVisualStyle(BesideProgram("tabira_test.msstyles"));
  ASSERT_NE(r.Theme, nullptr) << r.Error;
  TSkThemeMsStyles& theme = *r.Theme;
  EXPECT_EQ(theme.Name(), "tabira_test");
  EXPECT_EQ(theme.OriginalImages().Count(), 5u);
  EXPECT_EQ(theme.CaptionBarHeight(), 24);
  EXPECT_TRUE(theme.WindowAvailable(0, "default"));

  TskBitmap bitmap;
  bitmap.SetSize(300, 200);
  bitmap.Fill(0xFF00FF00);
  PaintFrame(theme, bitmap, true);
  const TvsImage& caption = theme.OriginalImages()[theme.OriginalImages().IndexOf("TABIRA_CAPTION_BMP")];
  // The caption band is 28 rows, the frame's height: rows map one to one.
  EXPECT_EQ(bitmap.GetPixel(150, 14) & 0xFFFFFF, caption.Pixels.GetPixel(20, 14) & 0xFFFFFF);
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFF00FF00u) << "rounded corner left see-through";
  EXPECT_EQ(bitmap.GetPixel(0, 100) & 0xFFFFFF, 0x002D96u) << "frame border";
  EXPECT_EQ(bitmap.GetPixel(2, 100) & 0xFFFFFF, 0x0054E3u) << "frame fill";
  const TskWindowInfo info = SkWindowInfo({0, 0, 300, 200}, L"", kButtons, wsActive);
  const TskRect close = theme.WindowButtonRect(0, info, "default", kwbClose);
  EXPECT_EQ(bitmap.GetPixel(close.Left + 3, close.Top + 10) & 0xFFFFFF, 0xD23C28u) << "close face, normal";
  const std::vector<TskRect> region = theme.WindowRegion(0, info, "default");
  ASSERT_FALSE(region.empty());
  EXPECT_EQ(region.front().Top, 0);
  EXPECT_GT(region.front().Left, 0) << "the rounded corner is outside the window's shape";

  // A real window framed by it.
  TskThemeManager::Instance().SetCurrentTheme(std::move(r.Theme));
  HWND w = ShowFramedForm("Own style");
  const TScreenShot shot = GrabWindow(w);
  SaveShot("vs-own-style.bmp", shot);
  RECT wr{};
  GetWindowRect(w, &wr);
  EXPECT_EQ(Rgb(shot.At(shot.Width / 2, 2)), caption.Pixels.GetPixel(20, 2) & 0xFFFFFF);
  EXPECT_EQ(Rgb(shot.At(0, shot.Height / 2)), 0x002D96u);
}

TEST_F(VsThemeWin32, LightStyleFramesAForm) {
  TvsLoadResult r = SkLoadVisualStyle(kLight);
  ASSERT_NE(r.Theme, nullptr) << r.Error;
  TSkThemeMsStyles& theme = *r.Theme;
  EXPECT_EQ(theme.Name(), "light");
  EXPECT_EQ(theme.ColorNames(), std::vector<std::string>{"Blue"});
  EXPECT_TRUE(theme.WindowAvailable(0, "default"));
  EXPECT_TRUE(theme.Section("Window.Caption")->Image.Valid());
  EXPECT_GT(theme.OriginalImages().Count(), 30u);
  EXPECT_EQ(theme.SysColors().Lookup(0xFF00000F), 0xF5F5F5u) << "BtnFace from the description";

  TskBitmap offscreen;
  offscreen.SetSize(300, 200);
  offscreen.Fill(0xFF000000);
  PaintFrame(theme, offscreen, true);

  TskThemeManager::Instance().SetCurrentTheme(std::move(r.Theme));
  HWND w = ShowFramedForm("Light style");
  const TScreenShot shot = GrabWindow(w);
  SaveShot("vs-light-style.bmp", shot);
  // Between the caption text and the buttons the caption rows look the same at any width;
  // the left frame band too.
  for (int y : {1, 4, 12, 20, 27}) {
    EXPECT_EQ(Rgb(shot.At(150, y)), offscreen.GetPixel(150, y) & 0xFFFFFF) << "row " << y;
  }
  for (int x : {0, 1, 2, 3}) {
    EXPECT_EQ(Rgb(shot.At(x, 100)), offscreen.GetPixel(x, 100) & 0xFFFFFF) << "column " << x;
  }
}

TEST_F(VsThemeWin32, LightStoredFormRoundTrip) {
  TvsLoadResult r = SkLoadVisualStyle(kLight);
  ASSERT_NE(r.Theme, nullptr) << r.Error;
  const std::string file = TempFile("tabira-light.theme");
  ASSERT_TRUE(r.Theme->SaveToFile(file));
  EXPECT_FALSE(r.Theme->SaveToFile(TempFile("tabira-light.msstyles")));
  TvsLoadResult back = SkLoadVisualStyle(file);
  ASSERT_NE(back.Theme, nullptr) << back.Error;
  EXPECT_EQ(back.Theme->Description(), r.Theme->Description());
  EXPECT_EQ(back.Theme->OriginalImages().Count(), r.Theme->OriginalImages().Count());
  for (bool active : {true, false}) {
    TskBitmap a, b;
    a.SetSize(240, 160);
    b.SetSize(240, 160);
    a.Fill(0xFF000000);
    b.Fill(0xFF000000);
    PaintFrame(*r.Theme, a, active);
    PaintFrame(*back.Theme, b, active);
    int differ = 0;
    for (int y = 0; y < 160; ++y) {
      for (int x = 0; x < 240; ++x) {
        differ += a.GetPixel(x, y) != b.GetPixel(x, y);
      }
    }
    EXPECT_EQ(differ, 0) << (active ? "active" : "inactive");
  }
  // The theme manager finds the class by the extension, and in a theme stream by the magic.
  VsRegisterThemeClass();
  TskThemeManager& manager = TskThemeManager::Instance();
  for (const std::string& name : {std::string(kLight), file}) {
    std::unique_ptr<TskTheme> managed = manager.LoadThemeFromFile(name);
    ASSERT_NE(dynamic_cast<TSkThemeMsStyles*>(managed.get()), nullptr) << name;
    EXPECT_TRUE(managed->WindowAvailable(0, "default")) << name;
  }
  TskByteWriter stream;
  ASSERT_TRUE(manager.SaveThemeToStream(r.Theme.get(), stream));
  TskByteReader in(stream.Bytes());
  std::unique_ptr<TskTheme> streamed = manager.LoadThemeFromStream(in);
  ASSERT_NE(dynamic_cast<TSkThemeMsStyles*>(streamed.get()), nullptr);
  EXPECT_EQ(in.Remaining(), 0u);
  std::remove(file.c_str());
  // A desktop-theme file with the same extension is refused with a reason.
  const std::string desktop = TempFile("tabira-desktop.theme");
  if (FILE* f = std::fopen(desktop.c_str(), "wb")) {
    std::fputs("[Theme]\r\nDisplayName=Desktop\r\n", f);
    std::fclose(f);
  }
  const TvsLoadResult refused = SkLoadVisualStyle(desktop);
  EXPECT_EQ(refused.Theme, nullptr);
  EXPECT_NE(refused.Error.find("not a stored visual-style theme"), std::string::npos) << refused.Error;
  std::remove(desktop.c_str());
  EXPECT_FALSE(SkLoadVisualStyle(TempFile("no-such-style.msstyles")).Error.empty());
}

} // namespace
