#include "BreakCycleSim.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <set>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "SchedulerMath.h"
#include "Text.h"
#include "Transparent_Window.h"
#include "uniBreakHint.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

constexpr uint64_t kSecond = 1000, kMinute = 60 * kSecond, kHour = 60 * kMinute, kDay = 24 * kHour;

// Boxes answered as a user would: the question before giving a break up by chance, every other
// question Yes. An error box is a finding.
class SimDialogs : public DialogSeam {
 public:
  explicit SimDialogs(std::mt19937& random) : random_(random), saved_(&Dialogs()) { SetDialogSeam(this); }
  ~SimDialogs() override { SetDialogSeam(saved_); }
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    if (flags & MB_ICONERROR) errors.push_back(caption + L": " + text);
    if (caption == L"确认：") return random_() % 2 ? IDYES : IDNO;
    return (flags & 0x0F) == MB_OK ? IDOK : IDYES;
  }
  std::vector<std::wstring> errors;

 private:
  std::mt19937& random_;
  DialogSeam* saved_;
};

class Sim {
 public:
  Sim(uint32_t seed, int days) : random_(seed), dialogs_(random_), days_(days) {}

  SimFigures Run() {
    const auto wallStart = std::chrono::steady_clock::now();
    // The 32-bit tick count wraps at a random moment of the run (a run of 50 days or more meets
    // it wherever it starts).
    const uint64_t run = uint64_t(days_) * kDay;
    clock_.tick = clock_.lastInput =
        run < (1ull << 32) ? DWORD(0 - DWORD(std::uniform_int_distribution<uint64_t>(1, run)(random_))) : DWORD(random_());
    clock_.local = SYSTEMTIME{2026, 12, 1, 7, 8, 0, 0, 0};
    Application->CreateForm(frmMain);
    Application->CreateForm(frmSetup);
    main_ = frmMain;
    setup_ = frmSetup;
    // The plan selected takes force at a break's end as the break window does it; the settings
    // read afterwards are the new ones.
    settings_.selectedPlanTakesForce = [this] {
      const int selected = setup_->cbxBreakPlanPreSet->ItemIndex();
      setup_->StoreBreakPlan();
      setup_->Plans.SetPlanInForce(selected);
      RefreshSettings();
    };
    RefreshSettings();
    lastSeq_ = main_->EventLog.EventSeq();
    lastCycleNo_ = main_->FCycleNo;
    activeUntil_ = RandomActive();
    const uint64_t end = uint64_t(days_) * kDay;
    while (now_ < end) Step();
    fig_.days = days_;
    fig_.minutes = now_ / kMinute;
    fig_.cycles = unsigned(main_->EventLog.Cycles().size());
    fig_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    for (const auto& e : dialogs_.errors) Violation("error box", WideToUtf8(e));
    settings_.schedulerSettings = nullptr;
    settings_.breakWindowSettings = nullptr;
    settings_.selectedPlanTakesForce = nullptr;
    std::vector<TForm*> forms(Application->Forms());
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) TComponent::Free(*it);
    Pump();
    Application->MainForm = nullptr;
    frmMain = nullptr;
    frmSetup = nullptr;
    return fig_;
  }

 private:
  struct Driven {
    bool enabled = false;
    unsigned interval = 0;
    uint64_t due = 0;
  };

  // The settings as the dialog's controls hold them, read again whenever they may have changed
  // (the user changed them, or the plan selected took force at a break's end): reading every
  // control at every tick costs the simulation most of its time and tells it nothing more.
  void RefreshSettings() {
    settings_.schedulerSettings = nullptr;
    settings_.breakWindowSettings = nullptr;
    sched_ = main_->SchedulerSettings();
    breakSettings_ = Settings().BreakWindowSettings();
    settings_.schedulerSettings = [this] { return sched_; };
    settings_.breakWindowSettings = [this] { return breakSettings_; };
    settingsState_ = main_->FBreakState;
    settingsCycle_ = main_->FCycleNo;
  }

  // ---- time ----
  uint64_t Exp(double meanMs, uint64_t lo, uint64_t hi) {
    std::exponential_distribution<double> d(1.0 / meanMs);
    return std::clamp(uint64_t(d(random_)), lo, hi);
  }
  uint64_t RandomActive() { return now_ + Exp(40 * kMinute, kMinute / 2, 4 * kHour); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  int Pick(int n) { return int(random_() % unsigned(n)); }
  bool Active() const { return now_ < activeUntil_; }

  void Advance(uint64_t ms) {
    const DWORD before = clock_.tick;
    clock_.Advance(DWORD(ms));
    if (clock_.tick < before) ++fig_.tickWraps;
    now_ += ms;
    if (Active()) clock_.lastInput = clock_.tick - DWORD(Pick(2000));
  }

  // The timers the program has now, as the windows it has now own them.
  std::vector<std::pair<TTimer*, void (*)(Sim&, TTimer*)>> Timers() {
    std::vector<std::pair<TTimer*, void (*)(Sim&, TTimer*)>> t;
    auto fire = [](Sim&, TTimer* timer) { timer->Timer(); };
    t.push_back({main_->DetectPauseTimer, [](Sim& s, TTimer* timer) { s.MinuteTick(timer); }});
    t.push_back({main_->ClockRemindTimer, fire});
    if (frmBreakHint && !frmBreakHint->HintCanClose) t.push_back({frmBreakHint->Timer1, fire});
    if (TWForm && !TWForm->Closed()) {
      t.push_back({TWForm->CreateAnimateTimer, fire});
      t.push_back({TWForm->TrackingTimer, fire});
      t.push_back({TWForm->InterfereControlTimer, fire});
    }
    return t;
  }

  void Step() {
    // The next moment something happens: a timer due, the user's next look, or the activity's change.
    auto timers = Timers();
    std::set<TTimer*> live;
    uint64_t next = std::min(activeUntil_ > now_ ? activeUntil_ : awayUntil_, now_ + kHour);
    if (next <= now_) next = now_ + kMinute;
    for (auto& [timer, _] : timers) {
      live.insert(timer);
      Driven& d = driven_[timer];
      const bool on = timer->Enabled() && timer->Interval() > 0;
      if (on && (!d.enabled || d.interval != timer->Interval())) d.due = now_ + timer->Interval();
      d.enabled = on;
      d.interval = timer->Interval();
      if (on) next = std::min(next, d.due);
    }
    for (auto it = driven_.begin(); it != driven_.end();)
      it = live.count(it->first) ? std::next(it) : driven_.erase(it);
    if (WindowsOpen() && Active()) next = std::min(next, now_ + 5 * kSecond);
    next = std::max(next, now_);
    Advance(next - now_);

    ChangeActivity();
    for (auto& [timer, call] : timers) {
      // A handler may have closed (and freed) the window that owned the next timers of the list.
      bool stillThere = false;
      for (auto& [t, _] : Timers()) stillThere |= t == timer;
      if (!stillThere) continue;
      auto it = driven_.find(timer);
      if (it == driven_.end() || !it->second.enabled || it->second.due > now_ || !timer->Enabled()) continue;
      it->second.due = now_ + timer->Interval();
      ++fig_.timerCalls;
      call(*this, timer);
      AfterCall();
    }
    if (Active()) UserActs();
    AfterCall();
  }

  // ---- the user ----
  void ChangeActivity() {
    if (now_ < activeUntil_ || now_ < awayUntil_) return;
    if (awayUntil_ > activeUntil_) {  // back at the desk
      activeUntil_ = RandomActive();
      clock_.lastInput = clock_.tick;
      return;
    }
    // Going away: mostly minutes, sometimes hours (nights), now and then the machine suspended.
    ++fig_.idleStretches;
    const int kind = Pick(100);
    uint64_t away = kind < 60 ? Exp(3 * kMinute, kMinute, 8 * kMinute)
                  : kind < 88 ? Exp(25 * kMinute, 5 * kMinute, 2 * kHour)
                              : Exp(8 * kHour, kHour, 16 * kHour);
    if (Chance(0.04)) {
      Suspend(Chance(0.5) ? Exp(20 * kMinute, kMinute, kHour) : Exp(kDay, kHour, 3 * kDay));
      away = Exp(2 * kMinute, 0, 10 * kMinute);
    }
    awayUntil_ = now_ + away;
  }

  void Suspend(uint64_t ms) {
    ++fig_.suspends;
    const uint64_t until = now_ + ms;
    while (now_ < until) Advance(std::min<uint64_t>(until - now_, 40ull * kDay));  // no timer runs
    // Timers that fell due while the machine slept come once at the wake-up.
    for (auto& [_, d] : driven_)
      if (d.enabled && d.due < now_) d.due = now_;
  }

  void UserActs() {
    if (TWForm && !TWForm->Closed()) return BreakWindowActs(TWForm);
    if (frmBreakHint && !frmBreakHint->HintCanClose) return CountdownActs(frmBreakHint);
    if (main_->FBreakState != stWorking) return;
    // Between breaks, now and then (per look, about once a minute while typing).
    if (Chance(1.0 / 700) && main_->PreviewAllowed()) {
      ++fig_.previews;
      switch (Pick(3)) {
        case 0: main_->DemoHint(); break;
        case 1: main_->DemoBreak(); break;
        default: main_->NBreakDemoClick(nullptr);
      }
    } else if (Chance(1.0 / 1500) && main_->NBreakNow->Enabled) {
      ++fig_.manualBreaks;
      main_->NBreakNowClick(nullptr);
    } else if (Chance(1.0 / 900)) {
      ++fig_.modeChanges;
      setup_->rbxSelectBreakMode->SetItemIndex(Pick(4));
      setup_->rbxSelectBreakModeClick(nullptr);
      setup_->cbxHideCursor->SetChecked(Chance(0.5));
      setup_->cbxDisableKeyboard->SetChecked(Chance(0.5));
      setup_->cbxNotShowFrmBreakHintLastOneMin_FreeMode->SetChecked(Chance(0.3));
      RefreshSettings();
    } else if (Chance(1.0 / 1500)) {
      ++fig_.planChanges;
      setup_->cbxBreakPlanPreSet->SetItemIndex(Pick(setup_->cbxBreakPlanPreSet->Items.Count()));
      setup_->cbxBreakPlanPreSetSelect(nullptr);
      RefreshSettings();
    }
  }

  void CountdownActs(TfrmBreakHint* w) {
    if (w->Preview() || !Chance(0.15)) return;
    if (w->UpDown1->Enabled() && w->UpDown1->Max() > 0 && Chance(0.6)) {
      w->UpDown1->SetPosition(1 + Pick(w->UpDown1->Max()));
      w->edtMins->SetText(IntToStr(w->UpDown1->Position()));
      w->UpDown1Click(w->UpDown1, btNext);
      const uint8_t before = w->AppliedTimes;
      w->btnApplyMinsClick(w->btnApplyMins);
      fig_.postponements += w->AppliedTimes != before;
    } else if (Chance(0.2)) {
      w->btnBreakClick(w->btnBreak);  // "马上休息"
    } else if (w->btnApplyMins->Caption() == kHintKnown && Chance(0.3)) {
      w->btnApplyMinsClick(w->btnApplyMins);  // "我知道了": minimised until 10 s are left
    }
  }

  void BreakWindowActs(TTWForm* w) {
    if (w->ProgressBar1->Position() <= 0) {
      if (!w->IsPreview() && Chance(0.5)) w->FormClick(nullptr);
      return;
    }
    if (w->IsPreview() || !w->imgUrgentExitIcon->Visible() || !IsWindowVisible(w->Handle()) || !Chance(0.006))
      return;
    const int item = 1 + Pick(6);
    if (w->cbbRemindAgainAt->Visible()) {
      w->cbbRemindAgainAt->SetItemIndex(item);
      w->cbbRemindAgainAtSelect(w->cbbRemindAgainAt);
    }
    if (w->edtExitPsw->Visible()) w->edtExitPsw->SetText(Chance(0.8) ? IntToStr(w->FAnswer) : L"12");
    const bool wasVisible = IsWindowVisible(w->Handle()) != FALSE;
    w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
    if (w->Closed()) ++fig_.aborts;
    else if (wasVisible && !IsWindowVisible(w->Handle())) ++fig_.pauses;
  }

  // ---- the minute tick, and what is checked around it ----
  void MinuteTick(TTimer* timer) {
    ++minuteTicks_;
    const bool working = main_->FBreakState == stWorking;
    const uint16_t idleBefore = main_->FIdleMins;
    const bool input = clock_.LastInputTick() != main_->LastInputSeen;
    const size_t entriesBefore = main_->EventLog.Cycles().back().size();
    timer->Timer();
    const auto& cycle = main_->EventLog.Cycles().back();
    bool idleLogged = false;
    for (size_t i = entriesBefore; i < cycle.size(); ++i) {
      const uint8_t k = cycle[i].Kind;
      idleLogged |= k == ekIdleBonus || k == ekIdleReset || k == ekIdleResetFull;
    }
    if (!input) {
      if (idleBefore == 0xFFFF) Violation("idle minutes wrap", "FIdleMins was 65535");
      else if (main_->FIdleMins != idleBefore + 1) Violation("idle minute not counted", Num(main_->FIdleMins));
    }
    if (working && main_->FBreakState == stWorking) {
      if (main_->FMinsPassed >= main_->FWorkMins)
        Violation("work period runs past its length", Num(main_->FMinsPassed) + " of " + Num(main_->FWorkMins));
      // A period that started anew at this tick ended in an idle stretch (a fresh or credited
      // period, or the one-minute put-off while away), never silently.
      if (main_->FMinsPassed == 0 && input && !idleLogged && idleBefore == 0)
        Violation("work period restarted without a countdown or an idle reset", "");
      const uint8_t full = FullPeriodMins(setup_->PlanInForce());
      if (main_->FWorkMins > full) {
        std::string recent;
        const auto& c = main_->EventLog.Cycles().back();
        for (size_t i = c.size() > 6 ? c.size() - 6 : 0; i < c.size(); ++i) {
          recent += ' ';
          recent += Num(c[i].Kind);
        }
        Violation("work period longer than the plan's",
                  Num(main_->FWorkMins) + " minutes, the plan's full period " + Num(full) + ", cached " +
                      Num(FullPeriodMins(sched_.Plan)) + ", idle before " + Num(idleBefore) + ", log" + recent);
      }
    }
    if (main_->FBreakState == stCountdown && !working) Violation("countdown entered from a break", "");
  }

  void AfterCall() {
    if (main_->FBreakState != settingsState_ || main_->FCycleNo != settingsCycle_) RefreshSettings();
    Pump();
    Check();
  }

  bool WindowsOpen() const {
    return (frmBreakHint && !frmBreakHint->HintCanClose) || (TWForm && !TWForm->Closed());
  }

  void Check() {
    const uint8_t state = main_->FBreakState;
    const bool realHint = frmBreakHint && !frmBreakHint->HintCanClose && !frmBreakHint->Preview();
    const bool realBreak = TWForm && !TWForm->Closed() && !TWForm->IsPreview();
    switch (state) {
      case stWorking:
        if (realHint || realBreak) Violation("working with a countdown or break window open", "");
        if (main_->FWorkMins == 0) Violation("working without a work period", "");
        if (!main_->DetectPauseTimer->Enabled()) Violation("working without the minute tick", "");
        break;
      case stCountdown:
        if (!realHint || realBreak) Violation("countdown state without exactly its window", "");
        if (main_->DetectPauseTimer->Enabled()) Violation("minute tick running in the countdown", "");
        break;
      case stOnBreak:
        if (!realBreak) Violation("break state without a break window", "");
        if (main_->FWorkMins != 0) Violation("a work period during a break", Num(main_->FWorkMins));
        if (!main_->DetectPauseTimer->Enabled()) Violation("minute tick stopped during a break", "");
        break;
      default: Violation("state out of range", Num(state));
    }
    // Windows of a kind: never two.
    std::map<std::wstring, int> kinds;
    for (TForm* f : Application->Forms()) ++kinds[f->Name()];
    for (const auto& [name, n] : kinds)
      if (n > 1) Violation("two windows of one kind", WideToUtf8(name));
    // The cursor and the input block: given back whenever no break window applies them.
    if (!TWForm || TWForm->Closed()) {
      if (input_.cursorCounter != 0) Violation("cursor counter unbalanced after a break", Num(input_.cursorCounter));
      if (input_.blocked) Violation("input left blocked after a break", "");
    }
    // Break window openings and closings.
    const bool breakNow = realBreak;
    if (breakNow && !inBreak_) {
      ++fig_.breaks;
      if (main_->TiredCarry < carryBefore_) Violation("tiredness carry wrapped", Num(main_->TiredCarry));
    }
    if (!breakNow) carryBefore_ = main_->TiredCarry;
    inBreak_ = breakNow;
    if (realHint && !inHint_) ++fig_.countdowns;
    inHint_ = realHint;
    // Counters that must only grow.
    const uint16_t seq = main_->EventLog.EventSeq();
    if (seq < lastSeq_) Violation("log sequence wrapped", Num(seq));
    fig_.logWrites += uint16_t(seq - lastSeq_);
    lastSeq_ = seq;
    if (main_->FCycleNo != lastCycleNo_) {
      if (main_->FCycleNo != lastCycleNo_ + 1) Violation("cycle number wrapped", Num(main_->FCycleNo));
      lastCycleNo_ = main_->FCycleNo;
    }
    // Entries of a closed cycle: every idle stretch and break closed.
    const auto& cycles = main_->EventLog.Cycles();
    for (; checkedCycles_ + 1 < cycles.size(); ++checkedCycles_)
      for (const TEventEntry& e : cycles[checkedCycles_])
        if ((e.Kind == ekIdle || e.Kind == ekScheduledBreak || e.Kind == ekManualBreak) && e.EndSeq == 0)
          Violation("log entry open past its cycle", EventKindText(e.Kind).empty() ? Num(e.Kind) : WideToUtf8(EventKindText(e.Kind)));
  }

  void Pump() {
    // Closed windows are freed as the main loop frees them. The queue is drained now and then
    // (the release wake-ups, the menu's WM_NULL), but never of the system's timers: the
    // simulation runs them on its own clock. Paints are left out: nobody looks.
    Application->FreeReleasedForms();
    if (++pumps_ % 512 != 0) return;
    MSG msg;
    for (int i = 0; i < 10000; ++i) {
      if (!PeekMessageW(&msg, nullptr, 0, WM_PAINT - 1, PM_REMOVE) &&
          !PeekMessageW(&msg, nullptr, WM_PAINT + 1, WM_TIMER - 1, PM_REMOVE) &&
          !PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE))
        break;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Application->FreeReleasedForms();
  }

  static std::string Num(long long v) { return std::to_string(v); }
  void Violation(const std::string& kind, const std::string& detail) {
    if (!seen_.insert(kind).second) return;
    char when[64];
    std::snprintf(when, sizeof when, "day %llu %02llu:%02llu:%02llu", now_ / kDay, now_ % kDay / kHour,
                  now_ % kHour / kMinute, now_ % kMinute / kSecond);
    fig_.violations.push_back(std::string(when) + ": " + kind + (detail.empty() ? "" : " (" + detail + ")"));
  }

  std::mt19937 random_;
  TestConfigFolder folder_;  // no qv30cfg: the design defaults
  FakeClock clock_;
  FakeDisplay display_{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation_;
  FakeScreenSaver screenSaver_{true};
  FakeInput input_;
  SimDialogs dialogs_;
  int days_;
  TfrmMain* main_ = nullptr;
  TfrmSetup* setup_ = nullptr;
  std::map<TTimer*, Driven> driven_;
  FakeSettings settings_;
  TSchedulerSettings sched_;
  TBreakWindowSettings breakSettings_;
  uint8_t settingsState_ = 0;
  unsigned settingsCycle_ = 0;
  uint64_t now_ = 0, activeUntil_ = 0, awayUntil_ = 0, minuteTicks_ = 0, pumps_ = 0;
  uint16_t lastSeq_ = 0, carryBefore_ = 0;
  unsigned lastCycleNo_ = 0;
  size_t checkedCycles_ = 0;
  bool inBreak_ = false, inHint_ = false;
  std::set<std::string> seen_;
  SimFigures fig_;
};

}  // namespace

SimFigures RunBreakCycleSim(uint32_t seed, int days) { return Sim(seed, days).Run(); }
