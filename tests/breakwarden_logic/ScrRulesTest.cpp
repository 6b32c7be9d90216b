// The screen savers' decisions: what a start and the settings button do, the own saver's steps on
// a seeded random source, and the switch's texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "Fakes.h"
#include "ScrRules.h"

namespace {

TEST(ScrLaunch, WhatEachSettingStarts) {
  struct Case {
    const char* name;
    bool usePlayer, random, banYing;
    int selected, count;
    uint8_t command;
    int saver;
    bool restart;
  };
  const Case cases[] = {
      {"player, in turn", true, false, false, 3, 5, 3, -1, false},
      {"player, random", true, true, false, 3, 5, 4, -1, false},
      {"player, in turn with music", true, false, true, 3, 5, 5, -1, false},
      {"player, random with music", true, true, true, 3, 5, 6, -1, false},
      {"a saver file", false, false, false, 3, 5, 0, 3, false},
      {"the own saver", false, false, false, 1, 5, 0, 1, false},
      {"(无): none", false, false, false, 0, 5, 0, -1, false},
      {"(无) with music: no saver, the music restarts", false, false, true, 0, 5, 0, -1, true},
      {"a file with music", false, false, true, 4, 5, 0, 4, true},
      {"no selection: the own saver", false, false, false, -1, 5, 0, 1, false},
      {"a selection past the list: none", false, false, false, 5, 5, 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRandom rnd(7);
    const TScrLaunch l = ScrLaunchFor(c.usePlayer, c.random, c.banYing, c.selected, c.count, rnd);
    EXPECT_EQ(l.PlayerCommand, c.command);
    EXPECT_EQ(l.Saver, c.saver);
    EXPECT_EQ(l.RestartAccompaniment, c.restart);
  }
}

TEST(ScrLaunch, ARandomStartDrawsAnyEntryButNone) {
  for (int count : {2, 3, 6}) {
    SCOPED_TRACE(count);
    TRandom rnd(11);
    std::set<int> drawn;
    for (int i = 0; i < 400; ++i) drawn.insert(ScrLaunchFor(false, true, false, 0, count, rnd).Saver);
    std::set<int> every;
    for (int s = 1; s < count; ++s) every.insert(s);
    EXPECT_EQ(drawn, every) << "every entry but \"(无)\", the own saver included";
  }
}

TEST(ScrSetup, WhatTheSettingsButtonDoes) {
  struct Case {
    bool usePlayer;
    int selected;
    TScrSetupAction action;
  };
  const Case cases[] = {
      {true, 3, TScrSetupAction::PlayerPage},   {true, 0, TScrSetupAction::PlayerPage},
      {false, 1, TScrSetupAction::NoOptionsBox}, {false, 2, TScrSetupAction::SaverConfig},
      {false, 4, TScrSetupAction::SaverConfig},  {false, 0, TScrSetupAction::None},
      {false, -1, TScrSetupAction::None},        {false, 5, TScrSetupAction::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(int(ScrSetupFor(c.usePlayer, c.selected, 5)), int(c.action)) << c.usePlayer << " " << c.selected;
}

TEST(OwnSaverSteps, LinesPerPaintFollowTheScreenWidth) {
  struct Case {
    int width, least, most;
  };
  // a = Trunc(width / 1024 x 15); a + Random(a) + 1 lines.
  const Case cases[] = {{1024, 16, 30}, {800, 12, 22}, {2048, 31, 60}, {68, 1, 1}, {0, 1, 1}, {-5, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    TRandom rnd(3);
    int least = 1000, most = -1;
    for (int i = 0; i < 600; ++i) {
      const int n = ScrLineCount(c.width, rnd);
      least = std::min(least, n);
      most = std::max(most, n);
    }
    EXPECT_EQ(least, c.least);
    EXPECT_EQ(most, c.most);
  }
  // Counted in 8 bits: a screen of 9000 pixels makes a = 131, up to 262 lines, which wrap.
  TRandom rnd(5);
  for (int i = 0; i < 200; ++i) EXPECT_LE(ScrLineCount(9000, rnd), 255);
}

TEST(OwnSaverSteps, AColourChannelRisesByFiveThenSwingsByThreeBetween50And255) {
  int16_t value = 200, step = 5;
  std::vector<int> turns;  // the values at which the step changed
  int16_t last = step;
  for (int tick = 0; tick < 200; ++tick) {
    ScrColourStep(value, step);
    if (step != last) turns.push_back(value);
    last = step;
    EXPECT_GE(value, 48);
    EXPECT_LE(value, 255);
  }
  ASSERT_GE(turns.size(), 3u);
  EXPECT_EQ(turns[0], 255) << "200 + 11 x 5";
  EXPECT_EQ(turns[1], 48) << "down by 3 to 50 or less";
  EXPECT_EQ(turns[2], 255) << "up by 3";
  int16_t v = 252, s = 5;
  ScrColourStep(v, s);
  EXPECT_EQ(v, 257) << "the value itself is not cut";
  EXPECT_EQ(s, -3);
}

TEST(OwnSaverSteps, TheLabelMovesFiftyPixelsAndWrapsAtTheEdges) {
  struct Case {
    int left;
    bool right;
    int newLeft;
    bool wrapped;
  };
  // A label 200 wide on a form 1024 wide.
  const Case cases[] = {
      {900, true, 950, false},  {973, true, 1023, false}, {974, true, -200, true}, {1100, true, -200, true},
      {100, false, 50, false},  {-149, false, -199, false}, {-150, false, 1024, true}, {-400, false, 1024, true},
  };
  for (const Case& c : cases) {
    const TScrLabelStep s = ScrLabelStep(c.left, 200, 1024, c.right);
    EXPECT_EQ(s.Left, c.newLeft) << c.left << (c.right ? " right" : " left");
    EXPECT_EQ(s.Wrapped, c.wrapped) << c.left;
  }
}

TEST(OwnSaverSteps, AMouseMoveEndsItOnlyBeyondTwoPixels) {
  const POINT start{500, 400};
  const std::pair<POINT, bool> cases[] = {{{500, 400}, false}, {{502, 402}, false}, {{498, 398}, false},
                                          {{503, 400}, true},  {{500, 397}, true},  {{497, 402}, true}};
  for (const auto& [at, ends] : cases) EXPECT_EQ(ScrMoveEnds(start, at), ends) << at.x << "," << at.y;
}

TEST(OwnSaverSteps, TipsAreFixedLinesOrAHotKeyOfTheList) {
  const std::vector<std::wstring> keys = {L"倩影开关 WIN+V", L"启用计算器 WIN+C", L"一键黑屏 WIN+H"};
  TRandom rnd(17);
  std::set<std::wstring> fixed, hotKeys;
  for (int i = 0; i < 2000; ++i) {
    const std::wstring t = ScrTipText(keys, rnd);
    ASSERT_FALSE(t.empty());
    if (t.rfind(L"提示：快捷键 ", 0) == 0) hotKeys.insert(t.substr(7));
    else fixed.insert(t);
  }
  EXPECT_EQ(fixed.size(), 10u) << "draws 0 to 9";
  EXPECT_EQ(hotKeys, std::set<std::wstring>(keys.begin(), keys.end()));
  EXPECT_TRUE(fixed.count(L"健康和友好是软件的主基调。"));
  TRandom none(2);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(ScrTipText({}, none).rfind(L"提示：快捷键", 0), std::wstring::npos);
}

TEST(ScrSwitch, TextsAndTheRestoreInterval) {
  EXPECT_EQ(Narrow(ScrSwitchMessage(true)), Narrow(L"屏幕保护已启用，您还可以用快捷键WIN＋K随时随地一键开关！"));
  EXPECT_EQ(Narrow(ScrSwitchMessage(false)), Narrow(L"屏幕保护已禁用，您还可以用快捷键WIN＋K随时随地一键开关！"));
  EXPECT_EQ(Narrow(ScrSwitchItemCaption(true)), Narrow(L"屏保开关(WIN+K)--屏保已禁用,点击启用"));
  EXPECT_EQ(Narrow(ScrSwitchItemCaption(false)), Narrow(L"屏保开关(WIN+K)--屏保已启用,点击禁用"));
  EXPECT_EQ(ScrRestoreIntervalMs(30), 1800000u);
  EXPECT_EQ(ScrRestoreIntervalMs(5), 300000u);
  EXPECT_EQ(ScrRestoreIntervalMs(60), 3600000u);
}

}  // namespace
