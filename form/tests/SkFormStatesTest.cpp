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
  const char* Name = "";
  std::vector<A> Before = {}; // run first, their requests not checked
  A Action = A::faRestore;
  std::vector<std::string> Requests = {};
  TSkWindowState State = kwsNormal;
  TskRect NormalBounds = kNormal;
  // Host settings.
  bool Owned = false, MinimizeApplication = true, Modal = false, Veto = false, TrayRefused = false;
  std::set<A> Cancel = {};
};

const std::string kSetNormal = "set " + RectText(kNormal);
const std::string kSetMaximized = "set " + RectText(kMaximized);
const std::string kSetRolled = "set 100,100,500,130";

const TCase kCases[] = {
    {.Name = "maximise",
     .Action = A::faMaximize,
     .Requests = {"ask Maximize", kSetMaximized, "frame"},
     .State = kwsMaximized},
    {.Name = "maximise a maximised window restores",
     .Before = {A::faMaximize},
     .Action = A::faMaximize,
     .Requests = {"ask Maximize", kSetNormal},
     .State = kwsNormal},
    {.Name = "minimise an unowned window through the platform, once",
     .Action = A::faMinimize,
     .Requests = {"ask Minimize", "native minimize"},
     .State = kwsMinimized},
    {.Name = "minimise a minimised window restores",
     .Before = {A::faMinimize},
     .Action = A::faMinimize,
     .Requests = {"ask Minimize", kSetNormal},
     .State = kwsNormal},
    {.Name = "minimise an owned window minimises the application",
     .Action = A::faMinimize,
     .Requests = {"ask Minimize", "minimize application"},
     .State = kwsMinimized,
     .Owned = true},
    {.Name = "minimise an owned window to a strip",
     .Action = A::faMinimize,
     .Requests = {"ask Minimize", "set " + RectText(kStrip)},
     .State = kwsMinimized,
     .Owned = true,
     .MinimizeApplication = false},
    {.Name = "a modal window does not become a strip",
     .Action = A::faMinimize,
     .Requests = {},
     .State = kwsNormal,
     .Owned = true,
     .MinimizeApplication = false,
     .Modal = true},
    {.Name = "roll up keeps the top frame",
     .Action = A::faRollup,
     .Requests = {"ask Rollup", kSetRolled},
     .State = kwsRollup},
    {.Name = "roll down",
     .Before = {A::faRollup},
     .Action = A::faRollup,
     .Requests = {"ask Rollup", kSetNormal},
     .State = kwsNormal},
    {.Name = "to the tray: icon first, then hidden",
     .Action = A::faTray,
     .Requests = {"ask Tray", "add icon (application)", "hide"},
     .State = kwsTray},
    {.Name = "a refused icon leaves the window shown",
     .Action = A::faTray,
     .Requests = {"ask Tray", "add icon (application)"},
     .State = kwsNormal,
     .TrayRefused = true},
    {.Name = "a vetoed tray asks nothing",
     .Action = A::faTray,
     .Requests = {},
     .State = kwsNormal,
     .Veto = true},
    {.Name = "no tray for modal windows",
     .Action = A::faTray,
     .Requests = {},
     .State = kwsNormal,
     .Modal = true},
    {.Name = "back from the tray",
     .Before = {A::faTray},
     .Action = A::faRestore,
     .Requests = {"show", "remove icon", kSetNormal},
     .State = kwsNormal},
    {.Name = "maximised, rolled up, restored: maximised again",
     .Before = {A::faMaximize, A::faRollup},
     .Action = A::faRestore,
     .Requests = {"ask Maximize", kSetMaximized, "frame"},
     .State = kwsMaximized},
    {.Name = "... and restored once more: the first normal bounds",
     .Before = {A::faMaximize, A::faRollup, A::faRestore},
     .Action = A::faRestore,
     .Requests = {kSetNormal},
     .State = kwsNormal},
    {.Name = "maximised, minimised, restored: maximised",
     .Before = {A::faMaximize, A::faMinimize},
     .Action = A::faRestore,
     .Requests = {"ask Maximize", kSetMaximized, "frame"},
     .State = kwsMaximized},
    {.Name = "maximised from minimised, restored: normal",
     .Before = {A::faMinimize, A::faMaximize},
     .Action = A::faRestore,
     .Requests = {kSetNormal},
     .State = kwsNormal},
    {.Name = "rolled up, minimised, restored: rolled up",
     .Before = {A::faRollup, A::faMinimize},
     .Action = A::faRestore,
     .Requests = {"ask Rollup", kSetRolled},
     .State = kwsRollup},
    {.Name = "maximised into the tray and back: maximised",
     .Before = {A::faMaximize, A::faTray},
     .Action = A::faRestore,
     .Requests = {"show", "remove icon", "ask Maximize", kSetMaximized, "frame"},
     .State = kwsMaximized},
    {.Name = "rolled up into the tray and back: rolled up",
     .Before = {A::faRollup, A::faTray},
     .Action = A::faRestore,
     .Requests = {"show", "remove icon", "ask Rollup", kSetRolled},
     .State = kwsRollup},
    {.Name = "a cancelled maximise changes nothing",
     .Action = A::faMaximize,
     .Requests = {"ask Maximize"},
     .State = kwsNormal,
     .Cancel = {A::faMaximize}},
    {.Name = "a cancelled minimise changes nothing",
     .Action = A::faMinimize,
     .Requests = {"ask Minimize"},
     .State = kwsNormal,
     .Cancel = {A::faMinimize}},
    {.Name = "a cancelled restore-by-minimise stays minimised",
     .Before = {A::faMinimize},
     .Action = A::faMinimize,
     .Requests = {"ask Minimize"},
     .State = kwsMinimized,
     .Cancel = {A::faMinimize}},
    {.Name = "close", .Action = A::faClose, .Requests = {"ask Close", "close"}, .State = kwsNormal},
    {.Name = "a cancelled close",
     .Action = A::faClose,
     .Requests = {"ask Close"},
     .State = kwsNormal,
     .Cancel = {A::faClose}},
    {.Name = "help", .Action = A::faHelp, .Requests = {"help"}, .State = kwsNormal},
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
