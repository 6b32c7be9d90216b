// The main window's tray icon, its callback and the tray menu's commands that lead to the other
// windows.
#include "BkwdSeams.h"
#include "uniAboutQV.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

namespace {
const wchar_t kTrayTip[] = L"Restavo";

void PlaceTopmost(HWND h) { SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

}  // namespace

UINT TaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

void TfrmMain::AddTrayIcon() {
  trayAdded_ = AddNotifyIcon(TrayIconData, Handle(), kTrayIconId, WM_BKWD_TRAY, kTrayTip);
}

void TfrmMain::WMTrayIcon(TMessage& m) {
  DefaultHandler(m);
  m.Result = 0;
  // The tray menu's own loop delivers the icon's callbacks too: while it is up, a click opens
  // nothing more (no menu inside the menu, no statistics behind it).
  if (TPopupMenu::MenuOpen()) return;
  switch (m.LParam) {
    case WM_RBUTTONUP: {
      POINT pt{};
      GetCursorPos(&pt);
      PopupMenu1->Popup(pt.x, pt.y);
      break;
    }
    case WM_LBUTTONUP:
      if (TForm* stat = Application->FindForm(L"frmStat")) {
        stat->Close();
      } else {
        SetForegroundWindow(Application->Handle());
        Application->ProcessMessages();
        NStatClick(nullptr);
      }
      break;
  }
  m.Result = 0;
}

// ---- menu commands ---------------------------------------------------------------------------

void TfrmMain::OpenSetupPage(int page) {
  TForm* setup = Settings().SetupForm();
  if (!setup) return;
  Settings().SelectSetupPage(page);
  setup->Show();
  setup->SetWindowState(wsNormal);
}

void TfrmMain::NSetupClick(TObject*) { OpenSetupPage(1); }
void TfrmMain::NSetupModeClick(TObject*) { OpenSetupPage(1); }
void TfrmMain::NSetupSCRClick(TObject*) { OpenSetupPage(2); }
void TfrmMain::NSetupPowerClick(TObject*) { OpenSetupPage(2); }
void TfrmMain::NQuickRemindClick(TObject*) { OpenSetupPage(3); }
void TfrmMain::NSetupMeiHuaClick(TObject*) { OpenSetupPage(7); }

void TfrmMain::NStatClick(TObject*) {
  // Topmost and back again: brings the program forward without staying above other windows.
  PlaceTopmost(Handle());
  PlaceNotTopmost(Handle());
  if (TForm* stat = Application->FindForm(L"frmStat")) {
    stat->SetWindowState(wsNormal);
    return;
  }
  ProgramWindows().CreateStat();
}

void TfrmMain::NWelcomeClick(TObject*) {
  ProgramWindows().AboutWelcome();
}
void TfrmMain::NChatWithMeClick(TObject*) {
  ProgramWindows().ShowAboutPage(0);
}
void TfrmMain::NAboutHelpClick(TObject*) {
  ProgramWindows().ShowAboutPage(1);
}
void TfrmMain::NWebPageOfThisProductClick(TObject*) {
  if (frmAboutHelp) frmAboutHelp->lblHelpClick(nullptr);
}

void TfrmMain::NExitClick(TObject*) {
  int action = Settings().ExitActionIndex();
  switch (action) {
    case 1:  // "重启程序"
      RestartAfterExit = true;
      ReleaseSystemResources();
      Application->Terminate();
      return;
    case 2:  // "完全退出"
      Application->Terminate();
      return;
    default: {  // "不做什么": show where the setting is
      OpenSetupPage(7);
      auto flash = [](TColor c) { Settings().SetExitActionColor(c); };
      flash(clRed);
      DelayWithMessages(500);
      flash(clWindow);
      DelayWithMessages(500);
      flash(clRed);
      DelayWithMessages(500);
      flash(clWindow);
    }
  }
}
