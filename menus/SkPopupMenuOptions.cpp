#include "menus/SkPopupMenuOptions.h"

#include <algorithm>

void TSkBlending::Changed() const {
  if (OnChange) {
    OnChange();
  }
}

void TSkBlending::SetEnabled(bool enabled) {
  if (enabled != FEnabled) {
    FEnabled = enabled;
    Changed();
  }
}

void TSkBlending::SetValue(std::int32_t value) {
  value = std::clamp<std::int32_t>(value, 0, 255);
  if (value != FValue) {
    FValue = value;
    Changed();
  }
}

void TSkBlending::Assign(const TSkBlending& other) {
  FEnabled = other.FEnabled;
  FValue = other.FValue;
  Changed();
}

void TSkShadow::Changed() const {
  if (OnChange) {
    OnChange();
  }
}

void TSkShadow::SetEnabled(bool enabled) {
  enabled = enabled && FSize > 0;
  if (enabled != FEnabled) {
    FEnabled = enabled;
    Changed();
  }
}

void TSkShadow::SetSize(std::int32_t size) {
  size = std::min(size, kMaxSize);
  const bool enabled = FEnabled && size > 0;
  if (size != FSize || enabled != FEnabled) {
    FSize = size;
    FEnabled = enabled;
    Changed();
  }
}

void TSkShadow::Assign(const TSkShadow& other) {
  FSize = other.FSize;
  FEnabled = other.FEnabled && FSize > 0;
  Changed();
}

void TSkFormOptions::Assign(const TSkFormOptions& other) {
  // The owned objects tell nobody on their own; the bundle tells its handler once.
  const TSkChangeHandler b = Blending.OnChange, s = Shadow.OnChange;
  Blending.OnChange = nullptr;
  Shadow.OnChange = nullptr;
  Blending.Assign(other.Blending);
  Shadow.Assign(other.Shadow);
  Animation.Assign(other.Animation);
  Blending.OnChange = b;
  Shadow.OnChange = s;
  if (OnChange) {
    OnChange();
  }
}
