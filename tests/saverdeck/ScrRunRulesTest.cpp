// The screen-saver run's rules without windows: the next saver, the play time, whose music a run
// stops, and the end detector's step.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "SaverDeckSeams.h"
#include "ScrRunRules.h"
#include "Fakes.h"

namespace {

int NoDraw(int) {
  ADD_FAILURE() << "a run in turn drew a random number";
  return 0;
}

TEST(ScrRunNext, InTurnStartsWithTheSelectedSaverAndWrapsAfterTheLast) {
  const struct {
    bool first;
    int selected, count, expected;
  } cases[] = {
      {true, -1, 8, 1},  {true, 0, 8, 1},   // none or "(无)": the first saver
      {true, 5, 8, 5},   {false, 5, 8, 6},  {false, 6, 8, 7},
      {false, 7, 8, 1},                     // after the last: the first
      {true, 7, 8, 7},   {true, 9, 8, 1},   // a selection outside the list: the first
      {false, 0, 8, 1},  {false, -1, 8, 1}, // "(无)" chosen during a run: the first
      {true, 1, 2, 1},   {false, 1, 2, 1},  // one saver: always it
      {true, 0, 1, 0},   {false, 0, 1, 0},  // no saver: nothing to start
      // Entries past 255: an index is no byte here.
      {false, 255, 400, 256}, {false, 256, 400, 257}, {true, 300, 400, 300},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextScrEntry(false, c.first, c.selected, c.count, NoDraw), c.expected)
        << c.first << " " << c.selected << " of " << c.count;
}

TEST(ScrRunNext, RandomDrawsAnySaverButNoneAndMayRepeat) {
  for (bool first : {true, false}) {
    std::set<int> seen;
    for (int draw = 0; draw < 7; ++draw) {
      int asked = -1;
      int e = NextScrEntry(true, first, 3, 8, [&](int n) {
        asked = n;
        return draw;
      });
      EXPECT_EQ(asked, 7) << "count - 1";
      seen.insert(e);
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7})) << "never 0, the last one reachable";
  }
  EXPECT_EQ(NextScrEntry(true, false, 1, 2, [](int) { return 0; }), 1);
  EXPECT_EQ(NextScrEntry(true, false, 0, 1, NoDraw), 0) << "no saver: no draw";
  // The player's generator keeps within its range.
  PlayerRandomSeam real;
  for (int i = 0; i < 200; ++i) {
    int v = real.Random(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
  }
  EXPECT_EQ(real.Random(0), 0);
}

TEST(ScrRunPlayTime, TheSlideShowSaverPlaysAHundredSecondsInAnyLetterCase) {
  const struct {
    const wchar_t* name;
    int setting;
    unsigned expected;
  } cases[] = {
      {L"Quovel幻灯屏幕保护程序", 30, 100000}, {L"quovel幻灯屏幕保护程序", 30, 100000},
      {L"QUOVEL幻灯屏幕保护程序", 120, 100000}, {L"飞越星空", 30, 30000},
      {L"bubbles", 120, 120000},              {L"quovel幻灯屏幕保护", 50, 50000},
      {L"quovel幻灯屏幕保护程序x", 40, 40000}, {L"", 90, 90000},
  };
  for (const auto& c : cases) EXPECT_EQ(ScrPlayTimeMs(c.name, c.setting), c.expected) << Narrow(c.name);
}

TEST(ScrRunMusic, OnlyARunWithMusicThatStartedItOwnsIt) {
  EXPECT_TRUE(RunOwnsMusic(1, 0));
  EXPECT_FALSE(RunOwnsMusic(1, 1)) << "the user's music was playing";
  EXPECT_FALSE(RunOwnsMusic(0, 0)) << "a run without music";
  EXPECT_FALSE(RunOwnsMusic(0, 1));
}

TEST(ScrRunDetector, EndsTheRunWhenTheSaverIsGoneAndHandsOverNearThePlayTimesEnd) {
  const int stopped = kPlayStateStopped, playing = kPlayStatePlaying;
  const struct {
    bool running;
    int count, playEach, state;
    TDetectStep expected;
  } cases[] = {
      {false, 1, 30, playing, TDetectStep::EndRun},
      {false, 28, 30, stopped, TDetectStep::EndRun},  // gone wins over every other test
      {true, 1, 30, playing, TDetectStep::GoOn},
      {true, 27, 30, playing, TDetectStep::GoOn},
      {true, 28, 30, playing, TDetectStep::StopDetecting},
      {true, 5, 30, stopped, TDetectStep::StopDetecting},  // the music stopped: nothing to stop
      {true, 29, 30, 2, TDetectStep::StopDetecting},
      // The play time lowered in the middle of a run: the count is past it.
      {true, 50, 30, playing, TDetectStep::StopDetecting},
      {true, 5, 120, 2, TDetectStep::GoOn},  // paused music is still the run's
  };
  for (const auto& c : cases)
    EXPECT_EQ(DetectStepFor(c.running, c.count, c.playEach, c.state), c.expected)
        << c.running << " " << c.count << " " << c.playEach << " " << c.state;
}

TEST(ScrRunNames, ThePlayersListNamesSaversAsTheBreakRemindersDoes) {
  EXPECT_EQ(SaverDeckScrDisplayName(L"SSSTARS.SCR"), L"飞越星空");
  EXPECT_EQ(SaverDeckScrDisplayName(L"logon.scr"), L"WINDOWS XP");
  EXPECT_EQ(SaverDeckScrDisplayName(L"Bubbles.scr"), L"bubbles");
  EXPECT_EQ(SaverDeckScrDisplayName(L"Quovel幻灯屏幕保护程序.scr"), L"quovel幻灯屏幕保护程序");
}

}  // namespace
