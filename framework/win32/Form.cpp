#include "framework/win32/Form.h"

#include "framework/Abort.h"
#include "framework/ComponentRegistry.h"
#include "framework/GuardedCall.h"
#include "framework/Hint.h"
#include "framework/PropertyTable.h"
#include "framework/TabOrder.h"
#include "framework/win32/ControlRegistry.h"
#include "framework/win32/Dpi.h"

#include <commctrl.h>

#include <algorithm>

namespace {

std::vector<TForm*>& LiveForms() {
  static std::vector<TForm*> forms;
  return forms;
}

} // namespace

TForm::TForm(std::string className) : TWinControl(nullptr), FClassName(std::move(className)) {
  SetHost(this);
  LiveForms().push_back(this);
}

TForm::~TForm() {
  // Controls call back into the form while they go (active control, tooltips): free them
  // while the form is still whole.
  FreeComponents();
  FActiveControl = nullptr;
  DestroyHandle();
  SetHost(nullptr); // what is left of the window below no longer reaches this part
  std::erase(LiveForms(), this);
}

const std::vector<TForm*>& TForm::All() { return LiveForms(); }

TForm* TForm::Of(const TWinControl& control) {
  const TWinControl* c = &control;
  while (c->Parent()) {
    c = c->Parent();
  }
  return dynamic_cast<TForm*>(const_cast<TWinControl*>(c));
}

void TForm::RegisterMethod(const std::string& name, TNotifyEvent handler) {
  FMethods[name] = std::move(handler);
}

TNotifyEvent TForm::FindMethod(const std::string& name) const {
  auto it = FMethods.find(name);
  return it == FMethods.end() ? TNotifyEvent{} : it->second;
}

TPropertyResult TForm::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TForm>;
  static const P kTable{
      {"ClientWidth", P::Int(
                          0, 32767, [](TForm& f, int v) { f.FClientWidth = v; }, "a size from 0 to 32767")},
      {"ClientHeight", P::Int(
                           0, 32767, [](TForm& f, int v) { f.FClientHeight = v; }, "a size from 0 to 32767")},
      {"BorderIcons",
       P::Set(
           {{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}},
           [](TForm& f, unsigned icons) { f.FBorderIcons = icons; }, "a set of border icons",
           [](const std::string& item) { return "unknown border icon '" + item + "'"; })},
      {"Icon", P::Int(
                   1, 65535,
                   [](TForm& f, int v) {
                     f.FIconId = v;
                     f.FIcons[0] = f.FIcons[1] = nullptr;
                   },
                   "an icon resource number")},
      // The density the stored bounds and font heights were designed at.
      {"PixelsPerInch", P::Int(
                            48, 480, [](TForm& f, int v) { f.FPixelsPerInch = v; },
                            "a density from 48 to 480 pixels per inch")},
      // The form's own handlers (the form is the root that the other events look in).
      {"OnCreate",
       [](TForm& f, const TLayoutValue& v) {
         if (v.Kind != TLayoutValue::TKind::Identifier) {
           return TPropertyResult::Bad("a handler name");
         }
         f.OnCreate = f.FindMethod(v.Text);
         if (!f.OnCreate) {
           return TPropertyResult::Bad("there is no handler named " + v.Text);
         }
         return TPropertyResult::Ok();
       }},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TWinControl::ReadProperty(name, value);
}

std::string TForm::LoadFromText(std::string_view text) {
  if (HandleAllocated() || ComponentCount() != 0) {
    return "the form " + Name() + " is loaded already";
  }
  std::string error;
  // A creation handler that ended silently leaves the form standing; any other exception
  // is the load's error.
  const TCallOutcome outcome = CatchAll([&] { error = Load(text); });
  if (outcome.End == TCallEnd::ceFailed) {
    error = outcome.Error;
  }
  if (!error.empty()) {
    DestroyHandle();
    FreeComponents();
  }
  return error;
}

std::string TForm::LoadFromResource(const char* resourceName) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) {
    return std::string("the layout resource ") + resourceName + " is missing";
  }
  return LoadFromText(std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info)));
}

