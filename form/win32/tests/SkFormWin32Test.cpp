// The skinned frame on a plain form under Wine with real input (SendInput): moving by the
// caption, sizing by the borders against the minimum, snapping to the work area's edge, the
// move-size notifications in pairs, and the caption buttons' hover highlight dying after the
// pointer has left. The flat theme is current, so the themed frame is the one exercised.
#include "form/win32/SkForm.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr DWORD kSettleMs = 60;

// Counts the move-size loop's notifications.
class TLoopCounter : public TSkHook {
public:
  int Enters = 0, Exits = 0;

protected:
  void HandleMessage(TskMessage& m) override {
    Enters += m.Msg == WM_ENTERSIZEMOVE;
    Exits += m.Msg == WM_EXITSIZEMOVE;
  }
};

class SkFormWin32 : public ::testing::Test {
protected:
  void SetUp() override {
    SkStartThemeServices();
    SkRegisterFormComponents();
    TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
    Form = std::make_unique<TForm>("TFrameDemo");
    ASSERT_EQ(
        Form->LoadFromText("TFrameDemo D {\n  Caption = \"Frame\"\n  Left = 300\n  Top = 200\n"
                           "  ClientWidth = 300\n  ClientHeight = 200\n"
                           "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize]\n"
                           "  }\n}\n"),
        "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Frame = dynamic_cast<TSkForm*>(Form->FindComponent("SkForm1"));
    ASSERT_NE(Frame, nullptr);
    ASSERT_TRUE(Frame->Geometry().Themed());
    Counter = std::make_unique<TLoopCounter>();
    Counter->AssignControl(Form.get());
    Pump(kSettleMs);
  }
  void TearDown() override {
    Counter.reset();
    Form.reset();
    PumpPending();
  }
  RECT Bounds() const {
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    return r;
  }
  // Presses at `from` (screen), moves in steps to `to`, releases there.
  void Drag(POINT from, POINT to) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from);
    Pump(kSettleMs);
    SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, from);
    Pump(kSettleMs);
    for (int i = 1; i <= 4; ++i) {
      SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                {from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4});
      Pump(kSettleMs / 2);
    }
    SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, to);
    Pump(kSettleMs);
  }

  std::unique_ptr<TForm> Form;
  TSkForm* Frame = nullptr;
  std::unique_ptr<TLoopCounter> Counter;
};

TEST_F(SkFormWin32, TheCaptionMovesTheWindow) {
  const RECT before = Bounds();
  const TskRect caption = Frame->Geometry().CaptionRect();
  const POINT at{before.left + (caption.Left + caption.Right) / 2,
                 before.top + (caption.Top + caption.Bottom) / 2};
  Drag(at, {at.x + 40, at.y + 30});
  const RECT after = Bounds();
  EXPECT_EQ(after.left, before.left + 40);
  EXPECT_EQ(after.top, before.top + 30);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(Counter->Enters, 1);
  EXPECT_EQ(Counter->Exits, 1);
  EXPECT_FALSE(Frame->InDrag());
}

TEST_F(SkFormWin32, BordersSizeTheWindowAndTheMinimumHolds) {
  RECT before = Bounds();
  const LONG midY = (before.top + before.bottom) / 2;
  Drag({before.right - 1, midY}, {before.right + 49, midY});
  RECT after = Bounds();
  EXPECT_EQ(after.right, before.right + 50);
  EXPECT_EQ(after.left, before.left);

  // The left border dragged far past the minimum: the right edge stays where it was.
  before = after;
  Drag({before.left, midY}, {before.right + 100, midY});
  after = Bounds();
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.right - after.left, Frame->Geometry().MinTrackSize().X);
  EXPECT_EQ(Counter->Enters, 2);
  EXPECT_EQ(Counter->Exits, 2);
}

TEST_F(SkFormWin32, TheCaptionSnapsToTheWorkAreasEdge) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(Form->Handle(), MONITOR_DEFAULTTONEAREST), &info);
  const RECT before = Bounds();
  const TskRect caption = Frame->Geometry().CaptionRect();
  const POINT at{before.left + (caption.Left + caption.Right) / 2, before.top + caption.Top + 3};
  // Left edge dragged to 10 px from the work area's left edge: it snaps there.
  const LONG dx = info.rcWork.left + 10 - before.left;
  Drag(at, {at.x + dx, at.y});
  EXPECT_EQ(Bounds().left, info.rcWork.left);
}

TEST_F(SkFormWin32, ACaptionButtonsHighlightDiesAfterThePointerLeaves) {
  const RECT r = Bounds();
  const TskRect close = Frame->Geometry().ButtonRect(kbiClose);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
            {r.left + (close.Left + close.Right) / 2, r.top + (close.Top + close.Bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return Frame->HotCode() == khtClose; }, 1000));
  // Straight off the window, with no message to the window on the way.
  SetCursorPos(r.right + 200, r.bottom + 100);
  EXPECT_TRUE(WaitUntil([&] { return Frame->HotCode() == 0; }, 1500));
}

} // namespace
