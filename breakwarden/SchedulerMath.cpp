#include "SchedulerMath.h"

#include "EventLog.h"

namespace {

constexpr uint32_t kMsPerMin = 60000;

// The credit factor in hundredths, by frequency row and idle minutes 1..4.
constexpr int kIdleFactors[3][4] = {
    {25, 45, 80, 100},  // "操作频度较高"
    {10, 30, 65, 90},   // "操作频度一般"
    {5, 15, 50, 80},    // "操作频度较低"
};

TTickEvent Remind(TRemindKind kind) { return {TTickAction::Remind, kind}; }
TTickEvent Log(uint8_t kind, uint8_t value, uint32_t stamp) { return {TTickAction::Log, kind, value, true, stamp}; }

uint16_t AddSaturated(uint16_t a, uint32_t b) { return uint16_t(a + b > 0xFFFF ? 0xFFFF : a + b); }

}  // namespace

TRemindChooser RemindChooserFor(TRemindKind kind) {
  switch (kind) {
    case rkRemindOnce1:
    case rkRemindOnce2:
      return TRemindChooser::Once;
    case rkRemindHour:
      return TRemindChooser::Hour;
    default:
      return TRemindChooser::BreakHint;
  }
}

long long RoundDivHalfEven(long long num, long long den) {
  if (num < 0) return -RoundDivHalfEven(-num, den);
  long long q = num / den, r = num % den;
  if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
  return q;
}

uint8_t FullPeriodMins(const TBreakPlan& plan) { return plan.BreakInterval > 1 ? plan.BreakInterval - 1 : 1; }

uint8_t MinsToBreak(uint8_t workMins, uint8_t minsPassed) {
  return workMins > minsPassed ? uint8_t(workMins - minsPassed) : 0;
}

int WorkDonePercent(uint8_t breakInterval, uint8_t minsToBreak) {
  if (breakInterval == 0 || minsToBreak >= breakInterval) return 0;
  return int(RoundDivHalfEven(100LL * (breakInterval - minsToBreak), breakInterval));
}

uint16_t IdleBonusMins(uint16_t idle, const TBreakPlan& plan, int frequencyItem) {
  if (idle >= plan.IdleMinsResetCycle) return FullPeriodMins(plan);
  if (idle == 0) return 0;
  if (idle >= 5) return uint16_t(idle * plan.ExtWorkMinsPerIdle);
  const int row = frequencyItem >= 0 && frequencyItem < 3 ? frequencyItem : kDefaultFrequencyItem;
  return uint16_t(RoundDivHalfEven(1LL * plan.ExtWorkMinsPerIdle * idle * kIdleFactors[row][idle - 1], 100));
}

TNextPeriod NextPeriodAfterIdle(bool reset, uint16_t bonus, const TBreakPlan& plan, uint8_t workMins,
                                uint32_t periodStartTick, uint32_t nowTick) {
  const int full = FullPeriodMins(plan);
  if (reset) return {uint8_t(full), ekIdleReset, 0, false};
  // Signed: a period that ran over by the clock must neither wrap to a long one nor become 0,
  // which would mean no work period at all.
  int left = int(workMins) + bonus - int((nowTick - periodStartTick) / kMsPerMin);
  if (left < 1) left = 1;
  if (full >= left) return {uint8_t(left), ekIdleBonus, uint8_t(bonus > 0xFF ? 0xFF : bonus), true};
  return {uint8_t(full), ekIdleResetFull, 0, false};
}

uint16_t MissedMins(uint32_t nowTick, uint32_t lastActiveTick, uint16_t idleMins) {
  const uint32_t e = (nowTick - lastActiveTick) / kMsPerMin;
  if (e != 0 && idleMins < e) {
    const uint32_t missed = e - idleMins - 1;
    return uint16_t(missed > 0xFFFF ? 0xFFFF : missed);
  }
  return 0;
}

uint16_t TiredCarryAfterIdle(uint16_t carry, uint16_t idleMins, uint8_t idleMinsResetCycle) {
  if (idleMins >= idleMinsResetCycle) return 0;
  return uint16_t(RoundDivHalfEven(1LL * (idleMinsResetCycle - idleMins) * carry, idleMinsResetCycle));
}

bool CountdownRunsHidden(TBreakMode mode, bool freeModeBox, bool passwordModeBox) {
  return (mode == bmFree && freeModeBox) || (mode == bmPassword && passwordModeBox);
}

std::optional<TRemindKind> BreakReminderAt(uint8_t minsPassed, uint8_t minsLeft, uint16_t lastIdleBonus,
                                           bool countdownHidden) {
  if (minsPassed == 1 && minsLeft >= 10) {
    // A period made from a small idle credit does not announce itself.
    if (lastIdleBonus >= 10) return rkNextBreak;
    return std::nullopt;
  }
  if (minsLeft == 5 || minsLeft == 2 || (minsLeft == 1 && countdownHidden)) return rkMinsToBreak;
  return std::nullopt;
}

