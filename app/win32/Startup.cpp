#include "app/win32/Startup.h"

#include "app/TabiraTexts.h"
#include "app/ThemeChoice.h"
#include "app/win32/ThemeMenu.h"
#include "app/win32/ThemedClient.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/WideText.h"
#include "maskedit/win32/MxLocaleWin32.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "skins/SfFileThemes.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include "visualstyles/win32/VsModule.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

void RegisterTabiraClasses() {
  TApplication::Instance().SetTitle("Tabira");
  RegisterMxControls();
  // The built-in themes; the window's theme engine makes the flat one current.
  SkStartThemeServices();
  // The client area follows the current theme where it offers the control families.
  InstallTabiraClientPainter();
  // Themes read from files, for the theme named on the command line.
  SfRegisterFileThemes(TskThemeManager::Instance());
  VsRegisterThemeClass();
  // The window's skinned frame.
  SkRegisterFormComponents();
}

namespace {

// What failed, for a developer watching the debugger's output.
void TellDebugger(const std::string& detail) {
  OutputDebugStringW(WideFromText("Tabira: " + detail + "\n").c_str());
}

} // namespace

int RunTabira(std::optional<std::string_view> layout, const std::vector<std::string>& args) {
  TApplication& app = TApplication::Instance();
  app.SetErrorText(kTabiraUnexpectedErrorText);
  try {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The amount fields read the user's locale once, as the program starts.
    static const TMxThreadLocaleSource locale;
    MxSetLocaleSource(&locale);
    RegisterTabiraClasses();
    // A theme file named on the command line that cannot be used is reported once; the window
    // keeps its flat theme. Without an argument the user's stored choice is used.
    TTabiraStartTheme theme = TabiraStartTheme(args);
    if (!theme.FailedFile.empty()) {
      app.ShowMessage(TabiraThemeFailureText(theme.FailedFile), MB_OK | MB_ICONWARNING);
    }

    auto form = std::make_unique<TfrTabira>();
    std::string error = layout ? form->LoadFromText(*layout) : form->Load();
    if (!error.empty()) {
      TellDebugger("the window layout is damaged: " + error);
      app.ShowMessage(kTabiraLayoutDamagedText, MB_OK | MB_ICONERROR);
      return 1;
    }
    InstallTabiraThemeMenu(*form);
    if (theme.Theme) {
      TskThemeManager::Instance().SetCurrentTheme(std::move(theme.Theme));
    }
    app.SetMainForm(form.get());
    form->Show();
    return app.Run();
  } catch (const std::exception& e) {
    TellDebugger(std::string("start-up failed: ") + e.what());
    app.ShowMessage(kTabiraStartFailedText, MB_OK | MB_ICONERROR);
    return 1;
  } catch (...) {
    TellDebugger("start-up failed");
    app.ShowMessage(kTabiraStartFailedText, MB_OK | MB_ICONERROR);
    return 1;
  }
}
