#pragma once
// The change reminder's arithmetic, without windows: when an item is due, what its list shows, when
// the reminder box is armed and what a confirmation sets. Dates are whole day numbers.
#include <array>
#include <windows.h>

#include "ConsoleConfig.h"

// The three items, in row order: wallpaper, screen saver, music.
using TDueDates = std::array<TDayNumber, 3>;

inline constexpr int kMaxDueListIndex = 10;
// An item confirmed while due comes up again after this many days.
inline constexpr int kRemindAgainDays = 3;

// Today as a day number, from a local time.
TDayNumber DayNumberOf(const SYSTEMTIME& local);

// Due: the date has come (date - today <= 0). A date that did not read is 0, long past.
bool IsDue(TDayNumber due, TDayNumber today);
// The list's index: the whole days until the date, at most 10; 0 when due.
int DueListIndex(TDayNumber due, TDayNumber today);

// Whether the start arms the reminder box: not in the first run, not when the bar started hidden,
// not when every date is still ahead.
bool ShouldArmRemind(bool firstRun, bool startedHidden, const TDueDates& dues, TDayNumber today);
// The box's delay for a draw of Random(20): 10 to 29 whole minutes.
unsigned RemindIntervalMs(int random20);

// What a confirmation makes of a list's index: 0 (due) becomes 3; the date is today + the index.
int ConfirmedIndex(int index);
TDayNumber ConfirmedDue(TDayNumber today, int index);
