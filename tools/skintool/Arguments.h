#pragma once
// The skin tool's command-line arguments without the program name, as UTF-8 text: read wide on
// Windows, so that file names outside the system code page reach the tool whole.
#include <string>
#include <vector>

std::vector<std::string> SkinToolArguments(int argc, char** argv);
