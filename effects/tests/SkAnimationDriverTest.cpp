// The driver: the frame schedule under a fake host, the record's clamps and direction, the
// random choice of effect, and the slot rules (range, reuse, ownership).
#include "effects/SkAnimationDriver.h"
#include "effects/SkEffectRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace {

struct TFakeHost : ISkAnimationHost {
  bool Timer = false;
  int Frames = 0;
  std::vector<TskColor> Centre;
  std::function<void()> OnPresent;
  void SetTimerEnabled(bool on) override { Timer = on; }
  void Present(const TskPixels& work, TskAnimationTarget, int, int) override {
    ++Frames;
    Centre.push_back(work.GetPixel(work.Width() / 2, work.Height() / 2));
    if (OnPresent) {
      OnPresent();
    }
  }
};

TskPixels Solid(int w, int h, TskColor c) {
  TskPixels p;
  p.SetSize(w, h);
  p.Fill(c);
  return p;
}

TskAnimationRec Rec(const char* effect, int time = 400) {
  TskAnimationRec r;
  r.SetEffect(effect);
  r.SetTime(time);
  return r;
}

int FramesUntilDone(double measuredMs, int time) {
  TFakeHost host;
  TskAnimationDriver d(&host, 1);
  const int slot =
      d.StartAnimation(1, 0, 0, -1, Rec("Fade", time), Solid(8, 8, ~0u), Solid(8, 8, 0xFF000000));
  EXPECT_EQ(slot, 0);
  EXPECT_TRUE(host.Timer);
  for (int i = 0; i < 1000 && d.IsAnimating(slot); ++i) {
    d.Tick(measuredMs);
  }
  EXPECT_FALSE(host.Timer);
  return host.Frames;
}

TEST(SkAnimationDriver, FrameSchedule) {
  EXPECT_EQ(FramesUntilDone(0, 400), 20);
  EXPECT_EQ(FramesUntilDone(5, 400), 17);
  EXPECT_EQ(FramesUntilDone(10, 400), 14);
  EXPECT_EQ(TskAnimationDriver::PercentAt(20.01f, 400), 5);
  EXPECT_EQ(TskAnimationDriver::PercentAt(398.4f, 400), 100); // 99.6 %
  EXPECT_EQ(TskAnimationDriver::PercentAt(20.01f, 9000), 0);
}

TEST(SkAnimationDriver, FramesShowTheTransitionAndEndOnTheNewImage) {
  TFakeHost host;
  TskAnimationDriver d(&host, 1);
  const int slot =
      d.StartAnimation(1, 0, 0, -1, Rec("Fade"), Solid(8, 8, 0xFFFFFFFF), Solid(8, 8, 0xFF000000));
  while (d.IsAnimating(slot)) {
    d.Tick(0);
  }
  ASSERT_EQ(host.Centre.size(), 20u);
  for (std::size_t i = 1; i < host.Centre.size(); ++i) {
    EXPECT_GT(host.Centre[i] & 0xFF, host.Centre[i - 1] & 0xFF);
  }
  EXPECT_EQ(host.Centre.back(), 0xFFFFFFFFu);
}

TEST(SkAnimationDriver, RecordClampsAndDirection) {
  TskAnimationRec r;
  EXPECT_EQ(r.Effect(), "[ RANDOM ] - Random selection");
  EXPECT_FALSE(r.Enabled());
  struct Case {
    int in, time, resolution, tiles;
  } cases[] = {{10, 50, 10, 10}, {0, 50, 1, 1},        {25, 50, 10, 20},
               {-3, 50, 1, 1},   {9001, 9000, 10, 20}, {7, 50, 7, 7}};
  for (const Case& c : cases) {
    r.SetTime(c.in);
    r.SetResolution(c.in);
    r.SetTileCount(c.in);
    EXPECT_EQ(r.Time(), c.time) << c.in;
    EXPECT_EQ(r.Resolution(), c.resolution) << c.in;
    EXPECT_EQ(r.TileCount(), c.tiles) << c.in;
  }
  TSkAnimation a;
  for (auto [in, out] : {std::pair{kdNone, kdNone},
                         {kdNoRotate, kdNone},
                         {kdRotate90, kdRotate90},
                         {kdRotate180, kdRotate180},
                         {kdRotate270, kdRotate270}}) {
    a.SetDirection(in);
    EXPECT_EQ(a.Direction(), out);
  }
  a.SetTime(1234);
  a.Rec().SetBitmap(Solid(2, 2, 5));
  TSkAnimation b;
  b.Assign(a);
  EXPECT_EQ(b.Time(), 1234);
  EXPECT_EQ(b.Rec().Rotation(), krRotate270);
  EXPECT_EQ(b.Rec().Bitmap().GetPixel(1, 1), 5u);
}

