#pragma once
// The visual-style theme in the Windows program: its class registered with the theme manager,
// and loading a style by its file name. Module files are read from their bytes by the
// platform-free module reader (visualstyles/VsModuleFile.h); nothing is mapped by the platform.
#include "visualstyles/VsThemeMsStyles.h"

#include <string>

// Registers the visual-style theme class with the theme manager.
void VsRegisterThemeClass();
// Loads a visual-style theme from a file path (a module, or a stored form with the extension
// "theme"; the path is UTF-8): the theme with its defaults applied, or null and the reason.
TvsLoadResult SkLoadVisualStyle(const std::string& fileName);
