// The playlist window in-process: its pop-up menu chosen with a user's keys after a right click on
// the list, the file commands through the scripted dialog, the own-accompaniment item, the size
// rule, the command line and the start-up playlist at its creation, and "修复" of the settings.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Classes.h"
#include "PlayerFixture.h"
#include "SaverDeckFakes.h"
#include "ShellFakes.h"
#include "StdCtrls.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

using Texts = std::vector<std::wstring>;
using Marks = std::vector<bool>;

// Groups of the list's menu, in order, and the keys that choose the item-th command of one
// (separators are skipped by the keys).
enum Group { kShow, kFile, kControl, kMode, kSort, kDelete, kBanYing };
std::vector<WORD> MenuPath(Group group, int item) {
  std::vector<WORD> keys(size_t(group) + 1, VK_DOWN);
  keys.push_back(VK_RIGHT);
  keys.insert(keys.end(), size_t(item), VK_DOWN);
  keys.push_back(VK_RETURN);
  return keys;
}

class PlaylistWindow : public PlayerForms {
 protected:
  void SetUp() override {
    PlayerForms::SetUp();
    frmMusicList->Show();
    PumpMessages();
  }
  static TCheckListBox* List() { return frmMusicList->CheckListBox1; }
  static void Fill(Texts texts, Marks marks = {}, int selected = -1) {
    if (marks.empty()) marks.assign(texts.size(), false);
    frmMusicList->SetLines(TPlaylistLines{std::move(texts), std::move(marks), selected});
  }
  static TPlaylistLines Lines() { return frmMusicList->Lines(); }
  // A music file that exists (the fake control reads nothing of it).
  std::wstring Song(const std::wstring& name) {
    const std::wstring path = folder / name;
    WriteTextLines(path, {L"RIFF"});
    return path;
  }
  // A right click on the list, then the keys of a user choosing the command.
  void Choose(Group group, int item) {
    LeaveMusicModePlaces();
    PopupMenuWatch watch(MenuPath(group, item));
    HWND list = List()->Handle();
    RECT r;
    GetWindowRect(list, &r);
    SendMessageW(list, WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(r.left + 20, r.top + 20));
    PumpMessages();
    EXPECT_TRUE(watch.Seen()) << "no menu";
  }

  FakeClock clock;
  ScriptedDialogs dialogs;
  TestFolder folder{L"qvplaylist"};
};

// ---- list commands ---------------------------------------------------------------------------------

struct CommandCase {
  const char* name;
  Group group;
  int item;
  Texts texts;
  Marks marks;
  int selected;
};

class PlaylistCommands : public PlaylistWindow, public testing::WithParamInterface<CommandCase> {};

