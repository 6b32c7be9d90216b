#pragma once
// The statistics window's figures and texts, without windows: from the event log's cycles, the
// scheduler's state, the plans and the clock to every text the window shows.
#include <cstdint>
#include <string>
#include <vector>

#include "BreakPlans.h"
#include "EventLog.h"

// "休息统计(供参考)-[当前方案:每隔50分钟休息5分钟，当前模式:自由模式]"
std::wstring StatCaption(const TBreakPlan& planInForce, const std::wstring& modeName);
// The first checked mode item in the order free, password, interference; else the enforce mode.
std::wstring StatModeName(bool freeChecked, bool passwordChecked, bool interferenceChecked);

// A duration as whole days, "天 " and the rest as hours and minutes ("1天 2:05").
std::wstring StatDuration(uint64_t ms);
// Whole days of a duration.
uint32_t StatDayCount(uint64_t ms);
// A span from switching on to the program's start, as hours, minutes and seconds.
std::wstring StatStartSpeed(uint64_t ms);

// What the top of the window shows. Points in time are the locale's date and time without seconds.
struct TStatBasic {
  std::wstring PCStart, PCTimeUsed, AppStartTime, AppTimeUsed, SysStartSpeed;
  std::wstring BreakPrev, BreakNext;
  uint32_t BreakCount = 0, Uncompleted = 0;
};
struct TStatClock {
  uint32_t Tick = 0;    // GetTickCount
  uint64_t Tick64 = 0;  // GetTickCount64: the computer's run time beyond 49.7 days
  TDateTime Now = 0;    // local wall-clock time
  // The program-start entry's tick on the 64-bit count (TEventLog::AppStartTick64), so that the
  // program's run time and start hold beyond 49.7 days too.
  uint64_t AppStart64 = 0;
};
// nextBreak: when the running work period ends (TfrmMain.NextBreakTime).
TStatBasic StatBasicFigures(const std::vector<TEventCycle>& cycles, TDateTime nextBreak, const TStatClock& clock);

// Breaks taken: one cycle per real break after the first.
uint32_t StatBreakCount(const std::vector<TEventCycle>& cycles);
// Cycles before the current one whose break entry was closed with part of the break left over.
uint32_t StatUncompletedCount(const std::vector<TEventCycle>& cycles);

// Rest in ms: one break of the selected plan as a start, plus the time covered by idle stretches,
// breaks and successful stand-by or hibernation outside a break. Spans that overlap (an idle
// stretch cut by a suspend holds the suspend's minutes too) count once; open entries count nothing.
uint64_t StatRestMs(const std::vector<TEventCycle>& cycles, uint8_t breakMins, uint32_t nowTick);
// 0..100 from the share of rest in the run time, in exact integer arithmetic: 40 for no rest,
// 60 at a tenth, 100 from a half; a run time of 0 scores 100.
int RestScore(uint64_t restMs, uint64_t elapsedMs);
// " (饱满)" ... " (严重超标!)" for a tiredness index.
std::wstring TiredRating(int index);
// The health score from the tiredness bar's position (0..200) and the rest score.
int HealthScore(int barPosition, int restScore);
struct TStatVerdict {
  const wchar_t* Status;
  const wchar_t* Advice;
};
TStatVerdict HealthVerdict(int score);

struct TStatHealth {
  int Index = 0;        // the tiredness index, unbounded
  int BarPosition = 0;  // the index held within 0..200
  std::wstring IndexText;
  int RestScore = 0;
  int Score = 0;
  std::wstring ScoreText, Status, Advice;
};
// workDonePercent: the share of the running work interval done; tiredCarry: the tiredness carried.
TStatHealth StatHealthFigures(const std::vector<TEventCycle>& cycles, uint8_t selectedBreakMins, int workDonePercent,
                              uint16_t tiredCarry, const TStatClock& clock);

// The caption of the page switch for a page: "111000000", "000111000", "000000111".
std::wstring StatSwitchCaption(int page);
