// The wait, form and folder look-ups, the Shell.Application calls.
#include <gtest/gtest.h>

#include <thread>

#include "Fakes.h"
#include "Forms.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"
#include "unitFrmDemo.h"

namespace {

// A plain window that counts the messages posted to it and can run work inside a message.
struct Catcher {
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Catcher*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && m >= WM_USER) {
      self->got.push_back(m);
      if (self->onMessage) self->onMessage(m);
      return 0;
    }
    return DefWindowProcW(h, m, w, l);
  }
  Catcher() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QVToolkitCatcher";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(this));
  }
  ~Catcher() { DestroyWindow(hwnd); }
  HWND hwnd;
  std::vector<UINT> got;
  std::function<void(UINT)> onMessage;
};

// The real clock, counting how often the wait blocks.
struct CountingClock : ClockSeam {
  CountingClock() : saved(&Clock()) { SetClockSeam(this); }
  ~CountingClock() override { SetClockSeam(saved == this ? nullptr : saved); }
  void WaitForMessages(DWORD ms) override {
    ++waits;
    ClockSeam::WaitForMessages(ms);
  }
  int waits = 0;
  ClockSeam* saved;
};

// Takes back a quit that a test provoked, so the test program's own loop goes on.
void ForgetQuit() {
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  Application->Terminated = false;
}

TEST(DelayWithMessages, ZeroProcessesTheQueueOnceAndReturns) {
  FakeClock clock;
  Catcher c;
  PostMessageW(c.hwnd, WM_USER + 1, 0, 0);
  PostMessageW(c.hwnd, WM_USER + 2, 0, 0);
  DelayWithMessages(0);
  EXPECT_EQ(c.got, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
  EXPECT_EQ(clock.tick, 1000000u);
}

TEST(DelayWithMessages, WaitsUntilTheDeadlineAndRunsMessagesInside) {
  FakeClock clock;
  Catcher c;
  // Each message posts the next one: they all run inside the wait.
  c.onMessage = [&](UINT m) {
    if (m < WM_USER + 3) PostMessageW(c.hwnd, m + 1, 0, 0);
  };
  PostMessageW(c.hwnd, WM_USER + 1, 0, 0);
  DelayWithMessages(4000);
  EXPECT_EQ(c.got.size(), 3u);
  EXPECT_EQ(clock.tick - 1000000u, 4000u);
}

TEST(DelayWithMessages, SleepsBetweenPassesInsteadOfSpinning) {
  CountingClock clock;
  DWORD t0 = GetTickCount();
  DelayWithMessages(300);
  DWORD took = GetTickCount() - t0;
  EXPECT_GE(took, 290u);
  // An idle wait blocks for the remaining time: a few waits, not thousands of passes.
  EXPECT_GE(clock.waits, 1);
  EXPECT_LE(clock.waits, 10);
}

TEST(DelayWithMessages, AQuitDuringTheWaitEndsItAndStaysForTheMainLoop) {
  FakeClock clock;
  Catcher c;
  c.onMessage = [](UINT) { PostQuitMessage(3); };
  PostMessageW(c.hwnd, WM_USER + 1, 0, 0);
  {
    TApplication::DepthGuard inHandler;  // as when a handler waits
    DelayWithMessages(4000);
  }
  EXPECT_TRUE(Application->Terminated);
  EXPECT_LT(clock.tick - 1000000u, 4000u);
  MSG m;
  EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the quit was swallowed";
  ForgetQuit();
}

TEST(DelayWithMessages, ReturnsAtOnceWhenTheApplicationIsTerminated) {
  FakeClock clock;
  Application->Terminated = true;
  DelayWithMessages(4000);
  EXPECT_EQ(clock.tick, 1000000u);
  ForgetQuit();
}

TEST(IsFormCreated, FindsAFormByItsExactComponentName) {
  auto* form = new TfrmDemo(Application);
  EXPECT_TRUE(IsFormCreated(L"frmDemo"));
  EXPECT_FALSE(IsFormCreated(L"FRMDEMO"));
  EXPECT_FALSE(IsFormCreated(L"frmScrBKWD"));
  TComponent::Free(form);
  EXPECT_FALSE(IsFormCreated(L"frmDemo"));
}

TEST(Folders, WindowsAndSystemFolders) {
  EXPECT_EQ(UpperCase(GetWinDir()), L"C:\\WINDOWS");
  EXPECT_EQ(UpperCase(GetSysDir()), L"C:\\WINDOWS\\SYSTEM32");
}

TEST(Folders, ALongFolderIsReadWholeNotAsGarbage) {
  const std::wstring longFolder = L"C:\\" + std::wstring(300, L'x');
  int calls = 0;
  auto api = [&](wchar_t* buf, UINT size) -> UINT {
    ++calls;
    if (size <= longFolder.size()) return UINT(longFolder.size() + 1);  // size needed
    wcscpy(buf, longFolder.c_str());
    return UINT(longFolder.size());
  };
  EXPECT_EQ(ReadWin32String(api), longFolder);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(ReadWin32String([](wchar_t*, UINT) -> UINT { return 0; }), L"");
}

TEST(Folders, OwnExecutable) {
  std::wstring exe = OwnExePath();
  EXPECT_EQ(UpperCase(ExtractFileName(exe)), L"SHARED_TESTS.EXE");
  EXPECT_EQ(OwnExeFolder(), ExtractFileDir(exe));
}

TEST(ShellApplication, ShowDesktopAndShutDownDialogCallTheirMethods) {
  RecordingShell shell;
  shell.shellAppResult = E_NOTIMPL;  // what Wine answers: nothing to report
  ShowDesktop();
  ShowShutDownDialog();
  EXPECT_EQ(shell.methods, (std::vector<std::wstring>{L"ToggleDesktop", L"ShutDownWindows"}));
}

TEST(ShellApplication, TheRealObjectIsCreatedAndAnUnknownMethodFailsQuietly) {
  // A method name the object lacks: the late binding fails, nothing is shown.
  EXPECT_TRUE(FAILED(ShellCalls().InvokeShellApplication(L"NoSuchMethodQuovel")));
}

}  // namespace
