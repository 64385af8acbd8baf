#include "theme/win32/SkImageListGlyph.h"

#include "theme/win32/SkBitmap.h"

TskGlyphInfo SkGlyphInfoFromImageList(const TskRect& rect, HIMAGELIST list, int index, std::uint8_t state,
                                      std::uint8_t kind) {
  static TskBitmap scratch;
  TskGlyphInfo info = SkGlyphInfo(rect, {}, state, kind);
  int w = 0, h = 0;
  if (!list || index < 0 || index >= ImageList_GetImageCount(list) || !ImageList_GetIconSize(list, &w, &h)) {
    return info;
  }
  try {
    scratch.SetSize(w, h);
  } catch (const ESkBitmapError&) {
    return info;
  }
  scratch.Fill(skKeyColor);
  ImageList_Draw(list, index, scratch.DC(), 0, 0, ILD_TRANSPARENT);
  // Whatever the list drew over the key colour is opaque; the rest stays see-through.
  TskPixels& p = scratch.Pixels();
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    TskColor* row = p.ScanLine(y);
    for (std::int32_t x = 0; x < p.Width(); ++x) {
      if ((row[x] & 0x00FFFFFF) != skKeyColor) {
        row[x] |= 0xFF000000;
      }
    }
  }
  scratch.Transparent = true;
  info.Glyph = {&scratch.Pixels(), TskDrawMode::dmTransparent};
  return info;
}