// a b c, with b marked and current.
TEST_P(PlaylistCommands, TheMenuCommandActsOnTheLinesWithTheirMarks) {
  const CommandCase& c = GetParam();
  Fill({L"a", L"b", L"c"}, {false, true, false}, 1);
  Choose(c.group, c.item);
  TPlaylistLines l = Lines();
  EXPECT_EQ(l.texts, c.texts);
  EXPECT_EQ(l.marks, c.marks);
  EXPECT_EQ(l.selected, c.selected);
  EXPECT_FALSE(InMusicModePlaces()) << "a list command leaves the windows where they are";
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlaylistCommands,
    testing::Values(CommandCase{"MoveUp", kSort, 0, {L"b", L"a", L"c"}, {true, false, false}, 0},
                    CommandCase{"MoveDown", kSort, 1, {L"a", L"c", L"b"}, {false, false, true}, 2},
                    CommandCase{"ClearAll", kDelete, 0, {}, {}, -1},
                    CommandCase{"DeleteThis", kDelete, 1, {L"a", L"c"}, {false, false}, 1},
                    CommandCase{"DeleteMarked", kDelete, 2, {L"a", L"c"}, {false, false}, -1},
                    CommandCase{"DeleteUnmarked", kDelete, 3, {L"b"}, {true}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlaylistWindow, ShuffleKeepsEachMarkWithItsLineAndTheCurrentLineOnItsText) {
  Texts texts;
  Marks marks;
  for (int i = 0; i < 40; ++i) {
    texts.push_back(L"C:\\音乐\\" + std::to_wstring(i) + L".mp3");
    marks.push_back(i % 3 == 0);
  }
  Fill(texts, marks, 7);
  Choose(kSort, 2);
  TPlaylistLines l = Lines();
  ASSERT_EQ(l.texts.size(), texts.size());
  EXPECT_NE(l.texts, texts) << "not shuffled";
  EXPECT_EQ(std::set<std::wstring>(l.texts.begin(), l.texts.end()), std::set<std::wstring>(texts.begin(), texts.end()));
  for (size_t i = 0; i < l.texts.size(); ++i) {
    const int was = std::stoi(l.texts[i].substr(l.texts[i].rfind(L'\\') + 1));
    EXPECT_EQ(l.marks[i], was % 3 == 0) << Narrow(l.texts[i]);
  }
  ASSERT_GE(l.selected, 0);
  EXPECT_EQ(l.texts[size_t(l.selected)], texts[7]);
  // Deleting the marked lines afterwards takes exactly the lines the user marked.
  Choose(kDelete, 2);
  for (const std::wstring& t : Lines().texts) EXPECT_NE(std::stoi(t.substr(t.rfind(L'\\') + 1)) % 3, 0) << Narrow(t);
  EXPECT_EQ(Lines().texts.size(), 26u);

  // One line stays as it is; an empty list does nothing.
  Fill({L"only"}, {true}, 0);
  Choose(kSort, 2);
  EXPECT_EQ(Lines().texts, Texts{L"only"});
  EXPECT_EQ(Lines().selected, 0);
  Fill({});
  Choose(kSort, 2);
  EXPECT_TRUE(Lines().texts.empty());
}

TEST_F(PlaylistWindow, ClearingTurnsThePlaylistAccompanimentToAutomaticOnly) {
  for (int source : {0, 1, 2, 3}) {
    Fill({L"a"});
    main->cbbBanYing->SetItemIndex(source);
    Choose(kDelete, 0);
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), source == 1 ? 0 : source) << source;
  }
}

// ---- files -----------------------------------------------------------------------------------------

TEST_F(PlaylistWindow, SaveWritesTheWholeListThroughTheOneDialogAndCancelWritesNothing) {
  frmSetupSaverDeck->edtQVMLdir->SetText(folder.Path());
  const std::wstring path = folder / L"我的歌.qvml";
  WriteBytes(path, "an older, longer list\r\nwith two lines\r\n");
  Fill({L"C:\\音乐\\一.mp3", L"", L"D:\\b.wav"}, {true, false, false}, 2);
  dialogs.ChooseFile(path);
  Choose(kFile, 2);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  const auto& d = dialogs.asked[0];
  EXPECT_EQ(d.kind, ScriptedDialogs::kSaveFile);
  EXPECT_EQ(d.title, L"保存播放列表");
  EXPECT_EQ(d.initialDir, folder.Path());
  EXPECT_EQ(d.filter, L"Quovel音乐列表文件|*.qvml");
  EXPECT_EQ(d.defaultExt, L"qvml");
  EXPECT_EQ(ReadBytes(path), std::string("C:\\\xD2\xF4\xC0\xD6\\\xD2\xBB.mp3\r\n\r\nD:\\b.wav\r\n"));

  Fill({L"x"});
  dialogs.CancelDialog();
  Choose(kFile, 2);
  EXPECT_EQ(ReadPlaylistFile(path).size(), 3u) << "a cancelled save wrote";
}

TEST_F(PlaylistWindow, ASaveNamesTheSongsItCouldNotKeepAndLeavesThemOut) {
  frmSetupSaverDeck->edtQVMLdir->SetText(folder.Path());
  const std::wstring path = folder / L"노래 목록.qvml";
  // Korean and an emoji: a song that exists keeps its short form, one that is gone has none.
  const std::wstring korean = Song(L"한국노래.wav"), gone = folder / L"\U0001F3B5없는.wav";
  Fill({L"C:\\音乐\\一.mp3", korean, gone, L"D:\\b.wav"});
  dialogs.ChooseFile(path).Answer(IDOK);
  Choose(kFile, 2);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find(L"无法保存该文件名"), std::wstring::npos) << Narrow(dialogs.shown[0].text);
  EXPECT_NE(dialogs.shown[0].text.find(gone), std::wstring::npos);
  EXPECT_EQ(dialogs.shown[0].text.find(korean), std::wstring::npos) << "kept, so not named";
  const std::vector<std::wstring> lines = ReadPlaylistFile(path);
  ASSERT_EQ(lines.size(), 3u) << "no line naming another file";
  EXPECT_EQ(lines[0], L"C:\\音乐\\一.mp3");
  EXPECT_EQ(ReadBytes(lines[1]), "RIFF\r\n") << Narrow(lines[1]);
  EXPECT_EQ(lines[2], L"D:\\b.wav");
  EXPECT_EQ(Lines().texts.size(), 4u) << "the window keeps its list";
}

