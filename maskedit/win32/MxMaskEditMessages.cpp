// TMxMaskEdit: messages, keyboard, context menu and focus; the mouse messages go to
// TMxEditMouse.
#include "maskedit/win32/MxMaskEdit.h"

#include "framework/win32/Form.h"
#include "maskedit/MxStr.h"
#include "maskedit/engine/MxEditCommands.h"
#include "maskedit/engine/MxEditMessages.h"
#include "maskedit/win32/MxEditMouse.h"
#include "maskedit/win32/MxEditPainter.h"
#include "maskedit/win32/MxMessages.h"
#include "maskedit/win32/res/MxEditStrings.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace {

// Set while a posted "take the focus back" is on its way: further focus-loss checks are
// skipped until it has run, so two fields that both refuse to let go cannot hand the focus
// back and forth for ever.
bool gRefocusPending = false;

struct TMenuTraits {
  static void Free(HMENU h) { DestroyMenu(h); }
};
using TMenuHandle = TUniqueHandle<HMENU, TMenuTraits>;

std::uint8_t ModifierState() {
  std::uint8_t m = 0;
  if (GetKeyState(VK_SHIFT) < 0) {
    m |= emShift;
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    m |= emCtrl;
  }
  if (GetKeyState(VK_MENU) < 0) {
    m |= emAlt;
  }
  return m;
}

TMxKey KeyFromVirtualKey(WPARAM vk) {
  switch (vk) {
  case VK_BACK: return TMxKey::Back;
  case VK_RETURN: return TMxKey::Enter;
  case VK_ESCAPE: return TMxKey::Escape;
  case VK_END: return TMxKey::End;
  case VK_HOME: return TMxKey::Home;
  case VK_LEFT: return TMxKey::Left;
  case VK_UP: return TMxKey::Up;
  case VK_RIGHT: return TMxKey::Right;
  case VK_DOWN: return TMxKey::Down;
  case VK_INSERT: return TMxKey::Insert;
  case VK_DELETE: return TMxKey::Delete;
  case 'A': return TMxKey::A;
  case 'C': return TMxKey::C;
  case 'V': return TMxKey::V;
  case 'X': return TMxKey::X;
  default: return TMxKey::Other;
  }
}

// The caption of a built-in menu item from the program's string table; the item's own text
// when the program carries none.
std::wstring MenuCaption(const MxEditCommands::TMenuItem& item) {
  static_assert(MX_IDS_MENU_UNDO == MX_IDS_MENU + static_cast<int>(MxEditCommands::TCommand::Undo) &&
                    MX_IDS_MENU_SELECT_ALL ==
                        MX_IDS_MENU + static_cast<int>(MxEditCommands::TCommand::SelectAll),
                "string ids follow the commands");
  wchar_t text[128] = {};
  const int n = LoadStringW(GetModuleHandleW(nullptr), MX_IDS_MENU + static_cast<UINT>(item.Command), text,
                            static_cast<int>(std::size(text)));
  if (n > 0) {
    return std::wstring(text, static_cast<std::size_t>(n));
  }
  return std::wstring(item.Caption.begin(), item.Caption.end());
}

int XOf(LPARAM pos) { return static_cast<short>(LOWORD(pos)); }
int YOf(LPARAM pos) { return static_cast<short>(HIWORD(pos)); }

} // namespace

// --- window procedure ---------------------------------------------------------------------------

