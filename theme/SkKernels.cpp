#include "theme/SkKernels.h"

#include "theme/SkCpu.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {
const TskKernels* Best() {
  for (TskKernelPath p : {TskKernelPath::kpAvx2, TskKernelPath::kpSse2}) {
    if (const TskKernels* k = SkKernelsFor(p)) {
      return k;
    }
  }
  return &skScalarKernels;
}

const TskKernels* FromEnvironment() {
  const char* v = std::getenv("TABIRA_KERNELS");
  if (!v) {
    return nullptr;
  }
  for (TskKernelPath p : {TskKernelPath::kpScalar, TskKernelPath::kpSse2, TskKernelPath::kpAvx2}) {
    if (std::strcmp(v, SkKernelPathName(p)) == 0) {
      return SkKernelsFor(p);
    }
  }
  return nullptr;
}

std::atomic<const TskKernels*>& Active() {
  static std::atomic<const TskKernels*> active{[] {
    const TskKernels* forced = FromEnvironment();
    return forced ? forced : Best();
  }()};
  return active;
}
} // namespace

const TskKernels* SkKernelsFor(TskKernelPath path) {
  switch (path) {
  case TskKernelPath::kpScalar: return &skScalarKernels;
#if defined(__x86_64__) || defined(_M_X64)
  case TskKernelPath::kpSse2: return &skSse2Kernels; // part of the x86-64 baseline
  case TskKernelPath::kpAvx2: return SkCpuFeatures().AVX2 ? &skAvx2Kernels : nullptr;
#else
  default: return nullptr;
#endif
  }
  return nullptr;
}

const TskKernels& SkActiveKernels() { return *Active().load(std::memory_order_relaxed); }

bool SkSelectKernels(TskKernelPath path) {
  const TskKernels* k = SkKernelsFor(path);
  if (!k) {
    return false;
  }
  Active().store(k, std::memory_order_relaxed);
  return true;
}

const char* SkKernelPathName(TskKernelPath path) {
  switch (path) {
  case TskKernelPath::kpScalar: return "scalar";
  case TskKernelPath::kpSse2: return "sse2";
  case TskKernelPath::kpAvx2: return "avx2";
  }
  return "?";
}
