// The accompaniment in-process: the built-in tune written from the program's resource, the
// siblings' toggle and restart commands through the fake media player, the check made when a
// source is chosen in either list, its flash of the setting, and the "设置" button beside the list.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "PlayerFixture.h"
#include "SaverDeckCommands.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniAccompaniment.h"
#include "uniQVShare.h"

namespace {

using Log = std::vector<std::wstring>;

// The tune as the program carries it.
std::string ResourceTune() {
  HRSRC r = FindResourceW(nullptr, kBuiltInMidiResource, kBuiltInMidiType);
  if (!r) return "";
  return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, r))), SizeofResource(nullptr, r));
}

// Files in a folder whose names begin with prefix (the writer's temporary files among them).
int FilesStartingWith(const std::wstring& folder, const std::wstring& prefix) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\" + prefix + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return n;
}

TEST(BuiltInTune, TheResourceIsAStandardMidiFile) {
  const std::string tune = ResourceTune();
  ASSERT_GT(tune.size(), 22u);
  EXPECT_EQ(tune.substr(0, 4), "MThd");
  EXPECT_EQ(tune.substr(14, 4), "MTrk");
}

TEST(BuiltInTune, PreparedInTheProgramsFolderAndNeverReplaced) {
  const std::string tune = ResourceTune();
  const struct {
    const char* name;
    // What the folder holds before: "Syn" as a folder, a file, xjwuqu.mid with other bytes...
    bool synFolder, synIsFile, fileThere, fileIsFolder;
    bool result;
    bool holdsTune;  // the file afterwards is the resource
  } cases[] = {
      {"a first start: no Syn", false, false, false, false, true, true},
      {"Syn without the file", true, false, false, false, true, true},
      {"the user's own tune in its place", true, false, true, false, true, false},
      {"Syn is a file: nothing can be written", false, true, false, false, false, false},
      {"xjwuqu.mid is a folder", true, false, false, true, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder{L"qvtune"};
    const std::wstring syn = folder / L"Syn", file = syn + L"\\xjwuqu.mid";
    if (c.synFolder) CreateDirectoryW(syn.c_str(), nullptr);
    if (c.synIsFile) WriteBytes(syn, "not a folder");
    if (c.fileThere) WriteBytes(file, "MThd mine");
    if (c.fileIsFolder) CreateDirectoryW(file.c_str(), nullptr);
    EXPECT_EQ(BuiltInMidiFile(folder.Path() + L"\\"), file);
    EXPECT_EQ(PrepareBuiltInMidi(folder.Path()), c.result);
    if (c.holdsTune) {
      EXPECT_EQ(ReadBytes(file), tune);
    }
    if (c.fileThere) {
      EXPECT_EQ(ReadBytes(file), "MThd mine") << "kept as the user left it";
    }
    if (!c.synIsFile) {
      EXPECT_EQ(FilesStartingWith(syn, L"xjwuqu.mid.tmp"), 0) << "no temporary file left";
    }
  }
  // A second start leaves the written file alone, bytes and time.
  TestFolder folder{L"qvtune"};
  ASSERT_TRUE(PrepareBuiltInMidi(folder.Path()));
  const std::wstring file = BuiltInMidiFile(folder.Path());
  WriteBytes(file, "MThd changed by hand");
  EXPECT_TRUE(PrepareBuiltInMidi(folder.Path()));
  EXPECT_EQ(ReadBytes(file), "MThd changed by hand");
}

TEST(BuiltInTune, AResourceWriteThatCannotBeDoneLeavesNoFile) {
  TestFolder folder{L"qvtune"};
  const std::wstring file = folder / L"x.mid";
  EXPECT_FALSE(SaveResourceToFile(L"MIDI9", kBuiltInMidiType, file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(SaveResourceToFile(kBuiltInMidiResource, kBuiltInMidiType, folder / L"没有\\x.mid"));
  WriteBytes(file, "old");
  EXPECT_FALSE(SaveResourceToFile(kBuiltInMidiResource, kBuiltInMidiType, file)) << "an existing file stays";
  EXPECT_EQ(ReadBytes(file), "old");
  EXPECT_EQ(FilesStartingWith(folder.Path(), L"x.mid.tmp"), 0);
}

// The fake clock, noting the colour of the own-file setting at each wait of the flash.
class FlashWatch : public FakeClock {
 public:
  void WaitForMessages(DWORD ms) override {
    if (frmSetupSaverDeck && frmSetupSaverDeck->edtSelfSelectBanYing)
      seen.push_back({frmSetupSaverDeck->edtSelfSelectBanYing->Color(), ms});
    FakeClock::WaitForMessages(ms);
  }
  struct Wait {
    TColor colour;
    DWORD ms;
    bool operator==(const Wait&) const = default;
  };
  std::vector<Wait> seen;
  // Red, then the window colour, three times, 400 ms each.
  bool FlashedThreeTimes() const {
    std::vector<Wait> expected;
    for (int i = 0; i < 3; ++i) {
      expected.push_back({clRed, 400});
      expected.push_back({clWindow, 400});
    }
    return seen == expected;
  }
};

// Message boxes answered from a script that also note the source lists as each box comes.
class WatchedDialogs : public ScriptedDialogs {
 public:
  int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    mainSource.push_back(frmSaverDeck ? frmSaverDeck->cbbBanYing->ItemIndex() : -9);
    outsideSource.push_back(frmSetupSaverDeck ? frmSetupSaverDeck->cbbBanYingForAutoScr->ItemIndex() : -9);
    return ScriptedDialogs::MessageBox(owner, text, caption, flags);
  }
  std::vector<int> mainSource, outsideSource;
};

const wchar_t kAddQuestion[] = L"音乐播放器列表里没有文件，是否现在就添加？";
const wchar_t kSetQuestion[] = L"自选独立拌音列表里没有文件，是否现在就设置？";

class Accompaniment : public PlayerForms {
 protected:
  void SetUp() override {
    PlayerForms::SetUp();
    s = frmSetupSaverDeck;
    own = folder / L"伴音.wav";
    song = folder / L"歌.wav";
    WriteTextLines(own, {L"RIFF"});
    WriteTextLines(song, {L"RIFF"});
  }
  void TearDown() override {
    BuiltInAccompaniment.clear();
    CurrentAccompaniment.clear();
    PlayerForms::TearDown();
  }
  void RecreateSettingsAtStart() {
    RecreateSettings(true);
    s = frmSetupSaverDeck;
  }
  // The settings for outside runs and commands, as the settings dialog holds them.
  void Outside(int source, const std::wstring& ownFile) {
    s->edtSelfSelectBanYing->SetText(ownFile);
    s->cbbBanYingForAutoScr->SetItemIndex(source);
  }
  static Log Played(const std::wstring& file) { return {L"URL " + file, L"play"}; }

  TfrmSetupSaverDeck* s = nullptr;
  TestFolder folder{L"qvaccomp"};
  std::wstring own, song;
};

// ---- the built-in tune at start ----

TEST_F(Accompaniment, TheStartWritesTheTuneBesideTheProgramAndNamesIt) {
  const std::wstring file = world.config / L"Syn\\xjwuqu.mid";
  EXPECT_EQ(BuiltInAccompaniment, file);
  EXPECT_EQ(ReadBytes(file), ResourceTune());
}

TEST_F(Accompaniment, ATuneThatCannotBeWrittenLeavesTheBuiltInSourceSilent) {
  DeleteTree(world.config / L"Syn");
  WriteBytes(world.config / L"Syn", "a file where the folder goes");
  RecreateSettingsAtStart();
  EXPECT_EQ(BuiltInAccompaniment, L"");
  Outside(3, own);
  Send(WM_SAVERDECK_TOGGLEACCOMP);
  EXPECT_EQ(media.log, Log{}) << "nothing to play, silently";
}

TEST_F(Accompaniment, ADeletedTuneIsMissingUntilTheNextStartWritesItAgain) {
  const std::wstring file = BuiltInAccompaniment;
  ASSERT_TRUE(DeleteFileW(file.c_str()));
  Outside(3, L"");
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  Send(WM_SAVERDECK_TOGGLEACCOMP);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"你要播放的音乐文件\"" + file + L"\"不存在！请检查文件是否被更名、删除或移走？");
  EXPECT_EQ(media.log, Log{});
  RecreateSettingsAtStart();
  EXPECT_EQ(BuiltInAccompaniment, file);
  EXPECT_EQ(ReadBytes(file), ResourceTune());
}

// ---- the toggle and restart commands ----

TEST_F(Accompaniment, TheCommandsPauseResumeReplaceOrStartTheAccompaniment) {
  frmMusicList->CheckListBox1->Items.Assign({song});
  const struct {
    const char* name;
    std::wstring loaded;  // played by the program before; empty: nothing loaded
    bool paused;
    int source;
    std::wstring ownFile;
    UINT msg;
    Log log;
    int state;
  } cases[] = {
      {"the accompaniment plays: pause", own, false, 2, own, WM_SAVERDECK_TOGGLEACCOMP, {L"pause"}, kPlayStatePaused},
      {"paused: resume", own, true, 2, own, WM_SAVERDECK_TOGGLEACCOMP, {L"play"}, kPlayStatePlaying},
      {"restart: anew", own, false, 2, own, WM_SAVERDECK_RESTARTACCOMP, {L"stop", L"URL " + own, L"play"},
       kPlayStatePlaying},
      {"other music gives way", song, false, 2, own, WM_SAVERDECK_TOGGLEACCOMP, {L"stop", L"URL " + own, L"play"},
       kPlayStatePlaying},
      {"paused other music gives way", song, true, 2, own, WM_SAVERDECK_TOGGLEACCOMP,
       {L"stop", L"URL " + own, L"play"}, kPlayStatePlaying},
      {"nothing loaded: start", L"", false, 2, own, WM_SAVERDECK_TOGGLEACCOMP, Played(own), kPlayStatePlaying},
      {"the playlist's line is the accompaniment", song, false, 1, own, WM_SAVERDECK_TOGGLEACCOMP, {L"pause"},
       kPlayStatePaused},
      {"the own file while the playlist is called for", own, false, 0, own, WM_SAVERDECK_TOGGLEACCOMP,
       {L"stop", L"URL " + song, L"play"}, kPlayStatePlaying},
      // Nothing to play for the source: what is loaded is only paused or resumed.
      {"no own file: pause what plays", song, false, 2, L"", WM_SAVERDECK_TOGGLEACCOMP, {L"pause"},
       kPlayStatePaused},
      {"no own file: resume", song, true, 2, L"", WM_SAVERDECK_TOGGLEACCOMP, {L"play"}, kPlayStatePlaying},
      {"no own file, restart: pause", song, false, 2, L"", WM_SAVERDECK_RESTARTACCOMP, {L"pause"},
       kPlayStatePaused},
      {"no own file, nothing loaded: nothing", L"", false, 2, L"", WM_SAVERDECK_TOGGLEACCOMP, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMediaPlayer fresh;  // nothing loaded yet
    if (!c.loaded.empty()) {
      if (c.loaded == song) frmMusicList->CheckListBox1->SetItemIndex(0);
      main->PlayFile(c.loaded);
      if (c.paused) main->bbtPauseClick(nullptr);
    }
    Outside(c.source, c.ownFile);
    main->cbbBanYing->SetItemIndex(3);
    main->FExternalCall = 1;
    fresh.log.clear();
    EXPECT_EQ(Send(c.msg), 0);
    EXPECT_EQ(fresh.log, c.log);
    EXPECT_EQ(fresh.PlayState(), c.state);
    EXPECT_EQ(main->FExternalCall, 0);
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), c.source) << "the main window's source follows the outside one";
    EXPECT_FALSE(main->Music1to2Timer->Enabled()) << "a replaced file is no end of a file";
  }
}

