#include "visualstyles/VsSections.h"

#include "theme/SkPixelDraw.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

bool IsSeparator(char c) { return c == ',' || std::uint8_t(c) <= ' '; }

// The next integer token of s (skipping separators); false when the next token is not an
// integer. Values beyond 32 bits are clamped.
bool NextInt(std::string_view& s, std::int64_t& out) {
  while (!s.empty() && IsSeparator(s.front())) {
    s.remove_prefix(1);
  }
  if (s.empty()) {
    return false;
  }
  std::size_t end = 0;
  while (end < s.size() && !IsSeparator(s[end])) {
    ++end;
  }
  std::string_view token = s.substr(0, end);
  s.remove_prefix(end);
  if (!token.empty() && token.front() == '+') {
    token.remove_prefix(1);
  }
  std::int64_t v = 0;
  const auto [p, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
  if (ec == std::errc::result_out_of_range) {
    v = token.front() == '-' ? INT32_MIN : INT32_MAX;
  } else if (ec != std::errc() || p != token.data() + token.size()) {
    return false;
  }
  out = std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX);
  return true;
}

std::string FirstWord(std::string_view value) {
  std::size_t start = 0;
  while (start < value.size() && IsSeparator(value[start])) {
    ++start;
  }
  std::size_t end = start;
  while (end < value.size() && !IsSeparator(value[end])) {
    ++end;
  }
  return VsLowerCase(value.substr(start, end - start));
}

TvsMargins ParseMargins(std::string_view value) {
  std::int32_t v[4] = {};
  if (!VsParseInts(value, v, 4)) {
    return {};
  }
  // Negative margins mean nothing; huge ones are cut so that sums stay in range.
  auto fix = [](std::int32_t m) { return std::clamp(m, 0, kVsMaxMargin); };
  return {fix(v[0]), fix(v[1]), fix(v[2]), fix(v[3])};
}

const TvsImageLink kNoLink{};

} // namespace

TColor VsParseColor(std::string_view value) {
  std::int64_t channel[3] = {};
  for (std::int64_t& c : channel) {
    std::int64_t v = 0;
    if (!NextInt(value, v)) {
      break;
    }
    c = std::clamp<std::int64_t>(v, 0, 255);
  }
  return TColor(channel[0] | channel[1] << 8 | channel[2] << 16);
}

bool VsParseBool(std::string_view value) {
  const std::string v = FirstWord(value);
  return v == "true" || v == "1" || v == "yes";
}

std::int32_t VsParseInt(std::string_view value, std::int32_t fallback) {
  std::int64_t v = 0;
  return NextInt(value, v) ? std::int32_t(v) : fallback;
}

bool VsParseInts(std::string_view value, std::int32_t* out, int count) {
  for (int i = 0; i < count; ++i) {
    std::int64_t v = 0;
    if (!NextInt(value, v)) {
      return false;
    }
    out[i] = std::int32_t(v);
  }
  while (!value.empty() && IsSeparator(value.front())) {
    value.remove_prefix(1);
  }
  return value.empty();
}

int TvsImageList::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < FImages.size(); ++i) {
    if (FImages[i]->Name == name) {
      return int(i);
    }
  }
  return -1;
}

int TvsImageList::Add(std::unique_ptr<TvsImage> image) {
  FImages.push_back(std::move(image));
  return int(FImages.size() - 1);
}

const std::string* TvsThemeObject::Prop(std::string_view lowerName) const {
  for (const TvsObjectProp& p : Props) {
    if (p.Name == lowerName) {
      return &p.Value;
    }
  }
  return nullptr;
}

