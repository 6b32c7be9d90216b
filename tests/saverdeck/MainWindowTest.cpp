// The player's main window in-process: its look, the tray icon, the command messages against the
// modules still to come, show and hide, the menu commands and the exit.
#include <gtest/gtest.h>

#include <sstream>

#include "ComCtrls.h"
#include "DescribedForms.h"
#include "PlayerFixture.h"
#include "ProcessHelpers.h"
#include "SaverDeckFakes.h"
#include "SaverDeckCommands.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

using Calls = std::vector<std::wstring>;
// In a list of what was seen: the windows stood where music mode puts them.
const wchar_t kArranged[] = L"music mode";

bool TrayIconAnswers(HWND owner) { return ::TrayIconShown(owner, 102, L"Sonavista"); }

using MainWindow = PlayerForms;

// ---- look and creation ------------------------------------------------------------------------

TEST_F(MainWindow, HasItsClassCaptionBorderClientAreaAndMenuBar) {
  HWND h = main->Handle();
  wchar_t cls[64] = {}, caption[64] = {};
  GetClassNameW(h, cls, 64);
  GetWindowTextW(h, caption, 64);
  EXPECT_STREQ(cls, L"KMR474747_325_SaverDeck");
  EXPECT_STREQ(caption, L"欢迎使用Sonavista！");
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 515);
  EXPECT_EQ(client.bottom, 196);
  EXPECT_EQ(main->Color(), clTeal);
  EXPECT_EQ(main->Image1->Align(), alClient);

  HMENU bar = GetMenu(h);
  ASSERT_NE(bar, nullptr);
  std::vector<std::wstring> tops;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t t[64] = {};
    GetMenuStringW(bar, UINT(i), t, 64, MF_BYPOSITION);
    tops.push_back(t);
  }
  EXPECT_EQ(tops, (std::vector<std::wstring>{L"文件", L"设置", L"显示", L"关于", L"更多"}));
  EXPECT_EQ(main->NExit->Caption, L"退    出");
  EXPECT_EQ(main->NExit->Parent()->Caption, L"文件");
  EXPECT_EQ(main->NSetup->Parent()->Caption, L"设置");
  EXPECT_FALSE(main->NListScr->Enabled);
  EXPECT_EQ(main->NListScr->Parent(), main->NShowLastErr->Parent());
  // The tray menu, in its order.
  ASSERT_EQ(main->PopupMenu1->Items()->Count(), 3);
  EXPECT_EQ(main->PopupMenu1->Items()->Items(0), main->NExitR);
  EXPECT_EQ(main->NExitR->Caption, L"退出");
  EXPECT_EQ(main->NAbout_R->Caption, L"帮助");
  EXPECT_EQ(main->NShowOrHide->Caption, L"显隐");
}

