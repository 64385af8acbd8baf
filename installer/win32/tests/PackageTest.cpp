// The installer and the version resource, checked as an administrator deploying Tabira
// would: silent installs, an upgrade and silent uninstalls, seen through the file system,
// the registry and the shell. The installed program is started once in the classic look
// (no visual style in the test prefix) and closed again.
//
// Environment (set by installer/CMakeLists.txt, Linux paths): TABIRA_SETUP, the installer;
// TABIRA_EXE, the tabira.exe it was made from; TABIRA_SCRATCH, a folder the test may fill.
#include "version.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t kTabiraKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tabira";
constexpr DWORD kProcessLimitMs = 60000; // one installer or uninstaller run
constexpr DWORD kWindowLimitMs = 20000;  // the installed program showing its window
// The looks the packages put in the Tema folder beside tabira.exe.
constexpr const wchar_t* kShippedSkins[] = {L"Teal.mskn", L"Gelap.mskn"};
constexpr DWORD kUninstallLimitMs = 30000; // the uninstaller's copy finishing its work
constexpr DWORD kExitRefused = 2;          // the packages' code for "refused, nothing done"

std::wstring Widen(const char* s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) {
    MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
  }
  return w;
}

// A Linux path from the environment as Wine's Z: drive sees it.
std::wstring WinPathFromEnv(const char* name) {
  const char* v = std::getenv(name);
  if (v == nullptr || *v == '\0') {
    ADD_FAILURE() << name << " is not set";
    return L"";
  }
  std::wstring w = L"Z:" + Widen(v);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

std::wstring Lower(std::wstring s) {
  CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a command line and answers its exit code; a run past the limit is ended and fails.
DWORD RunProcess(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start: " << GetLastError();
    return ~DWORD{0};
  }
  DWORD code = ~DWORD{0};
  if (WaitForSingleObject(pi.hProcess, kProcessLimitMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &code);
  } else {
    ADD_FAILURE() << "still running after " << kProcessLimitMs << " ms";
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) {
      return false;
    }
    Sleep(100);
  }
  return true;
}

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

