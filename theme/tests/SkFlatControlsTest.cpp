// The flat and Office XP themes' control elements drawn into pixels: geometry answers, the
// Office XP palette, fixed points of every family, and the guarantees every element keeps
// (inside its rectangle, nothing for empty or inverted rectangles, bars clamped to range).
#include "theme/SkBarGeometry.h"
#include "theme/SkBuiltInThemes.h"
#include "theme/SkPixelCanvas.h"
#include "theme/SkThemeEngine.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/officexp/SkOfficeXPTheme.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

constexpr TskColor kBack = 0xFF00FF00; // a colour no element uses
TskColor Px(TColor c) { return ColorToSkColor(c, 255, &SkClassicSysColor); }
constexpr TColor kFace = 0xFF00000F, kBorder = 0x8396A0, kHot = 0xE1EAEB, kPressed = 0x996633,
                 kWhite = 0xFFFFFF, kSelection = 0xB59285, kRed = 0x0000FF;
constexpr TskRect R = {10, 10, 50, 30};
const std::string kName = "default";

struct TPainted {
  TskPixels Pixels;
  std::unique_ptr<TskPixelCanvas> Canvas;
  TPainted(std::int32_t w = 60, std::int32_t h = 40) {
    Pixels.SetSize(w, h);
    Pixels.Fill(kBack);
    Canvas = std::make_unique<TskPixelCanvas>(Pixels, &SkClassicSysColor);
  }
  TskColor At(std::int32_t x, std::int32_t y) const { return Pixels.GetPixel(x, y); }
};

using TDraw = std::function<void(TskTheme&, ISkPaintCanvas&, const TskRect&)>;

// Every painting operation of the control families, drawn into a given rectangle.
struct TOp {
  const char* Name;
  TDraw Draw;
};
const TOp kOps[] = {
    {"Button", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintButton(0, c, kName, {r, 2}); }},
    {"SpinButton", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintButton(5, c, kName, {r, 2}); }},
    {"CheckBox", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintCheck(0, c, kName, {r, 12}); }},
    {"Radio", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintCheck(1, c, kName, {r, 0}); }},
    {"Splitter", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintSplitter(0, c, kName, r); }},
    {"ScrollArrow",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintScrollElement(0, c, kName, {r, 1, 1}); }},
    {"ScrollTrack",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintScrollTrack(0, c, kName, {r, 0, 0}); }},
    {"Progress", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintProgress(0, c, kName, {r, 2, 0}); }},
    {"Track", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTrack(0, c, kName, {r, 0, 0}); }},
    {"TrackThumb",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTrackThumb(0, c, kName, {r, 0, 1}); }},
    {"Header", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintHeader(0, c, kName, {r, 0, 0}); }},
    {"HeaderSection",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintHeaderSection(0, c, kName, {r, 0, 4}); }},
    {"Status", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintStatus(0, c, kName, {r, 0}); }},
    {"StatusGrip", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintStatusPanel(0, c, kName, {r, 3}); }},
    {"StatusPanel",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintStatusPanel(0, c, kName, {r, 0}); }},
    {"Edit", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintEdit(0, c, kName, {r, 0}); }},
    {"EditButton",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintEditButton(0, c, kName, {r, 2, 0}); }},
    {"GroupBox",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
       t.PaintGroupBox(0, c, kName, {r, OffsetRect(r, 5, -5), 0});
     }},
    {"EditBox", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintEditBox(0, c, kName, {r, 0}); }},
    {"Box", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintBox(0, c, kName, {r, 0}); }},
    {"ScrollBox", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintScrollBox(0, c, kName, r); }},
    {"RollPanel", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintRollPanel(0, c, kName, r); }},
    {"RollCaption",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintRollPanelCaption(0, c, kName, r); }},
    {"RollButton",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintRollPanelButton(0, c, kName, {r, 3, 1}); }},
    {"RollPart", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintRollPanelPart(0, c, kName, {r}); }},
    {"TabPane", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTabPane(0, c, kName, {r}); }},
    {"Tab", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTab(0, c, kName, {r, 1, 3}); }},
    {"TabScroll",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTabScrollButton(0, c, kName, {r, 4, 2}); }},
    {"List", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintList(0, c, kName, {r, 0}); }},
    {"ListItem", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintListItem(0, c, kName, {r, 2}); }},
    {"ListCheck",
     [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
       TskCheckInfo check;
       check.Rect = r;
       check.CheckKind = 1;
       t.PaintListItemCheck(0, c, kName, {r, 1}, check);
     }},
    {"Tree", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTree(0, c, kName, {r, 0}); }},
    {"TreeItem", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintTreeItem(0, c, kName, {r, 3}); }},
    {"Grid", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintGrid(0, c, kName, {r}); }},
    {"GridCell", [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintGridCell(0, c, kName, {r, 2, 0}); }},
};

} // namespace

