#pragma once
// The region of a skin-object tree (TSfRegionBuilder) and moving a subtree for a while
// (TSfShiftedTree). Implemented in SfRegion.cpp.
#include "skins/SfSkinObject.h"

#include <array>
#include <cstdint>
#include <set>
#include <vector>

// Collects the region of a tree inside a limit rectangle: a coverage image of the limit's
// size where rectangles are filled and rendered nodes leave their pixels other than the key
// colour. Rendering is bounded by a budget of kSfRegionRenderBudget times the limit's area;
// a node past it counts with its whole rectangle. Nothing is added once the limit is covered.
class TSfRegionBuilder {
public:
  TSfRegionBuilder(const TskRect& limit, ISfTextEngine& text);
  // The part of `r` inside the limit is in the region.
  void AddRect(const TskRect& r);
  // Draws `node` (with whatever it draws of its children) and adds its pixels.
  void AddRendered(TSfSkinObject& node);
  // True when nothing more can be added (the limit is covered, or empty).
  bool Full() const { return FCovered >= FArea; }
  // True when `r` has a part inside the limit.
  bool Meets(const TskRect& r) const;
  std::vector<TskRect> Runs() const;
  // Pixels drawn for rendered nodes so far.
  std::int64_t Rendered() const { return FRendered; }

private:
  TskRect FLimit;
  ISfTextEngine& FText;
  TskPixels FCover, FScratch;
  bool FTooLarge = false;
  TskRect FTooLargeRect{};
  // Covered pixels of each row of the limit, and the rectangles added so far.
  std::vector<std::int32_t> FRowCovered;
  std::set<std::array<std::int32_t, 4>> FRects;
  std::int64_t FArea = 0, FCovered = 0, FRendered = 0, FBudget = 0;
};

// Rendering work of one region, in multiples of the limit's area.
inline constexpr std::int64_t kSfRegionRenderBudget = 2;

// Moves a subtree for as long as it lives (drawing it in another origin) and back.
class TSfShiftedTree {
public:
  TSfShiftedTree(TSfSkinObject& node, std::int32_t dx, std::int32_t dy) : FNode(node), FDx(dx), FDy(dy) {
    FNode.ShiftTree(dx, dy);
  }
  ~TSfShiftedTree() { FNode.ShiftTree(-FDx, -FDy); }
  TSfShiftedTree(const TSfShiftedTree&) = delete;
  TSfShiftedTree& operator=(const TSfShiftedTree&) = delete;

private:
  TSfSkinObject& FNode;
  std::int32_t FDx, FDy;
};
