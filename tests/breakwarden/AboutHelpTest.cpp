// The about-and-help window in-process: its pages and links, the first-run test, the first-run
// setup and the guided welcome, on a fake clock with scripted boxes, the path file in a test
// folder's AppData and the Run value in a test-owned key.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniAboutQV.h"
#include "uniBreakHint.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

constexpr const wchar_t* kCaption = L"欢迎使用Restavo！";
constexpr const wchar_t* kFirstBox = L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...";
constexpr const wchar_t* kLaptopBox = L"请您正确选择：当前使用的是笔记本还是台式机？笔记本请点确定，台式机点取消。";
constexpr const wchar_t* kWelcome1 = L"Restalon是挡屏提醒和引导休息的软件,现在先演示一下吧...";
constexpr const wchar_t* kWelcome2 =
    L"Restalon功能非常丰富，除了卓越的休息引导功能，屏保/省电/音乐/闹钟提醒/一键调用等均是它创新的目标！"
    L"最新加入的桌面控制台功能也异常强大，建议开启。";
constexpr const wchar_t* kWelcome3 = L"好，就简单介绍到这，接下来有待您慢慢体验，Quovel软件将伴您健康之旅....";

// ---- the first-run test, on paths alone ------------------------------------------------------

TEST(IsFirstRun, ComparesTheExecutableAsTheFileSystemNamesIt) {
  TestFolder folder{L"qvfirst"};
  const std::wstring exe = folder / L"breakwarden_long_name.exe";
  WriteBytes(exe, "MZ");
  const std::wstring other = folder / L"other";
  CreateDirectoryW(other.c_str(), nullptr);
  std::wstring upper = exe;
  CharUpperW(upper.data());
  wchar_t shortBuf[MAX_PATH] = {};
  GetShortPathNameW(exe.c_str(), shortBuf, MAX_PATH);
  struct Case {
    const char* what;
    std::wstring line;
    bool first;
  };
  for (const Case& c : {Case{"missing", L"", true}, Case{"the same path", exe, false},
                        Case{"another folder", other + L"\\breakwarden_long_name.exe", true},
                        Case{"another file name", folder / L"breakwarden.exe", true},
                        Case{"other letter case", upper, false}, Case{"its short name", shortBuf, false}}) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(IsFirstRun(c.line, exe), c.first);
  }
  // Both spellings the other way round too: the running path may be the short or odd one.
  EXPECT_FALSE(IsFirstRun(exe, upper));
  EXPECT_FALSE(IsFirstRun(exe, shortBuf));
}

TEST(IsFirstRun, APathTheFileCannotHoldIsTheSameAfterItsRoundTrip) {
  const std::wstring exe = L"C:\\Straße\\가\\breakwarden.exe";
  EXPECT_FALSE(IsFirstRun(ThroughTextFile(exe), exe));
  EXPECT_TRUE(IsFirstRun(ThroughTextFile(L"C:\\Strasse\\가\\breakwarden.exe"), exe));
}

// ---- the window ------------------------------------------------------------------------------

// Boxes answered from the script, each noted with the fake clock's tick when it came; a box may
// also run a step of the test (the user doing something while it is up).
class TimedDialogs : public ScriptedDialogs {
 public:
  int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    ticks.push_back(Clock().TickCount());
    auto it = onBox.find(text);
    if (it != onBox.end()) it->second();
    return ScriptedDialogs::MessageBox(owner, text, caption, flags);
  }
  std::vector<DWORD> ticks;
  std::map<std::wstring, std::function<void()>> onBox;
};

