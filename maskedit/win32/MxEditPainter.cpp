#include "maskedit/win32/MxEditPainter.h"

#include "framework/win32/Graphics.h"
#include "maskedit/look/MxEditLayout.h"

#include <algorithm>
#include <vector>

TMxEditPainter::~TMxEditPainter() = default;

// --- off-screen buffer -------------------------------------------------------------------------

bool TMxEditPainter::PrepareBuffer() {
  const RECT client = FHost.ClientRect();
  const int w = std::max<int>(1, client.right), h = std::max<int>(1, client.bottom);
  BITMAP info{};
  if (!FBuffer || !GetObjectA(FBuffer.Get(), sizeof info, &info) || info.bmWidth != w || info.bmHeight != h) {
    FBufferSelect.reset();
    TWindowDC screen(FHost.Window());
    if (!FBufferDC) {
      FBufferDC.Reset(CreateCompatibleDC(screen.Get()));
    }
    FBuffer.Reset(CreateCompatibleBitmap(screen.Get(), w, h));
    if (!FBufferDC || !FBuffer) {
      FBuffer.Reset();
      return false;
    }
    FBufferSelect = std::make_unique<TSelectGuard>(FBufferDC.Get(), FBuffer.Get());
  }
  FillBackground(FBufferDC.Get(), client);
  return true;
}

void TMxEditPainter::ReleaseBuffer() {
  FBufferSelect.reset();
  FBuffer.Reset();
}

void TMxEditPainter::ReleaseSelections() {
  FBufferSelect.reset();
  FMeasureFont.reset();
}

// --- measuring -----------------------------------------------------------------------------------

HDC TMxEditPainter::MeasureDC() {
  if (!FMeasureDC) {
    FMeasureDC.Reset(CreateCompatibleDC(nullptr));
    FMeasureFont.reset();
  }
  if (!FMeasureFont && FHost.Font()) {
    FMeasureFont = std::make_unique<TSelectGuard>(FMeasureDC.Get(), FHost.Font());
  }
  SetTextCharacterExtra(FMeasureDC.Get(), FFont3D.Tracing());
  return FMeasureDC.Get();
}

int TMxEditPainter::FontKeyHeight() {
  if (FTextHeight < 0) {
    SIZE size{};
    GetTextExtentPoint32A(MeasureDC(), "Wq", 2, &size);
    FTextHeight = size.cy;
  }
  return FTextHeight;
}

int TMxEditPainter::TextHeight() {
  // Every line of one font is as tall as any other: the height is measured once per font.
  int h = FontKeyHeight();
  const TMxThreeDStyle style = FFont3D.Style();
  if (style == tdSunkenShadow || style == tdRaisedShadow || style == tdShadow) {
    h += FFont3D.ShadowDepth();
  }
  return h;
}

void TMxEditPainter::FontChanged() {
  ++FFontGeneration;
  FTextHeight = -1;
  FMeasureFont.reset();
  FWidths.Invalidate();
}

void TMxEditPainter::Font3DChanged() {
  ++FFontGeneration;
  FTextHeight = -1;
}

const TMxPrefixWidths& TMxEditPainter::Widths() {
  const std::uintptr_t key = FFontGeneration;
  HDC dc = MeasureDC();
  FWidths.Update(FEdit.DisplayText(), key, [dc](std::string_view text, std::vector<int>& widths) {
    widths.assign(text.size(), 0);
    // Measured in blocks: the platform counts lengths in int.
    std::size_t done = 0;
    int base = 0;
    while (done < text.size()) {
      const int n = static_cast<int>(std::min<std::size_t>(text.size() - done, 1 << 20));
      SIZE size{};
      if (!GetTextExtentExPointA(dc, text.data() + done, n, 0, nullptr, widths.data() + done, &size)) {
        for (int i = 0; i < n; ++i) {
          widths[done + static_cast<std::size_t>(i)] = base;
        }
      } else {
        for (int i = 0; i < n; ++i) {
          widths[done + static_cast<std::size_t>(i)] += base;
        }
      }
      base = widths[done + static_cast<std::size_t>(n) - 1];
      done += static_cast<std::size_t>(n);
    }
  });
  return FWidths;
}

// --- drawing -------------------------------------------------------------------------------------

void TMxEditPainter::FillBackground(HDC dc, const RECT& rect) {
  if (FHost.FillTransparent(dc, rect)) {
    return;
  }
  if (!FBackBrush || FBackBrushColor != FHost.BackColor()) {
    FBackBrushColor = FHost.BackColor();
    FBackBrush.Reset(CreateSolidBrush(ColorToRGB(FBackBrushColor)));
  }
  ::FillRect(dc, &rect, FBackBrush.Get());
}

