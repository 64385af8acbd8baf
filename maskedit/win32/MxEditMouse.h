#pragma once
// TMxEditMouse: the mouse side of the masked edit window (TMxMaskEdit). A press puts the caret under the
// mouse (a date field selects the part there instead) and captures the mouse; moving with the button down
// extends the selection, and a timer keeps extending it (scrolling the text) while the mouse is held outside
// the text. A press inside the selection starts a drag of the selected text, dropped where the button is
// released. A double click selects a word, a third click in a row the whole text.
#include "maskedit/engine/MxClickSeries.h"
#include "maskedit/engine/MxCustomMaskEdit.h"

#include <windows.h>

// What the mouse handling asks of the window it serves.
class IMxEditMouseHost {
public:
  virtual ~IMxEditMouseHost() = default;
  // The window; null while it does not exist.
  virtual HWND Window() const = 0;
  virtual bool Enabled() const = 0;
  virtual bool Focused() const = 0;
  virtual void TakeFocus() = 0;
  // The 1-based caret position nearest to the client x.
  virtual int CharIndexFromX(int x) = 0;
  // True: the auto-scroll ticks come from the process-wide timer (TMxGlobalTimer) instead of
  // a timer of the window's own.
  virtual bool UseGlobalTimer() const = 0;
};

class TMxEditMouse {
public:
  // The id of the auto-scroll timer in the edit's window (WM_TIMER).
  static constexpr UINT_PTR kAutoScrollTimer = 1;

  TMxEditMouse(IMxEditMouseHost& host, TMxCustomMaskEdit& edit);
  ~TMxEditMouse();
  TMxEditMouse(const TMxEditMouse&) = delete;
  TMxEditMouse& operator=(const TMxEditMouse&) = delete;

  // Positions are client coordinates packed as in the mouse messages.
  void LeftButtonDown(LPARAM pos);
  void LeftButtonUp();
  void MouseMove(WPARAM keys, LPARAM pos);
  void DoubleClick(LPARAM pos);
  // Every press and double click counts towards a series; the third selects everything.
  void CountClick(LPARAM pos);
  void AutoScrollTick();
  // The press ended elsewhere (capture lost, disabled, focus gone, window destroyed).
  void StopAutoScroll();
  void EndTextDrag();

private:
  void TrackMouse();

  IMxEditMouseHost& FHost;
  TMxCustomMaskEdit& FEdit;
  LPARAM FLastMousePos = 0;
  bool FMouseTimer = false;
  // The shared timer's listener id while the ticks come from there (0: none), and its ticks.
  int FGlobalClient = 0;
  unsigned FGlobalTicks = 0;
  HCURSOR FSavedCursor = nullptr;
  TMxClickSeries FClicks;
};
