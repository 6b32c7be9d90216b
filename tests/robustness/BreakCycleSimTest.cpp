// Simulated days of the break cycle with one fixed seed (the benchmark runs sixty): every
// invariant holds at every simulated minute, and the cycle really ran (breaks, postponements,
// previews, suspends, the tick's wrap).
#include <gtest/gtest.h>

#include "BreakCycleSim.h"

namespace {

// Three days: every simulated break second is a real call into the break window under Wine.
constexpr int kCiDays = 3;

TEST(BreakCycleSim, SimulatedDaysKeepEveryInvariant) {
  // The same seed takes the same course at every run; this one's three days go through every
  // path checked below.
  const SimFigures f = RunBreakCycleSim(3, kCiDays);
  std::string all;
  for (const auto& v : f.violations) all += "\n  " + v;
  EXPECT_TRUE(f.violations.empty()) << f.violations.size() << " invariants broken:" << all;
  EXPECT_GE(f.minutes, uint64_t(kCiDays) * 24 * 60);  // a suspend may run past the end
  // The run went through what it is meant to.
  EXPECT_GT(f.breaks, kCiDays);
  EXPECT_GT(f.countdowns, kCiDays);
  EXPECT_GE(f.postponements, 1);
  EXPECT_GE(f.pauses, 1);
  EXPECT_GE(f.previews, 1);
  EXPECT_GE(f.suspends, 1);
  EXPECT_GE(f.tickWraps, 1);
  EXPECT_GE(f.modeChanges + f.planChanges, 1);
  std::printf("%d days: %d countdowns, %d breaks (%d by hand, %d given up), %d postponements, %d pauses, "
              "%d previews, %d idle stretches, %d suspends, %d tick wraps, %d mode and %d plan changes, "
              "%u log writes in %u cycles; %.1f s\n",
              f.days, f.countdowns, f.breaks, f.manualBreaks, f.aborts, f.postponements, f.pauses, f.previews,
              f.idleStretches, f.suspends, f.tickWraps, f.modeChanges, f.planChanges, f.logWrites, f.cycles,
              f.seconds);
}

}  // namespace
