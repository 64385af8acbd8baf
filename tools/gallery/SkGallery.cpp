#include "tools/gallery/SkGallery.h"

#include "theme/SkBarGeometry.h"
#include "theme/SkPixelCanvas.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/officexp/SkOfficeXPTheme.h"

#include <functional>
#include <memory>
#include <vector>

namespace {

using TCell = std::function<void(TskTheme&, ISkPaintCanvas&, const TskRect&)>;
const std::string kName = "default";

constexpr std::int32_t kCellW = 44, kCellH = 26, kGap = 4, kBlockGap = 16, kMargin = 8;
constexpr TskColor kBackground = 0xFFF4F4F4;
constexpr TskColor kBlockLine = 0xFF808080;

TskRect Box13(const TskRect& r) { return CentreRect({0, 0, 13, 13}, r); }

// One row per family; each cell one state (or one part in one state).
std::vector<std::vector<TCell>> Rows() {
  std::vector<std::vector<TCell>> rows;
  auto add = [&rows](std::vector<TCell> row) { rows.push_back(std::move(row)); };

  std::vector<TCell> buttons;
  for (std::uint8_t s : {0, 1, 2, 3, 4, 6}) {
    buttons.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintButton(0, c, kName, {r, s});
    });
  }
  buttons.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintButton(2, c, kName, {r, 0});
  });
  for (std::uint8_t k : {4, 5, 6, 7}) {
    buttons.push_back([k](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintButton(k, c, kName, {DeflateRect(r, 12, 4, 12, 4), 2});
    });
  }
  add(buttons);

  std::vector<TCell> checks;
  for (std::uint8_t s : {0, 1, 2, 3, 5, 6, 7, 8, 10, 11, 12, 13}) {
    checks.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintCheck(0, c, kName, {Box13(r), s});
    });
  }
  add(checks);
  std::vector<TCell> radios;
  for (std::uint8_t s : {0, 1, 2, 3, 5, 6, 7, 8}) {
    radios.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintCheck(1, c, kName, {Box13(r), s});
    });
  }
  add(radios);

  std::vector<TCell> edits;
  for (std::uint8_t s : {0, 1, 3, 6}) {
    edits.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintEdit(0, c, kName, {r, s});
    });
  }
  for (std::uint8_t face : {0, 1, 2, 4}) {
    edits.push_back([face](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintEdit(0, c, kName, {r, 0});
      t.PaintEditButton(0, c, kName, {{r.Right - 17, r.Top + 2, r.Right - 2, r.Bottom - 2}, face, 0});
    });
  }
  edits.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintEditBox(0, c, kName, {r, 0});
  });
  add(edits);

  std::vector<TCell> scroll;
  for (std::uint8_t part : {0, 1, 4, 5, 2}) {
    for (std::uint8_t s : {0, 1, 2, 3}) {
      if (part != 1 && s != 0) {
        continue;
      }
      scroll.push_back([part, s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
        t.PaintScrollElement(0, c, kName, {DeflateRect(r, 12, 2, 12, 2), part, s});
      });
    }
  }
  for (std::int64_t pos : {-20, 0, 50, 100, 400}) {
    scroll.push_back([pos](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      const TskRect track = DeflateRect(r, 0, 6, 0, 6);
      t.PaintScrollTrack(0, c, kName, {track, 0, 0});
      t.PaintScrollElement(0, c, kName, {SkThumbRect(track, 12, 0, 100, pos, false), 2, 0});
    });
  }
  add(scroll);

  std::vector<TCell> bars;
  for (std::int64_t pos : {-10, 0, 30, 100, 250}) {
    bars.push_back([pos](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      const TskRect frame = DeflateRect(r, 0, 7, 0, 7);
      t.PaintProgress(0, c, kName, {frame, 0, 0});
      t.PaintProgress(0, c, kName,
                      {SkProgressFillRect(DeflateRect(frame, 1, 1, 1, 1), pos, 100, false), 2, 0});
    });
  }
  for (std::uint8_t s : {0, 1, 3}) {
    bars.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      const TskRect track = DeflateRect(r, 0, 9, 0, 9);
      t.PaintTrack(0, c, kName, {track, 0, 0});
      t.PaintTrackThumb(0, c, kName, {SkThumbRect(DeflateRect(r, 2, 3, 2, 3), 8, 0, 10, 3 * s, false), 0, s});
    });
  }
  add(bars);

  std::vector<TCell> headers;
  for (std::uint8_t s = 0; s <= 7; ++s) {
    headers.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintHeader(0, c, kName, {r, 0, 0});
      t.PaintHeaderSection(0, c, kName, {DeflateRect(r, 0, 4, 0, 4), 0, s});
    });
  }
  add(headers);

  std::vector<TCell> tabs;
  for (std::uint8_t part : {1, 4, 7, 10}) {
    for (std::uint8_t s : {0, 1, 3}) {
      tabs.push_back([part, s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
        t.PaintTabPane(0, c, kName, {r, 0, 0});
        TskRect tab = DeflateRect(r, 8, 4, 8, 4);
        switch (part / 3) {
        case 0: tab = {tab.Left, r.Top, tab.Right, r.Top + 10}; break;
        case 1: tab = {r.Left, tab.Top, r.Left + 10, tab.Bottom}; break;
        case 2: tab = {r.Right - 10, tab.Top, r.Right, tab.Bottom}; break;
        default: tab = {tab.Left, r.Bottom - 10, tab.Right, r.Bottom}; break;
        }
        t.PaintTab(0, c, kName, {tab, part, s});
      });
    }
  }
  add(tabs);

  std::vector<TCell> status;
  status.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintStatus(0, c, kName, {r, 0});
  });
  for (std::uint8_t s : {0, 2, 3}) {
    status.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintStatusPanel(0, c, kName, {r, s});
    });
  }
  status.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintGroupBox(0, c, kName, {r, {r.Left + 6, r.Top, r.Left + 24, r.Top + 4}, 0});
  });
  status.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintBox(0, c, kName, {r, 0}); });
  status.push_back(
      [](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) { t.PaintScrollBox(0, c, kName, r); });
  status.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintSplitter(0, c, kName, DeflateRect(r, 19, 0, 19, 0));
  });
  status.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintRollPanel(0, c, kName, r);
    t.PaintRollPanelCaption(0, c, kName, {r.Left, r.Top, r.Right, r.Top + 10});
    t.PaintRollPanelButton(0, c, kName, {{r.Right - 10, r.Top, r.Right, r.Top + 10}, 3, 1});
  });
  add(status);

  std::vector<TCell> items;
  for (std::uint8_t s = 0; s <= 4; ++s) {
    items.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintList(0, c, kName, {r, 0});
      t.PaintListItem(0, c, kName, {DeflateRect(r, 2, 6, 2, 6), s});
    });
  }
  for (std::uint8_t kind : {0, 1, 2}) {
    items.push_back([kind](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      TskCheckInfo check;
      check.Rect = r;
      check.CheckKind = kind;
      t.PaintListItemCheck(0, c, kName, {r, 2}, check);
    });
  }
  for (std::uint8_t s = 0; s <= 5; ++s) {
    items.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintTree(0, c, kName, {r, 0});
      t.PaintTreeItem(0, c, kName, {DeflateRect(r, 2, 6, 2, 6), s});
    });
  }
  add(items);

  std::vector<TCell> grid;
  for (std::uint8_t part = 0; part <= 4; ++part) {
    grid.push_back([part](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintGrid(0, c, kName, {r, 0, 0});
      t.PaintGridCell(0, c, kName, {DeflateRect(r, 2, 6, 2, 6), part, 0});
    });
  }
  grid.push_back([](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
    t.PaintGridCell(0, c, kName, {r, 0, 1});
  });
  for (std::uint8_t s : {0, 1}) {
    grid.push_back([s](TskTheme& t, ISkPaintCanvas& c, const TskRect& r) {
      t.PaintMenu(1, c, kName, r);
      t.PaintMenuItem(1, c, kName, {DeflateRect(r, 1, 2, 1, 12), 0, s});
      t.PaintMenuItem(1, c, kName, {DeflateRect(r, 1, 16, 1, 2), 1, 0});
    });
  }
  add(grid);
  return rows;
}

} // namespace

