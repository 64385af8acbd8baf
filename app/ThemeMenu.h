#pragma once
// The looks the "Tampilan" sub-menu of tabira.exe's system menu offers: the two built-in
// looks, then the skin files of the program's own theme folder, those of the user's, then the
// platform's visual styles. Each entry carries the value ChooseTabiraTheme takes (and the
// user's settings store) and the name the menu shows and screen readers read.
#include <string>
#include <vector>

class TskTheme;

struct TTabiraThemeEntry {
  // "Flat", "OfficeXP" or a file path as found.
  std::string Value;
  // The name shown, without accelerator marks.
  std::string Name;
};

// Full paths of the theme files found, each group in any order.
struct TTabiraFoundThemes {
  std::vector<std::string> ProgramSkins; // the Tema folder beside tabira.exe
  std::vector<std::string> UserSkins;    // the user's Tabira\Tema folder
  std::vector<std::string> Styles;       // the platform's visual styles that open
};

// Built-in looks first, then each group sorted by name (ignoring case); a path found twice
// (ignoring case) is listed once, in its first group.
std::vector<TTabiraThemeEntry> TabiraThemeEntries(const TTabiraFoundThemes& found);

// The name of a theme file: its file name without folder and extension.
std::string TabiraThemeFileName(const std::string& path);

// A menu caption that shows `name` as it is: every "&" doubled, so none marks an accelerator.
std::string TabiraMenuCaption(const std::string& name);

// The entry whose value is `value` (ignoring case), or -1.
int TabiraThemeEntryIndex(const std::vector<TTabiraThemeEntry>& entries, const std::string& value);

// The value that names a theme: a built-in look's building name, else its file; "Flat" when
// there is none (the window's own frame is then flat).
std::string TabiraThemeValue(const TskTheme* theme);
