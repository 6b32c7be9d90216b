// The screen savers of the settings dialog's page 2 in-process: the list, "预览" and "设置", the
// player's commands, the on/off switch with its tray item and restore timer, and the tray's
// screen-saver items. Savers are looked for in folders of the test's own.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "EventLog.h"
#include "ProcessHelpers.h"
#include "ScrRules.h"
#include "ScreenSavers.h"
#include "SetupFixture.h"
#include "SiblingWorld.h"
#include "uniPopInfo.h"
#include "uniQVShare.h"
#include "uniScrBKWD.h"
#include "uniStat.h"

namespace {

constexpr const wchar_t* kOwnSaverName = L"<Quovel屏幕保护演示>";

class ScreenSavers : public SetupDialog {
 protected:
  void SetUp() override {
    SetupDialog::SetUp();
    SetScrFolders({savers.Path(), system.Path()});
  }
  void TearDown() override {
    // The savers and notices opened, before the dialog and the main window go.
    for (TForm* f : std::vector<TForm*>(Application->Forms()))
      if (f != setup && f != main) TComponent::Free(f);
    SetScrFolders({});
    SetupDialog::TearDown();
  }
  // Two saver files in the first folder (and a folder named like one), one in the second.
  void AddSaverFiles() {
    WriteBytes(savers / L"SSSTARS.SCR", "MZ");
    WriteBytes(savers / L"Bubbles.scr", "MZ");
    CreateDirectoryW((savers / L"album.scr").c_str(), nullptr);
    WriteBytes(system / L"logon.scr", "MZ");
  }
  static void Click(TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }
  // A choice in the visible list as the user makes it.
  static void Choose(TComboBox* list, int index) {
    SendMessageW(list->Handle(), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(GetParent(list->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), CBN_SELCHANGE),
                 LPARAM(list->Handle()));
  }
  static void CloseSavers() {
    for (TfrmScrBKWD* s : OpenScrWindows()) s->Close();
    PumpMessages();
  }
  std::vector<std::wstring> Items(TComboBox* list) const {
    std::vector<std::wstring> items;
    for (int i = 0; i < list->Items.Count(); ++i) items.push_back(list->Items[i]);
    return items;
  }
  TMenuItem* SwitchItem() const { return main->NDisableSelfSCR; }

  TestFolder savers{L"qvsavers"}, system{L"qvsystem"};
  RecordingShell shell;
  FakeInput input;
};

// ---- the list ----------------------------------------------------------------------------------

TEST_F(ScreenSavers, TheListHoldsNoneTheOwnSaverAndEverySaverFileOfTheFoldersInTurn) {
  AddSaverFiles();
  Create();
  const std::vector<std::wstring> paths = Items(setup->cbbSCRSavers), names = Items(setup->cbbSCRSaversName);
  ASSERT_EQ(paths.size(), 5u) << "the folder named like a saver is no saver";
  EXPECT_EQ(paths[0], L"(无)");
  EXPECT_EQ(paths[1], L"<Internal>");
  EXPECT_EQ(Narrow(names[0]), Narrow(L"(无)"));
  EXPECT_EQ(Narrow(names[1]), Narrow(kOwnSaverName));
  // The first folder's two in the search's order, then the second folder's.
  EXPECT_EQ(paths[4], system / L"logon.scr");
  EXPECT_EQ(Narrow(names[4]), "WINDOWS XP");
  for (int i = 2; i < 4; ++i) {
    EXPECT_EQ(Narrow(names[i]), Narrow(paths[i] == savers / L"SSSTARS.SCR" ? L"飞越星空" : L"bubbles")) << i;
    EXPECT_EQ(ExtractFileDir(paths[i]), savers.Path());
  }
  EXPECT_EQ(Narrow(setup->lblSCR_total->Caption()), "4");
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), 1);
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), 1);
  EXPECT_FALSE(setup->cbbSCRSavers->Visible());
  Choose(setup->cbbSCRSaversName, 3);
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), 3) << "the path list follows the name list";
}

