#include "framework/Colors.h"

#include <array>
#include <utility>

std::optional<TColor> ColorFromIdent(std::string_view ident) {
  static constexpr std::array<std::pair<std::string_view, TColor>, 13> kNames{{
      {"clBlack", clBlack},
      {"clWhite", clWhite},
      {"clRed", clRed},
      {"clNone", clNone},
      {"clScrollBar", clScrollBar},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clWindowText", clWindowText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clBtnHighlight", clBtnHighlight},
  }};
  for (const auto& [name, color] : kNames) {
    if (name == ident) {
      return color;
    }
  }
  return std::nullopt;
}
