#include "maskedit/win32/MxCaret.h"

#include <algorithm>

TMxCaret::TMxCaret() : FBlinkRate(GetCaretBlinkTime()) {}

TMxCaret::~TMxCaret() { Destroy(); }

void TMxCaret::SetBlinkRate(unsigned v) {
  if (v == FBlinkRate) {
    return;
  }
  FBlinkRate = v;
  if (FVisible) {
    ApplyBlinkRate();
  }
  Change();
}

void TMxCaret::SetStyle(TMxCaretStyles v) {
  if (v == FStyle) {
    return;
  }
  FStyle = v;
  Change();
}

void TMxCaret::SetCaretBmpMode(TMxCaretBitmap v) {
  if (v == FBmpMode) {
    return;
  }
  FBmpMode = v;
  Change();
}

void TMxCaret::SetBitmap(TBitmapHandle bitmap) {
  FBitmap = std::move(bitmap);
  Change();
}

void TMxCaret::Assign(const TMxCaret& source) {
  BeginUpdate();
  SetBlinkRate(source.FBlinkRate);
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  FStyle = source.FStyle;
  EndUpdate(true);
}

bool TMxCaret::OwnerFocused() const { return FOwner && GetFocus() == FOwner; }

void TMxCaret::ApplyBlinkRate() {
  const UINT current = GetCaretBlinkTime();
  if (current == INFINITE || current == 0) {
    return; // blinking is off: the user's choice stands
  }
  if (!FBlinkChanged) {
    if (current == FBlinkRate) {
      return;
    }
    FSavedBlinkTime = current;
  }
  if (SetCaretBlinkTime(FBlinkRate)) {
    FBlinkChanged = true;
  }
}

void TMxCaret::RestoreBlinkRate() {
  if (!FBlinkChanged) {
    return;
  }
  SetCaretBlinkTime(FSavedBlinkTime);
  FBlinkChanged = false;
}

void TMxCaret::Create() {
  if (!OwnerFocused()) {
    return;
  }
  HBITMAP shape = nullptr;
  int w = std::max(1, FLineWidth), h = std::max(1, FFontHeight);
  switch (FStyle) {
  case csBlock:
  case csUnderBlock:
    w = FWidth;
    h = FHeight;
    break;
  case csUnder:
  case csOver:
    w = FWidth;
    h = 1;
    break;
  case csBitmap:
    if (FBitmap) {
      if (FBmpMode == cbBmpSize) {
        shape = FBitmap.Get();
      } else {
        // A work bitmap of the caret's size, tiled or stretched from the picture.
        BITMAP info{};
        GetObjectA(FBitmap.Get(), sizeof info, &info);
        TWindowDC screen(nullptr);
        TMemoryDC src(CreateCompatibleDC(screen.Get())), dst(CreateCompatibleDC(screen.Get()));
        FWorkBitmap.Reset(CreateCompatibleBitmap(screen.Get(), std::max(1, FWidth), std::max(1, FHeight)));
        TSelectGuard s(src.Get(), FBitmap.Get()), d(dst.Get(), FWorkBitmap.Get());
        if (FBmpMode == cbStretch || info.bmWidth <= 0 || info.bmHeight <= 0) {
          StretchBlt(dst.Get(), 0, 0, FWidth, FHeight, src.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        } else {
          for (int y = 0; y < FHeight; y += info.bmHeight) {
            for (int x = 0; x < FWidth; x += info.bmWidth) {
              BitBlt(dst.Get(), x, y, info.bmWidth, info.bmHeight, src.Get(), 0, 0, SRCCOPY);
            }
          }
        }
        shape = FWorkBitmap.Get();
      }
    }
    break;
  default: break;
  }
  if (FPlatformCaret) {
    DestroyCaret();
  }
  FPlatformCaret = CreateCaret(FOwner, shape, std::max(1, w), std::max(1, h)) != FALSE;
  if (FPlatformCaret && FVisible) {
    ApplyBlinkRate();
    ShowCaret(FOwner);
  }
}

void TMxCaret::Show() {
  if (Designing || !Enabled) {
    return;
  }
  if (!FPlatformCaret) {
    Create();
  }
  if (!FPlatformCaret) {
    return;
  }
  FVisible = true;
  ApplyBlinkRate();
  ShowCaret(FOwner);
}

void TMxCaret::Hide() {
  if (FVisible && FPlatformCaret) {
    HideCaret(FOwner);
  }
  FVisible = false;
  RestoreBlinkRate();
}

void TMxCaret::Destroy() {
  RestoreBlinkRate();
  if (FPlatformCaret) {
    // Only set while this window made the thread's caret and has not lost the focus since
    // (the focus-loss handling destroys it before the next window makes its own).
    DestroyCaret();
    FPlatformCaret = false;
  }
  FVisible = false;
}

void TMxCaret::Place(int x, int y) {
  if (!FPlatformCaret || !OwnerFocused()) {
    return;
  }
  if (FStyle == csUnder) {
    y += FFontHeight - 3;
  } else if (FStyle == csUnderBlock) {
    y += FFontHeight - FHeight - 2;
  }
  SetCaretPos(x, y);
}
