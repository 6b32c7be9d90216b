// The statistics window in-process, on the main window and the settings dialog as the program
// makes them: its openers, texts, pages, buttons, refresh and end.
#include <gtest/gtest.h>

#include <algorithm>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "EventLog.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "SiblingWorld.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "uniStat.h"
#include "unitFrmMain.h"

namespace {

constexpr uint32_t kMin = 60000;

std::wstring Caption(TForm* f) {
  wchar_t buf[256] = {};
  GetWindowTextW(f->Handle(), buf, 256);
  return buf;
}

class StatWindow : public testing::Test {
 protected:
  void SetUp() override {
    Application->CreateForm(frmMain);
    Application->CreateForm(frmSetup);
    PumpMessages();
  }
  void TearDown() override {
    std::vector<TForm*> forms(Application->Forms());
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) TComponent::Free(*it);
    PumpMessages();
    Application->MainForm = nullptr;
  }
  TfrmStat* Open() {
    frmMain->NStatClick(nullptr);
    PumpMessages();
    return frmStat;
  }
  static void Click(TControl* c) {
    SendMessageW(static_cast<TWinControl*>(c)->Handle(), BM_CLICK, 0, 0);
    PumpMessages();
  }
  // A speed button is clicked by the mouse: press and release over it.
  static void ClickSpeed(TWinControl* b) {
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
  }
  static std::string Text(TControl* c) { return Narrow(c->Caption()); }

  TestConfigFolder configFolder;
  FakeClock clock;
  FakeDisplay display{1024, 768, RECT{0, 0, 1024, 728}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{false};
  ScriptedDialogs dialogs;
  RecordingShell shell;
};

TEST_F(StatWindow, OpenedOnceByEachOpenerWithTheFirstMinuteFigures) {
  SendMessageW(frmMain->Handle(), WM_BKWD_OPENSTAT, 0, 0);
  PumpMessages();
  TfrmStat* stat = frmStat;
  ASSERT_NE(stat, nullptr);
  EXPECT_TRUE(IsWindowVisible(stat->Handle()));
  EXPECT_EQ(Narrow(Caption(stat)), Narrow(L"休息统计(供参考)-[当前方案:每隔50分钟休息5分钟，当前模式:自由模式]"));
  EXPECT_EQ(stat->PageControl1->ActivePageIndex(), 0);
  // 50 pixels in from the work area's right and bottom.
  RECT r;
  GetWindowRect(stat->Handle(), &r);
  EXPECT_EQ(r.right, 1024 - 50);
  EXPECT_EQ(r.bottom, 728 - 50);
  RECT client;
  GetClientRect(stat->Handle(), &client);
  EXPECT_EQ(client.right, 624);
  EXPECT_EQ(client.bottom, 513);

  EXPECT_EQ(Text(stat->lblBreakCount), "0");
  EXPECT_EQ(Text(stat->lblScheduleBreakPrev), Narrow(L"无"));
  EXPECT_EQ(Text(stat->lblBreakUncompletedCount), "0");
  EXPECT_EQ(Text(stat->lblIndexTired), Narrow(L"2 (饱满)"));
  EXPECT_EQ(Text(stat->lblHealthScore), Narrow(L"100分"));
  EXPECT_EQ(Text(stat->lblHealthStatus), Narrow(L"很好"));
  EXPECT_EQ(Text(stat->lblAdvice2), Narrow(L"暂无建议。"));
  EXPECT_EQ(Text(stat->lblAppTimeUsed), Narrow(L"0天 00:00"));
  EXPECT_EQ(Text(stat->lblScheduleBreakNext), "09:50") << "the period of 49 minutes plus the countdown's";
  EXPECT_EQ(Text(stat->lblAppStartTime), "2026/12/10 09:00");
  // The index's labels stand right against the bar.
  EXPECT_EQ(stat->lblIndexTired->Left() + stat->lblIndexTired->Width() + 5, stat->pgbIndexTired->Left());
  EXPECT_EQ(stat->lblIndexTiredTitle->Left() + stat->lblIndexTiredTitle->Width() + 5, stat->lblIndexTired->Left());

  // Every other opener finds the one window and restores it.
  ShowWindow(stat->Handle(), SW_MINIMIZE);
  dynamic_cast<TMenuItem*>(frmMain->FindComponent(L"NStat"))->Click();
  SendMessageW(frmMain->Handle(), WM_BKWD_OPENSTAT, 0, 0);
  PumpMessages();
  EXPECT_EQ(frmStat, stat);
  EXPECT_FALSE(IsIconic(stat->Handle()));
  int count = 0;
  for (TForm* f : Application->Forms()) count += dynamic_cast<TfrmStat*>(f) != nullptr;
  EXPECT_EQ(count, 1);

  // The tray icon's left click closes it; the window frees itself.
  SendMessageW(frmMain->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_LBUTTONUP);
  Application->FreeReleasedForms();
  EXPECT_EQ(frmStat, nullptr);
  EXPECT_FALSE(IsFormCreated(L"frmStat"));
  // And opens a new one the next time.
  SendMessageW(frmMain->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_LBUTTONUP);
  PumpMessages();
  EXPECT_NE(frmStat, nullptr);
}

TEST_F(StatWindow, ASwitchOfTheBreakModeRenamesTheOpenWindow) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  frmSetup->rbxSelectBreakMode->SetItemIndex(bmEnforce);
  frmSetup->rbxSelectBreakModeClick(nullptr);
  EXPECT_EQ(Narrow(Caption(stat)), Narrow(L"休息统计(供参考)-[当前方案:每隔50分钟休息5分钟，当前模式:强制模式]"));
  frmSetup->rbxSelectBreakMode->SetItemIndex(bmInterference);
  frmSetup->rbxSelectBreakModeClick(nullptr);
  EXPECT_EQ(Narrow(stat->CurrentModeName()), Narrow(L"干扰模式"));
}

