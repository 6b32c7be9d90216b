#pragma once
// The power rules without a window: what a power broadcast asks of the program, which entry a
// resume closes and what the sleep takes off a break, and what a stand-by or hibernation request
// logs.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "EventLog.h"

inline constexpr wchar_t kSuspendQuestion[] = L"系统正准备挂机,要继续吗?";

// What the program does for one WM_POWERBROADCAST.
struct TPowerBroadcastActions {
  LRESULT Result = TRUE;      // BROADCAST_QUERY_DENY when the user said No
  uint8_t LogKind = ekNone;   // a new entry of this kind
  bool StartBreak = false;    // the countdown's "马上休息": the time asleep counts toward the break
  bool Resumed = false;       // flag off, the sleep's entry closed, the break shortened
};
// state: the scheduler's; laptop: cbxHarwareIsLaptop; selfSuspending: the program's own request.
// userAgrees is asked only where the suspend question is put.
TPowerBroadcastActions PowerBroadcastActions(WPARAM event, uint8_t state, bool laptop, bool selfSuspending,
                                             const std::function<bool()>& userAgrees);

// A stand-by or hibernation entry still open (EndTick 0) as the cycle's last power entry: the
// sleep a resume ends. Failed kinds, closed entries and a cycle without one give nullptr, and then
// a resume changes nothing.
const TEventEntry* OpenSleepEntry(const TEventCycle& cycle);
bool IsSleepSuccessKind(uint8_t kind);
// Seconds between the opening and the closing of the cycle's last power entry (0: none).
uint32_t PowerEventSeconds(const TEventCycle& cycle);
// A break's seconds left after asleepSeconds of sleep, never below 0.
int RemainingAfterSleep(int remaining, uint32_t asleepSeconds);

// What LetSysStandBy and LetSysSleep ask, log and request.
struct TSleepRequest {
  const wchar_t* Question;  // nullptr: not asked
  uint8_t LogKind;          // logged before the request; ekNone: nothing
  uint8_t FailedKind;       // logged when refused; ekNone: nothing
  BOOL Suspend;             // SetSystemPowerState's first argument: TRUE stand-by, FALSE hibernation
};
TSleepRequest SleepRequest(bool standBy, bool silent, bool ask);
