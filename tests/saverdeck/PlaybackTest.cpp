// Playback through the media player: the transport buttons, the play modes and the advance at a
// file's end, the open dialog, missing files, and the real control under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PlayerFixture.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

using Log = std::vector<std::wstring>;

class Playback : public PlayerForms {
 protected:
  void SetUp() override {
    PlayerForms::SetUp();
    list = frmMusicList->CheckListBox1;
  }
  // Music files that exist (the fake control reads nothing of them), put in the playlist.
  std::vector<std::wstring> FillList(int n) {
    std::vector<std::wstring> files;
    for (int i = 0; i < n; ++i) {
      files.push_back(folder / (L"曲" + std::to_wstring(i + 1) + L".wav"));
      WriteTextLines(files.back(), {L"RIFF"});
    }
    list->Items.Assign(files);
    return files;
  }
  static Log Played(const std::wstring& file) { return {L"URL " + file, L"play"}; }
  // A click on a transport button, as the mouse gives it.
  static void Click(TSpeedButton* b) { ClickWithMouse(b->Handle()); }
  // A click on a line of the playlist, on its text.
  void ClickLine(int i) {
    RECT r{};
    SendMessageW(list->Handle(), LB_GETITEMRECT, WPARAM(i), LPARAM(&r));
    ClickWithMouse(list->Handle(), r.left + 60, r.top + 2);
  }
  // The one-shot advance, fired as its second runs out.
  bool AdvancePending() const { return main->Music1to2Timer->Enabled(); }
  void FireAdvance() {
    ASSERT_TRUE(AdvancePending()) << "no advance armed";
    main->Music1to2Timer->Timer();
  }
  TMenuItem* ListItem(const wchar_t* name) const {
    return dynamic_cast<TMenuItem*>(frmMusicList->FindComponent(name));
  }
  TMenuItem* MainItem(const wchar_t* name) const { return dynamic_cast<TMenuItem*>(main->FindComponent(name)); }

  TestFolder folder{L"qvplayback"};
  TCheckListBox* list = nullptr;
};

TEST_F(Playback, TheTransportButtonsPlayPauseResumeAndStop) {
  auto files = FillList(3);
  Click(main->bbtPlay);
  EXPECT_EQ(list->ItemIndex(), 0) << "no line was current: the first";
  EXPECT_EQ(media.log, Played(files[0]));
  EXPECT_EQ(media.PlayState(), kPlayStatePlaying);

  media.log.clear();
  Click(main->bbtPlay);
  EXPECT_EQ(media.log, Log{}) << "play while playing does nothing";
  Click(main->bbtPause);
  EXPECT_EQ(media.PlayState(), kPlayStatePaused);
  Click(main->bbtPause);
  EXPECT_EQ(media.PlayState(), kPlayStatePlaying) << "pause again resumes";
  EXPECT_EQ(media.log, (Log{L"pause", L"play"}));

  media.log.clear();
  Click(main->bbtStop);
  EXPECT_EQ(media.log, Log{L"stop"});
  EXPECT_EQ(media.PlayState(), kPlayStateStopped);
  EXPECT_FALSE(AdvancePending()) << "a stop command is not the end of a file";
  EXPECT_EQ(main->FUserStopped, 0) << "its report took the mark";

  // The next real end advances.
  ClickBarItem(main->NPlayMusic);
  EXPECT_EQ(list->ItemIndex(), 0);
  media.End();
  FireAdvance();
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(Playback, PauseHoldsTheMusicWhetherTheControlPausesOrNot) {
  const struct {
    const char* name;
    bool refuses;  // Wine's control answers pause with E_NOTIMPL
    Log paused, resumed;
  } cases[] = {
      {"the control pauses", false, {L"pause"}, {L"play"}},
      {"the control refuses: stopped where it stood", true, {L"pause", L"stop"},
       {L"play", L"position " + std::to_wstring(61.5)}},
  };
  auto files = FillList(2);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMediaPlayer fresh;
    fresh.refusePause = c.refuses;
    list->SetItemIndex(0);
    main->bbtPlayClick(nullptr);
    main->HidePlayer();
    fresh.log.clear();
    Click(main->bbtPause);
    EXPECT_EQ(fresh.log, c.paused);
    EXPECT_EQ(fresh.PlayState(), kPlayStatePaused);
    EXPECT_FALSE(AdvancePending()) << "the pause is no end of a file";
    fresh.log.clear();
    Click(main->bbtPause);
    EXPECT_EQ(fresh.log, c.resumed);
    EXPECT_EQ(fresh.PlayState(), kPlayStatePlaying);

    // Paused again, the sibling's show-and-play command shows the player and plays; a player that
    // still counted as playing would only toggle its window.
    Click(main->bbtPause);
    fresh.log.clear();
    PostMessageW(main->Handle(), WM_SAVERDECK_SHOWPLAY, 0, 0);
    PumpMessages();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(fresh.log, Played(files[0]));
    EXPECT_EQ(fresh.PlayState(), kPlayStatePlaying);
    EXPECT_FALSE(AdvancePending()) << "the held music's stop is no end of a file";

    // A stop of held music is taken as the stop command it is.
    Click(main->bbtPause);
    fresh.log.clear();
    Click(main->bbtStop);
    EXPECT_EQ(fresh.PlayState(), kPlayStateStopped);
    EXPECT_EQ(main->FUserStopped, 0);
    EXPECT_FALSE(AdvancePending());
  }
}

