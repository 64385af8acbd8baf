#include "skins/SfPaintTarget.h"

#include "skins/SfRegion.h"

#include "theme/SkTheme.h"

#include <algorithm>
#include <array>
#include <span>
#include <typeinfo>

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
  ++FRecorded;
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
    if (TSfSkinObject& c = *node.Child(i); c.ChildCount() != 0) {
      SfLayoutTree(c, text);
    }
  }
}

namespace {

// A w x h image inside `store` (which grows as needed and is kept between paints), fully
// transparent over `clear` (all of it when `clear` is none); empty when the size cannot be had.
TskPixels Prepare(TskPixels& store, std::int32_t w, std::int32_t h, std::span<const TskRect> clear = {},
                  bool clearAll = true) {
  if (w <= 0 || h <= 0 || !TskPixels::ValidSize(w, h)) {
    return {};
  }
  if (store.Width() < w || store.Height() < h) {
    TskPixels grown;
    if (!grown.SetSize(std::max(w, store.Width()), std::max(h, store.Height()))) {
      return {};
    }
    store = std::move(grown);
  }
  TskPixels view = TskPixels::View(store.ScanLine(0), w, h, store.Stride());
  if (clear.empty() && clearAll) {
    view.Fill(0);
  }
  for (const TskRect& r : clear) {
    view.FillRect(r, 0);
  }
  return view;
}

// A node that draws its text and nothing else: plain or text nodes without children, colour
// or separator line.
bool TextOnly(const TSfSkinObject& n) {
  const auto& type = typeid(n);
  return (type == typeid(TSfSkinObject) || type == typeid(TSfTextObject)) && n.ChildCount() == 0 &&
         n.FColor == kSfNoColor && n.FNodeText != L"-";
}

// The parts of {0, 0, w, h} around `hole`: above, below, left and right of it.
std::array<TskRect, 4> Around(std::int32_t w, std::int32_t h, const TskRect& hole) {
  return {TskRect{0, 0, w, hole.Top}, TskRect{0, hole.Bottom, w, h},
          TskRect{0, hole.Top, hole.Left, hole.Bottom}, TskRect{hole.Right, hole.Top, w, hole.Bottom}};
}

} // namespace

void TSfPaintTarget::Draw(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect,
                          const TskRect& clip, const TSfSkinObject* hole) {
  const std::int32_t w = RectWidth(rect), h = RectHeight(rect);
  if (w <= 0 || h <= 0) {
    return;
  }
  FText.Bind(&canvas);
  node.SetNodeBounds(rect, &FText);
  SfLayoutTree(node, &FText);
  // The node is drawn where it is: its tree (which may be part of a frame that is laid out,
  // painted and regioned again later) is moved so that the rectangle's top-left is the
  // image's origin only while it draws.
  TSfShiftedTree shifted(node, -rect.Left, -rect.Top);
  if (TextOnly(node)) {
    // Nothing but text (a caption title): the image is neither cleared nor handed over, the
    // texts go straight to the canvas.
    TskPixels image = Prepare(FBuffer, w, h, {}, false);
    if (!image.Empty()) {
      TSfCanvas target{image, FText, TskTheme::SysColorSource()};
      node.DrawNode(target, IsRectEmpty(clip) ? TskRect{} : OffsetRect(clip, -rect.Left, -rect.Top));
      FText.Flush(canvas, rect.Left, rect.Top);
    }
    FText.Bind(nullptr);
    return;
  }
  // Only the parts around a hole are cleared, drawn and handed to the canvas.
  FPartCount = 0;
  FKeptKey = 0;
  if (hole && hole->FNodeVisible && !IsRectEmpty(IntersectRects(hole->Bounds(), {0, 0, w, h}))) {
    for (const TskRect& r : Around(w, h, IntersectRects(hole->Bounds(), {0, 0, w, h}))) {
      if (!IsRectEmpty(r)) {
        FParts[FPartCount++] = r;
      }
    }
  } else {
    FParts[FPartCount++] = {0, 0, w, h};
  }
  TskPixels image = Prepare(FBuffer, w, h, std::span<const TskRect>(FParts.data(), FPartCount));
  if (image.Empty()) {
    FText.Bind(nullptr);
    return;
  }
  TSfCanvas target{image, FText, TskTheme::SysColorSource()};
  node.DrawNode(target, IsRectEmpty(clip) ? TskRect{} : OffsetRect(clip, -rect.Left, -rect.Top));
  HandOver(canvas, rect);
  FText.Flush(canvas, rect.Left, rect.Top);
  FText.Bind(nullptr);
}

void TSfPaintTarget::HandOver(ISkPaintCanvas& canvas, const TskRect& rect) {
  for (std::size_t i = 0; i < FPartCount; ++i) {
    const TskRect& r = FParts[i];
    TskPixels part =
        TskPixels::View(FBuffer.Pixel(r.Left, r.Top), RectWidth(r), RectHeight(r), FBuffer.Stride());
    canvas.DrawImage({&part, TskDrawMode::dmBlend}, OffsetRect(r, rect.Left, rect.Top));
  }
}

void TSfPaintTarget::DrawKept(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect,
                              const TSfSkinObject* hole, std::uint64_t key) {
  const std::int32_t w = RectWidth(rect), h = RectHeight(rect);
  if (key != 0 && key == FKeptKey && &node == FKeptNode && w == FKeptW && h == FKeptH) {
    HandOver(canvas, rect);
    return;
  }
  const std::size_t texts = FText.Recorded();
  Draw(canvas, node, rect, {}, hole);
  // An image with texts is drawn afresh every time.
  FKeptNode = &node;
  FKeptW = w;
  FKeptH = h;
  FKeptKey = FText.Recorded() == texts ? key : 0;
}

void TSfPaintTarget::DrawTurned(ISkPaintCanvas& canvas, TSfSkinObject& node, const TskRect& rect, int turn) {
  const std::int32_t w = node.FWidth, h = node.FHeight;
  TskPixels image = Prepare(FBuffer, w, h);
  if (image.Empty()) {
    return;
  }
  // Texts of a turned image are not drawn: the pixel font stands in and turns with it.
  FText.Bind(nullptr);
  TSfCanvas target{image, FText, TskTheme::SysColorSource()};
  node.DrawNode(target, {});
  const bool side = turn == 1 || turn == 2;
  TskPixels turned = Prepare(FTurned, side ? h : w, side ? w : h);
  if (turned.Empty()) {
    return;
  }
  for (std::int32_t y = 0; y < h; ++y) {
    const TskColor* row = image.ScanLine(y);
    for (std::int32_t x = 0; x < w; ++x) {
      switch (turn) {
      case 1: turned.SetPixel(h - 1 - y, x, row[x]); break;
      case 2: turned.SetPixel(y, w - 1 - x, row[x]); break;
      case 3: turned.SetPixel(x, h - 1 - y, row[x]); break;
      default: turned.SetPixel(x, y, row[x]); break;
      }
    }
  }
  const TskRect dest{rect.Left, rect.Top, rect.Left + turned.Width(), rect.Top + turned.Height()};
  canvas.DrawImage({&turned, TskDrawMode::dmBlend}, dest);
}
