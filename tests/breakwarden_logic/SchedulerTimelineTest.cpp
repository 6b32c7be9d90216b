// The minute step of the break scheduler as timelines: one character per minute of input activity
// and the events expected at each minute.
//   'x' a tick with input during the minute
//   '.' a tick without input
//   's' no tick at all (the system is suspended)
#include <gtest/gtest.h>

#include <sstream>

#include "EventLog.h"
#include "SchedulerMath.h"

namespace {

constexpr uint32_t kMin = 60000;

const char* RemindName(uint8_t k) {
  switch (k) {
    case rkNextBreak: return "NextBreak";
    case rkMinsToBreak: return "MinsToBreak";
    case rkRemindHour: return "Hour";
    case rkRemindOnce1: return "Once1";
    case rkRemindOnce2: return "Once2";
  }
  return "?";
}

std::string Describe(const TTickEvent& e) {
  std::ostringstream o;
  switch (e.Action) {
    case TTickAction::Remind: o << RemindName(e.Kind); break;
    case TTickAction::Log:
      switch (e.Kind) {
        case ekIdle:
          if (e.NewEntry)
            o << "idle+";
          else
            o << "idle- " << e.IdleMins;
          break;
        case ekIdleBonus: o << "bonus " << int(e.Value); break;
        case ekIdleReset: o << "reset"; break;
        case ekIdleResetFull: o << "resetFull"; break;
        default: o << "log " << int(e.Kind);
      }
      break;
    case TTickAction::LaunchScreenSaver: o << "scr"; break;
    case TTickAction::DisplayOff: o << "displayOff"; break;
    case TTickAction::StandBy: o << "standBy"; break;
    case TTickAction::Hibernate: o << "hibernate"; break;
    case TTickAction::BreakTimer: o << "countdown"; break;
  }
  return o.str();
}

// The main window's side of the scheduler: a minute timer from the idle watch's start, the log
// written as the events say. The run ends at the countdown, where the countdown window takes over.
struct Sim {
  TSchedulerState s;
  bool working = true;  // the main window's FBreakState is stWorking
  TSchedulerSettings cfg;
  TEventLog log;
  uint32_t t0 = 1000000;
  int startHour = 9, startMinute = 0;
  uint32_t lastInput = t0;

  void Start() {
    cfg.Plan = PlanFromPage(*PresetPage(kStandardPlanIndex));
    log.RecordEventAt(true, true, 0, ekAppStart, t0);
    StartWorkPeriod(s, FullPeriodMins(cfg.Plan), t0);
    StartIdleWatch(s, t0, lastInput);
  }

