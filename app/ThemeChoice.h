#pragma once
// The theme tabira.exe is started with: its one optional argument names a built-in look by
// building name ("Flat", "OfficeXP", any case) or a theme file of a kind some registered theme
// class reads (skin files, stored themes). Without an argument nothing is chosen and the
// window's own flat theme stays.
#include "theme/SkTheme.h"

#include <memory>
#include <string>
#include <vector>

class TskThemeManager;

struct TTabiraThemeChoice {
  // The theme to make current; none keeps the window's flat theme.
  std::unique_ptr<TskTheme> Theme;
  // A named file that could not be read as a theme (missing, damaged, beyond the readers'
  // limits, of no known kind); empty otherwise.
  std::string FailedFile;
};

// `args` are the program's arguments without the program name; only the first counts.
TTabiraThemeChoice ChooseTabiraTheme(const std::vector<std::string>& args, const TskThemeManager& manager);

// The theme tabira.exe starts with, given the user's stored choice as well: an argument wins
// for this run (a file that fails is reported through FailedFile); without one the stored
// choice is used, and a stored theme that no longer loads gives the flat frame silently and is
// to be forgotten. Nothing here is stored: the caller writes the settings.
struct TTabiraStartTheme {
  std::unique_ptr<TskTheme> Theme;
  std::string FailedFile;
  bool ForgetStored = false;
};
TTabiraStartTheme ChooseTabiraStartTheme(const std::vector<std::string>& args, const std::string* stored,
                                         const TskThemeManager& manager);

// The message shown when the named theme file cannot be used.
std::string TabiraThemeFailureText(const std::string& file);