TEST_F(PlaylistWindow, LoadReplacesThenStopsAndPlaysAndLoadAndAddAppendsKeepingTheCurrentLine) {
  const std::wstring path = folder / L"list.qvml", x = Song(L"x.mp3"), y = Song(L"y.mp3");
  WriteTextLines(path, {x, y});
  Fill({L"a", L"b", L"c"}, {true, true, false}, 2);
  dialogs.ChooseFile(path);
  media.log.clear();
  Choose(kFile, 3);
  EXPECT_EQ(dialogs.asked.back().title, L"载入播放列表（清除当前）");
  TPlaylistLines l = Lines();
  EXPECT_EQ(l.texts, (Texts{x, y}));
  EXPECT_EQ(l.marks, (Marks{false, false}));
  // Stopped, then played from the top of the new list.
  EXPECT_EQ(l.selected, 0);
  EXPECT_EQ(media.log, (Texts{L"stop", L"URL " + x, L"play"}));

  Fill({L"a", L"b", L"c"}, {true, false, false}, 1);
  dialogs.ChooseFile(path);
  media.log.clear();
  Choose(kFile, 4);
  EXPECT_EQ(dialogs.asked.back().title, L"载入播放列表（追加到后面）");
  l = Lines();
  EXPECT_EQ(l.texts, (Texts{L"a", L"b", L"c", x, y}));
  EXPECT_EQ(l.marks, (Marks{true, false, false, false, false}));
  EXPECT_EQ(l.selected, 1);
  EXPECT_TRUE(media.log.empty()) << "appending plays nothing";
}

TEST_F(PlaylistWindow, AFileThatCannotBeReadShowsTheErrorBoxKeepsTheListAndPlaysNothing) {
  Fill({L"a", L"b"}, {false, true}, 0);
  media.log.clear();
  for (int item : {3, 4}) {
    dialogs.ChooseFile(folder / L"gone.qvml");
    dialogs.Answer(IDOK);
    Choose(kFile, item);
    EXPECT_EQ(Lines().texts, (Texts{L"a", L"b"})) << item;
    EXPECT_EQ(Lines().marks, (Marks{false, true}));
    EXPECT_TRUE(media.log.empty()) << "stop or play after a failed load";
  }
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
  // A file of other bytes loads as it decodes, up to a NUL; its first "file" then cannot be
  // found, which the player says.
  const std::wstring binary = folder / L"binary.qvml";
  WriteBytes(binary, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  dialogs.ChooseFile(binary);
  dialogs.Answer(IDOK);
  Choose(kFile, 3);
  EXPECT_EQ(Lines().texts.size(), 2u);
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_NE(dialogs.shown[2].text.find(L"不存在"), std::wstring::npos) << Narrow(dialogs.shown[2].text);
}

// ---- accompaniment, forwarding, a line's click -----------------------------------------------------

TEST_F(PlaylistWindow, TheCurrentLineBecomesTheOwnAccompanimentWithTheSettingFlashing) {
  Fill({L"C:\\a.mp3", L"C:\\乐\\b.mp3"}, {}, -1);
  Choose(kBanYing, 0);
  EXPECT_EQ(frmSetupSaverDeck->edtSelfSelectBanYing->Text(), L"") << "no current line: nothing";
  Fill({L"C:\\a.mp3", L"C:\\乐\\b.mp3"}, {}, 1);
  const DWORD t0 = clock.tick;
  Choose(kBanYing, 0);
  EXPECT_EQ(frmSetupSaverDeck->edtSelfSelectBanYing->Text(), L"C:\\乐\\b.mp3");
  EXPECT_EQ(frmSetupSaverDeck->PageControl1->ActivePageIndex(), 2);
  EXPECT_TRUE(IsWindowVisible(frmSetupSaverDeck->Handle()));
  EXPECT_GE(clock.tick - t0, 2400u) << "three flashes of 400 ms each way";
  EXPECT_EQ(frmSetupSaverDeck->edtSelfSelectBanYing->Color(), TColor(clWindow));
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 2);
}