TEST_F(MainWindow, CreationCentresTheWindowLaysOutTheButtonsAndAddsTheTrayIcon) {
  EXPECT_EQ(main->Left(), (1280 - main->Width()) / 2);
  EXPECT_EQ(main->Top(), (760 - main->Height()) / 2);

  // Bevels frame their buttons exactly.
  const std::pair<TBevel*, TSpeedButton*> pairs[] = {{main->bvlScrSetup, main->btnSCRSetup},
                                                     {main->bvlScrPreview, main->btnScrPreview},
                                                     {main->bvlSelectDuLiBanYing, main->btnSetupDuLiBanYing},
                                                     {main->bvlPlayScr, main->btnPlayScr},
                                                     {main->bvlPlayScrWithMus, main->btnPlayScrWithMus}};
  for (auto [bevel, button] : pairs) {
    EXPECT_EQ(bevel->Left(), button->Left()) << Narrow(bevel->Name());
    EXPECT_EQ(bevel->Top(), button->Top()) << Narrow(bevel->Name());
    EXPECT_EQ(bevel->Width(), button->Width()) << Narrow(bevel->Name());
    EXPECT_EQ(bevel->Height(), button->Height()) << Narrow(bevel->Name());
  }

  TSpeedButton* const row[] = {main->bbtPlay, main->bbtPause, main->bbtStop, main->bbtNext,
                               main->bbtPrev, main->bbtOpen,  main->bbtVol,  main->bbtFormsPosChange};
  EXPECT_EQ(row[0]->Left(), main->cbbBanYing->Left());
  for (int i = 1; i < 8; ++i)
    EXPECT_EQ(row[i]->Left(), row[i - 1]->Left() + row[i - 1]->Width() - 1) << Narrow(row[i]->Name());
  EXPECT_EQ(main->bbtVol->Width(), 30);
  EXPECT_EQ(main->bbtVol->Height(), 30);

  const NOTIFYICONDATAW& t = main->TrayIconData;
  EXPECT_EQ(t.cbSize, sizeof(NOTIFYICONDATAW));  // not the 88 of the 32-bit record
  EXPECT_EQ(t.hWnd, main->Handle());
  EXPECT_EQ(t.uID, 102u);
  EXPECT_EQ(t.uFlags, 7u);
  EXPECT_EQ(t.uCallbackMessage, 0x403u);
  EXPECT_NE(t.hIcon, nullptr);
  EXPECT_STREQ(t.szTip, L"Sonavista");
  EXPECT_TRUE(main->TrayIconAdded());
  EXPECT_TRUE(TrayIconAnswers(main->Handle()));

  // The mute state is only shown (VolumeTest) and the saver lists are filled (ScrRunTest); nothing
  // else is asked.
  EXPECT_FALSE(InMusicModePlaces()) << "made without an arrangement";
  EXPECT_FALSE(main->NMute->Checked);
  EXPECT_FALSE(main->NMute_R->Checked);
  EXPECT_EQ(main->FExternalCall, 0);
  EXPECT_EQ(main->FRandomOrder, 0);
  EXPECT_EQ(main->FUserStopped, 0);
  EXPECT_EQ(main->FDetectCount, 0);
  EXPECT_FALSE(Shown()) << "the message loop shows the player, not its creation";
}

TEST_F(MainWindow, WithNoScreenSaversTheCountIsZeroAndNoneStaysSelected) {
  EXPECT_EQ(main->lblSCR_total->Caption(), L"0");
  EXPECT_EQ(main->cbbSCRSavers->ItemIndex(), 0);
  EXPECT_EQ(main->cbbSCRSaversName->ItemIndex(), 0);
  EXPECT_EQ(main->cbbSCRSaversName->Items[0], L"(无)");
  EXPECT_FALSE(main->cbbSCRSavers->Visible());
  EXPECT_FALSE(main->cbbSCRSavers->Enabled());
}

