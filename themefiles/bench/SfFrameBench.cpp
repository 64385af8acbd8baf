// Frame repaint through the skin-file theme (the demo skin) against the flat theme: the same
// window, the same sequence of theme calls a skinned form makes for one repaint (frame, caption
// rectangle and text, caption buttons), into the same pixel canvas, in the same run; repeated
// repaints of one size, and repaints while the size changes. Prints
//   frame WxH  case  flat ms  skin ms  ratio  (target: ratio <= 2)
#include "theme/SkPixelCanvas.h"
#include "theme/flat/SkFlatTheme.h"
#include "themefiles/SfSkinFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// One repaint of a frame with close, minimize and the window icon, active.
void Repaint(TskTheme& theme, TskPixelCanvas& canvas, const TskWindowInfo& info) {
  theme.PaintWindow(0, canvas, "default", info);
  const TskRect caption = theme.WindowCaptionRect(0, info, "default");
  if (!IsRectEmpty(caption)) {
    theme.PaintWindowCaption(0, canvas, "default", caption, info);
  }
  for (std::uint8_t b : {kwbClose, kwbMinimize}) {
    const TskRect r = theme.WindowButtonRect(0, info, "default", b);
    theme.PaintWindowButton(0, canvas, "default", SkWindowButtonInfo(r, b, bsNormal));
  }
}

// `resizing`: the window is one pixel wider every other round, so that nothing drawn for the
// previous size can be used again.
double MedianMs(TskTheme& theme, TskWindowInfo info, int rounds, bool resizing) {
  TskPixels pixels;
  pixels.SetSize(info.Rect.Right + 1, info.Rect.Bottom);
  TskPixelCanvas canvas(pixels);
  Repaint(theme, canvas, info); // warm: buffers sized, layout done once
  std::vector<double> t;
  for (int i = 0; i < rounds; ++i) {
    if (resizing) {
      info.Rect.Right += i % 2 ? -1 : 1;
    }
    const auto a = TClock::now();
    Repaint(theme, canvas, info);
    t.push_back(std::chrono::duration<double, std::milli>(TClock::now() - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
  // An optional skin file; options meant for other benchmark programs are passed over.
  const char* file = argc > 1 && argv[1][0] != '-' ? argv[1] : TABIRA_DEMO_SKIN;
  auto skin = SkMakeTheme<TSkSkinFile>();
  if (!skin->LoadFromFile(file)) {
    std::fprintf(stderr, "cannot load %s: %s\n", file, skin->LastError().c_str());
    return 1;
  }
  auto flat = SkMakeTheme<TSkFlatTheme>();
  std::printf("frame               flat ms  skin ms  ratio  (target: ratio <= 2)\n");
  for (const TskRect r : {TskRect{0, 0, 385, 505}, TskRect{0, 0, 1024, 768}}) {
    const TskWindowInfo info = SkWindowInfo(
        r, L" Tabira 1.0", std::uint16_t(1u << kwbIcon | 1u << kwbClose | 1u << kwbMinimize), wsActive);
    for (const bool resizing : {false, true}) {
      const double f = MedianMs(*flat, info, 200, resizing), s = MedianMs(*skin, info, 200, resizing);
      std::printf("%4dx%-4d %-9s  %7.3f  %7.3f  %5.2f\n", r.Right, r.Bottom,
                  resizing ? "resizing" : "repaint", f, s, f > 0 ? s / f : 0.0);
    }
  }
  return 0;
}
