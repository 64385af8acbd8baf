// A framed window with every caption button, for trying the window states, the system menu and
// the tray by hand: `skform_demo` in the flat theme, `skform_demo classic` in the platform's
// look. With `animate` the window appears through a fade; its button "Muncul lagi" hides it and
// shows it again through the next of three effects (fade, circle, push). Built with the tests;
// not part of the program that ships.
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/CallLater.h"
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
      "kbiRollup, kbiTray]\n    Animation.EffectKind = \"Fade\"\n    Animation.Time = 600\n  }\n"
      "  TButton Again {\n    Caption = \"Muncul lagi\"\n    Left = 16\n    Top = 16\n    Width = 120\n"
      "    Height = 28\n  }\n}\n");
  if (!error.empty()) {
    MessageBoxA(nullptr, error.c_str(), "skform_demo", MB_ICONSTOP);
    return 1;
  }
  auto* frame = dynamic_cast<TSkForm*>(form.FindComponent("SkForm1"));
  auto* again = dynamic_cast<TWinControl*>(form.FindComponent("Again"));
  if (frame && again) {
    frame->Animation().SetEnabled(std::strstr(commandLine, "animate") != nullptr);
    again->OnClick = [&form, frame](TComponent*) {
      static const char* const kEffects[] = {"Fade", "CircleSlideOut", "Push"};
      static int next = 1;
      frame->Animation().SetEffectKind(kEffects[next]);
      frame->Animation().SetDirection(next == 2 ? kdRotate180 : kdNone);
      frame->Animation().SetEnabled(true);
      next = (next + 1) % 3;
      ShowWindow(form.Handle(), SW_HIDE);
      // Shown again once the screen behind it has been painted: that is what the transition
      // starts from.
      if (!CallLater(300, [&form] { form.Show(); })) {
        form.Show();
      }
    };
  }
  form.Show();
  return TApplication::Instance().Run();
}
