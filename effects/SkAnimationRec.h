#pragma once
// TskAnimationRec: the settings of one transition (effect, duration, grid resolution, tiles,
// rotation, threshold picture), clamped by its setters; TSkAnimation, the designer-facing
// option object that forwards to one record.
#include "framework/Component.h"
#include "theme/SkPixels.h"

#include <cstdint>
#include <string>

enum TskRotation : std::uint8_t { krNone, krRotate90, krRotate180, krRotate270 };
enum TSkDirection : std::uint8_t { kdNone, kdNoRotate, kdRotate90, kdRotate180, kdRotate270 };

inline constexpr const char* skRandomEffectName = "[ RANDOM ] - Random selection";
inline constexpr const char* skBitmapEffectName = "[ BITMAP ] - Bitmap Animation";

class TskAnimationRec {
public:
  static constexpr int kMinTime = 50, kMaxTime = 9000, kDefaultTime = 400;
  static constexpr int kMaxResolution = 10, kMaxTileCount = 20;

  TskAnimationRec() = default;
  TskAnimationRec(const TskAnimationRec& other) { Assign(other); }
  TskAnimationRec& operator=(const TskAnimationRec& other) {
    Assign(other);
    return *this;
  }
  // Copies all seven settings (the picture by value).
  void Assign(const TskAnimationRec& other);

  // The blue channel of each pixel is the threshold map of the bitmap effect; setting copies.
  const TskPixels& Bitmap() const { return FBitmap; }
  void SetBitmap(const TskPixels& picture) { FBitmap = picture.Clone(); }
  const std::string& Effect() const { return FEffect; }
  void SetEffect(std::string name) { FEffect = std::move(name); }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled) { FEnabled = enabled; }
  // Mask cell size in pixels: <= 0 becomes 1, > 10 becomes 10.
  int Resolution() const { return FResolution; }
  void SetResolution(int value) {
    FResolution = value <= 0 ? 1 : value > kMaxResolution ? kMaxResolution : value;
  }
  TskRotation Rotation() const { return FRotation; }
  void SetRotation(TskRotation value) { FRotation = value <= krRotate270 ? value : krNone; }
  // The grid is repeated TileCount x TileCount times: <= 0 becomes 1, > 20 becomes 20.
  int TileCount() const { return FTileCount; }
  void SetTileCount(int value) {
    FTileCount = value <= 0 ? 1 : value > kMaxTileCount ? kMaxTileCount : value;
  }
  // Duration in milliseconds: <= 50 becomes 50, > 9000 becomes 9000.
  int Time() const { return FTime; }
  void SetTime(int value) { FTime = value <= kMinTime ? kMinTime : value > kMaxTime ? kMaxTime : value; }

private:
  TskPixels FBitmap;
  std::string FEffect = skRandomEffectName;
  bool FEnabled = false;
  int FResolution = 1;
  TskRotation FRotation = krNone;
  int FTileCount = 1;
  int FTime = kDefaultTime;
};

// The animation settings of a skinned form or popup menu: one record, published with the
// rotation as a Direction.
class TSkAnimation {
public:
  TskAnimationRec& Rec() { return FRec; }
  const TskAnimationRec& Rec() const { return FRec; }
  void Assign(const TSkAnimation& other) { FRec.Assign(other.FRec); }

  // kdRotate90/180/270 <-> krRotate90/180/270; kdNone and kdNoRotate store krNone, which
  // reads back as kdNone.
  TSkDirection Direction() const;
  void SetDirection(TSkDirection value);
  const std::string& EffectKind() const { return FRec.Effect(); }
  void SetEffectKind(std::string name) { FRec.SetEffect(std::move(name)); }
  bool Enabled() const { return FRec.Enabled(); }
  void SetEnabled(bool v) { FRec.SetEnabled(v); }
  int Resolution() const { return FRec.Resolution(); }
  void SetResolution(int v) { FRec.SetResolution(v); }
  int TileCount() const { return FRec.TileCount(); }
  void SetTileCount(int v) { FRec.SetTileCount(v); }
  int Time() const { return FRec.Time(); }
  void SetTime(int v) { FRec.SetTime(v); }

  // One stored property of a layout (the name below the option object, e.g. "EffectKind"):
  // Direction (kdNone .. kdRotate270), EffectKind (string), Enabled (true/false), Resolution,
  // TileCount, Time (integers, clamped as by the setters).
  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value);

private:
  TskAnimationRec FRec;
};
