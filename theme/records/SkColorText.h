#pragma once
// The colour text form of stored themes: a standard name ("clBtnFace", "clWhite") where the
// value has one, otherwise "$" and eight hexadecimal digits of the 32-bit value.
#include "theme/SkColor.h"

#include <optional>
#include <string>
#include <string_view>

std::string SkColorToText(TColor c);
// The standard name of `c` ("clBtnFace"); empty when the value has none.
std::string_view SkColorName(TColor c);
// The colour of a standard name, compared without regard to case.
std::optional<TColor> SkColorFromName(std::string_view name);
// Accepts a standard name, "$" with one to eight hexadecimal digits, or a decimal number
// (optionally negative, as 32-bit); anything else is no colour.
std::optional<TColor> SkTextToColor(std::string_view text);
