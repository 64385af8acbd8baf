#include "theme/SkCpu.h"

const TskCpuFeatures& SkCpuFeatures() {
  static const TskCpuFeatures features = [] {
    TskCpuFeatures f;
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_cpu_init();
    f.MMX = __builtin_cpu_supports("mmx");
    f.SSE2 = __builtin_cpu_supports("sse2");
    // The compiler's check covers the OS-enabled YMM state (XCR0) as well as the CPUID bit.
    f.AVX2 = __builtin_cpu_supports("avx2");
#endif
    return f;
  }();
  return features;
}
