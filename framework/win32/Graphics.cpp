#include "framework/win32/Graphics.h"

#include <cstring>
#include <map>
#include <tuple>

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) {
    return GetSysColor(SystemColorIndex(color));
  }
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

LOGFONTA FontDataToLogFont(const TFontData& data) {
  LOGFONTA lf{};
  lf.lfHeight = data.Height;
  lf.lfWeight = data.Bold() ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (data.Style & static_cast<unsigned>(TFontStyle::fsItalic)) ? TRUE : FALSE;
  lf.lfUnderline = (data.Style & static_cast<unsigned>(TFontStyle::fsUnderline)) ? TRUE : FALSE;
  lf.lfStrikeOut = (data.Style & static_cast<unsigned>(TFontStyle::fsStrikeOut)) ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(data.Charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::strncpy(lf.lfFaceName, data.Name.c_str(), LF_FACESIZE - 1);
  return lf;
}

TFontHandle MakeFont(const TFontData& data) {
  LOGFONTA lf = FontDataToLogFont(data);
  return TFontHandle(CreateFontIndirectA(&lf));
}

std::shared_ptr<const TFontHandle> SharedFont(const TFontData& data) {
  using TKey = std::tuple<std::string, int, unsigned, int>;
  static std::map<TKey, std::weak_ptr<const TFontHandle>> cache;
  TKey key{data.Name, data.Height, data.Style, data.Charset};
  auto it = cache.find(key);
  if (it != cache.end()) {
    if (auto font = it->second.lock()) {
      return font;
    }
  }
  // Expired entries go as their keys come back; the set of fonts a program uses is small.
  auto font = std::make_shared<const TFontHandle>(MakeFont(data));
  cache[key] = font;
  return font;
}
