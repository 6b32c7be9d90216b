// The settings dialog's life cycle and qv30cfg: the form description, the
// start-up, loading, saving and closing.
#include <string>

#include "SetupFixture.h"
#include "Text.h"

namespace {

// ---- the form description ------------------------------------------------------------------------

TEST_F(SetupDialog, HasEightPagesWithTheirCaptionsAndTheFixedSize) {
  Create();
  ASSERT_EQ(setup->PageControl1->PageCount(), 8);
  const wchar_t* captions[] = {L"基本设置", L"休息模式", L"屏保与电源", L"闹钟提醒",
                               L"休息主界面", L"休息提醒界面", L"通用界面管理", L"综合/其它"};
  TTabSheet* pages[] = {setup->tshBasicSetupOfBreak, setup->tshBreakMode,           setup->tshScrAndPower,
                        setup->tshRemind,            setup->tshInterfaceBreakForm,  setup->tshInterfaceBreakRemind,
                        setup->tshInterfaceMgr,      setup->tshOther};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(setup->PageControl1->Pages(i), pages[i]) << i;
    EXPECT_EQ(Narrow(pages[i]->Caption()), Narrow(captions[i]));
  }
  EXPECT_EQ(Narrow(setup->Caption()), Narrow(L"设置-[Restalon]"));
  EXPECT_EQ(setup->Name(), L"frmSetup");
  EXPECT_EQ(setup->WindowClassName(), L"TfrmSetup");
  EXPECT_TRUE(setup->KeyPreview);
  EXPECT_FALSE(setup->Visible()) << "created hidden";
  RECT client;
  GetClientRect(setup->Handle(), &client);
  EXPECT_EQ(client.right, 645);
  EXPECT_EQ(client.bottom, 447);
  EXPECT_EQ(Application->FindForm(L"frmSetup"), setup);
}

TEST_F(SetupDialog, EveryStoredControlExistsWithItsRangeAndDefault) {
  Create();
  // The file's layout names each control; the dialog has each, of a kind that holds the value.
  for (const ConfigItem& item : ConfigLayout()) {
    TComponent* c = setup->FindComponent(item.control);
    ASSERT_NE(c, nullptr) << Narrow(item.control);
    if (item.kind == ConfigKind::Int) {
      if (auto* up = dynamic_cast<TUpDown*>(c)) {
        // The centre window's adjustment range follows the zoom; the others are the designed range.
        if (std::wstring(item.control) != L"updFontAdjustOfRemindCenterWindow") {
          EXPECT_EQ(up->Min(), item.min) << Narrow(item.control);
          if (std::wstring(item.control) != L"updMoiseStrenth") {
            EXPECT_EQ(up->Max(), item.max) << Narrow(item.control);
          }
        }
      } else if (auto* bar = dynamic_cast<TScrollBar*>(c)) {
        EXPECT_EQ(bar->Min(), item.min) << Narrow(item.control);
        EXPECT_EQ(bar->Max(), item.max) << Narrow(item.control);
      } else {
        EXPECT_NE(dynamic_cast<TFontDialog*>(c), nullptr) << Narrow(item.control);
      }
    }
    if (item.kind == ConfigKind::Index && item.items > 0 && std::wstring(item.control) != L"cbbSCRSavers") {
      int count = -1;
      if (auto* combo = dynamic_cast<TComboBox*>(c)) count = combo->Items.Count();
      if (auto* radio = dynamic_cast<TRadioGroup*>(c)) count = radio->Items().Count();
      EXPECT_EQ(count, item.items) << Narrow(item.control);
    }
  }
  // With no file every control shows the design default that the layout gives.
  EXPECT_EQ(setup->CollectConfigValues(), DefaultConfigValues(setup->ConfigCounts()));
  // The design ranges of controls outside the file.
  EXPECT_EQ(setup->updBreakInterval->Min(), 30);
  EXPECT_EQ(setup->updBreakInterval->Max(), 60);
  EXPECT_EQ(setup->updBreakMins->Min(), 3);
  EXPECT_EQ(setup->updBreakMins->Max(), 10);
  EXPECT_EQ(setup->updCanApplyMaxTimes->Max(), 3);
  EXPECT_EQ(setup->updIdleMinsResetCycle->Min(), 4);
  EXPECT_EQ(setup->updExtWorkMinsPerIdle->Max(), 10);
  EXPECT_EQ(setup->scbMicroAdjust->Min(), -1);
  EXPECT_EQ(setup->scbMicroAdjust->Max(), 1);
  EXPECT_EQ(setup->updTransparency->Increment, 5);
  EXPECT_EQ(setup->scbInterfereIntensity->SmallChange, 15);
  EXPECT_EQ(setup->scbInterfereIntensity->LargeChange, 15);
  EXPECT_EQ(setup->cbxFrequencyOfPCOperation->ItemIndex(), 1);
  EXPECT_TRUE(setup->cbxEnableSelfSCR->Checked());
  EXPECT_TRUE(setup->cbxShowDesktopDeco->Checked());
  EXPECT_TRUE(setup->cbxUseMoiseEffect->Checked());
  EXPECT_TRUE(setup->cbxAutoRun->Checked());
  EXPECT_FALSE(setup->cbxDisableKeyboard->Checked());
  EXPECT_FALSE(setup->cbxHideCursor->Checked());
  EXPECT_EQ(setup->cbxActionOnSelectTerminate->ItemIndex(), 0);
  EXPECT_EQ(setup->cbbHotKeyAction->Items.Count(), 7);
  EXPECT_EQ(setup->FontDialog1->Font.Name, L"楷体_GB2312");
  EXPECT_FALSE(setup->cbxNotShowFrmBreakHintLastOneMin_FreeMode->Enabled());
  EXPECT_FALSE(setup->cbxNotShowFrmBreakHintLastOneMin_PasswordMode->Enabled());
  EXPECT_FALSE(setup->cbbSCRSavers->Visible());
  EXPECT_FALSE(setup->GroupBox8->Visible());
  EXPECT_FALSE(setup->btnAddMyBreakPlan->Visible());
  EXPECT_FALSE(setup->btnLoadDesktopDeco->Enabled());
  EXPECT_TRUE(setup->imgScreenShadow->Picture.Graphic != nullptr);
  EXPECT_TRUE(setup->imgOfHintForm->Picture.Graphic == setup->imgScreenShadow->Picture.Graphic)
      << "the countdown window's picture is the designed overlay picture";
}

