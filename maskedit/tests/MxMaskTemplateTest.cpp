#include "maskedit/engine/MxMaskTemplate.h"

#include <gtest/gtest.h>

namespace {
const IMxCharClass& Ascii() { return TMxAsciiCharClass::Instance(); }
} // namespace

TEST(MxMaskTemplate, TemplateAndLiterals) {
  TMxMaskTemplate m("!9!9\\-99");
  EXPECT_EQ(m.Length(), 5);
  EXPECT_EQ(m.EmptyMaskText('_'), "__-__");
  EXPECT_TRUE(m.IsRequiredAt(1));
  EXPECT_TRUE(m.IsRequiredAt(2));
  EXPECT_FALSE(m.IsRequiredAt(3));
  EXPECT_TRUE(m.IsLiteralAt(3));
  EXPECT_EQ(m.MaskLiteralAt(3), '-');
  EXPECT_EQ(m.MaskLiteralAt(9), ' ');
  EXPECT_EQ(TMxMaskTemplate("!\\x").IsRequiredAt(1), false); // "\" cancels "!"
  EXPECT_EQ(TMxMaskTemplate("").EmptyMaskText('_'), "");
}

TEST(MxMaskTemplate, RulesPerMaskCharacter) {
  struct Row {
    const char* mask;
    const char* accepted;
    const char* refused;
  } rows[] = {
      {"a", "az", "A1 "}, {"A", "AZ", "a1"},  {"b", "aZ", "1-"}, {"0", "09", "a "}, {"9", "19", "0a"},
      {"c", "a5Z", "- "}, {"v", "+-", "1a"},  {"1", "01", "2a"}, {"8", " 7", "a-"}, {"#", "+-0", "a "},
      {"*", "+-1", "0a"}, {"\\x", "x", "yX"}, {"9?", "5", "0"},  {"?", "", "a0 -"},
  };
  for (const Row& r : rows) {
    TMxMaskTemplate m(r.mask);
    const int p = m.Length();
    for (const char* c = r.accepted; *c; ++c) {
      EXPECT_TRUE(m.CharMatchesMask(p, *c, Ascii(), {})) << r.mask << " " << *c;
    }
    for (const char* c = r.refused; *c; ++c) {
      EXPECT_FALSE(m.CharMatchesMask(p, *c, Ascii(), {})) << r.mask << " " << *c;
    }
  }
  TMxMaskTemplate user("r");
  EXPECT_FALSE(user.CharMatchesMask(1, 'q', Ascii(), {}));
  int seenAt = 0;
  EXPECT_TRUE(user.CharMatchesMask(1, 'q', Ascii(), [&](bool& ok, char c, int at) {
    ok = c == 'q';
    seenAt = at;
  }));
  EXPECT_EQ(seenAt, 1);
}

TEST(MxMaskTemplate, TextChecks) {
  TMxMaskTemplate m("!9!9\\-99");
  EXPECT_TRUE(m.TextMatchesMask("12-34", '_', Ascii(), {}));
  EXPECT_TRUE(m.TextMatchesMask("1_-__", '_', Ascii(), {}));
  EXPECT_FALSE(m.TextMatchesMask("12-345", '_', Ascii(), {}));
  EXPECT_FALSE(m.TextMatchesMask("12x34", '_', Ascii(), {}));
  EXPECT_EQ(m.FirstMissingRequired("1_-__", Ascii(), {}), 2);
  EXPECT_EQ(m.FirstMissingRequired("12-__", Ascii(), {}), 0);
  EXPECT_EQ(m.FirstMissingRequired("__-__", Ascii(), {}), 1);
}
