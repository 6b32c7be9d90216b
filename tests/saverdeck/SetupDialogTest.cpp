// The settings dialog as created: its pages and every setting's control at its design value, and
// its save question on closing.
#include <gtest/gtest.h>

#include "PlayerFixture.h"

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
