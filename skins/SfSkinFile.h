#pragma once
// TSkSkinFile: a theme painted from the objects of a skin file. It keeps the skin twice:
// Source as loaded (and saved), WorkSource the copy that is drawn, with the theme's hue and
// brightness shifts applied. Every theme operation lays out and draws objects of WorkSource
// onto the paint canvas: a node tree is rendered into an off-screen image that the canvas
// draws, and its texts are handed to the canvas afterwards, in the canvas's own fonts.
//
// The window frame is drawn from "Form" (kinds 0, 1, 2, 4) or "ToolWindow" (kind 6). Each is
// split once per rebuild into: the frame itself (caption buttons hidden, its client node
// replaced by an empty placeholder), a layout copy (geometry and hit tests), a button copy
// (caption buttons) and a copy of the client node (the client background). A frame object
// without a client node offers no window family at all.
#include "skins/SfSkinSource.h"
#include "theme/SkTheme.h"

#include <array>
#include <memory>
#include <string>

// The cache entries of the well-known top-level objects, in lookup order.
enum TSfCacheEntry : std::uint8_t {
  ceForm,
  ceToolWindow,
  ceButton,
  ceCheckbox,
  ceRadioButton,
  ceGroupBox,
  ceScrollBar,
  ceProgressBar,
  ceEdit,
  ceComboBox,
  ceTrackBar,
  ceMenuBar,
  cePopupMenu,
  ceHeader,
  ceStatusBar,
  ceTabs,
  ceContainer,
  ceFrame,
  ceScrollBox,
  ceSplitter,
  ceSpinButton,
  ceControlBar,
  ceGrid,
  ceListBox,
  ceHint,
  ceSpeedButton,
  ceToolBar,
  cePanel,
  ceCount
};
extern const std::array<const char*, ceCount> kSfCacheNames;

// One window frame split for drawing (see above). Copies are owned here; Frame and Placeholder
// belong to WorkSource.
struct TSfFrameEntry {
  TSfSkinObject* Frame = nullptr;
  TSfSkinObject* Placeholder = nullptr;
  std::unique_ptr<TSfSkinObject> Layout;
  std::unique_ptr<TSfSkinObject> Buttons;
  std::unique_ptr<TSfSkinObject> Client;
  bool Ready() const { return Frame && Placeholder && Layout && Buttons && Client; }
};

class TSfPaintTarget;

class TSkSkinFile : public TskTheme {
public:
  TSkSkinFile();
  ~TSkSkinFile() override;

  std::string BuildingName() const override { return GetBuildingName(); }
  TskThemeConfig ThemeConfig() const override { return GetThemeConfig(); }
  static std::string GetBuildingName() { return "Pellor 3 theme"; }
  static TskThemeConfig GetThemeConfig();
  // A skin signature, or the compressed text form's "QVLZ".
  static bool IsThemeStream(TskByteReader& in);

  // Loads go through the skin reader with these limits; a failed load keeps the theme as it
  // was and leaves the reason in LastError.
  TSfLimits& Limits() { return FLimits; }
  const std::string& LastError() const { return FError; }
  [[nodiscard]] bool LoadFromStream(TskByteReader& in) override;
  [[nodiscard]] bool SaveToStream(TskByteWriter& out) const override;
  [[nodiscard]] bool LoadFromFile(const std::string& fileName) override;
  [[nodiscard]] bool SaveToFile(const std::string& fileName) const override;
  // Takes a skin already in memory (tools, tests); false when it holds no object.
  bool LoadFromSource(TSfSkinSource source);

  void Assign(const TskTheme& source) override;
  void ApplyDefaults() override;
  void SetDefaultColors() override;
  void SetDefaultSysColors() override;
  void SetDefaultFonts() override;
  virtual void RebuildObjectCache();

  const TSfSkinSource& Source() const { return FSource; }
  TSfSkinSource& WorkSource() { return FWorkSource; }
  TSfSkinObject* Cached(TSfCacheEntry e) const { return FCache[e]; }
  const TSfFrameEntry& FormEntry() const { return FForm; }
  const TSfFrameEntry& ToolWindowEntry() const { return FToolWindow; }

  // Window family (kinds 0, 1, 2, 4 draw from "Form", kind 6 from "ToolWindow").
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
  void PaintWindowGripper(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskStateInfo& info) override;

