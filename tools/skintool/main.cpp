// skintool: inspects, checks, converts, unpacks, packs and renders skin files.
#include "tools/skintool/SkinTool.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    return SkinToolRun(args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "skintool: " << e.what() << "\n";
  } catch (...) {
    std::cerr << "skintool: unexpected failure\n";
  }
  return 1;
}
