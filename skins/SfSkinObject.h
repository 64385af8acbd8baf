#pragma once
// Skin objects: the node classes of a skin's object trees, their stored properties, their
// layout by alignment and their drawing onto a platform-free canvas. A node owns its children
// (in order); all coordinates of a tree are in one space (a child's Left and Top are absolute).
//
// Sections: enumerations and value types; the canvas; TSfSkinObject; the subclasses; the
// class registry and the stored-record helpers.
#include "skins/SfObjectStream.h"
#include "theme/SkColor.h"
#include "theme/SkMasks.h"
#include "theme/SkPixelDraw.h"
#include "theme/SkPixels.h"
#include "theme/SkRect.h"
#include "theme/records/SkFontDesc.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

// ---- enumerations (stored by enumerator name) ----
enum TSfAlign : std::uint8_t {
  saNone,
  saLeft,
  saMostLeft,
  saTop,
  saMostTop,
  saRight,
  saMostRight,
  saBottom,
  saMostBottom,
  saClient,
  saTopLeft,
  saTopRight,
  saBottomLeft,
  saBottomRight,
  saCenter,
  saText
};
enum TSfKind : std::uint8_t {
  skNone,
  skForm,
  skCaption,
  skTitle,
  skTop,
  skLeft,
  skRight,
  skBottom,
  skTopLeft,
  skTopRight,
  skBottomLeft,
  skBottomRight,
  skSysButton,
  skClient,
  skMenuBar,
  skMenuBarItem,
  skMenuBarItemText,
  skPopupMenu,
  skPopupMenuItem,
  skPopupMenuItemText,
  skItemText,
  skTranparent
};
enum TSfTextAlign : std::uint8_t {
  taTopLeft,
  taTopCenter,
  taTopRight,
  taLeft,
  taCenter,
  taRight,
  taBottomLeft,
  taBottomCenter,
  taBottomRight
};
enum TSfTextEffect : std::uint8_t { teNone, teShadow };
enum TscTileStyle : std::uint8_t {
  tsTile,
  tsStretch,
  tsCenter,
  tsVertCenterStretch,
  tsVertCenterTile,
  tsHorzCenterStretch,
  tsHorzCenterTile
};
enum TSfAction : std::uint8_t {
  sbaNone,
  sbaClose,
  sbaHelp,
  sbaMinimize,
  sbaMaximize,
  sbaRestore,
  sbaRollUp,
  sbaRollDown,
  sbaTray,
  sbaSysMenu,
  sbaRollPanel,
  sbaCustom
};
enum TSfRollKind : std::uint8_t { rkLeft, rkTop, rkRight, rkBottom };

// The no-colour value of a node's Color.
inline constexpr TColor kSfNoColor = 0x1FFFFFFF;

// Font styles are the theme's (TskFontStyle bits in TSfFont::Style).

// A font as skins store it: face, height in pixels (negative: character height), colour,
// character set and style bits.
struct TSfFont {
  std::string Name = "Tahoma";
  std::int32_t Height = -11; // size 8 at 96 pixels per inch
  TColor Color = 0xFF000008; // clWindowText
  std::uint8_t Charset = 1;  // DEFAULT_CHARSET
  std::uint8_t Style = 0;
  // Point size at 96 pixels per inch, and the reverse.
  std::int32_t Size() const;
  void SetSize(std::int32_t points);
  friend bool operator==(const TSfFont&, const TSfFont&) = default;
};

// A named 32-bit bitmap of a skin with its two drawing flags.
struct TSfBitmap {
  std::string Name;
  TskPixels Pixels;
  bool Transparent = false;
  bool AlphaBlend = false;
};
using TSfBitmapList = std::vector<std::unique_ptr<TSfBitmap>>;
// The first bitmap whose name equals `name` ignoring case, or none.
const TSfBitmap* SfFindBitmap(const TSfBitmapList& list, std::string_view name);

// A reference from a node to a rectangle of a named bitmap; resolved after loading.
struct TSfBitmapRef {
  std::string Name;
  TskRect Rect;
  const TSfBitmap* Bitmap = nullptr; // not owned; none while unresolved
  TskMaskFlags Masks;
  // Resolved, with an area that lies inside its bitmap.
  bool Valid() const;
};

// ---- the canvas ----

// Measures and draws text for the canvas. Implementations: the built-in pixel font
// (platform-free) and the platform's text output.
class ISfTextEngine {
public:
  virtual ~ISfTextEngine() = default;
  virtual std::int32_t TextWidth(const std::wstring& text, const TSfFont& font) = 0;
  virtual std::int32_t TextHeight(const TSfFont& font) = 0;
  // Draws one line with its top-left corner at (x, y), clipped to `clip`.
  virtual void DrawText(TskPixels& target, const std::wstring& text, std::int32_t x, std::int32_t y,
                        const TSfFont& font, TColor color, const TskRect& clip) = 0;
};

