#pragma once
// TMxBuffer and TMxDynLIFOBuffer: the item stack behind the edit's undo.
//
// Items are owned by the buffer while stored (std::unique_ptr). OnDisposeItem is told
// about every item the buffer frees itself (Clear, an item pushed out of a full buffer,
// destruction) just before it is freed; Pop hands ownership back to the caller.
//
// Stream format (little-endian): a 32-bit header length (22), the 21 characters
// "@MxBufferStream-V0.1@" and a zero byte; then per item, oldest first, a 32-bit size
// and that many bytes. Sizes come from OnGetItemSize (0 without a handler).
#include "maskedit/MxObject.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Base of anything stored in a TMxBuffer. Bytes() is what SaveToStream can write.
class TMxBufferItem {
public:
  virtual ~TMxBufferItem() = default;
  virtual std::string_view Bytes() const { return {}; }
};

// An item holding plain bytes; LoadFromStream makes these.
class TMxRawBufferItem final : public TMxBufferItem {
public:
  explicit TMxRawBufferItem(std::string data) : Data(std::move(data)) {}
  std::string_view Bytes() const override { return Data; }
  std::string Data;
};

using TMxBufferItemPtr = std::unique_ptr<TMxBufferItem>;

class TMxBuffer : public TMxObject {
public:
  using TDisposeEvent = std::function<void(TMxBuffer* sender, TMxBufferItem* item)>;
  using TItemSizeEvent =
      std::function<void(TMxBuffer* sender, const TMxBufferItem* item, std::int32_t& size)>;

  static constexpr std::string_view StreamHeader = "@MxBufferStream-V0.1@";

  // Returns false when the item was refused (it is then freed without OnDisposeItem).
  virtual bool Push(TMxBufferItemPtr item) = 0;
  // nullptr when empty; the caller owns the result.
  virtual TMxBufferItemPtr Pop() = 0;
  virtual void Clear() = 0;
  virtual int Count() const = 0;
  // Visits the items from the oldest to the newest.
  virtual void ForEachFromOldest(const std::function<void(const TMxBufferItem&)>& visit) const = 0;

  std::int32_t GetMaxEntries() const { return MaxEntries; }
  void SetMaxEntries(std::int32_t value) { MaxEntries = value < -1 ? -1 : value; }

  void SaveToStream(std::string& out) const;
  // Reads a stream written by SaveToStream. A wrong header leaves the buffer unchanged
  // and returns false; items are read until the bytes run out, and an item whose size
  // exceeds the bytes left ends the reading (returns false, the items read so far stay).
  bool LoadFromStream(std::string_view in);

  TDisposeEvent OnDisposeItem;
  TItemSizeEvent OnGetItemSize;

protected:
  void Dispose(TMxBufferItemPtr item);
  std::int32_t MaxEntries = -1; // -1 = unlimited
};

// A stack with O(1) push and pop. When MaxEntries is reached, CircleMode drops the
// oldest item to make room; without it the new item is refused.
class TMxDynLIFOBuffer final : public TMxBuffer {
public:
  ~TMxDynLIFOBuffer() override;
  bool Push(TMxBufferItemPtr item) override;
  TMxBufferItemPtr Pop() override;
  void Clear() override;
  int Count() const override { return static_cast<int>(Items.size()); }
  void ForEachFromOldest(const std::function<void(const TMxBufferItem&)>& visit) const override;
  // The newest item, or nullptr.
  TMxBufferItem* Top() const { return Items.empty() ? nullptr : Items.back().get(); }

  bool CircleMode = true;

private:
  std::deque<TMxBufferItemPtr> Items; // front = oldest, back = top
};

// One undo step of the edit: the state at the moment InsertText was called.
struct TMxUndoRecord final : TMxBufferItem {
  std::string NewText; // the text passed to InsertText
  std::string OldText; // SelText at the call
  std::int32_t SelStart = 1;
  std::int32_t OldSelLength = 0;
  std::int32_t InsertedLength = 0; // characters actually inserted (0 when refused)
  std::int32_t CursorPos = 1;
};

