#pragma once
// TMxCustomControl: adds the Flat look, Transparent drawing over the parent, the per-control
// theme mode and the after-focus events to the base.
#include "maskedit/look/MxThemeInUse.h"
#include "maskedit/win32/MxBaseCustomControl.h"

class TMxCustomControl : public TMxBaseCustomControl {
public:
  explicit TMxCustomControl(TWinControl* parent);
  ~TMxCustomControl() override;

  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  // With a platform theme in use, the parent's themed background shows behind the control.
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool parentBackground);
  // Opaque: the control's own colour is its background. A transparent control, or one
  // showing the parent's themed background, lets the parent show through.
  bool Opaque() const;
  TMxThemeMode ThemeMode() const { return FThemeMode; }
  void SetThemeMode(TMxThemeMode mode);
  bool ThemeGlobalMode() const { return FThemeGlobalMode; }
  void SetThemeGlobalMode(bool global);
  bool Ctl3D() const { return FCtl3D; }

  // The theme test for this control: 0 none, 1 platform visual styles.
  int ThemeInUse() const;
  virtual bool GetReadOnly() const { return false; }
  // Draws the visual style's edit frame in the state the control is in.
  void DrawThemedFrame(HDC dc, const RECT& rect);

  TNotifyEvent OnAfterEnter;
  TNotifyEvent OnAfterExit;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void DoEnter() override;
  void DoExit() override;

protected:
  virtual void ThemeModeChanged();
  virtual bool HasTransparentBackground() const { return FTransparent; }
  // Copies the parent's pixels under the control into dc; false when it cannot.
  virtual bool CopyParentBackground(HDC dc, const RECT& rect) { return false; }
  // Background first step of painting: parent's pixels when transparent, else the colour.
  virtual void DrawBackground(HDC dc, const RECT& rect);
  // Flat looks, drawn on the window's own device context (the frame is the window border).
  // The normal look is left out while the control is focused, not Flat or under the mouse.
  // The border drawn by the program's control painter, when it draws edits' borders now.
  bool PaintPainterFrame();
  virtual void DrawActiveLook();
  virtual void DrawNormalLook();
  // The control has been entered (focus) and not left since.
  bool Entered() const { return FEntered; }
  // Transparent controls show what lies behind them at their new place.
  void RepaintThroughParent();

  void Paint(TCanvas& canvas) override;
  // Erasing: the parent's themed background for a control that is not opaque, nothing for
  // a transparent one without a theme, else the control's colour.
  void PaintBackground(HDC dc, const RECT& rect) override;
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void FocusGained() override;
  void FocusLost(HWND to) override;
  void DoMouseExit() override;

private:
  // Recreates a shown window when the opacity differs from what it was made with.
  void OpacityChanged(bool wasOpaque);

  bool FFlat = false;
  bool FTransparent = false;
  bool FParentBackground = false;
  TMxThemeMode FThemeMode = TMxThemeMode::ttmPlatform;
  bool FThemeGlobalMode = false;
  bool FCtl3D = true;
  bool FEntered = false;
};
