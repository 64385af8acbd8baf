// The skin-file theme on a generated skin, drawn through the pixel canvas.
#include "skins/SfRegion.h"
#include "skins/SfSkinFile.h"
#include "skins/tests/SfTestSkins.h"
#include "theme/SkPixelCanvas.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace sfts;

constexpr TColor kPaper = 0x123456; // what the canvas holds before a paint
constexpr TskRect kWindow{0, 0, 200, 120};
// Bits of the caption-button kinds (TskWindowButton).
constexpr std::uint16_t B(std::initializer_list<int> kinds) {
  std::uint16_t bits = 0;
  for (int k : kinds) {
    bits = std::uint16_t(bits | (1u << k));
  }
  return bits;
}
const std::uint16_t kNormal = B({kwbIcon, kwbClose, kwbMinimize, kwbMaximize});
const std::uint16_t kMaximized = B({kwbIcon, kwbClose, kwbMinimize, kwbRestore});

std::unique_ptr<TSkSkinFile> Theme(TSfSkinSource source = MakeThemeSkin()) {
  auto theme = SkMakeTheme<TSkSkinFile>();
  EXPECT_TRUE(theme->LoadFromSource(std::move(source)));
  return theme;
}

struct TPaper {
  TskPixels Pixels;
  TskPixelCanvas Canvas;
  explicit TPaper(std::int32_t w = 200, std::int32_t h = 120)
      : Pixels(Sized(w, h)), Canvas(Pixels, &SkClassicSysColor) {}
  static TskPixels Sized(std::int32_t w, std::int32_t h) {
    TskPixels p;
    p.SetSize(w, h);
    p.Fill(ColorToSkColor(kPaper, 255, nullptr));
    return p;
  }
  TColor At(std::int32_t x, std::int32_t y) const {
    const TskColor p = Pixels.GetPixel(x, y);
    // Back to 0x00BBGGRR.
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  }
};

TEST(SkinFileTheme, ClassAnswersAndCache) {
  auto theme = Theme();
  EXPECT_EQ(theme->BuildingName(), "Pellor 3 theme");
  EXPECT_EQ(theme->Name(), "Theme test");
  EXPECT_TRUE(theme->ThemeConfig().CanLoadFile);
  EXPECT_NE(theme->ThemeConfig().FileFilter.find("*.mskn"), std::string::npos);
  EXPECT_TRUE(theme->FormEntry().Ready());
  // The frame lost its client node to a placeholder, and its caption buttons are hidden.
  TSfSkinObject* form = theme->Cached(ceForm);
  EXPECT_EQ(form->FindByKind(skClient), theme->FormEntry().Placeholder);
  EXPECT_FALSE(form->FindByName("Close")->FNodeVisible);
  EXPECT_TRUE(theme->FormEntry().Layout->FindByName("Client"));
  EXPECT_EQ(theme->FormEntry().Client->FColor, kClient);
}

TEST(SkinFileTheme, WindowGeometry) {
  auto theme = Theme();
  const TskWindowInfo info = SkWindowInfo(kWindow, L"Zakat", kNormal, wsActive);
  EXPECT_TRUE(theme->WindowAvailable(0, "default"));
  EXPECT_TRUE(theme->WindowAvailable(1, "default"));
  EXPECT_FALSE(theme->WindowAvailable(2, "default"));
  EXPECT_EQ(theme->WindowClientRect(0, info, "default"), (TskRect{4, 20, 196, 116}));
  // Between the window icon and the first caption button.
  EXPECT_EQ(theme->WindowCaptionRect(0, info, "default"), (TskRect{16, 0, 152, 20}));
  EXPECT_EQ(theme->WindowCaptionRect(0, SkWindowInfo(kWindow, L"", B({kwbClose}), 0), "default"),
            (TskRect{0, 0, 184, 20}));
}