  // "minute: event" for every event of the run.
  std::vector<std::string> Run(const std::string& activity) {
    std::vector<std::string> got;
    for (size_t i = 0; i < activity.size(); ++i) {
      const int m = int(i) + 1;
      const uint32_t tick = t0 + m * kMin;
      if (activity[i] == 's') continue;
      if (activity[i] == 'x') lastInput = tick - 20000;
      const int clock = startHour * 60 + startMinute + m;
      // The alarms and chimes are checked as each wall-clock minute begins, before the tick.
      for (TRemindKind k : ClockReminders(clock / 60 % 24, clock % 60, cfg.Clock))
        got.push_back(std::to_string(m) + ": " + Describe({TTickAction::Remind, k}));
      for (const TTickEvent& e : SchedulerMinute(s, {tick, lastInput, working}, cfg)) {
        got.push_back(std::to_string(m) + ": " + Describe(e));
        if (e.Action == TTickAction::Log) log.RecordEventAt(false, e.NewEntry, e.Value, e.Kind, e.Stamp, e.IdleMins);
        if (e.Action == TTickAction::BreakTimer) {
          working = false;  // the countdown window stops the tick
          return got;
        }
      }
    }
    return got;
  }
};

std::string Repeat(char c, int n) { return std::string(n, c); }

struct TimelineRow {
  const char* name;
  std::string activity;
  std::vector<std::string> events;
  void (*setup)(Sim&) = nullptr;
};

void PrintTo(const TimelineRow& r, std::ostream* os) { *os << r.name; }

class Timeline : public testing::TestWithParam<TimelineRow> {};

TEST_P(Timeline, EventsByMinute) {
  const TimelineRow& r = GetParam();
  Sim sim;
  sim.Start();
  if (r.setup) r.setup(sim);
  const auto got = sim.Run(r.activity);
  std::ostringstream all;
  for (const auto& g : got) all << "\n  " << g;
  EXPECT_EQ(got, r.events) << "events:" << all.str();
}

const TimelineRow kTimelines[] = {
    {"ConstantInput",  // the standard plan: countdown at the 49th tick, reminders at 1, 44 and 47
     Repeat('x', 60),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "49: countdown"}},
    {"HiddenCountdownRemindsAtOneMinute",
     Repeat('x', 60),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "48: MinsToBreak", "49: countdown"},
     [](Sim& s) { s.cfg.CountdownHidden = true; }},
    {"Idle1MinuteCredit1",  // 49 + 1 - 11 = 39 minutes from minute 11: no announcement for a credit of 1
     Repeat('x', 9) + "." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: idle- 1", "11: bonus 1", "45: MinsToBreak", "48: MinsToBreak",
      "50: countdown"}},
    {"Idle3MinutesCredit16",  // 49 + 16 - 33 = 32 minutes from minute 33, announced
     Repeat('x', 29) + "..." + Repeat('x', 60),
     {"1: NextBreak", "30: idle+", "31: scr", "33: idle- 3", "33: bonus 16", "34: NextBreak", "60: Hour",
      "60: MinsToBreak", "63: MinsToBreak", "65: countdown"}},
    {"Idle3MinutesEarlyExceedsFull",  // 49 + 16 - 13 > 49: a full period from minute 13
     Repeat('x', 9) + "..." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: scr", "13: idle- 3", "13: resetFull", "14: NextBreak", "57: MinsToBreak",
      "60: Hour", "60: MinsToBreak", "62: countdown"}},
    {"Idle5MinutesCredit40",  // reminders go on while idle; 49 + 40 - 45 = 44 from minute 45
     Repeat('x', 39) + "....." + Repeat('x', 60),
     {"1: NextBreak", "40: idle+", "41: scr", "44: MinsToBreak", "45: idle- 5", "45: bonus 40", "46: NextBreak",
      "60: Hour", "84: MinsToBreak", "87: MinsToBreak", "89: countdown"}},
    {"Idle6MinutesResets",
     Repeat('x', 9) + "......" + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: scr", "16: idle- 6", "16: reset", "17: NextBreak", "60: Hour",
      "60: MinsToBreak", "63: MinsToBreak", "65: countdown"}},
    {"Idle5MinutesWithMoreRestResetAfter7",  // "*成人方案(加强)": 7 per idle minute, reset after 7
     Repeat('x', 39) + "......" + Repeat('x', 60),
     {"1: NextBreak", "40: idle+", "41: scr", "44: MinsToBreak", "46: idle- 6", "46: bonus 42", "47: NextBreak",
      "60: Hour", "86: MinsToBreak", "89: MinsToBreak", "91: countdown"},
     [](Sim& s) { s.cfg.Plan = PlanFromPage(*PresetPage(5)); }},
    {"IdleAcrossThePeriodEndCredit1",  // the countdown at the second tick with input
     Repeat('x', 48) + "." + Repeat('x', 5),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "49: idle+", "50: idle- 1", "50: bonus 1",
      "51: countdown"}},
    {"IdleAcrossThePeriodEndCredit0",  // "操作频度较低": Round(0.4) = 0, the countdown at once
     Repeat('x', 48) + "." + Repeat('x', 5),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "49: idle+", "50: idle- 1", "50: countdown"},
     [](Sim& s) { s.cfg.FrequencyItem = 2; }},
    {"IdleAcrossThePeriodEndCredit5",  // a period of 1 + 5 - 1 minutes from minute 50
     Repeat('x', 47) + ".." + Repeat('x', 10),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "48: idle+", "49: scr", "50: idle- 2", "50: bonus 5",
      "53: MinsToBreak", "55: countdown"}},
    {"IdleAcrossThePeriodEndResets",
     Repeat('x', 45) + "......." + Repeat('x', 60),
     {"1: NextBreak", "44: MinsToBreak", "46: idle+", "47: MinsToBreak", "47: scr", "53: idle- 7", "53: reset",
      "54: NextBreak", "60: Hour", "97: MinsToBreak", "100: MinsToBreak", "102: countdown"}},
    {"IdleRulesAtTheirMinutes",  // display off at 10, hibernation at 30 idle minutes
     Repeat('x', 9) + Repeat('.', 31) + "x",
     {"1: NextBreak", "10: idle+", "11: scr", "19: displayOff", "39: hibernate", "41: idle- 31", "41: reset"},
     [](Sim& s) {
       s.cfg.DisplayOffEnabled = true;
       s.cfg.SuspendEnabled = true;
       s.cfg.StandByOrSleep = 1;
     }},
    {"OwnScreenSaverSwitchedOff",  // 49 + 29 - 14 > 49: a full period
     Repeat('x', 9) + "...." + Repeat('x', 2),
     {"1: NextBreak", "10: idle+", "14: idle- 4", "14: resetFull", "15: NextBreak"},
     [](Sim& s) { s.cfg.SelfScrDisabled = true; }},
    {"Suspended20Minutes",  // 20 minutes without ticks count as idle: a full new period
     Repeat('x', 9) + Repeat('s', 20) + Repeat('x', 60),
     {"1: NextBreak", "30: reset", "31: NextBreak", "60: Hour", "74: MinsToBreak", "77: MinsToBreak", "79: countdown"}},
    {"Suspended3Minutes",  // 3 missed minutes: credit 16, 49 + 16 - 33 = 32 from minute 33
     Repeat('x', 29) + "sss" + Repeat('x', 40),
     {"1: NextBreak", "33: bonus 16", "34: NextBreak", "60: Hour", "60: MinsToBreak", "63: MinsToBreak",
      "65: countdown"}},
    {"SuspendedAcrossThePeriodEnd",  // 49 + 2 - 51 = 0 left: a 1-minute period, never a period of 0
     Repeat('x', 48) + "ss" + Repeat('x', 5),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "51: bonus 2", "52: countdown"},
     [](Sim& s) { s.cfg.FrequencyItem = 2; }},
    {"ChimesAndAlarms",  // from 9:40: alarm 1 at 9:45, alarm 2 and the hour at 10:00
     Repeat('x', 55),
     {"1: NextBreak", "5: Once1", "20: Once2", "20: Hour", "44: MinsToBreak", "47: MinsToBreak", "49: countdown"},
     [](Sim& s) {
       s.startMinute = 40;
       s.cfg.Clock.Once1 = true;
       s.cfg.Clock.Once1Hour = 9;
       s.cfg.Clock.Once1Min = 45;
       s.cfg.Clock.Once2 = true;
       s.cfg.Clock.Once2Hour = 10;
       s.cfg.Clock.Once2Min = 0;
     }},
};

