#pragma once
// Test-only pieces of skin files on top of the byte builder: object-stream records, the
// children blob, compressed files and the stored tables. Written from the format's
// description and independent of the product's writer: a writer fault cannot hide a
// reader fault.
#include "fileread/tests/SfByteBuilder.h"

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

// Binary object stream pieces: "TPF0", class and object name, properties, two zero bytes.
class TSfTpf0Builder {
public:
  TSfByteBuilder W;
  TSfTpf0Builder(const std::string& cls, const std::string& name) { W.Raw("TPF0").Short(cls).Short(name); }
  TSfTpf0Builder& Int(const std::string& prop, std::int32_t v) {
    W.Short(prop).U8(4).U32(std::uint32_t(v));
    return *this;
  }
  TSfTpf0Builder& Int8(const std::string& prop, std::int8_t v) {
    W.Short(prop).U8(2).U8(std::uint8_t(v));
    return *this;
  }
  TSfTpf0Builder& Ident(const std::string& prop, const std::string& v) {
    W.Short(prop).U8(7).Short(v);
    return *this;
  }
  TSfTpf0Builder& String(const std::string& prop, const std::string& v) {
    W.Short(prop).U8(6).Short(v);
    return *this;
  }
  TSfTpf0Builder& Bool(const std::string& prop, bool v) {
    W.Short(prop).U8(v ? 9 : 8);
    return *this;
  }
  TSfTpf0Builder& Binary(const std::string& prop, const std::vector<std::uint8_t>& v) {
    W.Short(prop).U8(10).U32(std::uint32_t(v.size())).Raw(v);
    return *this;
  }
  TSfTpf0Builder& RawValue(const std::string& prop, std::uint8_t type) {
    W.Short(prop).U8(type);
    return *this;
  }
  std::vector<std::uint8_t> End() {
    TSfByteBuilder out = W;
    out.U8(0).U8(0);
    return out.B;
  }
};

inline std::vector<std::uint8_t> BinaryRecord(const std::string& cls, const std::vector<std::uint8_t>& tpf0) {
  TSfByteBuilder b;
  b.Str(cls).U32(std::uint32_t(tpf0.size())).Raw(tpf0);
  return b.B;
}

inline std::vector<std::uint8_t> TextRecord(const std::string& cls, const std::string& text) {
  TSfByteBuilder b;
  b.Str(cls).Str(text);
  return b.B;
}

// The children blob of "Objects": count word with bits 16-19 set and binary records.
inline std::vector<std::uint8_t> ChildrenBlob(const std::vector<std::vector<std::uint8_t>>& records) {
  TSfByteBuilder b;
  b.U32(std::uint32_t(records.size()) | 0x000F0000u);
  for (const auto& r : records) {
    b.Raw(r);
  }
  return b.B;
}

inline std::vector<std::uint8_t> Zlib(const std::vector<std::uint8_t>& data, int level) {
  uLongf n = compressBound(uLong(data.size()));
  std::vector<std::uint8_t> out(n);
  compress2(out.data(), &n, data.data(), uLong(data.size()), level);
  out.resize(n);
  return out;
}

// A whole compressed file: signature, "QVLZ", zlib stream of `contents`.
inline std::vector<std::uint8_t> CompressedFile(const char* sig, const std::vector<std::uint8_t>& contents,
                                                int level) {
  TSfByteBuilder b;
  if (sig) {
    b.Signature(sig);
  }
  b.Raw("QVLZ").Raw(Zlib(contents, level));
  return b.B;
}

// The three stored tables with `colors` element colours (count byte colors - 1), 26 system
// colours and 66 fonts.
inline void Tables(TSfByteBuilder& b, int colors = 22, bool sys = true) {
  b.U8(std::uint8_t(colors - 1));
  for (int i = 0; i < colors; ++i) {
    b.Str("C" + std::to_string(i)).Str(":").Str(i == 3 ? "$00112233" : "clBtnFace");
  }
  if (sys) {
    b.U32(26);
    for (int i = 0; i < 26; ++i) {
      b.Str("S").Str(":").Str(i == 4 ? "$00445566" : "clBlack");
    }
  }
  b.U8(65);
  for (int i = 0; i < 66; ++i) {
    b.Str("F").Str(":").Str(i == 0 ? "Courier New, 10, 238, 1, 2, 3, bold, italic" : "Tahoma,8,1,0,0,0");
  }
}
