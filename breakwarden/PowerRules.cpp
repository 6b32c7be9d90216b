#include "PowerRules.h"

#include "unitFrmMain.h"

TPowerBroadcastActions PowerBroadcastActions(WPARAM event, uint8_t state, bool laptop, bool selfSuspending,
                                             const std::function<bool()>& userAgrees) {
  TPowerBroadcastActions a;
  switch (event) {
    case PBT_APMQUERYSUSPEND:
      if (!selfSuspending) {
        // A running break is not interrupted by a question; a laptop's lid must not wait on one.
        if (state != stOnBreak && !laptop && !userAgrees()) {
          a.Result = BROADCAST_QUERY_DENY;
          return a;
        }
        a.LogKind = ekExtStandBy;
      }
      a.StartBreak = state == stCountdown;
      break;
    case PBT_APMQUERYSUSPENDFAILED:
      if (!selfSuspending) a.LogKind = ekExtStandByFailed;
      break;
    case PBT_APMRESUMESUSPEND:
      a.Resumed = true;
      break;
  }
  return a;
}

bool IsSleepSuccessKind(uint8_t kind) {
  switch (kind) {
    case ekExtStandBy:
    case ekAutoStandBy:
    case ekManualStandBy:
    case ekExtHibernate:
    case ekAutoHibernate:
    case ekManualHibernate: return true;
  }
  return false;
}

namespace {
const TEventEntry* LastPowerEntry(const TEventCycle& cycle) {
  for (size_t i = cycle.size(); i-- > 0;)
    if (cycle[i].Kind >= ekExtStandBy && cycle[i].Kind <= ekManualHibernateFailed) return &cycle[i];
  return nullptr;
}
}  // namespace

const TEventEntry* OpenSleepEntry(const TEventCycle& cycle) {
  const TEventEntry* e = LastPowerEntry(cycle);
  return e && IsSleepSuccessKind(e->Kind) && e->EndTick == 0 ? e : nullptr;
}

uint32_t PowerEventSeconds(const TEventCycle& cycle) {
  const TEventEntry* e = LastPowerEntry(cycle);
  return e ? (e->EndTick - e->StartTick) / 1000 : 0;
}

int RemainingAfterSleep(int remaining, uint32_t asleepSeconds) {
  if (remaining <= 0) return 0;
  return uint32_t(remaining) > asleepSeconds ? remaining - int(asleepSeconds) : 0;
}

TSleepRequest SleepRequest(bool standBy, bool silent, bool ask) {
  const uint8_t kind = standBy ? (ask ? ekManualStandBy : ekAutoStandBy) : (ask ? ekManualHibernate : ekAutoHibernate);
  TSleepRequest r{};
  r.Question = silent || !ask ? nullptr : standBy ? L"系统正准备待机,要继续吗?" : L"系统正准备休眠,要继续吗?";
  r.LogKind = silent ? uint8_t(ekNone) : kind;
  r.FailedKind = silent ? uint8_t(ekNone) : uint8_t(kind + 1);
  r.Suspend = standBy ? TRUE : FALSE;
  return r;
}
