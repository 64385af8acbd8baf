#include "maskedit/look/MxEditLayout.h"

#include <algorithm>
#include <cstdlib>

TMxEditRects TMxEditLayout::Rects(const TMxRect& frameClient, int buttonsWidth, bool narrowHeight,
                                  bool themed) {
  TMxEditRects r;
  r.FrameClient = frameClient;
  r.Edit = frameClient;
  r.Edit.Right -= std::max(0, buttonsWidth);
  const int v = narrowHeight ? 0 : 1;
  r.Text = {r.Edit.Left + 1, r.Edit.Top + v, r.Edit.Right - 1, r.Edit.Bottom - v};
  if (themed) {
    ++r.Text.Left;
    ++r.Text.Top;
  }
  return r;
}

namespace {

// Text wider than its rectangle is laid out from the left and scrolled, whatever the
// alignment: right-aligned it could never show its start, centred its caret and its drawing
// would scroll at different rates.
bool Fits(const TMxRect& text, int textWidth) { return textWidth <= text.Right - text.Left; }
TMxAlignment Effective(TMxAlignment alignment, const TMxRect& text, int textWidth) {
  return Fits(text, textWidth) ? alignment : taLeftJustify;
}

} // namespace

int TMxEditLayout::TextOrigin(TMxAlignment alignment, const TMxRect& text, int textWidth) {
  switch (Effective(alignment, text, textWidth)) {
  case taRightJustify: return text.Right - textWidth;
  case taCenter: return text.Left + (text.Right - text.Left - textWidth) / 2;
  default: return text.Left;
  }
}

namespace {

int CaretX(TMxAlignment alignment, const TMxRect& t, const TMxPrefixWidths& widths, int caretPos, int scroll,
           int x0, bool emptyGivesOrigin, const TMx3DCaption& font3d) {
  int cx;
  if (widths.Count() == 0) {
    if (emptyGivesOrigin) {
      cx = x0;
    } else {
      cx = alignment == taRightJustify ? t.Right
           : alignment == taCenter     ? t.Left + (t.Right - t.Left) / 2
                                       : t.Left;
    }
  } else {
    cx = widths.Width(caretPos - 1) - scroll + x0;
  }
  if ((font3d.Style() == tdExtrude || font3d.Style() == tdExtrudeEnh) &&
      (font3d.Orientation() == toBottomLeft || font3d.Orientation() == toTopLeft)) {
    cx += font3d.ShadowDepth();
  }
  return cx;
}

} // namespace

TMxCaretPlacement TMxEditLayout::PlaceCaret(TMxAlignment alignment, const TMxRect& t,
                                            const TMxPrefixWidths& widths, int caretPos, int scrollOffset,
                                            const TMx3DCaption& font3d) {
  const int textWidth = widths.Width(widths.Count());
  alignment = Effective(alignment, t, textWidth);
  int x0 = TextOrigin(alignment, t, textWidth);
  switch (font3d.Style()) {
  case tdSunken:
  case tdSunkenShadow: x0 += font3d.ShadowDepth(); break;
  case tdRaised:
  case tdRaisedShadow: x0 += font3d.LightDepth(); break;
  default: break;
  }
  --x0;
  TMxCaretPlacement p;
  // Text that fits is never scrolled (an offset left from a longer text goes).
  p.ScrollOffset = Fits(t, textWidth) ? 0 : std::max(0, scrollOffset);
  p.Scrolled = p.ScrollOffset != scrollOffset;
  const int cx = CaretX(alignment, t, widths, caretPos, p.ScrollOffset, x0, false, font3d);
  if (cx > t.Right) {
    p.ScrollOffset += cx - t.Right + t.Left + 2;
    p.Scrolled = true;
  } else if (cx < t.Left && p.ScrollOffset != 0) {
    p.ScrollOffset = std::max(0, p.ScrollOffset - (std::abs(cx) + t.Left + 2));
    p.Scrolled = true;
  }
  p.X = CaretX(alignment, t, widths, caretPos, p.ScrollOffset, x0, true, font3d);
  return p;
}

int TMxEditLayout::CharIndexFromX(TMxAlignment alignment, const TMxRect& text, const TMxPrefixWidths& widths,
                                  int x, int scrollOffset) {
  const int x0 = TextOrigin(alignment, text, widths.Width(widths.Count()));
  // middle(i) - scroll + x0 >= x  <=>  middle(i) >= x + scroll - x0
  const long long target = static_cast<long long>(x) + scrollOffset - x0;
  const int t = static_cast<int>(std::clamp<long long>(target, -0x40000000LL, 0x40000000LL));
  return widths.FirstMiddleAtOrAfter(t);
}

int TMxEditLayout::DrawOrigin(TMxAlignment alignment, const TMxRect& text, int textWidth, int scrollOffset) {
  const int left = text.Left - scrollOffset;
  switch (Effective(alignment, text, textWidth)) {
  case taRightJustify: return text.Right - textWidth;
  case taCenter: return left + (text.Right - left - textWidth) / 2;
  default: return left;
  }
}

TMxSelectionBox TMxEditLayout::Selection(const TMxRect& text, int textLeft, const TMxPrefixWidths& widths,
                                         int selStart, int selLength, int textHeight,
                                         const TMx3DCaption& font3d) {
  TMxSelectionBox s;
  const int n = widths.Count();
  const int first = std::max(1, selStart);
  const long long last = std::min<long long>(static_cast<long long>(selStart) + selLength - 1, n);
  if (selLength <= 0 || first > n || last < first) {
    return s;
  }
  int a = 0, b = 0;
  font3d.SelectionOffsets(a, b);
  const int left = textLeft + widths.Width(first - 1);
  const int right = std::min(textLeft + widths.Width(last), text.Right);
  const int bottom = std::min(text.Top + textHeight + a + b, text.Bottom);
  // Extruded text leaning left starts further right: the box follows it.
  int shift = a;
  if (font3d.Style() == tdExtrudeEnh &&
      (font3d.Orientation() == toBottomLeft || font3d.Orientation() == toTopLeft)) {
    shift = a + b;
  }
  s.Visible = true;
  s.Box = {left + shift, text.Top, right + shift, bottom};
  s.TextArea = {left, text.Top, right + a + b, text.Bottom};
  s.First = first;
  s.Count = static_cast<int>(last - first + 1);
  return s;
}

int TMxEditLayout::AutoHeight(int textHeight, bool windowsBevel, int frameWidth) {
  return textHeight * 5 / 4 + (windowsBevel ? 5 : 2 * frameWidth);
}
