// The settings dialog as created: its pages and every setting's control at its design value, and
// its save question on closing; svd25cfg read and written through it, the first run, and every
// control's handler clicked as a user clicks it.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlayerFixture.h"
#include "SaverDeckFakes.h"
#include "Text.h"

namespace {

using SetupDialog = PlayerForms;

TEST_F(SetupDialog, FourPagesTheLastSelectedHiddenAtCreation) {
  TfrmSetupSaverDeck* s = frmSetupSaverDeck;
  EXPECT_EQ(s->Caption(), L"设置-[Sonavista]");
  EXPECT_FALSE(s->Visible());
  RECT client;
  GetClientRect(s->Handle(), &client);
  EXPECT_EQ(client.right, 463);
  EXPECT_EQ(client.bottom, 494);
  ASSERT_EQ(s->PageControl1->PageCount(), 4);
  const wchar_t* captions[] = {L"基本设置", L"屏保切换设置", L"屏保伴音设置", L"关于帮助杂项"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s->PageControl1->Pages(i)->Caption(), captions[i]);
  EXPECT_EQ(s->PageControl1->ActivePageIndex(), 3);
  EXPECT_EQ(s->PageControl1->Pages(2), s->tshSetupAutoScr);
}

TEST_F(SetupDialog, EverySettingStandsAtItsDesignValue) {
  TfrmSetupSaverDeck* s = frmSetupSaverDeck;
  struct Box {
    TCheckBox* box;
    const wchar_t* caption;
    bool checked, enabled;
  };
  const Box boxes[] = {
      {s->cbxEnableStartUpWithSys, L"随系统启动", true, true},
      {s->cbxMinimizeOnStart, L"启动后最小化到托盘", false, true},
      {s->cbxPlayMusListAtStart, L"启动时自动载入音乐列表(.QVML文件)", true, true},
      {s->cbxPlayImediately, L"添加音乐后立即开始播放", true, true},
      {s->cbxUseFlatButton, L"使用平面透明按钮", true, false},
      {s->cbxSlientStartupOnMsg, L"外部调用时静默启动（启动后缩至屏幕右下角托盘图标）", true, false},
  };
  for (const auto& b : boxes) {
    EXPECT_EQ(b.box->Caption(), b.caption);
    EXPECT_EQ(b.box->Checked(), b.checked) << Narrow(b.caption);
    EXPECT_EQ(b.box->Enabled(), b.enabled) << Narrow(b.caption);
  }
  struct Combo {
    TComboBox* combo;
    std::vector<std::wstring> items;
    int index;
    bool enabled;
  };
  const Combo combos[] = {
      {s->cbbSkins,
       {L"Quovel之绿", L"北国之雪", L"盛夏深绿", L"翡翠母绿", L"粉红之恋", L"温馨家居", L"金色梦境", L"蓝色畅想",
        L"蓝色经典", L"南极冰雪", L"深海秘境", L"天高云淡", L"铁血丹青", L"紫色情缘"},
       0, true},
      {s->cbbMusDir, {}, -1, true},
      {s->cbbTextSpeed, {L"飞快", L"快速", L"中速", L"慢速"}, 2, false},
      {s->cbbTransitFormStyle, {L"全屏", L"半屏（中穿）", L"窗口（居中）"}, 0, false},
      {s->cbbBanYingForAutoScr, {L"<自动选择拌音>", L"用播放列表拌音", L"用自选独立伴音", L"用内置独立伴音"}, 0, true},
      {s->cbbBanYingMusic, {L"自带背景音乐"}, 0, false},
      {s->cbbUseBanYingOrNot, {L"启用了伴音", L"未启用伴音"}, 1, false},
      {s->ComboBox2, {L"CTRL+A - 添加音乐", L"CTRL+M - 音乐模式界面", L"CTRL+N - 变换界面排列"}, 0, true},
  };
  for (const auto& c : combos) {
    EXPECT_EQ(c.combo->Items.List(), c.items) << Narrow(c.combo->Name());
    EXPECT_EQ(c.combo->ItemIndex(), c.index) << Narrow(c.combo->Name());
    EXPECT_EQ(c.combo->Enabled(), c.enabled) << Narrow(c.combo->Name());
  }
  struct Range {
    TUpDown* upDown;
    TEdit* edit;
    int min, max, step, position;
  };
  const Range ranges[] = {{s->updTimePlayEachScr, s->edtTimePlayEachScr, 30, 120, 10, 30},
                          {s->updTransitTime, s->edtTransitTime, 5, 20, 1, 10}};
  for (const auto& r : ranges) {
    EXPECT_EQ(r.upDown->Min(), r.min);
    EXPECT_EQ(r.upDown->Max(), r.max);
    EXPECT_EQ(r.upDown->Increment, r.step);
    EXPECT_EQ(r.upDown->Position(), r.position);
    EXPECT_EQ(r.edit->Text(), std::to_wstring(r.position));
  }
  for (TEdit* e : {s->edtPlayMusListAtStart, s->edtQVMLdir, s->edtPicDir, s->edtSelfSelectBanYing}) {
    EXPECT_TRUE(e->ReadOnly()) << Narrow(e->Name());
    EXPECT_EQ(e->Text(), L"") << Narrow(e->Name());
  }
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->Caption(), L"切换背景采用：");
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 0);
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->Items().Count(), 3);
  EXPECT_EQ(s->lblTransitFormColor->Color(), clHotLight);
  EXPECT_EQ(int32_t(clHotLight), -16777190);  // as the configuration file writes it
  EXPECT_TRUE(s->btnImg1->Down());
  EXPECT_FALSE(s->btnImg2->Down());
  EXPECT_EQ(s->btnImg1->GroupIndex, s->btnImg2->GroupIndex);
  EXPECT_FALSE(s->Image1->Visible());
  EXPECT_GT(s->Image1->Picture.Width(), 0) << "the built-in transit picture";
  EXPECT_EQ(s->imgTransitBackground->Picture.Width(), 0);
}

