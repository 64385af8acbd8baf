#include "framework/GuardedCall.h"

#include <atomic>
#include <cstdio>

namespace {

std::atomic<TExceptionReporter> gReporter{nullptr};

} // namespace

TExceptionReporter SetExceptionReporter(TExceptionReporter reporter) noexcept {
  return gReporter.exchange(reporter);
}

void ReportCallbackError(const char* what) noexcept {
  if (!what) {
    what = "unknown error";
  }
  if (TExceptionReporter reporter = gReporter.load()) {
    reporter(what);
  } else {
    std::fprintf(stderr, "error: %s\n", what);
  }
}
