#pragma once
// TskBitmapLink: a named rectangle of a TskBitmap (a skin element), with the results of its
// mask analysis. The link does not own the bitmap.
#include <windows.h>

#include <memory>
#include <string>

class TskBitmap;

class TskBitmapLink {
public:
  TskBitmap* Bitmap = nullptr;
  RECT Rect{0, 0, 0, 0};
  std::string Name;
  bool MaskedBorder = false;
  bool MaskedAngles = false;
  bool Masked = false;

  // A link to the rectangle r of bitmap, named as the bitmap.
  static std::unique_ptr<TskBitmapLink> Of(TskBitmap& bitmap, const RECT& r);

  // Bitmap reference, rectangle, name and the three flags.
  void Assign(const TskBitmapLink& source);
  // A bitmap and a rectangle of positive area.
  bool Valid() const;
  // Recomputes the flags; margins hold the widths of the left, top, right and bottom bands.
  void CheckMasks(const RECT& margins);
  void CheckMasks();
};
