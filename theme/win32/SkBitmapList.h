#pragma once
// TskBitmapList: an owning list of bitmaps, looked up by index or by name.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class TskBitmap;
class TskBitmapLink;

class TskBitmapList {
public:
  TskBitmapList();
  ~TskBitmapList();
  TskBitmapList(const TskBitmapList&) = delete;
  TskBitmapList& operator=(const TskBitmapList&) = delete;

  // Takes ownership; answers the bitmap.
  TskBitmap* Add(std::unique_ptr<TskBitmap> bitmap);
  std::size_t Count() const { return Items.size(); }
  void Clear();
  // nullptr out of range.
  TskBitmap* GetBitmap(std::size_t index) const;
  // The first bitmap whose name matches, ignoring ASCII case; nullptr when none.
  TskBitmap* GetBitmapByName(const std::string& name) const;
  // A new link (owned by the caller) to the first bitmap of that name, with the rectangle
  // and the bitmap's name; nullptr when none.
  std::unique_ptr<TskBitmapLink> GetBitmapLink(const std::string& name, const RECT& r) const;

private:
  std::vector<std::unique_ptr<TskBitmap>> Items;
};
