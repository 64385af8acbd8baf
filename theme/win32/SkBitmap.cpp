#include "theme/win32/SkBitmap.h"

#include "theme/SkMasks.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkPlatform.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

// Sections: the context list; sizing and pixels; drawing routes; conversions and stored
// forms; regions and glyph helpers.

namespace {
// The list and its lock are never destroyed: a bitmap that outlives the others at process
// exit (a static one, say) must still find them when it unregisters.
std::mutex& RegistryLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

std::unordered_map<HDC, TskBitmap*>& Registry() {
  static auto* registry = new std::unordered_map<HDC, TskBitmap*>;
  return *registry;
}

void Register(HDC dc, TskBitmap* bitmap) {
  std::lock_guard<std::mutex> guard(RegistryLock());
  Registry()[dc] = bitmap;
}

void Unregister(HDC dc) {
  std::lock_guard<std::mutex> guard(RegistryLock());
  Registry().erase(dc);
}

BITMAPINFO Header32(std::int32_t width, std::int32_t height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

constexpr COLORREF kKeyColorRef = RGB(0x7F, 0x00, 0x7F);
} // namespace

// ---- The context list ----

TskBitmap* TskBitmap::FromDC(HDC dc) {
  if (!dc) {
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(RegistryLock());
  const auto it = Registry().find(dc);
  return it == Registry().end() ? nullptr : it->second;
}

std::size_t TskBitmap::RegisteredCount() {
  std::lock_guard<std::mutex> guard(RegistryLock());
  return Registry().size();
}

// ---- Sizing and pixels ----

TskBitmap::~TskBitmap() { Release(); }

void TskBitmap::Release() {
  if (DCHandle) {
    Unregister(DCHandle.Get());
    if (InitialBitmap) {
      SelectObject(DCHandle.Get(), InitialBitmap);
    }
  }
  InitialBitmap = nullptr;
  DCHandle.Reset();
  DIBHandle.Reset();
  View = TskPixels();
}

void TskBitmap::SetSize(std::int32_t width, std::int32_t height) {
  if (const char* failure = Resize(width, height)) {
    throw ESkBitmapError(failure);
  }
}

bool TskBitmap::TrySetSize(std::int32_t width, std::int32_t height) noexcept {
  return Resize(width, height) == nullptr;
}

const char* TskBitmap::Resize(std::int32_t width, std::int32_t height) noexcept {
  if (width == 0 || height == 0) {
    return nullptr;
  }
  const std::int64_t w = width < 0 ? -std::int64_t(width) : width;
  const std::int64_t h = height < 0 ? -std::int64_t(height) : height;
  if (!Empty() && w == Width() && h == Height()) {
    return nullptr;
  }
  Release();
  if (!TskPixels::ValidSize(w, h)) {
    return "Can't allocate the DIB handle";
  }
  BITMAPINFO bi = Header32(std::int32_t(w), -std::int32_t(h));
  void* bits = nullptr;
  TBitmapHandle dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) {
    return "Can't allocate the DIB handle";
  }
  TMemoryDC dc(CreateCompatibleDC(nullptr));
  if (!dc) {
    return "Can't create compatible DC";
  }
  HGDIOBJ previous = SelectObject(dc.Get(), dib.Get());
  if (!previous || previous == HGDI_ERROR) {
    return "Can't select an object into DC";
  }
  InitialBitmap = previous;
  DCHandle = std::move(dc);
  DIBHandle = std::move(dib);
  View = TskPixels::View(static_cast<TskColor*>(bits), std::int32_t(w), std::int32_t(h), std::ptrdiff_t(w));
  Register(DCHandle.Get(), this);
  return nullptr;
}

TskPixels& TskBitmap::Pixels() {
  // GDI may batch output into the context; it must land before the memory is touched.
  GdiFlush();
  return View;
}

const TskPixels& TskBitmap::Pixels() const {
  GdiFlush();
  return View;
}

void TskBitmap::SetTransparentColor(TskColor c) {
  if (Empty()) {
    return;
  }
  Transparent = Pixels().SetTransparentColor(c);
}

// ---- Drawing routes ----

namespace {
// Which way the rows of a DIB section selected into `dc` run. The header's height sign is not
// reliable across implementations (some report top-down sections with a positive height), so
// one pixel inside the clip box is written through the context and looked for in memory; both
// candidate pixels are restored afterwards.
enum class TskRowOrder { roUnknown, roTopDown, roBottomUp };

TskRowOrder ProbeRowOrder(HDC dc, const DIBSECTION& ds, const RECT& clipBox, POINT origin) {
  const std::int32_t w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
  const std::ptrdiff_t stride = ds.dsBm.bmWidthBytes / 4;
  auto* bits = static_cast<TskColor*>(ds.dsBm.bmBits);
  // Device coordinates equal logical ones minus the window origin (identity mapping).
  const LONG left = std::max<LONG>(clipBox.left - origin.x, 0),
             right = std::min<LONG>(clipBox.right - origin.x, w);
  const LONG top = std::max<LONG>(clipBox.top - origin.y, 0),
             bottom = std::min<LONG>(clipBox.bottom - origin.y, h);
  if (left >= right || top >= bottom) {
    return TskRowOrder::roUnknown;
  }
  LONG y = top;
  if (y == h - 1 - y) {
    if (y + 1 < bottom) {
      ++y;
    } else {
      return TskRowOrder::roTopDown; // only the middle row is drawable: both orders agree
    }
  }
  TskColor* asTopDown = bits + std::ptrdiff_t(y) * stride + left;
  TskColor* asBottomUp = bits + std::ptrdiff_t(h - 1 - y) * stride + left;
  GdiFlush();
  const TskColor keepTop = *asTopDown, keepBottom = *asBottomUp;
  *asTopDown = 0;
  *asBottomUp = 0;
  SetPixelV(dc, left + origin.x, y + origin.y, RGB(0x5A, 0xA5, 0x3C));
  GdiFlush();
  const bool topDown = (*asTopDown & 0x00FFFFFF) == 0x005AA53C;
  const bool bottomUp = (*asBottomUp & 0x00FFFFFF) == 0x005AA53C;
  *asTopDown = keepTop;
  *asBottomUp = keepBottom;
  if (topDown == bottomUp) {
    return TskRowOrder::roUnknown;
  }
  return topDown ? TskRowOrder::roTopDown : TskRowOrder::roBottomUp;
}

// A view of the pixels a context draws into directly: a TskBitmap's, or a 32-bit DIB
// section's. Only for contexts with the identity mapping (apart from the window origin).
bool DirectTarget(HDC dc, const RECT& clipBox, POINT origin, TskPixels& view) {
  if (TskBitmap* owner = TskBitmap::FromDC(dc)) {
    view = TskPixels::View(owner->Bits(), owner->Width(), owner->Height(), owner->Width());
    GdiFlush();
    return !view.Empty();
  }
  if (!TskPlatform::Get().DirectMemoryDrawing || GetMapMode(dc) != MM_TEXT) {
    return false;
  }
  POINT viewport{};
  if (!GetViewportOrgEx(dc, &viewport) || viewport.x != 0 || viewport.y != 0) {
    return false;
  }
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  DIBSECTION ds{};
  if (!bitmap || GetObjectA(bitmap, sizeof(ds), &ds) != int(sizeof(ds))) {
    return false;
  }
  if (!ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmWidthBytes % 4 != 0) {
    return false;
  }
  const TskRowOrder order = ProbeRowOrder(dc, ds, clipBox, origin);
  if (order == TskRowOrder::roUnknown) {
    return false;
  }
  const std::ptrdiff_t stride = ds.dsBm.bmWidthBytes / 4;
  auto* bits = static_cast<TskColor*>(ds.dsBm.bmBits);
  if (order == TskRowOrder::roBottomUp) {
    view =
        TskPixels::View(bits + stride * (ds.dsBm.bmHeight - 1), ds.dsBm.bmWidth, ds.dsBm.bmHeight, -stride);
  } else {
    view = TskPixels::View(bits, ds.dsBm.bmWidth, ds.dsBm.bmHeight, stride);
  }
  return !view.Empty();
}
} // namespace

void TskBitmap::DrawToDC(HDC dc, const TskRect& dest, const TskRect& src, const TskRect* tileClip,
                         bool tile) {
  if (!dc || Empty() || IsRectEmpty(dest) || IsRectEmpty(src) || !RectContains(src, View.Bounds())) {
    return;
  }
  POINT origin{};
  GetWindowOrgEx(dc, &origin);
  RECT box{};
  const int clipKind = GetClipBox(dc, &box);
  if (clipKind == ERROR || clipKind == NULLREGION) {
    return;
  }

  TskPixels target;
  if (clipKind == SIMPLEREGION && DirectTarget(dc, box, origin, target)) {
    // Routes 1 and 2: the clip box becomes a sub-view, so every later step is plain pixel work.
    const TskRect area = IntersectRects(OffsetRect(ToSk(box), -origin.x, -origin.y), target.Bounds());
    if (IsRectEmpty(area)) {
      return;
    }
    TskPixels clipped = TskPixels::View(target.Pixel(area.Left, area.Top), area.Right - area.Left,
                                        area.Bottom - area.Top, target.Stride());
    const std::int32_t dx = -origin.x - area.Left, dy = -origin.y - area.Top;
    if (tile) {
      SkTile(clipped, OffsetRect(dest, dx, dy), Pixels(), src,
             tileClip && !IsRectEmpty(*tileClip) ? OffsetRect(*tileClip, dx, dy) : TskRect{}, Mode());
    } else {
      SkDraw(clipped, OffsetRect(dest, dx, dy), Pixels(), src, Mode());
    }
    return;
  }

  // Route 3: through the platform.
  const TskRect area = IntersectRects(dest, ToSk(box));
  if (IsRectEmpty(area)) {
    return;
  }
  const TskDrawMode mode = Mode();
  if (!tile && mode == TskDrawMode::dmCopy) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.Left, dest.Top, int(RectWidth(dest)), int(RectHeight(dest)), DC(), src.Left, src.Top,
               int(RectWidth(src)), int(RectHeight(src)), SRCCOPY);
    return;
  }
  TskPlatform& platform = TskPlatform::Get();
  if (!tile && mode == TskDrawMode::dmTransparent && platform.TransparentBltAvailable) {
    platform.TransparentBlt(dc, dest.Left, dest.Top, int(RectWidth(dest)), int(RectHeight(dest)), DC(),
                            src.Left, src.Top, int(RectWidth(src)), int(RectHeight(src)), kKeyColorRef);
    return;
  }
  // The visible destination area is read into a temporary bitmap, drawn on and copied back.
  TskBitmap temp;
  if (!temp.TrySetSize(area.Right - area.Left, area.Bottom - area.Top)) {
    return;
  }
  const int w = temp.Width(), h = temp.Height();
  BitBlt(temp.DC(), 0, 0, w, h, dc, area.Left, area.Top, SRCCOPY);
  const std::int32_t dx = -area.Left, dy = -area.Top;
  if (tile) {
    SkTile(temp.Pixels(), OffsetRect(dest, dx, dy), Pixels(), src,
           tileClip && !IsRectEmpty(*tileClip) ? OffsetRect(*tileClip, dx, dy) : TskRect{}, mode);
  } else {
    SkDraw(temp.Pixels(), OffsetRect(dest, dx, dy), Pixels(), src, mode);
  }
  BitBlt(dc, area.Left, area.Top, w, h, temp.DC(), 0, 0, SRCCOPY);
}