TEST_F(StatWindow, TheSwitchButtonWalksThePagesAndTheHistoryIsTheLog) {
  // A break cut with 40 % left, then a new cycle.
  const uint32_t t0 = clock.tick;
  frmMain->EventLog.RecordEventAt(false, true, 0, ekManualBreak, t0 + 10 * kMin);
  frmMain->EventLog.RecordEventAt(false, false, 140, ekAnyBreak, t0 + 13 * kMin);
  frmMain->EventLog.RecordEventAt(true, true, 0, ekNewCycle, t0 + 13 * kMin);
  clock.Advance(20 * kMin);
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  EXPECT_EQ(Text(stat->lblBreakCount), "1");
  EXPECT_EQ(Text(stat->lblBreakUncompletedCount), "1");
  EXPECT_EQ(Text(stat->lblScheduleBreakPrev), "2026/12/10 09:10");

  EXPECT_EQ(Text(stat->btnSwitchTabs), "111000000");
  ClickSpeed(stat->btnSwitchTabs);
  EXPECT_EQ(stat->PageControl1->ActivePageIndex(), 1);
  EXPECT_EQ(Text(stat->btnSwitchTabs), "000111000");
  // The page's show filled the history, oldest first.
  const auto& lines = stat->Memo1->Lines();
  ASSERT_EQ(lines.Count(), 3);
  EXPECT_EQ(Narrow(lines[0]), Narrow(L"程序开始运行: 2026/12/10 09:00"));
  EXPECT_EQ(Narrow(lines[1]), Narrow(L"手动强制休息: 2026/12/10 09:10 至 2026/12/10 09:13, 约00:03, (40% 未完成!)"));
  EXPECT_EQ(Narrow(lines[2]), Narrow(L"开始新的休息周期: 2026/12/10 09:13"));
  EXPECT_EQ(stat->Memo1->Color(), stat->Color());

  ClickSpeed(stat->btnSwitchTabs);
  EXPECT_EQ(stat->PageControl1->ActivePageIndex(), 2);
  EXPECT_EQ(Text(stat->btnSwitchTabs), "000000111");
  ClickSpeed(stat->btnSwitchTabs);
  EXPECT_EQ(stat->PageControl1->ActivePageIndex(), 0);
  EXPECT_EQ(Text(stat->btnSwitchTabs), "111000000");
}

