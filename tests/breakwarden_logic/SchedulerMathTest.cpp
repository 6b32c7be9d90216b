// The scheduler's arithmetic, called with plain numbers.
#include "SchedulerMath.h"

#include <gtest/gtest.h>

#include "EventLog.h"

namespace {

constexpr uint32_t kMin = 60000;

TBreakPlan Plan(int presetIndex) { return PlanFromPage(*PresetPage(presetIndex)); }
// The standard plan with the given per-idle credit and reset, as stored.
TBreakPlan PlanWith(uint8_t extWorkMinsPerIdle, uint8_t idleMinsResetCycle, uint8_t breakInterval = 50) {
  TBreakPlan p = Plan(kStandardPlanIndex);
  p.ExtWorkMinsPerIdle = extWorkMinsPerIdle;
  p.IdleMinsResetCycle = idleMinsResetCycle;
  p.BreakInterval = breakInterval;
  return p;
}

TEST(RoundDivHalfEven, HalvesGoToEven) {
  struct Row {
    long long num, den, want;
  };
  const Row rows[] = {{1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {7, 2, 4}, {4, 10, 0}, {6, 10, 1},
                      {195, 100, 2}, {-1, 2, 0}, {-3, 2, -2}, {-6, 10, -1}, {0, 7, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.num << "/" << r.den);
    EXPECT_EQ(RoundDivHalfEven(r.num, r.den), r.want);
  }
}

TEST(IdleBonusMins, CreditPerIdleStretch) {
  struct Row {
    const char* name;
    uint16_t idle;
    int frequency;
    TBreakPlan plan;
    uint16_t want;
  };
  const Row rows[] = {
      // The examples: "操作频度一般", 8 minutes per idle minute, reset after 6.
      {"idle 1: Round(8 x 0.1)", 1, 1, PlanWith(8, 6), 1},
      {"idle 3: Round(8 x 1.95)", 3, 1, PlanWith(8, 6), 16},
      {"idle 5: 5 x 8", 5, 1, PlanWith(8, 6), 40},
      {"idle 6 resets: BreakInterval - 1", 6, 1, PlanWith(8, 6), 49},
      // Each factor row with 8 minutes per idle minute.
      {"high, idle 1: 2", 1, 0, PlanWith(8, 6), 2},
      {"high, idle 2: 7.2", 2, 0, PlanWith(8, 6), 7},
      {"high, idle 3: 19.2", 3, 0, PlanWith(8, 6), 19},
      {"high, idle 4: 32", 4, 0, PlanWith(8, 6), 32},
      {"normal, idle 2: 4.8", 2, 1, PlanWith(8, 6), 5},
      {"normal, idle 4: 28.8", 4, 1, PlanWith(8, 6), 29},
      {"low, idle 1: 0.4", 1, 2, PlanWith(8, 6), 0},
      {"low, idle 2: 2.4", 2, 2, PlanWith(8, 6), 2},
      {"low, idle 3: 12", 3, 2, PlanWith(8, 6), 12},
      {"low, idle 4: 25.6", 4, 2, PlanWith(8, 6), 26},
      // Halves round to even.
      {"normal 5/min, idle 1: 0.5", 1, 1, PlanWith(5, 6), 0},
      {"high 6/min, idle 1: 1.5", 1, 0, PlanWith(6, 6), 2},
      {"high 10/min, idle 1: 2.5", 1, 0, PlanWith(10, 6), 2},
      {"low 5/min, idle 3: 7.5", 3, 2, PlanWith(5, 6), 8},
      {"low 7/min, idle 1: 0.35", 1, 2, PlanWith(7, 6), 0},
      // Reset bounds with the folded values of a "more rest" plan (reset 7).
      {"more rest, idle 6: 6 x 7", 6, 1, PlanWith(7, 7), 42},
      {"more rest, idle 7 resets", 7, 1, PlanWith(7, 7), 49},
      {"child plan resets to 29", 9, 1, PlanWith(6, 6, 30), 29},
      {"long suspend resets", 1000, 1, PlanWith(8, 6), 49},
      // Typed text in the frequency box selects no row: the normal one applies.
      {"no row (-1): as normal", 3, -1, PlanWith(8, 6), 16},
      {"no row (3): as normal", 1, 3, PlanWith(8, 6), 1},
      {"no idle", 0, 1, PlanWith(8, 6), 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(IdleBonusMins(r.idle, r.plan, r.frequency), r.want);
  }
}

TEST(NextPeriodAfterIdle, LeftOfThePeriodPlusTheCreditWithinAFullPeriod) {
  const uint32_t start = 1000000;
  struct Row {
    const char* name;
    bool reset;
    uint16_t bonus;
    uint8_t workMins;
    uint32_t periodStart, now;
    uint8_t want, kind, value;
    bool keep;
  };
  const Row rows[] = {
      {"reset: a full period", true, 0, 49, start, start + 20 * kMin, 49, ekIdleReset, 0, false},
      {"credit 1 after 11 min: 49 + 1 - 11", false, 1, 49, start, start + 11 * kMin, 39, ekIdleBonus, 1, true},
      {"credit 16 after 33 min: 49 + 16 - 33", false, 16, 49, start, start + 33 * kMin, 32, ekIdleBonus, 16, true},
      {"credit 16 after 13 min exceeds full", false, 16, 49, start, start + 13 * kMin, 49, ekIdleResetFull, 0, false},
      {"credit 40 after 45 min: 44", false, 40, 49, start, start + 45 * kMin, 44, ekIdleBonus, 40, true},
      {"exactly a full period", false, 10, 49, start, start + 10 * kMin + 59999, 49, ekIdleBonus, 10, true},
      {"one-minute period, credit 1", false, 1, 1, start, start + kMin, 1, ekIdleBonus, 1, true},
      {"partial minutes are not counted", false, 5, 1, start, start + kMin + 59999, 5, ekIdleBonus, 5, true},
      // Mended: a period that ran over by the clock gives 1 minute, never 0 nor a wrapped one.
      {"left 0 gives 1", false, 2, 49, start, start + 51 * kMin, 1, ekIdleBonus, 2, true},
      {"left -5 gives 1", false, 2, 49, start, start + 56 * kMin, 1, ekIdleBonus, 2, true},
      {"left above 255 is longer than full", false, 100, 200, start, start, 49, ekIdleResetFull, 0, false},
      {"across the tick wrap", false, 16, 49, 0u - 3 * kMin, 30 * kMin, 32, ekIdleBonus, 16, true},
  };
  const TBreakPlan plan = Plan(kStandardPlanIndex);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TNextPeriod n = NextPeriodAfterIdle(r.reset, r.bonus, plan, r.workMins, r.periodStart, r.now);
    EXPECT_EQ(n.Minutes, r.want);
    EXPECT_EQ(n.LogKind, r.kind);
    EXPECT_EQ(n.LogValue, r.value);
    EXPECT_EQ(n.KeepBonus, r.keep);
  }
}

TEST(MissedMins, MinutesWithoutAnyTick) {
  const uint32_t last = 5000000;
  struct Row {
    const char* name;
    uint32_t now, lastActive;
    uint16_t idle, want;
  };
  const Row rows[] = {
      {"suspended 20 minutes", last + 20 * kMin + 10000, last, 0, 19},
      {"an ordinary minute", last + kMin, last, 0, 0},
      {"a late tick", last + kMin + 59000, last, 0, 0},
      {"an idle stretch fully ticked", last + 4 * kMin, last, 3, 0},
      {"idle ticks and a suspend", last + 21 * kMin, last, 5, 15},
      {"idle counted beyond the clock", last + 2 * kMin, last, 7, 0},
      {"same minute", last + 30000, last, 0, 0},
      {"across the tick wrap", 20 * kMin, 0u - 30000, 0, 19},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(MissedMins(r.now, r.lastActive, r.idle), r.want);
  }
}

TEST(WorkDonePercent, ShareOfTheSelectedInterval) {
  struct Row {
    uint8_t interval, left;
    int want;
  };
  const Row rows[] = {
      {50, 0, 100}, {50, 49, 2},  {50, 25, 50}, {40, 39, 2},  // 2.5 -> 2
      {40, 37, 8},                                            // 7.5 -> 8
      {30, 29, 3},  {30, 1, 97},  {60, 59, 2},
      {30, 45, 0},  // the running period is longer than the selected plan's interval
      {0, 0, 0},    // no interval: no division
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << int(r.interval) << " left " << int(r.left));
    EXPECT_EQ(WorkDonePercent(r.interval, r.left), r.want);
  }
}

TEST(MinsToBreak, LeftOfThePeriodNeverWraps) {
  struct Row {
    uint8_t work, passed, want;
  };
  const Row rows[] = {{49, 0, 49}, {49, 44, 5}, {49, 49, 0}, {49, 50, 0}, {0, 3, 0}, {1, 0, 1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << int(r.work) << "-" << int(r.passed));
    EXPECT_EQ(MinsToBreak(r.work, r.passed), r.want);
  }
}

TEST(TiredCarryAfterIdle, FadesWithTheIdleStretch) {
  struct Row {
    uint16_t carry, idle;
    uint8_t reset;
    uint16_t want;
  };
  const Row rows[] = {{100, 3, 6, 50}, {25, 3, 6, 12}, {15, 3, 6, 8}, {100, 1, 7, 86},
                      {100, 6, 6, 0},  {100, 9, 6, 0}, {0, 2, 6, 0},  {80, 1, 0, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.carry << " idle " << r.idle << "/" << int(r.reset));
    EXPECT_EQ(TiredCarryAfterIdle(r.carry, r.idle, r.reset), r.want);
  }
}

TEST(CountdownRunsHidden, OnlyFreeAndPasswordModesWithTheirBox) {
  struct Row {
    TBreakMode mode;
    bool freeBox, passwordBox, want;
  };
  const Row rows[] = {
      {bmFree, true, false, true},           {bmFree, false, true, false},         {bmPassword, false, true, true},
      {bmPassword, true, false, false},      {bmInterference, true, true, false}, {bmEnforce, true, true, false},
      {bmFree, false, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << int(r.mode) << r.freeBox << r.passwordBox);
    EXPECT_EQ(CountdownRunsHidden(r.mode, r.freeBox, r.passwordBox), r.want);
  }
}

TEST(BreakReminderAt, TheMinutesOfTheReminders) {
  struct Row {
    const char* name;
    uint8_t passed, left;
    uint16_t lastBonus;
    bool hidden;
    int want;  // -1: none
  };
  const Row rows[] = {
      {"first minute of a fresh period", 1, 48, 999, false, rkNextBreak},
      {"5 left", 44, 5, 999, false, rkMinsToBreak},
      {"2 left", 47, 2, 999, false, rkMinsToBreak},
      {"1 left, countdown shown", 48, 1, 999, false, -1},
      {"1 left, countdown hidden", 48, 1, 999, true, rkMinsToBreak},
      {"3 left", 46, 3, 999, false, -1},
      {"first minute after a credit of 9", 1, 30, 9, false, -1},
      {"first minute after a credit of 10", 1, 30, 10, false, rkNextBreak},
      {"first minute with 10 left", 1, 10, 999, false, rkNextBreak},
      {"first minute with 9 left", 1, 9, 999, false, -1},
      {"first minute with 5 left", 1, 5, 999, false, rkMinsToBreak},
      {"first minute with 2 left after a credit", 1, 2, 3, false, rkMinsToBreak},
      {"second minute", 2, 47, 999, false, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    auto k = BreakReminderAt(r.passed, r.left, r.lastBonus, r.hidden);
    EXPECT_EQ(k ? int(*k) : -1, r.want);
  }
}

TEST(ClockReminders, AlarmsAndChimesAtTheirMinute) {
  TClockRemindSettings def;  // on the hour only
  TClockRemindSettings half = def;
  half.OnHour = false;
  half.OnHalfHour = true;
  TClockRemindSettings both = def;
  both.OnHalfHour = true;
  TClockRemindSettings alarms = def;
  alarms.Once1 = true;
  alarms.Once1Hour = 10;
  alarms.Once1Min = 0;
  alarms.Once2 = true;
  alarms.Once2Hour = 10;
  alarms.Once2Min = 0;
  TClockRemindSettings off = alarms;
  off.Once1 = false;
  off.OnHour = false;
  struct Row {
    const char* name;
    int hour, minute;
    const TClockRemindSettings* settings;
    std::vector<TRemindKind> want;
  };
  const Row rows[] = {
      {"on the hour", 9, 0, &def, {rkRemindHour}},
      {"half hour not chosen", 9, 30, &def, {}},
      {"half hour", 9, 30, &half, {rkRemindHour}},
      {"hour with half hour only", 9, 0, &half, {}},
      {"both chimes: once on the hour", 9, 0, &both, {rkRemindHour}},
      {"both chimes: once on the half", 9, 30, &both, {rkRemindHour}},
      {"another minute", 9, 1, &both, {}},
      {"two alarms and the hour", 10, 0, &alarms, {rkRemindOnce1, rkRemindOnce2, rkRemindHour}},
      {"alarms on another day's hour", 22, 0, &alarms, {rkRemindHour}},
      {"alarm 1 unchecked", 10, 0, &off, {rkRemindOnce2}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ClockReminders(r.hour, r.minute, *r.settings), r.want);
  }
}

TEST(RemindChooserFor, EachKindItsSetting) {
  EXPECT_EQ(RemindChooserFor(rkNextBreak), TRemindChooser::BreakHint);
  EXPECT_EQ(RemindChooserFor(rkMinsToBreak), TRemindChooser::BreakHint);
  EXPECT_EQ(RemindChooserFor(rkRemindHour), TRemindChooser::Hour);
  EXPECT_EQ(RemindChooserFor(rkRemindOnce1), TRemindChooser::Once);
  EXPECT_EQ(RemindChooserFor(rkRemindOnce2), TRemindChooser::Once);
}

TEST(StartWorkPeriod, KeepsTheCreditOnlyForThePeriodItStarts) {
  TSchedulerState s;
  s.LastIdleBonus = 16;
  s.ResetBonusOnStart = false;
  StartWorkPeriod(s, 32, 5000);
  EXPECT_EQ(s.FWorkMins, 32);
  EXPECT_EQ(s.FMinsPassed, 0);
  EXPECT_EQ(s.FPeriodStartTick, 5000u);
  EXPECT_EQ(s.LastIdleBonus, 16);
  EXPECT_TRUE(s.ResetBonusOnStart);
  s.FMinsPassed = 7;
  StartWorkPeriod(s, 0, 9000);  // a break: no period, the start tick stays
  EXPECT_EQ(s.FWorkMins, 0);
  EXPECT_EQ(s.FMinsPassed, 0);
  EXPECT_EQ(s.FPeriodStartTick, 5000u);
  EXPECT_EQ(s.LastIdleBonus, 999);
}

TEST(NextBreakTick, PeriodEndPlusTheCountdownMinute) {
  TSchedulerState s;
  StartWorkPeriod(s, 49, 1000000);
  EXPECT_EQ(NextBreakTick(s), 1000000u + 50 * kMin);
  StartWorkPeriod(s, 49, 0u - 10 * kMin);
  EXPECT_EQ(NextBreakTick(s), 40 * kMin);
}

}  // namespace
