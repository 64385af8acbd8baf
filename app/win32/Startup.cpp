#include "app/win32/Startup.h"

#include "app/ThemeChoice.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "maskedit/win32/MxLocaleWin32.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkThemeServices.h"
#include "themefiles/SfFileThemes.h"

#include <windows.h>

#include "themefiles/win32/VsModule.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

void RegisterTabiraClasses() {
  TApplication::Instance().SetTitle("Tabira");
  RegisterMxControls();
  // The built-in themes; the window's theme engine makes the flat one current.
  SkStartThemeServices();
  // Themes read from files, for the theme named on the command line.
  SfRegisterFileThemes(TskThemeManager::Instance());
  VsRegisterThemeClass();
  // The window's skinned frame.
  SkRegisterFormComponents();
}

int RunTabira(std::optional<std::string_view> layout, const std::vector<std::string>& args) {
  TApplication& app = TApplication::Instance();
  try {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The amount fields read the user's locale once, as the program starts.
    static const TMxThreadLocaleSource locale;
    MxSetLocaleSource(&locale);
    RegisterTabiraClasses();
    // A theme file that cannot be used is reported once; the window keeps its flat theme.
    TTabiraThemeChoice theme = ChooseTabiraTheme(args, TskThemeManager::Instance());
    if (!theme.FailedFile.empty()) {
      app.ShowMessage(TabiraThemeFailureText(theme.FailedFile), MB_OK | MB_ICONWARNING);
    }

    auto form = std::make_unique<TfrTabira>();
    std::string error = layout ? form->LoadFromText(*layout) : form->Load();
    if (!error.empty()) {
      app.ShowMessage("Tabira cannot start: its window layout is damaged.\n\n" + error, MB_OK | MB_ICONERROR);
      return 1;
    }
    if (theme.Theme) {
      TskThemeManager::Instance().SetCurrentTheme(std::move(theme.Theme));
    }
    app.SetMainForm(form.get());
    form->Show();
    return app.Run();
  } catch (const std::exception& e) {
    app.ShowMessage(std::string("Tabira cannot start: ") + e.what(), MB_OK | MB_ICONERROR);
    return 1;
  }
}
