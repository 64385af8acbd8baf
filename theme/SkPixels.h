#pragma once
// TskPixels: a 32-bit pixel image (TskColor 0xAARRGGBB), either owning its buffer or viewing
// memory that belongs to someone else (a DIB section, a caller's buffer). Rows are Stride
// pixels apart; a negative stride views a bottom-up image as top-down. Every operation clips
// to the image and does nothing on an empty one.
#include "theme/SkColor.h"
#include "theme/SkRect.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class TskPixels {
public:
  // Largest width or height accepted anywhere (stored data, SetSize, views).
  static constexpr std::int32_t MaxSide = 16384;

  TskPixels() = default;
  TskPixels(TskPixels&&) noexcept = default;
  TskPixels& operator=(TskPixels&&) noexcept = default;
  TskPixels(const TskPixels&) = delete;
  TskPixels& operator=(const TskPixels&) = delete;

  // A view of width x height pixels at `base`, rows `stride` pixels apart (may be negative).
  // An invalid size or a null base gives an empty image.
  static TskPixels View(TskColor* base, std::int32_t width, std::int32_t height, std::ptrdiff_t stride);
  // An owning image of the same size and pixels (packed rows).
  TskPixels Clone() const;

  // True for a usable size: both dimensions non-zero, magnitudes at most MaxSide, and not the
  // most negative 32-bit value.
  static bool ValidSize(std::int64_t width, std::int64_t height);
  // Owning resize: negative values count by magnitude; a zero or oversized dimension, or the
  // current size, changes nothing and answers false. New pixels are zero.
  bool SetSize(std::int32_t width, std::int32_t height);
  void Clear();

  bool Empty() const { return Base == nullptr; }
  std::int32_t Width() const { return W; }
  std::int32_t Height() const { return H; }
  std::ptrdiff_t Stride() const { return StridePx; }
  TskRect Bounds() const { return {0, 0, W, H}; }
  TskColor* ScanLine(std::int32_t y) { return Base + y * StridePx; }
  const TskColor* ScanLine(std::int32_t y) const { return Base + y * StridePx; }
  TskColor* Pixel(std::int32_t x, std::int32_t y) { return ScanLine(y) + x; }
  const TskColor* Pixel(std::int32_t x, std::int32_t y) const { return ScanLine(y) + x; }
  // 0 outside the image.
  TskColor GetPixel(std::int32_t x, std::int32_t y) const;
  // Ignored outside the image.
  void SetPixel(std::int32_t x, std::int32_t y, TskColor value);

  void Fill(TskColor value);
  // The rectangle clipped to the image; with `blend` the value is blended onto each pixel.
  void FillRect(const TskRect& rect, TskColor value, bool blend = false);
  void SetAlpha(std::uint8_t alpha);
  void SetAlphaRect(std::uint8_t alpha, const TskRect& rect);
  // Some pixel has an alpha other than 0 and 255.
  bool CheckAlpha() const;
  // Pixels whose red, green and blue each differ from `color`'s by less than 6 become exactly
  // the key colour with alpha 0. Answers whether any pixel did.
  bool SetTransparentColor(TskColor color);
  void FlipVertical();
  // Brightness or hue shift of every pixel with a non-zero alpha; alpha kept. 0 does nothing.
  void ChangeBrightness(std::int64_t delta);
  void ChangeHue(std::int64_t delta);

private:
  std::unique_ptr<TskColor[]> Owned;
  TskColor* Base = nullptr;
  std::int32_t W = 0;
  std::int32_t H = 0;
  std::ptrdiff_t StridePx = 0;
};
