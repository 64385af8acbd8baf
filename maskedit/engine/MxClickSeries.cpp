#include "maskedit/engine/MxClickSeries.h"

#include <cstdlib>

bool TMxClickSeries::Press(std::uint32_t now, int x, int y) {
  bool third = false;
  if (now - LastTime > Time || std::abs(x - FirstX) > Width || std::abs(y - FirstY) > Height) {
    Count = 1;
    LastTime = now;
  } else if (Count < 2) {
    ++Count;
    LastTime = now;
  } else {
    third = true;
    Count = 0;
    LastTime = 0;
  }
  if (Count == 1) {
    FirstX = x;
    FirstY = y;
  }
  return third;
}
