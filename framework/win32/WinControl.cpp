#include "framework/win32/WinControl.h"

#include "framework/AccessibleNames.h"

#include "framework/Abort.h"
#include "framework/GuardedCall.h"
#include "framework/PropertyTable.h"
#include "framework/win32/Canvas.h"
#include "framework/win32/ControlPainter.h"
#include "framework/win32/Graphics.h"

#include <commctrl.h>

#include <set>
#include <stdexcept>

namespace {

constexpr char kControlProp[] = "Tabira.Control";

void EnsureClassRegistered(const std::string& name, WNDPROC proc, HICON icon, HICON iconSmall) {
  static std::set<std::string> registered;
  if (registered.count(name)) {
    return;
  }
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  // No full redraw on resizing: controls repaint what changes.
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  wc.hIcon = icon;
  wc.hIconSm = iconSmall;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("cannot register the window class " + name);
  }
  registered.insert(name);
}

} // namespace

TWinControl::TWinControl(TWinControl* parent) : FParent(parent) {
  if (FParent) {
    FParent->FControls.push_back(this);
  }
}

namespace {
// The control that last heard the pointer move (UI thread only).
TWinControl* gPointerControl = nullptr;
} // namespace

TWinControl::~TWinControl() {
  if (gPointerControl == this) {
    gPointerControl = nullptr;
  }
  FreeComponents();
  if (IControlHost* host = FParent ? Host() : nullptr) {
    host->ControlDestroyed(*this);
  }
  DestroyHandle();
  for (TWinControl* child : FControls) {
    child->FParent = nullptr;
  }
  if (FParent) {
    FParent->RemoveControl(this);
  }
}

void TWinControl::RemoveControl(TWinControl* child) { std::erase(FControls, child); }

IControlHost* TWinControl::Host() const {
  const TWinControl* c = this;
  while (c->FParent) {
    c = c->FParent;
  }
  return c->FHost;
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (FUnscaled.PixelsPerInch != 0) {
    // Bounds set at the current density stand for the same place at the unscaled one.
    FUnscaled.Bounds =
        TScale(FScaledPixelsPerInch, FUnscaled.PixelsPerInch).Bounds({left, top, width, height});
  }
  SetScaledBounds(left, top, width, height);
}

void TWinControl::SetScaledBounds(int left, int top, int width, int height) {
  if (FPlaced) {
    InvalidateInParent(); // the area it leaves
  }
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (FHandle) {
    MoveWindow(FHandle, left, top, width, height, TRUE);
  } else if (FPlaced) {
    InvalidateInParent();
    if (IControlHost* host = Host()) {
      host->ControlMoved(*this);
    }
  }
}

void TWinControl::ChangeScale(const TScale& scale) {
  if (scale.Identity()) {
    return;
  }
  if (FUnscaled.PixelsPerInch == 0) {
    FUnscaled = {scale.From(), {FLeft, FTop, FWidth, FHeight}, FFont.Height};
  }
  const TScale fromUnscaled(FUnscaled.PixelsPerInch, scale.To());
  FScaledPixelsPerInch = scale.To();
  if (FParent) {
    const TScaledBounds b = fromUnscaled.Bounds(FUnscaled.Bounds);
    SetScaledBounds(b.Left, b.Top, b.Width, b.Height);
  }
  if (!FParentFont || !FParent) {
    FFont.Height = fromUnscaled.FontHeight(FUnscaled.FontHeight);
    UpdateFont();
  }
  ScaleMetrics(scale);
  for (TWinControl* child : FControls) {
    child->ChangeScale(scale);
  }
}

void TWinControl::SetCaption(std::string caption) {
  FCaption = std::move(caption);
  if (FHandle) {
    SetWindowTextA(FHandle, FCaption.c_str());
    if (!FNative) {
      Invalidate();
    }
  } else if (FPlaced) {
    InvalidateInParent();
  }
}

const TFontData& TWinControl::Font() const { return (FParentFont && FParent) ? FParent->Font() : FFont; }

void TWinControl::SetFont(const TFontData& font) {
  FFont = font;
  if (FUnscaled.PixelsPerInch != 0) {
    FUnscaled.FontHeight = TScale(FScaledPixelsPerInch, FUnscaled.PixelsPerInch).FontHeight(font.Height);
  }
  FParentFont = false;
  UpdateFont();
}

TColor TWinControl::Color() const { return (FParentColor && FParent) ? FParent->Color() : FColor; }

void TWinControl::SetColor(TColor color) {
  FColor = color;
  FParentColor = false;
  Invalidate();
}

