// TMxMaskEdit with a date field and a field carrying two custom buttons, under real input
// (SendInput): a date stepped with the arrow keys and the wheel, typed into part by part,
// switched between its forms by the focus, a date that cannot be read at focus gain; the
// buttons laid out in the frame, clicked, held (repeat), and a screenshot of the form
// (date-buttons.bmp in TABIRA_SHOT_DIR or the working folder).
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/values/MxLocale.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "maskedit/win32/MxThemeServices.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

void Key(WORD vk) {
  SendKeyPress(vk);
  Pump(30);
}

void Type(const std::string& text) {
  for (char c : text) {
    SendChar(c);
    Pump(25);
  }
}

void Mouse(DWORD flags, POINT screen, DWORD data = 0) { SendMouse(flags, screen, data); }

// The form's client area as it is on the screen, written for a person to look at.
void SaveFormShot(HWND form, const char* name) { SaveShot(name, GrabClient(form)); }

class MxMaskEditDateButtonsTest : public ::testing::Test {
protected:
  static constexpr const char* kLayout = R"LAYOUT(TTest T {
  Left = 100
  Top = 100
  ClientWidth = 260
  ClientHeight = 110
  Color = clBtnFace
  Font.Name = "MS Sans Serif"
  Font.Height = -11
  TMxMaskEdit D {
    Left = 8
    Top = 8
    Width = 140
    Height = 21
    TabOrder = 0
    Bevel.Mode = bmWindows
    MaskType = meNone
  }
  TMxMaskEdit E {
    Left = 8
    Top = 40
    Width = 113
    Height = 21
    TabOrder = 1
    Bevel.Mode = bmWindows
    MaskType = meNone
  }
  TMxMaskEdit N {
    Left = 8
    Top = 72
    Width = 113
    Height = 21
    TabOrder = 2
    Bevel.Mode = bmWindows
    MaskType = meNone
  }
  TMxMaskEdit L {
    Left = 140
    Top = 72
    Width = 113
    Height = 21
    TabOrder = 3
    Bevel.Mode = bmWindows
    DateSettings.Format = dfCustom
    DateSettings.FormatStr = "dd/mm/yyyy"
    DateSettings.YearDelta = 30
    CustomButtonWidth = 20
    CustomButtonStyle = ubsWinXPCombo
    MaskType = meDate
  }
})LAYOUT";

  void SetUp() override {
    MxSetLocaleSource(&Locale);
    MxApplication().SetEditMode(emInsert);
    RegisterMxControls();
    Form = std::make_unique<TForm>("TTest");
    ASSERT_EQ(Form->LoadFromText(kLayout), "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(100);
  }
  void TearDown() override {
    Form.reset();
    Pump(30);
    MxSetLocaleSource(nullptr);
  }

  TMxMaskEdit& Field(const char* name) { return *dynamic_cast<TMxMaskEdit*>(Form->FindComponent(name)); }
  HWND H(const char* name) { return Field(name).Handle(); }
  void Focus(const char* name) {
    SetFocus(H(name));
    Pump(40);
  }
  POINT ScreenOf(const char* name, int x, int y) {
    POINT p{x, y};
    ClientToScreen(H(name), &p);
    return p;
  }

  TMxFixedLocaleSource Locale{TMxLocaleValues::Indonesian()}; // short date d/M/yyyy
  std::unique_ptr<TForm> Form;
};