void ListTree(const std::wstring& dir, const std::wstring& prefix, bool deep,
              std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) {
    return;
  }
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") {
      continue;
    }
    out.push_back(prefix + name);
    if (deep && (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ListTree(dir + L"\\" + name, prefix + name + L"\\", deep, out);
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

void ListSubkeys(HKEY root, const wchar_t* path, const std::wstring& prefix, std::vector<std::wstring>& out) {
  HKEY key;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return;
  }
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD n = 256;
    if (RegEnumKeyExW(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    out.push_back(prefix + name);
  }
  RegCloseKey(key);
}

// Everything an installation may touch: the uninstall entries of both hives, the start
// menus and desktops of this user and of all users (their top level: the desktop may be a
// home folder under Wine), and the whole folder the test installs into.
std::vector<std::wstring> Snapshot(const std::wstring& installParent) {
  std::vector<std::wstring> s;
  ListSubkeys(HKEY_CURRENT_USER, kUninstallKey, L"HKCU:", s);
  ListSubkeys(HKEY_LOCAL_MACHINE, kUninstallKey, L"HKLM:", s);
  const std::pair<int, const wchar_t*> folders[] = {{CSIDL_PROGRAMS, L"programs:"},
                                                    {CSIDL_COMMON_PROGRAMS, L"common programs:"},
                                                    {CSIDL_DESKTOPDIRECTORY, L"desktop:"},
                                                    {CSIDL_COMMON_DESKTOPDIRECTORY, L"common desktop:"}};
  for (const auto& [csidl, label] : folders) {
    ListTree(ShellFolder(csidl), label, false, s);
  }
  ListTree(installParent, L"install:", true, s);
  std::sort(s.begin(), s.end());
  return s;
}

void RemoveTree(const std::wstring& dir) {
  std::vector<std::wstring> entries;
  ListTree(dir, L"", true, entries);
  // Deepest first, so that each folder is empty when its turn comes.
  std::sort(entries.rbegin(), entries.rend());
  for (const auto& e : entries) {
    const std::wstring path = dir + L"\\" + e;
    if (!DeleteFileW(path.c_str())) {
      RemoveDirectoryW(path.c_str());
    }
  }
  RemoveDirectoryW(dir.c_str());
}

std::wstring RegString(HKEY root, const wchar_t* value) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof buf - sizeof(wchar_t);
  if (RegGetValueW(root, kTabiraKey, value, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buf;
}

DWORD RegDword(HKEY root, const wchar_t* value) {
  DWORD v = 0;
  DWORD size = sizeof v;
  RegGetValueW(root, kTabiraKey, value, RRF_RT_REG_DWORD, nullptr, &v, &size);
  return v;
}

std::wstring ShortcutTarget(const std::wstring& lnk) {
  IShellLinkW* link = nullptr;
  std::wstring target = L"<none>";
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return target;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(lnk.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  link->Release();
  return target;
}

struct TFind {
  DWORD Pid;
  std::wstring Caption;
  HWND Found;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM lparam) {
  auto* f = reinterpret_cast<TFind*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t caption[64] = {};
  GetWindowTextW(hwnd, caption, 64);
  if (pid == f->Pid && IsWindowVisible(hwnd) && f->Caption == caption) {
    f->Found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The installed program, started as a user would and closed through its window.
class TRunningTabira {
public:
  // Starts the program and waits for its window.
  explicit TRunningTabira(const std::wstring& exe) {
    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &FProcess)) {
      ADD_FAILURE() << "cannot start the installed program: " << GetLastError();
      return;
    }
    TFind find{FProcess.dwProcessId, L" Tabira " + Widen(TABIRA_CAPTION_VERSION), nullptr};
    WaitUntil(
        [&] {
          EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&find));
          return find.Found != nullptr || WaitForSingleObject(FProcess.hProcess, 0) == WAIT_OBJECT_0;
        },
        kWindowLimitMs);
    FWindow = find.Found;
  }
  ~TRunningTabira() { Close(); }
  TRunningTabira(const TRunningTabira&) = delete;
  TRunningTabira& operator=(const TRunningTabira&) = delete;

  bool Shown() const { return FWindow != nullptr; }

  // Closes the window; answers the program's exit code (~0 when it had to be ended).
  DWORD Close() {
    if (FProcess.hProcess == nullptr) {
      return ~DWORD{0};
    }
    if (FWindow != nullptr) {
      PostMessageW(FWindow, WM_CLOSE, 0, 0);
    }
    DWORD code = ~DWORD{0};
    if (WaitForSingleObject(FProcess.hProcess, kWindowLimitMs) == WAIT_OBJECT_0) {
      GetExitCodeProcess(FProcess.hProcess, &code);
    } else {
      TerminateProcess(FProcess.hProcess, 1);
    }
    CloseHandle(FProcess.hThread);
    CloseHandle(FProcess.hProcess);
    FProcess = {};
    return code;
  }

private:
  PROCESS_INFORMATION FProcess{};
  HWND FWindow = nullptr;
};

// True when the program shows its window captioned " Tabira <major>.<minor>" and ends with
// code 0 when that window is closed.
bool StartsAndCloses(const std::wstring& exe) {
  TRunningTabira tabira(exe);
  EXPECT_TRUE(tabira.Shown()) << "no window captioned \" Tabira " << TABIRA_CAPTION_VERSION << "\"";
  const bool shown = tabira.Shown();
  const DWORD code = tabira.Close();
  EXPECT_EQ(code, 0u);
  return shown && code == 0;
}

class Package : public ::testing::Test {
protected:
  void SetUp() override {
    CoInitialize(nullptr);
    FSetup = WinPathFromEnv("TABIRA_SETUP");
    FExe = WinPathFromEnv("TABIRA_EXE");
    FTema = WinPathFromEnv("TABIRA_TEMA");
    // A parent folder of this run's own; the installation folder inside it is fresh.
    FParent = WinPathFromEnv("TABIRA_SCRATCH") + L"\\run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount());
    ASSERT_TRUE(SHCreateDirectoryExW(nullptr, FParent.c_str(), nullptr) == ERROR_SUCCESS);
    FKeep = FParent + L"-kept";
    ASSERT_TRUE(CreateDirectoryW(FKeep.c_str(), nullptr));
    ASSERT_TRUE(Exists(FSetup) && Exists(FExe));
    ForgetInterruptedRuns();
  }
  void TearDown() override {
    RemoveTree(FKeep);
    RemoveTree(FParent);
    CoUninitialize();
  }

  // A run stopped half-way leaves an installation registered in the prefix, and every
  // later "before" would include it: take away what such a run left in scratch.
  void ForgetInterruptedRuns() {
    const std::wstring scratch = Lower(WinPathFromEnv("TABIRA_SCRATCH"));
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      if (Lower(RegString(hive, L"InstallLocation")).rfind(scratch, 0) != 0) {
        continue;
      }
      RegDeleteKeyW(hive, kTabiraKey);
      for (int csidl :
           {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY}) {
        DeleteFileW((ShellFolder(csidl) + L"\\Tabira.lnk").c_str());
      }
    }
  }

  DWORD Install(const std::wstring& dir, const std::wstring& options = L"") {
    return RunProcess(L"\"" + FSetup + L"\" /S " + options + (options.empty() ? L"" : L" ") + L"/D=" + dir);
  }
  // Runs the uninstaller the way the list of installed programs does (it hands its work to
  // a copy of itself and returns), then waits until everything is back as before.
  bool UninstallAndWait(const std::wstring& dir, const std::vector<std::wstring>& before) {
    EXPECT_EQ(RunProcess(L"\"" + dir + L"\\uninstall.exe\" /S"), 0u);
    // Polled without listing the folder: a listing holds the folder open, and a folder held
    // open cannot be removed, so a listing poll races the uninstaller's last steps. The key
    // goes last, after the folder.
    auto keyGone = [](HKEY hive) {
      HKEY key = nullptr;
      if (RegOpenKeyExW(hive, kTabiraKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return true;
      }
      RegCloseKey(key);
      return false;
    };
    WaitUntil([&] { return !Exists(dir) && keyGone(HKEY_CURRENT_USER) && keyGone(HKEY_LOCAL_MACHINE); },
              kUninstallLimitMs);
    EXPECT_EQ(Snapshot(FParent), before);
    return Snapshot(FParent) == before;
  }
  // The checks every installation must pass, in the hive and start menu of its mode.
  void ExpectInstalled(const std::wstring& dir, HKEY hive, int programsFolder) {
    const std::wstring exe = dir + L"\\tabira.exe";
    EXPECT_TRUE(ReadFile(exe) == ReadFile(FExe)) << "the installed tabira.exe is not the built one";
    EXPECT_TRUE(Exists(dir + L"\\uninstall.exe"));
    for (const wchar_t* skin : kShippedSkins) {
      EXPECT_TRUE(ReadFile(dir + L"\\Tema\\" + skin) == ReadFile(FTema + L"\\" + skin))
          << "Tema\\" << skin << " is not the built skin";
    }
    EXPECT_EQ(Lower(ShortcutTarget(ShellFolder(programsFolder) + L"\\Tabira.lnk")), Lower(exe));
    const struct {
      const wchar_t* Name;
      std::wstring Want;
    } values[] = {
        {L"DisplayName", L"Tabira"},
        {L"DisplayVersion", Widen(TABIRA_VERSION)},
        {L"DisplayIcon", exe + L",0"},
        {L"InstallLocation", dir},
        {L"UninstallString", L"\"" + dir + L"\\uninstall.exe\""},
        {L"QuietUninstallString", L"\"" + dir + L"\\uninstall.exe\" /S"},
    };
    for (const auto& v : values) {
      EXPECT_EQ(RegString(hive, v.Name), v.Want) << v.Name;
    }
    // The size shown in the list of installed programs, in KiB: at least the program's.
    const DWORD kib = RegDword(hive, L"EstimatedSize");
    EXPECT_GE(kib, ReadFile(FExe).size() / 1024);
    EXPECT_LE(kib, 2 * ReadFile(FExe).size() / 1024 + 1024);
  }

  std::wstring FSetup, FExe, FTema, FParent, FKeep;
};

TEST(ProgramFile, CarriesItsVersionResource) {
  const std::wstring exe = WinPathFromEnv("TABIRA_EXE");
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, DWORD(TABIRA_VERSION_MAJOR << 16 | TABIRA_VERSION_MINOR));
  EXPECT_EQ(fixed->dwFileVersionLS, DWORD(TABIRA_VERSION_PATCH << 16));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));

  const struct {
    const wchar_t* Name;
    std::wstring Want;
  } strings[] = {
      {L"ProductName", L"Tabira"},
      {L"FileDescription", L"Penghitung Zakat Maal"},
      {L"FileVersion", Widen(TABIRA_VERSION)},
      {L"ProductVersion", Widen(TABIRA_VERSION)},
      {L"LegalCopyright", Widen(TABIRA_COPYRIGHT)},
      {L"OriginalFilename", L"tabira.exe"},
  };
  for (const auto& s : strings) {
    wchar_t* value = nullptr;
    std::wstring path = std::wstring(L"\\StringFileInfo\\042104B0\\") + s.Name;
    ASSERT_TRUE(VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &len)) << s.Name;
    EXPECT_EQ(std::wstring(value), s.Want) << s.Name;
  }
  EXPECT_NE(Widen(TABIRA_COPYRIGHT).find(L"\u00a9"), std::wstring::npos) << "the copyright sign survives";
}

