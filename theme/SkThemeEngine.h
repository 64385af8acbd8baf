#pragma once
// TSkThemeEngine: the component a window's layout carries to choose its theme: a built-in
// look by building name ("Flat"), a theme file, or an item of a TSkThemeList, with hue and
// brightness shifts. Stored values are taken while the layout loads and applied once it has
// loaded, through the setters in the order the properties are declared: the shifts, the file,
// the index, the building name, and last the list item. So a later choice replaces an earlier
// one that took effect, and an earlier one stays when a later one gives no theme.
#include "framework/Component.h"
#include "theme/SkThemeClient.h"
#include "theme/SkThemeList.h"

#include <cstdint>
#include <string>

class TSkThemeList;
class TskThemeManager;

class TSkThemeEngine : public TComponent, public ISkThemeClient, public ISkThemeListUser {
public:
  // The building text when no built-in theme is selected.
  static constexpr const char* kNoTheme = "No theme";

  explicit TSkThemeEngine(TComponent* owner = nullptr, TskThemeManager* manager = nullptr);
  ~TSkThemeEngine() override;

  std::int32_t DeltaHue() const { return FDeltaHue; }
  void SetDeltaHue(std::int32_t value);
  std::int32_t DeltaBrightness() const { return FDeltaBrightness; }
  void SetDeltaBrightness(std::int32_t value);
  const std::string& ThemeFile() const { return FThemeFile; }
  void SetThemeFile(const std::string& value);
  TSkThemeList* ThemeList() const { return FThemeList; }
  void SetThemeList(TSkThemeList* value);
  std::int32_t ThemeIndex() const { return FThemeIndex; }
  void SetThemeIndex(std::int32_t value);
  const std::string& ThemeBuilding() const { return FBuilding; }
  // Selects the first built-in class whose building name matches (ignoring case) and reads
  // back its own spelling; no match leaves the current theme and reads "No theme".
  void SetThemeBuilding(const std::string& value);
  std::string Version() const { return "1.0"; }

  TNotifyEvent OnThemeChanged;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void Loaded() override;
  // A component this engine refers to is going away.
  void Notification(TComponent* removed);
  void ThemeListGone(TSkThemeList& list) override { Notification(&list); }

  void ThemeNotify(std::uint32_t code, std::intptr_t param) override;
  bool WantsColorChanges() const override { return true; }

private:
  // Makes a new theme current and applies the engine's non-zero shifts to it.
  void MakeCurrent(std::unique_ptr<class TskTheme> theme);

  TskThemeManager& FManager;
  std::int32_t FDeltaHue = 0;
  std::int32_t FDeltaBrightness = 0;
  std::string FThemeFile;
  TSkThemeList* FThemeList = nullptr;
  std::string FThemeListName; // as stored, resolved when loading ends
  std::int32_t FThemeIndex = -1;
  std::string FBuilding = kNoTheme;
  // Which of the choices the layout stored.
  bool FStoredFile = false, FStoredIndex = false, FStoredBuilding = false;
};
