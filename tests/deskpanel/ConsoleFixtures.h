#pragma once
// The console's bar in-process: its qvccfg in a folder of the test's own, the install record and the
// Run key in test-owned registry keys, the shell folders in a test folder, scripted boxes, a shell
// that only records and a cursor the test places.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ConsoleSeams.h"
#include "Fakes.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniLumoConsoleMain.h"
#include "uniQVShare.h"
#include "uniRemind2Change.h"

class FakeCursor : public CursorSeam {
 public:
  FakeCursor() : saved_(&Cursor()) { SetCursorSeam(this); }
  ~FakeCursor() override { SetCursorSeam(saved_ == this ? nullptr : saved_); }
  POINT Pos() override { return pos; }
  POINT pos{640, 400};

 private:
  CursorSeam* saved_;
};

// Random(n) answers from a script (then n - 1); Randomize is counted.
class FakeRandom : public RandomSeam {
 public:
  FakeRandom() : saved_(&RandomSource()) { SetRandomSeam(this); }
  ~FakeRandom() override { SetRandomSeam(saved_ == this ? nullptr : saved_); }
  void Randomize() override { ++randomized; }
  int Random(int n) override {
    asked.push_back(n);
    if (answers.empty()) return n - 1;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<int> answers;
  std::vector<int> asked;
  int randomized = 0;

 private:
  RandomSeam* saved_;
};

class ConsoleBar : public testing::Test {
 protected:
  ConsoleBar() {
    shell.registry.Redirect(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\DESKPANEL", shell.key.Path() + L"\\DESKPANEL")
        .Redirect(HKEY_LOCAL_MACHINE, kRunKeyPath, shell.key.Path() + L"\\Run");
    SetConsoleConfigFolder(folder.Path());
  }
  ~ConsoleBar() override {
    if (TForm* reminder = Application->FindForm(L"frmRemindScrMusPic")) TComponent::Free(reminder);
    if (form) TComponent::Free(form);
    PumpMessages();
    SetConsoleConfigFolder(L"");
    FirstRun = false;
    DuePic = DueScr = DueMus = 0;
    Application->ShowMainForm = true;
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Application->Terminated = false;
  }

  // The record of an earlier run names this executable: no first-run question.
  void SeedRecord() { shell.key.SetString(L"DESKPANEL", L"dir", OwnExePath()); }
  std::wstring RecordValue(const wchar_t* name) const {
    return RegReadStr(HKEY_CURRENT_USER, shell.key.Path() + L"\\DESKPANEL", name);
  }
  std::wstring RunValue() const {
    return RegReadStr(HKEY_CURRENT_USER, shell.key.Path() + L"\\Run", kAutoRunDeskpanel);
  }
  std::wstring ConfigPath() const { return folder / L"qvccfg"; }
  void WriteConfig(const std::wstring& line2) {
    WriteTextLines(ConfigPath(), {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", line2});
  }
  std::wstring ConfigLine2() const {
    if (!FileExists(ConfigPath())) return L"(no file)";
    auto lines = ReadTextLines(ConfigPath());
    return lines.size() >= 2 ? lines[1] : L"(short file)";
  }
  TfrmLumoConsoleMain* Make() {
    form = new TfrmLumoConsoleMain(Application);
    PumpMessages();
    return form;
  }
  TMenuItem* Item(const wchar_t* name) const { return dynamic_cast<TMenuItem*>(form->FindComponent(name)); }
  // A user's click on one of the bar's controls.
  static void ClickControl(HWND h) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }

  ShellFoldersInTestFolder shell;
  TestFolder folder{L"qvconsole"};
  ScriptedDialogs dialogs;
  RecordingShell web;
  FakeCursor cursor;
  TfrmLumoConsoleMain* form = nullptr;
};
