// The skinned form's show transition, its painting into a given device context, OnPaint and
// its maximise message, on real windows under Wine. The transition tests run in the themed
// path (the flat theme current, asserted through the frame's geometry); the paint-into-a-DC
// test runs in both the themed and the classic path (no theme: the platform's look).
#include "effects/win32/SkEffectHost.h"
#include "form/win32/SkForm.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr DWORD kSettleMs = 60;
constexpr COLORREF kMarker = RGB(1, 200, 90);

struct TFormUnderTest {
  std::unique_ptr<TForm> Form;
  TSkForm* Frame = nullptr;
  HWND Handle() const { return Form->Handle(); }
};

// A hidden form at (300, 200) with a skinned frame carrying `options`.
TFormUnderTest MakeForm(bool themed, const std::string& options) {
  SkStartThemeServices();
  SkRegisterFormComponents();
  if (themed) {
    TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  } else {
    TskThemeManager::Instance().ClearCurrentTheme();
  }
  TFormUnderTest f;
  f.Form = std::make_unique<TForm>("TAnimDemo");
  const std::string error = f.Form->LoadFromText(
      "TAnimDemo D {\n  Caption = \"Muncul\"\n  Left = 300\n  Top = 200\n  ClientWidth = 260\n"
      "  ClientHeight = 160\n  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize, "
      "kbiMaximize]\n" +
      options + "  }\n}\n");
  EXPECT_EQ(error, "");
  f.Frame = dynamic_cast<TSkForm*>(f.Form->FindComponent("SkForm1"));
  EXPECT_NE(f.Frame, nullptr);
  if (f.Frame) {
    EXPECT_EQ(f.Frame->Geometry().Themed(), themed);
  }
  return f;
}

// A point of the caption strip just left of its buttons, clear of the text (window
// coordinates).
POINT CaptionProbe(const TSkForm& frame) {
  const TskFrameGeometry g = frame.Geometry();
  const TskRect caption = g.CaptionRect();
  int left = caption.Right;
  for (TSkBorderIcon icon : {kbiClose, kbiMinimize, kbiMaximize}) {
    const TskRect r = g.ButtonRect(icon);
    if (r.Right > r.Left) {
      left = std::min<int>(left, r.Left);
    }
  }
  return {left - 8, caption.Top + 2};
}

COLORREF ThemeCaptionColour() {
  return TskCanvas::ToColorRef(TskThemeManager::Instance().CurrentTheme()->Rgb(kcCaptionNormal));
}

// Watches the driver's frames: the count, the last one, whether the window was visible at
// frame 3, and a step run at frame 3.
struct TFrameWatch {
  int Count = 0;
  TskPixels Last;
  bool VisibleAtThird = true;
  std::function<void()> AtThird;
  HWND Window = nullptr;
  explicit TFrameWatch(HWND window) : Window(window) {
    SkSetPresentHook([this](const TskPixels& work, HDC, int, int) {
      Last = work.Clone();
      if (++Count == 3) {
        VisibleAtThird = IsWindowVisible(Window) != FALSE;
        if (AtThird) {
          AtThird();
        }
      }
      if (Count == 8) {
        RECT r{};
        GetWindowRect(Window, &r);
        SaveShot("form-show-transition.bmp",
                 GrabScreen({r.left - 20, r.top - 20, r.right + 20, r.bottom + 20}));
      }
    });
  }
  ~TFrameWatch() { SkSetPresentHook(nullptr); }
};

// The hook records of the forms' windows are released through posted messages: each test
// leaves none behind.
class SkFormAnimation : public ::testing::Test {
protected:
  void TearDown() override { PumpPending(); }
};

TEST_F(SkFormAnimation, SettingsAreReadFromTheLayoutAndClamped) {
  TFormUnderTest f = MakeForm(
      true, "    Animation.Enabled = true\n    Animation.Time = 10\n    Animation.Direction = kdRotate90\n"
            "    Animation.EffectKind = \"Fade\"\n");
  ASSERT_NE(f.Frame, nullptr);
  const TSkAnimation& a = f.Frame->Animation();
  EXPECT_TRUE(a.Enabled());
  EXPECT_EQ(a.Time(), 50);
  EXPECT_EQ(a.Direction(), kdRotate90);
  EXPECT_EQ(a.EffectKind(), "Fade");
  TForm bad("TAnimDemo");
  EXPECT_NE(
      bad.LoadFromText("TAnimDemo D {\n  TSkForm SkForm1 {\n    Animation.Direction = kdSideways\n  }\n}\n"),
      "");
}

