// The countdown window: its count, the postponements within the plan's limits, the break at the
// end, previews, the hidden countdown, minimising and restoring, zoom, and closing.
#include "CountdownFixture.h"

namespace {

struct StateAfterTick {
  int ticks;  // ticks since creation
  uint16_t count;
  const wchar_t* timeRemain;
  const wchar_t* status;
  bool requestsOpen;
};

// The default adult plan (3 minutes, 3 requests, 3 per request): two grants, then none.
TEST_F(CountdownTest, AdultPlanGrantsTwoThenThreeMinutesAndTheBreakStartsAfterTheLongerCount) {
  PlanInForce(3, 3, 3);
  const size_t logged = CurrentCycle().size();
  TfrmBreakHint* w = StartCountdown();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(frmMain->FBreakState, stCountdown);
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_FALSE(w->Preview());
  EXPECT_EQ(w->HintCountdown, 60);
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"离休息还剩:");
  EXPECT_EQ(w->lblStatus->Caption(), L"  未可申请  ");
  EXPECT_EQ(w->edtMins->Text(), L"0");
  EXPECT_FALSE(w->UpDown1->Enabled());
  EXPECT_EQ(w->UpDown1->Max(), 3);
  EXPECT_EQ(w->btnApplyMins->Caption(), L"我知道了");
  EXPECT_TRUE(w->Timer1->Enabled());
  EXPECT_EQ(w->Timer1->Interval(), 1000u);

  Tick(w);  // the first tick opens the requests
  EXPECT_EQ(w->lblStatus->Caption(), L"  可以申请  ");
  EXPECT_TRUE(w->UpDown1->Enabled());
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"还剩59秒!");

  UserStep(w->UpDown1, +1);
  EXPECT_EQ(w->btnApplyMins->Caption(), L"申请延时");
  UserStep(w->UpDown1, -1);
  EXPECT_EQ(w->btnApplyMins->Caption(), L"我知道了");
  Ask(w, 2);
  EXPECT_EQ(w->HintCountdown, 59 + 120);
  EXPECT_EQ(w->AppliedMins, 2);
  EXPECT_EQ(w->AppliedTimes, 1);
  EXPECT_EQ(w->lblStatus->Caption(), L" 暂不可申请 ");
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"离休息还剩:");
  EXPECT_FALSE(w->UpDown1->Enabled());
  EXPECT_EQ(w->UpDown1->Max(), 1);
  EXPECT_EQ(w->edtMins->Text(), L"0");
  EXPECT_EQ(w->btnApplyMins->Caption(), L"我知道了");
  EXPECT_TRUE(w->Timer1->Enabled());

  Tick(w);
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"还剩2分58秒!");
  Tick(w, 119 - 1);  // down to 60: requests stay shut until the count reaches it
  EXPECT_EQ(w->HintCountdown, 60);
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"还剩60秒!");
  EXPECT_FALSE(w->UpDown1->Enabled());
  Tick(w);
  EXPECT_TRUE(w->UpDown1->Enabled());
  EXPECT_EQ(w->lblStatus->Caption(), L"  可以申请  ");
  EXPECT_EQ(w->UpDown1->Max(), 1);
  UserStep(w->UpDown1, +1);
  UserStep(w->UpDown1, +1);  // held at the maximum
  EXPECT_EQ(w->edtMins->Text(), L"1");
  Ask(w, 0);
  EXPECT_EQ(w->HintCountdown, 59 + 60);
  EXPECT_EQ(w->lblStatus->Caption(), L" 不可再申请 ");
  EXPECT_EQ(w->UpDown1->Max(), 0);

  for (int n = 119; n > 0; --n) {
    Tick(w);
    ASSERT_FALSE(w->UpDown1->Enabled()) << "requests opened again at " << n;
  }
  EXPECT_EQ(w->HintCountdown, 0);
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"还剩0秒!");
  EXPECT_TRUE(Alive(L"frmBreakHint"));
  Tick(w);  // the count is out: the break starts
  EXPECT_EQ(w->lblTimeRemain->Caption(), L"休息时间已到!");
  EXPECT_FALSE(w->Timer1->Enabled());
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_EQ(frmMain->FPostponedMins, 3);
  EXPECT_EQ(frmMain->FBreakState, stOnBreak);
  using E = std::vector<std::pair<uint8_t, uint8_t>>;
  EXPECT_EQ(LoggedSince(logged), (E{{ekCountdown, 0}, {ekApplyExtension, 2}, {ekApplyExtension, 1}, {ekScheduledBreak, 0}}));
  PumpMessages();
  EXPECT_EQ(frmBreakHint, nullptr) << "the closed window was not freed";
}