TEST_F(SetupDialog, ClosingAsksToSaveAndCancelKeepsItOpen) {
  TfrmSetupSaverDeck* s = frmSetupSaverDeck;
  for (int answer : {IDCANCEL, IDNO, IDYES}) {
    ScriptedDialogs dialogs;
    dialogs.Answer(answer);
    s->Show();
    s->cbxMinimizeOnStart->SetChecked(false);
    SendMessageW(s->bbtClose->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, L"存盘提示:");
    EXPECT_EQ(IsWindowVisible(s->Handle()) != FALSE, answer == IDCANCEL) << answer;
    EXPECT_NE(frmSetupSaverDeck, nullptr) << "closing only hides it";
  }
}

}  // namespace

// ---- svd25cfg, the creation and the controls' handlers -------------------------------------------

namespace {

const wchar_t kWelcome[] = L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...";

// The file's bytes as GBK lines, each ended by CR LF.
std::string FileBytes(const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += WideToCodePage(l, 936) + "\r\n";
  return bytes;
}

class Settings : public PlayerForms {
 protected:
  // The dialog made again as the start makes it, on the world as the test has left it.
  void Recreate() { s = RecreateSettings(); }
  void WriteConfig(const std::vector<std::wstring>& lines) { WriteTextLines(world.ConfigPath(), lines); }
  // Closes with the save question answered.
  void CloseAnswering(int answer) {
    dialogs.Answer(answer);
    s->Show();
    SendMessageW(s->bbtClose->Handle(), BM_CLICK, 0, 0);
    PumpMessages();
  }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> t;
    for (const auto& b : dialogs.shown) t.push_back(b.text);
    return t;
  }
  static void Click(TWinControl* c) {
    SendMessageW(c->Handle(), BM_CLICK, 0, 0);
    PumpMessages();
  }

  ScriptedDialogs dialogs;
  RecordingShell shell;
  RecordingNotify notify;
  TfrmSetupSaverDeck* s = frmSetupSaverDeck;
  TestFolder files{L"qvsvdfiles"};

  void SetUp() override {
    PlayerForms::SetUp();
    s = frmSetupSaverDeck;
  }
};

const std::vector<std::wstring> kDesignLines = {
    L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", L"[0] FALSE TRUE TRUE", L"[1] 0", L"[2]",
    L"[3] 30 10 2 0 -16777190 1", L"[4] 0 TRUE", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"-1"};

TEST_F(Settings, WithoutAFileYesWritesTheDesignLinesByteForByte) {
  ASSERT_FALSE(FileExists(world.ConfigPath()));
  Recreate();
  EXPECT_TRUE(dialogs.shown.empty()) << "no file: silent";
  EXPECT_EQ(s->imgTransitBackground->Picture.Width(), 0) << "no picture restored";
  CloseAnswering(IDNO);
  EXPECT_FALSE(FileExists(world.ConfigPath())) << "No writes nothing";
  CloseAnswering(IDYES);
  EXPECT_EQ(ReadBytes(world.ConfigPath()), FileBytes(kDesignLines));
  EXPECT_FALSE(IsWindowVisible(s->Handle()));
}