// A blocky built-in font (3 x 5 cells scaled by the font height): letters, digits and common
// punctuation; lower case is drawn as upper case. Deterministic on every platform.
class TSfPixelTextEngine : public ISfTextEngine {
public:
  std::int32_t TextWidth(const std::wstring& text, const TSfFont& font) override;
  std::int32_t TextHeight(const TSfFont& font) override;
  void DrawText(TskPixels& target, const std::wstring& text, std::int32_t x, std::int32_t y,
                const TSfFont& font, TColor color, const TskRect& clip) override;
};

// What a node draws onto: the pixels, the text engine, the system colour source and the
// right-to-left setting of the platform.
struct TSfCanvas {
  TskPixels& Pixels;
  ISfTextEngine& Text;
  TskSysColorFunc SysColors = nullptr;
  bool RightToLeftEnabled = false;
  // The icon a system-menu button shows (none: nothing is drawn there).
  const TskPixels* Icon = nullptr;
};

class TSfSkinObject;
class TSfRegionBuilder;

// Walks the stored properties of a node in their published order.
class ISfPropertyVisitor {
public:
  virtual ~ISfPropertyVisitor() = default;
  virtual void Enum(const char* name, std::uint8_t& value, std::span<const char* const> names) = 0;
  virtual void Int(const char* name, std::int32_t& value) = 0;
  virtual void Bool(const char* name, bool& value) = 0;
  virtual void Color(const char* name, TColor& value) = 0;
  virtual void Str(const char* name, std::string& value) = 0;
  virtual void Font(const char* name, TSfFont& value) = 0;
  virtual void Bitmap(const char* name, TSfBitmapRef& value) = 0;
};

// ---- TSfSkinObject ----

// One node of a skin object tree. Stored properties are the public F fields; geometry changes
// go through SetNodeBounds (or SetLeft/SetTop/SetWidth/SetHeight) so that children follow.
class TSfSkinObject {
public:
  TSfSkinObject() = default;
  virtual ~TSfSkinObject() = default;
  TSfSkinObject(const TSfSkinObject&) = delete;
  TSfSkinObject& operator=(const TSfSkinObject&) = delete;

  virtual const char* ClassName() const { return "TSfSkinObject"; }
  virtual std::unique_ptr<TSfSkinObject> NewInstance() const { return std::make_unique<TSfSkinObject>(); }
  virtual void VisitProperties(ISfPropertyVisitor& v);
  // Every font of this node (not of its children).
  virtual void ForEachFont(const std::function<void(TSfFont&)>& fn);
  // Every bitmap reference of this node; `withMargins` answers whether its masks are computed
  // with the node's margins.
  virtual void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) {}
  virtual bool MasksWithMargins() const { return false; }

  // Tree.
  std::string FName;
  TSfSkinObject* Owner() const { return FOwner; }
  std::size_t ChildCount() const { return FChildren.size(); }
  TSfSkinObject* Child(std::size_t i) const { return i < FChildren.size() ? FChildren[i].get() : nullptr; }
  TSfSkinObject* AddChild(std::unique_ptr<TSfSkinObject> child);
  // Takes a direct child out of the tree (none when `child` is not one).
  std::unique_ptr<TSfSkinObject> RemoveChild(const TSfSkinObject* child);
  TSfSkinObject* FindByName(std::string_view name);
  TSfSkinObject* FindByKind(TSfKind kind);
  void SetFontCharset(std::uint8_t charset);
  // Resolves the bitmap references of the whole subtree against `bitmaps` (children first).
  void AfterLoad(const TSfBitmapList& bitmaps);
  // A copy of the subtree (properties and children); references are resolved again.
  std::unique_ptr<TSfSkinObject> Clone(const TSfBitmapList& bitmaps) const;
  // Hue and brightness shifts of every Color and font colour of the subtree.
  void ShiftColors(std::int64_t deltaHue, std::int64_t deltaBrightness, TskSysColorFunc sys);
  std::size_t NodeCount() const;
  int TreeDepth() const;

  // Stored properties, in published order.
  TSfAlign FAlign = saNone;
  TColor FColor = 0xFFFFFF;
  bool FDrawIfOwner = false;
  TSfFont FFont;
  TSfKind FKind = skNone;
  bool FMasked = true;
  std::int32_t FLeft = 0, FTop = 0, FHeight = 0, FWidth = 0;
  std::int32_t FMarginLeft = 0, FMarginRight = 0, FMarginTop = 0, FMarginBottom = 0;
  TSfTextAlign FTextAlign = taLeft;
  TSfTextEffect FTextEffect = teNone;
  std::int32_t FTextMarginLeft = 0, FTextMarginRight = 0;
  bool FTextMarginRightStretch = false;
  std::int32_t FTextMarginTop = 0;

  // Run-time state (not stored).
  bool FNodeVisible = true;
  bool FNodeActive = false;
  std::uint8_t FNodeState = 0;
  std::uint16_t FButtonSet = 0;
  bool FNodeEnabled = true;
  std::wstring FNodeText, FNodeSideText;
  std::uint8_t FRightToLeft = 0;

  // Layout and drawing.
  TskRect Bounds() const;
  // Lays the children out again when the rectangle changes; `text` measures saText children
  // (without one they are as wide as their text margins).
  void SetNodeBounds(const TskRect& r, ISfTextEngine* text = nullptr);
  void SetLeft(std::int32_t v);
  void SetTop(std::int32_t v);
  void SetWidth(std::int32_t v);
  void SetHeight(std::int32_t v);
  void LayoutChildren(ISfTextEngine* text = nullptr);
  virtual void DrawNode(TSfCanvas& canvas, const TskRect& clip);
  virtual void SetNodeState(std::uint8_t state);
  void SetNodeActive(bool active);
  virtual void SetNodeButtons(std::uint16_t buttons);
  // Region as rectangles (bands of runs, each band rows of equal runs), empty for none. The
  // work is bounded by `limit` (the window's rectangle for a frame): nothing outside it is
  // drawn or answered. Without a limit the node's own rectangle bounds it.
  std::vector<TskRect> NodeRegion(ISfTextEngine& text);
  std::vector<TskRect> TreeRegion(ISfTextEngine& text);
  std::vector<TskRect> TreeRegion(ISfTextEngine& text, const TskRect& limit);
  // Adds the node's own region (not its children's, unless it draws them) to `region`.
  virtual void AddNodeRegion(TSfRegionBuilder& region);
  void AddTreeRegion(TSfRegionBuilder& region);
  // Moves the subtree by (dx, dy) without laying it out again: a move by (-dx, -dy) puts every
  // node back exactly. Drawing in another origin goes through TSfShiftedTree.
  void ShiftTree(std::int32_t dx, std::int32_t dy);
  // The node under a point (right and bottom edges excluded), or none.
  TSfSkinObject* NodeHitTest(TskPoint p);