// ---- start-up ---------------------------------------------------------------------------------

TEST_F(SetupDialog, StartsWithoutAFileOnTheStandardPlanInTheFreeMode) {
  Create();
  EXPECT_EQ(frmSetup, setup);
  EXPECT_EQ(Narrow(setup->cbxBreakPlanPreSet->Text()), Narrow(L"*成人方案(标准)"));
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 0);
  EXPECT_EQ(CheckedModeItem(), 0);
  EXPECT_TRUE(setup->gbxModeFree->Visible());
  EXPECT_FALSE(setup->gbxModeHint->Visible());
  EXPECT_EQ(setup->PlanInForce().BreakInterval, 50);
  EXPECT_EQ(setup->Plans.CurrentPlanIndex(), 2);
  EXPECT_EQ(main->FWorkMins, 49) << "the first work period lasts 49 minutes";
  EXPECT_TRUE(main->DetectPauseTimer->Enabled()) << "the idle watch runs";
  EXPECT_EQ(screenSaver.sets, std::vector<bool>{false}) << "the system's screen saver is switched off";
  EXPECT_TRUE(main->CloseAnimateTimer->Enabled());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(setup->updMoiseStrenth->Max(), 249 - 32);
  EXPECT_EQ(Narrow(setup->edtMoiseStrenth->Text()), "112");
  EXPECT_EQ(Narrow(setup->lblSCR_total->Caption()), std::to_string(setup->cbbSCRSavers->Items.Count() - 1));
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), 1);
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), 1);
}

TEST_F(SetupDialog, InstallsTheMainWindowsWaysToTheDialog) {
  Create();
  EXPECT_EQ(Settings().SetupForm(), setup);
  main->OpenSetupPage(3);
  EXPECT_TRUE(setup->Visible());
  EXPECT_EQ(setup->PageControl1->ActivePageIndex(), 3);
  main->OpenSetupPage(7);
  EXPECT_EQ(setup->PageControl1->ActivePage(), setup->tshOther);
  setup->cbxActionOnSelectTerminate->SetItemIndex(2);
  EXPECT_EQ(Settings().ExitActionIndex(), 2);
  Settings().SetExitActionColor(clRed);
  EXPECT_EQ(setup->cbxActionOnSelectTerminate->Color(), clRed);
  setup->Hide();
  TComponent::Free(setup);
  setup = nullptr;
  EXPECT_EQ(frmSetup, nullptr);
  EXPECT_EQ(Settings().SetupForm(), nullptr) << "no way leads to a freed dialog";
  EXPECT_EQ(Settings().ExitActionIndex(), -1);
}

