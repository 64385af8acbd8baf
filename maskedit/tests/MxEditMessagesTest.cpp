// The edit-control requests with normal and hostile parameters, and the mouse commands.
#include "maskedit/engine/MxEditMessages.h"
#include "maskedit/engine/MxClickSeries.h"
#include "maskedit/engine/MxCustomMaskEdit.h"
#include "maskedit/tests/EditTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

struct Harness {
  Harness() {
    Edit.SetView(&View);
    Edit.SetText("abcdefg");
  }
  TMxApplication App;
  TMxCustomEdit Edit{App};
  TRecordingView View;
};

TEST(MxEditMessages, SetSelNormalises) {
  struct Row {
    std::int64_t start, end;
    int selStart, selLength, caret;
  } rows[] = {
      {2, 5, 3, 3, 3},
      {5, 2, 3, 3, 3},
      {2, -1, 3, 5, 3},
      {0, -1, 1, 7, 8},
      {-5, 3, 1, 3, 1},
      {3, 99, 4, 4, 4},
      {INT_MAX, INT_MAX, 8, 0, 8},
      {std::int64_t{1} << 40, -(std::int64_t{1} << 40), 8, 0, 8},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.start) + "," + std::to_string(r.end));
    Harness h;
    // A Shift state left by the keyboard must not widen the range.
    h.App.SetEditMode(emInsert | emShift);
    MxEditMessages::SetSel(h.Edit, r.start, r.end);
    EXPECT_EQ(h.Edit.GetSelStart(), r.selStart);
    EXPECT_EQ(h.Edit.GetSelLength(), r.selLength);
    EXPECT_EQ(h.Edit.GetCursorPos(), r.caret);
    EXPECT_GE(h.Edit.GetSelLength(), 0);
  }
  Harness h;
  MxEditMessages::SetSel(h.Edit, 2, 5);
  EXPECT_EQ(h.Edit.GetSelText(), "cde");
  const MxEditMessages::TRange sel = MxEditMessages::GetSel(h.Edit);
  EXPECT_EQ(sel.Start, 2);
  EXPECT_EQ(sel.End, 5);
  MxEditMessages::SetSel(h.Edit, -1, 0); // only deselects
  EXPECT_EQ(h.Edit.GetSelLength(), 0);
  EXPECT_EQ(h.Edit.GetCursorPos(), 3);
}

TEST(MxEditMessages, LimitAndCopies) {
  EXPECT_EQ(MxEditMessages::LimitFromRequest(0), 0);
  EXPECT_EQ(MxEditMessages::LimitFromRequest(12), 12);
  EXPECT_EQ(MxEditMessages::LimitFromRequest(0x80000000ull), 0);
  EXPECT_EQ(MxEditMessages::LimitFromRequest(~0ull), 0);

  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(MxEditMessages::CopyText("abcdefg", buffer, 4), 3u);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], '#');
  EXPECT_EQ(MxEditMessages::CopyText("abc", buffer, ~0ull), 3u);
  EXPECT_EQ(MxEditMessages::CopyText("abc", nullptr, 5), 0u);
  EXPECT_EQ(MxEditMessages::CopyText("abc", buffer, 0), 0u);

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(MxEditMessages::CopyLine("abcdefg", buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer, 4), "abc#");
  EXPECT_EQ(MxEditMessages::CopyLine("abcdefg", nullptr, 3), 0u);
}

TEST(MxClickSeries, ThirdClickInTimeSelectsAndFourthStartsAgain) {
  TMxClickSeries s(500, 4, 4);
  EXPECT_FALSE(s.Press(1000, 10, 10));
  EXPECT_FALSE(s.Press(1200, 11, 10));
  EXPECT_TRUE(s.Press(1400, 12, 11));
  EXPECT_FALSE(s.Press(1500, 12, 11)); // a new series
  EXPECT_EQ(s.ClickCount(), 1);
  EXPECT_FALSE(s.Press(2100, 12, 11)); // too late: starts over
  EXPECT_EQ(s.ClickCount(), 1);
  EXPECT_FALSE(s.Press(2200, 30, 11)); // too far: starts over
  EXPECT_FALSE(s.Press(2300, 30, 11));
  EXPECT_TRUE(s.Press(2400, 31, 12));
}

} // namespace
