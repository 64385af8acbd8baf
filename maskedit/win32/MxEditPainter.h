#pragma once
// TMxEditPainter: how the masked edit window (TMxMaskEdit) is drawn. It keeps what painting needs between
// paints (the off-screen buffer used while the edit has the focus, a measuring device context with the edit's
// font, the prefix-width table of the shown text, the cached text height and the background brush) and draws
// the text area: background, the text in its 3D layers, the selection box and the selected text over it.
//
// Widths are kept per text and font in the prefix-width table (TMxPrefixWidths), so
// painting and hit-testing never measure a prefix twice. While the buffer exists, the
// text area is composed in it and copied to the screen in one step.
#include "framework/Colors.h"
#include "framework/win32/Handles.h"
#include "maskedit/engine/MxCustomMaskEdit.h"
#include "maskedit/look/Mx3DCaption.h"
#include "maskedit/look/MxEditLayout.h"
#include "maskedit/look/MxPrefixWidths.h"
#include "maskedit/win32/MxCaret.h"

#include <memory>
#include <string_view>

// What the painter asks of the window it draws.
class IMxEditPaintHost {
public:
  virtual ~IMxEditPaintHost() = default;
  // The window; null while it does not exist.
  virtual HWND Window() const = 0;
  virtual RECT ClientRect() const = 0;
  // The font to draw with (null: the default GUI font).
  virtual HFONT Font() const = 0;
  virtual TColor TextColor() const = 0;
  virtual TColor BackColor() const = 0;
  virtual bool Enabled() const = 0;
  virtual const TMxEditRects& Rects() const = 0;
  virtual TColor HighlightBack() const = 0;
  virtual TColor HighlightText() const = 0;
  // A transparent window fills rect with what lies behind it and answers true; an opaque
  // one answers false and the painter fills with BackColor.
  virtual bool FillTransparent(HDC dc, const RECT& rect) = 0;
  // Draws into the edit area before the text.
  virtual void PaintBeforeText(HDC dc, const RECT& editRect) = 0;
};

class TMxEditPainter {
public:
  TMxEditPainter(IMxEditPaintHost& host, const TMxCustomMaskEdit& edit, const TMx3DCaption& font3D,
                 const TMxCaret& caret)
      : FHost(host), FEdit(edit), FFont3D(font3D), FCaret(caret) {}
  ~TMxEditPainter();
  TMxEditPainter(const TMxEditPainter&) = delete;
  TMxEditPainter& operator=(const TMxEditPainter&) = delete;

  // --- off-screen buffer ---------------------------------------------------------------------
  // Makes (or keeps) a buffer of the client size and fills it with the background; false
  // when no buffer could be made (paints then go straight to the screen).
  bool PrepareBuffer();
  void ReleaseBuffer();
  // Puts back what the device contexts had selected before the edit's window goes.
  void ReleaseSelections();
  bool BufferActive() const { return static_cast<bool>(FBuffer); }
  HDC BufferDC() const { return FBufferDC.Get(); }

  // --- measuring -----------------------------------------------------------------------------
  // The prefix widths of the shown text, measured when the text or the font changed.
  const TMxPrefixWidths& Widths();
  // Height of a line in the edit's font, plus the shadow of the shadowed 3D styles.
  int TextHeight();
  // The font or the 3D caption changed: measure again.
  void FontChanged();
  void Font3DChanged();

  // --- drawing -------------------------------------------------------------------------------
  void FillBackground(HDC dc, const RECT& rect);
  // Draws the text area into target (through the buffer while it exists).
  void DrawTextArea(HDC target);

private:
  HDC MeasureDC();
  int FontKeyHeight();
  void DrawLayers(HDC dc, const RECT& clip, int x, int y, int first, int count, TColor color, bool disabled);

  IMxEditPaintHost& FHost;
  const TMxCustomMaskEdit& FEdit;
  const TMx3DCaption& FFont3D;
  const TMxCaret& FCaret;
  TBrushHandle FBackBrush;
  TColor FBackBrushColor = 0;
  TMxPrefixWidths FWidths;
  unsigned FFontGeneration = 1;
  int FTextHeight = -1; // cached height of the font's text; -1: measure again
  TMemoryDC FMeasureDC;
  std::unique_ptr<TSelectGuard> FMeasureFont;
  TMemoryDC FBufferDC;
  TBitmapHandle FBuffer;
  std::unique_ptr<TSelectGuard> FBufferSelect;
};