TEST_F(MainWindow, EndOfSessionConsentsAndRemovesTheIconAndTheShellsRestartBringsItBack) {
  HWND h = main->Handle();
  EXPECT_EQ(Send(WM_QUERYENDSESSION), TRUE);
  Shell_NotifyIconW(NIM_DELETE, &main->TrayIconData);  // the old taskbar took it along
  ASSERT_FALSE(TrayIconAnswers(h));
  Send(SaverDeckTaskbarCreatedMessage());
  EXPECT_TRUE(TrayIconAnswers(h));
  Send(WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(TrayIconAnswers(h));
  EXPECT_FALSE(main->TrayIconAdded());
}

TEST_F(MainWindow, FreeingTheWindowRemovesTheTrayIcon) {
  HWND h = main->Handle();
  ASSERT_TRUE(TrayIconAnswers(h));
  TComponent::Free(main);
  main = nullptr;
  EXPECT_FALSE(TrayIconAnswers(h));
  EXPECT_EQ(frmSaverDeck, nullptr);
}

// ---- command messages -------------------------------------------------------------------------

struct CommandCase {
  UINT msg;
  int useBanYingItem;  // the settings' cbbUseBanYingOrNot
  bool arranged;       // the windows put in music mode
  int runRandom = -1, runMusic = -1;  // the run it starts: random order, music (0 with, 1 without)
};

TEST_F(MainWindow, EachCommandMessageReachesItsReceiver) {
  const CommandCase cases[] = {
      {0x8186, 1, false, 0, 1},
      {0x8187, 1, false, 1, 1},
      {0x8188, 1, false, 0, 0},
      {0x8189, 1, false, 1, 0},
      {0x8191, 1, false, 0, 1},  // music as the status list stands
      {0x8191, 0, false, 0, 0},
      {0x8192, 1, false, 1, 1},
      {0x8192, 0, false, 1, 0},
      {0x8193, 0, false, 0, 0},
      {0x8193, 1, false, 0, 1},
      {0x8195, 1, false},
      {0x8196, 1, false},
      {0x818A, 1, false},
      {0x818F, 1, false},
      {0x8199, 1, false},  // playback's: below
      {0x8185, 1, false},
  };
  // One saver to run; its process, the shell and the waits faked.
  TestFolder savers{L"qvcmdscr"};
  WriteTextLines(savers / L"a.scr", {L"MZ"});
  main->AddScrFromDir(savers.Path());
  FakeClock clock;
  RecordingShell shell;
  FakeSaverProcesses procs;
  for (const auto& c : cases) {
    frmSetupSaverDeck->cbbUseBanYingOrNot->SetItemIndex(c.useBanYingItem);
    LeaveMusicModePlaces();
    ScrRunWithMusic = 9;
    EXPECT_EQ(Send(c.msg), 0) << std::hex << c.msg;
    EXPECT_EQ(InMusicModePlaces(), c.arranged) << std::hex << c.msg << " with status item " << c.useBanYingItem;
    EXPECT_FALSE(Shown()) << std::hex << c.msg;
    // A run command starts a run: its transit, with the order and the music asked for.
    EXPECT_EQ(main->tmrTransit->Enabled(), c.runRandom >= 0) << std::hex << c.msg;
    if (c.runRandom >= 0) {
      EXPECT_EQ(main->FExternalCall, 1) << std::hex << c.msg;
      EXPECT_EQ(main->FRandomOrder, c.runRandom) << std::hex << c.msg;
      EXPECT_EQ(ScrRunWithMusic, c.runMusic == 0 ? 1 : 0) << std::hex << c.msg;
      EXPECT_EQ(frmSetupSaverDeck->cbbUseBanYingOrNot->ItemIndex(), c.runMusic) << std::hex << c.msg;
      main->tmrTransit->SetEnabled(false);
      CloseTransitWindow();
    } else {
      EXPECT_EQ(ScrRunWithMusic, 9) << std::hex << c.msg;
    }
  }
  main->FExternalCall = 0;
  ScrRunWithMusic = MusicWasPlaying = FirstScrStart = 0;
  // Stop and next reach playback; the next-track command is an outside call only while it runs.
  TestFolder folder{L"qvcommands"};
  const std::wstring song = folder / L"歌.wav";
  WriteTextLines(song, {L"RIFF"});
  frmMusicList->CheckListBox1->Items.Assign({song});
  media.SetState(kPlayStatePlaying);
  media.log.clear();
  Send(0x8199);
  EXPECT_EQ(media.log, Calls{L"stop"});
  int externalCallDuringNext = -1;
  media.watch = [&](const std::wstring&) { externalCallDuringNext = main->FExternalCall; };
  Send(0x8185);
  EXPECT_EQ(media.log, (Calls{L"stop", L"stop", L"URL " + song, L"play"}));
  EXPECT_EQ(externalCallDuringNext, 1);
  EXPECT_EQ(main->FExternalCall, 0);
  media.watch = nullptr;
  // Toggle and restart reach the accompaniment: the song is what the automatic source calls for.
  media.log.clear();
  Send(0x8184);
  Send(0x8184);
  Send(0x8198);
  EXPECT_EQ(media.log, (Calls{L"pause", L"play", L"stop", L"URL " + song, L"play"}));
  EXPECT_EQ(main->FExternalCall, 0);
}

TEST_F(MainWindow, ShowHideTogglesTheWindowAndTheApplicationWindow) {
  LeaveMusicModePlaces();
  Send(WM_SAVERDECK_SHOWHIDE);
  EXPECT_TRUE(Shown());
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  EXPECT_TRUE(InMusicModePlaces());  // music-mode arrangement
  Send(WM_SAVERDECK_SHOWHIDE);
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST_F(MainWindow, ShowPlayTogglesWhileMusicPlaysAndOtherwiseShowsAndPlays) {
  const struct {
    int state;
    bool shownBefore, shownAfter;
    Calls expected;  // kArranged: the windows put in music mode
  } cases[] = {
      {kPlayStatePlaying, false, true, {kArranged}},
      {kPlayStatePlaying, true, false, {}},
      {kPlayStatePaused, false, true, {kArranged, L"URL ", L"play"}},
      {kPlayStatePaused, true, true, {kArranged, L"URL ", L"play"}},
      {kPlayStateStopped, false, true, {kArranged, L"URL ", L"play"}},
      {0, true, true, {kArranged, L"URL ", L"play"}},
  };
  TestFolder folder{L"qvshowplay"};
  const std::wstring song = folder / L"歌.wav";
  WriteTextLines(song, {L"RIFF"});
  frmMusicList->CheckListBox1->Items.Assign({song});
  for (const auto& c : cases) {
    if (c.shownBefore) main->ShowPlayer();
    else main->HidePlayer();
    media.SetState(c.state);
    LeaveMusicModePlaces();
    media.log.clear();
    // Whether the windows were arranged before the control was first asked anything.
    bool arrangedFirst = false;
    media.watch = [&](const std::wstring&) {
      if (media.log.size() == 1) arrangedFirst = InMusicModePlaces();
    };
    Send(WM_SAVERDECK_SHOWPLAY);
    media.watch = nullptr;
    EXPECT_EQ(Shown(), c.shownAfter) << c.state << " " << c.shownBefore;
    // The arrangement, then what the control was asked: the playlist's one song played.
    Calls expected, seen;
    for (const auto& e : c.expected) expected.push_back(e == L"URL " ? L"URL " + song : e);
    if (media.log.empty() ? InMusicModePlaces() : arrangedFirst) seen.push_back(kArranged);
    seen.insert(seen.end(), media.log.begin(), media.log.end());
    EXPECT_EQ(seen, expected) << c.state << " " << c.shownBefore;
  }
}

TEST_F(MainWindow, SetupAccompanimentOpensTheSettingsOnTheirAccompanimentPage) {
  ASSERT_EQ(frmSetupSaverDeck->PageControl1->ActivePageIndex(), 3);
  Send(WM_SAVERDECK_SETUPACCOMP);
  EXPECT_TRUE(IsWindowVisible(frmSetupSaverDeck->Handle()));
  EXPECT_EQ(frmSetupSaverDeck->PageControl1->ActivePage(), frmSetupSaverDeck->tshSetupAutoScr);
  EXPECT_FALSE(GetWindowLongPtrW(frmSetupSaverDeck->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)
      << "brought to the front, not left topmost";
}

TEST_F(MainWindow, TrayLeftClickTogglesAndOtherMouseMessagesDoNothing) {
  const struct {
    LPARAM mouse;
    bool shownAfter;
  } steps[] = {{WM_LBUTTONUP, true}, {WM_MOUSEMOVE, true}, {WM_LBUTTONDOWN, true}, {WM_LBUTTONDBLCLK, true},
               {WM_LBUTTONUP, false}, {WM_RBUTTONDOWN, false}, {WM_MOUSEMOVE, false}};
  for (const auto& s : steps) {
    EXPECT_EQ(Send(WM_SAVERDECK_TRAY, 102, s.mouse), 0);
    EXPECT_EQ(Shown(), s.shownAfter) << std::hex << s.mouse;
  }
}

HWND g_menuSeen = nullptr;
void CALLBACK CloseMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_menuSeen = FindWindowW(L"#32768", nullptr);
  if (g_menuSeen && !IsWindowVisible(g_menuSeen)) g_menuSeen = nullptr;
  TPopupMenu::CloseOpenMenu();
}

TEST_F(MainWindow, TrayRightClickPopsUpTheTrayMenu) {
  g_menuSeen = nullptr;
  SetTimer(nullptr, 0, 400, CloseMenuLater);
  EXPECT_EQ(Send(WM_SAVERDECK_TRAY, 102, WM_RBUTTONUP), 0);  // returns once the menu has closed
  EXPECT_NE(g_menuSeen, nullptr) << "no menu came up";
  EXPECT_FALSE(Shown());
}

// ---- show, hide and the menu commands -----------------------------------------------------------

TEST_F(MainWindow, HidingAlsoClosesTheSettingsDialogAndThePlaylistWindow) {
  ScriptedDialogs dialogs;
  main->ShowPlayer();
  main->NListMusicClick(nullptr);
  main->NSetupClick(nullptr);
  ASSERT_TRUE(IsWindowVisible(frmSetupSaverDeck->Handle()));
  ASSERT_TRUE(IsWindowVisible(frmMusicList->Handle()));
  dialogs.Answer(IDNO);  // the settings dialog's save question
  main->NShowOrHideClick(nullptr);
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(IsWindowVisible(frmSetupSaverDeck->Handle()));
  EXPECT_FALSE(IsWindowVisible(frmMusicList->Handle()));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, L"存盘提示:");
}

TEST_F(MainWindow, TheCloseBoxHidesToTheTrayWithoutAQuestion) {
  ScriptedDialogs dialogs;  // any box fails the test
  main->ShowPlayer();
  Send(WM_CLOSE);
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(main->TrayIconAdded());
  EXPECT_FALSE(Application->Terminated);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindow, ExitAsksAndNoHidesYesEnds) {
  for (TMenuItem* item : {main->NExit, main->NExitR}) {
    for (int answer : {IDNO, IDYES}) {
      ScriptedDialogs dialogs;
      dialogs.Answer(answer);
      main->ShowPlayer();
      if (item == main->NExit) ClickBarItem(item);  // through the menu bar, as the system reports it
      else item->Click();
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].text, L"选择\"否\"将缩小到托盘，选择\"是\"退出。");
      EXPECT_EQ(dialogs.shown[0].caption, L"退出确认：");
      EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
      EXPECT_EQ(dialogs.shown[0].owner, nullptr);
      EXPECT_FALSE(Shown());
      EXPECT_EQ(Application->Terminated, answer == IDYES) << Narrow(item->Caption);
      EXPECT_NE(frmSaverDeck, nullptr) << "the window itself stays until the program ends";
      MSG m;
      while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
      }
      Application->Terminated = false;
    }
  }
}