std::vector<TRemindKind> ClockReminders(int hour, int minute, const TClockRemindSettings& c) {
  std::vector<TRemindKind> r;
  if (c.Once1 && hour == c.Once1Hour && minute == c.Once1Min) r.push_back(rkRemindOnce1);
  if (c.Once2 && hour == c.Once2Hour && minute == c.Once2Min) r.push_back(rkRemindOnce2);
  if ((c.OnHour && minute == 0) || (c.OnHalfHour && minute == 30)) r.push_back(rkRemindHour);
  return r;
}

void StartWorkPeriod(TSchedulerState& s, uint8_t minutes, uint32_t nowTick) {
  s.FWorkMins = minutes;
  s.FMinsPassed = 0;
  if (s.ResetBonusOnStart)
    s.LastIdleBonus = 999;
  else
    s.ResetBonusOnStart = true;
  if (minutes != 0) s.FPeriodStartTick = nowTick;
}

void StartIdleWatch(TSchedulerState& s, uint32_t nowTick, uint32_t lastInputTick) {
  s.FIdleMins = 0;
  s.IdleEntryOpen = false;
  s.LastInputSeen = lastInputTick;
  s.LastActiveTick = nowTick;
}

uint32_t NextBreakTick(const TSchedulerState& s) { return s.FPeriodStartTick + (s.FWorkMins + 1u) * kMsPerMin; }

std::vector<TTickEvent> SchedulerMinute(TSchedulerState& s, const TMinuteInput& in, const TSchedulerSettings& cfg) {
  std::vector<TTickEvent> out;

  ++s.FMinsPassed;
  // The period rules hold only while a work period runs, so the 8-bit counters wrapping during a
  // long break start nothing.
  const bool inPeriod = in.Working && s.FWorkMins != 0;
  const bool periodOver = inPeriod && s.FMinsPassed >= s.FWorkMins;
  if (inPeriod) {
    auto k = BreakReminderAt(s.FMinsPassed, MinsToBreak(s.FWorkMins, s.FMinsPassed), s.LastIdleBonus,
                             cfg.CountdownHidden);
    if (k) out.push_back(Remind(*k));
  }

  const bool input = in.LastInputTick != s.LastInputSeen;
  if (!input) {
    s.FIdleMins = AddSaturated(s.FIdleMins, 1);
    if (s.FIdleMins == 1 && in.Working) {
      out.push_back(Log(ekIdle, 0, in.LastInputTick));
      s.IdleEntryOpen = true;
    }
    if (cfg.ScrIdleMins == s.FIdleMins && !cfg.SelfScrDisabled) out.push_back({TTickAction::LaunchScreenSaver});
    if (cfg.DisplayOffIdleMins == s.FIdleMins && cfg.DisplayOffEnabled) out.push_back({TTickAction::DisplayOff});
    if (cfg.SuspendIdleMins == s.FIdleMins && cfg.SuspendEnabled) {
      if (cfg.StandByOrSleep == 0) out.push_back({TTickAction::StandBy});
      if (cfg.StandByOrSleep == 1) out.push_back({TTickAction::Hibernate});
    }
    // A break due while the user is away is put off minute by minute.
    if (periodOver) StartWorkPeriod(s, 1, in.Tick);
    return out;
  }

  s.LastInputSeen = in.LastInputTick;
  const bool wasIdle = s.FIdleMins != 0;
  s.FIdleMins = AddSaturated(s.FIdleMins, MissedMins(in.Tick, s.LastActiveTick, s.FIdleMins));
  s.LastActiveTick = in.Tick;
  if (s.FIdleMins == 0) {
    if (periodOver) out.push_back({TTickAction::BreakTimer});
    return out;
  }

  // An idle stretch has ended: its entry, when one was opened, is closed whatever the state is now.
  if (wasIdle && s.IdleEntryOpen) {
    s.IdleEntryOpen = false;
    TTickEvent close{TTickAction::Log, ekIdle};
    close.NewEntry = false;
    close.Stamp = in.Tick;
    close.IdleMins = s.FIdleMins;
    out.push_back(close);
  }
  if (inPeriod) {
    const uint16_t b = IdleBonusMins(s.FIdleMins, cfg.Plan, cfg.FrequencyItem);
    s.LastIdleBonus = b;
    if (b == 0) {
      // The idle minutes stay counted as ticks of the period.
      if (periodOver) out.push_back({TTickAction::BreakTimer});
    } else {
      const bool reset = s.FIdleMins >= cfg.Plan.IdleMinsResetCycle;
      const TNextPeriod next =
          NextPeriodAfterIdle(reset, reset ? 0 : b, cfg.Plan, s.FWorkMins, s.FPeriodStartTick, in.Tick);
      out.push_back(Log(next.LogKind, next.LogValue, in.Tick));
      if (next.KeepBonus) s.ResetBonusOnStart = false;
      StartWorkPeriod(s, next.Minutes, in.Tick);
      s.TiredCarry = reset ? 0 : TiredCarryAfterIdle(s.TiredCarry, s.FIdleMins, cfg.Plan.IdleMinsResetCycle);
    }
  }
  s.FIdleMins = 0;
  return out;
}