TEST_F(StatWindow, RefreshEveryMinuteButNotThePagesDuringABreak) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  EXPECT_EQ(stat->RefreshTimer->Interval(), 60000u);
  EXPECT_TRUE(stat->RefreshTimer->Enabled());

  // Work goes on: half an hour later the timer's refresh shows the new figures.
  clock.Advance(30 * kMin);
  frmMain->FMinsPassed = 30;
  stat->RefreshTimerTimer(stat->RefreshTimer);
  EXPECT_EQ(Text(stat->lblAppTimeUsed), Narrow(L"0天 00:30"));
  EXPECT_EQ(Text(stat->lblIndexTired), Narrow(L"62 (正常)"));
  EXPECT_EQ(stat->pgbIndexTired->Position(), 62);

  // On a break the basic figures still move, the page keeps its content.
  frmMain->FBreakState = stOnBreak;
  frmMain->FMinsPassed = 40;
  clock.Advance(5 * kMin);
  ClickSpeed(stat->btnRefresh);
  EXPECT_EQ(Text(stat->lblAppTimeUsed), Narrow(L"0天 00:35"));
  EXPECT_EQ(Text(stat->lblIndexTired), Narrow(L"62 (正常)"));
  EXPECT_TRUE(stat->RefreshTimer->Enabled()) << "the refresh button starts the timer again";
  frmMain->FBreakState = stWorking;
  ClickSpeed(stat->btnRefresh);
  EXPECT_EQ(Text(stat->lblIndexTired), Narrow(L"82 (正常)"));
}

// The tiredness text as the screen shows it in its row left of the bar: its green pixels and the
// rightmost column they reach.
struct ShownText {
  int pixels = 0, right = -1;
};
ShownText TirednessTextShown(TfrmStat* stat) {
  PumpMessages();
  RECT label{}, bar{};
  GetWindowRect(stat->lblIndexTired->Handle(), &label);
  GetWindowRect(stat->pgbIndexTired->Handle(), &bar);
  const RECT row{bar.left - 200, label.top, bar.left, label.bottom};
  const ScreenPixels shot = CaptureScreen(row);
  ShownText t;
  for (int y = row.top; y < row.bottom; ++y)
    for (int x = row.left; x < row.right; ++x) {
      const COLORREF c = shot.At(x, y);
      if (GetGValue(c) > 80 && GetRValue(c) + 40 < GetGValue(c) && GetBValue(c) + 40 < GetGValue(c)) {
        ++t.pixels;
        t.right = std::max(t.right, int(x - row.left));
      }
    }
  return t;
}

TEST_F(StatWindow, TheTirednessTextStaysWholeBesideTheBarAfterARefresh) {
  frmMain->FMinsPassed = 1;
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  const ShownText opened = TirednessTextShown(stat);
  const std::string text = Text(stat->lblIndexTired);
  ASSERT_GT(opened.pixels, 10) << "no text beside the bar";
  for (int refresh = 0; refresh < 2; ++refresh) {
    ClickSpeed(stat->btnRefresh);
    EXPECT_EQ(Text(stat->lblIndexTired), text);
    const ShownText shown = TirednessTextShown(stat);
    EXPECT_EQ(shown.pixels, opened.pixels) << "the same text, cut";
    EXPECT_EQ(shown.right, opened.right);
    EXPECT_LT(shown.right, 200 - 3) << "the text reaches under the bar";
  }
}

TEST_F(StatWindow, ARunLongerThanTheTickWrapKeepsItsStartAndRunTime) {
  // 49.7 days and 10 minutes after the start the 32-bit count has wrapped once.
  clock.Advance(0x80000000u);
  clock.Advance(0x80000000u);
  clock.Advance(10 * kMin);
  ASSERT_EQ(clock.wraps, 1u);
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  EXPECT_EQ(Text(stat->lblAppStartTime), "2026/12/10 09:00");
  EXPECT_EQ(Text(stat->lblAppTimeUsed), Narrow(L"49天 17:12"));
  // Five minutes of the plan's break as rest in 49.7 days, not half of a 10-minute run.
  EXPECT_EQ(Text(stat->lblHealthScore), Narrow(L"52分"));
}

TEST_F(StatWindow, EscapeClosesItAndStopsTheTimer) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  TTimer* timer = stat->RefreshTimer;
  WORD key = VK_ESCAPE;
  stat->FormKeyDown(stat, key, {});
  EXPECT_FALSE(timer->Enabled());
  Application->FreeReleasedForms();
  PumpMessages();
  EXPECT_EQ(frmStat, nullptr);
}