TEST_F(MainWindow, ExitStopsWhileTheSettingsDialogStaysOpenAfterItsSaveQuestion) {
  const struct {
    int saveAnswer;
    bool ends, setupVisible;
  } cases[] = {{IDCANCEL, false, true}, {IDNO, true, false}, {IDYES, true, false}};
  for (const auto& c : cases) {
    ScriptedDialogs dialogs;
    main->ShowPlayer();
    main->NSetupClick(nullptr);
    dialogs.Answer(IDYES).Answer(c.saveAnswer);
    main->NExitClick(main->NExit);
    ASSERT_EQ(dialogs.shown.size(), 2u) << c.saveAnswer;
    EXPECT_EQ(dialogs.shown[1].text, L"是否保存设置？未更改或想放弃更改请点否。");
    EXPECT_EQ(dialogs.shown[1].owner, frmSetupSaverDeck->Handle());
    EXPECT_EQ(dialogs.shown[1].flags, UINT(MB_YESNOCANCEL));
    EXPECT_EQ(Application->Terminated, c.ends) << c.saveAnswer;
    EXPECT_EQ(IsWindowVisible(frmSetupSaverDeck->Handle()) != FALSE, c.setupVisible) << c.saveAnswer;
    // Cancelled: the user is still in the settings, and the player stays as it was.
    if (!c.ends) {
      EXPECT_TRUE(Shown());
    }
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Application->Terminated = false;
    if (c.setupVisible) frmSetupSaverDeck->Hide();
  }
}

