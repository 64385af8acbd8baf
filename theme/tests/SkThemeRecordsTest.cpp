// The theme records: their stored forms round trip, and hostile stored data fails cleanly,
// leaving the record as it was.
#include "theme/SkTheme.h"
#include "theme/records/SkColorText.h"
#include "theme/records/SkThemeEntries.h"

#include <gtest/gtest.h>

#include <functional>

TEST(SkColorText, WritesNamesOrEightHexDigitsAndReadsBothForms) {
  struct Case {
    TColor Value;
    const char* Text;
  } cases[] = {{0xFF00000F, "clBtnFace"}, {0x000000, "clBlack"},     {0x9CDEF7, "$009CDEF7"},
               {0xFF000099, "$FF000099"}, {0x20000000, "clDefault"}, {0x1FFFFFFF, "clNone"}};
  for (const Case& c : cases) {
    EXPECT_EQ(SkColorToText(c.Value), c.Text);
    EXPECT_EQ(SkTextToColor(c.Text), c.Value) << c.Text;
  }
  EXPECT_EQ(SkTextToColor("clbtnface"), 0xFF00000Fu);
  EXPECT_EQ(SkTextToColor("$ff"), 0xFFu);
  EXPECT_EQ(SkTextToColor("255"), 0xFFu);
  EXPECT_EQ(SkTextToColor("-1"), 0xFFFFFFFFu);
  for (const char* bad : {"", "$", "$123456789", "clNoSuchColour", "12a", "$12 ", "99999999999"}) {
    EXPECT_FALSE(SkTextToColor(bad).has_value()) << bad;
  }
}

TEST(SkFontDesc, TextFormReadsStylesAndRejectsNonNumbers) {
  const TskFontDesc base;
  const auto italic = SkTextToFont("Tahoma,8,1,0,0,128,italic", base);
  ASSERT_TRUE(italic);
  EXPECT_EQ(italic->Name, "Tahoma");
  EXPECT_EQ(italic->Size, 8);
  EXPECT_EQ(italic->Color, 0x800000u); // navy
  EXPECT_EQ(italic->Style, fsItalic);

  TskFontDesc styled{"Arial", 12, 1, 0x123456, fsBold | fsUnderline | fsStrikeOut};
  EXPECT_EQ(SkFontToText(styled), "Arial,12,1,86,52,18,bold,underline,strikeout");
  EXPECT_EQ(SkTextToFont(SkFontToText(styled), base), styled);

  const auto clamped = SkTextToFont(" Tahoma , 9 ; 0 , 300 -5 7", base);
  ASSERT_TRUE(clamped);
  EXPECT_EQ(clamped->Name, "Tahoma");
  EXPECT_EQ(clamped->Color, 0x0700FFu); // 300 -> 255, -5 -> 0
  for (const char* bad : {"Tahoma,x,1,0,0,0", "Tahoma,8,1,0,zero,0", "Tahoma,8,1,0,0", "Tahoma", "",
                          "Tahoma,99999999999999999999,1,0,0,0"}) {
    EXPECT_FALSE(SkTextToFont(bad, base).has_value()) << bad;
  }
}

namespace {

// A theme whose records all hold non-default values, written out.
std::vector<std::uint8_t> StoredRecords(TskTheme& theme) {
  TskByteWriter out;
  theme.SaveRecordsToStream(out);
  return out.Bytes();
}

} // namespace

TEST(TskThemeRecords, StoredFormsRoundTrip) {
  TskTheme source;
  source.ApplyDefaults();
  source.Colors().SetColor(kcBorder, 0x123456);
  source.SysColors().Store(0xFF00000F, 0x010203);
  source.Fonts().Font(kfCaptionTextNormal) = {"Verdana", 11, 1, 0x0000FF, fsBold | fsItalic};
  source.Options().SetOption(1, true);
  const auto bytes = StoredRecords(source);

  TskTheme target;
  TskByteReader in(bytes);
  ASSERT_TRUE(target.LoadRecordsFromStream(in));
  EXPECT_EQ(in.Remaining(), 0u);
  for (std::size_t i = 0; i < kSkThemeColorCount; ++i) {
    EXPECT_EQ(target.Colors().Color(i), source.Colors().Color(i));
  }
  for (std::size_t i = 0; i < kSkThemeSysColorCount; ++i) {
    EXPECT_EQ(target.SysColors().Row(i), source.SysColors().Row(i));
  }
  for (std::size_t i = 0; i < kSkThemeFontCount; ++i) {
    TskFontDesc expected = source.Fonts().Font(i);
    expected.Color = ResolveColor(expected.Color, TskTheme::SysColorSource());
    EXPECT_EQ(target.Fonts().Font(i), expected) << i;
  }
  EXPECT_FALSE(target.Options().Option(0));
  EXPECT_TRUE(target.Options().Option(1));
}

TEST(TskThemeRecords, EveryTruncationFailsAndLeavesTheThemeAsItWas) {
  TskTheme source;
  source.ApplyDefaults();
  source.Colors().SetColor(kcBorder, 0x123456);
  const auto bytes = StoredRecords(source);
  TskTheme target;
  target.ApplyDefaults();
  const auto before = StoredRecords(target);
  for (std::size_t n = 0; n < bytes.size(); n += 7) {
    TskByteReader in(std::span(bytes.data(), n));
    EXPECT_FALSE(target.LoadRecordsFromStream(in)) << n;
  }
  EXPECT_EQ(StoredRecords(target), before);
}

