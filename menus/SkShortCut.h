#pragma once
// Shortcut values as menus show them: a virtual-key code in the low byte, Shift (0x2000),
// Ctrl (0x4000) and Alt (0x8000) above it; "Ctrl+Shift+S", "Alt+F4". Platform-free.
#include <cstdint>
#include <string>

inline constexpr std::uint16_t kSkShiftKey = 0x2000;
inline constexpr std::uint16_t kSkCtrlKey = 0x4000;
inline constexpr std::uint16_t kSkAltKey = 0x8000;

// The text of a shortcut; empty for none or a key without a name.
std::wstring SkShortCutToText(std::uint16_t shortCut);
