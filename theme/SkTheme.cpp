#include "theme/SkTheme.h"

#include <array>

namespace {

TskSysColorFunc gSysSource = &SkClassicSysColor;

} // namespace

TColor SkClassicSysColor(int index) {
  // The platform's classic scheme, index by index (0x00BBGGRR).
  static constexpr std::array<TColor, 31> kClassic = {
      0xC8C8C8, 0x000000, 0x6A240A, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x6A240A, 0xFFFFFF, 0xC0C0C0,
      0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000,
      0xE1FFFF, 0xC0C0C0, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC0C0C0};
  return index >= 0 && std::size_t(index) < kClassic.size() ? kClassic[std::size_t(index)] : 0;
}

void TskTheme::SetSysColorSource(TskSysColorFunc source) {
  gSysSource = source ? source : &SkClassicSysColor;
}
TskSysColorFunc TskTheme::SysColorSource() { return gSysSource; }
TskSysColorFunc TskTheme::FSysSource() { return gSysSource; }

TskTheme::TskTheme()
    : FColors(std::make_unique<TskThemeColors>(this)), FFonts(std::make_unique<TskThemeFonts>(this)),
      FSysColors(std::make_unique<TskThemeSysColors>(this, gSysSource)),
      FDrawing(std::make_unique<TskThemeDrawing>(this)), FMetrics(std::make_unique<TskThemeMetrics>(this)),
      FOptions(std::make_unique<TskThemeOptions>(this)) {}

TskTheme::~TskTheme() {
  FOptions.reset();
  FMetrics.reset();
  FDrawing.reset();
  FFonts.reset();
  FSysColors.reset();
  FColors.reset();
}

void TskTheme::SetDeltaHue(std::int32_t d) {
  FDeltaHue = d;
  ApplyDefaults();
}

void TskTheme::SetDeltaBrightness(std::int32_t d) {
  FDeltaBrightness = d;
  ApplyDefaults();
}

void TskTheme::SetDeltas(std::int32_t hue, std::int32_t brightness) {
  if (hue == FDeltaHue && brightness == FDeltaBrightness) {
    return;
  }
  FDeltaHue = hue;
  FDeltaBrightness = brightness;
  ApplyDefaults();
}

void TskTheme::Assign(const TskTheme& source) {
  FName = source.FName;
  FColors->Assign(*source.FColors);
  FSysColors->Assign(*source.FSysColors);
  FFonts->Assign(*source.FFonts);
  FOptions->Assign(*source.FOptions);
}

void TskTheme::ShiftColors() {
  FColors->ChangeHue(FDeltaHue, gSysSource);
  FColors->ChangeBrightness(FDeltaBrightness, gSysSource);
}

void TskTheme::ShiftFonts() {
  FFonts->ChangeHue(FDeltaHue, gSysSource);
  FFonts->ChangeBrightness(FDeltaBrightness, gSysSource);
}

void TskTheme::SetDefaultColors() {
  static constexpr TColor kBtnFace = 0xFF00000F, kWindow = 0xFF000005;
  TskThemeColors& c = *FColors;
  c.SetColor(kcCaptionNormal, 0xFF0000);
  c.SetColor(kcCaptionInactive, 0xC0C0C0);
  c.SetColor(kcWindowBorder, 0x808080);
  c.SetColor(kcWindow, 0xC0C0C0);
  for (TskColorIndex i : {kcButtonNormal, kcButtonHot, kcButtonPressed, kcButtonFocused, kcButtonDisabled,
                          kcPanelNormal, kcPanelDisabled, kcEditDisabled, kcBarDock}) {
    c.SetColor(i, kBtnFace);
  }
  for (TskColorIndex i : {kcEditNormal, kcEditHot, kcEditFocused, kcList, kcTree, kcGrid}) {
    c.SetColor(i, kWindow);
  }
  c.SetColor(kcEditSelection, 0xFF00000D);
  c.SetColor(kcHint, 0xFF000018);
  ShiftColors();
}

void TskTheme::SetDefaultSysColors() {
  // Always from the platform's values, so that shifting again never compounds.
  FSysColors->LoadFromSystem(gSysSource);
  FSysColors->ChangeHue(FDeltaHue);
  FSysColors->ChangeBrightness(FDeltaBrightness);
}