// Keys pressed by a user come through the loop: Esc closes the window wherever the focus is in
// it (key preview), Enter and letters leave it open.
TEST_F(StatWindow, EscThroughTheLoopClosesItFromTheWindowAndItsButtons) {
  struct Case {
    const char* name;
    bool onButton;
    WORD key;
    bool closes;
  };
  const Case cases[] = {
      {"Enter on a button", true, VK_RETURN, false},
      {"a letter on the window", false, 'S', false},
      {"Esc on a button", true, VK_ESCAPE, true},
      {"Esc on the window", false, VK_ESCAPE, true},
  };
  for (const Case& c : cases) {
    TfrmStat* stat = Open();
    ASSERT_NE(stat, nullptr) << c.name;
    if (c.onButton) stat->btnListShortCuts->SetFocus();
    else SetFocus(stat->Handle());
    ASSERT_TRUE(UserKey(c.key)) << c.name;
    Application->FreeReleasedForms();
    PumpMessages();
    EXPECT_EQ(frmStat == nullptr, c.closes) << c.name;
    if (frmStat) TComponent::Free(frmStat);
    PumpMessages();
  }
}

TEST_F(StatWindow, ButtonsReachTheSettingsPagesTheWebAndTheSiblings) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  ClickSpeed(stat->btnSetup);
  EXPECT_EQ(frmSetup->PageControl1->ActivePageIndex(), 3);
  EXPECT_TRUE(frmSetup->Visible());
  ClickSpeed(stat->btnSetupSCR);
  EXPECT_EQ(frmSetup->PageControl1->ActivePageIndex(), 2);
  frmSetup->Hide();

  // "more": the hibernation hint; Yes opens the screen-saver and power page, No nothing.
  frmSetup->PageControl1->SetActivePageIndex(0);
  dialogs.Answer(IDNO);
  Click(stat->btnMoreComment);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"您知道吗？"));
  EXPECT_EQ(dialogs.shown[0].owner, stat->Handle());
  EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_YESNO));
  EXPECT_EQ(Narrow(dialogs.shown[0].text).rfind(Narrow(L"当您不使用电脑时您可以选择休眠来代替普通关机"), 0), 0u);
  EXPECT_EQ(frmSetup->PageControl1->ActivePageIndex(), 0);
  dialogs.Answer(IDYES);
  Click(stat->btnMoreComment);
  EXPECT_EQ(frmSetup->PageControl1->ActivePageIndex(), 2);
  frmSetup->Hide();

  // The web pages go through the shell.
  Click(stat->btnHelpAboutIndex);
  stat->PageControl1->SetActivePageIndex(2);
  Click(stat->btnFM);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].file.rfind(L"http", 0), 0u);
  EXPECT_EQ(shell.calls[1].file.rfind(L"http", 0), 0u);
  EXPECT_NE(shell.calls[0].file, shell.calls[1].file);
}

TEST_F(StatWindow, SiblingButtonsPostTheirCommands) {
  SiblingWorld world;
  ClassWindow player(kClassSaverDeck), zept(L"KMR474747_250_ZEPT"), minv(L"KMR474747_5_MINV"), panel(kClassDeskpanel);
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  stat->PageControl1->SetActivePageIndex(2);
  Click(stat->btnSaverDeck);
  Click(stat->btnZEPT);
  Click(stat->btnMINV);
  Click(stat->btnDeskpanel);
  PumpMessages();
  EXPECT_EQ(player.got, (std::vector<UINT>{CommandMessage(pcSaverDeck, 14)}));
  EXPECT_EQ(zept.got, (std::vector<UINT>{WM_ZEPT_ACTIVATE}));
  EXPECT_EQ(minv.got, (std::vector<UINT>{WM_MINV_ACTIVATE}));
  EXPECT_EQ(panel.got, (std::vector<UINT>{WM_DESKPANEL_SHOW}));
  EXPECT_TRUE(shell.calls.empty()) << "nothing was launched";
}