void TvsThemeObject::SetProperty(const std::string& rawKey, const std::string& value, TvsImageList& images,
                                 const TvsImageResolver& resolve) {
  const std::string key = VsLowerCase(rawKey);
  bool stored = false;
  for (TvsObjectProp& p : Props) {
    if (p.Name == key) {
      p.Value = value;
      stored = true;
    }
  }
  if (!stored) {
    Props.push_back({key, value});
  }
  const std::string word = FirstWord(value);
  auto image = [&](TvsImageLink& link) {
    link = {};
    BgType = vbImage;
    const int index = resolve ? resolve(VsImageResourceName(value)) : -1;
    if (index >= 0 && std::size_t(index) < images.Count()) {
      link.Image = index;
      link.Rect = images[std::size_t(index)].Pixels.Bounds();
    }
  };
  if (key == "bgtype") {
    BgType = word == "borderfill"  ? vbBorderFill
             : word == "imagefile" ? vbImage
             : word == "none"      ? vbNone
                                   : vbFill;
  } else if (key == "fillcolor") {
    FillColor = VsParseColor(value);
  } else if (key == "fillcolorhint") {
    FillColorHint = VsParseColor(value);
  } else if (key == "textcolor") {
    TextColor = VsParseColor(value);
  } else if (key == "bordercolor") {
    BorderColor = VsParseColor(value);
  } else if (key == "transparentcolor") {
    TransparentColor = VsParseColor(value);
  } else if (key == "textshadowcolor") {
    TextShadowColor = VsParseColor(value);
  } else if (key == "transparent") {
    Transparent = VsParseBool(value);
  } else if (key == "glyphtransparent") {
    GlyphTransparent = VsParseBool(value);
  } else if (key == "bordersize") {
    BorderSize = std::clamp(VsParseInt(value, 0), 0, kVsMaxBorderSize);
  } else if (key == "imagecount") {
    ImageCount = std::clamp(VsParseInt(value, 1), 0, kVsMaxImageCount);
  } else if (key == "imageselecttype") {
    ImageSelectType = word == "dpi" ? 1 : word == "size" ? 2 : 0;
  } else if (key == "imagefile") {
    image(Image);
  } else if (key == "imagefile1") {
    image(Image1);
  } else if (key == "imagefile2") {
    image(Image2);
  } else if (key == "imagefile3") {
    image(Image3);
  } else if (key == "glyphimagefile") {
    image(GlyphImage);
  } else if (key == "imagelayout") {
    HorizontalLayout = word == "horizontal";
  } else if (key == "sizingtype") {
    static const char* const kTypes[] = {"tile",
                                         "stretch",
                                         "tilevertical",
                                         "tilehorizontal",
                                         "truesize",
                                         "bordertileclientstretch",
                                         "borderstretchclienttile"};
    SizingType = vsTile;
    for (std::uint8_t i = 0; i < std::size(kTypes); ++i) {
      if (word == kTypes[i]) {
        SizingType = i;
      }
    }
  } else if (key == "sizingmargins") {
    SizingMargins = ParseMargins(value);
  } else if (key == "contentmargins") {
    ContentMargins = ParseMargins(value);
  } else if (key == "captionmargins") {
    CaptionMargins = ParseMargins(value);
  } else if (key == "glyphtype") {
    GlyphType = word == "imageglyph" ? 1 : 0;
  } else if (key == "contentalignment") {
    ContentAlignment = word == "center" ? 1 : word == "right" ? 2 : 0;
  } else if (key == "textshadowtype") {
    TextShadowType = word == "single" ? 1 : word == "continuous" ? 2 : 0;
  } else if (key == "textshadowoffset") {
    std::int32_t v[2] = {};
    if (VsParseInts(value, v, 2)) {
      TextShadowOffset = {std::clamp(v[0], -kVsMaxMargin, kVsMaxMargin),
                          std::clamp(v[1], -kVsMaxMargin, kVsMaxMargin)};
    }
  }
}

void TvsThemeObject::LoadSection(const TvsIniSection* section, TvsImageList& images,
                                 const TvsImageResolver& resolve) {
  if (section) {
    for (const auto& [key, value] : section->Values) {
      SetProperty(key, value, images, resolve);
    }
  }
  const TskColor key = ColorToSkColor(TransparentColor, 255);
  auto keyed = [&](const TvsImageLink& link) -> TvsImage* {
    if (!link.Valid()) {
      return nullptr;
    }
    TvsImage& image = images[std::size_t(link.Image)];
    if (!image.Transparent) {
      image.Transparent = image.Pixels.SetTransparentColor(key);
    }
    return &image;
  };
  if (TvsImage* image = keyed(Image); image && (image->Transparent || image->AlphaBlend)) {
    MaskMode = 3;
    Transparent = true;
  }
  if (GlyphTransparent) {
    for (const TvsImageLink* link : {&GlyphImage, &Image1, &Image2, &Image3}) {
      (void)keyed(*link);
    }
  } else {
    for (const TvsImageLink* link : {&Image1, &Image2, &Image3}) {
      if (TvsImage* image = keyed(*link); image && image->Transparent) {
        MaskMode = 3;
        Transparent = true;
      }
    }
  }
}

const TvsImageLink& TvsThemeObject::ChooseImage(std::int64_t width) const {
  if (ImageSelectType != 1 || GlyphType == 1) {
    return Image;
  }
  const std::int64_t room = width - ContentMargins.Left - ContentMargins.Right;
  const TvsImageLink* chosen = &Image1;
  for (const TvsImageLink* next : {&Image2, &Image3}) {
    if (RectWidth(chosen->Rect) < room && next->Valid()) {
      chosen = next;
    }
  }
  return chosen->Valid() ? *chosen : kNoLink;
}

