// TskBitmap on real DIB sections and device contexts: the context list, the three drawing
// routes against the platform-free reference, glyph helpers, regions and conversions.
#include "theme/SkKernels.h"
#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkBitmapLink.h"
#include "theme/win32/SkBitmapList.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
void FillRandom(TskPixels& p, std::uint32_t seed) {
  std::mt19937 rng(seed);
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    for (std::int32_t x = 0; x < p.Width(); ++x) {
      TskColor c = TskColor(rng());
      switch (rng() % 5) {
      case 0: c = skKeyColor; break;
      case 1: c |= 0xFF000000u; break;
      case 2: c &= 0x00FFFFFF; break;
      }
      p.SetPixel(x, y, c);
    }
  }
}

// A 32-bit DIB section selected into its own memory context, bottom-up or top-down.
struct ForeignDib {
  ForeignDib(int w, int h, bool bottomUp) : W(w), H(h), BottomUp(bottomUp) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, bottomUp ? h : -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    Dib.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0));
    Dc.Reset(CreateCompatibleDC(nullptr));
    Old = SelectObject(Dc.Get(), Dib.Get());
  }
  ~ForeignDib() { SelectObject(Dc.Get(), Old); }
  TskColor& At(int x, int y) { return Bits[(BottomUp ? H - 1 - y : y) * W + x]; }
  int W, H;
  bool BottomUp;
  TskColor* Bits = nullptr;
  TBitmapHandle Dib;
  TMemoryDC Dc;
  HGDIOBJ Old = nullptr;
};

// A device-dependent bitmap: the context offers no pixel memory, so drawing goes through the
// platform. Pixels are moved in and out as a top-down 32-bit image.
struct DeviceBitmap {
  DeviceBitmap(int w, int h) : W(w), H(h) {
    const TWindowDC screen(nullptr);
    Bitmap.Reset(CreateCompatibleBitmap(screen.Get(), w, h));
    Dc.Reset(CreateCompatibleDC(nullptr));
    Old = SelectObject(Dc.Get(), Bitmap.Get());
  }
  ~DeviceBitmap() { SelectObject(Dc.Get(), Old); }
  BITMAPINFO Info() const {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return bi;
  }
  void Put(const std::vector<TskColor>& px) {
    BITMAPINFO bi = Info();
    SelectObject(Dc.Get(), Old);
    SetDIBits(Dc.Get(), Bitmap.Get(), 0, UINT(H), px.data(), &bi, DIB_RGB_COLORS);
    SelectObject(Dc.Get(), Bitmap.Get());
  }
  std::vector<TskColor> Read() {
    std::vector<TskColor> px(std::size_t(W * H));
    BITMAPINFO bi = Info();
    SelectObject(Dc.Get(), Old);
    GetDIBits(Dc.Get(), Bitmap.Get(), 0, UINT(H), px.data(), &bi, DIB_RGB_COLORS);
    SelectObject(Dc.Get(), Bitmap.Get());
    return px;
  }
  int W, H;
  TBitmapHandle Bitmap;
  TMemoryDC Dc;
  HGDIOBJ Old = nullptr;
};

constexpr TskDrawMode kModes[] = {TskDrawMode::dmCopy, TskDrawMode::dmTransparent, TskDrawMode::dmBlend};
} // namespace

TEST(TskBitmap, OwnsOneRegisteredContextPerLiveBitmap) {
  const std::size_t before = TskBitmap::RegisteredCount();
  {
    TskBitmap a;
    EXPECT_TRUE(a.Empty());
    a.SetSize(-5, 5);
    ASSERT_FALSE(a.Empty());
    EXPECT_EQ(a.Width(), 5);
    EXPECT_EQ(a.Height(), 5);
    EXPECT_NE(a.Bits(), nullptr);
    EXPECT_EQ(TskBitmap::FromDC(a.DC()), &a);
    a.SetPixel(4, 4, 0x12345678);
    a.SetSize(0, 10); // ignored
    a.SetSize(5, -5); // unchanged
    EXPECT_EQ(a.GetPixel(4, 4), 0x12345678u);
    for (int i = 1; i <= 5; ++i) {
      a.SetSize(10 + i, 7);
      EXPECT_EQ(TskBitmap::RegisteredCount(), before + 1);
      EXPECT_EQ(TskBitmap::FromDC(a.DC()), &a);
    }
    TskBitmap b;
    b.SetSize(1, 1);
    EXPECT_EQ(TskBitmap::RegisteredCount(), before + 2);
  }
  EXPECT_EQ(TskBitmap::RegisteredCount(), before);
}

