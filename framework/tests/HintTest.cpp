#include "framework/Hint.h"

#include <gtest/gtest.h>

TEST(Hint, SplitsAtTheFirstBar) {
  struct {
    const char* Hint;
    const char* Short;
    const char* Long;
  } cases[] = {
      {"", "", ""},
      {"plain", "plain", "plain"},
      {"a|b", "a", "b"},
      {"a|b|c|d", "a", "b|c|d"},
      {"|only long", "", "only long"},
      {"only short|", "only short", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortHint(c.Hint), c.Short) << c.Hint;
    EXPECT_EQ(LongHint(c.Hint), c.Long) << c.Hint;
  }
}
