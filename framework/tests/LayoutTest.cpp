#include "framework/Layout.h"

#include <gtest/gtest.h>

namespace {

TEST(Layout, ReadsComponentsPropertiesAndValuesInStoredOrder) {
  const char* text = R"(# a form
TForm1 Form1 {
  Caption = " Tabira" " 1.0"   # adjacent strings join
  Left = -549
  Color = 0xFF00000F
  Font.Style = [fsBold, fsItalic]
  Empty = []
  Visible = true
  Hint = "a\"b\\c\xA4"
    "d"
  TLabel L1 {
    Caption = "x"
  }
  TGroupBox G {
    TButton B { }
  }
}
)";
  TLayoutReadResult r = ReadLayout(text);
  ASSERT_TRUE(r.Ok()) << r.Error.ToString();
  const TLayoutNode& root = *r.Root;
  EXPECT_EQ(root.ClassName, "TForm1");
  EXPECT_EQ(root.Name, "Form1");
  ASSERT_EQ(root.Properties.size(), 7u);
  EXPECT_EQ(root.Properties[0].Name, "Caption");
  EXPECT_EQ(root.Properties[0].Value, TLayoutValue::MakeString(" Tabira 1.0"));
  EXPECT_EQ(root.Properties[0].Line, 3);
  EXPECT_EQ(root.Properties[1].Value, TLayoutValue::MakeInteger(-549));
  EXPECT_EQ(root.Properties[2].Value, TLayoutValue::MakeInteger(0xFF00000F));
  EXPECT_EQ(root.Properties[3].Name, "Font.Style");
  EXPECT_EQ(root.Properties[3].Value, TLayoutValue::MakeSet({"fsBold", "fsItalic"}));
  EXPECT_EQ(root.Properties[4].Value, TLayoutValue::MakeSet({}));
  EXPECT_EQ(root.Properties[5].Value, TLayoutValue::MakeIdentifier("true"));
  EXPECT_EQ(root.Properties[6].Value, TLayoutValue::MakeString("a\"b\\c\xA4"
                                                               "d"));
  ASSERT_EQ(root.Children.size(), 2u);
  EXPECT_EQ(root.Children[0].Name, "L1");
  EXPECT_EQ(root.Children[0].Line, 11);
  ASSERT_EQ(root.Children[1].Children.size(), 1u);
  EXPECT_EQ(root.Children[1].Children[0].ClassName, "TButton");
}

TEST(Layout, ReadsCollectionsOfItemsWithTheirProperties) {
  const char* text = R"(TEdit E {
  Buttons = <
    item {
      Caption = "a"   # a comment
      Font.Style = [fsBold]
    }
    item { }
    item { Width = 3 }
  >
  Empty = <>
  After = 1
}
)";
  TLayoutReadResult r = ReadLayout(text);
  ASSERT_TRUE(r.Ok()) << r.Error.ToString();
  const std::vector<TLayoutProperty>& p = r.Root->Properties;
  ASSERT_EQ(p.size(), 3u);
  ASSERT_EQ(p[0].Value.Kind, TLayoutValue::TKind::Collection);
  const std::vector<TLayoutItem>& items = p[0].Value.Elements;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Line, 3);
  EXPECT_EQ(items[0].Properties,
            (std::vector<TLayoutProperty>{{"Caption", TLayoutValue::MakeString("a"), 4},
                                          {"Font.Style", TLayoutValue::MakeSet({"fsBold"}), 5}}));
  EXPECT_TRUE(items[1].Properties.empty());
  EXPECT_EQ(items[2].Properties, (std::vector<TLayoutProperty>{{"Width", TLayoutValue::MakeInteger(3), 8}}));
  EXPECT_EQ(p[1].Value, TLayoutValue::MakeCollection({}));
  EXPECT_EQ(p[2].Value, TLayoutValue::MakeInteger(1));
}

TEST(Layout, IntegersCoverTheSigned64BitRangeExactly) {
  auto value = [](const std::string& v) { return ReadLayout("T a {\n X = " + v + "\n}"); };
  EXPECT_EQ(value("9223372036854775807").Root->Properties[0].Value.Integer, INT64_MAX);
  EXPECT_EQ(value("-9223372036854775808").Root->Properties[0].Value.Integer, INT64_MIN);
  EXPECT_FALSE(value("9223372036854775808").Ok());
  EXPECT_FALSE(value("-9223372036854775809").Ok());
  EXPECT_FALSE(value("0x10000000000000000").Ok());
}

