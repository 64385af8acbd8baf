// Every kernel path against the scalar reference: exhaustively for the blend, and over seeded
// random rows of odd lengths, offsets and strides for every kernel.
#include "theme/SkKernels.h"
#include "theme/SkPixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {
std::vector<const TskKernels*> Paths() {
  std::vector<const TskKernels*> out;
  for (TskKernelPath p : {TskKernelPath::kpScalar, TskKernelPath::kpSse2, TskKernelPath::kpAvx2}) {
    if (const TskKernels* k = SkKernelsFor(p)) {
      out.push_back(k);
    }
  }
  return out;
}

// The blend of one byte, written out from its definition and independent of SkBlendPixel.
std::uint32_t ByteBlend(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
  return (s * a + d * (256 - a)) >> 8;
}
} // namespace

TEST(SkKernels, ReferenceFollowsTheDefinition) {
  // Black at alpha 128 over white: colour bytes (0 * 128 + 255 * 128) >> 8 = 0x7F, alpha byte
  // (128 * 128 + 255 * 128) >> 8 = 0xBF.
  EXPECT_EQ(SkBlendPixel(0x80000000u, 0xFFFFFFFFu), 0xBF7F7F7Fu);
  EXPECT_EQ(SkBlendPixel(0x00123456u, 0x89ABCDEFu), 0x89ABCDEFu); // alpha 0 keeps the destination
  EXPECT_EQ(SkBlendPixel(0xFF123456u, 0x89ABCDEFu), 0xFF123456u); // alpha 255 copies the source
  for (std::uint32_t a = 1; a < 255; a += 37) {
    for (std::uint32_t s = 0; s < 256; s += 51) {
      for (std::uint32_t d = 0; d < 256; d += 17) {
        const TskColor got =
            SkBlendPixel((a << 24) | (s << 16) | (d << 8) | s, (d << 24) | (d << 16) | (s << 8) | d);
        EXPECT_EQ(got >> 24, ByteBlend(a, d, a));
        EXPECT_EQ((got >> 16) & 0xFF, ByteBlend(s, d, a));
        EXPECT_EQ((got >> 8) & 0xFF, ByteBlend(d, s, a));
      }
    }
  }
}

TEST(SkKernels, EveryPathBlendsEverySourceDestinationAndAlpha) {
  // Row a holds all 256 x 256 (source byte, destination byte) pairs on every channel at
  // alpha a; the destination's alpha byte walks through all values too.
  std::vector<TskColor> src(65536), dst(65536), want(65536), got(65536);
  for (const TskKernels* k : Paths()) {
    SCOPED_TRACE(SkKernelPathName(k->Path));
    for (std::uint32_t a = 0; a < 256; ++a) {
      for (std::uint32_t s = 0; s < 256; ++s) {
        for (std::uint32_t d = 0; d < 256; ++d) {
          const std::size_t i = s * 256 + d;
          src[i] = (a << 24) | (s << 16) | (s << 8) | s;
          dst[i] = (d << 24) | (d << 16) | ((255 - d) << 8) | d;
          want[i] = SkBlendPixel(src[i], dst[i]);
        }
      }
      got = dst;
      k->BlendRow(src.data(), got.data(), got.size());
      ASSERT_EQ(got, want) << "alpha " << a;
      // One source value per alpha over all destinations.
      const TskColor value = src[(a * 97) & 0xFFFF];
      for (std::size_t i = 0; i < want.size(); ++i) {
        want[i] = SkBlendPixel(value, dst[i]);
      }
      got = dst;
      k->BlendFillRow(value, got.data(), got.size());
      ASSERT_EQ(got, want) << "fill, alpha " << a;
    }
  }
}

