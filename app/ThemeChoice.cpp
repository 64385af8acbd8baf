#include "app/ThemeChoice.h"

#include "theme/SkThemeManager.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

} // namespace

TTabiraThemeChoice ChooseTabiraTheme(const std::vector<std::string>& args, const TskThemeManager& manager) {
  TTabiraThemeChoice choice;
  if (args.empty() || args[0].empty()) {
    return choice;
  }
  const std::string& name = args[0];
  for (std::size_t i = 0; i < manager.ThemeClassCount(); ++i) {
    const TskThemeClass* c = manager.ThemeClassAt(i);
    if (c->Config().BuiltIn && SameText(c->BuildingName(), name)) {
      choice.Theme = c->Create();
      return choice;
    }
  }
  // Every file kind goes through the registered theme classes.
  choice.Theme = manager.LoadThemeFromFile(name);
  if (!choice.Theme) {
    choice.FailedFile = name;
  }
  return choice;
}

TTabiraStartTheme ChooseTabiraStartTheme(const std::vector<std::string>& args, const std::string* stored,
                                         const TskThemeManager& manager) {
  TTabiraStartTheme start;
  if (!args.empty() && !args[0].empty()) {
    TTabiraThemeChoice choice = ChooseTabiraTheme(args, manager);
    start.Theme = std::move(choice.Theme);
    start.FailedFile = std::move(choice.FailedFile);
    return start;
  }
  if (stored && !stored->empty()) {
    TTabiraThemeChoice choice = ChooseTabiraTheme({*stored}, manager);
    start.Theme = std::move(choice.Theme);
    // A stored name that is not a built-in look and does not load is no use any more.
    start.ForgetStored = !start.Theme;
  }
  return start;
}

std::string TabiraThemeFailureText(const std::string& file) {
  return "Berkas tema \"" + file + "\" tidak dapat dibaca.\nTabira memakai tampilan bawaan.";
}