TEST_F(Playback, PlayWhilePausedPlaysTheCurrentLineAnewWithoutAnAdvance) {
  auto files = FillList(3);
  list->SetItemIndex(1);
  main->bbtPlayClick(nullptr);
  main->bbtPauseClick(nullptr);
  media.log.clear();
  Click(main->bbtPlay);
  EXPECT_EQ(media.log, Played(files[1]));
  EXPECT_FALSE(AdvancePending()) << "the stop that the new URL raised is not an end";
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(Playback, NextAndPreviousMoveTheSelectionWrapAndPlay) {
  const int none = -1;
  const struct {
    int lines, current;
    bool next;
    int selected;  // after the click; none with nothing played
    bool plays;
  } cases[] = {
      {0, none, true, none, false},  {0, none, false, none, false}, {1, 0, true, 0, true},
      {1, 0, false, 0, false},       {3, 2, true, 0, true},         {3, 0, true, 1, true},
      {3, none, true, 0, true},      {3, 0, false, 2, true},        {3, 2, false, 1, true},
      {3, none, false, 0, true},  // no current line: previous leaves none, and play takes the first
  };
  for (const auto& c : cases) {
    auto files = FillList(c.lines);
    list->SetItemIndex(c.current);
    media.SetState(kPlayStatePlaying);
    media.log.clear();
    Click(c.next ? main->bbtNext : main->bbtPrev);
    const std::string what = std::to_string(c.lines) + " lines, current " + std::to_string(c.current) +
                             (c.next ? ", next" : ", previous");
    EXPECT_EQ(list->ItemIndex(), c.selected) << what;
    if (c.plays) {
      Log expected{L"stop"};
      for (const auto& l : Played(files[size_t(c.selected)])) expected.push_back(l);
      EXPECT_EQ(media.log, expected) << what;
    } else {
      EXPECT_EQ(media.log, Log{}) << what;
    }
    EXPECT_FALSE(AdvancePending()) << what;
  }
}

TEST_F(Playback, AFileEndPlaysWhatTheModeChoosesOneSecondLater) {
  EXPECT_EQ(main->PlayMode(), TPlayMode::ShunXu) << "every start begins in sequence";
  const struct {
    const wchar_t* item;
    int current, next;  // in a three-line list; -1: nothing more plays
  } cases[] = {
      {L"NModeSingle", 1, -1},    {L"NModeLoopSingle", 1, 1}, {L"NModeShunXu", 1, 2},
      {L"NModeShunXu", 2, -1},    {L"NModeNiXu", 1, 0},       {L"NModeNiXu", 0, -1},
      {L"NModeLoopShunXu", 2, 0}, {L"NModeLoopNiXu", 0, 2},   {L"NModeLoopSingle", -1, 0},
      {L"NModeNiXu", -1, 2},      {L"NModeLoopNiXu", -1, 2},
  };
  auto files = FillList(3);
  for (const auto& c : cases) {
    ClickBarItem(MainItem(c.item));
    list->SetItemIndex(c.current);
    media.SetState(kPlayStatePlaying);
    media.End();
    EXPECT_EQ(main->Music1to2Timer->Interval(), 1000u);
    media.log.clear();
    FireAdvance();
    EXPECT_FALSE(AdvancePending());
    if (c.next < 0) {
      EXPECT_EQ(media.log, Log{}) << Narrow(c.item) << " " << c.current;
      EXPECT_EQ(list->ItemIndex(), c.current) << Narrow(c.item);
    } else {
      EXPECT_EQ(media.log, Played(files[size_t(c.next)])) << Narrow(c.item) << " " << c.current;
      EXPECT_EQ(list->ItemIndex(), c.next) << Narrow(c.item);
    }
  }
  // Random: some line of the list, played.
  ClickBarItem(MainItem(L"NModeRandom"));
  media.End();
  media.log.clear();
  FireAdvance();
  ASSERT_GE(list->ItemIndex(), 0);
  EXPECT_EQ(media.log, Played(files[size_t(list->ItemIndex())]));
}

TEST_F(Playback, ASecondEndReportBeforeTheTimerFiresAdvancesOnce) {
  auto files = FillList(3);
  main->bbtPlayClick(nullptr);
  media.End();
  media.Raise(kPlayStateStopped);
  media.log.clear();
  FireAdvance();
  EXPECT_EQ(media.log, Played(files[1]));
  EXPECT_FALSE(AdvancePending());
  EXPECT_EQ(list->ItemIndex(), 1);
  // Other states arm nothing.
  for (int state : {0, 2, 3, 6, 8, 9, 10}) media.Raise(state);
  EXPECT_FALSE(AdvancePending());
}

TEST_F(Playback, AStopFromStoppedLeavesTheNextEndToAdvance) {
  // A playlist load stops, then plays: from stopped, the stop brings no report.
  auto files = FillList(2);
  std::wstring qvml = folder / L"两首.qvml";
  WriteTextLines(qvml, files);
  list->Items.Clear();
  frmMusicList->procLoadPlayList(qvml);
  EXPECT_EQ(media.log, (Log{L"stop", L"URL " + files[0], L"play"}));
  EXPECT_EQ(main->FUserStopped, 0);
  media.End();
  FireAdvance();
  EXPECT_EQ(list->ItemIndex(), 1) << "sequence went on after the first track";
  media.End();
  FireAdvance();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(media.PlayState(), kPlayStateStopped) << "and stopped after the last";

  // Next from stopped likewise.
  list->SetItemIndex(0);
  main->bbtNextClick(nullptr);
  EXPECT_EQ(list->ItemIndex(), 1);
  media.End();
  EXPECT_TRUE(AdvancePending());
}

TEST_F(Playback, ALineClickedWhilePlayingIsWhatPlaysAndCallsOffAWaitingAdvance) {
  auto files = FillList(3);
  main->bbtPlayClick(nullptr);
  media.log.clear();
  ClickLine(2);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(media.log, Played(files[2]));
  EXPECT_FALSE(AdvancePending()) << "the old file's stop is not an end";

  media.End();
  ASSERT_TRUE(AdvancePending());
  ClickLine(1);
  EXPECT_FALSE(AdvancePending()) << "the chosen file is not replaced a second later";
  EXPECT_EQ(media.log.back(), L"play");
  EXPECT_EQ(media.log[media.log.size() - 2], L"URL " + files[1]);

  // The playlist window's "新建..." while playing: the new first file plays and stays.
  ScriptedDialogs dialogs;
  std::wstring fresh = folder / L"新.wav";
  WriteTextLines(fresh, {L"RIFF"});
  dialogs.ChooseFile(fresh);
  ListItem(L"NNewMusicList")->Click();
  EXPECT_EQ(list->Items.List(), std::vector<std::wstring>{fresh});
  EXPECT_EQ(media.log.back(), L"play");
  EXPECT_FALSE(AdvancePending());
}

TEST_F(Playback, AMissingFileIsReportedKeptAndNothingPlays) {
  auto files = FillList(1);
  const std::wstring missing = folder / L"不在.mp3";
  list->Items.Assign({files[0], missing, L"", folder.Path()});
  for (int line : {1, 2, 3}) {
    ScriptedDialogs dialogs;
    dialogs.Answer(IDOK);
    media.log.clear();
    LastErrorText.clear();
    ClickLine(line);
    ASSERT_EQ(dialogs.shown.size(), 1u) << line;
    const std::wstring text = L"你要播放的音乐文件\"" + list->Items[line] + L"\"不存在！请检查文件是否被更名、删除或移走？";
    EXPECT_EQ(dialogs.shown[0].text, text);
    EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
    EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OK));
    EXPECT_EQ(dialogs.shown[0].owner, nullptr);
    EXPECT_EQ(LastErrorText, text);
    EXPECT_EQ(media.log, Log{}) << line;
    EXPECT_EQ(list->Items.Count(), 4);
  }
  // An advance onto the missing line reports it and does not skip on.
  list->SetItemIndex(0);
  main->bbtPlayClick(nullptr);
  media.End();
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  FireAdvance();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_FALSE(AdvancePending());
}

