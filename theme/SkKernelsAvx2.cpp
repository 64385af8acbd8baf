// AVX2 kernels, eight pixels per step. Only this file is compiled with -mavx2; the kernels are
// picked at run time when the processor has AVX2. Results match the scalar reference bit for
// bit. Loads and stores are unaligned, and each loop is a leaf that keeps its values in
// registers (no 32-byte stack slots, which some Windows toolchains cannot align).
#include "theme/SkKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>

#include <cstring>

namespace {
// A private copy of the one-pixel blend: an inline function from a header compiled here could
// be the copy the linker keeps for the whole program, with AVX2 instructions in it.
TskColor BlendOne(TskColor top, TskColor bottom) {
  const std::uint32_t a = top >> 24;
  if (a == 0) return bottom;
  if (a == 255) return top;
  TskColor out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (top >> shift) & 0xFF, d = (bottom >> shift) & 0xFF;
    out |= (((s * a + d * (256 - a)) >> 8) & 0xFF) << shift;
  }
  return out;
}

inline __m256i Load(const TskColor* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void Store(TskColor* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

// See the SSE2 file: ((d << 8) + (s - d) * a) >> 8 in 16-bit lanes.
inline __m256i BlendHalf(__m256i s16, __m256i d16, __m256i a16) {
  const __m256i t =
      _mm256_add_epi16(_mm256_slli_epi16(d16, 8), _mm256_mullo_epi16(_mm256_sub_epi16(s16, d16), a16));
  return _mm256_srli_epi16(t, 8);
}

inline __m256i AlphaLanes(__m256i s16) {
  return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s16, 0xFF), 0xFF);
}

// Unpack and pack both work within 128-bit lanes, so the pixel order is preserved.
inline __m256i Blend8(__m256i s, __m256i d) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i slo = _mm256_unpacklo_epi8(s, zero), shi = _mm256_unpackhi_epi8(s, zero);
  const __m256i dlo = _mm256_unpacklo_epi8(d, zero), dhi = _mm256_unpackhi_epi8(d, zero);
  const __m256i r =
      _mm256_packus_epi16(BlendHalf(slo, dlo, AlphaLanes(slo)), BlendHalf(shi, dhi, AlphaLanes(shi)));
  const __m256i opaque = _mm256_cmpeq_epi32(_mm256_srai_epi32(s, 24), _mm256_set1_epi32(-1));
  return _mm256_blendv_epi8(r, s, opaque);
}

void CopyRow(const TskColor* src, TskColor* dst, std::size_t n) {
  if (n) std::memmove(dst, src, n * sizeof(TskColor));
}

void TransparentRow(const TskColor* src, TskColor* dst, std::size_t n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), key = _mm256_set1_epi32(int(skKeyColor));
  const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = Load(src + i);
    const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key);
    const int mask = _mm256_movemask_epi8(isKey);
    if (mask == -1) continue;
    const __m256i put = _mm256_or_si256(s, alpha);
    if (mask == 0) {
      Store(dst + i, put);
      continue;
    }
    Store(dst + i, _mm256_blendv_epi8(put, Load(dst + i), isKey));
  }
  for (; i < n; ++i)
    if ((src[i] & 0x00FFFFFF) != skKeyColor) dst[i] = src[i] | 0xFF000000u;
}

void BlendRow(const TskColor* src, TskColor* dst, std::size_t n) {
  std::size_t i = 0;
  const __m256i zero = _mm256_setzero_si256(), ones = _mm256_set1_epi32(-1);
  for (; i + 8 <= n; i += 8) {
    const __m256i s = Load(src + i);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_srli_epi32(s, 24), zero)) == -1) continue;
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_srai_epi32(s, 24), ones)) == -1) {
      Store(dst + i, s);
      continue;
    }
    Store(dst + i, Blend8(s, Load(dst + i)));
  }
  for (; i < n; ++i) dst[i] = BlendOne(src[i], dst[i]);
}

void BlendFillRow(TskColor value, TskColor* dst, std::size_t n) {
  const std::uint32_t a = value >> 24;
  if (a == 0) return;
  const __m256i v = _mm256_set1_epi32(int(value));
  std::size_t i = 0;
  if (a == 255) {
    for (; i + 8 <= n; i += 8) Store(dst + i, v);
  } else {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i s16 = _mm256_unpacklo_epi8(v, zero), a16 = AlphaLanes(s16);
    for (; i + 8 <= n; i += 8) {
      const __m256i d = Load(dst + i);
      Store(dst + i, _mm256_packus_epi16(BlendHalf(s16, _mm256_unpacklo_epi8(d, zero), a16),
                                         BlendHalf(s16, _mm256_unpackhi_epi8(d, zero), a16)));
    }
  }
  for (; i < n; ++i) dst[i] = BlendOne(value, dst[i]);
}

void FillRow(TskColor value, TskColor* dst, std::size_t n) {
  const __m256i v = _mm256_set1_epi32(int(value));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) Store(dst + i, v);
  for (; i < n; ++i) dst[i] = value;
}

void SetAlphaRow(std::uint8_t alpha, TskColor* dst, std::size_t n) {
  const TskColor a = TskColor(alpha) << 24;
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), av = _mm256_set1_epi32(int(a));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) Store(dst + i, _mm256_or_si256(_mm256_and_si256(Load(dst + i), rgb), av));
  for (; i < n; ++i) dst[i] = (dst[i] & 0x00FFFFFF) | a;
}
} // namespace

const TskKernels skAvx2Kernels{TskKernelPath::kpAvx2, CopyRow, TransparentRow, BlendRow,
                               BlendFillRow, FillRow, SetAlphaRow};
#endif
