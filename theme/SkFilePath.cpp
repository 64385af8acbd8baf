#include "theme/SkFilePath.h"

#include <fstream>

std::optional<std::filesystem::path> SkFilePath(const std::string& utf8Name) {
  try {
    return std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
  } catch (...) {
    return std::nullopt;
  }
}

std::string SkFileNameText(const std::filesystem::path& path) {
  try {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  } catch (...) {
    return {};
  }
}

bool SkFileExists(const std::string& utf8Name) {
  const std::optional<std::filesystem::path> path = SkFilePath(utf8Name);
  std::error_code ec;
  return path && std::filesystem::is_regular_file(*path, ec);
}

bool SkReadWholeFile(const std::string& utf8Name, std::size_t maxBytes, std::vector<std::uint8_t>& out,
                     std::string& error) {
  const std::optional<std::filesystem::path> path = SkFilePath(utf8Name);
  if (!path) {
    error = "the file name is not valid UTF-8";
    return false;
  }
  try {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(*path, ec);
    if (ec) {
      error = "cannot open " + utf8Name + ": " + ec.message();
      return false;
    }
    if (size > maxBytes) {
      error = utf8Name + " is larger than " + std::to_string(maxBytes) + " bytes";
      return false;
    }
    std::ifstream file(*path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file || !file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
      error = "cannot read " + utf8Name;
      return false;
    }
    out = std::move(bytes);
    return true;
  } catch (const std::exception& e) {
    error = "cannot read " + utf8Name + ": " + e.what();
    return false;
  }
}

bool SkReplaceFile(const std::string& utf8Name, std::span<const std::uint8_t> bytes, std::string& error) {
  const std::optional<std::filesystem::path> target = SkFilePath(utf8Name);
  if (!target) {
    error = "the file name is not valid UTF-8";
    return false;
  }
  try {
    std::filesystem::path temp = *target;
    temp += ".part";
    std::error_code ignored;
    {
      std::ofstream file(temp, std::ios::binary | std::ios::trunc);
      if (!file || !file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())) ||
          !file.flush()) {
        file.close();
        std::filesystem::remove(temp, ignored);
        error = "cannot write " + SkFileNameText(temp);
        return false;
      }
    }
    std::error_code ec;
    std::filesystem::rename(temp, *target, ec);
    if (ec) {
      std::filesystem::remove(temp, ignored);
      error = "cannot replace " + utf8Name + ": " + ec.message();
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    error = "cannot write " + utf8Name + ": " + e.what();
    return false;
  }
}
