// The transit window's rules: where the welcome text comes in, its steps, the countdown, the
// background and the text speed.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "TransitRules.h"

namespace {

// Gives the scripted draws in turn and notes each range asked for.
struct TopDraws {
  std::deque<int> draws;
  std::vector<int> ranges;
  TRandomSource Source() {
    return [this](int n) {
      ranges.push_back(n);
      int d = draws.empty() ? 0 : draws.front();
      if (!draws.empty()) draws.pop_front();
      return d;
    };
  }
};

struct TopCase {
  int height, pleaseWaitTop, countDownTop, countDownHeight, welcomeHeight;
  std::deque<int> draws;
  int top;
  std::vector<int> ranges;  // the band's draw, then the draw within it (none for an empty range)
};

TEST(TransitRules, RandomTextTopDrawsInTheUpperOrTheLowerBand) {
  const TopCase cases[] = {
      // Upper band: below Round((600 - 280) * 2 / 3) = 213.
      {600, 280, 360, 42, 21, {0, 212}, 212, {2, 213}},
      {600, 280, 360, 42, 21, {0, 0}, 0, {2, 213}},
      // (1080 - 526) * 2 / 3 = 369.33 -> 369; (800 - 385) * 2 / 3 = 276.67 -> 277.
      {1080, 526, 606, 42, 21, {0, 5}, 5, {2, 369}},
      {800, 385, 465, 42, 21, {0, 5}, 5, {2, 277}},
      // Lower band: the bottom less the text less a draw below (600 - 360 - 42) div 2 = 99.
      {600, 280, 360, 42, 21, {1, 0}, 579, {2, 99}},
      {600, 280, 360, 42, 21, {1, 98}, 481, {2, 99}},
      // A small screen or a tall label: the lower range is empty or negative and gives 0.
      {200, 150, 170, 30, 21, {1, 7}, 179, {2}},
      {200, 150, 190, 50, 21, {1, 7}, 179, {2}},
      // The state line below the window's bottom: the upper range is negative and gives 0.
      {100, 150, 230, 42, 21, {0, 7}, 0, {2}},
  };
  for (const TopCase& c : cases) {
    TopDraws r{c.draws, {}};
    EXPECT_EQ(RandomTextTop(c.height, c.pleaseWaitTop, c.countDownTop, c.countDownHeight, c.welcomeHeight, r.Source()),
              c.top)
        << c.height << " " << c.pleaseWaitTop << " draws " << c.draws[0];
    EXPECT_EQ(r.ranges, c.ranges) << c.height << " " << c.pleaseWaitTop;
  }
}

TEST(TransitRules, TheWelcomeTextStepsAndComesBackFromTheOtherEdge) {
  struct Case {
    int left, width, labelWidth;
    bool right;
    int newLeft;
    bool newTop;
  } const cases[] = {
      {0, 800, 300, true, 100, false},
      {650, 800, 300, true, 750, false},
      {700, 800, 300, true, -300, true},  // 800 reaches the right edge
      {750, 800, 300, true, -300, true},
      {-300, 800, 300, true, -200, false},
      {500, 800, 300, false, 400, false},
      {-150, 800, 300, false, -250, false},
      {-200, 800, 300, false, 800, true},  // -300: wholly out at the left
      {-250, 800, 300, false, 800, true},
      {800, 800, 300, false, 700, false},
  };
  for (const Case& c : cases) {
    TTextStep s = StepWelcomeText(c.left, c.width, c.labelWidth, c.right);
    EXPECT_EQ(s.left, c.newLeft) << c.left << (c.right ? " right" : " left");
    EXPECT_EQ(s.newTop, c.newTop) << c.left << (c.right ? " right" : " left");
  }
}

TEST(TransitRules, TheCountdownRunsToZeroThenStartsAgainAtTheTransitTime) {
  EXPECT_EQ(CountDownCaption(10), L" 10 ");
  EXPECT_EQ(CountDownCaption(0), L" 0 ");
  std::vector<std::wstring> shown{CountDownCaption(5)};
  int remaining = 5;
  for (int i = 0; i < 5; ++i) {
    TCountDownStep s = CountDownTick(remaining, 5);
    shown.push_back(CountDownCaption(s.shown));
    EXPECT_EQ(s.finished, i == 4) << i;
    remaining = s.remaining;
  }
  EXPECT_EQ(shown, (std::vector<std::wstring>{L" 5 ", L" 4 ", L" 3 ", L" 2 ", L" 1 ", L" 0 "}));
  EXPECT_EQ(remaining, 5);
  // Set back to the transit time as it stands at the end, for the next show.
  TCountDownStep last = CountDownTick(1, 20);
  EXPECT_TRUE(last.finished);
  EXPECT_EQ(last.shown, 0);
  EXPECT_EQ(last.remaining, 20);
}

TEST(TransitRules, TheBackgroundFollowsTheChoiceAndFallsBackToAColour) {
  using B = TTransitBackground;
  struct Case {
    int use, skin;
    bool skinUsable, pictureUsable;
    B background;
  } const cases[] = {
      {0, 0, true, true, B::SettingsColour},
      {0, 3, true, true, B::SettingsColour},
      {1, 2, true, true, B::SkinPicture},
      {1, 0, true, true, B::MainColour},       // no skin chosen: the main window's plain colour
      {1, 2, false, true, B::MainColour},      // a skin whose picture is empty
      {2, 0, true, true, B::Picture},
      {2, 0, true, false, B::SettingsColour},  // an empty or unloadable picture shows the colour
      {-1, 2, true, true, B::Unchanged},       // nothing selected
      {3, 2, true, true, B::Unchanged},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TransitBackgroundFor(c.use, c.skin, c.skinUsable, c.pictureUsable), c.background)
        << c.use << " " << c.skin << " " << c.skinUsable << c.pictureUsable;
}

TEST(TransitRules, TheTextSpeedsStepEvery50To1000Ms) {
  EXPECT_EQ(TextMoveInterval(0), 50u);
  EXPECT_EQ(TextMoveInterval(1), 250u);
  EXPECT_EQ(TextMoveInterval(2), 500u);
  EXPECT_EQ(TextMoveInterval(3), 1000u);
  EXPECT_EQ(TextMoveInterval(-1), std::nullopt);
  EXPECT_EQ(TextMoveInterval(4), std::nullopt);
}

TEST(TransitRules, AnEmptyOrNegativeRangeDrawsNothing) {
  TopDraws r{{3}, {}};
  EXPECT_EQ(DrawBelow(r.Source(), 0), 0);
  EXPECT_EQ(DrawBelow(r.Source(), -5), 0);
  EXPECT_TRUE(r.ranges.empty());
  EXPECT_EQ(DrawBelow(r.Source(), 4), 3);
}

}  // namespace
