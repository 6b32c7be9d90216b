// The statistics window's figures without the window: small logs in, texts out (zh_CN formats).
#include "StatFigures.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace {

constexpr uint32_t kMin = 60000;
constexpr uint32_t kHour = 60 * kMin;
constexpr uint64_t kDay = 24ull * kHour;

TEventEntry E(uint8_t kind, uint32_t start, uint32_t end = 0, uint8_t value = 0) {
  TEventEntry e;
  e.Kind = kind;
  e.StartTick = start;
  e.EndTick = end;
  e.EndSeq = end ? 1 : 0;
  e.Value = value;
  return e;
}

TDateTime At(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s = 0) {
  SYSTEMTIME st{y, mo, 0, d, h, mi, s, 0};
  return SystemTimeToDateTime(st);
}

TEST(StatCaption, PlanInForceAndMode) {
  TBreakPlan plan;
  plan.BreakInterval = 50;
  plan.BreakMins = 5;
  EXPECT_EQ(Narrow(StatCaption(plan, L"自由模式")), Narrow(L"休息统计(供参考)-[当前方案:每隔50分钟休息5分钟，当前模式:自由模式]"));
  plan.BreakInterval = 120;
  plan.BreakMins = 15;
  EXPECT_EQ(Narrow(StatCaption(plan, L"强制模式")), Narrow(L"休息统计(供参考)-[当前方案:每隔120分钟休息15分钟，当前模式:强制模式]"));
}

TEST(StatModeName, FirstCheckedItemElseEnforce) {
  struct Row {
    bool f, p, i;
    const wchar_t* want;
  } rows[] = {
      {true, false, false, L"自由模式"},  {false, true, false, L"密码模式"}, {false, false, true, L"干扰模式"},
      {false, false, false, L"强制模式"}, {true, true, true, L"自由模式"},  {false, true, true, L"密码模式"},
  };
  for (const Row& r : rows) EXPECT_EQ(Narrow(StatModeName(r.f, r.p, r.i)), Narrow(r.want));
}

TEST(StatDuration, DaysThenHoursAndMinutes) {
  struct Row {
    uint64_t ms;
    const wchar_t* want;
  } rows[] = {
      {kDay + 2 * kHour + 5 * kMin, L"1天 02:05"},
      {2 * kHour + 5 * kMin + 59000, L"0天 02:05"},  // the seconds are left out, not rounded
      {0, L"0天 00:00"},
      {23 * kHour + 59 * kMin, L"0天 23:59"},
      // Beyond the 32-bit tick's 49.7 days.
      {60 * kDay + 13 * kHour, L"60天 13:00"},
  };
  for (const Row& r : rows) EXPECT_EQ(Narrow(StatDuration(r.ms)), Narrow(r.want)) << r.ms;
  EXPECT_EQ(StatDayCount(kDay - 1), 0u);
  EXPECT_EQ(StatDayCount(3 * kDay), 3u);
  EXPECT_EQ(Narrow(StatStartSpeed(kMin + 5000)), "00:01:05");
}

TEST(RestScore, ExactInIntegers) {
  struct Row {
    uint64_t rest, elapsed;
    int want;
  } rows[] = {
      {0, 0, 100},     // no run time yet: nothing to divide
      {1, 10, 60},     // a tenth
      {1, 80, 42},     // 60 - Round(17.5): half to even
      {1, 8, 62},      // Round(2.5) = 2 (doubles make it 63)
      {0, 1000, 40},   // no rest at all is the lowest the formula reaches, not the best
      {1, 2, 100},     // a half
      {3, 4, 100},     // above a half, held at 100
      {5, 1, 100},     // more rest than run time
      {1, 1000, 40},   // just above 0: 60 - Round(19.8)
      {15, 100, 65},   // 0.15
      {3, 40, 55},     // 0.075: 60 - Round(5)
  };
  for (const Row& r : rows) EXPECT_EQ(RestScore(r.rest, r.elapsed), r.want) << r.rest << "/" << r.elapsed;
}

