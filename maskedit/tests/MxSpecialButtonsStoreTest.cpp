// Custom buttons in stored layouts: every item property written and read back unchanged,
// the older CtlXP name, the glyph's stored form, bad stored values, and Assign.
#include "maskedit/look/MxSpecialButtonsStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void ExpectSameItem(const TMxSpecialButton& a, const TMxSpecialButton& b, int index) {
  SCOPED_TRACE("item " + std::to_string(index));
  EXPECT_EQ(a.GetCaption(), b.GetCaption());
  EXPECT_EQ(a.GetHint(), b.GetHint());
  EXPECT_EQ(a.GetGlyph(), b.GetGlyph());
  EXPECT_EQ(a.GetEnabled(), b.GetEnabled());
  EXPECT_EQ(a.GetCursor(), b.GetCursor());
  EXPECT_EQ(a.GetLayout(), b.GetLayout());
  EXPECT_EQ(a.GetFont(), b.GetFont());
  EXPECT_EQ(a.GetParentFont(), b.GetParentFont());
  EXPECT_EQ(a.FontFX().Style(), b.FontFX().Style());
  EXPECT_EQ(a.FontFX().LightDepth(), b.FontFX().LightDepth());
  EXPECT_EQ(a.FontFX().ShadowDepth(), b.FontFX().ShadowDepth());
  EXPECT_EQ(a.FontFX().LightColor(), b.FontFX().LightColor());
  EXPECT_EQ(a.FontFX().ShadowColor(), b.FontFX().ShadowColor());
  EXPECT_EQ(a.FontFX().Orientation(), b.FontFX().Orientation());
  EXPECT_EQ(a.FontFX().DisabledStyle(), b.FontFX().DisabledStyle());
  EXPECT_EQ(a.FontFX().Tracing(), b.FontFX().Tracing());
  EXPECT_EQ(a.GetGroupIndex(), b.GetGroupIndex());
  EXPECT_EQ(a.GetAllowAllUp(), b.GetAllowAllUp());
  EXPECT_EQ(a.ThemeMode, b.ThemeMode);
  EXPECT_EQ(a.OnClickName, b.OnClickName);
  EXPECT_EQ(static_cast<bool>(a.OnClick), static_cast<bool>(b.OnClick));
}

TMxGlyph Checker(int w, int h, std::uint32_t ink) {
  TMxGlyph g;
  g.Width = w;
  g.Height = h;
  for (int i = 0; i < w * h; ++i) {
    g.Pixels.push_back((i + i / w) % 2 ? ink : 0xFF000000 | kMxGlyphKeyColor);
  }
  return g;
}

// Three items: every property away from its default; all defaults; other values, with a
// caption that needs escapes and a font set but then given back to the edit.
void FillSource(TMxSpecialButtons& buttons, const TMxButtonHandlerLookup& lookup) {
  TMxSpecialButton& a = buttons.Add();
  a.SetCaption("Cari");
  a.SetHint("Cari data|Mencari data");
  a.SetGlyph(Checker(5, 3, 0xFF123456));
  a.SetEnabled(false);
  a.SetCursor(crHandPoint);
  a.SetLayout(blGlyphBottom);
  a.SetFont({"Arial", -15, 5, 0x00C08000, 0});
  a.FontFX().SetStyle(tdRaisedShadow);
  a.FontFX().SetLightDepth(3);
  a.FontFX().SetShadowDepth(250);
  a.FontFX().SetLightColor(0x00FFEEDD);
  a.FontFX().SetShadowColor(0xFF000015);
  a.FontFX().SetOrientation(toBottomRight);
  a.FontFX().SetDisabledStyle(ds3d);
  a.FontFX().SetTracing(-7);
  a.SetGroupIndex(-2147483647 - 1);
  a.SetAllowAllUp(true);
  a.ThemeMode = TMxThemeMode::ttmNative;
  a.OnClick = lookup("btCariClick");
  a.OnClickName = "btCariClick";
  buttons.Add();
  TMxSpecialButton& c = buttons.Add();
  c.SetCaption("a\"b\\c\x01\xA4\n");
  c.SetGlyph(Checker(1, 1, 0x80FFFFFF));
  c.SetCursor(crDefault);
  c.SetLayout(blGlyphRight);
  c.SetFont({"Courier New", 20, 15, 0xFF000008, 178});
  c.SetParentFont(true);
  c.FontFX().SetStyle(tdPColorRaised);
  c.SetGroupIndex(2147483647);
  c.ThemeMode = TMxThemeMode::ttmPlatform;
}