TEST(SkinFileTheme, ButtonRectsFollowTheButtonSet) {
  auto theme = Theme();
  struct TCase {
    std::uint16_t Buttons;
    std::uint8_t Button;
    TskRect Expected;
  };
  const TCase cases[] = {
      {kNormal, kwbIcon, {0, 0, 16, 20}},
      {kNormal, kwbClose, {184, 0, 200, 20}},
      {kNormal, kwbMaximize, {168, 0, 184, 20}},
      {kNormal, kwbMinimize, {152, 0, 168, 20}},
      {kNormal, kwbRestore, kSkNoRect},
      {kNormal, kwbHelp, kSkNoRect},
      // Without close the others move right.
      {B({kwbMinimize, kwbMaximize}), kwbClose, kSkNoRect},
      {B({kwbMinimize, kwbMaximize}), kwbMaximize, {184, 0, 200, 20}},
      {B({kwbMinimize, kwbMaximize}), kwbIcon, kSkNoRect},
      // Maximized: restore stands where maximize stood, and maximize is gone even when its
      // bit is set as well.
      {kMaximized, kwbRestore, {168, 0, 184, 20}},
      {kMaximized, kwbMaximize, kSkNoRect},
      {std::uint16_t(kMaximized | B({kwbMaximize})), kwbMaximize, kSkNoRect},
      {std::uint16_t(kMaximized | B({kwbMaximize})), kwbRestore, {168, 0, 184, 20}},
  };
  for (const TCase& c : cases) {
    const TskWindowInfo info = SkWindowInfo(kWindow, L"", c.Buttons, wsActive);
    EXPECT_EQ(theme->WindowButtonRect(0, info, "default", c.Button), c.Expected)
        << "buttons " << c.Buttons << " button " << int(c.Button);
  }
}

TEST(SkinFileTheme, HitTest) {
  auto theme = Theme();
  const TskWindowInfo info = SkWindowInfo(kWindow, L"", kNormal, wsActive);
  struct TCase {
    std::int32_t X, Y;
    std::uint8_t Code;
  };
  const TCase cases[] = {{100, 10, khtCaption},  {190, 10, khtClose},   {175, 10, khtMaximize},
                         {160, 10, khtMinimize}, {8, 10, khtSysMenu},   {1, 60, khtLeft},
                         {198, 60, khtRight},    {100, 118, khtBottom}, {100, 60, khtNowhere}};
  for (const TCase& c : cases) {
    EXPECT_EQ(theme->WindowHitTest(0, info, "default", c.X, c.Y), c.Code) << c.X << "," << c.Y;
  }
}

TEST(SkinFileTheme, PaintWindowDrawsTheFrameWithoutButtonsOrClient) {
  auto theme = Theme();
  for (const bool active : {true, false}) {
    TPaper paper;
    theme->PaintWindow(0, paper.Canvas, "default",
                       SkWindowInfo(kWindow, L"", kNormal, active ? wsActive : 0));
    EXPECT_EQ(paper.At(100, 10), active ? kCaptionActive : kCaption);
    EXPECT_EQ(paper.At(190, 10), active ? kCaptionActive : kCaption) << "no button in the frame";
    EXPECT_EQ(paper.At(1, 60), kBorder);
    EXPECT_EQ(paper.At(100, 118), kBorder);
    EXPECT_EQ(paper.At(100, 60), kPaper) << "the client area is left alone";
  }
}

// The frame's image is kept between paints; a rebuild of the objects (here by a shift) draws
// it afresh.
TEST(SkinFileTheme, KeptFrameFollowsShifts) {
  auto theme = Theme();
  const TskWindowInfo info = SkWindowInfo(kWindow, L"", kNormal, wsActive);
  TPaper before, after;
  theme->PaintWindow(0, before.Canvas, "default", info);
  theme->SetDeltaBrightness(-60);
  theme->PaintWindow(0, after.Canvas, "default", info);
  EXPECT_EQ(before.At(1, 60), kBorder);
  EXPECT_NE(after.At(1, 60), kBorder);
  EXPECT_EQ(after.At(100, 60), kPaper);
}

TEST(SkinFileTheme, PaintWindowButtonStates) {
  auto theme = Theme();
  struct TCase {
    std::uint8_t Button, State;
    TColor Expected;
  };
  const TCase cases[] = {
      {kwbClose, bsNormal, kButtonColors[0][0]},    {kwbClose, bsHot, kButtonColors[0][1]},
      {kwbClose, bsPressed, kButtonColors[0][2]},   {kwbClose, 3, kButtonColors[0][0]},
      {kwbMaximize, bsHot, kButtonColors[1][1]},    {kwbRestore, bsNormal, kButtonColors[2][0]},
      {kwbMinimize, bsPressed, kButtonColors[3][2]}};
  for (const TCase& c : cases) {
    TPaper paper;
    theme->PaintWindowButton(0, paper.Canvas, "default",
                             SkWindowButtonInfo({50, 50, 66, 70}, c.Button, c.State));
    EXPECT_EQ(paper.At(58, 60), c.Expected) << int(c.Button) << "/" << int(c.State);
    EXPECT_EQ(paper.At(49, 60), kPaper);
  }
}

