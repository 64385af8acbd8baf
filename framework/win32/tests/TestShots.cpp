#include "framework/win32/tests/TestShots.h"

#include "framework/win32/Handles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

TScreenShot GrabScreen(const RECT& screen) {
  TScreenShot shot;
  shot.Width = screen.right - screen.left;
  shot.Height = screen.bottom - screen.top;
  if (shot.Width <= 0 || shot.Height <= 0) {
    return shot;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.Width;
  info.bmiHeader.biHeight = -shot.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const TWindowDC source(nullptr);
  TBitmapHandle dib(CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TMemoryDC memory(CreateCompatibleDC(source.Get()));
  if (!dib || !memory) {
    return shot;
  }
  {
    const TSelectGuard select(memory.Get(), dib.Get());
    BitBlt(memory.Get(), 0, 0, shot.Width, shot.Height, source.Get(), screen.left, screen.top, SRCCOPY);
  }
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  shot.Pixels.reserve(static_cast<std::size_t>(shot.Width) * shot.Height);
  for (int i = 0; i < shot.Width * shot.Height; ++i) {
    shot.Pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
  }
  return shot;
}

TScreenShot GrabWindow(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return GrabScreen(r);
}

TScreenShot GrabClient(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return GrabScreen(r);
}

bool SaveShot(const char* name, int width, int height, const std::uint32_t* pixels) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER head{};
  head.biSize = sizeof head;
  head.biWidth = width;
  head.biHeight = -height; // rows from the top
  head.biPlanes = 1;
  head.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof head;
  file.bfSize = file.bfOffBits + bytes;
  const char* dir = std::getenv("TABIRA_SHOT_DIR");
  // A run in one look (TABIRA_LOOK) keeps its shots apart from the other's: "name_classic.bmp".
  std::string file_name = name;
  if (const char* look = std::getenv("TABIRA_LOOK"); look && *look) {
    const std::size_t dot = file_name.rfind('.');
    file_name.insert(dot == std::string::npos ? file_name.size() : dot, std::string("_") + look);
  }
  const std::string path = std::string(dir ? dir : ".") + "\\" + file_name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    return false;
  }
  bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&head, sizeof head, 1, f) == 1 &&
            (bytes == 0 || std::fwrite(pixels, bytes, 1, f) == 1);
  return std::fclose(f) == 0 && ok;
}

bool SaveShot(const char* name, const TScreenShot& shot) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(shot.Pixels.size());
  for (COLORREF c : shot.Pixels) {
    pixels.push_back((static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c));
  }
  return SaveShot(name, shot.Width, shot.Height, pixels.data());
}
