#pragma once
// TSkThemeMsStyles: a theme that takes its look from a platform visual-style module (a
// resource-only module with name lists, an ini description and bitmaps) or from its own
// stored form ("QVMSSTL" and a zlib stream; files with the extension "theme").
//
// The module itself is reached through IVsResourceSource (VsResourceSource.h); module files are read from
// their bytes by TVsModuleFile (visualstyles/VsModuleFile.h), so everything here is platform-free. Loading
// never throws and a failed load leaves the theme as it was; LastError() says why it failed.
//
// Sections: the class (storage, building, records, then the element
// families in slot order).
#include "fileread/SfReader.h"
#include "theme/SkTheme.h"
#include "visualstyles/VsDescription.h"
#include "visualstyles/VsResourceSource.h"
#include "visualstyles/VsSections.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class TSkThemeMsStyles : public TskTheme {
public:
  TSkThemeMsStyles();

  std::string BuildingName() const override { return GetBuildingName(); }
  TskThemeConfig ThemeConfig() const override { return GetThemeConfig(); }
  static std::string GetBuildingName() { return "Microsoft msstyles"; }
  static TskThemeConfig GetThemeConfig();
  // The next 7 bytes are the magic.
  static bool IsThemeStream(TskByteReader& in);

  // The colour scheme and size a module is read in: the ones named here when the module offers
  // them (names compared ignoring case), otherwise its first. The process-wide names (the
  // platform's current visual-style settings, set by the platform layer) are what a new theme
  // starts with.
  static void SetPlatformScheme(std::string colorName, std::string sizeName);
  void SetScheme(std::string colorName, std::string sizeName);
  // The scheme and size the last module load used (0-based).
  std::int32_t ColorSchemeIndex() const { return FColorSchemeIndex; }
  std::int32_t SizeIndex() const { return FSizeIndex; }

  // Storage. The stored form carries the name, the description and the images as loaded.
  [[nodiscard]] bool LoadFromStream(TskByteReader& in) override;
  [[nodiscard]] bool SaveToStream(TskByteWriter& out) const override;
  // A "theme" file is read as a stored form (it must start with the magic); any other file is
  // opened as a module. Both apply the defaults on success.
  [[nodiscard]] bool LoadFromFile(const std::string& fileName) override;
  // Only for the extension "theme"; other names answer false and write nothing.
  [[nodiscard]] bool SaveToFile(const std::string& fileName) const override;
  void Assign(const TskTheme& source) override;

  // Reads the name lists, the description and its images from an open module.
  [[nodiscard]] bool LoadFromModule(IVsResourceSource& module, const std::string& fileName);
  // Reads a whole stored form (magic included).
  [[nodiscard]] bool LoadFromBytes(std::span<const std::uint8_t> bytes);
  const std::string& LastError() const { return FError; }
  void SetLimits(const TSfLimits& limits) { FLimits = limits; }

  // Builds the sections, the metrics and the shifted images, then the records.
  void ApplyDefaults() override;
  void SetDefaultColors() override;
  void SetDefaultSysColors() override;
  void SetDefaultFonts() override;

  // What was read.
  const std::string& Description() const { return FDescriptionText; }
  const TvsIniStore& Ini() const { return FIni; }
  const std::vector<std::string>& ColorNames() const { return FColorNames; }
  const std::vector<std::string>& SizeNames() const { return FSizeNames; }
  const std::vector<std::string>& FileNames() const { return FFileResNames; }
  // The images as the sections draw them (shifted when a shift is set).
  const TvsImageList& Images() const { return FShifted.Count() ? FShifted : FImages; }
  const TvsImageList& OriginalImages() const { return FImages; }
  // A known section by name (ignoring case); null for names that are not known.
  const TvsThemeObject* Section(const std::string& name) const;
  bool HasSection(const std::string& name) const;
  std::int32_t CaptionBarHeight() const { return FCaptionBarHeight; }
  std::int32_t SmallCaptionBarHeight() const { return FSmCaptionBarHeight; }
  std::int32_t BorderWidth() const { return FBorderWidth; }
  std::int32_t SmallBorderWidth() const { return FSmBorderWidth; }
  TColor MenuColor() const { return FMenuColor; }
  TColor MenuBarColor() const { return FMenuBarColor; }
  TColor MenuHighlightColor() const { return FMenuHilightColor; }
  const TskFontDesc& MenuFont() const { return FMenuFont; }
  const TskFontDesc& StatusFont() const { return FStatusFont; }
  const TskFontDesc& MsgBoxFont() const { return FMsgBoxFont; }

  // Draws a known section (nothing for an unknown name).
  void DrawSection(ISkPaintCanvas& canvas, const std::string& section, const TskRect& rect,
                   std::int32_t index, const TskRect& clip = {}) const;

  // Window family.
  bool WindowAvailable(std::uint8_t kind, TName objectName) override;
  std::vector<TskRect> WindowRegion(std::uint8_t kind, const TskWindowInfo& info, TName objectName) override;
  std::uint8_t WindowHitTest(std::uint8_t kind, const TskWindowInfo& info, TName objectName, std::int32_t x,
                             std::int32_t y) override;
  TskRect WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) override;
  TskRect WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) override;
  TskRect WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                           std::uint8_t button) override;
  void PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskWindowInfo& info) override;
  void PaintWindowClient(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskRect& rect) override;
  void PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect,
                          const TskWindowInfo& info) override;
  void PaintWindowButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                         const TskWindowButtonInfo& info) override;

  // Panel, Button, Check, Splitter.
  bool PanelAvailable(std::uint8_t, TName) override { return true; }
  TskRect PanelClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  bool ButtonAvailable(std::uint8_t kind, TName objectName) override;
  bool ButtonTransparent(std::uint8_t kind, TName objectName) override;
  void PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskStateInfo& info) override;
  bool CheckAvailable(std::uint8_t kind, TName objectName) override;
  bool CheckTransparent(std::uint8_t, TName) override { return true; }
  void PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                  const TskStateInfo& info) override;
  bool SplitterAvailable(std::uint8_t, TName) override { return true; }
  void PaintSplitter(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskRect& rect) override;

  // ScrollBar, ProgressBar, TrackBar, Header, StatusBar.
  bool ScrollAvailable(std::uint8_t kind, TName objectName) override;
  bool ScrollTransparent(std::uint8_t, TName) override { return false; }
  void PaintScrollFrame(std::uint8_t, ISkPaintCanvas&, TName, const TskPartInfo&) override {}
  void PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;
  void PaintScrollTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskPartInfo& info) override;
  bool ProgressAvailable(std::uint8_t kind, TName objectName) override;
  bool ProgressTransparent(std::uint8_t, TName) override { return false; }
  void PaintProgress(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;
  bool TrackAvailable(std::uint8_t kind, TName objectName) override;
  bool TrackTransparent(std::uint8_t, TName) override { return true; }
  void PaintTrackPart(std::uint8_t, ISkPaintCanvas&, TName, const TskPartInfo&) override {}
  void PaintTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                  const TskPartInfo& info) override;
  void PaintTrackThumb(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                       const TskPartInfo& info) override;
  bool HeaderAvailable(std::uint8_t kind, TName objectName) override;
  void PaintHeader(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskPartInfo& info) override;
  void PaintHeaderSection(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;
  bool StatusAvailable(std::uint8_t kind, TName objectName) override;
  TskRect StatusClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintStatus(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskStateInfo& info) override;
  void PaintStatusPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskStateInfo& info) override;

  // Edit, GroupBox, EditBox, Box, Menu.
  bool EditAvailable(std::uint8_t kind, TName objectName) override;
  TskRect EditClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 4, 4, 4, 4);
  }
  void PaintEdit(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintEditButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                       const TskPartInfo& info) override;
  bool GroupBoxAvailable(std::uint8_t kind, TName objectName) override;
  bool GroupBoxTransparent(std::uint8_t kind, TName objectName) override;
  void PaintGroupBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskGroupBoxInfo& info) override;
  bool EditBoxAvailable(std::uint8_t kind, TName objectName) override;
  TskRect EditBoxClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintEditBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                    const TskStateInfo& info) override;
  bool BoxAvailable(std::uint8_t, TName) override { return true; }
  TskRect BoxClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                const TskStateInfo& info) override;
  bool MenuAvailable(std::uint8_t, TName) override { return true; }
  TskRect MenuClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  void PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;

  // Dock, Tool, ScrollBox, RollPanel, Tabs.
  bool DockAvailable(std::uint8_t, TName) override { return true; }
  void PaintDock(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  bool ToolAvailable(std::uint8_t kind, TName objectName) override;
  void PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  void PaintToolItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;
  bool ScrollBoxAvailable(std::uint8_t, TName) override { return true; }
  TskRect ScrollBoxRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 2, 2, 2, 2);
  }
  void PaintScrollBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                      const TskRect& rect) override;
  bool RollPanelAvailable(std::uint8_t kind, TName objectName) override;
  bool RollPanelTransparent(std::uint8_t kind, TName objectName) override;
  void PaintRollPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                      const TskRect& rect) override;
  void PaintRollPanelCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskRect& rect) override;
  void PaintRollPanelButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) override;
  bool TabAvailable(std::uint8_t kind, TName objectName) override;
  TskRect TabClientRect(std::uint8_t, const TskRect& rect, TName) override {
    return DeflateRect(rect, 1, 1, 1, 1);
  }
  void PaintTabPane(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                    const TskPartInfo& info) override;
  void PaintTab(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                const TskPartInfo& info) override;
  void PaintTabScrollButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) override;

  // List, Tree, Grid.
  bool ListAvailable(std::uint8_t kind, TName objectName) override;
  void PaintList(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintListItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskStateInfo& info) override;
  void PaintListItemCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskStateInfo& info, const TskCheckInfo& check) override;
  bool TreeAvailable(std::uint8_t kind, TName objectName) override;
  void PaintTree(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintTreeItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskStateInfo& info) override;
  bool GridAvailable(std::uint8_t kind, TName objectName) override;
  void PaintGrid(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskPartInfo& info) override;
  void PaintGridCell(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;

private:
  // The theme's own state, replaced as a whole by a successful load.
  struct TContent {
    std::string Name;
    std::string FileName;
    std::string DescriptionText;
    TvsIniStore Ini;
    std::vector<std::string> ColorNames, SizeNames, FileResNames;
    std::int32_t ColorSchemeIndex = 0, SizeIndex = 0;
    TvsImageList Images;
  };
  void TakeContent(TContent&& content);
  bool LoadStored(std::span<const std::uint8_t> bytes, std::size_t* used);
  void BuildSections();
  TvsThemeObject* Obj(const std::string& name);
  TColor SysColor(TColor reference) const;
  void Bevel(ISkPaintCanvas& canvas, const TskRect& rect) const;
  // Band geometry of kinds 0, 1 (normal) and 6 (small).
  std::int32_t Cbh(std::uint8_t kind) const { return kind == 6 ? FSmCaptionBarHeight : FCaptionBarHeight; }
  std::int32_t Bw(std::uint8_t kind) const { return kind == 6 ? FSmBorderWidth : FBorderWidth; }

  TSfLimits FLimits;
  std::string FError;
  std::string FDescriptionText;
  TvsIniStore FIni;
  std::vector<std::string> FColorNames, FSizeNames, FFileResNames;
  std::string FColorName, FSizeName;
  std::int32_t FColorSchemeIndex = 0;
  std::int32_t FSizeIndex = 0;
  // The images as loaded, and their shifted copies while a shift is set.
  TvsImageList FImages;
  TvsImageList FShifted;
  std::vector<TvsThemeObject> FSections;
  std::unordered_map<std::string, std::size_t> FSectionIndex;
  std::int32_t FCaptionBarHeight = 25;
  std::int32_t FSmCaptionBarHeight = 17;
  std::int32_t FBorderWidth = 4;
  std::int32_t FSmBorderWidth = 3;
  TColor FMenuColor = 0xFFFFFF;
  TColor FMenuBarColor = 0xFFFFFF;
  TColor FMenuHilightColor = 0xC56A31;
  TskFontDesc FMenuFont, FStatusFont, FMsgBoxFont;
};

// Loads a visual-style theme from a file: a module or a stored form ("theme" extension).
// The theme has its defaults applied; on failure it is null and `error` says why.
struct TvsLoadResult {
  std::unique_ptr<TSkThemeMsStyles> Theme;
  std::string Error;
};
TvsLoadResult VsLoadThemeFile(const std::string& fileName);

// Parses "Face, 10, Bold"-style font values: face before the first comma, the size as the
// integer at the start of the second field (`defaultSize` when there is none), and with
// `styles` the later fields: a style word adds its style, any other non-empty field in
// places 3 to 6 adds bold, italic, underline or strikeout by its place.
TskFontDesc VsParseFont(std::string_view value, std::int32_t defaultSize, bool styles,
                        const TskFontDesc& base);
