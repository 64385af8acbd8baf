#include "maskedit/look/MxSpecialButtonsStore.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

template <class E>
using TNames = std::vector<std::pair<std::string, E>>;

const TNames<TMxButtonLayout>& LayoutNames() {
  static const TNames<TMxButtonLayout> names{{"blGlyphLeft", blGlyphLeft},
                                             {"blGlyphRight", blGlyphRight},
                                             {"blGlyphTop", blGlyphTop},
                                             {"blGlyphBottom", blGlyphBottom}};
  return names;
}

const TNames<TMxThemeMode>& ThemeModeNames() {
  static const TNames<TMxThemeMode> names{{"ttmNone", TMxThemeMode::ttmNone},
                                          {"ttmPlatform", TMxThemeMode::ttmPlatform},
                                          {"ttmNative", TMxThemeMode::ttmNative}};
  return names;
}

const TNames<TMxThreeDStyle>& StyleNames() {
  static const TNames<TMxThreeDStyle> names{{"tdNone", tdNone},
                                            {"tdSunken", tdSunken},
                                            {"tdRaised", tdRaised},
                                            {"tdSunkenShadow", tdSunkenShadow},
                                            {"tdRaisedShadow", tdRaisedShadow},
                                            {"tdShadow", tdShadow},
                                            {"tdOutline", tdOutline},
                                            {"tdExtrude", tdExtrude},
                                            {"tdExtrudeEnh", tdExtrudeEnh},
                                            {"tdPColorSunken", tdPColorSunken},
                                            {"tdPColorRaised", tdPColorRaised}};
  return names;
}

const TNames<TMxThreeDOrientation>& OrientationNames() {
  static const TNames<TMxThreeDOrientation> names{{"toBottomLeft", toBottomLeft},
                                                  {"toBottomRight", toBottomRight},
                                                  {"toTopLeft", toTopLeft},
                                                  {"toTopRight", toTopRight}};
  return names;
}

const TNames<TMxDisabledStyle>& DisabledNames() {
  static const TNames<TMxDisabledStyle> names{
      {"dsAuto", dsAuto}, {"dsStandard", dsStandard}, {"ds3d", ds3d}, {"dsNone", dsNone}};
  return names;
}

template <class E>
std::optional<E> EnumOf(const TNames<E>& names, const TLayoutValue& value) {
  if (value.Kind == TLayoutValue::TKind::Identifier) {
    for (const auto& [text, e] : names) {
      if (text == value.Text) {
        return e;
      }
    }
  }
  return std::nullopt;
}

template <class E>
std::string OneOf(const TNames<E>& names) {
  std::string what;
  for (const auto& entry : names) {
    what += (what.empty() ? "one of " : ", ") + entry.first;
  }
  return what;
}

template <class E>
std::string NameOf(const TNames<E>& names, E value) {
  for (const auto& [text, e] : names) {
    if (e == value) {
      return text;
    }
  }
  return names.front().first;
}

// Reads an enumerator and applies it.
template <class E, class F>
TPropertyResult Enum(const TNames<E>& names, const TLayoutValue& value, F apply) {
  const std::optional<E> e = EnumOf(names, value);
  if (!e) {
    return TPropertyResult::Bad(OneOf(names));
  }
  apply(*e);
  return TPropertyResult::Ok();
}

TPropertyResult ReadBool(const TLayoutValue& value, const std::function<void(bool)>& apply) {
  const std::optional<bool> v = LayoutBool(value);
  if (!v) {
    return TPropertyResult::Bad("true or false");
  }
  apply(*v);
  return TPropertyResult::Ok();
}

TPropertyResult ReadString(const TLayoutValue& value, const std::function<void(const std::string&)>& apply) {
  const std::optional<std::string> v = LayoutString(value);
  if (!v) {
    return TPropertyResult::Bad("a string");
  }
  apply(*v);
  return TPropertyResult::Ok();
}

// --- writing ---------------------------------------------------------------------------------

std::string Quoted(std::string_view text) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u >= 0x7F) {
      out += "\\x";
      out += digits[u >> 4];
      out += digits[u & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Hex(std::uint32_t v) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) {
    out += digits[(v >> shift) & 0xF];
  }
  return out;
}

std::string Bool(bool v) { return v ? "true" : "false"; }

std::string FontStyles(unsigned style) {
  static const std::pair<const char*, TFontStyle> names[] = {{"fsBold", TFontStyle::fsBold},
                                                             {"fsItalic", TFontStyle::fsItalic},
                                                             {"fsUnderline", TFontStyle::fsUnderline},
                                                             {"fsStrikeOut", TFontStyle::fsStrikeOut}};
  std::string out;
  for (const auto& [text, bit] : names) {
    if (style & static_cast<unsigned>(bit)) {
      out += (out.empty() ? "" : ", ") + std::string(text);
    }
  }
  return "[" + out + "]";
}

} // namespace