bool TWinControl::ShowHint() const { return (FParentShowHint && FParent) ? FParent->ShowHint() : FShowHint; }

void TWinControl::SetEnabled(bool enabled) {
  FEnabled = enabled;
  if (FHandle) {
    EnableWindow(FHandle, enabled);
  }
}

bool TWinControl::CanFocus() const {
  if (!FHandle) {
    return false;
  }
  for (const TWinControl* c = this; c && c->FParent; c = c->FParent) {
    if (!c->FVisible || !c->FEnabled) {
      return false;
    }
  }
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (FHandle) {
    ::SetFocus(FHandle);
  }
}

void TWinControl::Invalidate() {
  if (FHandle) {
    InvalidateRect(FHandle, nullptr, TRUE);
  } else if (FPlaced) {
    InvalidateInParent();
  }
}

void TWinControl::InvalidateInParent() {
  if (!FParent || !FParent->FHandle) {
    return;
  }
  RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  InvalidateRect(FParent->FHandle, &r, TRUE);
}

RECT TWinControl::ClientRect() const {
  if (!HasWindow()) {
    return RECT{0, 0, FWidth, FHeight};
  }
  RECT r{};
  if (FHandle) {
    GetClientRect(FHandle, &r);
  }
  return r;
}

void TWinControl::Click() {
  if (OnClick) {
    OnClick(this);
  }
}

void TWinControl::DoEnter() {
  if (OnEnter) {
    OnEnter(this);
  }
}

void TWinControl::DoExit() {
  if (OnExit) {
    OnExit(this);
  }
}

TPropertyResult TWinControl::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TWinControl>;
  constexpr int kMaxCoord = 32767;
  static const P kTable{
      {"Left", P::Int(-kMaxCoord, kMaxCoord, [](TWinControl& c, int v) { c.FLeft = v; })},
      {"Top", P::Int(-kMaxCoord, kMaxCoord, [](TWinControl& c, int v) { c.FTop = v; })},
      {"Width", P::Int(0, kMaxCoord, [](TWinControl& c, int v) { c.FWidth = v; })},
      {"Height", P::Int(0, kMaxCoord, [](TWinControl& c, int v) { c.FHeight = v; })},
      {"TabOrder", P::Int(0, kMaxCoord, [](TWinControl& c, int v) { c.FTabOrder = v; })},
      {"TabStop", P::Bool([](TWinControl& c, bool v) { c.FTabStop = v; })},
      {"Visible", P::Bool([](TWinControl& c, bool v) { c.FVisible = v; })},
      {"Enabled", P::Bool([](TWinControl& c, bool v) { c.FEnabled = v; })},
      {"ShowHint", P::Bool([](TWinControl& c, bool v) {
         c.FShowHint = v;
         c.FParentShowHint = false;
       })},
      {"ParentShowHint", P::Bool([](TWinControl& c, bool v) { c.FParentShowHint = v; })},
      {"ParentFont", P::Bool([](TWinControl& c, bool v) { c.FParentFont = v; })},
      {"ParentColor", P::Bool([](TWinControl& c, bool v) { c.FParentColor = v; })},
      {"Caption", P::String([](TWinControl& c, const std::string& s) { c.FCaption = s; })},
      {"Hint", P::String([](TWinControl& c, const std::string& s) { c.FHint = s; })},
      {"Color",
       [](TWinControl& c, const TLayoutValue& v) {
         const std::optional<TColor> color = LayoutColor(v);
         if (!color) {
           return TPropertyResult::Bad("a colour");
         }
         c.FColor = *color;
         c.FParentColor = false;
         return TPropertyResult::Ok();
       }},
      {"OnClick", P::Event([](TWinControl& c) -> TNotifyEvent& { return c.OnClick; })},
      {"OnEnter", P::Event([](TWinControl& c) -> TNotifyEvent& { return c.OnEnter; })},
      {"OnExit", P::Event([](TWinControl& c) -> TNotifyEvent& { return c.OnExit; })},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  if (name.rfind("Font.", 0) == 0) {
    if (FParentFont) {
      FFont = Font(); // stored font parts apply over what was inherited so far
      FParentFont = false;
    }
    return ReadFontProperty(FFont, name.substr(5), value);
  }
  return TComponent::ReadProperty(name, value);
}

void TWinControl::Loaded() { TComponent::Loaded(); }

