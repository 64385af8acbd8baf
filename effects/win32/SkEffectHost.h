#pragma once
// The transition driver on the platform: the process-wide driver, its 20 ms frame timer on a
// message-only window, the stopwatch that measures each tick, the drawing of frames onto a
// device context, and RunAnimation's message loop, which waits for messages between rounds.
#include "effects/SkAnimationDriver.h"

#include <windows.h>

#include <functional>

// A stopwatch on the high-resolution performance counter; the cost of reading the counter
// twice, measured at creation, is taken off every measurement.
class TskTimer {
public:
  TskTimer();
  void Start();
  void Stop();
  double ElapsedSeconds() const;

private:
  LARGE_INTEGER FFrequency{}, FStart{}, FStop{};
  LONGLONG FReadCost = 0;
};

// The process-wide driver (created on first use, with the frame timer and a clock seed).
TskAnimationDriver& SkAnimationDriver();

// Called after every frame drawn (tests watch the transition through it).
using TskPresentHook = std::function<void(const TskPixels& work, HDC dc, int x, int y)>;
void SkSetPresentHook(TskPresentHook hook);

int StartAnimation(HDC dc, int x, int y, int slot, const TskAnimationRec& rec, const TskPixels& next,
                   const TskPixels& old);
bool IsAnimating(int slot);
void StopAnimation(int slot, bool finalFrame);
// Plays the transition to its end, dispatching messages meanwhile and sleeping until the next
// message or timer tick. False when nothing could be started (the caller shows its window
// without transition). A WM_QUIT ends the transition at its final frame and is posted again.
bool RunAnimation(HDC dc, int x, int y, const TskAnimationRec& rec, const TskPixels& next,
                  const TskPixels& old);

// The seam through which a hidden window appears with a transition: its future look (painted
// through WM_PRINT, its window region made transparent) is played over the screen behind it,
// then the window is shown with showCmd. Without rec.Enabled() the window is just shown.
// Answers whether a transition played.
bool SkShowWindowAnimated(HWND window, const TskAnimationRec& rec, int showCmd = SW_SHOW);
