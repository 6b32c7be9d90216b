#pragma once
// The statistics window: how long the computer and the program have run, the breaks, the log's
// history and a tiredness and health rating, plus a page of quick tools. Made on demand, one at a
// time; it frees itself when closed. Every figure is computed afresh from the main window's log.
#include <cstdint>
#include <string>
#include <vector>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ListCtrls.h"
#include "StdCtrls.h"

class TfrmStat : public TForm {
 public:
  explicit TfrmStat(TComponent* AOwner);
  ~TfrmStat() override;

  TLabel* lblPCStart = nullptr;
  TLabel* lblPCTimeUsed = nullptr;
  TLabel* lblAppStartTime = nullptr;
  TLabel* lblAppTimeUsed = nullptr;
  TLabel* lblScheduleBreakPrev = nullptr;
  TLabel* lblScheduleBreakNext = nullptr;
  TLabel* lblBreakCount = nullptr;
  TLabel* lblBreakUncompletedCount = nullptr;
  TSpeedButton* btnRefresh = nullptr;
  TSpeedButton* btnSetup = nullptr;
  TSpeedButton* btnSetupSCR = nullptr;
  TSpeedButton* btnHome = nullptr;
  TSpeedButton* btnSwitchTabs = nullptr;
  TPageControl* PageControl1 = nullptr;
  // page 0
  TTabSheet* tshHealthSumAndAdvice = nullptr;
  TLabel* lblHealthStatus = nullptr;
  TLabel* lblAdvice2 = nullptr;
  TLabel* lblHealthScore = nullptr;
  TProgressBar* pgbIndexTired = nullptr;
  TLabel* lblIndexTiredTitle = nullptr;
  TLabel* lblIndexTired = nullptr;
  TButton* btnMoreComment = nullptr;
  TButton* btnHelpAboutIndex = nullptr;
  // page 1
  TTabSheet* tshViewBreakHistory = nullptr;
  TMemo* Memo1 = nullptr;
  // page 2
  TTabSheet* tshMoeApplication = nullptr;
  TButton* btnCalc = nullptr;
  TButton* btnNotePad = nullptr;
  TButton* btnWord = nullptr;
  TButton* btnExcel = nullptr;
  TButton* btnBreakDemo = nullptr;
  TButton* btnListShortCuts = nullptr;
  TButton* btnSCRSwitch = nullptr;
  TButton* btnSOT = nullptr;
  TButton* btnSaverDeck = nullptr;
  TButton* btnWeather = nullptr;
  TButton* btnFM = nullptr;
  TButton* btnZEPT = nullptr;
  TButton* btnMINV = nullptr;
  TButton* btnDeskpanel = nullptr;
  TLabel* lblSysStartSpeed = nullptr;
  TTimer* RefreshTimer = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tshIndexShow(TObject* Sender);
  void btnRefreshClick(TObject* Sender);
  void RefreshTimerTimer(TObject* Sender);
  void btnSwitchTabsClick(TObject* Sender);
  void btnSetupClick(TObject* Sender);
  void btnSetupSCRClick(TObject* Sender);
  void btnHomeMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void btnMoreCommentClick(TObject* Sender);
  void btnHelpAboutIndexClick(TObject* Sender);
  void AppButtonsClick(TObject* Sender);

  // Also run by the settings dialog when the break mode changes while the window is open.
  void UpdateCaption();
  std::wstring CurrentModeName() const;
  void RefreshPage(int page);
  void ShowBasicFigures();
  void ShowHistory();
  void ShowHealth();
  static uint32_t DayCount(uint64_t ms);
  static int RestScore(uint64_t restMs, uint64_t elapsedMs);
  static std::wstring TiredRating(int index);

  // One history line at the end of Memo1 (the main window's AddEventLogLine comes here).
  void AddHistoryLine(const std::wstring& line);

 private:
  void Refresh();
  // While the history is filled, its lines are gathered and put into the memo at once.
  std::vector<std::wstring>* gathering_ = nullptr;
};

extern TfrmStat* frmStat;
