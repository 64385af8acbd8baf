#pragma once
// The section objects of a visual-style description: one TvsThemeObject per known section,
// its properties parsed into drawing settings, and the drawing of the section (fill, border
// fill, or an image cut into frames and drawn in nine parts) onto a paint canvas.
#include "theme/SkColor.h"
#include "theme/SkPaintCanvas.h"
#include "theme/SkPixels.h"
#include "theme/SkRect.h"
#include "visualstyles/VsDescription.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One image of a theme, named by its resource name.
struct TvsImage {
  std::string Name;
  TskPixels Pixels;
  bool Transparent = false;
  bool AlphaBlend = false;
};

// The images a theme's sections draw from. Sections refer to them by index, so that the
// shifted copies can stand in for the originals.
class TvsImageList {
public:
  std::size_t Count() const { return FImages.size(); }
  TvsImage& operator[](std::size_t i) { return *FImages[i]; }
  const TvsImage& operator[](std::size_t i) const { return *FImages[i]; }
  // The index of the image named `name` (exact), or -1.
  int IndexOf(const std::string& name) const;
  int Add(std::unique_ptr<TvsImage> image);
  void Clear() { FImages.clear(); }

private:
  std::vector<std::unique_ptr<TvsImage>> FImages;
};

// Answers the image of a resource name: an index into the list (loading the image when it is
// not there yet); -1 when no list is at hand.
using TvsImageResolver = std::function<int(const std::string& resourceName)>;

// Largest border size, image count and margin a section keeps: far beyond any real style, and
// small enough that drawing loops and rectangle sums stay bounded.
inline constexpr std::int32_t kVsMaxBorderSize = 1024;
inline constexpr std::int32_t kVsMaxImageCount = 4096;
inline constexpr std::int32_t kVsMaxMargin = 1 << 16;

enum TvsBgType : std::uint8_t { vbFill, vbBorderFill, vbImage, vbNone };
enum TvsSizingType : std::uint8_t {
  vsTile,
  vsStretch,
  vsTileVertical,
  vsTileHorizontal,
  vsTrueSize,
  vsBorderTileClientStretch,
  vsBorderStretchClientTile
};

struct TvsObjectProp {
  std::string Name; // lower case
  std::string Value;
};

// Left, right, top, bottom as a description writes them.
struct TvsMargins {
  std::int32_t Left = 0, Right = 0, Top = 0, Bottom = 0;
  friend bool operator==(const TvsMargins&, const TvsMargins&) = default;
};

// A part of an image: the image's index and the rectangle used.
struct TvsImageLink {
  int Image = -1;
  TskRect Rect;
  bool Valid() const { return Image >= 0; }
};

class TvsThemeObject {
public:
  explicit TvsThemeObject(std::string name = {}) : Name(std::move(name)) {}

  // Reads every key of `section` (none when null) and finishes the image settings.
  void LoadSection(const TvsIniSection* section, TvsImageList& images, const TvsImageResolver& resolve);
  // One key; known keys set their field, every key is kept in Props.
  void SetProperty(const std::string& key, const std::string& value, TvsImageList& images,
                   const TvsImageResolver& resolve);
  bool HasProperties() const { return !Props.empty(); }
  const std::string* Prop(std::string_view lowerName) const;

  // Draws the section into rect with image frame `index` (from 1). An empty clip draws
  // everything; otherwise only parts that meet it. Colours and images come from `images`
  // (the list the links point into).
  void DrawSection(ISkPaintCanvas& canvas, const TskRect& rect, std::int32_t index, const TskRect& clip,
                   const TvsImageList& images) const;
  // The background of an image section into pixels (key-filled for regions, or transparent
  // for composing): `composing` copies parts as they are, otherwise they are drawn in their
  // mode onto what is there.
  void RenderImage(TskPixels& target, const TskRect& rect, std::int32_t index, const TskRect& clip,
                   const TvsImageList& images, bool composing) const;

  // The frame `index` (from 1) of a link's image; empty when out of range or zero-sized.
  TskRect FrameRect(const TvsImageLink& link, std::int32_t index, const TvsImageList& images) const;
  // The image drawn as background for a rectangle of width `width`.
  const TvsImageLink& ChooseImage(std::int64_t width) const;

  std::string Name;
  std::vector<TvsObjectProp> Props;
  std::uint8_t BgType = vbFill;
  TColor FillColor = 0x1FFFFFFF;
  TColor FillColorHint = 0x1FFFFFFF;
  TColor TextColor = 0;
  TColor BorderColor = 0;
  std::int32_t BorderSize = 0;
  TColor TransparentColor = 0xFF00FF;
  bool Transparent = false;
  std::uint8_t ImageSelectType = 0;
  TvsImageLink Image, Image1, Image2, Image3, GlyphImage;
  std::int32_t ImageCount = 1;
  bool HorizontalLayout = true;
  std::uint8_t SizingType = vsTile;
  TvsMargins SizingMargins;
  bool GlyphTransparent = false;
  std::uint8_t GlyphType = 0;
  std::uint8_t ContentAlignment = 0;
  TvsMargins ContentMargins;
  TvsMargins CaptionMargins;
  std::uint8_t TextShadowType = 0;
  TColor TextShadowColor = 0x282828;
  TskPoint TextShadowOffset;
  std::uint8_t MaskMode = 0;

private:
  void DrawGlyph(ISkPaintCanvas& canvas, const TvsImageLink& link, bool transparent, const TskRect& rect,
                 std::int32_t index, const TvsImageList& images) const;
};

// Value parsers of the description (exposed for tests).
// "R G B": missing channels 0, each clamped to 0..255; as 0x00BBGGRR.
TColor VsParseColor(std::string_view value);
bool VsParseBool(std::string_view value);
// The integer at the start of the value; `fallback` when there is none.
std::int32_t VsParseInt(std::string_view value, std::int32_t fallback);
// Exactly `count` integers separated by commas or blanks; false on anything else.
bool VsParseInts(std::string_view value, std::int32_t* out, int count);