TEST_F(MainWindow, LastErrorShowsNoErrorsOrTheLastMessage) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK).Answer(IDOK);
  ClickBarItem(main->NShowLastErr);
  LastErrorText = L"提示：没有屏幕保护可以播放！";
  ClickBarItem(main->NShowLastErr);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, L"没有错误！");
  EXPECT_EQ(dialogs.shown[1].text, L"<最近一次的错误提示是>：提示：没有屏幕保护可以播放！");
  for (const auto& b : dialogs.shown) EXPECT_EQ(b.flags & 0xFF, UINT(MB_OK)) << "a plain message";
}

TEST_F(MainWindow, MenuItemsOpenTheSettingsOnTheirPagesAndThePlaylistWindow) {
  frmSetupSaverDeck->PageControl1->SetActivePageIndex(0);
  ClickBarItem(main->NSetup);
  EXPECT_TRUE(IsWindowVisible(frmSetupSaverDeck->Handle()));
  EXPECT_EQ(frmSetupSaverDeck->PageControl1->ActivePageIndex(), 0) << "设置... keeps the page";
  for (TMenuItem* item : {main->NAbout, main->NMore, main->NAbout_R}) {
    frmSetupSaverDeck->Hide();
    frmSetupSaverDeck->PageControl1->SetActivePageIndex(1);
    if (item == main->NAbout_R) item->Click();
    else ClickBarItem(item);
    EXPECT_TRUE(IsWindowVisible(frmSetupSaverDeck->Handle())) << Narrow(item->Caption);
    EXPECT_EQ(frmSetupSaverDeck->PageControl1->ActivePageIndex(), 3) << Narrow(item->Caption);
  }
  ClickBarItem(main->NListMusic);
  EXPECT_TRUE(IsWindowVisible(frmMusicList->Handle()));
  ClickBarItem(main->NListMusic);  // already shown: stays
  EXPECT_TRUE(IsWindowVisible(frmMusicList->Handle()));
  ClickBarItem(main->NListScr);  // disabled: nothing
  main->NShowOrHide->Click();
  EXPECT_TRUE(Shown());
}

