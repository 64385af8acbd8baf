#pragma once
// A visual-style module held in memory for the tests: resources by type and name, and
// builders for the resource bytes (UTF-16 name lists and texts, uncompressed bitmaps).
#include "visualstyles/VsThemeMsStyles.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
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

// The module as a program file: DOS and file headers, a 64-bit optional header and one
// ".rsrc" section holding a resource directory (types, names, one language each) in the order
// the platform's loader searches it: named entries sorted, then numbered ones ascending.
inline std::vector<std::uint8_t> VsModuleImage(const TVsTestModule& m) {
  using TKey = std::tuple<bool, std::uint32_t, std::string>;
  auto key = [](const std::string& name) {
    if (name.size() > 1 && name[0] == '#') {
      return TKey{true, std::uint32_t(std::stoul(name.substr(1))), ""};
    }
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return char(std::toupper(c)); });
    return TKey{false, 0, upper};
  };
  std::map<TKey, std::map<TKey, const std::vector<std::uint8_t>*>> tree;
  for (const auto& [id, bytes] : m.Resources) {
    tree[key(id.first)][key(id.second)] = &bytes;
  }
  constexpr std::uint32_t kSectionRva = 0x1000, kFileAlign = 0x200;
  // Offsets inside the section: directories, data entries, names, data.
  std::uint32_t at = 16 + 8 * std::uint32_t(tree.size());
  std::map<TKey, std::uint32_t> typeDir;
  std::vector<std::uint32_t> langDir, dataEntry, dataAt;
  std::map<std::string, std::uint32_t> nameAt;
  for (const auto& [type, names] : tree) {
    typeDir[type] = at;
    at += 16 + 8 * std::uint32_t(names.size());
  }
  std::size_t count = 0;
  for (const auto& [type, names] : tree) {
    count += names.size();
    for (const auto& [name, bytes] : names) {
      for (const TKey* k : {&type, &name}) {
        if (!std::get<0>(*k) && !nameAt.count(std::get<2>(*k))) {
          nameAt[std::get<2>(*k)] = 0;
        }
      }
    }
  }
  for (std::size_t i = 0; i < count; ++i, at += 24) {
    langDir.push_back(at);
  }
  for (std::size_t i = 0; i < count; ++i, at += 16) {
    dataEntry.push_back(at);
  }
  for (auto& [name, offset] : nameAt) {
    offset = at;
    at += 2 + 2 * std::uint32_t(name.size());
  }
  for (const auto& [type, names] : tree) {
    for (const auto& [name, bytes] : names) {
      at = (at + 7) & ~7u;
      dataAt.push_back(at);
      at += std::uint32_t(bytes->size());
    }
  }
  const std::uint32_t sectionSize = at;
  const std::uint32_t rawSize = (sectionSize + kFileAlign - 1) & ~(kFileAlign - 1);
  std::vector<std::uint8_t> out(kFileAlign + rawSize, 0);
  auto put16 = [&](std::size_t p, std::uint32_t v) {
    out[p] = std::uint8_t(v);
    out[p + 1] = std::uint8_t(v >> 8);
  };
  auto put32 = [&](std::size_t p, std::uint32_t v) {
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
  };
  // Headers.
  out[0] = 'M';
  out[1] = 'Z';
  put32(0x3C, 0x40);
  put32(0x40, 0x00004550);
  const std::size_t coff = 0x44, optional = coff + 20, optionalSize = 112 + 16 * 8;
  put16(coff, 0x8664);
  put16(coff + 2, 1);
  put16(coff + 16, std::uint32_t(optionalSize));
  put16(coff + 18, 0x2022);
  put16(optional, 0x20B);
  put32(optional + 32, 0x1000);
  put32(optional + 36, kFileAlign);
  put32(optional + 56, kSectionRva + ((sectionSize + 0xFFF) & ~0xFFFu));
  put32(optional + 60, kFileAlign);
  put32(optional + 108, 16);
  put32(optional + 112 + 8 * 2, kSectionRva);
  put32(optional + 112 + 8 * 2 + 4, sectionSize);
  const std::size_t section = optional + optionalSize;
  const char name[8] = {'.', 'r', 's', 'r', 'c'};
  std::copy(name, name + 8, out.begin() + std::ptrdiff_t(section));
  put32(section + 8, sectionSize);
  put32(section + 12, kSectionRva);
  put32(section + 16, rawSize);
  put32(section + 20, kFileAlign);
  put32(section + 36, 0x40000040);
  // The directory.
  const std::size_t base = kFileAlign;
  auto directory = [&](std::uint32_t offset, const std::vector<TKey>& keys) {
    std::uint16_t named = 0;
    for (const TKey& k : keys) {
      named = std::uint16_t(named + (std::get<0>(k) ? 0 : 1));
    }
    put16(base + offset + 12, named);
    put16(base + offset + 14, std::uint32_t(keys.size() - named));
  };
  auto nameWord = [&](const TKey& k) {
    return std::get<0>(k) ? std::get<1>(k) : 0x80000000u | nameAt[std::get<2>(k)];
  };
  std::vector<TKey> types;
  for (const auto& [type, names] : tree) {
    types.push_back(type);
  }
  directory(0, types);
  std::size_t n = 0;
  for (std::size_t t = 0; t < types.size(); ++t) {
    put32(base + 16 + 8 * t, nameWord(types[t]));
    put32(base + 16 + 8 * t + 4, 0x80000000u | typeDir[types[t]]);
    std::vector<TKey> names;
    for (const auto& [nameKey, bytes] : tree[types[t]]) {
      names.push_back(nameKey);
    }
    directory(typeDir[types[t]], names);
    for (std::size_t i = 0; i < names.size(); ++i, ++n) {
      const std::size_t entry = base + typeDir[types[t]] + 16 + 8 * i;
      put32(entry, nameWord(names[i]));
      put32(entry + 4, 0x80000000u | langDir[n]);
      directory(langDir[n], {TKey{true, 0x409, ""}});
      put32(base + langDir[n] + 16, 0x409);
      put32(base + langDir[n] + 20, dataEntry[n]);
      const std::vector<std::uint8_t>& bytes = *tree[types[t]][names[i]];
      put32(base + dataEntry[n], kSectionRva + dataAt[n]);
      put32(base + dataEntry[n] + 4, std::uint32_t(bytes.size()));
      std::copy(bytes.begin(), bytes.end(), out.begin() + std::ptrdiff_t(base + dataAt[n]));
    }
  }
  for (const auto& [text, offset] : nameAt) {
    put16(base + offset, std::uint32_t(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
      put16(base + offset + 2 + 2 * i, static_cast<unsigned char>(text[i]));
    }
  }
  return out;
}
