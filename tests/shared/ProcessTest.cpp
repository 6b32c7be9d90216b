// The toolkit against real processes: the fake sibling (tests/support/fakesibling.cpp)
// registers a class, logs its arguments and the messages it gets; started directly or by a launch.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "Forms.h"
#include "ProcessHelpers.h"
#include "SiblingWorld.h"
#include "Text.h"
#include "uniQVShare.h"

namespace {

std::wstring FakeExe() { return WinPathFromBuild(FAKESIBLING_EXE); }

std::string ReadLog(const std::wstring& log) {
  std::string s = ReadBytes(log);
  return s == "<missing>" ? "" : s;
}

// Waits (pumping this program's messages) until the log holds the text; false after timeoutMs.
bool WaitForLog(const std::wstring& log, const std::string& text, DWORD timeoutMs = 10000) {
  DWORD t0 = GetTickCount();
  while (ReadLog(log).find(text) == std::string::npos) {
    if (GetTickCount() - t0 > timeoutMs) return false;
    Application->ProcessMessages();
    Sleep(30);
  }
  return true;
}

// A fake sibling started directly with its settings on the command line; closed at the end.
class FakeSibling {
 public:
  FakeSibling(const std::wstring& exe, const std::wstring& cls, const std::wstring& log)
      : log_(log), process_(exe, L"--class " + cls + L" --log \"" + log + L"\" --life 60000") {
    ready_ = process_.Started() && WaitForLog(log, "ready");
  }
  ~FakeSibling() {
    process_.CloseWindows();
    process_.Ended(10000);  // one that does not close is ended by TestProcess
  }
  bool Ready() const { return ready_; }
  std::string Log() const { return ReadLog(log_); }

 private:
  std::wstring log_;
  TestProcess process_;
  bool ready_ = false;
};

// Installs the fake as a product's executable, configured by <exe>.ini as a launch would find it.
std::wstring InstallFake(const TestFolder& dir, const std::wstring& exeName, const std::wstring& cls,
                         const std::wstring& log, int delayMs) {
  std::wstring exe = dir / exeName;
  EXPECT_TRUE(CopyFileW(FakeExe().c_str(), exe.c_str(), FALSE)) << GetLastError();
  WriteTextLines(exe + L".ini", {L"class=" + cls, L"log=" + log, L"delay=" + std::to_wstring(delayMs), L"life=30000"});
  return exe;
}

// Closes a launched fake by its class and waits for its log's last line.
void CloseByClass(const std::wstring& cls, const std::wstring& log) {
  if (HWND h = FindWindowW(cls.c_str(), nullptr)) PostMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForLog(log, "exit"));
}

TEST(SiblingProcess, TheNewestClassWins) {
  SiblingWorld world;
  TestFolder dir;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  FakeSibling current(FakeExe(), L"KMR474747_30", dir / L"30.log");
  FakeSibling old(FakeExe(), L"KMR474747_20", dir / L"20.log");
  ASSERT_TRUE(current.Ready() && old.Ready());
  CallBKWD(nullptr, 2);
  EXPECT_TRUE(WaitForLog(dir / L"30.log", "msg 0x8202 0 0"));
  Sleep(200);
  EXPECT_EQ(old.Log().find("msg"), std::string::npos) << old.Log();
  EXPECT_TRUE(shell.calls.empty());
}

TEST(SiblingProcess, PlayerCommandsTwelveAndThirteenArePostedSeventeenIsNot) {
  SiblingWorld world;
  TestFolder dir;
  FakeSibling player(FakeExe(), L"KMR474747_325_SaverDeck", dir / L"p.log");
  ASSERT_TRUE(player.Ready());
  CallSaverDeck(nullptr, 12);
  CallSaverDeck(nullptr, 13);
  CallSaverDeck(nullptr, 17);
  CallSaverDeck(nullptr, 16);
  ASSERT_TRUE(WaitForLog(dir / L"p.log", "msg 0x8199"));
  std::string log = player.Log();
  EXPECT_NE(log.find("msg 0x8195 0 0\r\nmsg 0x8196 0 0\r\nmsg 0x8199 0 0"), std::string::npos) << log;
}

TEST(SiblingProcess, AnOlderClassGetsTheUpgradePrompt) {
  SiblingWorld world;
  TestFolder dir;
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  RecordingShell shell;
  FakeSibling old(FakeExe(), L"KMR474747_315_SaverDeck", dir / L"old.log");
  ASSERT_TRUE(old.Ready());
  CallSaverDeck(nullptr, 3);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, L"提示：旧版本需要升级！");
  EXPECT_EQ(shell.calls.size(), 1u);  // the download page
  Sleep(200);
  EXPECT_EQ(old.Log().find("msg"), std::string::npos);
}

