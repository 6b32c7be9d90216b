#include "WindowArrangements.h"

#include <algorithm>

namespace {
// Places of the three windows inside the 1024 x 768 frame, for arrangements 5 to 8.
struct TFramePlaces {
  uint16_t mainLeft, mainTop, settingsLeft, settingsTop, playlistLeft, playlistTop;
};
const TFramePlaces kFramePlaces[4] = {
    {451, 421, 64, 217, 399, 89},
    {99, 388, 505, 223, 107, 119},
    {461, 412, 294, 216, 80, 124},
    {126, 447, 324, 213, 412, 67},
};

// The settings dialog centred under the main window.
void SettingsUnderMain(TArrangement& a) {
  a.settings.left = a.main.left + (a.main.width - a.settings.width) / 2;
  a.settings.top = a.main.top + a.main.height;
}
}  // namespace

TArrangement MusicModeArrangement(const TArrangeScreen& screen, const TWindowBounds& main,
                                  const TWindowBounds& settings, const TWindowBounds& playlist) {
  TArrangement a{main, settings, playlist, {}};
  int h = a.playlist.height + a.main.height;
  if (h > screen.workHeight) {
    a.playlist.height = screen.workHeight - a.main.height;
    h = screen.workHeight;
  }
  a.playlist.top = (screen.workHeight - h) / 2;
  a.main.top = a.playlist.top + a.playlist.height;
  a.main.left = (screen.width - a.main.width) / 2;
  a.playlist.left = a.main.left;
  a.playlist.width = a.main.width;
  a.steps = {TArrangeStep::RestorePlaylist};
  return a;
}

TArrangement WindowArrangement(uint8_t index, const TArrangeScreen& screen, const TWindowBounds& main,
                               const TWindowBounds& settings, const TWindowBounds& playlist) {
  TArrangement a{main, settings, playlist, {}};
  switch (index) {
    case 0:
      return MusicModeArrangement(screen, main, settings, playlist);
    case 1:
      a.main.top = (screen.height - a.main.height - a.settings.height) / 2;
      SettingsUnderMain(a);
      a.steps = {TArrangeStep::ClosePlaylist, TArrangeStep::ShowSettings};
      return a;
    case 2:
      a = MusicModeArrangement(screen, main, settings, playlist);
      SettingsUnderMain(a);
      if (screen.height < a.settings.top + a.settings.height) {
        a.settings.top = screen.height - a.settings.height;
        a.main.top = a.settings.top - a.main.height;
        a.playlist.top = a.main.top - a.playlist.height;
      }
      a.steps.push_back(TArrangeStep::ShowSettings);
      return a;
    case 3:
      a.steps = {TArrangeStep::CloseSettings, TArrangeStep::ClosePlaylist};
      return a;
    case 4:
      a.main.left = (screen.width - a.main.width - a.settings.width) / 2;
      a.playlist.left = a.main.left;
      a.playlist.top = (screen.height - a.main.height - a.playlist.height) / 2;
      a.main.top = a.playlist.top + a.playlist.height;
      a.settings.left = a.main.left + a.main.width;
      a.settings.top = a.playlist.top + (a.main.height + a.playlist.height - a.settings.height) / 2;
      a.steps = {TArrangeStep::ShowSettings, TArrangeStep::ShowPlaylist};
      return a;
    case 5:
    case 6:
    case 7:
    case 8: {
      // On a screen smaller than the frame the origin is negative and windows reach off screen.
      const int ox = (screen.width - 1024) / 2, oy = (screen.height - 768) / 2;
      const TFramePlaces& p = kFramePlaces[index - 5];
      a.main.left = ox + p.mainLeft;
      a.main.top = oy + p.mainTop;
      a.settings.left = ox + p.settingsLeft;
      a.settings.top = oy + p.settingsTop;
      a.playlist.left = ox + p.playlistLeft;
      a.playlist.top = oy + p.playlistTop;
      a.steps = {TArrangeStep::ShowMain, TArrangeStep::ShowSettings, TArrangeStep::ShowPlaylist};
      return a;
    }
    default:
      return a;
  }
}

void KeepTitleBarsInWorkArea(TArrangement& a, const TWorkArea& area) {
  for (TWindowBounds* b : {&a.main, &a.settings, &a.playlist}) {
    b->left = std::max(area.left, std::min(b->left, area.right - b->width));
    b->top = std::max(area.top, std::min(b->top, area.bottom - area.titleHeight));
  }
}