// Install into a fresh folder, start the program, upgrade over it with a desktop shortcut,
// uninstall: the file system and the registry end as they began.
TEST_F(Package, SilentInstallUpgradeAndUninstallLeaveNothingBehind) {
  const auto before = Snapshot(FParent);
  const std::wstring dir = FParent + L"\\Tabira";

  ASSERT_EQ(Install(dir), 0u);
  ExpectInstalled(dir, HKEY_CURRENT_USER, CSIDL_PROGRAMS);
  EXPECT_FALSE(Exists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Tabira.lnk"))
      << "the desktop shortcut is optional";
  EXPECT_TRUE(StartsAndCloses(dir + L"\\tabira.exe"));

  // An upgrade over the first installation, this time with the desktop shortcut.
  ASSERT_EQ(Install(dir, L"/DESKTOP"), 0u);
  ExpectInstalled(dir, HKEY_CURRENT_USER, CSIDL_PROGRAMS);
  EXPECT_EQ(Lower(ShortcutTarget(ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Tabira.lnk")),
            Lower(dir + L"\\tabira.exe"));
  auto installed = Snapshot(FParent);
  EXPECT_EQ(std::count(installed.begin(), installed.end(), L"HKCU:Tabira"), 1);
  EXPECT_EQ(installed.size(), before.size() + 9)
      << "one key, two shortcuts, a folder with two files and a Tema folder with two skins";

  // The upgraded program starts; while it runs, the uninstaller (run in place) refuses and
  // removes nothing.
  {
    TRunningTabira running(dir + L"\\tabira.exe");
    ASSERT_TRUE(running.Shown());
    EXPECT_EQ(RunProcess(L"\"" + dir + L"\\uninstall.exe\" /S _?=" + dir), kExitRefused);
    EXPECT_EQ(Snapshot(FParent), installed);
    EXPECT_EQ(running.Close(), 0u);
  }

  const std::wstring copy = FKeep + L"\\uninstall-copy.exe";
  ASSERT_TRUE(CopyFileW((dir + L"\\uninstall.exe").c_str(), copy.c_str(), FALSE));
  ASSERT_TRUE(UninstallAndWait(dir, before));

  // The same uninstaller a second time (a copy of it, run in place) finds nothing to do.
  EXPECT_EQ(RunProcess(L"\"" + copy + L"\" /S _?=" + dir), kExitRefused);
  EXPECT_EQ(Snapshot(FParent), before);
}

// A skin the user put in the Tema folder is theirs: uninstalling takes the shipped skins and
// the program, and leaves that skin in its folder.
TEST_F(Package, UninstallLeavesSkinsTheUserAdded) {
  const auto before = Snapshot(FParent);
  const std::wstring dir = FParent + L"\\Tabira";
  ASSERT_EQ(Install(dir), 0u);
  ExpectInstalled(dir, HKEY_CURRENT_USER, CSIDL_PROGRAMS);
  const std::wstring added = dir + L"\\Tema\\Milik Saya.mskn";
  ASSERT_TRUE(CopyFileW((FTema + L"\\Gelap.mskn").c_str(), added.c_str(), FALSE));

  EXPECT_EQ(RunProcess(L"\"" + dir + L"\\uninstall.exe\" /S"), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir + L"\\uninstall.exe") && !Exists(dir + L"\\tabira.exe"); },
                        kUninstallLimitMs));
  // The uninstaller's copy ends with the registry key.
  EXPECT_TRUE(WaitUntil([&] { return RegString(HKEY_CURRENT_USER, L"DisplayName") == L"<missing>"; },
                        kUninstallLimitMs));
  for (const wchar_t* skin : kShippedSkins) {
    EXPECT_FALSE(Exists(dir + L"\\Tema\\" + skin)) << skin;
  }
  EXPECT_TRUE(ReadFile(added) == ReadFile(FTema + L"\\Gelap.mskn"));
  std::vector<std::wstring> left = Snapshot(FParent);
  EXPECT_EQ(left.size(), before.size() + 3) << "the folder, its Tema folder and the added skin";
  RemoveTree(dir);
  EXPECT_EQ(Snapshot(FParent), before);
}