TPropertyResult MxRead3DCaptionProperty(TMx3DCaption& fx, const std::string& name,
                                        const TLayoutValue& value) {
  if (name == "Style") {
    return Enum(StyleNames(), value, [&](TMxThreeDStyle v) { fx.SetStyle(v); });
  }
  if (name == "Orientation") {
    return Enum(OrientationNames(), value, [&](TMxThreeDOrientation v) { fx.SetOrientation(v); });
  }
  if (name == "DisabledStyle") {
    return Enum(DisabledNames(), value, [&](TMxDisabledStyle v) { fx.SetDisabledStyle(v); });
  }
  if (name == "LightDepth" || name == "ShadowDepth") {
    const std::optional<int> v = LayoutInt(value, 0, 255);
    if (!v) {
      return TPropertyResult::Bad("a number from 0 to 255");
    }
    name == "LightDepth" ? fx.SetLightDepth(static_cast<std::uint8_t>(*v))
                         : fx.SetShadowDepth(static_cast<std::uint8_t>(*v));
    return TPropertyResult::Ok();
  }
  if (name == "LightColor" || name == "ShadowColor") {
    const std::optional<TColor> c = LayoutColor(value);
    if (!c) {
      return TPropertyResult::Bad("a colour");
    }
    name == "LightColor" ? fx.SetLightColor(*c) : fx.SetShadowColor(*c);
    return TPropertyResult::Ok();
  }
  if (name == "Tracing") {
    const std::optional<int> v = LayoutInt(value, INT32_MIN, INT32_MAX);
    if (!v) {
      return TPropertyResult::Bad("a 32-bit number");
    }
    fx.SetTracing(*v);
    return TPropertyResult::Ok();
  }
  return TPropertyResult::Unknown();
}

TPropertyResult MxReadSpecialButtonProperty(TMxSpecialButton& item, const std::string& name,
                                            const TLayoutValue& value, const TMxButtonHandlerLookup& lookup) {
  if (name == "Caption") {
    return ReadString(value, [&](const std::string& s) { item.SetCaption(s); });
  }
  if (name == "Hint") {
    return ReadString(value, [&](const std::string& s) { item.SetHint(s); });
  }
  if (name == "Glyph") {
    const std::optional<std::string> text = LayoutString(value);
    if (!text) {
      return TPropertyResult::Bad("a glyph string");
    }
    TMxGlyph glyph;
    std::string error;
    if (!MxGlyphFromText(*text, glyph, error)) {
      return TPropertyResult::Bad(error);
    }
    item.SetGlyph(glyph);
    return TPropertyResult::Ok();
  }
  if (name == "Enabled") {
    return ReadBool(value, [&](bool v) { item.SetEnabled(v); });
  }
  if (name == "AllowAllUp") {
    return ReadBool(value, [&](bool v) { item.SetAllowAllUp(v); });
  }
  if (name == "ParentFont") {
    return ReadBool(value, [&](bool v) { item.SetParentFont(v); });
  }
  if (name == "CtlXP") {
    return ReadBool(value, [&](bool v) {
      const TMxThemeMode mode = v ? TMxThemeMode::ttmPlatform : TMxThemeMode::ttmNone;
      if (item.ThemeMode != mode) {
        item.ThemeMode = mode;
      }
    });
  }
  if (name == "Cursor") {
    const std::optional<TCursor> cursor =
        value.Kind == TLayoutValue::TKind::Identifier ? CursorFromName(value.Text) : std::nullopt;
    if (!cursor) {
      return TPropertyResult::Bad("a cursor name (crDefault, crArrow, crIBeam, crHandPoint, ...)");
    }
    item.SetCursor(*cursor);
    return TPropertyResult::Ok();
  }
  if (name == "Layout") {
    return Enum(LayoutNames(), value, [&](TMxButtonLayout v) { item.SetLayout(v); });
  }
  if (name == "ThemeMode") {
    return Enum(ThemeModeNames(), value, [&](TMxThemeMode v) { item.ThemeMode = v; });
  }
  if (name == "GroupIndex") {
    const std::optional<int> v = LayoutInt(value, INT32_MIN, INT32_MAX);
    if (!v) {
      return TPropertyResult::Bad("a 32-bit number");
    }
    item.SetGroupIndex(*v);
    return TPropertyResult::Ok();
  }
  if (name == "OnClick") {
    if (value.Kind != TLayoutValue::TKind::Identifier) {
      return TPropertyResult::Bad("a handler name");
    }
    TMxSpecialButton::TMxOnCustomBtnClick handler = lookup ? lookup(value.Text) : nullptr;
    if (!handler) {
      return TPropertyResult::Bad("there is no handler named " + value.Text);
    }
    item.OnClick = std::move(handler);
    item.OnClickName = value.Text;
    return TPropertyResult::Ok();
  }
  if (name.starts_with("Font.")) {
    TFontData font = item.GetFont();
    TPropertyResult r = ReadFontProperty(font, name.substr(5), value);
    if (r.Code == TPropertyResult::TCode::Ok) {
      item.SetFont(font);
    }
    return r;
  }
  if (name.starts_with("FontFX.")) {
    return MxRead3DCaptionProperty(item.FontFX(), name.substr(7), value);
  }
  return TPropertyResult::Unknown();
}