TEST(TSkFlatControls, GeometryAndTransparencyAnswers) {
  auto flat = SkMakeTheme<TSkFlatTheme>();
  auto xp = SkMakeTheme<TSkOfficeXPTheme>();
  for (TSkFlatTheme* t : {flat.get(), static_cast<TSkFlatTheme*>(xp.get())}) {
    struct Case {
      const char* Name;
      TskRect Got, Want;
    } cases[] = {
        {"Status", t->StatusClientRect(0, R, kName), {15, 12, 45, 28}},
        {"Edit", t->EditClientRect(0, R, kName), {14, 14, 46, 26}},
        {"GroupBox", t->GroupBoxClientRect(0, {R, {}, 0}, kName), {16, 16, 44, 24}},
        {"EditBox", t->EditBoxClientRect(0, R, kName), R},
        {"Box", t->BoxClientRect(0, R, kName), {12, 12, 48, 28}},
        {"ScrollBox", t->ScrollBoxRect(0, R, kName), {12, 12, 48, 28}},
        {"RollPanel", t->RollPanelClientRect(0, R, kName), {12, 12, 48, 28}},
        {"Tab", t->TabClientRect(0, R, kName), R},
        {"List", t->ListClientRect(0, R, kName), {12, 12, 48, 28}},
        {"Tree", t->TreeClientRect(0, R, kName), {12, 12, 48, 28}},
        {"Grid", t->GridClientRect(0, R, kName), {12, 12, 48, 28}},
        {"Progress", t->ProgressClientRect(0, R, kName), R},
    };
    for (const Case& c : cases) {
      EXPECT_EQ(c.Got, c.Want) << t->BuildingName() << " " << c.Name;
    }
    EXPECT_EQ(t->CheckGlyphSize(0, kName), (TskPoint{13, 13}));
    const bool answers[] = {t->ButtonTransparent(0, kName), t->CheckTransparent(0, kName),
                            t->TrackTransparent(0, kName),  t->GroupBoxTransparent(0, kName),
                            !t->TabTransparent(0, kName),   !t->RollPanelTransparent(0, kName),
                            t->ScrollAvailable(0, kName),   !t->ScrollAvailable(1, kName),
                            t->ListAvailable(0, kName),     t->GridAvailable(0, kName)};
    for (std::size_t i = 0; i < std::size(answers); ++i) {
      EXPECT_TRUE(answers[i]) << t->BuildingName() << " answer " << i;
    }
  }
  EXPECT_TRUE(flat->WindowAvailable(0, kName));
  EXPECT_FALSE(xp->WindowAvailable(0, kName));
  EXPECT_FALSE(xp->MenuTransparent(1, kName));
  EXPECT_EQ(xp->MenuGutter, 21);
  EXPECT_EQ(flat->MenuGutter, 0);
}

