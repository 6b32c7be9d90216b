// The main window's screen-saver items and power management: the display, stand-by and sleep
// requests through the power seam, and the system's power broadcasts.
#include "BkwdSeams.h"
#include "PowerRules.h"
#include "Seams.h"
#include "Transparent_Window.h"
#include "uniBreakHint.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

void TfrmMain::NLaunchSCRClick(TObject* Sender) {
  RecordEvent(false, true, 0, Sender ? ekManualScreenSaver : ekAutoScreenSaver, true);
  Power().LaunchScreenSaver();
}

void TfrmMain::NLaunchZEPTClick(TObject*) { CallZEPT(Handle(), 0); }

void TfrmMain::NRemind2ChangeSCRClick(TObject*) { CallDeskpanel(Handle(), 1); }

// ---- power management ------------------------------------------------------------------------

void TfrmMain::ShutdownDisplayer() {
  RecordEvent(false, true, 0, ekDisplayOff, true);
  Power().DisplayOff(Application->Handle());
}

void TfrmMain::LetSysStandBy(bool silent, bool ask) { RequestSleep(true, silent, ask); }
void TfrmMain::LetSysSleep(bool silent, bool ask) { RequestSleep(false, silent, ask); }
void TfrmMain::NLetStandByClick(TObject*) { LetSysStandBy(false, true); }
void TfrmMain::NLetSleepClick(TObject*) { LetSysSleep(false, true); }

bool TfrmMain::EnabledDebugPrivilege(bool enable) { return Power().AdjustShutdownPrivilege(enable); }

void TfrmMain::RequestSleep(bool standBy, bool silent, bool ask) {
  const TSleepRequest r = SleepRequest(standBy, silent, ask);
  if (r.Question && Dialogs().MessageBox(nullptr, r.Question, L"Quovel提示",
                                         MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDYES)
    return;
  RecordEvent(false, true, 0, r.LogKind, true);
  bool done = false;
  if (EnabledDebugPrivilege(true)) {
    SelfSuspending = true;
    done = Power().SetSystemPowerState(r.Suspend, TRUE);
  }
  if (!done) RecordEvent(false, true, 0, r.FailedKind, true);
  // Back from the sleep, or refused. The resume may never be announced (a blocked sleep, current
  // Windows): a flag left set would let every later outside suspend go unasked and unlogged.
  SelfSuspending = false;
}

void TfrmMain::WMPowerBroadcast(TMessage& m) {
  const bool laptop = SchedulerSettings().Laptop;
  const TPowerBroadcastActions a =
      PowerBroadcastActions(m.WParam, FBreakState, laptop, SelfSuspending, [] {
        return Dialogs().MessageBox(nullptr, kSuspendQuestion, L"Quovel提示",
                                    MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDNO;
      });
  m.Result = a.Result;
  RecordEvent(false, true, 0, a.LogKind, true);
  // The question waits in a message loop: the countdown may have ended meanwhile.
  if (a.StartBreak && FBreakState == stCountdown && frmBreakHint) frmBreakHint->btnBreak->Click();
  if (a.Resumed) PowerResumed();
}

void TfrmMain::PowerResumed() {
  SelfSuspending = false;
  // Only a sleep announced and still open is closed: a resume after one nobody announced must not
  // stretch an older entry up to now, nor take that span off a break.
  if (FCycles.empty() || !OpenSleepEntry(FCycles.back())) return;
  const bool onBreak = FBreakState == stOnBreak;
  RecordEvent(false, false, onBreak ? 99 : 0, ekAnyPower, true);
  if (onBreak && TWForm && TWForm->ProgressBar1) {
    TProgressBar* bar = TWForm->ProgressBar1;
    bar->SetPosition(RemainingAfterSleep(bar->Position(), LastPowerEventSeconds()));
  }
}

uint32_t TfrmMain::LastPowerEventSeconds() const { return FCycles.empty() ? 0 : PowerEventSeconds(FCycles.back()); }
