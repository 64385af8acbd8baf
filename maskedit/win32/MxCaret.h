#pragma once
// TMxCaret: the caret settings of one edit and the platform caret made from them.
//
// The platform caret belongs to the thread, not to a window: it is created, moved and
// destroyed only while the owner window has the focus, so an edit without the focus never
// takes the caret of the one that has it. The platform blink time is process-wide: while
// the caret is shown it holds BlinkRate, and hiding restores exactly the value found when
// it was changed. A blink time of "never" (blinking switched off by the user) is left alone.
#include "framework/win32/Handles.h"
#include "maskedit/MxObject.h"

#include <cstdint>

enum TMxCaretStyles { csDefault, csBlock, csUnder, csOver, csBitmap, csUnderBlock };
enum TMxCaretBitmap { cbBmpSize, cbTile, cbStretch };

class TMxCaret : public TMxObject {
public:
  TMxCaret();
  ~TMxCaret() override;

  // The window the caret is made for; null before the window exists.
  void SetOwnerWindow(HWND hwnd) { FOwner = hwnd; }

  int Width() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; } // takes effect when the caret is next created
  int Height() const { return FHeight; }
  void SetHeight(int v) { FHeight = v; }
  // The width of the line caret (csDefault), 1 at 96 pixels per inch.
  int LineWidth() const { return FLineWidth; }
  void SetLineWidth(int v) { FLineWidth = v; }
  unsigned BlinkRate() const { return FBlinkRate; }
  void SetBlinkRate(unsigned v);
  TMxCaretStyles Style() const { return FStyle; }
  void SetStyle(TMxCaretStyles v);
  TMxCaretBitmap CaretBmpMode() const { return FBmpMode; }
  void SetCaretBmpMode(TMxCaretBitmap v);
  // The caret bitmap (csBitmap); the caret keeps its own copy of the handle's ownership.
  void SetBitmap(TBitmapHandle bitmap);
  HBITMAP Bitmap() const { return FBitmap.Get(); }
  int ImageIndex = 0;
  int ListIndex = 0;
  bool Enabled = true;
  bool Designing = false;

  // Set by the edit: the height of its font's "Qp".
  void SetFontHeight(int h) { FFontHeight = h; }
  int FontHeight() const { return FFontHeight; }

  void Create();
  void Show();
  void Hide();
  void Destroy();
  // Moves the platform caret; y is the text's top, adjusted for the under styles.
  void Place(int x, int y);
  bool Visible() const { return FVisible; }
  bool PlatformCaretExists() const { return FPlatformCaret; }

  // Copies BlinkRate, Width, Height and Style.
  void Assign(const TMxCaret& source);

private:
  bool OwnerFocused() const;
  void ApplyBlinkRate();
  void RestoreBlinkRate();

  HWND FOwner = nullptr;
  int FWidth = 2;
  int FHeight = 10;
  int FLineWidth = 1;
  unsigned FBlinkRate;
  TMxCaretStyles FStyle = csDefault;
  TMxCaretBitmap FBmpMode = cbBmpSize;
  TBitmapHandle FBitmap;
  TBitmapHandle FWorkBitmap;
  int FFontHeight = 0;
  bool FVisible = false;
  bool FPlatformCaret = false;
  bool FBlinkChanged = false;
  unsigned FSavedBlinkTime = 0;
};
