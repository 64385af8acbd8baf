// The calculator window at other pixel densities, in-process with the program's own manifest
// and resources. Wine gives every monitor one density, so a change of monitor is played by
// sending WM_DPICHANGED as the platform would (the new density and the window's rectangle
// scaled about its top-left corner). The system density is the prefix's LogPixels, read by
// each process as it starts: tabira.exe and this program's own in-process tests are run
// again under 120, 144 and 192. The frame is the flat theme's (themed frame), as the layout's
// theme engine makes it current. Writes dpi-144.bmp and dpi-192.bmp (TABIRA_SHOT_DIR, else
// the working folder).
#include "app/win32/Startup.h"
#include "app/win32/tests/TabiraDriver.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/Label.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/win32/MxMaskEdit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

constexpr DWORD kSettleMs = 120;
constexpr int kDesignWidth = 377, kDesignHeight = 476;

class TCountingWindow : public TfrTabira {
public:
  int Sums = 0;
  void btJumlahClick(TComponent* sender) override {
    ++Sums;
    TfrTabira::btJumlahClick(sender);
  }
};

// Every control below the form, with its bounds.
struct TPlace {
  int Left, Top, Width, Height, FontHeight;
  bool operator==(const TPlace&) const = default;
};
void PrintTo(const TPlace& p, std::ostream* out) {
  *out << "{" << p.Left << "," << p.Top << "," << p.Width << "," << p.Height << " font " << p.FontHeight
       << "}";
}

void Walk(TWinControl& parent, const std::function<void(TWinControl&)>& visit) {
  for (TWinControl* c : parent.Controls()) {
    visit(*c);
    Walk(*c, visit);
  }
}

std::map<std::string, TPlace> Places(TWinControl& form) {
  std::map<std::string, TPlace> places;
  Walk(form, [&](TWinControl& c) {
    places[c.Name()] = {c.Left(), c.Top(), c.Width(), c.Height(), c.Font().Height};
  });
  return places;
}