TEST(SkinFileTheme, ClientAndCaption) {
  auto theme = Theme();
  TPaper paper;
  theme->PaintWindowClient(0, paper.Canvas, "default", {10, 10, 30, 30});
  EXPECT_EQ(paper.At(20, 20), kClient);
  EXPECT_EQ(paper.At(31, 20), kPaper);
  const TskWindowInfo info = SkWindowInfo(kWindow, L"Zakat Maal", kNormal, wsActive);
  theme->PaintWindowCaption(0, paper.Canvas, "default", theme->WindowCaptionRect(0, info, "default"), info);
  ASSERT_EQ(paper.Canvas.TextCalls().size(), 1u);
  const auto& text = paper.Canvas.TextCalls()[0];
  EXPECT_EQ(text.Text, L"Zakat Maal");
  EXPECT_EQ(text.Font.Name, theme->Fonts().Font(kfCaptionTextNormal).Name);
  EXPECT_GE(text.Rect.Left, 2);
}

// A frame object without a client node offers no window family, and every window operation
// stays safe.
TEST(SkinFileTheme, FormWithoutClientIsNotAWindowTheme) {
  TSfSkinSource source = MakeThemeSkin();
  TSfSkinObject* form = source.ObjectByName("Form");
  TSfSkinObject* client = form->FindByKind(skClient);
  client->Owner()->RemoveChild(client);
  auto theme = Theme(std::move(source));
  const TskWindowInfo info = SkWindowInfo(kWindow, L"x", kNormal, wsActive);
  for (std::uint8_t kind : {0, 1, 6}) {
    EXPECT_FALSE(theme->WindowAvailable(kind, "default")) << int(kind);
    EXPECT_EQ(theme->WindowClientRect(kind, info, "default"), kWindow);
    EXPECT_EQ(theme->WindowButtonRect(kind, info, "default", kwbClose), kSkNoRect);
    EXPECT_TRUE(theme->WindowRegion(kind, info, "default").empty());
    TPaper paper;
    theme->PaintWindow(kind, paper.Canvas, "default", info);
    theme->PaintWindowCaption(kind, paper.Canvas, "default", {0, 0, 200, 20}, info);
    theme->PaintWindowButton(kind, paper.Canvas, "default", SkWindowButtonInfo({0, 0, 16, 16}, kwbClose, 0));
    theme->WindowHitTest(kind, info, "default", 100, 10);
    EXPECT_EQ(paper.At(100, 10), kPaper);
  }
}

TEST(SkinFileTheme, NamedObjectStandsInForTheForm) {
  TSfSkinSource source = MakeThemeSkin();
  // "Dialog": a second frame, here a copy of "Form" with another caption colour.
  auto dialog = source.ObjectByName("Form")->Clone(source.FBitmaps);
  dialog->FName = "Dialog";
  static_cast<TSfActiveObject*>(dialog->FindByName("Caption"))->FActiveColor = 0x00AA00;
  source.AddObject(std::move(dialog));
  auto theme = Theme(std::move(source));
  const TskWindowInfo info = SkWindowInfo(kWindow, L"", kNormal, wsActive);
  EXPECT_TRUE(theme->WindowAvailable(2, "Dialog"));
  EXPECT_EQ(theme->WindowClientRect(0, info, "Dialog"), (TskRect{4, 20, 196, 116}));
  TPaper paper;
  theme->PaintWindow(0, paper.Canvas, "Dialog", info);
  EXPECT_EQ(paper.At(100, 10), TColor(0x00AA00));
  EXPECT_FALSE(theme->WindowAvailable(0, "NoSuchObject") && theme->Cached(ceForm) == nullptr);
}

