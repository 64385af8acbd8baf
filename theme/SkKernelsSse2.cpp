// SSE2 kernels, four pixels per step. SSE2 is part of the x86-64 baseline, so this file needs
// no extra compiler flags; the results match the scalar reference bit for bit.
#include "theme/SkKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace {
inline __m128i Load(const TskColor* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(TskColor* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Bytes of two pixels widened to 16-bit lanes: ((d << 8) + (s - d) * a) >> 8 equals
// (s * a + d * (256 - a)) >> 8; the sum stays within 0..65280, so the wrap-around of the
// signed 16-bit product cancels out.
inline __m128i BlendHalf(__m128i s16, __m128i d16, __m128i a16) {
  const __m128i t = _mm_add_epi16(_mm_slli_epi16(d16, 8), _mm_mullo_epi16(_mm_sub_epi16(s16, d16), a16));
  return _mm_srli_epi16(t, 8);
}

inline __m128i AlphaLanes(__m128i s16) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(s16, 0xFF), 0xFF); }

// Four pixels at once without widening: red and blue sit in the low bytes of the 16-bit
// lanes (s & 0x00FF00FF), green and alpha in the high bytes (s >> 8 per lane). Each lane pair
// of a pixel carries its weight; alpha 255 is given the weight 256, which makes the formula
// return the source exactly, so no separate select is needed.
inline __m128i Blend4(__m128i s, __m128i d) {
  const __m128i lowBytes = _mm_set1_epi16(0x00FF), highBytes = _mm_set1_epi16(int16_t(0xFF00));
  const __m128i rbS = _mm_and_si128(s, lowBytes), rbD = _mm_and_si128(d, lowBytes);
  const __m128i gaS = _mm_srli_epi16(s, 8), gaD = _mm_srli_epi16(d, 8);
  // gaS holds (green, alpha) per pixel; copying lane 1 over lane 0 gives (alpha, alpha).
  __m128i w = _mm_shufflehi_epi16(_mm_shufflelo_epi16(gaS, 0xF5), 0xF5);
  w = _mm_sub_epi16(w, _mm_cmpeq_epi16(w, lowBytes)); // 255 -> 256
  const __m128i rb =
      _mm_srli_epi16(_mm_add_epi16(_mm_slli_epi16(d, 8), _mm_mullo_epi16(_mm_sub_epi16(rbS, rbD), w)), 8);
  const __m128i ga = _mm_and_si128(
      _mm_add_epi16(_mm_and_si128(d, highBytes), _mm_mullo_epi16(_mm_sub_epi16(gaS, gaD), w)), highBytes);
  return _mm_or_si128(rb, ga);
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
  for (; i + 8 <= n; i += 8) {
    const __m128i a = Load(src + i), b = Load(src + i + 4);
    Store(dst + i, a);
    Store(dst + i + 4, b);
  }
  for (; i + 4 <= n; i += 4) {
    Store(dst + i, Load(src + i));
  }
  for (; i < n; ++i) {
    dst[i] = src[i];
  }
}

void StreamCopyRow(const TskColor* src, TskColor* dst, std::size_t n) {
  std::size_t i = 0;
  for (; i < n && (reinterpret_cast<std::uintptr_t>(dst + i) & 15) != 0; ++i) {
    dst[i] = src[i];
  }
  for (; i + 8 <= n; i += 8) {
    const __m128i a = Load(src + i), b = Load(src + i + 4);
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i), a);
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i + 4), b);
  }
  for (; i < n; ++i) {
    dst[i] = src[i];
  }
  _mm_sfence();
}

void TransparentRow(const TskColor* src, TskColor* dst, std::size_t n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(int(skKeyColor));
  const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = Load(src + i);
    const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(s, rgb), key);
    const int mask = _mm_movemask_epi8(isKey);
    if (mask == 0xFFFF) {
      continue;
    }
    const __m128i put = _mm_or_si128(s, alpha);
    if (mask == 0) {
      Store(dst + i, put);
      continue;
    }
    const __m128i d = Load(dst + i);
    Store(dst + i, _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, put)));
  }
  for (; i < n; ++i) {
    if ((src[i] & 0x00FFFFFF) != skKeyColor) {
      dst[i] = src[i] | 0xFF000000u;
    }
  }
}

// Eight pixels per step: with random alpha a shortcut test per four pixels would mispredict
// often enough to stall the memory stream.
void BlendRow(const TskColor* src, TskColor* dst, std::size_t n) {
  std::size_t i = 0;
  const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u)), ones = _mm_set1_epi32(-1);
  const __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF), zero = _mm_setzero_si128();
  for (; i + 8 <= n; i += 8) {
    const __m128i s0 = Load(src + i), s1 = Load(src + i + 4);
    // The sign bits (alpha >= 128) pick the rare blocks worth testing for a shortcut.
    const int signs = _mm_movemask_ps(_mm_castsi128_ps(s0)) | (_mm_movemask_ps(_mm_castsi128_ps(s1)) << 4);
    if (signs == 0) {
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(_mm_or_si128(s0, s1), alphaMask), zero)) ==
          0xFFFF) {
        continue;
      }
    } else if (signs == 0xFF) {
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_or_si128(_mm_and_si128(s0, s1), rgbMask), ones)) == 0xFFFF) {
        Store(dst + i, s0);
        Store(dst + i + 4, s1);
        continue;
      }
    }
    Store(dst + i, Blend4(s0, Load(dst + i)));
    Store(dst + i + 4, Blend4(s1, Load(dst + i + 4)));
  }
  for (; i + 4 <= n; i += 4) {
    Store(dst + i, Blend4(Load(src + i), Load(dst + i)));
  }
  for (; i < n; ++i) {
    dst[i] = SkBlendPixel(src[i], dst[i]);
  }
}