TEST_F(MxMaskEditDateButtonsTest, DateFieldStepsAndTypesWithRealInput) {
  TMxCustomMaskEdit& d = Field("D").Edit();
  int errors = 0;
  d.OnValidationError = [&](TMxCustomMaskEdit*) { ++errors; };
  d.SetMaskType(meDate);
  d.SetValue(MxEncodeDate(2024, 3, 5));
  Focus("N");
  EXPECT_EQ(d.RawText(), "5/3/2024"); // the display form while unfocused
  Focus("D");
  EXPECT_EQ(d.RawText(), "5 /3 /2024");                   // the editing form while focused
  EXPECT_EQ(EditSelection(H("D")), std::make_pair(0, 1)); // the day part is selected

  Key(VK_UP);
  EXPECT_EQ(d.RawText(), "6 /3 /2024");
  Key(VK_RIGHT);
  EXPECT_EQ(EditSelection(H("D")), std::make_pair(3, 4));
  Key(VK_UP);
  EXPECT_EQ(d.RawText(), "6 /4 /2024");
  const POINT over = ScreenOf("D", 20, 8);
  Mouse(0, over, 0);
  Mouse(MOUSEEVENTF_WHEEL, over, WHEEL_DELTA);
  Pump(60);
  EXPECT_EQ(d.RawText(), "6 /5 /2024");
  Mouse(MOUSEEVENTF_WHEEL, over, static_cast<DWORD>(-WHEEL_DELTA));
  Mouse(MOUSEEVENTF_WHEEL, over, static_cast<DWORD>(-WHEEL_DELTA));
  Pump(60);
  EXPECT_EQ(d.RawText(), "6 /3 /2024");

  Key(VK_LEFT);
  Type("15");
  EXPECT_EQ(d.RawText(), "15/3 /2024");
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Type("1999");
  EXPECT_EQ(d.RawText(), "15/3 /1999");
  EXPECT_EQ(EditSelection(H("D")), std::make_pair(6, 10));

  // A click in the middle of the month selects the month part.
  const LRESULT month = SendMessageA(H("D"), EM_POSFROMCHAR, 3, 0);
  const POINT click = ScreenOf("D", static_cast<short>(LOWORD(month)) + 2, 8);
  Mouse(MOUSEEVENTF_LEFTDOWN, click);
  Mouse(MOUSEEVENTF_LEFTUP, click);
  Pump(60);
  EXPECT_EQ(EditSelection(H("D")), std::make_pair(3, 4));
  EXPECT_EQ(errors, 0);

  Focus("N");
  EXPECT_EQ(d.RawText(), "15/3/1999");
  EXPECT_EQ(d.DateValue(), MxEncodeDate(1999, 3, 15));

  // A text that is no date at focus gain: reported, kept, and the window goes on.
  d.SetText("31/4/2024");
  Focus("D");
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(d.RawText(), "31/4/2024");
  EXPECT_TRUE(IsWindow(H("D")));
}

TEST_F(MxMaskEditDateButtonsTest, AFocusedFieldFreedRunsNoExitHandlers) {
  // A date that cannot be read fails its check on exit; freeing the form while the field
  // has the focus is no exit, and the handlers (which may use state already gone) stay quiet.
  int errors = 0, exits = 0;
  TMxMaskEdit& field = Field("D");
  field.Edit().SetMaskType(meDate);
  field.Edit().SetText("31/4/2024");
  Focus("D");
  field.Edit().OnValidationError = [&](TMxCustomMaskEdit*) { ++errors; };
  field.OnExit = [&](TComponent*) { ++exits; };
  Focus("N");
  EXPECT_GT(errors, 0) << "a real exit runs the check";
  EXPECT_EQ(exits, 1);
  Focus("D");
  ASSERT_EQ(GetFocus(), field.Handle());
  errors = exits = 0;
  Form.reset();
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(exits, 0);
}

TEST_F(MxMaskEditDateButtonsTest, StoredDateAndButtonSettings) {
  TMxCustomMaskEdit& e = Field("L").Edit();
  EXPECT_EQ(e.DateSettings().GetFormat(), dfCustom);
  EXPECT_EQ(e.DateSettings().DateFormatString(), "dd/mm/yyyy");
  EXPECT_EQ(e.DateSettings().GetYearDelta(), 30);
  EXPECT_EQ(e.GetCustomButtonWidth(), 20);
  EXPECT_EQ(e.GetCustomButtonsStyle(), ubsCombo); // the older name of the themed combo look
  // The older names are taken only under the older property name.
  TForm other("TTest");
  const std::string error = other.LoadFromText(R"(TTest T {
  TMxMaskEdit X {
    CustomButtonsStyle = ubsWinXP
  }
})");
  EXPECT_NE(error.find("CustomButtonsStyle"), std::string::npos) << error;
}

