// A framed window with every caption button, for trying the window states, the system menu and
// the tray by hand: `skform_demo` in the flat theme, `skform_demo classic` in the platform's
// look. Built with the tests; not part of the program that ships.
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  SkStartThemeServices();
  SkRegisterFormComponents();
  if (std::strstr(commandLine, "classic") == nullptr) {
    TskThemeManager::Instance().SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  }
  TForm form("TFormDemo");
  const std::string error = form.LoadFromText(
      "TFormDemo D {\n  Caption = \"Bingkai Tabira: semua tombol\"\n  Left = 200\n  Top = 150\n"
      "  ClientWidth = 420\n  ClientHeight = 260\n"
      "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiHelp, "
      "kbiRollup, kbiTray]\n  }\n}\n");
  if (!error.empty()) {
    MessageBoxA(nullptr, error.c_str(), "skform_demo", MB_ICONSTOP);
    return 1;
  }
  form.Show();
  return TApplication::Instance().Run();
}
