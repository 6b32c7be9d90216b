#include "StatFigures.h"

#include <algorithm>

#include "SchedulerMath.h"
#include "Text.h"

namespace {

constexpr uint64_t kMsPerDay = 86400000;

// A duration of any length as a TDateTime span (whole days plus the time of day, ms dropped).
TDateTime SpanToDateTime(uint64_t ms) {
  return double(ms / kMsPerDay) + double(ms % kMsPerDay / 1000) / 86400.0;
}

// The program's run time so far on the 64-bit count; 0 before the program-start entry.
uint64_t AppRunMs(const std::vector<TEventCycle>& cycles, const TStatClock& clock) {
  const bool started = !cycles.empty() && !cycles.front().empty() && cycles.front().front().Kind == ekAppStart;
  return started && clock.Tick64 > clock.AppStart64 ? clock.Tick64 - clock.AppStart64 : 0;
}

bool CountsAsRest(const TEventEntry& e) {
  switch (e.Kind) {
    case ekIdle:
    case ekScheduledBreak:
    case ekManualBreak: return true;
    // A power event that fell into a break is already inside the break's span.
    case ekExtStandBy:
    case ekManualStandBy:
    case ekExtHibernate:
    case ekManualHibernate: return e.Value != 99;
    default: return false;
  }
}

}  // namespace

std::wstring StatCaption(const TBreakPlan& plan, const std::wstring& modeName) {
  return L"休息统计(供参考)-[当前方案:每隔" + IntToStr(plan.BreakInterval) + L"分钟休息" + IntToStr(plan.BreakMins) +
         L"分钟，当前模式:" + modeName + L"]";
}

std::wstring StatModeName(bool freeChecked, bool passwordChecked, bool interferenceChecked) {
  if (freeChecked) return BreakModeName(bmFree);
  if (passwordChecked) return BreakModeName(bmPassword);
  if (interferenceChecked) return BreakModeName(bmInterference);
  return BreakModeName(bmEnforce);
}

uint32_t StatDayCount(uint64_t ms) { return uint32_t(ms / kMsPerDay); }

std::wstring StatDuration(uint64_t ms) {
  return IntToStr(StatDayCount(ms)) + L"天 " + DurationToStr(uint32_t(ms % kMsPerDay));
}

std::wstring StatStartSpeed(uint64_t ms) {
  SYSTEMTIME st = DateTimeToSystemTime(MsToDateTime(uint32_t(ms % kMsPerDay)));
  wchar_t buf[64];
  const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, &st, nullptr, buf, 64);
  return n > 0 ? std::wstring(buf, n - 1) : std::wstring();
}

uint32_t StatBreakCount(const std::vector<TEventCycle>& cycles) {
  return cycles.empty() ? 0 : uint32_t(cycles.size() - 1);
}

uint32_t StatUncompletedCount(const std::vector<TEventCycle>& cycles) {
  uint32_t n = 0;
  // The current cycle's break, if any, is not closed yet.
  for (size_t c = 0; c + 1 < cycles.size(); ++c) {
    // The break entry itself: the tick runs on during a break, so a screen-saver, display or
    // power entry may follow it in its cycle.
    for (size_t i = cycles[c].size(); i-- > 0;) {
      const TEventEntry& e = cycles[c][i];
      if (e.Kind == ekScheduledBreak || e.Kind == ekManualBreak) {
        if (e.Value > 100) ++n;
        break;
      }
    }
  }
  return n;
}

TStatBasic StatBasicFigures(const std::vector<TEventCycle>& cycles, TDateTime nextBreak, const TStatClock& clock) {
  TStatBasic b;
  b.PCTimeUsed = StatDuration(clock.Tick64);
  b.PCStart = DateTimeToStrNoSeconds(clock.Now - SpanToDateTime(clock.Tick64));
  const uint64_t appRun = AppRunMs(cycles, clock);
  b.AppStartTime = DateTimeToStrNoSeconds(clock.Now - SpanToDateTime(appRun));
  b.SysStartSpeed = StatStartSpeed(clock.Tick64 - appRun);
  b.AppTimeUsed = StatDuration(appRun);
  b.BreakCount = StatBreakCount(cycles);
  b.BreakPrev = L"无";
  if (cycles.size() > 1) {
    const TEventCycle& prev = cycles[cycles.size() - 2];
    for (size_t i = prev.size(); i-- > 0;) {
      if (prev[i].Kind == ekScheduledBreak || prev[i].Kind == ekManualBreak) {
        b.BreakPrev = DateTimeToStrNoSeconds(TickToDateTime(prev[i].StartTick, clock.Tick, clock.Now));
        break;
      }
    }
  }
  b.Uncompleted = StatUncompletedCount(cycles);
  b.BreakNext = TimeToStr(nextBreak, false);
  return b;
}

