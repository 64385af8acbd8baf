#pragma once
// Text inside the program is 8-bit: UTF-8 for file names and messages. These convert it for
// the platform's wide calls and back, and read the command line wide, so that names outside
// the system code page survive.
#include <string>
#include <vector>

// UTF-8 to UTF-16; text that is not valid UTF-8 is read in the system code page instead.
std::wstring WideFromText(const std::string& text);
// UTF-16 to UTF-8.
std::string TextFromWide(const std::wstring& text);
// The process's command-line arguments without the program name, as UTF-8.
std::vector<std::string> CommandLineArguments();