std::string TForm::Load(std::string_view text) {
  TLayoutReadResult read = ReadLayout(text);
  if (!read.Ok()) {
    return read.Error.ToString();
  }
  TLoadResult loaded =
      ReadComponents(*this, FClassName, *read.Root, [](const std::string& cls, TComponent& parent) {
        auto* container = dynamic_cast<TWinControl*>(&parent);
        std::unique_ptr<TComponent> made =
            container ? std::unique_ptr<TComponent>(CreateControl(cls, *container)) : nullptr;
        return made ? std::move(made) : CreateComponent(cls, parent);
      });
  if (!loaded.Ok()) {
    return loaded.Error;
  }
  // Laid out before the windows exist, nothing moves; a window that came out at another
  // density (another monitor's) is laid out again at once.
  ScaleTo(SystemDpi());
  CreateHandle();
  ScaleTo(WindowDpi(Handle()));
  FinishLoading(loaded);
  if (OnCreate) {
    OnCreate(this);
  }
  return {};
}

std::string TForm::HintTextFor(const TWinControl& control) {
  if (!control.ShowHint()) {
    return {};
  }
  for (const TWinControl* c = &control; c; c = c->Parent()) {
    if (!c->Hint().empty()) {
      return ShortHint(NarrowHint(c->Hint()));
    }
  }
  return {};
}

std::wstring TForm::WideHintTextFor(const TWinControl& control) {
  if (!control.ShowHint()) {
    return {};
  }
  for (const TWinControl* c = &control; c; c = c->Parent()) {
    if (!c->Hint().empty()) {
      const std::optional<TUnpackedHint> packed = UnpackWideHint(c->Hint());
      if (!packed) {
        return {};
      }
      const std::u16string text = ShortHint(packed->Wide);
      return std::wstring(text.begin(), text.end());
    }
  }
  return {};
}

HWND TForm::TooltipHandle() {
  EnsureTooltips();
  return FTooltip.Get();
}

namespace {
constexpr UINT_PTR kTooltipTimer = 0x7AB1;
constexpr UINT kTooltipDelayMs = 100;
} // namespace

void TForm::ScheduleTooltips() {
  if (FTooltip || FTooltipScheduled || !HandleAllocated()) {
    return;
  }
  FTooltipScheduled = SetTimer(Handle(), kTooltipTimer, kTooltipDelayMs, nullptr) != 0;
  if (!FTooltipScheduled) {
    EnsureTooltips();
  }
}