TEST(CustomButtonsStore, EveryItemPropertyComesBackFromTheLayout) {
  std::vector<std::string> called;
  const TMxButtonHandlerLookup lookup =
      [&](const std::string& name) -> TMxSpecialButton::TMxOnCustomBtnClick {
    if (name != "btCariClick") {
      return nullptr;
    }
    return [&called, name](TMxSpecialButton*, int index) { called.push_back(name + std::to_string(index)); };
  };
  TMxSpecialButtons source;
  FillSource(source, lookup);
  const std::string stored = "TMxMaskEdit Edit1 {\n  CustomButtons = " + MxSpecialButtonsLayoutValue(source) +
                             "\n  CustomButtonWidth = 16\n}\n";
  const TLayoutReadResult layout = ReadLayout(stored);
  ASSERT_TRUE(layout.Ok()) << layout.Error.ToString() << "\n" << stored;
  ASSERT_EQ(layout.Root->Properties.size(), 2u);
  ASSERT_EQ(layout.Root->Properties[0].Value.Elements.size(), 3u);
  // Every property of the first item is stored.
  EXPECT_EQ(layout.Root->Properties[0].Value.Elements[0].Properties.size(), 24u) << stored;

  TMxSpecialButtons read;
  read.Add(); // replaced by what is stored
  const TPropertyResult r = MxReadSpecialButtons(read, layout.Root->Properties[0].Value, lookup);
  ASSERT_EQ(r.Code, TPropertyResult::TCode::Ok) << r.Message;
  ASSERT_EQ(read.Count(), source.Count());
  for (int i = 0; i < read.Count(); ++i) {
    ExpectSameItem(read.Item(i), source.Item(i), i);
  }
  // The handler read is the named one, and writing again gives the same text.
  read.ButtonClicked(read.Item(0));
  EXPECT_EQ(called, std::vector<std::string>{"btCariClick0"});
  EXPECT_EQ(MxSpecialButtonsLayoutValue(read), MxSpecialButtonsLayoutValue(source));
}

TEST(CustomButtonsStore, OlderCtlXPSetsTheThemeModeWhenItDiffers) {
  const struct {
    TMxThemeMode before;
    const char* stored;
    TMxThemeMode after;
  } rows[] = {
      {TMxThemeMode::ttmNone, "true", TMxThemeMode::ttmPlatform},
      {TMxThemeMode::ttmPlatform, "true", TMxThemeMode::ttmPlatform},
      {TMxThemeMode::ttmNative, "true", TMxThemeMode::ttmPlatform},
      {TMxThemeMode::ttmPlatform, "false", TMxThemeMode::ttmNone},
      {TMxThemeMode::ttmNone, "false", TMxThemeMode::ttmNone},
  };
  for (const auto& row : rows) {
    TMxSpecialButtons buttons;
    TMxSpecialButton& item = buttons.Add();
    item.ThemeMode = row.before;
    const TPropertyResult r =
        MxReadSpecialButtonProperty(item, "CtlXP", TLayoutValue::MakeIdentifier(row.stored), nullptr);
    EXPECT_EQ(r.Code, TPropertyResult::TCode::Ok);
    EXPECT_EQ(item.ThemeMode, row.after) << row.stored;
  }
}