TEST(TskThemeRecords, HostileCountsAndLengthsFail) {
  auto entry = [](TskByteWriter& w, const std::string& value) { SkWriteThemeEntry(w, "x", value); };
  struct Case {
    const char* What;
    std::function<bool(TskByteReader&)> Read;
    std::function<void(TskByteWriter&)> Write;
  };
  TskThemeColors colors;
  TskThemeSysColors sys;
  TskThemeFonts fonts;
  TskThemeOptions options;
  colors.SetColor(0, 0x42);
  const Case cases[] = {
      {"23 colours", [&](TskByteReader& r) { return colors.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t n = 22;
         w.WriteBytes(&n, 1);
         for (int i = 0; i < 23; ++i) {
           entry(w, "clRed");
         }
       }},
      {"colour text", [&](TskByteReader& r) { return colors.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t n = 0;
         w.WriteBytes(&n, 1);
         entry(w, "notacolour");
       }},
      {"27 system colours", [&](TskByteReader& r) { return sys.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         w.WriteInt32(27);
         for (int i = 0; i < 27; ++i) {
           entry(w, "clRed");
         }
       }},
      {"negative system count", [&](TskByteReader& r) { return sys.LoadFromStream(r); },
       [&](TskByteWriter& w) { w.WriteInt32(-1); }},
      {"67 fonts", [&](TskByteReader& r) { return fonts.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t n = 66;
         w.WriteBytes(&n, 1);
         for (int i = 0; i < 67; ++i) {
           entry(w, "Tahoma,8,1,0,0,0");
         }
       }},
      {"font size", [&](TskByteReader& r) { return fonts.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t n = 0;
         w.WriteBytes(&n, 1);
         entry(w, "Tahoma,big,1,0,0,0");
       }},
      {"3 options", [&](TskByteReader& r) { return options.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t b[] = {2, 1, 1, 1};
         w.WriteBytes(b, sizeof b);
       }},
      {"string longer than the bytes left", [&](TskByteReader& r) { return colors.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t n = 0;
         w.WriteBytes(&n, 1);
         w.WriteInt32(1000);
         w.WriteBytes("abc", 3);
       }},
      {"negative string length", [&](TskByteReader& r) { return colors.LoadFromStream(r); },
       [&](TskByteWriter& w) {
         const std::uint8_t n = 0;
         w.WriteBytes(&n, 1);
         w.WriteInt32(-4);
       }},
  };
  for (const Case& c : cases) {
    TskByteWriter w;
    c.Write(w);
    TskByteReader r(w.Bytes());
    EXPECT_FALSE(c.Read(r)) << c.What;
  }
  EXPECT_EQ(colors.Color(0), 0x42u);
  EXPECT_FALSE(options.Option(0));
  EXPECT_EQ(fonts.Font(0).Size, 8);
}

TEST(TskThemeSysColors, LookupFindsTheFirstRowAndIgnoresUnknownValues) {
  TskThemeSysColors sys(nullptr, &SkClassicSysColor);
  EXPECT_EQ(sys.Lookup(0xFF00000F), SkClassicSysColor(15));
  EXPECT_EQ(sys.Lookup(0xFF000008), kSkNoColor); // clWindowText takes no part
  EXPECT_EQ(sys.Lookup(0x123456), kSkNoColor);
  sys.Store(0xFF000002, 0xABCDEF);
  EXPECT_EQ(sys.Row(1), 0xABCDEFu);
  EXPECT_EQ(sys.Row(10), SkClassicSysColor(2)); // the repeated row is never found
  sys.Store(0xFF000008, 0x111111);
  for (std::size_t i = 0; i < kSkThemeSysColorCount; ++i) {
    EXPECT_NE(sys.Row(i), 0x111111u);
  }
}

namespace {
// A theme that shows buttons named "bold" in bold.
class TBoldButtonsTheme : public TskTheme {
public:
  void AssignThemeFont(TskFontDesc& font, std::size_t index, TName objectName) override {
    TskTheme::AssignThemeFont(font, index, objectName);
    if (objectName == "bold") {
      font.Style |= fsBold;
    }
  }
};
} // namespace

TEST(TskThemeFonts, FontsForObjectNamesAreAdjustedCopies) {
  auto theme = SkMakeTheme<TBoldButtonsTheme>();
  TskThemeFonts& fonts = theme->Fonts();
  EXPECT_EQ(&fonts.FontFor(kfButtonTextNormal, "default"), &fonts.Font(kfButtonTextNormal));
  const TskFontDesc& bold = fonts.FontFor(kfButtonTextNormal, "bold");
  EXPECT_NE(&bold, &fonts.Font(kfButtonTextNormal));
  EXPECT_EQ(bold.Style, fsBold);
  EXPECT_EQ(fonts.Font(kfButtonTextNormal).Style, 0);
  TskThemeFonts orphan; // without a theme every name gets the font itself
  EXPECT_EQ(&orphan.FontFor(3, "bold"), &orphan.Font(3));
}