// Each consumer reads the controls as they are when it asks, and the dialog's defaults once it is
// gone; the tray item, not the dialog, switches the own screen saver off.
TEST_F(SetupDialog, TheReadersTakeTheControlsAtTheMomentOfUse) {
  Create();
  setup->updSCR->SetPosition(7);
  setup->cbxRemindOnHour->SetChecked(true);
  setup->cbbSelectRemindOnceWindow->SetItemIndex(0);
  setup->rbxSelectBreakMode->SetItemIndex(1);
  setup->cbxNotShowFrmBreakHintLastOneMin_PasswordMode->SetChecked(true);
  setup->updTransparency->SetPosition(150);
  TSchedulerSettings c = Settings().SchedulerSettings();
  EXPECT_EQ(c.ScrIdleMins, 7);
  EXPECT_TRUE(c.Clock.OnHour);
  EXPECT_EQ(c.OnceWindow, 0);
  EXPECT_TRUE(c.CountdownHidden);
  EXPECT_FALSE(c.SelfScrDisabled);
  EXPECT_EQ(c.Plan, setup->PlanInForce());
  TBreakWindowSettings b = Settings().BreakWindowSettings();
  EXPECT_EQ(b.Mode, bmPassword);
  EXPECT_EQ(b.Transparency, 150);

  setup->updSCR->SetPosition(9);
  setup->rbxSelectBreakMode->SetItemIndex(0);
  TrayItem(L"NDisableSelfSCR")->Checked = true;
  c = Settings().SchedulerSettings();
  EXPECT_EQ(c.ScrIdleMins, 9);
  EXPECT_FALSE(c.CountdownHidden);
  EXPECT_TRUE(c.SelfScrDisabled);
  EXPECT_EQ(Settings().BreakWindowSettings().Mode, bmFree);

  setup->Hide();
  TComponent::Free(setup);
  setup = nullptr;
  c = Settings().SchedulerSettings();
  EXPECT_EQ(c.ScrIdleMins, TSchedulerSettings{}.ScrIdleMins);
  EXPECT_EQ(c.Plan, TBreakPlanStore().PlanInForce());
  EXPECT_EQ(c.SelectedPlan, c.Plan);
  EXPECT_TRUE(c.SelfScrDisabled);
  EXPECT_EQ(Settings().BreakWindowSettings().Transparency, TBreakWindowSettings{}.Transparency);
}

// The countdown's reader: each call takes the controls as they are then (the zoom mode's handler
// first), and with no dialog it answers what a fresh dialog of the design defaults answers.
TEST_F(SetupDialog, TheCountdownReaderTakesTheControlsAtTheMomentOfUse) {
  Create();
  const TCountdownSettings fresh = Settings().CountdownSettings();
  EXPECT_EQ(fresh.Colour, setup->clbBreakHintColorMain->Selected());
  EXPECT_EQ(fresh.ZoomMode, zmAuto);
  EXPECT_EQ(fresh.ZoomPercent, 28) << "1024 x 768 in the automatic mode";
  EXPECT_EQ(fresh.FontAdjust, 2);
  ASSERT_NE(fresh.Picture.Graphic, nullptr);
  EXPECT_EQ(fresh.Picture.Graphic, setup->imgOfHintForm->Picture.Graphic);
  EXPECT_EQ(fresh.Plan, setup->PlanInForce());
  EXPECT_FALSE(fresh.ToggleDesktop);

  setup->clbBreakHintColorMain->SetSelected(clMoneyGreen);
  setup->cbbZoomRateCountDownWindow->SetItemIndex(zmCustom);
  setup->scbZoomRateCountDownWindow->SetPosition(40);
  setup->updFontAdjustOfCountDownWindow->SetPosition(6);  // within 4 - 3 .. 4 + 3 for 40 %
  setup->cbxToggleB4Break->SetChecked(true);
  setup->Plans.StoreBreakPlan(int(kPresetCount), kPresetCount + 1, *PresetPage(0));
  ASSERT_TRUE(setup->Plans.SetPlanInForce(int(kPresetCount)));
  TCountdownSettings s = Settings().CountdownSettings();
  EXPECT_EQ(s.Colour, clMoneyGreen);
  EXPECT_EQ(s.ZoomMode, zmCustom);
  EXPECT_EQ(s.ZoomPercent, 40) << "the custom mode keeps the percent";
  EXPECT_EQ(s.FontAdjust, 6);
  EXPECT_TRUE(s.ToggleDesktop);
  EXPECT_EQ(s.Plan, setup->PlanInForce());
  EXPECT_EQ(int(s.Plan.CanApplyMaxMins), PresetPage(0)->CanApplyMaxMins);

  // Back to the automatic mode: the reader runs its handler, so the percent follows the screen.
  setup->cbbZoomRateCountDownWindow->SetItemIndex(zmAuto);
  setup->cbxToggleB4Break->SetChecked(false);
  s = Settings().CountdownSettings();
  EXPECT_EQ(s.ZoomPercent, 28);
  EXPECT_EQ(setup->scbZoomRateCountDownWindow->Position(), 28);
  EXPECT_EQ(s.FontAdjust, 2);
  EXPECT_FALSE(s.ToggleDesktop);

  // What the countdown writes back goes to the dialog's controls.
  Settings().SetToggleDesktop(true);
  EXPECT_TRUE(setup->cbxToggleB4Break->Checked());
  setup->btnPreviewHintForm->SetEnabled(false);
  Settings().EnableHintPreview(true);
  EXPECT_TRUE(setup->btnPreviewHintForm->Enabled());

  setup->Hide();
  TComponent::Free(setup);
  setup = nullptr;
  const TCountdownSettings none = Settings().CountdownSettings();
  EXPECT_EQ(none.Colour, fresh.Colour);
  EXPECT_EQ(none.ZoomMode, fresh.ZoomMode);
  EXPECT_EQ(none.ZoomPercent, fresh.ZoomPercent);
  EXPECT_EQ(none.FontAdjust, fresh.FontAdjust);
  ASSERT_NE(none.Picture.Graphic, nullptr) << "the designed picture";
  EXPECT_EQ(none.Picture.Width(), fresh.Picture.Width());
  EXPECT_EQ(none.Plan, TBreakPlanStore().PlanInForce());
  EXPECT_FALSE(none.ToggleDesktop);
  Settings().SetToggleDesktop(true);  // nothing to write to, and no crash
  Settings().EnableHintPreview(true);
}

