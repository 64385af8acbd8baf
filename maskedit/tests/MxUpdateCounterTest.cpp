#include "maskedit/MxUpdateCounter.h"

#include <gtest/gtest.h>

TEST(MxUpdateCounter, RepaintsOnlyWhenTheOutermostUpdateEnds) {
  TMxUpdateCounter counter;
  counter.Begin();
  counter.Begin();
  EXPECT_TRUE(counter.IsUpdating());
  EXPECT_FALSE(counter.End(true)); // still inside the outer update
  EXPECT_TRUE(counter.IsUpdating());
  EXPECT_TRUE(counter.End(true));
  EXPECT_FALSE(counter.IsUpdating());
  counter.Begin();
  EXPECT_FALSE(counter.End(false)); // no repaint asked for
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_FALSE(counter.IsUpdating());
}

TEST(MxUpdateCounter, NeitherUnderflowsNorWraps) {
  TMxUpdateCounter counter;
  EXPECT_TRUE(counter.End(true)); // unbalanced: stays at 0
  EXPECT_EQ(counter.Count(), 0);
  for (int i = 0; i < 70000; ++i) {
    counter.Begin();
  }
  EXPECT_EQ(counter.Count(), UINT16_MAX);
  EXPECT_TRUE(counter.IsUpdating());
}