protected:
  void DrawNodeText(TSfCanvas& canvas);
  void DrawNodeChildren(TSfCanvas& canvas, const TskRect& clip);
  // The font a node draws its text with at present (state variants swap it while drawing).
  TSfFont& CurrentFont() { return FFont; }

private:
  friend class TSfStoredObject;
  TSfSkinObject* FOwner = nullptr;
  std::vector<std::unique_ptr<TSfSkinObject>> FChildren;
  TskRect FPrevBounds;
};

// ---- subclasses ----

class TSfActiveObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfActiveObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override { return std::make_unique<TSfActiveObject>(); }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachFont(const std::function<void(TSfFont&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TColor FActiveColor = 0;
  TSfFont FActiveFont, FDisabledFont;
};

class TSfBitmapObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfBitmapObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override { return std::make_unique<TSfBitmapObject>(); }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override { fn(FBitmap); }
  bool MasksWithMargins() const override { return true; }
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  void AddNodeRegion(TSfRegionBuilder& region) override;
  TSfBitmapRef FBitmap;
  TscTileStyle FBorderTileStyle = tsTile;
  bool FMaskedBorder = true, FMaskedAngles = true;
  TscTileStyle FTileStyle = tsTile;

protected:
  // Draws with `link` in place of FBitmap (state variants).
  void DrawWithLink(TSfCanvas& canvas, const TskRect& clip, const TSfBitmapRef& link);
};

