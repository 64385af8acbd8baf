// The scalar reference kernels: plain loops, no vector instructions assumed.
#include "theme/SkKernels.h"

#include <cstring>

namespace {
void CopyRow(const TskColor* src, TskColor* dst, std::size_t n) {
  if (n) {
    std::memmove(dst, src, n * sizeof(TskColor));
  }
}

void TransparentRow(const TskColor* src, TskColor* dst, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if ((src[i] & 0x00FFFFFF) != skKeyColor) {
      dst[i] = src[i] | 0xFF000000u;
    }
  }
}

void BlendRow(const TskColor* src, TskColor* dst, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    dst[i] = SkBlendPixel(src[i], dst[i]);
  }
}

void BlendFillRow(TskColor value, TskColor* dst, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    dst[i] = SkBlendPixel(value, dst[i]);
  }
}

void FillRow(TskColor value, TskColor* dst, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    dst[i] = value;
  }
}

void SetAlphaRow(std::uint8_t alpha, TskColor* dst, std::size_t n) {
  const TskColor a = TskColor(alpha) << 24;
  for (std::size_t i = 0; i < n; ++i) {
    dst[i] = (dst[i] & 0x00FFFFFF) | a;
  }
}
std::size_t KeyRunEnd(const TskColor* row, std::size_t from, std::size_t n) {
  while (from < n && (row[from] & 0x00FFFFFF) == skKeyColor) {
    ++from;
  }
  return from;
}

std::size_t OpaqueRunEnd(const TskColor* row, std::size_t from, std::size_t n) {
  while (from < n && (row[from] & 0x00FFFFFF) != skKeyColor) {
    ++from;
  }
  return from;
}

void BlendMaskRow(const TskColor* src, const std::uint8_t* alpha, TskColor* dst, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const TskColor colour = src[i] & 0x00FFFFFF;
    if (colour != skKeyColor) {
      dst[i] = SkBlendPixel(colour | (TskColor(alpha[i]) << 24), dst[i]);
    }
  }
}

void BlendAlphaRow(const TskColor* src, std::uint8_t alpha, TskColor* dst, std::size_t n) {
  const TskColor a = TskColor(alpha) << 24;
  for (std::size_t i = 0; i < n; ++i) {
    if ((src[i] >> 24) != 0) {
      dst[i] = SkBlendPixel((src[i] & 0x00FFFFFF) | a, dst[i]);
    }
  }
}
} // namespace

const TskKernels skScalarKernels{TskKernelPath::kpScalar,
                                 CopyRow,
                                 CopyRow,
                                 TransparentRow,
                                 BlendRow,
                                 BlendFillRow,
                                 FillRow,
                                 SetAlphaRow,
                                 KeyRunEnd,
                                 OpaqueRunEnd,
                                 BlendMaskRow,
                                 BlendAlphaRow};
