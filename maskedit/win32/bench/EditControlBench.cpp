// Side-by-side timing of TMxMaskEdit and the platform's own EDIT control in one run:
// 10,000 typed characters (WM_CHAR, each followed by its repaint) into a currency field
// and at the end of a 100 KB text, and 10,000 drag moves with the left button held over a
// 10,000-character text. Prints the times per operation and the ratio ours / platform
// (lower is better). A side that has not finished after 60 seconds stops there and is
// reported per operation done.
#include "framework/win32/Application.h"
#include "framework/win32/Form.h"
#include "framework/win32/tests/TestInput.h"
#include "maskedit/values/MxLocale.h"
#include "maskedit/win32/MxMaskEdit.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr double kCapSeconds = 60;

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Seconds(const std::function<void()>& run) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  run();
  QueryPerformanceCounter(&b);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Seconds per operation, best of three runs, each after prepare(); run returns the number
// of operations it did.
double Best(const std::function<void()>& prepare, const std::function<int()>& run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    prepare();
    PumpPending();
    int done = 0;
    const double s = Seconds([&] { done = run(); });
    best = std::min(best, s / std::max(1, done));
    if (s > kCapSeconds / 3) {
      break; // one slow run says enough
    }
  }
  return best;
}

int TypeChars(HWND h, int count, bool resetEvery10) {
  const double start = Now();
  for (int i = 0; i < count; ++i) {
    if (Now() - start > kCapSeconds) {
      return i;
    }
    if (resetEvery10 && i % 10 == 0) {
      SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    }
    SendMessageA(h, WM_CHAR, static_cast<WPARAM>('1' + i % 9), 1);
    UpdateWindow(h);
  }
  return count;
}

int Drag(HWND h, int moves) {
  const double start = Now();
  RECT r{};
  GetClientRect(h, &r);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 8));
  for (int k = 0; k < moves; ++k) {
    if (Now() - start > kCapSeconds) {
      SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(4, 8));
      return k;
    }
    const int x = 4 + (k * 7) % std::max<LONG>(1, r.right - 8);
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 8));
    UpdateWindow(h);
  }
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(4, 8));
  return moves;
}

void Report(const char* name, double ours, double platform) {
  std::printf("%-40s ours %9.1f us/op   platform %9.1f us/op   ratio %.2f\n", name, ours * 1e6,
              platform * 1e6, ours / platform);
  std::fflush(stdout);
}

} // namespace

int main() {
  static const TMxFixedLocaleSource locale{TMxLocaleValues::Indonesian()};
  MxSetLocaleSource(&locale);
  RegisterMxControls();
  TForm form("TBench");
  const std::string error = form.LoadFromText(R"LAYOUT(TBench F {
  Left = 50
  Top = 50
  ClientWidth = 300
  ClientHeight = 120
  Font.Name = "MS Sans Serif"
  Font.Height = -11
  TMxMaskEdit Amount {
    Left = 8
    Top = 8
    Width = 113
    Height = 21
    Alignment = taRightJustify
    Bevel.Mode = bmWindows
    CurrencySettings.SystemDefaults = cmUser
    CurrencySettings.PositiveFormatStr = "\xA41,1"
    CurrencySettings.NegativeFormatStr = "(\xA41,1)"
    CurrencySettings.Symbol = " "
    Decimals = 0
    MaskType = meCurrency
    Value = 0
  }
  TMxMaskEdit Plain {
    Left = 8
    Top = 40
    Width = 200
    Height = 21
    Bevel.Mode = bmWindows
    MaskType = meNone
  }
})LAYOUT");
  if (!error.empty()) {
    std::printf("layout: %s\n", error.c_str());
    return 1;
  }
  form.Show();
  HWND amount = dynamic_cast<TWinControl*>(form.FindComponent("Amount"))->Handle();
  HWND plain = dynamic_cast<TWinControl*>(form.FindComponent("Plain"))->Handle();
  auto native = [&](DWORD style, int top, int width) {
    HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style, 8,
                             top, width, 21, form.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(h, WM_SETFONT, SendMessageA(amount, WM_GETFONT, 0, 0), TRUE);
    SendMessageA(h, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    return h;
  };
  HWND nativeAmount = native(ES_RIGHT, 72, 113);
  HWND nativePlain = native(0, 100, 200);
  PumpPending();

  const std::string big(100 * 1024, 'x');
  std::string tenK;
  for (int i = 0; i < 10000; ++i) {
    tenK += static_cast<char>('a' + i % 26);
  }

  auto focus = [](HWND h) {
    return [h] {
      SetFocus(h);
      SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    };
  };
  Report("10,000 WM_CHAR, currency field",
         Best(focus(amount), [&] { return TypeChars(amount, 10000, true); }),
         Best(focus(nativeAmount), [&] { return TypeChars(nativeAmount, 10000, true); }));

  auto loadBig = [&](HWND h) {
    return [&, h] {
      SetFocus(h);
      SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(big.c_str()));
      SendMessageA(h, EM_SETSEL, big.size(), big.size());
    };
  };
  Report("10,000 WM_CHAR at the end of 100 KB",
         Best(loadBig(plain), [&] { return TypeChars(plain, 10000, false); }),
         Best(loadBig(nativePlain), [&] { return TypeChars(nativePlain, 10000, false); }));

  auto loadTenK = [&](HWND h) {
    return [&, h] {
      SetFocus(h);
      SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tenK.c_str()));
      SendMessageA(h, EM_SETSEL, 5000, 5000);
    };
  };
  Report("10,000 drag moves over 10,000 chars", Best(loadTenK(plain), [&] { return Drag(plain, 10000); }),
         Best(loadTenK(nativePlain), [&] { return Drag(nativePlain, 10000); }));
  return 0;
}
