// The skinned frame on a plain form under Wine with real input (SendInput): moving by the
// caption, sizing by the borders against the minimum, snapping to the work area's edge, the
// move-size notifications in pairs, and the caption buttons' hover highlight dying after the
// pointer has left. The flat theme is current, so the themed frame is the one exercised.
#include "form/SkFormOptions.h"
#include "form/SkFrameCompose.h"
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

TEST_F(SkFormWin32, CaptionButtonHotPressedCancelledAndTheHighlightDies) {
  const RECT r = Bounds();
  const TskRect close = Frame->Geometry().ButtonRect(kbiClose);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
            {r.left + (close.Left + close.Right) / 2, r.top + (close.Top + close.Bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return Frame->HotCode() == khtClose; }, 1000));
  // Hot, then pressed: the button's face inside its border and bevel, as the theme paints it.
  TskTheme* theme = TskThemeManager::Instance().CurrentTheme();
  const POINT face{r.left + close.Left + 3, r.top + close.Top + 3};
  auto faceColour = [&] { return GrabScreen({face.x, face.y, face.x + 1, face.y + 1}).At(0, 0); };
  ASSERT_NE(theme->Rgb(kcButtonHot), theme->Rgb(kcButtonNormal));
  EXPECT_TRUE(
      WaitUntil([&] { return faceColour() == TskCanvas::ToColorRef(theme->Rgb(kcButtonHot)); }, 1000));
  SaveShot("caption-button-hot.bmp", GrabWindow(Form->Handle()));
  SendMouseButtons(MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(WaitUntil([&] { return Frame->PressedCode() == khtClose; }, 1000));
  EXPECT_TRUE(
      WaitUntil([&] { return faceColour() == TskCanvas::ToColorRef(theme->Rgb(kcButtonNormal)); }, 1000));
  SaveShot("caption-button-pressed.bmp", GrabWindow(Form->Handle()));
  // Leaving the button while pressed cancels the press: nothing happens on release.
  SetCursorPos(r.left + 40, r.top + 8);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {r.left + 40, r.top + 8});
  Pump(kSettleMs);
  SendMouseButtons(MOUSEEVENTF_LEFTUP);
  Pump(kSettleMs);
  EXPECT_TRUE(IsWindow(Form->Handle()));
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
            {r.left + (close.Left + close.Right) / 2, r.top + (close.Top + close.Bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return Frame->HotCode() == khtClose; }, 1000));
  // Straight off the window, with no message to the window on the way.
  SetCursorPos(r.right + 200, r.bottom + 100);
  EXPECT_TRUE(WaitUntil([&] { return Frame->HotCode() == 0; }, 1500));
}

} // namespace

namespace {

// A translucent frame with a drop shadow, composed over what the screen showed behind it.
TEST(SkFormWin32Composed, ShadowShapeAndColoursOverTheBackground) {
  SkStartThemeServices();
  SkRegisterFormComponents();
  TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  TForm form("TShadowDemo");
  ASSERT_EQ(form.LoadFromText("TShadowDemo S {\n  Caption = \"Shadow\"\n  Left = 200\n  Top = 150\n"
                              "  ClientWidth = 240\n  ClientHeight = 160\n"
                              "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu]\n"
                              "    Shadow.Size = 6\n    Shadow.Enabled = true\n"
                              "    Blending.Enabled = true\n    Blending.Value = 128\n  }\n}\n"),
            "");
  auto* frame = dynamic_cast<TSkForm*>(form.FindComponent("SkForm1"));
  ASSERT_NE(frame, nullptr);
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  const TskFrameGeometry g = frame->Geometry();
  const TskRect f = g.WindowInfo().Rect, c = g.ClientArea();
  // The window is the frame and its shadow; the client keeps its size.
  EXPECT_EQ(r.right - r.left, f.Right + 6);
  EXPECT_EQ(r.bottom - r.top, f.Bottom + 6);
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 240);
  EXPECT_EQ(client.bottom, 160);
  // What the screen shows behind the shadow's middle and the caption, before the window shows.
  const POINT shadowAt{r.left + f.Right + 1, r.top + f.Bottom / 2};
  const POINT captionAt{r.left + g.CaptionRect().Right - 30, r.top + g.CaptionRect().Top + 2};
  const COLORREF behindShadow = GrabScreen({shadowAt.x, shadowAt.y, shadowAt.x + 1, shadowAt.y + 1}).At(0, 0);
  const COLORREF behindCaption =
      GrabScreen({captionAt.x, captionAt.y, captionAt.x + 1, captionAt.y + 1}).At(0, 0);
  form.Show();
  Pump(kSettleMs);
  // The region leaves out the corners beside the shadow.
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form.Handle(), region.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.Get(), f.Right + 2, 2));
  EXPECT_FALSE(PtInRegion(region.Get(), 2, f.Bottom + 2));
  EXPECT_TRUE(PtInRegion(region.Get(), f.Right + 2, f.Bottom / 2));
  // The shadow one pixel out from the frame, four from its outer edge: full shadow opacity.
  auto rgb = [](COLORREF c) { return TskColor(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
  const TskColor shade = SkBlendPixel(kSkShadowColor, rgb(behindShadow), SkShadowOpacity(4)) & 0xFFFFFF;
  EXPECT_EQ(rgb(GrabScreen({shadowAt.x, shadowAt.y, shadowAt.x + 1, shadowAt.y + 1}).At(0, 0)), shade);
  // The caption half over what lay behind it.
  TskTheme* theme = TskThemeManager::Instance().CurrentTheme();
  const TskColor caption =
      SkBlendPixel(rgb(TskCanvas::ToColorRef(theme->Rgb(kcCaptionNormal))), rgb(behindCaption), 128) &
      0xFFFFFF;
  EXPECT_EQ(rgb(GrabScreen({captionAt.x, captionAt.y, captionAt.x + 1, captionAt.y + 1}).At(0, 0)), caption);
  // Clicks on the shadow mean nothing.
  EXPECT_EQ(SendMessageA(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(shadowAt.x, shadowAt.y)), HTNOWHERE);
  (void)c;
  SaveShot("frame-shadow.bmp", GrabScreen({r.left - 20, r.top - 20, r.right + 20, r.bottom + 20}));
}

} // namespace