TEST_F(Accompaniment, TheToggleCommandHoldsMusicWhoseControlRefusesToPause) {
  // Wine's control answers pause with E_NOTIMPL: the toggle stops where the music stood, which
  // counts as paused, and the next toggle goes on from there.
  media.refusePause = true;
  Outside(2, own);
  main->PlayFile(own);
  CurrentAccompaniment = own;
  media.log.clear();
  PostMessageW(main->Handle(), WM_SAVERDECK_TOGGLEACCOMP, 0, 0);
  PumpMessages();
  EXPECT_EQ(media.log, (Log{L"pause", L"stop"}));
  EXPECT_EQ(media.PlayState(), kPlayStatePaused);
  EXPECT_FALSE(main->Music1to2Timer->Enabled()) << "the held stop is no end of a file";
  media.log.clear();
  PostMessageW(main->Handle(), WM_SAVERDECK_TOGGLEACCOMP, 0, 0);
  PumpMessages();
  EXPECT_EQ(media.log, (Log{L"play", L"position " + std::to_wstring(media.position)}));
  EXPECT_EQ(media.PlayState(), kPlayStatePlaying);
  EXPECT_EQ(media.URL(), own);
}

TEST_F(Accompaniment, TheBuiltInTuneStartsWhenNothingElseIsThere) {
  // Source 0 with an empty playlist and no own file: the built-in tune, which Wine's control
  // cannot open, so the next toggle finds nothing playing and starts it again.
  Outside(0, L"");
  Send(WM_SAVERDECK_TOGGLEACCOMP);
  EXPECT_EQ(media.log, Played(BuiltInAccompaniment));
  EXPECT_EQ(CurrentAccompaniment, BuiltInAccompaniment);
  media.log.clear();
  Send(WM_SAVERDECK_TOGGLEACCOMP);
  EXPECT_EQ(media.log, Played(BuiltInAccompaniment));
  // With an own file it comes before the built-in one.
  Outside(0, own);
  media.log.clear();
  Send(WM_SAVERDECK_TOGGLEACCOMP);
  EXPECT_EQ(media.log, Played(own));
  EXPECT_EQ(CurrentAccompaniment, own);
}