// Buttons stored in the form's layout with their item properties and a click handler of the
// form, clicked through the field's window (either look: no pixels are asked).
TEST_F(MxMaskEditDateButtonsTest, StoredButtonItemsAndTheirClickHandler) {
  TForm form("TTest");
  std::vector<TComponent*> senders;
  form.RegisterMethod("xFindClick", [&](TComponent* sender) { senders.push_back(sender); });
  ASSERT_EQ(form.LoadFromText(R"(TTest T {
  Left = 700
  Top = 600
  Width = 200
  Height = 80
  TMxMaskEdit X {
    Left = 8
    Top = 8
    Width = 113
    Height = 21
    MaskType = meNone
    CustomButtons = <
      item {
        Caption = "..."
        Glyph = "1x2:FFFF0000FF00FF00"
        Cursor = crHandPoint
        Layout = blGlyphTop
        Font.Name = "Arial"
        Font.Color = clRed
        FontFX.Style = tdRaised
        CtlXP = true
        OnClick = xFindClick
      }
      item {
        Caption = "+"
        Enabled = false
        Hint = "tambah"
      }
    >
  }
})"),
            "");
  form.Show();
  Pump(100);
  auto& field = *dynamic_cast<TMxMaskEdit*>(form.FindComponent("X"));
  TMxSpecialButtons& buttons = field.Edit().CustomButtons();
  ASSERT_EQ(buttons.Count(), 2);
  const TMxSpecialButton& first = buttons.Item(0);
  EXPECT_EQ(first.GetGlyph().Pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00}));
  EXPECT_EQ(first.GetCursor(), crHandPoint);
  EXPECT_EQ(first.GetLayout(), blGlyphTop);
  EXPECT_EQ(first.GetFont().Name, "Arial");
  EXPECT_EQ(first.GetFont().Color, clRed);
  EXPECT_FALSE(first.GetParentFont());
  EXPECT_EQ(first.FontFX().Style(), tdRaised);
  EXPECT_EQ(first.ThemeMode, TMxThemeMode::ttmPlatform);
  EXPECT_FALSE(buttons.Item(1).GetEnabled());
  EXPECT_EQ(buttons.Item(1).GetHint(), "tambah");
  EXPECT_TRUE(buttons.Item(1).GetParentFont());

  const TMxSpeedButton& b = first.Control();
  ASSERT_GT(b.Width, 0);
  // The press and release go to the field's window as the platform sends them.
  const LPARAM at = MAKELPARAM(b.Left + b.Width / 2, b.Top + b.Height / 2);
  SendMessageA(field.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(field.Handle(), WM_LBUTTONUP, 0, at);
  Pump(40);
  EXPECT_EQ(senders, std::vector<TComponent*>{&field});

  // A handler the form does not have is refused with the item and its line.
  TForm bad("TTest");
  const std::string error = bad.LoadFromText("TTest T {\n  TMxMaskEdit X {\n    CustomButtons = <\n"
                                             "      item { OnClick = nobody }\n    >\n  }\n}");
  EXPECT_NE(error.find("item 0 (line 4)"), std::string::npos) << error;
  EXPECT_NE(error.find("nobody"), std::string::npos) << error;
}

