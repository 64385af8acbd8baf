#include <gtest/gtest.h>

#include "menus/SkItem.h"
#include "menus/SkShortCut.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Builds a level from a compact description: one character per child.
// 'a' ordinary, 's' separator, 'i' invisible, 'd' disabled.
std::unique_ptr<TSkItem> Level(const std::string& kinds) {
  auto root = std::make_unique<TSkItem>();
  for (char k : kinds) {
    auto item = std::make_unique<TSkItem>();
    item->Caption = k == 's' ? L"-" : L"Item";
    item->Visible = k != 'i';
    item->Enabled = k != 'd';
    root->Add(std::move(item));
  }
  return root;
}

struct StepCase {
  std::string kinds;
  int from;
  int next;
  int previous;
};

class StepTest : public testing::TestWithParam<StepCase> {};

TEST_P(StepTest, SkipsInvisibleAndSeparatorsAndTerminates) {
  const StepCase& c = GetParam();
  auto level = Level(c.kinds);
  EXPECT_EQ(SkNextItem(*level, c.from), c.next);
  EXPECT_EQ(SkPreviousItem(*level, c.from), c.previous);
}

INSTANTIATE_TEST_SUITE_P(Table, StepTest,
                         testing::Values(StepCase{"aaa", 0, 1, 2}, StepCase{"aaa", 2, 0, 1},
                                         StepCase{"asia", 0, 3, 3}, StepCase{"aisa", -1, 0, 3},
                                         StepCase{"ada", 0, 1, 2}, // disabled items can be highlighted
                                         StepCase{"iii", 0, -1, -1}, StepCase{"sss", 1, -1, -1},
                                         StepCase{"isi", -1, -1, -1}, StepCase{"", -1, -1, -1},
                                         StepCase{"sas", 1, 1, 1}));

struct AccelCase {
  std::vector<std::pair<std::wstring, char>> items; // caption, kind as in Level()
  wchar_t key;
  int expected;
};

class AccelTest : public testing::TestWithParam<AccelCase> {};

