// The option objects' clamping and notifications, snapping to the work area, font adjustments,
// the shadow's taper, and the frame drag: moves, sizes in every direction against the minimum
// track size, and the drags a window's state or options refuse.
#include "form/SkFormOptions.h"
#include "form/SkFrameDrag.h"
#include "theme/SkTheme.h"

#include <gtest/gtest.h>

namespace {

TEST(SkFormOptions, ValuesAreClampedAndChangesTold) {
  int changes = 0;
  TSkBlending blending;
  blending.OnChange = [&] { ++changes; };
  blending.SetValue(300);
  EXPECT_EQ(blending.Value(), 255);
  blending.SetValue(-5);
  EXPECT_EQ(blending.Value(), 0);
  blending.SetValue(0); // no change, no word
  EXPECT_EQ(changes, 2);

  TSkShadow shadow;
  shadow.SetEnabled(true);
  EXPECT_TRUE(shadow.Enabled());
  shadow.SetSize(25);
  EXPECT_EQ(shadow.Size(), 20);
  shadow.SetSize(0);
  EXPECT_FALSE(shadow.Enabled());
  shadow.SetEnabled(true); // a shadow of no size cannot be switched on
  EXPECT_FALSE(shadow.Enabled());
  EXPECT_EQ(shadow.Size(), 0);

  TSkGravitation gravitation;
  for (auto [in, out] : {std::pair{0, 1}, {1, 1}, {20, 20}, {51, 50}, {-7, 1}}) {
    gravitation.SetSize(in);
    EXPECT_EQ(gravitation.Size(), out) << in;
  }
}

TEST(SkFormOptions, FontOptionsAddButNeverRemoveStyles) {
  TSkFontOptions options;
  TskFontDesc font;
  font.Style = fsBold;
  options.SetItalic(true);
  options.SetSizeDelta(2);
  options.ApplyTo(font);
  EXPECT_EQ(font.Style, fsBold | fsItalic);
  EXPECT_EQ(font.Size, 10);
  EXPECT_EQ(font.Name, "Tahoma");
  options.SetFontName("Verdana");
  options.SetFontColor(0x0000FF);
  options.ApplyTo(font);
  EXPECT_EQ(font.Name, "Verdana");
  EXPECT_EQ(font.Color, 0x0000FFu);
}

TEST(SkFormOptions, AssigningABundleCopiesAndTellsOnce) {
  TSkFormOptions from, to;
  from.Blending.SetEnabled(true);
  from.Blending.SetValue(90);
  from.Shadow.SetEnabled(true);
  from.Shadow.SetSize(7);
  int told = 0;
  to.OnChange = [&] { ++told; };
  to.Assign(from);
  EXPECT_TRUE(to.Blending.Enabled());
  EXPECT_EQ(to.Blending.Value(), 90);
  EXPECT_TRUE(to.Shadow.Enabled());
  EXPECT_EQ(to.Shadow.Size(), 7);
  EXPECT_EQ(told, 1);
}

TEST(SkFormOptions, GravitationSnapsToTheNearerEdgesLeftAndTopFirst) {
  const TskRect area{0, 0, 1000, 800};
  TSkGravitation g;
  struct TRow {
    TskRect In, Out;
  } rows[] = {
      {{19, 100, 319, 300}, {0, 100, 300, 300}},     // 19 px from the left edge: snaps
      {{20, 100, 320, 300}, {20, 100, 320, 300}},    // 20 px: does not
      {{10, 100, 995, 300}, {0, 100, 985, 300}},     // both near: the left edge wins
      {{600, 100, 990, 300}, {610, 100, 1000, 300}}, // right edge
      {{600, -15, 990, 200}, {610, 0, 1000, 215}},   // above the top
      {{300, 500, 500, 790}, {300, 510, 500, 800}},  // bottom
      {{300, 300, 500, 500}, {300, 300, 500, 500}},  // far from every edge
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(SkGravitate(r.In, area, g), r.Out) << r.In.Left << "," << r.In.Top;
  }
  g.SetEnabled(false);
  EXPECT_EQ(SkGravitate(rows[0].In, area, g), rows[0].In);
  // With a shadow the right edge is tested without it.
  g.SetEnabled(true);
  EXPECT_EQ(SkGravitate({600, 100, 1010, 300}, area, g, 4), (TskRect{594, 100, 1004, 300}));
}

TEST(SkFormOptions, ShadowTaperFromTheOuterEdgeInwards) {
  EXPECT_EQ(SkShadowOpacity(0), 8);
  EXPECT_EQ(SkShadowOpacity(1), 58);
  EXPECT_EQ(SkShadowOpacity(2), 108);
  EXPECT_EQ(SkShadowOpacity(3), 128);
}

TskDragStart Start(std::uint8_t code) {
  TskDragStart s;
  s.Code = code;
  s.Pointer = {500, 400};
  s.Bounds = {300, 200, 700, 500}; // 400 x 300
  s.MinTrack = {100, 40};
  return s;
}

TEST(SkFrameDrag, EachEdgeAndCornerSizesAgainstTheMinimum) {
  struct TRow {
    std::uint8_t Code;
    TskPoint To;
    TskRect Bounds;
  } rows[] = {
      {khtCaption, {510, 380}, {310, 180, 710, 480}},  {khtLeft, {450, 400}, {250, 200, 700, 500}},
      {khtLeft, {900, 400}, {600, 200, 700, 500}}, // past the minimum: the right edge stays
      {khtRight, {560, 400}, {300, 200, 760, 500}},    {khtRight, {0, 400}, {300, 200, 400, 500}},
      {khtTop, {500, 900}, {300, 460, 700, 500}},      {khtBottom, {500, 430}, {300, 200, 700, 530}},
      {khtTopLeft, {490, 390}, {290, 190, 700, 500}},  {khtBottomRight, {520, 420}, {300, 200, 720, 520}},
      {khtTopRight, {520, 380}, {300, 180, 720, 500}}, {khtBottomLeft, {480, 420}, {280, 200, 700, 520}},
  };
  for (const TRow& r : rows) {
    TskFrameDrag drag;
    drag.Begin(Start(r.Code));
    ASSERT_TRUE(drag.Active());
    EXPECT_EQ(drag.Move(r.To), r.Bounds) << int(r.Code) << " to " << r.To.X << "," << r.To.Y;
  }
}

TEST(SkFrameDrag, RefusedDragsChangeNothing) {
  TskFrameDrag drag;
  drag.Begin(Start(khtClose));
  EXPECT_FALSE(drag.Active());
  TskDragStart s = Start(khtCaption);
  s.Moveable = false;
  drag.Begin(s);
  EXPECT_FALSE(drag.Move({600, 400}));
  s = Start(khtRight);
  s.Sizeable = false;
  drag.Begin(s);
  EXPECT_FALSE(drag.Move({600, 400}));
  s = Start(khtRight);
  s.State = kwsMaximized;
  drag.Begin(s);
  EXPECT_FALSE(drag.Move({600, 400}));
  drag.End();
  EXPECT_FALSE(drag.Active());
}

TEST(SkFrameDrag, CaptionDragSnapsWithGravitation) {
  TskFrameDrag drag;
  drag.Begin(Start(khtCaption));
  TSkGravitation g;
  const TskRect area{0, 0, 1280, 1000};
  // 300 + (-285) = 15 px from the left edge: snapped to it.
  EXPECT_EQ(drag.Move({215, 400}, &g, &area), (TskRect{0, 200, 400, 500}));
}

} // namespace