void TWinControl::CreateParams(TCreateParams& params) {
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FVisible) {
    params.Style |= WS_VISIBLE;
  }
  if (!FEnabled) {
    params.Style |= WS_DISABLED;
  }
  if (FTabStop) {
    params.Style |= WS_TABSTOP;
  }
}

void TWinControl::CreateHandle() {
  if (FHandle || FPlaced) {
    return;
  }
  if (FParent && !FParent->FHandle) {
    throw std::runtime_error(Name() + " has no parent window");
  }
  if (!HasWindow()) {
    if (!FParent) {
      throw std::runtime_error(Name() + " has no parent window");
    }
    FPlaced = true;
    UpdateFont();
    InvalidateInParent();
    return;
  }
  TCreateParams params;
  CreateParams(params);
  if (!params.NativeClass) {
    EnsureClassRegistered(params.ClassName, OwnClassProc, params.Icon, params.IconSmall);
  }
  static int nextId = 100;
  HMENU id = FParent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)) : nullptr;
  HWND hwnd = CreateWindowExA(params.ExStyle, params.ClassName.c_str(), FCaption.c_str(), params.Style, FLeft,
                              FTop, FWidth, FHeight, FParent ? FParent->FHandle : nullptr, id,
                              GetModuleHandleA(nullptr), this);
  if (!hwnd) {
    throw std::runtime_error("cannot create the window of " + Name());
  }
  if (params.NativeClass) {
    FNative = true;
    Attach(hwnd);
    if (!SetWindowSubclass(hwnd, NativeSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this))) {
      DestroyWindow(hwnd);
      throw std::runtime_error("cannot subclass the window of " + Name());
    }
  }
  UpdateFont();
  HandleCreated();
  for (TWinControl* child : FControls) {
    child->CreateHandle();
  }
}

void TWinControl::DestroyHandle() {
  if (FHandle) {
    DestroyWindow(FHandle); // WM_NCDESTROY detaches this and every child
  } else if (FPlaced) {
    InvalidateInParent();
    Unplace();
  }
}

bool TWinControl::HasNonClientArea() const {
  RECT window{}, client{};
  if (!GetWindowRect(FHandle, &window) || !GetClientRect(FHandle, &client)) {
    return true;
  }
  return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

void TWinControl::Unplace() {
  FPlaced = false;
  FFontHandle.reset();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) {
    return;
  }
  bool hadFocus = Focused();
  HWND before = GetWindow(FHandle, GW_HWNDPREV);
  DestroyHandle();
  CreateHandle();
  SetWindowPos(FHandle, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (hadFocus) {
    SetFocus();
  }
  if (IControlHost* host = FParent ? Host() : nullptr) {
    host->ControlRecreated(*this);
  }
}

void TWinControl::Attach(HWND hwnd) {
  FHandle = hwnd;
  SetPropA(hwnd, kControlProp, this);
}

void TWinControl::Detach() {
  if (!FHandle) {
    return;
  }
  RemovePropA(FHandle, kControlProp);
  FHandle = nullptr;
  FNative = false;
  FMouseInside = false;
  FFontHandle.reset(); // the window that used it is gone
  // Children without windows were painted by this window: they go with it.
  for (TWinControl* child : FControls) {
    if (!child->HasWindow()) {
      child->Unplace();
    }
  }
}

void TWinControl::UpdateFont() {
  if (!FHandle && !FPlaced) {
    return;
  }
  std::shared_ptr<const TFontHandle> font = SharedFont(Font());
  if (FHandle) {
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font->Get()), TRUE);
  }
  FFontHandle = std::move(font);
  FontChanged();
  for (TWinControl* child : FControls) {
    if (child->FParentFont) {
      child->UpdateFont();
    }
  }
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!FBrush || FBrushColor != Color()) {
    FBrushColor = Color();
    FBrush.Reset(CreateSolidBrush(ColorToRGB(FBrushColor)));
  }
  return FBrush.Get();
}

namespace {
IControlPainter* gControlPainter = nullptr;
} // namespace

IControlPainter* ControlPainter() { return gControlPainter; }
void SetControlPainter(IControlPainter* painter) { gControlPainter = painter; }

void TWinControl::PaintBackground(HDC dc, const RECT& rect) {
  if (AcceptsControls() && gControlPainter && gControlPainter->PaintContainer(*this, dc, rect)) {
    return;
  }
  FillRect(dc, &rect, BackgroundBrush());
}

