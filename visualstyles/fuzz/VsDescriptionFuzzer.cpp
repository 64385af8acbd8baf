// Fuzzes the description of a visual-style module: the input is read as the UTF-16 text
// resource of an otherwise valid module (with one bitmap its sections may name), the theme is
// built from it and its window and control families are painted. The same bytes go through
// the name-list reader.
#include "theme/SkPixelCanvas.h"
#include "visualstyles/VsThemeMsStyles.h"
#include "visualstyles/tests/VsTestModule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  {
    TSfReader in(bytes);
    std::vector<std::string> names;
    (void)VsParseNameList(in, names);
  }
  TVsTestModule module = VsModuleWith("");
  module.Set("TEXTFILE", "TEST_INI", bytes);
  module.Set("#2", "STRIP_BMP",
             VsDib24(12, 8, [](int x, int y) { return x < 6 ? 0xFF00FFu : 0x10203u * (y + 1); }));
  TSkThemeMsStyles theme;
  if (!theme.LoadFromModule(module, "fuzz.msstyles")) {
    if (theme.LastError().empty()) {
      __builtin_trap();
    }
    return 0;
  }
  theme.SetDeltaHue(data[0] % 7);
  TskPixels pixels;
  pixels.SetSize(64, 48);
  TskPixelCanvas canvas(pixels);
  const TskWindowInfo info = SkWindowInfo({0, 0, 64, 48}, L"Fuzz", 0x7F, wsActive);
  theme.PaintWindow(0, canvas, "default", info);
  theme.PaintWindow(6, canvas, "default", info);
  theme.PaintWindowCaption(0, canvas, "default", theme.WindowCaptionRect(0, info, "default"), info);
  for (std::uint8_t b = 0; b < 10; ++b) {
    theme.PaintWindowButton(0, canvas, "default",
                            SkWindowButtonInfo(theme.WindowButtonRect(0, info, "default", b), b, b % 4));
  }
  (void)theme.WindowRegion(0, info, "default");
  const TskRect r{2, 3, 40, 30};
  for (std::uint8_t s = 0; s < 16; ++s) {
    theme.PaintButton(s % 8, canvas, "default", SkStateInfo(r, s));
    theme.PaintCheck(s % 2, canvas, "default", SkStateInfo(r, s));
    theme.PaintScrollElement(0, canvas, "default", SkPartInfo(r, s % 10, s % 4));
    theme.PaintTab(0, canvas, "default", SkPartInfo(r, s % 3, s));
    theme.PaintToolItem(0, canvas, "default", SkPartInfo(r, s, s % 8));
    theme.PaintMenuItem(1, canvas, "default", SkPartInfo(r, s % 10, s % 3));
  }
  theme.PaintGroupBox(0, canvas, "default", {r, {5, 0, 20, 8}, 0});
  theme.PaintEdit(4, canvas, "default", SkStateInfo(r, 4));
  return 0;
}