TEST(TSkOfficeXPTheme, PaletteFontsAndRegistration) {
  auto xp = SkMakeTheme<TSkOfficeXPTheme>();
  EXPECT_EQ(xp->BuildingName(), "OfficeXP");
  EXPECT_TRUE(xp->ThemeConfig().BuiltIn);
  EXPECT_FALSE(xp->ThemeConfig().CanSave);
  struct Case {
    TskColorIndex Index;
    TColor Value;
  } colors[] = {{kcCaptionNormal, 0xFF0000},
                {kcCaptionInactive, kFace},
                {kcWindowBorder, 0x808080},
                {kcWindow, kFace},
                {kcBorder, 0xFF00000D},
                {kcPanelDisabled, kFace},
                {kcButtonNormal, kFace},
                {kcButtonHot, 0xD2BDB6},
                {kcButtonPressed, 0xB59285},
                {kcButtonFocused, 0xB59285},
                {kcButtonDisabled, kFace},
                {kcEditFocused, kWhite},
                {kcEditSelection, 0xB59285},
                {kcList, kWhite},
                {kcGrid, kWhite},
                {kcHint, 0},
                {kcBarDock, 0}};
  for (const Case& c : colors) {
    EXPECT_EQ(xp->Colors()[c.Index], c.Value) << kSkThemeColorNames[c.Index];
  }
  struct FontCase {
    int Index;
    TskFontDesc Want;
  } fonts[] = {{kfCaptionTextNormal, {"Tahoma", 10, 1, 0xFFFFFF, fsBold}},
               {kfCaptionTextInactive, {"Tahoma", 10, 1, 0xC0C0C0, fsBold}},
               {kfSmCaptionTextInactive, {"Tahoma", 8, 1, 0xC0C0C0, fsBold}},
               {kfButtonTextHot, {"Tahoma", 8, 1, 0x000000, 0}},
               {kfCheckBoxTextNormal, {"Tahoma", 8, 1, 0x000000, 0}},
               {kfHeaderSectionTextDisabled, {"Tahoma", 8, 1, 0x000000, 0}},
               {kfPopupMenuItemTextDisabled, {"Tahoma", 8, 1, 0x808080, 0}},
               {kfEditBoxTextSelected, {"Tahoma", 8, 1, 0xFFFFFF, 0}}};
  for (const FontCase& f : fonts) {
    EXPECT_EQ(xp->Fonts().Font(std::size_t(f.Index)), f.Want) << f.Index;
  }
  // With a shift the system-colour references become fixed RGB values.
  xp->SetDeltaHue(10);
  EXPECT_EQ(xp->Colors()[kcBorder] & 0xFF000000u, 0u);
  EXPECT_EQ(xp->Colors()[kcButtonNormal] & 0xFF000000u, 0u);
  xp->SetDeltaHue(0);
  EXPECT_EQ(xp->Colors()[kcBorder], 0xFF00000Du);

  // Fonts it does not name keep their construction state, the static-text ones included.
  EXPECT_EQ(xp->Fonts().Font(kfStaticTextNormal), (TskFontDesc{"Tahoma", 8, 1, SkClassicSysColor(8), 0}));

  TskThemeManager manager;
  SkRegisterBuiltInThemes(manager);
  TSkThemeEngine engine(nullptr, &manager);
  engine.SetThemeBuilding("OfficeXP");
  EXPECT_EQ(engine.ThemeBuilding(), "OfficeXP");
  ASSERT_NE(manager.CurrentTheme(), nullptr);
  EXPECT_EQ(manager.CurrentTheme()->BuildingName(), "OfficeXP");
  EXPECT_FALSE(manager.CurrentTheme()->WindowAvailable(0, kName));
}

