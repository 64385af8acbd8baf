#pragma once
// TMxClickSeries: counts left presses to recognise a triple click. A press further than the
// double-click size from the series' first press, or later than the double-click time
// after the last counted one, starts a new series. Times are milliseconds of a tick count
// that may wrap around.
#include <cstdint>

class TMxClickSeries {
public:
  TMxClickSeries(std::uint32_t doubleClickTime, int doubleClickWidth, int doubleClickHeight)
      : Time(doubleClickTime), Width(doubleClickWidth), Height(doubleClickHeight) {}

  // Records a press (or double-click) at (x, y); true when it is the third of a series,
  // which then ends (the next press starts a new one).
  bool Press(std::uint32_t now, int x, int y);
  int ClickCount() const { return Count; }

private:
  std::uint32_t Time;
  int Width, Height;
  int Count = 0;
  std::uint32_t LastTime = 0;
  int FirstX = 0, FirstY = 0;
};