TEST(TiredRating, TheIndexBands) {
  struct Row {
    int t;
    const wchar_t* want;
  } rows[] = {
      {0, L" (饱满)"},   {5, L" (饱满)"},    {6, L" (健康)"},        {49, L" (健康)"},
      {50, L" (中值)"},  {51, L" (正常)"},   {99, L" (正常)"},       {100, L" (临界)"},
      {101, L" (超标!)"}, {149, L" (超标!)"}, {150, L" (严重超标!)"}, {230, L" (严重超标!)"},
      {70000, L" (严重超标!)"},
  };
  for (const Row& r : rows) EXPECT_EQ(Narrow(TiredRating(r.t)), Narrow(r.want)) << r.t;
}

TEST(HealthScore, ScoreVerdictAndAdvice) {
  struct Row {
    int bar, rest, score;
    const wchar_t* status;
    const wchar_t* advice;
  } rows[] = {
      {0, 60, 68, L"偏低", L"建议增加休息以保持最佳状态！"},
      {80, 50, 44, L"很差", L"强烈建议你安排全面休息！"},
      {0, 100, 100, L"很好", L"暂无建议。"},
      {2, 100, 100, L"很好", L"暂无建议。"},
      {50, 100, 90, L"很好", L"暂无建议。"},
      {51, 100, 90, L"很好", L"暂无建议。"},  // 89.8
      {100, 100, 80, L"良好", L"暂无建议。"},
      {100, 90, 72, L"中等", L"建议视情况适当增加休息！"},
      {100, 75, 60, L"偏低", L"建议增加休息以保持最佳状态！"},
      {100, 60, 48, L"较差", L"你现在很需要较多的休息！"},
      {100, 56, 45, L"较差", L"你现在很需要较多的休息！"},  // 44.8
      {200, 0, -20, L"很差", L"强烈建议你安排全面休息！"},  // a negative score is written as it is
  };
  for (const Row& r : rows) {
    const int score = HealthScore(r.bar, r.rest);
    EXPECT_EQ(score, r.score) << r.bar << " " << r.rest;
    EXPECT_EQ(Narrow(HealthVerdict(score).Status), Narrow(r.status)) << score;
    EXPECT_EQ(Narrow(HealthVerdict(score).Advice), Narrow(r.advice)) << score;
  }
}

// ---- rest from the log -----------------------------------------------------------------------

TEST(StatRest, KindsThatCountAndThoseThatDoNot) {
  const uint32_t t0 = 5000000, now = t0 + 10 * kHour;
  struct Row {
    TEventEntry e;
    uint64_t adds;
  } rows[] = {
      {E(ekIdle, t0, t0 + 3 * kMin), 3 * kMin},
      {E(ekScheduledBreak, t0, t0 + 5 * kMin, 100), 5 * kMin},
      {E(ekManualBreak, t0, t0 + 2 * kMin, 160), 2 * kMin},
      {E(ekExtStandBy, t0, t0 + 20 * kMin), 20 * kMin},
      {E(ekManualStandBy, t0, t0 + 20 * kMin), 20 * kMin},
      {E(ekExtHibernate, t0, t0 + 20 * kMin), 20 * kMin},
      {E(ekManualHibernate, t0, t0 + 20 * kMin), 20 * kMin},
      {E(ekManualStandBy, t0, t0 + 20 * kMin, 99), 0},  // inside a break
      {E(ekAutoStandBy, t0, t0 + 20 * kMin), 0},
      {E(ekManualStandByFailed, t0, t0 + 20 * kMin), 0},
      {E(ekCountdown, t0, t0 + kMin), 0},
      {E(ekIdle, t0), 0},  // still open: no duration yet
      {E(ekApplyExtension, t0, 0, 3), 0},
  };
  for (const Row& r : rows) {
    std::vector<TEventCycle> log{{E(ekAppStart, t0), r.e}};
    EXPECT_EQ(StatRestMs(log, 5, now), 5 * kMin + r.adds) << int(r.e.Kind) << " value " << int(r.e.Value);
  }
}