TEST(TSkFlatControls, FamiliesAtFixedPoints) {
  const TskRect box = {10, 10, 23, 23};
  const TskRect list = CentreRect({0, 0, 13, 13}, R);
  const TColor dark = ShiftBrightness(kFace, -40, &SkClassicSysColor);
  struct Point {
    std::int32_t X, Y;
    TColor Want;
    bool Back = false;
  };
  struct Case {
    const char* Name;
    TDraw Draw;
    std::vector<Point> Points;
  };
  const auto op = [](const char* name) {
    for (const TOp& o : kOps) {
      if (std::string(o.Name) == name) {
        return o.Draw;
      }
    }
    return TDraw{};
  };
  const std::vector<Case> cases = {
      {"button normal",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(0, c, kName, {r, 0});
       },
       {{10, 10, kBorder}, {30, 20, kFace}}},
      {"button hot",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(0, c, kName, {r, 1});
       },
       {{30, 20, kHot}, {49, 29, kBorder}}},
      {"button pressed", op("Button"), {{30, 20, kPressed}}},
      {"button default",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(0, c, kName, {r, 6});
       },
       {{30, 20, kPressed}}},
      {"button kind 2 dot",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(2, c, kName, {r, 0});
       },
       {{29, 19, kRed}, {20, 20, kFace}}},
      {"button kind 10",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(10, c, kName, {r, 0});
       },
       {{30, 20, 0, true}}},
      {"check checked",
       [&](TskTheme& t, ISkPaintCanvas& c, const TskRect&) {
         t.PaintCheck(0, c, kName, {box, 0});
       },
       {{10, 10, kBorder}, {15, 17, kBorder}, {18, 12, kFace}}},
      {"check unchecked pressed",
       [&](TskTheme& t, ISkPaintCanvas& c, const TskRect&) {
         t.PaintCheck(0, c, kName, {box, 7});
       },
       {{10, 10, kBorder}, {15, 17, kPressed}, {16, 16, kPressed}}},
      {"check mixed pressed",
       [&](TskTheme& t, ISkPaintCanvas& c, const TskRect&) {
         t.PaintCheck(0, c, kName, {box, 12});
       },
       {{16, 16, kBorder}, {11, 16, kPressed}}},
      {"radio checked",
       [&](TskTheme& t, ISkPaintCanvas& c, const TskRect&) {
         t.PaintCheck(1, c, kName, {box, 0});
       },
       {{16, 16, kBorder}, {11, 16, kFace}, {10, 16, kBorder}}},
      {"radio unchecked hot",
       [&](TskTheme& t, ISkPaintCanvas& c, const TskRect&) {
         t.PaintCheck(1, c, kName, {box, 6});
       },
       {{16, 16, kHot}}},
      {"scroll down pressed", op("ScrollArrow"), {{11, 28, kPressed}, {10, 10, kBorder}, {30, 20, kBorder}}},
      {"scroll track", op("ScrollTrack"), {{10, 10, kWhite}, {11, 10, kFace}, {11, 11, kWhite}}},
      {"progress frame",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintProgress(0, c, kName, {r, 0, 0});
       },
       {{30, 20, kFace}, {10, 20, kBorder}}},
      {"progress bar", op("Progress"), {{30, 20, kHot}, {10, 20, kBorder}}},
      {"progress part 6",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintProgress(0, c, kName, {r, 6, 0});
       },
       {{30, 20, 0, true}, {10, 10, 0, true}}},
      {"track", op("Track"), {{10, 10, 0, true}, {12, 12, kBorder}, {30, 20, kFace}}},
      {"track thumb hot", op("TrackThumb"), {{30, 20, kHot}, {10, 10, kBorder}}},
      {"header section pressed", op("HeaderSection"), {{30, 20, kHot}, {10, 10, kBorder}}},
      {"header section 7",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintHeaderSection(0, c, kName, {r, 0, 7});
       },
       {{30, 20, 0, true}, {10, 10, kBorder}}},
      {"status panel 2",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintStatusPanel(0, c, kName, {r, 2});
       },
       {{48, 20, kFace}, {10, 10, kFace}}},
      {"status panel separator", op("StatusPanel"), {{48, 20, dark}, {47, 20, kFace}}},
      {"status grip", op("StatusGrip"), {{47, 27, dark}, {20, 20, kFace}}},
      {"edit disabled",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintEdit(0, c, kName, {r, 3});
       },
       {{30, 20, kWhite}, {10, 10, kBorder}}},
      {"edit selection",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintEdit(0, c, kName, {r, 6});
       },
       {{10, 10, kSelection}, {30, 20, kSelection}}},
      {"edit button pressed", op("EditButton"), {{11, 28, kPressed}, {10, 10, kBorder}}},
      {"group box",
       op("GroupBox"),
       {{12, 10, kBorder},
        {20, 10, 0, true},
        {30, 29, kBorder},
        {30, 20, 0, true},
        {10, 10, 0, true},
        {10, 20, kBorder},
        {52, 20, 0, true}}},
      {"edit box", op("EditBox"), {{30, 20, kWhite}, {10, 10, kBorder}}},
      {"roll button close", op("RollButton"), {{11, 28, kHot}, {30, 20, kBorder}}},
      {"roll part", op("RollPart"), {{30, 20, 0x008000}, {10, 10, 0x00FFFF}}},
      {"tab selected top", op("Tab"), {{30, 29, kFace}, {30, 10, kBorder}, {10, 20, kBorder}}},
      {"tab normal top",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTab(0, c, kName, {r, 1, 0});
       },
       {{30, 29, kBorder}, {30, 20, kFace}}},
      {"tab selected left",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTab(0, c, kName, {r, 4, 4});
       },
       {{49, 20, kFace}, {10, 20, kBorder}}},
      {"tab hot bottom",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTab(0, c, kName, {r, 10, 1});
       },
       {{30, 20, kHot}, {30, 10, kBorder}}},
      {"list", op("List"), {{30, 20, kWhite}, {10, 10, kBorder}}},
      {"list item selected", op("ListItem"), {{30, 20, kHot}, {10, 10, kBorder}}},
      {"list item normal",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintListItem(0, c, kName, {r, 0});
       },
       {{10, 10, kWhite}}},
      {"list check unchecked hot",
       op("ListCheck"),
       {{list.Left, list.Top, kBorder}, {list.Left + 6, list.Top + 6, kHot}, {10, 10, 0, true}}},
      {"tree item focused", op("TreeItem"), {{30, 20, kHot}, {10, 10, kBorder}}},
      {"tree item 5",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTreeItem(0, c, kName, {r, 5});
       },
       {{30, 20, 0, true}, {10, 10, kBorder}}},
      {"grid cell selected", op("GridCell"), {{30, 20, kPressed}, {10, 10, kBorder}}},
      {"grid fixed cell",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintGridCell(0, c, kName, {r, 2, 1});
       },
       {{10, 10, kFace}}},
      {"grid cell 5",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintGridCell(0, c, kName, {r, 5, 0});
       },
       {{30, 20, 0, true}}},
  };
  auto theme = SkMakeTheme<TSkFlatTheme>();
  for (const Case& c : cases) {
    TPainted p;
    c.Draw(*theme, *p.Canvas, R);
    for (const Point& pt : c.Points) {
      EXPECT_EQ(p.At(pt.X, pt.Y), pt.Back ? kBack : Px(pt.Want)) << c.Name << " at " << pt.X << "," << pt.Y;
    }
  }
}

