#pragma once
// TskFrameDrag: moving and sizing a window by its frame with the mouse. A press on the caption,
// a border or a corner starts a drag; each pointer position gives the window's new bounds (in
// screen coordinates); the release ends it. Sizing never makes the window smaller than its
// minimum track size, and the edge opposite the one dragged never moves.
#include "form/SkFormOptions.h"
#include "theme/SkRect.h"

#include <cstdint>
#include <optional>

struct TskDragStart {
  std::uint8_t Code = 0; // the hit code pressed (1 caption, 2..10 borders and corners)
  TskPoint Pointer;      // screen point of the press
  TskRect Bounds;        // the window's screen rectangle at the press
  TskPoint MinTrack{0, 0};
  TskPoint MaxTrack{0, 0}; // 0: no maximum
  bool Moveable = true;
  bool Sizeable = true;
  TSkWindowState State = kwsNormal;
};

class TskFrameDrag {
public:
  // Whether a press with this hit code starts a drag at all.
  static bool StartsDrag(std::uint8_t code) { return code >= 1 && code <= 10; }

  void Begin(const TskDragStart& start);
  bool Active() const { return FActive; }
  // The bounds for the pointer at `pointer`; with gravitation (caption drags only) snapped
  // into `area`. nullopt when this drag changes nothing (a caption that cannot move, a border
  // of a window that cannot be sized).
  std::optional<TskRect> Move(TskPoint pointer, const TSkGravitation* gravitation = nullptr,
                              const TskRect* area = nullptr, std::int32_t shadowSize = 0);
  void End() { FActive = false; }
  std::uint8_t Code() const { return FStart.Code; }

private:
  TskDragStart FStart;
  bool FActive = false;
};
