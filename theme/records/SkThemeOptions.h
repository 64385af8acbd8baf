#pragma once
// TskThemeOptions: the theme's two Boolean options, both off after construction.
#include "theme/SkStream.h"
#include "theme/records/SkThemeLimits.h"

#include <array>
#include <string_view>

class TskTheme;

extern const std::array<std::string_view, kSkThemeOptionCount> kSkThemeOptionTexts;

class TskThemeOptions {
public:
  explicit TskThemeOptions(TskTheme* theme = nullptr) : FTheme(theme) {}

  TskTheme* Theme() const { return FTheme; }
  bool Option(std::size_t index) const { return index < FOptions.size() && FOptions[index]; }
  void SetOption(std::size_t index, bool on) {
    if (index < FOptions.size()) {
      FOptions[index] = on;
    }
  }
  void Assign(const TskThemeOptions& source) { FOptions = source.FOptions; }

  void SaveToStream(TskByteWriter& out) const;
  // Fails, unchanged, on a count above two options or too few bytes.
  [[nodiscard]] bool LoadFromStream(TskByteReader& in);

private:
  TskTheme* FTheme;
  std::array<bool, kSkThemeOptionCount> FOptions{};
};
