// The further controls as real windows: what a description sets, what the program's settings do
// (no handler for an index, OnChange for a scroll bar's position), what a user's action does, and
// the limits that positions keep.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "unitFrmControls.h"

namespace {

class ControlsForm : public testing::Test {
 protected:
  void SetUp() override { f = new TfrmControls(Application); }
  void TearDown() override { TComponent::Free(f); }

  // What a control sends its parent when the user changes it: the change, then the notification.
  static void UserCommand(TWinControl* c, UINT setMsg, WPARAM index, WORD code) {
    ::UserCommand(c->Handle(), setMsg, index, code);
  }
  static void UserScroll(TWinControl* c, UINT msg, int code, int pos = 0) {
    HWND h = c->Handle();
    SendMessageW(GetParent(h), msg, MAKEWPARAM(code, WORD(pos)), LPARAM(h));
  }
  static LRESULT Notify(TWinControl* c, NMHDR& hdr) {
    HWND h = c->Handle();
    hdr.hwndFrom = h;
    hdr.idFrom = UINT_PTR(GetDlgCtrlID(h));
    return SendMessageW(GetParent(h), WM_NOTIFY, hdr.idFrom, LPARAM(&hdr));
  }
  static void UserStep(TUpDown* u, int delta) {
    NMUPDOWN nm{};
    nm.hdr.code = UINT(UDN_DELTAPOS);
    nm.iPos = u->Position();
    nm.iDelta = delta;
    Notify(u, nm.hdr);
  }
  static void Click(TWinControl* c) {
    SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  TfrmControls* f = nullptr;
  using Log = std::vector<std::wstring>;
};

TEST_F(ControlsForm, DescriptionSetsItemsIndexesRangesAndNestedPages) {
  EXPECT_EQ(f->pgcMain->PageCount(), 3);
  EXPECT_EQ(f->pgcMain->ActivePage(), f->tshLists);
  EXPECT_EQ(f->pgcMain->ActivePageIndex(), 1);
  EXPECT_EQ(f->tshButtons->PageIndex(), 2);
  EXPECT_EQ(f->tshGeneral->PageControl(), f->pgcMain);
  EXPECT_EQ(f->updMins->Parent(), f->GroupBox1);
  EXPECT_EQ(f->cbbPlan->Items.Count(), 3);
  EXPECT_EQ(f->cbbPlan->ItemIndex(), 2);
  EXPECT_EQ(f->cbbPlan->Text(), L"*成人方案(标准)");
  EXPECT_EQ(f->cbbFolder->Text(), L"C:\\音乐");
  EXPECT_EQ(f->lbxFolders->Items[1], L"E:\\歌曲");
  EXPECT_EQ(f->lbxFolders->ItemIndex(), -1);
  EXPECT_EQ(f->rbxMode->Items().Count(), 4);
  EXPECT_EQ(f->rbxMode->ItemIndex(), 0);
  EXPECT_EQ(f->rbxMode->Columns(), 2);
  EXPECT_EQ(f->updMins->Min(), 30);
  EXPECT_EQ(f->updMins->Max(), 60);
  EXPECT_EQ(f->updMins->Position(), 40);
  EXPECT_EQ(f->scbAdjust->Min(), -1);
  EXPECT_EQ(f->scbZoom->Position(), 10);
  EXPECT_EQ(f->scbZoom->LargeChange, 15);
  EXPECT_EQ(f->pgbTired->Max(), 200);
  EXPECT_EQ(f->pgbTired->Position(), 50);
  EXPECT_EQ(f->clbBody->Selected(), clActiveCaption);
  EXPECT_EQ(f->clbBorder->Selected(), clYellow);
  EXPECT_EQ(f->mmoHistory->Lines().Count(), 2);
  EXPECT_TRUE(f->btnImg1->Down());
  EXPECT_FALSE(f->btnImg2->Down());
  EXPECT_TRUE(f->rbnColour->Checked());
  EXPECT_EQ(f->dlgSaveMusList->DefaultExt, L"*.qvml");
  EXPECT_EQ(f->FontDialog1->Font.Size, 24);
  EXPECT_EQ(f->ColorDialog1->Options, cdFullOpen);
  EXPECT_TRUE(f->log.empty()) << "loading runs no handler";
}

TEST_F(ControlsForm, ControlsAreWindowsOnTheirContainersWithTheirTexts) {
  HWND tabs = f->pgcMain->Handle();
  HWND general = FindWindowExW(tabs, nullptr, nullptr, L"基本设置");
  ASSERT_EQ(general, f->tshGeneral->Handle());
  EXPECT_EQ(FindWindowExW(general, nullptr, nullptr, L"休息计划"), f->GroupBox1->Handle());
  EXPECT_EQ(FindWindowExW(f->rbxMode->Handle(), nullptr, L"BUTTON", L"强制模式"), f->rbxMode->Buttons(3)->Handle());
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(WindowText(f->edtMins->Handle()), L"40") << "the up-down shows its position in its edit";
  RECT e, u;
  GetWindowRect(f->edtMins->Handle(), &e);
  GetWindowRect(f->updMins->Handle(), &u);
  EXPECT_EQ(u.left, e.right) << "the up-down sits at its edit's right edge";
  EXPECT_EQ(SendMessageW(f->cbbPlan->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(f->cbbPlan->Handle(), CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(f->rbxMode->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(f->pgbTired->Handle(), PBM_GETPOS, 0, 0), 50);
  EXPECT_EQ(WindowText(f->mmoHistory->Handle()), L"第一行\r\n第二行\r\n");
}

TEST_F(ControlsForm, SettingAnIndexOrAStateFromTheProgramRunsNoHandler) {
  f->cbbPlan->SetItemIndex(0);
  f->cbbSkin->SetItemIndex(2);
  f->lbxFolders->SetItemIndex(1);
  f->rbxMode->SetItemIndex(3);
  f->clbBody->SetSelected(clRed);
  f->clxPlaylist->SetItemIndex(2);
  f->clxPlaylist->SetChecked(0, true);
  f->updMins->SetPosition(45);
  f->btnImg2->SetDown(true);
  EXPECT_TRUE(f->log.empty()) << Narrow(f->log.front());
  EXPECT_EQ(SendMessageW(f->cbbPlan->Handle(), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(f->cbbSkin->Text(), L"盛夏深绿");
  EXPECT_EQ(SendMessageW(f->lbxFolders->Handle(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageW(f->rbxMode->Buttons(3)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(f->rbxMode->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(f->clbBody->Selected(), clRed);
  EXPECT_TRUE(f->clxPlaylist->Checked(0));
  EXPECT_FALSE(f->btnImg1->Down()) << "one button of a group is down";
}

TEST_F(ControlsForm, AUsersChoiceRunsTheHandler) {
  UserCommand(f->cbbPlan, CB_SETCURSEL, 1, CBN_SELCHANGE);       // OnSelect
  UserCommand(f->cbbSkin, CB_SETCURSEL, 1, CBN_SELCHANGE);       // no OnSelect: OnChange
  UserCommand(f->lbxFolders, LB_SETCURSEL, 1, LBN_SELCHANGE);    // OnClick
  UserCommand(f->clxPlaylist, LB_SETCURSEL, 2, LBN_SELCHANGE);   // OnClick
  int red = int(std::find(f->clbBody->Items.List().begin(), f->clbBody->Items.List().end(), L"Red") -
                f->clbBody->Items.List().begin());
  UserCommand(f->clbBody, CB_SETCURSEL, red, CBN_SELCHANGE);     // OnChange
  UserCommand(f->clbBorder, CB_SETCURSEL, 1, CBN_SELCHANGE);     // OnSelect; item 0 is the custom colour
  SendMessageW(f->rbxMode->Buttons(2)->Handle(), BM_CLICK, 0, 0);
  SendMessageW(f->rbxMode->Buttons(2)->Handle(), BM_CLICK, 0, 0);  // already chosen: nothing
  SendMessageW(f->rbnPicture->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f->log, (Log{L"plan:1", L"skin:北国之雪", L"folders:1", L"playlist:2", L"body:255",
                         L"border:0", L"mode:2", L"picture"}));
  EXPECT_EQ(f->rbxMode->ItemIndex(), 2);
  EXPECT_TRUE(f->rbnPicture->Checked());
  EXPECT_FALSE(f->rbnColour->Checked());
  EXPECT_EQ(SendMessageW(f->rbnColour->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ControlsForm, TypingIntoADropDownRunsOnChangeWithTheText) {
  SetWindowTextW(f->cbbFolder->Handle(), L"D:\\新歌");
  UserCommand(f->cbbFolder, 0, 0, CBN_EDITCHANGE);
  EXPECT_EQ(f->log, Log{L"folder:D:\\新歌"});
}

TEST_F(ControlsForm, ScrollBarPositionFromTheProgramRunsOnChangeWhenItChanges) {
  f->scbZoom->SetPosition(28);
  f->scbZoom->SetPosition(28);   // no change: nothing
  f->scbZoom->SetPosition(150);  // held at Max
  f->scbZoom->SetMax(50);        // the position follows the new limit
  f->scbZoom->SetMin(0);         // no change
  EXPECT_EQ(f->log, (Log{L"zoom:28", L"zoom:100", L"zoom:50"}));
  EXPECT_EQ(GetScrollPos(f->scbZoom->Handle(), SB_CTL), 50);
  EXPECT_THROW(f->scbZoom->SetParams(0, 10, 5), Exception);
}

struct ScrollCase {
  int code, pos;
  const wchar_t* scroll;  // what OnScroll saw
  int position;           // the position afterwards
};

TEST_F(ControlsForm, AUsersScrollRunsOnScrollThenOnChange) {
  const ScrollCase cases[] = {
      {SB_LINEDOWN, 0, L"scroll:1:25", 25}, {SB_PAGEUP, 0, L"scroll:2:10", 10},
      {SB_THUMBTRACK, 70, L"scroll:5:70", 70}, {SB_THUMBPOSITION, 80, L"scroll:4:80", 80},
      {SB_BOTTOM, 0, L"scroll:7:100", 100}, {SB_LINEDOWN, 0, L"scroll:1:100", 100},
      {SB_TOP, 0, L"scroll:6:0", 0}, {SB_ENDSCROLL, 0, L"scroll:8:0", 0}};
  for (const auto& c : cases) {
    f->log.clear();
    int before = f->scbZoom->Position();
    UserScroll(f->scbZoom, WM_HSCROLL, c.code, c.pos);
    Log expected{c.scroll};
    if (c.position != before) expected.push_back(L"zoom:" + IntToStr(c.position));
    EXPECT_EQ(f->log, expected) << "code " << c.code;
    EXPECT_EQ(f->scbZoom->Position(), c.position) << "code " << c.code;
  }
  f->log.clear();
  f->scrollOverride = 33;  // the handler may put its own position in place of the user's
  UserScroll(f->scbZoom, WM_HSCROLL, SB_LINEDOWN);
  EXPECT_EQ(f->scbZoom->Position(), 33);
  // A negative range survives the 16-bit position of the message.
  UserScroll(f->scbAdjust, WM_HSCROLL, SB_THUMBPOSITION, -1);
  EXPECT_EQ(f->scbAdjust->Position(), -1);
}

TEST_F(ControlsForm, UpDownAndProgressBarKeepTheirPositionsWithinTheirLimits) {
  f->updMins->SetPosition(99);
  EXPECT_EQ(f->updMins->Position(), 60);
  EXPECT_EQ(WindowText(f->edtMins->Handle()), L"60");
  f->updMins->SetPosition(-5);
  EXPECT_EQ(f->updMins->Position(), 30);
  f->updMins->SetPosition(55);
  f->updMins->SetMax(45);  // a maximum below the position takes the position with it
  EXPECT_EQ(f->updMins->Position(), 45);
  EXPECT_EQ(WindowText(f->edtMins->Handle()), L"45");
  f->updMins->SetMax(0);
  EXPECT_EQ(f->updMins->Min(), 0);
  EXPECT_EQ(f->updMins->Position(), 0);
  EXPECT_EQ(SendMessageW(f->updMins->Handle(), UDM_GETPOS32, 0, 0), 0);

  f->pgbTired->SetPosition(250);
  EXPECT_EQ(f->pgbTired->Position(), 200);
  f->pgbTired->StepBy(-500);
  EXPECT_EQ(f->pgbTired->Position(), 0);
  f->pgbTired->SetPosition(120);
  f->pgbTired->SetMax(100);
  EXPECT_EQ(f->pgbTired->Position(), 100);
  EXPECT_EQ(SendMessageW(f->pgbTired->Handle(), PBM_GETPOS, 0, 0), 100);
  EXPECT_TRUE(f->log.empty());
}

TEST_F(ControlsForm, AUsersArrowClickStepsTheUpDownWithinItsLimits) {
  UserStep(f->updMins, 1);
  EXPECT_EQ(f->updMins->Position(), 41);
  EXPECT_EQ(WindowText(f->edtMins->Handle()), L"41");
  f->updMins->SetPosition(60);
  UserStep(f->updMins, 1);  // at the maximum: it stays there
  EXPECT_EQ(f->updMins->Position(), 60);
  f->allowStep = false;  // OnChanging refuses: nothing moves, no click
  UserStep(f->updMins, -1);
  EXPECT_EQ(f->updMins->Position(), 60);
  f->allowStep = true;
  // The control's own report of a new position counts as the user's too.
  UserScroll(f->updMins, WM_VSCROLL, SB_THUMBPOSITION, 35);
  EXPECT_EQ(f->updMins->Position(), 35);
  EXPECT_EQ(f->log, (Log{L"up:41", L"up:60", L"down:35"}));
  f->updMins->Increment = 5;
  f->updMins->Wrap = true;
  f->updMins->SetPosition(58);
  UserStep(f->updMins, 1);
  EXPECT_EQ(f->updMins->Position(), 30) << "past the maximum a wrapping up-down starts again";
}

TEST_F(ControlsForm, TheEditIsTheSystemBuddyAndItsArrowKeysStepByOurRules) {
  const HWND edit = f->edtMins->Handle();
  EXPECT_EQ(HWND(SendMessageW(f->updMins->Handle(), UDM_GETBUDDY, 0, 0)), edit);
  EXPECT_TRUE(GetWindowLongPtrW(f->updMins->Handle(), GWL_STYLE) & UDS_ARROWKEYS);
  auto key = [edit](WPARAM vk) {
    SendMessageW(edit, WM_KEYDOWN, vk, 1);
    SendMessageW(edit, WM_KEYUP, vk, 0xC0000001);
  };
  key(VK_UP);
  EXPECT_EQ(f->updMins->Position(), 41);
  EXPECT_EQ(WindowText(edit), L"41");
  key(VK_DOWN);
  key(VK_DOWN);
  EXPECT_EQ(f->updMins->Position(), 39);
  // The form layer's step, limits and refusal hold for keys as for clicks.
  f->updMins->Increment = 15;
  key(VK_UP);
  EXPECT_EQ(f->updMins->Position(), 54);
  key(VK_UP);
  EXPECT_EQ(f->updMins->Position(), 60);
  EXPECT_EQ(WindowText(edit), L"60");
  f->allowStep = false;
  key(VK_DOWN);
  EXPECT_EQ(f->updMins->Position(), 60);
  f->allowStep = true;
  f->updMins->SetEnabled(false);
  key(VK_DOWN);
  EXPECT_EQ(f->updMins->Position(), 60) << "a disabled up-down does not step";
  EXPECT_EQ(f->log, (Log{L"up:41", L"down:40", L"down:39", L"up:54", L"up:60"}));
}

TEST_F(ControlsForm, UpDownReadsANumberTypedIntoItsEdit) {
  SetWindowTextW(f->edtMins->Handle(), L"55");
  EXPECT_EQ(f->updMins->Position(), 55);
  SetWindowTextW(f->edtMins->Handle(), L"99");
  EXPECT_EQ(f->updMins->Position(), 60);
  SetWindowTextW(f->edtMins->Handle(), L"abc");
  EXPECT_EQ(f->updMins->Position(), 60);
}

TEST_F(ControlsForm, PagesShowTheirControlsAsThePageChanges) {
  f->Show();
  PumpMessages();
  EXPECT_EQ(f->log, Log{L"show:lists"}) << "showing the form shows its active page";
  EXPECT_TRUE(IsWindowVisible(f->cbbPlan->Handle()));
  EXPECT_FALSE(IsWindowVisible(f->GroupBox1->Handle()));
  f->log.clear();
  f->pgcMain->SetActivePage(f->tshGeneral);  // the program's choice: no OnChange
  EXPECT_TRUE(IsWindowVisible(f->GroupBox1->Handle()));
  EXPECT_TRUE(IsWindowVisible(f->updMins->Handle()));
  EXPECT_FALSE(IsWindowVisible(f->cbbPlan->Handle()));
  EXPECT_EQ(SendMessageW(f->pgcMain->Handle(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(f->log, Log{L"show:general"});

  f->log.clear();
  NMHDR hdr{};
  SendMessageW(f->pgcMain->Handle(), TCM_SETCURSEL, 2, 0);  // a user's tab click
  hdr.code = UINT(TCN_SELCHANGING);
  f->allowPageChange = false;
  EXPECT_EQ(Notify(f->pgcMain, hdr), TRUE) << "OnChanging refuses the change";
  f->allowPageChange = true;
  EXPECT_EQ(Notify(f->pgcMain, hdr), FALSE);
  hdr.code = UINT(TCN_SELCHANGE);
  Notify(f->pgcMain, hdr);
  EXPECT_EQ(f->pgcMain->ActivePage(), f->tshButtons);
  EXPECT_TRUE(IsWindowVisible(f->pnlSource->Handle()));
  EXPECT_FALSE(IsWindowVisible(f->GroupBox1->Handle()));
  EXPECT_EQ(f->log, (Log{L"changing", L"changing", L"hide:general", L"page:2"}));

  f->log.clear();
  f->Hide();
  f->pgcMain->SetActivePageIndex(0);  // not on screen: the page shows when the form does
  EXPECT_TRUE(f->log.empty());
  f->Show();
  EXPECT_EQ(f->log, Log{L"show:general"});
}

TEST_F(ControlsForm, ControlsOnContainersGetTheirNotifications) {
  // The radio buttons sit on the radio group, the up-down on a group box, the lists on a page.
  f->pgcMain->SetActivePage(f->tshGeneral);
  SendMessageW(f->rbxMode->Buttons(1)->Handle(), BM_CLICK, 0, 0);
  UserStep(f->updMins, -1);
  EXPECT_EQ(f->log, (Log{L"mode:1", L"down:39"}));
  EXPECT_EQ(GetParent(f->rbxMode->Buttons(1)->Handle()), f->rbxMode->Handle());
  EXPECT_EQ(GetParent(f->edtMins->Handle()), f->GroupBox1->Handle());
}

TEST_F(ControlsForm, CheckMarksBelongToTheirLinesAndTheUserTogglesThem) {
  TCheckListBox* l = f->clxPlaylist;
  l->SetChecked(1, true);
  l->Items.Insert(0, L"C:\\音乐\\零.mp3");
  EXPECT_EQ((std::vector<bool>{l->Checked(0), l->Checked(1), l->Checked(2), l->Checked(3)}),
            (std::vector<bool>{false, false, true, false}));
  l->Items.Exchange(2, 3);  // shuffling swaps texts; marks stay with their places
  EXPECT_EQ(l->Items[2], L"C:\\音乐\\三.mid");
  EXPECT_TRUE(l->Checked(2));
  l->Items.Delete(0);
  EXPECT_TRUE(l->Checked(1));
  EXPECT_EQ(SendMessageW(l->Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_THROW(l->Checked(3), Exception);

  RECT r;
  SendMessageW(l->Handle(), LB_GETITEMRECT, 2, LPARAM(&r));
  SendMessageW(l->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, r.top + 2));  // on the box
  SendMessageW(l->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, r.top + 2));
  EXPECT_TRUE(l->Checked(2));
  EXPECT_EQ(f->log.front(), L"check");
}

TEST_F(ControlsForm, ListsFollowTheirItemsAndTheSelectionMovesWithThem) {
  TComboBox* c = f->cbbPlan;  // item 2 selected
  c->Items.Insert(0, L"新方案");
  EXPECT_EQ(c->ItemIndex(), 3);
  c->Items.Put(3, L"改名方案");
  EXPECT_EQ(c->ItemIndex(), 3);
  EXPECT_EQ(c->Text(), L"改名方案");
  c->Items.Delete(3);
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->Text(), L"");
  c->Items.Clear();
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETCOUNT, 0, 0), 0);
  EXPECT_THROW(c->Items.Strings(0), Exception);
  EXPECT_EQ(f->lbxFolders->Items.IndexOf(L"E:\\歌曲"), 1);
  EXPECT_TRUE(f->log.empty());
}

TEST_F(ControlsForm, ColourBoxShowsAnyColourItIsGiven) {
  const TColor odd = 0x123456;
  f->clbBody->SetSelected(odd);  // not among the named colours: it gets an item of its own
  EXPECT_EQ(f->clbBody->Selected(), odd);
  EXPECT_EQ(f->clbBody->Colors(f->clbBody->ItemIndex()), odd);
  f->clbBorder->SetSelected(odd);  // a box with a custom item holds it there
  EXPECT_EQ(f->clbBorder->ItemIndex(), 0);
  EXPECT_EQ(f->clbBorder->Selected(), odd);
  f->clbBorder->SetSelected(clRed);
  EXPECT_EQ(f->clbBorder->Items[f->clbBorder->ItemIndex()], L"Red");
  EXPECT_TRUE(f->log.empty());
}

TEST_F(ControlsForm, MemoLinesAndItsTextGoTogether) {
  TMemo* m = f->mmoHistory;
  m->Lines().Add(L"第三行");
  EXPECT_EQ(WindowText(m->Handle()), L"第一行\r\n第二行\r\n第三行\r\n");
  m->Lines().Delete(0);
  EXPECT_EQ(WindowText(m->Handle()), L"第二行\r\n第三行\r\n");
  m->Lines().Clear();
  EXPECT_EQ(WindowText(m->Handle()), L"");
  SendMessageW(m->Handle(), EM_REPLACESEL, TRUE, LPARAM(L"甲\r\n乙"));  // what a user typed
  EXPECT_EQ(m->Lines().List(), (std::vector<std::wstring>{L"甲", L"乙"}));
}

// An edit control lays its whole text out again at each change: a list given at once must reach
// it as one change, not one per line (a long history took minutes so).
TEST_F(ControlsForm, MemoTakesAWholeListInOneTextChange) {
  TMemo* m = f->mmoHistory;
  static HWND watched;
  static int changes;
  watched = m->Handle();
  changes = 0;
  HHOOK hook = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        const auto* c = reinterpret_cast<const CWPSTRUCT*>(l);
        if (code == HC_ACTION && c->hwnd == watched && (c->message == WM_SETTEXT || c->message == EM_REPLACESEL))
          ++changes;
        return CallNextHookEx(nullptr, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  std::vector<std::wstring> lines;
  std::wstring text;
  for (int i = 0; i < 300; ++i) {
    lines.push_back(L"第" + std::to_wstring(i) + L"行");
    text += lines.back() + L"\r\n";
  }
  m->Lines().Assign(lines);
  const int afterAssign = changes;
  m->Lines().AddStrings({L"甲", L"乙"});
  const int afterAdd = changes;
  m->Lines().AddStrings({});
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(afterAssign, 1);
  EXPECT_EQ(afterAdd, 2);
  EXPECT_EQ(changes, 2) << "nothing to add changes nothing";
  EXPECT_EQ(m->Lines().Count(), 302);
  EXPECT_EQ(WindowText(m->Handle()), text + L"甲\r\n乙\r\n");
}

TEST_F(ControlsForm, GroupedSpeedButtonsKeepOneDownAndClickOnMouseUp) {
  Click(f->btnImg2);
  EXPECT_TRUE(f->btnImg2->Down());
  EXPECT_FALSE(f->btnImg1->Down());
  Click(f->btnImg2);  // down already, and the group does not allow all up
  EXPECT_TRUE(f->btnImg2->Down());
  f->btnImg2->SetDown(false);  // nor from the program
  EXPECT_TRUE(f->btnImg2->Down());
  f->btnImg1->SetDown(true);
  Click(f->btnPlay);
  EXPECT_FALSE(f->btnPlay->Down()) << "an ungrouped button springs back";
  EXPECT_EQ(f->log, (Log{L"img2", L"img2", L"play"}));
  EXPECT_EQ(f->btnPlay->Glyph.Width(), 32);
  EXPECT_NE(GetFocus(), f->btnPlay->Handle());
}

TEST_F(ControlsForm, DisabledGroupShowsItsControlsGreyedAndKeepsTheirOwnState) {
  f->GroupBox1->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(f->edtMins->Handle()));
  EXPECT_TRUE(f->edtMins->Enabled());
  f->GroupBox1->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(f->edtMins->Handle()));
  f->rbxMode->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(f->rbxMode->Buttons(0)->Handle()));
}

}  // namespace
