#include "theme/win32/SkBitmapLink.h"

#include "theme/SkMasks.h"
#include "theme/win32/SkBitmap.h"

std::unique_ptr<TskBitmapLink> TskBitmapLink::Of(TskBitmap& bitmap, const RECT& r) {
  auto link = std::make_unique<TskBitmapLink>();
  link->Bitmap = &bitmap;
  link->Rect = r;
  link->Name = bitmap.Name;
  return link;
}

void TskBitmapLink::Assign(const TskBitmapLink& source) {
  Bitmap = source.Bitmap;
  Rect = source.Rect;
  Name = source.Name;
  MaskedBorder = source.MaskedBorder;
  MaskedAngles = source.MaskedAngles;
  Masked = source.Masked;
}

bool TskBitmapLink::Valid() const { return Bitmap && Rect.right > Rect.left && Rect.bottom > Rect.top; }

void TskBitmapLink::CheckMasks(const RECT& margins) {
  MaskedBorder = MaskedAngles = Masked = false;
  if (!Bitmap || Bitmap->Empty()) {
    return;
  }
  const TskMaskFlags f = SkCheckMasks(Bitmap->Pixels(), TskBitmap::ToSk(Rect), TskBitmap::ToSk(margins));
  MaskedBorder = f.MaskedBorder;
  MaskedAngles = f.MaskedAngles;
  Masked = f.Masked;
}

void TskBitmapLink::CheckMasks() { CheckMasks(RECT{0, 0, 0, 0}); }
