#pragma once
// TskAnimationDriver: up to 201 transitions at once, stepped by a 20 ms tick. Each slot owns
// its player (copies of both images, the work bitmap, the buffers), so whatever happens to
// the images a caller handed over, a slot never draws from freed memory. The platform side
// supplies the host: the frame timer and the drawing of a finished frame onto a destination.
#include "effects/SkAnimationRec.h"
#include "effects/SkEffectPlayer.h"
#include "theme/SkPixels.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// A destination the host understands (a device context on the platform side).
using TskAnimationTarget = std::uintptr_t;

class ISkAnimationHost {
public:
  virtual ~ISkAnimationHost() = default;
  // On while at least one slot is active.
  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual void Present(const TskPixels& work, TskAnimationTarget target, int x, int y) = 0;
};

class TskAnimationDriver {
public:
  static constexpr int kSlotCount = 201;
  static constexpr float kTickMs = 20.0f;
  static constexpr float kStartElapsedMs = 0.01f;

  // seed: of the generator that makes the random choice of effect.
  TskAnimationDriver(ISkAnimationHost* host, std::uint32_t seed);
  ~TskAnimationDriver();
  TskAnimationDriver(const TskAnimationDriver&) = delete;
  TskAnimationDriver& operator=(const TskAnimationDriver&) = delete;

  // Starts a transition in `slot` (0..200), or in the first free slot for -1; answers the slot
  // used, or -1 when none was free, the index is out of range, an image is empty or the effect
  // is unknown. An active slot is stopped (without a final frame) before it is reused; a slot
  // in the middle of its own frame is not free.
  int StartAnimation(TskAnimationTarget target, int x, int y, int slot, const TskAnimationRec& rec,
                     const TskPixels& next, const TskPixels& old);
  // False for -1 and indexes out of range.
  bool IsAnimating(int slot) const;
  // With finalFrame, presents the new image over the last frame first. Ignores inactive slots
  // and indexes out of range.
  void StopAnimation(int slot, bool finalFrame);
  // One timer tick: a frame step of every active slot, then `measuredMs` (the tick's own cost)
  // added to the elapsed time of every active slot.
  void Tick(double measuredMs);
  // The two halves of a tick, for a host that measures the frame steps themselves.
  void StepAll();
  void AddElapsed(double ms);
  // The percentage a frame step shows at elapsed time `elapsed` of `time` ms.
  static int PercentAt(float elapsed, int time);

  int ActiveCount() const;
  // The display name the slot plays (after a random choice), empty when inactive.
  const std::string& EffectOf(int slot) const;
  // The player of an active slot (nullptr otherwise), for inspection.
  const TskEffectPlayer* Player(int slot) const;

private:
  struct TSlot {
    bool Active = false;
    bool Busy = false;
    bool StopRequested = false;
    bool StopFinal = false;
    float Elapsed = 0;
    int Time = 0;
    std::unique_ptr<TskEffectPlayer> Player;
    std::string Effect;
    TskAnimationTarget Target = 0;
    int X = 0, Y = 0;
  };
  void FrameStep(TSlot& slot, int index);
  void Release(TSlot& slot);
  void UpdateTimer();

  ISkAnimationHost* FHost;
  std::array<TSlot, kSlotCount> FSlots;
  TskEffectRandom FChoice;
  bool FTimerOn = false;
};
