#pragma once
// The small interfaces through which the platform-free edit engine reaches its window.
//
// The Win32 control implements them; tests use recording fakes. Every pointer the engine
// holds to one of them may be null, which means "no window yet": paint and caret requests
// are dropped, the clipboard holds no text, nothing has the focus.
#include <string>
#include <string_view>

class IMxEditView {
public:
  virtual ~IMxEditView() = default;
  // Redraw background, text and selection now (the engine has already checked that it is
  // not updating or loading).
  virtual void PaintText() = 0;
  // Scroll to the caret and place the platform caret.
  virtual void UpdateCaret() = 0;
  // Invalidate the whole control (frame included).
  virtual void Invalidate() = 0;
  virtual bool Focused() const = 0;
  virtual bool WindowExists() const = 0;
  // Ask for the focus back (a failed focus-loss check). The window layer decides how the
  // two focus changes are ordered.
  virtual void RequestFocus() = 0;
  // Move the focus to the next control of the window (Enter with TabOnEnter).
  virtual void FocusNextControl() = 0;
};

// Plain text clipboard (8-bit, the ANSI code page).
class IMxClipboard {
public:
  virtual ~IMxClipboard() = default;
  virtual bool HasText() const = 0;
  virtual std::string GetText() const = 0;
  virtual void SetText(std::string_view text) = 0;
};

// Character classification and case mapping of the ANSI code page.
class IMxCharClass {
public:
  virtual ~IMxCharClass() = default;
  virtual bool IsAlpha(char c) const = 0;
  virtual bool IsLower(char c) const = 0;
  virtual bool IsUpper(char c) const = 0;
  virtual bool IsAlphaNumeric(char c) const { return IsAlpha(c) || (c >= '0' && c <= '9'); }
  virtual char ToUpper(char c) const = 0;
  virtual char ToLower(char c) const = 0;
  // Converts text to the OEM code page and back, in place.
  virtual void OemRoundTrip(std::string& text) const { (void)text; }
};

// The ASCII rules; the default when no platform classification is installed.
class TMxAsciiCharClass final : public IMxCharClass {
public:
  bool IsAlpha(char c) const override { return IsLower(c) || IsUpper(c); }
  bool IsLower(char c) const override { return c >= 'a' && c <= 'z'; }
  bool IsUpper(char c) const override { return c >= 'A' && c <= 'Z'; }
  char ToUpper(char c) const override { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
  char ToLower(char c) const override { return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
  static const TMxAsciiCharClass& Instance() {
    static const TMxAsciiCharClass instance;
    return instance;
  }
};

// Today and now as day counts (days since 30 December 1899; the fraction is the time).
class IMxClock {
public:
  virtual ~IMxClock() = default;
  virtual double Now() const = 0;
};