TEST_F(SetupDialog, LoadsEveryValueOfAPreparedFile) {
  WriteConfig({L"anything",
               L"[0] 4",
               L"[1] 2 45 TRUE true",
               L"[2] 7 0 False 25 FALSE 55 True 1 FALSE TRUE FALSE 12",
               L"[3] FALSE TRUE TRUE 23 59 TRUE 7 30 0 0 255 65280 16711680 0",
               L"[4] 9 TRUE FALSE 30 3 100 20 150 90",
               L"[5] 4 0 0 1 255 0",
               L"[6] -5 2 0 0 0 0",
               L"[7] FALSE TRUE",
               L"第一条提醒",
               L"第二条提醒",
               L""});
  Create();
  EXPECT_TRUE(dialogs.shown.empty()) << "loading asks nothing";
  EXPECT_EQ(setup->cbxBreakPlanPreSet->ItemIndex(), 4);
  EXPECT_EQ(setup->PlanInForce().BreakInterval, 40);
  EXPECT_EQ(main->FWorkMins, 39);
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 2);
  EXPECT_EQ(CheckedModeItem(), 2);
  EXPECT_TRUE(setup->gbxModeinterrupt->Visible());
  EXPECT_FALSE(setup->gbxModeFree->Visible());
  EXPECT_EQ(setup->scbInterfereIntensity->Position(), 45);
  EXPECT_EQ(Narrow(setup->lblInterfereIntensity->Caption()), Narrow(L"45秒"));
  EXPECT_TRUE(setup->cbxNotShowFrmBreakHintLastOneMin_FreeMode->Checked());
  EXPECT_TRUE(setup->cbxNotShowFrmBreakHintLastOneMin_PasswordMode->Checked());
  EXPECT_EQ(setup->updSCR->Position(), 7);
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), 0);
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), 0) << "the name list follows the path list";
  EXPECT_EQ(setup->updShutDownDisplayer->Position(), 25);
  EXPECT_EQ(setup->updLetSuspend->Position(), 55);
  EXPECT_TRUE(setup->cbxRandomSCR->Checked());
  EXPECT_EQ(setup->cbbStandByOrSleep->ItemIndex(), 1);
  EXPECT_TRUE(setup->cbxBanYing->Checked());
  EXPECT_FALSE(setup->cbxAutoRestoreDisabledSCR->Checked());
  EXPECT_EQ(setup->updRestoreSCRAfterMins->Position(), 12);
  EXPECT_FALSE(setup->cbxRemindOnHour->Checked());
  EXPECT_TRUE(setup->cbxRemindOnHalfHour->Checked());
  EXPECT_EQ(setup->cbxHourOfRemindOnce1->ItemIndex(), 23);
  EXPECT_EQ(setup->cbxMinOfRemindOnce1->ItemIndex(), 59);
  EXPECT_EQ(setup->cbxHourOfRemindOnce2->ItemIndex(), 7);
  EXPECT_EQ(setup->cbxMinOfRemindOnce2->ItemIndex(), 30);
  EXPECT_EQ(setup->cbbSelectRemindHourWindow->ItemIndex(), 0);
  EXPECT_EQ(setup->clbRemindHourWindowColorBody->Selected(), 255);
  EXPECT_EQ(setup->clbRemindHourWindowColorBorder->Selected(), 65280);
  EXPECT_EQ(setup->clbRemindOnceWindowColorBody->Selected(), 16711680);
  EXPECT_EQ(setup->clbRemindOnceWindowColorBorder->Selected(), 0);
  EXPECT_EQ(setup->cbbBreakInterface->ItemIndex(), 9);
  EXPECT_TRUE(setup->cbxRandomInterface->Checked());
  EXPECT_FALSE(setup->cbxShowSlogan->Checked());
  EXPECT_EQ(setup->FontDialog1->Font.Size, 30);
  EXPECT_EQ(setup->cbbSlogan->ItemIndex(), 3);
  EXPECT_EQ(setup->updFadeInSpeed->Position(), 100);
  EXPECT_EQ(setup->UpdFadeInStep->Position(), 20);
  EXPECT_EQ(setup->updTransparency->Position(), 150);
  EXPECT_EQ(setup->updMoiseStrenth->Position(), 90);
  EXPECT_EQ(setup->updMoiseStrenth->Max(), 149) << "249 - the fade-in speed";
  EXPECT_EQ(setup->updFontAdjustOfCountDownWindow->Position(), 4);
  EXPECT_EQ(setup->cbbZoomRateCountDownWindow->ItemIndex(), 0);
  EXPECT_EQ(setup->cbbSelectBreakHintSmallWindow->ItemIndex(), 1);
  EXPECT_EQ(setup->clbBreakHintSmallWindowColorBody->Selected(), 255);
  EXPECT_EQ(setup->clbBreakHintSmallWindowColorBorder->Selected(), 0);
  EXPECT_EQ(setup->updFontAdjustOfHintSmallWindow->Position(), -5);
  EXPECT_EQ(setup->updFontAdjustOfRemindCenterWindow->Position(), 2);
  EXPECT_EQ(setup->cbbZoomRateHintSmallWindow->ItemIndex(), 0);
  EXPECT_EQ(setup->cbbZoomRateRemindCenterWindow->ItemIndex(), 0);
  EXPECT_FALSE(setup->cbxShowSOT->Checked());
  EXPECT_FALSE(TrayItem(L"NShowSOT")->Checked) << "the overlay box switched off clears the tray item";
  EXPECT_TRUE(setup->cbxHarwareIsLaptop->Checked());
  EXPECT_EQ(Narrow(setup->edtContentOfRemindOnce1->Text()), Narrow(L"第一条提醒"));
  EXPECT_EQ(Narrow(setup->edtContentOfRemindOnce2->Text()), Narrow(L"第二条提醒"));
}