// An uninstaller left over from an earlier installation must not take away a later one in
// another folder: it removes only the installation registered for its own folder.
TEST_F(Package, LeftoverUninstallerSparesAnotherInstallation) {
  const auto before = Snapshot(FParent);
  const std::wstring first = FParent + L"\\First", second = FParent + L"\\Second";
  ASSERT_EQ(Install(first), 0u);
  const std::wstring copy = FKeep + L"\\uninstall-first.exe";
  ASSERT_TRUE(CopyFileW((first + L"\\uninstall.exe").c_str(), copy.c_str(), FALSE));
  ASSERT_TRUE(UninstallAndWait(first, before));

  ASSERT_EQ(Install(second), 0u);
  const auto installed = Snapshot(FParent);
  EXPECT_EQ(RunProcess(L"\"" + copy + L"\" /S _?=" + first), kExitRefused);
  EXPECT_EQ(Snapshot(FParent), installed);
  ExpectInstalled(second, HKEY_CURRENT_USER, CSIDL_PROGRAMS);
  ASSERT_TRUE(UninstallAndWait(second, before));
}

// Folders no file can be written to are refused with exit code 2, and nothing is made.
TEST_F(Package, InstallerRefusesFoldersItCannotWrite) {
  const std::wstring plainFile = FParent + L"\\plain-file";
  std::ofstream(plainFile.c_str()) << "not a folder";
  const DWORD drives = GetLogicalDrives();
  wchar_t missing = L'\0';
  for (wchar_t d = L'Q'; d <= L'Y' && missing == L'\0'; ++d) {
    if (!(drives & (1u << (d - L'A')))) {
      missing = d;
    }
  }
  ASSERT_NE(missing, L'\0');
  const auto before = Snapshot(FParent);
  const struct {
    const char* Case;
    std::wstring Dir;
  } cases[] = {
      {"below a file", plainFile + L"\\Tabira"},
      {"deeper below a file", plainFile + L"\\a\\b\\Tabira"},
      {"on a drive that does not exist", std::wstring(1, missing) + L":\\Tabira"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Install(c.Dir), kExitRefused) << c.Case;
    EXPECT_EQ(Snapshot(FParent), before) << c.Case;
  }
}

// All users: the machine's hive and the common start menu, then nothing left.
TEST_F(Package, AllUsersInstallUsesTheMachineHive) {
  if (!IsUserAnAdmin()) {
    GTEST_SKIP() << "installing for all users needs administrator rights";
  }
  const auto before = Snapshot(FParent);
  const std::wstring dir = FParent + L"\\AllUsers";
  ASSERT_EQ(Install(dir, L"/ALLUSERS"), 0u);
  ExpectInstalled(dir, HKEY_LOCAL_MACHINE, CSIDL_COMMON_PROGRAMS);
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, L"InstallLocation"), L"<missing>");
  ASSERT_TRUE(UninstallAndWait(dir, before));
}

} // namespace
