// Executable lookup (real files and registry values), class probe, commands, prompts
// and the bounded launch, with windows of the family's classes in this process.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Fakes.h"
#include "Forms.h"
#include "SiblingWorld.h"
#include "uniQVShare.h"

namespace {

HWND Owner() { return reinterpret_cast<HWND>(0x4321); }

std::wstring Own(const std::wstring& name) { return OwnExeFolder() + L"\\" + name; }

const std::wstring kDownloadPrompt = L"提示：未安装或启动时发生意外！";

// The download page's address, as the openers give it.
std::wstring DownloadAddress() {
  RecordingShell shell;
  OpenDownloadPage(nullptr);
  return shell.calls.at(0).file;
}

TEST(FindSiblingExe, NothingFound) {
  SiblingWorld world;
  std::wstring path = L"unchanged";
  EXPECT_FALSE(FindSiblingExe(pcZEPT, path));
  EXPECT_FALSE(FindSiblingExe(4, path));
}

TEST(FindSiblingExe, CandidatesInOrder) {
  SiblingWorld world;
  TestFolder dir;
  enum Where { kOwnFolder, kInstallRecord, kPathFile };
  struct Candidate {
    std::wstring path;
    Where where;
  };
  // Each candidate made wins over all made before it.
  const Candidate candidates[] = {{Own(L"Quosso.exe"), kOwnFolder},
                                  {Own(L"Pelgrin.exe"), kOwnFolder},
                                  {Own(L"Zeptor.exe"), kOwnFolder},
                                  {Own(L"zept.exe"), kOwnFolder},
                                  {dir / L"installed.exe", kInstallRecord},
                                  {dir / L"发布.exe", kPathFile}};
  std::vector<std::unique_ptr<TempFile>> made;
  for (const Candidate& c : candidates) {
    made.push_back(std::make_unique<TempFile>(c.path));
    if (c.where == kInstallRecord) world.InstallRecord(L"ZEPT", c.path);
    if (c.where == kPathFile) world.PathFile(L"dir2", c.path);
    std::wstring path;
    ASSERT_TRUE(FindSiblingExe(pcZEPT, path)) << Narrow(c.path);
    EXPECT_EQ(path, c.path);
  }
}

TEST(FindSiblingExe, ADeletedExecutableInThePathFileFallsToTheInstallRecordThenTheOwnFolder) {
  SiblingWorld world;
  TestFolder dir;
  world.PathFile(L"dir3", dir / L"deleted\\saverdeck.exe");
  world.InstallRecord(L"SaverDeck", dir / L"gone.exe");
  TempFile own(Own(L"Sonavista.exe"));
  std::wstring path;
  ASSERT_TRUE(FindSiblingExe(pcSaverDeck, path));
  EXPECT_EQ(path, own.path);
  TempFile installed(dir / L"gone.exe");
  ASSERT_TRUE(FindSiblingExe(pcSaverDeck, path));
  EXPECT_EQ(path, installed.path);
}

TEST(FindSiblingExe, EachProductUsesItsOwnFilesAndKeys) {
  SiblingWorld world;
  TestFolder dir;
  struct Case {
    ProductCode code;
    const wchar_t *pathFile, *key;
  };
  for (Case c : {Case{1, L"dir1", L"BKWD"}, Case{2, L"dir2", L"ZEPT"}, Case{3, L"dir3", L"SaverDeck"},
                 Case{5, L"dir5", L"MINV"}, Case{104, L"dir4", L"DESKPANEL"}}) {
    TempFile byRecord(dir / (std::wstring(c.key) + L"-record.exe"));
    world.InstallRecord(c.key, byRecord.path);
    std::wstring path;
    ASSERT_TRUE(FindSiblingExe(c.code, path)) << int(c.code);
    EXPECT_EQ(path, byRecord.path);
    TempFile byFile(dir / (std::wstring(c.key) + L"-file.exe"));
    world.PathFile(c.pathFile, byFile.path);
    ASSERT_TRUE(FindSiblingExe(c.code, path));
    EXPECT_EQ(path, byFile.path) << int(c.code);
  }
}

TEST(FindSiblingExe, ADirectoryNeverCountsAsAnExecutable) {
  SiblingWorld world;
  TestFolder dir;
  CreateDirectoryW((dir / L"folder.exe").c_str(), nullptr);
  world.PathFile(L"dir5", dir / L"folder.exe");
  world.InstallRecord(L"MINV", dir.Path());
  CreateDirectoryW(Own(L"minv.exe").c_str(), nullptr);
  std::wstring path;
  EXPECT_FALSE(FindSiblingExe(pcMINV, path));
  TempFile minvar(Own(L"Minvar.exe"));
  ASSERT_TRUE(FindSiblingExe(pcMINV, path));
  EXPECT_EQ(path, minvar.path);
  RemoveDirectoryW(Own(L"minv.exe").c_str());
}

TEST(PostCmdTo, PostsTheTableMessageToTheWindowFoundAndOnlyOnce) {
  ClassWindow player(L"KMR474747_325_SaverDeck");
  ASSERT_TRUE(FindSiblingWnd(L"KMR474747_325_SaverDeck"));
  PostCmdToSaverDeck(12);  // no receiver in the player, still posted
  PostCmdToSaverDeck(13);  // the handle went with the first post
  PumpMessages();
  EXPECT_EQ(player.got, (std::vector<UINT>{0x8195}));
  ASSERT_TRUE(FindSiblingWnd(L"KMR474747_325_SaverDeck"));
  PostCmdToSaverDeck(13);
  ASSERT_TRUE(FindSiblingWnd(L"KMR474747_325_SaverDeck"));
  PostCmdToSaverDeck(17);  // outside the table: nothing
  PumpMessages();
  EXPECT_EQ(player.got, (std::vector<UINT>{0x8195, 0x8196}));
  EXPECT_FALSE(FindSiblingWnd(L"KMR474747_999_Nobody"));
}

TEST(PostCmdTo, AWindowClosedBetweenProbeAndPostIsNotPostedTo) {
  auto* w = new ClassWindow(L"KMR474747_420_DESKPANEL");
  ASSERT_TRUE(FindSiblingWnd(L"KMR474747_420_DESKPANEL"));
  delete w;
  PostCmdToDeskpanel(0);  // fails silently
  SUCCEED();
}

TEST(CallSibling, TheNewestClassWinsAndNoPromptShows) {
  SiblingWorld world;
  ScriptedDialogs dialogs;  // any prompt fails the test
  RecordingShell shell;
  ClassWindow current(L"KMR474747_30"), old(L"KMR474747_20");
  CallBKWD(Owner(), 2);
  PumpMessages();
  EXPECT_EQ(current.got, (std::vector<UINT>{WM_BKWD_OPENSTAT}));
  EXPECT_TRUE(old.got.empty());
  EXPECT_TRUE(shell.calls.empty());
}

TEST(CallSibling, AnyMinvClassGetsTheCommandWithoutPrompt) {
  SiblingWorld world;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  ClassWindow oldest(L"KMR474747_5_MINV");
  CallMINV(Owner(), 0);
  PumpMessages();
  EXPECT_EQ(oldest.got, (std::vector<UINT>{WM_MINV_ACTIVATE}));
}

TEST(CallSibling, AnOldBreakReminderGetsTheUpgradePromptAndOkOpensTheDownloadPage) {
  SiblingWorld world;
  const std::wstring download = DownloadAddress();
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  RecordingShell shell;
  ClassWindow old(L"KMR474747_15");
  CallBKWD(Owner(), 1);
  PumpMessages();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].owner, nullptr);
  EXPECT_EQ(dialogs.shown[0].text,
            L"您正使用的是Restalon的旧版本,请升级至最新版本,如果您已经下载，需要安装或首次运行它。"
            L"如果还没有下载，请点击确定进入下载页面。");
  EXPECT_EQ(dialogs.shown[0].caption, L"提示：旧版本不支持当前功能！");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1021u);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, download);
  EXPECT_EQ(shell.calls[0].owner, Owner());
  EXPECT_TRUE(old.got.empty());
}

