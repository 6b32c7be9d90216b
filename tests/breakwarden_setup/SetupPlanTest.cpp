// Pages 0 and 1 of the settings dialog: the six presets, the plan in force,
// the micro-adjustment and the four break modes with their tray items.
#include <string>

#include "SetupFixture.h"

namespace {

struct PresetRow {
  int index;
  const wchar_t* name;
  TBreakPlanPage page;   // what the page shows
  TBreakPlan stored;     // what the element holds once stored
};

// The six presets, written out: page values, and stored values with the adjustment folded in.
const PresetRow kPresetRows[] = {
    {0, L"*儿童方案(标准)", {30, 5, 1, 3, 1, 0, 10, 6, 6}, {30, 5, 1, 3, 1, 0, 10, 6, 6}},
    {1, L"*青少年方案(标准)", {40, 5, 2, 3, 2, 0, 8, 7, 6}, {40, 5, 2, 3, 2, 0, 8, 7, 6}},
    {2, L"*成人方案(标准)", {50, 5, 3, 3, 3, 0, 6, 8, 6}, {50, 5, 3, 3, 3, 0, 6, 8, 6}},
    {3, L"*儿童方案(加强)", {30, 5, 1, 3, 1, -1, 10, 6, 6}, {30, 5, 1, 3, 1, -1, 16, 5, 7}},
    {4, L"*青少年方案(加强)", {40, 5, 2, 3, 2, -1, 8, 7, 6}, {40, 5, 2, 3, 2, -1, 14, 6, 7}},
    {5, L"*成人方案(加强)", {50, 5, 3, 3, 3, -1, 6, 8, 6}, {50, 5, 3, 3, 3, -1, 12, 7, 7}},
};

TBreakPlanPage PageOf(const TfrmSetup* s) {
  TBreakPlanPage p;
  p.BreakInterval = s->updBreakInterval->Position();
  p.BreakMins = s->updBreakMins->Position();
  p.CanApplyMaxMins = s->updCanApplyMaxMins->Position();
  p.CanApplyMaxTimes = s->updCanApplyMaxTimes->Position();
  p.ApplyOnceMaxMins = s->updApplyOnceMaxMins->Position();
  p.MicroAdjust = s->scbMicroAdjust->Position();
  p.AddBreak4ExtTime_SECperMIN = s->updAddBreak4ExtTime_SECperMIN->Position();
  p.ExtWorkMinsPerIdle = s->updExtWorkMinsPerIdle->Position();
  p.IdleMinsResetCycle = s->updIdleMinsResetCycle->Position();
  return p;
}

std::string Describe(const TBreakPlan& p) {
  return std::to_string(p.BreakInterval) + "," + std::to_string(p.BreakMins) + "," + std::to_string(p.CanApplyMaxMins) +
         "," + std::to_string(p.CanApplyMaxTimes) + "," + std::to_string(p.ApplyOnceMaxMins) + "," +
         std::to_string(p.MicroAdjust) + "," + std::to_string(p.AddBreak4ExtTime_SECperMIN) + "," +
         std::to_string(p.ExtWorkMinsPerIdle) + "," + std::to_string(p.IdleMinsResetCycle);
}

// A user's choice in the plan list.
void ChoosePlan(TfrmSetup* s, int index) {
  s->cbxBreakPlanPreSet->SetItemIndex(index);
  s->cbxBreakPlanPreSetSelect(s->cbxBreakPlanPreSet);
}

TEST_F(SetupDialog, EachPresetPutsItsValuesOnThePageAndStoresThemFolded) {
  Create();
  for (const PresetRow& row : kPresetRows) {
    SCOPED_TRACE(Narrow(row.name));
    ChoosePlan(setup, row.index);
    EXPECT_EQ(Narrow(setup->cbxBreakPlanPreSet->Text()), Narrow(row.name));
    EXPECT_EQ(PageOf(setup), row.page);
    setup->StoreBreakPlan();
    ASSERT_EQ(setup->Plans.Plans().size(), 6u);
    EXPECT_EQ(Describe(setup->Plans.Plans()[row.index]), Describe(row.stored));
    // Storing then showing gives the page back unchanged.
    setup->ShowBreakPlan();
    EXPECT_EQ(PageOf(setup), row.page);
  }
}

TEST_F(SetupDialog, EachMicroAdjustmentIsFoldedIntoTheStoredValuesAndTakenOutAgain) {
  Create();
  for (const PresetRow& row : kPresetRows) {
    for (int m = -1; m <= 1; ++m) {
      SCOPED_TRACE(Narrow(row.name) + " adjustment " + std::to_string(m));
      ChoosePlan(setup, row.index);
      setup->scbMicroAdjust->SetPosition(m);
      TBreakPlanPage page = row.page;
      page.MicroAdjust = m;
      EXPECT_EQ(PageOf(setup), page);
      setup->StoreBreakPlan();
      const TBreakPlan& stored = setup->Plans.Plans()[row.index];
      EXPECT_EQ(stored.MicroAdjust, m);
      EXPECT_EQ(stored.ExtWorkMinsPerIdle, row.page.ExtWorkMinsPerIdle + m);
      EXPECT_EQ(stored.IdleMinsResetCycle, row.page.IdleMinsResetCycle - m);
      EXPECT_EQ(stored.AddBreak4ExtTime_SECperMIN, row.page.AddBreak4ExtTime_SECperMIN - 6 * m);
      EXPECT_EQ(stored.BreakInterval, row.page.BreakInterval);
      EXPECT_EQ(stored.BreakMins, row.page.BreakMins);
      // The page shows the values with the adjustment taken out.
      setup->scbMicroAdjust->SetPosition(0);
      setup->ShowBreakPlan();
      EXPECT_EQ(PageOf(setup), page);
    }
  }
}

TEST_F(SetupDialog, APresetGreysThePlanGroupsAndTheCustomPlanButtons) {
  Create();
  for (const PresetRow& row : kPresetRows) {
    ChoosePlan(setup, row.index);
    EXPECT_FALSE(setup->GroupBox101->Enabled());
    EXPECT_FALSE(setup->GroupBox102->Enabled());
    EXPECT_FALSE(setup->GroupBox103->Enabled());
    EXPECT_FALSE(setup->GroupBox104->Enabled());
    EXPECT_FALSE(setup->btnRenameMyBreakPlan->Enabled());
    EXPECT_FALSE(setup->btnRememberMyBreakPlan->Enabled());
  }
  EXPECT_TRUE(setup->cbxFrequencyOfPCOperation->Enabled()) << "not part of a plan";
}

TEST_F(SetupDialog, ChoosingAPlanChangesThePlanInForceOnlyThroughApplyNow) {
  Create();
  ChoosePlan(setup, 0);
  EXPECT_EQ(setup->PlanInForce().BreakInterval, 50);
  EXPECT_EQ(setup->SelectedPlan().BreakInterval, 50) << "element 0 was never stored: the standard plan is read";
  main->OpenSetupPage(0);
  dialogs.Answer(IDOK);
  SendMessageW(setup->btnApplyBreakPlanNow->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"当前设置已正式生效!"));
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"提示"));
  EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
  EXPECT_EQ(setup->Plans.CurrentPlanIndex(), 0);
  EXPECT_EQ(setup->PlanInForce().BreakInterval, 30);
  EXPECT_EQ(main->FWorkMins, 49) << "the running work period keeps its length";
}

