#include "maskedit/win32/MxThemeServices.h"

#include "framework/win32/Application.h"
#include "framework/win32/CallLater.h"
#include "framework/win32/Form.h"
#include "maskedit/MxApplication.h"
#include "maskedit/win32/MxMessages.h"

#include <unordered_set>

namespace {

constexpr UINT kListenDelayMs = 200;

template <class F>
F Bind(HMODULE module, const char* name) {
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

std::unordered_set<const TWinControl*>& Clients() {
  // Never freed: it must outlive every control, also those destroyed while the program
  // exits, after the other statics are gone.
  static auto* clients = new std::unordered_set<const TWinControl*>;
  return *clients;
}

void ForEachControl(TWinControl& parent, const std::function<void(TWinControl&)>& visit) {
  for (TWinControl* child : parent.Controls()) {
    visit(*child);
    ForEachControl(*child, visit);
  }
}

} // namespace

TMxThemeServices& TMxThemeServices::Instance() {
  static TMxThemeServices services;
  return services;
}

TMxThemeServices::TMxThemeServices() : FLibrary(LoadLibraryA("uxtheme.dll")) {
  HMODULE m = FLibrary.Get();
  FIsThemeActive = Bind<TIsThemeActive>(m, "IsThemeActive");
  FIsAppThemed = Bind<TIsThemeActive>(m, "IsAppThemed");
  FOpenThemeData = Bind<TOpenThemeData>(m, "OpenThemeData");
  FCloseThemeData = Bind<TCloseThemeData>(m, "CloseThemeData");
  FDrawThemeBackground = Bind<TDrawThemeBackground>(m, "DrawThemeBackground");
  FGetThemeBackgroundContentRect = Bind<TGetThemeBackgroundContentRect>(m, "GetThemeBackgroundContentRect");
  FDrawThemeParentBackground = Bind<TDrawThemeParentBackground>(m, "DrawThemeParentBackground");
  if (!FIsThemeActive || !FIsAppThemed || !FOpenThemeData || !FCloseThemeData || !FDrawThemeBackground) {
    // A partial library is no library.
    FIsThemeActive = nullptr;
  }
  FActive = FIsThemeActive && FIsThemeActive();
  // The listening window is a top-level window, whose making costs the first paint some
  // milliseconds: it is made once the message loop runs.
  if (!CallLater(kListenDelayMs, [] { Instance().EnsureWindow(); })) {
    EnsureWindow();
  }
}

void TMxThemeServices::EnsureWindow() {
  if (FWindow) {
    return;
  }
  // WM_THEMECHANGED is sent to top-level windows; a message-only window would not hear it.
  FWindow = std::make_unique<TUtilityWindow>(
      [this](UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (msg != WM_THEMECHANGED) {
          return false;
        }
        ThemeChanged();
        result = 0;
        return true;
      },
      TUtilityWindow::TKind::TopLevel);
  if (const bool active = FIsThemeActive && FIsThemeActive(); active != FActive) {
    ThemeChanged();
  }
}

HWND TMxThemeServices::UtilityWindow() {
  EnsureWindow();
  return FWindow ? FWindow->Handle() : nullptr;
}

bool TMxThemeServices::StylesAvailable() const { return FActive; }

bool TMxThemeServices::AppThemed() const { return FIsAppThemed && FIsAppThemed(); }

int TMxThemeServices::ThemeInUse(TMxThemeMode mode, bool globalMode) const {
  const TMxApplication& app = MxApplication();
  TMxThemeInputs in;
  in.ThemeMode = mode;
  in.ThemeGlobalMode = globalMode;
  in.GlobalThemeMode = app.ThemeMode;
  in.UseXPThemes = app.UseXPThemes;
  in.StylesAvailable = StylesAvailable();
  in.AppThemed = in.StylesAvailable && AppThemed();
  in.NativeProviderActive = false; // no native provider is registered in this program
  return ::ThemeInUse(in);
}

bool TMxThemeServices::DrawElement(HWND hwnd, const wchar_t* themeClass, int part, int state, HDC dc,
                                   const RECT& rect) const {
  if (!FActive) {
    return false;
  }
  HANDLE theme = Theme(hwnd, themeClass);
  return theme && SUCCEEDED(FDrawThemeBackground(theme, dc, part, state, &rect, nullptr));
}

bool TMxThemeServices::ContentRect(HWND hwnd, const wchar_t* themeClass, int part, int state, HDC dc,
                                   const RECT& rect, RECT& content) const {
  if (!FActive || !FGetThemeBackgroundContentRect) {
    return false;
  }
  HANDLE theme = Theme(hwnd, themeClass);
  return theme && SUCCEEDED(FGetThemeBackgroundContentRect(theme, dc, part, state, &rect, &content));
}

HANDLE TMxThemeServices::Theme(HWND hwnd, const wchar_t* themeClass) const {
  // One handle per theme class, kept until the theme changes: opening the class data for
  // every frame drawn costs more than the drawing. No control sets a theme of its own, so
  // the handle is the same whichever window asks first.
  for (const auto& [name, theme] : FThemes) {
    if (name == themeClass) {
      return theme;
    }
  }
  HANDLE theme = FOpenThemeData(hwnd, themeClass);
  if (theme) {
    FThemes.emplace_back(themeClass, theme);
  }
  return theme;
}

void TMxThemeServices::CloseThemes() {
  for (const auto& entry : FThemes) {
    FCloseThemeData(entry.second);
  }
  FThemes.clear();
}

TMxThemeServices::~TMxThemeServices() { CloseThemes(); }

bool TMxThemeServices::DrawParentBackground(HWND hwnd, HDC dc, const RECT& rect) const {
  if (!FActive || !FDrawThemeParentBackground) {
    return false;
  }
  return SUCCEEDED(FDrawThemeParentBackground(hwnd, dc, &rect));
}

void TMxThemeServices::AddClient(const TWinControl* control) { Clients().insert(control); }

void TMxThemeServices::RemoveClient(const TWinControl* control) { Clients().erase(control); }

void TMxThemeServices::ThemeChanged() {
  CloseThemes();
  FActive = FIsThemeActive && FIsThemeActive();
  if (!FActive && !FIsThemeActive) {
    return;
  }
  std::vector<TForm*> forms = TApplication::Instance().Forms();
  for (TForm* form : forms) {
    if (form->HandleAllocated()) {
      SendMessageA(form->Handle(), MXM_THEMECHANGED, 0, 0);
    }
  }
  for (TForm* form : forms) {
    if (!form->HandleAllocated() || !IsWindowVisible(form->Handle())) {
      continue;
    }
    ForEachControl(*form, [](TWinControl& c) {
      if (c.HandleAllocated() && Clients().count(&c) != 0) {
        SendMessageA(c.Handle(), MXM_THEMECHANGED, 0, 0);
      }
    });
    if (!MxApplication().NotifyOnlyControls) {
      SendMessageA(form->Handle(), WM_THEMECHANGED, 0, 0);
    }
  }
}
