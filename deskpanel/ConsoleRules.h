#pragma once
// The bar's arithmetic, without windows: the row of buttons, the auto-hide place, where a stored
// place may start, the colour it may take, and the first-run test.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "Graphics.h"

inline constexpr int kBarResetLeft = 285;
inline constexpr int kBarResetTop = 0;

struct RowPlaces {
  int top;                 // the same for every member of the row
  std::vector<int> lefts;  // in row order
};
// The row: the first member at Left 5, each next one right after the one before, and the last (the
// image) 5 pixels further; Top centres the first member's height in the bar (truncating).
RowPlaces LayOutRow(std::span<const int> widths, int barHeight, int firstHeight);

// The bar's Top at an auto-hide tick. Inside the bar (Left < x < Left + Width, Top <= y <= Top +
// Height) it comes down to 0; elsewhere it goes up to -Height, or to 2 - Height leaving a strip.
int AutoHideTop(POINT cursor, const RECT& bar, bool noLineLeft);

// True when a stored place shows the bar on the monitor that holds most of it (empty: none does).
// A bar partly off the screen or across two monitors keeps its place; one wholly off every monitor,
// or showing no more than auto-hide's 2-pixel strip (a Top saved while auto-hide held the bar up),
// starts at the reset place instead.
bool PlaceIsOnScreen(const RECT& bar, const RECT& monitor);

// Black is the bar's see-through key: a bar coloured black would let every click through. Such a
// colour is shown as the nearest colour that is not the key.
TColor ShownBarColor(TColor rgb);

// The first run: the install record does not name this executable (exact, case-sensitive; a
// missing record never does).
bool IsFirstRun(const std::wstring& recordDir, const std::wstring& exePath);
