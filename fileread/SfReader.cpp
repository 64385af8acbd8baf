#include "fileread/SfReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

TSfReader::TSfReader(std::span<const std::uint8_t> bytes, std::shared_ptr<TSfReadState> state)
    : FBytes(bytes), FState(std::move(state)) {}

TSfReader::TSfReader(std::span<const std::uint8_t> bytes, const TSfLimits& limits)
    : FBytes(bytes), FState(std::make_shared<TSfReadState>()) {
  FState->Limits = limits;
}

bool TSfReader::Fail(const std::string& why) {
  if (FState->Error.empty()) {
    FState->Error = why.empty() ? std::string("malformed data") : why;
  }
  return false;
}

bool TSfReader::Bytes(std::size_t n, std::span<const std::uint8_t>& out, const char* what) {
  if (Failed()) {
    return false;
  }
  if (n > Remaining()) {
    return Fail(std::string(what) + ": " + std::to_string(n) + " bytes needed, " +
                std::to_string(Remaining()) + " left");
  }
  out = FBytes.subspan(FPos, n);
  FPos += n;
  return true;
}

bool TSfReader::Skip(std::size_t n, const char* what) {
  std::span<const std::uint8_t> unused;
  return Bytes(n, unused, what);
}

bool TSfReader::U8(std::uint8_t& v) {
  std::span<const std::uint8_t> b;
  if (!Bytes(1, b, "byte")) {
    return false;
  }
  v = b[0];
  return true;
}

bool TSfReader::U16(std::uint16_t& v) {
  std::span<const std::uint8_t> b;
  if (!Bytes(2, b, "16-bit value")) {
    return false;
  }
  v = std::uint16_t(b[0] | (b[1] << 8));
  return true;
}

bool TSfReader::U32(std::uint32_t& v) {
  std::span<const std::uint8_t> b;
  if (!Bytes(4, b, "32-bit value")) {
    return false;
  }
  v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
      (std::uint32_t(b[3]) << 24);
  return true;
}

bool TSfReader::U32BigEndian(std::uint32_t& v) {
  std::span<const std::uint8_t> b;
  if (!Bytes(4, b, "32-bit value")) {
    return false;
  }
  v = std::uint32_t(b[3]) | (std::uint32_t(b[2]) << 8) | (std::uint32_t(b[1]) << 16) |
      (std::uint32_t(b[0]) << 24);
  return true;
}

bool TSfReader::I32(std::int32_t& v) {
  std::uint32_t u;
  if (!U32(u)) {
    return false;
  }
  v = std::int32_t(u);
  return true;
}

bool TSfReader::I64(std::int64_t& v) {
  std::uint32_t lo, hi;
  if (!U32(lo) || !U32(hi)) {
    return false;
  }
  v = std::int64_t((std::uint64_t(hi) << 32) | lo);
  return true;
}

bool TSfReader::String(std::string& out, const char* what) {
  std::uint32_t n;
  if (!U32(n)) {
    return false;
  }
  if (n > Limits().MaxRecordBytes) {
    return Fail(std::string(what) + ": length " + std::to_string(n) + " is over the limit");
  }
  std::span<const std::uint8_t> b;
  if (!Bytes(n, b, what)) {
    return false;
  }
  out.assign(reinterpret_cast<const char*>(b.data()), b.size());
  return true;
}

bool TSfReader::ShortString(std::string& out, const char* what) {
  std::uint8_t n;
  std::span<const std::uint8_t> b;
  if (!U8(n) || !Bytes(n, b, what)) {
    return false;
  }
  out.assign(reinterpret_cast<const char*>(b.data()), b.size());
  return true;
}

bool TSfReader::Sub(std::size_t n, TSfReader& out, const char* what) {
  if (n > Limits().MaxRecordBytes) {
    return Fail(std::string(what) + ": length " + std::to_string(n) + " is over the limit");
  }
  std::span<const std::uint8_t> b;
  if (!Bytes(n, b, what)) {
    return false;
  }
  out = TSfReader(b, FState);
  return true;
}

bool TSfReader::CheckBitmapSize(std::int64_t width, std::int64_t height, const char* what) {
  const TSfLimits& l = Limits();
  if (width < 0 || height < 0 || width > l.MaxBitmapSide || height > l.MaxBitmapSide ||
      width * height > l.MaxBitmapPixels) {
    return Fail(std::string(what) + ": size " + std::to_string(width) + " x " + std::to_string(height) +
                " is over the limits");
  }
  return true;
}

bool TSfReader::EnterNode() {
  if (Failed()) {
    return false;
  }
  if (FState->Depth >= Limits().MaxTreeDepth) {
    return Fail("objects nested deeper than " + std::to_string(Limits().MaxTreeDepth) + " levels");
  }
  if (FState->Nodes >= Limits().MaxTreeNodes) {
    return Fail("more than " + std::to_string(Limits().MaxTreeNodes) + " objects");
  }
  ++FState->Depth;
  ++FState->Nodes;
  return true;
}

