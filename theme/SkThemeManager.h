#pragma once
// TskThemeManager: the process-wide owner of the current theme. It knows the registered
// theme classes, builds themes from a building name, a file or stored bytes, and tells every
// registered client when the theme changes. Everything runs on the user-interface thread.
#include "theme/SkTheme.h"
#include "theme/SkThemeClient.h"

#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

// A theme class: its class answers and how to make one (two-step: construct, then defaults).
struct TskThemeClass {
  std::string (*BuildingName)() = nullptr;
  TskThemeConfig (*Config)() = nullptr;
  bool (*IsThemeStream)(TskByteReader&) = nullptr;
  std::unique_ptr<TskTheme> (*Create)() = nullptr;
};

template <class T>
TskThemeClass SkThemeClassOf() {
  return {&T::GetBuildingName, &T::GetThemeConfig, &T::IsThemeStream,
          [] { return std::unique_ptr<TskTheme>(SkMakeTheme<T>()); }};
}

class TskThemeManager {
public:
  static TskThemeManager& Instance();
  TskThemeManager() = default;
  ~TskThemeManager();
  TskThemeManager(const TskThemeManager&) = delete;
  TskThemeManager& operator=(const TskThemeManager&) = delete;

  // Theme classes, in registration order. Registering a class twice (by building name and
  // maker) keeps the first.
  void RegisterThemeClass(const TskThemeClass& c);
  std::size_t ThemeClassCount() const { return FClasses.size(); }
  // Null out of range.
  const TskThemeClass* ThemeClassAt(std::size_t index) const;
  // The first class that may load files whose filter names the file's extension (whole
  // extensions, compared without regard to case); null otherwise.
  const TskThemeClass* FindThemeClassForFile(const std::string& fileName) const;

  // A new theme, or null: for a missing file or name, no class that reads it, or a failed load.
  std::unique_ptr<TskTheme> LoadThemeFromFile(const std::string& fileName) const;
  // Reads from the reader's position; every class is asked in order, from that position.
  std::unique_ptr<TskTheme> LoadThemeFromStream(TskByteReader& in) const;
  // Writes the theme when its class can be saved; false otherwise.
  bool SaveThemeToStream(const TskTheme* theme, TskByteWriter& out) const;
  // The folder relative file names are tried in when they do not exist as given.
  void SetProgramFolder(std::string folder) { FProgramFolder = std::move(folder); }

  TskTheme* CurrentTheme() const { return FCurrent.get(); }
  bool IsCurrentTheme(const TskTheme* theme) const { return FCurrent && FCurrent.get() == theme; }
  // Takes ownership and makes the theme current: notifications 1, then 0 (a previous theme
  // was freed) or 3, then 2. Handing back the current theme itself changes nothing.
  void SetCurrentTheme(std::unique_ptr<TskTheme> theme);
  // Notifications 1, 4, 2 around freeing the current theme.
  void ClearCurrentTheme();

  // A client is registered once; when a theme is current it alone gets notification 3.
  void RegisterClient(ISkThemeClient* client);
  void UnregisterClient(ISkThemeClient* client);
  std::size_t ClientCount() const { return FClients.size(); }
  void Broadcast(std::uint32_t code, std::intptr_t param);

  // Shifts of the current theme; each change (also back to 0) is applied and broadcast as
  // notification 5 with LParam 1.
  void SetCurrentDeltaHue(std::int32_t d);
  void SetCurrentDeltaBrightness(std::int32_t d);
  void SetCurrentDeltas(std::int32_t hue, std::int32_t brightness);
  // The platform's colours or display changed: the current theme reloads its defaults (its
  // system colours and font colours follow the platform), then notification 5 with LParam 0.
  void SystemSettingsChanged();

  // Font snapshots for controls that show a theme font for a while: one copy per key.
  void RememberFont(const void* key, const TskFontDesc& font) { FFontCopies[key] = font; }
  bool RestoreFont(const void* key, TskFontDesc& font) const;
  void ForgetFont(const void* key) { FFontCopies.erase(key); }

  // Frees the current theme without notifications and forgets the classes and clients (for
  // the end of the process and for tests).
  void Reset();

private:
  std::vector<TskThemeClass> FClasses;
  std::vector<ISkThemeClient*> FClients;
  std::unique_ptr<TskTheme> FCurrent;
  std::string FProgramFolder;
  std::map<const void*, TskFontDesc> FFontCopies;
};
