// The window-state machine as lists of what the host is asked to do, per action and state;
// the system menu per icons and state, and the captions' actions.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "form/SkFormStates.h"

namespace {

const TskRect kNormal{100, 100, 500, 400};
const TskRect kMaximized{0, 0, 1000, 700};
const TskRect kStrip{0, 670, 160, 700};
constexpr std::int32_t kRolledHeight = 30;

const char* Name(TSkFormAction a) {
  switch (a) {
  case TSkFormAction::faRestore: return "Restore";
  case TSkFormAction::faMaximize: return "Maximize";
  case TSkFormAction::faMinimize: return "Minimize";
  case TSkFormAction::faRollup: return "Rollup";
  case TSkFormAction::faTray: return "Tray";
  case TSkFormAction::faClose: return "Close";
  case TSkFormAction::faHelp: return "Help";
  }
  return "?";
}

std::string RectText(const TskRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

// A window that records every request and moves as told.
class TRecordingHost : public ISkFormStateHost {
public:
  std::vector<std::string> Log;
  TskRect Current = kNormal;
  std::set<TSkFormAction> Cancel;
  bool Owned = false, Modal = false, Veto = false, TrayRefused = false, Shadow = false;
  int HotCleared = 0;

  bool ActionAllowed(TSkFormAction a) override {
    Log.push_back(std::string("ask ") + Name(a));
    return !Cancel.count(a);
  }
  void ClearHot() override { ++HotCleared; }
  TskRect Bounds() const override { return Current; }
  void SetBounds(const TskRect& r) override {
    Log.push_back("set " + RectText(r));
    Current = r;
  }
  TskRect MaximizedBounds() const override { return kMaximized; }
  TskRect MinimizedBounds() const override { return kStrip; }
  TskRect RollupBounds() const override {
    return {Current.Left, Current.Top, Current.Right, Current.Top + kRolledHeight};
  }
  void FrameChanged() override { Log.push_back("frame"); }
  bool HasShadow() const override { return Shadow; }
  bool HasOwner() const override { return Owned; }
  bool IsModal() const override { return Modal; }
  void NativeMinimize() override { Log.push_back("native minimize"); }
  void MinimizeApplication() override { Log.push_back("minimize application"); }
  bool TrayVetoed() override { return Veto; }
  bool AddTrayIcon(bool application) override {
    Log.push_back(application ? "add icon (application)" : "add icon");
    return !TrayRefused;
  }
  void HideForTray(bool) override { Log.push_back("hide"); }
  void RemoveTrayIcon() override { Log.push_back("remove icon"); }
  void ShowFromTray(bool) override { Log.push_back("show"); }
  void CloseWindow() override { Log.push_back("close"); }
  void ContextHelp() override { Log.push_back("help"); }
};

using A = TSkFormAction;

struct TCase {
  const char* Name;
  std::vector<A> Before; // run first, their requests not checked
  A Action;
  std::vector<std::string> Requests;
  TSkWindowState State;
  TskRect NormalBounds = kNormal;
  // Host settings.
  bool Owned = false, MinimizeApplication = true, Modal = false, Veto = false, TrayRefused = false;
  std::set<A> Cancel = {};
};

const std::string kSetNormal = "set " + RectText(kNormal);
const std::string kSetMaximized = "set " + RectText(kMaximized);
const std::string kSetRolled = "set 100,100,500,130";

const TCase kCases[] = {
    {"maximise", {}, A::faMaximize, {"ask Maximize", kSetMaximized, "frame"}, kwsMaximized},
    {"maximise a maximised window restores",
     {A::faMaximize},
     A::faMaximize,
     {"ask Maximize", kSetNormal},
     kwsNormal},
    {"minimise an unowned window through the platform, once",
     {},
     A::faMinimize,
     {"ask Minimize", "native minimize"},
     kwsMinimized},
    {"minimise a minimised window restores",
     {A::faMinimize},
     A::faMinimize,
     {"ask Minimize", kSetNormal},
     kwsNormal},
    {"minimise an owned window minimises the application",
     {},
     A::faMinimize,
     {"ask Minimize", "minimize application"},
     kwsMinimized,
     kNormal,
     true},
    {"minimise an owned window to a strip",
     {},
     A::faMinimize,
     {"ask Minimize", "set " + RectText(kStrip)},
     kwsMinimized,
     kNormal,
     true,
     false},
    {"a modal window does not become a strip", {}, A::faMinimize, {}, kwsNormal, kNormal, true, false, true},
    {"roll up keeps the top frame", {}, A::faRollup, {"ask Rollup", kSetRolled}, kwsRollup},
    {"roll down", {A::faRollup}, A::faRollup, {"ask Rollup", kSetNormal}, kwsNormal},
    {"to the tray: icon first, then hidden",
     {},
     A::faTray,
     {"ask Tray", "add icon (application)", "hide"},
     kwsTray},
    {"a refused icon leaves the window shown",
     {},
     A::faTray,
     {"ask Tray", "add icon (application)"},
     kwsNormal,
     kNormal,
     false,
     true,
     false,
     false,
     true},
    {"a vetoed tray asks nothing", {}, A::faTray, {}, kwsNormal, kNormal, false, true, false, true},
    {"no tray for modal windows", {}, A::faTray, {}, kwsNormal, kNormal, false, true, true},
    {"back from the tray", {A::faTray}, A::faRestore, {"show", "remove icon", kSetNormal}, kwsNormal},
    {"maximised, rolled up, restored: maximised again",
     {A::faMaximize, A::faRollup},
     A::faRestore,
     {"ask Maximize", kSetMaximized, "frame"},
     kwsMaximized},
    {"... and restored once more: the first normal bounds",
     {A::faMaximize, A::faRollup, A::faRestore},
     A::faRestore,
     {kSetNormal},
     kwsNormal},
    {"maximised, minimised, restored: maximised",
     {A::faMaximize, A::faMinimize},
     A::faRestore,
     {"ask Maximize", kSetMaximized, "frame"},
     kwsMaximized},
    {"maximised from minimised, restored: normal",
     {A::faMinimize, A::faMaximize},
     A::faRestore,
     {kSetNormal},
     kwsNormal},
    {"rolled up, minimised, restored: rolled up",
     {A::faRollup, A::faMinimize},
     A::faRestore,
     {"ask Rollup", "set 100,100,500,130"},
     kwsRollup},
    {"maximised into the tray and back: maximised",
     {A::faMaximize, A::faTray},
     A::faRestore,
     {"show", "remove icon", "ask Maximize", kSetMaximized, "frame"},
     kwsMaximized},
    {"rolled up into the tray and back: rolled up",
     {A::faRollup, A::faTray},
     A::faRestore,
     {"show", "remove icon", "ask Rollup", kSetRolled},
     kwsRollup},
    {"a cancelled maximise changes nothing",
     {},
     A::faMaximize,
     {"ask Maximize"},
     kwsNormal,
     kNormal,
     false,
     true,
     false,
     false,
     false,
     {A::faMaximize}},
    {"a cancelled minimise changes nothing",
     {},
     A::faMinimize,
     {"ask Minimize"},
     kwsNormal,
     kNormal,
     false,
     true,
     false,
     false,
     false,
     {A::faMinimize}},
    {"a cancelled restore-by-minimise stays minimised",
     {A::faMinimize},
     A::faMinimize,
     {"ask Minimize"},
     kwsMinimized,
     kNormal,
     false,
     true,
     false,
     false,
     false,
     {A::faMinimize}},
    {"close", {}, A::faClose, {"ask Close", "close"}, kwsNormal},
    {"a cancelled close",
     {},
     A::faClose,
     {"ask Close"},
     kwsNormal,
     kNormal,
     false,
     true,
     false,
     false,
     false,
     {A::faClose}},
    {"help", {}, A::faHelp, {"help"}, kwsNormal},
};

TEST(FormStates, EachActionAsksTheHostForExactlyThis) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    TRecordingHost host;
    host.Owned = c.Owned;
    host.Modal = c.Modal;
    host.Veto = c.Veto;
    host.TrayRefused = c.TrayRefused;
    TskFormStates states(host);
    states.MinimizeApplication = c.MinimizeApplication;
    states.Data.NormalBounds = kNormal; // as the form stores them when its window is made
    for (A a : c.Before) {
      states.Run(a);
    }
    host.Cancel = c.Cancel;
    host.Log.clear();
    const int hot = host.HotCleared;
    states.Run(c.Action);
    EXPECT_EQ(host.Log, c.Requests);
    EXPECT_EQ(states.Data.State, c.State);
    EXPECT_EQ(states.Data.NormalBounds, c.NormalBounds);
    EXPECT_EQ(host.HotCleared, hot + 1);
    EXPECT_FALSE(states.Busy());
  }
}