TEST(TskBitmap, HostileSizeFailsAndLeavesTheBitmapEmpty) {
  TskBitmap a;
  a.SetSize(3, 3);
  try {
    a.SetSize(16385, 2);
    FAIL() << "no error";
  } catch (const ESkBitmapError& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_TRUE(a.Empty());
  EXPECT_EQ(a.Width(), 0);
  EXPECT_EQ(TskBitmap::FromDC(a.DC()), nullptr);
  EXPECT_THROW(a.SetSize(INT_MIN, 2), ESkBitmapError);
}

TEST(TskBitmap, TheThreeRoutesGiveTheReferencePixels) {
  TskBitmap src;
  src.SetSize(7, 5);
  FillRandom(src.Pixels(), 1);
  struct Case {
    RECT dest, from;
    bool scaled;
  } const cases[] = {{{3, 2, 10, 7}, {0, 0, 7, 5}, false},
                     {{-2, 9, 5, 14}, {0, 0, 7, 5}, false},
                     {{1, 1, 18, 15}, {1, 1, 6, 4}, true},
                     {{4, 4, 6, 5}, {0, 0, 7, 5}, true}};
  for (TskDrawMode mode : kModes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << "mode " << int(mode) << " dest " << c.dest.left << "," << c.dest.top);
      src.AlphaBlend = mode == TskDrawMode::dmBlend;
      src.Transparent = mode == TskDrawMode::dmTransparent;
      TskPixels want;
      want.SetSize(20, 16);
      FillRandom(want, 2);
      for (std::int32_t i = 0; i < 20 * 16; ++i) {
        want.SetPixel(i % 20, i / 20, want.GetPixel(i % 20, i / 20) | 0xFF000000u);
      }
      TskPixels background = want.Clone();
      SkDraw(want, TskBitmap::ToSk(c.dest), src.Pixels(), TskBitmap::ToSk(c.from), mode);

      TskBitmap route1;
      route1.SetSize(20, 16);
      ForeignDib bottomUp(20, 16, true), topDown(20, 16, false);
      DeviceBitmap route3(20, 16);
      std::vector<TskColor> initial;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
          route1.SetPixel(x, y, background.GetPixel(x, y));
          bottomUp.At(x, y) = background.GetPixel(x, y);
          topDown.At(x, y) = background.GetPixel(x, y);
          initial.push_back(background.GetPixel(x, y));
        }
      }
      route3.Put(initial);
      src.Draw(route1.DC(), c.dest, c.from);
      src.Draw(bottomUp.Dc.Get(), c.dest, c.from);
      src.Draw(topDown.Dc.Get(), c.dest, c.from);
      // The platform route scales with the platform's own sampling except for blending.
      const bool checkRoute3 = !c.scaled || mode == TskDrawMode::dmBlend;
      if (checkRoute3) {
        src.Draw(route3.Dc.Get(), c.dest, c.from);
      }
      GdiFlush();
      const std::vector<TskColor> platform = route3.Read();
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
          ASSERT_EQ(route1.GetPixel(x, y), want.GetPixel(x, y)) << x << "," << y;
          ASSERT_EQ(bottomUp.At(x, y), want.GetPixel(x, y)) << x << "," << y;
          ASSERT_EQ(topDown.At(x, y), want.GetPixel(x, y)) << x << "," << y;
          if (checkRoute3) {
            ASSERT_EQ(platform[std::size_t(y * 20 + x)] & 0x00FFFFFF, want.GetPixel(x, y) & 0x00FFFFFF)
                << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(TskBitmap, DirectRoutesFollowTheWindowOrigin) {
  TskBitmap src;
  src.SetSize(2, 2);
  src.Fill(0xFF112233);
  ForeignDib dib(10, 10, true);
  SetWindowOrgEx(dib.Dc.Get(), 5, 3, nullptr);
  src.Draw(dib.Dc.Get(), 10, 10);
  GdiFlush();
  EXPECT_EQ(dib.At(5, 7), 0xFF112233u);
  EXPECT_EQ(dib.At(6, 8), 0xFF112233u);
  EXPECT_EQ(dib.At(7, 9), 0u);

  TskBitmap target;
  target.SetSize(10, 10);
  SetWindowOrgEx(target.DC(), -1, -2, nullptr);
  src.Draw(target.DC(), 0, 0);
  EXPECT_EQ(target.GetPixel(1, 2), 0xFF112233u);
  EXPECT_EQ(target.GetPixel(0, 0), 0u);
}

TEST(TskBitmap, TileThroughADeviceContextMatchesThePixelLayer) {
  TskBitmap tile;
  tile.SetSize(3, 2);
  FillRandom(tile.Pixels(), 4);
  tile.Transparent = true;
  TskBitmap target;
  target.SetSize(17, 11);
  target.Fill(0xFF000000);
  TskPixels want;
  want.SetSize(17, 11);
  want.Fill(0xFF000000);
  SkTile(want, {1, 1, 16, 10}, tile.Pixels(), {0, 0, 3, 2}, {5, 5, 6, 6}, TskDrawMode::dmTransparent);
  tile.Tile(target.DC(), {1, 1, 16, 10}, {0, 0, 3, 2}, {5, 5, 6, 6});
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 17; ++x) {
      ASSERT_EQ(target.GetPixel(x, y), want.GetPixel(x, y)) << x << "," << y;
    }
  }
}

