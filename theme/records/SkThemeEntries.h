#pragma once
// The "name", ":", "value" entries the theme records store, read within the theme limits.
#include "theme/SkStream.h"

#include <string>
#include <string_view>

void SkWriteThemeEntry(TskByteWriter& out, std::string_view name, const std::string& value);
// Reads one entry and answers its value; the name is not checked. Fails when a string is
// longer than kSkMaxThemeTextBytes or than the bytes left.
[[nodiscard]] bool SkReadThemeEntry(TskByteReader& in, std::string& value);