TskRect TvsThemeObject::FrameRect(const TvsImageLink& link, std::int32_t index,
                                  const TvsImageList& images) const {
  if (!link.Valid() || std::size_t(link.Image) >= images.Count()) {
    return {};
  }
  const TskRect r = link.Rect;
  if (ImageCount <= 0) {
    return r;
  }
  if (index < 1 || index > ImageCount) {
    return {};
  }
  if (HorizontalLayout) {
    const std::int32_t w = std::int32_t(RectWidth(r) / ImageCount);
    return w <= 0 ? TskRect{} : TskRect{r.Left + w * (index - 1), r.Top, r.Left + w * index, r.Bottom};
  }
  const std::int32_t h = std::int32_t(RectHeight(r) / ImageCount);
  return h <= 0 ? TskRect{} : TskRect{r.Left, r.Top + h * (index - 1), r.Right, r.Top + h * index};
}

void TvsThemeObject::RenderImage(TskPixels& target, const TskRect& rect, std::int32_t index,
                                 const TskRect& clip, const TvsImageList& images, bool composing) const {
  const TvsImageLink& link = ChooseImage(RectWidth(rect));
  const TskRect frame = FrameRect(link, index, images);
  if (IsRectEmpty(frame) || IsRectEmpty(rect)) {
    return;
  }
  const TvsImage& image = images[std::size_t(link.Image)];
  const TskDrawMode own =
      MaskMode == 3 ? SkDrawModeOf(image.AlphaBlend, image.Transparent) : TskDrawMode::dmCopy;
  // Composing into an empty picture: copy blended pixels as they are (the picture is blended
  // later), key the transparent ones, and make opaque parts opaque.
  const TskDrawMode mode = composing && own == TskDrawMode::dmBlend ? TskDrawMode::dmCopy : own;
  const TskRect* clipPtr = IsRectEmpty(clip) ? nullptr : &clip;
  auto part = [&](const TskRect& dest, const TskRect& src, bool stretch) {
    if (IsRectEmpty(dest) || IsRectEmpty(src) || (clipPtr && IsRectEmpty(IntersectRects(dest, clip)))) {
      return;
    }
    if (stretch) {
      SkDraw(target, dest, image.Pixels, src, mode, clipPtr);
    } else {
      const TskRect area = clipPtr ? IntersectRects(dest, clip) : dest;
      SkTile(target, dest, image.Pixels, src, area, mode);
    }
    if (composing && own == TskDrawMode::dmCopy) {
      target.SetAlphaRect(255, clipPtr ? IntersectRects(dest, clip) : dest);
    }
  };
  if (SizingType == vsTrueSize) {
    const TskRect dest = CentreRect({0, 0, frame.Right - frame.Left, frame.Bottom - frame.Top}, rect);
    part(dest, frame, true);
    return;
  }
  const TvsMargins& m = SizingMargins;
  if (RectWidth(frame) < std::int64_t(m.Left) + m.Right ||
      RectHeight(frame) < std::int64_t(m.Top) + m.Bottom) {
    return;
  }
  // The one-way tile types tile the edges and the centre along one axis and stretch them
  // across the other.
  const bool tileRows = SizingType == vsTileVertical, tileColumns = SizingType == vsTileHorizontal;
  auto oneWay = [&](const TskRect& dest, const TskRect& src) {
    const std::int32_t step = tileRows ? RectHeight(src) : RectWidth(src);
    const std::int32_t from = tileRows ? dest.Top : dest.Left, to = tileRows ? dest.Bottom : dest.Right;
    // Only the pieces that meet the target (and the clip) are visited.
    TskRect seen = IntersectRects(dest, {0, 0, target.Width(), target.Height()});
    if (clipPtr) {
      seen = IntersectRects(seen, clip);
    }
    if (IsRectEmpty(seen)) {
      return;
    }
    const std::int64_t first = tileRows ? seen.Top : seen.Left, last = tileRows ? seen.Bottom : seen.Right;
    for (std::int64_t at = from + (first - from) / step * step; at < std::min<std::int64_t>(to, last);
         at += step) {
      const std::int32_t end = std::int32_t(std::min<std::int64_t>(at + step, to));
      const std::int32_t used = end - std::int32_t(at);
      if (tileRows) {
        part({dest.Left, std::int32_t(at), dest.Right, end}, {src.Left, src.Top, src.Right, src.Top + used},
             true);
      } else {
        part({std::int32_t(at), dest.Top, end, dest.Bottom}, {src.Left, src.Top, src.Left + used, src.Bottom},
             true);
      }
    }
  };
  const bool centreStretch = SizingType == vsStretch || SizingType == vsBorderTileClientStretch;
  const bool edgeStretch = SizingType == vsStretch || SizingType == vsBorderStretchClientTile;
  const TskRect& f = frame;
  const TskRect& r = rect;
  // Columns and rows of the nine parts, in the frame and in the rectangle.
  const std::int32_t fx[4] = {f.Left, f.Left + m.Left, f.Right - m.Right, f.Right};
  const std::int32_t fy[4] = {f.Top, f.Top + m.Top, f.Bottom - m.Bottom, f.Bottom};
  const std::int64_t rx[4] = {r.Left, std::int64_t(r.Left) + m.Left, std::int64_t(r.Right) - m.Right,
                              r.Right};
  const std::int64_t ry[4] = {r.Top, std::int64_t(r.Top) + m.Top, std::int64_t(r.Bottom) - m.Bottom,
                              r.Bottom};
  auto clamp32 = [](std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const TskRect src{fx[col], fy[row], fx[col + 1], fy[row + 1]};
      const TskRect dest{clamp32(rx[col]), clamp32(ry[row]), clamp32(rx[col + 1]), clamp32(ry[row + 1])};
      const bool corner = row != 1 && col != 1;
      const bool centre = row == 1 && col == 1;
      if (corner) {
        // Unscaled at the rectangle's corners.
        part({dest.Left, dest.Top, dest.Left + (src.Right - src.Left), dest.Top + (src.Bottom - src.Top)},
             src, true);
      } else if ((tileRows || tileColumns) && !IsRectEmpty(src) && !IsRectEmpty(dest)) {
        oneWay(dest, src);
      } else if (!tileRows && !tileColumns) {
        part(dest, src, centre ? centreStretch : edgeStretch);
      }
    }
  }
}

