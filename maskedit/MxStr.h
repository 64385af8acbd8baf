#pragma once
// 1-based, clamping string helpers for the edit family.
//
// Text positions in the edit are 1-based character indexes into an 8-bit string. These
// helpers take such positions and counts and clamp them instead of failing: a start
// before 1 or past the end, a negative count or one running past the end never throws,
// never wraps and never touches bytes outside the string. Engine code uses only these,
// never a raw substr/erase with a computed count.
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

// Length of s as a 1-based position count. Texts longer than INT_MAX cannot be addressed
// by the edit's 32-bit positions. (Inline with MxCharAt: both run several times per
// keystroke.)
inline int MxLen(std::string_view s) {
  return s.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(s.size());
}

// The character at 1-based position i, or '\0' when i is outside 1..MxLen(s).
inline char MxCharAt(std::string_view s, long long i) {
  if (i < 1 || i > static_cast<long long>(s.size())) {
    return '\0';
  }
  return s[static_cast<size_t>(i - 1)];
}

// Up to count characters of s from position start. A start below 1 is taken as 1
// (the count is not adjusted); a count of 0 or less, or a start past the end, gives "".
std::string MxCopy(std::string_view s, long long start, long long count);

// Removes up to count characters from position start. Nothing happens when start is
// outside 1..MxLen(s) or count is 0 or less.
void MxDelete(std::string& s, long long start, long long count);

// Inserts sub before position at; at below 1 inserts at the front, past the end appends.
void MxInsert(std::string& s, std::string_view sub, long long at);

// 1-based position of the first occurrence of sub in s; 0 when absent or sub is empty.
int MxPos(std::string_view sub, std::string_view s);

// Number of occurrences of c among the first count characters of s.
int MxCountChar(std::string_view s, char c, long long count);

// An ASCII decimal digit '0'..'9' (no locale digits).
inline bool MxIsDigit(char c) { return c >= '0' && c <= '9'; }

// A reading of an integer text: the value, and whether the text could be read at all.
struct [[nodiscard]] TMxIntegerReading {
  std::int64_t Value = 0;
  bool Ok = true;
};

// A decimal integer: optional leading spaces, an optional "+" or "-", then decimal digits
// whose value fits a signed 64-bit integer; anything else (nothing after the sign, a
// character that is no digit, a value out of range) gives Ok false and Value 0.
TMxIntegerReading MxReadDecimalInteger(std::string_view text);