TEST_F(SetupDialog, BooleansAreTrueOnlyForTrueInAnyCase) {
  WriteConfig({L"", L"[0] 2", L"[1] 0 30 True yes", L"[2] 2 1 1 10 tRuE 30"});
  Create();
  EXPECT_TRUE(setup->cbxNotShowFrmBreakHintLastOneMin_FreeMode->Checked());
  EXPECT_FALSE(setup->cbxNotShowFrmBreakHintLastOneMin_PasswordMode->Checked());
  EXPECT_FALSE(setup->cbxEnableShutDownDisplayer->Checked());
  EXPECT_TRUE(setup->cbxEnableSuspend->Checked());
}

TEST_F(SetupDialog, PowerSettingsLoadCheckedWithoutAnyQuestion) {
  WriteConfig({L"", L"[0] 2", L"[1] 0 30 FALSE FALSE", L"[2] 2 1 TRUE 10 TRUE 30"});
  Create();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(setup->cbxEnableShutDownDisplayer->Checked());
  EXPECT_TRUE(setup->cbxEnableSuspend->Checked());
}

TEST_F(SetupDialog, AValueThatDoesNotConvertShowsTheErrorKeepsItsDefaultAndLoadingGoesOn) {
  WriteConfig({L"", L"[0] abc", L"[1] 3 x5 FALSE TRUE", L"[2] 9"});
  dialogs.Answer(IDOK);
  Create();
  // One box names every value skipped.
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find(L"abc"), std::wstring::npos);
  EXPECT_TRUE(dialogs.shown[0].flags & MB_ICONERROR);
  EXPECT_NE(dialogs.shown[0].text.find(L"x5"), std::wstring::npos);
  EXPECT_EQ(setup->cbxBreakPlanPreSet->ItemIndex(), 2) << "the design default";
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 3) << "values after the bad one are read";
  EXPECT_EQ(CheckedModeItem(), 3);
  EXPECT_EQ(setup->scbInterfereIntensity->Position(), 30);
  EXPECT_TRUE(setup->cbxNotShowFrmBreakHintLastOneMin_PasswordMode->Checked());
  EXPECT_EQ(setup->updSCR->Position(), 9);
  // The start-up finished.
  EXPECT_EQ(main->FWorkMins, 49);
  EXPECT_TRUE(main->DetectPauseTimer->Enabled());
  EXPECT_EQ(screenSaver.sets, std::vector<bool>{false});
}

