// AVX2 kernels, eight pixels per step. Only this file is compiled with -mavx2; the kernels are
// picked at run time when the processor has AVX2. Results match the scalar reference bit for
// bit. Loads and stores are unaligned, and each loop is a leaf that keeps its values in
// registers (no 32-byte stack slots, which some Windows toolchains cannot align).
#include "theme/SkKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>

#include <cstdint>
#include <cstring>

namespace {
// A private copy of the one-pixel blend: an inline function from a header compiled here could
// be the copy the linker keeps for the whole program, with AVX2 instructions in it.
TskColor BlendOne(TskColor top, TskColor bottom) {
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

// Eight pixels without widening: red and blue in the low bytes of the 16-bit lanes, green
// and alpha in the high bytes; alpha 255 weighs 256 so that the source comes out exactly.
// The constants come from the caller's loop so that they stay in registers.
struct BlendConstants {
  __m256i LowBytes = _mm256_set1_epi16(0x00FF);
  __m256i HighBytes = _mm256_set1_epi16(int16_t(0xFF00));
  // Alpha byte into both 16-bit lanes of its pixel, high bytes zero.
  __m256i Spread = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3, -1,
                                    7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
};

inline __m256i Blend8(__m256i s, __m256i d, const BlendConstants& k) {
  const __m256i lowBytes = k.LowBytes, highBytes = k.HighBytes, spread = k.Spread;
  __m256i w = _mm256_shuffle_epi8(s, spread);
  w = _mm256_sub_epi16(w, _mm256_cmpeq_epi16(w, lowBytes)); // 255 -> 256
  const __m256i rbS = _mm256_and_si256(s, lowBytes), rbD = _mm256_and_si256(d, lowBytes);
  const __m256i gaS = _mm256_srli_epi16(s, 8), gaD = _mm256_srli_epi16(d, 8);
  const __m256i rb = _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_slli_epi16(d, 8), _mm256_mullo_epi16(_mm256_sub_epi16(rbS, rbD), w)), 8);
  const __m256i ga =
      _mm256_add_epi16(_mm256_and_si256(d, highBytes), _mm256_mullo_epi16(_mm256_sub_epi16(gaS, gaD), w));
  // rb has clear high bytes; ga contributes only its high bytes.
  return _mm256_blendv_epi8(rb, ga, highBytes);
}

// Row-sized copies are too short for the library copy's large-block strategies, and some
// of its short-copy paths are slow on some processors; a plain vector loop is steady.
void CopyRow(const TskColor* src, TskColor* dst, std::size_t n) {
  const auto s0 = reinterpret_cast<std::uintptr_t>(src), d0 = reinterpret_cast<std::uintptr_t>(dst);
  const std::uintptr_t bytes = n * sizeof(TskColor);
  if (d0 < s0 + bytes && s0 < d0 + bytes) {
    if (n) {
      std::memmove(dst, src, n * sizeof(TskColor));
    }
    return;
  }
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i a = Load(src + i), b = Load(src + i + 8);
    Store(dst + i, a);
    Store(dst + i + 8, b);
  }
  for (; i + 8 <= n; i += 8) {
    Store(dst + i, Load(src + i));
  }
  for (; i < n; ++i) {
    dst[i] = src[i];
  }
}

void StreamCopyRow(const TskColor* src, TskColor* dst, std::size_t n) {
  std::size_t i = 0;
  for (; i < n && (reinterpret_cast<std::uintptr_t>(dst + i) & 31) != 0; ++i) {
    dst[i] = src[i];
  }
  for (; i + 16 <= n; i += 16) {
    const __m256i a = Load(src + i), b = Load(src + i + 8);
    _mm256_stream_si256(reinterpret_cast<__m256i*>(dst + i), a);
    _mm256_stream_si256(reinterpret_cast<__m256i*>(dst + i + 8), b);
  }
  for (; i < n; ++i) {
    dst[i] = src[i];
  }
  _mm_sfence();
}

