// The playback rules without windows: the advance by play mode, next and previous, the play step.
#include <gtest/gtest.h>

#include <string>

#include "PlayRules.h"
#include "SaverDeckSeams.h"

namespace {

const char* ModeName(TPlayMode m) {
  static const char* names[] = {"Single", "LoopSingle", "ShunXu", "NiXu", "LoopShunXu", "LoopNiXu", "Random"};
  return names[int(m)];
}

TEST(PlayModes, AFileEndFollowsTheMode) {
  const int none = kNoItem;
  const struct {
    TPlayMode mode;
    int count, current, expected;
  } cases[] = {
      {TPlayMode::ShunXu, 3, 2, none},       {TPlayMode::ShunXu, 3, 0, 1},
      {TPlayMode::ShunXu, 3, 1, 2},          {TPlayMode::ShunXu, 1, 0, none},
      {TPlayMode::ShunXu, 3, none, 0},       {TPlayMode::LoopShunXu, 3, 2, 0},
      {TPlayMode::LoopShunXu, 1, 0, 0},      {TPlayMode::LoopShunXu, 3, 1, 2},
      {TPlayMode::LoopShunXu, 3, none, 0},   {TPlayMode::NiXu, 3, 0, none},
      {TPlayMode::NiXu, 3, 2, 1},            {TPlayMode::NiXu, 1, 0, none},
      {TPlayMode::LoopNiXu, 3, 0, 2},        {TPlayMode::LoopNiXu, 3, 2, 1},
      {TPlayMode::LoopNiXu, 1, 0, 0},        {TPlayMode::LoopSingle, 3, 1, 1},
      {TPlayMode::LoopSingle, 1, 0, 0},      {TPlayMode::Single, 3, 1, none},
      {TPlayMode::Single, 3, none, none},
      // No current line (it was removed while another file played): never a line before the first.
      {TPlayMode::LoopSingle, 3, none, 0},   {TPlayMode::NiXu, 3, none, 2},
      {TPlayMode::LoopNiXu, 3, none, 2},     {TPlayMode::NiXu, 1, none, none},
      {TPlayMode::LoopNiXu, 1, none, 0},
      // An empty list plays nothing in any mode.
      {TPlayMode::LoopShunXu, 0, none, none}, {TPlayMode::Random, 0, none, none},
      {TPlayMode::LoopSingle, 0, none, none},
  };
  auto noRandom = [](int) {
    ADD_FAILURE() << "only the random mode draws";
    return 0;
  };
  for (const auto& c : cases)
    EXPECT_EQ(AdvanceByMode(c.mode, c.count, c.current, noRandom), c.expected)
        << ModeName(c.mode) << " (" << c.count << ", " << c.current << ")";
}

TEST(PlayModes, RandomDrawsOverTheWholeListAndMayRepeat) {
  int asked = 0;
  EXPECT_EQ(AdvanceByMode(TPlayMode::Random, 5, 3, [&](int n) { return asked = n, 3; }), 3);  // the same again
  EXPECT_EQ(asked, 5);
  EXPECT_EQ(AdvanceByMode(TPlayMode::Random, 5, kNoItem, [](int n) { return n - 1; }), 4);
}

TEST(PlayModes, EachMenuItemNameChoosesItsMode) {
  for (int i = 0; i < kPlayModeCount; ++i) {
    TPlayMode m = TPlayMode::Single;
    EXPECT_TRUE(PlayModeOfItemName(kPlayModeItemNames[i], m));
    EXPECT_EQ(int(m), i);
  }
  TPlayMode m = TPlayMode::Random;
  for (const wchar_t* other : {L"NPlay", L"", L"nmodesingle", L"NModeSingle "})
    EXPECT_FALSE(PlayModeOfItemName(other, m));
  EXPECT_EQ(m, TPlayMode::Random);
}

TEST(PlayModes, NextAndPreviousWrapAndNeedEnoughLines) {
  const int none = kNoItem;
  const struct {
    int count, current, next, previous;
  } cases[] = {
      {0, none, none, none}, {1, 0, 0, none},    {1, none, 0, none}, {2, 0, 1, 1},
      {2, 1, 0, 0},          {3, 1, 2, 0},       {3, 2, 0, 1},       {3, 0, 1, 2},
      {3, none, 0, none},  // previous with no current line: none, so play takes the first
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextLine(c.count, c.current), c.next) << c.count << " " << c.current;
    EXPECT_EQ(PreviousLine(c.count, c.current), c.previous) << c.count << " " << c.current;
  }
}

TEST(PlayStep, ChoosesWhatPlays) {
  using K = TPlayChoice;
  const std::wstring own = L"C:\\own.mp3", builtIn = L"C:\\builtin.mid";
  const struct {
    int state;
    bool accompaniment;
    int source, count, current;
    std::wstring ownFile, builtInFile;
    K::Kind kind;
    int line;
    std::wstring file;
  } cases[] = {
      {kPlayStatePlaying, false, 0, 3, 1, own, builtIn, K::Nothing, kNoItem, L""},
      {kPlayStatePlaying, true, 2, 3, 1, own, builtIn, K::Nothing, kNoItem, L""},
      // Paused: plays the current line anew; resuming is the pause button's job.
      {kPlayStatePaused, false, 0, 3, 1, own, builtIn, K::ListLine, 1, L""},
      {kPlayStateStopped, false, 0, 3, kNoItem, own, builtIn, K::ListLine, 0, L""},
      {0, false, 2, 3, 2, own, builtIn, K::ListLine, 2, L""},  // the source counts only for a run
      {kPlayStateStopped, false, 0, 0, kNoItem, own, builtIn, K::AddThenAsk, kNoItem, L""},
      {kPlayStateStopped, true, 2, 3, 1, own, builtIn, K::File, kNoItem, own},
      {kPlayStateStopped, true, 2, 3, 1, L"", builtIn, K::Nothing, kNoItem, L""},
      {kPlayStateStopped, true, 3, 3, 1, own, builtIn, K::File, kNoItem, builtIn},
      {kPlayStateStopped, true, 3, 3, 1, own, L"", K::Nothing, kNoItem, L""},
      {kPlayStateStopped, true, 0, 3, 1, own, builtIn, K::ListLine, 1, L""},
      {kPlayStateStopped, true, 1, 3, kNoItem, own, builtIn, K::ListLine, 0, L""},
      {kPlayStateStopped, true, 1, 0, kNoItem, own, builtIn, K::File, kNoItem, own},
      {kPlayStateStopped, true, 0, 0, kNoItem, L"", builtIn, K::File, kNoItem, builtIn},
      {kPlayStateStopped, true, 0, 0, kNoItem, L"", L"", K::Nothing, kNoItem, L""},
  };
  int row = 0;
  for (const auto& c : cases) {
    TPlayChoice got = ChoosePlay(c.state, c.accompaniment, c.source, c.count, c.current, c.ownFile, c.builtInFile);
    EXPECT_EQ(got.kind, c.kind) << "row " << row;
    EXPECT_EQ(got.line, c.line) << "row " << row;
    EXPECT_EQ(got.file, c.file) << "row " << row;
    ++row;
  }
  EXPECT_EQ(FallbackMusic(own, builtIn), own);
  EXPECT_EQ(FallbackMusic(L"", builtIn), builtIn);
  EXPECT_EQ(FallbackMusic(L"", L""), L"");
}

}  // namespace