TEST_F(ScreenSavers, WithoutSaverFilesTheListHoldsNoneAndTheOwnSaver) {
  Create();
  EXPECT_EQ(Items(setup->cbbSCRSavers), (std::vector<std::wstring>{L"(无)", L"<Internal>"}));
  EXPECT_EQ(Narrow(setup->lblSCR_total->Caption()), "1");
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), 1);
  // A random start can then only pick the own saver.
  Click(setup->cbxRandomSCR);
  for (int i = 0; i < 5; ++i) {
    Click(setup->btnSCRPreview);
    EXPECT_EQ(OpenScrWindows().size(), 1u);
    CloseSavers();
  }
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ScreenSavers, AStoredSaverPastTheListSelectsNoneAndTheNextStartRunsTheOwnSaver) {
  std::vector<std::wstring> lines = DefaultConfigFileLines();
  lines[3] = L"[2] 2 9 FALSE 10 FALSE 30 FALSE 0 FALSE FALSE TRUE 30";
  WriteConfig(lines);
  Create();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), -1);
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), -1);
  Click(setup->btnSCRPreview);
  EXPECT_EQ(OpenScrWindows().size(), 1u) << "the own saver";
  EXPECT_EQ(setup->cbbSCRSavers->ItemIndex(), -1) << "the start changes no list";
  EXPECT_EQ(setup->cbbSCRSaversName->ItemIndex(), -1);
  EXPECT_TRUE(shell.calls.empty());
}

// ---- "预览" --------------------------------------------------------------------------------------

TEST_F(ScreenSavers, PreviewStartsTheChosenSaverFileWithSlashSAloneOwnedByTheDialog) {
  AddSaverFiles();
  Create();
  Choose(setup->cbbSCRSaversName, 4);
  Click(setup->btnSCRPreview);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, L"open");
  EXPECT_EQ(shell.calls[0].file, system / L"logon.scr");
  EXPECT_EQ(shell.calls[0].params, L"/S") << "no \"%1\": that belongs in the shell's templates";
  EXPECT_EQ(shell.calls[0].owner, setup->Handle());
  EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
  EXPECT_TRUE(OpenScrWindows().empty());

  // The own saver: a window of its own, the cursor hidden once.
  shell.calls.clear();
  Choose(setup->cbbSCRSaversName, 1);
  Click(setup->btnSCRPreview);
  EXPECT_TRUE(shell.calls.empty());
  ASSERT_EQ(OpenScrWindows().size(), 1u);
  EXPECT_TRUE(IsSCRRunning());
  EXPECT_FALSE(OpenScrWindows()[0]->StaticMode()) << "animated";
  EXPECT_EQ(input.calls, std::vector<std::string>{"ShowCursor(FALSE)"});
}

TEST_F(ScreenSavers, NoneWithMusicStartsNoSaverButRestartsThePlayersMusic) {
  ClassWindow player(kClassSaverDeck);
  Create();
  Choose(setup->cbbSCRSaversName, 0);
  Click(setup->cbxBanYing);
  Click(setup->btnSCRPreview);
  PumpMessages();
  EXPECT_EQ(player.got, std::vector<UINT>{WM_SAVERDECK_RESTARTACCOMP});
  EXPECT_TRUE(OpenScrWindows().empty());
  EXPECT_TRUE(shell.calls.empty());
  // The own saver with music: the saver, then the music.
  player.got.clear();
  Choose(setup->cbbSCRSaversName, 1);
  Click(setup->btnSCRPreview);
  PumpMessages();
  EXPECT_EQ(OpenScrWindows().size(), 1u);
  EXPECT_EQ(player.got, std::vector<UINT>{WM_SAVERDECK_RESTARTACCOMP});
}

TEST_F(ScreenSavers, ARandomStartPicksAnyEntryButNoneAndLeavesBothListsAsChosen) {
  AddSaverFiles();
  Create();
  Choose(setup->cbbSCRSaversName, 2);
  const std::wstring chosen = setup->cbbSCRSavers->Items[2];
  Click(setup->cbxRandomSCR);
  std::set<std::wstring> started;
  for (int i = 0; i < 80; ++i) {
    shell.calls.clear();
    Click(setup->btnSCRPreview);
    const size_t savers = OpenScrWindows().size();
    ASSERT_EQ(savers + shell.calls.size(), 1u) << "one saver per start";
    started.insert(savers ? L"<own>" : shell.calls[0].file);
    CloseSavers();
    ASSERT_EQ(setup->cbbSCRSavers->ItemIndex(), 2);
    ASSERT_EQ(setup->cbbSCRSaversName->ItemIndex(), 2);
  }
  EXPECT_EQ(started.size(), 4u) << "the own saver and the three files";
  // Random off again: the saver shown is the one started.
  Click(setup->cbxRandomSCR);
  shell.calls.clear();
  Click(setup->btnSCRPreview);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, chosen);
}