TEST_F(PlaylistWindow, TheShowControlModeAndAddItemsGoToThePlayer) {
  const std::wstring a = Song(L"a.mp3"), b = Song(L"b.mp3"), c = Song(L"c.mp3");
  Fill({a, b});
  // 控制: play (from the top), pause, stop; the volume items reach the player's own: the system
  // volume control started, the master mute switched with the main window's marks.
  RecordingShell shell;
  struct {
    int item;
    Texts media;
    size_t shellCalls;
    bool muted;
  } controls[] = {
      {0, {L"URL " + a, L"play"}, 0, false}, {1, {L"pause"}, 0, false}, {2, {L"stop"}, 0, false},
      {3, {}, 1, false},                     {4, {}, 1, true},
  };
  for (const auto& k : controls) {
    media.log.clear();
    Choose(kControl, k.item);
    EXPECT_EQ(media.log, k.media) << "control " << k.item;
    EXPECT_EQ(shell.calls.size(), k.shellCalls) << "control " << k.item;
    EXPECT_EQ(mixer.muted, k.muted) << "control " << k.item;
    EXPECT_EQ(main->NMute->Checked, k.muted) << "control " << k.item;
  }
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, L"SndVol32.exe");
  // 模式: each item sets the player's mode, touching nothing of playback.
  media.log.clear();
  for (int m = 0; m < kPlayModeCount; ++m) {
    Choose(kMode, m);
    EXPECT_EQ(main->PlayMode(), TPlayMode(m)) << m;
  }
  EXPECT_TRUE(media.log.empty());
  // 文件: "添加..." appends what the player's dialog chose, "新建..." replaces the list with it.
  dialogs.ChooseFile(c);
  Choose(kFile, 0);
  EXPECT_EQ(dialogs.asked.back().title, L"打开音乐");
  EXPECT_EQ(Lines().texts, (Texts{a, b, c}));
  dialogs.ChooseFile(b);
  Choose(kFile, 1);
  EXPECT_EQ(dialogs.asked.back().title, L"打开音乐");
  EXPECT_EQ(Lines().texts, Texts{b});
  // 显示: 隐藏 hides the list, 复位 shows the player, 全部隐藏 hides it.
  Choose(kShow, 1);
  EXPECT_FALSE(IsWindowVisible(frmMusicList->Handle()));
  frmMusicList->Show();
  Choose(kShow, 0);
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  Choose(kShow, 2);
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
}

TEST_F(PlaylistWindow, AClickOnALinePlaysIt) {
  const std::wstring a = Song(L"a.mp3"), b = Song(L"b.mp3");
  Fill({a, b});
  media.log.clear();
  UserCommand(List()->Handle(), LB_SETCURSEL, 1, LBN_SELCHANGE);
  EXPECT_EQ(media.log, (Texts{L"URL " + b, L"play"}));
}

TEST_F(PlaylistWindow, ResizingKeepsTheDesignHeightAndThePlayersWidthAtLeast) {
  const int playerWidth = main->Width();
  frmMusicList->SetBounds(10, 10, 100, 50);
  EXPECT_EQ(frmMusicList->Width(), playerWidth);
  EXPECT_EQ(frmMusicList->Height(), 208);
  frmMusicList->SetBounds(10, 10, playerWidth + 200, 400);
  EXPECT_EQ(frmMusicList->Width(), playerWidth + 200);
  EXPECT_EQ(frmMusicList->Height(), 400);
  // The player's window grown: the list follows at its next resize.
  main->SetBounds(main->Left(), main->Top(), playerWidth + 300, main->Height());
  SetWindowPos(frmMusicList->Handle(), nullptr, 0, 0, 150, 150, SWP_NOMOVE | SWP_NOZORDER);
  RECT r;
  GetWindowRect(frmMusicList->Handle(), &r);
  EXPECT_EQ(r.right - r.left, playerWidth + 300);
  EXPECT_EQ(r.bottom - r.top, 208);
}

