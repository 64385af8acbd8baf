// The custom buttons of an edit in a real window, driven by real input: relayout after a
// change of the collection (with the window's client size), click order, press-and-hold
// repeat, hover. The window is a plain stand-in for the edit's window: it gives its
// messages to the host first, lays out from its client rectangle and paints the buttons.
// A screenshot of the held button is written to custom-buttons.bmp (TABIRA_SHOT_DIR).
#include "maskedit/win32/MxCustomButtonsHost.h"

#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/tests/EditTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int WinX = 120, WinY = 120, ClientW = 113, ClientH = 22;

struct TDestroyMenu {
  static void Free(HMENU h) { DestroyMenu(h); }
};

void MouseTo(int x, int y) {
  SetCursorPos(x, y);
  SendMouse(0, POINT{x, y});
  // The move has landed once the platform reports the pointer there.
  EXPECT_TRUE(WaitUntil(
      [&] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == x && at.y == y;
      },
      2000));
  Pump(40);
}

// Moves the pointer to (x, y) until over() holds. Under X a motion event from before the
// move can arrive late and put the pointer back, or the window may never hear of a move
// that ends where the pointer already is; so a move that does not take is sent again, from
// a pixel beside the point. Returns whether over() came to hold.
bool HoverAt(int x, int y, const std::function<bool()>& over) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (attempt > 0) {
      MouseTo(x - 1, y);
    }
    MouseTo(x, y);
    if (WaitUntil(over, 700)) {
      return true;
    }
  }
  return false;
}

void Button(bool down) { SendMouseButtons(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

struct StandIn {
  StandIn() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TabiraButtonsStandIn";
    RegisterClassA(&wc); // a second registration fails harmlessly
    Edit.SetView(&View);
    Window.Reset(CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, WinX, WinY,
                                 ClientW, ClientH, nullptr, nullptr, wc.hInstance, this));
    Host.Attach(Window.Get(), [this] { Relayout(); });
    SetForegroundWindow(Window.Get());
    Pump(50);
  }
  ~StandIn() { Host.Detach(); }

  void Relayout() {
    RECT c{};
    GetClientRect(Window.Get(), &c);
    EditRight = Edit.AdjustEditRect(0, 0, c.right, c.bottom, false);
    ++Relayouts;
    InvalidateRect(Window.Get(), nullptr, FALSE);
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<StandIn*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->Window) {
      return DefWindowProcA(hwnd, msg, wparam, lparam);
    }
    LRESULT result = 0;
    if (self->Host.HandleMessage(msg, wparam, lparam, result)) {
      return result;
    }
    if (msg == WM_PAINT) {
      const TPaintScope paint(hwnd);
      RECT text{0, 0, self->EditRight, ClientH};
      FillRect(paint.DC(), &text, GetSysColorBrush(COLOR_WINDOW));
      TextOutA(paint.DC(), 2, 3, "12.05.2024", 10);
      TMxButtonPaintContext ctx;
      ctx.Window = hwnd;
      ctx.Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      self->Host.Paint(paint.DC(), ctx);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  }

  TMxApplication App;
  TRecordingView View;
  TMxCustomEdit Edit{App};
  TMxCustomButtonsHost Host{Edit};
  TWindowHandle Window;
  int EditRight = ClientW;
  int Relayouts = 0;
};

void SaveWindowShot(HWND hwnd, const char* name) { SaveShot(name, GrabClient(hwnd)); }