void TvsThemeObject::DrawGlyph(ISkPaintCanvas& canvas, const TvsImageLink& link, bool transparent,
                               const TskRect& rect, std::int32_t index, const TvsImageList& images) const {
  const TskRect frame = FrameRect(link, index, images);
  if (IsRectEmpty(frame)) {
    return;
  }
  const TvsImage& image = images[std::size_t(link.Image)];
  TskPixels piece;
  if (!piece.SetSize(frame.Right - frame.Left, frame.Bottom - frame.Top)) {
    return;
  }
  SkDrawAt(piece, 0, 0, image.Pixels, frame, TskDrawMode::dmCopy);
  const TskDrawMode mode =
      transparent ? SkDrawModeOf(image.AlphaBlend, image.Transparent) : TskDrawMode::dmCopy;
  canvas.DrawImage({&piece, mode}, CentreRect(piece.Bounds(), rect));
}

void TvsThemeObject::DrawSection(ISkPaintCanvas& canvas, const TskRect& rect, std::int32_t index,
                                 const TskRect& clip, const TvsImageList& images) const {
  if (IsRectEmpty(rect) || (!IsRectEmpty(clip) && IsRectEmpty(IntersectRects(rect, clip)))) {
    return;
  }
  if (BgType == vbNone) {
    return;
  }
  std::unique_ptr<TskClipGuard> guard;
  if (!IsRectEmpty(clip)) {
    guard = std::make_unique<TskClipGuard>(canvas, clip);
  }
  if (BgType == vbBorderFill) {
    // Each ring is one pixel further in; rings beyond the middle would draw nothing.
    const std::int64_t half = std::min(RectWidth(rect), RectHeight(rect)) / 2;
    const std::int32_t rings = std::int32_t(std::min<std::int64_t>(BorderSize, half));
    TskRect r = rect;
    for (std::int32_t i = 0; i < rings; ++i) {
      canvas.FrameRect(r, BorderColor);
      r = DeflateRect(r, 1, 1, 1, 1);
    }
    if (FillColor != 0x1FFFFFFF) {
      canvas.FillRect(r, FillColor);
    }
  } else if (BgType == vbFill) {
    if (FillColor != 0x1FFFFFFF) {
      canvas.FillRect(rect, FillColor);
    }
  } else {
    const TskRect area = IsRectEmpty(clip) ? rect : IntersectRects(rect, clip);
    TskPixels picture;
    if (picture.SetSize(area.Right - area.Left, area.Bottom - area.Top)) {
      RenderImage(picture, OffsetRect(rect, -area.Left, -area.Top), index, {}, images, true);
      canvas.DrawImage({&picture, TskDrawMode::dmBlend}, area);
    }
  }
  if (GlyphType == 1) {
    DrawGlyph(canvas, GlyphImage, GlyphTransparent, rect, index, images);
  }
  if (ImageSelectType == 1 || ImageSelectType == 2) {
    const TvsImageLink* chosen = &Image1;
    const std::int64_t room = RectWidth(rect) - ContentMargins.Left - ContentMargins.Right;
    for (const TvsImageLink* next : {&Image2, &Image3}) {
      if (RectWidth(chosen->Rect) < room && next->Valid()) {
        chosen = next;
      }
    }
    DrawGlyph(canvas, *chosen, GlyphTransparent || MaskMode == 3, rect, index, images);
  }
}