void TForm::EnsureTooltips() {
  if (FTooltip || !HandleAllocated()) {
    return;
  }
  FTooltip.Reset(CreateWindowExA(
      WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
  if (FTooltip) {
    SendMessageA(FTooltip.Get(), TTM_SETMAXTIPWIDTH, 0, 400);
    for (TWinControl* child : Controls()) {
      AddTooltips(*child);
    }
  }
}

namespace {

// A control without a window is a rectangle tool of its parent's window, named by the
// control object; the tooltip looks at such rectangles before whole-window tools.
TTTOOLINFOA RectTool(TWinControl& control) {
  TTTOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = control.Parent()->Handle();
  info.uId = reinterpret_cast<UINT_PTR>(&control);
  info.rect =
      RECT{control.Left(), control.Top(), control.Left() + control.Width(), control.Top() + control.Height()};
  return info;
}

} // namespace

void TForm::ControlMoved(TWinControl& control) {
  if (!FTooltip || !control.Placed()) {
    return;
  }
  TTTOOLINFOA info = RectTool(control);
  SendMessageA(FTooltip.Get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

void TForm::AddTooltips(TWinControl& control) {
  if (control.HandleAllocated() || control.Placed()) {
    std::string text = HintTextFor(control);
    std::wstring wide = WideHintTextFor(control);
    if (!text.empty() || !wide.empty()) {
      TTTOOLINFOA info{};
      if (control.HandleAllocated()) {
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = Handle();
        info.uId = reinterpret_cast<UINT_PTR>(control.Handle());
      } else {
        info = RectTool(control);
      }
      if (wide.empty()) {
        info.lpszText = text.data();
        SendMessageA(FTooltip.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
      } else {
        // A packed wide hint shows as its wide text.
        TTTOOLINFOW w{};
        w.cbSize = sizeof w;
        w.uFlags = info.uFlags;
        w.hwnd = info.hwnd;
        w.uId = info.uId;
        w.rect = info.rect;
        w.lpszText = wide.data();
        SendMessageA(FTooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&w));
      }
    }
    control.AddPartTooltips(FTooltip.Get());
  }
  for (TWinControl* child : control.Controls()) {
    AddTooltips(*child);
  }
}

void TForm::ControlRecreated(TWinControl& control) {
  if (FTooltip) {
    AddTooltips(control);
  }
}

void TForm::ControlDestroyed(TWinControl& control) {
  if (FActiveControl == &control) {
    FActiveControl = nullptr;
  }
}

void TForm::CreateParams(TCreateParams& params) {
  params.ClassName = FClassName;
  params.Style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  // A form's window has no owner: it keeps the system menu, and with it the platform's close
  // button, whatever the stored icons say (a frame of its own may take the buttons over).
  // The form's size is fixed, so the platform's frame shows no maximize button.
  params.Style |= WS_SYSMENU;
  if (FBorderIcons & biMinimize) {
    params.Style |= WS_MINIMIZEBOX;
  }
  params.ExStyle = WS_EX_CONTROLPARENT;
  params.Icon = FormIcon(false);
  params.IconSmall = FormIcon(true);
  RECT frame{0, 0, FClientWidth, FClientHeight};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  SetSizeFields(frame.right - frame.left, frame.bottom - frame.top);
}

HICON TForm::FormIcon(bool small) const {
  if (FIconId == 0) {
    return nullptr;
  }
  HICON& icon = FIcons[small ? 1 : 0];
  // Shared: loaded once per size and released with the program, so a class can keep it.
  if (!icon) {
    icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(FIconId), IMAGE_ICON,
                                         GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON),
                                         GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON), LR_SHARED));
  }
  return icon;
}

void TForm::HandleCreated() {
  // The icons normally come with the window class, which the frame reads once as the
  // window is made (setting them afterwards makes it convert them again). A form whose
  // class was registered with other icons gets its own.
  HICON big = FormIcon(false), small = FormIcon(true);
  if (!big) {
    return;
  }
  if (reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICON)) != big) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICONSM)) != small) {
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

void TForm::ScaleTo(int pixelsPerInch, const RECT* suggested) {
  if (pixelsPerInch <= 0 || pixelsPerInch == FPixelsPerInch) {
    return;
  }
  const TScale scale(FPixelsPerInch, pixelsPerInch);
  FPixelsPerInch = pixelsPerInch;
  ChangeScale(scale);
  if (HandleAllocated()) {
    FitWindowToClient(suggested);
  }
}

void TForm::ChangeScale(const TScale& scale) {
  if (scale.Identity()) {
    return;
  }
  // From the stored client size, as the controls are scaled from their stored bounds.
  if (FStoredPixelsPerInch == 0) {
    FStoredPixelsPerInch = scale.From();
    FStoredClientWidth = FClientWidth;
    FStoredClientHeight = FClientHeight;
  }
  const TScale fromStored(FStoredPixelsPerInch, scale.To());
  FClientWidth = fromStored.Apply(FStoredClientWidth);
  FClientHeight = fromStored.Apply(FStoredClientHeight);
  TWinControl::ChangeScale(scale);
}

void TForm::FitWindowToClient(const RECT* suggested) {
  if (IsIconic(Handle())) {
    return;
  }
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (suggested) {
    SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, kFlags);
  }
  // The suggested size is the old window scaled; where the frame does not scale with it
  // (a frame of fixed metrics), the size is corrected so that the client area is exact.
  // A frame of its own may change its widths as the size changes: a second pass follows it.
  for (int pass = 0; pass < 2; ++pass) {
    RECT window{}, client{};
    if (!GetWindowRect(Handle(), &window) || !GetClientRect(Handle(), &client)) {
      return;
    }
    const int dw = FClientWidth - client.right, dh = FClientHeight - client.bottom;
    if (dw == 0 && dh == 0) {
      return;
    }
    SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + dw, window.bottom - window.top + dh,
                 kFlags | SWP_NOMOVE);
  }
}

