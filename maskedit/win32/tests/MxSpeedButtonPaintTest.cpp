// The custom buttons painted in every style and state into a bitmap: the states look
// different where they must, nothing is drawn outside a button, glyphs (and their disabled
// silhouettes) and fonts of the button's own show, and the sheet is written
// to speed-buttons.bmp (in TABIRA_SHOT_DIR, or the working folder) for a look by eye.
#include "maskedit/win32/MxSpeedButtonPainter.h"

#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestLook.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/win32/MxThemeServices.h"

#include "framework/Colors.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Cols = 5, Rows = 17, CellW = 48, CellH = 26, BtnW = 40, BtnH = 20, Margin = 4;
constexpr std::uint32_t Marker = 0x00FF00FF; // magenta, as 0x00RRGGBB

struct Sheet {
  Sheet() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    Pixels = static_cast<std::uint32_t*>(bits);
    DC.Reset(CreateCompatibleDC(nullptr));
    Old = SelectObject(DC.Get(), Bitmap.Get());
    std::fill(Pixels, Pixels + Width * Height, Marker);
  }
  ~Sheet() { SelectObject(DC.Get(), Old); }
  std::uint32_t At(int x, int y) const { return Pixels[y * Width + x] & 0x00FFFFFF; }
  std::vector<std::uint32_t> Block(int x0, int y0) const {
    GdiFlush();
    std::vector<std::uint32_t> out;
    for (int y = y0; y < y0 + BtnH; ++y) {
      for (int x = x0; x < x0 + BtnW; ++x) {
        out.push_back(At(x, y));
      }
    }
    return out;
  }
  void Save(const char* name) const {
    GdiFlush();
    SaveShot(name, Width, Height, Pixels);
  }
  static constexpr int Width = Cols * CellW + 2 * Margin, Height = Rows * CellH + 2 * Margin;
  TBitmapHandle Bitmap;
  TMemoryDC DC;
  HGDIOBJ Old = nullptr;
  std::uint32_t* Pixels = nullptr;
};

std::uint32_t SysColor(int index) {
  const COLORREF c = GetSysColor(index);
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A button at the cell (col, row) put into the look by real input.
void PaintCell(Sheet& s, int col, int row, TMxUserButtonStyle style, TMxSpeedButtonLook look, bool dropDown) {
  TMxSpeedButton b;
  b.Left = Margin + col * CellW;
  b.Top = Margin + row * CellH;
  b.Width = BtnW;
  b.Height = BtnH;
  b.Style = style;
  b.Caption = "Ab";
  b.HasDropDownMenu = dropDown;
  b.DropDownCombo = dropDown && col % 2 == 1;
  switch (look) {
  case sblNormal: break;
  case sblHot: b.MouseMove(b.Left + 2, b.Top + 2); break;
  case sblPressed: b.MouseDown(b.Left + 2, b.Top + 2, 0); break;
  case sblLatched:
    b.GroupIndex = 1;
    b.SetDown(true);
    break;
  case sblDisabled: b.SetEnabled(false); break;
  }
  ASSERT_EQ(b.Look(), look);
  TMxButtonPaintContext ctx;
  // The visual style's buttons when one is active, the classic ones otherwise.
  ctx.Themed = TMxThemeServices::Instance().StylesAvailable() && TMxThemeServices::Instance().AppThemed();
  ExpectLookTaken(ctx.Themed ? 1 : 0);
  ctx.Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  MxPaintSpeedButton(s.DC.Get(), b, ctx);
}

// A 10 x 10 glyph: a see-through ring around an 8 x 8 red square with a white centre.
TMxGlyph RedSquare() {
  TMxGlyph g;
  g.Width = g.Height = 10;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool ring = x == 0 || y == 0 || x == 9 || y == 9;
      const bool centre = x >= 4 && x <= 5 && y >= 4 && y <= 5;
      g.Pixels.push_back(ring ? kMxGlyphKeyColor : centre ? 0xFFFFFFFF : 0xFFFF0000);
    }
  }
  return g;
}

// Row 15: glyph left and right of the caption, a glyph alone, and disabled with and without
// caption. Row 16: fonts of the button's own, plain and in 3D looks, and a disabled one.
void PaintGlyphAndFontCells(Sheet& s) {
  const bool themed =
      TMxThemeServices::Instance().StylesAvailable() && TMxThemeServices::Instance().AppThemed();
  for (int col = 0; col < Cols; ++col) {
    for (int row = 15; row < 17; ++row) {
      TMxSpeedButton b;
      b.Left = Margin + col * CellW;
      b.Top = Margin + row * CellH;
      b.Width = BtnW;
      b.Height = BtnH;
      b.Style = ubsWin40;
      b.Caption = "Ab";
      if (row == 15) {
        b.Glyph = RedSquare();
        b.Layout = col == 1 ? blGlyphRight : blGlyphLeft;
        b.Caption = col == 2 || col == 4 ? "" : "Ab";
        b.SetEnabled(col < 3);
      } else {
        b.ParentFont = false;
        b.Font = {"Arial", -14, static_cast<unsigned>(TFontStyle::fsBold), RGBColor(0, 0, 255), 0};
        const TMxThreeDStyle looks[Cols] = {tdNone, tdRaised, tdShadow, tdOutline, tdSunken};
        b.FontFX.SetStyle(looks[col]);
        b.FontFX.SetDisabledStyle(ds3d);
        b.SetEnabled(col != 4);
      }
      TMxButtonPaintContext ctx;
      ctx.Themed = themed;
      ctx.Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      MxPaintSpeedButton(s.DC.Get(), b, ctx);
    }
  }
}