class AboutHelp : public ProgramForms {
 protected:
  void SetUp() override {
    folders.registry.Redirect(HKEY_LOCAL_MACHINE, kRunKeyPath, runKey.Path() + L"\\Run");
  }
  void TearDown() override {
    ProgramForms::TearDown();
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Application->Terminated = false;
  }
  // The forms as the program block makes them.
  void MakeForms() {
    Application->CreateForm(frmMain);
    Application->CreateForm(frmAboutHelp);
    // The setup's timer gives the program 3 s to start; here the test starts the setup itself
    // (RunSetup), so a settings dialog slow to make on a busy machine cannot let it run first.
    if (frmAboutHelp->tmrFirstSetup->Enabled()) frmAboutHelp->tmrFirstSetup->SetInterval(24 * 3600 * 1000);
    Application->CreateForm(frmSetup);
    PumpMessages();
  }
  std::wstring PathFile() const { return folders.appData + L"\\Quovel\\dir1"; }
  void SeedPathFile(const std::wstring& line) {
    CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
    WriteTextLines(PathFile(), {line, L"30"});
  }
  std::wstring RunValue() const { return RegReadStr(HKEY_CURRENT_USER, runKey.Path() + L"\\Run", L"Quovel"); }
  bool ConfigWritten() const { return FileExists(configFolder.ConfigPath()); }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> t;
    for (const auto& b : dialogs.shown) t.push_back(b.text);
    return t;
  }
  // The first-run setup as its timer starts it.
  void RunSetup() {
    ASSERT_TRUE(frmAboutHelp->tmrFirstSetup->Enabled()) << "no first run was seen";
    frmAboutHelp->tmrFirstSetup->Timer();
    EXPECT_FALSE(frmAboutHelp->tmrFirstSetup->Enabled()) << "the setup runs once";
  }
  static bool PreviewOpen() { return frmBreakHint && frmBreakHint->Visible() && frmBreakHint->Preview(); }

  ShellFoldersInTestFolder folders;
  TestRegKey runKey;
  FakeClock clock;
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  RecordingShell shell;
  TimedDialogs dialogs;
};

TEST_F(AboutHelp, IsMadeHiddenWithItsPagesAndAddresses) {
  SeedPathFile(OwnExePath());
  MakeForms();
  TfrmAboutHelp* w = frmAboutHelp;
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Application->FindForm(L"frmAboutHelp"), w);
  EXPECT_FALSE(w->Visible());
  EXPECT_EQ(w->Caption(), L"关于帮助!--[Restalon]");
  EXPECT_EQ(w->Width(), 484);
  EXPECT_EQ(w->Height(), 486);
  EXPECT_EQ(w->TabSheet1->Caption(), L"关于Quovel...");
  EXPECT_EQ(w->TabSheet3->Caption(), L"帮助与支持");
  EXPECT_EQ(w->lblHomePageOnP1->Caption(), HomePageAddress());
  EXPECT_EQ(w->lblHomePageOnP2->Caption(), HomePageAddress());
  EXPECT_EQ(w->lblEmailOnP1->Caption(), ContactEmailAddress());
  EXPECT_EQ(w->lblEmailOnP2->Caption(), ContactEmailAddress());
  EXPECT_EQ(w->tmrFirstSetup->Interval(), 3000u);
  EXPECT_FALSE(w->tmrFirstSetup->Enabled()) << "the path file names this executable";
}

TEST_F(AboutHelp, TheTrayItemsShowEachPageInFront) {
  SeedPathFile(OwnExePath());
  MakeForms();
  frmAboutHelp->SetWindowState(wsMinimized);
  frmMain->NChatWithMeClick(nullptr);
  EXPECT_TRUE(IsWindowVisible(frmAboutHelp->Handle()));
  EXPECT_FALSE(IsIconic(frmAboutHelp->Handle()));
  EXPECT_EQ(frmAboutHelp->PageControl1->ActivePageIndex(), 0);
  frmAboutHelp->Close();
  EXPECT_FALSE(frmAboutHelp->Visible()) << "closing only hides it";
  frmMain->NAboutHelpClick(nullptr);
  EXPECT_TRUE(IsWindowVisible(frmAboutHelp->Handle()));
  EXPECT_EQ(frmAboutHelp->PageControl1->ActivePageIndex(), 1);
  EXPECT_EQ(Application->FindForm(L"frmAboutHelp"), frmAboutHelp) << "never freed";
}

