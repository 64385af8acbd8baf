// Visual-style texts: name lists, description conversion, the image-name rule, the ini store,
// section property parsing and font values.
#include "visualstyles/VsDescription.h"
#include "visualstyles/VsSections.h"
#include "visualstyles/VsThemeMsStyles.h"
#include "visualstyles/tests/VsTestModule.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Utf16Raw(const std::u16string& s) {
  std::vector<std::uint8_t> out;
  for (char16_t c : s) {
    out.push_back(std::uint8_t(c));
    out.push_back(std::uint8_t(c >> 8));
  }
  return out;
}

TEST(VsDescription, NameLists) {
  struct TCase {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
    std::vector<std::string> Expected;
  };
  std::vector<std::uint8_t> odd = Utf16Raw(u"Blue");
  odd.push_back(0x41);
  const TCase cases[] = {
      {"two names and the terminator", Utf16Raw(std::u16string(u"Blue\0Olive\0\0", 12)), {"Blue", "Olive"}},
      {"terminator alone: empty list", Utf16Raw(std::u16string(u"\0", 1)), {}},
      {"no bytes: empty list", {}, {}},
      {"end of resource ends the list", Utf16Raw(u"Blue"), {"Blue"}},
      {"odd last byte ignored", odd, {"Blue"}},
      {"wide character narrowed", Utf16Raw(std::u16string(u"A\u0416B\0\0", 5)), {"A?B"}},
      {"names after the terminator unread", Utf16Raw(std::u16string(u"A\0\0B\0\0", 6)), {"A"}},
  };
  for (const TCase& c : cases) {
    TSfReader in(c.Bytes);
    std::vector<std::string> names;
    EXPECT_TRUE(VsParseNameList(in, names)) << c.Name;
    EXPECT_EQ(names, c.Expected) << c.Name;
  }
  TSfLimits tight;
  tight.MaxNames = 2;
  const std::vector<std::uint8_t> three = VsNameList({"a", "b", "c"});
  TSfReader in(three, tight);
  std::vector<std::string> names;
  EXPECT_FALSE(VsParseNameList(in, names));
  EXPECT_NE(in.Error().find("too many names"), std::string::npos);
}

TEST(VsDescription, DescriptionText) {
  struct TCase {
    std::string Text;
    bool Ok;
    std::string Expected;
  };
  for (const TCase& c :
       {TCase{"[A]\r\nx = 1\r\nABCD", true, "[A]\r\nx=1\r\n"}, TCase{"k = v = w....", true, "k=v=w"},
        TCase{"ABCD", false, ""}, TCase{"AB", false, ""}, TCase{"", false, ""}}) {
    const std::vector<std::uint8_t> bytes = VsUtf16(c.Text);
    TSfReader in(bytes);
    std::string out;
    EXPECT_EQ(VsDescriptionText(in, out), c.Ok) << c.Text;
    EXPECT_EQ(out, c.Expected) << c.Text;
  }
}

TEST(VsDescription, ImageResourceNames) {
  for (const auto& [in, out] : std::vector<std::pair<std::string, std::string>>{
           {"Blue\\Button.bmp", "BLUE_BUTTON_BMP"},
           {"blue_window_caption.bmp", "BLUE_WINDOW_CAPTION_BMP"},
           {"a.b", "A.B"},
           {" Img\\x.png ", "IMG_X.PNG"},
           {"x.Bm", "X_BM"},
       }) {
    EXPECT_EQ(VsImageResourceName(in), out) << in;
  }
}

TEST(VsDescription, IniStoreKeepsOrderAndIgnoresCase) {
  TvsIniStore ini;
  ASSERT_TRUE(ini.Parse("; comment\nstray=1\n[Window.Caption]\nImageFile=a.bmp\r\n  BgType = None  \n"
                        "[other]\nk=1\n[WINDOW.caption]\nimagefile=b.bmp\nSizingType=Stretch\nbroken line\n",
                        {}));
  ASSERT_EQ(ini.SectionCount(), 2u);
  const TvsIniSection* s = ini.FindSection("window.CAPTION");
  ASSERT_NE(s, nullptr);
  ASSERT_EQ(s->Values.size(), 3u);
  EXPECT_EQ(s->Values[0], (std::pair<std::string, std::string>{"ImageFile", "b.bmp"}));
  EXPECT_EQ(s->Values[1], (std::pair<std::string, std::string>{"BgType", "None"}));
  EXPECT_EQ(s->Values[2].first, "SizingType");
  EXPECT_EQ(ini.Value("Other", "K", "x"), "1");
  EXPECT_EQ(ini.Value("Other", "missing", "x"), "x");
  EXPECT_EQ(ini.Value("Nowhere", "k", "d"), "d");

  TSfLimits tight;
  tight.MaxSections = 2;
  std::string error;
  EXPECT_FALSE(ini.Parse("[a]\n[b]\n[c]\n", tight, &error));
  EXPECT_TRUE(ini.Empty());
  EXPECT_NE(error.find("too many sections"), std::string::npos);
}