TEST(FormStates, APendingStateKeepsTheBoundsStoredWhenLoading) {
  TRecordingHost host;
  TskFormStates states(host);
  const TskRect design{10, 20, 310, 220};
  states.Data.Pending = kwsMaximized;
  states.Data.NormalBounds = design;
  host.Current = {0, 2000, 300, 2200}; // parked below the screen until the state is applied
  states.Run(TskFormStates::ActionFor(states.Data.Pending));
  EXPECT_EQ(states.Data.State, kwsMaximized);
  EXPECT_EQ(states.Data.Pending, kwsNormal);
  states.Run(A::faRestore);
  EXPECT_EQ(host.Current, design);
}

TEST(FormStates, NormalBoundsComeOnlyFromTheNormalState) {
  TRecordingHost host;
  TskFormStates states(host);
  for (A a : {A::faMaximize, A::faRollup, A::faMinimize, A::faRestore, A::faRestore, A::faRestore}) {
    states.Run(a);
    EXPECT_EQ(states.Data.NormalBounds, kNormal);
  }
  EXPECT_EQ(states.Data.State, kwsNormal);
  EXPECT_EQ(host.Current, kNormal);
}

std::wstring Captions(TSkBorderIcons icons, TSkWindowState state) {
  std::wstring out;
  for (const auto& e : SkSystemMenuEntries(icons, state)) {
    out += (out.empty() ? L"" : L"|") + e.Caption;
  }
  return out;
}