TEST(StatRest, OverlappingSpansCountOnce) {
  const uint32_t t0 = 5000000, now = t0 + 10 * kHour;
  // An idle stretch cut by a suspend: the idle entry holds the suspend's minutes as missed ones,
  // the stand-by entry the same span again.
  std::vector<TEventCycle> log{{E(ekAppStart, t0), E(ekIdle, t0 + kHour, t0 + kHour + 30 * kMin),
                                E(ekExtStandBy, t0 + kHour + 5 * kMin, t0 + kHour + 25 * kMin)}};
  EXPECT_EQ(StatRestMs(log, 0, now), 30ull * kMin);
  // Spans that only touch, or lie apart, add up as they are.
  log = {{E(ekAppStart, t0), E(ekIdle, t0 + kHour, t0 + kHour + 10 * kMin),
          E(ekExtStandBy, t0 + kHour + 10 * kMin, t0 + kHour + 25 * kMin), E(ekIdle, t0 + 2 * kHour, t0 + 2 * kHour + kMin)}};
  EXPECT_EQ(StatRestMs(log, 0, now), 26ull * kMin);
  // Partly overlapping.
  log = {{E(ekAppStart, t0), E(ekIdle, t0 + kHour, t0 + kHour + 10 * kMin),
          E(ekManualHibernate, t0 + kHour + 5 * kMin, t0 + kHour + 25 * kMin)}};
  EXPECT_EQ(StatRestMs(log, 0, now), 25ull * kMin);
}

TEST(StatRest, AcrossTheTickWrap) {
  const uint32_t t0 = 0xFFFFFFFFu - 30 * kMin;  // the program started half an hour before the wrap
  const uint32_t now = t0 + 2 * kHour;          // wrapped by now
  std::vector<TEventCycle> log{{E(ekAppStart, t0), E(ekIdle, t0 + 20 * kMin, t0 + 40 * kMin)},
                               {E(ekNewCycle, t0 + 50 * kMin), E(ekIdle, t0 + 45 * kMin, t0 + 60 * kMin)}};
  EXPECT_EQ(StatRestMs(log, 5, now), 5ull * kMin + 20 * kMin + 15 * kMin);
}

// ---- basic figures ---------------------------------------------------------------------------

struct BasicFixture : testing::Test {
  const uint32_t start = 3 * kHour;  // the program started 3 hours after switching on
  TStatClock clock{uint32_t(start + kDay + 2 * kHour + 5 * kMin), start + kDay + 2 * kHour + 5 * kMin,
                   At(2026, 12, 10, 9, 0), start};
  TDateTime next = At(2026, 12, 10, 9, 45, 30);
};

TEST_F(BasicFixture, BeforeTheFirstBreak) {
  std::vector<TEventCycle> log{{E(ekAppStart, start), E(ekIdle, start + kHour, start + kHour + 2 * kMin)}};
  TStatBasic b = StatBasicFigures(log, next, clock);
  EXPECT_EQ(b.BreakCount, 0u);
  EXPECT_EQ(Narrow(b.BreakPrev), Narrow(L"无"));
  EXPECT_EQ(b.Uncompleted, 0u);
  EXPECT_EQ(Narrow(b.AppTimeUsed), Narrow(L"1天 02:05"));
  EXPECT_EQ(Narrow(b.PCTimeUsed), Narrow(L"1天 05:05"));
  EXPECT_EQ(Narrow(b.PCStart), "2026/12/9 03:55");
  EXPECT_EQ(Narrow(b.AppStartTime), "2026/12/9 06:55");
  EXPECT_EQ(Narrow(b.SysStartSpeed), "03:00:00");
  EXPECT_EQ(Narrow(b.BreakNext), "09:45") << "a time of day, without seconds";
}

