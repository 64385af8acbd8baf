// libFuzzer target: an arbitrary format string and text through the date reader, both
// forms and the part geometry. Any crash, sanitizer report or part outside the text is a
// finding.
#include "maskedit/values/MxDateFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
struct TFixedClock final : IMxClock {
  double Now() const override { return MxEncodeDate(2026, 6, 15); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  const std::size_t split = std::min<std::size_t>(data[0] % 32, size - 1);
  const std::string format(reinterpret_cast<const char*>(data + 1), split);
  const std::string text(reinterpret_cast<const char*>(data + 1 + split), size - 1 - split);
  TFixedClock clock;
  TMxDateFormat f;
  f.SetLocale((data[0] & 0x80) != 0 ? TMxLocaleValues::Indonesian() : TMxLocaleValues::EnglishUS());
  f.SetClock(&clock);
  f.SetFormat(dfCustom);
  f.SetFormatStr(format);
  f.SetYearDelta(static_cast<std::int8_t>(data[size - 1]));

  const int len = static_cast<int>(text.size());
  for (const TMxDatePart& p : f.Parts(text)) {
    if (p.Start < 1 || p.Length < 0 || p.Start + p.Length > len + 1) {
      std::abort();
    }
  }
  for (int pos = 0; pos <= len + 2 && pos < 64; ++pos) {
    const int next = f.NextPartStart(text, pos), prev = f.PrevPartStart(text, pos);
    if (f.PartIndexAt(text, pos) > 0 && (next < 1 || next > len + 1 || prev < 1 || prev > len + 1)) {
      std::abort();
    }
  }
  double date = 0;
  if (f.TryReadDate(text, date)) {
    (void)f.FormatDateEdit(date);
    (void)f.FormatDateDisplay(date);
  }
  (void)f.FormatDateEdit(static_cast<int>(data[0]) * 40 - 100, data[size - 1] % 16 - 1, data[0] % 40 - 2);
  return 0;
}
