// The window base's host seam: a top-level window that is not a form hears, through
// IControlHost alone, of focus, moves, recreation, pointer moves and destruction of the
// controls under it. Classic look (native button, label painted by its container).
#include "framework/win32/ControlHost.h"
#include "framework/win32/Button.h"
#include "framework/win32/Label.h"
#include "framework/win32/WinControl.h"
#include "framework/win32/tests/TestInput.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class TRecordingHost : public TWinControl, public IControlHost {
public:
  TRecordingHost() : TWinControl(nullptr) {
    SetName("H");
    SetHost(this);
    SetBounds(40, 40, 200, 100);
  }
  ~TRecordingHost() override {
    SetHost(nullptr);
    DestroyHandle();
  }

  void ControlFocused(TWinControl& control) override { Journal.push_back("focused " + control.Name()); }
  void ControlMoved(TWinControl& control) override { Journal.push_back("moved " + control.Name()); }
  void ControlRecreated(TWinControl& control) override { Journal.push_back("recreated " + control.Name()); }
  void ControlDestroyed(TWinControl& control) override { Journal.push_back("destroyed " + control.Name()); }
  void PointerMoved() override { Journal.push_back("pointer"); }
  HWND TooltipWindow() const override { return nullptr; }

  std::vector<std::string> Journal;

protected:
  void CreateParams(TCreateParams& params) override {
    params.ClassName = "TabiraHostTest";
    params.Style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  }
};

TEST(ControlHost, TheTopWindowHearsOfItsControlsThroughTheSeamAlone) {
  TRecordingHost host;
  auto button = std::make_unique<TButton>(&host);
  button->SetName("B");
  button->SetBounds(8, 8, 80, 25);
  auto label = std::make_unique<TLabel>(&host);
  label->SetName("L");
  label->SetBounds(8, 50, 80, 13);
  host.CreateHandle();
  SetForegroundWindow(host.Handle());
  Pump(30);
  EXPECT_EQ(host.Host(), &host);
  EXPECT_EQ(button->Host(), &host);
  host.Journal.clear();

  button->SetFocus();
  label->SetBounds(100, 50, 80, 13);
  button->RecreateWnd(); // keeps the focus: the new window is focused again
  SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageA(host.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 80));
  button.reset();
  const std::vector<std::string> expected = {"focused B", "moved L", "focused B",  "recreated B",
                                             "pointer",   "pointer", "destroyed B"};
  EXPECT_EQ(host.Journal, expected);
}

} // namespace
