#include "framework/TabOrder.h"

#include <gtest/gtest.h>

namespace {

// The calculator window: group boxes hold the amount fields and two buttons.
enum : int {
  Form,
  Box2,
  Cash,
  Savings,
  Receivables,
  Gold,
  Other,
  Total,
  Jumlah,
  Box1,
  Price,
  Nishab,
  BtNishab,
  Box3,
  Zakat,
  Hitung,
  Reset,
  Label
};

std::vector<TTabItem> Window() {
  // Creation order differs from tab order on purpose.
  return {
      {Label, Form, 0, false},      {Box1, Form, 1, false}, {Price, Box1, 0, true}, {Nishab, Box1, 2, true},
      {BtNishab, Box1, 1, true},    {Box2, Form, 0, false}, {Cash, Box2, 0, true},  {Savings, Box2, 1, true},
      {Receivables, Box2, 2, true}, {Gold, Box2, 3, true},  {Other, Box2, 4, true}, {Total, Box2, 6, true},
      {Jumlah, Box2, 5, true},      {Box3, Form, 3, false}, {Zakat, Box3, 0, true}, {Hitung, Form, 2, true},
      {Reset, Form, 4, true},
  };
}

TEST(TabOrder, FlattensContainersDepthFirstByTabOrder) {
  const std::vector<int> expected = {Cash,  Savings,  Receivables, Gold,   Other, Jumlah, Total,
                                     Price, BtNishab, Nishab,      Hitung, Zakat, Reset};
  EXPECT_EQ(FlattenTabOrder(Window(), Form), expected);
}

TEST(TabOrder, SkipsWhatCannotTakeTheFocusAndKeepsCreationOrderOnTies) {
  auto items = Window();
  for (auto& item : items) {
    if (item.Id == Box1) {
      item.CanFocus = false; // a hidden box hides its children
    }
    if (item.Id == Savings) {
      item.TabStop = false;
    }
    if (item.Id == Reset) {
      item.TabOrder = 2; // ties with Hitung, created after it
    }
  }
  const std::vector<int> expected = {Cash, Receivables, Gold, Other, Jumlah, Total, Hitung, Reset, Zakat};
  EXPECT_EQ(FlattenTabOrder(items, Form), expected);
}

TEST(TabOrder, NextStopWrapsBothWays) {
  const std::vector<int> order = {5, 7, 9};
  EXPECT_EQ(NextTabStop(order, 5, true), 7);
  EXPECT_EQ(NextTabStop(order, 9, true), 5);
  EXPECT_EQ(NextTabStop(order, 5, false), 9);
  EXPECT_EQ(NextTabStop(order, 42, true), 5);
  EXPECT_EQ(NextTabStop(order, 42, false), 9);
  EXPECT_EQ(NextTabStop({}, 5, true), -1);
}

} // namespace