void TWinControl::PaintWindowlessChildren(HDC dc, const RECT& dirty) {
  for (TWinControl* child : FControls) {
    if (child->FHandle || !child->FPlaced || !child->FVisible) {
      continue;
    }
    RECT bounds{child->FLeft, child->FTop, child->FLeft + child->FWidth, child->FTop + child->FHeight};
    RECT common;
    if (!IntersectRect(&common, &bounds, &dirty)) {
      continue;
    }
    // The child draws in its own coordinates and no further than its bounds.
    TSavedDC saved(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    // A child showing through to this container leaves the background as painted.
    if (!child->FParentColor) {
      child->PaintBackground(dc, child->ClientRect());
    }
    TCanvas canvas(dc);
    child->Paint(canvas);
  }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam) {
  return FNative ? DefSubclassProc(FHandle, msg, wparam, lparam)
                 : DefWindowProcA(FHandle, msg, wparam, lparam);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
  case WM_PAINT:
    if (FNative) {
      break;
    }
    {
      TPaintScope scope(FHandle);
      {
        TCanvas canvas(scope.DC());
        Paint(canvas);
      }
      PaintWindowlessChildren(scope.DC(), scope.Dirty());
    }
    return 0;
  case WM_NCPAINT:
    // A child without a frame has nothing outside its client area: no window DC is
    // needed to paint nothing.
    if (FParent && !HasNonClientArea()) {
      return 0;
    }
    break;
  case WM_ERASEBKGND:
    if (FNative) {
      break;
    }
    PaintBackground(reinterpret_cast<HDC>(wparam), ClientRect());
    return 1;
  case WM_PRINTCLIENT: {
    // Themed native children and the amount fields ask their parent for the background
    // under them. Their device context is clipped to them: only what lies there is drawn
    // (not every label of the container for each child).
    if (FNative) {
      break;
    }
    const auto dc = reinterpret_cast<HDC>(wparam);
    RECT area = ClientRect(), clip{};
    const int region = GetClipBox(dc, &clip);
    if (region == NULLREGION || (region != ERROR && !IntersectRect(&area, &area, &clip))) {
      return 0;
    }
    PaintBackground(dc, area);
    {
      TCanvas canvas(dc);
      Paint(canvas);
    }
    PaintWindowlessChildren(dc, area);
    return 0;
  }
  case WM_GETOBJECT: {
    TAccessibleFacts facts;
    if (AccessibleFacts(facts)) {
      const auto source = [](HWND window, TAccessibleFacts& out) {
        const TWinControl* control = FromHandle(window);
        return control && control->AccessibleFacts(out);
      };
      if (const LRESULT result = AccessibleObjectResult(FHandle, wparam, lparam, source)) {
        return result;
      }
    }
    break;
  }
  case WM_COMMAND:
    // Notifications of child windows go to the control object that sent them, whatever
    // container holds it.
    if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lparam)); lparam && child) {
      child->CommandNotify(HIWORD(wparam));
      return 0;
    }
    break;
  case WM_DRAWITEM:
    // An owner-drawn child draws itself.
    if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        item && item->CtlType != ODT_MENU) {
      if (TWinControl* child = FromHandle(item->hwndItem); child && child->DrawItem(*item)) {
        return TRUE;
      }
    }
    break;
  case WM_NOTIFY: {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    LRESULT result = 0;
    if (TWinControl* child = header ? FromHandle(header->hwndFrom) : nullptr;
        child && child != this && child->NotifyReflected(*header, result)) {
      return result;
    }
    break;
  }
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    // The area around a native child shows this container's colour.
    SetBkColor(reinterpret_cast<HDC>(wparam), ColorToRGB(Color()));
    return reinterpret_cast<LRESULT>(BackgroundBrush());
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
    // A native edit or list shows its own colour and font colour.
    if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
      SetBkColor(reinterpret_cast<HDC>(wparam), ColorToRGB(child->Color()));
      SetTextColor(reinterpret_cast<HDC>(wparam), ColorToRGB(child->Font().Color));
      return reinterpret_cast<LRESULT>(child->BackgroundBrush());
    }
    break;
  case WM_SETFOCUS: {
    LRESULT r = DefaultHandler(msg, wparam, lparam);
    FocusGained();
    if (IControlHost* host = FParent ? Host() : nullptr) {
      host->ControlFocused(*this);
    }
    return r;
  }
  case WM_KILLFOCUS: {
    LRESULT r = DefaultHandler(msg, wparam, lparam);
    FocusLost(reinterpret_cast<HWND>(wparam));
    return r;
  }
  case WM_GETFONT:
    if (FNative) {
      break;
    }
    return reinterpret_cast<LRESULT>(FontHandle());
  case WM_LBUTTONDOWN:
    if (!FNative && FTabStop && GetFocus() != FHandle) {
      ::SetFocus(FHandle);
    }
    break;
  case WM_MOUSEMOVE: {
    // The host hears of the pointer (a form makes its tooltips then, not at start-up).
    if (IControlHost* host = Host()) {
      host->PointerMoved();
    }
    // Re-armed on every move: one window per thread is tracked, and taking over the
    // tracking is what makes the platform tell the previous window that the pointer left.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&track);
    if (gPointerControl != this) {
      PointerMovedFrom(gPointerControl);
      gPointerControl = this;
    }
    // A move handled late, after the pointer has gone on to another window, is no entry:
    // its leave could be reported before it, leaving the control lit with the pointer away.
    if (!FMouseInside && PointerOverWindow()) {
      FMouseInside = true;
      MouseEnter();
    }
    break;
  }
  case WM_MOUSELEAVE:
    // Not twice: the leave may have been told already when the pointer reached another control.
    if (FMouseInside) {
      FMouseInside = false;
      MouseLeave();
    }
    break;
  default: break;
  }
  return DefaultHandler(msg, wparam, lparam);
}