void TForm::Show() {
  if (!HandleAllocated()) {
    return;
  }
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
  if (!FActiveControl) {
    std::vector<TWinControl*> order = TabOrderList();
    if (!order.empty()) {
      order.front()->SetFocus();
    }
  } else {
    FActiveControl->SetFocus();
  }
}

void TForm::Close() {
  if (HandleAllocated()) {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
  }
}

void TForm::AllControls(TWinControl& parent, std::vector<TWinControl*>& out) const {
  for (TWinControl* child : parent.Controls()) {
    out.push_back(child);
    AllControls(*child, out);
  }
}

std::vector<TWinControl*> TForm::TabOrderList() const {
  std::vector<TWinControl*> all;
  AllControls(const_cast<TForm&>(*this), all);
  std::vector<TTabItem> items;
  items.reserve(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    TWinControl* c = all[i];
    int parentId = -1;
    if (c->Parent() != this) {
      parentId = static_cast<int>(std::find(all.begin(), all.end(), c->Parent()) - all.begin());
    }
    items.push_back({static_cast<int>(i), parentId, c->TabOrder(), c->TabStop(), c->CanFocus()});
  }
  std::vector<TWinControl*> order;
  for (int id : FlattenTabOrder(items, -1)) {
    order.push_back(all[static_cast<std::size_t>(id)]);
  }
  return order;
}

bool TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> order = TabOrderList();
  if (order.empty()) {
    return false;
  }
  std::vector<int> ids(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    ids[i] = static_cast<int>(i);
  }
  auto current = std::find(order.begin(), order.end(), FActiveControl);
  int next =
      NextTabStop(ids, current == order.end() ? -1 : static_cast<int>(current - order.begin()), forward);
  order[static_cast<std::size_t>(next)]->SetFocus();
  return true;
}

bool TForm::HandleAccelerator(char key) {
  std::vector<TWinControl*> all;
  AllControls(*this, all);
  for (TWinControl* c : all) {
    if (c->IsAccelerator(key) && c->CanFocus()) {
      c->Click();
      return true;
    }
  }
  return false;
}

void TForm::ControlFocused(TWinControl& control) {
  if (&control == FActiveControl) {
    return; // focus came back (from a message box, another program)
  }
  TWinControl* previous = FActiveControl;
  FActiveControl = &control;
  if (previous) {
    previous->DoExit();
  }
  control.DoEnter();
}

LRESULT TForm::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
  case WM_ACTIVATE:
    if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam)) {
      // The focus goes back to the active control or, while no control has had it, straight
      // to the first control in tab order (not to the form first: at start-up the field then
      // shows its focus in its first paint).
      TWinControl* target = FActiveControl;
      if (!target) {
        std::vector<TWinControl*> order = TabOrderList();
        if (!order.empty()) {
          target = order.front();
        }
      }
      if (target && target->HandleAllocated() && target->CanFocus()) {
        ::SetFocus(target->Handle());
        return 0;
      }
    }
    break;
  case WM_TIMER:
    if (wparam == kTooltipTimer) {
      KillTimer(Handle(), kTooltipTimer);
      FTooltipScheduled = false;
      EnsureTooltips();
      return 0;
    }
    break;
  case WM_DPICHANGED: ScaleTo(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam)); return 0;
  case WM_CLOSE: DestroyWindow(Handle()); return 0;
  case WM_DESTROY:
    FTooltip.Reset();
    if (FEndsProgram) {
      PostQuitMessage(0);
    }
    break;
  default: break;
  }
  return TWinControl::WndProc(msg, wparam, lparam);
}
