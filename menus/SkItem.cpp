#include "menus/SkItem.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwctype>
#include <limits>

namespace {
std::atomic<TSkItemId> NextId{1};
}

TSkItem::TSkItem() : FId(NextId.fetch_add(1)) {}

TSkItem::~TSkItem() {
  // Children go last first, as they were added.
  while (!FChildren.empty()) {
    FChildren.pop_back();
  }
}

int TSkItem::MenuIndex() const {
  if (!FParent) {
    return -1;
  }
  for (int i = 0; i < FParent->Count(); ++i) {
    if (FParent->Items(i) == this) {
      return i;
    }
  }
  return -1;
}

TSkItem* TSkItem::Add(std::unique_ptr<TSkItem> item) { return Insert(Count(), std::move(item)); }

TSkItem* TSkItem::Insert(int index, std::unique_ptr<TSkItem> item) {
  if (!item) {
    throw ESkItemError("No item to insert");
  }
  if (item->FParent) {
    // The item still belongs to its own tree: refusing it must not free it.
    (void)item.release();
    throw ESkItemError("Toolbar item already inserted");
  }
  index = std::clamp(index, 0, Count());
  item->FParent = this;
  TSkItem* raw = item.get();
  FChildren.insert(FChildren.begin() + index, std::move(item));
  Changed();
  return raw;
}

std::unique_ptr<TSkItem> TSkItem::Remove(TSkItem* child) {
  auto it = std::find_if(FChildren.begin(), FChildren.end(),
                         [child](const std::unique_ptr<TSkItem>& c) { return c.get() == child; });
  if (it == FChildren.end()) {
    return nullptr;
  }
  std::unique_ptr<TSkItem> out = std::move(*it);
  FChildren.erase(it);
  out->FParent = nullptr;
  Changed();
  return out;
}

void TSkItem::Clear() {
  if (FChildren.empty()) {
    return;
  }
  while (!FChildren.empty()) {
    FChildren.pop_back();
  }
  Changed();
}

TSkItem* TSkItem::Root() {
  TSkItem* top = this;
  while (top->FParent) {
    top = top->FParent;
  }
  return top;
}

void TSkItem::Changed() {
  // Copies: a handler may replace itself (or the watcher end) while it runs.
  if (auto own = OnChange) {
    own(*this);
  }
  TSkItem* root = Root();
  if (root != this) {
    if (auto top = root->OnChange) {
      top(*this);
    }
  }
  if (auto watcher = Root()->FWatcher) {
    watcher(*this);
  }
}

TSkItem* TSkItem::FindById(TSkItemId id) {
  if (FId == id) {
    return this;
  }
  for (auto& c : FChildren) {
    if (TSkItem* found = c->FindById(id)) {
      return found;
    }
  }
  return nullptr;
}

bool TSkItem::Click() {
  if (IsSeparator() || HasSubMenu() || !Enabled) {
    return false;
  }
  if (OnClick) {
    OnClick(*this);
  }
  return true;
}

namespace {
bool Steppable(const TSkItem& item) { return item.Visible && !item.IsSeparator(); }

int Step(const TSkItem& level, int from, int dir) {
  const int n = level.Count();
  if (n == 0) {
    return -1;
  }
  int i = from < 0 || from >= n ? (dir > 0 ? n - 1 : 0) : from;
  // At most n steps: every child is looked at once, so the walk ends even when none qualifies.
  for (int k = 0; k < n; ++k) {
    i = (i + dir + n) % n;
    if (Steppable(*level.Items(i))) {
      return i;
    }
  }
  return -1;
}
} // namespace

int SkNextItem(const TSkItem& level, int from) { return Step(level, from, +1); }
int SkPreviousItem(const TSkItem& level, int from) { return Step(level, from, -1); }

wchar_t SkAcceleratorOf(const std::wstring& c) {
  for (std::size_t k = 0; k + 1 < c.size(); ++k) {
    if (c[k] != L'&') {
      continue;
    }
    if (c[k + 1] == L'&') { // "&&" is a literal ampersand
      ++k;
      continue;
    }
    return c[k + 1]; // only the first marked character counts
  }
  return 0;
}

std::wstring SkPlainCaption(const std::wstring& c) {
  std::wstring out;
  out.reserve(c.size());
  for (std::size_t k = 0; k < c.size(); ++k) {
    if (c[k] == L'&' && k + 1 < c.size()) {
      ++k; // the marked character (or the second of "&&") stays
    } else if (c[k] == L'&') {
      continue;
    }
    out += c[k];
  }
  return out;
}

int SkAcceleratorItem(const TSkItem& level, wchar_t ch) {
  const wchar_t up = wchar_t(std::towupper(ch));
  for (int i = 0; i < level.Count(); ++i) {
    const TSkItem& item = *level.Items(i);
    const wchar_t mark = SkAcceleratorOf(item.Caption);
    if (item.Selectable() && mark && wchar_t(std::towupper(mark)) == up) {
      return i;
    }
  }
  return -1;
}

bool SkScrolling(const TSkItem& level) { return level.Scrolled && level.ScrollCount > 0; }

TSkShownRange SkShownRange(const TSkItem& level) {
  const int n = level.Count();
  if (!SkScrolling(level)) {
    return {0, n};
  }
  const int window = std::min(level.ScrollCount, n);
  const int first = std::clamp(level.FirstVisible, 0, n - window);
  return {first, first + window};
}

