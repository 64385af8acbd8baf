#include <gtest/gtest.h>

#include "menus/SkMenuTracker.h"

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
