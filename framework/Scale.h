#pragma once
// TScale: the one rule that carries lengths from one pixel density to another (a layout
// designed at 96 pixels per inch shown at 144). Lengths are multiplied by To/From and
// rounded to the nearest pixel, halves away from zero, as the platform's MulDiv does.
// Rectangles are scaled by their edges, not by their sizes, so rectangles that touched
// before touch after, and a scale up followed by the inverse scale gives back the same
// pixels.
#include <cstdint>

// A rectangle as a control stores it: left and top edges and a size (pixels).
struct TScaledBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TScaledBounds&) const = default;
};

class TScale {
public:
  // The density layouts are designed at.
  static constexpr int kDesignPixelsPerInch = 96;

  // The identity (96 to 96).
  constexpr TScale() = default;
  // From fromPpi to toPpi pixels per inch; both are positive (a programming error otherwise,
  // answered with the identity).
  constexpr TScale(int fromPpi, int toPpi)
      : FFrom(fromPpi > 0 && toPpi > 0 ? fromPpi : 1), FTo(fromPpi > 0 && toPpi > 0 ? toPpi : 1) {}

  constexpr int From() const { return FFrom; }
  constexpr int To() const { return FTo; }
  constexpr bool Identity() const { return FFrom == FTo; }
  constexpr TScale Inverse() const { return TScale(FTo, FFrom); }

  // A length or coordinate (may be negative).
  constexpr int Apply(int value) const {
    if (Identity()) {
      return value;
    }
    const std::int64_t product = static_cast<std::int64_t>(value) * FTo;
    const std::int64_t half = FFrom / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / FFrom : -((-product + half) / FFrom);
    return static_cast<int>(rounded);
  }
  // A font height as the platform takes it (negative: character height); its sign is kept
  // and a non-zero height never scales to zero.
  constexpr int FontHeight(int height) const {
    const int scaled = Apply(height);
    return (height != 0 && scaled == 0) ? (height < 0 ? -1 : 1) : scaled;
  }
  // A rectangle by its edges: the right edge is where the scaled left + width edge falls.
  constexpr TScaledBounds Bounds(const TScaledBounds& b) const {
    const int left = Apply(b.Left), top = Apply(b.Top);
    return {left, top, Apply(b.Left + b.Width) - left, Apply(b.Top + b.Height) - top};
  }

private:
  int FFrom = kDesignPixelsPerInch;
  int FTo = kDesignPixelsPerInch;
};