TEST(SkinFileTheme, StoredAndReadBack) {
  auto theme = Theme();
  TskByteWriter out;
  ASSERT_TRUE(theme->SaveToStream(out));
  TskByteReader probe(out.Bytes());
  EXPECT_TRUE(TSkSkinFile::IsThemeStream(probe));
  TskByteReader in(out.Bytes());
  auto copy = SkMakeTheme<TSkSkinFile>();
  ASSERT_TRUE(copy->LoadFromStream(in)) << copy->LastError();
  EXPECT_TRUE(copy->WindowAvailable(0, "default"));
  EXPECT_EQ(copy->Name(), "Theme test");
  // Damaged bytes: the load fails with a reason and the theme stays as it was.
  std::vector<std::uint8_t> bad(out.Bytes().begin(), out.Bytes().begin() + out.Bytes().size() / 2);
  TskByteReader damaged(bad);
  EXPECT_FALSE(copy->LoadFromStream(damaged));
  EXPECT_FALSE(copy->LastError().empty());
  EXPECT_TRUE(copy->WindowAvailable(0, "default"));
}

// Element families: each paint at a fixed point, by state.
TEST(SkinFileTheme, ControlFamilies) {
  auto theme = Theme();
  const TskRect r{20, 20, 60, 40};
  using TPaint = std::function<void(ISkPaintCanvas&)>;
  struct TCase {
    const char* Name;
    TPaint Paint;
    TColor Expected;
  };
  TSkSkinFile& t = *theme;
  const TCase cases[] = {
      {"button normal",
       [&](auto& c) {
         t.PaintButton(0, c, "default", {r, 0});
       },
       kStateColors[0]},
      {"button hot",
       [&](auto& c) {
         t.PaintButton(0, c, "default", {r, 1});
       },
       kStateColors[1]},
      {"button pressed",
       [&](auto& c) {
         t.PaintButton(0, c, "default", {r, 2});
       },
       kStateColors[3]},
      {"button disabled",
       [&](auto& c) {
         t.PaintButton(0, c, "default", {r, 3});
       },
       kStateColors[4]},
      {"button focused",
       [&](auto& c) {
         t.PaintButton(0, c, "default", {r, 4});
       },
       kStateColors[2]},
      {"check hot",
       [&](auto& c) {
         t.PaintCheck(0, c, "default", {r, 1});
       },
       kStateColors[1]},
      {"uncheck pressed",
       [&](auto& c) {
         t.PaintCheck(0, c, "default", {r, 7});
       },
       kStateColors[3]},
      {"scroll up pressed",
       [&](auto& c) {
         t.PaintScrollElement(0, c, "default", {r, 0, 1});
       },
       kStateColors[3]},
      {"scroll slider hot",
       [&](auto& c) {
         t.PaintScrollElement(0, c, "default", {r, 9, 2});
       },
       kStateColors[1]},
      {"scroll track",
       [&](auto& c) {
         t.PaintScrollTrack(0, c, "default", {r, 1, 3});
       },
       kStateColors[4]},
      {"progress bar",
       [&](auto& c) {
         t.PaintProgress(0, c, "default", {r, 3, 0});
       },
       kStateColors[0]},
      {"edit hot",
       [&](auto& c) {
         t.PaintEdit(0, c, "default", {r, 1});
       },
       kStateColors[1]},
      {"edit box disabled",
       [&](auto& c) {
         t.PaintEditBox(0, c, "default", {r, 3});
       },
       kStateColors[4]},
      {"header section hot",
       [&](auto& c) {
         t.PaintHeaderSection(0, c, "default", {r, 0, 3});
       },
       kStateColors[1]},
      {"status panel",
       [&](auto& c) {
         t.PaintStatusPanel(0, c, "default", {r, 0});
       },
       kStateColors[0]},
      {"list item selected",
       [&](auto& c) {
         t.PaintListItem(0, c, "default", {r, 2});
       },
       kStateColors[2]},
      {"menu item hot",
       [&](auto& c) {
         t.PaintMenuItem(1, c, "default", {r, 0, 1});
       },
       kStateColors[1]},
      {"menu item disabled",
       [&](auto& c) {
         t.PaintMenuItem(0, c, "default", {r, 0, 3});
       },
       kStateColors[4]},
      {"tab scroll hot",
       [&](auto& c) {
         t.PaintTabScrollButton(0, c, "default", {r, 1, 1});
       },
       kStateColors[1]},
      {"hint fallback", [&](auto& c) { t.PaintHint(0, c, "default", r); }, 0xE1FFFF},
      {"track disabled",
       [&](auto& c) {
         t.PaintTrack(0, c, "default", {r, 2, 1});
       },
       kStateColors[4]},
      {"thumb pressed",
       [&](auto& c) {
         t.PaintTrackThumb(0, c, "default", {r, 6, 2});
       },
       kStateColors[3]},
      {"group box",
       [&](auto& c) {
         t.PaintGroupBox(0, c, "default", {r, {}, 0});
       },
       kStateColors[0]},
      {"group box caption kept",
       [&](auto& c) {
         t.PaintGroupBox(0, c, "default", {r, {30, 20, 50, 35}, 0});
       },
       kPaper},
      {"dock", [&](auto& c) { t.PaintDock(0, c, "default", r); }, kStateColors[0]},
      {"tool item pressed",
       [&](auto& c) {
         t.PaintToolItem(0, c, "default", {r, 0, 2});
       },
       kStateColors[3]},
      {"scroll box", [&](auto& c) { t.PaintScrollBox(0, c, "default", r); }, kStateColors[0]},
      {"roll panel button hot",
       [&](auto& c) {
         t.PaintRollPanelButton(1, c, "default", {r, 1, 1});
       },
       kStateColors[1]},
      {"tree item disabled",
       [&](auto& c) {
         t.PaintTreeItem(0, c, "default", {r, 4});
       },
       kStateColors[4]},
      {"grid cell hot",
       [&](auto& c) {
         t.PaintGridCell(0, c, "default", {r, 1, 0});
       },
       kStateColors[1]},
      {"list check",
       [&](auto& c) {
         t.PaintListItemCheck(0, c, "default", {r, 0}, {r, 0, {}, 1});
       },
       kStateColors[0]},
  };
  for (const TCase& c : cases) {
    TPaper paper;
    c.Paint(paper.Canvas);
    EXPECT_EQ(paper.At(40, 30), c.Expected) << c.Name;
    EXPECT_EQ(paper.At(61, 30), kPaper) << c.Name;
  }
  EXPECT_TRUE(t.ButtonAvailable(0, "default"));
  EXPECT_FALSE(t.ButtonAvailable(4, "default")) << "no spin button object";
  EXPECT_TRUE(t.CheckAvailable(0, "default"));
  EXPECT_FALSE(t.CheckAvailable(1, "default"));
  EXPECT_EQ(t.CheckGlyphSize(0, "default"), (TskPoint{10, 10}));
  EXPECT_EQ(t.EditClientRect(0, r, "default"), (TskRect{24, 24, 56, 36}));
}

