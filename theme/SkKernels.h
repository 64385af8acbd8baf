#pragma once
// Row kernels of the pixel layer and their run-time selection.
//
// Blend (source over destination, weight a = the source pixel's alpha):
//   a = 0    destination unchanged
//   a = 255  destination := source
//   else     each of the four bytes := (s * a + d * (256 - a)) >> 8
// Transparent: source pixels whose low 24 bits are the key colour leave the destination;
//   every other pixel is stored with alpha 0xFF.
// Mask blend: the source's colour with a separate alpha (one byte per pixel, or one for the
//   whole row) blended as above; source pixels with the key colour (per-pixel alpha) or with
//   alpha 0 (one alpha for the row) leave the destination.
// Every path (scalar reference, SSE2, AVX2) gives the same bytes; the scalar path is the
// reference the others are tested against.
#include "theme/SkColor.h"

#include <cstddef>

enum class TskKernelPath { kpScalar, kpSse2, kpAvx2 };

struct TskKernels {
  TskKernelPath Path;
  // n pixels from src to dst; the rows may overlap (memmove semantics).
  void (*CopyRow)(const TskColor* src, TskColor* dst, std::size_t n);
  // CopyRow for copies far larger than the caches: stores bypass the caches (no read of the
  // destination first). The rows must not overlap.
  void (*StreamCopyRow)(const TskColor* src, TskColor* dst, std::size_t n);
  void (*TransparentRow)(const TskColor* src, TskColor* dst, std::size_t n);
  // src and dst must not overlap partially (identical rows are allowed).
  void (*BlendRow)(const TskColor* src, TskColor* dst, std::size_t n);
  // Blends the one pixel `value` onto n destination pixels.
  void (*BlendFillRow)(TskColor value, TskColor* dst, std::size_t n);
  void (*FillRow)(TskColor value, TskColor* dst, std::size_t n);
  void (*SetAlphaRow)(std::uint8_t alpha, TskColor* dst, std::size_t n);
  // The index of the first pixel at or after `from` whose low 24 bits are (KeyRunEnd: are
  // not) the key colour; n when there is none. Region runs are found with these.
  std::size_t (*KeyRunEnd)(const TskColor* row, std::size_t from, std::size_t n);
  std::size_t (*OpaqueRunEnd)(const TskColor* row, std::size_t from, std::size_t n);
  // dst[i] := blend((src[i] & 0xFFFFFF) | alpha[i] << 24, dst[i]) unless src[i]'s low 24 bits
  // are the key colour. src and dst must not overlap partially.
  void (*BlendMaskRow)(const TskColor* src, const std::uint8_t* alpha, TskColor* dst, std::size_t n);
  // dst[i] := blend((src[i] & 0xFFFFFF) | alpha << 24, dst[i]) unless src[i]'s alpha is 0.
  void (*BlendAlphaRow)(const TskColor* src, std::uint8_t alpha, TskColor* dst, std::size_t n);
};

// One pixel of the blend: `top` over `bottom`, weighted by top's alpha.
constexpr TskColor SkBlendPixel(TskColor top, TskColor bottom) {
  const std::uint32_t a = top >> 24;
  if (a == 0) {
    return bottom;
  }
  if (a == 255) {
    return top;
  }
  TskColor out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (top >> shift) & 0xFF, d = (bottom >> shift) & 0xFF;
    out |= (((s * a + d * (256 - a)) >> 8) & 0xFF) << shift;
  }
  return out;
}

// The kernels of one path; nullptr when this processor or build cannot run it.
const TskKernels* SkKernelsFor(TskKernelPath path);
// The kernels in use: chosen once, the fastest the processor runs, unless the environment
// variable TABIRA_KERNELS names "scalar", "sse2" or "avx2", or SkSelectKernels forced a path.
const TskKernels& SkActiveKernels();
// Forces a path (tests, benchmarks). False, and nothing changes, when it cannot run here.
bool SkSelectKernels(TskKernelPath path);
const char* SkKernelPathName(TskKernelPath path);

// Per-path tables, defined in one file per instruction set.
extern const TskKernels skScalarKernels;
#if defined(__x86_64__) || defined(_M_X64)
extern const TskKernels skSse2Kernels;
extern const TskKernels skAvx2Kernels;
#endif
