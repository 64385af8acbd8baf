#pragma once
// Bounded little-endian byte streams for stored data, and the stream string form
// (32-bit little-endian byte count, then the bytes). Readers never read past their bytes: a
// read that does not fit fails and leaves the position unchanged.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TskByteReader {
public:
  explicit TskByteReader(std::span<const std::uint8_t> bytes) : Bytes(bytes) {}

  std::size_t Remaining() const { return Bytes.size() - Pos; }
  std::size_t Position() const { return Pos; }
  // Moves to an absolute position within the bytes.
  bool Seek(std::size_t pos);
  [[nodiscard]] bool ReadBytes(void* out, std::size_t n);
  [[nodiscard]] bool ReadInt32(std::int32_t& out);
  [[nodiscard]] bool ReadUInt32(std::uint32_t& out);

private:
  std::span<const std::uint8_t> Bytes;
  std::size_t Pos = 0;
};

class TskByteWriter {
public:
  void WriteBytes(const void* data, std::size_t n);
  void WriteInt32(std::int32_t v);
  void WriteUInt32(std::uint32_t v);
  const std::vector<std::uint8_t>& Bytes() const { return Data; }

private:
  std::vector<std::uint8_t> Data;
};

// Writes the byte count and the bytes; a string longer than 2^31 - 1 bytes is not written.
void WriteStreamString(TskByteWriter& out, const std::string& s);
// Fails, leaving `out` and the reader's position unchanged, when the count is negative or
// larger than the bytes that remain.
[[nodiscard]] bool ReadStreamString(TskByteReader& in, std::string& out);
