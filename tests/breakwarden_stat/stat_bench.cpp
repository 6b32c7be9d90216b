// Times the statistics window's refresh over a month-long event log and prints the milliseconds:
// the basic figures, page 0 (health), page 1 (history) filled from empty, refreshed as it is and
// refreshed after a new entry, the history's two halves (the lines formatted, the whole text put
// into the memo), and for comparison the first lines appended one by one.
// Usage: stat_bench.exe [entries] [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "EventLog.h"
#include "Seams.h"
#include "Forms.h"
#include "uniStat.h"
#include "unitFrmMain.h"

namespace {

double TimeMs(const std::function<void()>& f, int runs) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < runs; ++i) f();
  QueryPerformanceCounter(&t1);
  return double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(freq.QuadPart) / runs;
}

// About a month of work cycles: idle stretches with their credits, a postponement, the countdown,
// the break (every fourth one cut short) and a screen saver, until the log holds `entries`.
void FillLog(TEventLog& log, size_t entries) {
  constexpr uint32_t kMin = 60000;
  uint32_t t = GetTickCount() - 30u * 24 * 60 * kMin;
  log.RecordEventAt(true, true, 0, ekAppStart, t);
  size_t n = 1, cycle = 0;
  while (n < entries) {
    if (cycle++) log.RecordEventAt(true, true, 0, ekNewCycle, t), ++n;
    for (int i = 0; i < 11 && n < entries; ++i) {
      log.RecordEventAt(false, true, 0, ekIdle, t + kMin);
      log.RecordEventAt(false, false, 0, ekIdle, t + 3 * kMin, 2);
      log.RecordEventAt(false, true, 1, ekIdleBonus, t + 3 * kMin);
      n += 2;
      t += 4 * kMin;
    }
    log.RecordEventAt(false, true, 0, ekCountdown, t);
    log.RecordEventAt(false, true, 2, ekApplyExtension, t);
    log.RecordEventAt(false, true, 0, ekScheduledBreak, t + 3 * kMin);
    log.RecordEventAt(false, false, cycle % 4 ? 100 : 130, ekAnyBreak, t + 8 * kMin);
    log.RecordEventAt(false, true, 0, ekAutoScreenSaver, t + 5 * kMin);
    n += 4;
    t += 9 * kMin;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const size_t entries = argc > 1 ? size_t(std::max(10, atoi(argv[1]))) : 20000;
  const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
  setvbuf(stdout, nullptr, _IONBF, 0);
  InitApplication();
  Application->CreateForm(frmMain);
  FillLog(frmMain->EventLog, entries);
  size_t total = 0;
  for (const auto& c : frmMain->FCycles) total += c.size();
  frmMain->NStatClick(nullptr);
  Application->ProcessMessages();
  TfrmStat* stat = frmStat;
  if (!stat) return 1;
  printf("log: %zu entries in %zu cycles\n", total, frmMain->FCycles.size());
  printf("basic figures      %8.2f ms\n", TimeMs([&] { stat->ShowBasicFigures(); }, runs));
  printf("page 0 (health)    %8.2f ms\n", TimeMs([&] { stat->RefreshPage(0); }, runs));
  stat->PageControl1->SetActivePageIndex(1);
  Application->ProcessMessages();
  printf("page 1 (history), first fill  %8.2f ms  (%d lines)\n", TimeMs(
                                                                       [&] {
                                                                         stat->Memo1->Lines().Clear();
                                                                         stat->RefreshPage(1);
                                                                       },
                                                                       runs),
         stat->Memo1->Lines().Count());
  printf("page 1 (history), refresh     %8.2f ms\n", TimeMs([&] { stat->RefreshPage(1); }, runs));
  printf("page 1 (history), refresh after a new entry %8.2f ms\n", TimeMs(
                                                                       [&] {
                                                                         frmMain->RecordEvent(false, true, 0, ekManualBreak, true);
                                                                         stat->RefreshPage(1);
                                                                       },
                                                                       runs));
  std::vector<std::wstring> lines;
  printf("  history lines formatted %8.2f ms\n", TimeMs(
                                                    [&] {
                                                      lines.clear();
                                                      const uint32_t tick = Clock().TickCount();
                                                      const TDateTime now = ClockNow();
                                                      for (const auto& c : frmMain->FCycles)
                                                        for (const auto& e : c)
                                                          lines.push_back(EventLogLine(e.Kind, e.StartTick, e.Value,
                                                                                       e.EndTick, tick, now));
                                                    },
                                                    runs));
  printf("  history text into Memo1 %8.2f ms\n", TimeMs([&] { stat->Memo1->Lines().Assign(lines); }, runs));
  // Appending line by line costs the square of the length: only the first lines, for comparison.
  const size_t few = std::min<size_t>(lines.size(), 1000);
  const double oneByOne = TimeMs(
      [&] {
        stat->Memo1->Lines().Clear();
        for (size_t i = 0; i < few; ++i) stat->AddHistoryLine(lines[i]);
      },
      1);
  printf("first %zu lines appended one by one, for comparison: %8.2f ms\n", few, oneByOne);
  return 0;
}
