// tabira.exe started with a theme on its command line: the demo skin frames the window (active
// and inactive, caption buttons hit-tested through the skin), and a damaged skin gives one
// message box and then the flat frame. Themed path: the frame is drawn by the skin-file theme
// or the flat theme; the platform's visual style plays no part. Writes demo-skin-active.bmp
// demo-skin-inactive.bmp and demo-skin-sysmenu.bmp (TABIRA_SHOT_DIR, else the working folder).
#include "app/win32/tests/TabiraDriver.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
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

TEST(TabiraSkin, DamagedSkinGivesOneMessageThenTheFlatFrame) {
  ASSERT_FALSE(DemoSkin().empty()) << "TABIRA_DEMO_SKIN is not set";
  std::ifstream in(DemoSkin(), std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 100u);
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  const std::string damaged = std::string(dir) + "tabira-damaged.mskn";
  std::ofstream(damaged, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size() / 2));

  COLORREF flat = 0;
  {
    TTabiraDriver plain;
    plain.Settle();
    flat = CaptionPixel(plain.Window());
  }
  // The message box comes before the window: look for it by its window, without blocking.
  TChildProcess process(TabiraExePath(), Quoted(damaged));
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
        return found.Box != nullptr;
      },
      15000))
      << "no message box";
  EXPECT_EQ(found.Main, nullptr) << "the window came before the message";
  char caption[64] = {}, text[512] = {};
  GetWindowTextA(found.Box, caption, sizeof caption);
  GetWindowTextA(GetDlgItem(found.Box, 0xFFFF), text, sizeof text);
  EXPECT_STREQ(caption, "Tabira");
  const std::string message = text;
  EXPECT_NE(message.find(Quoted(damaged)), std::string::npos) << message;
  EXPECT_NE(message.find("tampilan bawaan"), std::string::npos) << message;
  SendMessageTimeoutA(GetDlgItem(found.Box, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);

  ASSERT_TRUE(WaitUntil(
      [&] {
        scan();
        return found.Main != nullptr;
      },
      15000))
      << "no window after the message";
  EXPECT_EQ(found.Box, nullptr) << "a second message box";
  WaitForInputIdle(process.Process(), 5000);
  Pump(300);
  EXPECT_EQ(CaptionPixel(found.Main), flat) << "not the flat frame";
  PostMessageA(found.Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.WaitForExit(10000), 0u);
  DeleteFileA(damaged.c_str());
}

} // namespace
