// The change reminder in-process: the bar arms its one-shot box at the show step, the box and the
// bar's commands open one window, which shows the days left, offers the tools through its real
// buttons and menus, and is closed only by its confirmation, which sets and saves the dates.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ClassWindow.h"
#include "ConsoleFixtures.h"
#include "ProcessHelpers.h"
#include "Remind2ChangeRules.h"

namespace {

// What a list sends its window when the user picks an item.
void UserChoice(TComboBox* list, int index) { UserCommand(list->Handle(), CB_SETCURSEL, WPARAM(index), CBN_SELCHANGE); }

bool Shown(TControl* c) { return IsWindowVisible(dynamic_cast<TWinControl*>(c)->Handle()) != FALSE; }

class ChangeReminder : public ConsoleBar {
 protected:
  ChangeReminder() { EncodeDayNumber(2026, 12, 10, today); }  // the fake clock's date

  // The bar of a later run (the record names this executable), shown at start as the loop does.
  void StartShown() {
    SeedRecord();
    Make();
    form->Show();
    PumpMessages();
  }
  TfrmRemindScrMusPic* OpenByMessage() {
    SendMessageW(form->Handle(), WM_DESKPANEL_REMIND, 0, 0);
    PumpMessages();
    return frmRemindScrMusPic;
  }
  static int ReminderWindows() {
    int n = 0;
    for (TForm* f : Application->Forms()) n += dynamic_cast<TfrmRemindScrMusPic*>(f) ? 1 : 0;
    return n;
  }
  std::vector<std::wstring> DateFields() const {
    std::vector<std::wstring> fields;
    std::wstring line = ConfigLine2(), field;
    for (wchar_t c : line + L" ") {
      if (c != L' ') {
        field += c;
      } else {
        fields.push_back(field);
        field.clear();
      }
    }
    if (fields.size() < 10) return {L"(short line) " + line};
    return {fields[7], fields[8], fields[9]};
  }

  FakeClock clock;
  FakeRandom random;
  TDayNumber today = 0;
};

// ---- arming ------------------------------------------------------------------------------------

TEST_F(ChangeReminder, TheShowStepArmsTheBoxOnceWithTenToTwentyNineMinutes) {
  random.answers = {7};
  StartShown();
  ASSERT_TRUE(form->tmrRemind2Change->Enabled());
  EXPECT_EQ(form->tmrRemind2Change->Interval(), 17u * 60000u);
  EXPECT_EQ(random.asked, std::vector<int>{20});
  EXPECT_EQ(random.randomized, 1);
  // Showing the bar again never arms it again.
  form->tmrRemind2Change->SetEnabled(false);
  form->HidePanel();
  form->ShowPanel();
  form->Hide();
  form->Show();
  SendMessageW(form->Handle(), WM_DESKPANEL_SHOW, 0, 0);
  EXPECT_FALSE(form->tmrRemind2Change->Enabled());
  EXPECT_EQ(random.asked.size(), 1u);
}

TEST_F(ChangeReminder, NoBoxInAFirstRunAStartHiddenOrWhenNothingIsDue) {
  {
    SCOPED_TRACE("first run, answered No");
    dialogs.Answer(IDNO);
    Make();
    form->Show();
    PumpMessages();
    EXPECT_FALSE(form->tmrRemind2Change->Enabled());
    TComponent::Free(form);
    form = nullptr;
    FirstRun = false;
  }
  SeedRecord();
  {
    SCOPED_TRACE("started hidden, shown later");
    WriteConfig(L"[0] TRUE 3 285 0 FALSE 15780518");  // no dates: all due
    Make();
    form->ShowPanel();
    form->Show();
    SendMessageW(form->Handle(), WM_DESKPANEL_SHOW, 0, 0);
    PumpMessages();
    EXPECT_FALSE(form->tmrRemind2Change->Enabled());
    // The window still opens from the bar's message.
    ASSERT_NE(OpenByMessage(), nullptr);
    TComponent::Free(frmRemindScrMusPic);
    TComponent::Free(form);
    form = nullptr;
  }
  {
    SCOPED_TRACE("every date after today");
    const std::wstring tomorrow = FormatConfigDate(today + 1);
    WriteConfig(L"[0] FALSE 3 285 0 FALSE 15780518 " + tomorrow + L" " + tomorrow + L" " + tomorrow);
    Make();
    form->Show();
    PumpMessages();
    EXPECT_FALSE(form->tmrRemind2Change->Enabled());
  }
  EXPECT_TRUE(random.asked.empty());
}

TEST_F(ChangeReminder, TheBoxComesOnceAndItsOkOpensTheWindow) {
  StartShown();
  ASSERT_TRUE(form->tmrRemind2Change->Enabled());
  dialogs.Answer(IDOK);
  form->tmrRemind2Change->Timer();
  PumpMessages();
  EXPECT_FALSE(form->tmrRemind2Change->Enabled()) << "the timer fires once";
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"您有更换项目到期了，点击确定查看和更换。");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提醒您定期更换：屏保/音乐/壁纸！");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1040u);
  EXPECT_EQ(dialogs.shown[0].owner, nullptr);
  ASSERT_NE(frmRemindScrMusPic, nullptr);
  EXPECT_TRUE(IsWindowVisible(frmRemindScrMusPic->Handle()));
}

