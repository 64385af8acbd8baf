// The gallery painted through the device-context canvas agrees with the same gallery painted
// into pixels, at fixed points of every cell: corners, edge middles and points just inside.
// Classic path: the canvas draws fills, frames and polygons with plain GDI calls and the
// system colours, with no visual style involved. Writes gallery-gdi.bmp for a look.
#include "framework/win32/tests/TestShots.h"
#include "theme/SkPixelCanvas.h"
#include "theme/win32/SkGdiCanvas.h"
#include "tools/gallery/SkGallery.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr TskColor kBack = 0xFFF4F4F4;

TColor LiveSysColor(int index) { return TColor(GetSysColor(index)) & 0xFFFFFF; }

} // namespace

TEST(SkGalleryGdi, DeviceContextAgreesWithPixelsAtFixedPoints) {
  const TskGalleryLayout layout = SkGalleryLayout();
  ASSERT_GT(layout.Cells.size(), 100u);

  TskPixels want;
  want.SetSize(layout.Width, layout.Height);
  want.Fill(kBack);
  {
    TskPixelCanvas canvas(want, &LiveSysColor);
    SkPaintGallery(canvas);
  }

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = layout.Width;
  bi.bmiHeader.biHeight = -layout.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bmp, nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  auto* px = static_cast<std::uint32_t*>(bits);
  std::fill(px, px + std::size_t(layout.Width) * std::size_t(layout.Height), kBack & 0xFFFFFF);
  {
    TskGdiCanvas canvas(dc);
    SkPaintGallery(canvas);
  }
  GdiFlush();

  int compared = 0, differ = 0;
  for (const TskRect& c : layout.Cells) {
    const std::int32_t mx = (c.Left + c.Right) / 2, my = (c.Top + c.Bottom) / 2;
    const TskPoint points[] = {{c.Left, c.Top},
                               {c.Right - 1, c.Top},
                               {c.Left, c.Bottom - 1},
                               {c.Right - 1, c.Bottom - 1},
                               {mx, c.Top},
                               {c.Left, my},
                               {c.Right - 1, my},
                               {mx, c.Bottom - 1},
                               {c.Left + 3, c.Top + 3},
                               {c.Left + 2, my},
                               {c.Right - 3, c.Bottom - 3}};
    for (const TskPoint& p : points) {
      const std::uint32_t got =
          px[std::size_t(p.Y) * std::size_t(layout.Width) + std::size_t(p.X)] & 0xFFFFFF;
      const std::uint32_t expected = want.GetPixel(p.X, p.Y) & 0xFFFFFF;
      ++compared;
      if (got != expected) {
        ++differ;
        if (differ <= 10) {
          ADD_FAILURE() << "at " << p.X << "," << p.Y << std::hex << " gdi " << got << " pixels " << expected;
        }
      }
    }
  }
  EXPECT_EQ(differ, 0) << "of " << compared << " points";
  EXPECT_TRUE(SaveShot("gallery-gdi.bmp", layout.Width, layout.Height, px));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}