void SkScrollIntoView(TSkItem& level, int index) {
  if (!SkScrolling(level) || index < 0 || index >= level.Count()) {
    return;
  }
  const TSkShownRange r = SkShownRange(level);
  if (index < r.First) {
    level.FirstVisible = index;
  } else if (index >= r.Last) {
    level.FirstVisible = index - level.ScrollCount + 1;
  } else {
    level.FirstVisible = r.First;
  }
}

bool SkScrollBy(TSkItem& level, int delta) {
  if (!SkScrolling(level)) {
    return false;
  }
  const int before = SkShownRange(level).First;
  const int maxFirst = std::max(0, level.Count() - level.ScrollCount);
  const long long target = std::clamp<long long>(static_cast<long long>(before) + delta, 0, maxFirst);
  level.FirstVisible = int(target);
  return SkShownRange(level).First != before;
}

TSkItemSize SkLayoutPopup(TSkItem& level, const TSkMeasure& measure) {
  const bool scrolling = SkScrolling(level);
  const TSkShownRange r = SkShownRange(level);
  int width = 0;
  int y = scrolling ? SkScrollButtonHeight : 0;
  std::vector<int> heights(std::size_t(level.Count()), 0);
  for (int i = 0; i < level.Count(); ++i) {
    TSkItem& item = *level.Items(i);
    item.ItemRect = {};
    if (!item.Visible) {
      continue;
    }
    const TSkItemSize s = measure(item);
    width = std::max(width, s.Width);
    heights[std::size_t(i)] = s.Height;
  }
  for (int i = r.First; i < r.Last; ++i) {
    TSkItem& item = *level.Items(i);
    if (!item.Visible) {
      continue;
    }
    item.ItemRect = {0, y, width, y + heights[std::size_t(i)]};
    y += heights[std::size_t(i)];
  }
  if (scrolling) {
    y += SkScrollButtonHeight;
  }
  return {width, y};
}

int SkPopupItemState(const TSkItem& item, bool highlighted, bool tracking) {
  if (!item.Enabled) {
    return 3;
  }
  if (highlighted) {
    return tracking ? 2 : 1;
  }
  return 0;
}

int SkScrollButtonState(const TSkItem& level, bool up, bool pointerOn) {
  const TSkShownRange shown = SkShownRange(level);
  const bool canScroll = up ? shown.First > 0 : shown.Last < level.Count();
  if (!SkScrolling(level) || !canScroll) {
    return 3;
  }
  return pointerOn ? 2 : 0;
}

TSkHit SkHitTest(const TSkItem& level, const TSkItemSize& content, TskPoint p) {
  if (p.X < 0 || p.X >= content.Width || p.Y < 0 || p.Y >= content.Height) {
    return {};
  }
  if (SkScrolling(level)) {
    if (p.Y < SkScrollButtonHeight) {
      return {TSkHitKind::hkScrollUp, -1};
    }
    if (p.Y >= content.Height - SkScrollButtonHeight) {
      return {TSkHitKind::hkScrollDown, -1};
    }
  }
  const TSkShownRange r = SkShownRange(level);
  for (int i = r.First; i < r.Last; ++i) {
    const TSkItem& item = *level.Items(i);
    const TskRect& rc = item.ItemRect;
    if (item.Visible && p.X >= rc.Left && p.X < rc.Right && p.Y >= rc.Top && p.Y < rc.Bottom) {
      return {TSkHitKind::hkItem, i};
    }
  }
  return {};
}

TskRect SkPlacePopup(TskPoint at, const TskRect& anchor, TSkItemSize size, const TskRect& monitor) {
  // Every sum in 64 bits: points and rectangles may lie anywhere in the 32-bit plane.
  using I64 = std::int64_t;
  const bool anchored = RectWidth(anchor) >= 1;
  const I64 width = std::max(0, size.Width), height = std::max(0, size.Height);
  I64 left = anchored ? anchor.Right : at.X;
  I64 top = anchored ? anchor.Top : at.Y;
  if (left + width > monitor.Right) {
    left = I64(anchored ? anchor.Left : at.X) - width;
  }
  if (top + height > monitor.Bottom) {
    top = I64(anchored ? anchor.Bottom : at.Y) - height;
  }
  // Whatever the flip gave, the popup stays on the monitor that holds the opening point.
  left = std::max(std::min(left, I64(monitor.Right) - width), I64(monitor.Left));
  top = std::max(std::min(top, I64(monitor.Bottom) - height), I64(monitor.Top));
  // A popup larger than the 32-bit plane allows is cut at its far edge.
  constexpr I64 lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
  const auto fit = [&](I64 v) { return std::int32_t(std::clamp(v, lo, hi)); };
  return {fit(left), fit(top), fit(left + width), fit(top + height)};
}

void SkMergeItems(const TSkItem& source, TSkItem& target, bool atFirst) {
  for (int i = 0; i < source.Count(); ++i) {
    const TSkItem& from = *source.Items(i);
    auto copy = std::make_unique<TSkItem>();
    copy->Caption = from.Caption;
    copy->Checked = from.Checked;
    copy->Enabled = from.Enabled;
    copy->Visible = from.Visible;
    copy->ImageIndex = from.ImageIndex;
    copy->ShortCut = from.ShortCut;
    copy->OnClick = from.OnClick;
    if (atFirst) {
      target.Insert(i, std::move(copy));
    } else {
      target.Add(std::move(copy));
    }
  }
}
