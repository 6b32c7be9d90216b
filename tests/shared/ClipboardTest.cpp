// The e-mail copy through the clipboard. The clipboard is one for every process of a Wine prefix:
// these tests run on a desktop of their own, where no other test copies or holds it meanwhile.
#include <gtest/gtest.h>

#include <thread>

#include "Fakes.h"
#include "uniQVShare.h"

namespace {

TEST(CopyEmailAddr, PutsTheAddressOnTheClipboardAndSaysSo) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  CopyEmailAddr();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"邮件地址已成功复制到剪贴板！您现在可以写信给作者了！");
  EXPECT_EQ(dialogs.shown[0].flags & 0xF0u, 0u);  // a plain message: no icon
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  std::wstring text = h ? static_cast<const wchar_t*>(GlobalLock(h)) : L"";
  if (h) GlobalUnlock(h);
  CloseClipboard();
  EXPECT_NE(text.find(L'@'), std::wstring::npos) << Narrow(text);
}

TEST(CopyEmailAddr, AClipboardHeldByAnotherProgramIsReportedNotClaimed) {
  // Another thread holds the clipboard open, as another program would.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr), done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool held = false;
  std::thread holder([&] {
    // The desktop's own clipboard keeper may have it open for a moment after a copy.
    for (DWORD waited = 0; !(held = OpenClipboard(nullptr) != FALSE) && waited < 5000; waited += 20) Sleep(20);
    SetEvent(opened);
    WaitForSingleObject(done, 20000);
    if (held) CloseClipboard();
  });
  WaitForSingleObject(opened, 20000);
  if (!held) {
    SetEvent(done);
    holder.join();
    CloseHandle(opened);
    CloseHandle(done);
    FAIL() << "the clipboard could not be opened for the test";
  }
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  CopyEmailAddr();
  SetEvent(done);
  holder.join();
  CloseHandle(opened);
  CloseHandle(done);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"无法使用剪贴板，邮件地址未能复制，请稍后再试。");
  EXPECT_EQ(dialogs.shown[0].flags & 0xF0u, UINT(MB_ICONWARNING));
}

}  // namespace
