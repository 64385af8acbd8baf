#include "framework/Font.h"

#include <gtest/gtest.h>

TEST(Font, ColoursReadFromIdentifiersAndNumbers) {
  struct {
    TLayoutValue Value;
    std::optional<TColor> Color;
  } cases[] = {
      {TLayoutValue::MakeIdentifier("clBtnFace"), 0xFF00000F},
      {TLayoutValue::MakeIdentifier("clRed"), 0x0000FF},
      {TLayoutValue::MakeIdentifier("clPurple"), 0x800080},
      {TLayoutValue::MakeIdentifier("clhighlighttext"), 0xFF00000E},
      {TLayoutValue::MakeIdentifier("clPurplish"), std::nullopt},
      {TLayoutValue::MakeInteger(0xC08000), 0xC08000},
      {TLayoutValue::MakeInteger(-1), 0xFFFFFFFF}, // the signed form of a stored colour
      {TLayoutValue::MakeInteger(0x100000000), std::nullopt},
      {TLayoutValue::MakeInteger(-0x80000001LL), std::nullopt},
      {TLayoutValue::MakeString("clRed"), std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LayoutColor(c.Value), c.Color) << c.Value.Text << c.Value.Integer;
  }
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_EQ(SystemColorIndex(clBtnShadow), 0x10);
  EXPECT_FALSE(IsSystemColor(RGBColor(255, 251, 240)));
  EXPECT_EQ(RGBColor(255, 251, 240), 0xF0FBFFu);
}

TEST(Font, StoredPartsApplyAndBadOnesAreRefused) {
  TFontData font;
  EXPECT_EQ(ReadFontProperty(font, "Name", TLayoutValue::MakeString("Arial")).Code,
            TPropertyResult::TCode::Ok);
  EXPECT_EQ(ReadFontProperty(font, "Height", TLayoutValue::MakeInteger(-13)).Code,
            TPropertyResult::TCode::Ok);
  EXPECT_EQ(ReadFontProperty(font, "Style", TLayoutValue::MakeSet({"fsBold", "fsUnderline"})).Code,
            TPropertyResult::TCode::Ok);
  EXPECT_EQ(ReadFontProperty(font, "Color", TLayoutValue::MakeIdentifier("clRed")).Code,
            TPropertyResult::TCode::Ok);
  EXPECT_EQ(ReadFontProperty(font, "Charset", TLayoutValue::MakeInteger(0)).Code, TPropertyResult::TCode::Ok);
  TFontData expected{"Arial", -13, 1 | 4, clRed, 0};
  EXPECT_EQ(font, expected);
  EXPECT_TRUE(font.Bold());

  const std::pair<const char*, TLayoutValue> bad[] = {
      {"Name", TLayoutValue::MakeString("")},
      {"Name", TLayoutValue::MakeString(std::string(32, 'x'))}, // longer than a face name can be
      {"Height", TLayoutValue::MakeInteger(100000)},
      {"Height", TLayoutValue::MakeString("-11")},
      {"Style", TLayoutValue::MakeIdentifier("fsBold")},
      {"Charset", TLayoutValue::MakeInteger(256)},
      {"Color", TLayoutValue::MakeIdentifier("clNowhere")},
  };
  for (const auto& [name, value] : bad) {
    EXPECT_EQ(ReadFontProperty(font, name, value).Code, TPropertyResult::TCode::BadValue) << name;
  }
  EXPECT_EQ(font, expected); // refused values change nothing
  EXPECT_EQ(ReadFontProperty(font, "Size", TLayoutValue::MakeInteger(8)).Code,
            TPropertyResult::TCode::Unknown);
}
