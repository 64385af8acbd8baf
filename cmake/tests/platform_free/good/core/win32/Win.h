#include <windows.h>
HWND h;
