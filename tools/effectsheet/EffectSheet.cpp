// effectsheet: a contact sheet of every transition effect. For each effect, one row with the
// frames at 0, 25, 50, 75 and 100 % of a transition between two fixed test pictures, the
// effect's number at the left. Writes a PNG.
// Usage: effectsheet <out.png> [first count]   (rows first .. first + count - 1, 1-based)
#include "effects/SkEffectPlayer.h"
#include "effects/SkEffectRegistry.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kFrameW = 96, kFrameH = 72, kGap = 4, kLabelW = 28;
constexpr int kPercents[] = {0, 25, 50, 75, 100};

// The old picture: dark blue with a light grid. The new one: a warm vertical gradient with a
// white diagonal, a black border and a key-colour-free palette.
TskPixels OldPicture() {
  TskPixels p;
  p.SetSize(kFrameW, kFrameH);
  for (int y = 0; y < kFrameH; ++y) {
    for (int x = 0; x < kFrameW; ++x) {
      const bool line = x % 12 == 0 || y % 12 == 0;
      p.SetPixel(x, y, line ? 0xFF8090C0u : 0xFF182850u);
    }
  }
  return p;
}

TskPixels NewPicture() {
  TskPixels p;
  p.SetSize(kFrameW, kFrameH);
  for (int y = 0; y < kFrameH; ++y) {
    for (int x = 0; x < kFrameW; ++x) {
      const TskColor g = TskColor(120 + y * 130 / kFrameH);
      TskColor c = 0xFF000000u | 0xF00000u | (g << 8) | 0x30u;
      if (std::abs(x * kFrameH - y * kFrameW) < 2 * kFrameW) {
        c = 0xFFFFFFFFu;
      }
      if (x < 2 || y < 2 || x >= kFrameW - 2 || y >= kFrameH - 2) {
        c = 0xFF000000u;
      }
      p.SetPixel(x, y, c);
    }
  }
  return p;
}

// Digits 0-9 in a 3 x 5 font, one row of bits per entry.
const unsigned char kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
                                      {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1},
                                      {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void DrawNumber(TskPixels& sheet, int x, int y, int n) {
  const std::string text = std::to_string(n);
  for (char ch : text) {
    const auto& d = kDigits[ch - '0'];
    for (int r = 0; r < 5; ++r) {
      for (int c = 0; c < 3; ++c) {
        if (d[r] & (4 >> c)) {
          sheet.FillRect({x + 2 * c, y + 2 * r, x + 2 * c + 2, y + 2 * r + 2}, 0xFF000000u);
        }
      }
    }
    x += 8;
  }
}

void Chunk(std::FILE* f, const char* type, const std::vector<unsigned char>& data) {
  const unsigned char len[4] = {
      static_cast<unsigned char>(data.size() >> 24), static_cast<unsigned char>(data.size() >> 16),
      static_cast<unsigned char>(data.size() >> 8), static_cast<unsigned char>(data.size())};
  std::fwrite(len, 1, 4, f);
  std::fwrite(type, 1, 4, f);
  if (!data.empty()) {
    std::fwrite(data.data(), 1, data.size(), f);
  }
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  if (!data.empty()) {
    crc = crc32(crc, data.data(), uInt(data.size()));
  }
  const unsigned char c[4] = {static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
                              static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
  std::fwrite(c, 1, 4, f);
}

// An 8-bit RGB PNG: every row with filter 0, one zlib stream.
bool WritePng(const char* path, const TskPixels& img) {
  const int w = img.Width(), h = img.Height();
  std::vector<unsigned char> raw;
  raw.reserve(std::size_t(h) * (std::size_t(w) * 3 + 1));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      const TskColor p = img.GetPixel(x, y);
      raw.push_back(static_cast<unsigned char>(p >> 16));
      raw.push_back(static_cast<unsigned char>(p >> 8));
      raw.push_back(static_cast<unsigned char>(p));
    }
  }
  uLongf size = compressBound(uLong(raw.size()));
  std::vector<unsigned char> z(size);
  if (compress2(z.data(), &size, raw.data(), uLong(raw.size()), 9) != Z_OK) {
    return false;
  }
  z.resize(size);
  std::FILE* f = std::fopen(path, "wb");
  if (!f) {
    return false;
  }
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::fwrite(kSignature, 1, 8, f);
  const std::vector<unsigned char> ihdr = {static_cast<unsigned char>(w >> 24),
                                           static_cast<unsigned char>(w >> 16),
                                           static_cast<unsigned char>(w >> 8),
                                           static_cast<unsigned char>(w),
                                           static_cast<unsigned char>(h >> 24),
                                           static_cast<unsigned char>(h >> 16),
                                           static_cast<unsigned char>(h >> 8),
                                           static_cast<unsigned char>(h),
                                           8,
                                           2,
                                           0,
                                           0,
                                           0};
  Chunk(f, "IHDR", ihdr);
  Chunk(f, "IDAT", z);
  Chunk(f, "IEND", {});
  return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: effectsheet <out.png> [first count]\n");
    return 2;
  }
  const TskProcList& list = SkProcList();
  int first = 1, rows = int(list.Count());
  if (argc == 4) {
    first = std::clamp(std::atoi(argv[2]), 1, rows);
    rows = std::clamp(std::atoi(argv[3]), 1, rows - first + 1);
  }
  TskPixels sheet;
  sheet.SetSize(kLabelW + 5 * (kFrameW + kGap) + kGap, rows * (kFrameH + kGap) + kGap);
  sheet.Fill(0xFFFFFFFFu);
  const TskPixels oldPic = OldPicture(), newPic = NewPicture();
  for (int r = 0; r < rows; ++r) {
    const TskProcItem& item = list.Item(std::size_t(first - 1 + r));
    const TskEffectKind kind = item.Category() == TskEffectCategory::ecMap      ? TskEffectKind::ekMap
                               : item.Category() == TskEffectCategory::ecManual ? TskEffectKind::ekManual
                                                                                : TskEffectKind::ekMask;
    TskAnimationRec rec;
    rec.SetEffect(item.DisplayName());
    TskEffectPlayer player;
    if (!player.Start(rec, newPic, oldPic, kind, item.Def())) {
      std::fprintf(stderr, "cannot play %s\n", item.DisplayName().c_str());
      return 1;
    }
    const int y = kGap + r * (kFrameH + kGap);
    DrawNumber(sheet, 3, y + kFrameH / 2 - 5, first + r);
    for (int c = 0; c < 5; ++c) {
      player.Frame(kPercents[c]);
      const int x = kLabelW + kGap + c * (kFrameW + kGap);
      for (int fy = 0; fy < kFrameH; ++fy) {
        std::memcpy(sheet.Pixel(x, y + fy), player.Work().ScanLine(fy), sizeof(TskColor) * kFrameW);
      }
    }
  }
  if (!WritePng(argv[1], sheet)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
