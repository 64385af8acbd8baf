// The flat and transparent looks of the edit family under real windows and real pointer
// moves, in the look the run asks for (TestLook.h): a flat edit lights up under the mouse
// and rests again when the pointer leaves, turning Flat off shows the full frame at once,
// a flat edit with a bevel of its own draws that bevel (always, with a visual style),
// transparent controls show the parent's pixels where they stand, also after a move, and
// the parent-background option shows the parent's themed background only with a visual
// style. Writes a screenshot of the flat edits at rest and lit for review.
#include "framework/win32/Application.h"
#include "framework/win32/Canvas.h"
#include "framework/win32/ControlRegistry.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestLook.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/win32/MxBevelPanel.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "maskedit/win32/MxThemeServices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kStripeA = RGB(200, 40, 40), kStripeB = RGB(40, 160, 60);
constexpr int kStripe = 10;

// A container painted in vertical stripes, so that pixels copied from a wrong place show.
class TStripes : public TWinControl {
public:
  using TWinControl::TWinControl;
  bool AcceptsControls() const override { return true; }
  static COLORREF At(int x) { return (x / kStripe) % 2 == 0 ? kStripeA : kStripeB; }

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.ClassName = "Tabira.TestStripes";
    params.Style |= WS_CLIPCHILDREN;
  }
  void Paint(TCanvas& canvas) override {
    const RECT client = ClientRect();
    for (int x = 0; x < client.right; x += kStripe) {
      canvas.FillRect(RECT{x, 0, x + kStripe, client.bottom}, TColor(At(x)));
    }
  }
};

