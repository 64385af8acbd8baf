#include "theme/SkThemeEngine.h"

#include "theme/SkThemeList.h"
#include "theme/SkThemeManager.h"

#include <algorithm>

namespace {
bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}
} // namespace

TSkThemeEngine::TSkThemeEngine(TComponent* owner, TskThemeManager* manager)
    : TComponent(owner), FManager(manager ? *manager : TskThemeManager::Instance()) {
  FManager.RegisterClient(this);
}

TSkThemeEngine::~TSkThemeEngine() {
  FManager.UnregisterClient(this);
  if (FThemeList) {
    FThemeList->RemoveObserver(this);
  }
}

void TSkThemeEngine::MakeCurrent(std::unique_ptr<TskTheme> theme) {
  FManager.SetCurrentTheme(std::move(theme));
  if (FDeltaHue != 0) {
    FManager.SetCurrentDeltaHue(FDeltaHue);
  }
  if (FDeltaBrightness != 0) {
    FManager.SetCurrentDeltaBrightness(FDeltaBrightness);
  }
}

void TSkThemeEngine::SetDeltaHue(std::int32_t value) {
  if (value == FDeltaHue) {
    return;
  }
  FDeltaHue = value;
  if (FDeltaBrightness != 0) {
    FManager.SetCurrentDeltas(FDeltaHue, FDeltaBrightness);
  } else {
    FManager.SetCurrentDeltaHue(FDeltaHue);
  }
}

void TSkThemeEngine::SetDeltaBrightness(std::int32_t value) {
  if (value == FDeltaBrightness) {
    return;
  }
  FDeltaBrightness = value;
  if (FDeltaHue != 0) {
    FManager.SetCurrentDeltas(FDeltaHue, FDeltaBrightness);
  } else {
    FManager.SetCurrentDeltaBrightness(FDeltaBrightness);
  }
}

void TSkThemeEngine::SetThemeBuilding(const std::string& value) {
  FBuilding = value;
  if (value == kNoTheme) {
    return;
  }
  const TskThemeClass* match = nullptr;
  for (std::size_t i = 0; i < FManager.ThemeClassCount() && !match; ++i) {
    const TskThemeClass* c = FManager.ThemeClassAt(i);
    if (c->Config().BuiltIn && EqualNoCase(c->BuildingName(), value)) {
      match = c;
    }
  }
  if (!match) {
    FBuilding = kNoTheme;
    return;
  }
  if (std::unique_ptr<TskTheme> theme = match->Create()) {
    MakeCurrent(std::move(theme));
    FThemeFile.clear();
    FThemeIndex = -1;
  }
  FBuilding = match->BuildingName();
}

void TSkThemeEngine::SetThemeFile(const std::string& value) {
  FThemeFile = value;
  if (std::unique_ptr<TskTheme> theme = FManager.LoadThemeFromFile(value)) {
    MakeCurrent(std::move(theme));
    FThemeIndex = -1;
    FBuilding = kNoTheme;
  } else if (FThemeIndex == -1) {
    FManager.ClearCurrentTheme();
  }
}

void TSkThemeEngine::SetThemeIndex(std::int32_t value) {
  FThemeIndex = value;
  if (FThemeList && FThemeList->Count() > 0 && value >= 0) {
    FThemeIndex = std::min<std::int32_t>(value, std::int32_t(FThemeList->Count()) - 1);
    const TSkThemeStream* item = FThemeList->Item(std::size_t(FThemeIndex));
    std::unique_ptr<TskTheme> theme;
    if (!item->Data.empty()) {
      TskByteReader in(item->Data);
      theme = FManager.LoadThemeFromStream(in);
    }
    if (theme) {
      MakeCurrent(std::move(theme));
      FThemeFile.clear();
      FBuilding = kNoTheme;
    }
  } else if (FThemeFile.empty()) {
    FManager.ClearCurrentTheme();
  }
}

void TSkThemeEngine::SetThemeList(TSkThemeList* value) {
  if (FThemeList) {
    FThemeList->RemoveObserver(this);
  }
  FThemeList = value;
  if (FThemeList) {
    FThemeList->AddObserver(this);
  } else {
    FThemeIndex = -1;
  }
}

void TSkThemeEngine::Notification(TComponent* removed) {
  if (!removed || removed != FThemeList) {
    return;
  }
  FManager.ClearCurrentTheme();
  FThemeList->RemoveObserver(this);
  FThemeList = nullptr;
  SetThemeIndex(-1);
}

