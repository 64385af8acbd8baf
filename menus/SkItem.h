#pragma once
// TSkItem: one menu item and its sub-menu, plus the level-wide operations the tracking logic
// needs (next/previous item, accelerators, the scrolled window of shown children, layout,
// hit-testing and popup placement). Platform-free.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "theme/SkRect.h"

class ESkItemError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Every item gets a process-unique identity that is never reused, so a click posted for later
// can be checked against the live tree instead of holding a pointer to a freed item.
using TSkItemId = std::uint64_t;

class TSkItem {
public:
  TSkItem();
  ~TSkItem();
  TSkItem(const TSkItem&) = delete;
  TSkItem& operator=(const TSkItem&) = delete;

  std::wstring Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  int ImageIndex = -1;
  std::uint16_t ShortCut = 0;
  bool Scrolled = false;
  int ScrollCount = 0;
  int FirstVisible = 0;
  TskRect ItemRect;
  std::function<void(TSkItem&)> OnClick;
  // Runs just before the item's children are shown (they may be rebuilt here).
  std::function<void(TSkItem&)> OnBeforeDropDown;
  // Runs after a child was inserted or removed, or the children cleared: first on the item
  // whose children changed, then on the root of its tree (argument: the changed item). Not
  // while the item is being destroyed.
  std::function<void(TSkItem& changed)> OnChange;

  TSkItemId Id() const { return FId; }
  TSkItem* Parent() const { return FParent; }
  int Count() const { return int(FChildren.size()); }
  TSkItem* Items(int i) const { return FChildren.at(std::size_t(i)).get(); }
  int MenuIndex() const;
  bool IsSeparator() const { return Caption == L"-"; }
  // Opens a sub-menu: has children, or builds them when it drops down.
  bool HasSubMenu() const { return Count() > 0 || OnBeforeDropDown != nullptr; }

  // Appends (or inserts at index) an item the tree now owns; an item that already has a
  // parent is refused.
  TSkItem* Add(std::unique_ptr<TSkItem> item);
  TSkItem* Insert(int index, std::unique_ptr<TSkItem> item);
  // Detaches a child and hands it back to the caller.
  std::unique_ptr<TSkItem> Remove(TSkItem* child);
  void Clear();

  // The item with this identity in this subtree (this item included), or none.
  TSkItem* FindById(TSkItemId id);

  // An item that can be chosen: visible, enabled, not a separator.
  bool Selectable() const { return Visible && Enabled && !IsSeparator(); }

  // Runs OnClick for an enabled item without children that is not a separator.
  bool Click();

  // The item at the top of this item's tree (this item when it has no parent).
  TSkItem* Root();
  // A menu showing this tree watches it through its root: told after every change, after the
  // OnChange events, so it can drop levels whose items went and lay out the others again.
  // One watcher per tree; SetWatcher(nullptr) ends watching.
  using TSkItemWatcher = std::function<void(TSkItem& changed)>;
  void SetWatcher(TSkItemWatcher watcher) { FWatcher = std::move(watcher); }

private:
  void Changed();

  TSkItemId FId;
  TSkItem* FParent = nullptr;
  std::vector<std::unique_ptr<TSkItem>> FChildren;
  TSkItemWatcher FWatcher;
};

// Copies the children of `source` into `target` (caption, checked, enabled, visible, image,
// shortcut and click handler; not their own children): above target's children in their order
// when atFirst, else after them.
void SkMergeItems(const TSkItem& source, TSkItem& target, bool atFirst);

// The next (or previous) visible non-separator child after `from`, wrapping around; `from` may
// be -1 (start before the first / after the last). Returns -1 when no child qualifies; never
// loops more than once around the list.
int SkNextItem(const TSkItem& level, int from);
int SkPreviousItem(const TSkItem& level, int from);

// The character a caption marks with "&" (none: 0; "&&" is a literal ampersand), and the
// caption as read aloud, without the marks.
wchar_t SkAcceleratorOf(const std::wstring& caption);
std::wstring SkPlainCaption(const std::wstring& caption);

// The child whose caption carries "&" followed by ch (case-insensitive), among visible, enabled
// non-separator children only; -1 when none.
int SkAcceleratorItem(const TSkItem& level, wchar_t ch);

// The range of children shown: all children, or ScrollCount of them from FirstVisible when the
// level scrolls (clamped so the window stays within the list).
struct TSkShownRange {
  int First = 0;
  int Last = 0; // exclusive
};
TSkShownRange SkShownRange(const TSkItem& level);
bool SkScrolling(const TSkItem& level);
// Moves FirstVisible so that child `index` is inside the shown window.
void SkScrollIntoView(TSkItem& level, int index);
// Scrolls by `delta` children, clamped; returns true when FirstVisible changed.
bool SkScrollBy(TSkItem& level, int delta);

// Item measurement supplied by the painter (font and image metrics live there).
struct TSkItemSize {
  int Width = 0;
  int Height = 0;
};
using TSkMeasure = std::function<TSkItemSize(const TSkItem&)>;

constexpr int SkScrollButtonHeight = 10;

// Lays out the children of `level` stacked as a popup: every child gets an ItemRect (children
// outside the shown window get an empty one); returns the content size.
TSkItemSize SkLayoutPopup(TSkItem& level, const TSkMeasure& measure);

// The state a theme paints a popup item in: 3 disabled, else for the highlighted item 2
// (selected) while its level tracks and 1 (hot) when it does not, else 0.
int SkPopupItemState(const TSkItem& item, bool highlighted, bool tracking);
// The state of a scroll strip of a scrolling level: 3 when the level cannot scroll that way,
// else 2 while the pointer rests on it, else 0.
int SkScrollButtonState(const TSkItem& level, bool up, bool pointerOn);

// Hit-testing a laid-out popup level at a client point.
enum class TSkHitKind { hkNone, hkItem, hkScrollUp, hkScrollDown };
struct TSkHit {
  TSkHitKind Kind = TSkHitKind::hkNone;
  int Index = -1;
};
TSkHit SkHitTest(const TSkItem& level, const TSkItemSize& content, TskPoint p);

// Where a popup of `size` goes on `monitor` when opened at `at` (no anchor) or next to `anchor`
// (a sub-menu item's screen rectangle). The result always lies on the monitor when it fits.
TskRect SkPlacePopup(TskPoint at, const TskRect& anchor, TSkItemSize size, const TskRect& monitor);