TPropertyResult MxReadSpecialButtons(TMxSpecialButtons& buttons, const TLayoutValue& value,
                                     const TMxButtonHandlerLookup& lookup) {
  if (value.Kind != TLayoutValue::TKind::Collection) {
    return TPropertyResult::Bad("a collection of buttons (< item { ... } >)");
  }
  buttons.Clear();
  for (std::size_t i = 0; i < value.Elements.size(); ++i) {
    const TLayoutItem& stored = value.Elements[i];
    TMxSpecialButton& item = buttons.Add();
    for (const TLayoutProperty& p : stored.Properties) {
      const TPropertyResult r = MxReadSpecialButtonProperty(item, p.Name, p.Value, lookup);
      const std::string where = "item " + std::to_string(i) + " (line " + std::to_string(p.Line) + ")";
      if (r.Code == TPropertyResult::TCode::Unknown) {
        return TPropertyResult::Bad(where + " has no property '" + p.Name + "'");
      }
      if (r.Code == TPropertyResult::TCode::BadValue) {
        return TPropertyResult::Bad(where + ", " + p.Name + ": " + r.Message);
      }
    }
  }
  return TPropertyResult::Ok();
}

std::string MxSpecialButtonsLayoutValue(const TMxSpecialButtons& buttons, int indent) {
  const std::string pad(static_cast<std::size_t>(std::max(indent, 0)), ' ');
  const std::string in = pad + "    ";
  std::string out = "<\n";
  for (int i = 0; i < buttons.Count(); ++i) {
    const TMxSpecialButton& item = buttons.Item(i);
    const TFontData& font = item.GetFont();
    const TMx3DCaption& fx = item.FontFX();
    const auto line = [&](std::string_view name, const std::string& v) {
      out += in;
      out += name;
      out += " = " + v + "\n";
    };
    out += pad + "  item {\n";
    line("Caption", Quoted(item.GetCaption()));
    line("Hint", Quoted(item.GetHint()));
    line("Glyph", Quoted(MxGlyphToText(item.GetGlyph())));
    line("Enabled", Bool(item.GetEnabled()));
    const std::string_view cursor = CursorName(item.GetCursor());
    line("Cursor", std::string(cursor.empty() ? "crDefault" : cursor));
    line("Layout", NameOf(LayoutNames(), item.GetLayout()));
    line("Font.Name", Quoted(font.Name));
    line("Font.Height", std::to_string(font.Height));
    line("Font.Style", FontStyles(font.Style));
    line("Font.Color", Hex(font.Color));
    line("Font.Charset", std::to_string(font.Charset));
    line("ParentFont", Bool(item.GetParentFont()));
    line("FontFX.Style", NameOf(StyleNames(), fx.Style()));
    line("FontFX.LightDepth", std::to_string(fx.LightDepth()));
    line("FontFX.ShadowDepth", std::to_string(fx.ShadowDepth()));
    line("FontFX.LightColor", Hex(fx.LightColor()));
    line("FontFX.ShadowColor", Hex(fx.ShadowColor()));
    line("FontFX.Orientation", NameOf(OrientationNames(), fx.Orientation()));
    line("FontFX.DisabledStyle", NameOf(DisabledNames(), fx.DisabledStyle()));
    line("FontFX.Tracing", std::to_string(fx.Tracing()));
    line("GroupIndex", std::to_string(item.GetGroupIndex()));
    line("AllowAllUp", Bool(item.GetAllowAllUp()));
    line("ThemeMode", NameOf(ThemeModeNames(), item.ThemeMode));
    if (!item.OnClickName.empty()) {
      line("OnClick", item.OnClickName);
    }
    out += pad + "  }\n";
  }
  return out + pad + ">";
}
