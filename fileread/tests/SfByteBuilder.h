#pragma once
// Test-only little-endian byte builder for the files the bounded reader takes (skin files,
// bitmaps), written from the formats' descriptions and independent of the product's writer:
// a writer fault cannot hide a reader fault. Header() and Bitmap() write the skin files'
// header and stored bitmap.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class TSfByteBuilder {
public:
  std::vector<std::uint8_t> B;

  TSfByteBuilder& Raw(const std::string& s) {
    B.insert(B.end(), s.begin(), s.end());
    return *this;
  }
  TSfByteBuilder& Raw(const std::vector<std::uint8_t>& v) {
    B.insert(B.end(), v.begin(), v.end());
    return *this;
  }
  TSfByteBuilder& U8(std::uint8_t v) {
    B.push_back(v);
    return *this;
  }
  TSfByteBuilder& U16(std::uint16_t v) { return U8(std::uint8_t(v)).U8(std::uint8_t(v >> 8)); }
  TSfByteBuilder& U32(std::uint32_t v) { return U16(std::uint16_t(v)).U16(std::uint16_t(v >> 16)); }
  TSfByteBuilder& Str(const std::string& s) { return U32(std::uint32_t(s.size())).Raw(s); }
  TSfByteBuilder& Short(const std::string& s) { return U8(std::uint8_t(s.size())).Raw(s); }
  TSfByteBuilder& Signature(const char* four) { return Raw(std::string(four, 4)).U8(0); }
  TSfByteBuilder& Header(const std::string& name = "Built") {
    return Str(name).Str("3.5").Str("Builder").Str("").Str("");
  }
  // A stored bitmap of w x h pixels, all `pixel`.
  TSfByteBuilder& Bitmap(const std::string& name, std::int32_t w, std::int32_t h, std::uint32_t pixel) {
    Str(name).U32(std::uint32_t(w)).U32(std::uint32_t(h));
    const std::int64_t n = std::int64_t(w) * (h < 0 ? -std::int64_t(h) : h);
    for (std::int64_t i = 0; i < n; ++i) {
      U32(pixel);
    }
    return *this;
  }
  std::size_t Size() const { return B.size(); }
};
