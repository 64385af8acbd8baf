#pragma once
// TWinControl: a component over one real window. The window procedure stores `this` when the
// window is created, forgets it at WM_NCDESTROY, and dispatches with a plain switch to typed
// virtual members, each message through the callback guard (framework/GuardedCall.h).
// Native controls (the platform's BUTTON) are the same objects, reached through a subclass
// procedure instead.
//
// Parent and owner differ: the parent is the control whose window holds this one; the owner
// (the form) frees it. Children are listed with their parent in creation order. The top of
// the parent chain may be a host (IControlHost), which hears of focus, moves, recreation,
// destruction and pointer moves of the controls under it.
//
// A control that answers false to HasWindow() (a label) gets no window of its own: once its
// parent's window exists it is placed (Placed()), and the parent paints it inside its bounds
// after its own painting. It keeps bounds, caption, font and colour like any other control,
// but takes no focus and no messages.
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/Scale.h"
#include "framework/win32/Accessible.h"
#include "framework/win32/ControlHost.h"
#include "framework/win32/Handles.h"

#include <memory>
#include <string>
#include <vector>

class TCanvas;

struct TCreateParams {
  std::string ClassName;    // the window class
  bool NativeClass = false; // a platform class, subclassed after creation
  DWORD Style = 0;
  DWORD ExStyle = 0;
  // The class icons, given to the class when it is first registered.
  HICON Icon = nullptr;
  HICON IconSmall = nullptr;
};

class TWinControl : public TComponent {
public:
  // parent is null only for forms.
  explicit TWinControl(TWinControl* parent);
  ~TWinControl() override;

  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Whether the control is shown through a window of its own.
  virtual bool HasWindow() const { return true; }
  // A control without a window: whether its parent's window exists and paints it.
  bool Placed() const { return FPlaced; }
  TWinControl* Parent() const { return FParent; }
  const std::vector<TWinControl*>& Controls() const { return FControls; }
  // The host at the top of the parent chain (a form), or null.
  IControlHost* Host() const;

  // Bounds in pixels relative to the parent's client area (for a form: its screen position
  // and its outer size).
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetBounds(int left, int top, int width, int height);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(std::string caption);

  // The font in effect: the parent's while ParentFont is set.
  const TFontData& Font() const;
  void SetFont(const TFontData& font);
  bool ParentFont() const { return FParentFont; }
  // The font the control draws with (shared with controls of an equal font); null while
  // neither a window nor a placement exists.
  HFONT FontHandle() const { return FFontHandle ? FFontHandle->Get() : nullptr; }