// A named text object places button texts by its own alignment.
TEST(SkinFileTheme, NamedTextObjectAlignsButtonText) {
  TSfSkinSource source = MakeThemeSkin();
  auto label = std::make_unique<TSfTextObject>();
  label->FName = "Label";
  label->FTextAlign = taBottomRight;
  source.AddObject(std::move(label));
  auto theme = Theme(std::move(source));
  TskTextInfo text;
  text.Rect = {0, 0, 100, 40};
  text.Text = L"OK";
  TPaper named, plain;
  theme->PaintButtonText(0, named.Canvas, "Label", {text.Rect, 0}, text);
  theme->PaintButtonText(0, plain.Canvas, "default", {text.Rect, 0}, text);
  ASSERT_EQ(named.Canvas.TextCalls().size(), 1u);
  ASSERT_EQ(plain.Canvas.TextCalls().size(), 1u);
  const TskRect at = named.Canvas.TextCalls()[0].Rect;
  EXPECT_EQ(at.Right, 100);
  EXPECT_EQ(at.Bottom, 40);
  EXPECT_NE(plain.Canvas.TextCalls()[0].Rect, at);
}

// A menu object without "Frame" is its own frame: drawn without its sample items.
TEST(SkinFileTheme, MenuObjectWithoutFrameIsTheFrame) {
  TSfSkinSource source = MakeThemeSkin();
  TSfSkinObject* popup = source.ObjectByName("PopupMenu");
  TSfSkinObject* frame = popup->FindByName("Frame");
  popup->RemoveChild(frame);
  popup->FColor = 0x00A0A0;
  popup->FMarginLeft = popup->FMarginTop = 3;
  auto theme = Theme(std::move(source));
  TPaper paper;
  const TskRect r{20, 20, 60, 40};
  theme->PaintMenu(1, paper.Canvas, "default", r);
  EXPECT_EQ(paper.At(25, 25), TColor(0x00A0A0)) << "an item was drawn over the frame";
  EXPECT_EQ(paper.At(61, 25), kPaper);
  EXPECT_EQ(theme->MenuClientRect(1, r, "default"), (TskRect{23, 23, 60, 40}));
  EXPECT_TRUE(theme->Cached(cePopupMenu)->FindByName("Item")->FNodeVisible);
}

