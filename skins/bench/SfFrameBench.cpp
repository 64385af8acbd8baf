// Frame repaint through the skin-file theme (the demo skin) against the flat theme: the same
// window, the same sequence of theme calls a skinned form makes for one repaint (frame, caption
// rectangle and text, caption buttons), into the same pixel canvas, in the same run; repeated
// repaints of one size, and repaints while the size changes. Prints
//   frame WxH  case  flat ms  skin ms  ratio  (target: ratio <= 2)
// Then the window region at 300 x 200 while the size changes, for the demo skin and for a
// hostile one (the demo skin with thousands of large unaligned masked leaves in its frame):
//   region WxH  demo ms  hostile ms  ratio  (target: ratio <= 2)
#include "skins/SfSkinFile.h"
#include "theme/SkPixelCanvas.h"
#include "theme/SkStream.h"
#include "theme/flat/SkFlatTheme.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
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

// The window region while the size changes by one pixel every other round.
double RegionMedianMs(TskTheme& theme, TskWindowInfo info, int rounds) {
  (void)theme.WindowRegion(0, info, "default");
  std::vector<double> t;
  for (int i = 0; i < rounds; ++i) {
    info.Rect.Right += i % 2 ? -1 : 1;
    const auto a = TClock::now();
    const std::vector<TskRect> region = theme.WindowRegion(0, info, "default");
    t.push_back(std::chrono::duration<double, std::milli>(TClock::now() - a).count());
    if (region.empty()) {
      std::fprintf(stderr, "empty region\n");
    }
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// The demo skin with `leaves` masked bitmap leaves of 8000 x 8000 pixels added to its frame,
// unaligned and spread around the window, drawn from a bitmap of key colour with one dot.
std::unique_ptr<TSkSkinFile> HostileSkin(const TSfSkinSource& demo, int leaves, std::size_t& fileBytes) {
  TSfSkinSource source;
  source.Assign(demo);
  TskPixels dots;
  dots.SetSize(4, 4);
  dots.Fill(skKeyColor);
  dots.SetPixel(1, 2, 0xFF305070);
  source.AddBitmap("hostile_dots", std::move(dots), true);
  TSfSkinObject* form = source.ObjectByName("Form");
  for (int i = 0; form && i < leaves; ++i) {
    auto leaf = std::make_unique<TSfBitmapObject>();
    leaf->FName = "Leaf" + std::to_string(i);
    leaf->FBitmap.Name = "hostile_dots";
    leaf->FBitmap.Rect = {0, 0, 4, 4};
    leaf->FLeft = -4000 + (i * 37) % 301;
    leaf->FTop = -4000 + (i * 53) % 199;
    leaf->FWidth = 8000;
    leaf->FHeight = 8000;
    leaf->FMarginLeft = leaf->FMarginTop = leaf->FMarginRight = leaf->FMarginBottom = 1;
    form->AddChild(std::move(leaf));
  }
  // Through its file form, as a skin arrives.
  std::vector<std::uint8_t> bytes;
  auto theme = SkMakeTheme<TSkSkinFile>();
  if (!source.SaveToStream(bytes, fkMaxCompression)) {
    return nullptr;
  }
  TskByteReader in(bytes);
  if (!theme->LoadFromStream(in)) {
    return nullptr;
  }
  fileBytes = bytes.size();
  return theme;
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
  std::size_t fileBytes = 0;
  const int leaves = argc > 2 ? std::atoi(argv[2]) : 3000;
  auto hostile = HostileSkin(skin->Source(), leaves, fileBytes);
  if (!hostile) {
    std::fprintf(stderr, "cannot build the hostile skin\n");
    return 1;
  }
  std::printf("\nregion (hostile: %d leaves of 8000x8000, %zu KB file)\n", leaves, fileBytes / 1024);
  std::printf("region             demo ms  hostile ms  ratio  (target: ratio <= 2)\n");
  const TskWindowInfo info = SkWindowInfo(
      {0, 0, 300, 200}, L"", std::uint16_t(1u << kwbIcon | 1u << kwbClose | 1u << kwbMinimize), wsActive);
  const double d = RegionMedianMs(*skin, info, 100), h = RegionMedianMs(*hostile, info, 100);
  std::printf("%4dx%-4d resizing  %7.3f  %10.3f  %5.2f\n", 300, 200, d, h, d > 0 ? h / d : 0.0);
  return 0;
}
