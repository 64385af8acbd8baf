#include <gtest/gtest.h>

#include "menus/SkMenuTracker.h"

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// A host that records what the tracker asks of it; items measure 100 x 20 (separators 15).
class TScriptHost : public ISkMenuHost {
public:
  explicit TScriptHost(TSkItem& root) : Root(root) {}
  TSkItemSize MeasureItem(const TSkItem& item) override { return {100, item.IsSeparator() ? 15 : 20}; }
  TskRect MonitorAt(TskPoint) override { return {0, 0, 1280, 1024}; }
  void DeferClick(TSkItemId id) override {
    // The deferred click runs later against the live tree.
    if (TSkItem* item = Root.FindById(id)) {
      Clicks += item->Caption;
    }
  }
  void RepostQuit(int code) override { Quits.push_back(code); }
  TSkItem& Root;
  std::wstring Clicks;
  std::vector<int> Quits;
};

TSkItem* AddItem(TSkItem& parent, const wchar_t* caption, bool enabled = true, bool visible = true) {
  TSkItem* item = parent.Add(std::make_unique<TSkItem>());
  item->Caption = caption;
  item->Enabled = enabled;
  item->Visible = visible;
  return item;
}

// 0 "&Buka", 1 "-", 2 "&Sub" (> "&Satu", "&Dua"), 3 "Mati" (disabled), 4 "&Tutup", 5 "&X" (hidden).
// Opened at (100, 100): the item area starts at (103, 103); item tops 0, 20, 35, 55, 75.
std::unique_ptr<TSkItem> Menu() {
  auto root = std::make_unique<TSkItem>();
  AddItem(*root, L"&Buka");
  AddItem(*root, L"-");
  TSkItem* sub = AddItem(*root, L"&Sub");
  AddItem(*sub, L"&Satu");
  AddItem(*sub, L"&Dua");
  AddItem(*root, L"Mati", false);
  AddItem(*root, L"&Tutup");
  AddItem(*root, L"&X", true, false);
  return root;
}

enum class Ev { Key, Char, Move, Down, Up, Tick, Quit };
struct Step {
  Ev ev;
  int a = 0; // key, character, x, milliseconds or exit code
  int b = 0; // y
};
Step K(TSkMenuKey k) { return {Ev::Key, int(k)}; }
Step C(wchar_t c) { return {Ev::Char, int(c)}; }
Step M(int x, int y) { return {Ev::Move, x, y}; }
Step D(int x, int y) { return {Ev::Down, x, y}; }
Step U(int x, int y) { return {Ev::Up, x, y}; }
Step T(int ms) { return {Ev::Tick, ms}; }

struct Script {
  const char* name;
  std::vector<Step> steps;
  TSkTrackEnd end;
  int depth;           // levels still open
  int hot;             // highlighted index in the innermost level (when open)
  std::wstring clicks; // captions clicked, in order
  bool lastConsumed = true;
};

using enum TSkMenuKey;

class TrackerScript : public testing::TestWithParam<Script> {};

TEST_P(TrackerScript, Runs) {
  const Script& s = GetParam();
  auto root = Menu();
  TScriptHost host(*root);
  TSkMenuTracker t(host);
  ASSERT_TRUE(t.Start(*root, {100, 100}));
  bool consumed = true;
  for (const Step& st : s.steps) {
    switch (st.ev) {
    case Ev::Key: consumed = t.Key(TSkMenuKey(st.a)); break;
    case Ev::Char: consumed = t.Char(wchar_t(st.a)); break;
    case Ev::Move: consumed = t.MouseMove({st.a, st.b}); break;
    case Ev::Down: consumed = t.MouseDown({st.a, st.b}); break;
    case Ev::Up: consumed = t.MouseUp({st.a, st.b}); break;
    case Ev::Tick: t.Tick(st.a); break;
    case Ev::Quit: t.Quit(st.a); break;
    }
  }
  EXPECT_EQ(t.Ended(), s.end);
  ASSERT_EQ(t.Depth(), s.depth);
  if (s.depth > 0) {
    EXPECT_EQ(t.HotIndex(s.depth - 1), s.hot);
  }
  EXPECT_EQ(host.Clicks, s.clicks);
  EXPECT_EQ(consumed, s.lastConsumed);
}

const TSkTrackEnd None = TSkTrackEnd::teNone;