void BlendFillRow(TskColor value, TskColor* dst, std::size_t n) {
  const std::uint32_t a = value >> 24;
  if (a == 0) {
    return;
  }
  const __m128i v = _mm_set1_epi32(int(value));
  std::size_t i = 0;
  if (a == 255) {
    for (; i + 4 <= n; i += 4) {
      Store(dst + i, v);
    }
  } else {
    const __m128i zero = _mm_setzero_si128();
    const __m128i s16 = _mm_unpacklo_epi8(v, zero), a16 = AlphaLanes(s16);
    for (; i + 4 <= n; i += 4) {
      const __m128i d = Load(dst + i);
      Store(dst + i, _mm_packus_epi16(BlendHalf(s16, _mm_unpacklo_epi8(d, zero), a16),
                                      BlendHalf(s16, _mm_unpackhi_epi8(d, zero), a16)));
    }
  }
  for (; i < n; ++i) {
    dst[i] = SkBlendPixel(value, dst[i]);
  }
}

void FillRow(TskColor value, TskColor* dst, std::size_t n) {
  const __m128i v = _mm_set1_epi32(int(value));
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    Store(dst + i, v);
  }
  for (; i < n; ++i) {
    dst[i] = value;
  }
}

void SetAlphaRow(std::uint8_t alpha, TskColor* dst, std::size_t n) {
  const TskColor a = TskColor(alpha) << 24;
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), av = _mm_set1_epi32(int(a));
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    Store(dst + i, _mm_or_si128(_mm_and_si128(Load(dst + i), rgb), av));
  }
  for (; i < n; ++i) {
    dst[i] = (dst[i] & 0x00FFFFFF) | a;
  }
}
// Four (eight) pixels are compared with the key at once; the mask of the first block that
// changes state gives the exact index through a count of trailing zero bits.
template <bool SkipKeys>
std::size_t RunEnd(const TskColor* row, std::size_t from, std::size_t n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(int(skKeyColor));
  std::size_t i = from;
  for (; i + 4 <= n; i += 4) {
    const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(Load(row + i), rgb), key);
    // One bit per byte; a pixel's four bits agree.
    const unsigned stop = SkipKeys ? ~unsigned(_mm_movemask_epi8(isKey)) : unsigned(_mm_movemask_epi8(isKey));
    const unsigned mask = stop & 0xFFFFu;
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

// Four alpha bytes widened to the alpha bytes of four pixels; the key pixels' alpha cleared,
// so that the blend leaves their destination as it is. Blocks of alpha 0 are skipped, blocks
// of alpha 255 without key pixels are stored without reading the destination.
void BlendMaskRow(const TskColor* src, const std::uint8_t* alpha, TskColor* dst, std::size_t n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(int(skKeyColor));
  const __m128i zero = _mm_setzero_si128();
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    std::uint32_t a4;
    std::memcpy(&a4, alpha + i, 4);
    if (a4 == 0) {
      continue;
    }
    const __m128i s = Load(src + i);
    const __m128i colour = _mm_and_si128(s, rgb);
    const __m128i isKey = _mm_cmpeq_epi32(colour, key);
    const __m128i a32 =
        _mm_slli_epi32(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(a4)), zero), zero), 24);
    const __m128i top = _mm_andnot_si128(isKey, _mm_or_si128(colour, a32));
    if (a4 == 0xFFFFFFFFu && _mm_movemask_epi8(isKey) == 0) {
      Store(dst + i, top);
      continue;
    }
    Store(dst + i, Blend4(top, Load(dst + i)));
  }
  for (; i < n; ++i) {
    const TskColor colour = src[i] & 0x00FFFFFF;
    if (colour != skKeyColor) {
      dst[i] = SkBlendPixel(colour | (TskColor(alpha[i]) << 24), dst[i]);
    }
  }
}

void BlendAlphaRow(const TskColor* src, std::uint8_t alpha, TskColor* dst, std::size_t n) {
  if (alpha == 0) {
    return;
  }
  const TskColor a = TskColor(alpha) << 24;
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), alphaMask = _mm_set1_epi32(int(0xFF000000u));
  const __m128i av = _mm_set1_epi32(int(a)), zero = _mm_setzero_si128();
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = Load(src + i);
    const __m128i empty = _mm_cmpeq_epi32(_mm_and_si128(s, alphaMask), zero);
    const __m128i top = _mm_andnot_si128(empty, _mm_or_si128(_mm_and_si128(s, rgb), av));
    if (alpha == 255 && _mm_movemask_epi8(empty) == 0) {
      Store(dst + i, top);
      continue;
    }
    Store(dst + i, Blend4(top, Load(dst + i)));
  }
  for (; i < n; ++i) {
    if ((src[i] >> 24) != 0) {
      dst[i] = SkBlendPixel((src[i] & 0x00FFFFFF) | a, dst[i]);
    }
  }
}
} // namespace

const TskKernels skSse2Kernels{
    TskKernelPath::kpSse2, CopyRow,   StreamCopyRow, TransparentRow, BlendRow,     BlendFillRow, FillRow,
    SetAlphaRow,           KeyRunEnd, OpaqueRunEnd,  BlendMaskRow,   BlendAlphaRow};
#endif
