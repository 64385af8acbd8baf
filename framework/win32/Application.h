#pragma once
// TApplication: the process's one application object. It holds the title (the caption of
// every message box), knows the forms and the main form, and runs the message loop, which
// ends when the main form is destroyed. The loop handles the keyboard's form navigation
// itself: Tab and Shift+Tab walk the form's tab order, and Alt+letter runs the matching
// button's click handler without moving the focus.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TForm;

class TApplication {
public:
  static TApplication& Instance();

  const std::string& Title() const { return FTitle; }
  void SetTitle(std::string title) { FTitle = std::move(title); }

  // The form whose destruction ends the message loop (null: none, or it is gone).
  TForm* MainForm() const;
  void SetMainForm(TForm* form);
  // Every form that exists (TForm::All).
  const std::vector<TForm*>& Forms() const;

  // Minimising and restoring the whole application: every handler added runs (the newest
  // first), then the main form's window is minimised or restored. A handler is removed by the
  // number it was added under, whichever order handlers come and go in.
  using THandlerId = std::uint64_t;
  THandlerId AddStateHandlers(std::function<void()> onMinimize, std::function<void()> onRestore);
  void RemoveStateHandlers(THandlerId id);
  void Minimize();
  void Restore();

  // Runs until WM_QUIT; returns its exit code.
  int Run();
  // Handles the messages waiting now, as the loop would; returns false after WM_QUIT.
  bool ProcessMessages();
  // Tab and Alt+letter for the form that holds msg's window. True when handled (the message
  // must then not be dispatched).
  bool PreTranslate(const MSG& msg);

  // A modal message box centred on the screen: caption = Title, the text, no icon, one "OK"
  // (unless other flags are given). Owned by the active form.
  int ShowMessage(const std::string& text, UINT flags = MB_OK);

  // Shows an unexpected error raised inside an event handler; the program goes on. The
  // callback guard (framework/GuardedCall.h) reports here once the application exists.
  void HandleException(const char* what) noexcept;
  // The text HandleException shows instead of the error's own (which then goes to the
  // debugger's output); empty shows the error's own text.
  void SetErrorText(std::string text) { FErrorText = std::move(text); }

private:
  TApplication();
  TForm* FormOf(HWND hwnd) const;

  struct TStateHandlers {
    THandlerId Id;
    std::function<void()> OnMinimize, OnRestore;
  };
  void RunStateHandlers(bool minimize);

  std::string FTitle;
  std::string FErrorText;
  bool FReporting = false;
  std::vector<TStateHandlers> FStateHandlers;
  THandlerId FNextHandlerId = 1;
};
