#include "menus/SkMenuTracker.h"

#include <algorithm>

void TSkMenuTracker::ReleaseLevel(TLevel& level) {
  if (level.AutoScrolled) {
    level.Item->Scrolled = false;
    level.Item->ScrollCount = 0;
    level.Item->FirstVisible = 0;
  }
}

TSkMenuTracker::~TSkMenuTracker() {
  for (TLevel& level : FLevels) {
    ReleaseLevel(level);
  }
  Unwatch();
}

void TSkMenuTracker::Unwatch() {
  if (FWatched) {
    FWatched->SetWatcher(nullptr);
    FWatched = nullptr;
  }
}

bool TSkMenuTracker::Start(TSkItem& root, TskPoint at) {
  for (TLevel& level : FLevels) {
    ReleaseLevel(level);
  }
  FLevels.clear();
  Unwatch();
  FEnded = TSkTrackEnd::teNone;
  const TskRect asked = FHost.Insets();
  auto clamp = [](std::int32_t v) { return std::clamp<std::int32_t>(v, 0, MaxInset); };
  FInsets = {clamp(asked.Left), clamp(asked.Top), clamp(asked.Right), clamp(asked.Bottom)};
  FWatched = root.Root();
  FWatched->SetWatcher([this](TSkItem& changed) { TreeChanged(changed); });
  bool opened = false;
  try {
    opened = OpenLevel(root, at, {});
  } catch (...) {
    Unwatch(); // the root's OnBeforeDropDown threw: nothing is shown, nothing watched
    throw;
  }
  if (!opened) {
    Unwatch();
    return false;
  }
  return Tracking();
}

bool TSkMenuTracker::OpenLevel(TSkItem& item, TskPoint at, const TskRect& anchor) {
  if (item.Visible && item.Enabled && item.OnBeforeDropDown) {
    item.OnBeforeDropDown(item);
    // The handler may have taken the item out of the tree (and freed it): open only an item
    // that still hangs where it was chosen.
    if (!FLevels.empty() && FLevels.back().HotItem != &item) {
      return false;
    }
  }
  if (!item.Visible || !item.Enabled || SkNextItem(item, -1) < 0) {
    return false;
  }
  TLevel level;
  level.Item = &item;
  level.At = at;
  level.Anchor = anchor;
  LayoutLevel(level);
  const TSkShownRange shown = SkShownRange(item);
  level.Hot = SkNextItem(item, shown.First - 1);
  level.HotItem = level.Hot >= 0 ? item.Items(level.Hot) : nullptr;
  FLevels.push_back(std::move(level));
  FHost.LevelOpened(Depth() - 1, FLevels.back().Screen);
  return true;
}

void TSkMenuTracker::LayoutLevel(TLevel& level) {
  TSkItem& item = *level.Item;
  ReleaseLevel(level);
  level.AutoScrolled = false;
  level.Content = SkLayoutPopup(item, [this, &level](const TSkItem& i) {
    const auto known = level.Sizes.find(&i);
    return known != level.Sizes.end() ? known->second : (level.Sizes[&i] = FHost.MeasureItem(i));
  });
  // The monitor is chosen by the opening point, so every level stays with its parent.
  const TskRect monitor = FHost.MonitorAt(level.At);
  const std::int32_t frameWidth = FInsets.Left + FInsets.Right, frameHeight = FInsets.Top + FInsets.Bottom;
  if (!SkScrolling(item) && std::int64_t(level.Content.Height) + frameHeight > RectHeight(monitor)) {
    // Taller than the monitor: the level scrolls through as many items as fit.
    int tallest = 1;
    for (const auto& [child, size] : level.Sizes) {
      tallest = std::max(tallest, size.Height);
    }
    const std::int64_t room = std::int64_t(RectHeight(monitor)) - frameHeight - 2 * SkScrollButtonHeight;
    item.Scrolled = true;
    item.ScrollCount = int(std::max<std::int64_t>(1, room / tallest));
    item.FirstVisible = 0;
    level.AutoScrolled = true;
    level.Content = SkLayoutPopup(item, [&level](const TSkItem& i) { return level.Sizes[&i]; });
  }
  const TSkItemSize outer{level.Content.Width + frameWidth, level.Content.Height + frameHeight};
  level.Screen = SkPlacePopup(level.At, level.Anchor, outer, monitor);
}

namespace {
int IndexOf(const TSkItem& level, const TSkItem* child) {
  for (int i = 0; i < level.Count(); ++i) {
    if (level.Items(i) == child) {
      return i;
    }
  }
  return -1;
}
} // namespace

