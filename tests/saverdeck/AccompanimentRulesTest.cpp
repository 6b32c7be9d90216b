// The accompaniment's rules without windows: the file the settings call for, and what the toggle
// and restart commands do with the music that is loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AccompanimentRules.h"
#include "PlayRules.h"
#include "SaverDeckSeams.h"

namespace {

TEST(ExpectedAccompaniment, EachSourceNamesItsFileOrNothing) {
  const std::vector<std::wstring> two = {L"C:\\a.mp3", L"C:\\b.mp3"}, none;
  const std::wstring own = L"C:\\自选.mp3", builtIn = L"C:\\Syn\\xjwuqu.mid";
  const struct {
    int source;
    const std::vector<std::wstring>& list;
    int current;
    std::wstring own, builtIn, expected;
  } cases[] = {
      {0, two, 1, own, builtIn, L"C:\\b.mp3"},
      {0, two, kNoItem, own, builtIn, L"C:\\a.mp3"},  // none current: the first
      {1, two, kNoItem, own, builtIn, L"C:\\a.mp3"},
      {1, two, 0, L"", L"", L"C:\\a.mp3"},
      {0, none, kNoItem, own, builtIn, own},  // empty playlist: the own file first
      {1, none, kNoItem, L"", builtIn, builtIn},
      {0, none, kNoItem, L"", L"", L""},
      {2, two, 1, own, builtIn, own},
      {2, two, 1, L"", builtIn, L""},  // no own file: nothing, not the built-in one
      {3, two, 1, own, builtIn, builtIn},
      {3, two, 1, own, L"", L""},
      {4, two, 1, own, builtIn, L""},
      {-1, two, 1, own, builtIn, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpectedAccompaniment(c.source, c.list, c.current, c.own, c.builtIn), c.expected)
        << "source " << c.source << ", " << c.list.size() << " lines, current " << c.current;
}

TEST(ExpectedAccompaniment, IsWhatTheAccompanimentVariantOfPlayPlays) {
  // The toggle compares with the file that play will start: both come from one rule.
  const std::vector<std::wstring> lists[] = {{}, {L"C:\\a.mp3"}, {L"C:\\a.mp3", L"C:\\b.mp3"}};
  for (int source = 0; source <= 3; ++source)
    for (const auto& list : lists)
      for (int current : {kNoItem, 0, 1})
        for (const std::wstring& own : {std::wstring(), std::wstring(L"C:\\o.mp3")})
          for (const std::wstring& builtIn : {std::wstring(), std::wstring(L"C:\\i.mid")}) {
            if (current >= int(list.size())) continue;
            const TPlayChoice c =
                ChoosePlay(kPlayStateStopped, true, source, int(list.size()), current, own, builtIn);
            const std::wstring plays = c.kind == TPlayChoice::ListLine ? list[c.line]
                                       : c.kind == TPlayChoice::File   ? c.file
                                                                       : L"";
            EXPECT_EQ(ExpectedAccompaniment(source, list, current, own, builtIn), plays)
                << source << " " << list.size() << " " << current;
          }
}

TEST(ToggleStep, PausesResumesReplacesOrStarts) {
  using S = TToggleStep;
  const std::wstring a = L"C:\\伴音.mp3", other = L"C:\\别的.mp3";
  const int playing = kPlayStatePlaying, paused = kPlayStatePaused, stopped = kPlayStateStopped;
  const struct {
    int state;
    std::wstring lastURL, expected;
    bool force;
    S step;
  } cases[] = {
      {playing, a, a, false, S::Pause},
      {paused, a, a, false, S::Resume},
      {playing, a, a, true, S::Restart},  // the restart command starts it anew
      {paused, a, a, true, S::Restart},
      {playing, other, a, false, S::Restart},  // other music gives way to the accompaniment
      {paused, other, a, false, S::Restart},
      {playing, L"c:\\伴音.MP3", a, false, S::Restart},  // compared exactly
      {playing, L"", a, false, S::Restart},
      {stopped, a, a, false, S::Play},
      {stopped, other, a, true, S::Play},
      {0, L"", a, false, S::Play},
      {9, a, a, false, S::Play},  // a file still opening
      // Nothing to play: the loaded music is only paused or resumed, never stopped for nothing.
      {playing, other, L"", false, S::Pause},
      {paused, other, L"", false, S::Resume},
      {playing, other, L"", true, S::Pause},
      {stopped, other, L"", false, S::Play},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ToggleStep(c.state, c.lastURL, c.expected, c.force), c.step)
        << c.state << " " << testing::PrintToString(c.lastURL) << " force " << c.force;
}

}  // namespace
