#pragma once
// TMxWin32CharClass: character classes and case mapping of the ANSI code page, as the
// platform defines them for the current locale.
#include "maskedit/MxEditPorts.h"

class TMxWin32CharClass final : public IMxCharClass {
public:
  bool IsAlpha(char c) const override;
  bool IsLower(char c) const override;
  bool IsUpper(char c) const override;
  bool IsAlphaNumeric(char c) const override;
  char ToUpper(char c) const override;
  char ToLower(char c) const override;
  void OemRoundTrip(std::string& text) const override;
  static const TMxWin32CharClass& Instance();
};
