#pragma once
// TSkFlatTheme: the built-in "Flat" look: flat fills, one-pixel frames and recoloured platform
// glyphs over a small palette. Window frame, menus, tool bars, docks and panels are drawn
// here; the other control families answer available and are left to their own painter.
#include "theme/SkTheme.h"

class TSkFlatTheme : public TskTheme {
public:
  TSkFlatTheme() = default;

  // Brightness added for the light and dark edges of a raised panel border.
  std::int32_t LightDelta = 70;
  std::int32_t DarkDelta = -70;
  // Panels get a one-pixel Border frame instead of a raised edge.
  bool FlatBorder = true;
  // Width of the image column at the left of popup menus.
  std::int32_t MenuGutter = 0;

  std::string BuildingName() const override { return GetBuildingName(); }
  TskThemeConfig ThemeConfig() const override { return GetThemeConfig(); }
  static std::string GetBuildingName() { return "Flat"; }
  static TskThemeConfig GetThemeConfig() { return {true, false, false, {}, {}}; }

  void SetDefaultColors() override;
  void SetDefaultFonts() override;

  // Window family (kinds: 0 standard, 1 dialog, 2 border only, 4 none, 6 tool window).
  bool WindowAvailable(std::uint8_t, TName) override { return true; }
  TskRect WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) override;
  TskRect WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) override;
  TskRect WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                           std::uint8_t button) override;
  void PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskWindowInfo& info) override;
  void PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect,
                          const TskWindowInfo& info) override;
  void PaintWindowButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskWindowButtonInfo& info) override;

  // Availability and transparency of the families.
  bool HintAvailable(std::uint8_t, TName) override { return false; }
  bool PanelAvailable(std::uint8_t, TName) override { return true; }
  bool ButtonAvailable(std::uint8_t, TName) override { return true; }
  bool ButtonTransparent(std::uint8_t, TName) override { return true; }
  bool CheckAvailable(std::uint8_t, TName) override { return true; }
  bool CheckTransparent(std::uint8_t, TName) override { return true; }
  bool SplitterAvailable(std::uint8_t, TName) override { return true; }
  bool ScrollAvailable(std::uint8_t kind, TName) override { return kind == 0; }
  bool ProgressAvailable(std::uint8_t, TName) override { return true; }
  bool TrackAvailable(std::uint8_t, TName) override { return true; }
  bool TrackTransparent(std::uint8_t, TName) override { return true; }
  bool HeaderAvailable(std::uint8_t, TName) override { return true; }
  bool StatusAvailable(std::uint8_t, TName) override { return true; }
  bool EditAvailable(std::uint8_t, TName) override { return true; }
  bool GroupBoxAvailable(std::uint8_t, TName) override { return true; }
  bool GroupBoxTransparent(std::uint8_t, TName) override { return true; }
  bool EditBoxAvailable(std::uint8_t, TName) override { return true; }
  bool BoxAvailable(std::uint8_t, TName) override { return true; }
  bool MenuAvailable(std::uint8_t, TName) override { return true; }
  bool DockAvailable(std::uint8_t, TName) override { return true; }
  bool ToolAvailable(std::uint8_t, TName) override { return true; }
  bool ScrollBoxAvailable(std::uint8_t, TName) override { return true; }
  bool RollPanelAvailable(std::uint8_t, TName) override { return true; }
  bool RollPanelTransparent(std::uint8_t, TName) override { return false; }
  bool TabAvailable(std::uint8_t, TName) override { return true; }
  bool TabTransparent(std::uint8_t, TName) override { return false; }
  bool ListAvailable(std::uint8_t, TName) override { return true; }
  bool TreeAvailable(std::uint8_t, TName) override { return true; }
  bool GridAvailable(std::uint8_t, TName) override { return true; }

  // Panel family.
  TskRect PanelClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;

  // Menu family (kind 0 menu bar, 1 popup menu; item states 0 normal, 1 hot, 2 selected).
  TskRect MenuClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  void PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;
  void PaintMenuItemGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info, const TskGlyphInfo& glyph) override;

  // Dock family.
  void PaintDock(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;

  // Tool family (item states 1 and 6 hot, 2 pressed, 5 checked).
  TskRect ToolClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  void PaintToolItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;
  void PaintToolItemGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info, const TskGlyphInfo& glyph) override;

protected:
  // The colour shifted in brightness by delta (resolved first).
  TColor Shifted(TColor c, std::int32_t delta) const { return ShiftBrightness(c, delta, SysColorSource()); }
  void PaintGutter(ISkPaintCanvas& canvas, const TskRect& rect);
  // Sub-menu arrow, image-list glyph (with its shadow for hot and selected items) and bitmap.
  void PaintItemGlyph(ISkPaintCanvas& canvas, std::uint8_t itemState, const TskGlyphInfo& glyph);
};
