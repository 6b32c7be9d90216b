// The bar in-process: creation, qvccfg at start and at each save, auto-hide, hiding to the tray,
// the tray icon's callback, power broadcasts, closing, the exit question and log-off.
#include <gtest/gtest.h>

#include <sstream>

#include "ConsoleFixtures.h"
#include "ProcessHelpers.h"

namespace {

constexpr COLORREF kSkyBlue = 0xF0CAA6;

// ---- creation -----------------------------------------------------------------------------------

TEST_F(ConsoleBar, CreationMakesABorderlessTopmostBarAtTheTopWithItsRowAndTrayIcon) {
  SeedRecord();
  Make();
  HWND h = form->Handle();
  wchar_t cls[64] = {}, caption[64] = {};
  GetClassNameW(h, cls, 64);
  GetWindowTextW(h, caption, 64);
  EXPECT_STREQ(cls, L"KMR474747_420_DESKPANEL");
  EXPECT_STREQ(caption, L"LumoConsole");
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE), ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION) << "the bar has no border";
  EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), LONG_PTR(WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
  EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle()) << "an unowned window gets a taskbar button";
  COLORREF key = 1;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(h, &key, &alpha, &flags));
  EXPECT_TRUE(flags & LWA_COLORKEY);
  EXPECT_EQ(key, 0u) << "black is the see-through key";

  EXPECT_EQ(form->Left(), 285);
  EXPECT_EQ(form->Top(), 0);
  EXPECT_EQ(form->Width(), 303);
  EXPECT_EQ(form->Height(), 64 - GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(ColorToRGB(form->Color()), kSkyBlue);
  TControl* row[] = {form->btnProductBKWD, form->btnProductZEPT, form->btnProductSaverDeck, form->btnProductMINV,
                     form->btnSVDSetup,    form->btnPlayOrPause, form->btnPlayScrWithMus,   form->btnPlayScr,
                     form->imgQV};
  const int lefts[] = {5, 28, 51, 81, 111, 141, 171, 206, 246};
  const int top = (form->Height() - form->btnProductBKWD->Height()) / 2;
  for (size_t i = 0; i < std::size(row); ++i) {
    EXPECT_EQ(row[i]->Left(), lefts[i]) << Narrow(row[i]->Name());
    EXPECT_EQ(row[i]->Top(), top) << Narrow(row[i]->Name());
  }
  EXPECT_EQ(form->btnMenu->Left(), 274);
  EXPECT_EQ(form->btnMenu->Top(), 0);

  const NOTIFYICONDATAW& t = form->TrayIconData;
  EXPECT_EQ(t.cbSize, sizeof(NOTIFYICONDATAW));
  EXPECT_EQ(t.hWnd, h);
  EXPECT_EQ(t.uID, 101u);
  EXPECT_EQ(t.uFlags, 7u);
  EXPECT_EQ(t.uCallbackMessage, 0x404u);
  EXPECT_NE(t.hIcon, nullptr);
  EXPECT_STREQ(t.szTip, L"Deskorax");
  EXPECT_TRUE(TrayIconShown(h, kConsoleTrayIconId, L"Deskorax"));

  EXPECT_TRUE(Item(L"NNotRememberPos")->Checked);
  EXPECT_FALSE(Item(L"NRememberPosOnExit")->Checked || Item(L"NRememerPosManually")->Checked);
  EXPECT_FALSE(form->NHideOnStart->Checked || form->NNoLineLeftOnHideUpwards->Checked || form->NHideAuto->Checked);
  EXPECT_FALSE(form->tmrAutoHide->Enabled());
  EXPECT_EQ(form->tmrAutoHide->Interval(), 800u);
  EXPECT_FALSE(FirstRun);
  EXPECT_EQ(DuePic + DueScr + DueMus, 0) << "without qvccfg every change is due";
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(FileExists(ConfigPath())) << "starting writes nothing";
}

