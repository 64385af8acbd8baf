#include "visualstyles/VsModuleFile.h"

#include "theme/SkFilePath.h"

#include <algorithm>
#include <cctype>

// Sections: names; the program file's headers; the resource directory; the module.

namespace {

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    c = char(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

bool SameName(const std::string& stored, const std::string& wanted) {
  return stored.size() == wanted.size() && UpperAscii(wanted) == stored;
}

// ---- the program file's headers ----

// One section of the file: where its bytes are in memory and in the file.
struct TSection {
  std::uint32_t VirtualAddress = 0, VirtualSize = 0, RawSize = 0, RawOffset = 0;
};

constexpr std::uint16_t kOptionalMagic32 = 0x10B;
constexpr std::uint16_t kOptionalMagic64 = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;

class TImage {
public:
  TImage(std::span<const std::uint8_t> bytes, TSfReader& failures) : FBytes(bytes), FFailures(failures) {}

  // Reads the headers and finds the resource directory's bytes.
  bool ReadHeaders(std::span<const std::uint8_t>& resources, std::uint32_t& resourceRva) {
    TSfReader in(FBytes, FFailures.SharedState());
    std::uint16_t mz = 0;
    if (!in.U16(mz) || mz != 0x5A4D) {
      return FFailures.Fail("not a module: no program header");
    }
    std::uint32_t peOffset = 0;
    if (!in.Skip(0x3C - 2, "program header") || !in.U32(peOffset)) {
      return false;
    }
    TSfReader pe = At(peOffset);
    std::uint32_t signature = 0;
    std::uint16_t machine = 0, sectionCount = 0, optionalSize = 0;
    if (!pe.U32(signature) || signature != 0x00004550) {
      return FFailures.Fail("not a module: no file header signature");
    }
    if (!pe.U16(machine) || !pe.U16(sectionCount) || !pe.Skip(12, "file header") || !pe.U16(optionalSize) ||
        !pe.Skip(2, "file header")) {
      return false;
    }
    if (sectionCount > kVsMaxModuleSections) {
      return FFailures.Fail("the module has " + std::to_string(sectionCount) + " sections, more than " +
                            std::to_string(kVsMaxModuleSections));
    }
    TSfReader optional(std::span<const std::uint8_t>(), FFailures.SharedState());
    if (!pe.Sub(optionalSize, optional, "optional header")) {
      return false;
    }
    std::uint16_t magic = 0;
    if (!optional.U16(magic) || (magic != kOptionalMagic32 && magic != kOptionalMagic64)) {
      return FFailures.Fail("not a module: unknown optional header");
    }
    // The directory count and the directories follow the fixed fields, 16 bytes further on in
    // the 64-bit form.
    const std::size_t countAt = magic == kOptionalMagic64 ? 108 : 92;
    std::uint32_t directoryCount = 0;
    if (!optional.Skip(countAt - 2, "optional header") || !optional.U32(directoryCount)) {
      return false;
    }
    if (directoryCount <= kResourceDirectory) {
      return FFailures.Fail("the module has no resource directory");
    }
    std::uint32_t size = 0;
    if (!optional.Skip(8 * kResourceDirectory, "data directories") || !optional.U32(resourceRva) ||
        !optional.U32(size)) {
      return false;
    }
    if (resourceRva == 0 || size == 0) {
      return FFailures.Fail("the module has no resources");
    }
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
      TSection s;
      if (!pe.Skip(8, "section name") || !pe.U32(s.VirtualSize) || !pe.U32(s.VirtualAddress) ||
          !pe.U32(s.RawSize) || !pe.U32(s.RawOffset) || !pe.Skip(16, "section header")) {
        return false;
      }
      FSections.push_back(s);
    }
    // The directory may be declared longer than its section holds; it has what the file has.
    if (!Stored(resourceRva, resources, "the resource directory")) {
      return false;
    }
    resources = resources.first(std::min<std::size_t>(size, resources.size()));
    return true;
  }

  // Every byte the file stores from the memory address `rva` to the end of its section.
  bool Stored(std::uint32_t rva, std::span<const std::uint8_t>& out, const std::string& what) {
    for (const TSection& s : FSections) {
      if (rva < s.VirtualAddress || std::uint64_t(rva) >= std::uint64_t(s.VirtualAddress) + s.RawSize) {
        continue;
      }
      const std::uint64_t inSection = rva - s.VirtualAddress;
      const std::uint64_t at = std::uint64_t(s.RawOffset) + inSection;
      const std::uint64_t stored = std::uint64_t(s.RawSize) - inSection;
      const std::uint64_t inFile = at < FBytes.size() ? FBytes.size() - at : 0;
      const std::uint64_t available = std::min(stored, inFile);
      if (available == 0) {
        return FFailures.Fail(what + " (address " + std::to_string(rva) +
                              ") lies beyond the end of the file");
      }
      out = FBytes.subspan(std::size_t(at), std::size_t(available));
      return true;
    }
    return FFailures.Fail(what + " (address " + std::to_string(rva) + ") is in no stored part of the file");
  }

  // The file bytes of `size` bytes at the memory address `rva`: inside one section's stored
  // bytes and inside the file.
  bool Map(std::uint32_t rva, std::size_t size, std::span<const std::uint8_t>& out, const std::string& what) {
    std::span<const std::uint8_t> available;
    if (!Stored(rva, available, what)) {
      return false;
    }
    if (size > available.size()) {
      return FFailures.Fail(what + " (" + std::to_string(size) + " bytes at address " + std::to_string(rva) +
                            ") lies beyond the " + std::to_string(available.size()) +
                            " bytes the file has there");
    }
    out = available.first(size);
    return true;
  }

private:
  TSfReader At(std::uint32_t offset) const {
    return TSfReader(offset <= FBytes.size() ? FBytes.subspan(offset) : std::span<const std::uint8_t>(),
                     FFailures.SharedState());
  }

  std::span<const std::uint8_t> FBytes;
  TSfReader& FFailures;
  std::vector<TSection> FSections;
};

// ---- the resource directory ----

constexpr std::uint32_t kHighBit = 0x80000000u;

class TDirectoryWalk {
public:
  TDirectoryWalk(std::span<const std::uint8_t> directory, TImage& image, TSfReader& failures)
      : FDirectory(directory), FImage(image), FFailures(failures) {}

