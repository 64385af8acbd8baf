#pragma once
// TMxSpeedButton: a small non-windowed button drawn inside its parent (the custom buttons
// of an edit). This class holds its settings, its states and its click logic; the parent
// window forwards mouse events and timer ticks to it and paints it by Look().
//
// Coordinates are pixels in the parent's client area. Times are milliseconds from any
// fixed origin (the window passes its tick count, tests a clock of their own); the
// button never reads a clock itself.
#include "framework/Cursors.h"
#include "framework/Font.h"
#include "maskedit/look/Mx3DCaption.h"
#include "maskedit/look/MxGlyph.h"

#include <cstdint>
#include <functional>
#include <string>

enum TMxUserButtonStyle {
  ubsWin31,
  ubsWin40,
  ubsCorvel,
  ubsCorvelFlat,
  ubsFlat,
  ubsFlatUnColored,
  ubsNavigator,
  ubsExplorer,
  ubsExplorerColored,
  ubsIntegrated,
  ubsCombo,
  ubsOffice,
  ubsOfficeTransp,
  ubsWin40Ext,
};

// Arrangement of glyph and caption on a button.
enum TMxButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// What the button looks like now, in order of precedence.
enum TMxSpeedButtonLook { sblNormal, sblHot, sblPressed, sblLatched, sblDisabled };

// Where a button's glyph and caption go inside its content rectangle.
struct TMxButtonContent {
  int GlyphX = 0, GlyphY = 0;
  // The caption's box, cut to the content rectangle (empty when there is no room).
  int TextLeft = 0, TextTop = 0, TextRight = 0, TextBottom = 0;
};
// Places a glyph of glyphW x glyphH (none when either is 0) and a caption of textW x textH
// (none when either is 0) in [left, right) x [top, bottom) by layout, spacing pixels apart,
// the pair centred. A pair wider or taller than the rectangle starts at its left or top
// edge, and the caption is cut.
TMxButtonContent MxArrangeButtonContent(int left, int top, int right, int bottom, int glyphW, int glyphH,
                                        int textW, int textH, TMxButtonLayout layout, int spacing = 2);

class TMxSpeedButton {
public:
  using TNotify = std::function<void(TMxSpeedButton* sender)>;
  // A drop-down menu is to be shown with its top-left corner at (x, y); returns when the
  // menu has closed.
  using TPopup = std::function<void(TMxSpeedButton* sender, int x, int y)>;

  static constexpr int DefaultRepeatingDelay = 500;
  static constexpr int DefaultRepeatingInterval = 100;
  static constexpr int HoverCheckInterval = 100;

  // --- place -------------------------------------------------------------------------
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Contains(int x, int y) const { return x >= Left && x < Left + Width && y >= Top && y < Top + Height; }

  // --- settings ----------------------------------------------------------------------
  std::string Caption;
  std::string Hint;
  TMxUserButtonStyle Style = ubsIntegrated;
  TMxButtonLayout Layout = blGlyphLeft;
  TMxGlyph Glyph;
  // The caption's font and colour; the edit's font while ParentFont is set.
  TFontData Font;
  bool ParentFont = true;
  // The 3D look of the caption.
  TMx3DCaption FontFX;
  // The pointer over the button.
  TCursor Cursor = crArrow;
  int Tag = 0;
  bool GetEnabled() const { return FEnabled; }
  // Disabling drops the hot and pressed states and any click in progress.
  void SetEnabled(bool value);
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool GetDown() const { return FDown; }
  // Latching a grouped button fires OnLatched so that its group releases the others.
  void SetDown(bool value);
  bool RepeatedClick = false;
  int RepeatingDelay = DefaultRepeatingDelay;
  int RepeatingInterval = DefaultRepeatingInterval;
  // Drop-down: with HasDropDownMenu, pressing (with DropDownCombo only the arrow part at
  // the right, DropDownComboWidth pixels wide) shows the menu instead of clicking.
  bool HasDropDownMenu = false;
  bool DropDownCombo = false;
  int DropDownComboWidth = 12;
  int DropDownIndent = 0;
  bool DropDownRight = false;

  // --- events --------------------------------------------------------------------------
  TNotify OnClick;
  TNotify OnMouseEnter;
  TNotify OnMouseExit;
  TNotify OnDropDown;
  TPopup OnPopup;
  TNotify OnLatched;
  // Asks for a repaint after a change of Look().
  TNotify OnInvalidate;

  // --- state ---------------------------------------------------------------------------
  bool Hot() const { return FHot; }
  bool Pressed() const { return FTracking && FMouseInside; }
  bool Tracking() const { return FTracking; }
  TMxSpeedButtonLook Look() const;
  // Where the drop-down menu opens.
  int PopupX() const { return DropDownRight ? Left + Width : Left + DropDownIndent; }
  int PopupY() const { return DropDownRight ? Top + DropDownIndent : Top + Height; }

  // --- input -------------------------------------------------------------------------
  // The pointer moved to (x, y) (also while the left button is held).
  void MouseMove(int x, int y);
  // The pointer left the parent, or the hover check found it outside.
  void MouseLeave();
  // The periodic hover check: leaves the hot state when the pointer is no longer over
  // the button.
  void HoverCheck(int x, int y);
  // Left button pressed at (x, y), inside the button; false when the button ignored it
  // (disabled, or outside).
  bool MouseDown(int x, int y, std::int64_t now);
  // Left button released at (x, y).
  void MouseUp(int x, int y, std::int64_t now);
  // The repeat timer: fires at most one click when one is due.
  void Tick(std::int64_t now);
  // When the next repeated click is due; -1 when none is pending.
  std::int64_t NextRepeatDue() const { return FTracking && RepeatedClick ? FNextRepeat : -1; }
  // A capture taken away (another window, Escape): the click in progress ends without a click.
  void CancelMode();
  // Fires the click as if the button had been clicked (grouping included).
  void Click();

private:
  void SetHot(bool value);
  void Invalidate();

  bool FEnabled = true;
  bool FDown = false;
  bool FHot = false;
  bool FTracking = false;
  bool FMouseInside = false;
  std::int64_t FNextRepeat = 0;
};