class TSfActiveBitmap : public TSfBitmapObject {
public:
  const char* ClassName() const override { return "TSfActiveBitmap"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override { return std::make_unique<TSfActiveBitmap>(); }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachFont(const std::function<void(TSfFont&)>& fn) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TSfBitmapRef FActiveBitmap;
  TSfFont FActiveFont;
};

class TSfSystemButton : public TSfActiveBitmap {
public:
  TSfSystemButton() { FKind = skSysButton; }
  const char* ClassName() const override { return "TSfSystemButton"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override { return std::make_unique<TSfSystemButton>(); }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  void SetNodeState(std::uint8_t state) override;
  void SetNodeButtons(std::uint16_t buttons) override;
  TSfAction FAction = sbaNone;
  TSfBitmapRef FBitmapHot, FBitmapPressed;
  std::uint8_t FNodeButtonState = 0; // 0 normal, 1 hot, 2 pressed
};

class TSfButtonObject : public TSfBitmapObject {
public:
  const char* ClassName() const override { return "TSfButtonObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override { return std::make_unique<TSfButtonObject>(); }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TSfBitmapRef FBitmapHot, FBitmapFocused, FBitmapPressed, FBitmapDisabled;
};

class TSfTextObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfTextObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override { return std::make_unique<TSfTextObject>(); }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachFont(const std::function<void(TSfFont&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TSfFont FFontHot, FFontFocused, FFontPressed, FFontDisabled;
};

class TSfLinkSkinObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfLinkSkinObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfLinkSkinObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  std::string FLinkControl;
};

class TSfBitmapSkinObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfBitmapSkinObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfBitmapSkinObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override { fn(FBitmap); }
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  void AddNodeRegion(TSfRegionBuilder& region) override;
  TSfBitmapRef FBitmap;
  TscTileStyle FTileStyle = tsTile;

protected:
  virtual void DrawLink(TSfCanvas& canvas, const TskRect& clip, const TSfBitmapRef& link);
};

class TSfFormBitmapSkinObject : public TSfBitmapSkinObject {
public:
  const char* ClassName() const override { return "TSfFormBitmapSkinObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfFormBitmapSkinObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TSfBitmapRef FInactiveBitmap;
};

class TSfSysButtonSkinObject : public TSfBitmapSkinObject {
public:
  TSfSysButtonSkinObject() { FKind = skSysButton; }
  const char* ClassName() const override { return "TSfSysButtonSkinObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfSysButtonSkinObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  void SetNodeState(std::uint8_t state) override;
  void SetNodeButtons(std::uint16_t buttons) override;
  TSfAction FAction = sbaNone;
  TSfBitmapRef FBitmapHover, FBitmapDown;
  std::string FRollPanel;
  std::uint8_t FNodeButtonState = 0;
};

class TSfActiveSkinObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfActiveSkinObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfActiveSkinObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachFont(const std::function<void(TSfFont&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TColor FActiveColor = 0;
  TSfFont FActiveFont;
};

class TSfColorButtonObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfColorButtonObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfColorButtonObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachFont(const std::function<void(TSfFont&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TColor FHotColor = 0, FPressedColor = 0, FFocusedColor = 0, FDisabledColor = 0;
  TSfFont FHotFont, FPressedFont, FFocusedFont, FDisabledFont;
};

class TSfBitmapBoxObject : public TSfBitmapSkinObject {
public:
  const char* ClassName() const override { return "TSfBitmapBoxObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfBitmapBoxObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  TscTileStyle FBorderTileStyle = tsTile;

protected:
  void DrawLink(TSfCanvas& canvas, const TskRect& clip, const TSfBitmapRef& link) override;
};

class TSfActiveBitmapBoxObject : public TSfBitmapBoxObject {
public:
  const char* ClassName() const override { return "TSfActiveBitmapBoxObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfActiveBitmapBoxObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TSfBitmapRef FFocusedBitmap;
};

class TSfButtonBitmapBoxObject : public TSfBitmapBoxObject {
public:
  const char* ClassName() const override { return "TSfButtonBitmapBoxObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfButtonBitmapBoxObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  void ForEachBitmap(const std::function<void(TSfBitmapRef&)>& fn) override;
  void DrawNode(TSfCanvas& canvas, const TskRect& clip) override;
  TSfBitmapRef FHotBitmap, FFocusedBitmap, FPressedBitmap, FDisabledBitmap;
};

class TSfRollPanelObject : public TSfSkinObject {
public:
  const char* ClassName() const override { return "TSfRollPanelObject"; }
  std::unique_ptr<TSfSkinObject> NewInstance() const override {
    return std::make_unique<TSfRollPanelObject>();
  }
  void VisitProperties(ISfPropertyVisitor& v) override;
  TSfRollKind FRollKind = rkLeft;
  std::int32_t FRollValue = 0;
};

// Repeats rectangle `src` of `img` over `dest` (tiles anchored at its top-left corner) as
// SkTile does, but row by row: each needed source row is repeated across the width once and
// every destination row is then drawn in one step, however small the tile. With a clip of
// positive size only the tiles that meet it are drawn.
void SfTileRows(TskPixels& dst, const TskRect& dest, const TskPixels& img, const TskRect& src,
                const TskRect& clip, TskDrawMode mode);

// Colour names of the object streams (clBtnFace, clRed, ...), and the reverse.
bool SfColorFromIdent(std::string_view ident, TColor& out);
std::string SfColorToIdent(TColor c); // empty when the colour has no name
// Colour text of the stored tables: a name, or "$" and eight hexadecimal digits.
std::string SfColorToText(TColor c);
bool SfColorFromText(std::string_view text, TColor& out);
