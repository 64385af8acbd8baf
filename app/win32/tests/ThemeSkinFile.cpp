// A skin file made by the theme readers' test skins, kept apart from the window's headers
// (both name a text-alignment enumerator).
#include "skins/tests/SfTestSkins.h"

#include <filesystem>
#include <fstream>

bool WriteTestThemeSkin(const std::filesystem::path& file) {
  std::vector<std::uint8_t> skin;
  if (!MakeThemeSkin().SaveToStream(skin, fkMaxCompression)) {
    return false;
  }
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(skin.data()), std::streamsize(skin.size()));
  return bool(out);
}
