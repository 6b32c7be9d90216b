// The player's plain rules: the second start's hand-over, the command table, the button row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "SaverDeckCommands.h"
#include "uniQVShare.h"

namespace {

TEST(HandOver, OnlyExactlySlashCapitalLWithAPathHandsAPlaylistOver) {
  const struct {
    std::vector<std::wstring> args;
    bool handsOver;
    const wchar_t* path;
  } cases[] = {
      {{L"/L", L"C:\\歌曲\\列表.qvml"}, true, L"C:\\歌曲\\列表.qvml"},
      {{L"/L", L"x", L"y"}, true, L"x"},  // only the first two count
      {{L"/l", L"x"}, false, L""},         // letter case counts
      {{L"/L"}, false, L""},
      {{L"/A", L"x"}, false, L""},
      {{L"x", L"/L"}, false, L""},
      {{}, false, L""},
  };
  for (const auto& c : cases) {
    std::wstring path = L"untouched";
    EXPECT_EQ(PlaylistHandOverPath(c.args, path), c.handsOver) << c.args.size();
    if (c.handsOver) EXPECT_EQ(path, c.path);
    else EXPECT_EQ(path, L"untouched");
  }
}

TEST(CommandTable, EachMessageAsksItsOperation) {
  const struct {
    UINT msg;
    TPlayerOp op;
    int random, music;
    bool force;
  } cases[] = {
      {0x1710, TPlayerOp::ShowAndLoadList, 0, 0, false},
      {0x8184, TPlayerOp::ToggleAccomp, 0, 0, false},
      {0x8185, TPlayerOp::NextMusic, 0, 0, false},
      {0x8186, TPlayerOp::ScrRun, 0, 1, false},  // in turn, without music
      {0x8187, TPlayerOp::ScrRun, 1, 1, false},  // random, without music
      {0x8188, TPlayerOp::ScrRun, 0, 0, false},  // in turn, with music
      {0x8189, TPlayerOp::ScrRun, 1, 0, false},  // random, with music
      {0x8190, TPlayerOp::SetupAccomp, 0, 0, false},
      {0x8191, TPlayerOp::ScrRun, 0, kMusicAsSet, false},
      {0x8192, TPlayerOp::ScrRun, 1, kMusicAsSet, false},
      {0x8193, TPlayerOp::ScrRun, 0, kMusicAsSet, false},
      {0x8194, TPlayerOp::ShowHide, 0, 0, false},
      {0x8197, TPlayerOp::ShowPlay, 0, 0, false},
      {0x8198, TPlayerOp::ToggleAccomp, 0, 0, true},
      {0x8199, TPlayerOp::StopMusic, 0, 0, false},
      {0x403, TPlayerOp::Tray, 0, 0, false},
  };
  for (const auto& c : cases) {
    const TCommandAction* a = CommandActionFor(c.msg);
    ASSERT_NE(a, nullptr) << std::hex << c.msg;
    EXPECT_EQ(a->op, c.op) << std::hex << c.msg;
    EXPECT_EQ(a->random, c.random) << std::hex << c.msg;
    EXPECT_EQ(a->music, c.music) << std::hex << c.msg;
    EXPECT_EQ(a->force, c.force) << std::hex << c.msg;
  }
}

TEST(CommandTable, TheTwoCommandsWithoutAReceiverAndOtherMessagesAskNothing) {
  for (UINT msg : {0x8195u, 0x8196u, 0x818Au, 0x818Bu, 0x818Cu, 0x818Du, 0x818Eu, 0x818Fu, 0x8183u, 0x819Au,
                   0x1711u, 0x402u, 0x404u, UINT(WM_USER)})
    EXPECT_EQ(CommandActionFor(msg), nullptr) << std::hex << msg;
}

TEST(CommandTable, EverySiblingCommandOfThePlayerIsAMessageOfTheTable) {
  // The siblings' side of the same table: every command they can send arrives somewhere or, for
  // the two without a receiver, nowhere.
  for (SiblingCommand cmd = 0; cmd <= 16; ++cmd) {
    UINT msg = CommandMessage(pcSaverDeck, cmd);
    ASSERT_NE(msg, 0u) << int(cmd);
    EXPECT_EQ(CommandActionFor(msg) == nullptr, msg == 0x8195 || msg == 0x8196) << std::hex << msg;
  }
}

TEST(ButtonRow, EachButtonOverlapsThePreviousByOnePixel) {
  const struct {
    int first;
    std::vector<int> widths;
    std::vector<int> lefts;
  } cases[] = {
      {84, {44, 44, 44, 52, 52, 44, 30, 44}, {84, 127, 170, 213, 264, 315, 358, 387}},
      {0, {30}, {0}},
      {10, {1, 1, 1}, {10, 10, 10}},
      {5, {}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ButtonRowLefts(c.first, c.widths), c.lefts) << c.first;
}

TEST(MainWindowPlace, CentredOnTheScreenWidthAndTheWorkAreaHeightTruncating) {
  const struct {
    int sw, wh, w, h, left, top;
  } cases[] = {
      {1280, 760, 521, 245, 379, 257},
      {1024, 728, 520, 244, 252, 242},
      {800, 570, 521, 245, 139, 162},
      {400, 300, 521, 245, -60, 27},  // a window wider than the screen: -60.5 truncates to -60
  };
  for (const auto& c : cases) {
    POINT p = CentredFormPlace(c.sw, c.wh, c.w, c.h);
    EXPECT_EQ(p.x, c.left) << c.sw;
    EXPECT_EQ(p.y, c.top) << c.sw;
  }
}

}  // namespace
