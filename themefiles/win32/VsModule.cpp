#include "themefiles/win32/VsModule.h"

#include "theme/SkThemeManager.h"

#include <windows.h>

#include <memory>

namespace {

std::wstring Wide(const std::string& s) {
  if (s.empty()) {
    return {};
  }
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), int(s.size()), nullptr, 0);
  if (n <= 0) {
    // Not UTF-8: the program's code page.
    const int m = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring out(std::size_t(m > 0 ? m : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), out.data(), m);
    return out;
  }
  std::wstring out(std::size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), out.data(), n);
  return out;
}

// A resource id: "#n" is the number n, anything else a name.
struct TResId {
  std::wstring Text;
  LPCWSTR Id = nullptr;
  explicit TResId(const std::string& name) {
    if (name.size() > 1 && name[0] == '#') {
      Id = MAKEINTRESOURCEW(std::stoul(name.substr(1)) & 0xFFFF);
    } else {
      Text = Wide(name);
      Id = Text.c_str();
    }
  }
};

class TModuleSource : public IVsResourceSource {
public:
  explicit TModuleSource(HMODULE module) : FModule(module) {}
  ~TModuleSource() override { FreeLibrary(FModule); }
  TModuleSource(const TModuleSource&) = delete;
  TModuleSource& operator=(const TModuleSource&) = delete;

  std::span<const std::uint8_t> Find(const std::string& type, const std::string& name) override {
    if (name.size() > 1 && name[0] == '#' && name.find_first_not_of("0123456789", 1) != std::string::npos) {
      return {};
    }
    const TResId t(type), n(name);
    HRSRC info = FindResourceW(FModule, n.Id, t.Id);
    if (!info) {
      return {};
    }
    const DWORD size = SizeofResource(FModule, info);
    HGLOBAL loaded = LoadResource(FModule, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) {
      return {};
    }
    return {static_cast<const std::uint8_t*>(bytes), size};
  }

private:
  HMODULE FModule;
};

std::unique_ptr<IVsResourceSource> OpenModule(const std::string& fileName, std::string& error) {
  const std::wstring path = Wide(fileName);
  HMODULE module =
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) {
    module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  if (!module) {
    error = "cannot open " + fileName + " as a module (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::make_unique<TModuleSource>(module);
}

} // namespace

void VsUseModuleFiles() { TSkThemeMsStyles::SetModuleOpener(&OpenModule); }

void VsRegisterThemeClass() {
  VsUseModuleFiles();
  TskThemeManager::Instance().RegisterThemeClass(SkThemeClassOf<TSkThemeMsStyles>());
}

TvsLoadResult SkLoadVisualStyle(const std::string& fileName) {
  VsUseModuleFiles();
  return VsLoadThemeFile(fileName);
}