void TransparentRow(const TskColor* src, TskColor* dst, std::size_t n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), key = _mm256_set1_epi32(int(skKeyColor));
  const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = Load(src + i);
    const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key);
    const int mask = _mm256_movemask_epi8(isKey);
    if (mask == -1) {
      continue;
    }
    const __m256i put = _mm256_or_si256(s, alpha);
    if (mask == 0) {
      Store(dst + i, put);
      continue;
    }
    Store(dst + i, _mm256_blendv_epi8(put, Load(dst + i), isKey));
  }
  for (; i < n; ++i) {
    if ((src[i] & 0x00FFFFFF) != skKeyColor) {
      dst[i] = src[i] | 0xFF000000u;
    }
  }
}

// Sixteen pixels per step, then eight; the shortcut tests run on the sign bits (alpha >= 128)
// of the whole step, so with mixed alpha they cost one branch.
void BlendRow(const TskColor* src, TskColor* dst, std::size_t n) {
  std::size_t i = 0;
  const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000u)), ones = _mm256_set1_epi32(-1);
  const __m256i rgbMask = _mm256_set1_epi32(0x00FFFFFF);
  const BlendConstants k;
  for (; i + 16 <= n; i += 16) {
    const __m256i s0 = Load(src + i), s1 = Load(src + i + 8);
    const int signs =
        _mm256_movemask_ps(_mm256_castsi256_ps(s0)) | (_mm256_movemask_ps(_mm256_castsi256_ps(s1)) << 8);
    if (signs == 0) {
      if (_mm256_testz_si256(_mm256_or_si256(s0, s1), alphaMask)) {
        continue;
      }
    } else if (signs == 0xFFFF) {
      if (_mm256_movemask_epi8(
              _mm256_cmpeq_epi32(_mm256_or_si256(_mm256_and_si256(s0, s1), rgbMask), ones)) == -1) {
        Store(dst + i, s0);
        Store(dst + i + 8, s1);
        continue;
      }
    }
    const __m256i d0 = Load(dst + i), d1 = Load(dst + i + 8);
    Store(dst + i, Blend8(s0, d0, k));
    Store(dst + i + 8, Blend8(s1, d1, k));
  }
  for (; i + 8 <= n; i += 8) {
    Store(dst + i, Blend8(Load(src + i), Load(dst + i), k));
  }
  for (; i < n; ++i) {
    dst[i] = BlendOne(src[i], dst[i]);
  }
}

void BlendFillRow(TskColor value, TskColor* dst, std::size_t n) {
  const std::uint32_t a = value >> 24;
  if (a == 0) {
    return;
  }
  const __m256i v = _mm256_set1_epi32(int(value));
  std::size_t i = 0;
  if (a == 255) {
    for (; i + 8 <= n; i += 8) {
      Store(dst + i, v);
    }
  } else {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i s16 = _mm256_unpacklo_epi8(v, zero), a16 = AlphaLanes(s16);
    for (; i + 8 <= n; i += 8) {
      const __m256i d = Load(dst + i);
      Store(dst + i, _mm256_packus_epi16(BlendHalf(s16, _mm256_unpacklo_epi8(d, zero), a16),
                                         BlendHalf(s16, _mm256_unpackhi_epi8(d, zero), a16)));
    }
  }
  for (; i < n; ++i) {
    dst[i] = BlendOne(value, dst[i]);
  }
}

void FillRow(TskColor value, TskColor* dst, std::size_t n) {
  const __m256i v = _mm256_set1_epi32(int(value));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    Store(dst + i, v);
  }
  for (; i < n; ++i) {
    dst[i] = value;
  }
}