  // The colour in effect: the parent's while ParentColor is set.
  TColor Color() const;
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor) {
    FParentColor = parentColor;
    Invalidate();
  }

  const std::string& Hint() const { return FHint; }
  void SetHint(std::string hint) { FHint = std::move(hint); }
  // ShowHint in effect: the parent's while ParentShowHint is set.
  bool ShowHint() const;
  void SetShowHint(bool show) {
    FShowHint = show;
    FParentShowHint = false;
  }

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int order) { FTabOrder = order; }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool stop) { FTabStop = stop; }
  bool Visible() const { return FVisible; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // Visible and enabled, and so is every parent; windows exist.
  bool CanFocus() const;
  bool Focused() const;
  void SetFocus();
  void Invalidate();

  TNotifyEvent OnClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Creates this window (and, recursively, the children's) under the parent's window; a
  // control without a window is placed instead. Throws std::runtime_error when the platform
  // refuses.
  void CreateHandle();
  void DestroyHandle();
  // Destroys and creates the window again in place (to apply creation-time styles); the
  // focus stays with it.
  void RecreateWnd();

  // The framework calls these; handlers run synchronously.
  virtual void Click();
  virtual void DoEnter();
  virtual void DoExit();
  // Whether the accelerator key (Alt+key) belongs to this control.
  virtual bool IsAccelerator(char key) const { return false; }
  // Whether stored child controls may be placed in this one.
  virtual bool AcceptsControls() const { return false; }
  // Whether the control wants the Tab key for itself.
  virtual bool WantsTab() const { return false; }

  // Carries the control from the density scale.From() to scale.To(): its bounds (by their
  // edges), its own font's height unless it follows its parent's, then its own metrics
  // (ScaleMetrics), then its children. Windows that exist move and take the new fonts at once.
  // Bounds and font height are worked out from those the control had before its first scale
  // (or were last set to by SetBounds), so that any way back to a density gives the same
  // pixels as before.
  virtual void ChangeScale(const TScale& scale);

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void Loaded() override;

  static TWinControl* FromHandle(HWND hwnd);

  // What assistive tools are told about the control (role, name, value, states, the parts it
  // draws itself); false leaves the platform's standard answers alone. By default: the labels
  // the control paints (its windowless children) as static texts, and nothing without them.
  virtual bool AccessibleFacts(TAccessibleFacts& facts) const;
  // The caption of the windowless label left of the control on its row, as its spoken name.
  std::string AccessibleLabelName() const;
  // Hints of parts the control draws itself (its buttons) as tools of the tooltip window,
  // added when that window is made; the control keeps them up to date afterwards.
  virtual void AddPartTooltips(HWND tooltip) {}
  // Adds the visible windowless children (labels) as static-text parts where they are drawn;
  // false when there are none.
  bool AddAccessibleLabels(TAccessibleFacts& facts) const;

protected:
  virtual void CreateParams(TCreateParams& params);
  // Runs after the window exists, before the children's windows are made.
  virtual void HandleCreated() {}
  virtual LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam);

  // Typed handlers the switch in WndProc calls.
  virtual void Paint(TCanvas& canvas) {}
  // Fills rect with the control's colour.
  virtual void PaintBackground(HDC dc, const RECT& rect);
  virtual void CommandNotify(WORD code) {}
  // An owner-drawn window of this control to draw (WM_DRAWITEM, sent to its container);
  // answers whether it drew.
  virtual bool DrawItem(const DRAWITEMSTRUCT& item) { return false; }
  // A WM_NOTIFY this control sent to its container; true when handled (result set).
  virtual bool NotifyReflected(const NMHDR& header, LRESULT& result) { return false; }
  virtual void FocusGained() {}
  virtual void FocusLost(HWND to) {}
  // Mouse entered or left the window (tracked with TrackMouseEvent).
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void FontChanged() {}
  // The lengths a control keeps besides its bounds and font (button widths, bevels): scaled
  // with them by ChangeScale, before the children are.
  virtual void ScaleMetrics(const TScale& scale) {}

  // The window's client rectangle (for a control without a window: its own size).
  RECT ClientRect() const;
  // Applies the font in effect to the window (WM_SETFONT) and to the children that follow it.
  void UpdateFont();
  bool MouseInside() const { return FMouseInside; }
  bool IsNative() const { return FNative; }
  void SetVisibleFlag(bool v) { FVisible = v; }
  // A top-level window names the host that hears of the controls under it (null: none).
  void SetHost(IControlHost* host) { FHost = host; }
  // Bounds set by scaling: the unscaled bounds they came from stay as they were.
  void SetScaledBounds(int left, int top, int width, int height);
  // Records the size without touching the window (for CreateParams of a top-level window).
  void SetSizeFields(int width, int height) {
    FWidth = width;
    FHeight = height;
  }

private:
  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK NativeSubclassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                             DWORD_PTR data);
  LRESULT Dispatch(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;
  void Attach(HWND hwnd);
  void Detach();
  void RemoveControl(TWinControl* child);
  HBRUSH BackgroundBrush();
  // Paints the placed children without a window that meet dirty, each clipped to its bounds.
  void PaintWindowlessChildren(HDC dc, const RECT& dirty);
  void Unplace();
  // True when the window has a frame, caption or scroll bars around its client area.
  bool HasNonClientArea() const;
  // The part of the parent's window this control covers (no window of its own).
  void InvalidateInParent();
  // Tells the controls the pointer has left for this one that they were left.
  void PointerMovedFrom(TWinControl* previous);
  // Whether the pointer is over this window (or one of its children) now, or captured by it.
  bool PointerOverWindow() const;

  TWinControl* FParent = nullptr;
  IControlHost* FHost = nullptr;
  std::vector<TWinControl*> FControls;
  HWND FHandle = nullptr;
  bool FPlaced = false;
  bool FNative = false;
  bool FMouseInside = false;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  // Before the first scale: no density. After: the density the control is laid out for, and
  // its bounds and font height at the density they were set at.
  struct TUnscaled {
    int PixelsPerInch = 0;
    TScaledBounds Bounds;
    int FontHeight = 0;
  } FUnscaled;
  int FScaledPixelsPerInch = 0;
  std::string FCaption;
  TFontData FFont;
  bool FParentFont = true;
  std::shared_ptr<const TFontHandle> FFontHandle;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  TBrushHandle FBrush;
  TColor FBrushColor = 0;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  int FTabOrder = 0;
  bool FTabStop = false;
  bool FVisible = true;
  bool FEnabled = true;
};