  struct TFound {
    std::string Type, Name;
    std::span<const std::uint8_t> Bytes;
  };

  // Types, then their names, then the first language of each name.
  bool Walk(std::vector<TFound>& out) {
    std::vector<std::pair<std::string, std::uint32_t>> types;
    if (!Entries(0, types)) {
      return false;
    }
    for (const auto& [type, typeDir] : types) {
      if (!(typeDir & kHighBit)) {
        return FFailures.Fail("resource type " + type + " is not a directory");
      }
      std::vector<std::pair<std::string, std::uint32_t>> names;
      if (!Entries(typeDir & ~kHighBit, names)) {
        return false;
      }
      for (const auto& [name, nameDir] : names) {
        if (!(nameDir & kHighBit)) {
          return FFailures.Fail("resource " + type + "/" + name + " is not a directory");
        }
        std::vector<std::pair<std::string, std::uint32_t>> languages;
        if (!Entries(nameDir & ~kHighBit, languages)) {
          return false;
        }
        if (languages.empty()) {
          continue;
        }
        const std::uint32_t entry = languages.front().second;
        if (entry & kHighBit) {
          return FFailures.Fail("resource " + type + "/" + name + " nests too deep");
        }
        TFound f{type, name, {}};
        if (!Data(entry, f.Bytes, "resource " + type + "/" + name)) {
          return false;
        }
        out.push_back(std::move(f));
      }
    }
    return true;
  }

private:
  TSfReader At(std::uint32_t offset, const char* what) {
    if (offset > FDirectory.size()) {
      FFailures.Fail(std::string(what) + " at offset " + std::to_string(offset) +
                     " lies beyond the resource directory's " + std::to_string(FDirectory.size()) + " bytes");
      return TSfReader(std::span<const std::uint8_t>(), FFailures.SharedState());
    }
    return TSfReader(FDirectory.subspan(offset), FFailures.SharedState());
  }

  // One directory's entries: each name ("#n" for numbers) and its offset word.
  bool Entries(std::uint32_t offset, std::vector<std::pair<std::string, std::uint32_t>>& out) {
    TSfReader in = At(offset, "a resource directory");
    std::uint16_t named = 0, numbered = 0;
    if (!in.Skip(12, "resource directory") || !in.U16(named) || !in.U16(numbered)) {
      return false;
    }
    const std::size_t count = std::size_t(named) + numbered;
    FVisited += count;
    if (FVisited > kVsMaxResourceEntries) {
      return FFailures.Fail("the resource directory has more than " + std::to_string(kVsMaxResourceEntries) +
                            " entries");
    }
    for (std::size_t i = 0; i < count; ++i) {
      std::uint32_t name = 0, target = 0;
      if (!in.U32(name) || !in.U32(target)) {
        return false;
      }
      std::string text;
      if (name & kHighBit) {
        if (!NameText(name & ~kHighBit, text)) {
          return false;
        }
      } else {
        if (name > kVsMaxResourceNumber) {
          return FFailures.Fail("resource number " + std::to_string(name) + " is larger than " +
                                std::to_string(kVsMaxResourceNumber));
        }
        text = "#" + std::to_string(name);
      }
      out.emplace_back(std::move(text), target);
    }
    return true;
  }