TEST_F(SetupDialog, OutOfRangeValuesAreHeldAndBadIndexesTakeTheirFallbacks) {
  WriteConfig({L"", L"[0] 9", L"[1] -1 99 FALSE FALSE", L"[2] 0 55 FALSE 1000 FALSE 5 FALSE 7",
               L"[3] TRUE FALSE FALSE 24 -1 FALSE 99 60 5 -1", L"[4] 99 FALSE TRUE 0 99 0 99 9 999"});
  Create();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(setup->cbxBreakPlanPreSet->ItemIndex(), 2) << "an unknown plan is the standard plan";
  EXPECT_EQ(setup->PlanInForce().BreakInterval, 50);
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 0) << "an unknown mode is the free mode";
  EXPECT_EQ(CheckedModeItem(), 0);
  EXPECT_EQ(setup->scbInterfereIntensity->Position(), 45);
  EXPECT_EQ(setup->updSCR->Position(), 1);
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), setup->cbbSCRSavers->Items.Count() > 55 ? 55 : -1)
      << "an unknown saver selects none";
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), setup->cbbSCRSavers->ItemIndex());
  EXPECT_EQ(setup->updShutDownDisplayer->Position(), 60);
  EXPECT_EQ(setup->updLetSuspend->Position(), 20);
  EXPECT_EQ(setup->cbbStandByOrSleep->ItemIndex(), -1) << "other lists: none";
  EXPECT_EQ(setup->cbxHourOfRemindOnce1->ItemIndex(), -1);
  EXPECT_EQ(setup->cbxMinOfRemindOnce1->ItemIndex(), -1);
  EXPECT_EQ(setup->cbxHourOfRemindOnce2->ItemIndex(), -1);
  EXPECT_EQ(setup->cbxMinOfRemindOnce2->ItemIndex(), -1);
  EXPECT_EQ(setup->cbbSelectRemindHourWindow->ItemIndex(), -1);
  EXPECT_EQ(setup->cbbBreakInterface->ItemIndex(), -1);
  EXPECT_EQ(setup->FontDialog1->Font.Size, 1);
  EXPECT_EQ(setup->cbbSlogan->ItemIndex(), -1);
  EXPECT_EQ(setup->updFadeInSpeed->Position(), 1);
  EXPECT_EQ(setup->UpdFadeInStep->Position(), 36);
  EXPECT_EQ(setup->updTransparency->Position(), 100);
  EXPECT_EQ(setup->updMoiseStrenth->Position(), 150);
}

TEST_F(SetupDialog, ASavedFontAdjustmentSurvivesItsZoomPosition) {
  // Custom zoom 50 %: the position resets the adjustment to 5 (range 2..8 for the centre window),
  // then the stored adjustment applies.
  WriteConfig({L"", L"[0] 2", L"[1] 0 30 FALSE FALSE", L"[2] 2 1", L"[3] TRUE", L"[4] 0",
               L"[5] -3 2 40 0", L"[6] 11 7 2 2 30 50"});
  Create();
  EXPECT_EQ(setup->scbZoomRateCountDownWindow->Position(), 40);
  EXPECT_EQ(setup->updFontAdjustOfCountDownWindow->Position(), 1) << "held within 4 - 3 .. 4 + 3";
  EXPECT_EQ(setup->scbZoomRateHintSmallWindow->Position(), 30);
  EXPECT_EQ(setup->updFontAdjustOfHintSmallWindow->Position(), 11);
  EXPECT_EQ(setup->scbZoomRateRemindCenterWindow->Position(), 50);
  EXPECT_EQ(setup->updFontAdjustOfRemindCenterWindow->Position(), 7);
  // And they are written back as they were read.
  setup->SaveConfig();
  std::vector<std::wstring> lines = ReadConfig();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(Narrow(lines[6]).substr(0, 12), "[5] 1 2 40 0") << "-3 was held within 4 - 3 .. 4 + 3";
  EXPECT_EQ(Narrow(lines[7]), "[6] 11 7 2 2 30 50");
}