TEST_F(SetupDialog, ApplyNowWithoutAChosenPlanChangesNothing) {
  Create();
  setup->cbxBreakPlanPreSet->SetItemIndex(-1);
  setup->cbxBreakPlanPreSetSelect(nullptr);
  EXPECT_TRUE(setup->GroupBox101->Enabled()) << "no selection counts as a custom plan";
  dialogs.Answer(IDOK);
  setup->btnApplyBreakPlanNowClick(setup->btnApplyBreakPlanNow);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"你还未选定方案！"));
  EXPECT_EQ(setup->Plans.CurrentPlanIndex(), 2);
  // Storing an invalid selection stores nothing.
  auto before = setup->Plans.Plans();
  setup->StoreBreakPlan();
  EXPECT_EQ(setup->Plans.Plans(), before);
  EXPECT_EQ(setup->SelectedPlan().BreakInterval, 50) << "read through the bounds-checked accessor";
}

TEST_F(SetupDialog, APlanNeverStoredNeverTakesForce) {
  Create();
  ChoosePlan(setup, 4);
  ASSERT_FALSE(setup->Plans.Plans()[4].IsStored());
  EXPECT_FALSE(setup->Plans.SetPlanInForce(4));
  EXPECT_FALSE(setup->Plans.SetPlanInForce(-1));
  EXPECT_FALSE(setup->Plans.SetPlanInForce(6));
  EXPECT_EQ(setup->Plans.CurrentPlanIndex(), 2);
  EXPECT_EQ(setup->PlanInForce().BreakInterval, 50);
}

