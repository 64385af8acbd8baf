#include "app/win32/tests/TabiraDriver.h"

#include "framework/win32/WideText.h"
#include "framework/win32/tests/TestInput.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

const char kInternational[] = "Control Panel\\International";

std::string ExeBesideThisTest(const char* name) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1) + name;
}

struct TFind {
  DWORD Pid;
  HWND Found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lparam) {
  auto* f = reinterpret_cast<TFind*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (pid == f->Pid && IsWindowVisible(hwnd) && std::string(caption) == " Tabira 1.0") {
    f->Found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM lparam) {
  auto* f = reinterpret_cast<TFind*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == f->Pid && IsWindowVisible(hwnd) && std::string(cls) == "#32770") {
    f->Found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct TChildBounds {
  HWND Parent;
  RECT Want;
  HWND Found;
};

BOOL CALLBACK FindChildAt(HWND hwnd, LPARAM lparam) {
  auto* f = reinterpret_cast<TChildBounds*>(lparam);
  if (GetParent(hwnd) != f->Parent) {
    return TRUE;
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, f->Parent, reinterpret_cast<POINT*>(&r), 2);
  if (EqualRect(&r, &f->Want)) {
    f->Found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct TPlace {
  const char* Name;
  int Box; // 0: the window itself, else the group box number
  int Left, Top, Width, Height;
};

// Where the calculator's fields and buttons stand (pixels, relative to their container).
constexpr TPlace kPlaces[] = {
    {"edUangTunai", 2, 240, 24, 113, 21},  {"edTabungan", 2, 240, 48, 113, 21},
    {"edPiutang", 2, 240, 72, 113, 21},    {"edEmasPerak", 2, 240, 96, 113, 21},
    {"edLain2", 2, 240, 120, 113, 21},     {"edTotalHarta", 2, 240, 155, 113, 21},
    {"btJumlah", 2, 144, 153, 83, 25},     {"EdHrgEmas", 1, 240, 24, 112, 21},
    {"EdNishab", 1, 240, 76, 112, 21},     {"BtHitungNsb", 1, 144, 74, 83, 25},
    {"edNilaiZakat", 3, 240, 25, 112, 21}, {"btHitung", 0, 48, 424, 75, 25},
    {"btReset", 0, 256, 424, 75, 25},
};
constexpr RECT kGroupBoxes[] = {
    {8, 240, 8 + 361, 240 + 105}, {8, 40, 8 + 361, 40 + 185}, {8, 357, 8 + 361, 357 + 57}};

// The absolute position of a window's centre on the screen.
POINT CentreOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TCurrencyDigitsOverride::TCurrencyDigitsOverride(const char* digits) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternational, 0, KEY_READ | KEY_WRITE, &opened) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot open the international settings");
  }
  const TRegistryKey key(opened);
  char old[16] = {};
  DWORD size = sizeof old - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key.Get(), "iCurrDigits", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
          ERROR_SUCCESS &&
      type == REG_SZ) {
    FOld = std::string(old);
  }
  RegSetValueExA(key.Get(), "iCurrDigits", 0, REG_SZ, reinterpret_cast<const BYTE*>(digits),
                 static_cast<DWORD>(std::strlen(digits) + 1));
}

TCurrencyDigitsOverride::~TCurrencyDigitsOverride() {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternational, 0, KEY_WRITE, &opened) != ERROR_SUCCESS) {
    return;
  }
  const TRegistryKey key(opened);
  if (FOld) {
    RegSetValueExA(key.Get(), "iCurrDigits", 0, REG_SZ, reinterpret_cast<const BYTE*>(FOld->c_str()),
                   static_cast<DWORD>(FOld->size() + 1));
  } else {
    RegDeleteValueA(key.Get(), "iCurrDigits");
  }
}