// ---- "设置" --------------------------------------------------------------------------------------

TEST_F(ScreenSavers, SettingsOpenTheSaversOwnWithTheConfigVerbOrSayTheOwnSaverHasNone) {
  AddSaverFiles();
  Create();
  dialogs.Answer(IDOK);
  Click(setup->btnSCRSetup);  // the own saver, as designed
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"此屏幕保护程序没有可供设置的选项。"));
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"Quovel屏保提示"));
  EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
  EXPECT_TRUE(shell.calls.empty());

  Choose(setup->cbbSCRSaversName, 2);
  Click(setup->btnSCRSetup);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, L"config");
  EXPECT_EQ(shell.calls[0].file, setup->cbbSCRSavers->Items[2]);
  EXPECT_EQ(shell.calls[0].params, L"") << "the verb's template starts the saver for its settings";
  EXPECT_EQ(shell.calls[0].owner, setup->Handle());

  shell.calls.clear();
  Choose(setup->cbbSCRSaversName, 0);
  Click(setup->btnSCRSetup);
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(OpenScrWindows().empty());
}

// ---- the player ---------------------------------------------------------------------------------

TEST_F(ScreenSavers, WithThePlayerTheStartsAndTheSettingsAreItsCommands) {
  // The fake sibling stands in for the running player.
  TestFolder logs(L"qvplayer");
  const std::wstring log = logs / L"player.log";
  TestProcess player(WinPathFromBuild(FAKESIBLING_EXE),
                     L"--class " + std::wstring(kClassSaverDeck) + L" --log \"" + log + L"\"");
  ASSERT_TRUE(WaitFor([&] { return FindWindowW(kClassSaverDeck, nullptr) != nullptr; }));
  AddSaverFiles();
  Create();
  Click(setup->cbxUseSaverDeck);
  EXPECT_FALSE(setup->cbbSCRSaversName->Enabled()) << "the player chooses the savers";
  struct Case {
    bool random, banYing;
    const char* message;
  };
  const Case cases[] = {{false, false, "msg 0x8186"}, {true, false, "msg 0x8187"}, {false, true, "msg 0x8188"},
                        {true, true, "msg 0x8189"}};
  int lines = 0;
  auto logLines = [&] {
    std::vector<std::string> out;
    std::string text = ReadBytes(log), line;
    for (char ch : text) {
      if (ch == '\n') {
        if (line.rfind("msg", 0) == 0) out.push_back(line.substr(0, 10));
        line.clear();
      } else if (ch != '\r') {
        line += ch;
      }
    }
    return out;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    setup->cbxRandomSCR->SetChecked(c.random);
    setup->cbxBanYing->SetChecked(c.banYing);
    Click(setup->btnSCRPreview);
    ++lines;
    ASSERT_TRUE(WaitFor([&] { return int(logLines().size()) == lines; }, 5000));
    EXPECT_EQ(logLines().back(), c.message);
  }
  Click(setup->btnSCRSetup);
  ASSERT_TRUE(WaitFor([&] { return int(logLines().size()) == lines + 1; }, 5000));
  EXPECT_EQ(logLines().back(), "msg 0x8190") << "the player's accompaniment page";
  EXPECT_TRUE(OpenScrWindows().empty()) << "the local list is not used";
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  Click(setup->cbxUseSaverDeck);
  EXPECT_TRUE(setup->cbbSCRSaversName->Enabled());
}

// ---- the switch ---------------------------------------------------------------------------------