TEST_F(Settings, ASavedFileComesBackIntoEveryControlAndIsWrittenAgainAsItWas) {
  const std::wstring picture = files / L"背景.bmp";
  WriteBitmapFile(picture, 8, 6);
  const std::vector<std::wstring> lines = {
      kDesignLines[0], L"[0] TRUE FALSE TRUE", L"[1] 5", L"[2]", L"[3] 90 7 1 0 255 2", L"[4] 3 FALSE",
      L"C:\\列表\\开机.qvml", L"C:\\伴音.mp3", picture, L"C:\\列表", L"C:\\图片", L"C:\\音乐一", L"C:\\音乐二",
      L"", L"", L"", L"1"};
  WriteConfig(lines);
  Recreate();
  EXPECT_TRUE(dialogs.shown.empty()) << "setting the start-hidden box from the file asks nothing";
  EXPECT_TRUE(s->cbxMinimizeOnStart->Checked());
  EXPECT_FALSE(s->cbxPlayMusListAtStart->Checked());
  EXPECT_EQ(s->cbbSkins->ItemIndex(), 5);
  EXPECT_EQ(s->updTimePlayEachScr->Position(), 90);
  EXPECT_EQ(s->edtTimePlayEachScr->Text(), L"90");
  EXPECT_EQ(s->updTransitTime->Position(), 7);
  EXPECT_EQ(s->cbbTextSpeed->ItemIndex(), 1);
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 0) << "the picture comes back, the colour choice stays";
  EXPECT_EQ(s->lblTransitFormColor->Color(), 255);
  EXPECT_TRUE(s->btnImg2->Down());
  EXPECT_FALSE(s->btnImg1->Down());
  EXPECT_EQ(s->imgTransitBackground->Picture.Width(), 8);
  EXPECT_EQ(s->Image2->Picture.Width(), 8);
  EXPECT_EQ(s->cbbBanYingForAutoScr->ItemIndex(), 3);
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 3) << "the main window's source follows";
  EXPECT_EQ(s->Panel1->Color(), clBtnFace);
  EXPECT_EQ(s->Panel3->Color(), clGreen);
  EXPECT_FALSE(s->cbxSlientStartupOnMsg->Checked());
  EXPECT_EQ(s->edtPlayMusListAtStart->Text(), L"C:\\列表\\开机.qvml");
  EXPECT_EQ(s->edtSelfSelectBanYing->Text(), L"C:\\伴音.mp3");
  EXPECT_EQ(s->OpenPictureDialog1->FileName, picture);
  EXPECT_EQ(s->edtQVMLdir->Text(), L"C:\\列表");
  EXPECT_EQ(s->edtPicDir->Text(), L"C:\\图片");
  EXPECT_EQ(s->cbbMusDir->Items.List(), (std::vector<std::wstring>{L"C:\\音乐一", L"C:\\音乐二"}));
  EXPECT_EQ(s->cbbMusDir->ItemIndex(), 1);
  CloseAnswering(IDYES);
  EXPECT_EQ(ReadBytes(world.ConfigPath()), FileBytes(lines));
}

TEST_F(Settings, APictureThatIsGoneOrDoesNotLoadGivesTheBuiltInOne) {
  const std::wstring broken = files / L"坏.jpg";
  WriteBytes(broken, "not a picture at all");
  for (const std::wstring& picture : {files / L"不在.jpg", broken}) {
    SCOPED_TRACE(Narrow(picture));
    WriteConfig({kDesignLines[0], L"[0] FALSE TRUE TRUE", L"[1] 0", L"[2]", L"[3] 30 10 2 1 255 2", L"[4] 0 TRUE",
                 L"", L"", picture, L"", L"", L"", L"", L"", L"", L"", L"-1"});
    const bool loads = picture != broken;
    if (!loads) dialogs.Answer(IDOK);
    Recreate();
    EXPECT_EQ(dialogs.shown.size(), loads ? 0u : 1u);
    EXPECT_TRUE(s->btnImg1->Down());
    EXPECT_EQ(s->imgTransitBackground->Picture.Graphic, s->Image1->Picture.Graphic);
    EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 1) << "the saved choice stays";
    EXPECT_EQ(s->OpenPictureDialog1->FileName, picture) << "kept for the next save";
    dialogs.shown.clear();
  }
}

TEST_F(Settings, ADamagedFileShowsOneBoxReadsTheRestAndTheStartGoesOn) {
  world.DeleteRunValue();
  WriteConfig({kDesignLines[0], L"[0] TRUE", L"[1] x", L"[2]", L"[3] 300  1 9 16777216 2", L"[4] 2 FALSE",
               std::wstring(300, L'长'), L"C:\\伴音.mp3", L"", L"", L"", L"C:\\一", L"", L"", L"", L"", L"one"});
  dialogs.Answer(IDOK);
  Recreate();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const std::wstring& text = dialogs.shown[0].text;
  EXPECT_NE(text.find(L"svd25cfg 中有 3 个值无法读取"), std::wstring::npos) << Narrow(text);
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONERROR, UINT(MB_ICONERROR));
  EXPECT_TRUE(s->cbxMinimizeOnStart->Checked());
  EXPECT_EQ(s->cbbSkins->ItemIndex(), 0);
  EXPECT_EQ(s->updTimePlayEachScr->Position(), 120) << "held in its range";
  EXPECT_EQ(s->updTransitTime->Position(), 10);
  EXPECT_EQ(s->cbbTextSpeed->ItemIndex(), 1);
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 0);
  EXPECT_EQ(s->lblTransitFormColor->Color(), clHotLight);
  EXPECT_EQ(s->cbbBanYingForAutoScr->ItemIndex(), 2);
  EXPECT_EQ(s->edtPlayMusListAtStart->Text(), std::wstring(300, L'长'));
  EXPECT_EQ(s->cbbMusDir->Items.Count(), 1);
  EXPECT_EQ(s->cbbMusDir->ItemIndex(), -1);
  EXPECT_TRUE(s->btnImg1->Down()) << "no picture file: the built-in one";
  EXPECT_FALSE(s->cbxEnableStartUpWithSys->Checked()) << "the auto-start step still ran";
  EXPECT_EQ(world.RunValue(), L"") << "showing it wrote nothing";

  // The next Yes keeps what was read.
  CloseAnswering(IDYES);
  const std::vector<std::wstring> saved = ReadTextLines(world.ConfigPath());
  ASSERT_EQ(saved.size(), 17u);
  EXPECT_EQ(saved[1], L"[0] TRUE TRUE TRUE");
  EXPECT_EQ(saved[6], std::wstring(300, L'长'));
  EXPECT_EQ(saved[11], L"C:\\一");
}