void TskTheme::SetDefaultFonts() {
  TskThemeFonts& f = *FFonts;
  for (std::size_t i = 0; i < kSkThemeFontCount; ++i) {
    f.Font(i) = TskFontDesc{};
  }
  auto set = [&f](TskFontIndex i, std::int32_t size, TColor color, std::uint8_t style = 0) {
    TskFontDesc& d = f.Font(i);
    d.Size = size;
    d.Color = color;
    d.Style = style;
  };
  set(kfCaptionTextNormal, 10, 0xFFFFFF, fsBold);
  set(kfCaptionTextInactive, 10, 0xC0C0C0, fsBold);
  set(kfSmCaptionTextNormal, 8, 0xFFFFFF, fsBold);
  set(kfSmCaptionTextInactive, 8, 0xC0C0C0, fsBold);
  for (TskFontIndex i :
       {kfStaticTextNormal, kfStaticTextHot, kfStaticTextFocused, kfStaticTextDisabled, kfButtonTextNormal,
        kfButtonTextPressed, kfButtonTextHot, kfButtonTextFocused, kfGroupBoxTextNormal, kfWindowTextNormal,
        kfEditBoxTextNormal, kfEditBoxTextFocused, kfEditBoxTextHot, kfHeaderSectionTextHot}) {
    set(i, 8, 0x000000);
  }
  for (int i = kfCheckBoxTextNormal; i <= kfRadioButtonTextDisabled; ++i) {
    set(TskFontIndex(i), 8, 0x000000);
  }
  set(kfEditBoxTextSelected, 8, 0xFFFFFF);
  for (TskFontIndex i :
       {kfButtonTextDisabled, kfGroupBoxTextDisabled, kfWindowTextDisabled, kfEditBoxTextDisabled,
        kfMenuItemTextDisabled, kfToolItemTextDisabled, kfPopupMenuItemTextDisabled}) {
    set(i, 8, 0xFF000010);
  }
  ShiftFonts();
}

void TskTheme::AssignThemeFont(TskFontDesc& font, std::size_t index, TName) { font = FFonts->Font(index); }

bool TskTheme::LoadFromStream(TskByteReader&) { return false; }
bool TskTheme::SaveToStream(TskByteWriter&) const { return false; }
bool TskTheme::LoadFromFile(const std::string&) { return false; }
bool TskTheme::SaveToFile(const std::string&) const { return false; }

void TskTheme::ApplyDefaults() {
  SetDefaultColors();
  SetDefaultSysColors();
  SetDefaultFonts();
}

void TskTheme::SaveRecordsToStream(TskByteWriter& out) const {
  FColors->SaveToStream(out);
  FSysColors->SaveToStream(out);
  FFonts->SaveToStream(out, gSysSource);
  FOptions->SaveToStream(out);
}

bool TskTheme::LoadRecordsFromStream(TskByteReader& in) {
  TskThemeColors colors(this);
  TskThemeSysColors sysColors(this, gSysSource);
  TskThemeFonts fonts(this);
  TskThemeOptions options(this);
  colors.Assign(*FColors);
  sysColors.Assign(*FSysColors);
  fonts.Assign(*FFonts);
  options.Assign(*FOptions);
  if (!colors.LoadFromStream(in) || !sysColors.LoadFromStream(in) || !fonts.LoadFromStream(in) ||
      !options.LoadFromStream(in)) {
    return false;
  }
  FColors->Assign(colors);
  FSysColors->Assign(sysColors);
  FFonts->Assign(fonts);
  FOptions->Assign(options);
  return true;
}

TskTextInfo SkTextInfoFromDrawTextBits(const TskRect& rect, std::wstring text, std::uint32_t bits) {
  TskTextInfo info;
  info.Rect = rect;
  info.Text = std::move(text);
  const bool centre = bits & dtCenter, right = bits & dtRight;
  if (bits & dtVCenter) {
    info.Alignment = centre ? 4 : right ? 7 : 1;
  } else if (bits & dtBottom) {
    info.Alignment = centre ? 5 : right ? 8 : 2;
  } else {
    info.Alignment = centre ? 3 : right ? 6 : 0;
  }
  if (bits & dtRtlReading) {
    info.Flags |= tfRightToLeft;
  }
  if (bits & dtNoPrefix) {
    info.Flags |= tfNoPrefix;
  }
  if (bits & dtSingleLine) {
    info.Flags |= tfSingleLine;
  }
  if (bits & dtWordBreak) {
    info.Flags |= tfWordBreak;
  }
  return info;
}

void TskTheme::PaintTextInfo(ISkPaintCanvas& canvas, const TskTextInfo& info) {
  std::uint32_t bits = 0;
  std::uint8_t alignment = info.Alignment > 8 ? 0 : info.Alignment;
  if (info.Flags & tfRightToLeft) {
    bits |= dtRtlReading;
    if (alignment <= 2) {
      alignment = std::uint8_t(alignment + 6);
    }
  }
  if (info.Flags & tfNoPrefix) {
    bits |= dtNoPrefix;
  }
  if (info.Flags & tfWordBreak) {
    bits |= dtWordBreak;
  }
  if (info.Flags & tfSingleLine) {
    bits |= dtSingleLine;
  }

  if (alignment == 0) {
    if (info.Rotation == 0) {
      canvas.PaintText(info.Text, info.Rect, bits);
    } else {
      canvas.PaintRotatedText(info.Text, info.Rect, bits, info.Rotation);
    }
    return;
  }
  const TskRect measured = canvas.MeasureText(info.Text, info.Rect, bits);
  std::int64_t w = RectWidth(measured), h = RectHeight(measured);
  if (info.Rotation != 0) {
    std::swap(w, h); // the turned text's extent
  }
  const std::int64_t dx = RectWidth(info.Rect) - w, dy = RectHeight(info.Rect) - h;
  const int column = alignment / 3, row = alignment % 3;
  TskRect target{info.Rect.Left, info.Rect.Top, 0, 0};
  target.Left = std::int32_t(info.Rect.Left + (column == 1 ? dx / 2 : column == 2 ? dx : 0));
  target.Top = std::int32_t(info.Rect.Top + (row == 1 ? dy / 2 : row == 2 ? dy : 0));
  target.Right = std::int32_t(target.Left + w);
  target.Bottom = std::int32_t(target.Top + h);
  if (info.Rotation == 0) {
    canvas.PaintText(info.Text, target, bits);
  } else {
    // The turned text gets two pixels of room above and below.
    canvas.PaintRotatedText(info.Text, InflateRect(target, 0, 2), bits, info.Rotation);
  }
}