TEST_F(ConsoleBar, EveryControlOfTheRowShowsItsHint) {
  SeedRecord();
  Make();
  const std::pair<TControl*, const wchar_t*> hints[] = {
      {form->btnProductBKWD, L"打开自动屏保设置"},      {form->btnProductZEPT, L"打开一键屏保设置"},
      {form->btnProductSaverDeck, L"打开Sonavista"},    {form->btnProductMINV, L"Minvara"},
      {form->btnSVDSetup, L"打开系统屏保伴音设置"},     {form->btnPlayOrPause, L"播放（暂停）音乐"},
      {form->btnPlayScrWithMus, L"播放带伴音的屏幕保护"}, {form->btnPlayScr, L"播放屏幕保护"},
      {form->imgQV, L"QV:Quovel。HOLD住我可以移动，双击我显隐。"}, {form->btnMenu, L"打开Sonavista"}};
  for (const auto& [c, hint] : hints) {
    EXPECT_EQ(c->Hint, hint) << Narrow(c->Name());
    EXPECT_TRUE(c->ShowHint) << Narrow(c->Name());
  }
  // The mouse resting on each control shows its hint, in the bar's one tool tip.
  form->Show();
  HWND first = nullptr;
  for (const auto& [c, hint] : hints) {
    HWND tip = HoverForHint(dynamic_cast<TWinControl*>(c));
    ASSERT_NE(tip, nullptr) << Narrow(c->Name());
    EXPECT_EQ(Narrow(HintShown(tip)), Narrow(hint)) << Narrow(c->Name());
    if (!first) first = tip;
    EXPECT_EQ(tip, first) << Narrow(c->Name());
  }
}

// ---- qvccfg at start --------------------------------------------------------------------------

struct StartCase {
  const char* name;
  std::wstring line2;
  int left, top;
  const wchar_t* checkedRule;
  bool noLine;
  COLORREF color;
};

class ConsoleBarStart : public ConsoleBar, public testing::WithParamInterface<StartCase> {};

