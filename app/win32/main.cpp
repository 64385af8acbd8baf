// tabira.exe [theme]: the optional argument names the theme to use instead of the built-in
// flat one (a built-in look's name or a theme file); everything else starts from the stored
// layout.
#include "app/win32/Startup.h"
#include "framework/win32/WideText.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Read wide: a theme file's name may lie outside the system code page.
  return RunTabira(std::nullopt, CommandLineArguments());
}
