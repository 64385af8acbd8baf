#pragma once
// Visual-style modules on the platform: a module file opened as a data file, its resources
// handed to the platform-free theme as bytes.
#include "themefiles/VsThemeMsStyles.h"

#include <string>

// Installs the module opener (idempotent). Needed before TSkThemeMsStyles::LoadFromFile or
// the theme manager open module files.
void VsUseModuleFiles();
// Registers the visual-style theme class with the theme manager and installs the opener.
void VsRegisterThemeClass();
// Loads a visual-style theme from a file path (a module, or a stored form with the extension
// "theme"; the path is UTF-8): the theme with its defaults applied, or null and the reason.
TvsLoadResult SkLoadVisualStyle(const std::string& fileName);
