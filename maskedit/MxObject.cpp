#include "maskedit/MxObject.h"

void TMxObject::Change() {
  if (!Locked && OnChange) {
    OnChange(this);
  }
}

void TMxObject::EndUpdate(bool notify) {
  Locked = false;
  if (notify) {
    Change();
  }
}
