// Fuzzes the stored form of the visual-style theme. An odd first byte puts the input over the
// inflated content of a valid stored form and compresses it again, so that the reader behind
// the zlib stream is reached; otherwise the input is the stored form itself. A theme that
// loads is painted.
#include "theme/SkPixelCanvas.h"
#include "visualstyles/VsStoredForm.h"
#include "visualstyles/VsThemeMsStyles.h"

#include <cstring>

namespace {

std::vector<std::uint8_t> Content(std::span<const std::uint8_t> patch) {
  TvsImageList images;
  auto image = std::make_unique<TvsImage>();
  image->Name = "STRIP_BMP";
  image->Pixels.SetSize(8, 4);
  image->Pixels.Fill(0xFF336699);
  images.Add(std::move(image));
  const std::vector<std::uint8_t> stored = VsWriteStoredForm(
      "fuzz", "[Window]\nFillColor=1 2 3\n[Window.Caption]\nImageFile=strip.bmp\nImageCount=2\n", images);
  TSfReader in(std::span<const std::uint8_t>(stored).subspan(sizeof(kVsMagic)));
  std::vector<std::uint8_t> content;
  if (!SfInflate(in, content, false) || patch.empty()) {
    return stored;
  }
  const std::size_t at = patch[0] % content.size();
  const std::size_t n = std::min(patch.size() - 1, content.size() - at);
  std::memcpy(content.data() + at, patch.data() + 1, n);
  std::vector<std::uint8_t> out(std::begin(kVsMagic), std::end(kVsMagic));
  const std::vector<std::uint8_t> packed = SfDeflate(content, 1);
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const std::vector<std::uint8_t> bytes =
      (data[0] & 1) ? Content(input) : std::vector<std::uint8_t>(input.begin(), input.end());
  TSfLimits limits;
  limits.MaxBitmapPixels = 1 << 20;
  limits.MaxInflatedBytes = 64 << 20;
  TSkThemeMsStyles theme;
  theme.SetLimits(limits);
  if (!theme.LoadFromBytes(bytes)) {
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
  theme.PaintWindowButton(0, canvas, "default", SkWindowButtonInfo({40, 2, 60, 20}, kwbClose, 1));
  (void)theme.WindowRegion(0, info, "default");
  return 0;
}