namespace {

struct TGallery {
  std::vector<std::unique_ptr<TskTheme>> Themes;
  std::vector<std::vector<TCell>> Rows = ::Rows();
  std::int32_t BlockW = 0;
  TskGalleryLayout Layout;

  TGallery() {
    Themes.push_back(SkMakeTheme<TskTheme>());
    Themes.push_back(SkMakeTheme<TSkFlatTheme>());
    Themes.push_back(SkMakeTheme<TSkOfficeXPTheme>());
    std::size_t columns = 0;
    for (const auto& row : Rows) {
      columns = std::max(columns, row.size());
    }
    BlockW = std::int32_t(columns) * (kCellW + kGap) - kGap;
    Layout.Width = 2 * kMargin + std::int32_t(Themes.size()) * (BlockW + kBlockGap) - kBlockGap;
    Layout.Height = 2 * kMargin + std::int32_t(Rows.size()) * (kCellH + kGap) - kGap;
    ForEachCell(
        [this](std::size_t, std::size_t, std::size_t, const TskRect& r) { Layout.Cells.push_back(r); });
  }
  std::int32_t BlockLeft(std::size_t theme) const {
    return kMargin + std::int32_t(theme) * (BlockW + kBlockGap);
  }
  template <class F>
  void ForEachCell(F f) const {
    for (std::size_t ti = 0; ti < Themes.size(); ++ti) {
      for (std::size_t ri = 0; ri < Rows.size(); ++ri) {
        const std::int32_t top = kMargin + std::int32_t(ri) * (kCellH + kGap);
        for (std::size_t ci = 0; ci < Rows[ri].size(); ++ci) {
          const std::int32_t x = BlockLeft(ti) + std::int32_t(ci) * (kCellW + kGap);
          f(ti, ri, ci, TskRect{x, top, x + kCellW, top + kCellH});
        }
      }
    }
  }
};

} // namespace

TskGalleryLayout SkGalleryLayout() { return TGallery().Layout; }

void SkPaintGallery(ISkPaintCanvas& canvas) {
  TGallery g;
  g.ForEachCell([&](std::size_t ti, std::size_t ri, std::size_t ci, const TskRect& cell) {
    TskClipGuard clip(canvas, cell);
    g.Rows[ri][ci](*g.Themes[ti], canvas, cell);
  });
}

void SkDrawGallery(TskPixels& out, TskSysColorFunc sys) {
  const TGallery g;
  out.SetSize(g.Layout.Width, g.Layout.Height);
  out.Fill(kBackground);
  for (std::size_t ti = 1; ti < g.Themes.size(); ++ti) {
    for (std::int32_t y = 0; y < g.Layout.Height; ++y) {
      out.SetPixel(g.BlockLeft(ti) - kBlockGap / 2, y, kBlockLine);
    }
  }
  TskPixelCanvas canvas(out, sys);
  SkPaintGallery(canvas);
}
