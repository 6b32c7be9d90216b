// The real side of the seam to the program's other windows: it goes to the windows themselves, so
// it sits here above them, and the seams the windows include know none of them.
#include "BkwdSeams.h"
#include "Forms.h"
#include "uniAboutQV.h"
#include "uniQVShare.h"
#include "uniStat.h"
#include "unitFrmMain.h"

void ProgramWindowsSeam::CreateStat() {
  frmStat = new TfrmStat(Application);
  frmStat->Show();
}

void ProgramWindowsSeam::AddStatLine(const std::wstring& line) {
  if (IsFormCreated(L"frmStat") && frmStat) frmStat->AddHistoryLine(line);
}

void ProgramWindowsSeam::ShowAboutPage(int page) {
  if (frmAboutHelp) frmAboutHelp->ShowPage(page);
}

void ProgramWindowsSeam::AboutWelcome() {
  if (frmAboutHelp) frmAboutHelp->procWelcome();
}

void ProgramWindowsSeam::ShutDownDialog() {
  if (frmMain) frmMain->NSysShutdownInterfaceClick(nullptr);
}