class MxFlatLook : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterMxControls();
    RegisterControlClass("TStripes", [](TWinControl& parent) { return std::make_unique<TStripes>(&parent); });
    Form = std::make_unique<TForm>("TTest");
    Form->RegisterMethod("In", [this](TComponent* s) { Journal += " in " + s->Name(); });
    Form->RegisterMethod("Out", [this](TComponent* s) { Journal += " out " + s->Name(); });
    ASSERT_EQ(Form->LoadFromText(R"(TTest T {
  Left = 100
  Top = 100
  ClientWidth = 360
  ClientHeight = 170
  Color = clBtnFace
  TMxMaskEdit F {
    Left = 8
    Top = 8
    Width = 113
    Height = 21
    TabOrder = 0
    Bevel.Mode = bmWindows
    Flat = true
    OnMouseEnter = In
    OnMouseExit = Out
    MaskType = meNone
    Text = "flat"
  }
  TMxMaskEdit G {
    Left = 8
    Top = 40
    Width = 113
    Height = 21
    TabOrder = 1
    Flat = true
    OnMouseEnter = In
    OnMouseExit = Out
    Bevel.Mode = bmCustom
    Bevel.StyleOuter = bvRaised
    Bevel.StyleInner = bvLowered
    Bevel.LightColor = 0x0000FF
    Bevel.ShadowColor = 0xFF0000
    MaskType = meNone
    Text = "bevel"
  }
  TMxMaskEdit O {
    Left = 8
    Top = 72
    Width = 113
    Height = 21
    TabOrder = 2
    Bevel.Mode = bmWindows
  }
  TStripes S {
    Left = 140
    Top = 8
    Width = 210
    Height = 150
    TMxBevelPanel TP {
      Left = 10
      Top = 10
      Width = 80
      Height = 30
      Transparent = true
      Bevel.Mode = bmCustom
      TMxBevelPanel TC {
        Left = 50
        Top = 16
        Width = 28
        Height = 12
        Transparent = true
        Bevel.Mode = bmCustom
      }
    }
    TMxBevelPanel PB {
      Left = 10
      Top = 60
      Width = 80
      Height = 30
      ParentBackground = true
      Bevel.Mode = bmCustom
    }
    TMxMaskEdit TE {
      Left = 10
      Top = 105
      Width = 120
      Height = 30
      TabOrder = 3
      Transparent = true
      Bevel.Mode = bmCustom
    }
  }
})"),
              "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Rest();
    Themed = Edit("F").ThemeInUse() != 0;
    ExpectLookTaken(Edit("F").ThemeInUse());
  }
  void TearDown() override {
    Form.reset();
    Pump(30);
  }

  TMxMaskEdit& Edit(const char* name) { return dynamic_cast<TMxMaskEdit&>(*Form->FindComponent(name)); }
  TWinControl& Control(const char* name) { return dynamic_cast<TWinControl&>(*Form->FindComponent(name)); }
  // The pointer on an empty part of the form, and the focus on O.
  void Rest() {
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    // Two moves: the form's own tracking, taken over from the field, tells the field
    // that the pointer left.
    SendMouse(0, POINT{r.left + 60, r.bottom - 15});
    Pump(30);
    SendMouse(0, POINT{r.left + 62, r.bottom - 15});
    Pump(30);
    SetFocus(Edit("O").Handle());
    Pump(60);
  }
  // The pointer onto a field until its look is lit, then back onto the form until the field
  // has reported the exit last. Under Wine a stale pointer move now and then arrives after
  // the leave (a second entry), or moves the pointer tracking on without a leave; a further
  // move on the form, or another pass over the field, brings the exit, as a user's hand would.
  void HoverAndLeave(const char* name, const std::function<bool()>& lit, const std::function<bool()>& rest) {
    Journal.clear();
    const std::string out = std::string(" out ") + name;
    const auto leftLast = [&] {
      return Journal.size() >= out.size() &&
             Journal.compare(Journal.size() - out.size(), out.size(), out) == 0;
    };
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    bool left = false;
    for (int pass = 0; pass < 4 && !left; ++pass) {
      Hover(name);
      EXPECT_TRUE(WaitUntil(lit, 2000)) << LookName(Themed) << ": " << name << " under the mouse";
      Rest();
      for (int i = 0; i < 6 && !left; ++i) {
        left = WaitUntil(leftLast, 100);
        if (left) {
          Pump(60);
          left = leftLast();
        }
        if (!left) {
          SendMouse(0, POINT{r.left + 60 + i % 2, r.bottom - 15});
        }
      }
    }
    ASSERT_TRUE(left) << "the pointer never left " << name << ":" << Journal;
    EXPECT_TRUE(WaitUntil(rest, 1000))
        << LookName(Themed) << ": " << name << " after the mouse left;" << Journal;
  }
  void Hover(const char* name) {
    RECT r{};
    GetWindowRect(Control(name).Handle(), &r);
    SendMouse(0, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    Pump(30);
    SendMouse(0, POINT{(r.left + r.right) / 2 + 2, (r.top + r.bottom) / 2});
  }
  // Pixels of a window's whole rectangle (frame included), left to right along its middle row.
  static std::vector<COLORREF> MiddleRow(HWND h, int count) {
    const TWindowDC dc(h, TWindowDC::TArea::Window);
    RECT r{};
    GetWindowRect(h, &r);
    std::vector<COLORREF> row;
    for (int x = 0; x < count; ++x) {
      row.push_back(GetPixel(dc.Get(), x, (r.bottom - r.top) / 2));
    }
    return row;
  }
  // The visual style's edit frame in a state (1 normal, 2 hot), drawn off screen at the
  // window's size, along the same row.
  static std::vector<COLORREF> ThemedRow(HWND h, int state, int count) {
    RECT r{};
    GetWindowRect(h, &r);
    OffsetRect(&r, -r.left, -r.top);
    const TWindowDC screen(h);
    TMemoryDC dc(CreateCompatibleDC(screen.Get()));
    TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), r.right, r.bottom));
    TSelectGuard select(dc.Get(), bitmap.Get());
    EXPECT_TRUE(TMxThemeServices::Instance().DrawElement(h, L"EDIT", 1, state, dc.Get(), r));
    std::vector<COLORREF> row;
    for (int x = 0; x < count; ++x) {
      row.push_back(GetPixel(dc.Get(), x, r.bottom / 2));
    }
    return row;
  }
  static COLORREF Sys(int index) { return GetSysColor(index) & 0xFFFFFF; }

  std::unique_ptr<TForm> Form;
  bool Themed = false;
  std::string Journal;
};

// The window-border frame: two button-face rings at rest; under the mouse a sunken outer
// edge with a window-frame line inside it at the top and left (classic). With a visual
// style, the style's edit frame: normal at rest, hot under the pointer.
TEST_F(MxFlatLook, FlatEditLightsUpUnderTheMouseAndRestsWhenItLeaves) {
  HWND f = Edit("F").Handle();
  const std::vector<COLORREF> rest =
      Themed ? ThemedRow(f, 1, 2) : std::vector<COLORREF>{Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE)};
  const std::vector<COLORREF> lit =
      Themed ? ThemedRow(f, 2, 2) : std::vector<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_WINDOWFRAME)};
  if (!Themed) {
    ASSERT_NE(rest, lit); // the probe tells the looks apart
  }
  EXPECT_EQ(MiddleRow(f, 2), rest) << LookName(Themed) << " at rest";
  HoverAndLeave(
      "F", [&] { return MiddleRow(f, 2) == lit; }, [&] { return MiddleRow(f, 2) == rest; });
  // Entered with the focus, it stays lit when the pointer passes over and leaves.
  if (!Themed) {
    SetFocus(f);
    Pump(30);
    EXPECT_EQ(MiddleRow(f, 2), lit);
  }
}