LRESULT TMxMaskEdit::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  // One keystroke or request may ask the engine for several repaints: do one, at the end
  // (also when the handling ends by an exception).
  struct TBatch {
    explicit TBatch(TMxMaskEdit& e) : Edit(e) { ++Edit.FPaintBatch; }
    ~TBatch() {
      if (--Edit.FPaintBatch == 0 && Edit.FPaintPending) {
        Edit.PaintText();
      }
      if (Edit.FPaintBatch == 0 && Edit.FAccessiblePending) {
        Edit.TellAccessibleChanges();
      }
    }
    TMxMaskEdit& Edit;
  } batch(*this);
  LRESULT result = 0;
  if (HandleEditMessage(msg, wparam, lparam, result)) {
    return result;
  }
  // The custom buttons take the mouse over them, their timers and the relayout request.
  const bool enabled = Enabled();
  if ((enabled || msg == MXM_RELAYOUT || msg == WM_TIMER || msg == WM_CAPTURECHANGED) &&
      FButtons->HandleMessage(msg, wparam, lparam, result)) {
    if (msg != WM_MOUSEMOVE) {
      return result;
    }
    return TMxCustomBevelPanel::WndProc(msg, wparam, lparam); // enter and exit still follow
  }
  switch (msg) {
  case WM_ERASEBKGND: return 1; // every pixel is painted by WM_PAINT
  case WM_GETDLGCODE:
    return TMxCustomBevelPanel::WndProc(msg, wparam, lparam) | DLGC_WANTARROWS | DLGC_WANTCHARS;
  case WM_KEYDOWN: KeyDown(wparam); return 0;
  case WM_KEYUP: KeyUp(wparam); return 0;
  case WM_CHAR:
    if (Enabled()) {
      FEdit->KeyPress(static_cast<char>(wparam));
    }
    return 0;
  case WM_LBUTTONDOWN:
    TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
    FMouse->LeftButtonDown(lparam);
    FMouse->CountClick(lparam);
    return 0;
  case WM_LBUTTONDBLCLK:
    TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
    FMouse->DoubleClick(lparam);
    FMouse->CountClick(lparam);
    return 0;
  case WM_LBUTTONUP:
    TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
    FMouse->LeftButtonUp();
    return 0;
  case WM_MOUSEMOVE:
    TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
    FMouse->MouseMove(wparam, lparam);
    return 0;
  case WM_TIMER:
    if (wparam == TMxEditMouse::kAutoScrollTimer) {
      FMouse->AutoScrollTick();
      return 0;
    }
    break;
  case WM_CAPTURECHANGED:
  case WM_CANCELMODE:
    // The press has ended somewhere else: no more scrolling, and a drag is abandoned.
    FMouse->StopAutoScroll();
    FMouse->EndTextDrag();
    break;
  case WM_SETCURSOR:
    if (FEdit->TextDragging && LOWORD(lparam) == HTCLIENT) {
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      return TRUE;
    }
    if (LOWORD(lparam) == HTCLIENT) {
      POINT p{};
      GetCursorPos(&p);
      ScreenToClient(Handle(), &p);
      SetCursor(LoadCursorA(nullptr, OverButton(MAKELPARAM(p.x, p.y)) ? IDC_ARROW : IDC_IBEAM));
      return TRUE;
    }
    break;
  case WM_MOUSEWHEEL:
    // A date field steps the part under the caret; other fields pass the wheel on.
    if (enabled && FEdit->MouseWheel(GET_WHEEL_DELTA_WPARAM(wparam))) {
      return 0;
    }
    break;
  case WM_RBUTTONUP:
    if (!Enabled()) {
      return 0;
    }
    ContextMenu({XOf(lparam), YOf(lparam)});
    return 0;
  case WM_CONTEXTMENU:
    if (lparam == -1 && Enabled()) { // from the keyboard: at the caret
      POINT p = PosFromChar(FEdit->GetCursorPos() - 1);
      ContextMenu(p);
    }
    return 0;
  case WM_SIZE: {
    LRESULT r = TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
    if (TWinControl::Focused()) {
      PrepareBuffer();
    } else {
      UpdateEditRects();
    }
    return r;
  }
  case WM_ENABLE: {
    LRESULT r = TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
    if (!wparam) {
      FMouse->StopAutoScroll();
      FMouse->EndTextDrag();
    }
    TWinControl::Invalidate();
    return r;
  }
  case MXM_REFOCUS: Refocus(); return 0;
  case WM_DESTROY:
    FButtons->Detach();
    // A focus return that can no longer arrive must not block the other fields' checks.
    if (FRefocusPosted) {
      gRefocusPending = FRefocusPosted = false;
    }
    FMouse->StopAutoScroll();
    break;
  default: break;
  }
  return TMxCustomBevelPanel::WndProc(msg, wparam, lparam);
}

