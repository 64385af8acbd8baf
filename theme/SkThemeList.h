#pragma once
// TSkThemeList: a component that stores themes inside a window layout, one TSkThemeStream
// item per theme; engines select an item by index.
#include "framework/Component.h"
#include "theme/SkStream.h"
#include "theme/SkTheme.h"

#include <memory>
#include <string>
#include <vector>

class TSkThemeList;
class TskThemeManager;

// One that refers to a theme list (an engine), told when the list goes away.
class ISkThemeListUser {
public:
  virtual void ThemeListGone(TSkThemeList& list) = 0;

protected:
  ~ISkThemeListUser() = default;
};

// One stored theme: the bytes its class writes, and a display name.
class TSkThemeStream {
public:
  std::vector<std::uint8_t> Data;
  std::string Name = "(empty)";
  std::int32_t Tag = 0;
  // A theme made while reading the older form; freed when the list has finished loading.
  std::unique_ptr<TskTheme> LoadedTheme;

  // The display name; writing it does nothing.
  const std::string& ThemeStore() const { return Name; }

  // The stored form: kind byte 2 with the name, a 64-bit size and the data; 0 when empty.
  void Write(TskByteWriter& out) const;
  // Reads kind 2 (name and data), kind 1 (a theme follows directly: it is read through the
  // manager, kept in LoadedTheme and stored again into Data) or any other kind (nothing
  // more). Fails, leaving the item as it was, on a name or size beyond the limits or the bytes
  // left, or an older-form theme that no class reads.
  [[nodiscard]] bool Read(TskByteReader& in, const TskThemeManager& manager);
};

class TSkThemeList : public TComponent {
public:
  using TComponent::TComponent;
  ~TSkThemeList() override;

  std::vector<std::unique_ptr<TSkThemeStream>>& Themes() { return FThemes; }
  std::size_t Count() const { return FThemes.size(); }
  TSkThemeStream* Item(std::size_t index) const {
    return index < FThemes.size() ? FThemes[index].get() : nullptr;
  }
  TSkThemeStream& Add();
  std::string Version() const { return "1.0"; }

  void Loaded() override;
  // "Themes" is a collection of items, each with "ThemeStream" (the item's stored form as a
  // string of hex digit pairs), "Tag" and "ThemeStore" (ignored: the name is in the stream).
  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;

  // Those that refer to this list (engines) are told when it goes away.
  void AddObserver(ISkThemeListUser* user);
  void RemoveObserver(ISkThemeListUser* user);

private:
  std::vector<std::unique_ptr<TSkThemeStream>> FThemes;
  std::vector<ISkThemeListUser*> FObservers;
};
