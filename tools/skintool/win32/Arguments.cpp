#include "tools/skintool/Arguments.h"

#include "framework/win32/WideText.h"

std::vector<std::string> SkinToolArguments(int, char**) { return CommandLineArguments(); }