TEST_F(Settings, ASaveThatFailsKeepsTheDialogOpenAndTheOldFile) {
  WriteConfig(kDesignLines);
  SetPlayerConfigFolder(files / L"没有这个文件夹");
  dialogs.Answer(IDYES).Answer(IDOK);
  s->Show();
  Click(s->bbtClose);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].flags & MB_ICONERROR, UINT(MB_ICONERROR));
  EXPECT_TRUE(IsWindowVisible(s->Handle())) << "the close is abandoned";
  SetPlayerConfigFolder(world.config.Path());
  EXPECT_EQ(ReadBytes(world.ConfigPath()), FileBytes(kDesignLines));
  dialogs.Answer(IDNO);
  Click(s->bbtClose);
}

// ---- the first run ----

TEST_F(Settings, AFirstRunWelcomesWritesThePathFileRunValueFileTypeAndCallsTheConsole) {
  DeleteFileW(world.PathFileName(kSaverDeckPathFile).c_str());
  world.DeleteRunValue();
  const std::wstring console = files / L"deskpanel.exe";
  WriteBytes(console, "MZ");
  world.PathFile(L"dir4", {console, L"30"});
  dialogs.Answer(IDOK);
  Recreate();
  ASSERT_EQ(Texts(), std::vector<std::wstring>{kWelcome});
  EXPECT_EQ(dialogs.shown[0].caption, L"欢迎使用Sonavista！");
  EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OK));
  const std::vector<std::wstring> pathFile = ReadTextLines(world.PathFileName(kSaverDeckPathFile));
  EXPECT_EQ(pathFile, (std::vector<std::wstring>{OwnExePath(), L"25"}));
  EXPECT_EQ(world.RunValue(), L"\"" + OwnExePath() + L"\"");
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, world.keys.Path() + L"\\.qvml", L""), L"qvml_auto_file");
  EXPECT_EQ(notify.count, 1);
  ASSERT_EQ(shell.calls.size(), 1u) << "the console started";
  EXPECT_EQ(shell.calls[0].file, console);
  EXPECT_TRUE(s->cbxEnableStartUpWithSys->Checked()) << "the box shows the value written";

  // The next start finds its path, in whatever spelling.
  dialogs.shown.clear();
  world.PathFile(kSaverDeckPathFile, {CharUpperW(std::wstring(OwnExePath()).data()), L"25"});
  Recreate();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(Settings, AFirstRunWhoseRegistryRefusesStillLoadsTheSettings) {
  DeleteFileW(world.PathFileName(kSaverDeckPathFile).c_str());
  world.folders.registry.Deny(HKEY_CLASSES_ROOT, L".qvml");
  world.PathFile(L"dir4", {files / L"deskpanel.exe", L"30"});
  WriteBytes(files / L"deskpanel.exe", "MZ");
  WriteConfig({kDesignLines[0], L"[0] FALSE TRUE TRUE", L"[1] 9"});
  dialogs.Answer(IDOK).Answer(IDOK);
  Recreate();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].flags & MB_ICONERROR, UINT(MB_ICONERROR)) << Narrow(dialogs.shown[1].text);
  EXPECT_EQ(ReadPathFile(kSaverDeckPathFile), OwnExePath()) << "written before the refusal";
  EXPECT_EQ(shell.calls.size(), 1u) << "the console is still called";
  EXPECT_EQ(s->cbbSkins->ItemIndex(), 9) << "the settings are still read";
}

// ---- page 0 ----

TEST_F(Settings, StartWithWindowsWritesAndAsksBeforeRemovingAndShowsWhatHolds) {
  ASSERT_TRUE(s->cbxEnableStartUpWithSys->Checked());
  s->Show();
  dialogs.Answer(IDNO);
  Click(s->cbxEnableStartUpWithSys);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"你真要取消开机自动运行吗？");
  EXPECT_EQ(dialogs.shown[0].caption, L"Confirm");
  EXPECT_TRUE(s->cbxEnableStartUpWithSys->Checked());
  EXPECT_EQ(world.RunValue(), OwnExePath()) << "the bare value of an older version, as it was";
  EXPECT_FALSE(s->AutoRunClickGuard);

  dialogs.Answer(IDYES);
  Click(s->cbxEnableStartUpWithSys);
  EXPECT_FALSE(s->cbxEnableStartUpWithSys->Checked());
  EXPECT_EQ(world.RunValue(), L"");

  Click(s->cbxEnableStartUpWithSys);
  EXPECT_EQ(dialogs.shown.size(), 2u) << "ticking asks nothing";
  EXPECT_TRUE(s->cbxEnableStartUpWithSys->Checked());
  EXPECT_EQ(world.RunValue(), L"\"" + OwnExePath() + L"\"");

  // A Run key that cannot be opened: the box does not pretend.
  world.DeleteRunValue();
  dialogs.Answer(IDYES);
  Click(s->cbxEnableStartUpWithSys);
  world.folders.registry.Deny(HKEY_LOCAL_MACHINE, kRunKeyPath);
  Click(s->cbxEnableStartUpWithSys);
  EXPECT_FALSE(s->cbxEnableStartUpWithSys->Checked());
  EXPECT_FALSE(s->AutoRunClickGuard);
}

