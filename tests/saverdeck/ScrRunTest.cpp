// The player's screen-saver list and runs in-process: the list from two folders, "预览" and "设置",
// the run cycle on the fake clock with the savers' processes, the shell and the random source
// faked, the music at each end of a run, and the outside commands' runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "PlayerFixture.h"
#include "ProcessHelpers.h"
#include "SaverDeckFakes.h"
#include "ScrRunRules.h"
#include "ScreenSavers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

using Log = std::vector<std::wstring>;

const wchar_t kSlideShow[] = L"Quovel幻灯屏幕保护程序.scr";

// The player's forms over two saver folders of the test's own (the Windows folder's, then the
// System folder's), with the savers' processes, the shell, the clock and the random source faked.
class ScrRun : public PlayerForms {
 protected:
  explicit ScrRun(std::vector<std::wstring> windowsSavers = {L"ssstars.scr", L"Bubbles.SCR", kSlideShow, L"d.scr"},
                  std::vector<std::wstring> systemSavers = {L"logon.scr", L"f.scr", L"g.scr"}) {
    for (const auto& n : windowsSavers) WriteBytes(windows / n, "MZ");
    for (const auto& n : systemSavers) WriteBytes(system / n, "MZ");
    SetScrFolders({windows.Path(), system.Path()});
    FirstScrStart = ScrRunWithMusic = MusicWasPlaying = 0;
  }
  ~ScrRun() override { SetScrFolders({}); }
  void TearDown() override {
    FirstScrStart = ScrRunWithMusic = MusicWasPlaying = 0;
    PlayerForms::TearDown();
  }

  // The savers the shell was asked to start, by path, each with "/S" alone.
  Log Started() const {
    Log paths;
    for (const auto& c : shell.calls) {
      if (c.verb != L"open") continue;
      EXPECT_EQ(c.params, L"/S");
      EXPECT_EQ(c.owner, main->Handle());
      EXPECT_EQ(c.show, SW_SHOWNORMAL);
      paths.push_back(c.file);
    }
    return paths;
  }
  std::wstring Entry(int i) const { return main->cbbSCRSavers->Items[i]; }
  bool TransitShown() const { return frmTransitForm->HandleAllocated() && IsWindowVisible(frmTransitForm->Handle()); }
  bool Idle() const {
    return !main->tmrPlayEachScr->Enabled() && !main->tmrTransit->Enabled() && !main->tmrDetectScrIfEnd->Enabled();
  }
  // The transit's end, as its timer gives it; the saver it started runs then.
  void EndTransit() {
    ASSERT_TRUE(main->tmrTransit->Enabled()) << "no transit";
    const size_t before = Started().size();
    main->tmrTransit->Timer();
    if (Started().size() > before) procs.running = 1;
  }
  // One saver's play time over, as its timer gives it.
  void EndPlayTime() {
    ASSERT_TRUE(main->tmrPlayEachScr->Enabled()) << "no saver showing";
    main->tmrPlayEachScr->Timer();
  }
  static void Click(TSpeedButton* b) { ClickWithMouse(b->Handle()); }

  TestFolder windows{L"qvscrwin"}, system{L"qvscrsys"};
  FakeClock clock;
  RecordingShell shell;
  FakeSaverProcesses procs;
  ScriptedRandom random;
};

class NoSavers : public ScrRun {
 protected:
  NoSavers() : ScrRun({}, {}) {}
};

// ---- the list --------------------------------------------------------------------------------------

