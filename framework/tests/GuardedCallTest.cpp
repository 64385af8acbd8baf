// The callback guard: what each way of ending a handler leaves (outcome, result, reports).
#include "framework/GuardedCall.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gReports;

void Record(const char* what) noexcept { gReports.emplace_back(what); }

struct TReporterScope {
  TReporterScope() : Previous(SetExceptionReporter(&Record)) { gReports.clear(); }
  ~TReporterScope() { SetExceptionReporter(Previous); }
  TExceptionReporter Previous;
};

struct TCase {
  const char* Name;
  void (*Body)();
  TCallEnd End;
  const char* Error; // also the one report expected; "" for none
};

const TCase kCases[] = {
    {"returns", [] {}, TCallEnd::ceDone, ""},
    {"silent abort", [] { Abort(); }, TCallEnd::ceAborted, ""},
    {"standard exception", [] { throw std::runtime_error("the handler failed"); }, TCallEnd::ceFailed,
     "the handler failed"},
    {"unknown exception", [] { throw 42; }, TCallEnd::ceFailed, "unknown error"},
};

TEST(GuardedCall, CatchAllTurnsEveryEndingIntoAnOutcome) {
  for (const TCase& c : kCases) {
    const TCallOutcome outcome = CatchAll(c.Body);
    EXPECT_EQ(outcome.End, c.End) << c.Name;
    EXPECT_EQ(outcome.Error, c.Error) << c.Name;
  }
}

TEST(GuardedCall, OnlyFailuresAreReportedAndEachOnce) {
  TReporterScope scope;
  for (const TCase& c : kCases) {
    gReports.clear();
    const int result = GuardedCall(-1, [&] {
      c.Body();
      return 7;
    });
    EXPECT_EQ(result, c.End == TCallEnd::ceDone ? 7 : -1) << c.Name;
    const std::vector<std::string> expected =
        *c.Error ? std::vector<std::string>{c.Error} : std::vector<std::string>{};
    EXPECT_EQ(gReports, expected) << c.Name;
  }
}

TEST(GuardedCall, ANestedFailureIsReportedByTheInnerGuardOnly) {
  TReporterScope scope;
  bool outerGoesOn = false;
  GuardedCall([&] {
    GuardedCall([] { throw std::runtime_error("inner"); });
    outerGoesOn = true;
  });
  EXPECT_TRUE(outerGoesOn);
  EXPECT_EQ(gReports, std::vector<std::string>{"inner"});
}

} // namespace
