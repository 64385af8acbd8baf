#pragma once
// The element-information records every theme operation takes, the text record, the theme
// class description, and the small functions that fill them.
#include "theme/SkPixelDraw.h"
#include "theme/SkPixels.h"
#include "theme/SkRect.h"

#include <cstdint>
#include <string>

// The rectangle queries' answer when there is no rectangle; it is empty and contains no point.
inline constexpr TskRect kSkNoRect{-1, -1, -1, -1};

// A borrowed image for glyph operations: pixels and how they are drawn.
struct TskGlyphImage {
  const TskPixels* Pixels = nullptr;
  TskDrawMode Mode = TskDrawMode::dmCopy;
  bool Empty() const { return !Pixels || Pixels->Empty(); }
};

enum TskTextFlag : std::uint8_t { tfRightToLeft = 2, tfNoPrefix = 4, tfWordBreak = 8, tfSingleLine = 16 };

struct TskTextInfo {
  TskRect Rect;
  std::wstring Text;
  std::uint8_t Alignment =
      0; // 0..8: top-left, left, bottom-left, top, centre, bottom, top-right, right, bottom-right
  std::uint8_t Flags = 0;    // TskTextFlag bits
  std::uint8_t Rotation = 0; // 0 none, 1 quarter turn clockwise, 2 counter-clockwise
};

enum TskWindowState : std::uint8_t { wsActive = 1 };

// Caption button kinds (bit n of TskWindowInfo::Buttons is kind n).
enum TskWindowButton : std::uint8_t {
  kwbIcon,
  kwbClose,
  kwbHelp,
  kwbMinimize,
  kwbRestoreMinimized,
  kwbMaximize,
  kwbRestore,
  kwbRollUp,
  kwbRollDown,
  kwbTray
};

struct TskWindowInfo {
  TskRect Rect;                 // the whole window, window coordinates
  std::uint8_t State = 0;       // TskWindowState bits
  std::uint16_t Buttons = 0;    // TskWindowButton bits
  TskRect ClipRect = kSkNoRect; // drawing clip for themes painting from objects; none by default
  std::wstring Caption;
  // The window's pixel density: a theme's frame metrics, designed at 96 per inch, are scaled
  // to it.
  std::int32_t PixelsPerInch = 96;
};

struct TskStateInfo {
  TskRect Rect;
  std::uint8_t State = 0;
};

struct TskPartInfo {
  TskRect Rect;
  std::uint8_t Part = 0;
  std::uint8_t State = 0;
  // The 16-bit form: Part in the low byte, State in the high byte.
  std::uint16_t Word() const { return std::uint16_t(Part | (State << 8)); }
};

enum TskGlyphKind : std::uint8_t { gkCheck, gkRadio, gkSubMenuArrow, gkImageList, gkBitmap };

struct TskGlyphInfo {
  TskRect Rect;
  TskGlyphImage Glyph;
  std::uint8_t State = 0;
  std::uint8_t GlyphKind = 0; // TskGlyphKind
};

enum TskButtonState : std::uint8_t { bsNormal, bsHot, bsPressed };

struct TskWindowButtonInfo {
  TskRect Rect;
  std::uint8_t Button = 0; // TskWindowButton
  std::uint8_t State = 0;  // TskButtonState
  TskGlyphImage Icon;      // for the window icon
};

struct TskGroupBoxInfo {
  TskRect Rect;
  TskRect CaptionRect;
  std::uint8_t State = 0;
};

struct TskCheckInfo {
  TskRect Rect;
  std::int32_t Reserved = 0;
  TskGlyphImage Glyph;
  std::uint8_t CheckKind = 0; // 0 checked, 1 unchecked, 2 mixed, 3 glyph
};

// What a theme class offers, answered per class.
struct TskThemeConfig {
  bool BuiltIn = false;     // needs no file
  bool CanSave = false;     // SaveToStream writes it
  bool CanLoadFile = false; // may be picked for a file by its extension
  std::string FileFilter;   // an open-file-dialog filter naming the accepted extensions
  std::string DefaultExt;   // without the dot
};

inline TskStateInfo SkStateInfo(const TskRect& r, std::uint8_t state) { return {r, state}; }
inline TskPartInfo SkPartInfo(const TskRect& r, std::uint8_t part, std::uint8_t state) {
  return {r, part, state};
}
inline TskWindowInfo SkWindowInfo(const TskRect& r, std::wstring caption, std::uint16_t buttons,
                                  std::uint8_t state = 0) {
  return {r, state, buttons, kSkNoRect, std::move(caption)};
}
inline TskWindowButtonInfo SkWindowButtonInfo(const TskRect& r, std::uint8_t button, std::uint8_t state) {
  return {r, button, state, {}};
}
inline TskGlyphInfo SkGlyphInfo(const TskRect& r, TskGlyphImage glyph, std::uint8_t state,
                                std::uint8_t kind) {
  return {r, glyph, state, kind};
}
// Converts draw-text format bits (the platform's centre 1, right 2, vertical centre 4, bottom
// 8, word break 0x10, single line 0x20, no prefix 0x800, right-to-left reading 0x20000) into a
// text record over rect.
TskTextInfo SkTextInfoFromDrawTextBits(const TskRect& rect, std::wstring text, std::uint32_t bits);
