#include "maskedit/MxBuffer.h"

#include <algorithm>

namespace {
void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
}

bool GetU32(std::string_view& in, std::uint32_t& v) {
  if (in.size() < 4) {
    return false;
  }
  v = 0;
  for (int i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[static_cast<size_t>(i)])) << (8 * i);
  }
  in.remove_prefix(4);
  return true;
}
} // namespace

void TMxBuffer::Dispose(TMxBufferItemPtr item) {
  if (item && OnDisposeItem) {
    OnDisposeItem(this, item.get());
  }
}

void TMxBuffer::SaveToStream(std::string& out) const {
  PutU32(out, static_cast<std::uint32_t>(StreamHeader.size() + 1));
  out.append(StreamHeader);
  out.push_back('\0');
  ForEachFromOldest([&](const TMxBufferItem& item) {
    std::int32_t size = 0;
    if (OnGetItemSize) {
      OnGetItemSize(const_cast<TMxBuffer*>(this), &item, size);
    }
    // A size is never more than the item holds: nothing beyond the item is written.
    const std::string_view bytes = item.Bytes();
    const size_t n = std::min(static_cast<size_t>(std::max<std::int32_t>(size, 0)), bytes.size());
    PutU32(out, static_cast<std::uint32_t>(n));
    out.append(bytes.substr(0, n));
  });
}

bool TMxBuffer::LoadFromStream(std::string_view in) {
  std::uint32_t headerLength = 0;
  if (!GetU32(in, headerLength) || headerLength > in.size()) {
    return false;
  }
  std::string_view header = in.substr(0, headerLength);
  in.remove_prefix(headerLength);
  const size_t zero = header.find('\0');
  if (zero != std::string_view::npos) {
    header = header.substr(0, zero);
  }
  if (header != StreamHeader) {
    return false;
  }
  Clear();
  while (!in.empty()) {
    std::uint32_t size = 0;
    if (!GetU32(in, size) || size > in.size()) {
      return false;
    }
    Push(std::make_unique<TMxRawBufferItem>(std::string(in.substr(0, size))));
    in.remove_prefix(size);
  }
  return true;
}

TMxDynLIFOBuffer::~TMxDynLIFOBuffer() { Clear(); }

bool TMxDynLIFOBuffer::Push(TMxBufferItemPtr item) {
  if (!item) {
    return false;
  }
  if (MaxEntries != -1 && Count() >= MaxEntries) {
    if (!CircleMode || MaxEntries == 0) {
      return false;
    }
    if (MaxEntries == 1) {
      Clear();
    } else {
      TMxBufferItemPtr oldest = std::move(Items.front());
      Items.pop_front();
      Dispose(std::move(oldest));
    }
  }
  Items.push_back(std::move(item));
  return true;
}

TMxBufferItemPtr TMxDynLIFOBuffer::Pop() {
  if (Items.empty()) {
    return nullptr;
  }
  TMxBufferItemPtr item = std::move(Items.back());
  Items.pop_back();
  return item;
}

void TMxDynLIFOBuffer::Clear() {
  while (!Items.empty()) {
    TMxBufferItemPtr item = std::move(Items.back());
    Items.pop_back();
    Dispose(std::move(item));
  }
}

void TMxDynLIFOBuffer::ForEachFromOldest(const std::function<void(const TMxBufferItem&)>& visit) const {
  for (const TMxBufferItemPtr& item : Items) {
    visit(*item);
  }
}