TEST_P(AccelTest, ChoosesOnlyVisibleEnabledItems) {
  const AccelCase& c = GetParam();
  TSkItem root;
  for (auto& [caption, kind] : c.items) {
    TSkItem* item = root.Add(std::make_unique<TSkItem>());
    item->Caption = caption;
    item->Visible = kind != 'i';
    item->Enabled = kind != 'd';
  }
  EXPECT_EQ(SkAcceleratorItem(root, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, AccelTest,
                         testing::Values(AccelCase{{{L"&Tutup", 'a'}, {L"&Pulihkan", 'a'}}, L'p', 1},
                                         AccelCase{{{L"&Tutup", 'i'}, {L"&Tanya", 'a'}}, L't', 1},
                                         AccelCase{{{L"&Tutup", 'd'}, {L"&Tanya", 'd'}}, L'T', -1},
                                         AccelCase{{{L"A && &B", 'a'}}, L'&', -1},
                                         AccelCase{{{L"A && &B", 'a'}}, L'b', 0},
                                         AccelCase{{{L"Tanpa", 'a'}}, L't', -1},
                                         AccelCase{{{L"Akhir&", 'a'}}, L'\0', -1}));

TEST(SkItem, IdentitiesAreUniqueAndDieWithTheItem) {
  auto root = Level("aaa");
  const TSkItemId id = root->Items(1)->Id();
  EXPECT_NE(root->Items(0)->Id(), id);
  EXPECT_EQ(root->FindById(id), root->Items(1));
  root->Clear();
  // A rebuilt tree never answers an old identity with a new item.
  for (int i = 0; i < 3; ++i) {
    root->Add(std::make_unique<TSkItem>());
  }
  EXPECT_EQ(root->FindById(id), nullptr);
}

TEST(SkItem, InsertRefusesItemWithParentAndRemoveDetaches) {
  auto a = Level("aa");
  auto b = Level("");
  TSkItem* child = a->Items(0);
  std::unique_ptr<TSkItem> alias(child);
  EXPECT_THROW(b->Add(std::move(alias)), ESkItemError);
  EXPECT_EQ(child->Parent(), a.get()); // refused, and still alive in its own tree
  auto taken = a->Remove(child);
  ASSERT_EQ(taken.get(), child);
  EXPECT_EQ(child->Parent(), nullptr);
  EXPECT_EQ(a->Count(), 1);
  b->Add(std::move(taken));
  EXPECT_EQ(child->MenuIndex(), 0);
}

TEST(SkItem, ClickRunsOnlyForPlainEnabledItems) {
  auto root = Level("asd");
  root->Items(0)->Add(std::make_unique<TSkItem>());
  int clicks = 0;
  for (int i = 0; i < 3; ++i) {
    root->Items(i)->OnClick = [&](TSkItem&) { ++clicks; };
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(root->Items(i)->Click());
  }
  EXPECT_TRUE(root->Items(0)->Items(0)->Click()); // no handler: a click that does nothing
  EXPECT_EQ(clicks, 0);
}

TSkItemSize Measure(const TSkItem& item) {
  return {item.IsSeparator() ? 40 : 60 + item.MenuIndex(), item.IsSeparator() ? 15 : 20};
}

TEST(SkLayout, StacksShownChildrenAndHitTests) {
  auto level = Level("asia");
  const TSkItemSize content = SkLayoutPopup(*level, Measure);
  EXPECT_EQ(content.Width, 63);
  EXPECT_EQ(content.Height, 20 + 15 + 20);
  EXPECT_EQ(level->Items(3)->ItemRect, (TskRect{0, 35, 63, 55}));
  EXPECT_TRUE(IsRectEmpty(level->Items(2)->ItemRect));
  struct {
    TskPoint p;
    TSkHitKind kind;
    int index;
  } cases[] = {{{5, 0}, TSkHitKind::hkItem, 0},   {{62, 19}, TSkHitKind::hkItem, 0},
               {{5, 20}, TSkHitKind::hkItem, 1},  {{5, 54}, TSkHitKind::hkItem, 3},
               {{5, 55}, TSkHitKind::hkNone, -1}, {{63, 5}, TSkHitKind::hkNone, -1},
               {{-1, 5}, TSkHitKind::hkNone, -1}};
  for (auto& c : cases) {
    const TSkHit hit = SkHitTest(*level, content, c.p);
    EXPECT_EQ(hit.Kind, c.kind) << c.p.X << "," << c.p.Y;
    EXPECT_EQ(hit.Index, c.index) << c.p.X << "," << c.p.Y;
  }
}

TEST(SkLayout, ScrolledWindowShowsScrollCountChildrenBetweenButtons) {
  auto level = Level(std::string(100, 'a'));
  level->Scrolled = true;
  level->ScrollCount = 10;
  level->FirstVisible = 95; // too far: clamped so the window stays full
  const TSkItemSize content = SkLayoutPopup(*level, Measure);
  EXPECT_EQ(content.Height, 10 + 10 * 20 + 10);
  EXPECT_EQ(SkShownRange(*level).First, 90);
  EXPECT_EQ(level->Items(90)->ItemRect.Top, 10);
  EXPECT_TRUE(IsRectEmpty(level->Items(89)->ItemRect));
  EXPECT_EQ(SkHitTest(*level, content, {5, 3}).Kind, TSkHitKind::hkScrollUp);
  EXPECT_EQ(SkHitTest(*level, content, {5, content.Height - 1}).Kind, TSkHitKind::hkScrollDown);
  EXPECT_EQ(SkHitTest(*level, content, {5, 10}).Index, 90);
}

TEST(SkScroll, ScrollIntoViewAndScrollByStayInRange) {
  auto level = Level(std::string(30, 'a'));
  level->Scrolled = true;
  level->ScrollCount = 10;
  struct {
    int first, index, expected;
  } into[] = {{0, 5, 0}, {0, 10, 1}, {0, 29, 20}, {15, 3, 3}, {15, 24, 15}};
  for (auto& c : into) {
    level->FirstVisible = c.first;
    SkScrollIntoView(*level, c.index);
    EXPECT_EQ(level->FirstVisible, c.expected) << c.first << " " << c.index;
  }
  struct {
    int first, delta, expected;
    bool moved;
  } by[] = {{0, 10, 10, true}, {15, 10, 20, true},        {20, 1, 20, false},           {3, -10, 0, true},
            {0, -1, 0, false}, {5, 2147483647, 20, true}, {5, -2147483647 - 1, 0, true}};
  for (auto& c : by) {
    level->FirstVisible = c.first;
    EXPECT_EQ(SkScrollBy(*level, c.delta), c.moved) << c.first << " " << c.delta;
    EXPECT_EQ(level->FirstVisible, c.expected);
  }
}

TEST(SkPlace, PopupStaysOnTheMonitorOfTheOpeningPoint) {
  const TskRect second{1280, 0, 2560, 1024}; // a monitor to the right of the primary one
  const TSkItemSize size{200, 300};
  struct {
    TskPoint at;
    TskRect anchor;
    TskRect expected;
  } cases[] = {
      {{1300, 100}, {}, {1300, 100, 1500, 400}},
      {{2500, 100}, {}, {2300, 100, 2500, 400}},                 // flipped left of the point
      {{2500, 1000}, {}, {2300, 700, 2500, 1000}},               // and above it
      {{1290, 50}, {1280, 40, 1400, 60}, {1400, 40, 1600, 340}}, // sub-menu right of its item
      {{2400, 50}, {2300, 40, 2500, 60}, {2100, 40, 2300, 340}}, // flipped to the left
      {{1290, 50}, {1280, 40, 1300, 60}, {1300, 40, 1500, 340}},
      {{1300, 900}, {1280, 890, 2550, 910}, {1280, 610, 1480, 910}}, // flip would leave: clamped
  };
  for (auto& c : cases) {
    EXPECT_EQ(SkPlacePopup(c.at, c.anchor, size, second), c.expected) << c.at.X << "," << c.at.Y;
  }
}

// Points, anchors and monitors at the far ends of the 32-bit plane: every sum fits (the
// sanitizer build stops on a signed overflow) and the popup still lies on its monitor.
TEST(SkPlace, HugeCoordinatesStayOnTheMonitor) {
  constexpr std::int32_t top = 2147483647, bottom = -2147483647 - 1;
  const TSkItemSize size{200, 300};
  struct {
    TskPoint at;
    TskRect anchor;
    TskRect monitor;
    TskRect expected;
  } cases[] = {
      {{top - 10, top - 10},
       {},
       {top - 1000, top - 1000, top, top},
       {top - 210, top - 310, top - 10, top - 10}},
      {{top - 10, 0}, {top - 50, 0, top - 5, 20}, {top - 1000, 0, top, 1000}, {top - 250, 0, top - 50, 300}},
      {{bottom, bottom},
       {},
       {bottom, bottom, bottom + 1000, bottom + 1000},
       {bottom, bottom, bottom + 200, bottom + 300}},
      {{0, 0}, {}, {bottom, bottom, top, top}, {0, 0, 200, 300}},
      {{top, top}, {}, {bottom, bottom, top, top}, {top - 200, top - 300, top, top}},
  };
  for (auto& c : cases) {
    EXPECT_EQ(SkPlacePopup(c.at, c.anchor, size, c.monitor), c.expected) << c.at.X << "," << c.at.Y;
  }
}

// Changes to the children are told to the item, then to the root of its tree; freeing a tree
// tells nothing.
TEST(SkItem, InsertRemoveAndClearNotifyTheItemThenTheRoot) {
  auto root = std::make_unique<TSkItem>();
  TSkItem* sub = root->Add(std::make_unique<TSkItem>());
  sub->Add(std::make_unique<TSkItem>());
  std::vector<std::pair<const TSkItem*, const TSkItem*>> seen; // (notified, changed)
  root->OnChange = [&](TSkItem& changed) { seen.push_back({root.get(), &changed}); };
  sub->OnChange = [&](TSkItem& changed) { seen.push_back({sub, &changed}); };
  std::vector<const TSkItem*> watched;
  root->SetWatcher([&](TSkItem& changed) { watched.push_back(&changed); });
  const struct {
    const char* name;
    std::function<void()> change;
    const TSkItem* changed;
  } cases[] = {
      {"insert", [&] { sub->Insert(0, std::make_unique<TSkItem>()); }, sub},
      {"remove", [&] { (void)sub->Remove(sub->Items(0)); }, sub},
      {"clear", [&] { sub->Clear(); }, sub},
      {"add to root", [&] { root->Add(std::make_unique<TSkItem>()); }, root.get()},
  };
  for (const auto& c : cases) {
    seen.clear();
    watched.clear();
    c.change();
    std::vector<std::pair<const TSkItem*, const TSkItem*>> expected{{c.changed, c.changed}};
    if (c.changed != root.get()) {
      expected.push_back({root.get(), c.changed});
    }
    EXPECT_EQ(seen, expected) << c.name;
    EXPECT_EQ(watched, std::vector<const TSkItem*>{c.changed}) << c.name;
  }
  seen.clear();
  sub->Clear(); // already empty: nothing changed
  EXPECT_TRUE(seen.empty());
  sub->Add(std::make_unique<TSkItem>());
  seen.clear();
  watched.clear();
  root.reset();
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(watched.empty());
}

} // namespace

TEST(SkShortCut, TextNamesModifiersInOrderAndKnownKeysOnly) {
  const struct {
    std::uint16_t Value;
    const wchar_t* Want;
  } cases[] = {
      {kSkAltKey | 0x73, L"Alt+F4"},
      {kSkCtrlKey | kSkShiftKey | 'S', L"Ctrl+Shift+S"},
      {kSkCtrlKey | kSkAltKey | 0x2E, L"Ctrl+Alt+Del"},
      {0x87, L"F24"},
      {'7', L"7"},
      {0x0D, L"Enter"},
      {0, L""},
      {kSkCtrlKey, L""},
      {kSkCtrlKey | 0xFF, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SkShortCutToText(c.Value), c.Want) << c.Value;
  }
}

TEST(SkItem, MergeCopiesTopLevelItemsAboveOrBelowInTheirOrder) {
  TSkItem linked;
  int clicks = 0;
  for (const wchar_t* caption : {L"&Satu", L"&Close"}) {
    TSkItem* item = linked.Add(std::make_unique<TSkItem>());
    item->Caption = caption;
    item->ImageIndex = 7;
    item->OnClick = [&clicks](TSkItem&) { ++clicks; };
  }
  linked.Items(0)->Add(std::make_unique<TSkItem>())->Caption = L"sub";
  linked.Items(1)->Checked = true;
  linked.Items(1)->Enabled = false;

  for (bool atFirst : {true, false}) {
    TSkItem own;
    own.Add(std::make_unique<TSkItem>())->Caption = L"&Restore";
    SkMergeItems(linked, own, atFirst);
    ASSERT_EQ(own.Count(), 3);
    std::wstring order;
    for (int i = 0; i < own.Count(); ++i) {
      order += own.Items(i)->Caption + L";";
    }
    EXPECT_EQ(order, atFirst ? L"&Satu;&Close;&Restore;" : L"&Restore;&Satu;&Close;");
    TSkItem& satu = *own.Items(atFirst ? 0 : 1);
    TSkItem& close = *own.Items(atFirst ? 1 : 2);
    EXPECT_EQ(satu.Count(), 0) << "sub-items stay behind";
    EXPECT_EQ(satu.ImageIndex, 7);
    EXPECT_TRUE(close.Checked);
    EXPECT_FALSE(close.Enabled);
    EXPECT_TRUE(satu.Click()) << "the linked item's own handler";
  }
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(linked.Count(), 2) << "the linked menu keeps its items";
}

TEST(SkItem, CaptionsReadAloudWithoutTheirMarks) {
  const struct {
    const wchar_t* Caption;
    const wchar_t* Plain;
    wchar_t Mark;
  } cases[] = {
      {L"Mi&nimize", L"Minimize", L'n'},
      {L"Zakat && Infak", L"Zakat & Infak", 0},
      {L"&&A &B", L"&A B", L'B'},
      {L"Akhir&", L"Akhir", 0},
      {L"", L"", 0},
      {L"&Satu &Dua", L"Satu Dua", L'S'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SkPlainCaption(c.Caption), c.Plain);
    EXPECT_EQ(SkAcceleratorOf(c.Caption), c.Mark);
  }
}