TEST(TskBitmap, DrawMonoGlyphRecoloursTheGlyph) {
  TskBitmap target;
  target.SetSize(16, 16);
  target.Fill(0xFF00FF00);
  TskBitmap::DrawMonoGlyph(target.DC(), {0, 0, 16, 16}, DFC_MENU, 0x000000FF, DFCS_MENUCHECK);
  int ink = 0, kept = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const TskColor p = target.GetPixel(x, y);
      if (p == 0xFFFF0000u) {
        ++ink;
      } else if (p == 0xFF00FF00u) {
        ++kept;
      }
    }
  }
  EXPECT_GT(ink, 5);
  EXPECT_GT(kept, 100);
  EXPECT_EQ(ink + kept, 256);
  TskBitmap::DrawMonoGlyph(target.DC(), {5, 5, 5, 9}, DFC_MENU, 0, DFCS_MENUCHECK); // empty: nothing
}

TEST(TskBitmap, DrawDisabledGlyphPaintsEveryVisiblePixelInTheColour) {
  TskBitmap glyph;
  glyph.SetSize(3, 1);
  glyph.SetPixel(0, 0, skKeyColor);
  glyph.SetPixel(1, 0, 0xFF123456);
  glyph.SetPixel(2, 0, 0xFF7F0380); // near the key: see-through as well
  TskBitmap target;
  target.SetSize(3, 1);
  target.Fill(0xFFFFFFFF);
  TskBitmap::DrawDisabledGlyph(target.DC(), 0, 0, 0x00000000, glyph);
  EXPECT_EQ(target.GetPixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(target.GetPixel(1, 0), SkBlendPixel(0x64000000u, 0xFFFFFFFFu));
  EXPECT_EQ(target.GetPixel(2, 0), 0xFFFFFFFFu);
}

TEST(TskBitmap, RegionCoversEveryNonKeyPixelWithAnyNumberOfRuns) {
  TskBitmap mask;
  mask.SetSize(200, 60);
  mask.Fill(0xFF000000);
  for (int y = 0; y < 60; ++y) {
    for (int x = (y & 1); x < 200; x += 2) {
      mask.SetPixel(x, y, skKeyColor); // 6000 runs
    }
  }
  TRegionHandle region = mask.CreateRegion(7, -3);
  ASSERT_TRUE(region);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      ASSERT_EQ(PtInRegion(region.Get(), x + 7, y - 3) != FALSE, ((x + y) & 1) == 1) << x << "," << y;
    }
  }
  RECT box{};
  GetRgnBox(region.Get(), &box);
  EXPECT_EQ(box.left, 7);
  EXPECT_EQ(box.top, -3);
  EXPECT_EQ(box.right, 207);
  EXPECT_EQ(box.bottom, 57);
}

