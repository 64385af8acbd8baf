#include "theme/SkStream.h"

#include <cstring>

bool TskByteReader::ReadBytes(void* out, std::size_t n) {
  if (n > Remaining()) {
    return false;
  }
  if (n) {
    std::memcpy(out, Bytes.data() + Pos, n);
  }
  Pos += n;
  return true;
}

bool TskByteReader::Seek(std::size_t pos) {
  if (pos > Bytes.size()) {
    return false;
  }
  Pos = pos;
  return true;
}

bool TskByteReader::ReadUInt32(std::uint32_t& out) {
  std::uint8_t b[4];
  if (!ReadBytes(b, 4)) {
    return false;
  }
  out = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
        (std::uint32_t(b[3]) << 24);
  return true;
}

bool TskByteReader::ReadInt32(std::int32_t& out) {
  std::uint32_t u;
  if (!ReadUInt32(u)) {
    return false;
  }
  out = std::int32_t(u);
  return true;
}

void TskByteWriter::WriteBytes(const void* data, std::size_t n) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  Data.insert(Data.end(), p, p + n);
}

void TskByteWriter::WriteUInt32(std::uint32_t v) {
  const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                             std::uint8_t(v >> 24)};
  WriteBytes(b, 4);
}

void TskByteWriter::WriteInt32(std::int32_t v) { WriteUInt32(std::uint32_t(v)); }

void WriteStreamString(TskByteWriter& out, const std::string& s) {
  if (s.size() > 0x7FFFFFFF) {
    return;
  }
  out.WriteInt32(std::int32_t(s.size()));
  out.WriteBytes(s.data(), s.size());
}

bool ReadStreamString(TskByteReader& in, std::string& out) {
  const std::size_t start = in.Position();
  std::int32_t n;
  if (!in.ReadInt32(n)) {
    return false;
  }
  if (n < 0 || std::size_t(n) > in.Remaining()) {
    in.Seek(start);
    return false;
  }
  std::string s(std::size_t(n), '\0');
  if (!in.ReadBytes(s.data(), s.size())) {
    return false;
  }
  out = std::move(s);
  return true;
}
