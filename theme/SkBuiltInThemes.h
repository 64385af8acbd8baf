#pragma once
// Registers the theme classes this library carries, in their start-up order: the base theme
// ("Default"), then the flat theme ("Flat").
class TskThemeManager;

void SkRegisterBuiltInThemes(TskThemeManager& manager);

// Makes "TSkThemeEngine" and "TSkThemeList" known to the layout reader.
void SkRegisterThemeComponents();
