#pragma once
// The one rule for code the platform calls back (window procedures, timers, utility windows,
// hooks): no exception leaves it. A silent abort (EAbort) ends the handler quietly; anything
// else is reported once, through the installed reporter, and the entry point returns its
// fallback value. CatchAll holds the catch list; GuardedCall adds the report.
#include "framework/Abort.h"

#include <exception>
#include <string>
#include <utility>

// Shows an error that ended a callback. Must not throw.
using TExceptionReporter = void (*)(const char* what) noexcept;

// Installs the reporter (null: the standard error stream) and returns the one before. The
// application installs its message box when it is first used.
TExceptionReporter SetExceptionReporter(TExceptionReporter reporter) noexcept;
// Hands what to the installed reporter.
void ReportCallbackError(const char* what) noexcept;

// How a call ended.
enum class TCallEnd { ceDone, ceAborted, ceFailed };

struct [[nodiscard]] TCallOutcome {
  TCallEnd End = TCallEnd::ceDone;
  std::string Error; // what the failure said ("unknown error" for a non-standard exception)
};

// Runs f and turns whatever it throws into an outcome; nothing escapes.
template <class F>
TCallOutcome CatchAll(F&& f) noexcept {
  try {
    std::forward<F>(f)();
    return {};
  } catch (const EAbort&) {
    return {TCallEnd::ceAborted, {}};
  } catch (const std::exception& e) {
    return {TCallEnd::ceFailed, e.what()};
  } catch (...) {
    return {TCallEnd::ceFailed, "unknown error"};
  }
}

// Runs f at a callback entry point; a failure is reported, an abort is not.
template <class F>
void GuardedCall(F&& f) noexcept {
  const TCallOutcome outcome = CatchAll(std::forward<F>(f));
  if (outcome.End == TCallEnd::ceFailed) {
    ReportCallbackError(outcome.Error.c_str());
  }
}

// The same for an entry point with a result: f's value, or fallback when f threw.
template <class R, class F>
R GuardedCall(R fallback, F&& f) noexcept {
  R result = fallback;
  GuardedCall([&] { result = std::forward<F>(f)(); });
  return result;
}