TEST_F(ScrRun, TheListHoldsNoneThenTheWindowsFoldersSaversThenTheSystemFolders) {
  TestFolder other{L"qvscrdir"};
  CreateDirectoryW((windows / L"folder.scr").c_str(), nullptr);  // a directory so named is no saver
  const Log names = main->cbbSCRSaversName->Items.List();
  ASSERT_EQ(names.size(), 8u) << "the directory is not listed";
  EXPECT_EQ(names[0], L"(无)");
  EXPECT_EQ(Entry(0), L"(无)");
  // Both lists on the same index: a path and its name.
  Log paths, shown;
  for (int i = 1; i < 8; ++i) {
    paths.push_back(ExtractFileName(Entry(i)));
    shown.push_back(names[size_t(i)]);
    EXPECT_EQ(ExtractFileDir(Entry(i)), i <= 4 ? windows.Path() : system.Path()) << i;
  }
  std::sort(paths.begin(), paths.begin() + 4);
  std::sort(paths.begin() + 4, paths.end());
  EXPECT_EQ(paths, (Log{L"Bubbles.SCR", kSlideShow, L"d.scr", L"ssstars.scr", L"f.scr", L"g.scr", L"logon.scr"}));
  for (int i = 1; i < 8; ++i)
    EXPECT_EQ(names[size_t(i)], SaverDeckScrDisplayName(ExtractFileName(Entry(i)))) << i;
  EXPECT_NE(std::find(shown.begin(), shown.end(), L"飞越星空"), shown.end());
  EXPECT_NE(std::find(shown.begin(), shown.end(), L"WINDOWS XP"), shown.end());
  EXPECT_NE(std::find(shown.begin(), shown.end(), L"bubbles"), shown.end());

  EXPECT_EQ(main->lblSCR_total->Caption(), L"7");
  EXPECT_EQ(WindowText(main->lblSCR_total->Handle()), L"7") << "as the window shows it";
  HWND caption = ChildByCaption(main->Handle(), L"当前屏保总数：");
  ASSERT_TRUE(caption);
  EXPECT_EQ(WindowText(GetWindow(caption, GW_HWNDNEXT)), L"7");
  EXPECT_EQ(main->cbbSCRSavers->ItemIndex(), 1);
  EXPECT_EQ(main->cbbSCRSaversName->ItemIndex(), 1);
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(TransitShown());
}

TEST_F(ScrRun, ChoosingANameSelectsItsPathAndPreviewAndSettingsStartThatSaver) {
  UserChoose(main->cbbSCRSaversName, 3);
  EXPECT_EQ(main->cbbSCRSavers->ItemIndex(), 3);
  Click(main->btnScrPreview);
  EXPECT_EQ(Started(), Log{Entry(3)});
  Click(main->btnSCRSetup);
  ASSERT_EQ(shell.calls.size(), 2u);
  const auto& setup = shell.calls[1];
  EXPECT_EQ(setup.verb, L"config");
  EXPECT_EQ(setup.file, Entry(3));
  EXPECT_EQ(setup.params, L"") << "no parameters: the saver gets no literal \"%1\"";
  EXPECT_EQ(setup.owner, main->Handle());
  EXPECT_EQ(setup.show, SW_SHOWNORMAL);
  // The hidden path list's change goes the other way.
  main->cbbSCRSavers->SetItemIndex(6);
  main->cbbSCRSaversChange(main->cbbSCRSavers);
  EXPECT_EQ(main->cbbSCRSaversName->ItemIndex(), 6);

  // "(无)": neither starts anything, and a failing shell is not reported (no box is scripted).
  shell.calls.clear();
  shell.result = 2;
  UserChoose(main->cbbSCRSaversName, 0);
  Click(main->btnScrPreview);
  Click(main->btnSCRSetup);
  EXPECT_TRUE(shell.calls.empty());
  UserChoose(main->cbbSCRSaversName, 7);
  Click(main->btnScrPreview);
  EXPECT_EQ(Started(), Log{Entry(7)});
  EXPECT_TRUE(LastErrorText.empty());
}

TEST_F(NoSavers, BothRunButtonsTheMenuAndTheCommandsSayThereIsNoSaverAndStartNothing) {
  EXPECT_EQ(main->lblSCR_total->Caption(), L"0");
  EXPECT_EQ(main->cbbSCRSaversName->ItemIndex(), 0);
  ScriptedDialogs dialogs;
  const std::function<void()> starts[] = {
      [&] { Click(main->btnPlayScr); },
      [&] { Click(main->btnPlayScrWithMus); },
      [&] { ClickBarItem(main->NPlayScr); },
      [&] { ClickBarItem(main->NPlayScrWithMusic); },
      [&] { Send(WM_SAVERDECK_SCR_RANDOM_MUSIC); },
  };
  for (const auto& start : starts) {
    dialogs.Answer(IDOK);
    start();
  }
  ASSERT_EQ(dialogs.shown.size(), 5u);
  for (const auto& box : dialogs.shown) {
    EXPECT_EQ(box.text, L"提示：没有屏幕保护可以播放！");
    EXPECT_EQ(box.caption, L"Quovel提示：");
    EXPECT_EQ(box.flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OK));
    EXPECT_EQ(box.owner, nullptr);
  }
  EXPECT_EQ(LastErrorText, L"提示：没有屏幕保护可以播放！");
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(TransitShown());
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(procs.kills.empty());
  EXPECT_TRUE(media.log.empty()) << "no accompaniment either";
  // Preview and settings do nothing.
  Click(main->btnScrPreview);
  Click(main->btnSCRSetup);
  EXPECT_TRUE(shell.calls.empty());
}