void TskBitmap::Draw(HDC dc, int x, int y) { Draw(dc, x, y, RECT{0, 0, Width(), Height()}); }

void TskBitmap::Draw(HDC dc, int x, int y, const RECT& src) {
  const std::int64_t r = std::int64_t(x) + (src.right - std::int64_t(src.left));
  const std::int64_t b = std::int64_t(y) + (src.bottom - std::int64_t(src.top));
  if (r > INT32_MAX || b > INT32_MAX) {
    return;
  }
  DrawToDC(dc, {x, y, std::int32_t(r), std::int32_t(b)}, ToSk(src), nullptr, false);
}

void TskBitmap::Draw(HDC dc, const RECT& dest, const RECT& src) {
  DrawToDC(dc, ToSk(dest), ToSk(src), nullptr, false);
}

void TskBitmap::Draw(HDC dc, const RECT& dest) { DrawToDC(dc, ToSk(dest), View.Bounds(), nullptr, false); }

void TskBitmap::DrawTo(TskBitmap& target, int x, int y) {
  DrawTo(target, x, y, RECT{0, 0, Width(), Height()});
}

void TskBitmap::DrawTo(TskBitmap& target, int x, int y, const RECT& src) {
  if (target.Empty() || Empty()) {
    return;
  }
  SkDrawAt(target.Pixels(), x, y, Pixels(), ToSk(src), Mode());
}