TEST_F(ScreenSavers, EveryWayOfTheSwitchTurnsBoxItemNoticeAndTimerTogether) {
  Create();
  struct Caller {
    const char* name;
    std::function<void(TfrmSetup*, TfrmMain*)> use;
    size_t boxes;  // message boxes per use
  };
  const Caller callers[] = {
      {"the check box", [](TfrmSetup* s, TfrmMain*) { Click(s->cbxEnableSelfSCR); }, 1},
      {"the tray item", [](TfrmSetup*, TfrmMain* m) { m->NDisableSelfSCR->Click(); }, 1},
      {"WIN+K", [](TfrmSetup* s, TfrmMain*) { s->cbxEnableSelfSCRClick(nullptr); }, 0},
      {"the statistics window's button",
       [](TfrmSetup*, TfrmMain* m) {
         if (!frmStat) {
           m->NStatClick(nullptr);
           PumpMessages();
           frmStat->PageControl1->SetActivePageIndex(2);  // "更多应用..."
         }
         ASSERT_TRUE(frmStat && IsWindowVisible(frmStat->btnSCRSwitch->Handle()));
         Click(frmStat->btnSCRSwitch);
         PumpMessages();
       },
       1},
  };
  for (const Caller& c : callers) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(setup->cbxEnableSelfSCR->Checked());
    for (size_t i = 0; i < c.boxes; ++i) dialogs.Answer(IDOK);
    dialogs.shown.clear();
    c.use(setup, main);
    EXPECT_FALSE(setup->cbxEnableSelfSCR->Checked());
    EXPECT_TRUE(SwitchItem()->Checked);
    EXPECT_TRUE(main->SchedulerSettings().SelfScrDisabled) << "the idle rule reads the item";
    EXPECT_EQ(Narrow(SwitchItem()->Caption), Narrow(L"屏保开关(WIN+K)--屏保已禁用,点击启用"));
    EXPECT_EQ(Narrow(PopHintText), Narrow(L"屏幕保护已禁用！"));
    EXPECT_EQ(PopHintFormColor, clRed);
    EXPECT_EQ(PopHintLabelColor, clTeal);
    ASSERT_NE(frmPopHint, nullptr);
    EXPECT_TRUE(frmPopHint->Visible());
    EXPECT_TRUE(setup->tmrToRestoreDisabledSCR->Enabled());
    EXPECT_EQ(setup->tmrToRestoreDisabledSCR->Interval(), 1800000u) << "30 minutes";
    ASSERT_EQ(dialogs.shown.size(), c.boxes);
    if (c.boxes) {
      EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"屏幕保护已禁用，您还可以用快捷键WIN＋K随时随地一键开关！"));
      EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"Quovel提示："));
      EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
    }

    for (size_t i = 0; i < c.boxes; ++i) dialogs.Answer(IDOK);
    dialogs.shown.clear();
    c.use(setup, main);
    EXPECT_TRUE(setup->cbxEnableSelfSCR->Checked());
    EXPECT_FALSE(SwitchItem()->Checked);
    EXPECT_EQ(Narrow(SwitchItem()->Caption), Narrow(L"屏保开关(WIN+K)--屏保已启用,点击禁用"));
    EXPECT_EQ(Narrow(PopHintText), Narrow(L"屏幕保护已启用！"));
    EXPECT_EQ(PopHintFormColor, clLime);
    EXPECT_FALSE(setup->tmrToRestoreDisabledSCR->Enabled());
    ASSERT_EQ(dialogs.shown.size(), c.boxes);
    if (c.boxes) {
      EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(ScrSwitchMessage(true)));
    }
  }
}

TEST_F(ScreenSavers, TheRestoreTimerTurnsTheSwitchBackWithTheNoticeOnly) {
  Create();
  setup->updRestoreSCRAfterMins->SetPosition(12);
  setup->cbxEnableSelfSCRClick(nullptr);  // WIN+K
  ASSERT_TRUE(SwitchItem()->Checked);
  EXPECT_EQ(setup->tmrToRestoreDisabledSCR->Interval(), 720000u);
  // A later change of the minutes acts at the next disabling.
  setup->updRestoreSCRAfterMins->SetPosition(40);
  EXPECT_EQ(setup->tmrToRestoreDisabledSCR->Interval(), 720000u);
  setup->tmrToRestoreDisabledSCR->Timer();
  EXPECT_FALSE(SwitchItem()->Checked);
  EXPECT_TRUE(setup->cbxEnableSelfSCR->Checked());
  EXPECT_FALSE(setup->tmrToRestoreDisabledSCR->Enabled());
  EXPECT_EQ(Narrow(PopHintText), Narrow(L"屏幕保护已启用！"));
  EXPECT_TRUE(dialogs.shown.empty());

  // Without "屏保被禁...分钟后自动恢复" the timer stays off.
  Click(setup->cbxAutoRestoreDisabledSCR);
  setup->cbxEnableSelfSCRClick(nullptr);
  EXPECT_TRUE(SwitchItem()->Checked);
  EXPECT_FALSE(setup->tmrToRestoreDisabledSCR->Enabled());
}