// The stored settings of a form's animation: the calculator's layout names the random effect
// and leaves the animation disabled.
TEST(SkAnimationDriver, StoredSettingsAreReadAndClamped) {
  TSkAnimation a;
  EXPECT_EQ(a.ReadProperty("EffectKind", TLayoutValue::MakeString(skRandomEffectName)).Code,
            TPropertyResult::TCode::Ok);
  EXPECT_FALSE(a.Enabled());
  EXPECT_EQ(a.EffectKind(), skRandomEffectName);
  struct Case {
    const char* name;
    TLayoutValue value;
    TPropertyResult::TCode code;
  } cases[] = {{"Time", TLayoutValue::MakeInteger(10), TPropertyResult::TCode::Ok},
               {"Resolution", TLayoutValue::MakeInteger(0), TPropertyResult::TCode::Ok},
               {"TileCount", TLayoutValue::MakeInteger(25), TPropertyResult::TCode::Ok},
               {"Direction", TLayoutValue::MakeIdentifier("kdRotate180"), TPropertyResult::TCode::Ok},
               {"Enabled", TLayoutValue::MakeIdentifier("true"), TPropertyResult::TCode::Ok},
               {"Time", TLayoutValue::MakeString("400"), TPropertyResult::TCode::BadValue},
               {"Time", TLayoutValue::MakeInteger(std::int64_t(1) << 40), TPropertyResult::TCode::BadValue},
               {"Direction", TLayoutValue::MakeIdentifier("kdSideways"), TPropertyResult::TCode::BadValue},
               {"Enabled", TLayoutValue::MakeInteger(1), TPropertyResult::TCode::BadValue},
               {"Speed", TLayoutValue::MakeInteger(1), TPropertyResult::TCode::Unknown}};
  for (const Case& c : cases) {
    EXPECT_EQ(a.ReadProperty(c.name, c.value).Code, c.code) << c.name;
  }
  EXPECT_EQ(a.Time(), 50);
  EXPECT_EQ(a.Resolution(), 1);
  EXPECT_EQ(a.TileCount(), 20);
  EXPECT_EQ(a.Direction(), kdRotate180);
  EXPECT_TRUE(a.Enabled());
}

TEST(SkAnimationDriver, BitmapEffectPlaysThroughItsOwnKind) {
  TFakeHost host;
  TskAnimationDriver d(&host, 1);
  TskAnimationRec rec = Rec(skBitmapEffectName);
  TskPixels ramp;
  ramp.SetSize(16, 1);
  for (int x = 0; x < 16; ++x) {
    ramp.SetPixel(x, 0, 0xFF000000u | TskColor(x * 17));
  }
  rec.SetBitmap(ramp);
  const int slot = d.StartAnimation(1, 0, 0, -1, rec, Solid(16, 4, ~0u), Solid(16, 4, 0xFF000000));
  ASSERT_GE(slot, 0);
  EXPECT_EQ(d.EffectOf(slot), skBitmapEffectName);
  ASSERT_EQ(d.Player(slot)->Kind(), TskEffectKind::ekBitmap);
  while (d.IsAnimating(slot)) {
    d.Tick(0);
  }
  EXPECT_EQ(host.Frames, 20);
  EXPECT_EQ(host.Centre.back(), 0xFFFFFFFFu);
}

