#pragma once
// File names inside the program are UTF-8 text on every platform. These helpers turn them into
// paths (wide on Windows, so a name outside the system code page still opens) and read and
// write whole files by them. None of them throws.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The path a UTF-8 file name stands for; none when the text is not valid UTF-8.
std::optional<std::filesystem::path> SkFilePath(const std::string& utf8Name);
// A path as UTF-8 text.
std::string SkFileNameText(const std::filesystem::path& path);
// The name is a regular file.
bool SkFileExists(const std::string& utf8Name);
// Reads a whole file of at most `maxBytes` bytes. False with `error` set otherwise.
[[nodiscard]] bool SkReadWholeFile(const std::string& utf8Name, std::size_t maxBytes, std::vector<std::uint8_t>& out,
                                   std::string& error);
// Writes the bytes to a temporary file beside the target and renames it over the target when
// complete, so that a failed write leaves the target as it was. False with `error` set.
[[nodiscard]] bool SkReplaceFile(const std::string& utf8Name, std::span<const std::uint8_t> bytes, std::string& error);