TEST(CallSibling, UpgradePromptTextsOfTheOtherProducts) {
  SiblingWorld world;
  struct Case {
    ProductCode code;
    const wchar_t *cls, *name;
  };
  for (Case c : {Case{2, L"KMR474747_2_ZEPT", L"Pelgrin"}, Case{3, L"KMR474747_315_SaverDeck", L"Sonavista"},
                 Case{104, L"KMR474747_4_DESKPANEL", L"Deskorin"}}) {
    ScriptedDialogs dialogs;
    dialogs.Answer(IDOK);
    RecordingShell shell;
    ClassWindow old(c.cls);
    CallSibling(c.code, Owner(), 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, std::wstring(L"您正使用的是") + c.name +
                                         L"的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。"
                                         L"如果还没有下载，请点击确定进入下载页面。");
    EXPECT_EQ(dialogs.shown[0].caption, L"提示：旧版本需要升级！");
    EXPECT_EQ(dialogs.shown[0].flags, 0x1021u);
  }
}

// A call that may start the sibling: its world and a folder for the executable, a clock whose
// waits pass at once, scripted prompts (none unless a test scripts one) and a shell that records
// the start.
class SiblingStart : public testing::Test {
 protected:
  SiblingWorld world;
  TestFolder dir;
  FakeClock clock;
  ScriptedDialogs dialogs;
  RecordingShell shell;
};

TEST_F(SiblingStart, CancelOnTheUpgradePromptStartsOnceAndPromptsOnceMore) {
  TempFile exe(dir / L"saverdeck.exe");
  world.PathFile(L"dir3", exe.path);
  dialogs.Answer(IDCANCEL).Answer(IDCANCEL);
  ClassWindow old(L"KMR474747_3_SaverDeck");
  CallSaverDeck(Owner(), 5);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, exe.path);
  EXPECT_EQ(clock.tick - 1000000u, 4000u);
  EXPECT_TRUE(old.got.empty());
}

