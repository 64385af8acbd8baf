#pragma once
// The 58 transition effects: what each one shows of the new image at a percentage. Mask
// effects write an opacity per cell of a reduced grid, map effects say for each cell which
// source cell shows and how opaquely, manual effects draw onto the work bitmap themselves.
#include "effects/SkAnimationRec.h"
#include "effects/SkEffectMath.h"
#include "theme/SkPixels.h"

#include <array>
#include <cstdint>
#include <vector>

// Scratch an effect may keep from one frame of an animation to the next: the effects' own
// generator and the cells the dissolve effects have picked so far. Reusing the picks of the
// previous frame gives the same cells as drawing them again from the reseeded generator.
struct TskEffectState {
  TskEffectRandom Random{0};
  int PickWidth = -1, PickHeight = -1;
  TskEffectRandom PickRandom{0};
  std::vector<std::uint32_t> Picks;  // cell indexes in the order drawn: the first PickCount
  std::size_t PickCount = 0;         // entries (the vector is sized for every cell at once)
  std::vector<std::uint64_t> Picked; // one bit per cell
};

// One cell of a map: the source cell (any value; cells whose source lies outside stay empty)
// and the opacity (255 copies, 0 leaves the cell alone).
struct TskMapCell {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::uint8_t Alpha = 0;
};

// The mask arrives zero-filled; percent is 0..100.
using TskMaskProc = void (*)(TskMaskGrid& mask, int percent, TskEffectState& state);
// The map (width x height cells, row-major) arrives zero-filled.
using TskMapProc = void (*)(TskMapCell* map, int width, int height, int percent);
// Draws onto work, which holds the old image; next is the new image.
using TskManualProc = void (*)(TskPixels& work, const TskPixels& next, const TskAnimationRec& rec,
                               int percent);

enum class TskEffectCategory : std::uint8_t { ecMask = 0, ecMap = 1, ecManual = 2 };

struct TskEffectDef {
  const char* Name;
  TskEffectCategory Category;
  TskMaskProc Mask;
  TskMapProc Map;
  TskManualProc Manual;
};

inline constexpr std::size_t skEffectCount = 58;
// The effects in registration order.
const std::array<TskEffectDef, skEffectCount>& SkEffectTable();

// The dissolve picks of a W x H grid: the first `count` cells the generator seeded with W x H
// chooses, drawing again whenever a cell was taken already. Extends state's picks as needed,
// and then goes on picking ahead until `aheadDraws` draws were made in this call: the last
// cells of a dissolve take many draws each, and picking them during the cheap early frames
// keeps every frame short. The picks are the same either way.
void SkEnsurePicks(TskEffectState& state, int width, int height, std::int64_t count,
                   std::int64_t aheadDraws = 0);
