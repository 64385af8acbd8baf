#pragma once
// What the parts of TSkDefaultForm (SkForm.cpp, SkFormPaint.cpp, SkFormMouse.cpp,
// SkFormMessages.cpp) share: the caption-button hit codes and the rectangle conversion.
#include "theme/SkRect.h"
#include "theme/SkTheme.h"

#include <windows.h>

#include <cstdint>

inline constexpr std::uint8_t kSkFirstButtonCode = khtClose;
inline constexpr std::uint8_t kSkLastButtonCode = khtSysMenu;

inline bool IsButtonCode(std::uint8_t code) {
  return code >= kSkFirstButtonCode && code <= kSkLastButtonCode;
}

inline RECT ToRect(const TskRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