TEST_F(Playback, TheModeItemsOfBothMenusMarkOneModeInBoth) {
  const wchar_t* const names[] = {L"NModeSingle", L"NModeLoopSingle", L"NModeShunXu", L"NModeNiXu",
                                  L"NModeLoopShunXu", L"NModeLoopNiXu", L"NModeRandom"};
  auto marks = [&] {
    std::wstring m;
    for (const wchar_t* n : names) m += std::wstring(MainItem(n)->Checked ? L"x" : L"-") + (ListItem(n)->Checked ? L"x" : L"-");
    return m;
  };
  EXPECT_EQ(marks(), L"----xx--------");
  ClickBarItem(MainItem(L"NModeRandom"));
  EXPECT_EQ(marks(), L"------------xx");
  EXPECT_EQ(main->PlayMode(), TPlayMode::Random);
  ListItem(L"NModeLoopSingle")->Click();
  EXPECT_EQ(marks(), L"--xx----------");
  EXPECT_EQ(main->PlayMode(), TPlayMode::LoopSingle);
  // Any other sender changes nothing; choosing never touches playback.
  main->NModeSingleClick(main->NPlayMusic);
  main->NModeSingleClick(nullptr);
  main->NModeSingleClick(main->bbtPlay);
  EXPECT_EQ(marks(), L"--xx----------");
  EXPECT_EQ(media.log, Log{});
}

