#pragma once
// TskBitmap: a 32-bit top-down DIB section with directly addressable pixels and its own memory
// device context, so that platform drawing (text, frame controls, blits) can draw into it.
// The pixel work itself is done by the platform-free layer through Pixels(). Every live
// bitmap's context is entered in a process-wide list, one entry per context, so that a
// context can be traced back to its bitmap.
#include "framework/win32/Handles.h"
#include "theme/SkBitmapStream.h"
#include "theme/SkPixelDraw.h"
#include "theme/SkPixels.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// Raised by SetSize when the bitmap cannot be created; the bitmap is empty afterwards.
class ESkBitmapError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TskBitmap {
public:
  TskBitmap() = default;
  ~TskBitmap();
  TskBitmap(const TskBitmap&) = delete;
  TskBitmap& operator=(const TskBitmap&) = delete;

  // Negative values count by magnitude; a zero dimension or the current size changes nothing.
  // Otherwise a new DIB and context replace the old ones (pixels zero). Throws ESkBitmapError
  // ("Can't allocate the DIB handle", "Can't create compatible DC", "Can't select an object
  // into DC"); sizes beyond TskPixels::MaxSide fail as an allocation.
  void SetSize(std::int32_t width, std::int32_t height);
  // The same without the exception: false when the bitmap could not be created (it is empty
  // then).
  [[nodiscard]] bool TrySetSize(std::int32_t width, std::int32_t height) noexcept;
  bool Empty() const { return !DIBHandle; }
  std::int32_t Width() const { return View.Width(); }
  std::int32_t Height() const { return View.Height(); }
  TskColor* Bits() { return Empty() ? nullptr : View.ScanLine(0); }
  HDC DC() const { return DCHandle.Get(); }
  HBITMAP DIB() const { return DIBHandle.Get(); }
  // The pixels for direct work; GDI output into DC() is flushed first.
  TskPixels& Pixels();
  const TskPixels& Pixels() const;

  std::string Name;
  bool AlphaBlend = false;
  bool Transparent = false;
  TskDrawMode Mode() const { return SkDrawModeOf(AlphaBlend, Transparent); }

  TskColor* ScanLine(std::int32_t y) { return Pixels().ScanLine(y); }
  TskColor* Pixel(std::int32_t x, std::int32_t y) { return Pixels().Pixel(x, y); }
  TskColor GetPixel(std::int32_t x, std::int32_t y) const { return Pixels().GetPixel(x, y); }
  void SetPixel(std::int32_t x, std::int32_t y, TskColor v) { Pixels().SetPixel(x, y, v); }
  void Fill(TskColor v) { Pixels().Fill(v); }
  // Blends the value onto the rectangle when AlphaBlend is set.
  void FillRect(const RECT& r, TskColor v) { Pixels().FillRect(ToSk(r), v, AlphaBlend); }
  void SetAlpha(std::uint8_t a) { Pixels().SetAlpha(a); }
  void SetAlphaRect(std::uint8_t a, const RECT& r) { Pixels().SetAlphaRect(a, ToSk(r)); }
  void CheckAlpha() { AlphaBlend = Pixels().CheckAlpha(); }
  void SetTransparentColor(TskColor c);
  void FlipVertical() { Pixels().FlipVertical(); }
  void ChangeBrightness(std::int64_t d) { Pixels().ChangeBrightness(d); }
  void ChangeHue(std::int64_t d) { Pixels().ChangeHue(d); }

  // Onto a device context, choosing the fastest route: another TskBitmap's context, the
  // memory of a bottom-up 32-bit DIB selected into the context, or platform blits.
  void Draw(HDC dc, int x, int y);
  void Draw(HDC dc, int x, int y, const RECT& src);
  void Draw(HDC dc, const RECT& dest, const RECT& src);
  void Draw(HDC dc, const RECT& dest); // the whole bitmap scaled
  void DrawTo(TskBitmap& target, int x, int y);
  void DrawTo(TskBitmap& target, int x, int y, const RECT& src);
  void DrawTo(TskBitmap& target, const RECT& dest, const RECT& src);
  // Repeats src over dest; a clip of zero width or height means no clipping.
  void Tile(HDC dc, const RECT& dest, const RECT& src, const RECT& clip);
  void MergeUnder(const TskBitmap& source, int x, int y, const RECT& src);
  // Renders a graphic: `paint` draws it stretched into the rectangle it is given on a
  // magenta-filled 32-bit bitmap; every pixel that is not exactly magenta is copied here.
  void DrawGraphic(const std::function<void(HDC dc, const RECT& dest)>& paint, const RECT& dest);

  // Size, pixels, name and both flags.
  void Assign(const TskBitmap& source);
  // From a platform bitmap: a 32-bit DIB section is copied pixel for pixel (then CheckAlpha);
  // anything else is blitted and made opaque. False when nothing could be read.
  [[nodiscard]] bool Assign(HBITMAP source);
  // A new 32-bit DIB section holding Draw of this bitmap at (0, 0); empty for an empty bitmap.
  TBitmapHandle AssignTo() const;

  // The stored form; a malformed or hostile stream leaves the bitmap as it was and answers
  // false.
  [[nodiscard]] bool LoadFromStream(TskByteReader& in);
  void SaveToStream(TskByteWriter& out) const;
  // A bitmap resource of a module loaded as a data file. False when missing or unreadable.
  [[nodiscard]] bool LoadFromResource(const std::string& moduleFile, const std::string& resourceName);

  // A region covering every pixel whose colour is not the key colour, moved by (x, y).
  TRegionHandle CreateRegion(int x, int y) const;

  // Draws a frame-control glyph (DrawFrameControl type and state) recoloured: its black
  // pixels in `color`, the rest left see-through.
  static void DrawMonoGlyph(HDC dc, const RECT& r, UINT glyphType, TColor color, UINT glyphState);
  // Draws `glyph` as a disabled image: every non-transparent pixel in `color` at alpha 100.
  static void DrawDisabledGlyph(HDC dc, int x, int y, TColor color, const TskBitmap& glyph);

  // The bitmap that owns `dc`, or nullptr.
  static TskBitmap* FromDC(HDC dc);
  // How many contexts the process-wide list holds.
  static std::size_t RegisteredCount();

  static TskRect ToSk(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

private:
  // SetSize's work: null on success, otherwise what failed.
  const char* Resize(std::int32_t width, std::int32_t height) noexcept;
  void Release();
  void DrawToDC(HDC dc, const TskRect& dest, const TskRect& src, const TskRect* tileClip, bool tile);

  TMemoryDC DCHandle;
  TBitmapHandle DIBHandle;
  HGDIOBJ InitialBitmap = nullptr;
  TskPixels View;
};
