// A comment naming HWND, RECT and DWORD, and "don't" with an apostrophe.
/* a block naming HDC
   over lines with a "quote */
#include <string>
struct TRect {
  int FRect = 0;
};
const char* kText = "a RECT in a string // not a comment";
const char* kRaw = R"(raw "HWND" text)";
char c = '"';
int HwndTable = 0; // HWND