TEST_F(MxMaskEditDateButtonsTest, TwoButtonsClickedAndHeld) {
  TMxMaskEdit& field = Field("E");
  TMxCustomMaskEdit& e = field.Edit();
  e.SetText("abc");
  std::vector<std::string> journal;
  std::vector<DWORD> repeats;
  e.OnBtnClick = [&](TMxCustomEdit*, TMxSpeedButton* b, int index) {
    journal.push_back("edit " + std::to_string(index) + " " + b->Caption);
  };
  for (const char* caption : {"...", "+"}) {
    TMxSpecialButton& item = e.CustomButtons().Add();
    item.SetCaption(caption);
    item.OnClick = [&](TMxSpecialButton* sender, int index) {
      journal.push_back("item " + std::to_string(index) + " " + sender->GetCaption());
      if (index == 1) {
        repeats.push_back(GetTickCount());
      }
    };
  }
  e.CustomButtons().Item(1).Control().RepeatedClick = true;
  Pump(100); // the posted relayout

  // The strip takes 2 x 16 pixels at the right inside the frame.
  const TMxEditRects& r = field.Rects();
  EXPECT_EQ(r.Edit.Right, r.FrameClient.Right - 32);
  EXPECT_GT(r.Edit.Right, r.Edit.Left);
  const TMxSpeedButton& b0 = e.CustomButtons().Item(0).Control();
  const TMxSpeedButton& b1 = e.CustomButtons().Item(1).Control();
  EXPECT_EQ(b0.Left, r.Edit.Right);
  EXPECT_EQ(b1.Left, r.Edit.Right + 16);
  EXPECT_EQ(b1.Width, 16);
  EXPECT_EQ(b1.Height, r.Edit.Bottom - r.Edit.Top);

  const POINT p0 = ScreenOf("E", b0.Left + 8, b0.Top + b0.Height / 2);
  Mouse(0, p0);
  Pump(40);
  Mouse(MOUSEEVENTF_LEFTDOWN, p0);
  Pump(40);
  Mouse(MOUSEEVENTF_LEFTUP, p0);
  Pump(80);
  EXPECT_EQ(journal, (std::vector<std::string>{"item 0 ...", "edit 0 ..."}));

  const POINT p1 = ScreenOf("E", b1.Left + 8, b1.Top + b1.Height / 2);
  Mouse(0, p1);
  Pump(40);
  Mouse(MOUSEEVENTF_LEFTDOWN, p1);
  EXPECT_TRUE(WaitUntil([&] { return repeats.size() >= 4; }, 5000));
  EXPECT_EQ(b1.Look(), sblPressed);
  Focus("D"); // the shot shows the date field focused beside the held button
  Field("D").Edit().SetMaskType(meDate);
  Field("D").Edit().SetValue(MxEncodeDate(2024, 8, 17));
  Pump(60);
  SaveFormShot(Form->Handle(), "date-buttons.bmp");
  Mouse(MOUSEEVENTF_LEFTUP, p1);
  Pump(100);
  const std::size_t held = repeats.size();
  Pump(400);
  ASSERT_GE(held, 4u);
  EXPECT_EQ(repeats.size(), held);
  EXPECT_GE(repeats[1] - repeats[0], 500u - 20u);
  EXPECT_EQ(e.RawText(), "abc"); // the buttons never reach the text
}

} // namespace

