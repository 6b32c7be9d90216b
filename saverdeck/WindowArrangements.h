#pragma once
// The nine arrangements of the player's three windows, as plain arithmetic on the screen, the work
// area and the windows' bounds; the main window applies the result to the real windows.
#include <cstdint>
#include <vector>

struct TWindowBounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TWindowBounds& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

// What an arrangement does to the windows after their bounds are set, in this order.
enum class TArrangeStep {
  ShowMain,
  ShowSettings,
  ShowPlaylist,        // shown as it is
  RestorePlaylist,     // restored to normal and shown when hidden (music mode)
  ClosePlaylist,
  CloseSettings,       // through the dialog's own close, which asks whether to save
};

struct TArrangement {
  TWindowBounds main, settings, playlist;
  std::vector<TArrangeStep> steps;
};

struct TArrangeScreen {
  int width = 0, height = 0;  // the whole primary screen
  int workHeight = 0;         // the work area's height (the taskbar left out)
};

// Music mode: the playlist window above the main window, the pair centred, as wide as the main
// window; a playlist too tall for the work area shrinks to fit.
TArrangement MusicModeArrangement(const TArrangeScreen& screen, const TWindowBounds& main,
                                  const TWindowBounds& settings, const TWindowBounds& playlist);

// Arrangement 0 .. 8 (0 is music mode; 5 to 8 place the windows in a 1024 x 768 frame centred on
// the screen). Any other index changes nothing.
TArrangement WindowArrangement(uint8_t index, const TArrangeScreen& screen, const TWindowBounds& main,
                               const TWindowBounds& settings, const TWindowBounds& playlist);

// The work area and the height of a window's title bar (frame and caption).
struct TWorkArea {
  int left = 0, top = 0, right = 0, bottom = 0;
  int titleHeight = 0;
};

// Moves each window whose title bar would leave the work area back inside it, no further than
// needed, so that it can always be dragged; a window wider than the area keeps its left edge in.
void KeepTitleBarsInWorkArea(TArrangement& a, const TWorkArea& area);

// The arrangement after index: 0 follows 8.
inline uint8_t NextArrangeIndex(uint8_t index) { return index >= 8 ? 0 : uint8_t(index + 1); }