TEST_F(Playback, AddingFilesAppendsThemAndPlaysTheFirstIntoAnEmptyList) {
  frmSetupSaverDeck->cbbMusDir->Items.Assign({L"D:\\歌", L"E:\\乐"});
  frmSetupSaverDeck->cbbMusDir->SetItemIndex(1);
  std::vector<std::wstring> added;
  for (const wchar_t* n : {L"a.wav", L"b.mp3", L"c.wma"}) {
    added.push_back(folder / n);
    WriteTextLines(added.back(), {L"x"});
  }
  {
    ScriptedDialogs dialogs;
    dialogs.ChooseFiles(added);
    LeaveMusicModePlaces();
    Click(main->bbtOpen);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, ScriptedDialogs::kOpenFile);
    EXPECT_EQ(dialogs.asked[0].title, L"打开音乐");
    EXPECT_EQ(dialogs.asked[0].filter, L"音乐文件|*.wav;*.wma;*.mp3;*.mid;*.midi");
    EXPECT_EQ(dialogs.asked[0].initialDir, L"E:\\乐");
    EXPECT_TRUE(dialogs.asked[0].flags & OFN_ALLOWMULTISELECT);
    EXPECT_TRUE(InMusicModePlaces());
    EXPECT_EQ(list->Items.List(), added);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(media.log, Played(added[0]));
  }
  {
    // A list with lines keeps playing what it played; doubles are kept; Ctrl+A's menu item.
    ScriptedDialogs dialogs;
    dialogs.ChooseFiles({added[1]});
    media.log.clear();
    frmSetupSaverDeck->cbbMusDir->SetItemIndex(-1);
    ClickBarItem(main->NAddMusic);
    EXPECT_EQ(dialogs.asked.at(0).initialDir, L"");
    EXPECT_EQ(list->Items.Count(), 4);
    EXPECT_EQ(list->Items[3], added[1]);
    EXPECT_EQ(media.log, Log{});
  }
  {
    // Cancel: the arrangement still happened, nothing else.
    ScriptedDialogs dialogs;
    dialogs.CancelDialog();
    LeaveMusicModePlaces();
    main->bbtOpenClick(nullptr);
    EXPECT_TRUE(InMusicModePlaces());
    EXPECT_EQ(list->Items.Count(), 4);
  }
  {
    // Unticked "添加音乐后立即开始播放": into an empty list, nothing plays.
    frmSetupSaverDeck->cbxPlayImediately->SetChecked(false);
    list->Items.Clear();
    ScriptedDialogs dialogs;
    dialogs.ChooseFiles(added);
    media.log.clear();
    main->bbtOpenClick(nullptr);
    EXPECT_EQ(list->Items.Count(), 3);
    EXPECT_EQ(media.log, Log{});
  }
}

