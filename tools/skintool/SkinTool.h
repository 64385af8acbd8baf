#pragma once
// The skin tool's commands (info, check, convert, unpack, pack, render) behind one entry
// point, so that tests run them in-process. Exit codes: 0 done, 1 the file or operation
// failed, 2 wrong usage.
#include <iosfwd>
#include <string>
#include <vector>

int SkinToolRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