TEST(SkKernels, EveryPathMatchesTheReferenceOnRandomRows) {
  std::mt19937 rng(20260501);
  auto pixel = [&rng]() -> TskColor {
    switch (rng() % 6) {
    case 0: return skKeyColor | (TskColor(rng() & 0xFF) << 24); // key colour, any alpha
    case 1: return rng() & 0x00FFFFFF;                          // alpha 0
    case 2: return rng() | 0xFF000000u;                         // alpha 255
    default: return TskColor(rng());
    }
  };
  const TskKernels& ref = skScalarKernels;
  for (const TskKernels* k : Paths()) {
    SCOPED_TRACE(SkKernelPathName(k->Path));
    for (int round = 0; round < 300; ++round) {
      const std::size_t n = rng() % 70, offset = rng() % 5, stride = n + offset + rng() % 7;
      const int rows = 1 + int(rng() % 3);
      std::vector<TskColor> src(stride * rows + 8), dst(stride * rows + 8);
      for (auto& p : src) {
        p = pixel();
      }
      for (auto& p : dst) {
        p = pixel();
      }
      const TskColor value = pixel();
      const std::uint8_t alpha = std::uint8_t(rng());
      // Per-pixel alpha with runs of 0 and 255 long enough to take the kernels' shortcuts.
      std::vector<std::uint8_t> alphas(src.size());
      for (std::size_t i = 0; i < alphas.size();) {
        const std::size_t run = 1 + rng() % 12;
        const std::uint8_t v = rng() % 3 == 0 ? 0 : rng() % 2 == 0 ? 255 : std::uint8_t(rng());
        for (std::size_t j = 0; j < run && i < alphas.size(); ++j, ++i) {
          alphas[i] = v;
        }
      }
      auto check = [&](auto&& apply) {
        std::vector<TskColor> a = dst, b = dst;
        for (int r = 0; r < rows; ++r) {
          apply(ref, src.data() + r * stride + offset, a.data() + r * stride + offset);
          apply(*k, src.data() + r * stride + offset, b.data() + r * stride + offset);
        }
        ASSERT_EQ(a, b) << "n " << n << " offset " << offset;
      };
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) { kk.BlendRow(s, d, n); });
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) { kk.TransparentRow(s, d, n); });
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) { kk.CopyRow(s, d, n); });
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) { kk.StreamCopyRow(s, d, n); });
      check([&](const TskKernels& kk, const TskColor*, TskColor* d) { kk.BlendFillRow(value, d, n); });
      check([&](const TskKernels& kk, const TskColor*, TskColor* d) { kk.FillRow(value, d, n); });
      check([&](const TskKernels& kk, const TskColor*, TskColor* d) { kk.SetAlphaRow(alpha, d, n); });
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) {
        kk.BlendMaskRow(s, alphas.data() + (s - src.data()), d, n);
      });
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) { kk.BlendAlphaRow(s, alpha, d, n); });
      for (std::uint8_t edge : {std::uint8_t(0), std::uint8_t(255)}) {
        check([&](const TskKernels& kk, const TskColor* s, TskColor* d) { kk.BlendAlphaRow(s, edge, d, n); });
      }
      // Run ends from every start, written into the destination row for comparison.
      check([&](const TskKernels& kk, const TskColor* s, TskColor* d) {
        for (std::size_t from = 0; from <= n; ++from) {
          d[from % (n + 1)] = TskColor(kk.KeyRunEnd(s, from, n) * 1000 + kk.OpaqueRunEnd(s, from, n));
        }
      });
    }
  }
}

TEST(SkKernels, CopyRowHandlesOverlappingRows) {
  for (const TskKernels* k : Paths()) {
    for (std::ptrdiff_t shift : {-5, -1, 1, 3, 17}) {
      std::vector<TskColor> row(80), want;
      for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = TskColor(i * 2654435761u);
      }
      want = row;
      std::memmove(want.data() + 20 + shift, want.data() + 20, 30 * sizeof(TskColor));
      k->CopyRow(row.data() + 20, row.data() + 20 + shift, 30);
      EXPECT_EQ(row, want) << SkKernelPathName(k->Path) << " shift " << shift;
    }
  }
}

TEST(SkKernels, TransparentRowSkipsKeyPixelsAndMakesTheRestOpaque) {
  const std::vector<TskColor> src = {0x007F007F, 0xFF7F007F, 0x00123456, 0x807F0080, 0x11000000};
  for (const TskKernels* k : Paths()) {
    std::vector<TskColor> dst(5, 0x01020304);
    k->TransparentRow(src.data(), dst.data(), dst.size());
    EXPECT_EQ(dst, (std::vector<TskColor>{0x01020304, 0x01020304, 0xFF123456, 0xFF7F0080, 0xFF000000}))
        << SkKernelPathName(k->Path);
  }
}

TEST(SkKernels, MaskBlendsSkipKeyOrEmptySourcePixels) {
  // Key colour, alpha-0 colour, opaque colour, half-transparent colour.
  const std::vector<TskColor> src = {0xFF7F007F, 0x00102030, 0xFF000000, 0x80FFFFFF};
  const std::vector<std::uint8_t> alphas = {128, 128, 128, 255};
  for (const TskKernels* k : Paths()) {
    std::vector<TskColor> dst(4, 0xFFFFFFFF);
    k->BlendMaskRow(src.data(), alphas.data(), dst.data(), dst.size());
    EXPECT_EQ(dst, (std::vector<TskColor>{0xFFFFFFFF, 0xBF878F97, 0xBF7F7F7F, 0xFFFFFFFF}))
        << SkKernelPathName(k->Path);
    dst.assign(4, 0xFFFFFFFF);
    k->BlendAlphaRow(src.data(), 128, dst.data(), dst.size());
    EXPECT_EQ(dst, (std::vector<TskColor>{0xBFBF7FBF, 0xFFFFFFFF, 0xBF7F7F7F, 0xBFFFFFFF}))
        << SkKernelPathName(k->Path);
  }
}

TEST(SkKernels, SelectionCanBeForcedToEveryAvailablePath) {
  const TskKernelPath before = SkActiveKernels().Path;
  for (const TskKernels* k : Paths()) {
    ASSERT_TRUE(SkSelectKernels(k->Path));
    EXPECT_EQ(SkActiveKernels().Path, k->Path);
    // The pixel layer picks the forced kernels up.
    TskPixels p;
    p.SetSize(9, 1);
    p.Fill(0xFFFFFFFF);
    p.FillRect({0, 0, 9, 1}, 0x80000000u, true);
    EXPECT_EQ(p.GetPixel(8, 0), 0xBF7F7F7Fu);
  }
  SkSelectKernels(before);
}
