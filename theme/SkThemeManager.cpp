#include "theme/SkThemeManager.h"

#include "theme/SkFilePath.h"

#include "theme/records/SkThemeLimits.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') {
      c = char(c - 'A' + 'a');
    }
  }
  return s;
}

// The extension of a file name with its dot, lower case; empty without one.
std::string ExtensionOf(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of("/\\:");
  if (dot == std::string::npos || (slash != std::string::npos && slash > dot)) {
    return {};
  }
  return Lower(fileName.substr(dot));
}

// Whether a dialog filter ("Skins (*.skn;*.sk2)|*.skn;*.sk2") names the extension: only a
// whole "*.ext" pattern counts, so ".sk" does not match "*.skn".
bool FilterNamesExtension(const std::string& filter, const std::string& ext) {
  if (ext.empty()) {
    return false;
  }
  const std::string f = Lower(filter);
  std::size_t at = 0;
  while (at < f.size()) {
    const std::size_t end = f.find_first_of("|; ,()", at);
    const std::string pattern = f.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (pattern.size() > 1 && pattern[0] == '*' && pattern.substr(1) == ext) {
      return true;
    }
    if (end == std::string::npos) {
      break;
    }
    at = end + 1;
  }
  return false;
}

bool FileExists(const std::string& name) { return SkFileExists(name); }

} // namespace

TskThemeManager& TskThemeManager::Instance() {
  static TskThemeManager manager;
  return manager;
}

TskThemeManager::~TskThemeManager() { Reset(); }

void TskThemeManager::Reset() {
  FCurrent.reset();
  FClients.clear();
  FClasses.clear();
  FFontCopies.clear();
}

void TskThemeManager::RegisterThemeClass(const TskThemeClass& c) {
  for (const TskThemeClass& known : FClasses) {
    if (known.Create == c.Create && known.BuildingName == c.BuildingName) {
      return;
    }
  }
  FClasses.push_back(c);
}

const TskThemeClass* TskThemeManager::ThemeClassAt(std::size_t index) const {
  return index < FClasses.size() ? &FClasses[index] : nullptr;
}

const TskThemeClass* TskThemeManager::FindThemeClassForFile(const std::string& fileName) const {
  const std::string ext = ExtensionOf(fileName);
  for (const TskThemeClass& c : FClasses) {
    const TskThemeConfig config = c.Config();
    if (config.CanLoadFile && FilterNamesExtension(config.FileFilter, ext)) {
      return &c;
    }
  }
  return nullptr;
}

std::unique_ptr<TskTheme> TskThemeManager::LoadThemeFromFile(const std::string& fileName) const {
  if (fileName.empty()) {
    return nullptr;
  }
  std::string name = fileName;
  if (!FileExists(name)) {
    if (name.size() <= 1 || name[1] == ':' || FProgramFolder.empty()) {
      return nullptr;
    }
    const auto folder = SkFilePath(FProgramFolder), relative = SkFilePath(name);
    if (!folder || !relative) {
      return nullptr;
    }
    name = SkFileNameText(*folder / *relative);
    if (!FileExists(name)) {
      return nullptr;
    }
  }
  if (const TskThemeClass* c = FindThemeClassForFile(name)) {
    std::unique_ptr<TskTheme> theme = c->Create();
    if (!theme->LoadFromFile(name)) {
      return nullptr;
    }
    return theme;
  }
  const auto path = SkFilePath(name);
  if (!path) {
    return nullptr;
  }
  std::ifstream file(*path, std::ios::binary);
  if (!file) {
    return nullptr;
  }
  std::vector<std::uint8_t> bytes;
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + file.gcount());
    if (bytes.size() > kSkMaxStoredThemeBytes) {
      return nullptr;
    }
  }
  TskByteReader in(bytes);
  return LoadThemeFromStream(in);
}

std::unique_ptr<TskTheme> TskThemeManager::LoadThemeFromStream(TskByteReader& in) const {
  const std::size_t start = in.Position();
  for (const TskThemeClass& c : FClasses) {
    const bool recognised = c.IsThemeStream(in);
    in.Seek(start);
    if (!recognised) {
      continue;
    }
    std::unique_ptr<TskTheme> theme = c.Create();
    if (!theme->LoadFromStream(in)) {
      return nullptr;
    }
    return theme;
  }
  return nullptr;
}

bool TskThemeManager::SaveThemeToStream(const TskTheme* theme, TskByteWriter& out) const {
  return theme && theme->ThemeConfig().CanSave && theme->SaveToStream(out);
}

void TskThemeManager::SetCurrentTheme(std::unique_ptr<TskTheme> theme) {
  if (theme && theme.get() == FCurrent.get()) {
    // The manager owns it already: keep that one owner.
    static_cast<void>(theme.release());
    return;
  }
  if (!theme) {
    // No theme to make current: that is removing the current one.
    if (FCurrent) {
      ClearCurrentTheme();
    }
    return;
  }
  Broadcast(tnChanging, 0);
  const std::uint32_t code = FCurrent ? tnReplaced : tnFirst;
  FCurrent = std::move(theme);
  Broadcast(code, 0);
  Broadcast(tnChanged, 0);
}

void TskThemeManager::ClearCurrentTheme() {
  Broadcast(tnChanging, 0);
  FCurrent.reset();
  Broadcast(tnRemoved, 0);
  Broadcast(tnChanged, 0);
}

void TskThemeManager::RegisterClient(ISkThemeClient* client) {
  if (!client || std::find(FClients.begin(), FClients.end(), client) != FClients.end()) {
    return;
  }
  FClients.push_back(client);
  if (FCurrent) {
    client->ThemeNotify(tnFirst, 0);
  }
}

void TskThemeManager::UnregisterClient(ISkThemeClient* client) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

void TskThemeManager::Broadcast(std::uint32_t code, std::intptr_t param) {
  // A client may unregister (or register another) while being told; walk a copy and skip
  // the ones that left.
  const std::vector<ISkThemeClient*> clients = FClients;
  for (ISkThemeClient* client : clients) {
    if (std::find(FClients.begin(), FClients.end(), client) == FClients.end()) {
      continue;
    }
    if (code == tnColorsChanged && !client->WantsColorChanges()) {
      continue;
    }
    client->ThemeNotify(code, param);
  }
}

void TskThemeManager::SetCurrentDeltaHue(std::int32_t d) {
  if (!FCurrent || FCurrent->DeltaHue() == d) {
    return;
  }
  FCurrent->SetDeltaHue(d);
  Broadcast(tnColorsChanged, 1);
}

void TskThemeManager::SetCurrentDeltaBrightness(std::int32_t d) {
  if (!FCurrent || FCurrent->DeltaBrightness() == d) {
    return;
  }
  FCurrent->SetDeltaBrightness(d);
  Broadcast(tnColorsChanged, 1);
}

void TskThemeManager::SetCurrentDeltas(std::int32_t hue, std::int32_t brightness) {
  if (!FCurrent || (FCurrent->DeltaHue() == hue && FCurrent->DeltaBrightness() == brightness)) {
    return;
  }
  FCurrent->SetDeltas(hue, brightness);
  Broadcast(tnColorsChanged, 1);
}

void TskThemeManager::SystemSettingsChanged() {
  if (FCurrent) {
    FCurrent->ApplyDefaults();
  }
  Broadcast(tnColorsChanged, 0);
}

bool TskThemeManager::RestoreFont(const void* key, TskFontDesc& font) const {
  auto it = FFontCopies.find(key);
  if (it == FFontCopies.end()) {
    return false;
  }
  font = it->second;
  return true;
}