uint64_t StatRestMs(const std::vector<TEventCycle>& cycles, uint8_t breakMins, uint32_t nowTick) {
  // Spans placed against now, signed, so that the tick count's wrap falls out of the arithmetic.
  struct Span {
    int64_t from, to;
  };
  std::vector<Span> spans;
  for (const TEventCycle& c : cycles)
    for (const TEventEntry& e : c) {
      if (e.EndTick == 0 || !CountsAsRest(e)) continue;
      const int64_t from = int32_t(e.StartTick - nowTick);
      spans.push_back({from, from + int64_t(uint32_t(e.EndTick - e.StartTick))});
    }
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
  uint64_t rest = uint64_t(breakMins) * 60000;
  int64_t coveredTo = INT64_MIN;
  for (const Span& s : spans) {
    const int64_t from = std::max(s.from, coveredTo);
    if (s.to > from) {
      rest += uint64_t(s.to - from);
      coveredTo = s.to;
    }
  }
  return rest;
}

int RestScore(uint64_t restMs, uint64_t elapsedMs) {
  if (elapsedMs == 0) return 100;
  const long long r = (long long)restMs, e = (long long)elapsedMs;
  if (10 * r < e)  // below a tenth: 60 - Round((0.1 - x) x 200)
    return std::max(0, 60 - int(RoundDivHalfEven(20 * e - 200 * r, e)));
  // Round((x - 0.1) x 100) + 60, at most 100; ratios far above a half are cut first.
  if (r >= e) return 100;
  return std::min(100, int(RoundDivHalfEven(100 * r - 10 * e, e)) + 60);
}

std::wstring TiredRating(int t) {
  if (t <= 5) return L" (饱满)";
  if (t < 50) return L" (健康)";
  if (t == 50) return L" (中值)";
  if (t < 100) return L" (正常)";
  if (t == 100) return L" (临界)";
  if (t < 150) return L" (超标!)";
  return L" (严重超标!)";
}

int HealthScore(int barPosition, int restScore) {
  // Round((100 - b) x 0.2 + r x 0.8) in integers: a fifth is never a half.
  return int(RoundDivHalfEven(100 - barPosition + 4LL * restScore, 5));
}

TStatVerdict HealthVerdict(int score) {
  if (score >= 90) return {L"很好", L"暂无建议。"};
  if (score >= 80) return {L"良好", L"暂无建议。"};
  if (score >= 70) return {L"中等", L"建议视情况适当增加休息！"};
  if (score >= 60) return {L"偏低", L"建议增加休息以保持最佳状态！"};
  if (score >= 45) return {L"较差", L"你现在很需要较多的休息！"};
  return {L"很差", L"强烈建议你安排全面休息！"};
}

TStatHealth StatHealthFigures(const std::vector<TEventCycle>& cycles, uint8_t selectedBreakMins, int workDonePercent,
                              uint16_t tiredCarry, const TStatClock& clock) {
  TStatHealth h;
  const uint64_t rest = StatRestMs(cycles, selectedBreakMins, clock.Tick);
  h.Index = workDonePercent + tiredCarry;
  h.BarPosition = std::clamp(h.Index, 0, 200);
  h.IndexText = IntToStr(h.Index) + TiredRating(h.Index);
  h.RestScore = RestScore(rest, AppRunMs(cycles, clock));
  h.Score = HealthScore(h.BarPosition, h.RestScore);
  h.ScoreText = IntToStr(h.Score) + L"分";
  const TStatVerdict v = HealthVerdict(h.Score);
  h.Status = v.Status;
  h.Advice = v.Advice;
  return h;
}

std::wstring StatSwitchCaption(int page) {
  switch (page) {
    case 1: return L"000111000";
    case 2: return L"000000111";
    default: return L"111000000";
  }
}
