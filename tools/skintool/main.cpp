// skintool: inspects, checks, converts, unpacks, packs and renders skin files.
#include "tools/skintool/Arguments.h"
#include "tools/skintool/SkinTool.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args = SkinToolArguments(argc, argv);
    return SkinToolRun(args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "skintool: " << e.what() << "\n";
  } catch (...) {
    std::cerr << "skintool: unexpected failure\n";
  }
  return 1;
}
