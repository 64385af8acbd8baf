#pragma once
// TFontData: what a control's font is made of, independent of any device. Height is in
// pixels as the platform takes it: negative for the character height without internal
// leading (-11 is 8 point at 96 pixels per inch).
#include "framework/Colors.h"
#include "framework/Component.h"

#include <string>

enum class TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFontData {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  unsigned Style = 0; // TFontStyle bits
  TColor Color = clWindowText;
  int Charset = 1; // the platform's default character set

  bool Bold() const { return (Style & static_cast<unsigned>(TFontStyle::fsBold)) != 0; }
  bool operator==(const TFontData&) const = default;
};

// Applies "Name", "Height", "Style", "Color" or "Charset" (the part after "Font.").
TPropertyResult ReadFontProperty(TFontData& font, const std::string& name, const TLayoutValue& value);

// Reads a colour stored as an identifier ("clBtnFace") or a number (0xFF00000F, 0xC08000).
[[nodiscard]] std::optional<TColor> LayoutColor(const TLayoutValue& value);
