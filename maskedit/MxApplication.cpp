#include "maskedit/MxApplication.h"

void TMxApplication::ChangeEditMode(std::uint8_t value) {
  EditMode = value;
  if (OnEditModeChange) {
    OnEditModeChange();
  }
}

TMxApplication& MxApplication() {
  static TMxApplication application;
  return application;
}
