// The settings dialog's controls for the reminder windows: zoom, window types, colours, the view
// buttons and the previews, and what the windows then read from them.
#include <gtest/gtest.h>

#include <filesystem>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "RemindFakes.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

// Notes what the dialog looks like whenever a wait lets time pass.
class WatchingClock : public FakeClock {
 public:
  std::function<void()> onWait;
  void WaitForMessages(DWORD ms) override {
    if (onWait) onWait();
    FakeClock::WaitForMessages(ms);
  }
};

class SetupRemind : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    folder = std::wstring(tmp) + L"remind_setup_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetSetupConfigFolder(folder);
    main = new TfrmMain(Application);
    frmMain = main;
    setup = new TfrmSetup(Application);
    ASSERT_EQ(frmSetup, setup);
    PumpMessages();
    sound.calls.clear();
  }
  void TearDown() override {
    CloseReminderWindows();
    TComponent::Free(setup);
    frmMain = nullptr;
    TComponent::Free(main);
    FreeAllForms();
    PumpMessages();
    Application->Terminated = false;
    SetSetupConfigFolder(L"");
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(folder), ec);
  }

  template <class T>
  T* Control(const wchar_t* name) {
    auto* c = dynamic_cast<T*>(setup->FindComponent(name));
    EXPECT_NE(c, nullptr) << Narrow(name);
    return c;
  }
  // A user's choice in a combo or colour box.
  static void Choose(TComboBox* box, int item) {
    box->SetItemIndex(item);
    CallEvent(box->OnClick, box);
    if (box->OnSelect) box->OnSelect(box);
    else CallEvent(box->OnChange, box);
  }
  static void ChooseColour(TColorBox* box, TColor c) {
    box->SetSelected(c);
    CallEvent(box->OnClick, box);
    if (box->OnSelect) box->OnSelect(box);
    else CallEvent(box->OnChange, box);
  }

  std::wstring folder;
  WatchingClock clock;
  FakeDisplay display{1024, 768, RECT{0, 0, 1024, 728}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{false};
  FakeSound sound;
  ScriptedDialogs dialogs;
  TfrmMain* main = nullptr;
  TfrmSetup* setup = nullptr;
};

