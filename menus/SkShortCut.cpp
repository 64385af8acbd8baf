#include "menus/SkShortCut.h"

namespace {

std::wstring KeyName(std::uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    return std::wstring(1, wchar_t(key));
  }
  if (key >= 0x70 && key <= 0x87) { // F1 to F24
    return L"F" + std::to_wstring(key - 0x70 + 1);
  }
  if (key >= 0x60 && key <= 0x69) { // the number pad's digits
    return L"Num " + std::to_wstring(key - 0x60);
  }
  switch (key) {
  case 0x08: return L"BkSp";
  case 0x09: return L"Tab";
  case 0x0D: return L"Enter";
  case 0x1B: return L"Esc";
  case 0x20: return L"Space";
  case 0x21: return L"PgUp";
  case 0x22: return L"PgDn";
  case 0x23: return L"End";
  case 0x24: return L"Home";
  case 0x25: return L"Left";
  case 0x26: return L"Up";
  case 0x27: return L"Right";
  case 0x28: return L"Down";
  case 0x2D: return L"Ins";
  case 0x2E: return L"Del";
  default: return L"";
  }
}

} // namespace

std::wstring SkShortCutToText(std::uint16_t shortCut) {
  std::wstring key = KeyName(std::uint8_t(shortCut & 0xFF));
  if (key.empty()) {
    return key;
  }
  std::wstring out;
  if (shortCut & kSkCtrlKey) {
    out += L"Ctrl+";
  }
  if (shortCut & kSkShiftKey) {
    out += L"Shift+";
  }
  if (shortCut & kSkAltKey) {
    out += L"Alt+";
  }
  return out + key;
}