// ---- choosing a source ----

TEST_F(Accompaniment, ThePlaylistSourceWithAnEmptyPlaylistAsksToAddMusic) {
  const struct {
    const char* name;
    int answer;
    bool choose;  // the open dialog gives a file; otherwise it is cancelled
    int source;
  } cases[] = {
      {"No: back to automatic", IDNO, false, 0},
      {"Yes, then the dialog cancelled: back to automatic", IDYES, false, 0},
      {"Yes, and a file added: the playlist stays", IDYES, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    frmMusicList->CheckListBox1->Items.Clear();
    main->cbbBanYing->SetItemIndex(0);
    ScriptedDialogs dialogs;
    dialogs.Answer(c.answer);
    if (c.answer == IDYES) {
      if (c.choose) dialogs.ChooseFile(song);
      else dialogs.CancelDialog();
    }
    UserChoose(main->cbbBanYing, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kAddQuestion);
    EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
    EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(dialogs.shown[0].owner, nullptr);
    EXPECT_EQ(dialogs.asked.size(), c.answer == IDYES ? 1u : 0u);
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), c.source);
  }
  // A playlist with music, the built-in tune and automatic ask nothing.
  ScriptedDialogs dialogs;
  for (int source : {1, 3, 0}) {
    UserChoose(main->cbbBanYing, source);
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), source);
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Accompaniment, TheOwnFileSourceWithoutAFileFallsBackFirstThenOffersToSetIt) {
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
    s->Hide();
    s->PageControl1->SetActivePageIndex(0);
    FlashWatch clock;
    WatchedDialogs dialogs;
    dialogs.Answer(answer);
    UserChoose(main->cbbBanYing, 2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kSetQuestion);
    EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
    EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(dialogs.mainSource, std::vector<int>{0}) << "back to automatic before the question";
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), 0);
    if (answer == IDYES) {
      EXPECT_TRUE(IsWindowVisible(s->Handle()));
      EXPECT_EQ(s->PageControl1->ActivePage(), s->tshSetupAutoScr);
      EXPECT_TRUE(clock.FlashedThreeTimes()) << clock.seen.size() << " waits";
    } else {
      EXPECT_FALSE(IsWindowVisible(s->Handle()));
      EXPECT_TRUE(clock.seen.empty());
    }
    EXPECT_EQ(s->edtSelfSelectBanYing->Color(), TColor(clWindow));
  }
  // With an own file the source stands.
  ScriptedDialogs dialogs;
  s->edtSelfSelectBanYing->SetText(own);
  UserChoose(main->cbbBanYing, 2);
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 2);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Accompaniment, TheSettingsListIsCheckedTheSameWay) {
  FlashWatch clock;
  WatchedDialogs dialogs;
  dialogs.Answer(IDNO).Answer(IDNO);
  s->Show();
  s->PageControl1->SetActivePageIndex(2);
  UserChoose(s->cbbBanYingForAutoScr, 2);
  ASSERT_FALSE(dialogs.outsideSource.empty());
  EXPECT_EQ(dialogs.outsideSource[0], 0) << "its own list goes back, before the question";
  EXPECT_EQ(s->cbbBanYingForAutoScr->ItemIndex(), 0);
  EXPECT_EQ(s->Panel2->Color(), clGreen);
  EXPECT_EQ(s->Panel1->Color(), clGreen) << "the panels show automatic";
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 0);
  UserChoose(s->cbbBanYingForAutoScr, 1);
  EXPECT_EQ(s->cbbBanYingForAutoScr->ItemIndex(), 0);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, kSetQuestion);
  EXPECT_EQ(dialogs.shown[1].text, kAddQuestion);
  EXPECT_TRUE(clock.seen.empty());
}

