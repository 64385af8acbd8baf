#pragma once
// TMxBevel: a rectangular frame described by settings; it measures how far it eats into a
// rectangle (Ext on the left and top, Extr on the right and bottom) and paints itself on a
// canvas. Ext and Extr are recomputed on every change, before the change notification.
#include "framework/Colors.h"
#include "maskedit/MxObject.h"
#include "maskedit/look/MxBevelCanvas.h"

#include <cstdint>

enum class TMxBevelStyle : std::uint8_t {
  bvNone,
  bvLowered,
  bvRaised,
  bvFrameLowered,
  bvFrameRaised,
  bvNormal,
  bvShadow,
  bvSpace
};
enum class TMxBorderStyle : std::uint8_t {
  lsNone,
  lsSingle,
  lsLowered,
  lsRaised,
  lsRaisedspb,
  lsLoweredspb,
  lsRaisedExt,
  lsLoweredExt,
  lsFrameInset,
  lsFrameOffset,
  lsWindowBorder,
  lsSingleRaised,
  lsSingleLowered,
  lsDoubleRaised,
  lsDoubleLowered
};
enum class TMxEdgeStyle : std::uint8_t {
  etRaisedInner,
  etRaisedOuter,
  etSunkenInner,
  etSunkenOuter,
  etBump,
  etEtched,
  etRaised,
  etSunken
};
enum class TMxBevelMode : std::uint8_t { bmCustom, bmStandard, bmEdge, bmWindows };

// BorderSides bits.
namespace MxBorderSide {
constexpr std::uint8_t fsBottom = 1, fsLeft = 2, fsRight = 4, fsTop = 8;
constexpr std::uint8_t All = fsBottom | fsLeft | fsRight | fsTop;
} // namespace MxBorderSide

class TMxBevel : public TMxObject {
public:
  explicit TMxBevel(std::int32_t owner = 0);

  TMxBevelStyle StyleInner() const { return FStyleInner; }
  TMxBevelStyle StyleOuter() const { return FStyleOuter; }
  std::uint8_t WidthInner() const { return FWidthInner; }
  std::uint8_t WidthOuter() const { return FWidthOuter; }
  TColor BorderColor() const { return FBorderColor; }
  std::uint8_t BorderSides() const { return FBorderSides; }
  std::uint8_t BorderWidth() const { return FBorderWidth; }
  std::uint8_t BorderInnerWidth() const { return FBorderInnerWidth; }
  TMxEdgeStyle EdgeStyle() const { return FEdgeStyle; }
  TColor LightColor() const { return FLightColor; }
  TMxBevelMode Mode() const { return FMode; }
  TColor ShadowColor() const { return FShadowColor; }
  TMxBorderStyle StandardStyle() const { return FStandardStyle; }
  bool Support() const { return FSupport; }

  void SetStyleInner(TMxBevelStyle v);
  void SetStyleOuter(TMxBevelStyle v);
  void SetWidthInner(std::uint8_t v);
  void SetWidthOuter(std::uint8_t v);
  void SetBorderColor(TColor v);
  void SetBorderSides(std::uint8_t v);
  void SetBorderWidth(std::uint8_t v);
  void SetBorderInnerWidth(std::uint8_t v);
  void SetEdgeStyle(TMxEdgeStyle v);
  void SetLightColor(TColor v);
  void SetMode(TMxBevelMode v);
  void SetShadowColor(TColor v);
  void SetStandardStyle(TMxBorderStyle v);
  void SetSupport(bool v);

  // Copies every property and Support, then signals one change.
  void Assign(const TMxBevel& source);

  // "{" + the mode's name without its prefix + "}", e.g. "{Windows}".
  std::string DisplayText() const override;

  // Frame width on the left and top (and all sides except for shadows), and on the right
  // and bottom.
  int Ext() const { return FExt; }
  int Extr() const { return FExtr; }
  int CalcExt() const;

  TMxRect BevelClientRect(const TMxRect& rect) const;
  // Paints the frame into rect; returns the rectangle left inside. With transparent set,
  // rings are skipped (only their inset applies) and no background strip is filled.
  TMxRect PaintBevel(IMxBevelCanvas& canvas, const TMxRect& rect, bool transparent) const;

  void Change() override;

private:
  void Recalc();
  TMxRect PaintOne(IMxBevelCanvas& canvas, TMxRect r, TMxBevelStyle style, int width) const;
  TMxRect PaintRing(IMxBevelCanvas& canvas, TMxRect r, int width, bool transparent) const;
  TMxRect PaintStandard(IMxBevelCanvas& canvas, TMxRect r, TMxBorderStyle style) const;

  TMxBevelStyle FStyleInner = TMxBevelStyle::bvNone;
  TMxBevelStyle FStyleOuter = TMxBevelStyle::bvNone;
  std::uint8_t FWidthInner = 1;
  std::uint8_t FWidthOuter = 1;
  TColor FBorderColor = clBtnFace;
  std::uint8_t FBorderSides = MxBorderSide::All;
  std::uint8_t FBorderWidth = 0;
  std::uint8_t FBorderInnerWidth = 0;
  TMxEdgeStyle FEdgeStyle = TMxEdgeStyle::etEtched;
  TColor FLightColor = clBtnHighlight;
  TMxBevelMode FMode = TMxBevelMode::bmCustom;
  TColor FShadowColor = clBtnShadow;
  TMxBorderStyle FStandardStyle = TMxBorderStyle::lsSingleLowered;
  bool FSupport = false;
  int FExt = 0;
  int FExtr = 0;
};
