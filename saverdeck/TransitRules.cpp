#include "TransitRules.h"

int DrawBelow(const TRandomSource& random, int n) { return n > 0 ? random(n) : 0; }

namespace {
// Round(x / 3) for the upper band; a third never falls on a half, so this is the nearest.
int RoundThird(int x) { return x >= 0 ? (x + 1) / 3 : -((-x + 1) / 3); }
}  // namespace

int RandomTextTop(int height, int pleaseWaitTop, int countDownTop, int countDownHeight, int welcomeHeight,
                  const TRandomSource& random) {
  if (DrawBelow(random, 2) == 0) return DrawBelow(random, RoundThird((height - pleaseWaitTop) * 2));
  return height - welcomeHeight - DrawBelow(random, (height - countDownTop - countDownHeight) / 2);
}

TTextStep StepWelcomeText(int left, int windowWidth, int labelWidth, bool rightwards) {
  if (rightwards) {
    left += 100;
    if (left >= windowWidth) return {-labelWidth, true};
  } else {
    left -= 100;
    if (left <= -labelWidth) return {windowWidth, true};
  }
  return {left, false};
}

std::wstring CountDownCaption(int seconds) { return L" " + std::to_wstring(seconds) + L" "; }

TCountDownStep CountDownTick(int remaining, int transitTime) {
  int shown = remaining > 0 ? remaining - 1 : 0;
  if (shown == 0) return {0, transitTime, true};
  return {shown, shown, false};
}

TTransitBackground TransitBackgroundFor(int use, int skin, bool skinPictureUsable, bool pictureUsable) {
  switch (use) {
    case 0: return TTransitBackground::SettingsColour;
    case 1: return skin > 0 && skinPictureUsable ? TTransitBackground::SkinPicture : TTransitBackground::MainColour;
    case 2: return pictureUsable ? TTransitBackground::Picture : TTransitBackground::SettingsColour;
    default: return TTransitBackground::Unchanged;
  }
}

std::optional<unsigned> TextMoveInterval(int speedIndex) {
  static constexpr unsigned kIntervals[] = {50, 250, 500, 1000};
  if (speedIndex < 0 || speedIndex > 3) return std::nullopt;
  return kIntervals[speedIndex];
}
