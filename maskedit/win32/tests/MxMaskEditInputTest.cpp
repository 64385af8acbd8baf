// TMxMaskEdit under real windows and real input: the caret placed by every paint, the mouse
// timer on the process-wide timer, wide hints in the tooltip, the context menu's captions from
// the string table, a menu of the program's own instead of the built-in one, and the key
// events. The fixture states which look (themed or classic) the run takes.
#include "framework/Hint.h"
#include "framework/win32/Form.h"
#include "framework/win32/PopupMenu.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestLook.h"
#include "maskedit/win32/MxEditMouse.h"
#include "maskedit/win32/MxGlobalTimer.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "maskedit/win32/res/MxEditStrings.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Screen point of the caret position before character index (0-based), at half the text height.
POINT CharPoint(HWND h, int index) {
  const LRESULT r = SendMessageA(h, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
  POINT p{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r)) + 6};
  ClientToScreen(h, &p);
  return p;
}

POINT RightOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {r.right + 30, (r.top + r.bottom) / 2};
}

// Presses the left button in a long text near its start and holds it right of the field;
// while held runs after the first ticks, with the button still down. Returns how far the
// selection grew while held (0: it did not; the hold is tried again when another program
// took the capture meanwhile, which Wine's helpers sometimes do on a busy machine).
int HoldRightOfText(HWND h, const std::function<void()>& whileHeld = {}) {
  const std::string text(300, 'x');
  for (int attempt = 0; attempt < 3; ++attempt) {
    // A new text, unscrolled, with the caret at its start.
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(h, EM_SETSEL, 0, 0);
    SendMouse(0, CharPoint(h, 1));
    Pump(30);
    SendMouse(MOUSEEVENTF_LEFTDOWN, CharPoint(h, 1));
    Pump(30);
    SendMouse(0, RightOf(h));
    Pump(100);
    const int first = EditSelection(h).second;
    Pump(800); // four steps of 200 ms
    const int later = EditSelection(h).second;
    const bool held = GetCapture() == h;
    if (whileHeld) {
      whileHeld();
    }
    SendMouse(MOUSEEVENTF_LEFTUP, RightOf(h));
    Pump(30);
    if (held && later > first) {
      return later - first;
    }
  }
  return 0;
}

class MxMaskEditInputTest : public ::testing::Test {
protected:
  static constexpr const char* kLayout = R"LAYOUT(TTest T {
  Left = 100
  Top = 100
  ClientWidth = 420
  ClientHeight = 220
  Color = clBtnFace
  Font.Name = "MS Sans Serif"
  Font.Height = -11
  TMxMaskEdit A {
    Left = 8
    Top = 8
    Width = 200
    Height = 21
    TabOrder = 0
    Bevel.Mode = bmWindows
    MaskType = meNone
  }
  TMxMaskEdit B {
    Left = 8
    Top = 40
    Width = 200
    Height = 21
    TabOrder = 1
    Bevel.Mode = bmWindows
    MaskType = meNone
  }
})LAYOUT";

  void SetUp() override {
    MxApplication().SetEditMode(emInsert);
    RegisterMxControls();
    Form = std::make_unique<TForm>("TTest");
    ASSERT_EQ(Form->LoadFromText(kLayout), "");
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(100);
    ExpectLookTaken(Field("A").ThemeInUse()); // the visual style's frame, or the classic edge
  }
  void TearDown() override {
    Form.reset();
    Pump(30);
  }

  TMxMaskEdit& Field(const char* name) { return *dynamic_cast<TMxMaskEdit*>(Form->FindComponent(name)); }
  HWND H(const char* name) { return Field(name).Handle(); }
  void Focus(const char* name) {
    SetFocus(H(name));
    Pump(30);
  }
  // A free-text field made at run time (not owned by the form).
  std::unique_ptr<TMxMaskEdit> NewField(int top) {
    auto field = std::make_unique<TMxMaskEdit>(Form.get());
    field->Edit().SetMaskType(meNone);
    field->SetBounds(8, top, 200, 21);
    field->CreateHandle();
    Pump(30);
    return field;
  }

  std::unique_ptr<TForm> Form;
};

// --- the caret after a paint -----------------------------------------------------------------------

