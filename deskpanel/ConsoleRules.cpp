#include "ConsoleRules.h"

#include <algorithm>

#include "InstallRecord.h"

RowPlaces LayOutRow(std::span<const int> widths, int barHeight, int firstHeight) {
  RowPlaces r{(barHeight - firstHeight) / 2, {}};
  int left = 5;
  for (size_t i = 0; i < widths.size(); ++i) {
    if (i + 1 == widths.size() && i > 0) left += 5;  // the image stands apart
    r.lefts.push_back(left);
    left += widths[i];
  }
  return r;
}

int AutoHideTop(POINT cursor, const RECT& bar, bool noLineLeft) {
  const int height = bar.bottom - bar.top;
  const bool inside = bar.left < cursor.x && cursor.x < bar.right && bar.top <= cursor.y && cursor.y <= bar.bottom;
  if (inside) return 0;
  return noLineLeft ? -height : 2 - height;
}

bool PlaceIsOnScreen(const RECT& bar, const RECT& monitor) {
  constexpr int kStrip = 2;  // what auto-hide leaves showing
  const LONG shownWidth = std::min(bar.right, monitor.right) - std::max(bar.left, monitor.left);
  const LONG shownHeight = std::min(bar.bottom, monitor.bottom) - std::max(bar.top, monitor.top);
  return shownWidth > kStrip && shownHeight > kStrip;
}

TColor ShownBarColor(TColor rgb) { return rgb == clBlack ? TColor(RGB(1, 1, 1)) : rgb; }

bool IsFirstRun(const std::wstring& recordDir, const std::wstring& exePath) {
  return InstallRecordNeedsWrite(recordDir, exePath);
}