TEST_F(Settings, StartHiddenAsksWhenTickedAndNoClearsItAgain) {
  s->Show();
  for (int answer : {IDNO, IDYES}) {
    dialogs.Answer(answer);
    Click(s->cbxMinimizeOnStart);
    EXPECT_EQ(dialogs.shown.back().text, L"下次启动时它将不显示主画面，而是先缩小到屏幕右下角图标，确定选择吗？");
    EXPECT_EQ(dialogs.shown.back().caption, L"确认：");
    EXPECT_EQ(s->cbxMinimizeOnStart->Checked(), answer == IDYES);
  }
  Click(s->cbxMinimizeOnStart);
  EXPECT_EQ(dialogs.shown.size(), 2u) << "clearing asks nothing";
}

TEST_F(Settings, MusicFoldersUpToFiveTheSameOneTwiceTheLastSelected) {
  s->Show();
  const std::wstring a = files / L"歌", b = files / L"曲";
  dialogs.ChooseFolder(a).ChooseFolder(a).CancelDialog().ChooseFolder(b).ChooseFolder(b).ChooseFolder(b);
  for (int i = 0; i < 6; ++i) Click(s->btnAddMusDir);
  ASSERT_GE(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, ScriptedDialogs::kFolder);
  EXPECT_EQ(dialogs.asked[0].title, L"添加您常用的音乐文件夹供方便调用，总数不超过5个。");
  EXPECT_EQ(dialogs.asked[0].owner, s->Handle());
  EXPECT_EQ(s->cbbMusDir->Items.List(), (std::vector<std::wstring>{a, a, b, b, b}));
  EXPECT_EQ(s->cbbMusDir->ItemIndex(), 4);
  EXPECT_TRUE(dialogs.shown.empty());
  dialogs.Answer(IDOK);
  Click(s->btnAddMusDir);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"你预设的常用音乐文件夹总数已达5个，不能再添加。");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示");
  EXPECT_EQ(s->cbbMusDir->Items.Count(), 5);

  UserChoose(s->cbbMusDir, 1);
  Click(s->btnDeleteMusDir);
  EXPECT_EQ(s->cbbMusDir->Items.List(), (std::vector<std::wstring>{a, b, b, b}));
  EXPECT_EQ(s->cbbMusDir->ItemIndex(), 3) << "the last one left";
  for (int i = 0; i < 4; ++i) Click(s->btnDeleteMusDir);
  EXPECT_EQ(s->cbbMusDir->ItemIndex(), -1);
}

TEST_F(Settings, PlaylistAndPictureFoldersAndTheStartUpPlaylistAreChosenAndCleared) {
  s->Show();
  const std::wstring lists = files / L"列表", pics = files / L"图片", list = lists + L"\\开机.qvml";
  dialogs.ChooseFolder(lists).ChooseFile(list).ChooseFolder(pics);
  Click(s->btnAddQVMLdir);
  EXPECT_EQ(s->edtQVMLdir->Text(), lists);
  Click(s->btnAddQVML);
  EXPECT_EQ(s->edtPlayMusListAtStart->Text(), list);
  Click(s->btnAddPicDir);
  EXPECT_EQ(s->edtPicDir->Text(), pics);
  ASSERT_EQ(dialogs.asked.size(), 3u);
  EXPECT_EQ(dialogs.asked[0].title, L"请选择您专门用于存放播放列表的文件夹（默认位置）。");
  EXPECT_EQ(dialogs.asked[1].title, L"选择Quovel音乐播放列表：");
  EXPECT_EQ(dialogs.asked[1].initialDir, lists);
  EXPECT_EQ(dialogs.asked[2].title, L"请选择您专门用于存放图片的文件夹（默认位置）。");
  dialogs.CancelDialog();
  Click(s->btnAddQVMLdir);
  EXPECT_EQ(s->edtQVMLdir->Text(), lists) << "Cancel changes nothing";
  Click(s->btnClearQVML);
  Click(s->btnClearQVMLdir);
  Click(s->btnClearPicDir);
  EXPECT_EQ(s->edtPlayMusListAtStart->Text(), L"");
  EXPECT_EQ(s->edtQVMLdir->Text(), L"");
  EXPECT_EQ(s->edtPicDir->Text(), L"");
}

// ---- page 1 ----

