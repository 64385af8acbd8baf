#include "app/win32/ThemeMenu.h"

#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "menus/SkItem.h"
#include "theme/SkThemeManager.h"

#include <windows.h>

#include <shlobj.h>

namespace {

constexpr const wchar_t* kSettingsKey = L"Software\\Tabira";
constexpr const wchar_t* kThemeValue = L"Tema";

std::string Utf8(const std::wstring& s) {
  if (s.empty()) {
    return {};
  }
  const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(n > 0 ? n : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), int(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& s) {
  if (s.empty()) {
    return {};
  }
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring out(std::size_t(n > 0 ? n : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), out.data(), n);
  return out;
}

// Calls `each` with the full path of every plain file in `folder` matching `pattern`.
template <typename F>
void ForEachFile(const std::wstring& folder, const wchar_t* pattern, DWORD wanted, F each) {
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    return;
  }
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") {
      continue;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == wanted) {
      each(folder + L"\\" + name);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

std::vector<std::string> SkinsIn(const std::wstring& folder) {
  std::vector<std::string> skins;
  const TskThemeManager& manager = TskThemeManager::Instance();
  ForEachFile(folder, L"*", 0, [&](const std::wstring& path) {
    const std::string file = Utf8(path);
    if (manager.FindThemeClassForFile(file)) {
      skins.push_back(file);
    }
  });
  return skins;
}

// A style in the format the reader knows carries its name lists as resources; opening the
// module as data and looking them up costs no more than the directory walk.
bool ReadableStyle(const std::wstring& path) {
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    return false;
  }
  bool known = true;
  for (const wchar_t* list : {L"COLORNAMES", L"SIZENAMES", L"FILERESNAMES"}) {
    known = known && FindResourceW(module, MAKEINTRESOURCEW(1), list) != nullptr;
  }
  FreeLibrary(module);
  return known;
}

std::vector<std::string> PlatformStyles() {
  std::vector<std::string> styles;
  wchar_t windows[MAX_PATH]{};
  const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) {
    return styles;
  }
  ForEachFile(std::wstring(windows) + L"\\Resources\\Themes", L"*", FILE_ATTRIBUTE_DIRECTORY,
              [&](const std::wstring& folder) {
                ForEachFile(folder, L"*.msstyles", 0, [&](const std::wstring& path) {
                  if (ReadableStyle(path)) {
                    styles.push_back(Utf8(path));
                  }
                });
              });
  return styles;
}

void FillThemeMenu(TSkItem& menu) {
  menu.Clear();
  const std::vector<TTabiraThemeEntry> entries = TabiraThemeEntries(FindTabiraThemes());
  const int current =
      TabiraThemeEntryIndex(entries, TabiraThemeValue(TskThemeManager::Instance().CurrentTheme()));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto item = std::make_unique<TSkItem>();
    item->Caption = Wide(TabiraMenuCaption(entries[i].Name));
    item->Checked = int(i) == current;
    item->OnClick = [value = entries[i].Value](TSkItem&) { UseTabiraTheme(value); };
    menu.Add(std::move(item));
  }
}

} // namespace

std::wstring TabiraProgramThemeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) {
      return {};
    }
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return (slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash)) + L"\\Tema";
}

std::wstring TabiraUserThemeFolder() {
  wchar_t data[MAX_PATH]{};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data))) {
    return {};
  }
  return std::wstring(data) + L"\\Tabira\\Tema";
}

TTabiraFoundThemes FindTabiraThemes() {
  TTabiraFoundThemes found;
  found.ProgramSkins = SkinsIn(TabiraProgramThemeFolder());
  if (const std::wstring user = TabiraUserThemeFolder(); !user.empty()) {
    found.UserSkins = SkinsIn(user);
  }
  found.Styles = PlatformStyles();
  return found;
}

std::optional<std::string> ReadStoredTabiraTheme() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::string> value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, kThemeValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
      size <= 64 * 1024) {
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = DWORD(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, kThemeValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) ==
        ERROR_SUCCESS) {
      text.resize(wcsnlen(text.c_str(), text.size()));
      value = Utf8(text);
    }
  }
  RegCloseKey(key);
  return value;
}

void StoreTabiraTheme(const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return; // not remembered; the look still changes for this run
  }
  const std::wstring text = Wide(value);
  RegSetValueExW(key, kThemeValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 DWORD((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void ForgetStoredTabiraTheme() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, kThemeValue);
    RegCloseKey(key);
  }
}

TTabiraStartTheme TabiraStartTheme(const std::vector<std::string>& args) {
  const std::optional<std::string> stored = ReadStoredTabiraTheme();
  TTabiraStartTheme start =
      ChooseTabiraStartTheme(args, stored ? &*stored : nullptr, TskThemeManager::Instance());
  if (start.ForgetStored) {
    ForgetStoredTabiraTheme();
  }
  return start;
}

bool UseTabiraTheme(const std::string& value) {
  TskThemeManager& manager = TskThemeManager::Instance();
  const std::vector<TTabiraThemeEntry> one{{TabiraThemeValue(manager.CurrentTheme()), {}}};
  if (TabiraThemeEntryIndex(one, value) == 0) {
    StoreTabiraTheme(value);
    return false;
  }
  TTabiraThemeChoice choice = ChooseTabiraTheme({value}, manager);
  if (!choice.Theme) {
    TApplication::Instance().ShowMessage(TabiraThemeFailureText(value), MB_OK | MB_ICONWARNING);
    return false;
  }
  // Every skinned window and themed control hears of the change and draws itself again.
  manager.SetCurrentTheme(std::move(choice.Theme));
  StoreTabiraTheme(value);
  return true;
}

void AddTabiraThemeMenu(TSkItem& root) {
  auto menu = std::make_unique<TSkItem>();
  menu->Caption = L"&Tampilan";
  menu->OnBeforeDropDown = FillThemeMenu;
  int at = root.Count();
  for (int i = 0; i < root.Count(); ++i) {
    if (root.Items(i)->IsSeparator()) {
      at = i;
      break;
    }
  }
  root.Insert(at, std::move(menu));
}

void InstallTabiraThemeMenu(TForm& window) {
  for (std::size_t i = 0; i < window.ComponentCount(); ++i) {
    if (auto* frame = dynamic_cast<TSkDefaultForm*>(window.Components(i))) {
      frame->OnBuildSystemMenu = AddTabiraThemeMenu;
    }
  }
}