TEST_F(CountdownTest, NothingGrantedCountsSixtyOneTicksWithEveryText) {
  PlanInForce(3, 3, 3);
  TfrmBreakHint* w = StartCountdown();
  for (int ticks = 1; ticks <= 60; ++ticks) {
    Tick(w);
    const int left = 60 - ticks;
    ASSERT_EQ(w->lblTimeRemain->Caption(), L"还剩" + std::to_wstring(left) + L"秒!");
    ASSERT_EQ(w->lblStatus->Caption(), L"  可以申请  ") << "requests stay open until a grant";
    ASSERT_TRUE(Alive(L"frmBreakHint")) << ticks;
  }
  Tick(w);
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_EQ(frmMain->FPostponedMins, 0);
}

struct BreakStartCase {
  const char* name;
  bool byButton;
  uint8_t logged;
};
void PrintTo(const BreakStartCase& c, std::ostream* os) { *os << c.name; }

class CountdownBreakStart : public CountdownTest, public testing::WithParamInterface<BreakStartCase> {};

TEST_P(CountdownBreakStart, LogsTheBreakKindAndClosesTheWindowAndItsDetailBox) {
  const BreakStartCase& c = GetParam();
  PlanInForce(3, 3, 3);
  TfrmBreakHint* w = StartCountdown();
  Tick(w);
  Ask(w, 1);
  Click(w->btnDetails);
  ASSERT_TRUE(Alive(L"frmShowDetail"));
  const size_t logged = CurrentCycle().size();
  frmSetup->btnPreviewHintForm->SetEnabled(false);
  if (c.byButton) Click(w->btnBreak);
  else Tick(w, 60 + 60);
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_FALSE(Alive(L"frmShowDetail"));
  EXPECT_TRUE(frmSetup->btnPreviewHintForm->Enabled());
  ASSERT_GE(CurrentCycle().size(), logged + 1);
  EXPECT_EQ(CurrentCycle()[logged].Kind, c.logged);
  EXPECT_EQ(frmMain->FPostponedMins, 1);
  EXPECT_EQ(frmMain->FBreakState, stOnBreak);
}

