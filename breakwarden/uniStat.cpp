#include "uniStat.h"

#include "Menus.h"
#include "Seams.h"
#include "StatFigures.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

TfrmStat* frmStat = nullptr;

namespace {

const wchar_t kHibernateAdvice[] =
    L"当您不使用电脑时您可以选择休眠来代替普通关机,这样软件就可以保持运行,休眠不但跟普通关机一样不消耗电量,"
    L"还能保持您的桌面状态,开机速度也更快！ 如果您还没有启用休眠,现在就进行设置吧？";

bool TrayItemChecked(const wchar_t* name) {
  auto* item = frmMain ? dynamic_cast<TMenuItem*>(frmMain->FindComponent(name)) : nullptr;
  return item && item->Checked;
}

TBreakPlan PlanInForce() { return frmSetup ? frmSetup->PlanInForce() : TBreakPlanStore().PlanInForce(); }
TBreakPlan SelectedPlan() { return frmSetup ? frmSetup->SelectedPlan() : PlanInForce(); }

}  // namespace

void InstallStatLinks() {
  MainFormLinks.CreateStat = [] {
    frmStat = new TfrmStat(Application);
    frmStat->Show();
  };
  MainFormLinks.AddStatLine = [](const std::wstring& line) {
    if (IsFormCreated(L"frmStat") && frmStat) frmStat->AddHistoryLine(line);
  };
}

TfrmStat::TfrmStat(TComponent* AOwner) : TForm(AOwner) {
  frmStat = this;
  InitForm(L"TfrmStat", Binder<TfrmStat>(this)
                            .Bind("lblPCStart", lblPCStart)
                            .Bind("lblPCTimeUsed", lblPCTimeUsed)
                            .Bind("lblAppStartTime", lblAppStartTime)
                            .Bind("lblAppTimeUsed", lblAppTimeUsed)
                            .Bind("lblScheduleBreakPrev", lblScheduleBreakPrev)
                            .Bind("lblScheduleBreakNext", lblScheduleBreakNext)
                            .Bind("lblBreakCount", lblBreakCount)
                            .Bind("lblBreakUncompletedCount", lblBreakUncompletedCount)
                            .Bind("btnRefresh", btnRefresh)
                            .Bind("btnSetup", btnSetup)
                            .Bind("btnSetupSCR", btnSetupSCR)
                            .Bind("btnHome", btnHome)
                            .Bind("btnSwitchTabs", btnSwitchTabs)
                            .Bind("PageControl1", PageControl1)
                            .Bind("tshHealthSumAndAdvice", tshHealthSumAndAdvice)
                            .Bind("lblHealthStatus", lblHealthStatus)
                            .Bind("lblAdvice2", lblAdvice2)
                            .Bind("lblHealthScore", lblHealthScore)
                            .Bind("pgbIndexTired", pgbIndexTired)
                            .Bind("lblIndexTiredTitle", lblIndexTiredTitle)
                            .Bind("lblIndexTired", lblIndexTired)
                            .Bind("btnMoreComment", btnMoreComment)
                            .Bind("btnHelpAboutIndex", btnHelpAboutIndex)
                            .Bind("tshViewBreakHistory", tshViewBreakHistory)
                            .Bind("Memo1", Memo1)
                            .Bind("tshMoeApplication", tshMoeApplication)
                            .Bind("btnCalc", btnCalc)
                            .Bind("btnNotePad", btnNotePad)
                            .Bind("btnWord", btnWord)
                            .Bind("btnExcel", btnExcel)
                            .Bind("btnBreakDemo", btnBreakDemo)
                            .Bind("btnListShortCuts", btnListShortCuts)
                            .Bind("btnSCRSwitch", btnSCRSwitch)
                            .Bind("btnSOT", btnSOT)
                            .Bind("btnSaverDeck", btnSaverDeck)
                            .Bind("btnWeather", btnWeather)
                            .Bind("btnFM", btnFM)
                            .Bind("btnZEPT", btnZEPT)
                            .Bind("btnMINV", btnMINV)
                            .Bind("btnDeskpanel", btnDeskpanel)
                            .Bind("lblSysStartSpeed", lblSysStartSpeed)
                            .Bind("RefreshTimer", RefreshTimer)
                            .On("FormCreate", &TfrmStat::FormCreate)
                            .On("FormShow", &TfrmStat::FormShow)
                            .On("FormClose", &TfrmStat::FormClose)
                            .On("FormKeyDown", &TfrmStat::FormKeyDown)
                            .On("FormMouseDown", &TfrmStat::FormMouseDown)
                            .On("tshIndexShow", &TfrmStat::tshIndexShow)
                            .On("btnRefreshClick", &TfrmStat::btnRefreshClick)
                            .On("RefreshTimerTimer", &TfrmStat::RefreshTimerTimer)
                            .On("btnSwitchTabsClick", &TfrmStat::btnSwitchTabsClick)
                            .On("btnSetupClick", &TfrmStat::btnSetupClick)
                            .On("btnSetupSCRClick", &TfrmStat::btnSetupSCRClick)
                            .On("btnHomeMouseUp", &TfrmStat::btnHomeMouseUp)
                            .On("btnMoreCommentClick", &TfrmStat::btnMoreCommentClick)
                            .On("btnHelpAboutIndexClick", &TfrmStat::btnHelpAboutIndexClick)
                            .On("AppButtonsClick", &TfrmStat::AppButtonsClick));
}
QV_REGISTER_FORM(TfrmStat);