TEST(Layout, DecimalNumbersWithAFractionAreFloats) {
  auto value = [](const std::string& v) { return ReadLayout("T a {\n X = " + v + "\n}"); };
  struct Case {
    const char* Text;
    TLayoutValue Want;
  };
  for (const Case& c :
       {Case{"1234.25", TLayoutValue::MakeFloat(1234.25)}, Case{"-0.5", TLayoutValue::MakeFloat(-0.5)},
        Case{"12", TLayoutValue::MakeInteger(12)}}) {
    const auto r = value(c.Text);
    ASSERT_TRUE(r.Ok()) << c.Text;
    EXPECT_EQ(r.Root->Properties[0].Value, c.Want) << c.Text;
  }
  for (const char* bad : {"1.5x", "0x1.5", "1.2.3"}) {
    EXPECT_FALSE(value(bad).Ok()) << bad;
  }
}

struct TBadCase {
  const char* Text;
  int Line;
  const char* MessagePart;
};

TEST(Layout, RejectsMalformedTextWithLineAndReason) {
  const TBadCase cases[] = {
      {"", 1, "empty"},
      {"   # only a comment\n", 2, "empty"},
      {"TForm F", 1, "'{'"},
      {"TForm F {", 1, "missing '}'"},
      {"TForm F {\n  X = 1\n", 3, "missing '}'"},
      {"TForm F { }\nTForm G { }", 2, "after the root"},
      {"TForm F {\n  X = \"abc\n}", 2, "unterminated"},
      {"TForm F {\n  X = \"a\\q\"\n}", 2, "escape"},
      {"TForm F {\n  X = \"\\x4\"\n}", 2, "hex"},
      {"TForm F {\n  X = 12ab\n}", 2, "number"},
      {"TForm F {\n  X = -\n}", 2, "digits"},
      {"TForm F {\n  X = [a b]\n}", 2, "','"},
      {"TForm F {\n  X = [a,\n}", 2, "set item"},
      {"TForm F {\n  X = 1\n  X = 2\n}", 3, "twice"},
      {"TForm F {\n  X = 1 2\n}", 2, "end of the line"},
      {"TForm F {\n  X.Y { }\n}", 2, "'='"},
      {"TForm F {\n  = 1\n}", 2, "property name"},
      {"TForm F {\n  X = @\n}", 2, "value"},
      {"1Form F { }", 1, "class name"},
      {"TForm F {\n  X = <\n", 3, "missing '>'"},
      {"TForm F {\n  X = <\n  thing { }\n>\n}", 3, "'item'"},
      {"TForm F {\n  X = < item\n", 2, "'{' after 'item'"},
      {"TForm F {\n  X = < item {\n  A = 1\n", 4, "missing '}' for a collection item"},
      {"TForm F {\n  X = < item {\n A = 1\n A = 2 } >\n}", 4, "twice"},
      {"TForm F {\n  X = < item {\n A = < > } >\n}", 3, "no collection"},
      {"TForm F {\n  X = < item {\n T L { } } >\n}", 3, "'='"},
  };
  for (const TBadCase& c : cases) {
    TLayoutReadResult r = ReadLayout(c.Text);
    ASSERT_FALSE(r.Ok()) << c.Text;
    EXPECT_EQ(r.Error.Line, c.Line) << c.Text << " -> " << r.Error.ToString();
    EXPECT_NE(r.Error.Message.find(c.MessagePart), std::string::npos)
        << c.Text << " -> " << r.Error.ToString();
  }
}

TEST(Layout, EnforcesItsLimits) {
  TLayoutLimits limits;
  limits.MaxDepth = 3;
  limits.MaxComponents = 4;
  limits.MaxStringBytes = 4;
  limits.MaxInputBytes = 200;
  limits.MaxSetItems = 2;
  EXPECT_TRUE(ReadLayout("A a { B b { C c { } } }", limits).Ok());
  EXPECT_NE(ReadLayout("A a { B b { C c { D d { } } } }", limits).Error.Message.find("deeply"),
            std::string::npos);
  EXPECT_NE(ReadLayout("A a { B b { } C c { } D d { } E e { } }", limits).Error.Message.find("too many"),
            std::string::npos);
  EXPECT_TRUE(ReadLayout("A a {\n X = \"abcd\"\n}", limits).Ok());
  EXPECT_NE(ReadLayout("A a {\n X = \"ab\" \"cde\"\n}", limits).Error.Message.find("too long"),
            std::string::npos);
  // Collection items count as components.
  EXPECT_TRUE(ReadLayout("A a {\n X = < item { } item { } item { } >\n}", limits).Ok());
  EXPECT_NE(ReadLayout("A a {\n X = < item { } item { } item { } item { } >\n}", limits)
                .Error.Message.find("too many"),
            std::string::npos);
  EXPECT_NE(ReadLayout("A a {\n X = [p, q, r]\n}", limits).Error.Message.find("too many"), std::string::npos);
  EXPECT_NE(ReadLayout(std::string(201, ' '), limits).Error.Message.find("too large"), std::string::npos);
  // Deep nesting far past the limit fails cleanly instead of exhausting the stack.
  std::string deep;
  for (int i = 0; i < 100000; ++i) {
    deep += "A a { ";
  }
  EXPECT_FALSE(ReadLayout(deep).Ok());
}

} // namespace
