#pragma once
// Keystroke rows of the amount fields (Indonesian settings: "." groups, "," separates the
// decimals), shared by the engine's tests and by the edit's tests under real input: start
// text and caret (1-based), keys, expected text and caret. "<BS>", "<DEL>", "<UP>" and
// "<DN>" are keys; anything else is typed.

struct KeyRow {
  const char* start;
  int caret;
  const char* keys;
  const char* text;
  int cursor;
};

// An amount field without decimals.
inline constexpr KeyRow kAmountKeysNoDecimals[] = {
    {" 0", 1, "500", " 500", 5},
    {" 0", 2, "7", " 7", 3},
    {" 500", 5, "0", " 5.000", 7},
    {" 1.234", 2, "9", " 91.234", 3},
    // The caret stays at the end when a grouping character disappears.
    {" 1.234", 7, "<BS>", " 123", 5},
    {" 1.234", 7, "<BS><BS>", " 12", 4},
    {" 12.345", 8, "<BS><BS><BS>", " 12", 4},
    // Delete passes over a grouping character and deletes the digit after it.
    {" 1.234", 3, "<DEL>", " 134", 3},
    {" 1.234", 3, "<DEL><DEL>", " 14", 3},
    {" 0", 3, "-", "( 0)", 3},
    {" 0", 3, "-5", " 5", 3},
    {" 123", 3, "<UP><DN>", " 123", 3},
};

// An amount field with two decimals.
inline constexpr KeyRow kAmountKeysTwoDecimals[] = {
    {" 0,00", 1, "25", " 25,00", 4},
    {" 5,00", 3, "<BS>", " 0,00", 2},
    {" 5,00", 3, "<DEL>", " 5,00", 4},
    // The separator typed where it already is leaves the value alone.
    {" 12,00", 5, ",", " 12,00", 5},
    {" 12,00", 4, ",", " 12,00", 5},
    // Typed elsewhere, it moves to where it was typed.
    {" 12,50", 6, ",", " 125,00", 6},
    {" 1.234,00", 4, ",", " 1,23", 5},
    // Not the only integer digit: the zero is deleted.
    {" 100,00", 5, "<BS>", " 10,00", 4},
    {" 1.000,00", 7, "<BS>", " 100,00", 5},
    {" 5,00", 4, "9", " 5,90", 5},
};