TEST(SkAnimationDriver, RandomChoiceNeverPicksTheBitmapAndIgnoresDissolveReseeding) {
  TFakeHost host;
  auto picks = [&](bool dissolveFirst) {
    TskAnimationDriver d(&host, 42);
    if (dissolveFirst) {
      const int s = d.StartAnimation(1, 0, 0, -1, Rec("Pixel"), Solid(9, 9, ~0u), Solid(9, 9, 0));
      while (d.IsAnimating(s)) {
        d.Tick(0);
      }
    }
    std::vector<std::string> out;
    for (int i = 0; i < 2000; ++i) {
      const int s = d.StartAnimation(1, 0, 0, 0, Rec(skRandomEffectName), Solid(2, 2, ~0u), Solid(2, 2, 0));
      out.push_back(d.EffectOf(s));
    }
    return out;
  };
  const auto plain = picks(false);
  EXPECT_EQ(picks(true), plain);
  std::set<std::string> seen(plain.begin(), plain.end());
  EXPECT_EQ(seen.count(skBitmapEffectName), 0u);
  EXPECT_EQ(seen.size(), skEffectCount);
}

TEST(SkAnimationDriver, SlotRules) {
  TFakeHost host;
  TskAnimationDriver d(&host, 1);
  const TskPixels a = Solid(4, 4, ~0u), b = Solid(4, 4, 0);
  for (int bad : {-2, 201, 1000}) {
    EXPECT_EQ(d.StartAnimation(1, 0, 0, bad, Rec("Fade"), a, b), -1) << bad;
    EXPECT_FALSE(d.IsAnimating(bad));
    d.StopAnimation(bad, true);
  }
  EXPECT_FALSE(d.IsAnimating(-1));
  EXPECT_EQ(d.StartAnimation(1, 0, 0, -1, Rec("NoSuchEffect"), a, b), -1);
  EXPECT_EQ(d.StartAnimation(1, 0, 0, -1, Rec("Fade"), TskPixels{}, b), -1);
  EXPECT_EQ(d.ActiveCount(), 0);

  // An active slot given again is stopped first and then plays the new transition.
  EXPECT_EQ(d.StartAnimation(1, 0, 0, 7, Rec("Fade"), a, b), 7);
  d.Tick(0);
  EXPECT_EQ(d.StartAnimation(1, 0, 0, 7, Rec("Push"), a, b), 7);
  EXPECT_EQ(d.EffectOf(7), "[ MANUAL ] - Push");
  EXPECT_EQ(d.ActiveCount(), 1);

  // All slots taken: no start.
  for (int i = 0; i < TskAnimationDriver::kSlotCount; ++i) {
    d.StartAnimation(1, 0, 0, i, Rec("Fade"), a, b);
  }
  EXPECT_EQ(d.ActiveCount(), 201);
  EXPECT_EQ(d.StartAnimation(1, 0, 0, -1, Rec("Fade"), a, b), -1);
  d.StopAnimation(3, false);
  EXPECT_EQ(d.StartAnimation(1, 0, 0, -1, Rec("Fade"), a, b), 3);
}

TEST(SkAnimationDriver, SlotsOwnWhatTheyDraw) {
  TFakeHost host;
  TskAnimationDriver d(&host, 1);
  auto next = std::make_unique<TskPixels>(Solid(16, 16, 0xFFFFFFFF));
  auto old = std::make_unique<TskPixels>(Solid(16, 16, 0xFF000000));
  const int slot = d.StartAnimation(1, 0, 0, -1, Rec("Fade"), *next, *old);
  next.reset(); // the caller's images go away mid-transition
  old.reset();
  while (d.IsAnimating(slot)) {
    d.Tick(0);
  }
  EXPECT_EQ(host.Centre.back(), 0xFFFFFFFFu);
}

TEST(SkAnimationDriver, StopFromInsideAFrameEndsAfterTheFrame) {
  TFakeHost host;
  TskAnimationDriver d(&host, 1);
  const int slot = d.StartAnimation(1, 0, 0, -1, Rec("Fade"), Solid(4, 4, ~0u), Solid(4, 4, 0xFF000000));
  host.OnPresent = [&] {
    if (host.Frames == 3) {
      d.StopAnimation(slot, true);
    }
    EXPECT_EQ(d.StartAnimation(1, 0, 0, slot, Rec("Fade"), Solid(4, 4, 0), Solid(4, 4, 0)), -1);
  };
  d.Tick(0);
  d.Tick(0);
  d.Tick(0);
  EXPECT_FALSE(d.IsAnimating(slot));
  EXPECT_EQ(host.Frames, 4); // three frames and the final one
  EXPECT_EQ(host.Centre.back(), 0xFFFFFFFFu);
}

} // namespace
