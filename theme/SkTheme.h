#pragma once
// TskTheme: the drawing interface every theme shares, and the plainest theme ("Default"),
// which skins nothing. A theme answers geometry as pure functions of the records it is given
// and paints into an ISkPaintCanvas; it holds no window state.
//
// Sections: construction and records; class answers and storage; shifts; text; then the
// element families in slot order (Window, Hint, Panel, Button, Check, Splitter, ScrollBar,
// ProgressBar, TrackBar, Header, StatusBar, Edit, GroupBox, EditBox, Box, Menu, Dock, Tool,
// ScrollBox, RollPanel, Tabs, List, Tree, Grid).
//
// Every element operation takes Kind (the element variant chosen by the caller) and the
// client's theme object name ("default" when it has none).
#include "theme/SkPaintCanvas.h"
#include "theme/records/SkThemeColors.h"
#include "theme/records/SkThemeFonts.h"
#include "theme/records/SkThemeInfo.h"
#include "theme/records/SkThemeOptions.h"
#include "theme/records/SkThemeSysColors.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Extension records: no data of their own yet.
class TskThemeDrawing {
public:
  explicit TskThemeDrawing(class TskTheme* theme) : FTheme(theme) {}
  TskTheme* Theme() const { return FTheme; }

private:
  TskTheme* FTheme;
};
class TskThemeMetrics {
public:
  explicit TskThemeMetrics(class TskTheme* theme) : FTheme(theme) {}
  TskTheme* Theme() const { return FTheme; }

private:
  TskTheme* FTheme;
};

// Window hit-test codes.
enum TskHitCode : std::uint8_t {
  khtNowhere = 0,
  khtCaption = 1,
  khtLeft = 2,
  khtTop = 3,
  khtRight = 4,
  khtBottom = 5,
  khtTopLeft = 7,
  khtTopRight = 8,
  khtBottomLeft = 9,
  khtBottomRight = 10,
  khtClose = 11,
  khtHelp = 12,
  khtMinimize = 13,
  khtMaximize = 14,
  khtRoll = 15,
  khtTray = 16,
  khtSysMenu = 17
};

class TskTheme : public ISkThemeFontAdjuster {
public:
  using TName = const std::string&;

  // Records made, name set; the look's defaults are not loaded yet (ApplyDefaults, or build
  // themes with SkMakeTheme, which does both).
  TskTheme();
  virtual ~TskTheme();
  TskTheme(const TskTheme&) = delete;
  TskTheme& operator=(const TskTheme&) = delete;

  // The system colours every theme resolves references through. Defaults to a fixed table
  // of the classic colours; the platform layer installs the real one at start-up.
  static void SetSysColorSource(TskSysColorFunc source);
  static TskSysColorFunc SysColorSource();

