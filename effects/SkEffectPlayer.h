#pragma once
// TskEffectPlayer: one transition between two images, frame by frame. It owns copies of both
// images, the work bitmap and the effect's buffers, and composes each frame through the pixel
// layer's row kernels: the old image, then the new one shown through a mask (with resolution,
// tiles and rotation), a map, the effect's own drawing, or a threshold picture.
#include "effects/SkAnimationRec.h"
#include "effects/SkEffects.h"
#include "theme/SkPixels.h"

#include <cstdint>
#include <vector>

// How a slot composes: by the category of its effect, or the threshold picture of the record.
enum class TskEffectKind : std::uint8_t { ekMask, ekMap, ekManual, ekBitmap };

// The grid of an image: (width / resolution / tiles + 1) x (height / resolution / tiles + 1)
// cells. A mask tile covers resolution x cells pixels; a map tile image / tiles + 1 pixels.
struct TskGridGeometry {
  int Width = 0, Height = 0;
  int MaskTileWidth = 0, MaskTileHeight = 0;
  int MapTileWidth = 0, MapTileHeight = 0;
};
TskGridGeometry SkGridGeometry(int imageWidth, int imageHeight, int resolution, int tileCount);

// The grid an effect draws on for a rotation: swapped for a quarter turn.
void SkRotatedGridSize(int width, int height, TskRotation rotation, int& rotatedWidth, int& rotatedHeight);
// The cell of the rotated grid that cell (x, y) of the W x H grid shows:
//   krRotate90 (H - 1 - y, x), krRotate180 (W - 1 - x, H - 1 - y), krRotate270 (y, W - 1 - x).
void SkRotatedCell(int width, int height, TskRotation rotation, int x, int y, int& rx, int& ry);
// mask(x, y) := rotated(SkRotatedCell(x, y)) for every cell of the W x H mask.
void SkRotateMask(const std::uint8_t* rotated, std::uint8_t* mask, int width, int height,
                  TskRotation rotation);

class TskEffectPlayer {
public:
  // Copies the record and both images. False (nothing to play) when an image is empty or the
  // kind has no procedure in def.
  bool Start(const TskAnimationRec& rec, const TskPixels& next, const TskPixels& old, TskEffectKind kind,
             const TskEffectDef& def);
  // The work bitmap at `percent` (0..100).
  void Frame(int percent);
  // The new image blended over the last frame.
  void Final();

  const TskPixels& Work() const { return FWork; }
  TskEffectKind Kind() const { return FKind; }
  const TskGridGeometry& Geometry() const { return FGeometry; }
  // The mask of the last mask or bitmap frame (Geometry().Width x Height cells).
  const std::vector<std::uint8_t>& Mask() const { return FMask; }
  const std::vector<TskMapCell>& Map() const { return FMap; }

private:
  void ComputeMask(int percent);
  void ComposeMask();
  void ComposeMap(int percent);

  TskAnimationRec FRec;
  TskPixels FNext, FOld, FWork;
  TskEffectKind FKind = TskEffectKind::ekMask;
  TskEffectDef FDef{};
  TskGridGeometry FGeometry;
  TskEffectState FState;
  std::vector<std::uint8_t> FMask, FRotated, FThreshold;
  std::vector<TskMapCell> FMap, FMapRotated;
  struct TMapRun {
    std::int32_t Begin, End; // cells [Begin, End) of a map row
    TskMapCell Cell;         // the first cell's source and the run's opacity
  };
  std::vector<TMapRun> FRuns;
  std::vector<std::int32_t> FCellOfX, FCellOfY; // mask cell of each pixel column and row
  std::vector<std::uint8_t> FAlpha;             // one row of the mask stretched to pixels
};
