// tabira.exe [theme]: the optional argument names the theme to use instead of the built-in
// flat one (a built-in look's name or a theme file); everything else starts from the stored
// layout.
#include "app/win32/Startup.h"

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) {
    args.emplace_back(__argv[i]);
  }
  return RunTabira(std::nullopt, args);
}
