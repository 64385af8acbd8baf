#include "framework/Hint.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(Hint, WideHintsSurviveThePacking) {
  struct {
    const char* Narrow;
    std::u16string Wide;
  } cases[] = {
      {"????", u"\u0632\u0643\u0627\u0629"},                    // Arabic
      {"Zakat ?|long", u"Zakat \u0632\u0643\u0627\u0629|long"}, // with both hint parts
      {"", u""},
      {"?|?", u"\u067C|\u4E00"},           // code units whose low byte is '|' (0x7C) or zero
      {"?", std::u16string(1, u'\u7C00')}, // a unit with a zero low byte
      {"a", u"\U0001F319"},                // a surrogate pair
  };
  for (const auto& c : cases) {
    const std::string packed = PackWideHint(c.Narrow, c.Wide);
    // 8-bit form, zero byte, the units, a 16-bit zero and the mark FE FF.
    ASSERT_EQ(packed.size(), std::strlen(c.Narrow) + 1 + 2 * c.Wide.size() + 4);
    EXPECT_EQ(packed.substr(packed.size() - 4), std::string("\0\0\xFE\xFF", 4));
    EXPECT_EQ(NarrowHint(packed), c.Narrow);
    const std::optional<TUnpackedHint> back = UnpackWideHint(packed);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Narrow, c.Narrow);
    EXPECT_TRUE(back->Wide == c.Wide);
  }
  EXPECT_TRUE(ShortHint(UnpackWideHint(PackWideHint("Zakat|x", u"\u0632\u0643\u0627\u0629|x"))->Wide) ==
              u"\u0632\u0643\u0627\u0629");
}

TEST(Hint, BytesThatAreNoPackedHintStayPlain) {
  const std::string notPacked[] = {
      "plain",
      std::string("a\0", 2),
      std::string("a\0b\0\0\0\xFE\xFF\0", 9),    // an odd number of bytes after the zero
      std::string("a\0b\0\0\0\xFF\xFE", 8),      // the mark in the wrong byte order
      std::string("a\0\0\0b\0\0\0\xFE\xFF", 10), // a zero unit inside the text
      std::string("a\0b\0c\0\xFE\xFF", 8),       // no 16-bit zero before the mark
      std::string("a\0\xFE\xFF", 4),             // too short
  };
  for (const std::string& s : notPacked) {
    EXPECT_FALSE(UnpackWideHint(s)) << s.size();
  }
  EXPECT_EQ(NarrowHint(std::string("ab\0cd", 5)), "ab");
}
