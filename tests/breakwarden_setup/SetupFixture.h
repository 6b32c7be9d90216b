#pragma once
// The settings dialog in-process, on a main window, with its qv30cfg in a folder of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "ConfigFileLines.h"
#include "Fakes.h"
#include "TextFile.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

// The lines a save of the design defaults writes, the active-caption colour as RGB.
inline std::vector<std::wstring> DefaultConfigFileLines() {
  const std::wstring caption = std::to_wstring(GetSysColor(COLOR_ACTIVECAPTION));
  return DefaultConfigHeadLinesAnd({L"在这里输入提醒内容。", L"在这里输入提醒内容。", L""}, caption);
}

class SetupDialog : public testing::Test {
 protected:
  void SetUp() override {
    main = new TfrmMain(Application);
    frmMain = main;
  }
  void TearDown() override {
    if (setup) TComponent::Free(setup);
    if (main) TComponent::Free(main);
    frmMain = nullptr;
    FreeAllForms();
    PumpMessages();
  }

  std::wstring ConfigPath() const { return folder.ConfigPath(); }
  void WriteConfig(const std::vector<std::wstring>& lines) { WriteTextLines(ConfigPath(), lines); }
  std::vector<std::wstring> ReadConfig() const { return ReadTextLines(ConfigPath()); }
  // The dialog's creation: the start-up of the settings and of the scheduler.
  TfrmSetup* Create() {
    setup = new TfrmSetup(Application);
    return setup;
  }
  TMenuItem* TrayItem(const wchar_t* name) const { return dynamic_cast<TMenuItem*>(main->FindComponent(name)); }
  int CheckedModeItem() const {
    const wchar_t* items[] = {L"NModeFree", L"NModePassword", L"NModeInterference", L"NModeEnforce"};
    int checked = -1, count = 0;
    for (int i = 0; i < 4; ++i)
      if (TrayItem(items[i]) && TrayItem(items[i])->Checked) {
        checked = i;
        ++count;
      }
    return count == 1 ? checked : -2;
  }

  TestConfigFolder folder;
  FakeClock clock;
  FakeDisplay display{1024, 768, RECT{0, 0, 1024, 728}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  ScriptedDialogs dialogs;
  TfrmMain* main = nullptr;
  TfrmSetup* setup = nullptr;
};
