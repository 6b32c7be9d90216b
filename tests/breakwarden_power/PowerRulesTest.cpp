// The power rules as plain functions: what each broadcast does by state, computer and answer, which
// entry a resume may close, what a sleep takes off a break, and what each sleep request asks and logs.
#include <gtest/gtest.h>

#include <string>

#include "Fakes.h"
#include "PowerRules.h"
#include "unitFrmMain.h"

namespace {

constexpr int kNotAsked = -1;

struct BroadcastRow {
  const char* name;
  WPARAM event;
  uint8_t state;
  bool laptop, selfSuspending;
  int answer;  // IDYES / IDNO when the question is expected, else kNotAsked
  LRESULT result;
  uint8_t logKind;
  bool startBreak, resumed;
};

const BroadcastRow kBroadcasts[] = {
    {"QueryAtWorkAsksYesLogs", PBT_APMQUERYSUSPEND, stWorking, false, false, IDYES, TRUE, ekExtStandBy, false, false},
    {"QueryAtWorkAsksNoDenies", PBT_APMQUERYSUSPEND, stWorking, false, false, IDNO, BROADCAST_QUERY_DENY, ekNone,
     false, false},
    {"QueryInCountdownYesStartsTheBreak", PBT_APMQUERYSUSPEND, stCountdown, false, false, IDYES, TRUE, ekExtStandBy,
     true, false},
    {"QueryInCountdownNoDeniesWithoutBreak", PBT_APMQUERYSUSPEND, stCountdown, false, false, IDNO,
     BROADCAST_QUERY_DENY, ekNone, false, false},
    {"QueryOnBreakLogsUnasked", PBT_APMQUERYSUSPEND, stOnBreak, false, false, kNotAsked, TRUE, ekExtStandBy, false,
     false},
    {"QueryOnALaptopLogsUnasked", PBT_APMQUERYSUSPEND, stWorking, true, false, kNotAsked, TRUE, ekExtStandBy, false,
     false},
    {"QueryOnALaptopInCountdownStartsTheBreak", PBT_APMQUERYSUSPEND, stCountdown, true, false, kNotAsked, TRUE,
     ekExtStandBy, true, false},
    {"QueryOfOurOwnRequestDoesNothing", PBT_APMQUERYSUSPEND, stWorking, false, true, kNotAsked, TRUE, ekNone, false,
     false},
    {"QueryOfOurOwnRequestOnBreakDoesNothing", PBT_APMQUERYSUSPEND, stOnBreak, false, true, kNotAsked, TRUE, ekNone,
     false, false},
    // The sleep still counts toward the break, whoever asked for it.
    {"QueryOfOurOwnRequestInCountdownStartsTheBreak", PBT_APMQUERYSUSPEND, stCountdown, false, true, kNotAsked, TRUE,
     ekNone, true, false},
    {"FailedQueryLogs", PBT_APMQUERYSUSPENDFAILED, stWorking, false, false, kNotAsked, TRUE, ekExtStandByFailed,
     false, false},
    {"FailedQueryOfOurOwnRequestLogsNothing", PBT_APMQUERYSUSPENDFAILED, stOnBreak, false, true, kNotAsked, TRUE,
     ekNone, false, false},
    {"Resume", PBT_APMRESUMESUSPEND, stWorking, false, false, kNotAsked, TRUE, ekNone, false, true},
    {"ResumeOfOurOwnRequest", PBT_APMRESUMESUSPEND, stOnBreak, true, true, kNotAsked, TRUE, ekNone, false, true},
    {"SuspendItselfDoesNothing", PBT_APMSUSPEND, stCountdown, false, false, kNotAsked, TRUE, ekNone, false, false},
    {"ResumeAutomaticDoesNothing", PBT_APMRESUMEAUTOMATIC, stOnBreak, false, false, kNotAsked, TRUE, ekNone, false,
     false},
};

class Broadcast : public testing::TestWithParam<BroadcastRow> {};

TEST_P(Broadcast, ResultAndActions) {
  const BroadcastRow& r = GetParam();
  int asked = 0;
  const TPowerBroadcastActions a =
      PowerBroadcastActions(r.event, r.state, r.laptop, r.selfSuspending, [&] {
        ++asked;
        return r.answer == IDYES;
      });
  EXPECT_EQ(asked, r.answer == kNotAsked ? 0 : 1);
  EXPECT_EQ(a.Result, r.result);
  EXPECT_EQ(a.LogKind, r.logKind);
  EXPECT_EQ(a.StartBreak, r.startBreak);
  EXPECT_EQ(a.Resumed, r.resumed);
}

INSTANTIATE_TEST_SUITE_P(Power, Broadcast, testing::ValuesIn(kBroadcasts),
                         [](const testing::TestParamInfo<BroadcastRow>& i) { return std::string(i.param.name); });

TEventEntry E(uint8_t kind, uint32_t start, uint32_t end = 0) { return TEventEntry{1, kind, start, 0, end, 0}; }

struct ResumeRow {
  const char* name;
  TEventCycle cycle;
  int closes;  // index of the entry a resume closes, -1: none
};

TEST(PowerRules, AResumeClosesOnlyAnOpenSleepThatIsTheLastPowerEntry) {
  const ResumeRow rows[] = {
      {"no power entry", {E(ekNewCycle, 1), E(ekIdle, 5)}, -1},
      {"open stand-by", {E(ekNewCycle, 1), E(ekManualStandBy, 5)}, 1},
      {"open stand-by before an idle stretch", {E(ekNewCycle, 1), E(ekAutoStandBy, 5), E(ekIdle, 9, 20)}, 1},
      {"closed stand-by", {E(ekNewCycle, 1), E(ekExtStandBy, 5, 90)}, -1},
      {"refused request after its entry", {E(ekNewCycle, 1), E(ekManualHibernate, 5), E(ekManualHibernateFailed, 5)},
       -1},
      {"failed outside query", {E(ekNewCycle, 1), E(ekExtStandByFailed, 5)}, -1},
      {"display off is no sleep", {E(ekNewCycle, 1), E(ekDisplayOff, 5)}, -1},
  };
  for (const ResumeRow& r : rows) {
    SCOPED_TRACE(r.name);
    const TEventEntry* e = OpenSleepEntry(r.cycle);
    EXPECT_EQ(e, r.closes < 0 ? nullptr : &r.cycle[r.closes]);
  }
  for (uint8_t k = ekExtStandBy; k <= ekManualHibernateFailed; ++k)
    EXPECT_EQ(IsSleepSuccessKind(k), (k - ekExtStandBy) % 2 == 0) << "kind " << int(k);
}

TEST(PowerRules, TimeAsleepComesOffTheBreakNeverBelowZero) {
  const struct {
    int remaining;
    uint32_t asleep;
    int left;
  } rows[] = {{200, 150, 50}, {200, 300, 0}, {200, 200, 0}, {200, 0, 200}, {0, 10, 0}, {200, 65600, 0},
              {200, 0xFFFFFFFFu, 0}};
  for (const auto& r : rows) EXPECT_EQ(RemainingAfterSleep(r.remaining, r.asleep), r.left) << r.remaining << " - " << r.asleep;
}

TEST(PowerRules, ASleepOfDaysIsCountedWhole) {
  // 65,600 s used to come out as 64: the count was 16 bits.
  const uint32_t start = 0xFFFFF000u;  // the tick count wraps while asleep
  TEventCycle c{E(ekNewCycle, 1), E(ekManualStandBy, start, start + 65600 * 1000u)};
  EXPECT_EQ(PowerEventSeconds(c), 65600u);
  c.push_back(E(ekIdle, 5, 9000));
  EXPECT_EQ(PowerEventSeconds(c), 65600u) << "only power entries count";
  EXPECT_EQ(PowerEventSeconds(TEventCycle{E(ekNewCycle, 1)}), 0u);
}

TEST(PowerRules, EachSleepRequestAsksLogsAndRequestsItsOwn) {
  const struct {
    bool standBy, silent, ask;
    const wchar_t* question;
    uint8_t log, failed;
    BOOL suspend;
  } rows[] = {
      {true, false, true, L"系统正准备待机,要继续吗?", ekManualStandBy, ekManualStandByFailed, TRUE},
      {true, false, false, nullptr, ekAutoStandBy, ekAutoStandByFailed, TRUE},
      {false, false, true, L"系统正准备休眠,要继续吗?", ekManualHibernate, ekManualHibernateFailed, FALSE},
      {false, false, false, nullptr, ekAutoHibernate, ekAutoHibernateFailed, FALSE},
      {true, true, true, nullptr, ekNone, ekNone, TRUE},
      {false, true, false, nullptr, ekNone, ekNone, FALSE},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "standBy " << r.standBy << " silent " << r.silent << " ask " << r.ask);
    const TSleepRequest q = SleepRequest(r.standBy, r.silent, r.ask);
    EXPECT_EQ(q.Question ? std::wstring(q.Question) : L"-", r.question ? std::wstring(r.question) : L"-");
    EXPECT_EQ(q.LogKind, r.log);
    EXPECT_EQ(q.FailedKind, r.failed);
    EXPECT_EQ(q.Suspend, r.suspend);
  }
}

}  // namespace