void TSkMenuTracker::TreeChanged(TSkItem& changed) {
  if (!Tracking()) {
    return;
  }
  // Each level above the first must still be a child of the level below it; the first one
  // that is not (it was removed, perhaps freed) closes with every level above it. Addresses
  // are only compared here: an item is read only once it is found in the live tree.
  for (int d = 1; d < Depth(); ++d) {
    TLevel& below = FLevels[std::size_t(d - 1)];
    const int at = IndexOf(*below.Item, FLevels[std::size_t(d)].Item);
    if (at < 0) {
      // These levels' items may be freed already: their settings are not given back.
      for (int k = d; k < Depth(); ++k) {
        FLevels[std::size_t(k)].AutoScrolled = false;
      }
      CloseAbove(d - 1);
      break;
    }
    below.Hot = at;
    below.HotItem = below.Item->Items(at);
  }
  for (int d = Depth() - 1; d >= 0; --d) {
    TLevel& level = FLevels[std::size_t(d)];
    if (d == Depth() - 1) {
      const int at = IndexOf(*level.Item, level.HotItem);
      level.Hot = at >= 0 && level.Item->Items(at)->Visible ? at : -1;
    }
    if (level.Item != &changed) {
      FHost.LevelChanged(d);
      continue;
    }
    if (SkNextItem(*level.Item, -1) < 0) {
      // Nothing left to show on this level.
      if (d == 0) {
        End(TSkTrackEnd::teCancel);
        return;
      }
      CloseAbove(d - 1);
      continue;
    }
    level.Sizes.clear(); // a new child may live where a removed one did
    LayoutLevel(level);
    if (level.Hot < 0 && d == Depth() - 1) {
      level.Hot = SkNextItem(*level.Item, SkShownRange(*level.Item).First - 1);
    }
    level.HotItem = level.Hot >= 0 ? level.Item->Items(level.Hot) : nullptr;
    FHost.LevelMoved(d, level.Screen);
  }
}

void TSkMenuTracker::Relayout(int depth) {
  TLevel& level = FLevels[std::size_t(depth)];
  level.Content = SkLayoutPopup(*level.Item, [this, &level](const TSkItem& i) {
    const auto known = level.Sizes.find(&i);
    return known != level.Sizes.end() ? known->second : (level.Sizes[&i] = FHost.MeasureItem(i));
  });
  FHost.LevelChanged(depth);
}

void TSkMenuTracker::CloseAbove(int depth) {
  while (Depth() > depth + 1) {
    ReleaseLevel(FLevels.back());
    FLevels.pop_back();
    FHost.LevelClosed(Depth());
  }
}

void TSkMenuTracker::End(TSkTrackEnd how) {
  CloseAbove(-1);
  Unwatch();
  FEnded = how;
}

void TSkMenuTracker::SetHot(int depth, int index) {
  TLevel& level = FLevels[std::size_t(depth)];
  if (level.Hot == index) {
    return;
  }
  level.Hot = index;
  level.HotItem = index >= 0 ? level.Item->Items(index) : nullptr;
  if (index >= 0 && SkScrolling(*level.Item)) {
    const int before = level.Item->FirstVisible;
    SkScrollIntoView(*level.Item, index);
    if (level.Item->FirstVisible != before) {
      Relayout(depth);
      return;
    }
  }
  FHost.LevelChanged(depth);
}

bool TSkMenuTracker::OpenHotSubMenu() {
  const int depth = Depth() - 1;
  const TLevel& level = FLevels.back();
  if (level.Hot < 0) {
    return false;
  }
  TSkItem& item = *level.Item->Items(level.Hot);
  if (!item.Enabled || !item.HasSubMenu()) {
    return false;
  }
  const TskRect r =
      OffsetRect(item.ItemRect, level.Screen.Left + FInsets.Left, level.Screen.Top + FInsets.Top);
  (void)depth;
  return OpenLevel(item, {r.Right, r.Top}, r);
}

// Enter on the highlighted item of the innermost level: open its sub-menu, or choose it.
bool TSkMenuTracker::Activate() {
  const TLevel& level = FLevels.back();
  if (level.Hot < 0) {
    return true;
  }
  TSkItem& item = *level.Item->Items(level.Hot);
  if (item.HasSubMenu()) {
    OpenHotSubMenu();
    return true;
  }
  if (!item.Selectable()) {
    return true;
  }
  const TSkItemId id = item.Id();
  End(TSkTrackEnd::teClick);
  FHost.DeferClick(id);
  return true;
}

bool TSkMenuTracker::Key(TSkMenuKey key) {
  if (!Tracking()) {
    return false;
  }
  const int depth = Depth() - 1;
  TLevel& level = FLevels.back();
  switch (key) {
  case TSkMenuKey::mkDown:
  case TSkMenuKey::mkUp: {
    const int next = key == TSkMenuKey::mkDown ? SkNextItem(*level.Item, level.Hot)
                                               : SkPreviousItem(*level.Item, level.Hot);
    if (next >= 0) {
      SetHot(depth, next);
    }
    return true;
  }
  case TSkMenuKey::mkRight: OpenHotSubMenu(); return true;
  case TSkMenuKey::mkLeft:
    if (depth > 0) {
      CloseAbove(depth - 1);
    }
    return true;
  case TSkMenuKey::mkEscape:
    // Only the innermost level closes; the last one ends tracking.
    if (depth == 0) {
      End(TSkTrackEnd::teCancel);
    } else {
      CloseAbove(depth - 1);
    }
    return true;
  case TSkMenuKey::mkAlt:
  case TSkMenuKey::mkF10: End(TSkTrackEnd::teCancel); return true;
  case TSkMenuKey::mkEnter: return Activate();
  case TSkMenuKey::mkTab:
  case TSkMenuKey::mkSpace: return true;
  }
  return true;
}

