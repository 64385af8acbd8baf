#include "maskedit/engine/MxBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

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

// --- TMxUndoBuffer ---------------------------------------------------------------------------

TMxUndoBuffer::~TMxUndoBuffer() { Clear(); }

TMxUndoBuffer::THeader TMxUndoBuffer::HeaderAt(size_t index) const {
  THeader h;
  std::memcpy(&h, Bytes.get() + Offsets[index], sizeof h);
  return h;
}

std::string* TMxUndoBuffer::LongText(const THeader& h) {
  if (h.LongId <= LongBase || h.LongId - LongBase > LongTexts.size()) {
    return nullptr;
  }
  return &LongTexts[h.LongId - LongBase - 1];
}

const std::string* TMxUndoBuffer::LongText(const THeader& h) const {
  return const_cast<TMxUndoBuffer*>(this)->LongText(h);
}

void TMxUndoBuffer::ReadRecord(size_t index, TMxUndoRecord& r) const {
  const THeader h = HeaderAt(index);
  const char* p = Bytes.get() + Offsets[index] + sizeof h;
  r.SelStart = h.SelStart;
  r.OldSelLength = h.OldSelLength;
  r.InsertedLength = h.InsertedLength;
  r.CursorPos = h.CursorPos;
  r.OldText.assign(p, h.OldLength);
  if (h.LongId != 0) {
    const std::string* t = LongText(h);
    r.NewText = t ? *t : std::string();
  } else {
    r.NewText.assign(p + h.OldLength, h.NewLength);
  }
}

bool TMxUndoBuffer::DropForRoom() {
  if (!CircleMode || MaxEntries == 0) {
    return false;
  }
  if (MaxEntries == 1) {
    Clear();
  } else {
    DropOldest();
  }
  return true;
}

void TMxUndoBuffer::DropOldest() {
  if (Offsets.empty()) {
    return;
  }
  if (OnDisposeItem) {
    auto r = std::make_unique<TMxUndoRecord>();
    ReadRecord(0, *r);
    Dispose(std::move(r));
  }
  const THeader h = HeaderAt(0);
  if (h.LongId != 0 && LongText(h) == &LongTexts.front()) {
    LongTexts.erase(LongTexts.begin());
    ++LongBase;
  }
  const size_t n = Offsets.size() > 1 ? Offsets[1] : Size;
  std::memmove(Bytes.get(), Bytes.get() + n, Size - n);
  Size -= n;
  Offsets.erase(Offsets.begin());
  for (size_t& o : Offsets) {
    o -= n;
  }
}

void TMxUndoBuffer::Reserve(size_t n) {
  const size_t capacity = std::max({Capacity * 2, Size + n, size_t{256}});
  auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
  if (Size != 0) {
    std::memcpy(bytes.get(), Bytes.get(), Size);
  }
  Bytes = std::move(bytes);
  Capacity = capacity;
}

namespace {
template <typename T>
char* Put(char* at, T value) {
  std::memcpy(at, &value, sizeof value);
  return at + sizeof value;
}

// Most steps carry one typed or deleted character: that one is stored without a call.
inline void CopyText(char* to, std::string_view text) {
  if (text.size() == 1) {
    *to = text[0];
  } else if (!text.empty()) {
    std::memcpy(to, text.data(), text.size());
  }
}
} // namespace

inline int TMxUndoBuffer::Append(size_t newTextLength, std::string_view oldText, std::int32_t selStart,
                                 std::int32_t oldSelLength, std::int32_t insertedLength,
                                 std::int32_t cursorPos, bool newLong) {
  if (!MakeRoom()) {
    return -1;
  }
  std::uint32_t longId = 0;
  if (newLong) {
    LongTexts.emplace_back();
    longId = LongBase + static_cast<std::uint32_t>(LongTexts.size());
  }
  Offsets.push_back(Size);
  char* p = Grow(sizeof(THeader) + oldText.size() + (newLong ? 0 : newTextLength));
  static_assert(sizeof(THeader) == 7 * 4, "THeader is read back field by field");
  p = Put(p, selStart);
  p = Put(p, oldSelLength);
  p = Put(p, insertedLength);
  p = Put(p, cursorPos);
  p = Put(p, static_cast<std::uint32_t>(oldText.size()));
  p = Put(p, static_cast<std::uint32_t>(newTextLength));
  p = Put(p, longId);
  CopyText(p, oldText);
  return Count() - 1;
}

