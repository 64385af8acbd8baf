#include "framework/Font.h"

#include <cstdint>

std::optional<TColor> LayoutColor(const TLayoutValue& value) {
  if (value.Kind == TLayoutValue::TKind::Identifier) {
    return ColorFromIdent(value.Text);
  }
  // Negative numbers are the colour as a signed 32-bit value (-1 is stored for "default").
  if (value.Kind == TLayoutValue::TKind::Integer && value.Integer >= INT32_MIN &&
      value.Integer <= UINT32_MAX) {
    return static_cast<TColor>(static_cast<std::uint32_t>(value.Integer));
  }
  return std::nullopt;
}

TPropertyResult ReadFontProperty(TFontData& font, const std::string& name, const TLayoutValue& value) {
  if (name == "Name") {
    auto s = LayoutString(value);
    if (!s || s->empty() || s->size() > 31) {
      return TPropertyResult::Bad("a face name of 1 to 31 characters");
    }
    font.Name = *s;
  } else if (name == "Height") {
    auto h = LayoutInt(value, -1000, 1000);
    if (!h) {
      return TPropertyResult::Bad("a height from -1000 to 1000");
    }
    font.Height = *h;
  } else if (name == "Style") {
    if (value.Kind != TLayoutValue::TKind::Set) {
      return TPropertyResult::Bad("a set of font styles");
    }
    unsigned style = 0;
    for (const std::string& item : value.Items) {
      if (item == "fsBold") {
        style |= static_cast<unsigned>(TFontStyle::fsBold);
      } else if (item == "fsItalic") {
        style |= static_cast<unsigned>(TFontStyle::fsItalic);
      } else if (item == "fsUnderline") {
        style |= static_cast<unsigned>(TFontStyle::fsUnderline);
      } else if (item == "fsStrikeOut") {
        style |= static_cast<unsigned>(TFontStyle::fsStrikeOut);
      } else {
        return TPropertyResult::Bad("unknown font style '" + item + "'");
      }
    }
    font.Style = style;
  } else if (name == "Color") {
    auto c = LayoutColor(value);
    if (!c) {
      return TPropertyResult::Bad("a colour");
    }
    font.Color = *c;
  } else if (name == "Charset") {
    auto c = LayoutInt(value, 0, 255);
    if (!c) {
      return TPropertyResult::Bad("a character set from 0 to 255");
    }
    font.Charset = *c;
  } else {
    return TPropertyResult::Unknown();
  }
  return TPropertyResult::Ok();
}
