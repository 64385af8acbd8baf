#include "maskedit/MxApplication.h"

void TMxApplication::SetEditMode(std::uint8_t value) {
  if (value == EditMode) {
    return;
  }
  EditMode = value;
  if (OnEditModeChange) {
    OnEditModeChange();
  }
}

TMxApplication& MxApplication() {
  static TMxApplication application;
  return application;
}