int TMxUndoBuffer::PushRecord(std::string_view newText, std::string_view oldText, std::int32_t selStart,
                              std::int32_t oldSelLength, std::int32_t insertedLength,
                              std::int32_t cursorPos) {
  const bool newLong = newText.size() > LongTextSize;
  const int index =
      Append(newText.size(), oldText, selStart, oldSelLength, insertedLength, cursorPos, newLong);
  if (index < 0) {
    return index;
  }
  if (newLong) {
    LongTexts.back().assign(newText);
  } else {
    CopyText(Bytes.get() + Size - newText.size(), newText);
  }
  return index;
}

int TMxUndoBuffer::PushRecordLater(size_t newTextLength, std::string_view oldText, std::int32_t selStart,
                                   std::int32_t oldSelLength, std::int32_t insertedLength,
                                   std::int32_t cursorPos) {
  return Append(newTextLength, oldText, selStart, oldSelLength, insertedLength, cursorPos, true);
}

void TMxUndoBuffer::SetNewText(int index, std::string&& text) {
  if (index < 0 || index >= Count()) {
    return;
  }
  const THeader h = HeaderAt(static_cast<size_t>(index));
  if (std::string* t = LongText(h); t && text.size() == h.NewLength) {
    *t = std::move(text);
  }
}

void TMxUndoBuffer::SetNewText(int index, std::string_view text) { SetNewText(index, std::string(text)); }

void TMxUndoBuffer::SetInsertedLength(int index, std::int32_t value) {
  if (index < 0 || index >= Count()) {
    return;
  }
  std::memcpy(Bytes.get() + Offsets[static_cast<size_t>(index)] + offsetof(THeader, InsertedLength), &value,
              sizeof value);
}

bool TMxUndoBuffer::PopRecord(TMxUndoRecord& r) {
  if (Offsets.empty()) {
    return false;
  }
  const size_t index = Offsets.size() - 1;
  ReadRecord(index, r);
  const THeader h = HeaderAt(index);
  if (h.LongId != 0) {
    if (std::string* t = LongText(h); t && t == &LongTexts.back()) {
      r.NewText = std::move(*t);
      LongTexts.pop_back();
    }
  }
  Size = Offsets.back();
  Offsets.pop_back();
  return true;
}

bool TMxUndoBuffer::Push(TMxBufferItemPtr item) {
  const auto* r = dynamic_cast<const TMxUndoRecord*>(item.get());
  if (!r) {
    return false;
  }
  return PushRecord(r->NewText, r->OldText, r->SelStart, r->OldSelLength, r->InsertedLength, r->CursorPos) >=
         0;
}

TMxBufferItemPtr TMxUndoBuffer::Pop() {
  auto r = std::make_unique<TMxUndoRecord>();
  if (!PopRecord(*r)) {
    return nullptr;
  }
  return r;
}

void TMxUndoBuffer::Clear() {
  if (OnDisposeItem) {
    while (!Offsets.empty()) {
      Dispose(Pop());
    }
  }
  Size = 0;
  Offsets.clear();
  LongTexts.clear();
  LongBase = 0;
}

void TMxUndoBuffer::ForEachFromOldest(const std::function<void(const TMxBufferItem&)>& visit) const {
  TMxUndoRecord r;
  for (size_t i = 0; i < Offsets.size(); ++i) {
    ReadRecord(i, r);
    visit(r);
  }
}
