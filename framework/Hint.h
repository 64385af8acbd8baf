#pragma once
// Hint texts: "short|long". The short part is what a tooltip shows; the long part is for a
// status line. Without "|" both parts are the whole text.
#include <string>
#include <string_view>

std::string ShortHint(std::string_view hint);
std::string LongHint(std::string_view hint);