TEST_F(SetupDialog, ThePostponementTotalLimitsEachRequest) {
  Create();
  setup->updCanApplyMaxMins->SetPosition(0);
  setup->updCanApplyMaxMinsClick(setup->updCanApplyMaxMins, btPrev);
  EXPECT_EQ(setup->updApplyOnceMaxMins->Max(), 0);
  EXPECT_EQ(setup->updApplyOnceMaxMins->Position(), 0);
  setup->updCanApplyMaxMins->SetPosition(4);
  setup->updCanApplyMaxMinsClick(setup->updCanApplyMaxMins, btNext);
  EXPECT_EQ(setup->updApplyOnceMaxMins->Max(), 4);
  EXPECT_EQ(setup->updApplyOnceMaxMins->Position(), 4);
}

TEST_F(SetupDialog, CustomPlansAreRefused) {
  Create();
  dialogs.Answer(IDOK);
  setup->btnAddMyBreakPlanClick(nullptr);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"V1.0暂时不开放此功能。"));
  EXPECT_EQ(setup->cbxBreakPlanPreSet->Items.Count(), 6);
  EXPECT_TRUE(TfrmSetup::PlanNameExists(setup->cbxBreakPlanPreSet, L"*成人方案(标准)"));
  EXPECT_FALSE(TfrmSetup::PlanNameExists(setup->cbxBreakPlanPreSet, L"*成人方案(标准) "));
}

// ---- modes ------------------------------------------------------------------------------------

TEST_F(SetupDialog, EachModeShowsItsGroupAndChecksExactlyItsTrayItem) {
  Create();
  TGroupBox* groups[] = {setup->gbxModeFree, setup->gbxModeHint, setup->gbxModeinterrupt, setup->gbxModeForce};
  for (int mode = 0; mode < 4; ++mode) {
    // As the tray menu sets it: the index first, then the handler with no sender.
    setup->rbxSelectBreakMode->SetItemIndex(mode);
    setup->rbxSelectBreakModeClick(nullptr);
    EXPECT_EQ(CheckedModeItem(), mode);
    EXPECT_EQ(setup->BreakMode(), TBreakMode(mode));
    for (int g = 0; g < 4; ++g) EXPECT_EQ(groups[g]->Visible(), g == mode) << mode << " " << g;
  }
  // A user's click on a mode.
  main->OpenSetupPage(1);
  SendMessageW(setup->rbxSelectBreakMode->Buttons(1)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 1);
  EXPECT_EQ(CheckedModeItem(), 1);
  EXPECT_TRUE(setup->gbxModeHint->Visible());
}

TEST_F(SetupDialog, AnInvalidModeLeavesTheCheckedItemAndReadsAsTheFreeMode) {
  Create();
  setup->rbxSelectBreakMode->SetItemIndex(3);
  setup->rbxSelectBreakModeClick(nullptr);
  setup->rbxSelectBreakMode->SetItemIndex(-1);
  setup->rbxSelectBreakModeClick(nullptr);
  EXPECT_EQ(CheckedModeItem(), 3) << "never no mode checked";
  EXPECT_TRUE(setup->gbxModeForce->Visible());
  EXPECT_EQ(setup->BreakMode(), bmFree);
}

TEST_F(SetupDialog, TheInterferenceIntensityShowsItsSeconds) {
  Create();
  setup->scbInterfereIntensity->SetPosition(45);
  EXPECT_EQ(Narrow(setup->lblInterfereIntensity->Caption()), Narrow(L"45秒"));
  setup->scbInterfereIntensity->SetPosition(15);
  EXPECT_EQ(Narrow(setup->lblInterfereIntensity->Caption()), Narrow(L"15秒"));
}

}  // namespace