TEST(TskBitmap, StoredFormAndConversionsRoundTrip) {
  TskBitmap a;
  a.SetSize(4, 3);
  FillRandom(a.Pixels(), 9);
  a.Name = "Face";
  TskByteWriter out;
  a.SaveToStream(out);
  TskBitmap b;
  TskByteReader in(out.Bytes());
  ASSERT_TRUE(b.LoadFromStream(in));
  EXPECT_EQ(b.Name, "Face");
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(b.GetPixel(i % 4, i / 4), a.GetPixel(i % 4, i / 4));
  }

  // A hostile header leaves the bitmap as it was.
  TskByteWriter bad;
  WriteStreamString(bad, "x");
  bad.WriteInt32(40000);
  bad.WriteInt32(40000);
  TskByteReader badIn(bad.Bytes());
  EXPECT_FALSE(b.LoadFromStream(badIn));
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Name, "Face");

  // Out to a platform bitmap and back.
  TBitmapHandle platform = a.AssignTo();
  ASSERT_TRUE(platform);
  TskBitmap c;
  ASSERT_TRUE(c.Assign(platform.Get()));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(c.GetPixel(i % 4, i / 4), a.GetPixel(i % 4, i / 4));
  }
  EXPECT_EQ(c.AlphaBlend, a.Pixels().CheckAlpha());

  // DrawGraphic keeps what the graphic did not paint.
  TskBitmap d;
  d.SetSize(4, 4);
  d.Fill(0x11223344);
  d.DrawGraphic(
      [](HDC dc, const RECT& r) {
        const TBrushHandle brush(CreateSolidBrush(RGB(0, 0, 255)));
        FillRect(dc, &r, brush.Get());
      },
      {1, 1, 3, 3});
  EXPECT_EQ(d.GetPixel(0, 0), 0x11223344u);
  EXPECT_EQ(d.GetPixel(1, 1) & 0x00FFFFFF, 0x000000FFu);
}

