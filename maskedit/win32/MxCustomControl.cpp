#include "maskedit/win32/MxCustomControl.h"

#include "framework/PropertyTable.h"
#include "framework/win32/Canvas.h"
#include "framework/win32/ControlPainter.h"
#include "framework/win32/Graphics.h"
#include "maskedit/win32/MxMessages.h"
#include "maskedit/win32/MxThemeServices.h"

namespace {

// Edit text part and states of the visual style.
constexpr int kEditText = 1;
constexpr int kStateFor[] = {4 /*Disabled*/, 6 /*ReadOnly*/, 2 /*Hot*/, 5 /*Focused*/, 1 /*Normal*/};

} // namespace

TMxCustomControl::TMxCustomControl(TWinControl* parent) : TMxBaseCustomControl(parent) {
  BeginUpdate();
  SetColor(clBtnFace);
  SetBounds(0, 0, 100, 40);
  SetTabStop(false);
  EndUpdate(false);
  TMxThemeServices::AddClient(this);
}

TMxCustomControl::~TMxCustomControl() { TMxThemeServices::RemoveClient(this); }

void TMxCustomControl::SetFlat(bool flat) {
  FFlat = flat;
  if (!HandleAllocated()) {
    return;
  }
  // At once: the normal look for a flat control, the full (active) frame otherwise.
  if (FFlat) {
    DrawNormalLook();
  } else {
    DrawActiveLook();
  }
}

void TMxCustomControl::SetTransparent(bool transparent) {
  if (FTransparent == transparent) {
    return;
  }
  const bool wasOpaque = Opaque();
  FTransparent = transparent;
  OpacityChanged(wasOpaque);
}

void TMxCustomControl::SetParentBackground(bool parentBackground) {
  if (FParentBackground == parentBackground) {
    return;
  }
  const bool wasOpaque = Opaque();
  FParentBackground = parentBackground;
  OpacityChanged(wasOpaque);
}

bool TMxCustomControl::Opaque() const { return !FTransparent && !(FParentBackground && ThemeInUse() != 0); }

void TMxCustomControl::OpacityChanged(bool wasOpaque) {
  // Opacity decides what the platform erases; a new window takes it up.
  if (Opaque() != wasOpaque && HandleAllocated() && IsWindowVisible(Handle())) {
    RecreateWnd();
  } else {
    Invalidate();
  }
}

void TMxCustomControl::SetThemeMode(TMxThemeMode mode) {
  if (FThemeMode == mode) {
    return;
  }
  FThemeMode = mode;
  if (!FThemeGlobalMode) {
    ThemeModeChanged();
  }
}

void TMxCustomControl::SetThemeGlobalMode(bool global) {
  if (FThemeGlobalMode == global) {
    return;
  }
  FThemeGlobalMode = global;
  ThemeModeChanged();
}

int TMxCustomControl::ThemeInUse() const {
  return TMxThemeServices::Instance().ThemeInUse(FThemeMode, FThemeGlobalMode);
}

void TMxCustomControl::ThemeModeChanged() {
  Invalidate();
  for (TWinControl* child : Controls()) {
    if (child->HandleAllocated()) {
      SendMessageA(child->Handle(), MXM_THEMECHANGED, 0, 0);
    }
  }
}

void TMxCustomControl::DrawThemedFrame(HDC dc, const RECT& rect) {
  // The program's control painter goes first; the style's frame is two pixels wide.
  if (IControlPainter* painter = ControlPainter(); painter && HandleAllocated()) {
    RECT inner = rect;
    InflateRect(&inner, -2, -2);
    if (painter->PaintEditFrame(*this, dc, rect, inner, Enabled(), GetReadOnly())) {
      return;
    }
  }
  TMxThemedFrameState state = ThemedFrameState(Enabled(), GetReadOnly(), MouseInside(), Focused());
  TMxThemeServices::Instance().DrawElement(Handle(), L"EDIT", kEditText, kStateFor[static_cast<int>(state)],
                                           dc, rect);
}

TPropertyResult TMxCustomControl::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TMxCustomControl>;
  static const P kTable{
      {"Flat", P::Bool([](TMxCustomControl& c, bool v) { c.FFlat = v; })},
      {"Transparent", P::Bool([](TMxCustomControl& c, bool v) { c.FTransparent = v; })},
      {"ParentBackground", P::Bool([](TMxCustomControl& c, bool v) { c.FParentBackground = v; })},
      {"ThemeGlobalMode", P::Bool([](TMxCustomControl& c, bool v) { c.FThemeGlobalMode = v; })},
      {"Ctl3D", P::Bool([](TMxCustomControl& c, bool v) { c.FCtl3D = v; })},
      {"ThemeMode", P::Enum<TMxThemeMode>(
                        {{"ttmNone", TMxThemeMode::ttmNone},
                         {"ttmPlatform", TMxThemeMode::ttmPlatform},
                         {"ttmNative", TMxThemeMode::ttmNative}},
                        [](TMxCustomControl& c, TMxThemeMode m) { c.FThemeMode = m; },
                        "ttmNone, ttmPlatform or ttmNative")},
      // Stored by older layouts: false selects no theme, true the platform's.
      {"CtlXP", P::Bool([](TMxCustomControl& c, bool v) {
         if (v != (c.FThemeMode == TMxThemeMode::ttmPlatform)) {
           c.FThemeMode = v ? TMxThemeMode::ttmPlatform : TMxThemeMode::ttmNone;
         }
       })},
      {"OnAfterEnter", P::Event([](TMxCustomControl& c) -> TNotifyEvent& { return c.OnAfterEnter; })},
      {"OnAfterExit", P::Event([](TMxCustomControl& c) -> TNotifyEvent& { return c.OnAfterExit; })},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TMxBaseCustomControl::ReadProperty(name, value);
}

