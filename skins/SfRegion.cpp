// Regions of skin object trees: which nodes count with their rectangle and which with their
// drawn pixels, collected in one coverage image bounded by the window's rectangle.
#include "skins/SfRegion.h"

#include "fileread/SfReader.h"

#include <algorithm>
#include <utility>

// ---- the builder ----

TSfRegionBuilder::TSfRegionBuilder(const TskRect& limit, ISfTextEngine& text) : FLimit(limit), FText(text) {
  const std::int64_t w = RectWidth(limit), h = RectHeight(limit);
  if (w <= 0 || h <= 0) {
    return;
  }
  FArea = w * h;
  FBudget = kSfRegionRenderBudget * FArea;
  // A limit larger than any bitmap the readers allow is answered as whole rectangles.
  if (!TskPixels::ValidSize(w, h) || FArea > TSfLimits{}.MaxBitmapPixels ||
      !FCover.SetSize(std::int32_t(w), std::int32_t(h))) {
    FTooLarge = true;
    return;
  }
  FCover.Fill(skKeyColor);
  FRowCovered.assign(std::size_t(h), 0);
}

bool TSfRegionBuilder::Meets(const TskRect& r) const { return !IsRectEmpty(IntersectRects(r, FLimit)); }

void TSfRegionBuilder::AddRect(const TskRect& r) {
  const TskRect a = IntersectRects(r, FLimit);
  if (IsRectEmpty(a) || Full()) {
    return;
  }
  if (FTooLarge) {
    // Only the bounding rectangle of what was added is kept.
    FTooLargeRect =
        IsRectEmpty(FTooLargeRect)
            ? a
            : TskRect{std::min(a.Left, FTooLargeRect.Left), std::min(a.Top, FTooLargeRect.Top),
                      std::max(a.Right, FTooLargeRect.Right), std::max(a.Bottom, FTooLargeRect.Bottom)};
    return;
  }
  // The same rectangle twice (many equal leaves) adds nothing the second time.
  if (!FRects.insert({a.Left, a.Top, a.Right, a.Bottom}).second) {
    return;
  }
  const std::int32_t w = FCover.Width();
  for (std::int32_t y = a.Top; y < a.Bottom; ++y) {
    std::int32_t& rowCovered = FRowCovered[std::size_t(y - FLimit.Top)];
    if (rowCovered == w) {
      continue;
    }
    TskColor* row = FCover.ScanLine(y - FLimit.Top);
    if (rowCovered == 0 || RectWidth(a) == w) {
      // Nothing of the row is covered yet, or all of it will be: a plain fill.
      std::fill(row + (a.Left - FLimit.Left), row + (a.Right - FLimit.Left), TskColor(0xFF000000));
      const std::int32_t now = rowCovered == 0 ? std::int32_t(RectWidth(a)) : w;
      FCovered += now - rowCovered;
      rowCovered = now;
      continue;
    }
    for (std::int32_t x = a.Left - FLimit.Left; x < a.Right - FLimit.Left; ++x) {
      if ((row[x] & 0x00FFFFFF) == skKeyColor) {
        row[x] = 0xFF000000;
        ++rowCovered;
        ++FCovered;
      }
    }
  }
}

void TSfRegionBuilder::AddRendered(TSfSkinObject& node) {
  const TskRect area = IntersectRects(node.Bounds(), FLimit);
  if (IsRectEmpty(area) || Full()) {
    return;
  }
  const std::int32_t w = RectWidth(area), h = RectHeight(area);
  const std::int64_t cost = std::int64_t(w) * h;
  if (FTooLarge || cost > FBudget - FRendered) {
    AddRect(area);
    return;
  }
  if (FScratch.Empty() && !FScratch.SetSize(FCover.Width(), FCover.Height())) {
    AddRect(area);
    return;
  }
  FRendered += cost;
  TskPixels image = TskPixels::View(FScratch.ScanLine(0), w, h, FScratch.Stride());
  image.Fill(skKeyColor);
  {
    // Drawn in place with the image's origin at the area's top-left; the tree is moved back
    // however the draw ends.
    TSfShiftedTree shifted(node, -area.Left, -area.Top);
    TSfCanvas canvas{image, FText};
    node.DrawNode(canvas, {0, 0, w, h});
  }
  for (std::int32_t y = 0; y < h; ++y) {
    const TskColor* src = image.ScanLine(y);
    TskColor* dst = FCover.ScanLine(area.Top - FLimit.Top + y) + (area.Left - FLimit.Left);
    std::int32_t& rowCovered = FRowCovered[std::size_t(area.Top - FLimit.Top + y)];
    for (std::int32_t x = 0; x < w; ++x) {
      if ((src[x] & 0x00FFFFFF) != skKeyColor && (dst[x] & 0x00FFFFFF) == skKeyColor) {
        dst[x] = 0xFF000000;
        ++rowCovered;
        ++FCovered;
      }
    }
  }
}

