#include "maskedit/win32/MxWin32CharClass.h"

#include <windows.h>

bool TMxWin32CharClass::IsAlpha(char c) const { return IsCharAlphaA(c) != FALSE; }
bool TMxWin32CharClass::IsLower(char c) const { return IsCharLowerA(c) != FALSE; }
bool TMxWin32CharClass::IsUpper(char c) const { return IsCharUpperA(c) != FALSE; }
bool TMxWin32CharClass::IsAlphaNumeric(char c) const { return IsCharAlphaNumericA(c) != FALSE; }

char TMxWin32CharClass::ToUpper(char c) const {
  char buffer[2] = {c, '\0'};
  CharUpperBuffA(buffer, 1);
  return buffer[0];
}

char TMxWin32CharClass::ToLower(char c) const {
  char buffer[2] = {c, '\0'};
  CharLowerBuffA(buffer, 1);
  return buffer[0];
}

void TMxWin32CharClass::OemRoundTrip(std::string& text) const {
  if (text.empty() || text.size() > 0xFFFFFFFFu) {
    return;
  }
  const DWORD n = static_cast<DWORD>(text.size());
  CharToOemBuffA(text.data(), text.data(), n);
  OemToCharBuffA(text.data(), text.data(), n);
}

const TMxWin32CharClass& TMxWin32CharClass::Instance() {
  static const TMxWin32CharClass instance;
  return instance;
}
