#include "maskedit/win32/MxGlobalTimer.h"

#include <vector>

TMxGlobalTimer& TMxGlobalTimer::Instance() {
  static TMxGlobalTimer timer;
  return timer;
}

int TMxGlobalTimer::AddClient(std::function<void()> tick) {
  int id = FNextClient++;
  FClients[id] = std::move(tick);
  if (!FTimer) {
    FTimer = std::make_unique<TTimer>();
    FTimer->OnTimer = [this](TComponent*) {
      // A client may remove itself (or another) while ticking: walk a copy of the ids.
      std::vector<int> ids;
      for (const auto& [id, _] : FClients) {
        ids.push_back(id);
      }
      for (int id : ids) {
        auto it = FClients.find(id);
        if (it != FClients.end()) {
          it->second();
        }
      }
    };
    FTimer->SetInterval(kInterval);
  }
  FTimer->SetEnabled(true);
  return id;
}

void TMxGlobalTimer::RemoveClient(int id) {
  FClients.erase(id);
  if (FClients.empty() && FTimer) {
    FTimer->SetEnabled(false);
  }
}
