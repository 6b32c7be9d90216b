#include "Remind2ChangeRules.h"

#include <algorithm>
#include <cmath>

TDayNumber DayNumberOf(const SYSTEMTIME& local) {
  TDayNumber day = 0;
  EncodeDayNumber(local.wYear, local.wMonth, local.wDay, day);
  return day;
}

bool IsDue(TDayNumber due, TDayNumber today) { return due - today <= 0; }

int DueListIndex(TDayNumber due, TDayNumber today) {
  if (IsDue(due, today)) return 0;
  const double days = std::trunc(std::fabs(due - today));
  return days < kMaxDueListIndex ? int(days) : kMaxDueListIndex;  // NaN too
}

bool ShouldArmRemind(bool firstRun, bool startedHidden, const TDueDates& dues, TDayNumber today) {
  if (firstRun || startedHidden) return false;
  return std::any_of(dues.begin(), dues.end(), [&](TDayNumber d) { return IsDue(d, today); });
}

unsigned RemindIntervalMs(int random20) { return unsigned(random20 + 10) * 60000u; }

int ConfirmedIndex(int index) { return index == 0 ? kRemindAgainDays : index; }

TDayNumber ConfirmedDue(TDayNumber today, int index) { return today + index; }
