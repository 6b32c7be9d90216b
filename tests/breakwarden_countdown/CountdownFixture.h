#pragma once
// The program's own windows for the countdown tests: the main window and the settings dialog as
// the program block makes them, a fake clock, screen and animation, and no real message box.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "../breakwarden/BkwdFakes.h"
#include "../breakwarden/BkwdFixtures.h"
#include "BreakPlans.h"
#include "EventLog.h"
#include "Fakes.h"
#include "uniBreakHint.h"
#include "uniSetup.h"
#include "uniShowDetail.h"
#include "unitFrmMain.h"

class CountdownWorld : public ProgramForms {
 protected:
  // A custom plan in force, with the given postponement limits.
  void PlanInForce(int maxMins, int maxTimes, int onceMax) {
    TBreakPlanPage page = *PresetPage(kStandardPlanIndex);
    page.CanApplyMaxMins = maxMins;
    page.CanApplyMaxTimes = maxTimes;
    page.ApplyOnceMaxMins = onceMax;
    UsePage(page);
  }
  void UsePage(const TBreakPlanPage& page) {
    const int custom = int(kPresetCount);
    frmSetup->Plans.StoreBreakPlan(custom, kPresetCount + 1, page);
    ASSERT_TRUE(frmSetup->Plans.SetPlanInForce(custom));
  }

  // The end of a work period, as the scheduler opens the countdown.
  TfrmBreakHint* StartCountdown() {
    frmMain->BreakNow(TBreakWindow::Countdown, ekCountdown);
    return frmBreakHint;
  }
  static void Tick(TfrmBreakHint* w, int times = 1) {
    for (int i = 0; i < times; ++i) w->Timer1->Timer();
  }
  // The user picks m minutes with the arrows and asks for them.
  static void Ask(TfrmBreakHint* w, int minutes) {
    for (int i = 0; i < minutes; ++i) UserStep(w->UpDown1, +1);
    SendMessageW(w->btnApplyMins->Handle(), BM_CLICK, 0, 0);
  }
  static void UserStep(TUpDown* u, int delta) {
    NMUPDOWN nm{};
    HWND h = u->Handle();
    nm.hdr.hwndFrom = h;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID(h));
    nm.hdr.code = UINT(UDN_DELTAPOS);
    nm.iPos = u->Position();
    nm.iDelta = delta;
    SendMessageW(GetParent(h), WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm));
  }
  static void Click(TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }

  // Whether a form of that name is still alive (not closed and released).
  static bool Alive(const wchar_t* name) {
    TForm* f = Application->FindForm(name);
    return f && f->Visible();
  }
  static const TEventCycle& CurrentCycle() { return frmMain->EventLog.Cycles().back(); }
  static std::vector<std::pair<uint8_t, uint8_t>> LoggedSince(size_t from) {
    std::vector<std::pair<uint8_t, uint8_t>> r;
    const TEventCycle& c = CurrentCycle();
    for (size_t i = from; i < c.size(); ++i) r.emplace_back(c[i].Kind, c[i].Value);
    return r;
  }

  FakeClock clock;
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  ScriptedDialogs dialogs;
};

// The tests proper run on a 1024 x 768 screen, whatever the real one is.
class CountdownTest : public CountdownWorld {
 protected:
  FakeDisplay display{1024, 768};
};