TChildProcess::TChildProcess(const std::string& exe, const std::string& args) {
  // Started wide, so that UTF-8 arguments outside the system code page arrive whole.
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::wstring wideExe = WideFromText(exe);
  std::wstring line = L"\"" + wideExe + L"\" " + WideFromText(args);
  if (!CreateProcessW(wideExe.c_str(), args.empty() ? nullptr : line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    throw std::runtime_error("cannot start " + exe);
  }
  FProcess.Reset(pi.hProcess);
  FThread.Reset(pi.hThread);
  FId = pi.dwProcessId;
}

TChildProcess::~TChildProcess() {
  if (Running()) {
    WaitForExit(0);
  }
}

DWORD TChildProcess::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(FProcess.Get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(FProcess.Get(), 99);
    WaitForSingleObject(FProcess.Get(), 5000);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(FProcess.Get(), &code);
  return code;
}

std::string TabiraExePath() { return ExeBesideThisTest("tabira.exe"); }

std::string ProgramBesideThisTest(const char* name) { return ExeBesideThisTest(name); }

TTabiraDriver::TTabiraDriver(const std::string& args) : FProcess(ExeBesideThisTest("tabira.exe"), args) {
  // A throw from here on leaves through FProcess's destructor, which ends the program.
  const bool shown = WaitUntil(
      [this] {
        TFind f{FProcess.Id(), nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&f));
        FWindow = f.Found;
        return FWindow != nullptr;
      },
      15000);
  if (!shown) {
    throw std::runtime_error("tabira.exe showed no window");
  }
  FThread = GetWindowThreadProcessId(FWindow, nullptr);
  WaitForInputIdle(FProcess.Process(), 5000);

  HWND boxes[4] = {FWindow, nullptr, nullptr, nullptr};
  for (int i = 0; i < 3; ++i) {
    const RECT& r = kGroupBoxes[i];
    boxes[i + 1] = ChildAt(FWindow, r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  for (const TPlace& p : kPlaces) {
    HWND parent = boxes[p.Box];
    HWND control = parent ? ChildAt(parent, p.Left, p.Top, p.Width, p.Height) : nullptr;
    if (control) {
      FControls[p.Name] = control;
    }
  }
  SetForegroundWindow(FWindow);
  Settle();
}

TTabiraDriver::~TTabiraDriver() {
  if (FProcess.Running()) {
    Close();
  }
}

DWORD TTabiraDriver::Close() {
  // Open message boxes are answered first; each may be followed by another.
  (void)WaitUntil(
      [this] {
        HWND box = MessageBoxWindow();
        if (box) {
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        return box == nullptr;
      },
      5000);
  PostMessageA(FWindow, WM_CLOSE, 0, 0);
  return FProcess.WaitForExit(10000);
}

HWND TTabiraDriver::ChildAt(HWND parent, int left, int top, int width, int height) const {
  TChildBounds f{parent, {left, top, left + width, top + height}, nullptr};
  EnumChildWindows(parent, FindChildAt, reinterpret_cast<LPARAM>(&f));
  return f.Found;
}

HWND TTabiraDriver::Control(const std::string& name) const {
  auto it = FControls.find(name);
  return it == FControls.end() ? nullptr : it->second;
}

std::string TTabiraDriver::Text(const std::string& name) const {
  HWND hwnd = Control(name);
  if (!hwnd) {
    return "<no control " + name + ">";
  }
  char buffer[256] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      5000, &n);
  return std::string(buffer, n);
}

HWND TTabiraDriver::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(FThread, &info);
  return info.hwndFocus;
}

void TTabiraDriver::Settle() const {
  // Input travels through the server's queue before the program sees it: wait, then make
  // sure the program's thread has come back to its message loop twice.
  for (int i = 0; i < 2; ++i) {
    Sleep(40);
    DWORD_PTR ignored;
    SendMessageTimeoutA(FWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  }
}

void TTabiraDriver::Click(const std::string& name) {
  HWND hwnd = Control(name);
  if (!hwnd) {
    throw std::runtime_error("no control " + name);
  }
  const POINT centre = CentreOf(hwnd);
  SendMouse(0, centre);
  SendMouse(MOUSEEVENTF_LEFTDOWN, centre);
  SendMouse(MOUSEEVENTF_LEFTUP, centre);
  Settle();
}

void TTabiraDriver::Press(WORD vk, WORD modifier) {
  SendKeyPress(vk, modifier);
  Settle();
}

void TTabiraDriver::Type(const std::string& keys) {
  for (char c : keys) {
    if (c == '\t') {
      SendKeyPress(VK_TAB);
      continue;
    }
    if (c == '\b') {
      SendKeyPress(VK_BACK);
      continue;
    }
    const SHORT scan = VkKeyScanA(c);
    SendKeyPress(LOBYTE(scan), (HIBYTE(scan) & 1) != 0 ? VK_SHIFT : 0);
  }
  Settle();
}

void TTabiraDriver::SelectAllIn(const std::string& name) {
  Click(name);
  Press(VK_HOME);
  Press(VK_END, VK_SHIFT);
}

void TTabiraDriver::Replace(const std::string& name, const std::string& keys) {
  SelectAllIn(name);
  Type(keys);
}

HWND TTabiraDriver::MessageBoxWindow() const {
  TFind f{FProcess.Id(), nullptr};
  EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&f));
  return f.Found;
}

std::optional<TTabiraDriver::TMessage> TTabiraDriver::WaitForMessage(DWORD timeoutMs) const {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = MessageBoxWindow()) != nullptr; }, timeoutMs)) {
    return std::nullopt;
  }
  char caption[64] = {};
  GetWindowTextA(box, caption, sizeof caption);
  char text[512] = {};
  GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
  return TMessage{caption, text};
}

void TTabiraDriver::DismissMessage() {
  HWND box = MessageBoxWindow();
  if (!box) {
    return;
  }
  SendMessageTimeoutA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
  (void)WaitUntil([this] { return MessageBoxWindow() == nullptr; }, 2000);
  Settle();
}