TEST(SetupRemindRates, AutoZoomRateAndFontAdjustFollowTheScreen) {
  struct Case {
    int w, h;
    double rate;
    int font;
  };
  const Case cases[] = {{640, 480, -0.2, -2}, {1024, 768, 0.28, 2}, {1920, 1080, 1500.0 / 700 - 1, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    FakeDisplay d(c.w, c.h);
    EXPECT_NEAR(TfrmSetup::GetAutoZoomRate(800, 600), c.rate, 1e-9);
    EXPECT_NEAR(TfrmSetup::GetAutoZoomRate(0, 0), c.rate, 1e-9);
    EXPECT_EQ(TfrmSetup::GetAutoFontAdjust(), c.font);
  }
}

// ---- zoom -------------------------------------------------------------------------------------

TEST_F(SetupRemind, ZoomModesPercentsAndFontAdjustments) {
  for (const ZoomWindowInfo& w : ZoomWindows()) {
    SCOPED_TRACE(Narrow(w.modeCombo));
    auto* mode = Control<TComboBox>(w.modeCombo);
    auto* bar = Control<TScrollBar>(w.percentScrollBar);
    auto* label = Control<TLabel>(w.percentLabel);
    auto* adjust = Control<TUpDown>(w.fontAdjust);
    ASSERT_TRUE(mode && bar && label && adjust);
    auto range = [&](int a) { return w.rangeFollowsPercent ? std::pair{a - 3, a + 3} : std::pair{-15, 15}; };

    // "自动调节" on 1024 x 768.
    Choose(mode, zmAuto);
    EXPECT_EQ(bar->Position(), 28);
    EXPECT_EQ(label->Caption(), L"28%");
    EXPECT_EQ(adjust->Position(), 2);
    EXPECT_EQ(std::pair(adjust->Min(), adjust->Max()), range(2));

    // Fine-tuning stays while the percent does.
    adjust->SetPosition(4);
    Choose(mode, zmAuto);
    EXPECT_EQ(adjust->Position(), 4);

    // A larger screen: a new percent resets the adjustment.
    {
      FakeDisplay wide(1920, 1080);
      Choose(mode, zmAuto);
      EXPECT_EQ(bar->Position(), 100);
      EXPECT_EQ(label->Caption(), L"100%");
      EXPECT_EQ(adjust->Position(), 10);
      EXPECT_EQ(std::pair(adjust->Min(), adjust->Max()), range(10));
    }

    // Dragging the bar chooses "自定义..." and keeps the user's percent.
    int pos = 60;
    ASSERT_TRUE(bar->OnScroll) << "the scroll bar's OnScroll is bound";
    bar->OnScroll(bar, scTrack, pos);
    bar->SetPosition(pos);
    EXPECT_EQ(mode->ItemIndex(), zmCustom);
    EXPECT_EQ(label->Caption(), L"60%");
    EXPECT_EQ(adjust->Position(), 6);
    Choose(mode, zmCustom);
    EXPECT_EQ(bar->Position(), 60);

    // "设计尺寸".
    Choose(mode, zmDesignSize);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(label->Caption(), L"0%");
    EXPECT_EQ(adjust->Position(), 0);
    EXPECT_EQ(std::pair(adjust->Min(), adjust->Max()), range(0));

    // "自动调节" again recomputes it.
    Choose(mode, zmAuto);
    EXPECT_EQ(bar->Position(), 28);
  }
}

TEST_F(SetupRemind, ShowingAnInterfacePageBringsItsPercentsUpToDate) {
  FakeDisplay screen(1280, 800);
  struct Case {
    TTabSheet* page;
    std::vector<TScrollBar*> bars;
  };
  const Case cases[] = {
      {setup->tshInterfaceBreakRemind, {setup->scbZoomRateCountDownWindow}},
      {setup->tshInterfaceMgr, {setup->scbZoomRateHintSmallWindow, setup->scbZoomRateRemindCenterWindow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.page->Name()));
    ASSERT_TRUE(c.page->OnShow) << "the page's OnShow is bound";
    c.page->OnShow(c.page);
    for (TScrollBar* bar : c.bars) EXPECT_EQ(bar->Position(), 49) << Narrow(bar->Name());
  }
}

// ---- window types and colours ----------------------------------------------------------------

struct ColourGroup {
  const wchar_t *chooser, *body, *border, *borderLabel, *restore, *view, *preset;
};
const ColourGroup kGroups[] = {
    {L"cbbSelectBreakHintSmallWindow", L"clbBreakHintSmallWindowColorBody", L"clbBreakHintSmallWindowColorBorder",
     L"lblBreakHintSmallWindowColorBorder", L"cbxRestoreColorOfBreakHintSmallWindowToDefault",
     L"btnViewDefaultColorOfBreakHintSmallWindow", L"grbHintSmallWindow"},
    {L"cbbSelectRemindHourWindow", L"clbRemindHourWindowColorBody", L"clbRemindHourWindowColorBorder",
     L"lblRemindHourWindowColorBorder", L"cbxRemindHourUseColorOfMainSetup", L"btnViewDefaultColor1",
     L"grbRemindCenterWindow"},
    {L"cbbSelectRemindOnceWindow", L"clbRemindOnceWindowColorBody", L"clbRemindOnceWindowColorBorder",
     L"lblRemindOnceWindowColorBorder", L"cbxRemindOnceUseColorOfMainSetup", L"btnViewDefaultColor2",
     L"grbRemindCenterWindow"},
};

TEST_F(SetupRemind, WindowTypeShowsTheBorderColourOnlyForTheCentreWindow) {
  for (const ColourGroup& g : kGroups) {
    SCOPED_TRACE(Narrow(g.chooser));
    auto* chooser = Control<TComboBox>(g.chooser);
    auto* border = Control<TColorBox>(g.border);
    auto* restore = Control<TCheckBox>(g.restore);
    ASSERT_TRUE(chooser && border && restore);
    for (int item : {rwCenterWindow, rwSmallWindow, rwCenterWindow}) {
      restore->SetChecked(true);
      Choose(chooser, item);
      EXPECT_EQ(border->Visible(), item == rwCenterWindow);
      if (auto* label = dynamic_cast<TLabel*>(setup->FindComponent(g.borderLabel))) {
        EXPECT_EQ(label->Visible(), item == rwCenterWindow);
      }
      EXPECT_FALSE(restore->Checked());
    }
  }
}

TEST_F(SetupRemind, RestoreCopiesThePresetOfTheChosenWindow) {
  for (const ColourGroup& g : kGroups) {
    SCOPED_TRACE(Narrow(g.chooser));
    auto* chooser = Control<TComboBox>(g.chooser);
    auto* body = Control<TColorBox>(g.body);
    auto* border = Control<TColorBox>(g.border);
    auto* restore = Control<TCheckBox>(g.restore);
    ASSERT_TRUE(chooser && body && border && restore);

    Choose(chooser, rwCenterWindow);
    ChooseColour(body, clRed);
    ChooseColour(border, clBlue);
    restore->SetChecked(true);
    EXPECT_EQ(body->Selected(), setup->clbColorMainOfRemindCenterWindow->Selected());
    EXPECT_EQ(body->Selected(), clGray);
    EXPECT_EQ(border->Selected(), clYellow);
    EXPECT_TRUE(restore->Checked());

    // Unchecking changes nothing; a colour the user picks unchecks it.
    restore->SetChecked(false);
    EXPECT_EQ(body->Selected(), clGray);
    restore->SetChecked(true);
    ChooseColour(border, clLime);
    EXPECT_FALSE(restore->Checked());

    Choose(chooser, rwSmallWindow);
    ChooseColour(body, clRed);
    EXPECT_FALSE(restore->Checked());
    restore->SetChecked(true);
    EXPECT_EQ(body->Selected(), setup->clbHintSmallWindowColorBody->Selected());
    EXPECT_EQ(body->Selected(), clActiveCaption);
    EXPECT_EQ(border->Selected(), clLime);
  }
}

TEST_F(SetupRemind, ViewButtonFlashesThePresetGroupOnPageSix) {
  for (const ColourGroup& g : kGroups) {
    SCOPED_TRACE(Narrow(g.view));
    auto* view = Control<TButton>(g.view);
    auto* preset = Control<TGroupBox>(g.preset);
    ASSERT_TRUE(view && preset);
    setup->PageControl1->SetActivePageIndex(0);
    std::vector<TColor> seen;
    clock.onWait = [&] { seen.push_back(preset->Color()); };
    DWORD before = clock.tick;
    view->Click();
    clock.onWait = nullptr;
    EXPECT_EQ(setup->PageControl1->ActivePage(), setup->tshInterfaceMgr);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), clYellow);
    EXPECT_EQ(clock.tick - before, 1000u);
    EXPECT_EQ(preset->Color(), setup->Color());
  }
}

