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

  // Control families (state and part values as the themed controls pass them; every element
  // is clipped to its rectangle and an empty or inverted rectangle draws nothing).
  void PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskStateInfo& info) override;
  void PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                  const TskStateInfo& info) override;
  void PaintSplitter(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskRect& rect) override;
  void PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;
  void PaintScrollTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskPartInfo& info) override;
  void PaintProgress(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;
  void PaintTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                  const TskPartInfo& info) override;
  void PaintTrackThumb(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                       const TskPartInfo& info) override;
  void PaintHeader(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskPartInfo& info) override;
  void PaintHeaderSection(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;
  void PaintHeaderText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskPartInfo& info,
                       const TskTextInfo& text) override;
  void PaintHeaderGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskPartInfo& info,
                        const TskGlyphInfo& glyph) override;
  TskRect StatusClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 5, 2, 5, 2);
  }
  void PaintStatus(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskStateInfo& info) override;
  void PaintStatusPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskStateInfo& info) override;
  void PaintStatusGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskStateInfo& info,
                        const TskGlyphInfo& glyph) override;
  TskRect EditClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 4, 4, 4, 4);
  }
  void PaintEdit(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintEditButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                       const TskPartInfo& info) override;
  TskRect GroupBoxClientRect(std::uint8_t, const TskGroupBoxInfo& info, TName) override {
    return DeflateRect(info.Rect, 6, 6, 6, 6);
  }
  void PaintGroupBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskGroupBoxInfo& info) override;
  TskRect EditBoxClientRect(std::uint8_t, const TskRect& rect, TName) override { return rect; }
  void PaintEditBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                    const TskStateInfo& info) override;
  TskRect BoxClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                const TskStateInfo& info) override;
  TskRect ScrollBoxRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintScrollBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                      const TskRect& rect) override;
  TskRect RollPanelClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintRollPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                      const TskRect& rect) override;
  void PaintRollPanelCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskRect& rect) override;
  void PaintRollPanelButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) override;
  void PaintRollPanelPart(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;
  void PaintTabPane(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                    const TskPartInfo& info) override;
  void PaintTab(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                const TskPartInfo& info) override;
  void PaintTabScrollButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) override;
  void PaintTabText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskPartInfo& info,
                    const TskTextInfo& text) override;
  TskRect ListClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintList(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintListItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskStateInfo& info) override;
  void PaintListItemCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskStateInfo& info, const TskCheckInfo& check) override;
  TskRect TreeClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintTree(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintTreeItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskStateInfo& info) override;
  TskRect GridClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintGrid(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskPartInfo& info) override;
  void PaintGridCell(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;

protected:
  // The look's fonts (the default face, 8 points, black; 10-point bold captions in the colours
  // given; static texts left at the defaults unless asked for), then shifted.
  void SetFlatFonts(TColor captionNormal, TColor captionInactive, bool staticTexts);
  // The colour shifted in brightness by delta (resolved first).
  TColor Shifted(TColor c, std::int32_t delta) const { return ShiftBrightness(c, delta, SysColorSource()); }
  void PaintGutter(ISkPaintCanvas& canvas, const TskRect& rect);
  // Sub-menu arrow, image-list glyph (with its shadow for hot and selected items) and bitmap.
  void PaintItemGlyph(ISkPaintCanvas& canvas, std::uint8_t itemState, const TskGlyphInfo& glyph);
  // Fill and one-pixel Border frame, clipped to r; nothing for an empty rectangle.
  void FillFramed(ISkPaintCanvas& canvas, const TskRect& r, TColor fill);
  // The menu check mark in Border around (cx, cy).
  void PaintCheckMark(ISkPaintCanvas& canvas, std::int32_t cx, std::int32_t cy);
};
