#pragma once
// The colour text form of stored themes: a standard name ("clBtnFace", "clWhite") where the
// value has one, otherwise "$" and eight hexadecimal digits of the 32-bit value.
#include "theme/SkColor.h"

#include <optional>
#include <string>
#include <string_view>

std::string SkColorToText(TColor c);
// Accepts a standard name, "$" with one to eight hexadecimal digits, or a decimal number
// (optionally negative, as 32-bit); anything else is no colour.
std::optional<TColor> SkTextToColor(std::string_view text);
