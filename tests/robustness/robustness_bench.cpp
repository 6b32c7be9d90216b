// The robustness benchmark: "robustness_bench fuzz [inputs]" runs inputs (100,000) per reader and
// prints inputs per second and what was found; "robustness_bench sim [days] [seed]" simulates the
// break cycle for days (60) and prints simulated days per second and what broke.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "BreakCycleSim.h"
#include "Forms.h"
#include "FuzzHarness.h"

namespace {

int Fuzz(size_t inputs, uint32_t seed) {
  size_t findings = 0;
  for (const FuzzReader& reader : FuzzReaders()) {
    const FuzzStats s = RunFuzz(reader, seed, inputs);
    std::printf("fuzz %-8s %zu inputs in %.2f s: %.0f inputs/s; %zu values skipped, %zu reports (longest %zu chars), "
                "slowest input %.1f ms; %zu findings\n",
                s.reader.c_str(), s.inputs, s.seconds, s.inputs / s.seconds, s.skipped, s.reports, s.longestReport,
                s.slowestMs, s.findings.size());
    for (const FuzzFinding& f : s.findings)
      std::printf("  finding: %s: %s\n    \"%s\"\n", f.how.c_str(), f.problem.c_str(), f.input.c_str());
    findings += s.findings.size();
  }
  return findings ? 1 : 0;
}

int Simulate(int days, uint32_t seed) {
  const SimFigures f = RunBreakCycleSim(seed, days);
  std::printf("sim seed %u: %d days in %.2f s: %.2f simulated days/s (%.0f minutes/s, %llu timer calls); "
              "%d countdowns, %d breaks (%d by hand, %d given up), %d postponements, %d pauses, %d previews, "
              "%d idle stretches, %d suspends, %d tick wraps, %d mode and %d plan changes, %u log writes, %u cycles; "
              "%zu invariants broken\n",
              seed, f.days, f.seconds, f.days / f.seconds, double(f.minutes) / f.seconds,
              (unsigned long long)f.timerCalls, f.countdowns, f.breaks, f.manualBreaks, f.aborts, f.postponements,
              f.pauses, f.previews, f.idleStretches, f.suspends, f.tickWraps, f.modeChanges, f.planChanges,
              f.logWrites, f.cycles, f.violations.size());
  for (const auto& v : f.violations) std::printf("  broken: %s\n", v.c_str());
  return f.violations.empty() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  InitApplication();  // the simulation makes the program's real windows
  Application->Title = L"robustness_bench";
  const std::wstring what = argc > 1 ? argv[1] : L"fuzz";
  const uint32_t seed = argc > 3 ? uint32_t(std::wcstoul(argv[3], nullptr, 10)) : 1;
  if (what == L"fuzz") return Fuzz(argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 100000, seed);
  if (what == L"sim") return Simulate(argc > 2 ? int(std::wcstol(argv[2], nullptr, 10)) : 60, seed);
  std::printf("usage: robustness_bench fuzz [inputs] [seed] | sim [days] [seed]\n");
  return 2;
}