bool TSkMenuTracker::Char(wchar_t ch) {
  if (!Tracking()) {
    return false;
  }
  const int index = SkAcceleratorItem(*FLevels.back().Item, ch);
  if (index >= 0) {
    SetHot(Depth() - 1, index);
    Activate();
  }
  return true;
}

int TSkMenuTracker::LevelAt(TskPoint p) const {
  for (int d = Depth() - 1; d >= 0; --d) {
    const TskRect& r = FLevels[std::size_t(d)].Screen;
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) {
      return d;
    }
  }
  return -1;
}

TskPoint TSkMenuTracker::ToClient(int depth, TskPoint p) const {
  const TskRect& r = FLevels[std::size_t(depth)].Screen;
  return {p.X - r.Left - FInsets.Left, p.Y - r.Top - FInsets.Top};
}

bool TSkMenuTracker::MouseMove(TskPoint p) {
  if (!Tracking()) {
    return false;
  }
  if (p == FLastMouse) {
    return true;
  }
  FLastMouse = p;
  FHoverMs = 0;
  const int depth = LevelAt(p);
  // Only the strip under the pointer scrolls: leaving it, for anywhere, stops it.
  TSkHit hit;
  if (depth >= 0) {
    const TLevel& level = FLevels[std::size_t(depth)];
    // The point is converted for the level under the mouse, not for the innermost one.
    hit = SkHitTest(*level.Item, level.Content, ToClient(depth, p));
  }
  const bool onStrip = hit.Kind == TSkHitKind::hkScrollUp || hit.Kind == TSkHitKind::hkScrollDown;
  for (int d = 0; d < Depth(); ++d) {
    TLevel& level = FLevels[std::size_t(d)];
    const TSkHitKind button = d == depth && onStrip ? hit.Kind : TSkHitKind::hkNone;
    if (level.HotButton != button) {
      level.HotButton = button;
      FScrollMs = 0;
      FHost.LevelChanged(d);
    }
  }
  if (onStrip && depth < Depth() - 1) {
    CloseAbove(depth); // an outer level's strip scrolls that level: its sub-menus close
  }
  if (hit.Kind != TSkHitKind::hkItem) {
    return true;
  }
  if (hit.Index != FLevels[std::size_t(depth)].Hot && depth < Depth() - 1) {
    // A new item in an outer level: the levels inside it close, and the item's own sub-menu
    // opens at once, as it would have from the keyboard.
    CloseAbove(depth);
    SetHot(depth, hit.Index);
    const TSkItem& item = *FLevels.back().Item->Items(hit.Index);
    if (item.Enabled && item.HasSubMenu()) {
      OpenHotSubMenu();
    }
    return true;
  }
  SetHot(depth, hit.Index);
  return true;
}

bool TSkMenuTracker::MouseDown(TskPoint p) {
  if (!Tracking()) {
    return false;
  }
  if (LevelAt(p) >= 0) {
    return true;
  }
  End(TSkTrackEnd::teOutsideClick);
  return false;
}

bool TSkMenuTracker::MouseUp(TskPoint p) {
  if (!Tracking()) {
    return false;
  }
  const int depth = LevelAt(p);
  if (depth < 0) {
    return true;
  }
  TLevel& level = FLevels[std::size_t(depth)];
  const TSkHit hit = SkHitTest(*level.Item, level.Content, ToClient(depth, p));
  if (hit.Kind != TSkHitKind::hkItem) {
    return true;
  }
  CloseAbove(depth);
  SetHot(depth, hit.Index);
  return Activate();
}

void TSkMenuTracker::Tick(int ms) {
  if (!Tracking()) {
    return;
  }
  const int depth = Depth() - 1;
  TLevel& level = FLevels.back();
  if (level.HotButton != TSkHitKind::hkNone) {
    FScrollMs += ms;
    const int steps = FScrollMs / ScrollRepeatMs;
    FScrollMs %= ScrollRepeatMs;
    if (steps > 0 && SkScrollBy(*level.Item, level.HotButton == TSkHitKind::hkScrollUp ? -steps : steps)) {
      Relayout(depth);
    }
    return;
  }
  FHoverMs += ms;
  if (FHoverMs >= HoverOpenMs && LevelAt(FLastMouse) == depth) {
    FHoverMs = 0;
    OpenHotSubMenu();
  }
}

void TSkMenuTracker::Quit(int exitCode) {
  if (!Tracking()) {
    return;
  }
  End(TSkTrackEnd::teQuit);
  FHost.RepostQuit(exitCode);
}

bool TSkMenuTracker::Choose(int depth, int index) {
  if (depth < 0 || depth >= Depth()) {
    return false;
  }
  const TSkItem& level = *FLevels[std::size_t(depth)].Item;
  if (index < 0 || index >= level.Count() || !level.Items(index)->Selectable()) {
    return false;
  }
  CloseAbove(depth);
  SetHot(depth, index);
  Key(TSkMenuKey::mkEnter);
  return true;
}
