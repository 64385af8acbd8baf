#pragma once
// Text helpers of the drawing layer: token splitting for stored texts and ellipsis fitting
// over any text measure.
#include <cstdint>
#include <string>
#include <string_view>

// Removes from the front of s everything up to and including the first of the delimiters,
// returns what preceded it with surrounding blanks (characters up to space) removed, and trims
// s. Without a delimiter the whole (trimmed) string is returned and s becomes empty.
std::string NextField(std::string& s, std::string_view delimiters);
// NextField with the delimiters space ( ) , : ; =
std::string NextToken(std::string& s);
// Removes leading and trailing characters up to space.
std::string TrimBlanks(std::string_view s);

// Measures the width of a text in pixels (the platform measures with a device context).
class TskTextMeasure {
public:
  virtual ~TskTextMeasure() = default;
  virtual std::int32_t TextWidth(const std::wstring& text) = 0;
};

// The text when its width fits maxWidth; otherwise the longest prefix that still fits when
// followed by "...", followed by "..." ("..." alone when no prefix fits). A prefix never ends
// between the halves of a surrogate pair. Widths are assumed to grow with the prefix length.
std::wstring EllipsisText(TskTextMeasure& measure, const std::wstring& text, std::int32_t maxWidth);