TEST(BringWindowToFront, RaisesAboveTheOthersWithoutStayingTopmostOrMoving) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QvFrontTest";
  RegisterClassW(&wc);
  HWND a = CreateWindowExW(0, wc.lpszClassName, L"a", WS_POPUP | WS_VISIBLE, 10, 20, 100, 80, nullptr, nullptr,
                           wc.hInstance, nullptr);
  HWND b = CreateWindowExW(0, wc.lpszClassName, L"b", WS_POPUP | WS_VISIBLE, 30, 40, 100, 80, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ASSERT_TRUE(a && b);
  BringWindowToFront(a);
  EXPECT_FALSE(GetWindowLongPtrW(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
  bool aAboveB = false;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == a) {
      aAboveB = true;
      break;
    }
    if (h == b) break;
  }
  EXPECT_TRUE(aAboveB);
  RECT r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 100);
  DestroyWindow(a);
  DestroyWindow(b);
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST(Descriptions, EveryPlayerFormLoadsAndBinds) {
  ExpectEveryDescribedFormLoadsAndBinds(DESCRIBED_FORMS);
  std::istringstream described(DESCRIBED_FORMS);
  int count = 0;
  for (std::string name; described >> name;) ++count;
  EXPECT_EQ(count, 4);
}

}  // namespace
