#include "app/ThemeMenu.h"

#include "theme/SkTheme.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
  return s;
}

// Paths are compared as the platform's file system does: ignoring case, either slash.
std::string PathKey(const std::string& path) {
  std::string key = Lower(path);
  std::replace(key.begin(), key.end(), '/', '\\');
  return key;
}

} // namespace

std::string TabiraThemeFileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) {
    name.erase(dot);
  }
  return name;
}

std::vector<TTabiraThemeEntry> TabiraThemeEntries(const TTabiraFoundThemes& found) {
  std::vector<TTabiraThemeEntry> entries{{"Flat", "Flat"}, {"OfficeXP", "Office XP"}};
  std::vector<std::string> seen;
  for (const std::vector<std::string>* group : {&found.ProgramSkins, &found.UserSkins, &found.Styles}) {
    std::vector<TTabiraThemeEntry> files;
    for (const std::string& path : *group) {
      const std::string key = PathKey(path);
      if (path.empty() || std::find(seen.begin(), seen.end(), key) != seen.end()) {
        continue;
      }
      seen.push_back(key);
      files.push_back({path, TabiraThemeFileName(path)});
    }
    std::stable_sort(files.begin(), files.end(), [](const TTabiraThemeEntry& a, const TTabiraThemeEntry& b) {
      return Lower(a.Name) < Lower(b.Name);
    });
    entries.insert(entries.end(), files.begin(), files.end());
  }
  return entries;
}

std::string TabiraMenuCaption(const std::string& name) {
  std::string caption;
  for (char c : name) {
    caption += c;
    if (c == '&') {
      caption += '&';
    }
  }
  return caption;
}

int TabiraThemeEntryIndex(const std::vector<TTabiraThemeEntry>& entries, const std::string& value) {
  const std::string key = PathKey(value);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (PathKey(entries[i].Value) == key) {
      return int(i);
    }
  }
  return -1;
}

std::string TabiraThemeValue(const TskTheme* theme) {
  if (!theme) {
    return "Flat";
  }
  return theme->ThemeConfig().BuiltIn ? theme->BuildingName() : theme->FileName();
}