TEST(FormStates, SystemMenuFollowsIconsAndState) {
  const TSkBorderIcons app = SkIcons(kbiClose, kbiSystemMenu, kbiMinimize);
  const TSkBorderIcons all = kSkDefaultBorderIcons;
  const struct {
    TSkBorderIcons Icons;
    TSkWindowState State;
    const wchar_t* Want;
  } cases[] = {
      {app, kwsNormal, L"Mi&nimize|-|&Close"},
      {app, kwsMinimized, L"&Restore|-|&Close"},
      {all, kwsNormal, L"Mi&nimize|Ma&ximize|Ro&llup|Minimize to &Tray|-|&Close"},
      {all, kwsMaximized, L"&Restore|Mi&nimize|Ro&llup|Minimize to &Tray|-|&Close"},
      {all, kwsRollup, L"&Restore|Mi&nimize|Ma&ximize|Minimize to &Tray|-|&Close"},
      {all, kwsTray, L"&Restore|-|&Close"},
      {SkIcons(kbiClose), kwsNormal, L"&Close"},
      {SkIcons(kbiMinimize), kwsNormal, L"Mi&nimize"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Captions(c.Icons, c.State), c.Want);
  }
  const auto entries = SkSystemMenuEntries(app, kwsNormal);
  EXPECT_EQ(entries.back().ShortCut, 0x8000 | 0x73) << "Alt+F4";
  EXPECT_EQ(entries.back().ImageIndex, 0);
  EXPECT_EQ(entries.front().ImageIndex, 1);
}

TEST(FormStates, EveryOwnCaptionRunsItsActionAndNothingElseDoes) {
  for (const auto& e : SkSystemMenuEntries(kSkDefaultBorderIcons, kwsNormal)) {
    EXPECT_EQ(SkSystemMenuAction(e.Caption), e.Action) << std::string(e.Caption.begin(), e.Caption.end());
  }
  EXPECT_EQ(SkSystemMenuAction(L"&Restore"), A::faRestore);
  for (const wchar_t* other : {L"&close", L"Close", L"", L"-", L"&Close "}) {
    EXPECT_FALSE(SkSystemMenuAction(other).has_value());
  }
}

} // namespace

namespace {

TEST(FormStates, TitleBarButtonsKeepTheirNumbersAndNameTheirAction) {
  const TSkBorderIcons app = SkIcons(kbiClose, kbiSystemMenu, kbiMinimize);
  auto shown = [](TSkBorderIcons icons, TSkWindowState state) {
    std::wstring out;
    const auto buttons = SkTitleBarButtons(icons, state);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      const auto& b = buttons[i];
      EXPECT_EQ(b.ChildId, int(i) + 1) << "every number listed, in order";
      if (b.Present) {
        out += std::to_wstring(b.ChildId) + L":" + b.Name + L" ";
      }
    }
    return out;
  };
  EXPECT_EQ(shown(app, kwsNormal), L"2:Minimize 5:Close ");
  EXPECT_EQ(shown(app, kwsMinimized), L"2:Restore 5:Close ");
  EXPECT_EQ(shown(kSkDefaultBorderIcons | SkIcons(kbiHelp), kwsMaximized),
            L"2:Minimize 3:Restore 4:Help 5:Close 6:Roll up 7:Minimize to tray ");
  EXPECT_EQ(shown(kSkDefaultBorderIcons, kwsRollup),
            L"2:Minimize 3:Maximize 5:Close 6:Roll down 7:Minimize to tray ");
  const auto buttons = SkTitleBarButtons(app, kwsNormal);
  EXPECT_EQ(buttons[1].Action, TSkFormAction::faMinimize);
  EXPECT_EQ(buttons[4].Action, TSkFormAction::faClose);
  EXPECT_FALSE(buttons[0].Action.has_value());
}

} // namespace