namespace {

// Inflates all that is left in `in` (which is used up) into `out` until the stream ends, `want` bytes are
// out, or the input is used up. The output grows by at most 1 MiB beyond what has been produced, so a false
// size claim fails at the end of the data instead of allocating up front.
bool InflateInto(TSfReader& in, std::vector<std::uint8_t>& out, std::size_t want, bool exact,
                 bool allowTruncatedEnd, std::size_t* unused = nullptr) {
  const std::size_t cap = std::min(want, in.Limits().MaxInflatedBytes);
  std::span<const std::uint8_t> input;
  if (!in.Bytes(in.Remaining(), input, "compressed data")) {
    return false;
  }
  z_stream z{};
  if (inflateInit(&z) != Z_OK) {
    return in.Fail("the decompressor could not start");
  }
  z.next_in = const_cast<Bytef*>(input.data());
  std::size_t inputLeft = input.size();
  std::vector<std::uint8_t> result;
  int rc = Z_OK;
  bool ok = true;
  std::string why;
  for (;;) {
    if (z.avail_in == 0 && inputLeft > 0) {
      const std::size_t chunk = std::min<std::size_t>(inputLeft, 1u << 30);
      z.avail_in = uInt(chunk);
      inputLeft -= chunk;
    }
    if (result.size() == cap) {
      // Full: one more byte out means the data is larger than allowed.
      if (exact) {
        break;
      }
      std::uint8_t probe;
      z.next_out = &probe;
      z.avail_out = 1;
      rc = inflate(&z, Z_NO_FLUSH);
      if (z.avail_out == 0) {
        ok = false;
        why = "inflated data is larger than " + std::to_string(cap) + " bytes";
      } else if (rc != Z_STREAM_END && !allowTruncatedEnd) {
        ok = false;
        why = rc == Z_OK || rc == Z_BUF_ERROR
                  ? "compressed data ends early"
                  : std::string("compressed data is damaged (") + (z.msg ? z.msg : "inflate error") + ")";
      }
      break;
    }
    // Grow with the output (from a guess based on the input), at most 1 MiB at a time.
    const std::size_t guess = std::max<std::size_t>({4096, input.size() * 2, result.size()});
    const std::size_t step = std::min<std::size_t>({cap - result.size(), guess, std::size_t(1) << 20});
    const std::size_t before = result.size();
    result.resize(before + step);
    z.next_out = result.data() + before;
    z.avail_out = uInt(step);
    rc = inflate(&z, Z_NO_FLUSH);
    result.resize(before + (step - z.avail_out));
    if (rc == Z_STREAM_END) {
      break;
    }
    if (rc == Z_BUF_ERROR && z.avail_in == 0 && inputLeft == 0) {
      if (!allowTruncatedEnd) {
        ok = false;
        why = "compressed data ends early";
      }
      break;
    }
    if (rc != Z_OK && rc != Z_BUF_ERROR) {
      ok = false;
      why = std::string("compressed data is damaged (") + (z.msg ? z.msg : "inflate error") + ")";
      break;
    }
  }
  inflateEnd(&z);
  if (!ok) {
    return in.Fail(why);
  }
  if (unused) {
    *unused = z.avail_in + inputLeft;
  }
  if (exact && result.size() != want) {
    return in.Fail("compressed image data is shorter than its size");
  }
  out = std::move(result);
  return true;
}

} // namespace

bool SfInflate(TSfReader& in, std::vector<std::uint8_t>& out, bool allowTruncatedEnd) {
  return InflateInto(in, out, SIZE_MAX, false, allowTruncatedEnd);
}

bool SfInflateStream(TSfReader& in, std::vector<std::uint8_t>& out) {
  std::size_t unused = 0;
  if (!InflateInto(in, out, SIZE_MAX, false, false, &unused)) {
    return false;
  }
  in.Unread(unused);
  return true;
}

bool SfInflateExact(TSfReader& in, std::size_t expected, std::vector<std::uint8_t>& out) {
  if (expected > in.Limits().MaxInflatedBytes) {
    return in.Fail("image data is larger than the inflate limit");
  }
  return InflateInto(in, out, expected, true, false);
}

std::vector<std::uint8_t> SfDeflate(std::span<const std::uint8_t> data, int level) {
  uLongf bound = compressBound(uLong(data.size()));
  std::vector<std::uint8_t> out(bound);
  if (compress2(out.data(), &bound, data.data(), uLong(data.size()), level) != Z_OK) {
    return {};
  }
  out.resize(bound);
  return out;
}

void TSfWriter::U16(std::uint16_t v) {
  FData.push_back(std::uint8_t(v));
  FData.push_back(std::uint8_t(v >> 8));
}

void TSfWriter::U32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    FData.push_back(std::uint8_t(v >> (8 * i)));
  }
}

void TSfWriter::U32BigEndian(std::uint32_t v) {
  for (int i = 3; i >= 0; --i) {
    FData.push_back(std::uint8_t(v >> (8 * i)));
  }
}

void TSfWriter::Bytes(const void* p, std::size_t n) {
  const auto* b = static_cast<const std::uint8_t*>(p);
  FData.insert(FData.end(), b, b + n);
}

void TSfWriter::String(const std::string& s) {
  U32(std::uint32_t(s.size()));
  Bytes(s.data(), s.size());
}

void TSfWriter::ShortString(const std::string& s) {
  U8(std::uint8_t(s.size()));
  Bytes(s.data(), s.size());
}
