#pragma once
// The options a popup menu carries, which forms carry too: a translucent window, a drop
// shadow and the show animation. Writing a value clamps it as each setter says and, where a
// change handler is set, calls it after a change.
#include "effects/SkAnimationRec.h"

#include <cstdint>
#include <functional>

using TSkChangeHandler = std::function<void()>;

class TSkBlending {
public:
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // Opacity of the frame and the client background, 0..255 (clamped).
  std::int32_t Value() const { return FValue; }
  void SetValue(std::int32_t value);
  void Assign(const TSkBlending& other);
  TSkChangeHandler OnChange;

private:
  void Changed() const;
  bool FEnabled = false;
  std::int32_t FValue = 150;
};

class TSkShadow {
public:
  static constexpr std::int32_t kMaxSize = 20;
  // Only a shadow with a size above 0 is ever on.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // Width in pixels: above 20 becomes 20; 0 or less is kept and switches the shadow off.
  std::int32_t Size() const { return FSize; }
  void SetSize(std::int32_t size);
  void Assign(const TSkShadow& other);
  TSkChangeHandler OnChange;

private:
  void Changed() const;
  bool FEnabled = false;
  std::int32_t FSize = 4;
};

// Blending, shadow and show animation, as forms and popup menus carry them.
class TSkFormOptions {
public:
  TSkBlending Blending;
  TSkShadow Shadow;
  TskAnimationRec Animation;
  // Copies into the owned objects, then tells the change handler once.
  void Assign(const TSkFormOptions& other);
  TSkChangeHandler OnChange;
};
class TSkPopupMenuOptions : public TSkFormOptions {};
