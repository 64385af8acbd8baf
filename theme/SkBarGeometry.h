#pragma once
// Where the moving parts of bars go: the filled part of a progress bar and the thumb of a
// scroll or track bar. Positions outside their range are clamped, so the result always lies
// inside the rectangle given (empty when the rectangle is).
#include "theme/SkRect.h"

#include <cstdint>

// The filled part of `client` for position out of 0..max: from the left, or from the bottom
// when vertical. Below 0 (or max <= 0) it is empty, above max the whole client.
TskRect SkProgressFillRect(const TskRect& client, std::int64_t position, std::int64_t max, bool vertical);

// A thumb `thumbSize` long along `track` for position in min..max (clamped): at the start for
// min, at the end for max. The thumb never grows longer than the track.
TskRect SkThumbRect(const TskRect& track, std::int32_t thumbSize, std::int64_t min, std::int64_t max,
                    std::int64_t position, bool vertical);