// ---- "修复" --------------------------------------------------------------------------------------------

// The player's world already sends HKCR's playlist type into its test key; a registry of the
// test's own would take the place of the world's, path files included.
class FixFileType : public PlaylistWindow {
 protected:
  void ClickFix() {
    auto* fix = dynamic_cast<TButton*>(frmSetupSaverDeck->FindComponent(L"btnFixQVML"));
    ASSERT_NE(fix, nullptr);
    SendMessageW(fix->Handle(), BM_CLICK, 0, 0);
    PumpMessages();
  }
  std::wstring Default(const std::wstring& sub) const {
    return RegReadStr(HKEY_CURRENT_USER, world.keys.Path() + sub, L"");
  }
  RecordingNotify notify;
};

TEST_F(FixFileType, RegistersThePlaylistTypeWithAQuotedCommandAndSaysDone) {
  dialogs.Answer(IDOK);
  ClickFix();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"修复已完成！");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1040u);
  EXPECT_EQ(notify.count, 1);
  EXPECT_EQ(Default(L"\\.qvml"), L"qvml_auto_file");
  EXPECT_EQ(Default(L"\\qvml_auto_file"), L"Quovel音乐播放列表");
  EXPECT_EQ(Default(L"\\qvml_auto_file\\DefaultIcon"), OwnExePath() + L",0");
  EXPECT_EQ(Default(L"\\qvml_auto_file\\shell\\open\\command"), L"\"" + OwnExePath() + L"\" /L \"%1\"");
  // Again: nothing to write, nobody told, still done.
  dialogs.Answer(IDOK);
  ClickFix();
  EXPECT_EQ(notify.count, 1);
  EXPECT_EQ(dialogs.shown.back().text, L"修复已完成！");
}

TEST_F(FixFileType, ARegistryErrorShowsItsBoxAndNeitherTellsTheShellNorSaysDone) {
  world.folders.registry.Deny(HKEY_CLASSES_ROOT, L".qvml");
  dialogs.Answer(IDOK);
  ClickFix();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text, L"修复已完成！");
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
  EXPECT_EQ(notify.count, 0);
}

// ---- the creation: command line and start-up playlist ---------------------------------------------

struct StartCase {
  const char* name;
  Texts args;              // "<list>" stands for the /L list file, "<gone>" for a missing one
  bool silent, minimize, atStart, playAtOnce;
  int useBanYing, source;  // cbbUseBanYingOrNot, cbbBanYingForAutoScr
  Texts lines;             // the list after the start, as the songs' names
  bool shown;              // the main window shows when the loop starts
  const wchar_t* plays;    // the song played at the start, if any
  bool stopFirst;          // a stop before it
};

class PlaylistStart : public PlayerForms, public testing::WithParamInterface<StartCase> {
 protected:
  void BeforeMusicList() override {
    const StartCase& c = GetParam();
    for (const wchar_t* n : {L"from-L", L"at-start-1", L"at-start-2"}) WriteTextLines(Song(n), {L"RIFF"});
    WriteTextLines(folder / L"list.qvml", {Song(L"from-L")});
    WriteTextLines(folder / L"start.qvml", {Song(L"at-start-1"), Song(L"at-start-2")});
    for (std::wstring a : c.args) {
      if (a == L"<list>") a = folder / L"list.qvml";
      if (a == L"<gone>") a = folder / L"gone.qvml";
      StartArguments.push_back(a);
    }
    auto* s = frmSetupSaverDeck;
    s->edtPlayMusListAtStart->SetText(folder / L"start.qvml");
    s->cbxSlientStartupOnMsg->SetChecked(c.silent);
    // Ticking "minimise at start" asks its question: the user agrees.
    if (c.minimize) dialogs.Answer(IDYES);
    s->cbxMinimizeOnStart->SetChecked(c.minimize);
    dialogs.shown.clear();
    s->cbxPlayMusListAtStart->SetChecked(c.atStart);
    s->cbxPlayImediately->SetChecked(c.playAtOnce);
    s->cbbUseBanYingOrNot->SetItemIndex(c.useBanYing);
    s->cbbBanYingForAutoScr->SetItemIndex(c.source);
    media.log.clear();
  }
  std::wstring Song(const std::wstring& name) const { return folder / (name + L".mp3"); }
  ScriptedDialogs dialogs;
  TestFolder folder{L"qvstart"};
};

