#pragma once
// A visual-style module held in memory for the tests: resources by type and name, and
// builders for the resource bytes (UTF-16 name lists and texts, uncompressed bitmaps).
#include "themefiles/VsThemeMsStyles.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TVsTestModule : public IVsResourceSource {
public:
  std::map<std::pair<std::string, std::string>, std::vector<std::uint8_t>> Resources;

  std::span<const std::uint8_t> Find(const std::string& type, const std::string& name) override {
    const auto it = Resources.find({type, name});
    return it == Resources.end() ? std::span<const std::uint8_t>()
                                 : std::span<const std::uint8_t>(it->second);
  }
  void Set(const std::string& type, const std::string& name, std::vector<std::uint8_t> bytes) {
    Resources[{type, name}] = std::move(bytes);
  }
};

// UTF-16LE bytes of an 8-bit text.
inline std::vector<std::uint8_t> VsUtf16(const std::string& text) {
  std::vector<std::uint8_t> out;
  for (unsigned char c : text) {
    out.push_back(c);
    out.push_back(0);
  }
  return out;
}

// Names separated by zero characters and ended by an empty string.
inline std::vector<std::uint8_t> VsNameList(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) {
    text += n;
    text.push_back('\0');
  }
  text.push_back('\0');
  return VsUtf16(text);
}

// A description resource: the text and a four-character trailer the reader drops.
inline std::vector<std::uint8_t> VsDescriptionResource(const std::string& ini) {
  return VsUtf16(ini + "\r\n\0\0");
}

// A bottom-up 24-bit bitmap resource; `pixel(x, y)` answers 0x00RRGGBB.
inline std::vector<std::uint8_t> VsDib24(std::int32_t w, std::int32_t h,
                                         const std::function<std::uint32_t(int, int)>& pixel) {
  std::vector<std::uint8_t> out;
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      out.push_back(std::uint8_t(v >> (8 * i)));
    }
  };
  const std::uint32_t rowBytes = std::uint32_t((w * 3 + 3) / 4 * 4);
  u32(40);
  u32(std::uint32_t(w));
  u32(std::uint32_t(h));
  out.push_back(1);
  out.push_back(0);
  out.push_back(24);
  out.push_back(0);
  u32(0);
  u32(rowBytes * std::uint32_t(h));
  u32(0);
  u32(0);
  u32(0);
  u32(0);
  for (int y = h - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = pixel(x, y);
      out.push_back(std::uint8_t(p));
      out.push_back(std::uint8_t(p >> 8));
      out.push_back(std::uint8_t(p >> 16));
      written += 3;
    }
    for (; written < rowBytes; ++written) {
      out.push_back(0);
    }
  }
  return out;
}

// A module with the three name lists and the description `ini` under "TEST_INI".
inline TVsTestModule VsModuleWith(const std::string& ini) {
  TVsTestModule m;
  m.Set("COLORNAMES", "#1", VsNameList({"Normal"}));
  m.Set("SIZENAMES", "#1", VsNameList({"NormalSize"}));
  m.Set("FILERESNAMES", "#1", VsNameList({"TEST_INI"}));
  m.Set("TEXTFILE", "TEST_INI", VsDescriptionResource(ini));
  return m;
}
