#pragma once
// TSkDefaultForm: a hook on a form that takes over everything outside its client area: the
// frame's size, what each point of it is, and its drawing (caption, icon, caption buttons,
// borders) and the client background. It draws the platform's classic look; TSkForm draws
// and measures through the current theme whenever the theme defines its form object.
//
// The window keeps its caption style, so the taskbar button and Alt+Tab work as for any window;
// the form answers the platform's hit test with the standard codes. Moving, sizing, the caption
// buttons, the window states (with rolled up and in the notification area), the system menu
// (a themed popup) and the tray icon are the form's own.
#include "effects/SkAnimationRec.h"
#include "form/SkFormOptions.h"
#include "form/SkFormStates.h"
#include "form/SkFrameDrag.h"
#include "form/SkFrameGeometry.h"
#include "form/win32/SkHook.h"
#include "menus/win32/SkPopupMenu.h"
#include "theme/win32/SkBitmap.h"

#include <functional>

#include <memory>
#include <string>

class TskWindowThemeClient;
class TskCustomThemeLink;

// An action's event: a handler that sets callDefault to false cancels the action.
using TSkFormActionEvent = std::function<void(TComponent* sender, bool& callDefault)>;

class TSkDefaultForm : public TSkHook, private ISkFormStateHost {
public:
  TSkDefaultForm();
  ~TSkDefaultForm() override;

  TSkBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TSkBorderStyle style);
  TSkBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TSkBorderIcons icons);
  TSkFormPerformance Performance() const { return FPerformance; }
  void SetPerformance(TSkFormPerformance performance) { FPerformance = performance; }
  TSkWindowState WindowState() const { return FStates.Data.State; }
  TSkWindowState PreviousState() const { return FStates.Data.Previous; }
  // Runs the action that leads to the state (the state the window is in restores it).
  void SetWindowState(TSkWindowState state);
  bool StayOnTop() const { return FStayOnTop; }
  // In or out of the topmost band, without moving, sizing or activating the window.
  void SetStayOnTop(bool value);
  bool MinimizeApplication() const { return FStates.MinimizeApplication; }
  void SetMinimizeApplication(bool value) { FStates.MinimizeApplication = value; }

  // The actions behind the caption buttons and the system menu.
  void RunAction(TSkFormAction action);
  void Maximize() { RunAction(TSkFormAction::faMaximize); }
  void Minimize() { RunAction(TSkFormAction::faMinimize); }
  void Restore() { RunAction(TSkFormAction::faRestore); }
  void Rollup() { RunAction(TSkFormAction::faRollup); }
  void MinimizeToTray() { RunAction(TSkFormAction::faTray); }

  // Opens the system menu where the form would (the pointer in the tray, else the last place
  // asked for, else the client area's top-left corner). Returns when the menu has closed.
  void PopupSystemMenu();
  // A popup menu of the program's shown instead of the form's own (or merged into it, above or
  // below the form's items), and one shown from the tray icon. Not owned.
  void SetSystemMenuLink(TSkPopupMenu* menu) { FSystemMenuLink = menu; }
  void SetSystemMenuLinkMerge(bool merge, bool atFirst) {
    FSystemMenuLinkMerge = merge;
    FSystemMenuLinkMergeAtFirst = atFirst;
  }
  void SetTrayMenuLink(TSkPopupMenu* menu) { FTrayMenuLink = menu; }
  // Translucency and show animation of the system menu and of the tray's menu.
  TSkPopupMenuOptions& SystemMenuOptions() { return FSystemMenuOptions; }
  TSkPopupMenuOptions& TrayMenuOptions() { return FTrayMenuOptions; }
  // Runs on the menu the form built itself (not in the tray), after its own and any merged
  // items and before it is shown: the program may add items of its own.
  std::function<void(TSkItem& root)> OnBuildSystemMenu;
  // The menu opened last (kept until the next one opens, so that its click can still run).
  TSkPopupMenu* SystemMenu() const { return FSystemMenu.get(); }
  // The hidden window the tray icon reports to; none before the first icon.
  HWND TrayWindow() const { return FTrayWindow; }
  bool TrayIconShown() const { return FTrayIconShown; }
  bool Sizeable() const { return FDragging.Sizeable(); }
  bool Moveable() const { return FDragging.Moveable(); }
  TSkDragging& Dragging() { return FDragging; }
  TSkGravitation& Gravitation() { return FGravitation; }
  TSkBlending& Blending() { return FBlending; }
  // Limits on the window's size (0: none), on top of the frame's own minimum; a new minimum
  // grows the window at once, a new maximum shrinks it.
  const TskSizeConstraints& Constraints() const { return FConstraints; }
  void SetConstraints(const TskSizeConstraints& constraints);
  // The largest window the form allows: its maximised size, or the constraints' maxima.
  TskPoint MaxTrackSize() const;
  // The screen rectangle that the snapshot of what lies behind the window covers.
  RECT SnapshotRect() const { return FSnapshotRect; }
  TSkShadow& Shadow() { return FShadow; }
  // The show transition: with Enabled, a hidden window that is shown appears through the
  // effect driver, played on the screen over what lay behind it; otherwise it appears at once.
  TSkAnimation& Animation() { return FAnimation; }
  const TSkAnimation& Animation() const { return FAnimation; }
  // The driver's slot of the show transition playing now, -1 when none plays.
  int ShowSlot() const { return FShowSlot; }
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
  // Those metrics at the density the hooked form is laid out for.
  TskFrameMetrics FrameMetrics() const;

  // Draws the frame now (through the buffering mode).
  void RedrawFrame();
  // Paints the frame, drawn active, and the client background into dc with the window's
  // top-left corner at (x, y) of dc's logical space; dc is handed back as it came. False
  // without a window or when dc is no device context.
  bool PaintTo(HDC dc, int x, int y);
  // The surface OnPaint draws on, the client area's top-left corner at (0, 0); null outside
  // OnPaint.
  HDC FrameCanvas() const { return FPaintDC; }
  // Re-measures the frame and keeps the client size.
  void RecomputeFrame();

  TNotifyEvent OnCreate;
  TNotifyEvent OnFormShown;
  TNotifyEvent OnResize;
  // Paints the client background instead of the theme (or the form's colour); it draws on
  // FrameCanvas(). Not called while loading.
  TNotifyEvent OnPaint;
  TSkFormActionEvent OnClose, OnMinimize, OnMaximize, OnRollup, OnMinToTray;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void Loaded() override;