TEST(TskBitmapList, LooksUpByNameAndMakesLinks) {
  TskBitmapList list;
  auto b = std::make_unique<TskBitmap>();
  b->SetSize(8, 8);
  b->Fill(0xFFFFFFFF);
  b->SetPixel(7, 0, skKeyColor);
  b->Name = "Caption";
  TskBitmap* caption = list.Add(std::move(b));
  EXPECT_EQ(list.GetBitmapByName("CAPTION"), caption);
  EXPECT_EQ(list.GetBitmapByName("other"), nullptr);
  EXPECT_EQ(list.GetBitmap(1), nullptr);
  auto link = list.GetBitmapLink("caption", {0, 0, 8, 8});
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(link->Valid());
  EXPECT_EQ(link->Name, "Caption");
  link->CheckMasks({2, 2, 2, 2});
  EXPECT_TRUE(link->MaskedAngles);
  EXPECT_FALSE(link->MaskedBorder);
  EXPECT_FALSE(link->Masked);
  TskBitmapLink copy;
  copy.Assign(*link);
  EXPECT_TRUE(copy.MaskedAngles);
  EXPECT_EQ(list.GetBitmapLink("none", {0, 0, 1, 1}), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
}

namespace {
// An open resource update; a pending one is discarded.
struct TResourceUpdateTraits {
  static void Free(HANDLE h) { EndUpdateResourceA(h, TRUE); }
};
using TResourceUpdate = TUniqueHandle<HANDLE, TResourceUpdateTraits>;

// A copy of this test program with bitmap resources written into it, removed afterwards.
class ResourceModule {
public:
  ResourceModule() {
    char self[MAX_PATH], dir[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, dir);
    Path = std::string(dir) + "tabira_bitmap_resources.exe";
    CopyFileA(self, Path.c_str(), FALSE);
    Update.Reset(BeginUpdateResourceA(Path.c_str(), FALSE));
  }
  ~ResourceModule() { DeleteFileA(Path.c_str()); }
  void Add(const char* name, const std::vector<std::uint8_t>& data) {
    UpdateResourceA(Update.Get(), MAKEINTRESOURCEA(2), name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                    const_cast<std::uint8_t*>(data.data()), DWORD(data.size()));
  }
  bool Commit() { return EndUpdateResourceA(Update.Release(), FALSE) != FALSE; }
  std::string Path;

private:
  TResourceUpdate Update;
};

std::vector<std::uint8_t> BitmapResource(LONG w, LONG h, WORD bits, std::size_t pixelBytes,
                                         std::uint8_t seed) {
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), w, h, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint8_t> out(sizeof(header) + pixelBytes);
  std::memcpy(out.data(), &header, sizeof(header));
  for (std::size_t i = 0; i < pixelBytes; ++i) {
    out[sizeof(header) + i] = std::uint8_t(seed + i * 7);
  }
  return out;
}
} // namespace

TEST(TskBitmap, LoadFromResourceReadsBitmapsAndRejectsHostileHeaders) {
  ResourceModule module;
  module.Add("ALPHA", BitmapResource(2, 2, 32, 16, 1));     // bottom-up, with alpha
  module.Add("PLAIN", BitmapResource(4, 3, 24, 12 * 3, 9)); // through the platform loader
  module.Add("HUGE", BitmapResource(100000, 1, 32, 16, 1)); // beyond the size limit
  module.Add("SHORT", BitmapResource(8, 8, 32, 16, 1));     // fewer bytes than declared
  module.Add("MINHEIGHT", BitmapResource(1, INT_MIN, 32, 16, 1));
  ASSERT_TRUE(module.Commit());

  TskBitmap b;
  ASSERT_TRUE(b.LoadFromResource(module.Path, "ALPHA"));
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 2);
  const std::vector<std::uint8_t> raw = BitmapResource(2, 2, 32, 16, 1);
  auto stored = [&](int x, int row) {
    TskColor c;
    std::memcpy(&c, raw.data() + sizeof(BITMAPINFOHEADER) + (row * 2 + x) * 4, 4);
    return c;
  };
  EXPECT_EQ(b.GetPixel(0, 0), stored(0, 1)); // the last stored row is the top one
  EXPECT_EQ(b.GetPixel(1, 1), stored(1, 0));
  EXPECT_EQ(b.AlphaBlend, b.Pixels().CheckAlpha());

  TskBitmap plain;
  ASSERT_TRUE(plain.LoadFromResource(module.Path, "PLAIN"));
  EXPECT_EQ(plain.Width(), 4);
  EXPECT_EQ(plain.Height(), 3);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(plain.GetPixel(i % 4, i / 4) >> 24, 0xFFu);
  }

  for (const char* name : {"HUGE", "SHORT", "MINHEIGHT", "MISSING"}) {
    EXPECT_FALSE(b.LoadFromResource(module.Path, name)) << name;
    EXPECT_EQ(b.Width(), 2) << name;
  }
  EXPECT_FALSE(b.LoadFromResource("no such module.dll", "ALPHA"));
}