// ---- the tray's screen-saver items ------------------------------------------------------------

// The power seam's own start of a saver, the machine's power requests still guarded.
class SaverStartsForReal : public NoMachinePower {
 public:
  SaverStartsForReal() : saved_(&Power()) { SetPowerSeam(this); }
  ~SaverStartsForReal() override { SetPowerSeam(saved_); }
  void LaunchScreenSaver() override { PowerSeam::LaunchScreenSaver(); }

 private:
  PowerSeam* saved_;
};

TEST_F(ScreenSavers, StartNowLogsAnAutomaticOrAManualStartThenStartsTheSaver) {
  SaverStartsForReal start;
  Create();
  auto lastKind = [&] { return main->FCycles.back().back().Kind; };
  main->NLaunchSCRClick(nullptr);  // the idle rule
  EXPECT_EQ(lastKind(), ekAutoScreenSaver);
  EXPECT_EQ(main->FCycles.back().back().StartTick, clock.tick);
  EXPECT_EQ(OpenScrWindows().size(), 1u);
  CloseSavers();
  TMenuItem* item = TrayItem(L"NLaunchSCR");
  item->Click();
  EXPECT_EQ(lastKind(), ekManualScreenSaver);
  EXPECT_EQ(OpenScrWindows().size(), 1u);
  // The item stays hidden and disabled.
  EXPECT_FALSE(item->Visible);
  EXPECT_FALSE(item->Enabled);
}

TEST_F(ScreenSavers, TheOneKeySaverAndTheChangeReminderItemsCommandTheirPrograms) {
  ClassWindow zept(L"KMR474747_250_ZEPT"), console(kClassDeskpanel);
  Create();
  TrayItem(L"NLaunchZEPT")->Click();
  TrayItem(L"NRemind2ChangeSCR")->Click();
  TrayItem(L"NPingBaoXiaoMiShu")->Click();
  PumpMessages();
  EXPECT_EQ(zept.got, std::vector<UINT>{WM_ZEPT_ACTIVATE});
  EXPECT_EQ(console.got, (std::vector<UINT>{WM_DESKPANEL_REMIND, WM_DESKPANEL_REMIND}));
}

TEST_F(ScreenSavers, TheOwnSaverStaysBelowThePictureOverlay) {
  Create();
  // Stands in for the overlay window, named as it is.
  class TOverlayStub : public TForm {
   public:
    TOverlayStub() : TForm(Application) {
      InitFormFromText("object SOTForm: TSOTFormStub\n  Width = 200\n  Height = 100\n  BorderStyle = bsNone\nend\n",
                       "SOTForm", FormBinder());
    }
  };
  // The real overlay when the box's handler made one, else the stand-in.
  TForm* overlay = nullptr;
  for (TForm* f : Application->Forms())
    if (f->Name() == L"SOTForm" && f->Visible()) overlay = f;
  if (!overlay) {
    overlay = new TOverlayStub();
    overlay->Show();
  }
  ASSERT_TRUE(setup->cbxShowSOT->Checked());
  setup->ShowInternalSCR(false);
  ASSERT_EQ(OpenScrWindows().size(), 1u);
  HWND saver = OpenScrWindows()[0]->Handle();
  EXPECT_TRUE(OpenScrWindows()[0]->StaticMode());
  EXPECT_TRUE(GetWindowLongPtrW(overlay->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Above: the saver comes after the overlay in the z-order.
  bool below = false;
  for (HWND h = GetWindow(overlay->Handle(), GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
    if (h == saver) below = true;
  EXPECT_TRUE(below);
}

}  // namespace
