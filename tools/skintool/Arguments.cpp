#include "tools/skintool/Arguments.h"

std::vector<std::string> SkinToolArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
