// Fuzzes the visual-style module reader: the program file's headers, its resource directory and
// the resources the theme reads from it. An odd first byte patches the input over a small valid
// module made by the test helper (the seed: a fuzzer starting from nothing rarely gets past the
// headers); otherwise the input is the module file itself. A module that opens is loaded as a
// theme, and a theme that loads is painted.
#include "theme/SkPixelCanvas.h"
#include "visualstyles/VsModuleFile.h"
#include "visualstyles/tests/VsTestModule.h"

#include <cstring>

namespace {

const std::vector<std::uint8_t>& Seed() {
  static const std::vector<std::uint8_t> seed = [] {
    TVsTestModule m = VsModuleWith("[SysMetrics]\r\nCaptionBarHeight=20\r\n"
                                   "[Window.Caption]\r\nImageFile=Strip.bmp\r\nImageCount=2\r\n"
                                   "SizingMargins=1, 1, 1, 1\r\n[Window.FrameLeft]\r\nFillColor=1 2 3\r\n");
    m.Set("#2", "STRIP_BMP", VsDib24(8, 4, [](int x, int) { return x < 4 ? 0xFF0000u : 0x0000FFu; }));
    return VsModuleImage(m);
  }();
  return seed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  std::vector<std::uint8_t> bytes;
  if (data[0] & 1) {
    // Two bytes of offset, then the patch.
    bytes = Seed();
    if (size >= 3) {
      const std::size_t at = (std::size_t(data[1]) | std::size_t(data[2]) << 8) % bytes.size();
      const std::size_t n = std::min(size - 3, bytes.size() - at);
      std::memcpy(bytes.data() + at, data + 3, n);
    }
  } else {
    bytes.assign(data + 1, data + size);
  }
  TSfLimits limits;
  limits.MaxBitmapPixels = 1 << 20;
  TVsModuleFile module;
  if (!module.Open(std::move(bytes), limits)) {
    if (module.Error().empty()) {
      __builtin_trap();
    }
    return 0;
  }
  TSkThemeMsStyles theme;
  theme.SetLimits(limits);
  if (!theme.LoadFromModule(module, "fuzz.msstyles")) {
    if (theme.LastError().empty()) {
      __builtin_trap();
    }
    return 0;
  }
  TskPixels pixels;
  pixels.SetSize(64, 48);
  TskPixelCanvas canvas(pixels);
  const TskWindowInfo info = SkWindowInfo({0, 0, 64, 48}, L"Fuzz", 0x3F, wsActive);
  theme.PaintWindow(0, canvas, "default", info);
  (void)theme.WindowRegion(0, info, "default");
  return 0;
}
