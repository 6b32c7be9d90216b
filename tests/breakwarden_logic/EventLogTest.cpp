// The event log of the work cycles, the tick/date-time conversions and the history lines.
#include "EventLog.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace {

constexpr uint32_t kMin = 60000;
constexpr uint32_t kHour = 60 * kMin;
constexpr uint32_t kDay = 24 * kHour;

TDateTime At(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s = 0) {
  SYSTEMTIME st{y, mo, 0, d, h, mi, s, 0};
  return SystemTimeToDateTime(st);
}

std::string Show(TDateTime dt) {
  SYSTEMTIME st = DateTimeToSystemTime(dt);
  char buf[64];
  snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
           st.wSecond, st.wMilliseconds);
  return buf;
}

TEST(EventKindText, EveryKindHasItsText) {
  struct Row {
    uint8_t kind;
    const wchar_t* text;
  };
  const Row rows[] = {
      {ekAppStart, L"程序开始运行"},
      {ekNewCycle, L"开始新的休息周期"},
      {ekAnyBreak, L""},
      {ekNone, L""},
      {ekApplyExtension, L"申请延长工作时间"},
      {ekIdleBonus, L"空闲补时"},
      {ekIdleReset, L"空闲超时,休息重新计时"},
      {ekIdleResetFull, L"空闲超时,休息重新计时"},
      {ekIdle, L"开始空闲时间"},
      {ekPreBreakHint, L"休息前提醒"},
      {ekCountdown, L"休息倒计时"},
      {ekScheduledBreak, L"计划内强制休息"},
      {ekManualBreak, L"手动强制休息"},
      {ekAutoScreenSaver, L"自动启动屏幕保护"},
      {ekManualScreenSaver, L"手动启动屏幕保护"},
      {ekDisplayOff, L"关闭显示器"},
      {ekAnyPower, L""},
      {ekExtStandBy, L"外部待机"},
      {ekExtStandByFailed, L"外部待机,失败"},
      {ekAutoStandBy, L"系统自动待机"},
      {ekAutoStandByFailed, L"系统自动待机,失败"},
      {ekManualStandBy, L"手动待机"},
      {ekManualStandByFailed, L"手动待机,失败"},
      {ekExtHibernate, L"外部休眠"},
      {ekExtHibernateFailed, L"外部休眠,失败"},
      {ekAutoHibernate, L"系统休眠"},
      {ekAutoHibernateFailed, L"系统休眠,失败"},
      {ekManualHibernate, L"手动休眠"},
      {ekManualHibernateFailed, L"手动休眠,失败"},
      {29, L""},
      {255, L""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(int(r.kind));
    EXPECT_EQ(Narrow(EventKindText(r.kind)), Narrow(r.text));
  }
}

TEST(EventLog, StartsWithOneAppStartEntry) {
  FakeClock clock;
  TEventLog log;
  log.RecordEvent(true, true, 0, ekAppStart, true);
  ASSERT_EQ(log.Cycles().size(), 1u);
  ASSERT_EQ(log.Cycles()[0].size(), 1u);
  const TEventEntry& e = log.Cycles()[0][0];
  EXPECT_EQ(e.StartSeq, 1);
  EXPECT_EQ(e.Kind, ekAppStart);
  EXPECT_EQ(e.StartTick, clock.tick);
  EXPECT_EQ(e.EndSeq, 0);
  EXPECT_EQ(e.EndTick, 0u);
  EXPECT_EQ(e.Value, 0);
  EXPECT_EQ(log.AppStartEntry(), &e);
}

TEST(EventLog, CallsBeforeTheFirstCycleAndNoneMarkersLogNothing) {
  FakeClock clock;
  TEventLog log;
  log.RecordEvent(false, true, 0, ekCountdown, true);
  log.RecordEvent(false, false, 100, ekAnyBreak, true);
  EXPECT_TRUE(log.Cycles().empty());
  EXPECT_EQ(log.EventSeq(), 0);
  EXPECT_EQ(log.AppStartEntry(), nullptr);

  log.RecordEvent(true, true, 0, ekAppStart, true);
  log.RecordEvent(false, true, 0, ekNone, true);
  log.RecordEvent(true, true, 0, ekNone, true);
  EXPECT_EQ(log.Cycles().size(), 1u);
  EXPECT_EQ(log.Cycles()[0].size(), 1u);
  EXPECT_EQ(log.EventSeq(), 1);
}

// A whole cycle as the scheduler, the countdown and the break window write it.
TEST(EventLog, RecordsOpensClosesAndSequenceNumbers) {
  FakeClock clock;
  TEventLog log;
  const uint32_t t0 = clock.tick;
  log.RecordEvent(true, true, 0, ekAppStart, true);  // seq 1
  clock.Advance(10 * kMin);
  clock.Input();
  clock.Advance(3 * kMin + 5000);
  log.RecordEvent(false, true, 0, ekIdle, false);  // seq 2, stamped with the last input
  clock.Advance(kMin);
  log.RecordEvent(false, false, 0, ekIdle, true, 4);  // seq 3: ends 4 minutes after its start
  log.RecordEvent(false, true, 16, ekIdleBonus, true);  // seq 4
  clock.Advance(30 * kMin);
  log.RecordEvent(false, true, 0, ekCountdown, true);      // seq 5
  log.RecordEvent(false, true, 2, ekApplyExtension, true);  // seq 6
  clock.Advance(3 * kMin);
  log.RecordEvent(false, true, 0, ekScheduledBreak, true);  // seq 7
  clock.Advance(5 * kMin);
  log.RecordEvent(false, false, 100, ekAnyBreak, true);  // seq 8
  log.RecordEvent(true, true, 0, ekNewCycle, true);      // seq 9
  log.RecordEvent(false, true, 99, ekManualStandBy, true);
  log.RecordEvent(false, false, 0, ekAnyPower, true);  // value 0 keeps 99

  ASSERT_EQ(log.Cycles().size(), 2u);
  const TEventCycle& c0 = log.Cycles()[0];
  ASSERT_EQ(c0.size(), 6u);
  struct Row {
    uint16_t startSeq;
    uint8_t kind;
    uint32_t startTick;
    uint16_t endSeq;
    uint32_t endTick;
    uint8_t value;
  };
  const uint32_t idleStart = t0 + 10 * kMin;
  const Row want0[] = {
      {1, ekAppStart, t0, 0, 0, 0},
      {2, ekIdle, idleStart, 3, idleStart + 4 * kMin, 0},
      {4, ekIdleBonus, t0 + 14 * kMin + 5000, 0, 0, 16},
      {5, ekCountdown, t0 + 44 * kMin + 5000, 0, 0, 0},
      {6, ekApplyExtension, t0 + 44 * kMin + 5000, 0, 0, 2},
      {7, ekScheduledBreak, t0 + 47 * kMin + 5000, 8, t0 + 52 * kMin + 5000, 100},
  };
  for (size_t i = 0; i < c0.size(); ++i) {
    SCOPED_TRACE(i);
    const TEventEntry& e = c0[i];
    EXPECT_EQ(e.StartSeq, want0[i].startSeq);
    EXPECT_EQ(e.Kind, want0[i].kind);
    EXPECT_EQ(e.StartTick, want0[i].startTick);
    EXPECT_EQ(e.EndSeq, want0[i].endSeq);
    EXPECT_EQ(e.EndTick, want0[i].endTick);
    EXPECT_EQ(e.Value, want0[i].value);
  }
  const TEventCycle& c1 = log.Cycles()[1];
  ASSERT_EQ(c1.size(), 2u);
  EXPECT_EQ(c1[0].Kind, ekNewCycle);
  EXPECT_EQ(c1[0].StartSeq, 9);
  EXPECT_EQ(c1[1].Kind, ekManualStandBy);
  EXPECT_EQ(c1[1].EndSeq, 11);
  EXPECT_EQ(c1[1].EndTick, t0 + 52 * kMin + 5000);
  EXPECT_EQ(c1[1].Value, 99);
  EXPECT_EQ(log.EventSeq(), 11);
}

TEST(EventLog, ClosingAKindWithoutEntryInTheCurrentCycleChangesNoEntry) {
  FakeClock clock;
  TEventLog log;
  log.RecordEvent(true, true, 0, ekAppStart, true);
  log.RecordEvent(false, true, 0, ekManualStandBy, true);
  log.RecordEvent(false, true, 0, ekManualBreak, true);
  log.RecordEvent(true, true, 0, ekNewCycle, true);
  const auto before = log.Cycles();
  log.RecordEvent(false, false, 99, ekAnyPower, true);
  log.RecordEvent(false, false, 100, ekAnyBreak, true);
  log.RecordEvent(false, false, 0, ekIdle, true, 5);
  ASSERT_EQ(log.Cycles().size(), before.size());
  for (size_t c = 0; c < before.size(); ++c) {
    ASSERT_EQ(log.Cycles()[c].size(), before[c].size());
    for (size_t i = 0; i < before[c].size(); ++i) {
      EXPECT_EQ(log.Cycles()[c][i].EndTick, before[c][i].EndTick);
      EXPECT_EQ(log.Cycles()[c][i].Value, before[c][i].Value);
    }
  }
}

TEST(EventLog, FindLastEventMatchesSelectorsFromTheEnd) {
  FakeClock clock;
  TEventLog log;
  const uint8_t kinds[] = {ekAppStart, ekIdle, ekAutoStandBy, ekIdle, ekManualBreak, ekManualHibernateFailed,
                           ekScheduledBreak, ekDisplayOff};
  log.RecordEvent(true, true, 0, kinds[0], true);
  for (size_t i = 1; i < std::size(kinds); ++i) log.RecordEvent(false, true, 0, kinds[i], true);
  struct Row {
    uint8_t kind;
    uint16_t want;
  };
  const Row rows[] = {
      {ekIdle, 3},       {ekAnyBreak, 6},      {ekAnyPower, 5},      {ekManualBreak, 4}, {ekAutoStandBy, 2},
      {ekAppStart, 0},   {ekCountdown, kNoEvent}, {ekDisplayOff, 7}, {ekAnyPower + 0, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(int(r.kind));
    EXPECT_EQ(log.FindLastEvent(0, r.kind), r.want);
  }
  EXPECT_EQ(log.FindLastEvent(1, ekIdle), kNoEvent);  // no such cycle
}

TEST(MsToDateTime, WholeDaysAndTheTimeOfDayWithoutMilliseconds) {
  struct Row {
    uint32_t ms;
    double days;
  };
  const Row rows[] = {
      {0, 0},
      {999, 0},
      {kMin, 1.0 / 1440},
      {kDay, 1},
      {kDay + 2 * kHour + 5 * kMin + 7999, 1 + (2 * 3600 + 5 * 60 + 7) / 86400.0},
      {0xFFFFFFFF, 49 + (0xFFFFFFFFu % kDay / 1000) / 86400.0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.ms);
    EXPECT_DOUBLE_EQ(MsToDateTime(r.ms), r.days);
  }
}

TEST(TickToDateTime, StampsAheadOnlyWithinADayAcrossTheWrap) {
  const TDateTime now = At(2026, 12, 10, 9, 0);
  struct Row {
    const char* name;
    uint32_t stamp, nowTick;
    TDateTime want;
  };
  const Row rows[] = {
      {"now", 5 * kHour, 5 * kHour, now},
      {"a minute ago", 5 * kHour - kMin, 5 * kHour, At(2026, 12, 10, 8, 59)},
      {"next break in 49 minutes", 5 * kHour + 50 * kMin, 5 * kHour, At(2026, 12, 10, 9, 50)},
      {"tick 0: the computer's start", 0, 5 * kHour, At(2026, 12, 10, 4, 0)},
      {"two minutes ago, before the wrap", 0u - 2 * kMin, kMin, At(2026, 12, 10, 8, 57)},
      {"a minute ahead, after the wrap", 0u, 0u - kMin, At(2026, 12, 10, 9, 1)},
      {"a day ahead is in the past", 5 * kHour + kDay, 5 * kHour, now - MsToDateTime(0u - kDay)},
      {"just under a day ahead", 5 * kHour + kDay - kMin, 5 * kHour, At(2026, 12, 11, 8, 59)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(Show(TickToDateTime(r.stamp, r.nowTick, now)), Show(r.want));
  }
}

TEST(TickToDateTime, TakesNowFromTheClock) {
  FakeClock clock;  // 2026-12-10 09:00 at tick 1000000
  EXPECT_EQ(Show(ClockNow()), "2026-12-10 09:00:00.000");
  EXPECT_EQ(Show(TickToDateTime(clock.tick - 90 * kMin)), "2026-12-10 07:30:00.000");
  EXPECT_EQ(Show(TickToDateTime(clock.tick + 50 * kMin)), "2026-12-10 09:50:00.000");
}

TEST(DateTimeConversion, RoundTripsToTheMillisecond) {
  const SYSTEMTIME rows[] = {
      {1899, 12, 6, 30, 0, 0, 0, 0},
      {2026, 12, 4, 10, 9, 0, 0, 0},
      {2024, 2, 4, 29, 23, 59, 59, 999},
      {2000, 1, 6, 1, 0, 0, 0, 1},
  };
  for (const SYSTEMTIME& st : rows) {
    SYSTEMTIME back = DateTimeToSystemTime(SystemTimeToDateTime(st));
    SCOPED_TRACE(st.wYear);
    EXPECT_EQ(back.wYear, st.wYear);
    EXPECT_EQ(back.wMonth, st.wMonth);
    EXPECT_EQ(back.wDay, st.wDay);
    EXPECT_EQ(back.wHour, st.wHour);
    EXPECT_EQ(back.wMinute, st.wMinute);
    EXPECT_EQ(back.wSecond, st.wSecond);
    EXPECT_EQ(back.wMilliseconds, st.wMilliseconds);
  }
  EXPECT_DOUBLE_EQ(SystemTimeToDateTime({1899, 12, 6, 30, 0, 0, 0, 0}), 0);
  EXPECT_DOUBLE_EQ(SystemTimeToDateTime({1900, 1, 1, 1, 12, 0, 0, 0}), 2.5);
}

// The formats of the zh_CN locale, under which the tests run.
TEST(DateTimeFormat, ChineseLocaleWithoutSeconds) {
  struct Row {
    TDateTime dt;
    const wchar_t *date, *time, *timeNoSeconds, *both;
  };
  const Row rows[] = {
      {At(2026, 12, 10, 9, 5, 42), L"2026/12/10", L"09:05:42", L"09:05", L"2026/12/10 09:05"},
      {At(2027, 1, 2, 23, 59, 59), L"2027/1/2", L"23:59:59", L"23:59", L"2027/1/2 23:59"},
      {At(2026, 12, 10, 0, 0), L"2026/12/10", L"00:00:00", L"00:00", L"2026/12/10 00:00"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(Show(r.dt));
    EXPECT_EQ(Narrow(DateToStr(r.dt)), Narrow(r.date));
    EXPECT_EQ(Narrow(TimeToStr(r.dt)), Narrow(r.time));
    EXPECT_EQ(Narrow(TimeToStr(r.dt, false)), Narrow(r.timeNoSeconds));
    EXPECT_EQ(Narrow(DateTimeToStrNoSeconds(r.dt)), Narrow(r.both));
  }
}

// A 12-hour format keeps its marker when the seconds are left out, and a duration never shows one.
TEST(DateTimeFormat, TwelveHourLocaleKeepsItsMarker) {
  const LCID enUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
  const TDateTime dt = At(2026, 12, 10, 21, 5, 42);
  EXPECT_EQ(Narrow(TimeToStr(dt, true, enUS)), "9:05:42 PM");
  EXPECT_EQ(Narrow(TimeToStr(dt, false, enUS)), "9:05 PM");
  EXPECT_EQ(Narrow(DateTimeToStrNoSeconds(dt, enUS)), "12/10/2026 9:05 PM");
  EXPECT_EQ(Narrow(DurationToStr(13 * kHour + 5 * kMin, enUS)), "13:05");
}

TEST(DurationToStr, HoursAndMinutesOfTheDayPart) {
  struct Row {
    uint32_t ms;
    const wchar_t* text;
  };
  const Row rows[] = {
      {5 * kMin, L"00:05"},
      {5 * kMin + 59999, L"00:05"},
      {2 * kHour + 5 * kMin, L"02:05"},
      {13 * kHour, L"13:00"},
      {kDay + 2 * kHour + 5 * kMin, L"02:05"},  // whole days are not shown
      {0, L"00:00"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.ms);
    EXPECT_EQ(Narrow(DurationToStr(r.ms)), Narrow(r.text));
  }
}

// The history lines of a recorded cycle, as the statistics window prints them.
TEST(EventLogLine, LinesOfARecordedCycle) {
  FakeClock clock;  // 2026-12-10 09:00 at tick 1000000
  const uint32_t t0 = clock.tick;
  TEventLog log;
  log.RecordEvent(true, true, 0, ekAppStart, true);
  clock.Advance(12 * kMin);
  clock.Input();
  clock.Advance(kMin);
  log.RecordEvent(false, true, 0, ekIdle, false);
  clock.Advance(2 * kMin);
  log.RecordEvent(false, false, 0, ekIdle, true, 3);
  log.RecordEvent(false, true, 16, ekIdleBonus, true);
  clock.Advance(50 * kMin);
  log.RecordEvent(false, true, 0, ekCountdown, true);
  clock.Advance(30000);
  log.RecordEvent(false, true, 2, ekApplyExtension, true);
  clock.Advance(150000);
  log.RecordEvent(false, true, 0, ekScheduledBreak, true);
  clock.Advance(5 * kMin + 12000);
  log.RecordEvent(false, false, 100, ekAnyBreak, true);
  log.RecordEvent(true, true, 0, ekNewCycle, true);
  clock.Advance(20 * kMin);
  log.RecordEvent(false, true, 0, ekManualBreak, true);
  clock.Advance(2 * kMin);
  log.RecordEvent(false, false, 140, ekAnyBreak, true);
  log.RecordEvent(false, true, 0, ekAnyPower, true);  // a selector opened by mistake has no text

  const wchar_t* want[] = {
      L"程序开始运行: 2026/12/10 09:00",
      L"开始空闲时间: 2026/12/10 09:12 至 2026/12/10 09:15, 约00:03",
      L"空闲补时: 2026/12/10 09:15, 约16 分钟",
      L"休息倒计时: 2026/12/10 10:05",
      L"申请延长工作时间: 2026/12/10 10:05, 约2 分钟",
      L"计划内强制休息: 2026/12/10 10:08 至 2026/12/10 10:13, 约00:05",
      L"开始新的休息周期: 2026/12/10 10:13",
      L"手动强制休息: 2026/12/10 10:33 至 2026/12/10 10:35, 约00:02, (40% 未完成!)",
      L": 2026/12/10 10:35",
  };
  std::vector<std::wstring> lines;
  for (const auto& c : log.Cycles())
    for (const auto& e : c) lines.push_back(EventLogLine(e.Kind, e.StartTick, e.Value, e.EndTick));
  ASSERT_EQ(lines.size(), std::size(want));
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Narrow(lines[i]), Narrow(want[i]));
  EXPECT_EQ(log.Cycles()[0][0].StartTick, t0);
}

TEST(EventLogLine, TailsByEndAndValue) {
  const uint32_t now = 30 * kHour;
  const TDateTime nowDt = At(2026, 12, 11, 11, 30);
  const uint32_t s = now - 27 * kHour;  // 2026-12-10 8:30
  struct Row {
    uint8_t kind, value;
    uint32_t end;
    const wchar_t* line;
  };
  const Row rows[] = {
      {ekApplyExtension, 2, 0, L"申请延长工作时间: 2026/12/10 08:30, 约2 分钟"},
      {ekIdleBonus, 98, 0, L"空闲补时: 2026/12/10 08:30, 约98 分钟"},
      {ekManualStandBy, 99, 0, L"手动待机: 2026/12/10 08:30"},
      {ekScheduledBreak, 130, 0, L"计划内强制休息: 2026/12/10 08:30"},
      {ekScheduledBreak, 100, s + 5 * kMin, L"计划内强制休息: 2026/12/10 08:30 至 2026/12/10 08:35, 约00:05"},
      {ekScheduledBreak, 101, s + 5 * kMin,
       L"计划内强制休息: 2026/12/10 08:30 至 2026/12/10 08:35, 约00:05, (1% 未完成!)"},
      {ekManualStandBy, 99, s + 26 * kHour,
       L"手动待机: 2026/12/10 08:30 至 2026/12/11 10:30, 约02:00"},  // a day and more: only its time of day
      {ekDisplayOff, 0, 0, L"关闭显示器: 2026/12/10 08:30"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(Narrow(r.line));
    EXPECT_EQ(Narrow(EventLogLine(r.kind, s, r.value, r.end, now, nowDt)), Narrow(r.line));
  }
}

// Stamps and durations across the 32-bit wrap of the tick count.
TEST(EventLogLine, AcrossTheTickWrap) {
  const uint32_t now = 2 * kMin;  // two minutes after the wrap
  const TDateTime nowDt = At(2026, 12, 10, 9, 0);
  const uint32_t start = 0u - 8 * kMin;  // 8 minutes before the wrap
  EXPECT_EQ(Narrow(EventLogLine(ekScheduledBreak, start, 100, start + 5 * kMin, now, nowDt)),
            Narrow(L"计划内强制休息: 2026/12/10 08:50 至 2026/12/10 08:55, 约00:05"));
}

}  // namespace