void TskBitmap::DrawTo(TskBitmap& target, const RECT& dest, const RECT& src) {
  if (target.Empty() || Empty()) {
    return;
  }
  SkDraw(target.Pixels(), ToSk(dest), Pixels(), ToSk(src), Mode());
}

void TskBitmap::Tile(HDC dc, const RECT& dest, const RECT& src, const RECT& clip) {
  const TskRect c = ToSk(clip);
  DrawToDC(dc, ToSk(dest), ToSk(src), &c, true);
}

void TskBitmap::MergeUnder(const TskBitmap& source, int x, int y, const RECT& src) {
  if (Empty() || source.Empty()) {
    return;
  }
  SkMergeUnder(Pixels(), source.Pixels(), x, y, ToSk(src));
}

void TskBitmap::DrawGraphic(const std::function<void(HDC, const RECT&)>& paint, const RECT& dest) {
  if (Empty() || !paint) {
    return;
  }
  TskBitmap canvas;
  if (!canvas.TrySetSize(Width(), Height())) {
    return;
  }
  canvas.Fill(0x00FF00FF); // magenta
  paint(canvas.DC(), dest);
  const TskPixels& from = canvas.Pixels();
  TskPixels& to = Pixels();
  for (std::int32_t y = 0; y < Height(); ++y) {
    const TskColor* s = from.ScanLine(y);
    TskColor* d = to.ScanLine(y);
    for (std::int32_t x = 0; x < Width(); ++x) {
      if ((s[x] & 0x00FFFFFF) != 0x00FF00FF) {
        d[x] = s[x];
      }
    }
  }
}