// ---- the run cycle ---------------------------------------------------------------------------------

TEST_F(ScrRun, ARunInTurnShowsTheTransitThenEachSaverForItsTimeAndWrapsToTheFirst) {
  frmSetupSaverDeck->updTimePlayEachScr->SetPosition(40);
  frmSetupSaverDeck->updTransitTime->SetPosition(7);
  UserChoose(main->cbbSCRSaversName, 5);
  procs.running = 1;  // another program's saver runs: the run's start ends it
  Click(main->btnPlayScr);
  EXPECT_EQ(procs.kills, Log{L".scr"});
  EXPECT_EQ(procs.running, 0);
  EXPECT_EQ(FirstScrStart, 1);
  EXPECT_EQ(ScrRunWithMusic, 0);
  EXPECT_TRUE(Started().empty()) << "the first saver waits for the transit";
  ASSERT_TRUE(TransitShown());
  EXPECT_EQ(WindowRectText(frmTransitForm->Handle()), "0,0 1280,800");
  EXPECT_TRUE(GetWindowLongPtrW(frmTransitForm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(main->tmrTransit->Interval(), 7000u);
  EXPECT_TRUE(main->tmrTransit->Enabled());
  EXPECT_FALSE(main->tmrPlayEachScr->Enabled());

  // Entry 5 first, then 6 and 7, then entry 1 again; each after a transit.
  const int order[] = {5, 6, 7, 1, 2};
  for (int k = 0; k < 5; ++k) {
    const DWORD t0 = clock.tick;
    EndTransit();
    EXPECT_EQ(clock.tick - t0, 100u) << "the wait before the start";
    EXPECT_FALSE(TransitShown());
    EXPECT_EQ(FirstScrStart, 0);
    ASSERT_EQ(Started().size(), size_t(k + 1));
    EXPECT_EQ(Started().back(), Entry(order[k])) << k;
    EXPECT_EQ(main->cbbSCRSavers->ItemIndex(), order[k]);
    EXPECT_EQ(main->cbbSCRSaversName->ItemIndex(), order[k]);
    const bool slideShow = ExtractFileName(Entry(order[k])) == kSlideShow;
    EXPECT_EQ(main->tmrPlayEachScr->Interval(), slideShow ? 100000u : 40000u) << Narrow(Entry(order[k]));
    EXPECT_TRUE(main->tmrPlayEachScr->Enabled());
    EXPECT_FALSE(main->tmrDetectScrIfEnd->Enabled()) << "no music: no detector";
    EndPlayTime();
    EXPECT_EQ(procs.running, 0) << "its time is over: ended";
    EXPECT_TRUE(TransitShown());
    EXPECT_TRUE(main->tmrTransit->Enabled());
  }
  EXPECT_TRUE(media.log.empty()) << "a run without music touches no music";
}

TEST_F(ScrRun, TheSlideShowSaverNamedInLowerCasePlaysAHundredSeconds) {
  int slide = -1;
  for (int i = 1; i < 8; ++i)
    if (ExtractFileName(Entry(i)) == kSlideShow) slide = i;
  ASSERT_GT(slide, 0);
  EXPECT_EQ(main->cbbSCRSaversName->Items[slide], L"quovel幻灯屏幕保护程序");
  UserChoose(main->cbbSCRSaversName, slide);
  Click(main->btnPlayScr);
  EndTransit();
  EXPECT_EQ(Started(), Log{Entry(slide)});
  EXPECT_EQ(main->tmrPlayEachScr->Interval(), 100000u);
}

TEST_F(ScrRun, ARandomRunFromAnOutsideCommandDrawsEachSaverFromTheReseededSource) {
  random.draws = {3, 3, 6, 0};
  Send(WM_SAVERDECK_SCR_RANDOM);
  EXPECT_EQ(main->FRandomOrder, 1);
  EXPECT_EQ(main->FExternalCall, 1);
  for (int k = 0; k < 4; ++k) {
    EndTransit();
    EndPlayTime();
  }
  EXPECT_EQ(Started(), (Log{Entry(4), Entry(4), Entry(7), Entry(1)})) << "the same saver may come twice";
  EXPECT_EQ(random.asked, (std::vector<int>{7, 7, 7, 7})) << "any entry but \"(无)\"";
  EXPECT_EQ(random.reseeds, 4);
  // A run started with the button is in turn again, from the selected saver on.
  Click(main->btnPlayScr);
  EXPECT_EQ(main->FRandomOrder, 0);
  EXPECT_EQ(main->FExternalCall, 0);
  EndTransit();
  EXPECT_EQ(Started().back(), Entry(1));
  EXPECT_EQ(random.asked.size(), 4u);
}

TEST_F(ScrRun, TheUsersEndOfASaverEndsTheRunWithoutTransitAndStopsOnlyTheRunsOwnMusic) {
  // A saver ended by hand: a run with the music it started notices within the detector's second;
  // any other run at the end of the play time. Neither shows a transit or starts another saver.
  const struct {
    uint8_t withMusic, wasPlaying;
    bool detector;  // the run watches its saver
  } cases[] = {{1, 0, true}, {1, 1, false}, {0, 0, false}, {0, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "with music " << int(c.withMusic) << ", music was playing " << int(c.wasPlaying));
    media.SetState(kPlayStatePlaying);
    MusicWasPlaying = c.wasPlaying;  // a run without music leaves it as the last run with music set it
    if (c.withMusic) main->btnPlayScrWithMusClick(main->btnPlayScrWithMus);
    else main->btnPlayScrClick(main->btnPlayScr);
    ScrRunWithMusic = c.withMusic;
    MusicWasPlaying = c.wasPlaying;
    EndTransit();
    EXPECT_EQ(main->tmrDetectScrIfEnd->Enabled(), c.detector);
    media.log.clear();
    const size_t starts = Started().size();
    procs.running = 0;  // the user's input ends the saver
    if (c.detector) {
      main->tmrDetectScrIfEnd->Timer();
    } else {
      EndPlayTime();
    }
    EXPECT_EQ(media.log, c.withMusic && !c.wasPlaying ? Log{L"stop"} : Log{});
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(TransitShown());
    EXPECT_EQ(Started().size(), starts);
  }
}

TEST_F(ScrRun, EveryEndOfARunStopsTheMusicOnlyWhenTheRunStartedIt) {
  // The ends: the detector's, the play-each tick that finds the saver gone, a saver that survives
  // three endings, a saver found running at the transit's end, and the transit window's "退出".
  enum End { Detector, PlayEachTick, Survivor, SaverAtTransit, TransitExit };
  const char* endNames[] = {"detector", "play-each tick", "survivor", "saver at transit", "exit"};
  for (End end : {Detector, PlayEachTick, Survivor, SaverAtTransit, TransitExit}) {
    for (uint8_t withMusic : {0, 1}) {
      for (uint8_t wasPlaying : {0, 1}) {
        SCOPED_TRACE(testing::Message() << endNames[end] << ", with music " << int(withMusic) << ", was playing "
                                        << int(wasPlaying));
        procs.survive = false;
        procs.running = 0;
        Click(main->btnPlayScr);
        ScrRunWithMusic = withMusic;
        MusicWasPlaying = wasPlaying;
        media.SetState(kPlayStatePlaying);
        if (end != SaverAtTransit && end != TransitExit) EndTransit();
        media.log.clear();
        switch (end) {
          case Detector:
            procs.running = 0;
            main->tmrDetectScrIfEnd->Timer();
            break;
          case PlayEachTick:
            procs.running = 0;
            EndPlayTime();
            break;
          case Survivor: {
            procs.survive = true;
            const DWORD t0 = clock.tick;
            EndPlayTime();
            EXPECT_EQ(procs.kills.size(), 3u);
            EXPECT_EQ(clock.tick - t0, 600u) << "three endings 200 ms apart";
            break;
          }
          case SaverAtTransit:
            procs.running = 1;  // started by another program meanwhile
            EndTransit();
            break;
          case TransitExit:
            UserClick(frmTransitForm->btnExit);
            break;
        }
        EXPECT_EQ(media.log, withMusic && !wasPlaying ? Log{L"stop"} : Log{});
        EXPECT_TRUE(Idle());
        EXPECT_FALSE(TransitShown());
        procs.kills.clear();
      }
    }
  }
  EXPECT_TRUE(LastErrorText.empty()) << "no end is reported";
}

TEST_F(ScrRun, TheDetectorHandsOverNearThePlayTimesEndAndThePlayEachTickSwitchesItOff) {
  frmSetupSaverDeck->updTimePlayEachScr->SetPosition(30);
  Click(main->btnPlayScrWithMus);  // nothing plays: the run's own music
  ASSERT_EQ(ScrRunWithMusic, 1);
  ASSERT_EQ(MusicWasPlaying, 0);
  media.SetState(kPlayStatePlaying);
  EndTransit();
  ASSERT_TRUE(main->tmrDetectScrIfEnd->Enabled());
  EXPECT_EQ(main->tmrDetectScrIfEnd->Interval(), 1000u);
  for (int s = 1; s <= 27; ++s) main->tmrDetectScrIfEnd->Timer();
  EXPECT_EQ(main->FDetectCount, 27);
  EXPECT_TRUE(main->tmrDetectScrIfEnd->Enabled());
  main->tmrDetectScrIfEnd->Timer();
  EXPECT_FALSE(main->tmrDetectScrIfEnd->Enabled()) << "play time - 2: the play-each tick takes over";

  // Next saver, the play time raised to 60: the count starts again. Lowered to 30 after 40 seconds,
  // the count is past the new mark: the next tick hands over.
  frmSetupSaverDeck->updTimePlayEachScr->SetPosition(60);
  EndPlayTime();
  EndTransit();
  EXPECT_EQ(main->FDetectCount, 0);
  media.log.clear();  // what the run's accompaniment started; the detector's ticks must stop nothing
  for (int s = 1; s <= 40; ++s) main->tmrDetectScrIfEnd->Timer();
  EXPECT_TRUE(main->tmrDetectScrIfEnd->Enabled());
  frmSetupSaverDeck->updTimePlayEachScr->SetPosition(30);
  main->tmrDetectScrIfEnd->Timer();
  EXPECT_FALSE(main->tmrDetectScrIfEnd->Enabled());
  EXPECT_TRUE(media.log.empty()) << "the saver runs: nothing stopped";

  EndPlayTime();
  EndTransit();
  ASSERT_TRUE(main->tmrDetectScrIfEnd->Enabled());
  // The play-each tick, with the detector still on, ends the saver: the detector goes off, so the
  // kill is never taken for the user's end and the music goes on through the transit.
  media.log.clear();
  EndPlayTime();
  EXPECT_FALSE(main->tmrDetectScrIfEnd->Enabled());
  EXPECT_TRUE(TransitShown());
  EXPECT_TRUE(media.log.empty());

  // The music stopped (by the user): the detector hands over.
  EndTransit();
  media.Raise(kPlayStateStopped);
  main->tmrDetectScrIfEnd->Timer();
  EXPECT_FALSE(main->tmrDetectScrIfEnd->Enabled());
  EXPECT_TRUE(main->tmrPlayEachScr->Enabled());
}

TEST_F(ScrRun, ASaverThatDoesNotStartEndsTheRunAtTheNextTickUnreported) {
  shell.result = 2;  // the file cannot be started: nothing runs
  for (bool withMusic : {false, true}) {
    SCOPED_TRACE(withMusic ? "with music" : "without");
    media.SetState(kPlayStateStopped);
    if (withMusic) Click(main->btnPlayScrWithMus);
    else Click(main->btnPlayScr);
    main->tmrTransit->Timer();
    procs.running = 0;
    if (withMusic) main->tmrDetectScrIfEnd->Timer();
    else EndPlayTime();
    EXPECT_TRUE(Idle());
    EXPECT_FALSE(TransitShown());
  }
  EXPECT_TRUE(LastErrorText.empty());
}

TEST_F(ScrRun, ARunStartedAgainDuringATransitThatFindsASaverItCannotEndLeavesNoCover) {
  Click(main->btnPlayScr);
  ASSERT_TRUE(TransitShown());
  procs.running = 1;  // another program's saver, which survives every ending
  procs.survive = true;
  Send(WM_SAVERDECK_SCR_INTURN);
  EXPECT_EQ(procs.kills.size(), 3u);
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(TransitShown());
  EXPECT_TRUE(Started().empty());
}

TEST_F(ScrRun, SaversPastEntry255StartAndFollowInTurn) {
  TestFolder many{L"qvscrmany"};
  for (int i = 0; i < 257; ++i) WriteBytes(many / (L"s" + std::to_wstring(1000 + i) + L".scr"), "MZ");
  main->AddScrFromDir(many.Path());
  ASSERT_EQ(main->cbbSCRSavers->Items.Count(), 8 + 257);
  UserChoose(main->cbbSCRSaversName, 256);
  Click(main->btnScrPreview);
  EXPECT_EQ(Started(), Log{Entry(256)}) << "not \"(无)\"";
  shell.calls.clear();
  UserChoose(main->cbbSCRSaversName, 263);
  Click(main->btnPlayScr);
  for (int k = 0; k < 3; ++k) {
    EndTransit();
    EndPlayTime();
  }
  EXPECT_EQ(Started(), (Log{Entry(263), Entry(264), Entry(1)}));
}

// ---- starting runs ---------------------------------------------------------------------------------

TEST_F(ScrRun, ARunWithMusicStartsTheAccompanimentOnlyWhenNothingPlays) {
  TestFolder music{L"qvscrmusic"};
  const std::wstring song = music / L"歌.wav";
  WriteTextLines(song, {L"RIFF"});
  frmMusicList->CheckListBox1->Items.Assign({song});

  Click(main->btnPlayScrWithMus);
  EXPECT_EQ(ScrRunWithMusic, 1);
  EXPECT_EQ(MusicWasPlaying, 0);
  EXPECT_EQ(media.log, (Log{L"URL " + song, L"play"}));
  EXPECT_TRUE(TransitShown());

  media.log.clear();
  ASSERT_EQ(media.PlayState(), kPlayStatePlaying);
  Click(main->btnPlayScrWithMus);  // again, while the music plays
  EXPECT_EQ(MusicWasPlaying, 1);
  EXPECT_TRUE(media.log.empty());

  // A run without music leaves the mark as it stands.
  Click(main->btnPlayScr);
  EXPECT_EQ(ScrRunWithMusic, 0);
  EXPECT_EQ(MusicWasPlaying, 1);
}

TEST_F(ScrRun, OutsideCommandsSetTheFlagsAndTheStatusListAndTheStartersSenderDecidesWhatStays) {
  media.SetState(kPlayStatePlaying);  // the music is the user's: no accompaniment is started
  const struct {
    uint8_t random, music;
    bool runs;
  } commands[] = {{0, 0, true}, {1, 0, true}, {0, 1, true}, {1, 1, true}, {1, 2, false}, {0, 255, false}};
  for (const auto& c : commands) {
    SCOPED_TRACE(testing::Message() << int(c.random) << " " << int(c.music));
    main->FExternalCall = 0;
    main->FRandomOrder = 1 - c.random;
    frmSetupSaverDeck->cbbUseBanYingOrNot->SetItemIndex(1 - (c.music & 1));
    ScrRunWithMusic = 7;
    main->StartScrRun(c.random, c.music);
    EXPECT_EQ(main->FExternalCall, 1);
    EXPECT_EQ(main->FRandomOrder, c.random);
    if (c.runs) {
      EXPECT_EQ(frmSetupSaverDeck->cbbUseBanYingOrNot->ItemIndex(), c.music);
      EXPECT_EQ(ScrRunWithMusic, c.music == 0 ? 1 : 0);
      EXPECT_TRUE(main->tmrTransit->Enabled());
      EXPECT_EQ(FirstScrStart, 1);
    } else {
      EXPECT_EQ(frmSetupSaverDeck->cbbUseBanYingOrNot->ItemIndex(), 1 - (c.music & 1)) << "left as it stood";
      EXPECT_EQ(ScrRunWithMusic, 7) << "no run";
      EXPECT_FALSE(main->tmrTransit->Enabled());
    }
    main->tmrTransit->SetEnabled(false);
    CloseTransitWindow();
  }

  // After an outside command: the two buttons and the menu's "播放屏保" clear both flags; the
  // menu's "屏保伴音" keeps them.
  const struct {
    const char* name;
    std::function<void()> start;
    bool keeps;
  } starters[] = {
      {"button 播放屏保", [&] { Click(main->btnPlayScr); }, false},
      {"button 屏保伴音", [&] { Click(main->btnPlayScrWithMus); }, false},
      {"menu 播放屏保", [&] { ClickBarItem(main->NPlayScr); }, false},
      {"menu 屏保伴音", [&] { ClickBarItem(main->NPlayScrWithMusic); }, true},
  };
  for (const auto& s : starters) {
    main->StartScrRun(1, 1);
    s.start();
    EXPECT_EQ(main->FExternalCall, s.keeps ? 1 : 0) << s.name;
    EXPECT_EQ(main->FRandomOrder, s.keeps ? 1 : 0) << s.name;
    EXPECT_TRUE(main->tmrTransit->Enabled()) << s.name;
    EXPECT_EQ(FirstScrStart, 1) << s.name;
  }
}

}  // namespace