TEST_F(Accompaniment, AStoredSourceIsCheckedAtStartBeforeThePlaylistWindowExists) {
  const struct {
    const char* name;
    std::wstring line6, line8;
    int answer;  // 0: no question
    int source;
    bool flashes;
  } cases[] = {
      {"own file source without a file, No", L"[4] 2 TRUE", L"", IDNO, 0, false},
      {"own file source without a file, Yes: page 2 flashes", L"[4] 2 TRUE", L"", IDYES, 0, true},
      {"own file source with a file", L"[4] 2 TRUE", L"C:\\伴音.mp3", 0, 2, false},
      {"the playlist, not looked at yet", L"[4] 1 TRUE", L"", 0, 1, false},
      {"a source outside the list", L"[4] 9 TRUE", L"", 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteTextLines(world.ConfigPath(), {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", L"[0] FALSE TRUE TRUE",
                                        L"[1] 0", L"[2]", L"[3] 30 10 2 0 -16777190 1", c.line6, L"", c.line8, L"",
                                        L"", L"", L"", L"", L"", L"", L"", L"-1"});
    FlashWatch clock;
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.Answer(c.answer);
    RecreateSettingsAtStart();
    ASSERT_EQ(dialogs.shown.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(dialogs.shown[0].text, kSetQuestion);
    }
    EXPECT_EQ(s->cbbBanYingForAutoScr->ItemIndex(), c.source);
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), c.source);
    EXPECT_EQ(IsWindowVisible(s->Handle()) != FALSE, c.flashes);
    if (c.flashes) {
      EXPECT_EQ(s->PageControl1->ActivePage(), s->tshSetupAutoScr);
    }
    EXPECT_EQ(clock.FlashedThreeTimes(), c.flashes) << clock.seen.size() << " waits";
    EXPECT_EQ(s->edtSelfSelectBanYing->Color(), TColor(clWindow));
    s->Hide();
  }
}

TEST_F(Accompaniment, TheSetupButtonShowsTheAccompanimentPage) {
  main->ShowPlayer();
  ASSERT_EQ(s->PageControl1->ActivePageIndex(), 3);
  ClickWithMouse(main->btnSetupDuLiBanYing->Handle());
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(s->Handle()));
  EXPECT_EQ(s->PageControl1->ActivePage(), s->tshSetupAutoScr);
}

}  // namespace