TEST_F(Settings, TheTransitBackgroundColourPictureAndBuiltInPicture) {
  s->Show();
  s->PageControl1->SetActivePageIndex(1);
  dialogs.ChooseColor(RGB(10, 20, 30));
  s->rdgTransitFormBackgroundUse->SetItemIndex(1);
  UserClick(s->lblTransitFormColor);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].color, ColorToRGB(clHotLight)) << "starts at the swatch's colour";
  EXPECT_EQ(s->lblTransitFormColor->Color(), TColor(RGB(10, 20, 30)));
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 0);

  // "2": a picture file, from the picture folder.
  const std::wstring picture = files / L"图.bmp";
  WriteBitmapFile(picture, 5, 4);
  s->edtPicDir->SetText(files.Path());
  dialogs.ChooseFile(picture);
  UserClick(s->btnImg2);
  EXPECT_EQ(dialogs.asked.back().initialDir, files.Path());
  EXPECT_TRUE(s->btnImg2->Down());
  EXPECT_EQ(s->imgTransitBackground->Picture.Width(), 5);
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 2);

  // "1": the built-in picture; a click on the preview chooses the picture background.
  s->rdgTransitFormBackgroundUse->SetItemIndex(0);
  UserClick(s->btnImg1);
  EXPECT_EQ(s->imgTransitBackground->Picture.Graphic, s->Image1->Picture.Graphic);
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 2);
  s->rdgTransitFormBackgroundUse->SetItemIndex(0);
  UserClick(s->imgTransitBackground);
  EXPECT_EQ(s->rdgTransitFormBackgroundUse->ItemIndex(), 2);

  // "2" cancelled with the earlier file there: the earlier file again.
  dialogs.CancelDialog();
  UserClick(s->btnImg2);
  EXPECT_TRUE(s->btnImg2->Down());
  EXPECT_EQ(s->imgTransitBackground->Picture.Width(), 5);
  // ... and with none: the built-in one.
  DeleteFileW(picture.c_str());
  dialogs.CancelDialog();
  UserClick(s->btnImg2);
  EXPECT_TRUE(s->btnImg1->Down());
  EXPECT_EQ(s->imgTransitBackground->Picture.Graphic, s->Image1->Picture.Graphic);

  // A chosen file that is no picture: the error, and the earlier picture stays.
  const std::wstring broken = files / L"坏.jpg";
  WriteBytes(broken, "no picture");
  dialogs.ChooseFile(broken);
  dialogs.Answer(IDOK);
  UserClick(s->btnImg2);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONERROR, UINT(MB_ICONERROR));
  EXPECT_TRUE(s->btnImg1->Down());
  EXPECT_EQ(s->imgTransitBackground->Picture.Graphic, s->Image1->Picture.Graphic);
  EXPECT_EQ(s->OpenPictureDialog1->FileName, picture) << "the earlier file name stays for the next save";
}

// ---- page 2 ----

TEST_F(Settings, TheSourceForOutsideRunsColoursThePanelsAndSetsTheMainWindowsSource) {
  s->Show();
  s->PageControl1->SetActivePageIndex(2);
  // Sources with something in them, so that no choice is questioned.
  frmMusicList->CheckListBox1->Items.Assign({L"C:\\a.mp3"});
  s->edtSelfSelectBanYing->SetText(L"C:\\伴音.mp3");
  struct Case {
    int source;
    TColor p1, p2, p3;
  };
  const Case cases[] = {{1, clGreen, clBtnFace, clBtnFace},
                        {2, clBtnFace, clGreen, clBtnFace},
                        {3, clBtnFace, clBtnFace, clGreen},
                        {0, clGreen, clGreen, clGreen}};
  for (const Case& c : cases) {
    UserChoose(s->cbbBanYingForAutoScr, c.source);
    EXPECT_EQ(s->Panel1->Color(), c.p1) << c.source;
    EXPECT_EQ(s->Panel2->Color(), c.p2) << c.source;
    EXPECT_EQ(s->Panel3->Color(), c.p3) << c.source;
    EXPECT_EQ(main->cbbBanYing->ItemIndex(), c.source);
  }
}

TEST_F(Settings, TheOwnAccompanimentFileIsChosenWithOneFileAndCleared) {
  s->Show();
  s->PageControl1->SetActivePageIndex(2);
  auto* music = dynamic_cast<TOpenDialog*>(main->FindComponent(L"dlgOpenMusic"));
  ASSERT_NE(music, nullptr);
  const TOpenOptions before = music->Options;
  s->cbbMusDir->Items.Assign({files / L"歌"});
  s->cbbMusDir->SetItemIndex(0);
  const std::wstring song = files / L"歌\\伴.mp3";
  dialogs.ChooseFile(song);
  Click(s->btnSelectSelfDuLiBanYing);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].title, L"选择伴音音乐");
  EXPECT_EQ(dialogs.asked[0].initialDir, files / L"歌");
  EXPECT_EQ(dialogs.asked[0].flags & OFN_ALLOWMULTISELECT, 0u);
  EXPECT_EQ(music->Options, before) << "the main window's dialog keeps its own options";
  EXPECT_EQ(s->edtSelfSelectBanYing->Text(), song);
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 2);
  Click(s->btnDeleteSelfDuLiBanYing);
  EXPECT_EQ(s->edtSelfSelectBanYing->Text(), L"");
  EXPECT_EQ(main->cbbBanYing->ItemIndex(), 0);
}