TEST_F(SetupDialog, TextsArePathsAreWholeLinesOfAnyLength) {
  const std::wstring longText(400, L'长');
  WriteConfig({L"", L"[0] 2", L"[1] 0", L"[2] 2", L"[3] TRUE", L"[4] 0", L"[5] 0", L"[6] 0", L"[7] TRUE FALSE",
               longText, L"  前后空格  ", folder.File(L"无此图片.jpg")});
  Create();
  EXPECT_EQ(setup->edtContentOfRemindOnce1->Text().size(), 400u);
  EXPECT_EQ(setup->edtContentOfRemindOnce1->Text(), longText);
  EXPECT_EQ(Narrow(setup->edtContentOfRemindOnce2->Text()), Narrow(L"  前后空格  "));
  EXPECT_EQ(setup->OpenPictureDialog1->FileName, folder.File(L"无此图片.jpg"));
}

TEST_F(SetupDialog, APictureThatDoesNotLoadKeepsTheDesignedOne) {
  const std::wstring bad = folder.File(L"坏图片.jpg");
  WriteTextLines(bad, {L"not a picture"});
  WriteConfig({L"", L"[0] 2", L"[1] 1", L"", L"", L"", L"", L"", L"[7] TRUE FALSE", L"a", L"b", bad});
  dialogs.Answer(IDOK);
  Create();
  auto designed = setup->imgOfHintForm->Picture.Graphic;
  ASSERT_EQ(dialogs.shown.size(), 1u) << "the picture's error";
  EXPECT_TRUE(dialogs.shown[0].flags & MB_ICONERROR);
  EXPECT_EQ(setup->imgScreenShadow->Picture.Graphic, designed);
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 1) << "the rest loaded";
  EXPECT_EQ(main->FWorkMins, 49);
}

TEST_F(SetupDialog, APictureThatLoadsReplacesTheOverlayPictureOnly) {
  // A tiny valid bitmap: 1 x 1, 24 bits.
  const std::wstring pic = folder.File(L"倩影.bmp");
  {
    unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                             1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0,
                             0, 0, 0, 0, 0x20, 0x40, 0x80, 0};
    HANDLE h = CreateFileW(pic.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bmp, sizeof(bmp), &written, nullptr);
    CloseHandle(h);
  }
  WriteConfig({L"", L"[0] 2", L"[1] 0", L"", L"", L"", L"", L"", L"[7] TRUE FALSE", L"a", L"b", pic});
  Create();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(setup->imgScreenShadow->Picture.Width(), 1);
  EXPECT_NE(setup->imgOfHintForm->Picture.Width(), 1) << "the countdown window keeps the designed picture";
}

// ---- saving -------------------------------------------------------------------------------------