bool TMxMaskEdit::HandleEditMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  TMxCustomMaskEdit& e = *FEdit;
  const int length = MxLen(e.RawText());
  switch (msg) {
  case EM_GETSEL: {
    const MxEditMessages::TRange sel = MxEditMessages::GetSel(e);
    if (wparam) {
      *reinterpret_cast<DWORD*>(wparam) = static_cast<DWORD>(sel.Start);
    }
    if (lparam) {
      *reinterpret_cast<DWORD*>(lparam) = static_cast<DWORD>(sel.End);
    }
    result = MAKELRESULT(std::min(sel.Start, 0xFFFF), std::min(sel.End, 0xFFFF));
    return true;
  }
  case EM_SETSEL:
    // Positions arrive as 32-bit values, sign-extended or not depending on the caller.
    MxEditMessages::SetSel(e, static_cast<int>(static_cast<DWORD>(wparam)),
                           static_cast<int>(static_cast<DWORD>(lparam)));
    return true;
  case EM_GETRECT:
    if (lparam) {
      const TMxRect& t = FRects.Text;
      *reinterpret_cast<RECT*>(lparam) = RECT{t.Left, t.Top, t.Right, t.Bottom};
    }
    return true;
  case EM_GETMODIFY: result = e.GetModified() ? TRUE : FALSE; return true;
  case EM_SETMODIFY: e.SetModified(wparam != 0); return true;
  case EM_GETLINECOUNT: result = 1; return true;
  case EM_LINEINDEX:
  case EM_GETHANDLE:
  case EM_GETTHUMB:
  case EM_LINEFROMCHAR:
  case EM_GETFIRSTVISIBLELINE:
  case EM_GETWORDBREAKPROC:
  case EM_GETMARGINS: result = 0; return true;
  case EM_LINELENGTH:
  case WM_GETTEXTLENGTH: result = length; return true;
  case EM_GETLINE: {
    if (!lparam) {
      return true;
    }
    WORD capacity = 0;
    std::memcpy(&capacity, reinterpret_cast<const void*>(lparam), sizeof capacity);
    result = static_cast<LRESULT>(
        MxEditMessages::CopyLine(e.GetText(), reinterpret_cast<char*>(lparam), capacity));
    return true;
  }
  case EM_REPLACESEL:
    if (lparam) {
      e.InsertText(reinterpret_cast<const char*>(lparam));
      if (!wparam) {
        e.ClearUndo();
      }
    }
    return true;
  case EM_LIMITTEXT: e.SetMaxLength(MxEditMessages::LimitFromRequest(wparam)); return true;
  case EM_GETLIMITTEXT: result = e.GetMaxLength(); return true;
  case EM_CANUNDO: result = e.CanUndo() && e.UndoStack().Count() > 0; return true;
  case EM_UNDO:
  case WM_UNDO:
    e.Undo();
    result = e.CanUndo() && e.UndoStack().Count() > 0;
    return true;
  case EM_EMPTYUNDOBUFFER: e.EmptyUndoBuffer(); return true;
  case EM_SETREADONLY:
    e.SetReadOnly(wparam != 0);
    TWinControl::Invalidate();
    result = 1;
    return true;
  case EM_SETPASSWORDCHAR: e.SetPasswordChar(static_cast<char>(wparam & 0xFF)); return true;
  case EM_GETPASSWORDCHAR: result = static_cast<unsigned char>(e.GetPasswordChar()); return true;
  case EM_POSFROMCHAR: {
    const POINT p = PosFromChar(std::clamp<long long>(static_cast<long long>(wparam), 0, length));
    result = MAKELRESULT(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    return true;
  }
  case EM_CHARFROMPOS: {
    const int index = CharIndexFromX(XOf(lparam)) - 1;
    result = MAKELRESULT(static_cast<WORD>(index), 0);
    return true;
  }
  case EM_SETRECT:
  case EM_SETRECTNP:
  case EM_SCROLL:
  case EM_LINESCROLL:
  case EM_SCROLLCARET:
  case EM_SETHANDLE:
  case EM_FMTLINES:
  case EM_SETTABSTOPS:
  case EM_SETWORDBREAKPROC:
  case EM_SETMARGINS: result = 0; return true;
  case WM_CUT: e.CutToClipboard(); return true;
  case WM_COPY: e.CopyToClipboard(); return true;
  case WM_PASTE: e.PasteFromClipboard(); return true;
  case WM_CLEAR: e.ClearSelection(); return true;
  case WM_SETTEXT:
    e.SetText(lparam ? reinterpret_cast<const char*>(lparam) : "");
    TWinControl::Invalidate();
    result = TRUE;
    return true;
  case WM_GETTEXT:
    result =
        static_cast<LRESULT>(MxEditMessages::CopyText(e.GetText(), reinterpret_cast<char*>(lparam), wparam));
    return true;
  default: return false;
  }
}

