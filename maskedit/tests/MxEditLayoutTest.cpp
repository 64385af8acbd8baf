// Geometry of the edit with a fixed-pitch measure (7 pixels per character) and the text
// rectangle (1,1)-(101,20).
#include "maskedit/look/MxEditLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const TMxRect kText{1, 1, 101, 20};

TMxPrefixWidths Fixed(const std::string& text, int pitch = 7) {
  TMxPrefixWidths w;
  w.Update(text, 1, [pitch](std::string_view s, std::vector<int>& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
      out.push_back(static_cast<int>(i + 1) * pitch);
    }
  });
  return w;
}

TEST(MxPrefixWidths, RemeasuresOnlyFromTheFirstChange) {
  TMxPrefixWidths w;
  std::size_t measured = 0;
  auto measure = [&](std::string_view s, std::vector<int>& out) {
    measured += s.size();
    out.clear();
    int x = 0;
    for (char c : s) {
      out.push_back(x += (c == 'W' ? 11 : 5));
    }
  };
  w.Update("abcdef", 1, measure);
  EXPECT_EQ(measured, 6u);
  w.Update("abcdefg", 1, measure); // typed at the end
  EXPECT_EQ(measured, 7u);
  w.Update("abWdefg", 1, measure); // changed in the middle
  EXPECT_EQ(measured, 12u);
  EXPECT_EQ(w.Width(3), 21);
  EXPECT_EQ(w.Width(7), 41);
  EXPECT_EQ(w.CharWidth(3), 11);
  w.Update("abWdefg", 1, measure); // unchanged
  EXPECT_EQ(measured, 12u);
  w.Update("abWdefg", 2, measure); // another font
  EXPECT_EQ(measured, 19u);
  w.Update("ab", 2, measure); // shortened: nothing to measure
  EXPECT_EQ(measured, 19u);
  EXPECT_EQ(w.Count(), 2);
  EXPECT_EQ(w.Width(99), 10);
  EXPECT_EQ(w.Width(-5), 0);
}

TEST(MxEditLayout, Rects) {
  const TMxEditRects plain = TMxEditLayout::Rects({0, 0, 109, 17}, 0, false, false);
  EXPECT_EQ(plain.Text, (TMxRect{1, 1, 108, 16}));
  const TMxEditRects narrow = TMxEditLayout::Rects({2, 2, 109, 17}, 20, true, true);
  EXPECT_EQ(narrow.Edit, (TMxRect{2, 2, 89, 17}));
  EXPECT_EQ(narrow.Text, (TMxRect{4, 3, 88, 17}));
}

TEST(MxEditLayout, CaretAndScrolling) {
  TMx3DCaption none;
  struct Row {
    TMxAlignment alignment;
    std::string text;
    int caret, scrollIn, scrollOut, caretX;
  } rows[] = {
      {taRightJustify, "12345", 6, 0, 0, 100}, // the caret at the end sits on the right edge (x + 1)
      {taLeftJustify, std::string(14, 'x'), 15, 0, 0, 98},
      {taLeftJustify, std::string(15, 'x'), 16, 0, 7, 98}, // the 15th character scrolls
      {taLeftJustify, std::string(20, 'x'), 21, 7, 42, 98},
      {taLeftJustify, std::string(20, 'x'), 1, 42, 0, 0}, // back to the start
      {taCenter, "ab", 3, 0, 0, 57},
      // Wider than the rectangle: laid out from the left and scrolled like left-aligned text,
      // so both ends can be reached; text that fits again drops a stale offset.
      {taRightJustify, std::string(20, 'x'), 21, 0, 42, 98},
      {taRightJustify, std::string(20, 'x'), 1, 42, 0, 0},
      {taCenter, std::string(20, 'x'), 21, 0, 42, 98},
      {taCenter, std::string(20, 'x'), 1, 42, 0, 0},
      {taRightJustify, "12345", 6, 42, 0, 100},
      {taLeftJustify, "12345", 6, 42, 0, 35},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text + " caret " + std::to_string(r.caret));
    TMxPrefixWidths w = Fixed(r.text);
    TMxCaretPlacement p = TMxEditLayout::PlaceCaret(r.alignment, kText, w, r.caret, r.scrollIn, none);
    EXPECT_EQ(p.ScrollOffset, r.scrollOut);
    EXPECT_EQ(p.Scrolled, r.scrollIn != r.scrollOut);
    EXPECT_EQ(p.X, r.caretX);
  }
  // Empty right-aligned text: the caret goes to the origin (right edge) less one, drawn at +1.
  TMxPrefixWidths empty = Fixed("");
  EXPECT_EQ(TMxEditLayout::PlaceCaret(taRightJustify, kText, empty, 1, 0, none).X + 1, kText.Right);
  // A sunken font moves the text right by the shadow depth.
  TMx3DCaption sunken;
  sunken.SetStyle(tdSunken);
  sunken.SetShadowDepth(2);
  EXPECT_EQ(TMxEditLayout::PlaceCaret(taLeftJustify, kText, Fixed("ab"), 3, 0, sunken).X, 14 + 1 + 2 - 1);
}

