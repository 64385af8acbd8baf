#include "effects/SkAnimationDriver.h"

#include "effects/SkEffectRegistry.h"

#include <new>

namespace {
const std::string kNoEffect;

bool ValidSlot(int slot) { return slot >= 0 && slot < TskAnimationDriver::kSlotCount; }
} // namespace

TskAnimationDriver::TskAnimationDriver(ISkAnimationHost* host, std::uint32_t seed)
    : FHost(host), FChoice(seed) {}

TskAnimationDriver::~TskAnimationDriver() {
  for (TSlot& s : FSlots) {
    s.Player.reset();
  }
  if (FTimerOn && FHost) {
    FHost->SetTimerEnabled(false);
  }
}

int TskAnimationDriver::PercentAt(float elapsed, int time) {
  if (time <= 0) {
    return 100;
  }
  const std::int64_t p = SkRound(double(elapsed) / double(time) * 100.0);
  return p > 99 ? 100 : p < 0 ? 0 : int(p);
}

int TskAnimationDriver::StartAnimation(TskAnimationTarget target, int x, int y, int slot,
                                       const TskAnimationRec& rec, const TskPixels& next,
                                       const TskPixels& old) {
  if (slot == -1) {
    for (int i = 0; i < kSlotCount; ++i) {
      if (!FSlots[std::size_t(i)].Active && !FSlots[std::size_t(i)].Busy) {
        slot = i;
        break;
      }
    }
    if (slot == -1) {
      return -1;
    }
  }
  if (!ValidSlot(slot)) {
    return -1;
  }
  TSlot& s = FSlots[std::size_t(slot)];
  if (s.Busy) {
    return -1;
  }
  if (s.Active) {
    StopAnimation(slot, false);
  }
  if (next.Empty() || old.Empty()) {
    return -1;
  }

  const TskProcList& list = SkProcList();
  std::string name = rec.Effect();
  if (name == skRandomEffectName && list.Count() > 0) {
    name = list.Item(FChoice.Next(std::uint32_t(list.Count()))).DisplayName();
  }
  TskEffectKind kind = TskEffectKind::ekBitmap;
  TskEffectDef def{};
  if (name != skBitmapEffectName) {
    const TskProcItem* item = list.FindEffect(name);
    if (!item || !item->HasProcedure()) {
      return -1;
    }
    def = item->Def();
    kind = def.Category == TskEffectCategory::ecMap      ? TskEffectKind::ekMap
           : def.Category == TskEffectCategory::ecManual ? TskEffectKind::ekManual
                                                         : TskEffectKind::ekMask;
    name = item->DisplayName();
  }
  // Images too large for the memory at hand mean no transition, like any other failed start.
  std::unique_ptr<TskEffectPlayer> player;
  try {
    player = std::make_unique<TskEffectPlayer>();
    if (!player->Start(rec, next, old, kind, def)) {
      return -1;
    }
  } catch (const std::bad_alloc&) {
    return -1;
  }
  s.Player = std::move(player);
  s.Effect = name;
  s.Time = rec.Time();
  s.Elapsed = kStartElapsedMs;
  s.Active = true;
  s.Busy = false;
  s.StopRequested = false;
  s.Target = target;
  s.X = x;
  s.Y = y;
  UpdateTimer();
  return slot;
}

bool TskAnimationDriver::IsAnimating(int slot) const {
  return ValidSlot(slot) && FSlots[std::size_t(slot)].Active;
}

void TskAnimationDriver::StopAnimation(int slot, bool finalFrame) {
  if (!ValidSlot(slot)) {
    return;
  }
  TSlot& s = FSlots[std::size_t(slot)];
  if (!s.Active || !s.Player) {
    return;
  }
  if (s.Busy) {
    // Asked from inside the slot's own frame (through the host): done when the frame ends.
    s.StopRequested = true;
    s.StopFinal = s.StopFinal || finalFrame;
    return;
  }
  if (finalFrame && s.Target != 0 && FHost) {
    // Busy while the host draws: a start or stop of this slot from there cannot pull the
    // player from under the frame.
    s.Busy = true;
    struct TClearBusy {
      TSlot& S;
      ~TClearBusy() { S.Busy = false; }
    } clearBusy{s};
    s.Player->Final();
    FHost->Present(s.Player->Work(), s.Target, s.X, s.Y);
  }
  Release(s);
  UpdateTimer();
}

void TskAnimationDriver::Release(TSlot& s) {
  s.Player.reset();
  s.Effect.clear();
  s.Active = false;
  s.StopRequested = false;
  s.StopFinal = false;
}

void TskAnimationDriver::UpdateTimer() {
  const bool on = ActiveCount() > 0;
  if (on != FTimerOn) {
    FTimerOn = on;
    if (FHost) {
      FHost->SetTimerEnabled(on);
    }
  }
}

void TskAnimationDriver::FrameStep(TSlot& s, int index) {
  if (!s.Active || !s.Player || s.Busy) {
    return;
  }
  s.Elapsed += kTickMs;
  s.Busy = true;
  struct TClearBusy {
    TSlot& S;
    ~TClearBusy() { S.Busy = false; }
  } clearBusy{s};
  const int percent = PercentAt(s.Elapsed, s.Time);
  s.Player->Frame(percent);
  if (FHost) {
    FHost->Present(s.Player->Work(), s.Target, s.X, s.Y);
  }
  if (percent == 100 || s.StopRequested) {
    const bool final = s.StopRequested && s.StopFinal;
    s.Busy = false;
    StopAnimation(index, final);
  }
}

void TskAnimationDriver::Tick(double measuredMs) {
  StepAll();
  AddElapsed(measuredMs);
}

void TskAnimationDriver::StepAll() {
  for (int i = 0; i < kSlotCount; ++i) {
    FrameStep(FSlots[std::size_t(i)], i);
  }
}

void TskAnimationDriver::AddElapsed(double ms) {
  for (TSlot& s : FSlots) {
    if (s.Active) {
      s.Elapsed += float(ms);
    }
  }
}

int TskAnimationDriver::ActiveCount() const {
  int n = 0;
  for (const TSlot& s : FSlots) {
    n += s.Active ? 1 : 0;
  }
  return n;
}

const std::string& TskAnimationDriver::EffectOf(int slot) const {
  return IsAnimating(slot) ? FSlots[std::size_t(slot)].Effect : kNoEffect;
}

const TskEffectPlayer* TskAnimationDriver::Player(int slot) const {
  return IsAnimating(slot) ? FSlots[std::size_t(slot)].Player.get() : nullptr;
}