namespace {

// The buttons drawn in a field are its push-button children for assistive tools: named by
// their hints (else captions), where they are drawn, and pressed by their default action.
TEST_F(MxMaskEditDateButtonsTest, ButtonsArePushButtonChildrenOfTheField) {
  CoInitialize(nullptr);
  TMxMaskEdit& field = Field("E");
  TMxCustomMaskEdit& e = field.Edit();
  std::vector<std::string> journal;
  for (const char* caption : {"...", "+"}) {
    TMxSpecialButton& item = e.CustomButtons().Add();
    item.SetCaption(caption);
    item.OnClick = [&](TMxSpecialButton* sender, int) { journal.push_back(sender->GetCaption()); };
  }
  e.CustomButtons().Item(0).SetHint("Pilih &tanggal");
  e.CustomButtons().Item(1).SetEnabled(false);
  Pump(100); // the posted relayout
  IAccessible* object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(field.Handle(), DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&object)),
            S_OK);
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 2) << "the field has no child windows: its two buttons";
  auto child = [](long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  };
  const wchar_t* names[] = {L"Pilih tanggal", L"+"};
  for (long id = 1; id <= 2; ++id) {
    BSTR name = nullptr;
    object->get_accName(child(id), &name);
    EXPECT_EQ(std::wstring(name ? name : L""), names[id - 1]);
    SysFreeString(name);
    VARIANT role;
    object->get_accRole(child(id), &role);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
    const TMxSpeedButton& b = e.CustomButtons().Item(int(id - 1)).Control();
    const POINT at = ScreenOf("E", b.Left, b.Top);
    long x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(object->accLocation(&x, &y, &w, &h, child(id)), S_OK);
    EXPECT_EQ(x, at.x);
    EXPECT_EQ(y, at.y);
    EXPECT_EQ(w, b.Width);
    VARIANT hit;
    EXPECT_EQ(object->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.lVal, id);
  }
  VARIANT state;
  object->get_accState(child(2), &state);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(object->accDoDefaultAction(child(1)), S_OK);
  EXPECT_NE(object->accDoDefaultAction(child(2)), S_OK) << "a disabled button is not pressed";
  EXPECT_EQ(journal, std::vector<std::string>{"..."});
  object->Release();
  CoUninitialize();
}

} // namespace

namespace {

// A button's hint is a tool of the form's tooltip window over the button's rectangle, and it
// follows the button when the field changes size.
TEST_F(MxMaskEditDateButtonsTest, ButtonHintsAreTooltipsWhereTheButtonsAre) {
  TMxMaskEdit& field = Field("E");
  TMxCustomMaskEdit& e = field.Edit();
  field.SetShowHint(true);
  TMxSpecialButton& dated = e.CustomButtons().Add();
  dated.SetCaption("...");
  dated.SetHint("Pilih tanggal|Membuka kalender");
  e.CustomButtons().Add().SetCaption("+"); // no hint: no tool
  Pump(100);
  HWND tips = Form->TooltipHandle();
  ASSERT_NE(tips, nullptr);
  auto toolOf = [&](const void* id, RECT& rect, std::string& text) {
    const int count = int(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char buffer[256] = {};
      TTTOOLINFOA info{};
      info.cbSize = sizeof info;
      info.lpszText = buffer;
      if (SendMessageA(tips, TTM_ENUMTOOLSA, WPARAM(i), LPARAM(&info)) && info.hwnd == field.Handle() &&
          info.uId == reinterpret_cast<UINT_PTR>(id)) {
        rect = info.rect;
        text = buffer;
        return true;
      }
    }
    return false;
  };
  RECT rect{};
  std::string text;
  ASSERT_TRUE(toolOf(&dated, rect, text));
  EXPECT_EQ(text, "Pilih tanggal") << "the short part of the hint";
  const TMxSpeedButton& b = dated.Control();
  EXPECT_EQ(rect.left, b.Left);
  EXPECT_EQ(rect.right, b.Left + b.Width);
  EXPECT_FALSE(toolOf(&e.CustomButtons().Item(1), rect, text));

  const int before = b.Left;
  field.SetBounds(field.Left(), field.Top(), field.Width() + 30, field.Height());
  Pump(100);
  ASSERT_EQ(b.Left, before + 30) << "the buttons stand at the right";
  ASSERT_TRUE(toolOf(&dated, rect, text));
  EXPECT_EQ(rect.left, b.Left) << "moved with the button";
}

} // namespace