INSTANTIATE_TEST_SUITE_P(
    Table, TrackerScript,
    testing::Values(
        Script{"StartsOnFirst", {}, None, 1, 0, L""},
        Script{"DownSkipsSeparator", {K(mkDown), K(mkDown)}, None, 1, 3, L""},
        Script{"UpWrapsPastHidden", {K(mkUp)}, None, 1, 4, L""},
        Script{"RightOpensSub", {K(mkDown), K(mkRight)}, None, 2, 0, L""},
        Script{"EscapeClosesOneLevel", {K(mkDown), K(mkRight), K(mkEscape)}, None, 1, 2, L""},
        Script{"EscapeOnLastLevelEnds", {K(mkEscape)}, TSkTrackEnd::teCancel, 0, -1, L""},
        Script{"LeftClosesSub", {K(mkDown), K(mkRight), K(mkLeft)}, None, 1, 2, L""},
        Script{"EnterInSub",
               {K(mkDown), K(mkRight), K(mkDown), K(mkEnter)},
               TSkTrackEnd::teClick,
               0,
               -1,
               L"&Dua"},
        Script{"EnterOnDisabled", {K(mkDown), K(mkDown), K(mkEnter)}, None, 1, 3, L""},
        Script{"AltClosesAll", {K(mkDown), K(mkRight), K(mkAlt)}, TSkTrackEnd::teCancel, 0, -1, L""},
        Script{"F10ClosesAll", {K(mkF10)}, TSkTrackEnd::teCancel, 0, -1, L""},
        Script{"Accelerator", {C(L't')}, TSkTrackEnd::teClick, 0, -1, L"&Tutup"},
        Script{"AcceleratorOpensSub", {C(L's'), C(L'd')}, TSkTrackEnd::teClick, 0, -1, L"&Dua"},
        Script{"AcceleratorSkipsHidden", {C(L'x')}, None, 1, 0, L""},
        Script{"HoverBeforeDelay", {M(150, 140), T(450)}, None, 1, 2, L""},
        Script{"HoverOpensSub", {M(150, 140), T(450), T(50)}, None, 2, 0, L""},
        // The sub-menu lies at (203, 138); a point in it is converted for that level.
        Script{"MoveInSubUsesItsCoordinates", {K(mkDown), K(mkRight), M(250, 166)}, None, 2, 1, L""},
        Script{"MoveToOuterItemClosesSub", {K(mkDown), K(mkRight), M(150, 180)}, None, 1, 4, L""},
        Script{"ClickItem", {M(150, 180), D(150, 180), U(150, 180)}, TSkTrackEnd::teClick, 0, -1, L"&Tutup"},
        Script{"ClickInSub", {K(mkDown), K(mkRight), U(250, 166)}, TSkTrackEnd::teClick, 0, -1, L"&Dua"},
        Script{"ClickSeparatorKeepsOpen", {U(150, 125)}, None, 1, 1, L""},
        Script{"OutsideClickPassesOn",
               {K(mkDown), K(mkRight), D(10, 10)},
               TSkTrackEnd::teOutsideClick,
               0,
               -1,
               L"",
               false},
        Script{"Quit", {K(mkDown), K(mkRight), {Ev::Quit, 7}}, TSkTrackEnd::teQuit, 0, -1, L""}),
    [](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

TEST(Tracker, QuitIsRepostedAndDeferredClickChecksTheLiveTree) {
  auto root = Menu();
  TScriptHost host(*root);
  TSkMenuTracker t(host);
  ASSERT_TRUE(t.Start(*root, {100, 100}));
  t.Quit(3);
  EXPECT_EQ(host.Quits, std::vector<int>{3});

  // A click chosen, then the tree rebuilt before the click runs: the old identity finds nothing.
  struct TLateHost : TScriptHost {
    using TScriptHost::TScriptHost;
    void DeferClick(TSkItemId id) override { Pending = id; }
    TSkItemId Pending = 0;
  } late(*root);
  TSkMenuTracker t2(late);
  ASSERT_TRUE(t2.Start(*root, {100, 100}));
  t2.Key(mkEnter);
  ASSERT_NE(late.Pending, 0u);
  EXPECT_EQ(root->FindById(late.Pending), root->Items(0));
  root->Remove(root->Items(0));
  EXPECT_EQ(root->FindById(late.Pending), nullptr);
}

TEST(Tracker, NothingOpensWithoutVisibleChildren) {
  TSkItem root;
  AddItem(root, L"-");
  AddItem(root, L"A", true, false);
  TScriptHost host(root);
  TSkMenuTracker t(host);
  EXPECT_FALSE(t.Start(root, {0, 0}));
  EXPECT_FALSE(t.Tracking());
}

TEST(Tracker, ScrollButtonScrollsEveryHundredMilliseconds) {
  TSkItem root;
  for (int i = 0; i < 1000; ++i) {
    AddItem(root, L"Baris");
  }
  root.Scrolled = true;
  root.ScrollCount = 20;
  TScriptHost host(root);
  TSkMenuTracker t(host);
  ASSERT_TRUE(t.Start(root, {0, 0}));
  const TskRect r = t.LevelRect(0);
  t.MouseMove({50, r.Bottom - 5}); // lower scroll button
  t.Tick(250);
  EXPECT_EQ(root.FirstVisible, 2);
  for (int i = 0; i < 20; ++i) {
    t.Key(mkUp); // wrap to the last item and keep it in view
  }
  EXPECT_EQ(t.HotIndex(0), 980);
  EXPECT_EQ(root.FirstVisible, 980);
}

} // namespace

namespace {

// 200 items of 20 pixels cannot stand on a 1,024-pixel monitor: the level scrolls through as
// many as fit, the Down key walks past the bottom by scrolling, and the item's own settings are
// back once the menu has closed.
TEST(SkMenuTracker, ALevelTallerThanItsMonitorScrollsAndGivesItsSettingsBack) {
  TSkItem root;
  for (int i = 0; i < 200; ++i) {
    AddItem(root, (L"Butir " + std::to_wstring(i)).c_str());
  }
  TScriptHost host(root);
  TSkMenuTracker tracker(host);
  ASSERT_TRUE(tracker.Start(root, {0, 0}));
  ASSERT_TRUE(SkScrolling(root));
  const TSkShownRange shown = SkShownRange(root);
  EXPECT_EQ(shown.Last - shown.First, (1024 - 3 - 3 - 2 * SkScrollButtonHeight) / 20);
  EXPECT_LE(RectHeight(tracker.LevelRect(0)), 1024);
  for (int i = 0; i < shown.Last; ++i) {
    tracker.Key(TSkMenuKey::mkDown);
  }
  EXPECT_EQ(tracker.HotIndex(0), shown.Last);
  EXPECT_EQ(SkShownRange(root).First, 1) << "scrolled by one to show the highlight";
  tracker.Key(TSkMenuKey::mkEscape);
  EXPECT_FALSE(tracker.Tracking());
  EXPECT_FALSE(root.Scrolled);
  EXPECT_EQ(root.ScrollCount, 0);
  EXPECT_EQ(root.FirstVisible, 0);
}

} // namespace

namespace {

TEST(SkMenuTracker, ASubMenuMayBeBuiltJustBeforeItOpens) {
  auto root = Menu();
  TSkItem* sub = root->Items(2);
  sub->Clear();
  int built = 0;
  sub->OnBeforeDropDown = [&](TSkItem& item) {
    ++built;
    item.Clear();
    AddItem(item, L"&Baru");
  };
  TScriptHost host(*root);
  TSkMenuTracker tracker(host);
  ASSERT_TRUE(tracker.Start(*root, {100, 100}));
  EXPECT_EQ(built, 0) << "not before it opens";
  tracker.Key(TSkMenuKey::mkDown); // to "&Sub"
  tracker.Key(TSkMenuKey::mkRight);
  ASSERT_EQ(tracker.Depth(), 2);
  EXPECT_EQ(built, 1);
  tracker.Key(TSkMenuKey::mkEnter);
  EXPECT_EQ(host.Clicks, L"&Baru");
}

} // namespace

namespace {

TEST(SkMenuTracker, ChoosingAnItemActsAsTheKeyboardWould) {
  auto root = Menu();
  TScriptHost host(*root);
  TSkMenuTracker tracker(host);
  ASSERT_TRUE(tracker.Start(*root, {100, 100}));
  EXPECT_FALSE(tracker.Choose(0, 1)) << "a separator";
  EXPECT_FALSE(tracker.Choose(0, 3)) << "disabled";
  EXPECT_FALSE(tracker.Choose(0, 5)) << "hidden";
  EXPECT_FALSE(tracker.Choose(1, 0)) << "no such level";
  ASSERT_TRUE(tracker.Choose(0, 2)); // "&Sub" opens
  EXPECT_EQ(tracker.Depth(), 2);
  ASSERT_TRUE(tracker.Choose(1, 1)); // "&Dua" clicks
  EXPECT_FALSE(tracker.Tracking());
  EXPECT_EQ(host.Clicks, L"&Dua");
}

} // namespace

namespace {

// A host whose theme puts its own frame around the items.
class TFramedHost : public TScriptHost {
public:
  TFramedHost(TSkItem& root, TskRect insets) : TScriptHost(root), Asked(insets) {}
  TskRect Insets() override { return Asked; }
  void LevelOpened(int, const TskRect& screen) override { Opened = screen; }
  TskRect Asked, Opened;
};

TEST(SkMenuTracker, TheHostsFrameWidthsPlaceTheItems) {
  const struct {
    TskRect Asked, Used;
  } cases[] = {
      {{2, 4, 6, 8}, {2, 4, 6, 8}}, {{-5, 0, 1000, 64}, {0, 0, TSkMenuTracker::MaxInset, 64}}, // clamped
  };
  for (const auto& c : cases) {
    auto root = Menu();
    TFramedHost host(*root, c.Asked);
    TSkMenuTracker tracker(host);
    ASSERT_TRUE(tracker.Start(*root, {100, 100}));
    EXPECT_EQ(tracker.Insets(), c.Used);
    // Five shown items (100 wide; 20, 15, 20, 20, 20 high) inside the frame.
    EXPECT_EQ(RectWidth(host.Opened), 100 + c.Used.Left + c.Used.Right);
    EXPECT_EQ(RectHeight(host.Opened), 95 + c.Used.Top + c.Used.Bottom);
    // The pointer on "&Tutup" (its top at 75 in the item area) highlights it.
    tracker.MouseMove({100 + c.Used.Left + 50, 100 + c.Used.Top + 80});
    EXPECT_EQ(tracker.HotIndex(0), 4);
    tracker.Key(TSkMenuKey::mkEscape);
  }
}

} // namespace

namespace {

// Items removed, inserted or cleared while their menu is shown: levels whose item left the
// tree close, the others are laid out again, and every later step reads only live items.
struct TChangeCase {
  const char* name;
  std::vector<TSkMenuKey> before; // keys pressed before the change
  std::function<void(TSkItem& root)> change;
  bool tracking;
  int depth;
  int hot;    // in the innermost level
  int height; // of the innermost level's window
};

void PrintTo(const TChangeCase& c, std::ostream* os) { *os << c.name; }

class TrackerTreeChange : public testing::TestWithParam<TChangeCase> {};

TEST_P(TrackerTreeChange, LevelsFollowTheTree) {
  const TChangeCase& c = GetParam();
  auto root = Menu();
  struct TMovedHost : TScriptHost {
    using TScriptHost::TScriptHost;
    void LevelMoved(int depth, const TskRect& screen) override { Moved.push_back({depth, screen}); }
    std::vector<std::pair<int, TskRect>> Moved;
  } host(*root);
  TSkMenuTracker t(host);
  ASSERT_TRUE(t.Start(*root, {100, 100}));
  for (TSkMenuKey k : c.before) {
    t.Key(k);
  }
  c.change(*root);
  ASSERT_EQ(t.Tracking(), c.tracking);
  ASSERT_EQ(t.Depth(), c.depth);
  if (c.depth == 0) {
    EXPECT_EQ(t.Ended(), TSkTrackEnd::teCancel);
    return;
  }
  EXPECT_EQ(t.HotIndex(c.depth - 1), c.hot);
  EXPECT_EQ(RectHeight(t.LevelRect(c.depth - 1)), c.height);
  if (!host.Moved.empty()) {
    EXPECT_EQ(host.Moved.back().second, t.LevelRect(host.Moved.back().first)) << "the window follows";
  }
  // Every key now acts on the tree as it is.
  for (TSkMenuKey k : {mkDown, mkUp, mkRight, mkLeft, mkDown, mkEnter}) {
    EXPECT_NO_THROW(t.Key(k));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrackerTreeChange,
    testing::Values(
        // The shown sub-menu emptied: it closes, its opener keeps the highlight.
        TChangeCase{
            "ClearShownSubMenu", {mkDown, mkRight}, [](TSkItem& r) { r.Items(2)->Clear(); }, true, 1, 2, 101},
        // The opener itself removed and freed: the sub-menu goes, the first level shrinks.
        TChangeCase{"RemoveTheOpener",
                    {mkDown, mkRight},
                    [](TSkItem& r) { (void)r.Remove(r.Items(2)); },
                    true,
                    1,
                    0,
                    81},
        // A child of the shown sub-menu removed: it is laid out again, one item shorter.
        TChangeCase{"RemoveInShownSubMenu",
                    {mkDown, mkRight, mkDown},
                    [](TSkItem& r) { (void)r.Items(2)->Remove(r.Items(2)->Items(0)); },
                    true,
                    2,
                    0,
                    26},
        // An item inserted above the highlight: the highlight stays on its item.
        TChangeCase{"InsertAboveTheHighlight",
                    {mkDown, mkDown, mkDown},
                    [](TSkItem& r) { r.Insert(0, std::make_unique<TSkItem>())->Caption = L"Baru"; },
                    true,
                    1,
                    5,
                    121},
        // Everything cleared: nothing is left to show.
        TChangeCase{"ClearTheRoot", {mkDown, mkRight}, [](TSkItem& r) { r.Clear(); }, false, 0, -1, 0}),
    [](const testing::TestParamInfo<TChangeCase>& info) { return std::string(info.param.name); });

// A tracker that ended stops watching: later changes reach no freed tracker.
TEST(SkMenuTracker, StopsWatchingTheTreeWhenTrackingEnds) {
  auto root = Menu();
  {
    TScriptHost host(*root);
    TSkMenuTracker t(host);
    ASSERT_TRUE(t.Start(*root, {100, 100}));
    t.Key(mkEscape);
    ASSERT_FALSE(t.Tracking());
    root->Add(std::make_unique<TSkItem>());
    EXPECT_FALSE(t.Tracking());
    ASSERT_TRUE(t.Start(*root, {100, 100}));
  } // destroyed while tracking
  root->Clear();
  EXPECT_EQ(root->Count(), 0);
}

// Root: 30 items in a window of 5 between two strips; item 0 opens a sub-menu. Opened at
// (0, 0): the frame is 3 pixels, the upper strip at y 3..13, items from 13, the lower strip
// at y 113..123.
std::unique_ptr<TSkItem> ScrolledMenu() {
  auto root = std::make_unique<TSkItem>();
  for (int i = 0; i < 30; ++i) {
    AddItem(*root, L"Baris");
  }
  AddItem(*root->Items(0), L"&Anak");
  root->Scrolled = true;
  root->ScrollCount = 5;
  return root;
}

TEST(SkMenuTracker, OnlyTheStripUnderThePointerScrolls) {
  auto root = ScrolledMenu();
  TScriptHost host(*root);
  TSkMenuTracker t(host);
  ASSERT_TRUE(t.Start(*root, {0, 0}));
  t.MouseMove({50, 118}); // the lower strip
  EXPECT_EQ(t.HotButton(0), TSkHitKind::hkScrollDown);
  t.Tick(100);
  EXPECT_EQ(root->FirstVisible, 1);
  t.MouseMove({500, 500}); // left the menu
  EXPECT_EQ(t.HotButton(0), TSkHitKind::hkNone);
  t.Tick(300);
  EXPECT_EQ(root->FirstVisible, 1) << "no scrolling once the pointer left the strip";

  // With a sub-menu open, the outer level's strip closes it and scrolls its own level.
  t.MouseMove({50, 20}); // item 1
  t.Key(mkUp);           // item 0, which opens a sub-menu
  t.Key(mkRight);
  ASSERT_EQ(t.Depth(), 2);
  t.MouseMove({50, 118});
  EXPECT_EQ(t.Depth(), 1);
  t.Tick(200);
  EXPECT_EQ(root->FirstVisible, 2);
}

// Moving from a sub-menu onto another item of its parent that has children of its own opens
// that item's sub-menu at once, without the half-second rest.
TEST(SkMenuTracker, PointingAtAnotherParentItemOpensItsSubMenuAtOnce) {
  TSkItem root;
  TSkItem* a = AddItem(root, L"&A");
  AddItem(*a, L"a1");
  AddItem(*a, L"a2");
  TSkItem* b = AddItem(root, L"&B");
  AddItem(*b, L"b1");
  AddItem(root, L"&C");
  TScriptHost host(root);
  TSkMenuTracker t(host);
  ASSERT_TRUE(t.Start(root, {100, 100})); // items at y 103, 123, 143; sub-menus at x 203
  t.Key(mkRight);
  ASSERT_EQ(t.LevelItem(1), a);
  t.MouseMove({250, 110}); // into "a1"
  t.MouseMove({150, 130}); // onto "&B" in the first level
  ASSERT_EQ(t.Depth(), 2);
  EXPECT_EQ(t.LevelItem(1), b);
  EXPECT_EQ(t.HotIndex(0), 1);
  t.MouseMove({150, 150}); // onto "&C", which has no sub-menu
  EXPECT_EQ(t.Depth(), 1);
  EXPECT_EQ(t.HotIndex(0), 2);
}

} // namespace