void TWinControl::PointerMovedFrom(TWinControl* previous) {
  // The pointer is over this control now: the previous one and its parents that are not
  // this control's own parents have been left, whether or not the platform's leave
  // notification (which Wine's tracking now and then drops) has come.
  std::vector<TWinControl*> left;
  for (TWinControl* c = previous; c; c = c->FParent) {
    bool ownParent = false;
    for (const TWinControl* p = this; p && !ownParent; p = p->FParent) {
      ownParent = p == c;
    }
    if (ownParent) {
      break;
    }
    if (c->FMouseInside) {
      left.push_back(c);
    }
  }
  for (TWinControl* c : left) {
    c->FMouseInside = false;
    c->MouseLeave();
  }
}

bool TWinControl::PointerOverWindow() const {
  POINT at{};
  if (!GetCursorPos(&at)) {
    return true; // no answer: trust the message
  }
  const HWND under = WindowFromPoint(at);
  return under == FHandle || (under && IsChild(FHandle, under)) || GetCapture() == FHandle;
}

LRESULT TWinControl::Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
  return GuardedCall(LRESULT{0}, [&] { return WndProc(msg, wparam, lparam); });
}

LRESULT CALLBACK TWinControl::OwnClassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  TWinControl* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->Attach(hwnd);
  } else {
    self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) {
    return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
  LRESULT result = self->Dispatch(msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->Detach();
  }
  return result;
}

LRESULT CALLBACK TWinControl::NativeSubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam,
                                                 UINT_PTR id, DWORD_PTR data) {
  auto* self = reinterpret_cast<TWinControl*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, NativeSubclassProc, id);
    LRESULT result = DefSubclassProc(hwnd, msg, wparam, lparam);
    self->Detach();
    return result;
  }
  return self->Dispatch(msg, wparam, lparam);
}

bool TWinControl::AccessibleFacts(TAccessibleFacts& facts) const { return AddAccessibleLabels(facts); }

bool TWinControl::AddAccessibleLabels(TAccessibleFacts& facts) const {
  bool added = false;
  for (const TWinControl* child : FControls) {
    if (child->HasWindow() || !child->Visible() || child->Caption().empty()) {
      continue;
    }
    TAccessibleElement label;
    label.Role = ROLE_SYSTEM_STATICTEXT;
    label.Name = AccessibleWide(AccessibleText(child->Caption()));
    label.State = STATE_SYSTEM_READONLY;
    POINT origin{child->Left(), child->Top()};
    if (FHandle) {
      ClientToScreen(FHandle, &origin);
    }
    label.Screen = {origin.x, origin.y, origin.x + child->Width(), origin.y + child->Height()};
    facts.Children.push_back(std::move(label));
    added = true;
  }
  return added;
}

std::string TWinControl::AccessibleLabelName() const {
  if (!FParent) {
    return {};
  }
  std::vector<TAccessibleLabel> labels;
  for (const TWinControl* sibling : FParent->Controls()) {
    if (sibling != this && !sibling->HasWindow() && sibling->Visible() && !sibling->Caption().empty()) {
      labels.push_back({{sibling->Left(), sibling->Top(), sibling->Left() + sibling->Width(),
                         sibling->Top() + sibling->Height()},
                        sibling->Caption()});
    }
  }
  return AccessibleNameFromLabels(labels, {FLeft, FTop, FLeft + FWidth, FTop + FHeight});
}
