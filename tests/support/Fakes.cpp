#include "Fakes.h"

#include <gtest/gtest.h>

#include "Forms.h"

namespace {
// The seam that is in force outside any fake: a test that meets a real box fails fast.
DialogSeam* g_default = nullptr;
}  // namespace

FakeClock::FakeClock() : saved_(&Clock()) { SetClockSeam(this); }
FakeClock::~FakeClock() { SetClockSeam(saved_ == this ? nullptr : saved_); }

void FakeClock::WaitForMessages(DWORD ms) {
  // Nothing real to wait for: let the time pass at once.
  Advance(ms);
}

void FakeClock::Advance(DWORD ms) {
  tick += ms;
  FILETIME ft;
  SystemTimeToFileTime(&local, &ft);
  ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
  u.QuadPart += ULONGLONG(ms) * 10000;
  ft = {u.LowPart, u.HighPart};
  FileTimeToSystemTime(&ft, &local);
}

ScriptedDialogs::ScriptedDialogs() : saved_(&Dialogs()) { SetDialogSeam(this); }
ScriptedDialogs::~ScriptedDialogs() {
  SetDialogSeam(saved_);
  EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answer(s) were not asked for";
}

int ScriptedDialogs::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  shown.push_back({owner, text, caption, flags});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected message box \"" << Narrow(caption) << "\": " << Narrow(text);
    return IDCANCEL;
  }
  int a = answers.front();
  answers.pop_front();
  return a;
}

FakeDisplay::FakeDisplay(int w, int h, RECT workArea) : w_(w), h_(h), work_(workArea), saved_(&Display()) {
  SetDisplaySeam(this);
}
FakeDisplay::~FakeDisplay() { SetDisplaySeam(saved_ == this ? nullptr : saved_); }

void PumpMessages() {
  for (int i = 0; i < 3; ++i) Application->ProcessMessages();
}

std::string Narrow(const std::wstring& s) { return WideToUtf8(s); }

// Outside any ScriptedDialogs, every message box fails the test and answers IDCANCEL.
class FailingDialogs : public DialogSeam {
 public:
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT) override {
    ADD_FAILURE() << "a real message box would block: \"" << Narrow(caption) << "\": " << Narrow(text);
    return IDCANCEL;
  }
};

void InstallFailingDialogs() {
  static FailingDialogs d;
  g_default = &d;
  SetDialogSeam(g_default);
}
