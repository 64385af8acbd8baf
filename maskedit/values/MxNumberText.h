#pragma once
// Writing values as the texts of the number mask types (integer and float texts in any
// base from 2 to 36). Reading them back is MxValueText.h.
#include "maskedit/MxMaskType.h"

#include <cstdint>
#include <string>
#include <string_view>

// The writing digits; a digit's value is its index.
inline constexpr std::string_view MxWritingDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// "0" for 0, else the digits of |value| in base (2..36), most significant first, with a
// leading "-" when negative.
std::string MxIntegerToText(std::int64_t value, int base);

// value with exactly count fraction digits in base (2..36), no grouping.
//   Base 10: fixed notation rounded half away from zero on the decimal digits (from the
//   correctly rounded 18-digit decimal form of value); no separator when count is 0.
//   Other bases: the integer part truncated toward zero, the separator, then count digits
//   cut (not rounded); a negative value carries its sign on the integer part and writes
//   the digits of its magnitude's fraction.
// The caller passes a finite value whose integer part fits 32 bits for bases other than
// 10 (the result is empty otherwise).
std::string MxFloatToText(double value, int count, int base, char decimalSeparator);

// The shown form of a float mask type made from a text of MxFloatToText:
//   meFloat:       trailing fraction zeros dropped, then a trailing separator;
//   meFloatFixed:  padded with "0" to decimals fraction digits;
//   meFloatNumber: padded, then thousandSeparator between groups of three integer digits.
std::string MxFloatTextOfKind(std::string text, TMxMaskType kind, int decimals, char decimalSeparator,
                              char thousandSeparator);
