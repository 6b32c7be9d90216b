// The window arrangements as arithmetic: each arrangement's places from screen, work area and the
// windows' sizes, the order of what is shown or closed, and the index that steps through them.
#include <gtest/gtest.h>

#include "WindowArrangements.h"

namespace {

using Step = TArrangeStep;
using Steps = std::vector<TArrangeStep>;

// Main window 521 x 250 at (10, 20), settings 480 x 360 at (700, 30), playlist 300 x 300 at (5, 6).
const TWindowBounds kMain{10, 20, 521, 250}, kSettings{700, 30, 480, 360}, kPlaylist{5, 6, 300, 300};

struct Case {
  const char* what;
  uint8_t index;
  TArrangeScreen screen;
  TWindowBounds playlistIn;
  TWindowBounds main, settings, playlist;
  Steps steps;
};

void Expect(const Case& c) {
  TArrangement a = WindowArrangement(c.index, c.screen, kMain, kSettings, c.playlistIn);
  auto text = [](const TWindowBounds& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width) + "x" +
           std::to_string(b.height);
  };
  EXPECT_EQ(text(a.main), text(c.main)) << c.what << ": main";
  EXPECT_EQ(text(a.settings), text(c.settings)) << c.what << ": settings";
  EXPECT_EQ(text(a.playlist), text(c.playlist)) << c.what << ": playlist";
  EXPECT_EQ(a.steps, c.steps) << c.what << ": steps";
}

TEST(WindowArrangements, TheFrameArrangementsPlaceTheWindowsInA1024By768FrameCentredOnTheScreen) {
  const Steps shown{Step::ShowMain, Step::ShowSettings, Step::ShowPlaylist};
  const Case cases[] = {
      {"5 on 1024 x 768", 5, {1024, 768, 728}, kPlaylist,
       {451, 421, 521, 250}, {64, 217, 480, 360}, {399, 89, 300, 300}, shown},
      // Smaller than the frame: the origin is negative and the windows reach off the screen.
      {"5 on 800 x 600", 5, {800, 600, 560}, kPlaylist,
       {339, 337, 521, 250}, {-48, 133, 480, 360}, {287, 5, 300, 300}, shown},
      // Halving truncates toward zero: -223 / 2 is -111, not -112.
      {"5 on 801 x 601", 5, {801, 601, 561}, kPlaylist,
       {340, 338, 521, 250}, {-47, 134, 480, 360}, {288, 6, 300, 300}, shown},
      {"6 on 1280 x 1024", 6, {1280, 1024, 984}, kPlaylist,
       {227, 516, 521, 250}, {633, 351, 480, 360}, {235, 247, 300, 300}, shown},
      {"7 on 1280 x 1024", 7, {1280, 1024, 984}, kPlaylist,
       {589, 540, 521, 250}, {422, 344, 480, 360}, {208, 252, 300, 300}, shown},
      {"8 on 1024 x 768", 8, {1024, 768, 728}, kPlaylist,
       {126, 447, 521, 250}, {324, 213, 480, 360}, {412, 67, 300, 300}, shown},
  };
  for (const Case& c : cases) Expect(c);
}

TEST(WindowArrangements, MusicModeCentresPlaylistAboveMainAndShrinksATallPlaylistToTheWorkArea) {
  const Case cases[] = {
      // h = 550 in a work area 760 high: the pair starts at 105, both as wide as the main window.
      {"music mode", 0, {1280, 800, 760}, kPlaylist,
       {379, 405, 521, 250}, kSettings, {379, 105, 521, 300}, {Step::RestorePlaylist}},
      // 700 + 250 > 760: the playlist takes what the main window leaves, the pair fills the height.
      {"tall playlist", 0, {1280, 800, 760}, {5, 6, 300, 700},
       {379, 510, 521, 250}, kSettings, {379, 0, 521, 510}, {Step::RestorePlaylist}},
  };
  for (const Case& c : cases) Expect(c);
}

