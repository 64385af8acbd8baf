#include "theme/win32/SkBitmapList.h"

#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkBitmapLink.h"

namespace {
bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') {
      x = char(x - 32);
    }
    if (y >= 'a' && y <= 'z') {
      y = char(y - 32);
    }
    if (x != y) {
      return false;
    }
  }
  return true;
}
} // namespace

TskBitmapList::TskBitmapList() = default;
TskBitmapList::~TskBitmapList() = default;

TskBitmap* TskBitmapList::Add(std::unique_ptr<TskBitmap> bitmap) {
  if (!bitmap) {
    return nullptr;
  }
  Items.push_back(std::move(bitmap));
  return Items.back().get();
}

void TskBitmapList::Clear() { Items.clear(); }

TskBitmap* TskBitmapList::GetBitmap(std::size_t index) const {
  return index < Items.size() ? Items[index].get() : nullptr;
}

TskBitmap* TskBitmapList::GetBitmapByName(const std::string& name) const {
  for (const auto& b : Items) {
    if (SameText(b->Name, name)) {
      return b.get();
    }
  }
  return nullptr;
}

std::unique_ptr<TskBitmapLink> TskBitmapList::GetBitmapLink(const std::string& name, const RECT& r) const {
  TskBitmap* b = GetBitmapByName(name);
  return b ? TskBitmapLink::Of(*b, r) : nullptr;
}
