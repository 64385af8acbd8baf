#include "maskedit/win32/MxCustomPanel.h"

bool TMxCustomPanel::CopyParentBackground(HDC dc, const RECT& rect) {
  if (!Parent() || !Parent()->HandleAllocated() || !HandleAllocated()) {
    return false;
  }
  POINT origin{0, 0};
  MapWindowPoints(Handle(), Parent()->Handle(), &origin, 1);
  TSavedDC saved(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  // Shifted from where the origin stands: a transparent child of a transparent control
  // asks through both.
  POINT old{};
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
  SendMessageA(Parent()->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageA(Parent()->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  return true;
}
