#include "themefiles/SfPaintTarget.h"

#include "theme/SkTheme.h"

TskFontDesc TSfCanvasText::FontDesc(const TSfFont& font) {
  TskFontDesc d;
  d.Name = font.Name;
  d.Size = font.Size();
  d.Charset = font.Charset;
  d.Color = font.Color;
  d.Style = font.Style;
  return d;
}

std::int32_t TSfCanvasText::TextWidth(const std::wstring& text, const TSfFont& font) {
  if (!FCanvas) {
    return FPixelFont.TextWidth(text, font);
  }
  if (text.empty()) {
    return 0;
  }
  const TskFontDesc saved = FCanvas->Font();
  FCanvas->SetFont(FontDesc(font));
  const TskRect r = FCanvas->MeasureText(text, {0, 0, 0x7FFF, 0x7FFF}, dtSingleLine | dtNoPrefix);
  FCanvas->SetFont(saved);
  return RectWidth(r);
}

std::int32_t TSfCanvasText::TextHeight(const TSfFont& font) {
  if (!FCanvas) {
    return FPixelFont.TextHeight(font);
  }
  const TskFontDesc saved = FCanvas->Font();
  FCanvas->SetFont(FontDesc(font));
  const TskRect r = FCanvas->MeasureText(L"Wg", {0, 0, 0x7FFF, 0x7FFF}, dtSingleLine | dtNoPrefix);
  FCanvas->SetFont(saved);
  return RectHeight(r);
}

void TSfCanvasText::DrawText(TskPixels& target, const std::wstring& text, std::int32_t x, std::int32_t y,
                             const TSfFont& font, TColor color, const TskRect& clip) {
  if (!FCanvas) {
    FPixelFont.DrawText(target, text, x, y, font, color, clip);
    return;
  }
  FTexts.push_back({text, x, y, font, color, clip});
}

void TSfCanvasText::Flush(ISkPaintCanvas& canvas, std::int32_t dx, std::int32_t dy) {
  if (FTexts.empty()) {
    return;
  }
  const TskFontDesc saved = canvas.Font();
  for (const TText& t : FTexts) {
    TskFontDesc d = FontDesc(t.Font);
    d.Color = t.Color;
    canvas.SetFont(d);
    const TskRect size = canvas.MeasureText(t.Text, {0, 0, 0x7FFF, 0x7FFF}, dtSingleLine | dtNoPrefix);
    const std::int32_t x = t.X + dx, y = t.Y + dy;
    const TskRect r{x, y, std::int32_t(x + RectWidth(size)), std::int32_t(y + RectHeight(size))};
    TskClipGuard guard(canvas, OffsetRect(t.Clip, dx, dy));
    canvas.PaintText(t.Text, r, dtSingleLine | dtNoPrefix);
  }
  canvas.SetFont(saved);
  FTexts.clear();
}

void SfLayoutTree(TSfSkinObject& node, ISfTextEngine* text) {
  node.LayoutChildren(text);
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    SfLayoutTree(*node.Child(i), text);
  }
}

namespace {

// Makes `pixels` w x h and fully transparent; false when the size cannot be had.
bool Prepare(TskPixels& pixels, std::int32_t w, std::int32_t h) {
  if (pixels.Width() != w || pixels.Height() != h) {
    if (!TskPixels::ValidSize(w, h)) {
      return false;
    }
    pixels.SetSize(w, h);
  }
  pixels.Fill(0);
  return !pixels.Empty();
}

} // namespace

void TSfPaintTarget::Draw(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect,
                          const TskRect& clip) {
  const std::int32_t w = RectWidth(rect), h = RectHeight(rect);
  if (w <= 0 || h <= 0 || !Prepare(FBuffer, w, h)) {
    return;
  }
  FText.Bind(&canvas);
  node.SetNodeBounds({0, 0, w, h}, &FText);
  SfLayoutTree(node, &FText);
  TSfCanvas target{FBuffer, FText, TskTheme::SysColorSource()};
  node.DrawNode(target, IsRectEmpty(clip) ? TskRect{} : OffsetRect(clip, -rect.Left, -rect.Top));
  canvas.DrawImage({&FBuffer, TskDrawMode::dmBlend}, rect);
  FText.Flush(canvas, rect.Left, rect.Top);
  FText.Bind(nullptr);
}

void TSfPaintTarget::DrawTurned(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect, int turn) {
  const std::int32_t w = node.FWidth, h = node.FHeight;
  if (w <= 0 || h <= 0 || !Prepare(FBuffer, w, h)) {
    return;
  }
  // Texts of a turned image are not drawn: the pixel font stands in and turns with it.
  FText.Bind(nullptr);
  TSfCanvas target{FBuffer, FText, TskTheme::SysColorSource()};
  node.DrawNode(target, {});
  const bool side = turn == 1 || turn == 2;
  if (!Prepare(FTurned, side ? h : w, side ? w : h)) {
    return;
  }
  for (std::int32_t y = 0; y < h; ++y) {
    const TskColor* row = FBuffer.ScanLine(y);
    for (std::int32_t x = 0; x < w; ++x) {
      switch (turn) {
      case 1: FTurned.SetPixel(h - 1 - y, x, row[x]); break;
      case 2: FTurned.SetPixel(y, w - 1 - x, row[x]); break;
      case 3: FTurned.SetPixel(x, h - 1 - y, row[x]); break;
      default: FTurned.SetPixel(x, y, row[x]); break;
      }
    }
  }
  const TskRect dest{rect.Left, rect.Top, rect.Left + FTurned.Width(), rect.Top + FTurned.Height()};
  canvas.DrawImage({&FTurned, TskDrawMode::dmBlend}, dest);
}