// ---- the window --------------------------------------------------------------------------------

struct RowsCase {
  const char* name;
  double pic, scr, mus;  // days from today; -1e9: the date 0 of a file that did not read
  int lists[3];
  bool labels[3];
};

class ReminderRows : public ChangeReminder, public testing::WithParamInterface<RowsCase> {};

TEST_P(ReminderRows, TheListsShowTheDaysLeftAndTheDueRowsTheirRedLabel) {
  const RowsCase& c = GetParam();
  auto date = [&](double d) { return d < -1e8 ? 0.0 : today + d; };
  DuePic = date(c.pic);
  DueScr = date(c.scr);
  DueMus = date(c.mus);
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Caption(), L"Quovel提醒您定期更换：屏保/音乐/壁纸！");
  TComboBox* lists[] = {w->cbxChangeWallpaper, w->cbxChangeSCR, w->cbxChangeMUS};
  TLabel* labels[] = {w->lblDue_Pic, w->lblDue_Scr, w->lblDue_Mus};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lists[i]->ItemIndex(), c.lists[i]) << i;
    EXPECT_EQ(WindowText(lists[i]->Handle()), std::to_wstring(c.lists[i])) << i;
    EXPECT_EQ(Shown(labels[i]), c.labels[i]) << i;
    EXPECT_EQ(WindowText(labels[i]->Handle()), L"<--已到期,请更换");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReminderRows,
    testing::Values(RowsCase{"NoFile", -2e9, -2e9, -2e9, {0, 0, 0}, {true, true, true}},
                    RowsCase{"AheadCappedAndToday", 5, 20, 0, {5, 10, 0}, {false, false, true}},
                    RowsCase{"PastAndTomorrow", -2e9, -1, 1, {0, 0, 1}, {true, true, false}},
                    RowsCase{"FarAhead", 40000, 11, 10, {10, 10, 10}, {false, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChangeReminder, ADateThatDidNotReadCountsAsDueAndArmsTheBox) {
  SeedRecord();
  const std::wstring ahead = FormatConfigDate(today + 4);
  WriteConfig(L"[0] FALSE 3 285 0 FALSE 15780518 " + ahead + L" 2026-13-45 " + ahead);
  dialogs.Answer(IDOK);  // the box naming the field that did not read
  Make();
  form->Show();
  PumpMessages();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(form->tmrRemind2Change->Enabled());
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->cbxChangeWallpaper->ItemIndex(), 4);
  EXPECT_EQ(w->cbxChangeSCR->ItemIndex(), 0);
  EXPECT_TRUE(Shown(w->lblDue_Scr));
  EXPECT_FALSE(Shown(w->lblDue_Pic));
}

TEST_F(ChangeReminder, PickingDaysInAListHidesItsRedLabelAndZeroShowsItAgain) {
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  UserChoice(w->cbxChangeSCR, 4);
  EXPECT_FALSE(Shown(w->lblDue_Scr));
  EXPECT_TRUE(Shown(w->lblDue_Pic));
  UserChoice(w->cbxChangeSCR, 0);
  EXPECT_TRUE(Shown(w->lblDue_Scr));
  UserChoice(w->cbxChangeWallpaper, 10);
  UserChoice(w->cbxChangeMUS, 1);
  EXPECT_FALSE(Shown(w->lblDue_Pic));
  EXPECT_FALSE(Shown(w->lblDue_Mus));
  EXPECT_EQ(DuePic, 0) << "a choice alone changes no date";
}

TEST_F(ChangeReminder, TheWindowIsCentredOfFixedSizeAndOnlyOneOpensAndRestores) {
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  RECT r;
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 542);
  EXPECT_EQ(r.bottom - r.top, 310);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - 542) / 2, 1);
  EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - 310) / 2, 1);
  // It cannot be resized.
  SetWindowPos(w->Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 542);
  EXPECT_EQ(r.bottom - r.top, 310);
  // The menu item and the message restore the open window instead of making a second.
  ShowWindow(w->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(w->Handle()));
  Item(L"NRemind2ChangeScrMusPic")->Click();
  PumpMessages();
  EXPECT_FALSE(IsIconic(w->Handle()));
  EXPECT_EQ(OpenByMessage(), w);
  EXPECT_EQ(ReminderWindows(), 1);
}

