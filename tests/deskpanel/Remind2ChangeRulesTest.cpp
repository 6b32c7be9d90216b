// The change reminder's arithmetic: due, the lists' days, arming and what a confirmation sets.
#include <gtest/gtest.h>

#include <limits>

#include "Remind2ChangeRules.h"

namespace {

TDayNumber Day(int y, int m, int d) {
  TDayNumber day = 0;
  EXPECT_TRUE(EncodeDayNumber(y, m, d, day));
  return day;
}

const TDayNumber D = Day(2026, 12, 10);

TEST(Remind2Change, TodayIsTheLocalDatesDayNumber) {
  SYSTEMTIME late{2026, 12, 4, 10, 23, 59, 59, 999};
  EXPECT_EQ(DayNumberOf(late), D);
  SYSTEMTIME leap{2028, 2, 2, 29, 0, 0, 0, 0};
  EXPECT_EQ(DayNumberOf(leap), Day(2028, 2, 29));
}

TEST(Remind2Change, DueAndTheListsIndex) {
  struct {
    TDayNumber due;
    bool isDue;
    int index;
  } cases[] = {
      {D + 5, false, 5},    {D + 20, false, 10}, {D, true, 0},          {0, true, 0},   // 0: a date that did not read
      {D - 1, true, 0},     {D + 1, false, 1},   {D + 10, false, 10},   {D + 9, false, 9},
      {Day(9999, 12, 31), false, 10},            {-D, true, 0},
      {std::numeric_limits<double>::quiet_NaN(), false, 10},  // never from the reader; no crash
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDue(c.due, D), c.isDue) << c.due - D;
    EXPECT_EQ(DueListIndex(c.due, D), c.index) << c.due - D;
  }
}

TEST(Remind2Change, ArmedUnlessFirstRunStartedHiddenOrEverythingAhead) {
  struct {
    const char* name;
    bool firstRun, hidden;
    TDueDates dues;
    bool armed;
  } cases[] = {
      {"nothing read", false, false, {0, 0, 0}, true},
      {"first run", true, false, {0, 0, 0}, false},
      {"started hidden", false, true, {0, 0, 0}, false},
      {"all ahead", false, false, {D + 1, D + 30, D + 2}, false},
      {"wallpaper today", false, false, {D, D + 30, D + 2}, true},
      {"saver past", false, false, {D + 1, D - 3, D + 2}, true},
      {"music today", false, false, {D + 1, D + 30, D}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(ShouldArmRemind(c.firstRun, c.hidden, c.dues, D), c.armed) << c.name;
}

TEST(Remind2Change, TheBoxComesTenToTwentyNineWholeMinutesAfterTheStart) {
  EXPECT_EQ(RemindIntervalMs(0), 600000u);
  EXPECT_EQ(RemindIntervalMs(7), 1020000u);
  EXPECT_EQ(RemindIntervalMs(19), 1740000u);
}

TEST(Remind2Change, AConfirmationSetsDueListsToThreeAndEachDateToTodayPlusItsList) {
  const int shown[] = {5, 10, 0};
  const int confirmed[] = {5, 10, 3};
  const TDayNumber dates[] = {D + 5, D + 10, D + 3};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ConfirmedIndex(shown[i]), confirmed[i]);
    EXPECT_EQ(ConfirmedDue(D, ConfirmedIndex(shown[i])), dates[i]);
  }
  EXPECT_EQ(ConfirmedIndex(1), 1);
}

}  // namespace
