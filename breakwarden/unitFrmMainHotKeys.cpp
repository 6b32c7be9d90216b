// The main window's seven hot keys: registered at its creation (released with the tray icon), and
// what each one does when it arrives.
#include "EventLog.h"
#include "TrayMenu.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

void TfrmMain::RegisterHotKeys() {
  for (size_t n = 0; n < kHotKeys.size(); ++n) FHotKeyAtoms[n] = GlobalAddAtomW(kHotKeys[n].atomName);
  // Unique identifiers, so that unregistering one frees exactly its own key.
  FHotKeyIds = HotKeyIdentifiers(FHotKeyAtoms);
  // A key that another program holds simply never arrives.
  for (size_t n = 0; n < kHotKeys.size(); ++n) RegisterHotKey(Handle(), FHotKeyIds[n], MOD_WIN, kHotKeys[n].key);
}

void TfrmMain::WMHotKey(TMessage& m) {
  m.Result = 0;
  switch (DecodeHotKey(m.LParam)) {
    case THotKeyAction::BlackScreen:
      RecordEvent(false, true, 0, ekManualScreenSaver, true);
      if (frmSetup) frmSetup->ShowInternalSCR(false);
      break;
    case THotKeyAction::NotePad: NOpenNotePadClick(nullptr); break;
    case THotKeyAction::Calculator: NOpenCalculatorClick(nullptr); break;
    case THotKeyAction::Word: NOpenWordClick(nullptr); break;
    case THotKeyAction::ScreenSaverSwitch:
      if (frmSetup) frmSetup->cbxEnableSelfSCRClick(nullptr);
      break;
    case THotKeyAction::Overlay: NShowSOTClick(nullptr); break;
    case THotKeyAction::Excel: NOpenExcelClick(nullptr); break;
    case THotKeyAction::None: break;
  }
}
