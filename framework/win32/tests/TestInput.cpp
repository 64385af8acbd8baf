#include "framework/win32/tests/TestInput.h"

#include "framework/win32/Application.h"
#include "framework/win32/Handles.h"

namespace {

// The pause between two looks at the queue: long enough to leave the processor to the
// platform (which delivers the input), short enough not to slow the tests down.
constexpr DWORD kPollMs = 5;

LONG Absolute(LONG at, int metric) {
  const LONG last = GetSystemMetrics(metric) - 1;
  return last > 0 ? (at * 65535 + last / 2) / last : 0;
}

} // namespace

void PumpPending() { TApplication::Instance().ProcessMessages(); }

void Pump(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  do {
    PumpPending();
    Sleep(kPollMs);
  } while (GetTickCount64() < end);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpPending();
    if (done()) {
      return true;
    }
    if (GetTickCount64() >= end) {
      return false;
    }
    Sleep(kPollMs);
  }
}

POINT AbsoluteMousePoint(POINT screen) {
  return POINT{Absolute(screen.x, SM_CXSCREEN), Absolute(screen.y, SM_CYSCREEN)};
}

void SendMouse(DWORD flags, POINT screen, DWORD data) {
  const POINT at = AbsoluteMousePoint(screen);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in.mi.mouseData = data;
  in.mi.dx = at.x;
  in.mi.dy = at.y;
  SendInput(1, &in, sizeof in);
}

void SendMouseButtons(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

void SendKeyPress(WORD vk, WORD modifier) {
  if (modifier) {
    SendKey(modifier, false);
  }
  SendKey(vk, false);
  SendKey(vk, true);
  if (modifier) {
    SendKey(modifier, true);
  }
}

void SendChar(char c) {
  INPUT in[2]{};
  for (int i = 0; i < 2; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wScan = static_cast<unsigned char>(c);
    in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
  }
  SendInput(2, in, sizeof in[0]);
}

TObjectCounts CountGuiObjects() {
  TObjectCounts counts{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                       GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
  if (counts.Gdi != 0) {
    return counts;
  }
  for (UINT_PTR h = 1; h < 0x10000; ++h) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(h))) {
      ++counts.Gdi;
    }
  }
  for (UINT_PTR h = 2; h < 0x10000; h += 2) {
    if (IsWindow(reinterpret_cast<HWND>(h)) || IsMenu(reinterpret_cast<HMENU>(h))) {
      ++counts.User;
      continue;
    }
    ICONINFO info{};
    if (GetIconInfo(reinterpret_cast<HICON>(h), &info)) {
      const TBitmapHandle mask(info.hbmMask), colour(info.hbmColor); // the copies GetIconInfo made
      ++counts.User;
    }
  }
  return counts;
}

std::string WindowText(HWND h) {
  const LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  SendMessageA(h, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(n));
  return s;
}

std::pair<int, int> EditSelection(HWND h) {
  DWORD start = 0, end = 0;
  SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}
