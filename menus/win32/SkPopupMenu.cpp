#include "menus/win32/SkPopupMenu.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "effects/win32/SkEffectHost.h"
#include "framework/GuardedCall.h"
#include "framework/win32/AccessibleElements.h"
#include "framework/win32/Dpi.h"
#include "framework/win32/Graphics.h"
#include "menus/SkMenuTracker.h"
#include "menus/SkShortCut.h"
#include "theme/SkThemeLink.h"
#include "theme/win32/SkGdiCanvas.h"
#include "theme/win32/SkImageListGlyph.h"

namespace {

constexpr UINT WM_SKMENUCLICK = WM_APP + 0x03BA;
constexpr UINT_PTR TrackTimerId = 0x5A17;
constexpr int TrackTimerMs = 50;
const wchar_t PopupClass[] = L"TSkPopupWindow";
// The same window with the platform's drop shadow, for menus whose options ask for one.
const wchar_t ShadowPopupClass[] = L"TSkPopupWindowShadow";
const wchar_t ClickClass[] = L"TSkClickHandler";

// Trees of the menus alive now: a deferred click looks its item up here.
std::set<TSkItem*>& LiveTrees() {
  static std::set<TSkItem*> trees;
  return trees;
}

HFONT MenuFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    return CreateFontIndirectW(&m.lfMenuFont);
  }();
  return font;
}