TEST_F(BasicFixture, BreaksCountedAndCutBreaksFoundBehindLaterEntries) {
  const uint32_t s = start;
  std::vector<TEventCycle> log{
      // A full break.
      {E(ekAppStart, s), E(ekCountdown, s + 49 * kMin), E(ekScheduledBreak, s + 50 * kMin, s + 55 * kMin, 100)},
      // A break cut with 30 % left, followed by a screen-saver and a power entry in its cycle.
      {E(ekNewCycle, s + 55 * kMin), E(ekManualBreak, s + 70 * kMin, s + 72 * kMin, 130),
       E(ekAutoScreenSaver, s + 71 * kMin), E(ekManualStandBy, s + 71 * kMin, s + 72 * kMin, 99)},
      // The current cycle: its break is running, cut values are not known yet.
      {E(ekNewCycle, s + 72 * kMin), E(ekScheduledBreak, s + 2 * kHour, 0, 0)},
  };
  TStatBasic b = StatBasicFigures(log, next, clock);
  EXPECT_EQ(b.BreakCount, 2u);
  EXPECT_EQ(b.Uncompleted, 1u);
  EXPECT_EQ(Narrow(b.BreakPrev), "2026/12/9 08:05") << "the break of the cycle before the current one";

  // A previous cycle without a break entry.
  log = {{E(ekAppStart, s)}, {E(ekNewCycle, s + kHour)}};
  b = StatBasicFigures(log, next, clock);
  EXPECT_EQ(b.BreakCount, 1u);
  EXPECT_EQ(Narrow(b.BreakPrev), Narrow(L"无"));
  EXPECT_EQ(b.Uncompleted, 0u);
}

TEST_F(BasicFixture, BreakCountIsNotHeldToEightBits) {
  std::vector<TEventCycle> log(300, TEventCycle{E(ekNewCycle, start), E(ekScheduledBreak, start, start + kMin, 150)});
  log[0][0] = E(ekAppStart, start);
  TStatBasic b = StatBasicFigures(log, next, clock);
  EXPECT_EQ(b.BreakCount, 299u);
  EXPECT_EQ(b.Uncompleted, 299u);
}

TEST_F(BasicFixture, TheComputerUpBeyondTheTickWrap) {
  // 60 days up: the 32-bit count has wrapped, the 64-bit one has not.
  clock.Tick64 = 60 * kDay + 3 * kHour;
  clock.Tick = uint32_t(clock.Tick64);
  const uint32_t appStart = clock.Tick - kHour;
  clock.AppStart64 = clock.Tick64 - kHour;
  std::vector<TEventCycle> log{{E(ekAppStart, appStart)}};
  TStatBasic b = StatBasicFigures(log, next, clock);
  EXPECT_EQ(Narrow(b.PCTimeUsed), Narrow(L"60天 03:00"));
  EXPECT_EQ(Narrow(b.PCStart), "2026/10/11 06:00");
  EXPECT_EQ(Narrow(b.AppTimeUsed), Narrow(L"0天 01:00"));
  EXPECT_EQ(Narrow(b.AppStartTime), "2026/12/10 08:00");
  EXPECT_EQ(Narrow(b.SysStartSpeed), "02:00:00") << "60 days and 2 hours after switching on";
}

TEST_F(BasicFixture, TheProgramRunningBeyondTheTickWrap) {
  // Started 3 hours after switching on and running for 60 days: the 32-bit stamps have wrapped.
  clock.Tick64 = 60 * kDay + 3 * kHour;
  clock.Tick = uint32_t(clock.Tick64);
  clock.AppStart64 = 3 * kHour;
  std::vector<TEventCycle> log{{E(ekAppStart, 3 * kHour)}};
  TStatBasic b = StatBasicFigures(log, next, clock);
  EXPECT_EQ(Narrow(b.AppTimeUsed), Narrow(L"60天 00:00"));
  EXPECT_EQ(Narrow(b.AppStartTime), "2026/10/11 09:00");
  EXPECT_EQ(Narrow(b.SysStartSpeed), "03:00:00");
}

