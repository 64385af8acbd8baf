#pragma once
// TskFormStates: the skinned form's window states (normal, maximised, minimised, rolled up,
// in the notification area) and the actions that move between them. The machine decides; the
// host does: it asks the form's event handlers, measures and moves the window, talks to the
// platform's minimise and to the tray. Platform-free, so every transition can be checked as
// the list of what the host was asked to do.
//
// The system menu the form builds for a state, and which action a chosen caption runs, are
// here too.
#include "form/SkFormTypes.h"
#include "theme/SkRect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class TSkFormAction : std::uint8_t {
  faRestore,
  faMaximize,
  faMinimize,
  faRollup,
  faTray,
  faClose,
  faHelp
};

class ISkFormStateHost {
public:
  virtual ~ISkFormStateHost() = default;
  // Runs the action's event handler; false when it cancelled the action. Restore has no event.
  virtual bool ActionAllowed(TSkFormAction action) = 0;
  // No caption button stays highlighted once an action runs.
  virtual void ClearHot() = 0;
  virtual TskRect Bounds() const = 0;
  // Moves the window; a window the platform shows minimised is un-minimised first.
  virtual void SetBounds(const TskRect& bounds) = 0;
  virtual TskRect MaximizedBounds() const = 0;
  virtual TskRect MinimizedBounds() const = 0;
  virtual TskRect RollupBounds() const = 0;
  // Redraws the frame after a change of state that keeps the size.
  virtual void FrameChanged() = 0;
  virtual bool HasShadow() const = 0;
  // A window without an owner minimises through the platform (and so gets its taskbar button
  // minimised); an owned one minimises the application or becomes a strip.
  virtual bool HasOwner() const = 0;
  virtual bool IsModal() const = 0;
  virtual void NativeMinimize() = 0;
  virtual void MinimizeApplication() = 0;
  // The notification area. TrayVetoed asks the window whether it refuses; AddTrayIcon answers
  // false when the platform refused the icon.
  virtual bool TrayVetoed() = 0;
  virtual bool AddTrayIcon(bool application) = 0;
  virtual void HideForTray(bool application) = 0;
  virtual void RemoveTrayIcon() = 0;
  virtual void ShowFromTray(bool application) = 0;
  virtual void CloseWindow() = 0;
  virtual void ContextHelp() = 0;
};

struct TskFormStateData {
  TSkWindowState State = kwsNormal;
  TSkWindowState Previous = kwsNormal;
  // A state read from a layout, applied once the window exists.
  TSkWindowState Pending = kwsNormal;
  TskRect NormalBounds;
};

class TskFormStates {
public:
  explicit TskFormStates(ISkFormStateHost& host) : FHost(host) {}

  TskFormStateData Data;
  bool MinimizeApplication = true;

  // Runs an action: its event first (an action asked for in the state the window is in
  // restores instead), then the change of state and bounds.
  void Run(TSkFormAction action);
  // The action that puts the window into a state.
  static TSkFormAction ActionFor(TSkWindowState state);
  // True while an action is running (the host's own messages are not actions then).
  bool Busy() const { return FDepth > 0; }

private:
  void Restore();
  void Maximize();
  void Minimize();
  void Rollup();
  void MinimizeToTray();
  void Close();

  ISkFormStateHost& FHost;
  int FDepth = 0;
};

// One entry of the form's own system menu; a separator has an empty action.
struct TskSystemMenuEntry {
  std::wstring Caption;
  int ImageIndex = -1;
  std::uint16_t ShortCut = 0;
  std::optional<TSkFormAction> Action;
};

// The menu the form builds for its icons and state, in order.
std::vector<TskSystemMenuEntry> SkSystemMenuEntries(TSkBorderIcons icons, TSkWindowState state);
// The action behind one of the form's own captions (compared exactly), none for any other.
std::optional<TSkFormAction> SkSystemMenuAction(const std::wstring& caption);

// The title bar's buttons as assistive tools know them, by child number: 1 the input-method
// button (never shown here), 2 minimise, 3 maximise, 4 help, 5 close, then 6 roll up and 7 the
// tray. Every number is listed; a button the window does not show is not Present.
struct TskTitleBarButton {
  int ChildId = 0;
  std::optional<TSkBorderIcon> Icon;
  std::wstring Name;
  std::optional<TSkFormAction> Action;
  bool Present = false;
};
std::vector<TskTitleBarButton> SkTitleBarButtons(TSkBorderIcons icons, TSkWindowState state);