TEST_F(Settings, AnOwnAccompanimentGbkCannotHoldIsSavedAsAFormThatOpensItOrNotAtAll) {
  WriteConfig(kDesignLines);
  const std::wstring folder = files / L"sd";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring song = folder + L"\\한국노래.wav";
  WriteBytes(song, "RIFF");
  s->Show();
  s->PageControl1->SetActivePageIndex(2);
  dialogs.ChooseFile(song);
  Click(s->btnSelectSelfDuLiBanYing);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].title, L"选择伴音音乐");
  CloseAnswering(IDYES);
  ASSERT_EQ(dialogs.shown.size(), 1u) << "the file keeps the name: only the save question";
  // Line 8 holds the name as the file can: the short form, which opens the chosen file.
  std::vector<std::wstring> saved = ReadTextLines(world.ConfigPath());
  ASSERT_EQ(saved.size(), kDesignLines.size());
  const std::wstring stored = saved[7];
  EXPECT_EQ(stored.find(L'?'), std::wstring::npos) << Narrow(stored);
  EXPECT_EQ(ReadBytes(stored), "RIFF");
  wchar_t full[MAX_PATH] = {}, chosen[MAX_PATH] = {};
  GetLongPathNameW(stored.c_str(), full, MAX_PATH);
  GetLongPathNameW(song.c_str(), chosen, MAX_PATH);
  EXPECT_EQ(std::wstring(full), std::wstring(chosen));

  // A name of a file that is gone has no short form: the save says so and keeps the file's value.
  const std::wstring gone = folder + L"\\\U0001F3B5없는노래.wav";
  s->Show();
  dialogs.ChooseFile(gone);
  Click(s->btnSelectSelfDuLiBanYing);
  EXPECT_EQ(s->edtSelfSelectBanYing->Text(), gone);
  dialogs.shown.clear();
  dialogs.Answer(IDYES).Answer(IDOK);
  SendMessageW(s->bbtClose->Handle(), BM_CLICK, 0, 0);
  PumpMessages();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_NE(dialogs.shown[1].text.find(L"无法保存该文件名"), std::wstring::npos) << Narrow(dialogs.shown[1].text);
  EXPECT_NE(dialogs.shown[1].text.find(gone), std::wstring::npos);
  EXPECT_EQ(dialogs.shown[1].owner, s->Handle());
  saved = ReadTextLines(world.ConfigPath());
  ASSERT_EQ(saved.size(), kDesignLines.size());
  EXPECT_EQ(saved[7], stored) << "the old value, not one naming another file";
  EXPECT_FALSE(IsWindowVisible(s->Handle())) << "the rest is saved and the dialog closes";
}

TEST_F(Settings, TheNoticesOfPageTwoAndTheEmptyPlaylistQuestion) {
  s->Show();
  s->PageControl1->SetActivePageIndex(2);
  dialogs.Answer(IDOK).Answer(IDOK).Answer(IDOK).Answer(IDNO).Answer(IDYES);
  dialogs.CancelDialog();
  Click(s->btnHelp_AboutBanYing);
  Click(s->btnHelp_AboutBanYing2);
  UserClick(s->lblMoreExternalClients);
  Click(s->btnSetBanYingPlayList);
  Click(s->btnSetBanYingPlayList);
  ASSERT_EQ(dialogs.shown.size(), 5u);
  EXPECT_EQ(dialogs.shown[0].text, L"播放列表->自选独立伴音->内置独立伴音,但播放器正在播放音乐时不停止!");
  EXPECT_EQ(dialogs.shown[0].caption, L"自动伴音的选择顺序为：");
  EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION));
  EXPECT_EQ(dialogs.shown[1].text, dialogs.shown[0].text);
  EXPECT_EQ(dialogs.shown[2].text, L"本软件提供了供外部调用屏保及音乐播放的接口，欢迎第三方软件开发者加入。");
  EXPECT_EQ(dialogs.shown[2].caption, L"Quovel软件诚邀：");
  EXPECT_EQ(dialogs.shown[3].text, L"音乐播放器列表里没有文件，是否现在就添加？");
  EXPECT_EQ(dialogs.shown[3].caption, L"Quovel提示：");
  // Yes opens the player's own dialog to add music.
  ASSERT_EQ(dialogs.asked.size(), 1u) << "Yes adds music";
  EXPECT_EQ(dialogs.asked[0].title, L"打开音乐");

  frmMusicList->CheckListBox1->Items.Assign({L"C:\\a.mp3"});
  Click(s->btnSetBanYingPlayList);
  EXPECT_EQ(dialogs.shown.size(), 5u) << "a playlist with music asks nothing";
  // Each press arranges the windows as arrangement 4: the playlist above the main window, the
  // dialog beside both.
  EXPECT_EQ(ArrangeIndex, 5);
  EXPECT_TRUE(IsWindowVisible(frmMusicList->Handle()));
  EXPECT_EQ(frmMusicList->Left(), main->Left());
  EXPECT_EQ(main->Top(), frmMusicList->Top() + frmMusicList->Height());
  EXPECT_EQ(s->Left(), main->Left() + main->Width());
}