INSTANTIATE_TEST_SUITE_P(Scheduler, Timeline, testing::ValuesIn(kTimelines),
                         [](const testing::TestParamInfo<TimelineRow>& i) { return std::string(i.param.name); });

// During a break there is no work period: however long it lasts and however the 8-bit minute
// counter wraps, neither a countdown nor a new period starts, while alarms, chimes and the idle
// rules go on.
TEST(SchedulerMinute, ALongBreakStartsNothing) {
  Sim sim;
  sim.Start();
  sim.working = false;
  StartWorkPeriod(sim.s, 0, sim.t0);
  const auto got = sim.Run(Repeat('x', 300) + Repeat('.', 300) + Repeat('x', 2));
  std::vector<std::string> want;
  for (int m = 60; m <= 600; m += 60) want.push_back(std::to_string(m) + ": Hour");
  want.insert(want.begin() + 5, "302: scr");
  EXPECT_EQ(got, want);
  EXPECT_EQ(sim.s.FWorkMins, 0);
  EXPECT_EQ(sim.s.FIdleMins, 0);
  EXPECT_EQ(sim.log.Cycles()[0].size(), 1u);  // nothing logged during the break
}

// The log that a work period with an idle stretch leaves.
TEST(SchedulerMinute, IdleStretchLogged) {
  Sim sim;
  sim.Start();
  sim.Run(Repeat('x', 29) + "..." + "x");
  const TEventCycle& c = sim.log.Cycles()[0];
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[1].Kind, ekIdle);
  EXPECT_EQ(c[1].StartTick, sim.t0 + 29 * kMin - 20000);  // the last input
  EXPECT_EQ(c[1].EndTick, c[1].StartTick + 3 * kMin);
  EXPECT_EQ(c[2].Kind, ekIdleBonus);
  EXPECT_EQ(c[2].Value, 16);
  EXPECT_EQ(c[2].StartTick, sim.t0 + 33 * kMin);
  EXPECT_EQ(sim.s.FWorkMins, 32);
  EXPECT_EQ(sim.s.LastIdleBonus, 16);
  EXPECT_EQ(sim.s.FPeriodStartTick, sim.t0 + 33 * kMin);
}

TEST(SchedulerMinute, TiredCarryFadesOrClearsWithIdle) {
  struct Row {
    const char* name;
    std::string activity;
    int frequency;
    uint16_t carry, want;
  };
  const Row rows[] = {
      {"3 of 6 idle minutes halve it", Repeat('x', 29) + "...x", 1, 100, 50},
      {"1 of 6 idle minutes", Repeat('x', 29) + ".x", 1, 25, 21},
      {"a reset clears it", Repeat('x', 9) + "......x", 1, 100, 0},
      {"a credit of 0 keeps it", Repeat('x', 9) + ".x", 2, 100, 100},
      {"working keeps it", Repeat('x', 20), 1, 70, 70},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Sim sim;
    sim.Start();
    sim.s.TiredCarry = r.carry;
    sim.cfg.FrequencyItem = r.frequency;
    sim.Run(r.activity);
    EXPECT_EQ(sim.s.TiredCarry, r.want);
  }
}

}  // namespace