TEST(TSkFlatControls, GlyphsByPartAndState) {
  auto theme = SkMakeTheme<TSkFlatTheme>();
  struct Case {
    const char* Name;
    TDraw Draw;
    std::vector<TskMonoGlyph> Want;
  } cases[] = {
      {"spin down",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(5, c, kName, {r, 0});
       },
       {TskMonoGlyph::mgScrollDown}},
      {"scroll thumb",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintScrollElement(0, c, kName, {r, 2, 0});
       },
       {}},
      {"scroll right",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintScrollElement(0, c, kName, {r, 5, 0});
       },
       {TskMonoGlyph::mgScrollRight}},
      {"edit drop-down",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintEditButton(0, c, kName, {r, 0, 0});
       },
       {TskMonoGlyph::mgScrollDown}},
      {"edit up",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintEditButton(0, c, kName, {r, 0, 2});
       },
       {TskMonoGlyph::mgScrollUp}},
      {"edit none",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintEditButton(0, c, kName, {r, 0, 1});
       },
       {}},
      {"tab close",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTabScrollButton(0, c, kName, {r, 0, 0});
       },
       {TskMonoGlyph::mgClose}},
      {"tab down",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTabScrollButton(0, c, kName, {r, 2, 0});
       },
       {TskMonoGlyph::mgScrollDown}},
      {"tab part 5",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintTabScrollButton(0, c, kName, {r, 5, 0});
       },
       {}},
      {"roll up",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintRollPanelButton(0, c, kName, {r, 1, 0});
       },
       {TskMonoGlyph::mgScrollUp}},
  };
  for (const Case& c : cases) {
    TPainted p;
    c.Draw(*theme, *p.Canvas, R);
    ASSERT_EQ(p.Canvas->GlyphCalls().size(), c.Want.size()) << c.Name;
    for (std::size_t i = 0; i < c.Want.size(); ++i) {
      EXPECT_EQ(p.Canvas->GlyphCalls()[i].Glyph, c.Want[i]) << c.Name;
      EXPECT_EQ(p.Canvas->GlyphCalls()[i].Color, kBorder) << c.Name;
    }
  }
  // Tab text turns a quarter for side tabs.
  const std::pair<std::uint8_t, std::uint8_t> rotations[] = {{1, 0}, {4, 2}, {7, 1}, {10, 0}};
  for (auto [part, rotation] : rotations) {
    TPainted p;
    TskTextInfo text;
    text.Rect = R;
    text.Text = L"Tab";
    theme->PaintTabText(0, *p.Canvas, kName, {R, part, 0}, text);
    ASSERT_EQ(p.Canvas->TextCalls().size(), 1u);
    EXPECT_EQ(p.Canvas->TextCalls()[0].Rotation, rotation) << int(part);
  }
}