TEST(MxCustomButtonsHost, RelayoutClickAndHold) {
  StandIn s;
  std::vector<std::string> journal;
  std::vector<ULONGLONG> repeats;
  s.Edit.OnBtnClick = [&](TMxCustomEdit*, TMxSpeedButton* b, int index) {
    journal.push_back("edit " + std::to_string(index) + " " + b->Caption);
  };
  for (const char* caption : {"...", "+"}) {
    TMxSpecialButton& item = s.Edit.CustomButtons().Add();
    item.SetCaption(caption);
    item.OnClick = [&](TMxSpecialButton* sender, int index) {
      journal.push_back("item " + std::to_string(index) + " " + sender->GetCaption());
      if (sender->GetCaption() == "+") {
        repeats.push_back(GetTickCount64());
      }
    };
  }
  s.Edit.CustomButtons().Item(1).Control().RepeatedClick = true;
  // The collection asked for a posted relayout; the layout follows once it is handled,
  // with the window's real client width.
  EXPECT_EQ(s.EditRight, ClientW);
  EXPECT_TRUE(WaitUntil([&] { return s.EditRight == 81; }, 2000));
  EXPECT_EQ(s.Edit.CustomButtons().Item(0).Control().Left, 81);
  EXPECT_EQ(s.Edit.CustomButtons().Item(1).Control().Left, 97);
  EXPECT_EQ(s.Edit.CustomButtons().Item(1).Control().Height, ClientH);

  // A plain click: the item's event, then the edit's, both with the index.
  ASSERT_TRUE(HoverAt(WinX + 88, WinY + 10, [&] { return s.Edit.CustomButtons().Item(0).Control().Hot(); }));
  Button(true);
  Pump(60);
  Button(false);
  EXPECT_TRUE(WaitUntil([&] { return journal.size() >= 2; }, 2000));
  Pump(50); // nothing more follows
  EXPECT_EQ(journal, (std::vector<std::string>{"item 0 ...", "edit 0 ..."}));

  // Press and hold the repeating button: a click at once, then after the delay, then at
  // the interval; never earlier than scheduled (one timer tick of slack).
  journal.clear();
  ASSERT_TRUE(HoverAt(WinX + 104, WinY + 10, [&] { return s.Edit.CustomButtons().Item(1).Control().Hot(); }));
  Button(true);
  EXPECT_TRUE(WaitUntil([&] { return repeats.size() >= 4; }, 5000));
  EXPECT_EQ(s.Edit.CustomButtons().Item(1).Control().Look(), sblPressed);
  SaveWindowShot(s.Window.Get(), "custom-buttons.bmp");
  Button(false);
  Pump(100);
  const size_t held = repeats.size();
  Pump(400);
  ASSERT_GE(held, 4u);
  EXPECT_EQ(repeats.size(), held); // nothing after the release
  EXPECT_GE(repeats[1] - repeats[0], 500u - 20u);
  for (size_t i = 2; i < held; ++i) {
    EXPECT_GE(repeats[i] - repeats[i - 1], 100u - 20u) << i;
  }
  EXPECT_EQ(journal.front(), "item 1 +");
  EXPECT_EQ(journal[1], "edit 1 +");

  // The pointer leaves: the hover check drops the hot state.
  EXPECT_TRUE(s.Edit.CustomButtons().Item(1).Control().Hot());
  MouseTo(WinX + 400, WinY + 300);
  EXPECT_TRUE(WaitUntil([&] { return !s.Edit.CustomButtons().Item(1).Control().Hot(); }, 2000));

  // A button added at run time narrows the text once the posted relayout is handled.
  s.Edit.CustomButtons().Add().SetCaption("x");
  EXPECT_EQ(s.EditRight, 81);
  EXPECT_TRUE(WaitUntil([&] { return s.EditRight == 65; }, 2000));
  // A zero size message would lie about the size; the relayout never reads one.
  SendMessageA(s.Window.Get(), MXM_RELAYOUT, 0, 0);
  EXPECT_EQ(s.EditRight, 65);
}

