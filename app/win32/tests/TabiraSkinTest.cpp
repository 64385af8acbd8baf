// tabira.exe started with a theme on its command line: the demo skin frames the window (active
// and inactive, caption buttons hit-tested through the skin), also under a name outside the
// system code page; a damaged skin or a cut or crafted visual style gives one message box and
// then the flat frame. Themed path: the frame is drawn by the skin-file theme
// or the flat theme; the platform's visual style plays no part. Writes demo-skin-active.bmp
// demo-skin-inactive.bmp and demo-skin-sysmenu.bmp (TABIRA_SHOT_DIR, else the working folder).
#include "app/win32/tests/TabiraDriver.h"
#include "framework/win32/WideText.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "visualstyles/tests/VsTestModule.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace {

// The demo skin as packed for this build (the test's environment names it).
std::string DemoSkin() {
  const char* path = std::getenv("TABIRA_DEMO_SKIN");
  return path ? path : "";
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A plain top-level window of this process that takes the activation.
class TActivator {
public:
  TActivator() {
    FWindow = CreateWindowExA(0, "STATIC", "activator", WS_POPUP | WS_VISIBLE, 0, 600, 100, 50, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(FWindow);
    SetActiveWindow(FWindow);
    Pump(200);
  }
  ~TActivator() { DestroyWindow(FWindow); }
  TActivator(const TActivator&) = delete;
  TActivator& operator=(const TActivator&) = delete;

private:
  HWND FWindow = nullptr;
};

// A visible top-level window of the process other than `main` (a popup menu), or none.
HWND OtherWindowOf(DWORD pid, HWND main) {
  struct TFind {
    DWORD Pid;
    HWND Main, Found = nullptr;
  } f{pid, main};
  EnumWindows(
      [](HWND h, LPARAM p) {
        auto* f = reinterpret_cast<TFind*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == f->Pid && h != f->Main && IsWindowVisible(h)) {
          f->Found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&f));
  return f.Found;
}

LRESULT HitAt(HWND w, int x, int y) {
  RECT r{};
  GetWindowRect(w, &r);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y), SMTO_NORMAL, 5000, &result);
  return LRESULT(result);
}

// A caption pixel away from text and buttons.
COLORREF CaptionPixel(HWND w) {
  const TScreenShot shot = GrabWindow(w);
  return shot.At(shot.Width / 2 + 40, 3);
}

TEST(TabiraSkin, DemoSkinFramesTheWindow) {
  ASSERT_FALSE(DemoSkin().empty()) << "TABIRA_DEMO_SKIN is not set";
  COLORREF flat = 0;
  {
    TTabiraDriver plain;
    plain.Settle();
    flat = CaptionPixel(plain.Window());
  }
  TTabiraDriver d(Quoted(DemoSkin()));
  EXPECT_FALSE(d.WaitForMessage(300)) << "the demo skin was refused";
  HWND w = d.Window();
  d.Settle();
  Pump(200);
  RECT r{};
  GetWindowRect(w, &r);
  const int width = r.right - r.left;
  // The demo skin's caption is 26 pixels high; its buttons 22 wide from the right edge:
  // close, then minimize (maximize is not offered by the calculator).
  struct TCase {
    int X, Y;
    LRESULT Code;
  };
  const TCase cases[] = {{width - 11, 13, HTCLOSE},
                         {width - 33, 13, HTMINBUTTON},
                         {width / 2, 13, HTCAPTION},
                         {width / 2, 60, HTCLIENT}};
  for (const TCase& c : cases) {
    EXPECT_EQ(HitAt(w, c.X, c.Y), c.Code) << c.X << "," << c.Y;
  }
  const TScreenShot active = GrabWindow(w);
  SaveShot("demo-skin-active.bmp", active);
  const COLORREF activeCaption = CaptionPixel(w);
  EXPECT_NE(activeCaption, flat) << "the caption is not the skin's";

  // The system menu opens from the window icon, where the skin puts it.
  const POINT icon{r.left + 12, r.top + 13};
  SendMouse(0, icon);
  SendMouse(MOUSEEVENTF_LEFTDOWN, icon);
  SendMouse(MOUSEEVENTF_LEFTUP, icon);
  HWND popup = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        popup = OtherWindowOf(d.ProcessId(), w);
        return popup != nullptr;
      },
      3000))
      << "no system menu";
  if (popup) {
    Pump(300);
    RECT p{};
    GetWindowRect(popup, &p);
    RECT both{};
    UnionRect(&both, &r, &p);
    SaveShot("demo-skin-sysmenu.bmp", GrabScreen(both));
    SendKeyPress(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return OtherWindowOf(d.ProcessId(), w) == nullptr; }, 3000));
  }
  {
    TActivator other;
    d.Settle();
    Pump(200);
    const TScreenShot inactive = GrabWindow(w);
    SaveShot("demo-skin-inactive.bmp", inactive);
    EXPECT_NE(CaptionPixel(w), activeCaption) << "the inactive caption looks active";
  }
  EXPECT_EQ(d.Close(), 0u);
}

