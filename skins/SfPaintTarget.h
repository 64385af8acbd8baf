#pragma once
// TSfPaintTarget: draws skin object trees onto a paint canvas. The tree is laid out in an
// off-screen image of the target rectangle's size and rendered there (transparent where the
// tree draws nothing); the canvas then draws the image with its alpha and, on top, the texts
// the tree asked for, through its own text output and fonts.
#include "skins/SfSkinObject.h"
#include "theme/SkPaintCanvas.h"

#include <array>
#include <vector>

// The text engine of a paint: measures through the canvas (or the pixel font when there is
// none) and keeps the texts to be drawn until the image is on the canvas.
class TSfCanvasText : public ISfTextEngine {
public:
  void Bind(ISkPaintCanvas* canvas) { FCanvas = canvas; }
  std::int32_t TextWidth(const std::wstring& text, const TSfFont& font) override;
  std::int32_t TextHeight(const TSfFont& font) override;
  void DrawText(TskPixels& target, const std::wstring& text, std::int32_t x, std::int32_t y,
                const TSfFont& font, TColor color, const TskRect& clip) override;
  // Draws the kept texts moved by (dx, dy) and forgets them.
  void Flush(ISkPaintCanvas& canvas, std::int32_t dx, std::int32_t dy);

  static TskFontDesc FontDesc(const TSfFont& font);

private:
  struct TText {
    std::wstring Text;
    std::int32_t X, Y;
    TSfFont Font;
    TColor Color;
    TskRect Clip;
  };
  ISkPaintCanvas* FCanvas = nullptr;
  TSfPixelTextEngine FPixelFont;
  std::vector<TText> FTexts;
  std::size_t FRecorded = 0;

public:
  // Texts recorded since the engine was made.
  std::size_t Recorded() const { return FRecorded; }
};

class TSfPaintTarget {
public:
  // Lays `node` out over `rect` (window coordinates; nothing moves when the node is already
  // there) and draws it there; `clip` (window coordinates, none when
  // empty) limits what is drawn. A visible `hole` (a node of the tree that draws nothing, such
  // as a frame's client placeholder) is left out of the image: only the parts around it are
  // drawn and handed to the canvas.
  void Draw(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect, const TskRect& clip = {},
            const TSfSkinObject* hole = nullptr);
  // As Draw without a clip, keeping the image: the next call for the same node, size and key
  // (non-zero; the caller changes it whenever the node could draw differently) hands the kept
  // image to the canvas again without drawing it. Nodes that draw texts are not kept.
  void DrawKept(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect, const TSfSkinObject* hole,
                std::uint64_t key);
  // Draws `node` (already laid out in its own coordinates) at the rectangle's top-left,
  // through an image of the node's size turned as asked: 0 none, 1 a quarter turn clockwise,
  // 2 a quarter turn counter-clockwise, 3 flipped top to bottom.
  void DrawTurned(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect, int turn);
  TSfCanvasText& Text() { return FText; }

private:
  void HandOver(ISkPaintCanvas& canvas, const TskRect& rect);

  // What DrawKept keeps: the parts of the image handed over, and what it was drawn for.
  std::array<TskRect, 4> FParts{};
  std::size_t FPartCount = 0;
  const TSfSkinObject* FKeptNode = nullptr;
  std::int32_t FKeptW = 0, FKeptH = 0;
  std::uint64_t FKeptKey = 0;
  // Kept between paints, grown to the largest image asked for; each paint draws into a view.
  TskPixels FBuffer, FTurned;
  TSfCanvasText FText;
};

// Lays a tree out from its root down, whether or not rectangles changed.
void SfLayoutTree(TSfSkinObject& node, ISfTextEngine* text);
