#pragma once
// Two balanced counters of the platform layer: nested mouse capture and the load count of a
// dynamically loaded module. Neither ever counts below zero: an extra release is ignored.
#include <cstdint>
#include <functional>
#include <mutex>

// The mouse-capture calls, supplied by the platform layer (fakes in tests). Windows are opaque
// handles.
class TskCaptureTarget {
public:
  virtual ~TskCaptureTarget() = default;
  virtual void SetCapture(std::uintptr_t window) = 0;
  virtual std::uintptr_t GetCapture() = 0;
  virtual void ReleaseCapture() = 0;
};

class TskCaptureNesting {
public:
  explicit TskCaptureNesting(TskCaptureTarget& target) : Target(target) {}
  // Captures for `window` on the outermost call; nested calls only count.
  void BeginCapture(std::uintptr_t window);
  // Counts down; at zero releases the capture if the captured window still holds it.
  void EndCapture();
  std::int32_t Depth() const { return Count; }

private:
  TskCaptureTarget& Target;
  std::int32_t Count = 0;
  std::uintptr_t Window = 0;
};

// Load count of a module, guarded by a lock: the first Acquire runs `load` (which answers
// whether the module could be loaded; a failed load is not counted), the Release that brings
// the count to zero runs `unload`.
class TskLoadCount {
public:
  bool Acquire(const std::function<bool()>& load);
  // False (and nothing happens) when the count is already zero.
  bool Release(const std::function<void()>& unload);
  std::int32_t Count() const;

private:
  mutable std::mutex Lock;
  std::int32_t Loads = 0;
};