TEST_F(Settings, ThePlayControlButtonPopsUpThePlaylistMenu) {
  s->Show();
  s->PageControl1->SetActivePageIndex(2);
  PopupMenuWatch watch;
  Click(s->btnSetPlayControl);
  EXPECT_TRUE(watch.Seen());
}

TEST_F(Settings, TheProductIconsShowTheAboutPage) {
  for (TSpeedButton* b : {s->btnProductICON1, s->btnProductICON2, s->btnProductICON3, s->btnProductICON4}) {
    s->Hide();
    s->PageControl1->SetActivePageIndex(2);
    UserClick(b);
    EXPECT_TRUE(IsWindowVisible(s->Handle())) << Narrow(b->Name());
    EXPECT_EQ(s->PageControl1->ActivePageIndex(), 3);
  }
}

// ---- page 3 ----

TEST_F(Settings, EachLinkOpensItsPageWithTheDialogAsOwner) {
  s->Show();
  const HWND w = s->Handle();
  EXPECT_EQ(s->lblWebSite->Caption(), HomePageAddress());
  EXPECT_EQ(s->lblEmail->Caption(), ContactEmailAddress());
  RecordingShell expected;
  OpenHomePage(w);
  OpenMessengerChat(w);
  OpenShopMessengerChat(w);
  OpenSuggestionPage(w);
  OpenVotePage(w, 3);
  OpenHelpPage(w, 3);
  OpenPromoPage(w, false, 0);
  OpenWebSearch(w, L"天气");
  OpenWebSearch(w, L"时间");
  OpenWebSearch(w, L"日历");
  OpenRadioSearch(w);
  OpenWebSearch(w, L"地图");
  OpenWebSearch(w, L"翻译");
  SetShellSeam(&shell);
  UserClick(s->lblWebSite);
  UserClick(s->btnQQ);
  UserClick(s->btnWangWang);
  Click(s->btnSuggest);
  Click(s->btnVote);
  Click(s->btnHelp);
  // The link menu's items, as the menu sends them.
  for (TMenuItem* item : {s->NShares, s->NWeb_MyVendora, s->NMore_PCKnowledge, s->NMore_Weather, s->NMore_Clock,
                          s->NMore_RiLi, s->NFm, s->NMore_Map, s->NMore_CiDian})
    item->Click();
  ASSERT_EQ(shell.calls.size(), expected.calls.size() + 2);
  size_t e = 0;
  for (size_t i = 0; i < shell.calls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shell.calls[i].owner, w);
    EXPECT_EQ(shell.calls[i].verb, L"");
    if (i == 6 || i == 8) {  // the maker's blog pages
      EXPECT_EQ(shell.calls[i].file.find(HomePageAddress()), 0u);
      EXPECT_EQ(shell.calls[i].show, SW_SHOWNORMAL);
      continue;
    }
    EXPECT_EQ(shell.calls[i].file, expected.calls[e].file);
    EXPECT_EQ(shell.calls[i].show, expected.calls[e].show);
    ++e;
  }
  PopupMenuWatch watch;
  Click(s->btnMore_Links);
  EXPECT_TRUE(watch.Seen());
}

TEST_F(Settings, TheShortcutButtonsMakeTheirLinks) {
  s->Show();
  dialogs.Answer(IDOK).Answer(IDOK);
  Click(s->btnAddtoStartMenu);
  Click(s->btnCreateDeskIcon);
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"添加成功！", L"添加成功！"}));
  EXPECT_TRUE(FileExists(world.folders.programs + L"\\Quovel软件创新产品\\Sonavista.lnk"));
  EXPECT_TRUE(FileExists(world.folders.desktop + L"\\Sonavista.lnk"));
}

TEST_F(Settings, TheSiblingButtonsStartTheirPrograms) {
  FakeClock clock;  // the launch's looks for the started program pass at once
  s->Show();
  struct Sibling {
    TButton* button;
    const wchar_t* pathFile;
  };
  const Sibling siblings[] = {
      {s->btnBKWDAutoScrSetup, L"dir1"}, {s->btnZEPT, L"dir2"}, {s->btnMINV, L"dir5"}, {s->btnDeskpanel, L"dir4"}};
  for (const Sibling& x : siblings) {
    const std::wstring exe = files / (std::wstring(x.pathFile) + L".exe");
    WriteBytes(exe, "MZ");
    world.PathFile(x.pathFile, {exe, L"30"});
  }
  for (const Sibling& x : siblings) Click(x.button);
  ASSERT_EQ(shell.calls.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(shell.calls[i].file, files / (std::wstring(siblings[i].pathFile) + L".exe"));
    EXPECT_EQ(shell.calls[i].owner, s->Handle());
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