// ShowWindow on the hidden form, with something done at the third frame: the window appears
// through the driver (hidden while the frames play), the last frame showing its frame, its
// label and its button as the window then paints them, and ends shown, answering the mouse.
struct TShowCase {
  const char* Name;
  int During; // 0 nothing, 1 a click where the window will be, 2 a second show
};

TEST_F(SkFormAnimation, ShowWindowPlaysTheTransitionAndEndsShown) {
  const TShowCase cases[] = {{"plain", 0}, {"click", 1}, {"second show", 2}};
  for (const TShowCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFormUnderTest f =
        MakeForm(true, "    Animation.Enabled = true\n    Animation.Time = 400\n"
                       "    Animation.EffectKind = \"Fade\"\n  }\n"
                       "  TButton B {\n    Caption = \"Muncul lagi\"\n    Left = 16\n    Top = 16\n"
                       "    Width = 120\n    Height = 28\n  }\n"
                       "  TLabel L {\n    Caption = \"Harta WWW\"\n    Left = 16\n    Top = 80\n"
                       "    Width = 120\n    Height = 20\n");
    ASSERT_NE(f.Frame, nullptr);
    HWND w = f.Handle();
    ASSERT_FALSE(IsWindowVisible(w));
    RECT r{};
    GetWindowRect(w, &r);
    // The pointer away from the window: no caption button lights up.
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {r.right + 200, r.bottom + 100});
    Pump(kSettleMs);
    TFrameWatch watch(w);
    int slotDuring = -1;
    watch.AtThird = [&] {
      slotDuring = f.Frame->ShowSlot();
      if (c.During == 1) {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
        SendMouseButtons(MOUSEEVENTF_LEFTUP);
      } else if (c.During == 2) {
        ShowWindow(w, SW_SHOW);
      }
    };
    ShowWindow(w, SW_SHOWNORMAL);
    SkSetPresentHook(nullptr);
    EXPECT_FALSE(watch.VisibleAtThird);
    EXPECT_GE(slotDuring, 0);
    EXPECT_EQ(f.Frame->ShowSlot(), -1);
    EXPECT_EQ(SkAnimationDriver().ActiveCount(), 0);
    // Played to the end about 20 frames; cut short at the third, one more (the last frame).
    if (c.During == 2) {
      EXPECT_LE(watch.Count, 4);
    } else {
      EXPECT_GE(watch.Count, 10);
    }
    ASSERT_TRUE(IsWindowVisible(w));
    SetForegroundWindow(w);
    Pump(kSettleMs);
    ASSERT_TRUE(f.Frame->IsActive());
    const POINT p = CaptionProbe(*f.Frame);
    EXPECT_EQ(GrabScreen({r.left + p.x, r.top + p.y, r.left + p.x + 1, r.top + p.y + 1}).At(0, 0),
              ThemeCaptionColour());
    // The last frame against the window's own paint: the caption row and the label exactly;
    // the button is there (its border may change as it takes the focus).
    const TScreenShot shot = GrabWindow(w);
    const TskRect client = f.Frame->Geometry().ClientArea();
    auto frame = [&](int x, int y) {
      const TskColor px = watch.Last.GetPixel(x, y);
      return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    };
    ASSERT_EQ(watch.Last.Width(), shot.Width);
    int differ = 0;
    std::string where;
    auto compare = [&](int x, int y) {
      if (frame(x, y) != shot.At(x, y) && differ++ < 4) {
        where += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    };
    for (int x = 0; x < client.Right; ++x) {
      compare(x, p.y);
    }
    for (int y = client.Top + 80; y < client.Top + 100; ++y) {
      for (int x = client.Left + 16; x < client.Left + 136; ++x) {
        compare(x, y);
      }
    }
    EXPECT_EQ(differ, 0) << where;
    EXPECT_NE(frame(client.Left + 16, client.Top + 30), frame(client.Left + 200, client.Top + 30));
    // Usable: a drag on the caption moves it.
    const POINT at{r.left + p.x, r.top + p.y + 4};
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
    Pump(kSettleMs);
    SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, at);
    ASSERT_TRUE(WaitUntil([&] { return f.Frame->InDrag(); }, 1000));
    for (int i = 1; i <= 3; ++i) {
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {at.x + 10 * i, at.y});
      Pump(kSettleMs / 2);
    }
    SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, {at.x + 30, at.y});
    EXPECT_TRUE(WaitUntil([&] { return !f.Frame->InDrag(); }, 1000));
    RECT moved{};
    GetWindowRect(w, &moved);
    EXPECT_EQ(moved.left, r.left + 30);
  }
}

