#pragma once
// TApplication: the process's one application object. It holds the title (the caption of
// every message box), knows the forms and the main form, and runs the message loop, which
// ends when the main form is destroyed. The loop handles the keyboard's form navigation
// itself: Tab and Shift+Tab walk the form's tab order, and Alt+letter runs the matching
// button's click handler without moving the focus.
#include <windows.h>

#include <string>
#include <vector>

class TForm;

class TApplication {
public:
  static TApplication& Instance();

  const std::string& Title() const { return FTitle; }
  void SetTitle(std::string title) { FTitle = std::move(title); }

  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { FMainForm = form; }
  const std::vector<TForm*>& Forms() const { return FForms; }

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

  // Shows an unexpected error raised inside an event handler; the program goes on.
  void HandleException(const char* what) noexcept;

  // Every TForm registers itself while it exists.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

private:
  TApplication() = default;
  TForm* FormOf(HWND hwnd) const;

  std::string FTitle;
  TForm* FMainForm = nullptr;
  std::vector<TForm*> FForms;
  bool FReporting = false;
};

// For window procedures: reports an exception through the application.
void ReportException(const char* what) noexcept;
