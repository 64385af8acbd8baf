#include "form/SkFormStates.h"

namespace {

// Keeps the machine's depth while an action (and the actions it runs in turn) runs.
class TDepth {
public:
  explicit TDepth(int& depth) : FDepth(depth) { ++FDepth; }
  ~TDepth() { --FDepth; }
  TDepth(const TDepth&) = delete;
  TDepth& operator=(const TDepth&) = delete;

private:
  int& FDepth;
};

constexpr std::uint16_t kAltF4 = 0x8000 | 0x73;

} // namespace

TSkFormAction TskFormStates::ActionFor(TSkWindowState state) {
  switch (state) {
  case kwsMaximized: return TSkFormAction::faMaximize;
  case kwsMinimized: return TSkFormAction::faMinimize;
  case kwsRollup: return TSkFormAction::faRollup;
  case kwsTray: return TSkFormAction::faTray;
  case kwsNormal: break;
  }
  return TSkFormAction::faRestore;
}

void TskFormStates::Run(TSkFormAction action) {
  TDepth depth(FDepth);
  FHost.ClearHot();
  switch (action) {
  case TSkFormAction::faRestore: Restore(); break;
  case TSkFormAction::faMaximize: Maximize(); break;
  case TSkFormAction::faMinimize: Minimize(); break;
  case TSkFormAction::faRollup: Rollup(); break;
  case TSkFormAction::faTray: MinimizeToTray(); break;
  case TSkFormAction::faClose: Close(); break;
  case TSkFormAction::faHelp: FHost.ContextHelp(); break;
  }
}

void TskFormStates::Maximize() {
  if (!FHost.ActionAllowed(TSkFormAction::faMaximize)) {
    return;
  }
  if (Data.State == kwsMaximized) {
    Restore();
    return;
  }
  Data.Previous = Data.State;
  if (Data.Pending == kwsNormal && Data.State != kwsRollup && Data.State != kwsMinimized) {
    Data.NormalBounds = FHost.Bounds();
  }
  Data.State = kwsMaximized;
  FHost.SetBounds(FHost.MaximizedBounds());
  FHost.FrameChanged();
  Data.Pending = kwsNormal;
}

void TskFormStates::Minimize() {
  if (FHost.IsModal() && !MinimizeApplication) {
    return;
  }
  if (!FHost.ActionAllowed(TSkFormAction::faMinimize)) {
    return;
  }
  if (Data.State == kwsMinimized) {
    Restore();
    return;
  }
  Data.Previous = Data.State;
  Data.State = kwsMinimized;
  if (Data.Pending == kwsNormal && Data.Previous != kwsRollup && Data.Previous != kwsMaximized) {
    Data.NormalBounds = FHost.Bounds();
  }
  if (!FHost.HasOwner()) {
    FHost.NativeMinimize();
  } else if (MinimizeApplication) {
    FHost.MinimizeApplication();
  } else {
    FHost.SetBounds(FHost.MinimizedBounds());
  }
  Data.Pending = kwsNormal;
}

void TskFormStates::Rollup() {
  if (!FHost.ActionAllowed(TSkFormAction::faRollup)) {
    return;
  }
  if (Data.State == kwsRollup) {
    Restore();
    return;
  }
  Data.Previous = Data.State;
  Data.State = kwsRollup;
  if (Data.Previous != kwsMinimized && Data.Previous != kwsMaximized) {
    Data.NormalBounds = FHost.Bounds();
  }
  FHost.SetBounds(FHost.RollupBounds());
  Data.Pending = kwsNormal;
}

void TskFormStates::MinimizeToTray() {
  if (FHost.IsModal()) {
    return;
  }
  if (FHost.TrayVetoed() || !FHost.ActionAllowed(TSkFormAction::faTray)) {
    return;
  }
  if (Data.State == kwsTray) {
    Restore();
    return;
  }
  const TskFormStateData before = Data;
  Data.Previous = Data.State;
  Data.State = kwsTray;
  if (Data.Pending == kwsNormal && Data.Previous == kwsNormal) {
    Data.NormalBounds = FHost.Bounds();
  }
  // The window goes away only once its icon is there to bring it back.
  if (!FHost.AddTrayIcon(MinimizeApplication)) {
    Data = before;
    return;
  }
  FHost.HideForTray(MinimizeApplication);
  Data.Pending = kwsNormal;
}