TfrmStat::~TfrmStat() {
  if (frmStat == this) frmStat = nullptr;
}

// ---- life cycle ------------------------------------------------------------------------------

void TfrmStat::FormCreate(TObject*) {
  // 50 pixels in from the work area's right and bottom edges.
  const RECT work = Screen->WorkAreaRect();
  SetBounds(work.right - Width() - 50, work.bottom - Height() - 50, Width(), Height());
  UpdateCaption();
  Memo1->SetColor(Color());
  PageControl1->SetActivePageIndex(0);
  btnSwitchTabs->SetCaption(StatSwitchCaption(0));
}

void TfrmStat::FormShow(TObject*) { ShowBasicFigures(); }

void TfrmStat::FormClose(TObject*, TCloseAction& Action) {
  RefreshTimer->SetEnabled(false);
  Action = caFree;
}

void TfrmStat::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TfrmStat::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  // Dragged by its body: the system moves it as if the caption were held.
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void TfrmStat::UpdateCaption() { SetCaption(StatCaption(PlanInForce(), CurrentModeName())); }

std::wstring TfrmStat::CurrentModeName() const {
  return StatModeName(TrayItemChecked(L"NModeFree"), TrayItemChecked(L"NModePassword"),
                      TrayItemChecked(L"NModeInterference"));
}

// ---- figures ---------------------------------------------------------------------------------

void TfrmStat::tshIndexShow(TObject*) { RefreshPage(PageControl1->ActivePageIndex()); }

void TfrmStat::Refresh() {
  ShowBasicFigures();
  RefreshPage(PageControl1->ActivePageIndex());
}

void TfrmStat::RefreshTimerTimer(TObject*) { Refresh(); }

void TfrmStat::btnRefreshClick(TObject*) {
  // The next automatic refresh comes a full interval after this one.
  RefreshTimer->SetEnabled(false);
  Refresh();
  RefreshTimer->SetEnabled(true);
}

void TfrmStat::RefreshPage(int page) {
  // The pages keep their last content while a break window is up.
  if (frmMain && frmMain->FBreakState == stOnBreak) return;
  if (page == 0) ShowHealth();
  else if (page == 1) ShowHistory();
}

void TfrmStat::ShowBasicFigures() {
  if (!frmMain) return;
  const TStatClock clock{Clock().TickCount(), Clock().TickCount64(), ClockNow()};
  const TStatBasic b = StatBasicFigures(frmMain->FCycles, frmMain->NextBreakTime(), clock);
  lblPCTimeUsed->SetCaption(b.PCTimeUsed);
  lblPCStart->SetCaption(b.PCStart);
  lblAppStartTime->SetCaption(b.AppStartTime);
  lblSysStartSpeed->SetCaption(b.SysStartSpeed);
  lblAppTimeUsed->SetCaption(b.AppTimeUsed);
  lblBreakCount->SetCaption(std::to_wstring(b.BreakCount));
  lblScheduleBreakPrev->SetCaption(b.BreakPrev);
  lblBreakUncompletedCount->SetCaption(std::to_wstring(b.Uncompleted));
  lblScheduleBreakNext->SetCaption(b.BreakNext);
}

void TfrmStat::AddHistoryLine(const std::wstring& line) {
  if (gathering_) gathering_->push_back(line);
  else Memo1->Lines().Add(line);
}

