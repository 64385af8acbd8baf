#include "effects/SkAnimationRec.h"

#include <climits>
#include <optional>

void TskAnimationRec::Assign(const TskAnimationRec& other) {
  if (&other == this) {
    return;
  }
  FBitmap = other.FBitmap.Clone();
  FEffect = other.FEffect;
  FEnabled = other.FEnabled;
  FResolution = other.FResolution;
  FRotation = other.FRotation;
  FTileCount = other.FTileCount;
  FTime = other.FTime;
}

TSkDirection TSkAnimation::Direction() const {
  switch (FRec.Rotation()) {
  case krRotate90: return kdRotate90;
  case krRotate180: return kdRotate180;
  case krRotate270: return kdRotate270;
  default: return kdNone;
  }
}

void TSkAnimation::SetDirection(TSkDirection value) {
  switch (value) {
  case kdRotate90: FRec.SetRotation(krRotate90); break;
  case kdRotate180: FRec.SetRotation(krRotate180); break;
  case kdRotate270: FRec.SetRotation(krRotate270); break;
  default: FRec.SetRotation(krNone); break;
  }
}

TPropertyResult TSkAnimation::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using TKind = TLayoutValue::TKind;
  if (name == "EffectKind") {
    if (value.Kind != TKind::String) {
      return TPropertyResult::Bad("EffectKind takes a string");
    }
    SetEffectKind(value.Text);
    return TPropertyResult::Ok();
  }
  if (name == "Enabled") {
    const std::optional<bool> b = LayoutBool(value);
    if (!b) {
      return TPropertyResult::Bad("Enabled takes true or false");
    }
    SetEnabled(*b);
    return TPropertyResult::Ok();
  }
  if (name == "Direction") {
    static const char* const kNames[] = {"kdNone", "kdNoRotate", "kdRotate90", "kdRotate180", "kdRotate270"};
    if (value.Kind == TKind::Identifier) {
      for (int i = 0; i < 5; ++i) {
        if (value.Text == kNames[i]) {
          SetDirection(TSkDirection(i));
          return TPropertyResult::Ok();
        }
      }
    }
    return TPropertyResult::Bad("Direction takes kdNone, kdNoRotate, kdRotate90, kdRotate180 or kdRotate270");
  }
  void (TSkAnimation::*setter)(int) = name == "Resolution"  ? &TSkAnimation::SetResolution
                                      : name == "TileCount" ? &TSkAnimation::SetTileCount
                                      : name == "Time"      ? &TSkAnimation::SetTime
                                                            : nullptr;
  if (!setter) {
    return TPropertyResult::Unknown();
  }
  const std::optional<int> v = LayoutInt(value, INT32_MIN, INT32_MAX);
  if (!v) {
    return TPropertyResult::Bad(name + " takes an integer");
  }
  (this->*setter)(*v);
  return TPropertyResult::Ok();
}