// --- keyboard -------------------------------------------------------------------------------------

void TMxMaskEdit::KeyDown(WPARAM vk) {
  const std::uint8_t shift = ModifierState();
  WORD key = static_cast<WORD>(vk);
  if (OnKeyDown) {
    OnKeyDown(this, key, shift);
    if (!HandleAllocated()) {
      return;
    }
  }
  if (!Enabled()) {
    FEdit->KeyUp(TMxKey::Other, shift); // the modifier state still follows
    return;
  }
  // A key the handler took (0) only updates the modifier state.
  FEdit->KeyDown(key == 0 ? TMxKey::Other : KeyFromVirtualKey(key), shift);
}

void TMxMaskEdit::KeyUp(WPARAM vk) {
  const std::uint8_t shift = ModifierState();
  WORD key = static_cast<WORD>(vk);
  if (OnKeyUp) {
    OnKeyUp(this, key, shift);
    if (!HandleAllocated()) {
      return;
    }
  }
  FEdit->KeyUp(key == 0 ? TMxKey::Other : KeyFromVirtualKey(key), shift);
}

// --- mouse ------------------------------------------------------------------------------------------

bool TMxMaskEdit::OverButton(LPARAM pos) {
  TMxSpecialButtons& buttons = FEdit->CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    if (buttons.Item(i).Control().Contains(XOf(pos), YOf(pos))) {
      return true;
    }
  }
  return false;
}

void TMxMaskEdit::DoMouseEnter() {
  TMxCustomBevelPanel::DoMouseEnter();
  if (FocusOnMouseAbove && Enabled()) {
    if (!TWinControl::Focused()) {
      SetFocus();
    }
  } else if (ThemeInUse() != 0 && Flat()) {
    TWinControl::Invalidate();
  }
}

void TMxMaskEdit::DoMouseExit() {
  TMxCustomBevelPanel::DoMouseExit();
  if (ThemeInUse() != 0 && Flat()) {
    PaintText();
  }
}

// --- context menu ----------------------------------------------------------------------------------

void TMxMaskEdit::ContextMenu(POINT client) {
  bool handled = false;
  if (OnContextPopup) {
    OnContextPopup(this, client, handled);
  }
  if (handled || !HandleAllocated()) {
    return;
  }
  if (PopupMenu) {
    POINT screen = client;
    ClientToScreen(Handle(), &screen);
    PopupMenu->Popup(screen.x, screen.y);
    return;
  }
  if (Options & eoSuppressDefaultMenu) {
    return;
  }
  TMenuHandle menu(CreatePopupMenu());
  if (!menu) {
    return;
  }
  const auto items = MxEditCommands::ContextMenu(*FEdit, FClipboard.HasText());
  for (const auto& item : items) {
    if (item.Command == MxEditCommands::TCommand::None) {
      AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    } else {
      const std::wstring caption = MenuCaption(item);
      AppendMenuW(menu.Get(), MF_STRING | (item.Enabled ? MF_ENABLED : MF_GRAYED),
                  static_cast<UINT_PTR>(item.Command), caption.c_str());
    }
  }
  POINT screen = client;
  ClientToScreen(Handle(), &screen);
  // The chosen command comes back as the result; it runs here, after the menu has closed,
  // with no message loop of our own in between.
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, Handle(), nullptr));
  if (chosen != 0 && HandleAllocated()) {
    MxEditCommands::Run(*FEdit, static_cast<MxEditCommands::TCommand>(chosen));
  }
}