void TfrmStat::ShowHistory() {
  if (!frmMain) return;
  // Gathered first and put into the memo in one go: a line by line append redraws the text box
  // for every line of a long log.
  std::vector<std::wstring> lines;
  gathering_ = &lines;
  for (const TEventCycle& c : frmMain->FCycles)
    for (const TEventEntry& e : c) frmMain->AddEventLogLine(e.Kind, e.StartTick, e.Value, e.EndTick);
  gathering_ = nullptr;
  Memo1->Lines().Assign(lines);
  SendMessageW(Memo1->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
}

void TfrmStat::ShowHealth() {
  if (!frmMain) return;
  const TStatHealth h = StatHealthFigures(frmMain->FCycles, SelectedPlan().BreakMins, frmMain->WorkDonePercent(),
                                          frmMain->TiredCarry, Clock().TickCount());
  pgbIndexTired->SetPosition(h.BarPosition);
  lblIndexTired->SetCaption(h.IndexText);
  // Right-aligned against the bar, whatever the texts' widths.
  lblIndexTired->SetLeft(pgbIndexTired->Left() - lblIndexTired->Width() - 5);
  lblIndexTiredTitle->SetLeft(lblIndexTired->Left() - lblIndexTiredTitle->Width() - 5);
  lblHealthScore->SetCaption(h.ScoreText);
  lblHealthStatus->SetCaption(h.Status);
  lblAdvice2->SetCaption(h.Advice);
}

uint32_t TfrmStat::DayCount(uint64_t ms) { return StatDayCount(ms); }
int TfrmStat::RestScore(uint64_t restMs, uint64_t elapsedMs) { return ::RestScore(restMs, elapsedMs); }
std::wstring TfrmStat::TiredRating(int index) { return ::TiredRating(index); }

// ---- buttons ---------------------------------------------------------------------------------

void TfrmStat::btnSwitchTabsClick(TObject*) {
  const int next = (PageControl1->ActivePageIndex() + 1) % PageControl1->PageCount();
  PageControl1->SetActivePageIndex(next);
  btnSwitchTabs->SetCaption(StatSwitchCaption(next));
}

void TfrmStat::btnSetupClick(TObject*) {
  if (frmMain) frmMain->NQuickRemindClick(nullptr);
}

void TfrmStat::btnSetupSCRClick(TObject*) {
  if (frmMain) frmMain->NSetupSCRClick(nullptr);
}

void TfrmStat::btnHomeMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!frmMain) return;
  POINT pt{};
  GetCursorPos(&pt);
  frmMain->PopupMenu1->Popup(pt.x, pt.y);
}

void TfrmStat::btnMoreCommentClick(TObject*) {
  const int answer =
      Dialogs().MessageBox(Handle(), kHibernateAdvice, L"您知道吗？", MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_YESNO);
  if (answer == IDYES && frmMain) frmMain->NSetupSCRClick(nullptr);
}

void TfrmStat::btnHelpAboutIndexClick(TObject*) { OpenIndexHelpPage(Handle()); }

void TfrmStat::AppButtonsClick(TObject* Sender) {
  const HWND self = Handle();
  if (Sender == btnSaverDeck) CallSaverDeck(self, 14);
  else if (Sender == btnFM) OpenRadioSearch(self);
  else if (Sender == btnZEPT) CallZEPT(self, 0);
  else if (Sender == btnMINV) CallMINV(self, 0);
  else if (Sender == btnDeskpanel) CallDeskpanel(self, 0);
  else if (Sender == btnBreakDemo) {
    if (frmMain) frmMain->NBreakDemoClick(nullptr);
  } else if (frmMain) {
    if (Sender == btnCalc) frmMain->NOpenCalculatorClick(nullptr);
    else if (Sender == btnNotePad) frmMain->NOpenNotePadClick(nullptr);
    else if (Sender == btnWord) frmMain->NOpenWordClick(nullptr);
    else if (Sender == btnExcel) frmMain->NOpenExcelClick(nullptr);
    else if (Sender == btnListShortCuts) frmMain->NShortCutsClick(nullptr);
    else if (Sender == btnSCRSwitch) frmMain->NDisableSelfSCRClick(nullptr);
    else if (Sender == btnSOT) frmMain->NShowSOTClick(nullptr);
    else if (Sender == btnWeather) frmMain->MoreUsefulLinksClick(frmMain->NMore_Weather);
  }
}