TEST_F(ChangeReminder, CloseDoesNothingBeforeTheConfirmationButLogOffIsNeverBlocked) {
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  SendMessageW(w->Handle(), WM_CLOSE, 0, 0);
  SendMessageW(w->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  ASSERT_EQ(frmRemindScrMusPic, w);
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_EQ(SendMessageW(w->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

// ---- the tools -----------------------------------------------------------------------------------

struct ToolCase {
  const char* name;
  const wchar_t* button;
  int item;                    // 0: the button itself; n: the n-th item of its menu
  const wchar_t* sibling;      // a sibling's window class, or null for the shell
  UINT message;                // what the sibling receives
  const wchar_t* verb;         // the shell call
  const wchar_t* file;         // its file; a web page when it starts with "http"
  const wchar_t* params;
};

class ReminderTools : public ChangeReminder, public testing::WithParamInterface<ToolCase> {};

TEST_P(ReminderTools, EachButtonAndMenuItemReachesItsTool) {
  const ToolCase& c = GetParam();
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  std::unique_ptr<ClassWindow> sibling;
  if (c.sibling) sibling = std::make_unique<ClassWindow>(c.sibling);
  auto* button = dynamic_cast<TWinControl*>(w->FindComponent(c.button));
  ASSERT_NE(button, nullptr);
  {
    PopupMenuWatch watch(c.item);
    ClickControl(button->Handle());
    PumpMessages();
    EXPECT_EQ(watch.Seen(), c.item > 0);
    if (c.item > 0) {
      // The menu opens at the cursor.
      RECT m = watch.Rect();
      EXPECT_LE(std::abs(m.left - cursor.pos.x) + std::abs(m.top - cursor.pos.y), 400) << m.left << "," << m.top;
    }
  }
  if (c.sibling) {
    EXPECT_EQ(sibling->got, std::vector<UINT>{c.message});
    EXPECT_TRUE(web.calls.empty());
  } else {
    ASSERT_EQ(web.calls.size(), 1u);
    EXPECT_EQ(web.calls[0].owner, w->Handle());
    EXPECT_EQ(web.calls[0].verb, c.verb);
    EXPECT_EQ(web.calls[0].file, c.file);
    EXPECT_EQ(web.calls[0].params, c.params);
    EXPECT_EQ(web.calls[0].show, SW_SHOWNORMAL);
  }
  EXPECT_EQ(frmRemindScrMusPic, w) << "a tool leaves the window open";
  EXPECT_FALSE(FileExists(ConfigPath())) << "a tool changes no date";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReminderTools,
    testing::Values(
        ToolCase{"SystemDisplaySettings", L"btnChangeWallpaper", 1, nullptr, 0, L"open", L"RunDll32.exe",
                 L"Shell32.dll,Control_RunDLL desk.cpl,,0"},
        ToolCase{"DrawingProgram", L"btnChangeWallpaper", 2, L"KMR474747_550_MINV", WM_MINV_ACTIVATE},
        ToolCase{"BaiduWallpapers1", L"btnChangeWallpaper", 3, nullptr, 0, L"", L"http://image.baidu.com/channel/wallpaper",
                 L""},
        ToolCase{"BaiduWallpapers2", L"btnChangeWallpaper", 4, nullptr, 0, L"",
                 L"http://image.baidu.com/search/index?tn=baiduimage&word=%E5%A3%81%E7%BA%B8", L""},
        ToolCase{"GoogleWallpapers", L"btnChangeWallpaper", 5, nullptr, 0, L"",
                 L"https://www.google.com/search?q=%E5%A3%81%E7%BA%B8&tbm=isch", L""},
        ToolCase{"BreakRemindersSaverPage", L"btnChangeSCR", 1, kClassBKWD, WM_BKWD_OPENSETUPSCR},
        ToolCase{"OneKeySaver", L"btnChangeSCR", 2, L"KMR474747_250_ZEPT", WM_ZEPT_ACTIVATE},
        ToolCase{"SaverArticle", L"btnChangeSCR", 3, nullptr, 0, L"", L"http://www.quovel.com/article/screen-savers.html",
                 L""},
        ToolCase{"PlayersAccompanimentPage", L"btnChangeMUS", 0, L"KMR474747_325_SaverDeck",
                 WM_SAVERDECK_SETUPACCOMP}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the confirmation ----------------------------------------------------------------------------

TEST_F(ChangeReminder, ConfirmingSetsDueItemsToThreeDaysTheOthersToTheirDaysSavesAndCloses) {
  DuePic = today + 5;
  DueScr = today + 20;
  DueMus = today;
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  const DWORD before = clock.tick;
  SendMessageW(w->btnOK->Handle(), BM_CLICK, 0, 0);
  EXPECT_GE(clock.tick - before, 1000u) << "the one-second pause";
  EXPECT_EQ(DuePic, today + 5);
  EXPECT_EQ(DueScr, today + 10);
  EXPECT_EQ(DueMus, today + 3);
  EXPECT_EQ(DateFields(), (std::vector<std::wstring>{FormatConfigDate(today + 5), FormatConfigDate(today + 10),
                                                     FormatConfigDate(today + 3)}));
  PumpMessages();
  EXPECT_EQ(frmRemindScrMusPic, nullptr) << "the window was freed";
  EXPECT_EQ(Application->FindForm(L"frmRemindScrMusPic"), nullptr);
  // The bar's other values went to the file as they are.
  EXPECT_EQ(ConfigLine2().substr(0, 30), L"[0] FALSE 3 285 0 FALSE 157805");
  // A new window shows what was saved.
  w = OpenByMessage();
  EXPECT_EQ(w->cbxChangeMUS->ItemIndex(), 3);
  EXPECT_FALSE(Shown(w->lblDue_Mus));
}

// Enter pressed by a user comes through the loop to the window's default button "好的，已完成更换",
// from a list as well; a list that is dropped down keeps it and only closes.
TEST_F(ChangeReminder, EnterThroughTheLoopConfirmsByTheDefaultButtonUnlessAListIsOpen) {
  DueMus = today;
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  w->cbxChangeMUS->SetFocus();
  HWND list = w->cbxChangeMUS->Handle();
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
  ASSERT_TRUE(UserKey(VK_RETURN));
  EXPECT_FALSE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(frmRemindScrMusPic, w) << "the open list took the key";
  EXPECT_EQ(DueMus, today);
  ASSERT_TRUE(UserKey(VK_RETURN));
  EXPECT_EQ(DueMus, today + 3);
  PumpMessages();
  EXPECT_EQ(frmRemindScrMusPic, nullptr) << "confirmed and freed";
}

TEST_F(ChangeReminder, AReminderCommandWhileTheConfirmedWindowGoesOpensAFreshOne) {
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  SendMessageW(w->btnOK->Handle(), BM_CLICK, 0, 0);
  // Closed and confirmed, not yet freed: the command does not bring the closing window back.
  ASSERT_EQ(Application->FindForm(L"frmRemindScrMusPic"), w);
  Item(L"NRemind2ChangeScrMusPic")->Click();
  ASSERT_NE(frmRemindScrMusPic, w);
  ASSERT_NE(frmRemindScrMusPic, nullptr);
  EXPECT_TRUE(IsWindowVisible(frmRemindScrMusPic->Handle()));
  PumpMessages();
  EXPECT_EQ(ReminderWindows(), 1);
  EXPECT_EQ(frmRemindScrMusPic->cbxChangeWallpaper->ItemIndex(), 3) << "the new window shows the new dates";
}

TEST_F(ChangeReminder, ASecondClickDuringThePauseRunsNoSecondConfirmation) {
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  const HWND ok = w->btnOK->Handle();
  // Messages that wait in the queue run during the pause: one looks at the button, one clicks it.
  ClassWindow probe(L"QuovelTestProbe");
  int seenEnabled = -1;
  probe.onMessage = [&](UINT) { seenEnabled = IsWindowEnabled(ok) ? 1 : 0; };
  PostMessageW(probe.hwnd, WM_USER, 0, 0);
  PostMessageW(ok, BM_CLICK, 0, 0);
  const DWORD before = clock.tick;
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(seenEnabled, 0) << "the button was live during the pause";
  EXPECT_LT(clock.tick - before, 2000u) << "a second pause ran";
  PumpMessages();
  EXPECT_EQ(Application->FindForm(L"frmRemindScrMusPic"), nullptr);
  EXPECT_EQ(DateFields(), (std::vector<std::wstring>(3, FormatConfigDate(today + 3))));
}

TEST_F(ChangeReminder, AFailedSaveShowsTheErrorKeepsTheNewDatesAndTheWindowOpen) {
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  SetConsoleConfigFolder(folder / L"missing");
  dialogs.Answer(IDOK);
  SendMessageW(w->btnOK->Handle(), BM_CLICK, 0, 0);
  PumpMessages();
  ASSERT_EQ(dialogs.shown.size(), 1u) << "no error box";
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
  ASSERT_EQ(frmRemindScrMusPic, w) << "the window closed";
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_TRUE(IsWindowEnabled(w->btnOK->Handle())) << "no second try";
  EXPECT_EQ(DuePic, today + 3);
  EXPECT_EQ(DueScr, today + 3);
  EXPECT_EQ(DueMus, today + 3);
  // The next try, with the folder back, saves and closes.
  SetConsoleConfigFolder(folder.Path());
  SendMessageW(w->btnOK->Handle(), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(Application->FindForm(L"frmRemindScrMusPic"), nullptr);
  EXPECT_EQ(DateFields(), (std::vector<std::wstring>(3, FormatConfigDate(today + 3))));
}

TEST_F(ChangeReminder, AConfirmationDuringASiblingsStartClosesTheWindowOnceTheCallReturns) {
  // The break reminder is installed but not running: the call starts it and looks for it three
  // times, four seconds apart, handling messages meanwhile.
  TempFile bkwd(folder / L"breakwarden.exe");
  shell.registry.Redirect(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\BKWD", shell.key.Path() + L"\\BKWD");
  shell.key.SetString(L"BKWD", L"dir", bkwd.path);
  StartShown();
  auto* w = OpenByMessage();
  ASSERT_NE(w, nullptr);
  PostMessageW(w->btnOK->Handle(), BM_CLICK, 0, 0);
  const DWORD before = clock.tick;
  dynamic_cast<TMenuItem*>(w->FindComponent(L"NChangeAutoSCR"))->Click();
  EXPECT_GE(clock.tick - before, 12000u) << "the call did not wait";
  ASSERT_EQ(web.calls.size(), 1u);
  EXPECT_EQ(web.calls[0].file, bkwd.path);
  PumpMessages();
  EXPECT_EQ(Application->FindForm(L"frmRemindScrMusPic"), nullptr);
  EXPECT_EQ(frmRemindScrMusPic, nullptr);
  EXPECT_EQ(DateFields(), (std::vector<std::wstring>(3, FormatConfigDate(today + 3))));
}

}  // namespace
