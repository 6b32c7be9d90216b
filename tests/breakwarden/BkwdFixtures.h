#pragma once
// Fixtures shared by the break reminder's in-process tests: the settings' qv30cfg in a folder of
// the test's own, and the main window with the settings dialog as the program block makes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigLayout.h"
#include "Fakes.h"
#include "Forms.h"
#include "ShellFakes.h"
#include "Transparent_Window.h"
#include "uniBreakHint.h"
#include "uniScrBKWD.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

// The own screen-saver windows that are up (each start makes one; a closed one waits to be freed).
inline std::vector<TfrmScrBKWD*> OpenScrWindows() {
  std::vector<TfrmScrBKWD*> open;
  for (TForm* f : Application->Forms())
    if (auto* saver = dynamic_cast<TfrmScrBKWD*>(f); saver && saver->Visible()) open.push_back(saver);
  return open;
}

// A fresh folder where the settings look for qv30cfg while the object lives (none is there until a
// test or a save writes one); removed with its files at the end.
class TestConfigFolder {
 public:
  TestConfigFolder() { SetSetupConfigFolder(folder_.Path() + L"\\"); }
  ~TestConfigFolder() { SetSetupConfigFolder(L""); }
  const std::wstring& Path() const { return folder_.Path(); }
  std::wstring File(const std::wstring& name) const { return folder_ / name; }
  std::wstring ConfigPath() const { return File(kConfigFileName); }

 private:
  TestFolder folder_{L"qvsetup"};
};

// Frees every form still made, last made first: the windows a test opened and the desktop overlays
// the settings dialog opens at its creation.
inline void FreeAllForms() {
  std::vector<TForm*> forms(Application->Forms());
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) TComponent::Free(*it);
}

// frmMain and frmSetup made through Application as the program block makes them, on a config
// folder of the test's own; all forms are freed at the end.
class ProgramForms : public testing::Test {
 protected:
  void SetUp() override {
    Application->CreateForm(frmMain);
    Application->CreateForm(frmSetup);
    PumpMessages();
  }
  void TearDown() override {
    // Last made, first freed: the settings dialog before the main window.
    FreeAllForms();
    PumpMessages();
    Application->MainForm = nullptr;
  }

  TestConfigFolder configFolder;
};

// Frees every form a test left, then the settings dialog and the main window, and forgets them.
inline void FreeMainAndSetup(TfrmMain* main, TfrmSetup* setup) {
  std::vector<TForm*> forms = Application->Forms();
  for (TForm* f : forms)
    if (f != main && f != setup) TComponent::Free(f);
  TComponent::Free(setup);
  frmSetup = nullptr;
  TComponent::Free(main);
  frmMain = nullptr;
  frmBreakHint = nullptr;
  TWForm = nullptr;
  PumpMessages();
}
