#include "uniStat.h"

#include <algorithm>

#include "BkwdSeams.h"
#include "Menus.h"
#include "Seams.h"
#include "StatFigures.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

TfrmStat* frmStat = nullptr;

namespace {

TStatClock StatClockNow() {
  return {Clock().TickCount(), Clock().TickCount64(), ClockNow(), frmMain->EventLog.AppStartTick64()};
}

const wchar_t kHibernateAdvice[] =
    L"当您不使用电脑时您可以选择休眠来代替普通关机,这样软件就可以保持运行,休眠不但跟普通关机一样不消耗电量,"
    L"还能保持您的桌面状态,开机速度也更快！ 如果您还没有启用休眠,现在就进行设置吧？";

bool TrayItemChecked(const wchar_t* name) {
  auto* item = frmMain ? dynamic_cast<TMenuItem*>(frmMain->FindComponent(name)) : nullptr;
  return item && item->Checked;
}

TBreakPlan PlanInForce() { return Settings().SchedulerSettings().Plan; }
TBreakPlan SelectedPlan() { return Settings().SchedulerSettings().SelectedPlan; }

}  // namespace

TfrmStat::TfrmStat(TComponent* AOwner) : TForm(AOwner) {
  frmStat = this;
  InitForm(L"TfrmStat", Binder<TfrmStat>(this)
                            .Bind(QV_MEMBER(lblPCStart))
                            .Bind(QV_MEMBER(lblPCTimeUsed))
                            .Bind(QV_MEMBER(lblAppStartTime))
                            .Bind(QV_MEMBER(lblAppTimeUsed))
                            .Bind(QV_MEMBER(lblScheduleBreakPrev))
                            .Bind(QV_MEMBER(lblScheduleBreakNext))
                            .Bind(QV_MEMBER(lblBreakCount))
                            .Bind(QV_MEMBER(lblBreakUncompletedCount))
                            .Bind(QV_MEMBER(btnRefresh))
                            .Bind(QV_MEMBER(btnSetup))
                            .Bind(QV_MEMBER(btnSetupSCR))
                            .Bind(QV_MEMBER(btnHome))
                            .Bind(QV_MEMBER(btnSwitchTabs))
                            .Bind(QV_MEMBER(PageControl1))
                            .Bind(QV_MEMBER(tshHealthSumAndAdvice))
                            .Bind(QV_MEMBER(lblHealthStatus))
                            .Bind(QV_MEMBER(lblAdvice2))
                            .Bind(QV_MEMBER(lblHealthScore))
                            .Bind(QV_MEMBER(pgbIndexTired))
                            .Bind(QV_MEMBER(lblIndexTiredTitle))
                            .Bind(QV_MEMBER(lblIndexTired))
                            .Bind(QV_MEMBER(btnMoreComment))
                            .Bind(QV_MEMBER(btnHelpAboutIndex))
                            .Bind(QV_MEMBER(tshViewBreakHistory))
                            .Bind(QV_MEMBER(Memo1))
                            .Bind(QV_MEMBER(tshMoeApplication))
                            .Bind(QV_MEMBER(btnCalc))
                            .Bind(QV_MEMBER(btnNotePad))
                            .Bind(QV_MEMBER(btnWord))
                            .Bind(QV_MEMBER(btnExcel))
                            .Bind(QV_MEMBER(btnBreakDemo))
                            .Bind(QV_MEMBER(btnListShortCuts))
                            .Bind(QV_MEMBER(btnSCRSwitch))
                            .Bind(QV_MEMBER(btnSOT))
                            .Bind(QV_MEMBER(btnSaverDeck))
                            .Bind(QV_MEMBER(btnWeather))
                            .Bind(QV_MEMBER(btnFM))
                            .Bind(QV_MEMBER(btnZEPT))
                            .Bind(QV_MEMBER(btnMINV))
                            .Bind(QV_MEMBER(btnDeskpanel))
                            .Bind(QV_MEMBER(lblSysStartSpeed))
                            .Bind(QV_MEMBER(RefreshTimer))
                            .On(QV_HANDLER(FormCreate))
                            .On(QV_HANDLER(FormShow))
                            .On(QV_HANDLER(FormClose))
                            .On(QV_HANDLER(FormKeyDown))
                            .On(QV_HANDLER(FormMouseDown))
                            .On(QV_HANDLER(tshIndexShow))
                            .On(QV_HANDLER(btnRefreshClick))
                            .On(QV_HANDLER(RefreshTimerTimer))
                            .On(QV_HANDLER(btnSwitchTabsClick))
                            .On(QV_HANDLER(btnSetupClick))
                            .On(QV_HANDLER(btnSetupSCRClick))
                            .On(QV_HANDLER(btnHomeMouseUp))
                            .On(QV_HANDLER(btnMoreCommentClick))
                            .On(QV_HANDLER(btnHelpAboutIndexClick))
                            .On(QV_HANDLER(AppButtonsClick)));
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
  const TStatBasic b = StatBasicFigures(frmMain->FCycles, frmMain->NextBreakTime(), StatClockNow());
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
  // The edit control lays out its whole text again whenever it is set, which costs far more than
  // the lines: the refresh gives it only what changed since the last one, mostly nothing or a
  // few new lines at the end.
  TStrings& shown = Memo1->Lines();
  const std::vector<std::wstring>& old = shown.List();
  if (lines.size() >= old.size() && std::equal(old.begin(), old.end(), lines.begin())) {
    if (lines.size() > old.size()) shown.AddStrings(std::vector<std::wstring>(lines.begin() + old.size(), lines.end()));
  } else {
    shown.Assign(lines);
  }
  SendMessageW(Memo1->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
}

void TfrmStat::ShowHealth() {
  if (!frmMain) return;
  const TStatHealth h = StatHealthFigures(frmMain->FCycles, SelectedPlan().BreakMins, frmMain->WorkDonePercent(),
                                          frmMain->TiredCarry, StatClockNow());
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