TEST_F(Playback, AChoiceTooLongForTheDialogsBufferIsAskedAgainNotTakenAsCancel) {
  // 500 names of 200 characters: more than the first buffer holds.
  std::vector<std::wstring> many;
  for (int i = 0; i < 500; ++i) {
    std::wstring name = std::to_wstring(i) + L"_" + std::wstring(196, L'长') + L".mp3";
    many.push_back(L"C:\\音乐\\" + name.substr(0, 200));
  }
  ScriptedDialogs dialogs;
  dialogs.ChooseFiles(many);
  dialogs.Answer(IDOK);  // the first file is not on disk
  main->bbtOpenClick(nullptr);
  EXPECT_EQ(dialogs.asked.size(), 2u) << "asked again with a bigger buffer";
  EXPECT_EQ(list->Items.List(), many);
}

TEST_F(Playback, PlayOnAnEmptyListOffersTheDialogThenTheOwnOrBuiltInMusic) {
  const std::wstring own = folder / L"自选.wav";
  WriteTextLines(own, {L"x"});
  const struct {
    int answer;
    std::wstring ownFile, builtIn;
    Log played;
  } cases[] = {
      {IDNO, own, L"", {}},
      {IDYES, own, L"", Played(own)},
      {IDYES, L"", own, Played(own)},
      {IDYES, L"", L"", {}},
  };
  for (const auto& c : cases) {
    frmSetupSaverDeck->edtSelfSelectBanYing->SetText(c.ownFile);
    BuiltInAccompaniment = c.builtIn;
    ScriptedDialogs dialogs;
    dialogs.CancelDialog();
    dialogs.Answer(c.answer);
    media.SetState(kPlayStateStopped);
    media.log.clear();
    ClickBarItem(main->NPlayMusic);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"你还没有添加音乐文件，是否要播放预设或内置的音乐？");
    EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
    EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(media.log, c.played) << c.answer << " " << Narrow(c.ownFile) << " " << Narrow(c.builtIn);
  }
  BuiltInAccompaniment.clear();
  // Files chosen in the dialog: they play, and no question follows.
  ScriptedDialogs dialogs;
  dialogs.ChooseFile(own);
  media.log.clear();
  main->bbtPlayClick(nullptr);
  EXPECT_EQ(dialogs.shown.size(), 0u);
  EXPECT_EQ(media.log, Played(own));
}

TEST_F(Playback, TheAccompanimentOfAnOutsideRunFollowsTheOutsideSource) {
  auto files = FillList(2);
  const std::wstring own = folder / L"伴音.wav";
  WriteTextLines(own, {L"x"});
  frmSetupSaverDeck->edtSelfSelectBanYing->SetText(own);
  frmSetupSaverDeck->cbbBanYingForAutoScr->SetItemIndex(2);
  main->cbbBanYing->SetItemIndex(1);
  main->FExternalCall = 0;
  main->bbtPlayClick(main->NPlayScrWithMusic);
  EXPECT_EQ(media.log, Played(files[0])) << "the user's own source: the playlist";
  main->bbtStopClick(nullptr);
  main->FExternalCall = 1;
  media.log.clear();
  main->bbtPlayClick(main->NPlayScrWithMusic);
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 2);
  EXPECT_EQ(media.log, Played(own));
  // An own file's end advances through the playlist all the same.
  media.End();
  EXPECT_TRUE(AdvancePending());
}

TEST_F(Playback, NextCommandTwiceMovesTheSelectionTwiceAndStopCommandStops) {
  auto files = FillList(3);
  main->bbtPlayClick(nullptr);
  media.log.clear();
  Send(WM_SAVERDECK_NEXTMUSIC);
  Send(WM_SAVERDECK_NEXTMUSIC);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(media.log.back(), L"play");
  EXPECT_EQ(media.log[media.log.size() - 2], L"URL " + files[2]);
  EXPECT_EQ(main->FExternalCall, 0);
  Send(WM_SAVERDECK_STOPMUSIC);
  EXPECT_EQ(media.PlayState(), kPlayStateStopped);
  EXPECT_FALSE(AdvancePending());
}

