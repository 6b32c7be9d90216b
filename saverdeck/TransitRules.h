#pragma once
// The transit window's rules without a window: where the welcome text comes in, how it steps,
// the countdown, the background and the text speed.
#include <functional>
#include <optional>
#include <string>

// random(n) gives 0 .. n-1 for n > 0.
using TRandomSource = std::function<int(int n)>;

// A draw from 0 .. n-1; an empty or negative range gives 0 (a small screen or a tall label).
int DrawBelow(const TRandomSource& random, int n);

// A top for the welcome text: the upper band, from 0 to below two thirds of the space between
// the state line and the bottom; or the lower band, the bottom less the text's height less a draw
// over half the space below the countdown.
int RandomTextTop(int height, int pleaseWaitTop, int countDownTop, int countDownHeight, int welcomeHeight,
                  const TRandomSource& random);

// One step of the welcome text: 100 pixels in its direction. Once it has left the window it comes
// back in from the other edge, at a new top (newTop).
struct TTextStep {
  int left = 0;
  bool newTop = false;
};
TTextStep StepWelcomeText(int left, int windowWidth, int labelWidth, bool rightwards);

// The countdown's caption: the number with a blank each side.
std::wstring CountDownCaption(int seconds);
// One second less. At 0 the countdown is over: both timers stop and the count is set back to
// the transit time for the next show.
struct TCountDownStep {
  int shown = 0;       // the number the caption shows
  int remaining = 0;   // the count kept for the next tick or show
  bool finished = false;
};
TCountDownStep CountDownTick(int remaining, int transitTime);

// The background of a show, from the settings' choice (0 colour, 1 skin, 2 picture; anything
// else: none selected), the skin index (0 none) and whether the picture to use holds an image.
enum class TTransitBackground {
  Unchanged,       // nothing selected: the background stays as it was
  SettingsColour,  // the settings' colour, no picture
  MainColour,      // the main window's colour, no picture (no skin chosen, or no skin picture)
  SkinPicture,     // the main window's skin picture
  Picture,         // the settings' background picture
};
TTransitBackground TransitBackgroundFor(int use, int skin, bool skinPictureUsable, bool pictureUsable);

// The step interval of the welcome text by the speed's index ("飞快", "快速", "中速", "慢速");
// none for no selection.
std::optional<unsigned> TextMoveInterval(int speedIndex);
