#pragma once
// IVsResourceSource: the resources of one open visual-style module, as the theme reads them.
// TVsModuleFile (VsModuleFile.h) serves them from a module file's bytes; tests serve them from
// memory.
#include <cstdint>
#include <span>
#include <string>

// The resources of one open module. Numeric names are written "#1".
class IVsResourceSource {
public:
  virtual ~IVsResourceSource() = default;
  // The bytes of the resource, valid while the source lives; empty when it is missing.
  virtual std::span<const std::uint8_t> Find(const std::string& type, const std::string& name) = 0;
};
