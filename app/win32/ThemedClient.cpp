#include "app/win32/ThemedClient.h"

#include "framework/win32/ControlPainter.h"
#include "framework/win32/WideText.h"
#include "framework/win32/WinControl.h"
#include "theme/SkTheme.h"
#include "theme/SkThemeManager.h"
#include "theme/records/SkThemeFonts.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkGdiCanvas.h"

#include <windows.h>

namespace {

TskRect SkRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The theme's text colour for a font slot, as the platform takes it.
COLORREF TextColor(TskTheme& theme, TskFontIndex index) {
  TskFontDesc font;
  theme.AssignThemeFont(font, index, "");
  return TskCanvas::ToColorRef(font.Color);
}

// A caption in the control's own font and the theme's colour; "&" marks the accelerator.
void DrawCaption(const TWinControl& control, HDC dc, RECT r, COLORREF color, UINT format) {
  const int saved = SaveDC(dc);
  SelectObject(dc, control.FontHandle());
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = WideFromText(control.Caption());
  DrawTextW(dc, text.c_str(), int(text.size()), &r, format);
  RestoreDC(dc, saved);
}

class TTabiraClientPainter final : public IControlPainter {
public:
  bool PaintContainer(const TWinControl& container, HDC dc, const RECT& rect) override {
    TskTheme* theme = TabiraClientTheme();
    if (!theme || !theme->PanelAvailable(0, "")) {
      return false;
    }
    // The panel spans the whole container; only the asked part is drawn.
    TskGdiCanvas canvas(dc);
    canvas.PushClip(SkRect(rect));
    RECT client{};
    GetClientRect(container.Handle(), &client);
    theme->PaintPanel(0, canvas, "", SkRect(client));
    canvas.PopClip();
    return true;
  }

  bool LabelColor(const TWinControl& label, TColor& color) override {
    // A label in plain black or the default text colour takes the theme's, over the theme's
    // panel; a coloured one keeps its colour.
    TskTheme* theme = TabiraClientTheme();
    const TColor own = label.Font().Color;
    if (!theme || !theme->PanelAvailable(0, "") || (own != clWindowText && own != clBlack)) {
      return false;
    }
    TskFontDesc font;
    theme->AssignThemeFont(font, kfStaticTextNormal, "");
    color = font.Color;
    return true;
  }

  bool PaintGroupBox(const TWinControl& box, HDC dc, const RECT& frame, const RECT& label) override {
    TskTheme* theme = TabiraClientTheme();
    if (!theme || !theme->GroupBoxAvailable(0, "")) {
      return false;
    }
    const bool enabled = IsWindowEnabled(box.Handle()) != FALSE;
    {
      TskGdiCanvas canvas(dc);
      theme->PaintGroupBox(0, canvas, "", {SkRect(frame), SkRect(label), std::uint8_t(enabled ? 0 : 3)});
    }
    if (!box.Caption().empty()) {
      RECT r = label;
      DrawCaption(box, dc, r, TextColor(*theme, enabled ? kfGroupBoxTextNormal : kfGroupBoxTextDisabled),
                  DT_LEFT | DT_TOP | DT_SINGLELINE);
    }
    return true;
  }

  bool PaintEditFrame(const TWinControl&, HDC dc, const RECT& window, const RECT& client, bool enabled,
                      bool readOnly) override {
    TskTheme* theme = TabiraClientTheme();
    if (!theme || !theme->EditBoxAvailable(0, "")) {
      return false;
    }
    // The family's states: 0 normal, 3 disabled, 4 read-only. The client area stays the edit's.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    {
      TskGdiCanvas canvas(dc);
      theme->PaintEditBox(0, canvas, "", {SkRect(window), std::uint8_t(!enabled ? 3 : readOnly ? 4 : 0)});
    }
    RestoreDC(dc, saved);
    return true;
  }

  bool PaintsButtons() const override {
    TskTheme* theme = TabiraClientTheme();
    return theme && theme->ButtonAvailable(0, "");
  }

  void PaintButton(const TWinControl& button, const DRAWITEMSTRUCT& item) override {
    TskTheme* theme = TabiraClientTheme();
    if (!theme) {
      return;
    }
    // The family's states: 0 normal, 2 pressed, 3 disabled, 4 focused.
    std::uint8_t state = 0;
    TskFontIndex font = kfButtonTextNormal;
    if (item.itemState & ODS_DISABLED) {
      state = 3;
      font = kfButtonTextDisabled;
    } else if (item.itemState & ODS_SELECTED) {
      state = 2;
      font = kfButtonTextPressed;
    } else if (item.itemState & ODS_FOCUS) {
      state = 4;
      font = kfButtonTextFocused;
    }
    RECT r = item.rcItem;
    if (theme->ButtonTransparent(0, "")) {
      // What shows through is the container's.
      SendMessageW(GetParent(item.hwndItem), WM_PRINTCLIENT, WPARAM(item.hDC), PRF_CLIENT);
    }
    {
      TskGdiCanvas canvas(item.hDC);
      theme->PaintButton(0, canvas, "", {SkRect(r), state});
    }
    if (state == 2) {
      OffsetRect(&r, 1, 1);
    }
    DrawCaption(button, item.hDC, r, TextColor(*theme, font), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
      RECT focus = item.rcItem;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(item.hDC, &focus);
    }
  }
};

} // namespace

TskTheme* TabiraClientTheme() {
  TskTheme* theme = TskThemeManager::Instance().CurrentTheme();
  if (!theme || (theme->ThemeConfig().BuiltIn && theme->BuildingName() == "Flat")) {
    return nullptr;
  }
  return theme;
}

void InstallTabiraClientPainter() {
  static TTabiraClientPainter painter;
  SetControlPainter(&painter);
}
