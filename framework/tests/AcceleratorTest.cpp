#include "framework/Accelerator.h"

#include <gtest/gtest.h>

TEST(Accelerator, TakesTheLetterAfterTheFirstSingleAmpersand) {
  struct {
    const char* Caption;
    char Letter;
  } cases[] = {
      {"&NISHAB", 'N'},    {"&hitung", 'H'},    {"RE&SET", 'S'}, {"A && B", '\0'}, {"A &&&B", 'B'},
      {"no letter", '\0'}, {"trailing&", '\0'}, {"", '\0'},      {"&1st", '1'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AcceleratorChar(c.Caption), c.Letter) << c.Caption;
  }
  EXPECT_TRUE(IsAccelerator('j', "&JUMLAH"));
  EXPECT_TRUE(IsAccelerator('J', "&JUMLAH"));
  EXPECT_FALSE(IsAccelerator('U', "&JUMLAH"));
  EXPECT_FALSE(IsAccelerator('&', "A && B"));
}