TEST(TSkOfficeXPTheme, PaintsWithItsOwnPalette) {
  auto theme = SkMakeTheme<TSkOfficeXPTheme>();
  const TColor highlight = SkClassicSysColor(13);
  struct Case {
    const char* Name;
    TDraw Draw;
    std::int32_t X, Y;
    TColor Want;
  } cases[] = {
      {"button frame",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(0, c, kName, {r, 1});
       },
       10, 10, highlight},
      {"button hot",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(0, c, kName, {r, 1});
       },
       30, 20, 0xD2BDB6},
      {"button pressed",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintButton(0, c, kName, {r, 2});
       },
       30, 20, 0xB59285},
      {"popup item image column",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintMenuItem(1, c, kName, {r, 0, 0});
       },
       30, 20, kFace},
      {"popup item hot",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintMenuItem(1, c, kName, {r, 0, 1});
       },
       20, 20, 0xD2BDB6},
      {"popup item hot frame",
       [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
         t.PaintMenuItem(1, c, kName, {r, 0, 1});
       },
       10, 20, highlight},
  };
  for (const Case& c : cases) {
    TPainted p;
    c.Draw(*theme, *p.Canvas, R);
    EXPECT_EQ(p.At(c.X, c.Y), Px(c.Want)) << c.Name;
  }
  // The popup menu's image column: 23 pixels in the menu, 21 in each item; separators start
  // 28 pixels in and stop 5 before the right edge.
  TPainted menu(160, 110);
  theme->PaintMenu(1, *menu.Canvas, kName, {0, 0, 150, 100});
  theme->PaintMenuItem(1, *menu.Canvas, kName, {{0, 40, 150, 49}, 1, 0});
  struct Point {
    std::int32_t X, Y;
    TColor Want;
  } points[] = {{0, 0, 0x808080}, {22, 20, kFace},    {23, 20, kWhite},    {149, 99, 0x808080},
                {27, 44, kWhite}, {28, 44, 0x808080}, {144, 44, 0x808080}, {145, 44, kWhite},
                {20, 44, kFace},  {21, 44, kWhite}};
  for (const Point& pt : points) {
    EXPECT_EQ(menu.At(pt.X, pt.Y), Px(pt.Want)) << pt.X << "," << pt.Y;
  }
  TPainted p;
  theme->PaintMenuItem(1, *p.Canvas, kName, {R, 0, 0});
  EXPECT_EQ(p.At(R.Left + 20, 20), Px(kFace));
  EXPECT_EQ(p.At(R.Left + 21, 20), Px(0xFFFFFF));
}

