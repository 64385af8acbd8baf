#pragma once
// TMxPrefixWidths: the widths of every prefix of one text in one font, kept between calls.
//
// Width(i) is the width in pixels of the first i characters (Width(0) = 0). When the text
// changes, only the part from the first changed character on is measured again, so typing
// at the end of a long text measures one character. Widths never decrease with i, which
// makes hit-testing a binary search.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TMxPrefixWidths {
public:
  // Fills widths with the width of each prefix of text: widths[k] for the first k + 1
  // characters (widths.size() == text.size()).
  using TMeasure = std::function<void(std::string_view text, std::vector<int>& widths)>;

  // Brings the table up to date for text drawn with the font identified by fontKey (any
  // value that changes when the font or the character spacing changes).
  void Update(std::string_view text, std::uintptr_t fontKey, const TMeasure& measure);
  void Invalidate();

  int Count() const { return static_cast<int>(FWidths.size()) - 1; }
  // Width of the first count characters; count is clamped to 0..Count().
  int Width(long long count) const;
  // Width of character i alone (1-based); 0 outside the text.
  int CharWidth(long long i) const;
  // The first i in 1..Count() whose middle, Width(i) - CharWidth(i) / 2, is at or right of
  // x; Count() + 1 when there is none.
  int FirstMiddleAtOrAfter(int x) const;
  // The number of leading characters that end at or left of x (the first visible
  // character is this plus 1).
  int CharsEndingBefore(int x) const;

private:
  std::string FText;
  std::uintptr_t FFontKey = 0;
  bool FValid = false;
  std::vector<int> FWidths{0};
};