// ---- Conversions and stored forms ----

void TskBitmap::Assign(const TskBitmap& source) {
  if (&source == this) {
    return;
  }
  if (source.Empty()) {
    Release();
  } else {
    SetSize(source.Width(), source.Height());
    const TskPixels& from = source.Pixels();
    TskPixels& to = Pixels();
    for (std::int32_t y = 0; y < Height(); ++y) {
      std::memcpy(to.ScanLine(y), from.ScanLine(y), std::size_t(Width()) * sizeof(TskColor));
    }
  }
  Name = source.Name;
  AlphaBlend = source.AlphaBlend;
  Transparent = source.Transparent;
}

bool TskBitmap::Assign(HBITMAP source) {
  if (!source) {
    return false;
  }
  DIBSECTION ds{};
  if (GetObjectA(source, sizeof(ds), &ds) == int(sizeof(ds)) && ds.dsBm.bmBits && ds.dsBm.bmBitsPixel == 32) {
    const std::int32_t w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
    if (!TskPixels::ValidSize(w, h)) {
      return false;
    }
    if (!TrySetSize(w, h)) {
      return false;
    }
    GdiFlush();
    const bool bottomUp = ds.dsBmih.biHeight > 0;
    const auto* bits = static_cast<const std::uint8_t*>(ds.dsBm.bmBits);
    TskPixels& to = Pixels();
    for (std::int32_t y = 0; y < h; ++y) {
      const std::int32_t row = bottomUp ? h - 1 - y : y;
      std::memcpy(to.ScanLine(y), bits + std::ptrdiff_t(row) * ds.dsBm.bmWidthBytes, std::size_t(w) * 4);
    }
    CheckAlpha();
    return true;
  }
  BITMAP bm{};
  if (!GetObjectA(source, sizeof(bm), &bm) || !TskPixels::ValidSize(bm.bmWidth, bm.bmHeight)) {
    return false;
  }
  if (!TrySetSize(bm.bmWidth, bm.bmHeight)) {
    return false;
  }
  TMemoryDC memory(CreateCompatibleDC(nullptr));
  if (!memory) {
    return false;
  }
  {
    TSelectGuard select(memory.Get(), source);
    BitBlt(DC(), 0, 0, Width(), Height(), memory.Get(), 0, 0, SRCCOPY);
  }
  SetAlpha(255);
  return true;
}

