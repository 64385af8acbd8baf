#pragma once
// TMxGlobalTimer: one shared 50 ms timer that controls can listen to instead of owning
// timers of their own.
#include "framework/win32/Timer.h"

#include <functional>
#include <map>
#include <memory>

class TMxGlobalTimer {
public:
  static TMxGlobalTimer& Instance();

  static constexpr unsigned kInterval = 50;
  // Calls tick every kInterval ms until RemoveClient(id); returns id.
  int AddClient(std::function<void()> tick);
  void RemoveClient(int id);
  // What is listening now, and whether the platform timer runs (only while someone listens).
  int ClientCount() const { return static_cast<int>(FClients.size()); }
  bool Running() const { return FTimer && FTimer->Enabled(); }

private:
  TMxGlobalTimer() = default;
  std::map<int, std::function<void()>> FClients;
  int FNextClient = 1;
  std::unique_ptr<TTimer> FTimer;
};