INSTANTIATE_TEST_SUITE_P(Ends, CountdownBreakStart,
                         testing::Values(BreakStartCase{"ButtonIsAManualBreak", true, ekManualBreak},
                                         BreakStartCase{"CountOutIsAScheduledBreak", false, ekScheduledBreak}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the limits of the plans ------------------------------------------------------------------

struct PresetCase {
  const char* name;
  int preset;
};
void PrintTo(const PresetCase& c, std::ostream* os) { *os << c.name; }

class CountdownPresets : public CountdownTest, public testing::WithParamInterface<PresetCase> {};

// Each preset allows its total in one request; then nothing more.
TEST_P(CountdownPresets, TheWholeAllowanceInOneRequestShutsTheRequests) {
  const TBreakPlanPage page = *PresetPage(GetParam().preset);
  UsePage(page);
  const int total = page.CanApplyMaxMins;
  TfrmBreakHint* w = StartCountdown();
  EXPECT_EQ(w->UpDown1->Max(), std::min(page.ApplyOnceMaxMins, total));
  EXPECT_EQ(w->lblStatus->Caption(), L"  未可申请  ");
  Tick(w);
  for (int i = 0; i < total + 1; ++i) UserStep(w->UpDown1, +1);
  EXPECT_EQ(w->edtMins->Text(), std::to_wstring(total)) << "the arrows go past the plan's minutes";
  Ask(w, 0);
  EXPECT_EQ(w->lblStatus->Caption(), L" 不可再申请 ");
  EXPECT_EQ(w->HintCountdown, 59 + 60 * total);
  Tick(w, 59 + 60 * total);
  EXPECT_FALSE(w->UpDown1->Enabled());
  EXPECT_TRUE(Alive(L"frmBreakHint"));
  Tick(w);
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_EQ(frmMain->FPostponedMins, total);
}

INSTANTIATE_TEST_SUITE_P(Presets, CountdownPresets,
                         testing::Values(PresetCase{"ChildStandard", 0}, PresetCase{"TeenStandard", 1},
                                         PresetCase{"AdultStandard", 2}, PresetCase{"ChildStrong", 3},
                                         PresetCase{"TeenStrong", 4}, PresetCase{"AdultStrong", 5}),
                         [](const auto& info) { return std::string(info.param.name); });

// A request count of 1 ends the requests after one grant, whatever minutes are left.
TEST_F(CountdownTest, OneRequestAllowedShutsAfterTheFirstGrant) {
  PlanInForce(5, 1, 2);
  TfrmBreakHint* w = StartCountdown();
  EXPECT_EQ(w->UpDown1->Max(), 2);
  Tick(w);
  Ask(w, 1);
  EXPECT_EQ(w->lblStatus->Caption(), L" 不可再申请 ");
  Tick(w, 59 + 60 - 10);
  EXPECT_EQ(w->HintCountdown, 10);
  Tick(w);
  EXPECT_FALSE(w->UpDown1->Enabled()) << "requests reopened at 10 past the request limit";
}

struct NoRequestCase {
  const char* name;
  int maxMins, maxTimes;
};
void PrintTo(const NoRequestCase& c, std::ostream* os) { *os << c.name; }

class CountdownNoRequests : public CountdownTest, public testing::WithParamInterface<NoRequestCase> {};

TEST_P(CountdownNoRequests, StatusSaysSoAndRequestsNeverOpen) {
  PlanInForce(GetParam().maxMins, GetParam().maxTimes, 3);
  TfrmBreakHint* w = StartCountdown();
  EXPECT_EQ(w->lblStatus->Caption(), L"  不可申请  ");
  for (int ticks = 1; ticks <= 60; ++ticks) {
    Tick(w);
    ASSERT_FALSE(w->UpDown1->Enabled()) << ticks;
    ASSERT_EQ(w->lblStatus->Caption(), L"  不可申请  ");
  }
  // Nothing can be asked for, even by a caption set by hand.
  w->btnApplyMins->SetCaption(L"申请延时");
  Click(w->btnApplyMins);
  EXPECT_EQ(w->AppliedTimes, 0);
  Tick(w);
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_EQ(frmMain->FPostponedMins, 0);
}

INSTANTIATE_TEST_SUITE_P(Limits, CountdownNoRequests,
                         testing::Values(NoRequestCase{"NoRequests", 3, 0}, NoRequestCase{"NoMinutes", 0, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- minimising, restoring, hidden ------------------------------------------------------------

TEST_F(CountdownTest, IKnowMinimisesAndTheWindowComesBackAtTenSeconds) {
  PlanInForce(3, 3, 3);
  TfrmBreakHint* w = StartCountdown();
  Tick(w);
  Click(w->btnDetails);
  ASSERT_TRUE(Alive(L"frmShowDetail"));
  Click(w->btnApplyMins);
  EXPECT_TRUE(IsIconic(w->Handle()));
  EXPECT_FALSE(Alive(L"frmShowDetail"));
  Tick(w, 49);
  EXPECT_EQ(w->HintCountdown, 10);
  EXPECT_TRUE(IsIconic(w->Handle()));
  Tick(w);
  EXPECT_FALSE(IsIconic(w->Handle()));
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_EQ(w->lblStatus->Caption(), L"  可以申请  ");
  EXPECT_TRUE(w->UpDown1->Enabled());
}

// A grant in the last seconds lifts the count above a minute again; requests reopen at 60.
TEST_F(CountdownTest, AGrantInTheLastSecondsReopensRequestsAtSixty) {
  PlanInForce(3, 3, 1);
  TfrmBreakHint* w = StartCountdown();
  Tick(w, 55);
  Ask(w, 1);
  EXPECT_EQ(w->HintCountdown, 5 + 60);
  EXPECT_EQ(w->lblStatus->Caption(), L" 暂不可申请 ");
  Tick(w, 5);
  EXPECT_FALSE(w->UpDown1->Enabled());
  Tick(w);
  EXPECT_TRUE(w->UpDown1->Enabled());
  EXPECT_EQ(w->lblStatus->Caption(), L"  可以申请  ");
  EXPECT_EQ(w->UpDown1->Max(), 1);
}

// A countdown that runs unseen stays unseen, also at 10 seconds.
TEST_F(CountdownTest, HiddenCountdownStaysHiddenToTheEnd) {
  PlanInForce(3, 3, 3);
  frmSetup->rbxSelectBreakMode->SetItemIndex(bmFree);
  frmSetup->rbxSelectBreakModeClick(nullptr);
  frmSetup->cbxNotShowFrmBreakHintLastOneMin_FreeMode->SetChecked(true);
  TfrmBreakHint* w = StartCountdown();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowVisible(w->Handle()));
  for (int ticks = 1; ticks <= 60; ++ticks) {
    Tick(w);
    ASSERT_FALSE(IsWindowVisible(w->Handle())) << "shown at tick " << ticks;
  }
  EXPECT_FALSE(IsIconic(w->Handle()));
  const size_t logged = CurrentCycle().size();
  Tick(w);
  EXPECT_EQ(frmMain->FBreakState, stOnBreak);
  ASSERT_GT(CurrentCycle().size(), logged);
  EXPECT_EQ(CurrentCycle()[logged].Kind, ekScheduledBreak);
}

// ---- previews ---------------------------------------------------------------------------------

TEST_F(CountdownTest, PreviewCountsThreeGrantsNothingAndLogsNothing) {
  PlanInForce(3, 3, 3);
  const size_t logged = CurrentCycle().size();
  ASSERT_TRUE(frmMain->DemoHint());
  TfrmBreakHint* w = frmBreakHint;
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Preview());
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_EQ(frmMain->FBreakState, stWorking);
  EXPECT_EQ(w->HintCountdown, 3);
  w->btnApplyMins->SetCaption(L"申请延时");
  Click(w->btnApplyMins);
  EXPECT_EQ(w->HintCountdown, 3);
  EXPECT_EQ(w->AppliedTimes, 0);
  for (const wchar_t* text : {L"还剩2秒!", L"还剩1秒!", L"还剩0秒!"}) {
    Tick(w);
    EXPECT_EQ(w->lblTimeRemain->Caption(), text);
    EXPECT_FALSE(w->UpDown1->Enabled());
  }
  EXPECT_TRUE(Alive(L"frmBreakHint"));
  Tick(w);
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_FALSE(frmMain->FDemoHint);
  EXPECT_FALSE(Alive(L"TWForm")) << "a preview of the countdown alone opened the break preview";
  EXPECT_EQ(frmMain->FBreakState, stWorking);
  EXPECT_EQ(CurrentCycle().size(), logged);
}

TEST_F(CountdownTest, BreakRehearsalFlowsIntoTheBreakPreview) {
  frmMain->NBreakDemoClick(nullptr);
  TfrmBreakHint* w = frmBreakHint;
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->Preview());
  Tick(w, 4);
  EXPECT_FALSE(Alive(L"frmBreakHint"));
  EXPECT_NE(Application->FindForm(L"TWForm"), nullptr);
  EXPECT_TRUE(frmMain->FDemoBreak);
  EXPECT_EQ(frmMain->FBreakState, stWorking);
}

// Each window keeps its own count and grants: a preview next to a real countdown changes neither.
TEST_F(CountdownTest, APreviewAndARealCountdownKeepTheirOwnState) {
  PlanInForce(3, 3, 3);
  TfrmBreakHint* real = StartCountdown();
  Tick(real);
  Ask(real, 2);
  frmMain->FDemoHint = true;
  auto* preview = new TfrmBreakHint(Application);
  frmMain->FDemoHint = false;
  ASSERT_TRUE(preview->Preview());
  EXPECT_FALSE(real->Preview());
  EXPECT_EQ(preview->HintCountdown, 3);
  EXPECT_EQ(preview->AppliedMins, 0);
  EXPECT_EQ(real->HintCountdown, 59 + 120);
  EXPECT_EQ(real->AppliedMins, 2);
  Tick(preview, 4);
  EXPECT_EQ(real->HintCountdown, 59 + 120);
  EXPECT_EQ(frmMain->FBreakState, stCountdown);
  Tick(real, 120);
  EXPECT_TRUE(real->UpDown1->Enabled());
  EXPECT_EQ(real->UpDown1->Max(), 1);
}

// ---- closing, settings, caption ---------------------------------------------------------------

TEST_F(CountdownTest, RefusesToCloseBeforeTheEndButConsentsToTheEndOfTheSession) {
  TfrmBreakHint* w = StartCountdown();
  HWND h = w->Handle();
  SendMessageW(h, WM_CLOSE, 0, 0);
  SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_TRUE(Alive(L"frmBreakHint"));
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(SendMessageW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 1);
  EXPECT_EQ(SendMessageW(h, WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(CountdownTest, StaysAboveEverythingUnownedWithTheChosenColourAndPicture) {
  frmSetup->clbBreakHintColorMain->SetSelected(clMoneyGreen);
  TfrmBreakHint* w = StartCountdown();
  HWND h = w->Handle();
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(h, GW_OWNER), nullptr);
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(w->Color(), clMoneyGreen);
  EXPECT_EQ(w->Image1->Picture.Graphic, frmSetup->imgOfHintForm->Picture.Graphic);
  EXPECT_TRUE(w->Image1->Stretch);
  EXPECT_EQ(w->btnM->Hint, L"点击这里设置休息模式...");
  EXPECT_EQ(w->btnDetails->Caption(), L"详细...");
  EXPECT_EQ(w->btnBreak->Caption(), L"马上休息");
  EXPECT_EQ(w->Label2->Caption(), L"申请延长分钟数：");
  EXPECT_EQ(w->Label3->Caption(), L"当前状态：");
  EXPECT_EQ(w->cbxToggleDesktop->Caption(), L"刷屏");
  EXPECT_TRUE(w->edtMins->ReadOnly());
}

struct ModeCase {
  const char* name;
  const wchar_t* item;
  const wchar_t* modeName;
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class CountdownCaption : public CountdownTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(CountdownCaption, NamesTheModeCheckedInTheTrayMenu) {
  TfrmBreakHint* w = StartCountdown();
  for (const wchar_t* item : {L"NModeFree", L"NModePassword", L"NModeInterference", L"NModeEnforce"}) {
    auto* mi = dynamic_cast<TMenuItem*>(frmMain->FindComponent(item));
    ASSERT_NE(mi, nullptr) << Narrow(item);
    mi->Checked = item == std::wstring(GetParam().item);
  }
  w->UpdateCaption();
  EXPECT_EQ(w->Caption(), std::wstring(L"休息倒计时-[当前模式:") + GetParam().modeName +
                              L",请在休息前选择您最合适的休息模式!点击M调用]");
}

INSTANTIATE_TEST_SUITE_P(Modes, CountdownCaption,
                         testing::Values(ModeCase{"Free", L"NModeFree", L"自由模式"},
                                         ModeCase{"Password", L"NModePassword", L"密码模式"},
                                         ModeCase{"Interference", L"NModeInterference", L"干扰模式"},
                                         ModeCase{"Enforce", L"NModeEnforce", L"强制模式"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CountdownTest, RefreshBoxAndTheSettingAreOneChoice) {
  frmSetup->cbxToggleB4Break->SetChecked(true);
  TfrmBreakHint* w = StartCountdown();
  EXPECT_TRUE(w->cbxToggleDesktop->Checked());
  Click(w->cbxToggleDesktop);
  EXPECT_FALSE(w->cbxToggleDesktop->Checked());
  EXPECT_FALSE(frmSetup->cbxToggleB4Break->Checked());
  Click(w->cbxToggleDesktop);
  EXPECT_TRUE(frmSetup->cbxToggleB4Break->Checked());
}

TEST_F(CountdownTest, MOpensTheSettingsAboveEverythingOnlyWhileTheyOpen) {
  TfrmBreakHint* w = StartCountdown();
  bool topmostWhileOpening = false;
  {
    FakeSettings settings;
    settings.selectSetupPage = [&](int page) {
      topmostWhileOpening = GetWindowLongPtrW(frmSetup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
      settings.SettingsSeam::SelectSetupPage(page);
    };
    Click(w->btnM);
  }
  EXPECT_TRUE(topmostWhileOpening);
  EXPECT_FALSE(GetWindowLongPtrW(frmSetup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "not for the rest of the run";
  EXPECT_TRUE(frmSetup->Visible());
  EXPECT_EQ(frmSetup->PageControl1->ActivePage(), frmSetup->tshBreakMode);
  EXPECT_TRUE(Alive(L"frmBreakHint")) << "the countdown goes on meanwhile";
}

// ---- zoom -------------------------------------------------------------------------------------

struct Geometry {
  std::wstring name;
  RECT r;
};

std::vector<Geometry> ControlRects(TfrmBreakHint* w) {
  std::vector<Geometry> g;
  for (TControl* c : {static_cast<TControl*>(w->Image1), static_cast<TControl*>(w->btnApplyMins),
                      static_cast<TControl*>(w->btnBreak), static_cast<TControl*>(w->btnM),
                      static_cast<TControl*>(w->btnDetails), static_cast<TControl*>(w->edtMins),
                      static_cast<TControl*>(w->Bevel1), static_cast<TControl*>(w->Bevel2),
                      static_cast<TControl*>(w->UpDown1), static_cast<TControl*>(w->lblTimeRemain),
                      static_cast<TControl*>(w->Label2), static_cast<TControl*>(w->Label3),
                      static_cast<TControl*>(w->lblStatus), static_cast<TControl*>(w->cbxToggleDesktop)})
    g.push_back({c->Name(), c->BoundsRect()});
  return g;
}

TfrmBreakHint* CountdownInZoomMode(int mode) {
  frmSetup->cbbZoomRateCountDownWindow->SetItemIndex(mode);
  return new TfrmBreakHint(Application);
}

TEST_F(CountdownTest, AutomaticZoomOn1024x768ScalesByOnePointTwoEight) {
  TfrmBreakHint* design = CountdownInZoomMode(zmDesignSize);
  EXPECT_FALSE(design->HintZoomed);
  EXPECT_EQ(design->Width(), 496);
  EXPECT_EQ(design->Height(), 330);
  const std::vector<Geometry> before = ControlRects(design);
  const int designFont = design->lblTimeRemain->Font.Size - frmSetup->updFontAdjustOfCountDownWindow->Position();
  TComponent::Free(design);

  TfrmBreakHint* w = CountdownInZoomMode(zmAuto);
  EXPECT_EQ(frmSetup->scbZoomRateCountDownWindow->Position(), 28);
  EXPECT_EQ(frmSetup->updFontAdjustOfCountDownWindow->Position(), 2);
  EXPECT_TRUE(w->HintZoomed);
  EXPECT_EQ(w->Width(), 635);   // 496 x 1.28 = 634.88
  EXPECT_EQ(w->Height(), 422);  // 330 x 1.28 = 422.4
  EXPECT_EQ(w->Left(), (1024 - 635) / 2);
  EXPECT_EQ(w->Top(), (768 - 422) / 2);
  EXPECT_EQ(w->lblTimeRemain->Font.Size, designFont + 2);
  const std::vector<Geometry> after = ControlRects(w);
  for (size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(Narrow(before[i].name));
    const RECT& b = before[i].r;
    const RECT& a = after[i].r;
    EXPECT_EQ(a.left, ZoomLength(b.left, 28));
    EXPECT_EQ(a.top, ZoomLength(b.top, 28));
    if (i < 9) {  // the pictures, buttons, edit, bevels and up-down grow; the texts keep their size
      EXPECT_EQ(a.right - a.left, ZoomLength(b.right - b.left, 28));
      EXPECT_EQ(a.bottom - a.top, ZoomLength(b.bottom - b.top, 28));
    }
  }
  w->Show();
  EXPECT_EQ(w->Left(), (1024 - 635) / 2);
  EXPECT_EQ(w->Top(), (768 - 422) / 2);
  // A zoomed window refuses to be resized.
  RECT drag{w->Left(), w->Top(), w->Left() + 800, w->Top() + 500};
  SendMessageW(w->Handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&drag));
  EXPECT_EQ(drag.right - drag.left, 635);
  EXPECT_EQ(drag.bottom - drag.top, 422);
}

// ---- texts ------------------------------------------------------------------------------------

TEST(CountdownText, MinutesAndSecondsAboveOneMinuteSecondsBelow) {
  const std::pair<unsigned, const wchar_t*> cases[] = {
      {0, L"还剩0秒!"},        {1, L"还剩1秒!"},         {59, L"还剩59秒!"},         {60, L"还剩60秒!"},
      {61, L"还剩1分1秒!"},    {120, L"还剩2分0秒!"},    {179, L"还剩2分59秒!"},     {239, L"还剩3分59秒!"},
  };
  for (const auto& [seconds, text] : cases) {
    SCOPED_TRACE(seconds);
    EXPECT_EQ(CountdownText(seconds), text);
  }
}

}  // namespace