TEST_F(MxFlatLook, TurningFlatOffShowsTheFullFrameAtOnce) {
  HWND f = Edit("F").Handle();
  Edit("F").SetFlat(false);
  if (Themed) {
    Pump(30);
    EXPECT_EQ(MiddleRow(f, 2), ThemedRow(f, 1, 2));
  } else {
    // No message handled in between: the frame is drawn by the setting itself.
    EXPECT_EQ(MiddleRow(f, 2), (std::vector<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_WINDOWFRAME)}));
    Edit("F").SetFlat(true);
    EXPECT_EQ(MiddleRow(f, 2), (std::vector<COLORREF>{Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE)}));
  }
  // The platform repainting the frame keeps the full frame of a field that is not flat.
  Edit("F").SetFlat(false);
  RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Pump(30);
  if (!Themed) {
    EXPECT_EQ(MiddleRow(f, 1), std::vector<COLORREF>{Sys(COLOR_BTNSHADOW)});
  }
}

// The platform repainting the border alone (no paint of the client area follows) keeps
// the flat look, at rest and lit.
TEST_F(MxFlatLook, FlatLookOutlivesARepaintOfTheBorder) {
  HWND f = Edit("F").Handle();
  if (Themed) {
    // The visual style's frame is drawn in the client area: there is no border to repaint.
    EXPECT_EQ(GetWindowLongA(f, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetWindowLongA(f, GWL_STYLE) & WS_BORDER, 0);
    return;
  }
  const std::vector<COLORREF> rest{Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE)};
  SendMessageA(f, WM_NCPAINT, 1, 0);
  EXPECT_EQ(MiddleRow(f, 2), rest);
  SetFocus(f);
  Pump(30);
  SendMessageA(f, WM_NCPAINT, 1, 0);
  EXPECT_EQ(MiddleRow(f, 2), (std::vector<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_WINDOWFRAME)}));
}