void TskFormStates::Restore() {
  switch (Data.State) {
  case kwsNormal: FHost.SetBounds(Data.NormalBounds); break;
  case kwsMaximized:
    if (Data.Previous == kwsRollup) {
      Data.State = kwsNormal;
      FHost.SetBounds(Data.NormalBounds);
      Rollup();
    } else {
      // Also after a maximise straight from the minimised state: back to the normal bounds.
      Data.Previous = kwsMaximized;
      Data.State = kwsNormal;
      FHost.SetBounds(Data.NormalBounds);
      if (FHost.HasShadow()) {
        FHost.FrameChanged();
      }
    }
    break;
  case kwsMinimized:
    if (Data.Previous == kwsMaximized) {
      Maximize();
      Data.Previous = kwsNormal;
    } else if (Data.Previous == kwsRollup) {
      Rollup();
      Data.Previous = kwsNormal;
    } else {
      Data.State = kwsNormal;
      FHost.SetBounds(Data.NormalBounds);
    }
    break;
  case kwsRollup:
    if (Data.Previous == kwsMaximized || RectWidth(FHost.Bounds()) == RectWidth(FHost.MaximizedBounds())) {
      Maximize();
      Data.Previous = kwsNormal;
    } else {
      Data.State = kwsNormal;
      const TskRect now = FHost.Bounds();
      FHost.SetBounds({now.Left, now.Top, std::int32_t(now.Left + RectWidth(Data.NormalBounds)),
                       std::int32_t(now.Top + RectHeight(Data.NormalBounds))});
    }
    break;
  case kwsTray: {
    const TskRect normal = Data.NormalBounds;
    const TSkWindowState previous = Data.Previous;
    FHost.ShowFromTray(MinimizeApplication);
    FHost.RemoveTrayIcon();
    Data.Previous = previous;
    Data.NormalBounds = normal;
    if (previous == kwsMaximized || previous == kwsRollup) {
      // Maximise and roll up measure from the normal state: start them from there.
      Data.State = kwsNormal;
      if (previous == kwsMaximized) {
        Maximize();
      } else {
        Rollup();
      }
      Data.NormalBounds = normal;
      Data.Previous = kwsNormal;
    } else {
      Data.State = kwsNormal;
      FHost.SetBounds(Data.NormalBounds);
    }
    break;
  }
  }
}

void TskFormStates::Close() {
  if (!FHost.ActionAllowed(TSkFormAction::faClose)) {
    return;
  }
  FHost.CloseWindow();
}

std::vector<TskSystemMenuEntry> SkSystemMenuEntries(TSkBorderIcons icons, TSkWindowState state) {
  auto has = [icons](TSkBorderIcon icon) { return (icons & SkIcons(icon)) != 0; };
  const bool normal = state == kwsNormal, maximized = state == kwsMaximized, rolled = state == kwsRollup;
  std::vector<TskSystemMenuEntry> out;
  if (!normal) {
    out.push_back({L"&Restore", 3, 0, TSkFormAction::faRestore});
  }
  if (has(kbiMinimize) && (normal || maximized || rolled)) {
    out.push_back({L"Mi&nimize", 1, 0, TSkFormAction::faMinimize});
  }
  if (has(kbiMaximize) && (normal || rolled)) {
    out.push_back({L"Ma&ximize", 2, 0, TSkFormAction::faMaximize});
  }
  if (has(kbiRollup) && (normal || maximized)) {
    out.push_back({L"Ro&llup", 4, 0, TSkFormAction::faRollup});
  }
  if (has(kbiTray) && (normal || maximized || rolled)) {
    out.push_back({L"Minimize to &Tray", 5, 0, TSkFormAction::faTray});
  }
  if (has(kbiClose)) {
    if (!out.empty()) {
      out.push_back({L"-", -1, 0, std::nullopt});
    }
    out.push_back({L"&Close", 0, kAltF4, TSkFormAction::faClose});
  }
  return out;
}

std::optional<TSkFormAction> SkSystemMenuAction(const std::wstring& caption) {
  static const std::pair<const wchar_t*, TSkFormAction> kCaptions[] = {
      {L"&Close", TSkFormAction::faClose},           {L"Ma&ximize", TSkFormAction::faMaximize},
      {L"Mi&nimize", TSkFormAction::faMinimize},     {L"Ro&llup", TSkFormAction::faRollup},
      {L"Minimize to &Tray", TSkFormAction::faTray}, {L"&Restore", TSkFormAction::faRestore}};
  for (const auto& [text, action] : kCaptions) {
    if (caption == text) {
      return action;
    }
  }
  return std::nullopt;
}

std::vector<TskTitleBarButton> SkTitleBarButtons(TSkBorderIcons icons, TSkWindowState state) {
  auto has = [icons](TSkBorderIcon icon) { return (icons & SkIcons(icon)) != 0; };
  const bool minimized = state == kwsMinimized;
  using A = TSkFormAction;
  return {
      {1, std::nullopt, L"IME", std::nullopt, false},
      {2, kbiMinimize, minimized ? L"Restore" : L"Minimize", A::faMinimize, has(kbiMinimize)},
      {3, kbiMaximize, state == kwsMaximized ? L"Restore" : L"Maximize", A::faMaximize,
       has(kbiMaximize) && !minimized},
      {4, kbiHelp, L"Help", A::faHelp, has(kbiHelp)},
      {5, kbiClose, L"Close", A::faClose, has(kbiClose)},
      {6, kbiRollup, state == kwsRollup ? L"Roll down" : L"Roll up", A::faRollup,
       has(kbiRollup) && !minimized},
      {7, kbiTray, L"Minimize to tray", A::faTray, has(kbiTray) && !minimized},
  };
}