// The real control under Wine, without a window: a .wav opens and plays (gstreamer's good plugins,
// the ALSA null device), a .mid never opens and the transport then leaves the control alone.
TEST(RealMediaPlayer, PlaysAWavAndLeavesMediaThatDidNotOpenAlone) {
  TestFolder folder{L"qvwmp"};
  const std::wstring wav = folder / L"一秒.wav", mid = folder / L"曲.mid";
  ASSERT_TRUE(WriteToneWav(wav, 1000));
  WriteTextLines(mid, {L"MThd"});
  std::vector<int> reports;
  SetPlayStateListener([&](int s) { reports.push_back(s); });
  {
    MediaPlayerSeam player;
    player.SetURL(mid);
    player.Play();
    player.Pause();
    player.Stop();
    EXPECT_NE(player.PlayState(), kPlayStatePlaying);

    reports.clear();
    player.SetURL(wav);
    player.Play();
    EXPECT_TRUE(WaitFor([&] {
      PumpMessages();
      return player.PlayState() == kPlayStatePlaying || player.PlayState() == kPlayStateStopped;
    }, 10000)) << "last state " << player.PlayState();
    EXPECT_NE(std::find(reports.begin(), reports.end(), kPlayStatePlaying), reports.end());
    // To its end: a report of 1 comes by itself.
    EXPECT_TRUE(WaitFor([&] {
      PumpMessages();
      return player.PlayState() == kPlayStateStopped;
    }, 15000)) << "last state " << player.PlayState();
    player.Close();
  }
  SetPlayStateListener(nullptr);
}

// The real control with its calls watched: what it answers to pause, where it stands, and whether
// it takes a seek.
class WatchedRealPlayer : public MediaPlayerSeam {
 public:
  bool ControlPause() override { return pauseTaken = MediaPlayerSeam::ControlPause(); }
  bool ControlSetPosition(double seconds) override { return seekTaken = MediaPlayerSeam::ControlSetPosition(seconds); }
  double Position() {
    double at = -1;
    return ControlPosition(at) ? at : -1;
  }
  bool pauseTaken = false, seekTaken = false;
};

// Under Wine the control refuses pause: the music is held where it stood and goes on from there.
TEST(RealMediaPlayer, APausedWavIsHeldAndGoesOnFromWhereItStood) {
  TestFolder folder{L"qvwmp"};
  const std::wstring wav = folder / L"八秒.wav";
  ASSERT_TRUE(WriteToneWav(wav, 8000));
  std::vector<int> reports;
  SetPlayStateListener([&](int s) { reports.push_back(s); });
  {
    WatchedRealPlayer player;
    player.SetURL(wav);
    player.Play();
    auto stateIs = [&](int state) {
      return WaitFor([&] {
        PumpMessages();
        return player.PlayState() == state;
      }, 10000);
    };
    ASSERT_TRUE(stateIs(kPlayStatePlaying)) << "last state " << player.PlayState();
    // Some way in, so that the place shows.
    ASSERT_TRUE(WaitFor([&] {
      PumpMessages();
      return player.Position() >= 1.0;
    }, 10000)) << "at " << player.Position();
    reports.clear();
    EXPECT_TRUE(player.Pause());
    EXPECT_EQ(player.PlayState(), kPlayStatePaused) << "pause taken: " << player.pauseTaken;
    EXPECT_EQ(std::count(reports.begin(), reports.end(), kPlayStateStopped), 0) << "a stop is reported as an end";
    EXPECT_TRUE(player.Play());
    ASSERT_TRUE(stateIs(kPlayStatePlaying)) << "last state " << player.PlayState();
    if (!player.pauseTaken) {
      EXPECT_TRUE(player.seekTaken) << "the held place was not taken up";
    }
    EXPECT_GE(player.Position(), 0.9) << "started from the beginning again";
    player.Stop();
    EXPECT_TRUE(stateIs(kPlayStateStopped));
    player.Close();
  }
  SetPlayStateListener(nullptr);
}

}  // namespace
