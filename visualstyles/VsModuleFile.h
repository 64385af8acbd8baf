#pragma once
// TVsModuleFile: a visual-style module read from its file's bytes. The module is a resource-only
// program file; its headers and resource directory are walked with the bounded reader, every
// resource's bytes are checked to lie inside the bytes the file really has, and nothing is
// mapped or run. Platform-free, so the same reader runs natively, under the fuzzer and in
// tabira.exe.
#include "fileread/SfReader.h"
#include "visualstyles/VsResourceSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Limits of a module file, beyond those of TSfLimits.
inline constexpr std::size_t kVsMaxModuleFileBytes = std::size_t(256) << 20;
// Sections of one module (the platform's loader takes no more).
inline constexpr std::size_t kVsMaxModuleSections = 96;
// Resource directory entries visited over the whole directory (types, names and languages
// together); a real style has a few hundred. Directories that share subdirectories cannot
// multiply past it.
inline constexpr std::size_t kVsMaxResourceEntries = 65536;
// Characters of one resource name or type name.
inline constexpr std::size_t kVsMaxResourceNameChars = 256;
// The largest numeric resource name ("#65535").
inline constexpr std::uint32_t kVsMaxResourceNumber = 65535;

// Checks a resource name as the theme asks for it: "#" and one to five digits at most 65535 is
// a number, any other text without "#" at its start a name. False with `why` set otherwise.
[[nodiscard]] bool VsCheckResourceName(std::string_view name, std::string& why);

class TVsModuleFile : public IVsResourceSource {
public:
  // Reads the headers and the resource directory of `bytes` (the module keeps them). False with
  // Error() set when the bytes are not a module or any part of the directory or of a resource's
  // bytes lies outside them; the module is then empty.
  [[nodiscard]] bool Open(std::vector<std::uint8_t> bytes, const TSfLimits& limits = {});
  const std::string& Error() const { return FError; }

  // The bytes of the resource; types and names match ignoring case, numbers as "#n". A name
  // that VsCheckResourceName refuses finds nothing. The first language of a name is used.
  std::span<const std::uint8_t> Find(const std::string& type, const std::string& name) override;
  std::size_t ResourceCount() const { return FEntries.size(); }

private:
  struct TEntry {
    std::string Type, Name;
    std::size_t Offset = 0, Size = 0;
  };
  std::vector<std::uint8_t> FBytes;
  std::vector<TEntry> FEntries;
  std::string FError;
};

// Reads a module file (its name in UTF-8) and opens it; null with `error` set when it cannot.
std::unique_ptr<IVsResourceSource> VsOpenModuleFile(const std::string& fileName, std::string& error);
