#pragma once
// What a reminder window shows, as the settings seam hands it over: plain data, so the seams can
// carry it without reaching the reminder windows.
#include <string>

#include "DisplayZoom.h"
#include "Graphics.h"

struct RemindWindowLook {
  const RemindKindInfo* info;  // the kind's row; an unknown kind shows as the next-break reminder
  std::wstring value, content;
  TColor body, border;
  int zoomMode, percent, fontAdjust;
};