TEST(WindowArrangements, ArrangementsOneToFour) {
  const Case cases[] = {
      // Settings centred under the main window, the pair centred on the screen's height.
      {"1", 1, {1280, 1024, 984}, kPlaylist,
       {10, 207, 521, 250}, {30, 457, 480, 360}, kPlaylist, {Step::ClosePlaylist, Step::ShowSettings}},
      // Music mode, then the settings below; 767 + 360 passes the bottom, so all three are pushed up.
      {"2 pushed up", 2, {1280, 1024, 984}, kPlaylist,
       {379, 414, 521, 250}, {399, 664, 480, 360}, {379, 114, 521, 300},
       {Step::RestorePlaylist, Step::ShowSettings}},
      {"2 on a tall screen", 2, {1280, 1600, 1560}, kPlaylist,
       {379, 805, 521, 250}, {399, 1055, 480, 360}, {379, 505, 521, 300},
       {Step::RestorePlaylist, Step::ShowSettings}},
      {"3", 3, {1280, 1024, 984}, kPlaylist, kMain, kSettings, kPlaylist,
       {Step::CloseSettings, Step::ClosePlaylist}},
      // Playlist above main on the left, settings on the right centred on the pair.
      {"4", 4, {1280, 1024, 984}, kPlaylist,
       {139, 537, 521, 250}, {660, 332, 480, 360}, {139, 237, 300, 300},
       {Step::ShowSettings, Step::ShowPlaylist}},
      {"no such arrangement", 9, {1280, 1024, 984}, kPlaylist, kMain, kSettings, kPlaylist, {}},
  };
  for (const Case& c : cases) Expect(c);
}

TEST(WindowArrangements, TheIndexStepsThroughAllNineAndWraps) {
  uint8_t i = 0;
  std::vector<int> seen;
  for (int n = 0; n < 11; ++n) {
    seen.push_back(i);
    i = NextArrangeIndex(i);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 1}));
}

}  // namespace

namespace {

TEST(WindowArrangements, TitleBarsOutsideTheWorkAreaAreBroughtBackNoFurtherThanNeeded) {
  const TWorkArea area{0, 0, 800, 560, 25};
  struct Move {
    const char* what;
    TWindowBounds in, out;
  } moves[] = {
      {"inside stays", {100, 100, 300, 200}, {100, 100, 300, 200}},
      {"above the top", {100, -167, 300, 200}, {100, 0, 300, 200}},
      {"title bar below the bottom", {100, 540, 300, 200}, {100, 535, 300, 200}},
      {"bottom edge only below", {100, 500, 300, 200}, {100, 500, 300, 200}},
      {"left of the left edge", {-48, 133, 480, 360}, {0, 133, 480, 360}},
      {"past the right edge", {600, 10, 300, 200}, {500, 10, 300, 200}},
      {"wider than the area", {-20, 10, 900, 200}, {0, 10, 900, 200}},
  };
  for (const Move& m : moves) {
    TArrangement a{m.in, m.in, m.in, {}};
    KeepTitleBarsInWorkArea(a, area);
    for (const TWindowBounds* b : {&a.main, &a.settings, &a.playlist}) {
      EXPECT_EQ(b->left, m.out.left) << m.what;
      EXPECT_EQ(b->top, m.out.top) << m.what;
      EXPECT_EQ(b->width, m.out.width) << m.what;
      EXPECT_EQ(b->height, m.out.height) << m.what;
    }
  }
  // A work area that does not start at the screen's corner (a taskbar on the top or the left).
  TArrangement a{{-5, 10, 300, 200}, {100, 20, 300, 200}, {100, 700, 300, 200}, {}};
  KeepTitleBarsInWorkArea(a, TWorkArea{40, 30, 800, 600, 25});
  EXPECT_EQ(a.main.left, 40);
  EXPECT_EQ(a.main.top, 30);
  EXPECT_EQ(a.settings.top, 30);
  EXPECT_EQ(a.playlist.top, 575);
}

}  // namespace
