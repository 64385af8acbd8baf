#pragma once
// Limits of the theme readers: every count and length read from stored theme data is checked
// against these and against the bytes that remain before it is used.
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kSkThemeColorCount = 22;
inline constexpr std::size_t kSkThemeSysColorCount = 26;
inline constexpr std::size_t kSkThemeFontCount = 66;
inline constexpr std::size_t kSkThemeOptionCount = 2;
// A name, a colour text or a font text in a theme stream; far above anything written.
inline constexpr std::size_t kSkMaxThemeTextBytes = 4096;
// A theme stored inside a layout.
inline constexpr std::uint64_t kSkMaxStoredThemeBytes = 64ull * 1024 * 1024;
