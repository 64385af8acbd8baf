#pragma once
// Accelerator letters of captions: the character after the first single "&" ("&&" is a
// literal ampersand). Letters compare without regard to case.
#include <string_view>

// The accelerator character of caption in upper case, or '\0' when it has none.
char AcceleratorChar(std::string_view caption);

// Whether key (as typed with Alt) selects caption.
bool IsAccelerator(char key, std::string_view caption);
