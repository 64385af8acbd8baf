#pragma once
// TSkMenuTracker: the tracking logic of nested popup levels as a state machine. The Win32
// loop feeds it the message it has peeked (keys, characters, mouse in screen coordinates,
// timer ticks, quit) and carries out what it asks of its host. Platform-free, so the whole
// keyboard and mouse protocol is tested with a scripted host.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "menus/SkItem.h"

class ISkMenuHost {
public:
  virtual ~ISkMenuHost() = default;
  virtual TSkItemSize MeasureItem(const TSkItem& item) = 0;
  // The work area of the monitor that holds the point.
  virtual TskRect MonitorAt(TskPoint p) = 0;
  // A level was opened (shown at its screen rectangle), changed, or closed.
  virtual void LevelOpened(int depth, const TskRect& screen) {}
  virtual void LevelChanged(int depth) {}
  virtual void LevelClosed(int depth) {}
  // A level was laid out again after its items changed: it now stands at `screen`.
  virtual void LevelMoved(int depth, const TskRect& screen) { LevelChanged(depth); }
  // The chosen item's click, to run after every level has closed.
  virtual void DeferClick(TSkItemId id) = 0;
  // A quit request seen during tracking is handed back to the outer loop.
  virtual void RepostQuit(int exitCode) = 0;
  // The frame around the item area of every level, as widths (Left, Top, Right, Bottom); asked
  // once as tracking starts.
  virtual TskRect Insets() { return {3, 3, 3, 3}; }
};

enum class TSkMenuKey { mkLeft, mkRight, mkUp, mkDown, mkEnter, mkEscape, mkAlt, mkF10, mkTab, mkSpace };

enum class TSkTrackEnd { teNone, teClick, teCancel, teOutsideClick, teQuit };

class TSkMenuTracker {
public:
  // The widest frame a host may ask for on any side.
  static constexpr int MaxInset = 64;
  static constexpr int HoverOpenMs = 500;
  static constexpr int ScrollRepeatMs = 100;

  explicit TSkMenuTracker(ISkMenuHost& host) : FHost(host) {}
  ~TSkMenuTracker();
  TSkMenuTracker(const TSkMenuTracker&) = delete;
  TSkMenuTracker& operator=(const TSkMenuTracker&) = delete;

  // Opens the children of root at a screen point. Returns false (and tracks nothing) when no
  // child is visible. While tracking, the tracker watches root's tree: a level whose item left
  // the tree closes with the levels above it, a level whose children changed is laid out and
  // placed again, and tracking ends when the first level has nothing left to show.
  bool Start(TSkItem& root, TskPoint at);
  // Closes every level (as Alt would); nothing when not tracking.
  void Cancel() {
    if (Tracking()) {
      End(TSkTrackEnd::teCancel);
    }
  }

  // Input; each returns true when the event was consumed. An outside button press is not
  // consumed: it belongs to the window under the mouse once the menus are closed.
  bool Key(TSkMenuKey key);
  bool Char(wchar_t ch);
  bool MouseMove(TskPoint screen);
  bool MouseDown(TskPoint screen);
  bool MouseUp(TskPoint screen);
  void Tick(int ms);
  void Quit(int exitCode);

  // Chooses child `index` of level `depth` as the keyboard would (closing the levels above it,
  // then Enter): opens its sub-menu or clicks it. False for an item that cannot be chosen.
  bool Choose(int depth, int index);

  bool Tracking() const { return !FLevels.empty(); }
  // The frame widths in force (the host's, each clamped to 0..MaxInset).
  const TskRect& Insets() const { return FInsets; }
  TSkTrackEnd Ended() const { return FEnded; }
  int Depth() const { return int(FLevels.size()); }
  TSkItem* LevelItem(int depth) const { return FLevels.at(std::size_t(depth)).Item; }
  int HotIndex(int depth) const { return FLevels.at(std::size_t(depth)).Hot; }
  TskRect LevelRect(int depth) const { return FLevels.at(std::size_t(depth)).Screen; }
  // The scroll strip the pointer rests on in level `depth` (hkNone, hkScrollUp, hkScrollDown).
  TSkHitKind HotButton(int depth) const { return FLevels.at(std::size_t(depth)).HotButton; }

private:
  struct TLevel {
    TSkItem* Item = nullptr;
    // Where the level was opened (a point, and the opening item's screen rectangle for a
    // sub-menu): a level laid out again is placed from them.
    TskPoint At;
    TskRect Anchor;
    TskRect Screen;
    TSkItemSize Content;
    int Hot = -1;
    // The highlighted child itself: after a change of the children, the highlight follows it
    // to its new index (compared by address only, never read through).
    const TSkItem* HotItem = nullptr;
    TSkHitKind HotButton = TSkHitKind::hkNone;
    // Item sizes measured when the level opened: scrolling lays out again without measuring.
    std::unordered_map<const TSkItem*, TSkItemSize> Sizes;
    // The level scrolls because it would not fit on its monitor (not by the item's settings,
    // which are put back when the level closes).
    bool AutoScrolled = false;
  };
  static void ReleaseLevel(TLevel& level);

  bool OpenLevel(TSkItem& item, TskPoint at, const TskRect& anchor);
  void LayoutLevel(TLevel& level);
  void Relayout(int depth);
  void TreeChanged(TSkItem& changed);
  void Unwatch();
  void CloseAbove(int depth);
  void End(TSkTrackEnd how);
  void SetHot(int depth, int index);
  bool Activate();
  bool OpenHotSubMenu();
  int LevelAt(TskPoint screen) const;
  TskPoint ToClient(int depth, TskPoint screen) const;

  ISkMenuHost& FHost;
  std::vector<TLevel> FLevels;
  TSkItem* FWatched = nullptr;
  TskRect FInsets{3, 3, 3, 3};
  TSkTrackEnd FEnded = TSkTrackEnd::teNone;
  TskPoint FLastMouse{-2147483647 - 1, -2147483647 - 1};
  int FHoverMs = 0;
  int FScrollMs = 0;
};
