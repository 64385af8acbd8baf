#include "maskedit/win32/MxApplication.h"

TMxApplication& TMxApplication::Instance() {
  static TMxApplication application;
  return application;
}

int TMxApplication::AddTimerClient(std::function<void()> tick) {
  int id = FNextClient++;
  FTimerClients[id] = std::move(tick);
  if (!FTimer) {
    FTimer = std::make_unique<TTimer>();
    FTimer->OnTimer = [this](TComponent*) {
      // A client may remove itself (or another) while ticking: walk a copy of the ids.
      std::vector<int> ids;
      for (const auto& [id, _] : FTimerClients) ids.push_back(id);
      for (int id : ids) {
        auto it = FTimerClients.find(id);
        if (it != FTimerClients.end()) it->second();
      }
    };
    FTimer->SetInterval(kTimerInterval);
  }
  FTimer->SetEnabled(true);
  return id;
}

void TMxApplication::RemoveTimerClient(int id) {
  FTimerClients.erase(id);
  if (FTimerClients.empty() && FTimer) FTimer->SetEnabled(false);
}