TPropertyResult TSkThemeEngine::ReadProperty(const std::string& name, const TLayoutValue& value) {
  if (name == "DeltaHue" || name == "DeltaBrightness" || name == "ThemeIndex") {
    const auto v = LayoutInt(value, INT32_MIN, INT32_MAX);
    if (!v) {
      return TPropertyResult::Bad("an integer is expected");
    }
    (name == "DeltaHue" ? FDeltaHue : name == "DeltaBrightness" ? FDeltaBrightness : FThemeIndex) = *v;
    FStoredIndex = FStoredIndex || name == "ThemeIndex";
    return TPropertyResult::Ok();
  }
  if (name == "ThemeBuilding" || name == "ThemeFile" || name == "Version") {
    const auto s = LayoutString(value);
    if (!s) {
      return TPropertyResult::Bad("a string is expected");
    }
    if (name == "ThemeBuilding") {
      FBuilding = *s;
      FStoredBuilding = true;
    }
    if (name == "ThemeFile") {
      FThemeFile = *s;
      FStoredFile = true;
    }
    return TPropertyResult::Ok();
  }
  if (name == "OnThemeChanged") {
    if (value.Kind != TLayoutValue::TKind::Identifier) {
      return TPropertyResult::Bad("a handler name");
    }
    TNotifyEvent handler = Root()->FindMethod(value.Text);
    if (!handler) {
      return TPropertyResult::Bad("there is no handler named " + value.Text);
    }
    OnThemeChanged = std::move(handler);
    return TPropertyResult::Ok();
  }
  if (name == "ThemeList") {
    if (value.Kind != TLayoutValue::TKind::Identifier) {
      return TPropertyResult::Bad("a component name is expected");
    }
    FThemeListName = value.Text;
    return TPropertyResult::Ok();
  }
  return TComponent::ReadProperty(name, value);
}

void TSkThemeEngine::Loaded() {
  TComponent::Loaded();
  const std::string file = FThemeFile, building = FBuilding;
  const std::int32_t index = FThemeIndex, hue = FDeltaHue, brightness = FDeltaBrightness;
  FDeltaHue = FDeltaBrightness = 0;
  FThemeFile.clear();
  FThemeIndex = -1;
  FBuilding = kNoTheme;
  // The stored values go through their setters one after the other, in the order the
  // properties are declared; the list is not known yet when the index is set.
  SetDeltaHue(hue);
  SetDeltaBrightness(brightness);
  if (FStoredFile) {
    SetThemeFile(file);
  }
  if (FStoredIndex) {
    SetThemeIndex(index);
  }
  if (FStoredBuilding) {
    SetThemeBuilding(building);
  }
  // Then the list, and its stored item, which replaces the theme chosen above when it loads.
  if (!FThemeListName.empty()) {
    SetThemeList(dynamic_cast<TSkThemeList*>(Root()->FindComponent(FThemeListName)));
  }
  if (FStoredIndex && FThemeList && index >= 0) {
    SetThemeIndex(index);
  }
}

void TSkThemeEngine::ThemeNotify(std::uint32_t code, std::intptr_t) {
  if (code == tnReplaced || code == tnFirst) {
    TskTheme* theme = FManager.CurrentTheme();
    if (!IsLoading() && theme) {
      if (theme->ThemeConfig().BuiltIn) {
        FBuilding = theme->BuildingName();
        FThemeIndex = -1;
        FThemeFile.clear();
      } else {
        FBuilding = kNoTheme;
        bool found = false;
        if (!FThemeFile.empty() || theme->FileName().empty()) {
          for (std::size_t i = 0; FThemeList && i < FThemeList->Count(); ++i) {
            if (FThemeList->Item(i)->ThemeStore() == theme->Name()) {
              FThemeFile.clear();
              FThemeIndex = std::int32_t(i);
              found = true;
              break;
            }
          }
        }
        if (!found) {
          FThemeFile = theme->FileName();
          FThemeIndex = -1;
        }
      }
    }
    if (OnThemeChanged) {
      OnThemeChanged(this);
    }
  } else if (code == tnRemoved) {
    if (!IsLoading()) {
      FThemeFile.clear();
      FBuilding = kNoTheme;
      FThemeIndex = -1;
    }
    if (OnThemeChanged) {
      OnThemeChanged(this);
    }
  }
}