namespace {
bool Contains(const TskRect& r, std::int32_t x, std::int32_t y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}
constexpr std::array<std::uint8_t, 10> kButtonHitCodes = {khtSysMenu,  khtClose,    khtHelp,     khtMinimize,
                                                          khtMinimize, khtMaximize, khtMaximize, khtRoll,
                                                          khtRoll,     khtTray};
} // namespace

std::uint8_t TskTheme::WindowHitTest(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                     std::int32_t x, std::int32_t y) {
  const TskRect w = info.Rect;
  const TskRect c = WindowClientRect(kind, info, objectName);
  const bool left = Contains({w.Left, w.Top, c.Left, w.Bottom}, x, y);
  const bool top = Contains({w.Left, w.Top, w.Right, c.Top}, x, y);
  const bool right = Contains({c.Right, w.Top, w.Right, w.Bottom}, x, y);
  const bool bottom = Contains({w.Left, c.Bottom, w.Right, w.Bottom}, x, y);
  std::uint8_t code = khtNowhere;
  if (left) {
    code = khtLeft;
  }
  if (top) {
    code = khtTop;
  }
  if (right) {
    code = khtRight;
  }
  if (bottom) {
    code = khtBottom;
  }
  if (left && top) {
    code = khtTopLeft;
  }
  if (right && top) {
    code = khtTopRight;
  }
  if (left && bottom) {
    code = khtBottomLeft;
  }
  if (right && bottom) {
    code = khtBottomRight;
  }
  if (Contains(WindowCaptionRect(kind, info, objectName), x, y)) {
    code = khtCaption;
  }
  for (std::uint8_t b = 0; b < kButtonHitCodes.size(); ++b) {
    if (Contains(WindowButtonRect(kind, info, objectName, b), x, y)) {
      return kButtonHitCodes[b];
    }
  }
  return code;
}

void TskTheme::PaintWindowClient(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, (*FColors)[kcWindow]);
}

void TskTheme::PaintWindowGripper(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  if (IsRectEmpty(info.Rect)) {
    return;
  }
  TskClipGuard clip(canvas, info.Rect);
  canvas.FillRect(info.Rect, (*FColors)[kcWindowBorder]);
  if (info.State == 0) {
    return;
  }
  const TskRect r = OffsetRect(DeflateRect(info.Rect, 4, 4, 4, 4), 3, 3);
  const TskPoint band[] = {
      {r.Right, r.Top - 4}, {r.Right, r.Top}, {r.Left, r.Bottom}, {r.Left - 4, r.Bottom}};
  const TskPoint corner[] = {{r.Right, r.Top + 3}, {r.Right, r.Bottom}, {r.Left + 3, r.Bottom}};
  canvas.FillPolygon(band, 0x808080);
  canvas.FramePolygon(band, 0x000000);
  canvas.FillPolygon(corner, 0x808080);
  canvas.FramePolygon(corner, 0x000000);
}

void TskTheme::PaintButtonGlyph(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info,
                                const TskGlyphInfo& glyph) {
  if (glyph.Glyph.Empty()) {
    return;
  }
  const TskPixels& p = *glyph.Glyph.Pixels;
  const TskRect at{glyph.Rect.Left, glyph.Rect.Top, glyph.Rect.Left + p.Width(), glyph.Rect.Top + p.Height()};
  TskClipGuard clip(canvas, info.Rect);
  canvas.DrawImage(glyph.Glyph, at);
}

void TskTheme::PaintTabGlyph(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info,
                             const TskGlyphInfo& glyph) {
  if (glyph.Glyph.Empty()) {
    return;
  }
  const TskPixels& p = *glyph.Glyph.Pixels;
  const TskRect at{glyph.Rect.Left, glyph.Rect.Top, glyph.Rect.Left + p.Width(), glyph.Rect.Top + p.Height()};
  TskClipGuard clip(canvas, info.Rect);
  canvas.DrawImage(glyph.Glyph, at);
}