// The popup menu's scroll areas: the node, then a triangle in the menu text colour.
TEST(SkinFileTheme, MenuScrollArrows) {
  auto theme = Theme();
  for (const std::uint8_t part : {3, 4}) {
    TPaper paper;
    theme->PaintMenuItem(1, paper.Canvas, "default", {{20, 20, 60, 40}, part, 0});
    const TColor text = theme->Fonts().Font(kfMenuItemTextNormal).Color;
    // The triangle is 7 x 4 at (36, 28): its base row is 7 wide, its point (x 39) 1 wide.
    const std::int32_t base = part == 3 ? 31 : 28, point = part == 3 ? 28 : 31;
    EXPECT_EQ(paper.At(37, base), paper.Canvas.Resolve(text)) << int(part);
    EXPECT_EQ(paper.At(37, point), kStateColors[0]) << int(part);
    EXPECT_EQ(paper.At(39, point), paper.Canvas.Resolve(text)) << int(part);
  }
}

// "Tab" (its top three tenths in kTabTop, its outer edge) turned for tabs on each side: the
// outer edge ends up away from the pane, the open side towards it.
TEST(SkinFileTheme, TabTurning) {
  auto theme = Theme();
  struct TCase {
    std::uint8_t Part;
    TskRect Rect;
    TskPoint TopColour, BodyColour;
  };
  const TCase cases[] = {
      {0, {20, 20, 60, 40}, {40, 21}, {40, 38}}, // top: as drawn
      {3, {20, 20, 40, 60}, {21, 40}, {38, 40}}, // left: a quarter turn counter-clockwise
      {6, {20, 20, 40, 60}, {38, 40}, {21, 40}}, // right: a quarter turn clockwise
      {9, {20, 20, 60, 40}, {40, 38}, {40, 21}}, // bottom: flipped top to bottom
  };
  for (const TCase& c : cases) {
    TPaper paper;
    theme->PaintTab(0, paper.Canvas, "default", {c.Rect, c.Part, 0});
    EXPECT_EQ(paper.At(c.TopColour.X, c.TopColour.Y), kTabTop) << int(c.Part);
    EXPECT_EQ(paper.At(c.BodyColour.X, c.BodyColour.Y), kTabBody) << int(c.Part);
    EXPECT_EQ(paper.At(c.Rect.Right, c.Rect.Top + 1), kPaper) << int(c.Part);
  }
}

} // namespace

namespace {

// Tiling row by row draws exactly what tiling tile by tile draws, in every mode, with and
// without a clip.
TEST(SkinTiling, RowsEqualTiles) {
  TskPixels img;
  img.SetSize(80, 80);
  for (std::int32_t y = 0; y < 80; ++y) {
    for (std::int32_t x = 0; x < 80; ++x) {
      const bool key = (x * 7 + y * 3) % 11 == 0;
      img.SetPixel(x, y,
                   key ? (0xFF000000u | skKeyColor)
                       : (std::uint32_t((x * 37 + y * 11) % 256) << 24 | std::uint32_t(x * 3) << 16 |
                          std::uint32_t(y * 3) << 8 | std::uint32_t((x + y) % 256)));
    }
  }
  auto paper = [] {
    TskPixels p;
    p.SetSize(100, 64);
    for (std::int32_t y = 0; y < 64; ++y) {
      for (std::int32_t x = 0; x < 100; ++x) {
        p.SetPixel(x, y, 0xFF000000u | std::uint32_t(x * 2) << 8 | std::uint32_t(y * 4));
      }
    }
    return p;
  };
  const TskRect tiles[] = {{0, 0, 1, 1},  {5, 6, 8, 11},  {10, 0, 14, 8},
                           {0, 3, 70, 5}, {9, 1, 11, 71}, {2, 2, 7, 66}};
  const TskRect dests[] = {{3, 2, 97, 61}, {-5, -7, 40, 30}, {90, 50, 130, 90}};
  const TskRect clips[] = {{}, {20, 15, 41, 33}};
  for (const TskDrawMode mode : {TskDrawMode::dmCopy, TskDrawMode::dmTransparent, TskDrawMode::dmBlend}) {
    for (const TskRect& src : tiles) {
      for (const TskRect& dest : dests) {
        for (const TskRect& clip : clips) {
          TskPixels rows = paper(), reference = paper();
          SfTileRows(rows, dest, img, src, clip, mode);
          SkTile(reference, dest, img, src, clip, mode);
          std::int64_t differ = 0;
          for (std::int32_t y = 0; y < 64; ++y) {
            for (std::int32_t x = 0; x < 100; ++x) {
              differ += rows.GetPixel(x, y) != reference.GetPixel(x, y);
            }
          }
          EXPECT_EQ(differ, 0) << "mode " << int(mode) << " tile " << RectWidth(src) << "x" << RectHeight(src)
                               << " dest " << dest.Left << "," << dest.Top << " clip " << clip.Right;
        }
      }
    }
  }
}

} // namespace