const Texts kStartList{L"at-start-1", L"at-start-2"};
const Texts kLList{L"from-L"};

TEST_P(PlaylistStart, TheFirstArgumentAndTheSettingsDecideTheList) {
  const StartCase& c = GetParam();
  Texts lines, played;
  for (const std::wstring& n : c.lines) lines.push_back(Song(n));
  if (c.plays) {
    if (c.stopFirst) played.push_back(L"stop");
    played.push_back(L"URL " + Song(c.plays));
    played.push_back(L"play");
  }
  EXPECT_EQ(frmMusicList->CheckListBox1->Items.List(), lines);
  EXPECT_EQ(frmMusicList->CheckListBox1->ItemIndex(), c.plays ? 0 : -1);
  EXPECT_EQ(Application->ShowMainForm, c.shown);
  EXPECT_EQ(media.log, played);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(LastErrorText, L"");
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlaylistStart,
    testing::Values(
        // By a sibling: quiet start; the start-up list only while music is in use for outside runs.
        StartCase{"SiblingQuiet", {L"/A"}, true, false, false, false, 0, 1, kStartList, false, nullptr, false},
        StartCase{"SiblingAutomatic", {L"/A"}, false, true, false, true, 0, 0, kStartList, true, nullptr, false},
        StartCase{"SiblingNoMusicInUse", {L"/A"}, false, false, true, true, 1, 0, {}, true, nullptr, false},
        StartCase{"SiblingOwnFile", {L"/A"}, false, false, true, true, 0, 2, {}, true, nullptr, false},
        // /L: that list in place, stop and play; nothing else.
        StartCase{"SlashL", {L"/L", L"<list>"}, false, true, true, true, 0, 0, kLList, true, L"from-L", true},
        StartCase{"SlashLMissingIsSilent", {L"/L", L"<gone>"}, false, true, true, true, 0, 0, {}, true, nullptr, false},
        // Anything else is a start without switches.
        StartCase{"LowerCaseL", {L"/l", L"<list>"}, false, false, true, false, 0, 0, kStartList, true, nullptr, false},
        StartCase{"BareL", {L"/L"}, false, true, true, true, 0, 0, kStartList, false, L"at-start-1", false},
        StartCase{"SlashAThenL", {L"x", L"/A"}, false, false, false, true, 0, 0, {}, true, nullptr, false},
        StartCase{"NoArguments", {}, false, false, true, true, 0, 0, kStartList, true, L"at-start-1", false}),
    [](const auto& info) { return std::string(info.param.name); });

class MissingStartList : public PlayerForms {
 protected:
  void BeforeMusicList() override {
    frmSetupSaverDeck->edtPlayMusListAtStart->SetText(missing);
    frmSetupSaverDeck->cbxPlayMusListAtStart->SetChecked(true);
    frmSetupSaverDeck->PageControl1->SetActivePageIndex(3);
    dialogs.Answer(IDOK);
    t0 = clock.tick;
  }
  FakeClock clock;
  ScriptedDialogs dialogs;
  TestFolder folder{L"qvstart"};
  const std::wstring missing = folder / L"改名了.qvml";
  DWORD t0 = 0;
};

TEST_F(MissingStartList, FlashesTheSettingThenAsksAndKeepsTheText) {
  const std::wstring text = L"你指定要载入的播放列表\"" + missing + L"\"不存在！请检查文件是否被更名、删除或移走？";
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, text);
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
  EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION));
  EXPECT_EQ(LastErrorText, text);
  EXPECT_EQ(frmSetupSaverDeck->PageControl1->ActivePageIndex(), 0);
  EXPECT_TRUE(IsWindowVisible(frmSetupSaverDeck->Handle()));
  EXPECT_GE(clock.tick - t0, 2400u) << "the flash comes first";
  EXPECT_TRUE(frmMusicList->CheckListBox1->Items.List().empty());
  EXPECT_FALSE(InMusicModePlaces()) << "made without an arrangement";
}

}  // namespace