TBitmapHandle TskBitmap::AssignTo() const {
  if (Empty()) {
    return TBitmapHandle();
  }
  BITMAPINFO bi = Header32(Width(), Height()); // bottom-up, as platform bitmaps usually are
  void* bits = nullptr;
  TBitmapHandle out(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  TMemoryDC dc(CreateCompatibleDC(nullptr));
  if (!out || !dc) {
    return TBitmapHandle();
  }
  {
    TSelectGuard select(dc.Get(), out.Get());
    const_cast<TskBitmap*>(this)->Draw(dc.Get(), 0, 0);
  }
  return out;
}

bool TskBitmap::LoadFromStream(TskByteReader& in) {
  TskStoredBitmap stored;
  if (!ReadStoredBitmap(in, stored)) {
    return false;
  }
  if (!stored.Pixels.Empty()) {
    if (!TrySetSize(stored.Pixels.Width(), stored.Pixels.Height())) {
      return false;
    }
    TskPixels& to = Pixels();
    for (std::int32_t y = 0; y < Height(); ++y) {
      std::memcpy(to.ScanLine(y), stored.Pixels.ScanLine(y), std::size_t(Width()) * sizeof(TskColor));
    }
  }
  Name = std::move(stored.Name);
  return true;
}

void TskBitmap::SaveToStream(TskByteWriter& out) const { WriteStoredBitmap(out, Name, Pixels()); }

bool TskBitmap::LoadFromResource(const std::string& moduleFile, const std::string& resourceName) {
  TModuleHandle module(LoadLibraryExA(moduleFile.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) {
    return false;
  }
  HRSRC resource = FindResourceA(module.Get(), resourceName.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (!resource) {
    return false;
  }
  const DWORD size = SizeofResource(module.Get(), resource);
  HGLOBAL loaded = LoadResource(module.Get(), resource);
  const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!data || size < sizeof(BITMAPINFOHEADER)) {
    return false;
  }
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof(header));
  if (header.biBitCount == 32) {
    // The module is untrusted data: every size is checked against the resource's bytes.
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biHeight == INT_MIN ||
        header.biWidth <= 0 || !TskPixels::ValidSize(header.biWidth, header.biHeight) ||
        (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) || header.biClrUsed > 256) {
      return false;
    }
    const std::uint64_t offset = std::uint64_t(header.biSize) +
                                 (header.biCompression == BI_BITFIELDS ? 12u : 0u) +
                                 std::uint64_t(header.biClrUsed) * 4u;
    const std::int64_t w = header.biWidth,
                       h = header.biHeight < 0 ? -std::int64_t(header.biHeight) : header.biHeight;
    if (offset + std::uint64_t(w) * std::uint64_t(h) * 4u > size) {
      return false;
    }
    if (!TrySetSize(std::int32_t(w), std::int32_t(h))) {
      return false;
    }
    TskPixels& to = Pixels();
    for (std::int64_t y = 0; y < h; ++y) {
      const std::int64_t row = header.biHeight > 0 ? h - 1 - y : y;
      std::memcpy(to.ScanLine(std::int32_t(y)), data + offset + std::uint64_t(row) * std::uint64_t(w) * 4u,
                  std::size_t(w) * 4);
    }
    CheckAlpha();
    return true;
  }
  HANDLE image = LoadImageA(module.Get(), resourceName.c_str(), IMAGE_BITMAP, 0, 0, 0);
  if (!image) {
    image = LoadImageA(module.Get(), resourceName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  }
  if (!image) {
    return false;
  }
  TBitmapHandle owned(static_cast<HBITMAP>(image));
  return Assign(owned.Get());
}

// ---- Regions and glyph helpers ----

TRegionHandle TskBitmap::CreateRegion(int x, int y) const {
  const std::vector<TskRect> runs = Empty() ? std::vector<TskRect>() : SkRegionRuns(Pixels(), x, y);
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (!region) {
    return region;
  }
  // Some implementations limit one region request, so the runs are passed in chunks and
  // combined; each chunk's header carries the true bounding box of its rectangles.
  constexpr std::size_t chunk = 4000;
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + chunk * sizeof(RECT));
  for (std::size_t first = 0; first < runs.size(); first += chunk) {
    const std::size_t n = std::min(chunk, runs.size() - first);
    const std::vector<TskRect> part(runs.begin() + std::ptrdiff_t(first),
                                    runs.begin() + std::ptrdiff_t(first + n));
    const TskRect bound = SkRunsBounds(part);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(n);
    header.nRgnSize = DWORD(n * sizeof(RECT));
    header.rcBound = RECT{bound.Left, bound.Top, bound.Right, bound.Bottom};
    std::memcpy(buffer.data(), &header, sizeof(header));
    for (std::size_t i = 0; i < n; ++i) {
      const RECT r{part[i].Left, part[i].Top, part[i].Right, part[i].Bottom};
      std::memcpy(buffer.data() + sizeof(RGNDATAHEADER) + i * sizeof(RECT), &r, sizeof(RECT));
    }
    TRegionHandle piece(ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + n * sizeof(RECT)),
                                        reinterpret_cast<const RGNDATA*>(buffer.data())));
    if (!piece) {
      return TRegionHandle();
    }
    CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_OR);
  }
  return region;
}