std::vector<TskRect> TSfRegionBuilder::Runs() const {
  if (FTooLarge) {
    return IsRectEmpty(FTooLargeRect) ? std::vector<TskRect>{} : std::vector<TskRect>{FTooLargeRect};
  }
  if (FArea > 0 && Full()) {
    return {FLimit};
  }
  // Runs of covered pixels row by row; rows with the same runs as the row above extend its
  // rectangles downwards.
  std::vector<TskRect> out;
  std::vector<std::pair<std::int32_t, std::int32_t>> prev, cur;
  std::size_t band = 0; // index of the first rectangle of the row above
  for (std::int32_t y = 0; y < FCover.Height(); ++y) {
    cur.clear();
    const TskColor* row = FCover.ScanLine(y);
    const std::int32_t w = FCover.Width();
    std::int32_t x = 0;
    while (x < w) {
      while (x < w && (row[x] & 0x00FFFFFF) == skKeyColor) {
        ++x;
      }
      if (x == w) {
        break;
      }
      const std::int32_t start = x;
      while (x < w && (row[x] & 0x00FFFFFF) != skKeyColor) {
        ++x;
      }
      cur.emplace_back(start, x);
    }
    if (!cur.empty() && cur == prev) {
      for (std::size_t i = band; i < out.size(); ++i) {
        ++out[i].Bottom;
      }
    } else {
      band = out.size();
      for (const auto& [l, r] : cur) {
        out.push_back(OffsetRect(TskRect{l, y, r, y + 1}, FLimit.Left, FLimit.Top));
      }
    }
    std::swap(prev, cur);
  }
  return out;
}

// ---- nodes ----

void TSfSkinObject::ShiftTree(std::int32_t dx, std::int32_t dy) {
  FLeft += dx;
  FTop += dy;
  FPrevBounds = OffsetRect(FPrevBounds, dx, dy);
  for (auto& c : FChildren) {
    c->ShiftTree(dx, dy);
  }
}

void TSfSkinObject::AddNodeRegion(TSfRegionBuilder& region) { region.AddRect(Bounds()); }

void TSfSkinObject::AddTreeRegion(TSfRegionBuilder& region) {
  if (FWidth <= 0 || FHeight <= 0 || region.Full()) {
    return;
  }
  if (FChildren.empty() || FDrawIfOwner || !FMasked) {
    AddNodeRegion(region);
    return;
  }
  // Children are not bounded by their parent (coordinates are absolute), so every visible
  // child is asked; each answers nothing outside the limit.
  for (auto& c : FChildren) {
    if (region.Full()) {
      break;
    }
    if (c->FNodeVisible) {
      c->AddTreeRegion(region);
    }
  }
}

std::vector<TskRect> TSfSkinObject::TreeRegion(ISfTextEngine& text, const TskRect& limit) {
  TSfRegionBuilder region(limit, text);
  AddTreeRegion(region);
  return region.Runs();
}

std::vector<TskRect> TSfSkinObject::TreeRegion(ISfTextEngine& text) { return TreeRegion(text, Bounds()); }

std::vector<TskRect> TSfSkinObject::NodeRegion(ISfTextEngine& text) {
  if (FWidth <= 0 || FHeight <= 0) {
    return {};
  }
  TSfRegionBuilder region(Bounds(), text);
  AddNodeRegion(region);
  return region.Runs();
}

void TSfBitmapObject::AddNodeRegion(TSfRegionBuilder& region) {
  if (!FBitmap.Valid() || !region.Meets(Bounds())) {
    return;
  }
  if (FKind == skClient || !FMasked) {
    region.AddRect(Bounds());
    return;
  }
  // Without margins and colour the bitmap is not drawn: only texts and children would be.
  const bool noBitmap =
      FMarginLeft == 0 && FMarginTop == 0 && FMarginRight == 0 && FMarginBottom == 0 && FColor == kSfNoColor;
  if (noBitmap && FNodeText.empty() && FNodeSideText.empty() && ChildCount() == 0) {
    return;
  }
  region.AddRendered(*this);
}

void TSfBitmapSkinObject::AddNodeRegion(TSfRegionBuilder& region) {
  if (FKind == skClient) {
    region.AddRect(Bounds());
    return;
  }
  // A node with no valid link draws nothing, its text included.
  bool any = false;
  ForEachBitmap([&](TSfBitmapRef& ref) { any = any || ref.Valid(); });
  if (!any || !region.Meets(Bounds())) {
    return;
  }
  region.AddRendered(*this);
}