// ---- previews ---------------------------------------------------------------------------------

TEST_F(SetupRemind, PreviewsWithNothingToShowExplainWhy) {
  struct Case {
    TButton* button;
    const wchar_t* text;
  };
  setup->cbxRemindOnHour->SetChecked(false);
  setup->cbxRemindOnHalfHour->SetChecked(false);
  setup->cbxRemindOnce1->SetChecked(false);
  setup->cbxRemindOnce2->SetChecked(false);
  const Case cases[] = {
      {setup->btnPreviewRemindHourWindow, L"你还没有启用报时功能！"},
      {setup->btnPreviewRemindOnceWindow, L"你还没有启用一个快速提醒！"},
      {setup->btnPreviewHintSmallWindow, L"请转到“休息提醒”或“闹钟提醒”页进行预览!"},
      {setup->btnPreviewRemindCenterWindow, L"请转到“休息提醒”或“闹钟提醒”页进行预览!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.button->Name()));
    dialogs.shown.clear();
    dialogs.Answer(IDOK);
    c.button->Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.text);
    EXPECT_EQ(dialogs.shown[0].caption, L"提示");
    EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_OK));
    EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
  }
  EXPECT_EQ(frmHintSmallWindow, nullptr);
  EXPECT_EQ(frmRemindWindowCenter, nullptr);
}