// Whatever moved the text without placing the caret, the next paint puts the caret where the
// text now is.
TEST_F(MxMaskEditInputTest, EveryPaintEndsWithTheCaretInPlace) {
  Focus("A");
  const std::string text(80, 'w'); // wider than the field: it may scroll
  SendMessageA(H("A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(H("A"), EM_SETSEL, 10, 10);
  Pump(30);
  const auto drawnAt = [&] {
    return static_cast<short>(LOWORD(SendMessageA(H("A"), EM_POSFROMCHAR, 10, 0)));
  };
  POINT before{};
  ASSERT_TRUE(GetCaretPos(&before));
  const int drawnBefore = drawnAt();
  ASSERT_EQ(Field("A").Edit().ScrollOffset, 0);
  Field("A").Edit().ScrollOffset = 5; // the text moves; nothing has told the caret
  InvalidateRect(H("A"), nullptr, FALSE);
  UpdateWindow(H("A"));
  POINT after{};
  ASSERT_TRUE(GetCaretPos(&after));
  EXPECT_EQ(Field("A").Edit().ScrollOffset, 5);
  EXPECT_EQ(drawnAt(), drawnBefore - 5);
  EXPECT_EQ(after.x, before.x - 5) << "the caret stays at its character";
  EXPECT_EQ(after.y, before.y);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
  EXPECT_EQ(info.hwndCaret, H("A"));
}

// --- the mouse timer on the shared timer ------------------------------------------------------------

TEST_F(MxMaskEditInputTest, EditsWithUseGlobalTimerShareTheProcessWideTimer) {
  TMxGlobalTimer& shared = TMxGlobalTimer::Instance();
  ASSERT_EQ(shared.ClientCount(), 0);
  auto first = NewField(72), second = NewField(104);
  first->UseGlobalTimer = second->UseGlobalTimer = true;

  // Held in the first edit: its steps come from the shared timer, not a timer of its window.
  bool ownTimer = true;
  int listeners = 0;
  EXPECT_GT(HoldRightOfText(first->Handle(),
                            [&] {
                              ownTimer = KillTimer(first->Handle(), TMxEditMouse::kAutoScrollTimer) != FALSE;
                              listeners = shared.ClientCount();
                            }),
            0);
  EXPECT_FALSE(ownTimer);
  EXPECT_EQ(listeners, 1);
  EXPECT_EQ(shared.ClientCount(), 0);
  EXPECT_FALSE(shared.Running()) << "nobody listens: the platform timer stops";

  // Another listener of the shared timer (any other control) and the second edit tick on the
  // same platform timer.
  int otherTicks = 0;
  const int other = shared.AddClient([&] { ++otherTicks; });
  EXPECT_GT(HoldRightOfText(second->Handle(), [&] { listeners = shared.ClientCount(); }), 0);
  EXPECT_EQ(listeners, 2);
  EXPECT_GT(otherTicks, 4);

  // The first edit goes while its button is held: it stops listening, and the others go on.
  SendMessageA(first->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(300, 'x').c_str()));
  SendMouse(0, CharPoint(first->Handle(), 1));
  Pump(30);
  SendMouse(MOUSEEVENTF_LEFTDOWN, CharPoint(first->Handle(), 1));
  SendMouse(0, RightOf(first->Handle()));
  Pump(100);
  first.reset();
  EXPECT_EQ(shared.ClientCount(), 1) << "only the other listener is left";
  SendMouse(MOUSEEVENTF_LEFTUP, RightOf(second->Handle()));
  Pump(30);
  const int ticksThen = otherTicks;
  EXPECT_GT(HoldRightOfText(second->Handle()), 0) << "the second edit still scrolls";
  EXPECT_GT(otherTicks, ticksThen);

  shared.RemoveClient(other);
  second.reset();
  EXPECT_EQ(shared.ClientCount(), 0);
  EXPECT_FALSE(shared.Running()) << "no timer left once both edits are gone";
}

// --- wide hints ----------------------------------------------------------------------------------

TEST_F(MxMaskEditInputTest, WideHintsTravelPackedAndShowWideInTheTooltip) {
  const std::wstring hint = L"\u0632\u0643\u0627\u0629 maal|Zakat on wealth";
  TMxMaskEdit& a = Field("A");
  a.SetShowHint(true);
  a.SetWideHint(hint);
  EXPECT_EQ(a.WideHint(), hint);
  // The 8-bit hint: the code page's form, then the wide text, packed.
  char narrow[64] = {};
  WideCharToMultiByte(CP_ACP, 0, hint.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  const std::optional<TUnpackedHint> packed = UnpackWideHint(a.Hint());
  ASSERT_TRUE(packed);
  EXPECT_EQ(packed->Narrow, narrow);
  EXPECT_EQ(std::wstring(packed->Wide.begin(), packed->Wide.end()), hint);
  EXPECT_EQ(TForm::HintTextFor(a), ShortHint(narrow)) << "8-bit readers see the 8-bit form";

  a.RecreateWnd(); // the tooltip window, when it exists already, hears of the new hint
  HWND tip = Form->TooltipHandle();
  ASSERT_NE(tip, nullptr);
  wchar_t shown[80] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = Form->Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(a.Handle());
  tool.lpszText = shown;
  SendMessageW(tip, TTM_GETTEXTW, std::size(shown), reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(shown), L"\u0632\u0643\u0627\u0629 maal");

  // A plain 8-bit hint reads back as its wide form.
  Field("B").SetHint("Jumlah|x");
  EXPECT_EQ(Field("B").WideHint(), L"Jumlah|x");
}

// --- the context menu ------------------------------------------------------------------------------

// Opens the context menu of h with a right click; reader runs on another thread with the
// open menu, then closes it with Escape.
void WithOpenContextMenu(HWND h, const std::function<void(HMENU)>& reader) {
  std::atomic<bool> seen{false};
  std::thread watcher([&] {
    if (!WaitUntil([] { return FindWindowA("#32768", nullptr) != nullptr; }, 3000)) {
      return;
    }
    Sleep(100); // the menu takes the keyboard once it has been shown
    const HWND window = FindWindowA("#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    if (menu) {
      reader(menu);
      seen = true;
    }
    SendKeyPress(VK_ESCAPE);
  });
  RECT r{};
  GetWindowRect(h, &r);
  const POINT p{r.left + 20, r.top + 8};
  SendMouse(0, p);
  Pump(30);
  SendMouse(MOUSEEVENTF_RIGHTDOWN, p);
  SendMouse(MOUSEEVENTF_RIGHTUP, p);
  (void)WaitUntil([&] { return seen.load(); }, 4000);
  watcher.join();
  Pump(50);
  EXPECT_TRUE(seen) << "the menu opened";
}

TEST_F(MxMaskEditInputTest, ContextMenuCaptionsAreTheStringTablesEntries) {
  SendMessageA(H("A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  std::vector<std::pair<UINT, std::wstring>> items;
  WithOpenContextMenu(H("A"), [&](HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
      items.emplace_back(GetMenuItemID(menu, i), text);
    }
  });
  const struct {
    UINT Id;
    const wchar_t* Caption;
  } expected[] = {
      {MX_IDS_MENU_UNDO, L"&Undo"},
      {0, L""},
      {MX_IDS_MENU_CUT, L"&Cut"},
      {MX_IDS_MENU_COPY, L"&Copy"},
      {MX_IDS_MENU_PASTE, L"&Paste"},
      {MX_IDS_MENU_DELETE, L"&Delete"},
      {0, L""},
      {MX_IDS_MENU_SELECT_ALL, L"Select all"},
  };
  ASSERT_EQ(items.size(), std::size(expected));
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(i);
    if (expected[i].Id == 0) {
      EXPECT_EQ(items[i].first, 0u) << "a separator";
      continue;
    }
    wchar_t entry[64] = {};
    ASSERT_GT(
        LoadStringW(GetModuleHandleW(nullptr), expected[i].Id, entry, static_cast<int>(std::size(entry))), 0);
    EXPECT_EQ(items[i].second, entry);
    EXPECT_EQ(items[i].second, expected[i].Caption);
    EXPECT_EQ(items[i].first, expected[i].Id - MX_IDS_MENU) << "the item's command";
  }
}

class TRecordingMenu final : public IPopupMenu {
public:
  void Popup(int x, int y) override { Shown.push_back({x, y}); }
  std::vector<POINT> Shown;
};

TEST_F(MxMaskEditInputTest, OwnPopupMenuReplacesTheBuiltInOne) {
  TRecordingMenu own;
  for (const bool suppressed : {false, true}) {
    SCOPED_TRACE(suppressed ? "eoSuppressDefaultMenu" : "no options");
    Field("A").Options = suppressed ? eoSuppressDefaultMenu : 0u;
    Field("A").PopupMenu = &own;
    own.Shown.clear();
    RECT r{};
    GetWindowRect(H("A"), &r);
    const POINT p{r.left + 20, r.top + 8};
    SendMouse(0, p);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, p);
    SendMouse(MOUSEEVENTF_RIGHTUP, p);
    Pump(200);
    ASSERT_EQ(own.Shown.size(), 1u);
    EXPECT_EQ(own.Shown[0].x, p.x);
    EXPECT_EQ(own.Shown[0].y, p.y);
    const HWND builtIn = FindWindowA("#32768", nullptr);
    EXPECT_FALSE(builtIn && IsWindowVisible(builtIn));
    // A handler that takes the click keeps every menu away.
    bool taken = true;
    Field("A").OnContextPopup = [&](TMxMaskEdit*, POINT, bool& handled) { handled = taken; };
    SendMouse(MOUSEEVENTF_RIGHTDOWN, p);
    SendMouse(MOUSEEVENTF_RIGHTUP, p);
    Pump(200);
    EXPECT_EQ(own.Shown.size(), 1u);
    Field("A").OnContextPopup = nullptr;
  }
  Field("A").PopupMenu = nullptr;
}

// --- key events ------------------------------------------------------------------------------------

TEST_F(MxMaskEditInputTest, KeyEventsSeeEveryKeyAndCanTakeOrChangeIt) {
  struct TSeen {
    WORD Key;
    std::uint8_t Shift;
  };
  std::vector<TSeen> downs, ups;
  WORD replaceWith = 0xFFFF; // 0xFFFF: leave the key alone
  TMxMaskEdit& a = Field("A");
  a.OnKeyDown = [&](TMxMaskEdit*, WORD& key, std::uint8_t shift) {
    downs.push_back({key, shift});
    if (key != VK_SHIFT && key != VK_CONTROL && replaceWith != 0xFFFF) {
      key = replaceWith;
    }
  };
  a.OnKeyUp = [&](TMxMaskEdit*, WORD& key, std::uint8_t shift) { ups.push_back({key, shift}); };
  const struct {
    WORD Press, Modifier, ReplaceWith;
    std::uint8_t Shift;
    const char* Text;
    std::pair<int, int> Sel;
  } cases[] = {
      {VK_BACK, 0, 0xFFFF, 0, "acd", {1, 1}},               // passed on
      {VK_BACK, 0, 0, 0, "abcd", {2, 2}},                   // taken: nothing deleted
      {VK_DELETE, 0, 0, 0, "abcd", {2, 2}},                 // taken
      {VK_HOME, 0, VK_END, 0, "abcd", {4, 4}},              // changed into another key
      {VK_LEFT, VK_SHIFT, 0xFFFF, emShift, "abcd", {1, 2}}, // with the shift state
      {'A', VK_CONTROL, 0, emCtrl, "abcd", {2, 2}},         // Ctrl+A taken: nothing selected
  };
  Focus("A");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Press);
    SendMessageA(H("A"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcd"));
    SendMessageA(H("A"), EM_SETSEL, 2, 2);
    downs.clear();
    ups.clear();
    replaceWith = c.ReplaceWith;
    SendKeyPress(c.Press, c.Modifier);
    Pump(50);
    EXPECT_EQ(WindowText(H("A")), c.Text);
    EXPECT_EQ(EditSelection(H("A")), c.Sel);
    bool sawDown = false, sawUp = false;
    for (const TSeen& s : downs) {
      sawDown |= s.Key == c.Press && s.Shift == c.Shift;
    }
    for (const TSeen& s : ups) {
      sawUp |= s.Key == c.Press && s.Shift == c.Shift;
    }
    EXPECT_TRUE(sawDown) << "key down with its shift state";
    EXPECT_TRUE(sawUp) << "key up with its shift state";
  }
  a.OnKeyDown = nullptr;
  a.OnKeyUp = nullptr;
}

} // namespace
