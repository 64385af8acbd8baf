#include "theme/records/SkThemeEntries.h"

#include "theme/records/SkThemeLimits.h"

namespace {
bool ReadLimited(TskByteReader& in, std::string& out) {
  std::int32_t n = 0;
  const std::size_t at = in.Position();
  if (!in.ReadInt32(n)) {
    return false;
  }
  in.Seek(at);
  if (n < 0 || std::size_t(n) > kSkMaxThemeTextBytes) {
    return false;
  }
  return ReadStreamString(in, out);
}
} // namespace

void SkWriteThemeEntry(TskByteWriter& out, std::string_view name, const std::string& value) {
  WriteStreamString(out, std::string(name));
  WriteStreamString(out, ":");
  WriteStreamString(out, value);
}

bool SkReadThemeEntry(TskByteReader& in, std::string& value) {
  std::string name, colon;
  return ReadLimited(in, name) && ReadLimited(in, colon) && ReadLimited(in, value);
}