// A call that really starts the fake, installed in a world of the test's own; prompts are scripted
// (none unless a test scripts one).
class SiblingLaunch : public testing::Test {
 protected:
  SiblingLaunch() { shell.runExecutables = true; }
  SiblingWorld world;
  TestFolder dir;
  ScriptedDialogs dialogs;
  RecordingShell shell;
};

TEST_F(SiblingLaunch, NoClassLaunchesThePlayerWithSlashAAndPostsAfterTheWait) {
  const std::wstring log = dir / L"launched.log";
  world.PathFile(L"dir3", InstallFake(dir, L"saverdeck.exe", L"KMR474747_325_SaverDeck", log, 800));
  DWORD t0 = GetTickCount();
  CallSaverDeck(nullptr, 3);
  DWORD took = GetTickCount() - t0;
  EXPECT_GE(took, 3900u);
  EXPECT_LT(took, 7000u);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_TRUE(WaitForLog(log, "msg 0x8186 0 0"));
  std::string text = ReadLog(log);
  EXPECT_NE(text.find("args /A\r\n"), std::string::npos) << text;
  CloseByClass(L"KMR474747_325_SaverDeck", log);
}

TEST_F(SiblingLaunch, CommandZeroLaunchesTheConsoleAndPostsNothing) {
  const std::wstring log = dir / L"console.log";
  world.InstallRecord(L"DESKPANEL", InstallFake(dir, L"deskpanel.exe", L"KMR474747_420_DESKPANEL", log, 0));
  DWORD t0 = GetTickCount();
  CallDeskpanel(nullptr, 0);
  EXPECT_LT(GetTickCount() - t0, 2000u);
  ASSERT_TRUE(WaitForLog(log, "ready"));
  Sleep(300);
  std::string text = ReadLog(log);
  EXPECT_NE(text.find("args \r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("msg"), std::string::npos) << text;
  CloseByClass(L"KMR474747_420_DESKPANEL", log);
}

TEST_F(SiblingLaunch, ASlowSiblingIsStartedOnlyOnce) {
  const std::wstring log = dir / L"slow.log";
  // Comes up only after the three probes (whose 4 s waits a fake clock passes at once).
  world.PathFile(L"dir4", InstallFake(dir, L"deskpanel.exe", L"KMR474747_450_DESKPANEL", log, 1500));
  FakeClock clock;  // no prompt is scripted: nothing found ends silently
  CallDeskpanel(nullptr, 1);
  EXPECT_EQ(clock.tick - 1000000u, 12000u);
  EXPECT_EQ(shell.calls.size(), 1u);
  ASSERT_TRUE(WaitForLog(log, "ready"));
  Sleep(300);
  std::string text = ReadLog(log);
  size_t starts = 0;
  for (size_t p = text.find("start"); p != std::string::npos; p = text.find("start", p + 1)) ++starts;
  EXPECT_EQ(starts, 1u) << text;
  EXPECT_EQ(text.find("msg"), std::string::npos) << text;
  CloseByClass(L"KMR474747_450_DESKPANEL", log);
}

TEST(ProcessLookup, AScreenSaverProcessIsSeenByItsExtension) {
  TestFolder dir;
  const std::wstring scr = dir / L"qvtest.scr";
  ASSERT_TRUE(CopyFileW(FakeExe().c_str(), scr.c_str(), FALSE));
  EXPECT_FALSE(IsProcessExtRunning(L".qvnone"));
  FakeSibling saver(scr, L"QVTestScreenSaver", dir / L"scr.log");
  ASSERT_TRUE(saver.Ready());
  EXPECT_TRUE(IsProcessExtRunning(L".scr"));
  EXPECT_TRUE(IsProcessExtRunning(L".SCR"));
  EXPECT_TRUE(IsSCRRunning());
}

TEST(ProcessLookup, AnExtensionIsSeenOnlyWhileItsProcessRuns) {
  TestFolder dir;
  const std::wstring odd = dir / L"qvtest.qvx";
  ASSERT_TRUE(CopyFileW(FakeExe().c_str(), odd.c_str(), FALSE));
  EXPECT_FALSE(IsProcessExtRunning(L".QVX"));
  {
    FakeSibling running(odd, L"QVTestOddExtension", dir / L"odd.log");
    ASSERT_TRUE(running.Ready());
    EXPECT_TRUE(IsProcessExtRunning(L".QVX"));
    EXPECT_TRUE(IsProcessExtRunning(L".qvx"));
  }
  EXPECT_FALSE(IsProcessExtRunning(L".qvx"));
}

}  // namespace