  // Hint family.
  bool HintAvailable(std::uint8_t, TName) override { return true; }
  bool HintTransparent(std::uint8_t, TName) override { return true; }
  TskRect HintClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintHint(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;

  // Panel family.
  bool PanelAvailable(std::uint8_t kind, TName objectName) override;
  TskRect PanelClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;

  // Button family.
  bool ButtonAvailable(std::uint8_t kind, TName objectName) override;
  bool ButtonTransparent(std::uint8_t kind, TName objectName) override;
  void PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskStateInfo& info) override;
  // A named text object places the text by its own alignment.
  void PaintButtonText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskStateInfo& info,
                       const TskTextInfo& text) override;

  // Check family.
  bool CheckAvailable(std::uint8_t kind, TName objectName) override;
  bool CheckTransparent(std::uint8_t, TName) override { return true; }
  TskPoint CheckGlyphSize(std::uint8_t kind, TName objectName) override;
  void PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                  const TskStateInfo& info) override;

  // Splitter family.
  bool SplitterAvailable(std::uint8_t kind, TName objectName) override;
  void PaintSplitter(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskRect& rect) override;

  // ScrollBar family.
  bool ScrollAvailable(std::uint8_t kind, TName objectName) override;
  bool ScrollTransparent(std::uint8_t kind, TName objectName) override;
  void PaintScrollFrame(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskPartInfo& info) override;
  void PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;
  void PaintScrollTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskPartInfo& info) override;

  // ProgressBar family.
  bool ProgressAvailable(std::uint8_t kind, TName objectName) override;
  bool ProgressTransparent(std::uint8_t kind, TName objectName) override;
  void PaintProgress(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;

  // Header family.
  bool HeaderAvailable(std::uint8_t kind, TName objectName) override;
  void PaintHeader(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskPartInfo& info) override;
  void PaintHeaderSection(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                          const TskPartInfo& info) override;

  // StatusBar family.
  bool StatusAvailable(std::uint8_t kind, TName objectName) override;
  void PaintStatus(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                   const TskStateInfo& info) override;
  void PaintStatusPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                        const TskStateInfo& info) override;
  void PaintStatusText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskStateInfo& info,
                       const TskTextInfo& text) override;

  // Edit family.
  bool EditAvailable(std::uint8_t kind, TName objectName) override;
  TskRect EditClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintEdit(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintEditButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                       const TskPartInfo& info) override;

  // EditBox family.
  bool EditBoxAvailable(std::uint8_t kind, TName objectName) override;
  TskRect EditBoxClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintEditBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                    const TskStateInfo& info) override;

  // Menu family.
  bool MenuAvailable(std::uint8_t kind, TName objectName) override;
  TskRect MenuClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  void PaintMenuItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;

  // Tabs family.
  bool TabAvailable(std::uint8_t kind, TName objectName) override;
  TskRect TabClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintTabPane(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                    const TskPartInfo& info) override;
  void PaintTab(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                const TskPartInfo& info) override;
  void PaintTabScrollButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) override;
  void PaintTabText(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskPartInfo& info,
                    const TskTextInfo& text) override;

  // List family.
  bool ListAvailable(std::uint8_t kind, TName objectName) override;
  TskRect ListClientRect(std::uint8_t kind, const TskRect& rect, TName objectName) override;
  void PaintList(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                 const TskStateInfo& info) override;
  void PaintListItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskStateInfo& info) override;

  // TrackBar family.
  bool TrackAvailable(std::uint8_t kind, TName objectName) override;
  void PaintTrackPart(std::uint8_t, ISkPaintCanvas&, TName, const TskPartInfo&) override {}
  void PaintTrack(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                  const TskPartInfo& info) override;
  void PaintTrackThumb(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                       const TskPartInfo& info) override;

  // GroupBox family.
  bool GroupBoxAvailable(std::uint8_t kind, TName objectName) override;
  bool GroupBoxTransparent(std::uint8_t kind, TName objectName) override;
  void PaintGroupBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskGroupBoxInfo& info) override;

  // Dock and Tool families.
  bool DockAvailable(std::uint8_t kind, TName objectName) override;
  void PaintDock(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  bool ToolAvailable(std::uint8_t kind, TName objectName) override;
  void PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName, const TskRect& rect) override;
  void PaintToolItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                     const TskPartInfo& info) override;

  // ScrollBox family.
  bool ScrollBoxAvailable(std::uint8_t kind, TName objectName) override;
  void PaintScrollBox(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                      const TskRect& rect) override;

  // RollPanel family.
  bool RollPanelAvailable(std::uint8_t kind, TName objectName) override;
  bool RollPanelTransparent(std::uint8_t kind, TName objectName) override;
  void PaintRollPanel(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                      const TskRect& rect) override;
  void PaintRollPanelCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                             const TskRect& rect) override;
  void PaintRollPanelButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                            const TskPartInfo& info) override;

  // List item check boxes; Tree and Grid families.
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
  // The window objects for a kind and object name: a named top-level object stands in for
  // every part of the frame.
  struct TWindowObjects {
    TSfSkinObject* Frame = nullptr;
    TSfSkinObject* Placeholder = nullptr;
    TSfSkinObject* Layout = nullptr;
    TSfSkinObject* Buttons = nullptr;
    TSfSkinObject* Client = nullptr;
    bool Named = false;
    explicit operator bool() const { return Frame && Placeholder && Layout && Buttons && Client; }
  };
  TWindowObjects WindowObjects(std::uint8_t kind, TName objectName);
  // The layout copy in the window's state, button set and rectangle, laid out completely.
  void PrepareLayout(TSfSkinObject& layout, const TskWindowInfo& info);
  // The named top-level object when the name is not "default", else the cache entry.
  TSfSkinObject* Pick(TSfCacheEntry e, TName objectName) const;
  TSfSkinObject* Named(TName objectName) const;
  // Draws a node into a rectangle (its state set first when state >= 0).
  void Draw(ISkPaintCanvas& canvas, TSfSkinObject* node, const TskRect& rect, int state = -1);
  // The object's "Frame" drawn into a rectangle; without one the object itself stands in,
  // drawn without its children (which are then sample parts, not frame parts).
  void DrawFrame(ISkPaintCanvas& canvas, TSfSkinObject* object, const TskRect& rect);
  // A named node of an object (or none).
  static TSfSkinObject* Sub(TSfSkinObject* object, const char* name);
  void SplitFrame(TSfSkinObject* frame, TSfFrameEntry& entry);

  TSfSkinSource FWorkSource;
  TSfSkinSource FSource;
  std::array<TSfSkinObject*, ceCount> FCache{};
  TSfFrameEntry FForm, FToolWindow;
  TSfLimits FLimits;
  std::string FError;
  std::unique_ptr<TSfPaintTarget> FPaint;
  // The frame's image, kept from paint to paint; FGeneration changes whenever it must be
  // drawn afresh (the objects were rebuilt).
  std::unique_ptr<TSfPaintTarget> FFramePaint;
  std::uint64_t FGeneration = 1;
  TSfPixelTextEngine FMeasure;
};