TEST_P(ConsoleBarStart, TheFileDecidesPlaceRuleAndLook) {
  const StartCase& c = GetParam();
  SeedRecord();
  WriteConfig(c.line2);
  Make();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(form->Left(), c.left);
  EXPECT_EQ(form->Top(), c.top);
  for (const wchar_t* rule : {L"NRememberPosOnExit", L"NRememerPosManually", L"NNotRememberPos"})
    EXPECT_EQ(Item(rule)->Checked, std::wstring(rule) == c.checkedRule) << Narrow(rule);
  EXPECT_EQ(form->NNoLineLeftOnHideUpwards->Checked, c.noLine);
  EXPECT_EQ(ColorToRGB(form->Color()), c.color);
  EXPECT_EQ(ConfigLine2(), c.line2) << "reading writes nothing, not even for the rule's click";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsoleBarStart,
    testing::Values(
        StartCase{"ByHand", L"[0] FALSE 1 400 300 TRUE 255 2026/12/10 2026/12/10 2026/12/10", 400, 300,
                  L"NRememerPosManually", true, 255},
        StartCase{"OnExit", L"[0] FALSE 0 10 700 FALSE 65280 2026/12/10 2026/12/10 2026/12/10", 10, 700,
                  L"NRememberPosOnExit", false, 65280},
        StartCase{"ThreeIgnoresThePlace", L"[0] FALSE 3 400 300 FALSE 255 2026/12/10 2026/12/10 2026/12/10", 285, 0,
                  L"NNotRememberPos", false, 255},
        StartCase{"TwoChecksNotRememberedButTakesThePlace",
                  L"[0] FALSE 2 400 300 FALSE 255 2026/12/10 2026/12/10 2026/12/10", 400, 300, L"NNotRememberPos",
                  false, 255},
        // A Top stored while auto-hide held the bar up, or a screen grown smaller: the reset place.
        StartCase{"PulledUpTopStartsAtTheReset", L"[0] FALSE 1 400 -43 FALSE 255 2026/12/10 2026/12/10 2026/12/10",
                  285, 0, L"NRememerPosManually", false, 255},
        // Partly off the screen (1280 wide): the bar keeps the place the user gave it.
        StartCase{"PartlyOffTheRightKeepsThePlace",
                  L"[0] FALSE 1 1100 0 FALSE 255 2026/12/10 2026/12/10 2026/12/10", 1100, 0, L"NRememerPosManually",
                  false, 255},
        StartCase{"PartlyOffTheLeftAndBottomKeepsThePlace",
                  L"[0] FALSE 0 -100 780 FALSE 255 2026/12/10 2026/12/10 2026/12/10", -100, 780,
                  L"NRememberPosOnExit", false, 255},
        // No more than a 2-pixel line of the bar would show.
        StartCase{"AColumnAtTheRightEdgeStartsAtTheReset",
                  L"[0] FALSE 1 1278 100 FALSE 255 2026/12/10 2026/12/10 2026/12/10", 285, 0, L"NRememerPosManually",
                  false, 255},
        StartCase{"OffTheScreenStartsAtTheReset",
                  L"[0] FALSE 0 5000 3000 FALSE 255 2026/12/10 2026/12/10 2026/12/10", 285, 0,
                  L"NRememberPosOnExit", false, 255},
        // A system colour, as the toolkit stores clBtnFace, and its older form.
        StartCase{"ASystemColourIsTheSystemsColour",
                  L"[0] FALSE 3 0 0 FALSE -16777201 2026/12/10 2026/12/10 2026/12/10", 285, 0, L"NNotRememberPos",
                  false, GetSysColor(COLOR_BTNFACE)},
        StartCase{"AnOlderSystemColourIsTheSystemsColour",
                  L"[0] FALSE 3 0 0 FALSE -2147483633 2026/12/10 2026/12/10 2026/12/10", 285, 0, L"NNotRememberPos",
                  false, GetSysColor(COLOR_BTNFACE)},
        // Black would make the whole bar see-through and click-through.
        StartCase{"BlackIsShownAsNearBlack", L"[0] FALSE 3 0 0 FALSE 0 2026/12/10 2026/12/10 2026/12/10", 285, 0,
                  L"NNotRememberPos", false, RGB(1, 1, 1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConsoleBar, TheDueDatesComeFromTheFile) {
  SeedRecord();
  WriteConfig(L"[0] FALSE 3 285 0 FALSE 15780518 2026/12/10 2026/12/13 2027/1/2");
  Make();
  EXPECT_EQ(DuePic, 46366);
  EXPECT_EQ(DueScr, 46369);
  EXPECT_EQ(DueMus, 46389);
}

TEST_F(ConsoleBar, ADamagedFileGivesOneErrorBoxTheDesignValuesThereAndAFullStartUp) {
  // No record either: the first-run question must still come after the error.
  WriteConfig(L"[0] TRUE 1 abc 50 TRUE x 10.12.2026 2026/12/13 2026-12-20");
  dialogs.Answer(IDOK).Answer(IDNO);
  Make();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  const std::wstring error = dialogs.shown[0].text;
  EXPECT_EQ(dialogs.shown[0].caption, Application->Title);
  EXPECT_TRUE(dialogs.shown[0].flags & MB_ICONERROR);
  for (const wchar_t* part : {L"'abc'", L"'x'", L"'10.12.2026'"})
    EXPECT_NE(error.find(part), std::wstring::npos) << Narrow(error);
  EXPECT_EQ(dialogs.shown[1].caption, L"Quovel控制台（配置后不再提示）：");

  EXPECT_EQ(form->Left(), 285) << "the bad Left took its design value";
  EXPECT_EQ(form->Top(), 50);
  EXPECT_TRUE(form->NHideOnStart->Checked);
  EXPECT_FALSE(Application->ShowMainForm) << "start hidden still applies";
  EXPECT_TRUE(form->NNoLineLeftOnHideUpwards->Checked);
  EXPECT_EQ(ColorToRGB(form->Color()), kSkyBlue);
  EXPECT_EQ(DuePic, 0) << "a bad date is due";
  EXPECT_EQ(DueScr, 46369);
  EXPECT_EQ(DueMus, 46376) << "ISO is read";
  EXPECT_TRUE(form->TrayIconAdded());
  EXPECT_TRUE(FirstRun);
}

TEST_F(ConsoleBar, StartHiddenKeepsTheBarOutOfTheLoopsFirstShowingAndTheMenuSaysRestore) {
  SeedRecord();
  WriteConfig(L"[0] TRUE 3 285 0 FALSE 15780518 2026/12/10 2026/12/10 2026/12/10");
  Make();
  EXPECT_FALSE(Application->ShowMainForm);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(Item(L"NShowOrHide")->Caption, L"恢复");
  EXPECT_EQ(form->NHideDownwards->Caption, L"恢复");
  EXPECT_FALSE(form->NHideAuto->Visible);
  form->NHideDownwards->Click();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->NHideDownwards->Caption, L"向下隐藏");
  EXPECT_TRUE(form->NHideAuto->Visible);
}

// ---- the first run ------------------------------------------------------------------------------

TEST_F(ConsoleBar, FirstRunAskedAndYesWritesTheRecord) {
  shell.key.SetString(L"DESKPANEL", L"dir", UpperCase(OwnExePath()));  // differs in letter case only
  dialogs.Answer(IDYES);
  Make();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"初次运行或程序有变更时会出现本提示，您需要重新配置，点击是继续。");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel控制台（配置后不再提示）：");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1024u);
  EXPECT_EQ(RecordValue(L"dir"), OwnExePath());
  EXPECT_EQ(RecordValue(L"ver"), L"V2.0");
  EXPECT_TRUE(FirstRun) << "the whole run counts as the first";
  EXPECT_FALSE(FileExists(ConfigPath()));
}

TEST_F(ConsoleBar, FirstRunAnsweredNoWritesNothingAndAsksAgainNextTime) {
  for (int run = 0; run < 2; ++run) {
    dialogs.Answer(IDNO);
    Make();
    EXPECT_EQ(dialogs.shown.size(), size_t(run + 1));
    EXPECT_TRUE(FirstRun);
    EXPECT_EQ(RecordValue(L"dir"), L"");
    TComponent::Free(form);
    form = nullptr;
    FirstRun = false;
  }
}

TEST_F(ConsoleBar, ARecordKeyThatCannotBeOpenedIsSkippedSilently) {
  shell.registry.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\DESKPANEL");
  dialogs.Answer(IDYES);
  Make();
  EXPECT_EQ(dialogs.shown.size(), 1u) << "the question, and no error after Yes";
  EXPECT_TRUE(FirstRun);
}

// ---- saving ------------------------------------------------------------------------------------

struct SaveCase {
  const char* name;
  const wchar_t* item;
  bool saves;
};

class ConsoleBarSaves : public ConsoleBar, public testing::WithParamInterface<SaveCase> {};

TEST_P(ConsoleBarSaves, OnlyTheItemsThatStoreAChoiceWriteTheFile) {
  const SaveCase& c = GetParam();
  SeedRecord();
  Make();
  if (std::wstring(c.item) == L"NChangeFormColorSelect") dialogs.CancelDialog();
  Item(c.item)->Click();
  EXPECT_EQ(FileExists(ConfigPath()), c.saves) << Narrow(c.item);
}

INSTANTIATE_TEST_SUITE_P(Table, ConsoleBarSaves,
                         testing::Values(SaveCase{"StartHidden", L"NHideOnStart", true},
                                         SaveCase{"NoLine", L"NNoLineLeftOnHideUpwards", true},
                                         SaveCase{"RememberOnExit", L"NRememberPosOnExit", false},
                                         SaveCase{"RememberByHand", L"NRememerPosManually", true},
                                         SaveCase{"NotRemembered", L"NNotRememberPos", true},
                                         SaveCase{"Reset", L"NResetPos", false},
                                         SaveCase{"RandomColour", L"NChangeFormColorRandom", true},
                                         SaveCase{"CancelledColourDialog", L"NChangeFormColorSelect", true},
                                         SaveCase{"DefaultColour", L"NChangeFormColorDefault", true},
                                         SaveCase{"AutoHide", L"NHideAuto", false},
                                         SaveCase{"HideDownwards", L"NHideDownwards", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConsoleBar, ByHandStoresThePlaceOfThatMomentAndOnExitStoresItAtDestruction) {
  SeedRecord();
  Make();
  DuePic = 46366;
  form->SetBounds(400, 120, form->Width(), form->Height());
  Item(L"NRememerPosManually")->Click();
  const std::wstring date = FormatConfigDate(46366), due = FormatConfigDate(0);
  EXPECT_EQ(ConfigLine2(), L"[0] FALSE 1 400 120 FALSE 15780518 " + date + L" " + due + L" " + due);
  Item(L"NRememberPosOnExit")->Click();
  form->SetBounds(500, 130, form->Width(), form->Height());
  EXPECT_EQ(ConfigLine2(), L"[0] FALSE 1 400 120 FALSE 15780518 " + date + L" " + due + L" " + due);
  EXPECT_TRUE(Item(L"NRememberPosOnExit")->Checked);
  EXPECT_FALSE(Item(L"NRememerPosManually")->Checked || Item(L"NNotRememberPos")->Checked);
  TComponent::Free(form);
  form = nullptr;
  EXPECT_EQ(ConfigLine2(), L"[0] FALSE 0 500 130 FALSE 15780518 " + date + L" " + due + L" " + due);
}

TEST_F(ConsoleBar, ASaveWhileAutoHideHoldsTheBarUpStoresTopZero) {
  SeedRecord();
  Make();
  Item(L"NRememerPosManually")->Click();
  form->NHideAuto->Click();
  ASSERT_LT(form->Top(), 0);
  form->NHideOnStart->Click();
  EXPECT_EQ(ConfigLine2().substr(0, 20), L"[0] TRUE 1 285 0 FAL");
}

TEST_F(ConsoleBar, ResetPutsTheBarBackWithoutTouchingTheRule) {
  SeedRecord();
  Make();
  Item(L"NRememerPosManually")->Click();
  form->SetBounds(700, 300, form->Width(), form->Height());
  Item(L"NResetPos")->Click();
  EXPECT_EQ(form->Left(), 285);
  EXPECT_EQ(form->Top(), 0);
  EXPECT_TRUE(Item(L"NRememerPosManually")->Checked);
}

TEST_F(ConsoleBar, AFolderThatCannotBeWrittenShowsTheFileErrorAndKeepsTheChange) {
  SeedRecord();
  Make();
  SetConsoleConfigFolder(folder / L"missing");
  // The error ends the handler; the dispatch around a menu click shows it in the standard box.
  try {
    form->NNoLineLeftOnHideUpwards->Click();
    FAIL() << "no file error";
  } catch (const EInOutError&) {
  }
  EXPECT_TRUE(form->NNoLineLeftOnHideUpwards->Checked) << "the check mark stays";
}

// ---- colours -----------------------------------------------------------------------------------

TEST_F(ConsoleBar, TheColourDialogStartsAtTheBarsColourAndBlackComesOutNearBlack) {
  SeedRecord();
  Make();
  dialogs.ChooseColor(RGB(0, 0, 0));
  Item(L"NChangeFormColorSelect")->Click();
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].color, kSkyBlue);
  EXPECT_TRUE(dialogs.asked[0].flags & CC_FULLOPEN);
  EXPECT_EQ(ColorToRGB(form->Color()), RGB(1, 1, 1));
  EXPECT_NE(ConfigLine2().find(L" 65793 "), std::wstring::npos) << Narrow(ConfigLine2());

  dialogs.CancelDialog();
  Item(L"NChangeFormColorSelect")->Click();
  EXPECT_EQ(ColorToRGB(form->Color()), RGB(1, 1, 1)) << "a cancelled dialog changes nothing";
  EXPECT_EQ(dialogs.asked[1].color, RGB(1, 1, 1));

  Item(L"NChangeFormColorDefault")->Click();
  EXPECT_EQ(ColorToRGB(form->Color()), kSkyBlue);
  EXPECT_NE(ConfigLine2().find(L" 15780518 "), std::wstring::npos);
}

TEST_F(ConsoleBar, ARandomColourHasEachChannelBelow255) {
  SeedRecord();
  Make();
  for (int i = 0; i < 5; ++i) {
    Item(L"NChangeFormColorRandom")->Click();
    const COLORREF c = ColorToRGB(form->Color());
    EXPECT_LT(GetRValue(c), 255);
    EXPECT_LT(GetGValue(c), 255);
    EXPECT_LT(GetBValue(c), 255);
    EXPECT_NE(c, 0u);
    std::wistringstream line(ConfigLine2());
    std::wstring field;
    for (int n = 0; n <= 6; ++n) line >> field;
    EXPECT_EQ(field, IntToStr(c));
  }
}

// ---- auto-hide and hiding to the tray --------------------------------------------------------------

TEST_F(ConsoleBar, AutoHideGoesUpAtOnceThenFollowsTheCursorAtEachTick) {
  SeedRecord();
  Make();
  const int h = form->Height();
  form->NHideAuto->Click();
  EXPECT_TRUE(form->NHideAuto->Checked);
  EXPECT_TRUE(form->tmrAutoHide->Enabled());
  EXPECT_EQ(form->Top(), -h);
  cursor.pos = {600, 400};
  form->tmrAutoHide->Timer();
  EXPECT_EQ(form->Top(), 2 - h) << "a strip stays at the top edge";
  cursor.pos = {400, 2};
  form->tmrAutoHide->Timer();
  EXPECT_EQ(form->Top(), 0) << "the strip under the cursor brings the bar down";
  cursor.pos = {600, 400};
  form->NNoLineLeftOnHideUpwards->Click();
  form->tmrAutoHide->Timer();
  EXPECT_EQ(form->Top(), -h);
  EXPECT_EQ(form->Left(), 285) << "Left never changes";
  // The image's double click is the same switch.
  SendMessageW(form->imgQV->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_FALSE(form->NHideAuto->Checked);
  EXPECT_FALSE(form->tmrAutoHide->Enabled());
  EXPECT_EQ(form->Top(), 0);
}

TEST_F(ConsoleBar, HidingToTheTrayEndsAutoHideAndShowingBringsTheBarBackAtTopZero) {
  SeedRecord();
  Make();
  form->Show();
  form->NHideAuto->Click();
  form->NHideDownwards->Click();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(form->NHideAuto->Checked);
  EXPECT_FALSE(form->tmrAutoHide->Enabled());
  EXPECT_EQ(form->Top(), 0);
  EXPECT_EQ(Item(L"NShowOrHide")->Caption, L"恢复");
  EXPECT_EQ(form->NHideDownwards->Caption, L"恢复");
  EXPECT_FALSE(form->NHideAuto->Visible);
  // The siblings' show command.
  SendMessageW(form->Handle(), WM_DESKPANEL_SHOW, 0, 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(Item(L"NShowOrHide")->Caption, L"隐藏");
  EXPECT_EQ(form->NHideDownwards->Caption, L"向下隐藏");
  EXPECT_TRUE(form->NHideAuto->Visible);
}

TEST_F(ConsoleBar, TheTrayIconsLeftClickHidesAndShowsAndItsRightClickPopsTheMenuUp) {
  SeedRecord();
  Make();
  form->Show();
  SendMessageW(form->Handle(), WM_DESKPANEL_TRAY, kConsoleTrayIconId, WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  SendMessageW(form->Handle(), WM_DESKPANEL_TRAY, kConsoleTrayIconId, WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  PopupMenuWatch menu;
  cursor.pos = {700, 300};
  SendMessageW(form->Handle(), WM_DESKPANEL_TRAY, kConsoleTrayIconId, WM_RBUTTONUP);
  EXPECT_TRUE(menu.Seen());
  EXPECT_EQ(menu.Rect().left, 700) << "at the cursor";
  EXPECT_EQ(menu.Rect().top, 300);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(ConsoleBar, APendingSuspendEndsAutoHideAndOtherPowerEventsChangeNothing) {
  SeedRecord();
  Make();
  form->NHideAuto->Click();
  for (WPARAM event : {WPARAM(PBT_APMRESUMESUSPEND), WPARAM(PBT_APMPOWERSTATUSCHANGE), WPARAM(PBT_APMSUSPEND)}) {
    EXPECT_EQ(SendMessageW(form->Handle(), WM_POWERBROADCAST, event, 0), TRUE);
    EXPECT_TRUE(form->NHideAuto->Checked) << event;
  }
  EXPECT_EQ(SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0), TRUE);
  EXPECT_FALSE(form->NHideAuto->Checked);
  EXPECT_EQ(form->Top(), 0);
  SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0);
  EXPECT_FALSE(form->NHideAuto->Checked) << "without auto-hide a suspend switches nothing on";
}

// ---- closing and exit ------------------------------------------------------------------------------

TEST_F(ConsoleBar, EveryCloseIsRefusedButLogOffIsNeverBlocked) {
  SeedRecord();
  Make();
  form->Show();
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  ASSERT_EQ(frmLumoConsoleMain, form);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(ConsoleBar, ExitQuestionNoHidesCancelLeavesAndYesEnds) {
  SeedRecord();
  Make();
  form->Show();
  dialogs.Answer(IDCANCEL);
  form->NExit->Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"您确定要完全退出控制台吗？点是继续，否隐藏到托盘。");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1023u);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  dialogs.Answer(IDNO);
  form->NExit->Click();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->NHideDownwards->Caption, L"恢复");
  dialogs.Answer(IDYES);
  form->NExit->Click();
  EXPECT_EQ(form->FCloseAction, caFree);
  PumpMessages();
  EXPECT_EQ(frmLumoConsoleMain, nullptr) << "the bar was freed";
  form = nullptr;
}

TEST_F(ConsoleBar, LogOffSavesThePlaceUnderOnExitAndRemovesTheTrayIcon) {
  SeedRecord();
  Make();
  Item(L"NRememberPosOnExit")->Click();
  form->SetBounds(333, 44, form->Width(), form->Height());
  ASSERT_FALSE(FileExists(ConfigPath()));
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ConfigLine2().substr(0, 20), L"[0] FALSE 0 333 44 F");
  EXPECT_FALSE(TrayIconShown(form->Handle(), kConsoleTrayIconId, L"Deskorax"));
}

TEST_F(ConsoleBar, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  SeedRecord();
  Make();
  HWND h = form->Handle();
  Shell_NotifyIconW(NIM_DELETE, &form->TrayIconData);  // the old taskbar went with its icons
  ASSERT_FALSE(TrayIconShown(h, kConsoleTrayIconId, L"Deskorax"));
  SendMessageW(h, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(TrayIconShown(h, kConsoleTrayIconId, L"Deskorax"));
}

}  // namespace