protected:
  // The theme that draws the frame; none for the classic look.
  virtual TskTheme* FrameTheme() const { return nullptr; }
  virtual std::string FrameObject() const { return "default"; }
  // Whether a theme that lacks FrameObject is asked for "default" too.
  virtual bool FrameFallsBackToDefault() const { return true; }

  void HandleMessage(TskMessage& message) override;
  void AfterWindowProc(TskMessage& message) override;
  void WindowProcRestoring() override;

  // Paints the non-client area into dc (window coordinates).
  void PaintFrame(HDC dc, const TskFrameGeometry& g);
  // Paints the client background into dc (client coordinates).
  void PaintClient(HDC dc, const TskFrameGeometry& g);
  // The client background as the form paints it: OnPaint when assigned, else PaintClient.
  void PaintClientBackground(HDC dc, const TskFrameGeometry& g);

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
  void TrayMessage(UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK TrayProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

  // The window-state machine's host.
  bool ActionAllowed(TSkFormAction action) override;
  void ClearHot() override;
  TskRect Bounds() const override;
  void SetBounds(const TskRect& bounds) override;
  TskRect MaximizedBounds() const override;
  TskRect MinimizedBounds() const override;
  TskRect RollupBounds() const override;
  void FrameChanged() override;
  bool HasShadow() const override { return ShadowSize() > 0; }
  bool HasOwner() const override;
  bool IsModal() const override { return false; }
  void NativeMinimize() override;
  void MinimizeApplication() override;
  bool TrayVetoed() override;
  bool AddTrayIcon(bool application) override;
  void HideForTray(bool application) override;
  void RemoveTrayIcon() override;
  void ShowFromTray(bool application) override;
  void CloseWindow() override;
  void ContextHelp() override;
  HWND ApplicationWindow() const;
  void JoinApplication();
  // Marks the minimise the form posts itself, which the platform is to carry out.
  static constexpr LPARAM kOwnMinimize = 0x534B4D;
  TskRect ReferenceArea() const;
  POINT WindowPoint(LPARAM screenPoint) const;
  void ApplyNativeStyle();
  // Sizes the window once more as it is, so that the track sizes (and constraints) hold.
  void HoldToTrackSizes();
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
  // The show transition (SkFormAnimation.cpp): started by a show of the hidden window, it
  // returns when the transition has played or was cut short. The window's future look (frame,
  // client background, children; outside the window region the key colour) goes to capture.
  void ShowTransition(WINDOWPOS& pos);
  bool CaptureShow(HWND w, const RECT& screen, const TskPixels& behind, TskBitmap& capture);
  void PrintChildren(HWND w, HDC dc, const TskRect& client);
  // Ends a playing show transition: with finalFrame the window's look is drawn whole.
  void CutShowTransition(bool finalFrame);
  bool HandleShowMessage(TskMessage& m);

  TSkBorderStyle FBorderStyle = kbsStandard;
  TSkBorderIcons FBorderIcons = kSkDefaultBorderIcons;
  TSkFormPerformance FPerformance = kfpNoBuffer;
  TskFormStates FStates{*this};
  bool FApplyingDeferredState = false;
  POINT FMenuPoint{}; // screen; (0, 0) for the client area's top-left corner
  std::unique_ptr<TSkPopupMenu> FSystemMenu;
  TSkPopupMenu* FSystemMenuLink = nullptr;
  TSkPopupMenu* FTrayMenuLink = nullptr;
  HWND FTrayWindow = nullptr;
  bool FTrayIconShown = false;
  std::uint64_t FAppHandlers = 0; // the application's minimise and restore reach the form
  bool FInAppHandler = false;
  bool FStayOnTop = false;
  bool FStretchBackground = false;
  bool FSystemMenuLinkMerge = false;
  bool FSystemMenuLinkMergeAtFirst = false;
  TSkDragging FDragging;
  TSkGravitation FGravitation;
  TSkBlending FBlending;
  TSkShadow FShadow;
  TskSizeConstraints FConstraints;
  TskFrameDrag FDrag;
  bool FOutlineMode = false;
  bool FOutlineShown = false;
  RECT FOutlineRect{};
  RECT FDragMonitor{}, FDragArea{}; // the monitor under the pointer while dragging, its area
  TSkAnimation FAnimation;
  int FShowSlot = -1;
  HDC FPaintDC = nullptr;
  TSkPopupMenuOptions FSystemMenuOptions, FTrayMenuOptions;

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
  // A theme given by the link answers alone.
  bool FrameFallsBackToDefault() const override;
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
// The tray icon's callback message (to the tray window), a state read from a layout applied
// once the window exists (wParam the state), an action posted by a caption button (wParam the
// action), and the question asked before going to the tray (answer 1 to refuse).
inline constexpr UINT kSkTrayMessage = 0x056C;
inline constexpr UINT kSkDeferredStateMessage = 0x056F;
inline constexpr UINT kSkActionMessage = 0x0570;
// Maximises the form (the Maximise action), and paints frame and client background into the
// device context in lParam (wParam: signed 16-bit x offset low, y offset high; answer 1).
inline constexpr UINT kSkMaximizeMessage = 0x056E;
inline constexpr UINT kSkPaintToMessage = 0xB1C8;
inline constexpr UINT kSkTrayQueryMessage = 0x4514;