TEST(MxEditLayout, WideTextIsDrawnWhereItsCaretIs) {
  // 20 characters (140 pixels) in a 100-pixel rectangle, scrolled to show the end: every
  // alignment draws the text from the same origin the caret and the mouse use.
  const TMxPrefixWidths w = Fixed(std::string(20, 'x'));
  for (TMxAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
    SCOPED_TRACE(int(a));
    EXPECT_EQ(TMxEditLayout::DrawOrigin(a, kText, 140, 42), 1 - 42);
    EXPECT_EQ(TMxEditLayout::CharIndexFromX(a, kText, w, 98, 42), 21) << "the end is under the right edge";
    EXPECT_EQ(TMxEditLayout::CharIndexFromX(a, kText, w, 2, 0), 1) << "the start under the left edge";
  }
  // Text that fits keeps its alignment.
  EXPECT_EQ(TMxEditLayout::DrawOrigin(taRightJustify, kText, 35, 0), 101 - 35);
  EXPECT_EQ(TMxEditLayout::DrawOrigin(taCenter, kText, 30, 0), 1 + 35);
}

TEST(MxEditLayout, CharIndexFromX) {
  TMxPrefixWidths w = Fixed("abcdef");
  struct Row {
    int x, scroll, expected;
  } rows[] = {{10, 0, 2}, {4, 0, 1}, {5, 0, 1}, {6, 0, 2}, {-300, 0, 1}, {500, 0, 7}, {10, 14, 4}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.x);
    EXPECT_EQ(TMxEditLayout::CharIndexFromX(taLeftJustify, kText, w, r.x, r.scroll), r.expected);
  }
  // Right-aligned: the text ends at 101, so character 6 spans 94..101.
  EXPECT_EQ(TMxEditLayout::CharIndexFromX(taRightJustify, kText, w, 98, 0), 6);
  EXPECT_EQ(TMxEditLayout::CharIndexFromX(taRightJustify, kText, w, 99, 0), 7);
  EXPECT_EQ(TMxEditLayout::CharIndexFromX(taRightJustify, kText, w, 0x7FFF, 0x7FFFFFFF), 7);
}

TEST(MxEditLayout, SelectionBoxIsClippedAtTheRightEdge) {
  TMx3DCaption none;
  TMxPrefixWidths w = Fixed(std::string(30, 'x'));
  TMxSelectionBox s = TMxEditLayout::Selection(kText, 1, w, 3, 100, 13, none);
  ASSERT_TRUE(s.Visible);
  EXPECT_EQ(s.Box, (TMxRect{15, 1, 101, 14}));
  EXPECT_EQ(s.First, 3);
  EXPECT_EQ(s.Count, 28);
  EXPECT_FALSE(TMxEditLayout::Selection(kText, 1, w, 3, 0, 13, none).Visible);
  EXPECT_FALSE(TMxEditLayout::Selection(kText, 1, w, 3, -4, 13, none).Visible);
  EXPECT_FALSE(TMxEditLayout::Selection(kText, 1, w, 40, 2, 13, none).Visible);
  TMx3DCaption raised;
  raised.SetStyle(tdRaisedShadow);
  raised.SetLightDepth(1);
  raised.SetShadowDepth(2);
  TMxSelectionBox r = TMxEditLayout::Selection(kText, 1, w, 1, 2, 13, raised);
  EXPECT_EQ(r.Box, (TMxRect{2, 1, 16, 17}));
  EXPECT_EQ(r.TextArea, (TMxRect{1, 1, 18, 20}));
}

TEST(MxEditLayout, AutoHeight) {
  EXPECT_EQ(TMxEditLayout::AutoHeight(13, true, 0), 21);
  EXPECT_EQ(TMxEditLayout::AutoHeight(13, false, 2), 20);
}

TEST(Mx3DCaption, LayerPlans) {
  TMx3DCaption c;
  c.SetLightDepth(1);
  c.SetShadowDepth(2);
  const TColor text = 1, light = c.LightColor(), shadow = c.ShadowColor();
  struct Row {
    TMxThreeDStyle style;
    std::vector<TMxTextLayer> layers;
    int reduction;
  } rows[] = {
      {tdNone, {{0, 0, text}}, 0},
      {tdSunken, {{1, 1, light}, {0, 0, text}}, 1},
      {tdRaised, {{0, 0, light}, {1, 1, text}}, 1},
      {tdSunkenShadow, {{0, 0, shadow}, {3, 3, light}, {2, 2, text}}, 3},
      {tdRaisedShadow, {{3, 3, shadow}, {0, 0, light}, {1, 1, text}}, 3},
      {tdShadow, {{2, 2, shadow}, {0, 0, text}}, 2},
      {tdOutline, {{1, 1, text, true, 2}}, 0},
      {tdExtrude, {{1, 1, shadow}, {2, 2, shadow}, {2, 2, text}}, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.style);
    c.SetStyle(r.style);
    TMxTextLayerPlan plan = c.Layers(text, 0xFFFFFF, 0x808080);
    EXPECT_EQ(plan.Layers, r.layers);
    EXPECT_EQ(plan.RightReduction, r.reduction);
  }
  // The enhanced extrusion blends from the light colour (farthest) to the shadow (nearest).
  c.SetStyle(tdExtrudeEnh);
  c.SetOrientation(toBottomRight);
  TMxTextLayerPlan plan = c.Layers(text, 0xFFFFFF, 0x000000);
  ASSERT_EQ(plan.Layers.size(), 3u);
  EXPECT_EQ(plan.Layers[0], (TMxTextLayer{2, 2, 0x808080}));
  EXPECT_EQ(plan.Layers[1], (TMxTextLayer{1, 1, 0x000000}));
  EXPECT_EQ(plan.Layers[2], (TMxTextLayer{1, 1, text}));
  // A disabled text drawn in 3D is sunken whatever the style.
  c.SetStyle(tdShadow);
  EXPECT_EQ(c.Layers(text, 0, 0, true).Layers, (std::vector<TMxTextLayer>{{1, 1, light}, {0, 0, text}}));
}

} // namespace