TEST_F(SetupDialog, SavingTheDefaultsWritesTheDefaultLines) {
  Create();
  setup->SaveConfig();
  EXPECT_EQ(ReadConfig(), DefaultConfigFileLines());
  // GBK with CR LF, the last line too.
  HANDLE h = CreateFileW(ConfigPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char buf[4096];
  DWORD n = 0;
  ReadFile(h, buf, sizeof(buf), &n, nullptr);
  CloseHandle(h);
  std::string bytes(buf, n);
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n") << "line 12 is empty and ended";
  EXPECT_EQ(bytes.substr(0, 4), "\xC7\xEB\xCE\xF0") << "请勿 in GBK";
}

TEST_F(SetupDialog, WhatIsReadIsWrittenBack) {
  std::vector<std::wstring> lines = {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！",
                                     L"[0] 5",
                                     L"[1] 3 15 TRUE FALSE",
                                     L"[2] 20 0 TRUE 60 TRUE 100 TRUE 1 TRUE TRUE FALSE 5",
                                     L"[3] FALSE TRUE TRUE 12 34 TRUE 5 6 0 1 255 65280 16711680 0",
                                     L"[4] 13 TRUE FALSE 12 7 150 36 255 99",
                                     L"[5] 2 2 20 1 12345 54321",
                                     L"[6] -15 0 0 2 0 0",
                                     L"[7] FALSE TRUE",
                                     L"上午十点开会",
                                     L"",
                                     folder.File(L"none.jpg")};
  WriteConfig(lines);
  Create();
  setup->SaveConfig();
  EXPECT_EQ(ReadConfig(), lines);
}

TEST_F(SetupDialog, LineBreaksInATextBecomeSpaces) {
  Create();
  setup->edtContentOfRemindOnce1->SetText(L"第一行\r\n第二行");
  setup->SaveConfig();
  std::vector<std::wstring> lines = ReadConfig();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(Narrow(lines[9]), Narrow(L"第一行 第二行"));
}

// ---- closing ---------------------------------------------------------------------------------------

TEST_F(SetupDialog, CloseAsksAndYesWritesTheChangedSettings) {
  Create();
  main->OpenSetupPage(2);
  ASSERT_TRUE(setup->Visible());
  // A user's click on a check box and on a radio button.
  SendMessageW(setup->cbxBanYing->Handle(), BM_CLICK, 0, 0);
  setup->PageControl1->SetActivePageIndex(1);
  SendMessageW(setup->rbxSelectBreakMode->Buttons(3)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(CheckedModeItem(), 3) << "the tray items mirror the mode";
  EXPECT_TRUE(setup->gbxModeForce->Visible());

  dialogs.Answer(IDYES);
  SendMessageW(setup->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"是否保存设置？未更改或想放弃更改请点否。"));
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"存盘提示:"));
  EXPECT_EQ(dialogs.shown[0].flags & 0xF, UINT(MB_YESNOCANCEL));
  EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
  EXPECT_FALSE(setup->Visible());

  std::vector<std::wstring> expected = DefaultConfigFileLines();
  expected[2] = L"[1] 3 30 FALSE FALSE";
  expected[3] = L"[2] 2 1 FALSE 10 FALSE 30 FALSE 0 FALSE TRUE TRUE 30";
  EXPECT_EQ(ReadConfig(), expected);
}

TEST_F(SetupDialog, NoKeepsTheValuesButWritesNothingAndCancelKeepsTheDialogOpen) {
  Create();
  main->OpenSetupPage(2);
  setup->updSCR->SetPosition(9);
  dialogs.Answer(IDCANCEL);
  SendMessageW(setup->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(setup->Visible());
  dialogs.Answer(IDNO);
  SendMessageW(setup->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(setup->Visible());
  EXPECT_FALSE(FileExists(ConfigPath()));
  EXPECT_EQ(setup->updSCR->Position(), 9) << "in force for the rest of the run";
}

TEST_F(SetupDialog, EscapeAsksTheSaveQuestion) {
  Create();
  main->OpenSetupPage(0);
  dialogs.Answer(IDNO);
  SendMessageW(setup->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"存盘提示:"));
  EXPECT_FALSE(setup->Visible());
}

TEST_F(SetupDialog, AFailedSaveShowsTheErrorAndKeepsTheDialogOpen) {
  Create();
  main->OpenSetupPage(0);
  // qv30cfg is a folder: it cannot be replaced.
  CreateDirectoryW(ConfigPath().c_str(), nullptr);
  dialogs.Answer(IDYES).Answer(IDOK);
  SendMessageW(setup->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_TRUE(dialogs.shown[1].flags & MB_ICONERROR);
  EXPECT_TRUE(setup->Visible());
  RemoveDirectoryW(ConfigPath().c_str());
  dialogs.Answer(IDYES);
  SendMessageW(setup->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(setup->Visible());
  EXPECT_EQ(ReadConfig(), DefaultConfigFileLines());
}

TEST_F(SetupDialog, TheCloseButtonClosesAsTheWindowDoesUnlessTheExitSettingEnds) {
  Create();
  main->OpenSetupPage(7);
  dialogs.Answer(IDNO);
  SendMessageW(setup->btnClose->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_FALSE(setup->Visible());
}

TEST_F(SetupDialog, TheDialogCannotBeResized) {
  Create();
  main->OpenSetupPage(0);
  RECT before;
  GetWindowRect(setup->Handle(), &before);
  SetWindowPos(setup->Handle(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  RECT after;
  GetWindowRect(setup->Handle(), &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  bool resize = true;
  int w = 1, h = 1;
  setup->FormCanResize(setup, w, h, resize);
  EXPECT_FALSE(resize);
}

TEST_F(SetupDialog, ShowingPicksALineOfTheHotKeyList) {
  Create();
  main->OpenSetupPage(7);
  int i = setup->cbbHotKeyAction->ItemIndex();
  EXPECT_GE(i, 0);
  EXPECT_LT(i, 7);
}

}  // namespace