  TskThemeColors& Colors() { return *FColors; }
  const TskThemeColors& Colors() const { return *FColors; }
  TskThemeSysColors& SysColors() { return *FSysColors; }
  const TskThemeSysColors& SysColors() const { return *FSysColors; }
  TskThemeFonts& Fonts() { return *FFonts; }
  const TskThemeFonts& Fonts() const { return *FFonts; }
  TskThemeDrawing& Drawing() { return *FDrawing; }
  TskThemeMetrics& Metrics() { return *FMetrics; }
  TskThemeOptions& Options() { return *FOptions; }
  const TskThemeOptions& Options() const { return *FOptions; }
  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }
  const std::string& FileName() const { return FFileName; }

  // An element colour resolved to RGB.
  TColor Rgb(TskColorIndex i) const { return ResolveColor((*FColors)[i], FSysSource()); }

  // Shifts: a new value is stored and the defaults are applied again (so shifts never
  // compound); setting a shift back to 0 restores the unshifted look.
  std::int32_t DeltaHue() const { return FDeltaHue; }
  std::int32_t DeltaBrightness() const { return FDeltaBrightness; }
  void SetDeltaHue(std::int32_t d);
  void SetDeltaBrightness(std::int32_t d);
  // Both at once; nothing happens when neither changes.
  void SetDeltas(std::int32_t hue, std::int32_t brightness);

  // Copies name, colours, system colours, fonts and options.
  virtual void Assign(const TskTheme& source);

  // 1..3: the look's defaults, each followed by the shifts.
  virtual void SetDefaultColors();
  // Re-reads the system colours from the platform, then shifts them.
  virtual void SetDefaultSysColors();
  virtual void SetDefaultFonts();
  // Adjusts a copy of font `index` for an object name; the base copies the font unchanged.
  void AssignThemeFont(TskFontDesc& font, std::size_t index, TName objectName) override;

  // Class answers (each theme class answers through its static counterparts too).
  virtual std::string BuildingName() const { return "Default"; }
  virtual TskThemeConfig ThemeConfig() const { return {}; }
  static std::string GetBuildingName() { return "Default"; }
  static TskThemeConfig GetThemeConfig() { return {}; }
  static bool IsThemeStream(TskByteReader&) { return false; }

  // Storage: the base stores nothing. A load that fails leaves the theme as it was.
  [[nodiscard]] virtual bool LoadFromStream(TskByteReader& in);
  [[nodiscard]] virtual bool SaveToStream(TskByteWriter& out) const;
  [[nodiscard]] virtual bool LoadFromFile(const std::string& fileName);
  [[nodiscard]] virtual bool SaveToFile(const std::string& fileName) const;

  // SetDefaultColors, SetDefaultSysColors, SetDefaultFonts.
  virtual void ApplyDefaults();

  // The records' stored forms one after the other (element colours, system colours, fonts,
  // options), for themes that keep them in their own stored form. Reading is all or nothing:
  // a failure leaves every record as it was.
  void SaveRecordsToStream(TskByteWriter& out) const;
  [[nodiscard]] bool LoadRecordsFromStream(TskByteReader& in);

  // Places and draws a text record (alignment, flags, rotation) in the canvas font.
  virtual void PaintTextInfo(ISkPaintCanvas& canvas, const TskTextInfo& info);

  // Window family. Region: rectangles whose union is the window's shape; none for a plain
  // rectangle.
  virtual bool WindowAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual std::vector<TskRect> WindowRegion(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
    return {};
  }
  virtual std::uint8_t WindowHitTest(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                     std::int32_t x, std::int32_t y);
  virtual TskRect WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
    return info.Rect;
  }
  virtual TskRect WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
    return kSkNoRect;
  }
  virtual TskRect WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                   std::uint8_t button) {
    return kSkNoRect;
  }
  virtual void PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                           const TskWindowInfo& info) {}
  virtual void PaintWindowClient(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskRect& rect);
  virtual void PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskRect& rect, const TskWindowInfo& info) {}
  virtual void PaintWindowButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskWindowButtonInfo& info) {}
  virtual void PaintWindowGripper(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskStateInfo& info);

  // Hint family.
  virtual bool HintAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect HintClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) {
    return DeflateRect(rect, 10, 13, 10, 13);
  }
  virtual void PaintHint(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {}
  virtual bool HintTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual bool HintOption(std::uint8_t kind, TName objectName) { return true; }
  virtual void PaintHintText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect,
                             const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }

  // Panel family.
  virtual bool PanelAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool PanelTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect PanelClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {}
  virtual void PaintPanelPart(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskPartInfo& info) {}
  virtual void PaintPanelText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskRect& rect, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }

  // Button family (kinds 0..9: button styles).
  virtual bool ButtonAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool ButtonTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual void PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                           const TskStateInfo& info) {}
  virtual void PaintButtonText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskStateInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintButtonGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                const TskStateInfo& info, const TskGlyphInfo& glyph);

  // Check family (kind 0 check box, 1 radio button).
  virtual bool CheckAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool CheckTransparent(std::uint8_t kind, TName objectName) { return true; }
  virtual void PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskStateInfo& info) {}
  virtual void PaintCheckText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskStateInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual TskPoint CheckGlyphSize(std::uint8_t kind, TName objectName) { return {13, 13}; }

  // Splitter family.
  virtual bool SplitterAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool SplitterTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual void PaintSplitter(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskRect& rect) {}

  // ScrollBar family.
  virtual bool ScrollAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool ScrollTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual void PaintScrollFrame(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                const TskPartInfo& info) {}
  virtual void PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskPartInfo& info) {}
  virtual void PaintScrollTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                const TskPartInfo& info) {}

  // ProgressBar family.
  virtual bool ProgressAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool ProgressTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect ProgressClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) {
    return rect;
  }
  virtual void PaintProgress(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskPartInfo& info) {}

  // TrackBar family.
  virtual bool TrackAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool TrackTransparent(std::uint8_t kind, TName objectName) { return true; }
  virtual void PaintTrackPart(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskPartInfo& info) {}
  virtual void PaintTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) {}
  virtual void PaintTrackThumb(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskPartInfo& info) {}

  // Header family.
  virtual bool HeaderAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool HeaderTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual void PaintHeader(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                           const TskPartInfo& info) {}
  virtual void PaintHeaderSection(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskPartInfo& info) {}
  virtual void PaintHeaderText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskPartInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintHeaderGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                const TskPartInfo& info, const TskGlyphInfo& glyph) {}

  // StatusBar family.
  virtual bool StatusAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool StatusTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect StatusClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintStatus(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                           const TskStateInfo& info) {}
  virtual void PaintStatusPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                const TskStateInfo& info) {}
  virtual void PaintStatusText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskStateInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintStatusGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                const TskStateInfo& info, const TskGlyphInfo& glyph) {}

  // Edit family (edit with buttons, combo box).
  virtual bool EditAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool EditTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect EditClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintEdit(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskStateInfo& info) {}
  virtual void PaintEditButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                               const TskPartInfo& info) {}

  // GroupBox family.
  virtual bool GroupBoxAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool GroupBoxTransparent(std::uint8_t kind, TName objectName) { return true; }
  virtual TskRect GroupBoxClientRect(std::uint8_t kind, const TskGroupBoxInfo& info, TName objectName) {
    return info.Rect;
  }
  virtual void PaintGroupBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskGroupBoxInfo& info) {}
  virtual void PaintGroupBoxText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskGroupBoxInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }

  // EditBox family (plain edit).
  virtual bool EditBoxAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool EditBoxTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect EditBoxClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintEditBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskStateInfo& info) {}

  // Box family.
  virtual bool BoxAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool BoxTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect BoxClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskStateInfo& info) {}

  // Menu family (kind 0 menu bar, 1 popup menu).
  virtual bool MenuAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool MenuTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect MenuClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {}
  virtual void PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskPartInfo& info) {}
  virtual void PaintMenuItemText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskPartInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintMenuItemGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskPartInfo& info, const TskGlyphInfo& glyph) {}

  // Dock family.
  virtual bool DockAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect DockClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintDock(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {}

  // Tool family.
  virtual bool ToolAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect ToolClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) {}
  virtual void PaintToolItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskPartInfo& info) {}
  virtual void PaintToolItemText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskPartInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintToolItemGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskPartInfo& info, const TskGlyphInfo& glyph) {}

  // ScrollBox family.
  virtual bool ScrollBoxAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect ScrollBoxRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintScrollBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskRect& rect) {}

  // RollPanel family.
  virtual bool RollPanelAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool RollPanelTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect RollPanelClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) {
    return rect;
  }
  virtual void PaintRollPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                              const TskRect& rect) {}
  virtual void PaintRollPanelCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                     const TskRect& rect) {}
  virtual void PaintRollPanelButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                    const TskPartInfo& info) {}
  virtual void PaintRollPanelPart(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskPartInfo& info) {}
  virtual void PaintRollPanelText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskRect& rect, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }

  // Tabs family.
  virtual bool TabAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool TabTransparent(std::uint8_t kind, TName objectName) { return true; }
  virtual TskRect TabClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintTabPane(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) {}
  virtual void PaintTab(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskPartInfo& info) {}
  virtual void PaintTabScrollButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                    const TskPartInfo& info) {}
  virtual void PaintTabText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintTabGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskPartInfo& info, const TskGlyphInfo& glyph);

  // List family.
  virtual bool ListAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool ListTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect ListClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintList(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskStateInfo& info) {}
  virtual void PaintListPart(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskStateInfo& info) {}
  virtual void PaintListItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskStateInfo& info) {}
  virtual void PaintListItemText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskStateInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintListItemCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskStateInfo& info, const TskCheckInfo& check) {}

  // Tree family.
  virtual bool TreeAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool TreeTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect TreeClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintTree(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskStateInfo& info) {}
  virtual void PaintTreeItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskStateInfo& info) {}
  virtual void PaintTreeItemText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskStateInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintTreeItemGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskStateInfo& info, const TskGlyphInfo& glyph) {}

  // Grid family.
  virtual bool GridAvailable(std::uint8_t kind, TName objectName) { return false; }
  virtual bool GridTransparent(std::uint8_t kind, TName objectName) { return false; }
  virtual TskRect GridClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) { return rect; }
  virtual void PaintGrid(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskPartInfo& info) {}
  virtual void PaintGridCell(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskPartInfo& info) {}
  virtual void PaintGridCellText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskPartInfo& info, const TskTextInfo& text) {
    PaintTextInfo(canvas, text);
  }
  virtual void PaintGridCellGlyph(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                  const TskPartInfo& info, const TskGlyphInfo& glyph) {}

protected:
  static TskSysColorFunc FSysSource();
  // The shifts applied to each record after its defaults are loaded.
  void ShiftColors();
  void ShiftFonts();

private:
  std::unique_ptr<TskThemeColors> FColors;
  std::unique_ptr<TskThemeFonts> FFonts;
  std::int32_t FDeltaHue = 0;
  std::int32_t FDeltaBrightness = 0;
  std::string FName = "Default theme";

protected:
  std::string FFileName;

private:
  std::unique_ptr<TskThemeSysColors> FSysColors;
  std::unique_ptr<TskThemeDrawing> FDrawing;
  std::unique_ptr<TskThemeMetrics> FMetrics;
  std::unique_ptr<TskThemeOptions> FOptions;
};

// Builds a theme in two steps, construction and then its defaults, so that a derived look's
// defaults are in place (a constructor only ever runs its own class's overrides).
template <class T>
std::unique_ptr<T> SkMakeTheme() {
  auto theme = std::make_unique<T>();
  theme->ApplyDefaults();
  return theme;
}

// The classic system colours by index (0x00BBGGRR), the theme layer's source until the platform
// installs its own.
TColor SkClassicSysColor(int index);
