#pragma once
// TMxApplication: the process-wide settings every edit of the process shares.
//
// Besides the edit mode below: whether visual styles may be used and the application-
// wide theme mode (see look/MxThemeInUse.h), and whether a platform theme change reaches only
// the controls' own notification.
//
// The edit mode is one small bit set for all edits: pressing Insert in one edit switches
// insert/overwrite for every edit, and a Shift state left by one edit is seen by the
// next until its next key event. Edits are given the object they share at construction;
// the program uses the one returned by MxApplication(), tests make their own.
#include <cstdint>
#include <functional>

#include "maskedit/look/MxThemeInUse.h"

enum : std::uint8_t {
  emInsert = 1, // insert mode (cleared: overwrite mode)
  emShift = 2,
  emCtrl = 4,
  emAlt = 8,
};

class TMxApplication {
public:
  std::uint8_t GetEditMode() const { return EditMode; }
  // Stores the value; fires OnEditModeChange only when it differs.
  void SetEditMode(std::uint8_t value) {
    if (value != EditMode) {
      ChangeEditMode(value);
    }
  }
  bool HasEditMode(std::uint8_t bit) const { return (EditMode & bit) != 0; }

  std::function<void()> OnEditModeChange;
  bool UseXPThemes = true;
  TMxThemeMode ThemeMode = TMxThemeMode::ttmPlatform;
  // When set, a platform theme change reaches only the controls' own notification, not the
  // forms' WM_THEMECHANGED.
  bool NotifyOnlyControls = false;

private:
  void ChangeEditMode(std::uint8_t value);

  std::uint8_t EditMode = emInsert;
};

// The process-wide instance.
TMxApplication& MxApplication();
