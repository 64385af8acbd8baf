#pragma once
// TSfReader: the one bounded reader behind every file reader (skin files, object streams,
// images, visual-style modules). It reads little-endian values from a span of bytes, checks
// every length and count against the bytes left and against the named limits, and records the
// first reason a read failed. Sub-readers share the failure record and the tree counters of
// their parent.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Named limits of everything read from a file.
struct TSfLimits {
  // One string, one object record, one binary value.
  std::size_t MaxRecordBytes = std::size_t(64) << 20;
  // Everything inflated from one file.
  std::size_t MaxInflatedBytes = std::size_t(512) << 20;
  std::int32_t MaxBitmapSide = 16384;
  std::int64_t MaxBitmapPixels = std::int64_t(64) << 20;
  // Object trees: nesting depth (a top-level object is depth 1) and nodes over the whole file.
  int MaxTreeDepth = 64;
  std::size_t MaxTreeNodes = 100000;
  // Bitmaps of one skin, and stored properties of one object (a skin object has fewer than
  // a hundred): each costs memory beyond its bytes, so their number is bounded too.
  std::size_t MaxBitmaps = 65535;
  std::size_t MaxProperties = 1024;
  // Visual-style descriptions: sections of one description, names in one name list.
  std::size_t MaxSections = 8192;
  std::size_t MaxNames = 4096;
};

// The largest counts the count words of the format can carry below their marker bits.
inline constexpr std::uint32_t kSfMaxBitmapCount = 4095;
inline constexpr std::uint32_t kSfMaxObjectCount = 65535;
// Stored coordinates and sizes are clamped to this magnitude when read, so that layout sums
// of file values cannot overflow.
inline constexpr std::int32_t kSfMaxCoordinate = 1 << 20;

// What a whole load shares: the limits, the first failure and the tree counters.
struct TSfReadState {
  TSfLimits Limits;
  std::string Error;
  std::size_t Nodes = 0;
  int Depth = 0;
};

class TSfReader {
public:
  TSfReader(std::span<const std::uint8_t> bytes, std::shared_ptr<TSfReadState> state);
  explicit TSfReader(std::span<const std::uint8_t> bytes, const TSfLimits& limits = {});

  std::size_t Remaining() const { return FBytes.size() - FPos; }
  std::size_t Position() const { return FPos; }
  bool AtEnd() const { return FPos == FBytes.size(); }
  bool Failed() const { return !FState->Error.empty(); }
  const std::string& Error() const { return FState->Error; }
  const TSfLimits& Limits() const { return FState->Limits; }
  TSfReadState& State() { return *FState; }
  const std::shared_ptr<TSfReadState>& SharedState() const { return FState; }

  // Records why reading failed (the first reason wins) and answers false.
  bool Fail(const std::string& why);

  [[nodiscard]] bool U8(std::uint8_t& v);
  [[nodiscard]] bool U16(std::uint16_t& v);
  [[nodiscard]] bool U32(std::uint32_t& v);
  [[nodiscard]] bool I32(std::int32_t& v);
  [[nodiscard]] bool I64(std::int64_t& v);
  [[nodiscard]] bool U32BigEndian(std::uint32_t& v);
  // n bytes as a view into the reader's span (what = the item, for the failure text).
  [[nodiscard]] bool Bytes(std::size_t n, std::span<const std::uint8_t>& out, const char* what);
  [[nodiscard]] bool Skip(std::size_t n, const char* what);
  // Moves back over the last n bytes read (at most the position).
  void Unread(std::size_t n) { FPos -= n < FPos ? n : FPos; }
  // A 32-bit byte count and the bytes, at most MaxRecordBytes.
  [[nodiscard]] bool String(std::string& out, const char* what);
  // One length byte and the characters.
  [[nodiscard]] bool ShortString(std::string& out, const char* what);
  // A reader over the next n bytes (checked against the bytes left and MaxRecordBytes) that
  // shares this reader's state; this reader moves past them.
  [[nodiscard]] bool Sub(std::size_t n, TSfReader& out, const char* what);
  // A reader over other bytes (inflated data) sharing this reader's state.
  TSfReader Derived(std::span<const std::uint8_t> bytes) const { return TSfReader(bytes, FState); }
  // Checks a bitmap size against the limits (0 x 0 is allowed: an empty bitmap).
  [[nodiscard]] bool CheckBitmapSize(std::int64_t width, std::int64_t height, const char* what);

  // Tree bookkeeping: enter a node (counts it, checks depth and node limits), leave it.
  [[nodiscard]] bool EnterNode();
  void LeaveNode() { --FState->Depth; }

private:
  std::span<const std::uint8_t> FBytes;
  std::size_t FPos = 0;
  std::shared_ptr<TSfReadState> FState;
};

// Inflates a zlib stream (header, deflate data, Adler-32) from `in`, consuming what it reads.
// The result grows in steps and never beyond MaxInflatedBytes. Every inflate error fails;
// with `allowTruncatedEnd` a stream that stops before its end (and its checksum) is taken as
// far as it goes.
[[nodiscard]] bool SfInflate(TSfReader& in, std::vector<std::uint8_t>& out, bool allowTruncatedEnd);
// Inflates one whole zlib stream and leaves the reader just after it, so that data stored after
// the stream can be read next.
[[nodiscard]] bool SfInflateStream(TSfReader& in, std::vector<std::uint8_t>& out);
// Inflates exactly `expected` bytes (image data of a known size).
[[nodiscard]] bool SfInflateExact(TSfReader& in, std::size_t expected, std::vector<std::uint8_t>& out);
// A zlib stream of `data` at `level` (1 or -1, zlib's default).
std::vector<std::uint8_t> SfDeflate(std::span<const std::uint8_t> data, int level);

// Little-endian writer for everything the skin files and images write.
class TSfWriter {
public:
  void U8(std::uint8_t v) { FData.push_back(v); }
  void U16(std::uint16_t v);
  void U32(std::uint32_t v);
  void I32(std::int32_t v) { U32(std::uint32_t(v)); }
  void U32BigEndian(std::uint32_t v);
  void Bytes(std::span<const std::uint8_t> b) { FData.insert(FData.end(), b.begin(), b.end()); }
  void Bytes(const void* p, std::size_t n);
  void String(const std::string& s);      // caller checks the limit
  void ShortString(const std::string& s); // caller checks the 255-byte limit
  std::vector<std::uint8_t>& Data() { return FData; }
  const std::vector<std::uint8_t>& Data() const { return FData; }
  std::size_t Size() const { return FData.size(); }

private:
  std::vector<std::uint8_t> FData;
};