TEST(MxSpeedButtonPaint, EveryStyleAndState) {
  Sheet s;
  ASSERT_NE(s.Pixels, nullptr);
  const TMxSpeedButtonLook looks[Cols] = {sblNormal, sblHot, sblPressed, sblLatched, sblDisabled};
  for (int row = 0; row < 14; ++row) {
    for (int col = 0; col < Cols; ++col) {
      PaintCell(s, col, row, static_cast<TMxUserButtonStyle>(row), looks[col], false);
    }
  }
  for (int col = 0; col < Cols; ++col) {
    PaintCell(s, col, 14, ubsIntegrated, sblNormal, true); // drop-down arrows, combo in odd columns
  }
  PaintGlyphAndFontCells(s);
  s.Save("speed-buttons.bmp");

  // Nothing outside the buttons.
  GdiFlush();
  for (int y = 0; y < Sheet::Height; ++y) {
    for (int x = 0; x < Sheet::Width; ++x) {
      const int cx = (x - Margin) % CellW, cy = (y - Margin) % CellH;
      const bool inside = x >= Margin && y >= Margin && x < Sheet::Width - Margin &&
                          y < Sheet::Height - Margin && cx < BtnW && cy < BtnH;
      if (!inside) {
        ASSERT_EQ(s.At(x, y), Marker) << x << "," << y;
      }
    }
  }
  const std::uint32_t text = SysColor(COLOR_BTNTEXT);
  const auto captionHasText = [&](int col, int row) {
    for (int y = 4; y < BtnH - 4; ++y) {
      for (int x = 10; x < BtnW - 10; ++x) {
        if (s.At(Margin + col * CellW + x, Margin + row * CellH + y) == text) {
          return true;
        }
      }
    }
    return false;
  };
  for (int row = 0; row < 14; ++row) {
    const auto style = static_cast<TMxUserButtonStyle>(row);
    const auto block = [&](int col) { return s.Block(Margin + col * CellW, Margin + row * CellH); };
    const std::vector<std::uint32_t> normal = block(0);
    EXPECT_NE(block(2), normal) << "pressed looks normal, style " << row;
    EXPECT_NE(block(3), normal) << "latched looks normal, style " << row;
    EXPECT_NE(block(4), normal) << "disabled looks normal, style " << row;
    const TMxButtonFamily family = MxButtonFamily(style);
    if (family == TMxButtonFamily::Flat || family == TMxButtonFamily::Office ||
        family == TMxButtonFamily::Raised) {
      EXPECT_NE(block(1), normal) << "hot looks normal, style " << row;
    }
    if (family == TMxButtonFamily::Combo) {
      // Its arrow: dark pixels in the middle of the face, in either look.
      int dark = 0;
      for (int y = 4; y < BtnH - 4; ++y) {
        for (int x = 4; x < BtnW - 4; ++x) {
          const std::uint32_t p = normal[static_cast<std::size_t>(y * BtnW + x)];
          dark += ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) < 3 * 0x60;
        }
      }
      EXPECT_GT(dark, 4) << "combo without its arrow";
    } else {
      EXPECT_TRUE(captionHasText(0, row)) << "no caption, style " << row;
      EXPECT_FALSE(captionHasText(4, row)) << "disabled caption in the text colour, style " << row;
    }
  }
  // The transparent office look leaves the background of a resting button alone; the classic
  // office look fills it, the visual style's resting toolbar button does not.
  EXPECT_EQ(s.At(Margin + 1, Margin + ubsOfficeTransp * CellH + 1), Marker);
  const bool themed =
      TMxThemeServices::Instance().StylesAvailable() && TMxThemeServices::Instance().AppThemed();
  EXPECT_EQ(s.At(Margin + 1, Margin + ubsOffice * CellH + 1) == Marker, themed);
  // The drop-down arrow is drawn at the right, in the text colour.
  bool arrow = false;
  for (int x = BtnW - 12; x < BtnW; ++x) {
    for (int y = 6; y < BtnH - 6; ++y) {
      arrow = arrow || s.At(Margin + x, Margin + 14 * CellH + y) == text;
    }
  }
  EXPECT_TRUE(arrow);

  // Glyphs: the red ink with its white centre where enabled, no red where disabled.
  const auto countIn = [&](int col, int row, std::uint32_t colour) {
    int n = 0;
    for (int y = 0; y < BtnH; ++y) {
      for (int x = 0; x < BtnW; ++x) {
        n += s.At(Margin + col * CellW + x, Margin + row * CellH + y) == colour;
      }
    }
    return n;
  };
  for (int col = 0; col < Cols; ++col) {
    EXPECT_EQ(countIn(col, 15, 0xFF0000), col < 3 ? 60 : 0) << "glyph in column " << col;
  }
  // The own font's blue shows where it is drawn plainly; the disabled caption is grey.
  EXPECT_GT(countIn(0, 16, 0x0000FF), 10);
  EXPECT_EQ(countIn(4, 16, 0x0000FF), 0);
  EXPECT_EQ(countIn(0, 16, text), 0) << "the edit's text colour instead of the button's font";
}

TEST(MxSpeedButtonPaint, EmptyAndHostileBoundsDrawNothing) {
  Sheet s;
  TMxSpeedButton b;
  b.Caption = "x";
  for (const RECT r : {RECT{5, 5, 0, 10}, RECT{5, 5, 10, -3}, RECT{-100000, -100000, 5, 5}}) {
    b.Left = r.left;
    b.Top = r.top;
    b.Width = r.right;
    b.Height = r.bottom;
    MxPaintSpeedButton(s.DC.Get(), b, {});
  }
  GdiFlush();
  for (int y = 0; y < Sheet::Height; ++y) {
    for (int x = 0; x < Sheet::Width; ++x) {
      ASSERT_EQ(s.At(x, y), Marker);
    }
  }
}

} // namespace
