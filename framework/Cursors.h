#pragma once
// TCursor: the pointer shape a control asks for, by the framework's numbering (crDefault is
// 0, the built-in shapes are negative). Stored in layouts by name.
#include <array>
#include <optional>
#include <string_view>
#include <utility>

enum TCursor : int {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSizeNESW = -6,
  crSizeNS = -7,
  crSizeNWSE = -8,
  crSizeWE = -9,
  crUpArrow = -10,
  crHourGlass = -11,
  crNo = -18,
  crAppStart = -19,
  crHelp = -20,
  crHandPoint = -21,
  crSizeAll = -22,
};

inline constexpr std::array<std::pair<std::string_view, TCursor>, 16> kCursorNames{{
    {"crDefault", crDefault},
    {"crNone", crNone},
    {"crArrow", crArrow},
    {"crCross", crCross},
    {"crIBeam", crIBeam},
    {"crSizeNESW", crSizeNESW},
    {"crSizeNS", crSizeNS},
    {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},
    {"crUpArrow", crUpArrow},
    {"crHourGlass", crHourGlass},
    {"crNo", crNo},
    {"crAppStart", crAppStart},
    {"crHelp", crHelp},
    {"crHandPoint", crHandPoint},
    {"crSizeAll", crSizeAll},
}};

[[nodiscard]] inline std::optional<TCursor> CursorFromName(std::string_view name) {
  for (const auto& [text, cursor] : kCursorNames) {
    if (text == name) {
      return cursor;
    }
  }
  return std::nullopt;
}

// The name of a known cursor; empty for any other value.
[[nodiscard]] inline std::string_view CursorName(TCursor cursor) {
  for (const auto& [text, value] : kCursorNames) {
    if (value == cursor) {
      return text;
    }
  }
  return {};
}