TEST(MxCustomButtonsHost, AClickRemovingItsButtonReleasesTheCapture) {
  StandIn s;
  TMxSpecialButton& item = s.Edit.CustomButtons().Add();
  item.Control().RepeatedClick = true; // the click comes while the button is still held
  int clicks = 0;
  item.OnClick = [&](TMxSpecialButton*, int index) {
    ++clicks;
    s.Edit.CustomButtons().Delete(index);
  };
  Pump(100);
  MouseTo(WinX + ClientW - 8, WinY + 10);
  Button(true);
  Pump(100);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(s.Edit.CustomButtons().Count(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  Button(false);
  Pump(700);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(s.EditRight, ClientW);
}

TEST(MxCustomButtonsHost, DropDownMenuChoosesACommand) {
  StandIn s;
  TMxSpecialButton& item = s.Edit.CustomButtons().Add();
  item.SetCaption("v");
  const TUniqueHandle<HMENU, TDestroyMenu> menuOwner(CreatePopupMenu());
  const HMENU menu = menuOwner.Get();
  AppendMenuA(menu, MF_STRING, 101, "First");
  AppendMenuA(menu, MF_STRING, 102, "Second");
  s.Host.SetDropDownMenu(item, menu);
  std::vector<std::string> journal;
  item.Control().OnDropDown = [&](TMxSpeedButton*) { journal.push_back("drop down"); };
  item.OnClick = [&](TMxSpecialButton*, int) { journal.push_back("click"); };
  s.Host.OnMenuCommand = [&](TMxSpecialButton& chosen, UINT command) {
    journal.push_back(chosen.GetCaption() + " " + std::to_string(command));
  };
  Pump(100);
  // While the menu runs its own loop, a timer picks the second entry with the keyboard.
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (WORD key : {WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_RETURN)}) {
      SendKeyPress(key);
    }
  });
  ASSERT_NE(timer, 0u);
  MouseTo(WinX + ClientW - 8, WinY + 10);
  Button(true);
  Button(false);
  // The menu's own loop runs inside the click until the timer has chosen.
  EXPECT_TRUE(WaitUntil([&] { return journal.size() >= 2; }, 3000));
  Pump(100); // nothing more follows
  EXPECT_EQ(journal, (std::vector<std::string>{"drop down", "v 102"}));
  EXPECT_FALSE(item.Control().Tracking());
  EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace

namespace {

// Pixels of a shot inside r that satisfy pick.
template <class F>
int CountIn(const TScreenShot& shot, const RECT& r, F pick) {
  int n = 0;
  for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, shot.Height); ++y) {
    for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, shot.Width); ++x) {
      n += pick(shot.At(x, y)) ? 1 : 0;
    }
  }
  return n;
}

RECT ButtonRect(const TMxSpecialButton& item) {
  const TMxSpeedButton& b = item.Control();
  return RECT{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
}

// A 10 x 10 glyph: a see-through ring around an 8 x 8 square of ink.
TMxGlyph Square(std::uint32_t ink) {
  TMxGlyph g;
  g.Width = g.Height = 10;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool ring = x == 0 || y == 0 || x == 9 || y == 9;
      g.Pixels.push_back(ring ? 0xFF000000 | kMxGlyphKeyColor : ink);
    }
  }
  return g;
}

void Settle(StandIn& s) {
  Pump(60);
  UpdateWindow(s.Window.Get());
  Pump(20);
}

