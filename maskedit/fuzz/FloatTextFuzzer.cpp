// Checks MxFloatToStr against an exact big-integer reference for any bit pattern of a
// double (also NaNs, infinities and subnormals).
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "maskedit/fuzz/ExactDecimal.h"
#include "maskedit/values/MxFloatText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) {
    return 0;
  }
  double value;
  std::memcpy(&value, data, sizeof value);
  const std::uint8_t mode = size > sizeof(double) ? data[sizeof(double)] : 0;
  const char separator = (mode & 1) ? '.' : ',';
  if (mode & 2) {
    // The double nearest to a decimal of 16 digits (often ending in 5): the cases where
    // half up at the 16th digit and the 18-digit rounding matter.
    std::uint64_t bits;
    std::memcpy(&bits, data, sizeof bits);
    std::uint64_t digits = bits % 10000000000000000ULL;
    if (mode & 4) {
      digits = digits / 10 * 10 + 5;
    }
    const int exponent = static_cast<int>(mode >> 3) - 16;
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "%llue%d", static_cast<unsigned long long>(digits), exponent);
    std::from_chars(text, text + length, value);
  }
  const std::string got = MxFloatToStr(value, separator);
  const std::string want = ReferenceFloatToStr(value, separator);
  if (got != want) {
    std::fprintf(stderr, "MxFloatToStr(%.17g) = \"%s\", exact reference \"%s\"\n", value, got.c_str(),
                 want.c_str());
    std::abort();
  }
  return 0;
}
