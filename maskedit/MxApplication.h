#pragma once
// TMxApplication: the process-wide settings every edit of the process shares.
//
// The edit mode is one small bit set for all edits: pressing Insert in one edit switches
// insert/overwrite for every edit, and a Shift state left by one edit is seen by the
// next until its next key event. Edits are given the object they share at construction;
// the program uses the one returned by MxApplication(), tests make their own.
#include <cstdint>
#include <functional>

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
  void SetEditMode(std::uint8_t value);
  bool HasEditMode(std::uint8_t bit) const { return (EditMode & bit) != 0; }

  std::function<void()> OnEditModeChange;
  bool UseXPThemes = true;

private:
  std::uint8_t EditMode = emInsert;
};

// The process-wide instance.
TMxApplication& MxApplication();