namespace {

// Themed path (the prefix's visual style is on; asserted): a button whose own theme mode asks
// for the platform's look draws it even when its edit does not, as the older themed style
// names set it; two buttons with the same caption otherwise look the same.
TEST_F(MxMaskEditDateButtonsTest, AButtonsOwnThemeModeTakesEffect) {
  ASSERT_NE(TMxThemeServices::Instance().ThemeInUse(TMxThemeMode::ttmPlatform, false), 0)
      << "this test exercises the themed path";
  TMxMaskEdit& field = Field("E");
  TMxCustomMaskEdit& e = field.Edit();
  ASSERT_FALSE(e.CustomButtonParentCtlXP);
  for (int i = 0; i < 2; ++i) {
    e.CustomButtons().Add().SetCaption("...");
  }
  Pump(100);
  auto face = [&](int index) {
    InvalidateRect(field.Handle(), nullptr, TRUE);
    UpdateWindow(field.Handle());
    Pump(40);
    const TMxSpeedButton& b = e.CustomButtons().Item(index).Control();
    const POINT at = ScreenOf("E", b.Left, b.Top);
    return GrabScreen({at.x, at.y, at.x + b.Width, at.y + b.Height}).Pixels;
  };
  EXPECT_EQ(face(0), face(1)) << "both in the edit's (classic) look";
  e.CustomButtons().Item(0).ThemeMode = TMxThemeMode::ttmPlatform;
  EXPECT_NE(face(0), face(1)) << "the first in the platform's look";
}

} // namespace

// The edit at another pixel density (the form's WM_DPICHANGED): the buttons' strip, their
// glyphs, the drawn bevel and the caret are scaled from their stored sizes, and back at the
// stored density they are those sizes again. Either look: sizes only, no pixels.
TEST_F(MxMaskEditDateButtonsTest, ButtonsGlyphsBevelAndCaretFollowTheDensity) {
  TForm form("TTest");
  ASSERT_EQ(form.LoadFromText(R"(TTest T {
  ClientWidth = 200
  ClientHeight = 60
  TMxMaskEdit X {
    Left = 8
    Top = 8
    Width = 140
    Height = 21
    MaskType = meNone
    Bevel.Mode = bmStandard
    Bevel.BorderWidth = 2
    Bevel.BorderInnerWidth = 1
    CustomButtons = <
      item {
        Glyph = "3x2:FF0000AAFF0000BBFF0000CCFF0000DDFF0000EEFF0000FF"
      }
      item {
        Caption = "+"
      }
    >
  }
})"),
            "");
  form.Show();
  Pump(100);
  auto& field = *dynamic_cast<TMxMaskEdit*>(form.FindComponent("X"));
  const int start = form.PixelsPerInch();
  const TMxGlyph glyph = field.Edit().CustomButtons().Item(0).GetGlyph();
  const int buttons = field.ButtonsWidth(), caret = field.Caret().Width(), line = field.Caret().LineWidth();
  const int border = field.Bevel().BorderWidth(), innerBorder = field.Bevel().BorderInnerWidth();
  for (const int dpi : {120, 144, 192}) {
    SCOPED_TRACE(dpi);
    form.ScaleTo(dpi);
    Pump(50);
    const TScale s(start, dpi);
    EXPECT_EQ(field.ButtonsWidth(), 2 * s.Apply(buttons / 2));
    EXPECT_EQ(field.Edit().CustomButtons().Item(0).GetGlyph(), MxScaleGlyph(glyph, start, dpi));
    EXPECT_EQ(field.Caret().Width(), s.Apply(caret));
    EXPECT_EQ(field.Caret().LineWidth(), s.Apply(line));
    EXPECT_EQ(field.Bevel().BorderWidth(), s.Apply(border));
    EXPECT_EQ(field.Bevel().BorderInnerWidth(), s.Apply(innerBorder));
    // The buttons' strip is inside the edit, at its right.
    RECT client{};
    GetClientRect(field.Handle(), &client);
    const RECT strip = field.ButtonsHost().StripRect();
    EXPECT_EQ(strip.right - strip.left, field.ButtonsWidth());
    EXPECT_LE(strip.right, client.right);
    form.ScaleTo(start);
    EXPECT_EQ(field.ButtonsWidth(), buttons);
    EXPECT_EQ(field.Edit().CustomButtons().Item(0).GetGlyph(), glyph);
    EXPECT_EQ(field.Caret().Width(), caret);
    EXPECT_EQ(field.Bevel().BorderWidth(), border);
  }
}