// The mouse resting on a link of either page shows the link's hint.
TEST_F(AboutHelp, TheLinksShowTheirHintsUnderTheMouse) {
  SeedPathFile(OwnExePath());
  MakeForms();
  TfrmAboutHelp* w = frmAboutHelp;
  frmMain->NAboutHelpClick(nullptr);
  PumpMessages();
  const struct {
    int page;
    TWinControl* link;
    const wchar_t* hint;
  } cases[] = {
      {1, w->lblHelp, L"点这里你可以得到你要的帮助信息！"}, {1, w->btnSuggestion, L"欢迎留言（报错、建议或提意见！）"},
      {1, w->lblUpdate, L"点这里查看是否有新东东！"},     {1, w->lblVote, L"欢迎参与投票！"},
      {0, w->btnQQ, L"与我Q聊"},                          {0, w->btnWangWang, L"与我旺聊"},
  };
  for (const auto& c : cases) {
    w->ShowPage(c.page);
    PumpMessages();
    HWND tip = HoverForHint(c.link);
    ASSERT_NE(tip, nullptr) << Narrow(c.link->Name());
    EXPECT_EQ(Narrow(HintShown(tip)), Narrow(c.hint));
  }
}

TEST_F(AboutHelp, EachLinkClickedOpensItsPageWithTheWindowAsOwner) {
  SeedPathFile(OwnExePath());
  MakeForms();
  TfrmAboutHelp* w = frmAboutHelp;
  w->ShowPage(1);
  // What each opener of the toolkit opens, for comparison.
  RecordingShell expected;
  OpenHelpPage(w->Handle(), 1);
  OpenSuggestionPage(w->Handle());
  OpenDownloadPage(w->Handle());
  OpenVotePage(w->Handle(), 1);
  OpenHomePage(w->Handle());
  OpenHomePage(w->Handle());
  OpenMessengerChat(w->Handle());
  OpenShopMessengerChat(w->Handle());
  OpenHelpPage(w->Handle(), 1);
  // The expected calls are recorded; the window's clicks go to the test's shell again.
  SetShellSeam(&shell);
  for (TWinControl* c : {static_cast<TWinControl*>(w->lblHelp), static_cast<TWinControl*>(w->btnSuggestion),
                         static_cast<TWinControl*>(w->lblUpdate), static_cast<TWinControl*>(w->lblVote),
                         static_cast<TWinControl*>(w->lblHomePageOnP2)})
    UserClick(c);
  w->ShowPage(0);
  for (TWinControl* c : {static_cast<TWinControl*>(w->lblHomePageOnP1), static_cast<TWinControl*>(w->btnQQ),
                         static_cast<TWinControl*>(w->btnWangWang)})
    UserClick(c);
  frmMain->NWebPageOfThisProductClick(nullptr);
  ASSERT_EQ(shell.calls.size(), expected.calls.size());
  for (size_t i = 0; i < shell.calls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shell.calls[i].file, expected.calls[i].file);
    EXPECT_EQ(shell.calls[i].show, expected.calls[i].show);
    EXPECT_EQ(shell.calls[i].owner, w->Handle());
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AboutHelp, TheContactLabelsCopyTheAddressAndThePictureShowsTheSplash) {
  SeedPathFile(OwnExePath());
  MakeForms();
  TfrmAboutHelp* w = frmAboutHelp;
  w->ShowPage(0);
  dialogs.Answer(IDOK).Answer(IDOK);
  UserClick(w->lblEmailOnP1);
  w->ShowPage(1);
  UserClick(w->lblEmailOnP2);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, L"邮件地址已成功复制到剪贴板！您现在可以写信给作者了！");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  std::wstring copied = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, ContactEmailAddress());

  frmMain->Close();  // the start's splash has faded
  ASSERT_FALSE(IsWindowVisible(frmMain->Handle()));
  w->ShowPage(0);
  UserClick(w->Image1);
  EXPECT_TRUE(IsWindowVisible(frmMain->Handle()));
  EXPECT_TRUE(frmMain->CloseAnimateTimer->Enabled()) << "shown for its three seconds";
}

// ---- the first run ---------------------------------------------------------------------------