LRESULT CALLBACK ClickProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SKMENUCLICK) {
    const TSkItemId id = (TSkItemId(DWORD(wp)) << 32) | DWORD(lp);
    for (TSkItem* tree : LiveTrees()) {
      if (TSkItem* item = tree->FindById(id)) {
        GuardedCall([&] { item->Click(); });
        break;
      }
    }
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

// A small filled triangle centred at (x, y): pointing right (dir 0), up (-1) or down (1).
// An arrow of half-size 2 x 4 pixels at 96 per inch, scaled by s.
void Triangle(HDC dc, int x, int y, int dir, COLORREF colour, const TScale& s) {
  const int half = s.Apply(2), length = s.Apply(4);
  POINT p[3];
  if (dir == 0) {
    p[0] = {x - half, y - length};
    p[1] = {x + half, y};
    p[2] = {x - half, y + length};
  } else {
    p[0] = {x - length, y - half * dir};
    p[1] = {x + length, y - half * dir};
    p[2] = {x, y + half * dir};
  }
  HBRUSH b = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ ob = SelectObject(dc, b);
  HGDIOBJ op = SelectObject(dc, pen);
  Polygon(dc, p, 3);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(pen);
  DeleteObject(b);
}

class TWinHost;
LRESULT CALLBACK PopupProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

// Keys typed while the first window plays its show animation belong to the menu, not to the
// window behind it: the animation's message loop gets a null message in their place, and they
// are queued again, in order, for the tracking loop that follows.
class TKeyHold {
public:
  TKeyHold() : FPrevious(Active()) {
    Active() = this;
    FHook = SetWindowsHookExW(WH_GETMESSAGE, Proc, nullptr, GetCurrentThreadId());
  }
  ~TKeyHold() {
    if (FHook) {
      UnhookWindowsHookEx(FHook);
    }
    Active() = FPrevious;
    for (const MSG& m : FHeld) {
      PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    }
  }
  TKeyHold(const TKeyHold&) = delete;
  TKeyHold& operator=(const TKeyHold&) = delete;

private:
  static TKeyHold*& Active() {
    static TKeyHold* active = nullptr;
    return active;
  }
  static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
    TKeyHold* hold = Active();
    if (code == HC_ACTION && wp == PM_REMOVE && hold) {
      MSG* m = reinterpret_cast<MSG*>(lp);
      if (m->message >= WM_KEYFIRST && m->message <= WM_KEYLAST) {
        const MSG copy = *m;
        if (CatchAll([&] { hold->FHeld.push_back(copy); }).End == TCallEnd::ceDone) {
          m->message = WM_NULL;
        }
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  TKeyHold* FPrevious;
  HHOOK FHook = nullptr;
  std::vector<MSG> FHeld;
};

// One popup window per open level. The class is plain and private to this file so that a
// skinned frame can take it over later without touching the tracking code.
class TWinHost : public ISkMenuHost {
public:
  // dpi: the density the menu is measured and drawn at (its monitor's).
  TWinHost(TSkItem& root, HIMAGELIST images, const TSkPopupMenuOptions& options, int dpi)
      : Root(root), Tracker(*this), Images(images), Options(options), Dpi(dpi),
        Scale(TScale::kDesignPixelsPerInch, dpi) {
    if (Images) {
      ImageList_GetIconSize(Images, &ImageWidth, &ImageHeight);
    }
    // The platform's menu font is made for the system density; another monitor's takes it
    // scaled.
    if (dpi != SystemDpi()) {
      NONCLIENTMETRICSW m{};
      m.cbSize = sizeof m;
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
      m.lfMenuFont.lfHeight = TScale(SystemDpi(), dpi).FontHeight(m.lfMenuFont.lfHeight);
      OwnFont.Reset(CreateFontIndirectW(&m.lfMenuFont));
    }
  }
  HFONT Font() const { return OwnFont ? OwnFont.Get() : MenuFont(); }
  // Whatever way tracking ended, no window is left that points at this host.
  ~TWinHost() override { DestroyWindows(); }
  TWinHost(const TWinHost&) = delete;
  TWinHost& operator=(const TWinHost&) = delete;
  void DestroyWindows() noexcept {
    DestroyClosing();
    while (!Windows.empty()) {
      HWND w = Windows.back();
      Windows.pop_back();
      SetWindowLongPtrW(w, GWLP_USERDATA, 0);
      DestroyWindow(w);
    }
    Hot.clear();
  }
  TSkItemSize MeasureItem(const TSkItem& item) override {
    if (item.IsSeparator()) {
      return {Scale.Apply(40), Scale.Apply(9)};
    }
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, item.Caption.c_str(), int(item.Caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    const std::wstring keys = SkShortCutToText(item.ShortCut);
    RECT k{0, 0, 0, 0};
    if (!keys.empty()) {
      DrawTextW(dc, keys.c_str(), int(keys.size()), &k, DT_CALCRECT | DT_SINGLELINE);
      k.right += Scale.Apply(ShortCutGap);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int menuHeight =
        Dpi == SystemDpi() ? GetSystemMetrics(SM_CYMENU) : SystemMetricForDpi(SM_CYMENU, Dpi);
    const int height =
        std::max<int>({menuHeight, int(r.bottom) + Scale.Apply(4), ImageHeight + Scale.Apply(4)});
    return {int(r.right) + int(k.right) + TextLeft() + Scale.Apply(20), height};
  }
  // Where an item's text starts: after the check mark or picture column.
  int TextLeft() const { return std::max(Scale.Apply(22), ImageWidth + Scale.Apply(8)); }
  static constexpr int ShortCutGap = 24;
  TskRect MonitorAt(TskPoint p) override {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint({p.X, p.Y}, MONITOR_DEFAULTTONEAREST), &mi);
    return {int(mi.rcWork.left), int(mi.rcWork.top), int(mi.rcWork.right), int(mi.rcWork.bottom)};
  }
  void LevelOpened(int depth, const TskRect& r) override {
    const bool blended = Options.Blending.Enabled();
    const wchar_t* windowClass = Options.Shadow.Enabled() ? ShadowPopupClass : PopupClass;
    HWND w = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (blended ? WS_EX_LAYERED : 0), windowClass,
                             L"", WS_POPUP, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, LONG_PTR(this));
    Windows.push_back(w);
    Hot.push_back(-1);
    if (blended) {
      SetLayeredWindowAttributes(w, 0, BYTE(Options.Blending.Value()), LWA_ALPHA);
    }
    // Only the first window of a popup plays the show animation; sub-menus appear at once.
    bool animated = false;
    if (depth == 0 && Options.Animation.Enabled()) {
      TKeyHold hold;
      animated = SkShowWindowAnimated(w, Options.Animation, SW_SHOWNOACTIVATE);
    }
    if (std::find(Windows.begin(), Windows.end(), w) == Windows.end()) {
      // The level closed while it appeared (another menu popped up meanwhile, say): the
      // animation's end must not leave its window shown.
      if (IsWindow(w)) {
        ShowWindow(w, SW_HIDE);
      }
      return;
    }
    if (!animated) {
      SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    UpdateWindow(w);
    NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, w, OBJID_CLIENT, CHILDID_SELF);
    AnnounceHot(depth);
  }
  void LevelChanged(int depth) override {
    if (std::size_t(depth) < Windows.size()) {
      InvalidateRect(Windows[std::size_t(depth)], nullptr, FALSE);
      AnnounceHot(depth);
    }
  }
  void LevelClosed(int depth) override {
    if (Windows.empty()) {
      return;
    }
    HWND w = Windows.back();
    Windows.pop_back();
    Hot.pop_back();
    // Hidden now and destroyed once the loop has looked at its messages again: the end event
    // reaches listeners of this thread as a sent message, and one that arrives after its
    // window is gone is dropped.
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, w, OBJID_CLIENT, CHILDID_SELF);
    SetWindowLongPtrW(w, GWLP_USERDATA, 0);
    Closing.push_back(w);
  }
  void DestroyClosing() noexcept {
    for (HWND w : Closing) {
      DestroyWindow(w);
    }
    Closing.clear();
  }
  void LevelMoved(int depth, const TskRect& r) override {
    if (std::size_t(depth) >= Windows.size()) {
      return;
    }
    SetWindowPos(Windows[std::size_t(depth)], nullptr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LevelChanged(depth);
  }
  // A screen reader follows the highlight: the item that has it is the focus.
  void AnnounceHot(int depth) {
    if (depth >= Tracker.Depth() || std::size_t(depth) >= Windows.size()) {
      return;
    }
    const int hot = Tracker.HotIndex(depth);
    if (hot != Hot[std::size_t(depth)]) {
      Hot[std::size_t(depth)] = hot;
      if (hot >= 0) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Windows[std::size_t(depth)], OBJID_CLIENT, hot + 1);
      }
    }
  }
  int DepthOf(HWND w) const {
    const auto at = std::find(Windows.begin(), Windows.end(), w);
    return at == Windows.end() ? -1 : int(at - Windows.begin());
  }
  // One level as assistive tools see it: a popup menu whose children are its items.
  bool Elements(HWND w, TAccessibleElements& e) {
    const int depth = DepthOf(w);
    if (depth < 0 || depth >= Tracker.Depth()) {
      return false;
    }
    RECT window{};
    GetWindowRect(w, &window);
    const TSkItem& level = *Tracker.LevelItem(depth);
    e.Self.Role = ROLE_SYSTEM_MENUPOPUP;
    e.Self.Name = SkPlainCaption(level.Caption);
    e.Self.Screen = window;
    const TSkShownRange shown = SkShownRange(level);
    const int hot = Tracker.HotIndex(depth);
    const TskRect& in = Tracker.Insets();
    for (int i = 0; i < level.Count(); ++i) {
      const TSkItem& item = *level.Items(i);
      TAccessibleElement x;
      x.Role = item.IsSeparator() ? ROLE_SYSTEM_SEPARATOR : ROLE_SYSTEM_MENUITEM;
      x.Name = item.IsSeparator() ? L"" : SkPlainCaption(item.Caption);
      if (const wchar_t mark = SkAcceleratorOf(item.Caption)) {
        x.KeyboardShortcut = std::wstring(1, mark);
      }
      if (!item.Visible || i < shown.First || i >= shown.Last) {
        x.State = STATE_SYSTEM_INVISIBLE;
      } else {
        x.Screen = {window.left + in.Left + item.ItemRect.Left, window.top + in.Top + item.ItemRect.Top,
                    window.left + in.Left + item.ItemRect.Right, window.top + in.Top + item.ItemRect.Bottom};
        x.State = (item.Enabled ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE) |
                  (item.Checked ? STATE_SYSTEM_CHECKED : 0) |
                  (item.HasSubMenu() ? STATE_SYSTEM_HASPOPUP : 0) |
                  (i == hot ? STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED : 0);
        if (item.Selectable()) {
          x.DefaultAction = item.HasSubMenu() ? L"Open" : L"Execute";
        }
      }
      e.Children.push_back(x);
    }
    return true;
  }
  // An item chosen by an assistive tool, as the keyboard would choose it. Whatever a handler
  // throws here (a sub-menu's OnBeforeDropDown) ends the menu as it would from the keyboard,
  // and goes on to the accessibility entry point, which catches it.
  bool Choose(HWND w, long child) {
    try {
      return Tracker.Choose(DepthOf(w), int(child - 1));
    } catch (...) {
      Tracker.Cancel();
      throw;
    }
  }
  void DeferClick(TSkItemId id) override {
    PostMessageW(SkClickHandlerWindow(), WM_SKMENUCLICK, WPARAM(DWORD(id >> 32)), LPARAM(DWORD(id)));
  }
  void RepostQuit(int code) override { PostQuitMessage(code); }
  // The frame the theme draws around the items when it paints menus; else the platform's.
  TskRect Insets() override {
    TskTheme* theme = SkPaintingTheme();
    if (!theme || !theme->MenuAvailable(1, "default")) {
      const int edge = Scale.Apply(3);
      return {edge, edge, edge, edge};
    }
    const TskRect outer{0, 0, 200, 200};
    const TskRect inner = theme->MenuClientRect(1, outer, "default");
    return {inner.Left - outer.Left, inner.Top - outer.Top, outer.Right - inner.Right,
            outer.Bottom - inner.Bottom};
  }

  // Through the current theme when it paints popup menus: its menu, items, texts and glyphs.
  void PaintThemed(HDC dc, const RECT& rc, int depth, TskTheme& theme) {
    static const std::string kObject = "default";
    TskGdiCanvas canvas(dc);
    theme.PaintMenu(1, canvas, kObject, {rc.left, rc.top, rc.right, rc.bottom});
    if (depth >= Tracker.Depth()) {
      return;
    }
    TSkItem& level = *Tracker.LevelItem(depth);
    const int hot = Tracker.HotIndex(depth);
    const TSkShownRange shown = SkShownRange(level);
    const TskRect& in = Tracker.Insets();
    for (int i = shown.First; i < shown.Last; ++i) {
      const TSkItem& item = *level.Items(i);
      if (!item.Visible) {
        continue;
      }
      const TskRect r = OffsetRect(item.ItemRect, in.Left, in.Top);
      // A level is painted while it tracks: its highlight is the selected state.
      const int state = SkPopupItemState(item, i == hot, true);
      const bool isHot = state == 1 || state == 2;
      const TskPartInfo part = SkPartInfo(r, item.IsSeparator() ? 1 : 0, item.IsSeparator() ? 0 : state);
      theme.PaintMenuItem(1, canvas, kObject, part);
      if (item.IsSeparator()) {
        continue;
      }
      static constexpr TskFontIndex kStateFonts[] = {kfPopupMenuItemTextNormal, kfPopupMenuItemTextHot,
                                                     kfPopupMenuItemTextSelected,
                                                     kfPopupMenuItemTextDisabled};
      canvas.SetFont(theme.Fonts().Font(kStateFonts[state]));
      const TskRect column{r.Left + Scale.Apply(2), r.Top, r.Left + TextLeft(), r.Bottom};
      if (Images && item.ImageIndex >= 0 && item.ImageIndex < ImageList_GetImageCount(Images)) {
        theme.PaintMenuItemGlyph(1, canvas, kObject, part,
                                 SkGlyphInfoFromImageList(column, Images, item.ImageIndex,
                                                          !item.Enabled ? 3
                                                          : isHot       ? 1
                                                                        : 0,
                                                          gkImageList));
      } else if (item.Checked) {
        theme.PaintMenuItemGlyph(1, canvas, kObject, part, SkGlyphInfo(column, {}, 0, gkCheck));
      }
      const TskRect text{r.Left + TextLeft() + Scale.Apply(6), r.Top, r.Right - Scale.Apply(20), r.Bottom};
      theme.PaintMenuItemText(1, canvas, kObject, part,
                              SkTextInfoFromDrawTextBits(text, item.Caption, dtVCenter | dtSingleLine));
      if (const std::wstring keys = SkShortCutToText(item.ShortCut); !keys.empty()) {
        theme.PaintMenuItemText(1, canvas, kObject, part,
                                SkTextInfoFromDrawTextBits(text, keys, dtVCenter | dtSingleLine | dtRight));
      }
      if (item.HasSubMenu()) {
        theme.PaintMenuItemGlyph(
            1, canvas, kObject, part,
            SkGlyphInfo({r.Right - Scale.Apply(20), r.Top, r.Right, r.Bottom}, {}, 0, gkSubMenuArrow));
      }
    }
    if (SkScrolling(level)) {
      const TSkHitKind button = Tracker.HotButton(depth);
      theme.PaintMenuItem(1, canvas, kObject,
                          SkPartInfo({in.Left, in.Top, rc.right - in.Right, in.Top + SkScrollButtonHeight}, 3,
                                     SkScrollButtonState(level, true, button == TSkHitKind::hkScrollUp)));
      theme.PaintMenuItem(1, canvas, kObject,
                          SkPartInfo({in.Left, rc.bottom - in.Bottom - SkScrollButtonHeight,
                                      rc.right - in.Right, rc.bottom - in.Bottom},
                                     4,
                                     SkScrollButtonState(level, false, button == TSkHitKind::hkScrollDown)));
    }
  }

  void Paint(HWND w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    Draw(w, dc);
    EndPaint(w, &ps);
  }

  // The level shown in w, drawn into dc (a paint, or a picture asked for by WM_PRINTCLIENT).
  void Draw(HWND w, HDC dc) {
    int depth = 0;
    while (depth < int(Windows.size()) && Windows[std::size_t(depth)] != w) {
      ++depth;
    }
    RECT rc;
    GetClientRect(w, &rc);
    if (TskTheme* theme = SkPaintingTheme(); theme && theme->MenuAvailable(1, "default")) {
      PaintThemed(dc, rc, depth, *theme);
      return;
    }
    FillRect(dc, &rc, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    if (depth < Tracker.Depth()) {
      TSkItem& level = *Tracker.LevelItem(depth);
      const int hot = Tracker.HotIndex(depth);
      const TSkShownRange shown = SkShownRange(level);
      HGDIOBJ old = SelectObject(dc, Font());
      SetBkMode(dc, TRANSPARENT);
      const TskRect& in = Tracker.Insets();
      for (int i = shown.First; i < shown.Last; ++i) {
        const TSkItem& item = *level.Items(i);
        if (!item.Visible) {
          continue;
        }
        RECT r{item.ItemRect.Left + in.Left, item.ItemRect.Top + in.Top, item.ItemRect.Right + in.Left,
               item.ItemRect.Bottom + in.Top};
        if (item.IsSeparator()) {
          RECT line{r.left + Scale.Apply(2), (r.top + r.bottom) / 2 - 1, r.right - Scale.Apply(2),
                    (r.top + r.bottom) / 2 + 1};
          DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
          continue;
        }
        const bool isHot = i == hot && item.Enabled;
        if (isHot) {
          FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, GetSysColor(!item.Enabled ? COLOR_GRAYTEXT
                                     : isHot       ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_MENUTEXT));
        if (Images && item.ImageIndex >= 0 && item.ImageIndex < ImageList_GetImageCount(Images)) {
          const int x = r.left + (TextLeft() - ImageWidth) / 2;
          const int y = (r.top + r.bottom - ImageHeight) / 2;
          ImageList_DrawEx(Images, item.ImageIndex, dc, x, y, 0, 0, CLR_NONE, CLR_NONE,
                           item.Enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
        } else if (item.Checked) {
          RECT mark{r.left, r.top, r.left + TextLeft(), r.bottom};
          DrawTextW(dc, L"\x221A", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        RECT text{r.left + TextLeft(), r.top, r.right - Scale.Apply(20), r.bottom};
        DrawTextW(dc, item.Caption.c_str(), int(item.Caption.size()), &text, DT_VCENTER | DT_SINGLELINE);
        if (const std::wstring keys = SkShortCutToText(item.ShortCut); !keys.empty()) {
          DrawTextW(dc, keys.c_str(), int(keys.size()), &text, DT_VCENTER | DT_SINGLELINE | DT_RIGHT);
        }
        if (item.HasSubMenu()) {
          Triangle(dc, r.right - Scale.Apply(10), (r.top + r.bottom) / 2, 0, GetTextColor(dc), Scale);
        }
      }
      if (SkScrolling(level)) {
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        RECT up{in.Left, in.Top, rc.right - in.Right, in.Top + SkScrollButtonHeight};
        RECT down{in.Left, rc.bottom - in.Bottom - SkScrollButtonHeight, rc.right - in.Right,
                  rc.bottom - in.Bottom};
        const COLORREF c = GetSysColor(COLOR_MENUTEXT);
        Triangle(dc, (up.left + up.right) / 2, (up.top + up.bottom) / 2, -1, c, Scale);
        Triangle(dc, (down.left + down.right) / 2, (down.top + down.bottom) / 2, 1, c, Scale);
      }
      SelectObject(dc, old);
    }
  }

  // The nested loop: each message is peeked, given to the tracker, and removed only when the
  // tracker consumed it; an outside click stays queued for the window under the mouse.
  // A handler run from inside the loop (a sub-menu's OnBeforeDropDown, the framework's silent
  // abort included) may throw: the menu still ends as it does otherwise (every level window
  // destroyed, the timer killed, the mouse released), and the exception goes on to the caller.
  void Run() {
    HWND capture = Windows.front();
    SetCapture(capture);
    const UINT_PTR timer = SetTimer(nullptr, TrackTimerId, TrackTimerMs, nullptr);
    struct TEnd {
      TWinHost& Host;
      HWND Capture;
      UINT_PTR Timer;
      ~TEnd() { Host.Finish(Capture, Timer); }
    } end{*this, capture, timer};
    Loop(capture, timer);
    if (OutsidePress.message != 0) {
      if (HWND target = WindowFromPoint(OutsidePoint)) {
        POINT c = OutsidePoint;
        ScreenToClient(target, &c);
        PostMessageW(target, OutsidePress.message, OutsidePress.wParam, MAKELPARAM(c.x, c.y));
      }
    }
  }

  void Finish(HWND capture, UINT_PTR timer) noexcept {
    KillTimer(nullptr, timer);
    Tracker.Cancel();
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE); // the end events
    DestroyWindows();
    if (GetCapture() == capture) {
      ReleaseCapture();
    }
  }

  // Keys the menu acts on; any other key is translated into the character that may choose an
  // item by its accelerator. Translating these would leave a character (Enter's or Escape's)
  // queued for the focused window once the menu has closed.
  static bool MenuKey(UINT vk) {
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_SPACE:
    case VK_MENU:
    case VK_F10: return true;
    default: return false;
    }
  }

  void Loop(HWND capture, UINT_PTR timer) {
    while (Tracker.Tracking()) {
      if (GetCapture() != capture) {
        break; // someone took the mouse away: the menu closes
      }
      MSG m;
      const bool queued = PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
      DestroyClosing(); // their end events went out with that look at the queue
      if (!queued) {
        WaitMessage();
        continue;
      }
      if (m.message == WM_QUIT) {
        PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        Tracker.Quit(int(m.wParam));
        break;
      }
      POINT pt{short(LOWORD(m.lParam)), short(HIWORD(m.lParam))};
      if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST && m.hwnd) {
        ClientToScreen(m.hwnd, &pt); // captured mouse: client coordinates of m.hwnd
      }
      bool consumed = true;
      switch (m.message) {
      case WM_MOUSEMOVE: Tracker.MouseMove({pt.x, pt.y}); break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN: consumed = Tracker.MouseDown({pt.x, pt.y}); break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: Tracker.MouseUp({pt.x, pt.y}); break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: Key(UINT(m.wParam)); break;
      case WM_CHAR:
      case WM_SYSCHAR: Tracker.Char(wchar_t(m.wParam)); break;
      case WM_TIMER:
        if (m.hwnd == nullptr && m.wParam == timer) {
          POINT c;
          GetCursorPos(&c);
          Tracker.MouseMove({c.x, c.y});
          Tracker.Tick(TrackTimerMs);
        } else {
          consumed = false;
        }
        break;
      default: consumed = false; break;
      }
      if (!consumed && (m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN)) {
        // Tracking ended on a press outside the menus. While captured, the press is addressed
        // to a popup that is about to go: hand it to the window under the mouse instead.
        PeekMessageW(&m, nullptr, m.message, m.message, PM_REMOVE);
        OutsidePress = m;
        OutsidePoint = pt;
        break;
      }
      PeekMessageW(&m, nullptr, m.message, m.message, PM_REMOVE);
      if (!consumed) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
      } else if ((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && !MenuKey(UINT(m.wParam))) {
        TranslateMessage(&m); // the character that follows chooses by accelerator
      }
    }
  }

  // Closes every level now; the loop ends when control comes back to it.
  void Cancel() { Tracker.Cancel(); }

  void Key(UINT vk) {
    switch (vk) {
    case VK_LEFT: Tracker.Key(TSkMenuKey::mkLeft); break;
    case VK_RIGHT: Tracker.Key(TSkMenuKey::mkRight); break;
    case VK_UP: Tracker.Key(TSkMenuKey::mkUp); break;
    case VK_DOWN: Tracker.Key(TSkMenuKey::mkDown); break;
    case VK_RETURN: Tracker.Key(TSkMenuKey::mkEnter); break;
    case VK_ESCAPE: Tracker.Key(TSkMenuKey::mkEscape); break;
    case VK_MENU: Tracker.Key(TSkMenuKey::mkAlt); break;
    case VK_F10: Tracker.Key(TSkMenuKey::mkF10); break;
    default: break;
    }
  }

  TSkItem& Root;
  TSkMenuTracker Tracker;
  HIMAGELIST Images = nullptr;
  const TSkPopupMenuOptions& Options;
  int ImageWidth = 0, ImageHeight = 0;
  int Dpi;
  TScale Scale;
  TFontHandle OwnFont; // the menu font at Dpi, when that is not the system density
  std::vector<HWND> Windows;
  std::vector<HWND> Closing; // closed levels' windows, hidden, destroyed at the loop's next turn
  std::vector<int> Hot;      // the highlight each level last announced
  MSG OutsidePress{};
  POINT OutsidePoint{};
};

// The menu tracking now, if any: a menu that pops up closes it first.
TWinHost*& TrackingHost() {
  static TWinHost* host = nullptr;
  return host;
}

LRESULT CALLBACK PopupProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* host = reinterpret_cast<TWinHost*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  switch (msg) {
  case WM_PAINT:
    if (host) {
      GuardedCall([&] { host->Paint(w); });
      return 0;
    }
    break;
  case WM_PRINTCLIENT:
    if (host) {
      GuardedCall([&] { host->Draw(w, reinterpret_cast<HDC>(wp)); });
      return 0;
    }
    break;
  case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
  case WM_GETOBJECT:
    if (host) {
      const LRESULT object = AccessibleElementsResult(
          w, wp, lp, OBJID_CLIENT,
          [](HWND h, TAccessibleElements& e) {
            auto* owner = reinterpret_cast<TWinHost*>(GetWindowLongPtrW(h, GWLP_USERDATA));
            return owner && owner->Elements(h, e);
          },
          [](HWND h, long child) {
            auto* owner = reinterpret_cast<TWinHost*>(GetWindowLongPtrW(h, GWLP_USERDATA));
            return owner && owner->Choose(h, child);
          });
      if (object) {
        return object;
      }
    }
    break;
  case WM_ERASEBKGND: return 1;
  default: break;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void RegisterClasses() {
  static bool done = [] {
    WNDCLASSW c{};
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    c.lpfnWndProc = PopupProc;
    c.lpszClassName = PopupClass;
    RegisterClassW(&c);
    c.lpszClassName = ShadowPopupClass;
    c.style = CS_DROPSHADOW;
    RegisterClassW(&c);
    c.lpfnWndProc = ClickProc;
    c.lpszClassName = ClickClass;
    c.style = 0;
    RegisterClassW(&c);
    return true;
  }();
  (void)done;
}

} // namespace

HWND SkClickHandlerWindow() {
  RegisterClasses();
  static HWND w = CreateWindowExW(0, ClickClass, L"", 0, 10000, 10000, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  return w;
}

TSkPopupMenu::TSkPopupMenu() : FItems(std::make_unique<TSkItem>()) { LiveTrees().insert(FItems.get()); }

TSkPopupMenu::~TSkPopupMenu() { LiveTrees().erase(FItems.get()); }

void TSkPopupMenu::Popup(int x, int y) {
  RegisterClasses();
  SkClickHandlerWindow();
  if (FShown) {
    return; // one tracking loop per menu
  }
  if (TWinHost* other = TrackingHost()) {
    other->Cancel();
  }
  // The menu is shown, and its host the tracking one, for the whole call: from the first
  // window's show animation (which dispatches messages) to the last window's end, however the
  // call ends.
  TWinHost host(*FItems, FImages, FOptions, FPixelsPerInch > 0 ? FPixelsPerInch : DpiAtPoint({x, y}));
  TWinHost* const before = TrackingHost();
  TrackingHost() = &host;
  FShown = true;
  struct TShownGuard {
    bool& Shown;
    TWinHost* Host;
    TWinHost* Before;
    ~TShownGuard() {
      Shown = false;
      if (TrackingHost() == Host) {
        TrackingHost() = Before;
      }
    }
  } guard{FShown, &host, before};
  if (!host.Tracker.Start(*FItems, {x, y}) || host.Windows.empty()) {
    return;
  }
  host.Run();
}
