#include "framework/win32/WideText.h"

#include <windows.h>

#include <shellapi.h>

std::wstring WideFromText(const std::string& text) {
  if (text.empty() || text.size() > 0x7FFFFFFF) {
    return {};
  }
  const int size = int(text.size());
  UINT codePage = CP_UTF8;
  int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (n <= 0) {
    codePage = CP_ACP;
    n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  }
  if (n <= 0) {
    return std::wstring(text.size(), L'?');
  }
  std::wstring out(std::size_t(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), n);
  return out;
}

std::string TextFromWide(const std::wstring& text) {
  if (text.empty() || text.size() > 0x3FFFFFFF) {
    return {};
  }
  const int size = int(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) {
    return {};
  }
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) {
    return args;
  }
  for (int i = 1; i < count; ++i) {
    args.push_back(TextFromWide(argv[i]));
  }
  LocalFree(argv);
  return args;
}
