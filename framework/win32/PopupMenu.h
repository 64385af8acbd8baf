#pragma once
// IPopupMenu: a menu a control shows on a right click (or the context-menu key) instead of a
// menu of its own. Popup shows it at a screen point and returns when it has closed.
class IPopupMenu {
public:
  virtual ~IPopupMenu() = default;
  virtual void Popup(int x, int y) = 0;
};