TEST_F(AboutHelp, LaptopAnswerSavesTheSettingsWritesThePathFileAndRunValueThenWelcomes) {
  MakeForms();  // no path file
  dialogs.Answer(IDOK).Answer(IDOK).Answer(IDOK).Answer(IDOK).Answer(IDOK);
  std::wstring pathFileAtWelcome, runAtWelcome;
  bool configAtWelcome = false;
  dialogs.onBox[kWelcome1] = [&] {
    pathFileAtWelcome = ReadPathFile(L"dir1");
    runAtWelcome = RunValue();
    configAtWelcome = ConfigWritten();
  };
  RunSetup();
  const std::vector<std::wstring> expected = {kFirstBox, kLaptopBox, kWelcome1, kWelcome2, kWelcome3};
  EXPECT_EQ(Texts(), expected);
  for (const auto& b : dialogs.shown) {
    EXPECT_EQ(b.caption, kCaption);
    EXPECT_EQ(b.owner, nullptr);
    EXPECT_EQ(b.flags & (MB_SYSTEMMODAL | MB_ICONINFORMATION), UINT(MB_SYSTEMMODAL | MB_ICONINFORMATION));
  }
  EXPECT_EQ(dialogs.shown[1].flags & MB_TYPEMASK, UINT(MB_OKCANCEL));
  EXPECT_EQ(dialogs.shown[0].flags & MB_TYPEMASK, UINT(MB_OK));
  ASSERT_EQ(dialogs.ticks.size(), 5u);
  EXPECT_EQ(dialogs.ticks[2] - dialogs.ticks[1], 5000u) << "the wait before the welcome";
  EXPECT_EQ(dialogs.ticks[3] - dialogs.ticks[2], 10000u) << "the previews' time";
  EXPECT_TRUE(frmSetup->cbxHarwareIsLaptop->Checked());
  EXPECT_TRUE(configAtWelcome);
  const std::vector<std::wstring> config = ReadTextLines(configFolder.ConfigPath());
  ASSERT_GE(config.size(), 9u);
  EXPECT_EQ(config[8], L"[7] TRUE TRUE");
  EXPECT_EQ(pathFileAtWelcome, OwnExePath());
  EXPECT_EQ(ReadTextLines(PathFile()), (std::vector<std::wstring>{OwnExePath(), L"30"}));
  EXPECT_EQ(runAtWelcome, L"\"" + OwnExePath() + L"\"");
  EXPECT_TRUE(PreviewOpen()) << "OK to the first welcome box runs the break rehearsal";
}

TEST_F(AboutHelp, DesktopAnswerWritesNoSettingsFile) {
  MakeForms();
  dialogs.Answer(IDOK).Answer(IDCANCEL).Answer(IDCANCEL).Answer(IDCANCEL);
  RunSetup();
  const std::vector<std::wstring> expected = {kFirstBox, kLaptopBox, kWelcome1, kWelcome2};
  EXPECT_EQ(Texts(), expected) << "Cancel to the second welcome box ends it";
  EXPECT_FALSE(frmSetup->cbxHarwareIsLaptop->Checked());
  EXPECT_FALSE(ConfigWritten());
  EXPECT_EQ(ReadPathFile(L"dir1"), OwnExePath());
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"");
  EXPECT_FALSE(PreviewOpen()) << "no rehearsal without OK";
}

TEST_F(AboutHelp, AnythingButOkToTheFirstBoxEndsTheSetup) {
  MakeForms();
  dialogs.Answer(IDCANCEL);
  RunSetup();
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_FALSE(FileExists(PathFile()));
  EXPECT_EQ(RunValue(), L"");
}

TEST_F(AboutHelp, ASettingsFileThatCannotBeWrittenShowsTheErrorAndEndsTheSetup) {
  CreateDirectoryW(configFolder.ConfigPath().c_str(), nullptr);  // a folder in the file's place
  MakeForms();
  dialogs.Answer(IDOK).Answer(IDOK).Answer(IDOK);
  RunSetup();
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[2].caption, Application->Title);
  EXPECT_TRUE(dialogs.shown[2].flags & MB_ICONERROR);
  EXPECT_FALSE(FileExists(PathFile())) << "the next start must ask again";
  EXPECT_EQ(RunValue(), L"");
}

TEST_F(AboutHelp, APathFileThatCannotBeWrittenShowsTheErrorAndEndsTheSetup) {
  CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
  CreateDirectoryW(PathFile().c_str(), nullptr);  // a folder named dir1
  MakeForms();
  dialogs.Answer(IDOK).Answer(IDCANCEL).Answer(IDOK);
  RunSetup();
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_TRUE(dialogs.shown[2].flags & MB_ICONERROR);
  EXPECT_EQ(RunValue(), L"");
}

