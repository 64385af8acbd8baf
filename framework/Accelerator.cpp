#include "framework/Accelerator.h"

namespace {

char Upper(char c) {
  // Code-page text: only ASCII letters change case here, which is all a caption letter needs.
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

char AcceleratorChar(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') {
      continue;
    }
    if (caption[i + 1] == '&') {
      ++i; // literal ampersand
      continue;
    }
    return Upper(caption[i + 1]);
  }
  return '\0';
}

bool IsAccelerator(char key, std::string_view caption) {
  char a = AcceleratorChar(caption);
  return a != '\0' && a == Upper(key);
}
