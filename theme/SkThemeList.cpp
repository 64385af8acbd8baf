#include "theme/SkThemeList.h"

#include "theme/SkThemeEngine.h"
#include "theme/SkThemeManager.h"
#include "theme/records/SkThemeLimits.h"

#include <algorithm>

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
  const std::vector<TSkThemeEngine*> observers = FObservers;
  for (TSkThemeEngine* engine : observers) {
    engine->Notification(this);
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

TPropertyResult TSkThemeList::ReadProperty(const std::string& name, const TLayoutValue& value) {
  if (name == "Version") {
    return TPropertyResult::Ok(); // always "1.0"
  }
  return TComponent::ReadProperty(name, value);
}

void TSkThemeList::AddObserver(TSkThemeEngine* engine) {
  if (std::find(FObservers.begin(), FObservers.end(), engine) == FObservers.end()) {
    FObservers.push_back(engine);
  }
}

void TSkThemeList::RemoveObserver(TSkThemeEngine* engine) {
  FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), engine), FObservers.end());
}