// --- focus -----------------------------------------------------------------------------------------

void TMxMaskEdit::FocusGained() {
  TMxCustomBevelPanel::FocusGained();
  NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, CHILDID_SELF);
  PrepareBuffer();
  if (FCaret->Style() == csDefault) {
    FCaret->SetFontHeight(TextHeightOf("Qp"));
  }
  FCaret->Create();
  FCaret->Show();
  if (RepaintOnSetFocus) {
    PaintText();
  }
  if (Flat()) {
    DrawActiveLook();
    if (ThemeInUse() != 0) {
      PaintText();
    }
  }
  if (ThemeInUse() != 0) {
    TWinControl::Invalidate(); // the themed frame shows the focus
  }
  TMxCustomMaskEdit& e = *FEdit;
  if (!KeepSelectionOnFocus) {
    e.SelectionHidden = false;
    if (e.HideSelection || e.AutoSelect) {
      if (e.AutoSelect && GetKeyState(VK_LBUTTON) >= 0) {
        e.SelectAll();
      }
      if (e.GetSelLength() != 0) {
        PaintText();
      }
    }
  }
  UpdateCaret();
  e.DoEnter();
}

void TMxMaskEdit::FocusLost(HWND to) {
  TMxCustomMaskEdit& e = *FEdit;
  FMouse->StopAutoScroll();
  FMouse->EndTextDrag();
  if (e.HideSelection && e.GetSelLength() > 0 && !KeepSelectionOnFocus) {
    e.SelectionHidden = true;
    PaintText();
  }
  TMxCustomBevelPanel::FocusLost(to);
  if (RepaintOnKillFocus) {
    PaintText();
  }
  FCaret->Hide();
  FCaret->Destroy();
  FPainter->ReleaseBuffer();
  if (ThemeInUse() != 0) {
    TWinControl::Invalidate();
  }
  // The exit duties (the date's display form, the lone "-" clean-up) run even while another
  // field's focus return is pending; RequestFocusBack refuses a second return then, so
  // two failing fields never pass the focus back and forth.
  if (!IsDestroying()) {
    FFocusGoingTo = to;
    e.DoExit();
    FFocusGoingTo = nullptr;
  }
}

void TMxMaskEdit::RequestFocusBack() {
  if (!HandleAllocated() || IsDestroying() || gRefocusPending) {
    return;
  }
  // Only from a control of the same window: a message box or another program keeps the
  // focus it was given.
  HWND to = FFocusGoingTo;
  if (!to || GetAncestor(to, GA_ROOT) != GetAncestor(Handle(), GA_ROOT)) {
    return;
  }
  DWORD process = 0;
  GetWindowThreadProcessId(to, &process);
  if (process != GetCurrentProcessId()) {
    return;
  }
  gRefocusPending = FRefocusPosted = PostMessageA(Handle(), MXM_REFOCUS, 0, 0) != FALSE;
}

void TMxMaskEdit::Refocus() {
  // The control now holding the focus loses it without its own check (still pending).
  HWND focus = GetFocus();
  if (focus && focus != Handle() && GetAncestor(focus, GA_ROOT) == GetAncestor(Handle(), GA_ROOT) &&
      CanFocus()) {
    ::SetFocus(Handle());
  }
  gRefocusPending = FRefocusPosted = false;
}
