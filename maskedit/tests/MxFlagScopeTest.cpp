#include "maskedit/MxFlagScope.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(MxFlagScope, SetsTheFlagAndPutsBackWhatItWasOnEveryWayOut) {
  bool flag = false;
  {
    const TMxFlagScope outer(flag);
    EXPECT_TRUE(flag);
    {
      const TMxFlagScope inner(flag);
      EXPECT_TRUE(flag);
    }
    EXPECT_TRUE(flag); // the inner scope puts back the outer scope's value
  }
  EXPECT_FALSE(flag);
  EXPECT_THROW(
      {
        const TMxFlagScope scope(flag);
        throw std::runtime_error("leaves the scope");
      },
      std::runtime_error);
  EXPECT_FALSE(flag);
}
