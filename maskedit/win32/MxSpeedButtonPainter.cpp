#include "maskedit/win32/MxSpeedButtonPainter.h"

#include "framework/win32/Handles.h"
#include "maskedit/win32/MxThemeServices.h"

#include <algorithm>

namespace {
// Visual-style parts and states (vssym32.h values).
constexpr int BpPushButton = 1, TpButton = 1;
constexpr int StateNormal = 1, StateHot = 2, StatePressed = 3, StateDisabled = 4, ToolbarChecked = 5;

COLORREF Blend(COLORREF a, COLORREF b, int percentA) {
  const auto mix = [&](int ca, int cb) { return (ca * percentA + cb * (100 - percentA)) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
  const TBrushHandle brush(CreateSolidBrush(c));
  FillRect(dc, &r, brush.Get());
}

void Frame(HDC dc, const RECT& r, COLORREF c) {
  const TBrushHandle brush(CreateSolidBrush(c));
  FrameRect(dc, &r, brush.Get());
}

// A small down-pointing triangle centred in r.
void Arrow(HDC dc, const RECT& r, COLORREF c) {
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
  for (int row = 0; row < 3; ++row) {
    RECT line{cx - 2 + row, cy + row, cx + 3 - row, cy + row + 1};
    Fill(dc, line, c);
  }
}

bool DrawThemed(const TMxSpeedButton& b, const TMxButtonPaintContext& ctx, HDC dc, const RECT& r) {
  if (!ctx.Themed) {
    return false;
  }
  const TMxButtonFamily family = MxButtonFamily(b.Style);
  const bool push = family == TMxButtonFamily::Classic || family == TMxButtonFamily::Win40 ||
                    family == TMxButtonFamily::Combo;
  int state = StateNormal;
  switch (b.Look()) {
  case sblNormal: state = StateNormal; break;
  case sblHot: state = StateHot; break;
  case sblPressed: state = StatePressed; break;
  case sblLatched: state = push ? StatePressed : ToolbarChecked; break;
  case sblDisabled: state = StateDisabled; break;
  }
  if (family == TMxButtonFamily::Combo) {
    // The combo look is the drop-down button of the style's combo box (its states are
    // numbered as the push button's).
    constexpr int CpDropDownButton = 1;
    return TMxThemeServices::Instance().DrawElement(ctx.Window, L"COMBOBOX", CpDropDownButton, state, dc, r);
  }
  return TMxThemeServices::Instance().DrawElement(ctx.Window, push ? L"BUTTON" : L"TOOLBAR",
                                                  push ? BpPushButton : TpButton, state, dc, r);
}

// Frame and background; returns the content rectangle.
RECT DrawFace(const TMxSpeedButton& b, HDC dc, RECT r) {
  const TMxSpeedButtonLook look = b.Look();
  const bool down = look == sblPressed || look == sblLatched;
  const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_HIGHLIGHT);
  switch (MxButtonFamily(b.Style)) {
  case TMxButtonFamily::Classic:
    Fill(dc, r, face);
    Frame(dc, r, GetSysColor(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | BF_ADJUST);
    break;
  case TMxButtonFamily::Win40: {
    UINT s =
        DFCS_BUTTONPUSH | (look == sblPressed ? DFCS_PUSHED : 0) | (look == sblLatched ? DFCS_CHECKED : 0);
    s |= look == sblDisabled ? DFCS_INACTIVE : 0;
    s |= b.Style == ubsWin40Ext && look == sblHot ? DFCS_HOT : 0;
    RECT f = r;
    DrawFrameControl(dc, &f, DFC_BUTTON, s);
    InflateRect(&r, -2, -2);
    break;
  }
  case TMxButtonFamily::Combo: {
    UINT s = DFCS_SCROLLCOMBOBOX | (down ? DFCS_PUSHED : 0) | (look == sblDisabled ? DFCS_INACTIVE : 0);
    RECT f = r;
    DrawFrameControl(dc, &f, DFC_SCROLL, s);
    InflateRect(&r, -2, -2);
    break;
  }
  case TMxButtonFamily::Raised:
    Fill(dc, r, look == sblHot ? Blend(face, RGB(255, 255, 255), 60) : face);
    DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    break;
  case TMxButtonFamily::Flat: {
    COLORREF back = face;
    if (b.Style == ubsFlatUnColored) {
      back = GetSysColor(COLOR_WINDOW);
    } else if (b.Style == ubsExplorerColored && (look == sblHot || down)) {
      back = Blend(highlight, face, down ? 45 : 25);
    } else if (look == sblLatched) {
      back =
          Blend(face, RGB(255, 255, 255), 50); // a latched flat button is lighter, as a checked tool button
    } else if (look == sblHot && b.Style == ubsNavigator) {
      back = Blend(face, RGB(255, 255, 255), 70); // always framed: the hot state shows in the face
    }
    Fill(dc, r, back);
    if (down) {
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (look == sblHot || b.Style == ubsNavigator) {
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    InflateRect(&r, -1, -1);
    break;
  }
  case TMxButtonFamily::Office: {
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    if (look == sblHot || down) {
      Fill(dc, r, Blend(highlight, window, look == sblPressed ? 50 : look == sblLatched ? 20 : 30));
      Frame(dc, r, highlight);
    } else if (b.Style == ubsOffice) {
      Fill(dc, r, face);
    } // the transparent look leaves the background as it is
    InflateRect(&r, -1, -1);
    break;
  }
  }
  return r;
}
} // namespace

TMxButtonFamily MxButtonFamily(TMxUserButtonStyle style) {
  switch (style) {
  case ubsWin31: return TMxButtonFamily::Classic;
  case ubsWin40:
  case ubsWin40Ext: return TMxButtonFamily::Win40;
  case ubsCombo: return TMxButtonFamily::Combo;
  case ubsCorvel: return TMxButtonFamily::Raised;
  case ubsOffice:
  case ubsOfficeTransp: return TMxButtonFamily::Office;
  default: return TMxButtonFamily::Flat;
  }
}

void MxPaintSpeedButton(HDC dc, const TMxSpeedButton& b, const TMxButtonPaintContext& ctx) {
  if (b.Width <= 0 || b.Height <= 0) {
    return;
  }
  const RECT bounds{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  const TSavedDC saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  RECT content = bounds;
  if (DrawThemed(b, ctx, dc, bounds)) {
    InflateRect(&content, -2, -2);
  } else {
    content = DrawFace(b, dc, bounds);
  }
  const TMxSpeedButtonLook look = b.Look();
  const bool disabled = look == sblDisabled;
  const COLORREF text = GetSysColor(COLOR_BTNTEXT), grey = GetSysColor(COLOR_GRAYTEXT);

  if (b.HasDropDownMenu) {
    RECT arrow = content;
    arrow.left = std::max(content.left, content.right - (b.DropDownCombo ? b.DropDownComboWidth - 2 : 8));
    if (b.DropDownCombo && arrow.left > content.left) {
      // The separate arrow part is divided from the face by an etched line.
      RECT line{arrow.left - 1, content.top + 1, arrow.left + 1, content.bottom - 1};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
    Arrow(dc, arrow, disabled ? grey : text);
    content.right = arrow.left - 1;
  }
  // The combo look is its arrow; a caption would be drawn over it.
  if (!b.Caption.empty() && content.right > content.left &&
      MxButtonFamily(b.Style) != TMxButtonFamily::Combo) {
    const TSelectGuard font(dc, ctx.Font);
    SetBkMode(dc, TRANSPARENT);
    RECT t = content;
    if (look == sblPressed && MxButtonFamily(b.Style) != TMxButtonFamily::Office) {
      OffsetRect(&t, 1, 1);
    }
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (disabled) {
      RECT shadow = t;
      OffsetRect(&shadow, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextA(dc, b.Caption.c_str(), static_cast<int>(b.Caption.size()), &shadow, format);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
      SetTextColor(dc, text);
    }
    DrawTextA(dc, b.Caption.c_str(), static_cast<int>(b.Caption.size()), &t, format);
  }
}