void SetAlphaRow(std::uint8_t alpha, TskColor* dst, std::size_t n) {
  const TskColor a = TskColor(alpha) << 24;
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), av = _mm256_set1_epi32(int(a));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    Store(dst + i, _mm256_or_si256(_mm256_and_si256(Load(dst + i), rgb), av));
  }
  for (; i < n; ++i) {
    dst[i] = (dst[i] & 0x00FFFFFF) | a;
  }
}
// Four (eight) pixels are compared with the key at once; the mask of the first block that
// changes state gives the exact index through a count of trailing zero bits.
template <bool SkipKeys>
std::size_t RunEnd(const TskColor* row, std::size_t from, std::size_t n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), key = _mm256_set1_epi32(int(skKeyColor));
  std::size_t i = from;
  for (; i + 8 <= n; i += 8) {
    const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(Load(row + i), rgb), key);
    // One bit per byte; a pixel's four bits agree.
    const unsigned stop =
        SkipKeys ? ~unsigned(_mm256_movemask_epi8(isKey)) : unsigned(_mm256_movemask_epi8(isKey));
    const unsigned mask = stop;
    if (mask) {
      return i + std::size_t(__builtin_ctz(mask)) / 4;
    }
  }
  for (; i < n; ++i) {
    if (((row[i] & 0x00FFFFFF) == skKeyColor) != SkipKeys) {
      return i;
    }
  }
  return n;
}

std::size_t KeyRunEnd(const TskColor* row, std::size_t from, std::size_t n) {
  return RunEnd<true>(row, from, n);
}
std::size_t OpaqueRunEnd(const TskColor* row, std::size_t from, std::size_t n) {
  return RunEnd<false>(row, from, n);
}

// Eight alpha bytes widened to the alpha bytes of eight pixels; the key pixels' alpha cleared,
// so that the blend leaves their destination as it is. Blocks of alpha 0 are skipped, blocks
// of alpha 255 without key pixels are stored without reading the destination.
void BlendMaskRow(const TskColor* src, const std::uint8_t* alpha, TskColor* dst, std::size_t n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), key = _mm256_set1_epi32(int(skKeyColor));
  const BlendConstants k;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t a8;
    std::memcpy(&a8, alpha + i, 8);
    if (a8 == 0) {
      continue;
    }
    const __m256i s = Load(src + i);
    const __m256i colour = _mm256_and_si256(s, rgb);
    const __m256i isKey = _mm256_cmpeq_epi32(colour, key);
    const __m256i a32 =
        _mm256_slli_epi32(_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(static_cast<long long>(a8))), 24);
    const __m256i top = _mm256_andnot_si256(isKey, _mm256_or_si256(colour, a32));
    if (a8 == ~std::uint64_t(0) && _mm256_testz_si256(isKey, isKey)) {
      Store(dst + i, top);
      continue;
    }
    Store(dst + i, Blend8(top, Load(dst + i), k));
  }
  for (; i < n; ++i) {
    const TskColor colour = src[i] & 0x00FFFFFF;
    if (colour != skKeyColor) {
      dst[i] = BlendOne(colour | (TskColor(alpha[i]) << 24), dst[i]);
    }
  }
}

void BlendAlphaRow(const TskColor* src, std::uint8_t alpha, TskColor* dst, std::size_t n) {
  if (alpha == 0) {
    return;
  }
  const TskColor a = TskColor(alpha) << 24;
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF), alphaMask = _mm256_set1_epi32(int(0xFF000000u));
  const __m256i av = _mm256_set1_epi32(int(a)), zero = _mm256_setzero_si256();
  const BlendConstants k;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = Load(src + i);
    const __m256i empty = _mm256_cmpeq_epi32(_mm256_and_si256(s, alphaMask), zero);
    const __m256i top = _mm256_andnot_si256(empty, _mm256_or_si256(_mm256_and_si256(s, rgb), av));
    if (alpha == 255 && _mm256_testz_si256(empty, empty)) {
      Store(dst + i, top);
      continue;
    }
    Store(dst + i, Blend8(top, Load(dst + i), k));
  }
  for (; i < n; ++i) {
    if ((src[i] >> 24) != 0) {
      dst[i] = BlendOne((src[i] & 0x00FFFFFF) | a, dst[i]);
    }
  }
}
} // namespace

const TskKernels skAvx2Kernels{
    TskKernelPath::kpAvx2, CopyRow,   StreamCopyRow, TransparentRow, BlendRow,     BlendFillRow, FillRow,
    SetAlphaRow,           KeyRunEnd, OpaqueRunEnd,  BlendMaskRow,   BlendAlphaRow};
#endif