// The visual style that ships with Wine, read by the program's own reader (not drawn by the
// platform): no message, and a frame that is not the flat one.
TEST(TabiraSkin, WinesLightVisualStyleFramesTheWindow) {
  COLORREF flat = 0;
  {
    TTabiraDriver plain;
    plain.Settle();
    flat = CaptionPixel(plain.Window());
  }
  TTabiraDriver d(Quoted("C:\\windows\\resources\\themes\\light\\light.msstyles"));
  EXPECT_FALSE(d.WaitForMessage(300)) << "the style was refused";
  HWND w = d.Window();
  d.Settle();
  Pump(200);
  EXPECT_NE(CaptionPixel(w), flat) << "the caption is not the style's";
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(HitAt(w, (r.right - r.left) / 2, 60), HTCLIENT);
  SaveShot("visual-style-tabira.bmp", GrabWindow(w));
  EXPECT_EQ(d.Close(), 0u);
}

// Starts tabira.exe with `file` as its theme: exactly one message box (caption "Tabira", the
// Indonesian theme-file message naming the file) before the window, then the window with the
// flat frame, and an ordinary end.
void ExpectOneMessageThenTheFlatFrame(const std::string& file, COLORREF flat) {
  SCOPED_TRACE(file);
  TChildProcess process(TabiraExePath(), Quoted(file));
  struct TFound {
    DWORD Pid;
    HWND Box = nullptr, Main = nullptr;
  } found{process.Id()};
  auto scan = [&found] {
    found.Box = found.Main = nullptr;
    EnumWindows(
        [](HWND h, LPARAM p) {
          auto* f = reinterpret_cast<TFound*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(h, &pid);
          if (pid != f->Pid || !IsWindowVisible(h)) {
            return TRUE;
          }
          char cls[16] = {}, caption[64] = {};
          GetClassNameA(h, cls, sizeof cls);
          GetWindowTextA(h, caption, sizeof caption);
          if (std::string(cls) == "#32770") {
            f->Box = h;
          } else if (std::string(caption) == " Tabira 1.0") {
            f->Main = h;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
  };
  ASSERT_TRUE(WaitUntil(
      [&] {
        scan();
        return found.Box != nullptr || !process.Running();
      },
      15000))
      << "no message box";
  ASSERT_NE(found.Box, nullptr) << "the program ended with code " << process.WaitForExit(0);
  EXPECT_EQ(found.Main, nullptr) << "the window came before the message";
  char caption[64] = {};
  wchar_t text[512] = {};
  GetWindowTextA(found.Box, caption, sizeof caption);
  GetWindowTextW(GetDlgItem(found.Box, 0xFFFF), text, 512);
  EXPECT_STREQ(caption, "Tabira");
  const std::string message = TextFromWide(text);
  EXPECT_EQ(message, "Berkas tema " + Quoted(file) + " tidak dapat dibaca.\nTabira memakai tampilan bawaan.");
  SendMessageTimeoutA(GetDlgItem(found.Box, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);

  ASSERT_TRUE(WaitUntil(
      [&] {
        scan();
        return found.Main != nullptr || !process.Running();
      },
      15000))
      << "no window after the message";
  ASSERT_NE(found.Main, nullptr) << "the program ended with code " << process.WaitForExit(0);
  EXPECT_EQ(found.Box, nullptr) << "a second message box";
  WaitForInputIdle(process.Process(), 5000);
  Pump(300);
  EXPECT_EQ(CaptionPixel(found.Main), flat) << "not the flat frame";
  PostMessageA(found.Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.WaitForExit(10000), 0u);
}

std::string TempFolder() {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return TextFromWide(dir);
}

void WriteBytes(const std::string& file, const std::vector<std::uint8_t>& bytes) {
  const HANDLE h = CreateFileW(WideFromText(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << file;
  DWORD written = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_EQ(written, bytes.size());
}

COLORREF FlatCaption() {
  TTabiraDriver plain;
  plain.Settle();
  return CaptionPixel(plain.Window());
}

TEST(TabiraSkin, DamagedSkinGivesOneMessageThenTheFlatFrame) {
  ASSERT_FALSE(DemoSkin().empty()) << "TABIRA_DEMO_SKIN is not set";
  std::ifstream in(DemoSkin(), std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 100u);
  const std::string damaged = TempFolder() + "tabira-damaged.mskn";
  WriteBytes(damaged,
             std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 2)));
  ExpectOneMessageThenTheFlatFrame(damaged, FlatCaption());
  DeleteFileW(WideFromText(damaged).c_str());
}

// Visual-style modules cut short or crafted: the reader refuses each with the Indonesian
// message and the flat frame stays; the program neither crashes nor stops. Themed path: the
// frame is the flat theme's; the platform's visual style plays no part.
TEST(TabiraSkin, DamagedVisualStylesGiveOneMessageThenTheFlatFrame) {
  std::ifstream in("C:\\windows\\resources\\themes\\light\\light.msstyles", std::ios::binary);
  std::vector<std::uint8_t> light((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(light.size(), std::size_t(64 << 10)) << "Wine's light style is missing";
  light.resize(64 << 10);
  auto crafted = [](const std::function<void(TVsTestModule&)>& change) {
    TVsTestModule m = VsModuleWith("[Window]\r\nFillColor=1 2 3\r\n");
    change(m);
    return VsModuleImage(m);
  };
  const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
      {"tabira-cut.msstyles", light},
      {"tabira-number.msstyles",
       crafted([](TVsTestModule& m) { m.Set("FILERESNAMES", "#1", VsNameList({"#99999999999"})); })},
      {"tabira-image.msstyles", crafted([](TVsTestModule& m) {
         m.Set("TEXTFILE", "TEST_INI", VsDescriptionResource("[Window]\r\nImageFile=#99999999999\r\n"));
       })},
  };
  const COLORREF flat = FlatCaption();
  for (const auto& [name, bytes] : cases) {
    const std::string file = TempFolder() + name;
    WriteBytes(file, bytes);
    ExpectOneMessageThenTheFlatFrame(file, flat);
    DeleteFileW(WideFromText(file).c_str());
  }
}

// A theme file whose name lies outside the system code page opens: the demo skin under such a
// name frames the window without a message, and the Windows skin tool checks it.
TEST(TabiraSkin, ThemeFilesOpenByTheirWideNames) {
  ASSERT_FALSE(DemoSkin().empty()) << "TABIRA_DEMO_SKIN is not set";
  const std::string wide =
      TempFolder() + "tabira-\xD0\x91\xD1\x83\xD0\xBA\xD0\xB2\xD1\x8B-\xE4\xB8\xAD\xE6\x96\x87.mskn";
  ASSERT_TRUE(CopyFileW(WideFromText(DemoSkin()).c_str(), WideFromText(wide).c_str(), FALSE));
  const COLORREF flat = FlatCaption();
  {
    TTabiraDriver d(Quoted(wide));
    EXPECT_FALSE(d.WaitForMessage(300)) << "the skin under a wide name was refused";
    d.Settle();
    Pump(200);
    EXPECT_NE(CaptionPixel(d.Window()), flat) << "the caption is not the skin's";
    EXPECT_EQ(d.Close(), 0u);
  }
  TChildProcess tool(ProgramBesideThisTest("skintool.exe"), "check " + Quoted(wide));
  EXPECT_EQ(tool.WaitForExit(60000), 0u) << "skintool check refused the wide name";
  DeleteFileW(WideFromText(wide).c_str());
}

} // namespace
