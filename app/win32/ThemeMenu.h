#pragma once
// tabira.exe's choice of look, kept per user: the "Tampilan" sub-menu of the window's system
// menu (the built-in looks, the skin files of the Tema folders, the platform's visual styles
// the reader opens), the stored choice in HKEY_CURRENT_USER\Software\Tabira (value "Tema"),
// and the theme the program starts with.
#include "app/ThemeChoice.h"
#include "app/ThemeMenu.h"

#include <optional>
#include <string>
#include <vector>

class TForm;
class TSkItem;

// The Tema folder beside the running program and the user's Tabira\Tema folder (wide paths).
std::wstring TabiraProgramThemeFolder();
std::wstring TabiraUserThemeFolder();

// The theme files there are now: files of a kind some registered theme class reads, and the
// visual styles in the platform's themes folder whose format the reader knows.
TTabiraFoundThemes FindTabiraThemes();

// The user's stored choice (the value of an entry), none when nothing is stored.
std::optional<std::string> ReadStoredTabiraTheme();
void StoreTabiraTheme(const std::string& value);
void ForgetStoredTabiraTheme();

// The theme to start with for these arguments and the stored choice; a stored theme that no
// longer loads is forgotten here.
TTabiraStartTheme TabiraStartTheme(const std::vector<std::string>& args);

// Makes the look named by an entry's value current for the whole window and remembers it. A
// look that cannot be loaded (a file removed since the menu was built) is reported and the
// current one stays; answers whether the look changed.
bool UseTabiraTheme(const std::string& value);

// Inserts "&Tampilan" above the menu's closing items; its entries are found as it drops down.
void AddTabiraThemeMenu(TSkItem& root);
// Makes the window's skinned frame add the sub-menu each time it builds its system menu.
void InstallTabiraThemeMenu(TForm& window);
