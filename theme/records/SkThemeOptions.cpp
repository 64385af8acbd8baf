#include "theme/records/SkThemeOptions.h"

const std::array<std::string_view, kSkThemeOptionCount> kSkThemeOptionTexts = {
    "One object for kescEditButtonLeft, kescEditButtonRight and kescEditButtonBoth",
    "One object for kescComboBoxLeft, kescComboBoxRight"};

void TskThemeOptions::SaveToStream(TskByteWriter& out) const {
  const std::uint8_t highest = kSkThemeOptionCount - 1;
  out.WriteBytes(&highest, 1);
  for (bool on : FOptions) {
    const std::uint8_t b = on ? 1 : 0;
    out.WriteBytes(&b, 1);
  }
}

bool TskThemeOptions::LoadFromStream(TskByteReader& in) {
  std::uint8_t highest = 0;
  if (!in.ReadBytes(&highest, 1) || std::size_t(highest) + 1 > kSkThemeOptionCount) {
    return false;
  }
  auto options = FOptions;
  for (std::size_t i = 0; i <= highest; ++i) {
    std::uint8_t b = 0;
    if (!in.ReadBytes(&b, 1)) {
      return false;
    }
    options[i] = b != 0;
  }
  FOptions = options;
  return true;
}