// The stand-in paints its buttons without the visual style and the item's theme mode is
// ttmNone: the classic drawing path, in either run.
TEST(MxCustomButtonsHost, GlyphDisabledSilhouetteFontAndCursorOfTheItem) {
  StandIn s;
  s.Edit.SetCustomButtonWidth(24);
  TMxSpecialButton& item = s.Edit.CustomButtons().Add();
  item.SetGlyph(Square(0xFFFF0000)); // pure red
  Settle(s);
  const RECT button = ButtonRect(item);
  ASSERT_EQ(button.right - button.left, 24);
  const auto red = [](COLORREF c) { return c == RGB(255, 0, 0); };

  // Drawn: exactly the 64 ink pixels, all inside the button, the ring left see-through.
  TScreenShot shot = GrabClient(s.Window.Get());
  EXPECT_EQ(CountIn(shot, RECT{0, 0, shot.Width, shot.Height}, red), 64);
  EXPECT_EQ(CountIn(shot, button, red), 64);
  RECT ink{shot.Width, shot.Height, 0, 0};
  for (int y = button.top; y < button.bottom; ++y) {
    for (int x = button.left; x < button.right; ++x) {
      if (red(shot.At(x, y))) {
        ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                   std::max<LONG>(ink.bottom, y + 1)};
      }
    }
  }
  ASSERT_EQ(ink.right - ink.left, 8);
  ASSERT_EQ(ink.bottom - ink.top, 8);
  const COLORREF face = shot.At(ink.left - 1, ink.top - 1); // under the see-through ring
  SaveWindowShot(s.Window.Get(), "custom-button-glyph.bmp");

  // Disabled: the same square as one flat colour between the shadow colour and the face,
  // no ink left, the ring still the face.
  item.SetEnabled(false);
  Settle(s);
  shot = GrabClient(s.Window.Get());
  EXPECT_EQ(CountIn(shot, button, red), 0);
  const COLORREF silhouette = shot.At(ink.left, ink.top);
  EXPECT_EQ(CountIn(shot, ink, [&](COLORREF c) { return c == silhouette; }), 64);
  EXPECT_NE(silhouette, face);
  EXPECT_EQ(shot.At(ink.left - 1, ink.top - 1), face);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const auto between = [](int v, int a, int b) { return v >= std::min(a, b) - 1 && v <= std::max(a, b) + 1; };
  EXPECT_TRUE(between(GetRValue(silhouette), GetRValue(shadow), GetRValue(face)) &&
              between(GetGValue(silhouette), GetGValue(shadow), GetGValue(face)) &&
              between(GetBValue(silhouette), GetBValue(shadow), GetBValue(face)))
      << std::hex << silhouette << " not between " << shadow << " and " << face;
  SaveWindowShot(s.Window.Get(), "custom-button-glyph-disabled.bmp");

  // A font of the button's own shows in its colour and size; the edit's font before.
  item.SetEnabled(true);
  item.SetGlyph({});
  item.SetCaption("W");
  Settle(s);
  const auto blue = [](COLORREF c) { return c == RGB(0, 0, 255); };
  shot = GrabClient(s.Window.Get());
  const int parentText = CountIn(shot, button, [](COLORREF c) { return c == GetSysColor(COLOR_BTNTEXT); });
  EXPECT_GT(parentText, 5);
  EXPECT_EQ(CountIn(shot, button, blue), 0);
  item.SetFont({"Arial", -16, static_cast<unsigned>(TFontStyle::fsBold), RGBColor(0, 0, 255), 0});
  EXPECT_FALSE(item.GetParentFont());
  Settle(s);
  shot = GrabClient(s.Window.Get());
  const int ownText = CountIn(shot, button, blue);
  EXPECT_GT(ownText, parentText) << "a bigger, bold W in blue";
  SaveWindowShot(s.Window.Get(), "custom-button-font.bmp");
  item.SetParentFont(true);
  Settle(s);
  EXPECT_EQ(CountIn(GrabClient(s.Window.Get()), button, blue), 0);

  // The pointer over the button is the item's; over the text it stays the window's.
  item.SetCursor(crHandPoint);
  POINT over{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ClientToScreen(s.Window.Get(), &over);
  const auto shape = [](LPCSTR id) { return [id] { return GetCursor() == LoadCursorA(nullptr, id); }; };
  EXPECT_TRUE(HoverAt(over.x, over.y, shape(IDC_HAND)));
  POINT text{5, 5};
  ClientToScreen(s.Window.Get(), &text);
  EXPECT_TRUE(HoverAt(text.x, text.y, shape(IDC_ARROW)));
  item.SetCursor(crIBeam);
  EXPECT_TRUE(HoverAt(over.x, over.y, shape(IDC_IBEAM)));
  item.SetCursor(crDefault); // the window decides again
  MouseTo(text.x, text.y);
  EXPECT_TRUE(HoverAt(over.x, over.y, shape(IDC_ARROW)));
}

} // namespace