void TskBitmap::DrawMonoGlyph(HDC dc, const RECT& r, UINT glyphType, TColor color, UINT glyphState) {
  if (r.right <= r.left || r.bottom <= r.top) {
    return;
  }
  TskBitmap glyph;
  if (!glyph.TrySetSize(r.right - r.left, r.bottom - r.top)) {
    return;
  }
  glyph.Fill(0x00FFFFFF);
  RECT area{0, 0, glyph.Width(), glyph.Height()};
  DrawFrameControl(glyph.DC(), &area, glyphType, glyphState);
  const TskColor ink = ColorToSkColor(color, 255, &TskCanvas::SysColor);
  TskPixels& p = glyph.Pixels();
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    TskColor* row = p.ScanLine(y);
    for (std::int32_t x = 0; x < p.Width(); ++x) {
      row[x] = (row[x] & 0x00FFFFFF) == 0 ? ink : skKeyColor;
    }
  }
  glyph.Transparent = true;
  glyph.Draw(dc, r.left, r.top);
}

void TskBitmap::DrawDisabledGlyph(HDC dc, int x, int y, TColor color, const TskBitmap& glyph) {
  if (glyph.Empty()) {
    return;
  }
  TskBitmap copy;
  if (!copy.TrySetSize(glyph.Width(), glyph.Height())) {
    return;
  }
  copy.Assign(glyph); // the size is there: nothing left to fail
  copy.AlphaBlend = true;
  copy.SetTransparentColor(skKeyColor);
  const TskColor ink = ColorToSkColor(color, 100, &TskCanvas::SysColor);
  TskPixels& p = copy.Pixels();
  for (std::int32_t row = 0; row < p.Height(); ++row) {
    TskColor* line = p.ScanLine(row);
    for (std::int32_t col = 0; col < p.Width(); ++col) {
      if (line[col] > 0x00FFFFFF) {
        line[col] = ink;
      }
    }
  }
  copy.Draw(dc, x, y);
}
