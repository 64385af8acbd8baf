#include "theme/SkThemeList.h"

#include "theme/SkThemeManager.h"
#include "theme/records/SkThemeLimits.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>

void TSkThemeStream::Write(TskByteWriter& out) const {
  const std::uint8_t kind = Data.empty() ? 0 : 2;
  out.WriteBytes(&kind, 1);
  if (kind == 0) {
    return;
  }
  WriteStreamString(out, Name);
  const std::uint64_t size = Data.size();
  out.WriteUInt32(std::uint32_t(size));
  out.WriteUInt32(std::uint32_t(size >> 32));
  out.WriteBytes(Data.data(), Data.size());
}

bool TSkThemeStream::Read(TskByteReader& in, const TskThemeManager& manager) {
  std::uint8_t kind = 0;
  if (!in.ReadBytes(&kind, 1)) {
    return false;
  }
  if (kind == 2) {
    std::int32_t nameBytes = 0;
    const std::size_t at = in.Position();
    if (!in.ReadInt32(nameBytes) || nameBytes < 0 || std::size_t(nameBytes) > kSkMaxThemeTextBytes) {
      return false;
    }
    in.Seek(at);
    std::string name;
    std::uint32_t low = 0, high = 0;
    if (!ReadStreamString(in, name) || !in.ReadUInt32(low) || !in.ReadUInt32(high)) {
      return false;
    }
    const std::uint64_t size = (std::uint64_t(high) << 32) | low;
    if (size > kSkMaxStoredThemeBytes || size > in.Remaining()) {
      return false;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (!in.ReadBytes(data.data(), data.size())) {
      return false;
    }
    Name = std::move(name);
    Data = std::move(data);
    return true;
  }
  if (kind == 1) {
    std::unique_ptr<TskTheme> theme = manager.LoadThemeFromStream(in);
    if (!theme) {
      return false;
    }
    TskByteWriter out;
    Data = manager.SaveThemeToStream(theme.get(), out) ? out.Bytes() : std::vector<std::uint8_t>{};
    Name = theme->Name();
    LoadedTheme = std::move(theme);
  }
  return true;
}

TSkThemeList::~TSkThemeList() {
  const std::vector<ISkThemeListUser*> observers = FObservers;
  for (ISkThemeListUser* user : observers) {
    user->ThemeListGone(*this);
  }
}

TSkThemeStream& TSkThemeList::Add() {
  FThemes.push_back(std::make_unique<TSkThemeStream>());
  return *FThemes.back();
}

void TSkThemeList::Loaded() {
  TComponent::Loaded();
  for (auto& item : FThemes) {
    item->LoadedTheme.reset();
  }
}

namespace {

// "0204000000..." -> bytes; none for an odd count or a character that is not a hex digit.
std::optional<std::vector<std::uint8_t>> HexBytes(const std::string& text) {
  if (text.size() % 2 != 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> out;
  out.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    std::uint8_t byte = 0;
    const char* end = text.data() + i + 2;
    if (std::from_chars(text.data() + i, end, byte, 16).ptr != end) {
      return std::nullopt;
    }
    out.push_back(byte);
  }
  return out;
}

// One stored item: "ThemeStream" (its stored form as hex digits), "Tag", and "ThemeStore"
// (the display name, which reading ignores).
TPropertyResult ReadThemeItem(TSkThemeStream& item, const TLayoutItem& stored) {
  for (const TLayoutProperty& p : stored.Properties) {
    if (p.Name == "ThemeStore") {
      continue;
    }
    if (p.Name == "Tag") {
      const auto tag = LayoutInt(p.Value, INT32_MIN, INT32_MAX);
      if (!tag) {
        return TPropertyResult::Bad("Tag: an integer is expected");
      }
      item.Tag = *tag;
      continue;
    }
    if (p.Name != "ThemeStream") {
      return TPropertyResult::Bad("no property '" + p.Name + "'");
    }
    const auto text = LayoutString(p.Value);
    const auto bytes = text ? HexBytes(*text) : std::nullopt;
    if (!bytes) {
      return TPropertyResult::Bad("ThemeStream: a string of hex digit pairs is expected");
    }
    TskByteReader in(*bytes);
    if (!item.Read(in, TskThemeManager::Instance())) {
      return TPropertyResult::Bad("ThemeStream: the stored theme cannot be read");
    }
  }
  return TPropertyResult::Ok();
}

} // namespace

TPropertyResult TSkThemeList::ReadProperty(const std::string& name, const TLayoutValue& value) {
  if (name == "Version") {
    return TPropertyResult::Ok(); // always "1.0"
  }
  if (name == "Themes") {
    if (value.Kind != TLayoutValue::TKind::Collection) {
      return TPropertyResult::Bad("a collection of themes (< item { ... } >)");
    }
    std::vector<std::unique_ptr<TSkThemeStream>> themes;
    for (std::size_t i = 0; i < value.Elements.size(); ++i) {
      themes.push_back(std::make_unique<TSkThemeStream>());
      const TPropertyResult r = ReadThemeItem(*themes.back(), value.Elements[i]);
      if (r.Code != TPropertyResult::TCode::Ok) {
        return TPropertyResult::Bad("item " + std::to_string(i) + " (line " +
                                    std::to_string(value.Elements[i].Line) + "): " + r.Message);
      }
    }
    FThemes = std::move(themes);
    return TPropertyResult::Ok();
  }
  return TComponent::ReadProperty(name, value);
}

void TSkThemeList::AddObserver(ISkThemeListUser* user) {
  if (std::find(FObservers.begin(), FObservers.end(), user) == FObservers.end()) {
    FObservers.push_back(user);
  }
}

void TSkThemeList::RemoveObserver(ISkThemeListUser* user) {
  FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), user), FObservers.end());
}