namespace {

// A title placed by its own coordinates (no alignment) keeps them through a caption paint:
// drawing a node of the frame does not move it inside the frame.
TEST(SkinFileTheme, PaintingTheCaptionLeavesAnUnalignedTitleInPlace) {
  TSfSkinSource source = MakeThemeSkin();
  TSfSkinObject* title = source.ObjectByName("Form")->FindByKind(skTitle);
  ASSERT_NE(title, nullptr);
  title->FAlign = saNone;
  title->FLeft = 30;
  title->FTop = 4;
  title->FWidth = 120;
  title->FHeight = 14;
  title->FColor = 0x00C0FF;
  auto theme = Theme(std::move(source));
  const TskWindowInfo info = SkWindowInfo(kWindow, L"Zakat", kNormal, wsActive);
  const TskRect before = theme->WindowCaptionRect(0, info, "default");
  ASSERT_EQ(before, (TskRect{30, 4, 150, 18}));
  const std::vector<TskRect> region = theme->WindowRegion(0, info, "default");
  TPaper paper;
  theme->PaintWindowCaption(0, paper.Canvas, "default", before, info);
  EXPECT_EQ(theme->Cached(ceForm)->FindByKind(skTitle)->Bounds(), before) << "the frame's own title";
  EXPECT_EQ(theme->WindowCaptionRect(0, info, "default"), before);
  EXPECT_EQ(theme->WindowRegion(0, info, "default"), region);
  TPaper frame;
  theme->PaintWindow(0, frame.Canvas, "default", info);
  EXPECT_EQ(frame.At(35, 8), TColor(0x00C0FF)) << "the title is painted where it stands";
  EXPECT_NE(frame.At(5, 8), TColor(0x00C0FF));
}

// The region of a frame holding many leaves far larger than the window stays inside the
// window, and drawing for it is bounded by the window's area, however many leaves there are.
TEST(SkinFileTheme, RegionWorkIsBoundedByTheWindow) {
  TSfSkinSource source = MakeThemeSkin();
  auto* key = source.AddBitmap("dots", [] {
    TskPixels p;
    p.SetSize(4, 4);
    p.Fill(skKeyColor);
    p.SetPixel(1, 1, 0xFF204060);
    return p;
  }());
  (void)key;
  TSfSkinObject* form = source.ObjectByName("Form");
  for (int i = 0; i < 50; ++i) {
    auto leaf = std::make_unique<TSfBitmapObject>();
    leaf->FBitmap.Name = "dots";
    leaf->FBitmap.Rect = {0, 0, 4, 4};
    leaf->FLeft = -3000 + i;
    leaf->FTop = -2000;
    leaf->FWidth = 8000;
    leaf->FHeight = 8000;
    form->AddChild(std::move(leaf));
  }
  auto theme = Theme(std::move(source));
  const TskWindowInfo info = SkWindowInfo(kWindow, L"", kNormal, wsActive);
  const std::vector<TskRect> region = theme->WindowRegion(0, info, "default");
  ASSERT_FALSE(region.empty());
  for (const TskRect& r : region) {
    ASSERT_TRUE(RectContains(r, kWindow)) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
  }
  TSfPixelTextEngine text;
  TSfSkinObject& frame = *theme->Cached(ceForm);
  TSfRegionBuilder builder(kWindow, text);
  frame.AddTreeRegion(builder);
  EXPECT_LE(builder.Rendered(), kSfRegionRenderBudget * RectWidth(kWindow) * RectHeight(kWindow));
  EXPECT_EQ(builder.Runs(), region);
}

} // namespace