// ---- health ----------------------------------------------------------------------------------

// The clock of a run that started at start and has not wrapped.
TStatClock RunClock(uint32_t start, uint32_t now) { return TStatClock{now, now, 0, start}; }

TEST(StatHealth, FirstMinuteOfADefaultRun) {
  const uint32_t t0 = 1000000;
  std::vector<TEventCycle> log{{E(ekAppStart, t0)}};
  TStatHealth h = StatHealthFigures(log, 5, 2, 0, RunClock(t0, t0 + 40000));
  EXPECT_EQ(Narrow(h.IndexText), Narrow(L"2 (饱满)"));
  EXPECT_EQ(h.BarPosition, 2);
  EXPECT_EQ(h.RestScore, 100);
  EXPECT_EQ(Narrow(h.ScoreText), Narrow(L"100分"));
  EXPECT_EQ(Narrow(h.Status), Narrow(L"很好"));
  EXPECT_EQ(Narrow(h.Advice), Narrow(L"暂无建议。"));
}

TEST(StatHealth, TheIndexIsNotASixteenBitSum) {
  const uint32_t t0 = 1000000;
  std::vector<TEventCycle> log{{E(ekAppStart, t0)}};
  // A carry near the top of 16 bits plus the work done: the sum must not wrap to a small index.
  TStatHealth h = StatHealthFigures(log, 5, 80, 65500, RunClock(t0, t0 + kHour));
  EXPECT_EQ(h.Index, 65580);
  EXPECT_EQ(h.BarPosition, 200);
  EXPECT_EQ(Narrow(h.IndexText), Narrow(L"65580 (严重超标!)"));
  h = StatHealthFigures(log, 5, 80, 150, RunClock(t0, t0 + kHour));
  EXPECT_EQ(Narrow(h.IndexText), Narrow(L"230 (严重超标!)"));
  EXPECT_EQ(h.BarPosition, 200);
}

TEST(StatHealth, RestOfATenthWithIndexZero) {
  const uint32_t t0 = 1000000;
  // 100 minutes run, 5 minutes of the plan's break and 5 idle: a tenth.
  std::vector<TEventCycle> log{{E(ekAppStart, t0), E(ekIdle, t0 + 10 * kMin, t0 + 15 * kMin)}};
  TStatHealth h = StatHealthFigures(log, 5, 0, 0, RunClock(t0, t0 + 100 * kMin));
  EXPECT_EQ(h.RestScore, 60);
  EXPECT_EQ(Narrow(h.ScoreText), Narrow(L"68分"));
  EXPECT_EQ(Narrow(h.Status), Narrow(L"偏低"));
}

TEST(StatHealth, TheRunTimeHoldsBeyondTheTickWrap) {
  // 49.7 days and 10 minutes of run: on 32 bits it would be 10 minutes, half of them rest.
  const uint32_t t0 = 1000000;
  std::vector<TEventCycle> log{{E(ekAppStart, t0)}};
  const uint64_t now = t0 + (uint64_t(1) << 32) + 10 * kMin;
  TStatHealth h = StatHealthFigures(log, 5, 0, 0, TStatClock{uint32_t(now), now, 0, t0});
  EXPECT_EQ(h.RestScore, 40);
}

TEST(StatSwitchCaption, OnePerPage) {
  EXPECT_EQ(Narrow(StatSwitchCaption(0)), "111000000");
  EXPECT_EQ(Narrow(StatSwitchCaption(1)), "000111000");
  EXPECT_EQ(Narrow(StatSwitchCaption(2)), "000000111");
}

}  // namespace
