#pragma once
// TMxEditLayout: the geometry of the single-line edit, free of any drawing: the three
// rectangles, where the text starts for an alignment, the caret's x with the horizontal
// scrolling that keeps it visible, hit-testing from x to a caret position, the selection
// box and the automatic height. Pixels in client coordinates; positions are 1-based caret
// positions (the gap before character p).
#include "maskedit/engine/MxBaseEdit.h"
#include "maskedit/look/Mx3DCaption.h"
#include "maskedit/look/MxBevelCanvas.h"
#include "maskedit/look/MxPrefixWidths.h"

struct TMxEditRects {
  TMxRect FrameClient; // the client rectangle less the frame
  TMxRect Edit;        // background and text area (less embedded buttons)
  TMxRect Text;        // where text is laid out and clipped
};

// The caret after scrolling: the new scroll offset, whether it changed (the text must be
// drawn again) and the caret's x (the platform caret goes to X + 1).
struct [[nodiscard]] TMxCaretPlacement {
  int ScrollOffset = 0;
  bool Scrolled = false;
  int X = 0;
};

struct TMxSelectionBox {
  bool Visible = false;
  TMxRect Box;      // filled with the highlight colour
  TMxRect TextArea; // where the selected characters are drawn again
  int First = 1;    // first selected character
  int Count = 0;    // selected characters drawn
};

class TMxEditLayout {
public:
  // frameClient: the client rectangle less the frame. buttonsWidth: pixels taken from the
  // right by embedded buttons. narrowHeight: no vertical inset. themed: a platform theme
  // draws the frame (the text moves one more pixel in from the left and top).
  static TMxEditRects Rects(const TMxRect& frameClient, int buttonsWidth, bool narrowHeight, bool themed);

  // Where the aligned text starts (no 3D correction).
  static int TextOrigin(TMxAlignment alignment, const TMxRect& text, int textWidth);

  // Scrolls so that the caret stays inside the text rectangle. caretPos is 1-based.
  static TMxCaretPlacement PlaceCaret(TMxAlignment alignment, const TMxRect& text,
                                      const TMxPrefixWidths& widths, int caretPos, int scrollOffset,
                                      const TMx3DCaption& font3d);

  // The caret position nearest to x: the first character whose middle is at or right of
  // x, or Length + 1.
  static int CharIndexFromX(TMxAlignment alignment, const TMxRect& text, const TMxPrefixWidths& widths, int x,
                            int scrollOffset);

  // The left edge of the drawn text (scrolling and alignment applied).
  static int DrawOrigin(TMxAlignment alignment, const TMxRect& text, int textWidth, int scrollOffset);

  // The selection box for the text drawn from textLeft (see DrawOrigin).
  static TMxSelectionBox Selection(const TMxRect& text, int textLeft, const TMxPrefixWidths& widths,
                                   int selStart, int selLength, int textHeight, const TMx3DCaption& font3d);

  // The height AutoSize gives for a font whose "Qp" is textHeight pixels tall.
  static int AutoHeight(int textHeight, bool windowsBevel, int frameWidth);
};