void TMxCustomControl::DoEnter() {
  FEntered = true;
  TMxBaseCustomControl::DoEnter();
  if (FFlat) {
    DrawActiveLook();
  }
}

void TMxCustomControl::DoExit() {
  FEntered = false;
  TMxBaseCustomControl::DoExit();
  DrawNormalLook();
}

void TMxCustomControl::FocusGained() {
  // Fires after the whole focus change has been processed.
  PostMessageA(Handle(), MXM_AFTERFOCUS, 1, 0);
}

void TMxCustomControl::FocusLost(HWND) { PostMessageA(Handle(), MXM_AFTERFOCUS, 0, 0); }

void TMxCustomControl::DoMouseExit() {
  if (!FEntered) {
    DrawNormalLook();
  }
  TMxBaseCustomControl::DoMouseExit();
}

void TMxCustomControl::DrawActiveLook() {
  if (!HandleAllocated() || PaintPainterFrame()) {
    return;
  }
  TWindowDC dc(Handle(), TWindowDC::TArea::Window);
  RECT r{};
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  if (ThemeInUse() != 0) {
    DrawThemedFrame(dc.Get(), r);
    return;
  }
  TCanvas canvas(dc.Get());
  if (FCtl3D) {
    RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    canvas.FrameRect(shifted, clWindowFrame);
    canvas.FrameRect(r, clBtnFace);
    canvas.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  } else {
    canvas.FrameRect(r, clWindowFrame);
  }
}

bool TMxCustomControl::PaintPainterFrame() {
  IControlPainter* painter = ControlPainter();
  if (!painter || !HandleAllocated()) {
    return false;
  }
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  if (EqualRect(&client, &window)) {
    return false; // no border
  }
  TWindowDC dc(Handle(), TWindowDC::TArea::Window);
  return painter->PaintEditFrame(*this, dc.Get(), window, client, Enabled(), GetReadOnly());
}

void TMxCustomControl::DrawNormalLook() {
  if (!HandleAllocated() || Focused() || !FFlat || MouseInside() || PaintPainterFrame()) {
    return;
  }
  TWindowDC dc(Handle(), TWindowDC::TArea::Window);
  RECT r{};
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  if (ThemeInUse() != 0) {
    DrawThemedFrame(dc.Get(), r);
    return;
  }
  TCanvas canvas(dc.Get());
  canvas.FrameRect(r, clBtnFace);
  if (FCtl3D) {
    InflateRect(&r, -1, -1);
    canvas.FrameRect(r, clBtnFace);
  }
}

void TMxCustomControl::DrawBackground(HDC dc, const RECT& rect) {
  if (FParentBackground && ThemeInUse() != 0) {
    // The erase shows the parent's themed background; painted here too, because parts of
    // the control (the text area of the edit) are repainted without an erase.
    TSavedDC saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    const RECT client = ClientRect();
    if (TMxThemeServices::Instance().DrawParentBackground(Handle(), dc, client)) {
      return;
    }
  }
  if (HasTransparentBackground() && CopyParentBackground(dc, rect)) {
    return;
  }
  TCanvas canvas(dc);
  canvas.FillRect(rect, Color());
}

void TMxCustomControl::PaintBackground(HDC dc, const RECT& rect) {
  if (!Opaque() && ThemeInUse() != 0 &&
      TMxThemeServices::Instance().DrawParentBackground(Handle(), dc, rect)) {
    return;
  }
  // A transparent control leaves erasing to its painting.
  if (!HasTransparentBackground()) {
    TMxBaseCustomControl::PaintBackground(dc, rect);
  }
}

void TMxCustomControl::RepaintThroughParent() {
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TMxCustomControl::Paint(TCanvas& canvas) {
  if (IsLoading()) {
    return;
  }
  DrawBackground(canvas.Handle(), ClientRect());
  DrawNormalLook();
}

LRESULT TMxCustomControl::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
  case MXM_AFTERFOCUS: {
    const TNotifyEvent& event = wparam ? OnAfterEnter : OnAfterExit;
    if (event) {
      event(this);
    }
    return 0;
  }
  case MXM_THEMECHANGED:
  case WM_THEMECHANGED: ThemeModeChanged(); return 0;
  case WM_SIZE: {
    // The platform keeps the old pixels of what did not grow: a control showing its
    // parent repaints itself and its children, others their whole area.
    const LRESULT r = TMxBaseCustomControl::WndProc(msg, wparam, lparam);
    if (!Opaque()) {
      RepaintThroughParent();
    } else {
      Invalidate();
    }
    return r;
  }
  case WM_MOVE: {
    // Moved pixels are the parent's from the old place.
    const LRESULT r = TMxBaseCustomControl::WndProc(msg, wparam, lparam);
    if (!Opaque()) {
      RepaintThroughParent();
    }
    return r;
  }
  case WM_NCPAINT: {
    // The platform draws the full border; the program's control painter or a flat control's
    // own look goes over it.
    const LRESULT r = TMxBaseCustomControl::WndProc(msg, wparam, lparam);
    if (PaintPainterFrame()) {
      return r;
    }
    if (FFlat && ThemeInUse() == 0) {
      if (Focused() || MouseInside()) {
        DrawActiveLook();
      } else {
        DrawNormalLook();
      }
    }
    return r;
  }
  case WM_SYSCOLORCHANGE:
    if (!FTransparent) {
      Invalidate();
    }
    break;
  default: break;
  }
  return TMxBaseCustomControl::WndProc(msg, wparam, lparam);
}
