#include "effects/SkAnimationRec.h"

void TskAnimationRec::Assign(const TskAnimationRec& other) {
  if (&other == this)
    return;
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
