#include "framework/win32/Application.h"

#include "framework/win32/WideText.h"

#include "framework/GuardedCall.h"
#include "framework/win32/Form.h"
#include "framework/win32/Handles.h"

#include <algorithm>

namespace {

// Centres the next dialog window this thread activates on the screen of its owner (the
// platform would place a message box over its owner).
thread_local HHOOK tCentreHook = nullptr;

void CentreDialog(int code, WPARAM wparam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wparam);
    char cls[16] = {};
    GetClassNameA(box, cls, sizeof cls);
    if (std::string(cls) == "#32770") {
      RECT r{};
      GetWindowRect(box, &r);
      MONITORINFO mi{};
      mi.cbSize = sizeof mi;
      HWND owner = GetWindow(box, GW_OWNER);
      GetMonitorInfoA(MonitorFromWindow(owner ? owner : box, MONITOR_DEFAULTTOPRIMARY), &mi);
      const RECT& screen = mi.rcMonitor;
      int w = r.right - r.left, h = r.bottom - r.top;
      SetWindowPos(box, nullptr, screen.left + (screen.right - screen.left - w) / 2,
                   screen.top + (screen.bottom - screen.top - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

LRESULT CALLBACK CentreOnScreen(int code, WPARAM wparam, LPARAM lparam) {
  GuardedCall([&] { CentreDialog(code, wparam); });
  return CallNextHookEx(tCentreHook, code, wparam, lparam);
}

} // namespace

TApplication& TApplication::Instance() {
  static TApplication application;
  return application;
}

TApplication::TApplication() {
  SetExceptionReporter([](const char* what) noexcept { Instance().HandleException(what); });
}

TForm* TApplication::MainForm() const {
  for (TForm* form : TForm::All()) {
    if (form->EndsProgram()) {
      return form;
    }
  }
  return nullptr;
}

void TApplication::SetMainForm(TForm* form) {
  for (TForm* f : TForm::All()) {
    f->SetEndsProgram(f == form);
  }
}

const std::vector<TForm*>& TApplication::Forms() const { return TForm::All(); }

TForm* TApplication::FormOf(HWND hwnd) const {
  HWND top = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  for (TForm* form : TForm::All()) {
    if (form->Handle() == top && top) {
      return form;
    }
  }
  return nullptr;
}

bool TApplication::PreTranslate(const MSG& msg) {
  // A handler that refused or failed has used the key all the same.
  return GuardedCall(true, [&] {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0) {
      TForm* form = FormOf(msg.hwnd);
      TWinControl* control = TWinControl::FromHandle(msg.hwnd);
      if (!form || (control && control->WantsTab())) {
        return false;
      }
      return form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
    }
    if (msg.message == WM_SYSCHAR) {
      TForm* form = FormOf(msg.hwnd);
      return form && form->HandleAccelerator(static_cast<char>(msg.wParam));
    }
    return false;
  });
}

bool TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for Run
      return false;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

TApplication::THandlerId TApplication::AddStateHandlers(std::function<void()> onMinimize,
                                                        std::function<void()> onRestore) {
  const THandlerId id = FNextHandlerId++;
  FStateHandlers.push_back({id, std::move(onMinimize), std::move(onRestore)});
  return id;
}

void TApplication::RemoveStateHandlers(THandlerId id) {
  std::erase_if(FStateHandlers, [id](const TStateHandlers& h) { return h.Id == id; });
}

void TApplication::RunStateHandlers(bool minimize) {
  // By number, newest first: a handler may add or remove handlers (a form closing as it
  // minimises), and one removed meanwhile is not run.
  std::vector<THandlerId> ids;
  for (auto h = FStateHandlers.rbegin(); h != FStateHandlers.rend(); ++h) {
    ids.push_back(h->Id);
  }
  for (THandlerId id : ids) {
    auto h = std::find_if(FStateHandlers.begin(), FStateHandlers.end(),
                          [id](const TStateHandlers& x) { return x.Id == id; });
    if (h == FStateHandlers.end()) {
      continue;
    }
    const std::function<void()> run = minimize ? h->OnMinimize : h->OnRestore;
    if (run) {
      GuardedCall(run);
    }
  }
}

void TApplication::Minimize() {
  RunStateHandlers(true);
  if (TForm* main = MainForm(); main && main->HandleAllocated() && !IsIconic(main->Handle())) {
    ShowWindow(main->Handle(), SW_MINIMIZE);
  }
}

void TApplication::Restore() {
  RunStateHandlers(false);
  if (TForm* main = MainForm(); main && main->HandleAllocated() && IsIconic(main->Handle())) {
    ShowWindow(main->Handle(), SW_RESTORE);
  }
}

int TApplication::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

int TApplication::ShowMessage(const std::string& text, UINT flags) {
  HWND owner = nullptr;
  if (TForm* form = FormOf(GetActiveWindow())) {
    owner = form->Handle();
  } else if (TForm* main = MainForm(); main && main->HandleAllocated()) {
    owner = main->Handle();
  }
  HHOOK previous = tCentreHook;
  tCentreHook = SetWindowsHookExA(WH_CBT, CentreOnScreen, nullptr, GetCurrentThreadId());
  THookHandle hook(tCentreHook);
  // Wide, so that a file name outside the system code page shows as it is.
  int result = MessageBoxW(owner, WideFromText(text).c_str(), WideFromText(FTitle).c_str(), flags);
  hook.Reset();
  tCentreHook = previous;
  return result;
}

void TApplication::HandleException(const char* what) noexcept {
  if (FReporting) {
    return; // an error while showing an error: do not stack boxes
  }
  FReporting = true;
  try {
    if (FErrorText.empty()) {
      ShowMessage(what ? what : "unknown error", MB_OK | MB_ICONERROR);
    } else {
      OutputDebugStringW(WideFromText(std::string(what ? what : "unknown error") + "\n").c_str());
      ShowMessage(FErrorText, MB_OK | MB_ICONERROR);
    }
  } catch (...) {
  }
  FReporting = false;
}