TEST_F(SetupRemind, PreviewsOpenTheChosenWindowWithTheirKind) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    TButton* button;
    bool small;
    int kind;
  };
  const Case cases[] = {
      {"chime on the half hour, small",
       [&] {
         setup->cbxRemindOnHalfHour->SetChecked(true);
         setup->cbbSelectRemindHourWindow->SetItemIndex(rwSmallWindow);
       },
       setup->btnPreviewRemindHourWindow, true, rkRemindHour},
      {"second alarm only, centre",
       [&] {
         setup->cbxRemindOnce1->SetChecked(false);
         setup->cbxRemindOnce2->SetChecked(true);
         setup->cbbSelectRemindOnceWindow->SetItemIndex(rwCenterWindow);
       },
       setup->btnPreviewRemindOnceWindow, false, rkRemindOnce2},
      {"both alarms: the first",
       [&] {
         setup->cbxRemindOnce1->SetChecked(true);
         setup->cbbSelectRemindOnceWindow->SetItemIndex(rwSmallWindow);
       },
       setup->btnPreviewRemindOnceWindow, true, rkRemindOnce1},
      {"break reminder, centre",
       [&] { setup->cbbSelectBreakHintSmallWindow->SetItemIndex(rwCenterWindow); },
       setup->btnPreviewBreakHintSmallWindow, false, rkNextBreak},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    c.button->Click();
    if (c.small) {
      ASSERT_NE(frmHintSmallWindow, nullptr);
      EXPECT_EQ(frmHintSmallWindow->Kind(), c.kind);
    } else {
      ASSERT_NE(frmRemindWindowCenter, nullptr);
      EXPECT_EQ(frmRemindWindowCenter->Kind(), c.kind);
    }
    CloseReminderWindows();
  }
  // Not during a break.
  main->FBreakState = stOnBreak;
  setup->btnPreviewBreakHintSmallWindow->Click();
  EXPECT_EQ(frmRemindWindowCenter, nullptr);
  main->FBreakState = stWorking;
}

// ---- what the windows read -------------------------------------------------------------------

TEST_F(SetupRemind, CentreWindowInDesignSizeTakesTheSettingsColoursAndContent) {
  FakeDisplay screen(1280, 800, RECT{0, 0, 1280, 760});
  Choose(setup->cbbZoomRateRemindCenterWindow, zmDesignSize);
  ChooseColour(setup->clbRemindOnceWindowColorBody, clTeal);
  ChooseColour(setup->clbRemindOnceWindowColorBorder, clRed);
  setup->edtContentOfRemindOnce1->SetText(L"开会了");
  auto* f = new TfrmRemindWindowCenter(Application, rkRemindOnce1);
  RECT r;
  GetWindowRect(f->Handle(), &r);
  EXPECT_EQ(r.left, 326);
  EXPECT_EQ(r.top, 229);
  EXPECT_EQ(r.right - r.left, 319);
  EXPECT_EQ(r.bottom - r.top, 197);
  EXPECT_EQ(f->Color(), clTeal);
  EXPECT_EQ(f->Look().border, clRed);
  EXPECT_EQ(f->edtRemindContent->Text(), L"开会了");
  EXPECT_EQ(f->Label1->Font.Size, 16);
}

TEST_F(SetupRemind, WindowsRecomputeTheAutomaticZoomButKeepFineTuning) {
  FakeDisplay screen(1280, 800);
  Choose(setup->cbbZoomRateHintSmallWindow, zmAuto);
  setup->updFontAdjustOfHintSmallWindow->SetPosition(-2);
  ChooseColour(setup->clbRemindHourWindowColorBody, clOlive);
  auto* small = new TfrmHintSmallWindow(Application, rkRemindHour);
  EXPECT_EQ(small->Look().percent, 49);
  EXPECT_EQ(small->Look().fontAdjust, -2);
  EXPECT_EQ(small->Width(), 177);  // 119 x 1.49
  EXPECT_EQ(small->Color(), clOlive);
  CloseReminderWindows();
  {
    // On another screen the automatic percent follows it, and the adjustment is reset.
    FakeDisplay other(1024, 768);
    small = new TfrmHintSmallWindow(Application, rkRemindHour);
    EXPECT_EQ(small->Look().percent, 28);
    EXPECT_EQ(small->Look().fontAdjust, 2);
    EXPECT_EQ(setup->lblZoomRate2->Caption(), L"28%");
  }
}

}  // namespace