// A flat field with a bevel of its own: at rest (classic) the bevel's strips take the
// field's colour; under the mouse, with the focus and with Flat off the bevel shows (raised
// outside: light first, lowered inside: shadow next). With a visual style the paint draws the
// bevel in every state.
TEST_F(MxFlatLook, FlatBevelShowsUnderTheMouseAndAlwaysWithAVisualStyle) {
  HWND g = Edit("G").Handle();
  const std::vector<COLORREF> bevel{kRed, kBlue};
  const std::vector<COLORREF> rest =
      Themed ? bevel : std::vector<COLORREF>{Sys(COLOR_WINDOW), Sys(COLOR_WINDOW)};
  EXPECT_EQ(Edit("G").Bevel().Ext(), 2);
  EXPECT_EQ(MiddleRow(g, 2), rest) << LookName(Themed) << " at rest";
  HoverAndLeave(
      "G",
      [&] {
        // A repaint while the pointer is there keeps the lit look.
        RedrawWindow(g, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return MiddleRow(g, 2) == bevel;
      },
      [&] { return MiddleRow(g, 2) == rest; });
  SetFocus(g);
  Pump(30);
  EXPECT_EQ(MiddleRow(g, 2), bevel) << "focused";
  SetFocus(Edit("O").Handle());
  Pump(30);
  EXPECT_EQ(MiddleRow(g, 2), rest) << "focus gone";
  Edit("G").SetFlat(false);
  EXPECT_EQ(MiddleRow(g, 2), bevel) << "Flat off";
  Edit("G").SetFlat(true);
  Pump(30);
  EXPECT_EQ(MiddleRow(g, 2), rest) << "Flat on";
}

// Client pixels of a control along a row against the stripes of its parent at the same place.
int StripeMismatches(TWinControl& c, int y, int fromX, int toX) {
  POINT origin{0, 0};
  MapWindowPoints(c.Handle(), c.Parent()->Handle(), &origin, 1);
  const TWindowDC dc(c.Handle());
  int bad = 0;
  for (int x = fromX; x < toX; ++x) {
    bad += GetPixel(dc.Get(), x, y) != TStripes::At(origin.x + x);
  }
  return bad;
}

TEST_F(MxFlatLook, TransparentControlsShowTheParentAlsoAfterAMove) {
  TWinControl& tp = Control("TP");
  TMxMaskEdit& te = Edit("TE");
  EXPECT_FALSE(dynamic_cast<TMxCustomControl&>(tp).Opaque());
  EXPECT_EQ(StripeMismatches(tp, 15, 0, 50), 0) << LookName(Themed);
  // A transparent child of it shows the stripes through both.
  TWinControl& tc = Control("TC");
  const auto childMismatches = [&] {
    POINT origin{0, 0};
    MapWindowPoints(tc.Handle(), Control("S").Handle(), &origin, 1);
    const TWindowDC dc(tc.Handle());
    int bad = 0;
    for (int x = 0; x < 14; ++x) {
      bad += GetPixel(dc.Get(), x, 6) != TStripes::At(origin.x + x);
    }
    return bad;
  };
  EXPECT_EQ(childMismatches(), 0);
  // The empty edit's text area, unfocused and focused (composed off screen).
  const TMxRect text = te.Rects().Text;
  const int y = (text.Top + text.Bottom) / 2;
  EXPECT_EQ(StripeMismatches(te, y, text.Left + 8, text.Left + 60), 0) << "unfocused";
  SetFocus(te.Handle());
  Pump(60);
  EXPECT_EQ(StripeMismatches(te, y, text.Left + 8, text.Left + 60), 0) << "focused";
  SetFocus(Edit("O").Handle());
  Pump(30);

  // Half a stripe to the right and down: copied old pixels would be off by half a stripe.
  tp.SetBounds(tp.Left() + kStripe / 2, tp.Top() + 3, tp.Width(), tp.Height());
  te.SetBounds(te.Left() + kStripe / 2, te.Top(), te.Width(), te.Height());
  Pump(60);
  EXPECT_EQ(StripeMismatches(tp, 15, 0, 50), 0) << "moved";
  EXPECT_EQ(childMismatches(), 0) << "child moved with its parent";
  EXPECT_EQ(StripeMismatches(te, y, text.Left + 8, text.Left + 60), 0) << "moved";
  // Grown: the new part and the old both show the parent.
  tp.SetBounds(tp.Left(), tp.Top(), tp.Width() + 30, tp.Height());
  Pump(60);
  EXPECT_EQ(StripeMismatches(tp, 15, 0, 80), 0) << "grown";
}

// The parent-background option: with a visual style the control is not opaque and shows
// the parent's themed background; without one it keeps its own colour.
TEST_F(MxFlatLook, ParentBackgroundShowsThroughOnlyWithAVisualStyle) {
  auto& pb = dynamic_cast<TMxBevelPanel&>(Control("PB"));
  EXPECT_EQ(pb.Opaque(), !Themed);
  RedrawWindow(pb.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (Themed) {
    EXPECT_EQ(StripeMismatches(pb, 15, 0, 50), 0);
  } else {
    const TWindowDC dc(pb.Handle());
    for (int x = 0; x < 50; x += 7) {
      EXPECT_EQ(GetPixel(dc.Get(), x, 15), Sys(COLOR_WINDOW)) << x;
    }
  }
  // Switched off, the control is opaque again and shows its colour.
  pb.SetParentBackground(false);
  Pump(30);
  EXPECT_TRUE(pb.Opaque());
  const TWindowDC dc(pb.Handle());
  EXPECT_EQ(GetPixel(dc.Get(), 5, 15), Sys(COLOR_WINDOW));
}

// For review: the flat fields at rest, then F and G under the mouse, one above the other.
TEST_F(MxFlatLook, Screenshot) {
  RECT r{};
  GetWindowRect(Edit("F").Handle(), &r);
  RECT g{};
  GetWindowRect(Edit("G").Handle(), &g);
  const RECT area{r.left - 8, r.top - 8, r.right + 8, g.bottom + 8};
  TScreenShot sheet;
  const auto add = [&](const char* lit) {
    if (lit) {
      Hover(lit);
    }
    Pump(200);
    const TScreenShot shot = GrabScreen(area);
    sheet.Width = shot.Width;
    sheet.Height += shot.Height;
    sheet.Pixels.insert(sheet.Pixels.end(), shot.Pixels.begin(), shot.Pixels.end());
    Rest();
  };
  add(nullptr);
  add("F");
  add("G");
  EXPECT_TRUE(SaveShot("flat_edit.bmp", sheet));
}

} // namespace