TEST_F(AboutHelp, APathFileThatCannotBeReadCountsAsMissing) {
  SeedPathFile(OwnExePath());
  HANDLE h = CreateFileW(PathFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  MakeForms();
  CloseHandle(h);
  EXPECT_TRUE(frmAboutHelp->tmrFirstSetup->Enabled());
}

TEST_F(AboutHelp, AQuovelFolderThatCannotBeMadeIsPassedOverSilently) {
  RemoveDirectoryW(folders.appData.c_str());  // no AppData folder to make it in
  MakeForms();
  dialogs.Answer(IDOK).Answer(IDCANCEL).Answer(IDCANCEL).Answer(IDCANCEL);
  RunSetup();
  const std::vector<std::wstring> expected = {kFirstBox, kLaptopBox, kWelcome1, kWelcome2};
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"");
}

TEST_F(AboutHelp, ARunKeyThatCannotBeWrittenSaysNothingAndTheSetupGoesOn) {
  for (bool denied : {false, true}) {
    SCOPED_TRACE(denied ? "key denied" : "key read-only");
    if (denied) folders.registry.Deny(HKEY_LOCAL_MACHINE, kRunKeyPath);
    else folders.registry.ReadOnly(HKEY_LOCAL_MACHINE, kRunKeyPath);
    DeleteFileW(PathFile().c_str());
    MakeForms();
    dialogs.shown.clear();
    dialogs.Answer(IDOK).Answer(IDCANCEL).Answer(IDCANCEL).Answer(IDCANCEL);
    RunSetup();
    const std::vector<std::wstring> expected = {kFirstBox, kLaptopBox, kWelcome1, kWelcome2};
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(RunValue(), L"");
    EXPECT_EQ(ReadPathFile(L"dir1"), OwnExePath());
    ProgramForms::TearDown();
  }
}

TEST_F(AboutHelp, AnotherSpellingOfThisExecutableIsNoFirstRunAndLeavesTheFile) {
  std::wstring upper = OwnExePath();
  CharUpperW(upper.data());
  SeedPathFile(upper);
  MakeForms();
  EXPECT_FALSE(frmAboutHelp->tmrFirstSetup->Enabled());
  EXPECT_EQ(ReadPathFile(L"dir1"), upper);
}

TEST_F(AboutHelp, AnotherExecutableInThePathFileIsAFirstRunAndIsRewritten) {
  SeedPathFile(L"C:\\old\\breakwarden.exe");
  MakeForms();
  dialogs.Answer(IDOK).Answer(IDCANCEL).Answer(IDCANCEL).Answer(IDCANCEL);
  RunSetup();
  EXPECT_EQ(ReadTextLines(PathFile()), (std::vector<std::wstring>{OwnExePath(), L"30"}));
}

TEST_F(AboutHelp, TheWelcomeFromTheTrayWritesNothing) {
  SeedPathFile(L"C:\\old\\breakwarden.exe");
  MakeForms();
  frmAboutHelp->tmrFirstSetup->SetEnabled(false);
  dialogs.Answer(IDOK).Answer(IDOK).Answer(IDOK);
  frmMain->NWelcomeClick(nullptr);
  const std::vector<std::wstring> expected = {kWelcome1, kWelcome2, kWelcome3};
  EXPECT_EQ(Texts(), expected);
  EXPECT_TRUE(PreviewOpen());
  EXPECT_EQ(ReadPathFile(L"dir1"), L"C:\\old\\breakwarden.exe");
  EXPECT_EQ(RunValue(), L"");
  EXPECT_FALSE(ConfigWritten());
}

// Exit chosen while the setup or the welcome waits: nothing further comes.
TEST_F(AboutHelp, AnExitDuringTheWaitBeforeTheWelcomeEndsTheSetup) {
  MakeForms();
  dialogs.Answer(IDOK).Answer(IDCANCEL);
  dialogs.onBox[kLaptopBox] = [] { PostQuitMessage(0); };
  RunSetup();
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(ReadPathFile(L"dir1"), OwnExePath()) << "written before the wait";
  EXPECT_FALSE(PreviewOpen());
}

TEST_F(AboutHelp, AnExitDuringThePreviewsEndsTheWelcome) {
  SeedPathFile(OwnExePath());
  MakeForms();
  dialogs.Answer(IDCANCEL);
  dialogs.onBox[kWelcome1] = [] { PostQuitMessage(0); };
  frmMain->NWelcomeClick(nullptr);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
