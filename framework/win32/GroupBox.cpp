#include "framework/win32/GroupBox.h"

#include "framework/AccessibleNames.h"
#include "framework/win32/Canvas.h"
#include "framework/win32/ControlPainter.h"

TGroupBox::TGroupBox(TWinControl* parent) : TWinControl(parent) {}

bool TGroupBox::AccessibleFacts(TAccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_GROUPING;
  facts.Name = AccessibleWide(AccessibleText(Caption()));
  AddAccessibleLabels(facts);
  return true;
}

void TGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "Tabira.GroupBox";
  params.Style |= WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

namespace {
// The visual style's group box frame, when a style is active for this program: drawn through
// the theme library loaded on first use (a system without one keeps the etched frame).
bool DrawStyledFrame(HWND window, HDC dc, const RECT& frame, bool enabled) {
  using TIsActive = BOOL(WINAPI*)();
  using TOpen = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using TClose = HRESULT(WINAPI*)(HANDLE);
  using TDraw = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  struct TThemeLibrary {
    TIsActive IsThemeActive = nullptr, IsAppThemed = nullptr;
    TOpen Open = nullptr;
    TClose Close = nullptr;
    TDraw Draw = nullptr;
    TThemeLibrary() {
      if (HMODULE m = LoadLibraryA("uxtheme.dll")) {
        IsThemeActive =
            reinterpret_cast<TIsActive>(reinterpret_cast<void*>(GetProcAddress(m, "IsThemeActive")));
        IsAppThemed = reinterpret_cast<TIsActive>(reinterpret_cast<void*>(GetProcAddress(m, "IsAppThemed")));
        Open = reinterpret_cast<TOpen>(reinterpret_cast<void*>(GetProcAddress(m, "OpenThemeData")));
        Close = reinterpret_cast<TClose>(reinterpret_cast<void*>(GetProcAddress(m, "CloseThemeData")));
        Draw = reinterpret_cast<TDraw>(reinterpret_cast<void*>(GetProcAddress(m, "DrawThemeBackground")));
      }
    }
  };
  static const TThemeLibrary lib;
  if (!lib.IsThemeActive || !lib.IsAppThemed || !lib.Open || !lib.Close || !lib.Draw ||
      !lib.IsThemeActive() || !lib.IsAppThemed()) {
    return false;
  }
  HANDLE theme = lib.Open(window, L"BUTTON");
  if (!theme) {
    return false;
  }
  constexpr int BpGroupBox = 4, GbsNormal = 1, GbsDisabled = 2;
  const bool drawn =
      SUCCEEDED(lib.Draw(theme, dc, BpGroupBox, enabled ? GbsNormal : GbsDisabled, &frame, nullptr));
  lib.Close(theme);
  return drawn;
}
} // namespace

void TGroupBox::Paint(TCanvas& canvas) {
  canvas.SetFontHandle(FontHandle(), Font().Color);
  RECT client = ClientRect();
  SIZE text = canvas.TextExtent(Caption().empty() ? std::string_view("0") : std::string_view(Caption()));
  RECT frame{client.left, client.top + text.cy / 2, client.right, client.bottom};
  if (IControlPainter* painter = ControlPainter();
      painter && painter->PaintGroupBox(*this, canvas.Handle(), frame, {8, 0, 8 + text.cx, text.cy})) {
    return;
  }
  if (!DrawStyledFrame(Handle(), canvas.Handle(), frame, IsWindowEnabled(Handle()) != FALSE)) {
    canvas.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
  }
  if (Caption().empty()) {
    return;
  }
  RECT label{8, 0, 8 + text.cx, text.cy};
  canvas.FillRect(label, Color());
  canvas.DrawText(Caption(), label, DT_LEFT | DT_TOP | DT_SINGLELINE);
}
