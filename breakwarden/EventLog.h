#pragma once
// The in-memory log of the work cycles, and the conversions between tick-count stamps and
// wall-clock date-time values that the log and the reminder windows use.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Days since 1899-12-30, the time of day as the fraction, as the classic run-time keeps it.
using TDateTime = double;

enum TEventKind : uint8_t {
  ekAppStart = 0,
  ekNewCycle = 1,
  ekAnyBreak = 2,  // selector only: the last ekScheduledBreak or ekManualBreak
  ekNone = 3,      // marker only: nothing is logged (previews)
  ekApplyExtension = 4,
  ekIdleBonus = 5,
  ekIdleReset = 6,
  ekIdleResetFull = 7,
  ekIdle = 8,
  ekPreBreakHint = 9,
  ekCountdown = 10,
  ekScheduledBreak = 11,
  ekManualBreak = 12,
  ekAutoScreenSaver = 13,
  ekManualScreenSaver = 14,
  ekDisplayOff = 15,
  ekAnyPower = 16,  // selector only: the last entry of kinds 17..28
  // Each power kind is followed by its "failed" kind (code + 1).
  ekExtStandBy = 17,
  ekExtStandByFailed = 18,
  ekAutoStandBy = 19,
  ekAutoStandByFailed = 20,
  ekManualStandBy = 21,
  ekManualStandByFailed = 22,
  ekExtHibernate = 23,
  ekExtHibernateFailed = 24,
  ekAutoHibernate = 25,
  ekAutoHibernateFailed = 26,
  ekManualHibernate = 27,
  ekManualHibernateFailed = 28,
};

// The kind's log text; selectors, markers and unknown codes have none.
std::wstring EventKindText(uint8_t kind);

struct TEventEntry {
  uint16_t StartSeq = 0;
  uint8_t Kind = 0;
  uint32_t StartTick = 0;  // for ekIdle: the time of the last input
  uint16_t EndSeq = 0;     // 0 while open
  uint32_t EndTick = 0;    // 0 = open, or an instant event
  // 0 none; 1..98 minutes; 99 a power event during a break; 100 + percent of a break left over.
  uint8_t Value = 0;
};
using TEventCycle = std::vector<TEventEntry>;

constexpr uint16_t kNoEvent = 0xFFFF;

// The cycles of the run: cycle 0 opens with ekAppStart, every real break's end opens the next
// one with ekNewCycle. Entries are only appended to, and closed in, the last cycle.
class TEventLog {
 public:
  // stamp: the tick of the event (GetTickCount, or the last input for an idle stretch).
  // idleMins: the idle minutes counted so far; closing ekIdle ends it that many minutes after
  // its start rather than at the closing call.
  // A call before the first cycle exists, or with ekNone, logs nothing.
  void RecordEventAt(bool newCycle, bool newEntry, uint8_t value, uint8_t kind, uint32_t stamp,
                     uint16_t idleMins = 0);
  // The same, stamped from the clock: the tick count when useTick, else the last input.
  void RecordEvent(bool newCycle, bool newEntry, uint8_t value, uint8_t kind, bool useTick,
                   uint16_t idleMins = 0);

  // Index of the last entry of that kind in the cycle (open or closed), or kNoEvent.
  uint16_t FindLastEvent(size_t cycle, uint8_t kind) const;
  // Whether the last entry of that kind in the last cycle is still open.
  bool LastEventOpen(uint8_t kind) const;

  const std::vector<TEventCycle>& Cycles() const { return FCycles; }
  uint16_t EventSeq() const { return FEventSeq; }
  // The program-start entry, or nullptr before it is logged.
  const TEventEntry* AppStartEntry() const;
  // The program-start entry's stamp on the 64-bit count (GetTickCount64), which the run's length
  // is taken from: the 32-bit stamps wrap after 49.7 days.
  uint64_t AppStartTick64() const { return FAppStartTick64; }

 private:
  std::vector<TEventCycle> FCycles;
  uint16_t FEventSeq = 0;
  uint64_t FAppStartTick64 = 0;
};

// Time conversions. A stamp is a GetTickCount value; the 32-bit count wraps after 49.7 days, so
// differences are taken unsigned and a stamp counts as ahead of now only when it lies less than a
// day ahead.
TDateTime MsToDateTime(uint32_t ms);
TDateTime TickToDateTime(uint32_t stamp, uint32_t nowTick, TDateTime now);
TDateTime TickToDateTime(uint32_t stamp);  // now and the tick count from the clock
TDateTime ClockNow();                      // the clock's local time

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);
SYSTEMTIME DateTimeToSystemTime(TDateTime dt);  // to the nearest millisecond

// Formats in the user's locale. The seconds are left out by the locale's own formats, so a
// 12-hour format keeps its marker.
std::wstring DateToStr(TDateTime dt, LCID locale = LOCALE_USER_DEFAULT);  // short date
std::wstring TimeToStr(TDateTime dt, bool withSeconds = true, LCID locale = LOCALE_USER_DEFAULT);
std::wstring DateTimeToStrNoSeconds(TDateTime dt, LCID locale = LOCALE_USER_DEFAULT);
// A duration's time of day (whole days are left out) as hours and minutes, always 24-hour.
std::wstring DurationToStr(uint32_t ms, LCID locale = LOCALE_USER_DEFAULT);

// One history line of the statistics window.
std::wstring EventLogLine(uint8_t kind, uint32_t startTick, uint8_t value, uint32_t endTick);
// The same with the stamps placed against a given now (tests, and one refresh of many lines).
std::wstring EventLogLine(uint8_t kind, uint32_t startTick, uint8_t value, uint32_t endTick,
                          uint32_t nowTick, TDateTime now);