  // A stored name: a 16-bit character count and UTF-16 characters (beyond 8 bits: '?').
  bool NameText(std::uint32_t offset, std::string& out) {
    TSfReader in = At(offset, "a resource name");
    std::uint16_t length = 0;
    if (!in.U16(length)) {
      return false;
    }
    if (length == 0 || length > kVsMaxResourceNameChars) {
      return FFailures.Fail("a resource name of " + std::to_string(length) + " characters (1 to " +
                            std::to_string(kVsMaxResourceNameChars) + " are read)");
    }
    for (std::uint16_t i = 0; i < length; ++i) {
      std::uint16_t c = 0;
      if (!in.U16(c)) {
        return false;
      }
      out.push_back(c < 0x100 ? char(std::toupper(c)) : '?');
    }
    return true;
  }

  // A data entry: the resource's address and size, checked against the file.
  bool Data(std::uint32_t offset, std::span<const std::uint8_t>& out, const std::string& what) {
    TSfReader in = At(offset, "a resource data entry");
    std::uint32_t rva = 0, size = 0;
    if (!in.U32(rva) || !in.U32(size)) {
      return false;
    }
    if (size > FFailures.Limits().MaxRecordBytes) {
      return FFailures.Fail(what + " has " + std::to_string(size) + " bytes, more than " +
                            std::to_string(FFailures.Limits().MaxRecordBytes));
    }
    if (size == 0) {
      out = {};
      return true;
    }
    return FImage.Map(rva, size, out, what);
  }

  std::span<const std::uint8_t> FDirectory;
  TImage& FImage;
  TSfReader& FFailures;
  std::size_t FVisited = 0;
};

} // namespace

// ---- the module ----

bool VsCheckResourceName(std::string_view name, std::string& why) {
  if (name.empty()) {
    why = "an empty resource name";
    return false;
  }
  if (name[0] != '#') {
    if (name.size() > kVsMaxResourceNameChars) {
      why = "a resource name of " + std::to_string(name.size()) + " characters (at most " +
            std::to_string(kVsMaxResourceNameChars) + ")";
      return false;
    }
    return true;
  }
  const std::string_view digits = name.substr(1);
  const bool allDigits =
      !digits.empty() && digits.size() <= 5 &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
  std::uint32_t value = 0;
  for (char c : digits) {
    value = allDigits ? value * 10 + std::uint32_t(c - '0') : 0;
  }
  if (!allDigits || value > kVsMaxResourceNumber) {
    const std::string shown(name.substr(0, 32));
    why = "resource number \"" + shown + (name.size() > 32 ? "...\"" : "\"") + " is not a number from 0 to " +
          std::to_string(kVsMaxResourceNumber);
    return false;
  }
  return true;
}

bool TVsModuleFile::Open(std::vector<std::uint8_t> bytes, const TSfLimits& limits) {
  FBytes.clear();
  FEntries.clear();
  FError.clear();
  TSfReader failures(std::span<const std::uint8_t>(), limits);
  TImage image(bytes, failures);
  std::span<const std::uint8_t> directory;
  std::uint32_t directoryRva = 0;
  std::vector<TDirectoryWalk::TFound> found;
  if (!image.ReadHeaders(directory, directoryRva)) {
    FError = failures.Failed() ? failures.Error() : "not a module";
    return false;
  }
  TDirectoryWalk walk(directory, image, failures);
  if (!walk.Walk(found) || failures.Failed()) {
    FError = failures.Failed() ? failures.Error() : "the resource directory is damaged";
    return false;
  }
  for (TDirectoryWalk::TFound& f : found) {
    TEntry e;
    e.Type = std::move(f.Type);
    e.Name = std::move(f.Name);
    e.Offset = f.Bytes.empty() ? 0 : std::size_t(f.Bytes.data() - bytes.data());
    e.Size = f.Bytes.size();
    FEntries.push_back(std::move(e));
  }
  FBytes = std::move(bytes);
  return true;
}

std::span<const std::uint8_t> TVsModuleFile::Find(const std::string& type, const std::string& name) {
  std::string why;
  if (!VsCheckResourceName(type, why) || !VsCheckResourceName(name, why)) {
    return {};
  }
  // "#007" and "#7" are one number.
  auto canonical = [](const std::string& n) {
    if (n[0] != '#') {
      return UpperAscii(n);
    }
    std::uint32_t v = 0;
    for (char c : n.substr(1)) {
      v = v * 10 + std::uint32_t(c - '0');
    }
    return "#" + std::to_string(v);
  };
  const std::string t = canonical(type), n = canonical(name);
  for (const TEntry& e : FEntries) {
    if (SameName(e.Type, t) && SameName(e.Name, n)) {
      return std::span<const std::uint8_t>(FBytes).subspan(e.Offset, e.Size);
    }
  }
  return {};
}

std::unique_ptr<IVsResourceSource> VsOpenModuleFile(const std::string& fileName, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!SkReadWholeFile(fileName, kVsMaxModuleFileBytes, bytes, error)) {
    return nullptr;
  }
  auto module = std::make_unique<TVsModuleFile>();
  if (!module->Open(std::move(bytes))) {
    error = fileName + ": " + module->Error();
    return nullptr;
  }
  return module;
}