TEST_F(StatWindow, ToolButtonsReachTheTrayTools) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  stat->PageControl1->SetActivePageIndex(2);
  Click(stat->btnCalc);
  Click(stat->btnNotePad);
  Click(stat->btnWord);
  Click(stat->btnExcel);
  Click(stat->btnWeather);
  ASSERT_EQ(shell.calls.size(), 5u);
  const wchar_t* const files[] = {L"calc", L"notepad", L"winword.exe", L"excel.exe"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(shell.calls[i].verb, L"open") << i;
    EXPECT_EQ(shell.calls[i].file, files[i]) << i;
    EXPECT_EQ(shell.calls[i].owner, frmMain->Handle()) << i;
  }
  EXPECT_EQ(shell.calls[4].file, L"https://www.baidu.com/s?ie=gbk&wd=%CC%EC%C6%F8") << "the weather search";

  dialogs.Answer(IDOK);
  Click(stat->btnListShortCuts);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"随时随地一键调用！- Restalon的快捷键"));

  auto* overlay = dynamic_cast<TMenuItem*>(frmMain->FindComponent(L"NShowSOT"));
  Click(stat->btnSOT);
  EXPECT_FALSE(overlay->Checked);
  EXPECT_FALSE(frmSetup->cbxShowSOT->Checked());
  dialogs.Answer(IDOK);  // the switch's notice box
  Click(stat->btnSCRSwitch);
  EXPECT_TRUE(frmMain->NDisableSelfSCR->Checked) << "savers switched off";
  EXPECT_FALSE(frmSetup->cbxEnableSelfSCR->Checked());
}

TEST_F(StatWindow, BreakDemoButtonRunsThePreview) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  stat->PageControl1->SetActivePageIndex(2);
  Click(stat->btnBreakDemo);
  EXPECT_TRUE(IsFormCreated(L"frmBreakHint")) << "the countdown preview";
  EXPECT_TRUE(frmMain->FDemoBreak) << "flows into the break preview";
  EXPECT_EQ(frmMain->FBreakState, stWorking);
}

TEST_F(StatWindow, HomeButtonPopsTheTrayMenuUpAtTheMouse) {
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  PopupMenuWatch menu;
  POINT pt{300, 200};
  // The program asks for the cursor's place: the X server's, once the change is older than 100 ms.
  ASSERT_TRUE(SettleCursorAt(pt));
  stat->btnHomeMouseUp(stat->btnHome, mbLeft, {}, 3, 3);
  EXPECT_TRUE(menu.Seen());
  EXPECT_LE(std::abs(menu.Rect().left - pt.x), 2);
}

// Not a test: scripts/screenshot-stat shows each page of a window over a small log and photographs it.
TEST_F(StatWindow, DISABLED_ShowEachPageForScreenshots) {
  wchar_t dir[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"STAT_SHOTS", dir, MAX_PATH)) GTEST_SKIP() << "STAT_SHOTS not set";
  FakeDisplay screen(1280, 800, RECT{0, 0, 1280, 760});
  const uint32_t t0 = clock.tick;
  TEventLog& log = frmMain->EventLog;
  log.RecordEventAt(false, true, 0, ekIdle, t0 + 12 * kMin);
  log.RecordEventAt(false, false, 0, ekIdle, t0 + 15 * kMin, 3);
  log.RecordEventAt(false, true, 16, ekIdleBonus, t0 + 15 * kMin);
  log.RecordEventAt(false, true, 0, ekCountdown, t0 + 49 * kMin);
  log.RecordEventAt(false, true, 2, ekApplyExtension, t0 + 49 * kMin);
  log.RecordEventAt(false, true, 0, ekScheduledBreak, t0 + 52 * kMin);
  log.RecordEventAt(false, false, 130, ekAnyBreak, t0 + 56 * kMin);
  log.RecordEventAt(true, true, 0, ekNewCycle, t0 + 56 * kMin);
  clock.Advance(80 * kMin);
  frmMain->FMinsPassed = 24;
  frmMain->TiredCarry = 20;
  TfrmStat* stat = Open();
  ASSERT_NE(stat, nullptr);
  auto touched = [&](const std::wstring& name) {
    return GetFileAttributesW((std::wstring(dir) + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  for (int page = 0; page < 3; ++page) {
    if (page) ClickSpeed(stat->btnSwitchTabs);
    RedrawWindow(stat->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    const std::wstring name = L"page" + std::to_wstring(page);
    HANDLE ready = CreateFileW((std::wstring(dir) + L"\\" + name + L".ready").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
    CloseHandle(ready);
    for (int i = 0; i < 200 && !touched(name + L".done"); ++i) {
      PumpMessages();
      Sleep(50);
    }
  }
}

}  // namespace