TEST(VsDescription, SectionProperties) {
  struct TCase {
    const char* Key;
    const char* Value;
    std::function<bool(const TvsThemeObject&)> Check;
  };
  const TCase cases[] = {
      {"sizingmargins", "3, 4, 5, 6",
       [](auto& o) {
         return o.SizingMargins == TvsMargins{3, 4, 5, 6};
       }},
      {"sizingmargins", "3, x, 5, 6", [](auto& o) { return o.SizingMargins == TvsMargins{}; }},
      {"contentmargins", "1, 2, 3", [](auto& o) { return o.ContentMargins == TvsMargins{}; }},
      {"captionmargins", "-5, 2, 99999999, 4",
       [](auto& o) {
         return o.CaptionMargins == TvsMargins{0, 2, kVsMaxMargin, 4};
       }},
      {"fillcolor", "255 0", [](auto& o) { return o.FillColor == 0x0000FFu; }},
      {"textcolor", "300 -5 20", [](auto& o) { return o.TextColor == 0x1400FFu; }},
      {"bordercolor", "1, 2, 3", [](auto& o) { return o.BorderColor == 0x030201u; }},
      {"transparent", "Yes", [](auto& o) { return o.Transparent; }},
      {"transparent", "false", [](auto& o) { return !o.Transparent; }},
      {"bordersize", "2147483647", [](auto& o) { return o.BorderSize == kVsMaxBorderSize; }},
      {"bordersize", "-3", [](auto& o) { return o.BorderSize == 0; }},
      {"imagecount", "99999999999", [](auto& o) { return o.ImageCount == kVsMaxImageCount; }},
      {"imagecount", "junk", [](auto& o) { return o.ImageCount == 1; }},
      {"bgtype", "BorderFill", [](auto& o) { return o.BgType == vbBorderFill; }},
      {"bgtype", "other", [](auto& o) { return o.BgType == vbFill; }},
      {"imageselecttype", "DPI", [](auto& o) { return o.ImageSelectType == 1; }},
      {"imagelayout", "Vertical", [](auto& o) { return !o.HorizontalLayout; }},
      {"sizingtype", "TrueSize", [](auto& o) { return o.SizingType == vsTrueSize; }},
      {"sizingtype", "BorderStretchClientTile",
       [](auto& o) { return o.SizingType == vsBorderStretchClientTile; }},
      {"sizingtype", "unknown", [](auto& o) { return o.SizingType == vsTile; }},
      {"glyphtype", "ImageGlyph", [](auto& o) { return o.GlyphType == 1; }},
      {"contentalignment", "Right", [](auto& o) { return o.ContentAlignment == 2; }},
      {"textshadowtype", "Single", [](auto& o) { return o.TextShadowType == 1; }},
      {"textshadowoffset", "1 2",
       [](auto& o) {
         return o.TextShadowOffset == TskPoint{1, 2};
       }},
      {"imagefile", "missing.bmp", [](auto& o) { return o.BgType == vbImage && !o.Image.Valid(); }},
      {"UnknownKey", "v", [](auto& o) { return o.Prop("unknownkey") && *o.Prop("unknownkey") == "v"; }},
  };
  for (const TCase& c : cases) {
    TvsImageList images;
    TvsThemeObject o("s");
    o.SetProperty(c.Key, c.Value, images, nullptr);
    EXPECT_TRUE(c.Check(o)) << c.Key << " = " << c.Value;
  }
  // An image key sets the background type, so the order of the keys decides.
  TvsImageList images;
  TvsIniSection first{"s", {{"ImageFile", "a.bmp"}, {"BgType", "BorderFill"}}};
  TvsIniSection second{"s", {{"BgType", "BorderFill"}, {"ImageFile", "a.bmp"}}};
  TvsThemeObject a, b;
  a.LoadSection(&first, images, nullptr);
  b.LoadSection(&second, images, nullptr);
  EXPECT_EQ(a.BgType, vbBorderFill);
  EXPECT_EQ(b.BgType, vbImage);
}

TEST(VsDescription, FontValues) {
  struct TCase {
    const char* Value;
    bool Styles;
    std::string Face;
    std::int32_t Size;
    std::uint8_t Style;
  };
  for (const TCase& c :
       {TCase{"Tahoma,10", false, "Tahoma", 10, 0}, TCase{"Face, 10, Bold", false, "Face", 10, 0},
        TCase{"Face, 10, Bold", true, "Face", 10, fsBold},
        TCase{"Face, 9, Italic", true, "Face", 9, fsItalic},
        TCase{"Face, 9, x, y, z, w", true, "Face", 9, fsBold | fsItalic | fsUnderline | fsStrikeOut},
        TCase{"Segoe UI, big", false, "Segoe UI", 10, 0}, TCase{"Face, -4", true, "Face", 10, 0},
        TCase{"", true, "Tahoma", 10, 0}}) {
    const TskFontDesc f = VsParseFont(c.Value, 10, c.Styles, TskFontDesc{});
    EXPECT_EQ(f.Name, c.Face) << c.Value;
    EXPECT_EQ(f.Size, c.Size) << c.Value;
    EXPECT_EQ(f.Style, c.Style) << c.Value;
  }
}

} // namespace
