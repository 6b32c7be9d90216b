// Shows one of the player's windows for screenshots, until it is closed: "setup <page>" the settings
// dialog on a page (0 to 3), "list" the playlist window with a few lines, "transit <background>" the
// transit window with that background (0 colour, 1 skin, 2 picture), "arrange <n>" all three as arrangement n places them, "skin <n>" the main window in skin n
// (0 to 13) as its "皮肤" item gives it once the window has painted, "banying" the main window with its accompaniment list dropped
// down, "flash" the settings dialog flashing its own-accompaniment field again and again. The main
// window stays hidden otherwise.
#include <windows.h>

#include <string>

#include "Text.h"
#include "uniQVShare.h"
#include "uniMusicList.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"
#include "uniTransitForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmd, int) {
  InitApplication();
  Application->Title = L"Sonavista";
  Application->ShowMainForm = false;
  // Shown as after the first run, without its welcome box.
  WritePathFile(kSaverDeckPathFile, OwnExePath(), kSaverDeckPathFileVersion);
  Application->CreateForm(frmSaverDeck);
  Application->CreateForm(frmSetupSaverDeck);
  Application->CreateForm(frmTransitForm);
  Application->CreateForm(frmMusicList);
  std::wstring what = Trim(cmd);
  if (what.rfind(L"setup", 0) == 0) {
    frmSetupSaverDeck->PageControl1->SetActivePageIndex(StrToIntDef(Trim(what.substr(5)), 3));
    frmSetupSaverDeck->Show();
  } else if (what == L"list") {
    frmMusicList->CheckListBox1->Items.Assign({L"C:\\音乐\\一.mp3", L"C:\\音乐\\二.wav", L"C:\\音乐\\三.mid"});
    frmMusicList->Show();
  } else if (what.rfind(L"arrange", 0) == 0) {
    // "arrange <n>": the three windows as arrangement n (1 to 8) places them.
    int n = StrToIntDef(Trim(what.substr(7)), 5);
    if (n >= 1 && n <= 8) frmSaverDeck->NArray[n]->Click();
  } else if (what.rfind(L"skin", 0) == 0) {
    wchar_t item[16];
    swprintf(item, 16, L"NSkin%02d", StrToIntDef(Trim(what.substr(4)), 6));
    frmSaverDeck->ShowPlayer();
    // Changed on the painted window, as a user changes it.
    Application->ProcessMessages();
    RedrawWindow(frmSaverDeck->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (auto* i = dynamic_cast<TMenuItem*>(frmSaverDeck->FindComponent(item))) i->Click();
  } else if (what == L"banying") {
    frmSaverDeck->ShowPlayer();
    SendMessageW(frmSaverDeck->cbbBanYing->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  } else if (what == L"flash") {
    while (!Application->Terminated) TfrmMusicList::procFlashSetupEdit(2, frmSetupSaverDeck->edtSelfSelectBanYing);
  } else if (what.rfind(L"transit", 0) == 0) {
    // The background choice (0 colour, 1 skin, 2 picture) follows the word.
    frmSetupSaverDeck->rdgTransitFormBackgroundUse->SetItemIndex(StrToIntDef(Trim(what.substr(7)), 0));
    // The built-in picture, as after a start with a saved picture choice.
    frmSetupSaverDeck->btnImg1Click(nullptr);
    frmTransitForm->Show();
  }
  Application->Run();
  int rc = Application->ExitCode();
  TComponent::Free(Application);
  return rc;
}