TEST_F(SkFormAnimation, DisabledShowsAtOnce) {
  TFormUnderTest f = MakeForm(true, "    Animation.EffectKind = \"Fade\"\n");
  ASSERT_NE(f.Frame, nullptr);
  ASSERT_FALSE(f.Frame->Animation().Enabled());
  TFrameWatch watch(f.Handle());
  ShowWindow(f.Handle(), SW_SHOWNORMAL);
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
  EXPECT_EQ(watch.Count, 0);
}

// 0xB1C8 into a memory bitmap at an offset: the frame as the screen shows it, drawn active, and
// the client background (OnPaint's when assigned); nothing outside.
struct TPaintToCase {
  const char* Name;
  bool Themed;
  bool OnPaint;
};

TEST_F(SkFormAnimation, PaintToMessagePaintsFrameAndClientIntoAMemoryDC) {
  constexpr COLORREF kOwnClient = RGB(30, 60, 220);
  const TPaintToCase cases[] = {
      {"themed", true, false}, {"themed OnPaint", true, true}, {"classic", false, false}};
  for (const TPaintToCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFormUnderTest f = MakeForm(c.Themed, "");
    ASSERT_NE(f.Frame, nullptr);
    HWND w = f.Handle();
    if (c.OnPaint) {
      f.Frame->OnPaint = [&](TComponent*) {
        TBrushHandle brush(CreateSolidBrush(kOwnClient));
        RECT all{0, 0, 1000, 1000}; // clipped to the client area
        FillRect(f.Frame->FrameCanvas(), &all, brush.Get());
      };
    }
    f.Form->Show();
    SetForegroundWindow(w);
    Pump(kSettleMs);
    ASSERT_TRUE(f.Frame->IsActive());
    const TScreenShot screen = GrabWindow(w);
    // Inactive while it paints into the context: the painting is still drawn active.
    SendMessageW(w, WM_NCACTIVATE, FALSE, 0);
    ASSERT_FALSE(f.Frame->IsActive());

    TskBitmap target;
    target.SetSize(500, 400);
    TBrushHandle marker(CreateSolidBrush(kMarker));
    RECT all{0, 0, 500, 400};
    FillRect(target.DC(), &all, marker.Get());
    const int dx = 10, dy = 20;
    EXPECT_EQ(SendMessageW(w, kSkPaintToMessage, MAKEWPARAM(dx, dy), reinterpret_cast<LPARAM>(target.DC())),
              1);
    EXPECT_FALSE(f.Frame->IsActive());
    POINT origin{};
    GetViewportOrgEx(target.DC(), &origin);
    EXPECT_EQ(origin.x, 0);
    auto at = [&](int x, int y) {
      const TskColor p = target.GetPixel(x, y);
      return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    const TskRect client = f.Frame->Geometry().ClientArea();
    const POINT probe = CaptionProbe(*f.Frame);
    ASSERT_GT(screen.Width, client.Right);
    // The caption strip row by row as on screen, the borders, and nothing left of or above it.
    for (int x = 0; x < client.Right; x += 7) {
      EXPECT_EQ(at(dx + x, dy + probe.y), screen.At(x, probe.y)) << x;
    }
    EXPECT_EQ(at(dx + 1, dy + client.Top + 10), screen.At(1, client.Top + 10));
    EXPECT_EQ(at(dx - 1, dy + 5), kMarker);
    EXPECT_EQ(at(dx + 5, dy - 1), kMarker);
    if (c.Themed) {
      EXPECT_EQ(at(dx + probe.x, dy + probe.y), ThemeCaptionColour());
    }
    const COLORREF inside = at(dx + client.Left + 40, dy + client.Top + 40);
    EXPECT_EQ(inside, screen.At(client.Left + 40, client.Top + 40));
    if (c.OnPaint) {
      EXPECT_EQ(inside, kOwnClient);
    }
    // No context: answered 0.
    EXPECT_EQ(SendMessageW(w, kSkPaintToMessage, 0, 0), 0);
  }
}

TEST_F(SkFormAnimation, MaximizeMessageMaximizes) {
  TFormUnderTest f = MakeForm(true, "");
  ASSERT_NE(f.Frame, nullptr);
  f.Form->Show();
  Pump(kSettleMs);
  SendMessageW(f.Handle(), kSkMaximizeMessage, 0, 0);
  Pump(kSettleMs);
  EXPECT_EQ(f.Frame->WindowState(), kwsMaximized);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(f.Handle(), MONITOR_DEFAULTTONEAREST), &mi);
  RECT r{};
  GetWindowRect(f.Handle(), &r);
  EXPECT_TRUE(EqualRect(&r, &mi.rcWork));
}

} // namespace