// The edit's undo stack: a LIFO of TMxUndoRecord packed into one growing byte buffer, so
// that recording a step allocates nothing once the buffer has grown (amortised O(1) push,
// O(1) Clear). NewTexts longer than LongTextSize are kept as strings beside the buffer, moved in
// rather than copied.
//
// The generic TMxBuffer interface works on TMxUndoRecord items (other items are refused);
// Pop, Clear with an OnDisposeItem handler and ForEachFromOldest build the records they
// hand out. When MaxEntries is reached, CircleMode drops the oldest step (a move of the
// whole buffer); without it the new step is refused.
class TMxUndoBuffer final : public TMxBuffer {
public:
  static constexpr size_t LongTextSize = 256;

  ~TMxUndoBuffer() override;
  bool Push(TMxBufferItemPtr item) override;
  TMxBufferItemPtr Pop() override;
  void Clear() override;
  int Count() const override { return static_cast<int>(Offsets.size()); }
  void ForEachFromOldest(const std::function<void(const TMxBufferItem&)>& visit) const override;

  // Records a step without making an item; returns its index, or -1 when refused.
  int PushRecord(std::string_view newText, std::string_view oldText, std::int32_t selStart,
                 std::int32_t oldSelLength, std::int32_t insertedLength, std::int32_t cursorPos);
  // Records a step whose NewText is filled in later by SetNewText (only its length is
  // known now); returns its index, or -1 when refused.
  int PushRecordLater(size_t newTextLength, std::string_view oldText, std::int32_t selStart,
                      std::int32_t oldSelLength, std::int32_t insertedLength, std::int32_t cursorPos);
  // Fills in the NewText of step index (recorded by PushRecordLater with this length).
  void SetNewText(int index, std::string&& text);
  void SetNewText(int index, std::string_view text);
  // Changes the InsertedLength of step index; nothing when there is no such step.
  void SetInsertedLength(int index, std::int32_t value);
  // Takes the newest step into r; false when empty.
  bool PopRecord(TMxUndoRecord& r);

  bool CircleMode = true;

private:
  struct THeader {
    std::int32_t SelStart;
    std::int32_t OldSelLength;
    std::int32_t InsertedLength;
    std::int32_t CursorPos;
    std::uint32_t OldLength;
    std::uint32_t NewLength;
    std::uint32_t LongId; // 0: NewText follows OldText; else its id in LongTexts
  };
  bool MakeRoom() { return MaxEntries == -1 || Count() < MaxEntries || DropForRoom(); }
  bool DropForRoom();
  int Append(size_t newTextLength, std::string_view oldText, std::int32_t selStart, std::int32_t oldSelLength,
             std::int32_t insertedLength, std::int32_t cursorPos, bool newLong);
  THeader HeaderAt(size_t index) const;
  std::string* LongText(const THeader& h);
  const std::string* LongText(const THeader& h) const;
  void ReadRecord(size_t index, TMxUndoRecord& r) const;
  void DropOldest();

  // Appends n bytes to the record bytes and returns where they go.
  char* Grow(size_t n) {
    if (Capacity - Size < n) {
      Reserve(n);
    }
    char* at = Bytes.get() + Size;
    Size += n;
    return at;
  }
  void Reserve(size_t n);

  // The records, oldest first: header, OldText, inline NewText. A plain array: the header
  // fields are stored straight into it (no zero fill, no copy through a temporary).
  std::unique_ptr<char[]> Bytes;
  size_t Size = 0;
  size_t Capacity = 0;
  std::vector<size_t> Offsets; // start of each record in Bytes
  // The long NewTexts, oldest first; the first one has the id LongBase + 1.
  std::vector<std::string> LongTexts;
  std::uint32_t LongBase = 0;
};
