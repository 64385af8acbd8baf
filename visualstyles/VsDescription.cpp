#include "visualstyles/VsDescription.h"

#include <cctype>

namespace {

char Narrow(std::uint16_t c) { return c < 256 ? char(c) : '?'; }

bool IsBlank(char c) { return std::uint8_t(c) <= ' '; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && IsBlank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(std::uint8_t(a[i])) != std::tolower(std::uint8_t(b[i]))) {
      return false;
    }
  }
  return true;
}

} // namespace

std::string VsLowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    c = char(std::tolower(std::uint8_t(c)));
  }
  return out;
}

bool VsParseNameList(TSfReader& in, std::vector<std::string>& out) {
  out.clear();
  std::string current;
  while (in.Remaining() >= 2) {
    std::uint16_t c = 0;
    if (!in.U16(c)) {
      return false;
    }
    if (c != 0) {
      if (current.size() >= in.Limits().MaxRecordBytes) {
        return in.Fail("name list: name too long");
      }
      current.push_back(Narrow(c));
      continue;
    }
    if (current.empty()) {
      return true; // the terminating empty string
    }
    if (out.size() >= in.Limits().MaxNames) {
      return in.Fail("name list: too many names");
    }
    out.push_back(std::move(current));
    current.clear();
  }
  // The end of the resource ends the list.
  if (!current.empty()) {
    if (out.size() >= in.Limits().MaxNames) {
      return in.Fail("name list: too many names");
    }
    out.push_back(std::move(current));
  }
  return true;
}

bool VsDescriptionText(TSfReader& in, std::string& out) {
  out.clear();
  const std::size_t chars = in.Remaining() / 2;
  if (chars > in.Limits().MaxRecordBytes) {
    return in.Fail("description: text larger than the record limit");
  }
  std::string raw;
  raw.reserve(chars);
  for (std::size_t i = 0; i < chars; ++i) {
    std::uint16_t c = 0;
    if (!in.U16(c)) {
      return false;
    }
    raw.push_back(Narrow(c));
  }
  if (raw.size() <= 4) {
    return false;
  }
  raw.resize(raw.size() - 4);
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw.compare(i, 3, " = ") == 0) {
      out.push_back('=');
      i += 2;
    } else {
      out.push_back(raw[i]);
    }
  }
  return true;
}

std::string VsImageResourceName(std::string_view value) {
  std::string s(value);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\') {
      s[i] = '_';
    } else if (s[i] == '.' && i + 2 < s.size() && (s[i + 1] == 'B' || s[i + 1] == 'b')) {
      s[i] = '_';
    }
  }
  std::string out(Trim(s));
  for (char& c : out) {
    c = char(std::toupper(std::uint8_t(c)));
  }
  return out;
}

const std::string* TvsIniSection::Find(std::string_view key) const {
  for (const auto& [k, v] : Values) {
    if (EqualNoCase(k, key)) {
      return &v;
    }
  }
  return nullptr;
}

void TvsIniStore::Clear() {
  FSections.clear();
  FIndex.clear();
}

bool TvsIniStore::Parse(std::string_view text, const TSfLimits& limits, std::string* error) {
  Clear();
  auto fail = [&](const char* why) {
    Clear();
    if (error) {
      *error = why;
    }
    return false;
  };
  TvsIniSection* current = nullptr;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = Trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos || close == 0) {
        current = nullptr;
        continue;
      }
      const std::string name(Trim(line.substr(1, close - 1)));
      const std::string key = VsLowerCase(name);
      auto it = FIndex.find(key);
      if (it == FIndex.end()) {
        if (FSections.size() >= limits.MaxSections) {
          return fail("description: too many sections");
        }
        it = FIndex.emplace(key, FSections.size()).first;
        FSections.push_back({name, {}});
      }
      current = &FSections[it->second];
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) {
      continue;
    }
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key.empty()) {
      continue;
    }
    bool replaced = false;
    for (auto& [k, v] : current->Values) {
      if (EqualNoCase(k, key)) {
        v.assign(value);
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      if (current->Values.size() >= limits.MaxProperties) {
        return fail("description: too many keys in one section");
      }
      current->Values.emplace_back(std::string(key), std::string(value));
    }
  }
  return true;
}

const TvsIniSection* TvsIniStore::FindSection(std::string_view name) const {
  const auto it = FIndex.find(VsLowerCase(name));
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

std::string TvsIniStore::Value(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  if (const TvsIniSection* s = FindSection(section)) {
    if (const std::string* v = s->Find(key)) {
      return *v;
    }
  }
  return std::string(fallback);
}
