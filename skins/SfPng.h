#pragma once
// PNG images for the skin tool: 8-bit RGBA written losslessly (every pixel's colour kept,
// also where alpha is 0), and a strict reader of non-interlaced 8-bit grey, grey-alpha, RGB,
// RGBA and palette images through the bounded reader.
#include "fileread/SfReader.h"
#include "theme/SkPixels.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

std::vector<std::uint8_t> SfWritePng(const TskPixels& pixels);
// False with the reason in `error` for anything malformed or over the limits; `out` is then
// untouched.
[[nodiscard]] bool SfReadPng(std::span<const std::uint8_t> bytes, TskPixels& out, std::string& error,
                             const TSfLimits& limits = {});