TEST(CustomButtonsStore, BadStoredValuesNameTheItemAndLine) {
  const struct {
    const char* items;
    const char* messagePart;
  } rows[] = {
      {"item { }\n item { Width = 3 }", "item 1 (line 3) has no property 'Width'"},
      {"item { Glyph = \"65x1:\" }", "at most 64 pixels"},
      {"item { Glyph = \"2x1:FF000000\" }", "needs 16 hexadecimal digits"},
      {"item { Glyph = \"1x1:FF00000G\" }", "hexadecimal digits only"},
      {"item { Glyph = \"0x1:\" }", "a glyph"},
      {"item { Glyph = \"1y1:FF000000\" }", "a glyph"},
      {"item { Glyph = 5 }", "a glyph string"},
      {"item { Cursor = crSpinning }", "a cursor name"},
      {"item { OnClick = nobody }", "no handler named nobody"},
      {"item { Layout = blGlyphAbove }", "blGlyphLeft"},
      {"item { Font.Height = 5000 }", "item 0 (line 2), Font.Height"},
      {"item { FontFX.ShadowDepth = 256 }", "0 to 255"},
      {"item { FontFX.Style = 3 }", "tdNone"},
      {"item { ParentFont = yes }", "true or false"},
  };
  for (const auto& row : rows) {
    const std::string text = std::string("T E {\n B = < ") + row.items + " >\n}";
    const TLayoutReadResult layout = ReadLayout(text);
    ASSERT_TRUE(layout.Ok()) << layout.Error.ToString();
    TMxSpecialButtons buttons;
    const TPropertyResult r = MxReadSpecialButtons(buttons, layout.Root->Properties[0].Value, nullptr);
    EXPECT_EQ(r.Code, TPropertyResult::TCode::BadValue) << row.items;
    EXPECT_NE(r.Message.find(row.messagePart), std::string::npos) << row.items << " -> " << r.Message;
  }
  TMxSpecialButtons buttons;
  EXPECT_EQ(MxReadSpecialButtons(buttons, TLayoutValue::MakeInteger(1), nullptr).Code,
            TPropertyResult::TCode::BadValue);
}

TEST(CustomButtonsStore, GlyphTextRoundTripsAndStaysWithinItsLimits) {
  for (const TMxGlyph& g :
       {TMxGlyph{}, Checker(1, 1, 0), Checker(64, 64, 0xFFFFFFFF), Checker(7, 2, 0x01020304)}) {
    TMxGlyph back = Checker(2, 2, 5);
    std::string error;
    ASSERT_TRUE(MxGlyphFromText(MxGlyphToText(g), back, error)) << error;
    EXPECT_EQ(back, g);
  }
  TMxGlyph kept = Checker(2, 2, 5);
  std::string error;
  EXPECT_FALSE(MxGlyphFromText("4x4:" + std::string(128, 'F'), kept, error, TMxGlyphLimits{3}));
  EXPECT_FALSE(MxGlyphFromText("99999999999x1:", kept, error));
  EXPECT_FALSE(MxGlyphFromText("-1x1:", kept, error));
  EXPECT_EQ(kept, Checker(2, 2, 5)); // a failed read leaves the glyph alone
}

TEST(CustomButtonsStore, AssignCopiesEveryItemPropertyInOneChange) {
  const TMxButtonHandlerLookup lookup = [](const std::string&) { return [](TMxSpecialButton*, int) {}; };
  TMxSpecialButtons source;
  FillSource(source, lookup);
  TMxSpecialButtons target;
  for (int i = 0; i < source.Count(); ++i) {
    target.Add();
  }
  int changes = 0;
  target.OnChange = [&](TMxSpecialButtons*) { ++changes; };
  for (int i = 0; i < source.Count(); ++i) {
    target.Item(i).Assign(source.Item(i));
    ExpectSameItem(target.Item(i), source.Item(i), i);
  }
  EXPECT_EQ(changes, source.Count());
}

} // namespace
