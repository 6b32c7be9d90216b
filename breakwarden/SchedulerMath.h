#pragma once
// The break scheduler's arithmetic and its once-a-minute step, without windows: the main window
// keeps a TSchedulerState, calls SchedulerMinute from its minute timer and carries out the
// actions it returns, in order.
#include <cstdint>
#include <optional>
#include <vector>

#include "BreakPlans.h"
#include "DisplayZoom.h"  // TRemindKind

// Which setting picks the reminder's window (small, centre or none).
enum class TRemindChooser : uint8_t { Once, Hour, BreakHint };
TRemindChooser RemindChooserFor(TRemindKind kind);

// num / den rounded to the nearest integer, halves to even, without floating point; den > 0.
long long RoundDivHalfEven(long long num, long long den);

// The length of a fresh work period: BreakInterval - 1, never 0 (0 means no work period).
uint8_t FullPeriodMins(const TBreakPlan& plan);
// Minutes left of the work period; 0 once it has run out.
uint8_t MinsToBreak(uint8_t workMins, uint8_t minsPassed);
// How much of a work interval is done, in percent, for the tiredness figures. breakInterval is
// that of the plan selected in the settings, which may be shorter than the running period.
int WorkDonePercent(uint8_t breakInterval, uint8_t minsToBreak);

// Factor rows of "我操作电脑的情形：" ("操作频度较高", "操作频度一般", "操作频度较低").
constexpr int kDefaultFrequencyItem = 1;
// Work minutes credited for an idle stretch. A frequency item that is none of the three rows
// (typed text) counts as "操作频度一般".
uint16_t IdleBonusMins(uint16_t idle, const TBreakPlan& plan, int frequencyItem);

struct TNextPeriod {
  uint8_t Minutes;   // the new work period, at least 1
  uint8_t LogKind;   // ekIdleReset, ekIdleBonus or ekIdleResetFull
  uint8_t LogValue;  // the credit for ekIdleBonus
  bool KeepBonus;    // the coming period keeps LastIdleBonus
};
// The work period that follows an idle stretch: what was left of the running one plus the
// credit, measured from the period's start by the clock, never longer than a full period.
TNextPeriod NextPeriodAfterIdle(bool reset, uint16_t bonus, const TBreakPlan& plan, uint8_t workMins,
                                uint32_t periodStartTick, uint32_t nowTick);
// Minutes since the last tick with input in which no tick came at all (a suspended system).
uint16_t MissedMins(uint32_t nowTick, uint32_t lastActiveTick, uint16_t idleMins);
// The tiredness carried over an idle stretch shorter than the reset: it fades with the stretch.
uint16_t TiredCarryAfterIdle(uint16_t carry, uint16_t idleMins, uint8_t idleMinsResetCycle);

// The countdown window runs unseen in the free and the password mode when that mode's box
// "不显示最后一分钟倒计时界面" is checked.
bool CountdownRunsHidden(TBreakMode mode, bool freeModeBox, bool passwordModeBox);
// The reminder of the coming break at this tick of a work period, if any.
std::optional<TRemindKind> BreakReminderAt(uint8_t minsPassed, uint8_t minsLeft, uint16_t lastIdleBonus,
                                           bool countdownHidden);

struct TClockRemindSettings {
  bool Once1 = false;
  int Once1Hour = -1, Once1Min = -1;  // -1: the list holds no number
  bool Once2 = false;
  int Once2Hour = -1, Once2Min = -1;
  bool OnHour = true;
  bool OnHalfHour = false;
};
// The alarms and chimes due at this wall-clock minute, in the order they are shown.
std::vector<TRemindKind> ClockReminders(int hour, int minute, const TClockRemindSettings& settings);

// The scheduler's fields of the main window and its unit globals (the break state FBreakState
// stays with the main window; the step takes it as TMinuteInput::Working).
struct TSchedulerState {
  uint8_t FWorkMins = 0;    // 0: no work period (during a break)
  uint8_t FMinsPassed = 0;  // ticks since the period started
  uint16_t FIdleMins = 0;
  uint32_t FPeriodStartTick = 0;
  uint16_t LastIdleBonus = 999;  // 999: a fresh period
  bool ResetBonusOnStart = true;
  uint16_t TiredCarry = 0;
  uint32_t LastInputSeen = 0;  // the last-input tick at the previous check
  uint32_t LastActiveTick = 0;
  bool IdleEntryOpen = false;  // the idle stretch's log entry waits for its end
};
void StartWorkPeriod(TSchedulerState& s, uint8_t minutes, uint32_t nowTick);
// Restarts the idle count; the caller (re)starts the minute timer with it.
void StartIdleWatch(TSchedulerState& s, uint32_t nowTick, uint32_t lastInputTick);
// The tick at which the current work period ends, with the countdown's minute.
uint32_t NextBreakTick(const TSchedulerState& s);

// The settings the minute step reads, taken from the settings dialog at the tick.
struct TSchedulerSettings {
  TBreakPlan Plan;  // the plan in force
  int FrequencyItem = kDefaultFrequencyItem;
  TClockRemindSettings Clock;  // read by the alarm and chime check (ClockReminders), not by the step
  bool CountdownHidden = false;  // CountdownRunsHidden for the mode in force
  int ScrIdleMins = 2;
  bool SelfScrDisabled = false;
  int DisplayOffIdleMins = 10;
  bool DisplayOffEnabled = false;
  int SuspendIdleMins = 30;
  bool SuspendEnabled = false;
  int StandByOrSleep = 0;  // 0 stand-by, 1 hibernate
  // Read by the window side, not by the step: the reminder windows' types (0 small, 1 centre,
  // -1 none) and the plan selected in the settings, which the tiredness figures use.
  int OnceWindow = 1, HourWindow = 1, BreakHintWindow = 0;
  TBreakPlan SelectedPlan;
  bool Laptop = false;  // cbxHarwareIsLaptop: the power broadcasts' rules
};

struct TMinuteInput {
  uint32_t Tick;           // GetTickCount
  uint32_t LastInputTick;  // GetLastInputInfo
  bool Working = true;     // FBreakState is stWorking
};

enum class TTickAction : uint8_t {
  Remind,             // ShowRemindWindow with the kind's chooser
  Log,                // RecordEvent in the current cycle
  LaunchScreenSaver,  // the own screen-saver rule, unless a screen saver already runs
  DisplayOff,
  StandBy,
  Hibernate,
  BreakTimer,  // the work period is over: open the countdown
};
struct TTickEvent {
  TTickAction Action;
  uint8_t Kind = 0;       // Remind: TRemindKind; Log: TEventKind
  uint8_t Value = 0;      // Log
  bool NewEntry = true;   // Log: open a new entry, or close the kind's last one
  uint32_t Stamp = 0;     // Log: the tick count, or the last input for an idle stretch
  uint16_t IdleMins = 0;  // Log: the idle minutes that end an idle stretch
  bool operator==(const TTickEvent&) const = default;
};

// One tick of the minute timer: updates the state and returns what the window side must do.
// Alarms and chimes are not part of it: they follow the wall clock (ClockReminders), since the
// minute timer stops while the countdown runs.
std::vector<TTickEvent> SchedulerMinute(TSchedulerState& s, const TMinuteInput& in, const TSchedulerSettings& cfg);