// Every element stays inside its rectangle and an empty or inverted rectangle draws nothing,
// for both built-in looks.
TEST(TSkFlatControls, EveryElementStaysInsideItsRectangle) {
  auto flat = SkMakeTheme<TSkFlatTheme>();
  auto xp = SkMakeTheme<TSkOfficeXPTheme>();
  const TskRect rects[] = {R, {30, 10, 30, 30}, {50, 30, 10, 10}, {10, 20, 50, 20}};
  for (TskTheme* theme : {static_cast<TskTheme*>(flat.get()), static_cast<TskTheme*>(xp.get())}) {
    for (const TOp& op : kOps) {
      for (const TskRect& r : rects) {
        TPainted p;
        op.Draw(*theme, *p.Canvas, r);
        // The clip is handed back as it was (a selected tab's left-out edge does not linger).
        EXPECT_EQ(p.Canvas->Clip(), p.Pixels.Bounds()) << op.Name;
        int outside = 0, inside = 0;
        for (std::int32_t y = 0; y < 40; ++y) {
          for (std::int32_t x = 0; x < 60; ++x) {
            const bool in = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            if (p.At(x, y) != kBack) {
              ++(in ? inside : outside);
            }
          }
        }
        EXPECT_EQ(outside, 0) << theme->BuildingName() << " " << op.Name;
        if (IsRectEmpty(r)) {
          EXPECT_EQ(inside, 0) << theme->BuildingName() << " " << op.Name;
        } else {
          EXPECT_GT(inside, 0) << theme->BuildingName() << " " << op.Name;
        }
      }
    }
  }
}

TEST(SkBarGeometry, PositionsAreClampedIntoTheRectangle) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  struct ProgressCase {
    std::int64_t Position, Max;
    bool Vertical;
    TskRect Want;
  } progress[] = {
      {0, 100, false, {10, 10, 10, 30}},
      {50, 100, false, {10, 10, 30, 30}},
      {100, 100, false, R},
      {-5, 100, false, {10, 10, 10, 30}},
      {500, 100, false, R},
      {kMax, 100, false, R},
      {kMin, 100, true, {10, 30, 50, 30}},
      {50, 100, true, {10, 20, 50, 30}},
      {7, 0, false, {10, 10, 10, 10}},
      {7, -3, true, {10, 10, 10, 10}},
  };
  for (const ProgressCase& c : progress) {
    EXPECT_EQ(SkProgressFillRect(R, c.Position, c.Max, c.Vertical), c.Want) << c.Position << "/" << c.Max;
  }
  EXPECT_TRUE(IsRectEmpty(SkProgressFillRect({50, 30, 10, 10}, 5, 10, false)));

  struct ThumbCase {
    std::int32_t Size;
    std::int64_t Min, Max, Position;
    bool Vertical;
    TskRect Want;
  } thumbs[] = {
      {10, 0, 100, 0, false, {10, 10, 20, 30}},
      {10, 0, 100, 100, false, {40, 10, 50, 30}},
      {10, 0, 100, 50, false, {25, 10, 35, 30}},
      {10, 0, 100, -9, false, {10, 10, 20, 30}},
      {10, 0, 100, 900, false, {40, 10, 50, 30}},
      {10, 100, 0, 900, false, {40, 10, 50, 30}},
      {99, 0, 100, 50, false, R},
      {-4, 0, 100, 50, false, {30, 10, 30, 30}},
      {6, 5, 5, 5, true, {10, 10, 50, 16}},
      {6, kMin, kMax, kMax, true, {10, 24, 50, 30}},
      {6, kMin, kMax, kMin, true, {10, 10, 50, 16}},
  };
  for (const ThumbCase& c : thumbs) {
    EXPECT_EQ(SkThumbRect(R, c.Size, c.Min, c.Max, c.Position, c.Vertical), c.Want) << c.Position;
  }
}
