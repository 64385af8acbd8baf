// Starts tabira.exe as a user would and checks its window from outside.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string ExeBesideThisTest(const char* name) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1) + name;
}

struct FoundWindow {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lparam) {
  auto* f = reinterpret_cast<FoundWindow*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == f->pid && IsWindowVisible(hwnd)) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWindowOf(DWORD pid, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 20) {
    FoundWindow f{pid, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&f));
    if (f.hwnd) {
      return f.hwnd;
    }
    Sleep(20);
  }
  return nullptr;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lparam) {
  reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(hwnd);
  return TRUE;
}

} // namespace

TEST(TabiraExe, OpensItsWindowAndClosesCleanly) {
  std::string exe = ExeBesideThisTest("tabira.exe");
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << "cannot start " << exe;

  HWND hwnd = WaitForWindowOf(pi.dwProcessId, 15000);
  ASSERT_NE(hwnd, nullptr) << "tabira.exe showed no window";

  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, " Tabira 1.0");
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right - client.left, 377);
  EXPECT_EQ(client.bottom - client.top, 476);

  // The stored layout was read: all 16 windowed controls are there (the 10 labels are painted
  // by their containers), among them the HITUNG button.
  std::vector<HWND> children;
  EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&children));
  int buttons = 0;
  bool hitung = false;
  for (HWND child : children) {
    char cls[32] = {}, text[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(cls, "Button") == 0) {
      ++buttons;
      hitung = hitung || std::string(text) == "&HITUNG";
    }
  }
  EXPECT_EQ(children.size(), 16u);
  EXPECT_EQ(buttons, 4);
  EXPECT_TRUE(hitung);

  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0) << "tabira.exe did not exit";
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}