SIZE TextSize(HFONT font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

class TabiraDpi : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTabiraClasses();
    Window = std::make_unique<TCountingWindow>();
    ASSERT_EQ(Window->Load(), "");
    Window->Show();
    // Room for the window at 192 dpi on the 1280 x 1024 screen.
    SetWindowPos(Window->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(Window->Handle());
    Pump(kSettleMs);
  }
  void TearDown() override {
    Window.reset();
    Pump(20);
  }
  HWND Handle() const { return Window->Handle(); }

  // What the platform sends when the window reaches a monitor of another density.
  void ChangeDpi(int dpi) {
    RECT r{};
    GetWindowRect(Handle(), &r);
    const TScale s(Window->PixelsPerInch(), dpi);
    RECT suggested{r.left, r.top, r.left + s.Apply(r.right - r.left), r.top + s.Apply(r.bottom - r.top)};
    SendMessageA(Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump(kSettleMs);
  }

  LRESULT HitAt(int x, int y) const {
    RECT w{};
    GetWindowRect(Handle(), &w);
    return SendMessageA(Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
  }

  void ExpectLaidOutFor(int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
    EXPECT_EQ(Window->PixelsPerInch(), dpi);
    const TScale s(96, dpi);
    RECT client{};
    GetClientRect(Handle(), &client);
    EXPECT_LE(std::abs(client.right - s.Apply(kDesignWidth)), 1) << client.right;
    EXPECT_LE(std::abs(client.bottom - s.Apply(kDesignHeight)), 1) << client.bottom;
    // The flat frame at the density: its edge and caption heights (3 and 23 at 96), the close
    // button 22 wide at the caption's right, the minimize button 24 further left, the sizing
    // edges as wide as the frame.
    RECT window{};
    GetWindowRect(Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(Handle(), &origin);
    EXPECT_EQ(origin.x - window.left, s.Apply(3));
    EXPECT_EQ(origin.y - window.top, s.Apply(23));
    const int right = origin.x - window.left + client.right;
    const int captionMiddle = (s.Apply(3) + s.Apply(23)) / 2;
    EXPECT_EQ(HitAt(right - s.Apply(22) / 2, captionMiddle), HTCLOSE);
    EXPECT_EQ(HitAt(right - s.Apply(24) - s.Apply(22) / 2, captionMiddle), HTMINBUTTON);
    EXPECT_EQ(HitAt(right / 2, captionMiddle), HTCAPTION);
    const int height = window.bottom - window.top;
    EXPECT_EQ(HitAt(0, 0), HTTOPLEFT);
    EXPECT_EQ(HitAt(s.Apply(3) - 1, height - s.Apply(3)), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(s.Apply(3) - 1, height / 2), HTLEFT);
    EXPECT_EQ(HitAt(s.Apply(3), height / 2), HTCLIENT);
    Walk(*Window, [&](TWinControl& c) {
      // Away from the design density a label's text fits its box, measured with the label's
      // own font (at 96 the stored sizes stand, as the design made them).
      if (dpi != TScale::kDesignPixelsPerInch && dynamic_cast<TLabel*>(&c) && !c.Caption().empty()) {
        const SIZE text = TextSize(c.FontHandle(), c.Caption());
        EXPECT_LE(text.cx, c.Width()) << c.Name() << " " << c.Caption();
        EXPECT_LE(text.cy, c.Height()) << c.Name() << " " << c.Caption();
      }
      // A windowed control is where its bounds say, and the pointer finds it there.
      if (c.HandleAllocated() && c.Parent()) {
        RECT r{};
        GetWindowRect(c.Handle(), &r);
        MapWindowPoints(nullptr, c.Parent()->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.Left()) << c.Name();
        EXPECT_EQ(r.right - r.left, c.Width()) << c.Name();
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(c.Parent()->Handle(), &centre);
        EXPECT_EQ(SendMessageA(Handle(), WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLIENT)
            << c.Name();
        if (centre.y < GetSystemMetrics(SM_CYSCREEN) && centre.x < GetSystemMetrics(SM_CXSCREEN)) {
          HWND under = WindowFromPoint(centre);
          EXPECT_TRUE(under == c.Handle() || IsChild(c.Handle(), under)) << c.Name();
        }
      }
    });
  }

  std::unique_ptr<TCountingWindow> Window;
};

TEST_F(TabiraDpi, TheProgramDeclaresPerMonitorAwareness) {
  // Per-monitor (version 2 where the platform has it) is what the manifest asks for.
  // The functions are looked up at run time, as the build targets systems without them.
  using TGetContext = HANDLE(WINAPI*)();
  using TAwareness = int(WINAPI*)(HANDLE);
  HMODULE user = GetModuleHandleA("user32.dll");
  const auto context = reinterpret_cast<TGetContext>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
  const auto awareness = reinterpret_cast<TAwareness>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(context && awareness);
  constexpr int kPerMonitorAware = 2;
  EXPECT_EQ(awareness(context()), kPerMonitorAware);
  EXPECT_EQ(Window->PixelsPerInch(), WindowDpi(Handle()));
}

TEST_F(TabiraDpi, EachDensityLaysTheWindowOutAgainAndBackGivesTheSamePixels) {
  const int start = Window->PixelsPerInch();
  ExpectLaidOutFor(start);
  const std::map<std::string, TPlace> before = Places(*Window);
  RECT client{};
  GetClientRect(Handle(), &client);
  for (const int dpi : {120, 144, 192}) {
    ChangeDpi(dpi);
    ExpectLaidOutFor(dpi);
    ChangeDpi(start);
    for (const auto& [name, place] : Places(*Window)) {
      EXPECT_EQ(place, before.at(name)) << name << " back from " << dpi;
    }
    RECT again{};
    GetClientRect(Handle(), &again);
    EXPECT_TRUE(EqualRect(&again, &client)) << "back from " << dpi;
  }
}

TEST_F(TabiraDpi, TheSuggestedCornerIsTakenAndTypingAndButtonsWork) {
  const int dpi = Window->PixelsPerInch() == 144 ? 120 : 144;
  const TScale s(Window->PixelsPerInch(), dpi);
  RECT r{};
  GetWindowRect(Handle(), &r);
  RECT suggested{r.left + 10, r.top + 20, r.left + 10 + s.Apply(r.right - r.left),
                 r.top + 20 + s.Apply(r.bottom - r.top)};
  SendMessageA(Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  Pump(kSettleMs);
  RECT now{};
  GetWindowRect(Handle(), &now);
  EXPECT_EQ(now.left, suggested.left);
  EXPECT_EQ(now.top, suggested.top);
  ExpectLaidOutFor(dpi);

  auto* cash = dynamic_cast<TMxMaskEdit*>(Window->FindComponent("edUangTunai"));
  ASSERT_NE(cash, nullptr);
  cash->SetFocus();
  Pump(kSettleMs);
  SendKeyPress(VK_HOME);
  SendKeyPress(VK_END, VK_SHIFT);
  for (const char c : std::string("1234")) {
    SendChar(c);
  }
  Pump(kSettleMs);
  std::string digits;
  for (const char c : WindowText(cash->Handle())) {
    if (c >= '0' && c <= '9') {
      digits += c;
    }
  }
  EXPECT_EQ(digits, "1234") << WindowText(cash->Handle());

  auto* sum = dynamic_cast<TWinControl*>(Window->FindComponent("btJumlah"));
  ASSERT_NE(sum, nullptr);
  RECT b{};
  GetWindowRect(sum->Handle(), &b);
  const POINT centre{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  SetCursorPos(centre.x, centre.y);
  SendMouse(0, centre);
  Pump(40);
  SendMouse(MOUSEEVENTF_LEFTDOWN, centre);
  Pump(40);
  SendMouse(MOUSEEVENTF_LEFTUP, centre);
  ASSERT_TRUE(WaitUntil([&] { return Window->Sums == 1; }));
}

// Sets the system density (HKCU\\Control Panel\\Desktop LogPixels) for the programs started
// while the guard lives, and puts the old setting back.
class TLogPixelsOverride {
public:
  explicit TLogPixelsOverride(DWORD dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktop, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &FKey,
                        nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open the desktop settings");
    }
    DWORD old = 0, size = sizeof old, type = 0;
    if (RegQueryValueExA(FKey, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD) {
      FOld = old;
    }
    RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }
  ~TLogPixelsOverride() {
    if (FOld) {
      RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*FOld), sizeof *FOld);
    } else {
      RegDeleteValueA(FKey, "LogPixels");
    }
    RegCloseKey(FKey);
  }
  TLogPixelsOverride(const TLogPixelsOverride&) = delete;
  TLogPixelsOverride& operator=(const TLogPixelsOverride&) = delete;

private:
  static constexpr char kDesktop[] = "Control Panel\\Desktop";
  HKEY FKey = nullptr;
  std::optional<DWORD> FOld;
};

// The first window point, scanning the caption band row by row, whose hit code is code.
std::optional<POINT> FindHit(HWND window, LRESULT code) {
  RECT r{};
  GetWindowRect(window, &r);
  POINT client{0, 0};
  ClientToScreen(window, &client);
  for (int y = r.top; y < client.y; ++y) {
    for (int x = r.right - 1; x >= r.left; --x) {
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code) {
        return POINT{x, y};
      }
    }
  }
  return std::nullopt;
}

TEST(TabiraDpiLogPixels, TheProgramStartsLaidOutForTheSystemDensityAndCloses) {
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE("LogPixels " + std::to_string(dpi));
    const TLogPixelsOverride density(static_cast<DWORD>(dpi));
    TTabiraDriver d;
    SetWindowPos(d.Window(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    d.Settle();
    const TScale s(96, dpi);
    RECT client{};
    GetClientRect(d.Window(), &client);
    EXPECT_LE(std::abs(client.right - s.Apply(kDesignWidth)), 1) << client.right;
    EXPECT_LE(std::abs(client.bottom - s.Apply(kDesignHeight)), 1) << client.bottom;
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(d.Window(), &centre);
    EXPECT_EQ(SendMessageA(d.Window(), WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLIENT);
    if (dpi == 144 || dpi == 192) {
      Pump(300); // the first paint of every control
      SaveShot(("dpi-" + std::to_string(dpi) + ".bmp").c_str(), GrabWindow(d.Window()));
    }
    // The close button is in the caption band, and a click on it ends the program with 0.
    const std::optional<POINT> close = FindHit(d.Window(), HTCLOSE);
    ASSERT_TRUE(close);
    EXPECT_TRUE(FindHit(d.Window(), HTCAPTION));
    SetCursorPos(close->x, close->y);
    SendMouse(0, *close);
    Pump(40);
    SendMouse(MOUSEEVENTF_LEFTDOWN, *close);
    Pump(40);
    SendMouse(MOUSEEVENTF_LEFTUP, *close);
    EXPECT_EQ(d.WaitForExit(10000), 0u);
  }
}

TEST(TabiraDpiLogPixels, TheInProcessTestsPassAtEachSystemDensity) {
  // This program's own window tests, in a process that starts at the density: the layout is
  // scaled as it loads, before the windows exist, and then carried to the others and back.
  for (const int dpi : {120, 144, 192}) {
    SCOPED_TRACE("LogPixels " + std::to_string(dpi));
    const TLogPixelsOverride density(static_cast<DWORD>(dpi));
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    TChildProcess child(self, "--gtest_filter=TabiraDpi.*");
    EXPECT_EQ(child.WaitForExit(60000), 0u)
        << "run the program with --gtest_filter=TabiraDpi.* at this density";
  }
}

} // namespace
