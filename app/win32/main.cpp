// tabira.exe: no arguments, no settings; everything starts from the stored layout.
#include "app/win32/Startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunTabira(); }
