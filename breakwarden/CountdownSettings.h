#pragma once
// What the countdown window reads of the settings when it is made, as the settings dialog's
// controls hold them at that moment.
#include "BreakPlans.h"
#include "DisplayZoom.h"
#include "Graphics.h"

// clbBreakHintColorMain as designed; the box is disabled and not in the file, so it always
// holds this.
inline constexpr TColor kCountdownDesignColour = SysColor(COLOR_INACTIVECAPTIONTEXT);

struct TCountdownSettings {
  TColor Colour = kCountdownDesignColour;  // clbBreakHintColorMain
  // cbbZoomRateCountDownWindow, scbZoomRateCountDownWindow and updFontAdjustOfCountDownWindow,
  // after the zoom mode's handler has run for the current screen.
  int ZoomMode = zmAuto, ZoomPercent = 0, FontAdjust = 0;
  TPicture Picture;             // imgOfHintForm's picture
  TBreakPlan Plan;              // the plan in force: the countdown's postponement limits
  bool ToggleDesktop = false;   // cbxToggleB4Break
};
