// The settings dialog's power options: the question whether the help was read, the help page and
// the system's power options opened on their stand-by tab.
#include "BkwdSeams.h"
#include "QVSeams.h"
#include "uniQVShare.h"
#include "uniSetup.h"

namespace {
const wchar_t kPowerHelpPage[] = L"help/restalon-power.html";  // on the maker's site
constexpr wchar_t kPowerOptionsTitle[] = L"电源选项 属性";
}  // namespace

bool TfrmSetup::ConfirmPowerHelpRead() {
  const int answer = Dialogs().MessageBox(nullptr, L"请问你是否已经阅读\"设置必读\"？是继续设置，否先查看。",
                                          L"电源设置确认：", MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO);
  if (answer != IDNO) return false;
  lblHelp_PowerSetupClick(nullptr);
  return true;
}

void TfrmSetup::lblHelp_PowerSetupClick(TObject*) {
  ShellCalls().Execute(Handle(), L"", HomePageAddress() + kPowerHelpPage, L"", L"", SW_SHOWNORMAL);
}

void TfrmSetup::btnPowerSetupClick(TObject*) {
  if (ConfirmPowerHelpRead()) return;
  ShellCalls().Execute(Handle(), L"open", L"RunDll32.exe", L"Shell32.dll,Control_RunDLL powercfg.cpl", L"",
                       SW_SHOWNORMAL);
  DelayWithMessages(1000);
  HWND options = FindWindowW(nullptr, kPowerOptionsTitle);
  if (!options) return;
  // The keys go to whatever window is in front: only to the power options, and only while they are.
  if (!Power().BringToFront(options)) return;
  const int tabs = cbxHarwareIsLaptop && cbxHarwareIsLaptop->Checked() ? 4 : 2;
  for (int n = 0; n < tabs && Power().IsInFront(options); ++n) {
    Power().PressKey(VK_CONTROL, false);
    Power().PressKey(VK_NEXT, false);
    Power().PressKey(VK_NEXT, true);
    Power().PressKey(VK_CONTROL, true);
  }
}
