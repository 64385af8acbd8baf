#pragma once
// TSkDefaultForm: a hook on a form that takes over everything outside its client area: the
// frame's size, what each point of it is, and its drawing (caption, icon, caption buttons,
// borders) and the client background. It draws the platform's classic look; TSkForm draws
// and measures through the current theme whenever the theme defines its form object.
//
// The window keeps its caption style, so the taskbar button, Alt+Tab, the system menu and the
// platform's move and size loops (with edge snapping) work as for any window: the form answers
// the platform's hit test with the standard codes and lets the platform move and size it. The
// caption buttons are operated by the form itself.
#include "form/SkFormOptions.h"
#include "form/SkFrameDrag.h"
#include "form/SkFrameGeometry.h"
#include "form/win32/SkHook.h"
#include "theme/win32/SkBitmap.h"

#include <memory>
#include <string>

class TskWindowThemeClient;
class TskCustomThemeLink;

class TSkDefaultForm : public TSkHook {
public:
  TSkDefaultForm();
  ~TSkDefaultForm() override;

  TSkBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TSkBorderStyle style);
  TSkBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TSkBorderIcons icons);
  TSkFormPerformance Performance() const { return FPerformance; }
  void SetPerformance(TSkFormPerformance performance) { FPerformance = performance; }
  TSkWindowState WindowState() const { return FWindowState; }
  bool StayOnTop() const { return FStayOnTop; }
  bool Sizeable() const { return FDragging.Sizeable(); }
  bool Moveable() const { return FDragging.Moveable(); }
  TSkDragging& Dragging() { return FDragging; }
  TSkGravitation& Gravitation() { return FGravitation; }
  TSkBlending& Blending() { return FBlending; }
  TSkShadow& Shadow() { return FShadow; }
  // A move or size by the frame is under way.
  bool InDrag() const { return FDrag.Active(); }
  // The owner form's text.
  std::wstring Caption() const;

  // Frame state.
  bool IsActive() const { return FIsActive; }
  std::uint8_t HotCode() const { return FHotCode; }
  std::uint8_t PressedCode() const { return FPressedCode; }
  // The geometry for the window's current size (or the size given). The caption text, read
  // from the window, is only needed for painting.
  TskFrameGeometry Geometry(bool withCaption = false) const;
  TskFrameGeometry Geometry(std::int32_t width, std::int32_t height, bool withCaption = false) const;
  // The platform's frame metrics, read at start and on settings changes.
  static TskFrameMetrics PlatformMetrics();

  // Draws the frame now (through the buffering mode).
  void RedrawFrame();
  // Re-measures the frame and keeps the client size.
  void RecomputeFrame();

  TNotifyEvent OnCreate;
  TNotifyEvent OnFormShown;
  TNotifyEvent OnResize;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void Loaded() override;

protected:
  // The theme that draws the frame; none for the classic look.
  virtual TskTheme* FrameTheme() const { return nullptr; }
  virtual std::string FrameObject() const { return "default"; }

  void HandleMessage(TskMessage& message) override;
  void AfterWindowProc(TskMessage& message) override;
  void WindowProcRestoring() override;

  // Paints the non-client area into dc (window coordinates).
  void PaintFrame(HDC dc, const TskFrameGeometry& g);
  // Paints the client background into dc (client coordinates).
  void PaintClient(HDC dc, const TskFrameGeometry& g);

private:
  HWND FrameWindow() const;
  void PaintFrameDirect(HDC windowDC, const TskFrameGeometry& g);
  void PaintThemed(HDC dc, const TskFrameGeometry& g);
  void PaintClassic(HDC dc, const TskFrameGeometry& g);
  void DrawWindowIcon(HDC dc, const TskRect& r);
  TskBitmap* FrameBuffer(std::int32_t width, std::int32_t height);
  void UpdateRegion();
  void SetHotCode(std::uint8_t code);
  void ButtonAction(std::uint8_t code);
  void ShowSystemMenu(POINT at);
  POINT WindowPoint(LPARAM screenPoint) const;
  void ApplyNativeStyle();
  // The shadow's width now (0 without a shadow or while maximised), and whether the frame is
  // composed over a snapshot of what lies behind the window.
  std::int32_t ShadowSize() const;
  bool HasSnapshot() const { return FSnapshot && !FSnapshot->Empty(); }
  bool Composed() const { return FBlending.Enabled() || ShadowSize() > 0; }
  void RefreshSnapshot(const RECT& screen);
  bool BeginDrag(std::uint8_t code, POINT screen);
  void DragTo(POINT screen);
  void EndDrag(bool apply);
  void DrawOutline(const RECT& r);

  TSkBorderStyle FBorderStyle = kbsStandard;
  TSkBorderIcons FBorderIcons = kSkDefaultBorderIcons;
  TSkFormPerformance FPerformance = kfpNoBuffer;
  TSkWindowState FWindowState = kwsNormal;
  bool FStayOnTop = false;
  bool FStretchBackground = false;
  bool FMinimizeApplication = true;
  bool FSystemMenuLinkMerge = false;
  bool FSystemMenuLinkMergeAtFirst = false;
  TSkDragging FDragging;
  TSkGravitation FGravitation;
  TSkBlending FBlending;
  TSkShadow FShadow;
  TskFrameDrag FDrag;
  bool FOutlineMode = false;
  bool FOutlineShown = false;
  RECT FOutlineRect{};
  RECT FDragMonitor{}, FDragArea{}; // the monitor under the pointer while dragging, its area
  std::string FAnimationEffectKind, FSystemMenuEffectKind, FTrayMenuEffectKind;

  bool FIsActive = false;
  bool FPaintingEnabled = true;
  bool FShown = false;
  std::uint8_t FHotCode = 0;
  std::uint8_t FPressedCode = 0;
  bool FLeftHeld = false;
  bool FHoverTimer = false;
  bool FCaptionStripped = false;
  TskFrameMetrics FMetrics;
  TskBitmap FPersistentBuffer;
  TskBitmap FStripBuffer; // the caption strip, composed off-screen when nothing else buffers
  bool FRegionSet = false;
  std::unique_ptr<TskBitmap> FSnapshot; // what lies behind the window
  RECT FSnapshotRect{};
  std::int32_t FRegionWidth = -1, FRegionHeight = -1;
};

class TSkForm : public TSkDefaultForm {
public:
  TSkForm();
  ~TSkForm() override;

  const std::string& ThemeObject() const { return FThemeObject; }
  void SetThemeObject(const std::string& name);
  TskCustomThemeLink* ThemeLink() const { return FThemeLink; }
  void SetThemeLink(TskCustomThemeLink* link);

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void Loaded() override;

protected:
  TskTheme* FrameTheme() const override;
  std::string FrameObject() const override { return FThemeObject; }
  void HandleMessage(TskMessage& message) override;

private:
  std::string FThemeObject = "default";
  std::string FThemeLinkName;
  TskCustomThemeLink* FThemeLink = nullptr;
  std::unique_ptr<TskWindowThemeClient> FThemeClient;
};

// Makes TSkDefaultForm and TSkForm known to layouts.
void SkRegisterFormComponents();

// Private messages of the frame: the hover timer's id.
inline constexpr UINT_PTR kSkHoverTimerId = 0x5B1C;