void TMxEditPainter::DrawLayers(HDC dc, const RECT& clip, int x, int y, int first, int count, TColor color,
                                bool disabled) {
  const std::string& text = FEdit.DisplayText();
  if (count <= 0) {
    return;
  }
  const char* chars = text.data() + (first - 1);
  TColor textColor = color;
  bool sunkenDisabled = false;
  if (disabled && FFont3D.DisabledStyle() != dsNone) {
    textColor = clGrayText;
    sunkenDisabled = FFont3D.DisabledStyle() == ds3d;
  }
  const TMxTextLayerPlan plan = FFont3D.Layers(textColor, ColorToRGB(FFont3D.LightColor()),
                                               ColorToRGB(FFont3D.ShadowColor()), sunkenDisabled);
  RECT r = clip;
  r.right -= plan.RightReduction;
  SetBkMode(dc, TRANSPARENT);
  SetTextCharacterExtra(dc, FFont3D.Tracing());
  for (const TMxTextLayer& layer : plan.Layers) {
    if (layer.Outline) {
      TPenHandle pen(CreatePen(PS_SOLID, std::max(1, layer.PenWidth), ColorToRGB(layer.Color)));
      TSelectGuard penGuard(dc, pen.Get());
      BeginPath(dc);
      ExtTextOutA(dc, x + layer.DX, y + layer.DY, ETO_CLIPPED, &r, chars, static_cast<UINT>(count), nullptr);
      EndPath(dc);
      StrokePath(dc);
    } else {
      SetTextColor(dc, ColorToRGB(layer.Color));
      ExtTextOutA(dc, x + layer.DX, y + layer.DY, ETO_CLIPPED, &r, chars, static_cast<UINT>(count), nullptr);
    }
  }
  SetTextCharacterExtra(dc, 0);
}

void TMxEditPainter::DrawTextArea(HDC target) {
  if (FHost.Window() == nullptr) {
    return;
  }
  // The caret is hidden while pixels under it change, and shown again on every way out.
  struct TCaretHider {
    TCaretHider(HWND h, bool shown) : Window(h), Shown(shown) {
      if (Shown) {
        HideCaret(Window);
      }
    }
    ~TCaretHider() {
      if (Shown) {
        ShowCaret(Window);
      }
    }
    HWND Window;
    bool Shown;
  } hider(FHost.Window(), FCaret.Visible() && FCaret.PlatformCaretExists());

  const TMxPrefixWidths& widths = Widths();
  const HDC dc = FBuffer ? FBufferDC.Get() : target;
  TSavedDC saved(dc);
  const TMxRect& e = FHost.Rects().Edit;
  const TMxRect& t = FHost.Rects().Text;
  const RECT editRect{e.Left, e.Top, e.Right, e.Bottom};
  const RECT textRect{t.Left, t.Top, t.Right, t.Bottom};
  if (editRect.right <= editRect.left || editRect.bottom <= editRect.top) {
    return;
  }
  FillBackground(dc, editRect);
  FHost.PaintBeforeText(dc, editRect);
  SelectObject(dc, FHost.Font() ? FHost.Font() : GetStockObject(DEFAULT_GUI_FONT));
  IntersectClipRect(dc, textRect.left, textRect.top, textRect.right, textRect.bottom);

  const int n = widths.Count();
  const int left = TMxEditLayout::DrawOrigin(FEdit.GetAlignment(), t, widths.Width(n), FEdit.ScrollOffset);
  // Only the characters that can reach the text rectangle are drawn (one more on each
  // side for overhanging glyphs), so a long text costs what its visible part costs.
  const int firstVisible = std::max(0, widths.CharsEndingBefore(t.Left - left) - 1);
  const int lastVisible = std::min(n, widths.FirstMiddleAtOrAfter(t.Right - left) + 1);
  const bool disabled = !FHost.Enabled();
  TColor fontColor = FHost.TextColor();
  if (FFont3D.Style() == tdPColorSunken || FFont3D.Style() == tdPColorRaised) {
    fontColor = FHost.BackColor();
  }

  TMxSelectionBox sel;
  if (FEdit.GetSelLength() > 0 && !FEdit.SelectionHidden) {
    sel = TMxEditLayout::Selection(t, left, widths, FEdit.GetSelStart(), FEdit.GetSelLength(), TextHeight(),
                                   FFont3D);
  }
  if (sel.Visible) {
    RECT box{sel.Box.Left, sel.Box.Top, sel.Box.Right, sel.Box.Bottom};
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(FHost.HighlightBack())));
    FillRect(dc, &box, brush.Get());
    FrameRect(dc, &box, brush.Get());
  }
  DrawLayers(dc, textRect, left + widths.Width(firstVisible), t.Top, firstVisible + 1,
             lastVisible - firstVisible, fontColor, disabled);
  if (sel.Visible) {
    RECT area{sel.TextArea.Left, sel.TextArea.Top, sel.TextArea.Right, sel.TextArea.Bottom};
    IntersectRect(&area, &area, &textRect);
    const int first = std::max(sel.First, firstVisible + 1);
    const int last = std::min(sel.First + sel.Count - 1, lastVisible);
    DrawLayers(dc, area, left + widths.Width(first - 1), t.Top, first, last - first + 1,
               FHost.HighlightText(), disabled);
  }
  if (FBuffer) {
    SelectClipRgn(dc, nullptr);
    BitBlt(target, editRect.left, editRect.top, editRect.right - editRect.left,
           editRect.bottom - editRect.top, dc, editRect.left, editRect.top, SRCCOPY);
  }
}
