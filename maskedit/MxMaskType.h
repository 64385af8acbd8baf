#pragma once
// The ten forms a masked edit keeps its text in (stored as one byte).
#include <cstdint>

enum TMxMaskType : std::uint8_t {
  meInteger = 0,     // signed 32-bit integer in NumberBase
  meWord = 1,        // unsigned 32-bit integer in NumberBase
  meFloat = 2,       // float, fraction without trailing zeros
  meFloatFixed = 3,  // float with exactly Decimals fraction digits
  meFloatNumber = 4, // as meFloatFixed, integer digits grouped by three
  meCurrency = 5,    // currency amount through the currency patterns
  meDate = 6,
  meTime = 7,
  meMask = 8, // character mask template
  meNone = 9, // free text
};

inline bool MxIsNumberType(TMxMaskType t) { return t <= meCurrency; }
inline bool MxIsFloatType(TMxMaskType t) { return t == meFloat || t == meFloatFixed || t == meFloatNumber; }
