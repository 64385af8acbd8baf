#pragma once
// TSkPopupMenu: a popup menu of TSkItem shown in windows of its own and tracked by a nested
// message loop around TSkMenuTracker. Painted in the platform style (the path used when no
// theme paints menus). A chosen item's click runs after every level has closed, through the
// click-handler window, and only when the item is still in the live tree.
#include <windows.h>

#include <commctrl.h>

#include "framework/win32/PopupMenu.h"
#include "menus/SkItem.h"
#include "menus/SkPopupMenuOptions.h"

class TSkPopupMenu : public IPopupMenu {
public:
  TSkPopupMenu();
  ~TSkPopupMenu() override;
  TSkPopupMenu(const TSkPopupMenu&) = delete;
  TSkPopupMenu& operator=(const TSkPopupMenu&) = delete;

  TSkItem& Items() { return *FItems; }
  // The pictures items show by ImageIndex (not owned); none shows no pictures.
  HIMAGELIST Images() const { return FImages; }
  void SetImages(HIMAGELIST images) { FImages = images; }
  // Translucency and the show animation of the menu's windows (the animation plays for the
  // first window of each Popup call only).
  TSkPopupMenuOptions& PopupMenuOptions() { return FOptions; }
  void SetPopupMenuOptions(const TSkPopupMenuOptions& options) { FOptions.Assign(options); }
  // The density the menu is measured and drawn at; 0 (the default) is the density of the
  // monitor it opens on.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int dpi) { FPixelsPerInch = dpi; }
  // True while the menu is shown (its tree must not change then).
  bool Shown() const { return FShown; }

  // Shows the menu at a screen point and returns when tracking has ended. A quit message seen
  // meanwhile ends tracking and is posted again for the outer loop.
  void Popup(int x, int y) override;

private:
  std::unique_ptr<TSkItem> FItems;
  HIMAGELIST FImages = nullptr;
  TSkPopupMenuOptions FOptions;
  bool FShown = false;
  int FPixelsPerInch = 0;
};

// The window that runs deferred clicks (posted after the menus close). Exposed for tests.
HWND SkClickHandlerWindow();
