#include "framework/win32/Graphics.h"

#include <cstring>

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

LOGFONTA FontSpecToLogFont(const TFontSpec& spec) {
  LOGFONTA lf{};
  lf.lfHeight = spec.Height;
  lf.lfWeight = spec.Bold() ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (spec.Style & static_cast<unsigned>(TFontStyle::fsItalic)) ? TRUE : FALSE;
  lf.lfUnderline = (spec.Style & static_cast<unsigned>(TFontStyle::fsUnderline)) ? TRUE : FALSE;
  lf.lfStrikeOut = (spec.Style & static_cast<unsigned>(TFontStyle::fsStrikeOut)) ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(spec.Charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::strncpy(lf.lfFaceName, spec.Name.c_str(), LF_FACESIZE - 1);
  return lf;
}

TFontHandle MakeFont(const TFontSpec& spec) {
  LOGFONTA lf = FontSpecToLogFont(spec);
  return TFontHandle(CreateFontIndirectA(&lf));
}
