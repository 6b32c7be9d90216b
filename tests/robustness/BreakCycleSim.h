#pragma once
// Months of the break cycle simulated on the clock seam: the real main window, settings dialog,
// countdown and break windows, driven by their own timers' handlers at the times they are due,
// with a seeded user who types, goes away for minutes to hours, suspends the machine for minutes
// to days, asks for postponements, previews, breaks by hand and changes the mode and the plan.
// The tick count starts at a random value, so its 32-bit wrap falls at a random moment.
#include <cstdint>
#include <string>
#include <vector>

struct SimFigures {
  int days = 0;
  uint64_t minutes = 0, timerCalls = 0;
  int countdowns = 0, breaks = 0, manualBreaks = 0, previews = 0, postponements = 0, pauses = 0, aborts = 0;
  int suspends = 0, tickWraps = 0, modeChanges = 0, planChanges = 0, idleStretches = 0;
  unsigned logWrites = 0, cycles = 0;
  double seconds = 0;
  // Each broken invariant once per kind, with the simulated time it was first seen.
  std::vector<std::string> violations;
};

// Checked at every simulated minute (and at every window's opening and closing): the scheduler's
// state is one of the three and matches the windows open; a work period never runs past its
// length and every period ends in a countdown, a break or an idle reset; no counter wraps (idle
// minutes, the cycle number, the log's sequence, the tiredness carry); no log entry of a closed
// cycle is left open; the cursor and the input block are balanced whenever no break window is up;
// at most one window of each kind; no error box.
SimFigures RunBreakCycleSim(uint32_t seed, int days);