TEST_F(SiblingStart, NoWindowStartsTheInstalledProgramAndPostsOnceItIsUp) {
  TempFile exe(dir / L"saverdeck.exe");
  world.PathFile(L"dir3", exe.path);
  // The "started program" creates its window inside the first wait, a little later.
  std::unique_ptr<ClassWindow> player;
  ClassWindow starter(L"QVTestStarter");
  starter.onMessage = [&](UINT) { player = std::make_unique<ClassWindow>(L"KMR474747_325_SaverDeck"); };
  PostMessageW(starter.hwnd, WM_USER, 0, 0);
  CallSaverDeck(Owner(), 3);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].owner, Owner());
  EXPECT_EQ(shell.calls[0].verb, L"");
  EXPECT_EQ(shell.calls[0].file, exe.path);
  EXPECT_EQ(shell.calls[0].params, L"/A");
  EXPECT_EQ(shell.calls[0].dir, L"");
  EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(clock.tick - 1000000u, 4000u);
  ASSERT_TRUE(player);
  PumpMessages();
  EXPECT_EQ(player->got, (std::vector<UINT>{WM_SAVERDECK_SCR_INTURN}));
}

TEST_F(SiblingStart, ASiblingThatNeverComesUpIsStartedOnceAndProbedThreeTimes) {
  TempFile exe(dir / L"deskpanel.exe");
  world.InstallRecord(L"DESKPANEL", exe.path);
  // No prompt is scripted: it ends silently.
  CallDeskpanel(Owner(), 1);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, exe.path);
  EXPECT_EQ(shell.calls[0].params, L"");
  EXPECT_EQ(clock.tick - 1000000u, 12000u);
}

TEST_F(SiblingStart, AnOldWindowAfterTheStartGetsOneMorePromptAndOkEnds) {
  TempFile exe(dir / L"breakwarden.exe");
  world.PathFile(L"dir1", exe.path);
  dialogs.Answer(IDOK);
  std::unique_ptr<ClassWindow> old;
  ClassWindow starter(L"QVTestStarter");
  starter.onMessage = [&](UINT) { old = std::make_unique<ClassWindow>(L"KMR474747_20"); };
  PostMessageW(starter.hwnd, WM_USER, 0, 0);
  CallBKWD(Owner(), 1);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  ASSERT_EQ(shell.calls.size(), 2u);  // the start, then the download page
  EXPECT_EQ(shell.calls[0].file, exe.path);
  EXPECT_EQ(shell.calls[1].file, DownloadAddress());
  EXPECT_EQ(clock.tick - 1000000u, 4000u);
}

TEST_F(SiblingStart, CommandZeroStartsAndPostsNothing) {
  TempFile exe(dir / L"deskpanel.exe");
  world.PathFile(L"dir4", exe.path);
  CallDeskpanel(Owner(), 0);
  EXPECT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(clock.tick, 1000000u);
}

TEST_F(SiblingStart, AFailedStartEndsTheCallWithoutWaiting) {
  TempFile exe(dir / L"saverdeck.exe");
  world.PathFile(L"dir3", exe.path);
  for (INT_PTR result : {0, 2, 32}) {
    shell.result = result;
    CallSaverDeck(Owner(), 3);
  }
  EXPECT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(clock.tick, 1000000u);
}

TEST(CallSibling, NotInstalledPromptsAndYesOpensTheDownloadPage) {
  SiblingWorld world;
  const std::wstring download = DownloadAddress();
  struct Case {
    ProductCode code;
    const wchar_t* name;
  };
  for (Case c : {Case{1, L"Restalon"}, Case{2, L"Pelgrin"}, Case{3, L"Sonavista"}, Case{104, L"Deskora"},
                 Case{5, L"Minvar"}}) {
    ScriptedDialogs dialogs;
    dialogs.Answer(IDYES).Answer(IDNO);
    RecordingShell shell;
    CallSibling(c.code, Owner(), 1);
    CallSibling(c.code, Owner(), 0);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, std::wstring(L"您可能还没有安装") + c.name + L",现在就下载试用吧？");
    EXPECT_EQ(dialogs.shown[0].caption, kDownloadPrompt);
    EXPECT_EQ(dialogs.shown[0].flags, 0x1024u);
    EXPECT_EQ(dialogs.shown[0].owner, nullptr);
    ASSERT_EQ(shell.calls.size(), 1u);  // Yes: the download page; No: nothing
    EXPECT_EQ(shell.calls[0].file, download);
    EXPECT_EQ(shell.calls[0].owner, Owner());
  }
}

TEST(CallSibling, TheHandleIsFoundAnewForEachCall) {
  SiblingWorld world;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  {
    ClassWindow first(L"KMR474747_430_DESKPANEL");
    ASSERT_TRUE(FindSiblingWnd(L"KMR474747_430_DESKPANEL"));  // a handle kept and never used
  }
  ClassWindow second(L"KMR474747_420_DESKPANEL");
  CallDeskpanel(Owner(), 1);
  PumpMessages();
  EXPECT_EQ(second.got, (std::vector<UINT>{WM_DESKPANEL_REMIND}));
}

}  // namespace
