// Painting the flat window frame (borders, caption with its text, icon, close and minimize
// buttons) at 383 x 502 into an off-screen bitmap, beside a PatBlt fill of the same area on
// the same bitmap. Prints the median of each and their ratio. Run under Wine by
// scripts/bench.sh; "--rounds N" changes the number of timed rounds.
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkGdiCanvas.h"

#include <windows.h>

#include "framework/win32/bench/BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int kWidth = 383, kHeight = 502;

// The median time of one call, over rounds of `batch` calls.
double Median(int rounds, int batch, const std::function<void()>& work) {
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    const double start = BenchSeconds();
    for (int i = 0; i < batch; ++i) {
      work();
    }
    GdiFlush();
    times.push_back((BenchSeconds() - start) / batch);
  }
  return BenchMedian(times);
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = BenchRounds(argc, argv, 31);
  TskTheme::SetSysColorSource(&TskCanvas::SysColor);
  auto theme = SkMakeTheme<TSkFlatTheme>();
  TskBitmap target;
  target.SetSize(kWidth, kHeight);
  TskPixels icon;
  icon.SetSize(16, 16);
  icon.Fill(0xFF2060C0);
  const TskWindowInfo info = SkWindowInfo({0, 0, kWidth, kHeight}, L" Tabira 1.0", 0x0B, wsActive);

  auto frame = [&] {
    TskGdiCanvas canvas(target.DC());
    theme->PaintWindow(0, canvas, "default", info);
    theme->PaintWindowCaption(0, canvas, "default", theme->WindowCaptionRect(0, info, "default"), info);
    for (std::uint8_t button : {kwbIcon, kwbClose, kwbMinimize}) {
      TskWindowButtonInfo b =
          SkWindowButtonInfo(theme->WindowButtonRect(0, info, "default", button), button, bsNormal);
      b.Icon = {&icon, TskDrawMode::dmCopy};
      theme->PaintWindowButton(0, canvas, "default", b);
    }
  };
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  auto fill = [&] {
    HGDIOBJ old = SelectObject(target.DC(), face);
    PatBlt(target.DC(), 0, 0, kWidth, kHeight, PATCOPY);
    SelectObject(target.DC(), old);
  };
  frame();
  fill();
  const double frameTime = Median(rounds, 20, frame);
  const double fillTime = Median(rounds, 200, fill);
  std::printf("flat frame %dx%d: %.1f us   PatBlt fill: %.1f us   ratio %.1f\n", kWidth, kHeight,
              frameTime * 1e6, fillTime * 1e6, frameTime / fillTime);
  return 0;
}
