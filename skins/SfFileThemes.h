#pragma once
// The theme classes that read their looks from files, registered with a theme manager after
// the built-in ones. A theme manager then loads any of them by file (TskThemeManager::
// LoadThemeFromFile picks the class by extension, else by the file's first bytes).
class TskThemeManager;

void SfRegisterFileThemes(TskThemeManager& manager);
