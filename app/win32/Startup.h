#pragma once
// Start-up of tabira.exe: the application object and its title, the calculator window from
// its stored layout, then the message loop until the window closes. A layout that cannot be
// read stops start-up with a message box that says why.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the calculator's layout names: its controls, the theme engine with the built-in themes
// and the skinned frame; and the application's title. RunTabira starts with it, and so do the
// tests that build the window.
void RegisterTabiraClasses();

// Returns the process exit code. layout replaces the stored layout (for tests); args are the
// command-line arguments without the program name (the first may name a theme, see
// app/ThemeChoice.h).
int RunTabira(std::optional<std::string_view> layout = std::nullopt,
              const std::vector<std::string>& args = {});
