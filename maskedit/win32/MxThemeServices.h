#pragma once
// TMxThemeServices: the platform's visual-styles library, bound at run time (it may be
// missing), and a hidden window that hears theme changes. Drawing calls ask the theme test
// first and do nothing when no platform theme is in use.
#include "framework/win32/Handles.h"
#include "framework/win32/UtilityWindow.h"
#include "maskedit/look/MxThemeInUse.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TWinControl;

class TMxThemeServices {
public:
  static TMxThemeServices& Instance();

  // Whether the platform reports visual styles and this application is themed.
  bool StylesAvailable() const;
  bool AppThemed() const;
  // The theme test for a control (0: none, 1: platform visual styles).
  int ThemeInUse(TMxThemeMode mode, bool globalMode) const;

  // Visual-style drawing; each returns false (and draws nothing) without a theme.
  bool DrawElement(HWND hwnd, const wchar_t* themeClass, int part, int state, HDC dc, const RECT& rect) const;
  bool ContentRect(HWND hwnd, const wchar_t* themeClass, int part, int state, HDC dc, const RECT& rect,
                   RECT& content) const;
  bool DrawParentBackground(HWND hwnd, HDC dc, const RECT& rect) const;

  // The hidden window that hears WM_THEMECHANGED, made here if the start-up timer has not
  // made it yet.
  HWND UtilityWindow();

  // The controls told of a theme change by the edit family's own message (MXM_THEMECHANGED):
  // each TMxCustomControl is one from its construction to its destruction.
  static void AddClient(const TWinControl* control);
  static void RemoveClient(const TWinControl* control);

private:
  TMxThemeServices();
  ~TMxThemeServices();
  // The open theme data of a class (null when the theme has none).
  HANDLE Theme(HWND hwnd, const wchar_t* themeClass) const;
  void CloseThemes();
  void ThemeChanged();
  // Makes the listening window; a theme change it missed meanwhile is taken up then.
  void EnsureWindow();
  using TIsThemeActive = BOOL(WINAPI*)();
  using TOpenThemeData = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using TCloseThemeData = HRESULT(WINAPI*)(HANDLE);
  using TDrawThemeBackground = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using TGetThemeBackgroundContentRect = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);
  using TDrawThemeParentBackground = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

  TModuleHandle FLibrary;
  TIsThemeActive FIsThemeActive = nullptr;
  TIsThemeActive FIsAppThemed = nullptr;
  TOpenThemeData FOpenThemeData = nullptr;
  TCloseThemeData FCloseThemeData = nullptr;
  TDrawThemeBackground FDrawThemeBackground = nullptr;
  TGetThemeBackgroundContentRect FGetThemeBackgroundContentRect = nullptr;
  TDrawThemeParentBackground FDrawThemeParentBackground = nullptr;
  bool FActive = false;
  std::unique_ptr<TUtilityWindow> FWindow;
  mutable std::vector<std::pair<std::wstring, HANDLE>> FThemes;
};
