// Names the platform three ways; the check must find each.
#include <commctrl.h>
const char* s = "//";
static DWORD Count;
