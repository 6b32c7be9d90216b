// The built player's settings dialog as a process: shown by a sibling's command on its
// accompaniment page, changed as a user's tool changes it, saved with Yes into svd25cfg beside the
// executable; a first run in a new place, which also starts the console beside it; the stored skin
// as the screen shows it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const wchar_t kClass[] = L"KMR474747_325_SaverDeck";
const wchar_t kWarning[] = L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！";

// A registry value of the machine (the prefix) kept as it was and given back at the end.
class ValueGuard {
 public:
  ValueGuard(HKEY root, std::wstring key, std::wstring name) : root_(root), key_(std::move(key)), name_(std::move(name)) {
    had_ = Query(value_);
  }
  ~ValueGuard() {
    HKEY k;
    if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != ERROR_SUCCESS)
      return;
    if (had_)
      RegSetValueExW(k, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value_.c_str()),
                     DWORD((value_.size() + 1) * sizeof(wchar_t)));
    else
      RegDeleteValueW(k, name_.empty() ? nullptr : name_.c_str());
    RegCloseKey(k);
  }
  bool Query(std::wstring& out) const {
    HKEY k;
    if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    wchar_t buf[1024] = {};
    DWORD bytes = sizeof(buf) - sizeof(wchar_t), type = 0;
    const bool ok = RegQueryValueExW(k, name_.empty() ? nullptr : name_.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buf), &bytes) == ERROR_SUCCESS;
    RegCloseKey(k);
    if (ok) out = buf;
    return ok;
  }

 private:
  HKEY root_;
  std::wstring key_, name_, value_;
  bool had_ = false;
};

// The player copied into a folder of its own, where it keeps svd25cfg.
class PlayerCopy : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a player is left over";
    exe = folder / L"saverdeck.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(SAVERDECK_EXE).c_str(), exe.c_str(), FALSE));
  }
  std::wstring ConfigPath() const { return folder / L"svd25cfg"; }
  // The hidden settings dialog of the running player.
  HWND Dialog(const TestProcess& p) const {
    HWND d = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (d = p.AnyWindow(L"TfrmSetupSaverDeck")) != nullptr; })) << "no dialog";
    return d;
  }
  static HWND Control(HWND dialog, const std::wstring& caption) {
    HWND c = ChildByCaption(dialog, caption);
    EXPECT_NE(c, nullptr) << Narrow(caption);
    return c;
  }
  // A user's choice in a combo box of another process: the selection, then the notice to its parent.
  static void Choose(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), LPARAM(combo));
  }
  static int SelectedPage(HWND dialog) {
    std::vector<HWND> tabs = ChildrenOfClass(dialog, WC_TABCONTROLW);
    return tabs.empty() ? -1 : int(SendMessageW(tabs[0], TCM_GETCURSEL, 0, 0));
  }

  TestFolder folder{L"qvsvdproc"};
  std::wstring exe;
  ValueGuard run{HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunSaverDeck};
};

TEST_F(PlayerCopy, ASiblingShowsTheAccompanimentPageAndYesSavesWhatTheUserChanged) {
  WriteTextLines(ConfigPath(), {kWarning, L"[0] FALSE TRUE TRUE", L"[1] 2", L"[2]", L"[3] 40 10 2 0 255 1",
                                L"[4] 0 TRUE", L"", L"", L"", L"", L"", L"C:\\歌", L"", L"", L"", L"", L"0"});
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  HWND dialog = Dialog(p);
  ASSERT_FALSE(IsWindowVisible(dialog));

  // Command 7 of a sibling.
  PostMessageW(main, WM_SAVERDECK_SETUPACCOMP, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; })) << "0x8190 did not show the dialog";
  EXPECT_EQ(SelectedPage(dialog), 2);

  // The source for outside runs, the start-hidden box (which asks), the skin.
  std::vector<HWND> combos = ChildrenOfClass(dialog, L"ComboBox");
  HWND source = nullptr, skins = nullptr;
  for (HWND c : combos) {
    const int n = int(SendMessageW(c, CB_GETCOUNT, 0, 0));
    if (n == 4 && source == nullptr && int(SendMessageW(c, CB_GETCURSEL, 0, 0)) == 0) {
      wchar_t first[64] = {};
      SendMessageW(c, CB_GETLBTEXT, 0, LPARAM(first));
      if (std::wstring(first) == L"<自动选择拌音>") source = c;
    }
    if (n == 14) skins = c;
  }
  ASSERT_NE(source, nullptr);
  ASSERT_NE(skins, nullptr);
  EXPECT_EQ(SendMessageW(skins, CB_GETCURSEL, 0, 0), 2) << "read from the file";
  Choose(source, 3);
  Choose(skins, 6);
  PostMessageW(Control(dialog, L"启动后最小化到托盘"), BM_CLICK, 0, 0);
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"确认：", IDYES, &texts));
  EXPECT_NE(texts.find(L"下次启动时它将不显示主画面"), std::wstring::npos) << Narrow(texts);

  // Saved with Yes.
  PostMessageW(Control(dialog, L"保存退出"), BM_CLICK, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDYES, &texts));
  EXPECT_NE(texts.find(L"是否保存设置？未更改或想放弃更改请点否。"), std::wstring::npos) << Narrow(texts);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  const std::vector<std::wstring> expected = {kWarning, L"[0] TRUE TRUE TRUE", L"[1] 6", L"[2]",
                                              L"[3] 40 10 2 0 255 1", L"[4] 3 TRUE", L"", L"", L"", L"", L"",
                                              L"C:\\歌", L"", L"", L"", L"", L"0"};
  std::string bytes;
  for (const auto& l : expected) bytes += WideToCodePage(l, 936) + "\r\n";
  EXPECT_EQ(ReadBytes(ConfigPath()), bytes);
}

// A damaged file's NUL, CR and other control characters in the text lines: the file loads, and
// Yes writes those lines as the text they hold, each one line of the file.
TEST_F(PlayerCopy, ControlCharactersOfTheTextLinesAreNotWrittenBack) {
  const std::wstring nul(1, L'\0');
  WriteTextLines(ConfigPath(), {kWarning, L"[0] FALSE FALSE TRUE", L"[1] 0", L"[2]", L"[3] 30 10 2 0 -16777190 1",
                                L"[4] 0 TRUE", L"C:\\li" + nul + L"st\r.qvml", L"C:\\ow\tn\x01.mid",
                                L"C:\\pi\x1F" L"c.jpg", L"C:\\qv\x7F" L"ml", L"C:\\pi\x0B" L"cs", L"C:\\歌\r",
                                L"\x01", L"C:\\m" + nul + L"2", L"", L"", L"1"});
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  HWND dialog = Dialog(p);
  EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a box at start";
  PostMessageW(main, WM_SAVERDECK_SETUPACCOMP, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
  PostMessageW(Control(dialog, L"保存退出"), BM_CLICK, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDYES));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));

  const std::vector<std::wstring> expected = {kWarning, L"[0] FALSE FALSE TRUE", L"[1] 0", L"[2]",
                                              L"[3] 30 10 2 0 -16777190 1", L"[4] 0 TRUE", L"C:\\list.qvml",
                                              L"C:\\own.mid", L"C:\\pic.jpg", L"C:\\qvml", L"C:\\pics",
                                              L"C:\\歌", L"C:\\m2", L"", L"", L"", L"1"};
  std::string bytes;
  for (const auto& l : expected) bytes += WideToCodePage(l, 936) + "\r\n";
  EXPECT_EQ(ReadBytes(ConfigPath()), bytes);
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

TEST_F(PlayerCopy, AStoredOwnFileSourceWithoutAFileAsksAtStartAndIsSavedAsAutomatic) {
  std::vector<std::wstring> lines = {kWarning, L"[0] FALSE TRUE TRUE", L"[1] 0", L"[2]", L"[3] 30 10 2 0 -16777190 1",
                                     L"[4] 2 TRUE", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"-1"};
  WriteTextLines(ConfigPath(), lines);
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDNO, &texts)) << "no question at start";
  EXPECT_NE(texts.find(L"自选独立拌音列表里没有文件，是否现在就设置？"), std::wstring::npos) << Narrow(texts);
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  HWND dialog = Dialog(p);
  EXPECT_FALSE(IsWindowVisible(dialog)) << "No shows nothing";
  PostMessageW(main, WM_SAVERDECK_SETUPACCOMP, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
  PostMessageW(Control(dialog, L"保存退出"), BM_CLICK, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDYES));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
  lines[5] = L"[4] 0 TRUE";
  EXPECT_EQ(ReadTextLines(ConfigPath()), lines);
}

TEST_F(PlayerCopy, AnOwnAccompanimentWithAKoreanNameChosenInTheOpenDialogIsSavedAsANameThatOpensIt) {
  std::vector<std::wstring> lines = {kWarning, L"[0] FALSE TRUE TRUE", L"[1] 0", L"[2]", L"[3] 30 10 2 0 -16777190 1",
                                     L"[4] 0 TRUE", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"-1"};
  WriteTextLines(ConfigPath(), lines);
  const std::wstring sd = folder / L"sd";
  ASSERT_TRUE(CreateDirectoryW(sd.c_str(), nullptr));
  const std::wstring song = sd + L"\\한국노래.wav";
  ASSERT_TRUE(WriteToneWav(song, 200));
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  HWND dialog = Dialog(p);
  PostMessageW(main, WM_SAVERDECK_SETUPACCOMP, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));

  // The system's open dialog: the name typed into its file-name field, then its OK button.
  PostMessageW(Control(dialog, L"..."), BM_CLICK, 0, 0);
  HWND open = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (open = p.AnyWindow(L"#32770", L"选择伴音音乐")) != nullptr && IsWindowVisible(open); }))
      << "no open dialog";
  // Its one text field is the file name.
  HWND name = nullptr;
  for (HWND e : ChildrenOfClass(open, L"Edit"))
    if (!name && IsWindowVisible(e)) name = e;
  ASSERT_NE(name, nullptr);
  SendMessageW(name, WM_SETTEXT, 0, LPARAM(song.c_str()));
  PostMessageW(GetDlgItem(open, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(open); })) << "the open dialog stays";

  PostMessageW(Control(dialog, L"保存退出"), BM_CLICK, 0, 0);
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDYES, &texts));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); })) << Narrow(texts);
  lines = ReadTextLines(ConfigPath());
  ASSERT_EQ(lines.size(), 17u);
  // Line 8 opens the chosen file: not "C:\\...\\????.wav".
  const std::wstring stored = lines[7];
  EXPECT_EQ(stored.find(L'?'), std::wstring::npos) << Narrow(stored);
  wchar_t full[MAX_PATH] = {}, chosen[MAX_PATH] = {};
  GetLongPathNameW(stored.c_str(), full, MAX_PATH);
  GetLongPathNameW(song.c_str(), chosen, MAX_PATH);
  EXPECT_EQ(std::wstring(full), std::wstring(chosen)) << Narrow(stored);
}

TEST_F(PlayerCopy, AFirstStartWritesTheBuiltInTuneAndATuneTheUserPutThereIsKept) {
  const std::wstring tune = folder / L"Syn\\xjwuqu.mid";
  {
    TestProcess p(exe);
    ASSERT_TRUE(p.Started());
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return p.AnyWindow(L"TfrmMusicList") != nullptr; })) << "the start did not finish";
    ASSERT_TRUE(FileExists(tune));
    EXPECT_EQ(ReadBytes(tune).substr(0, 4), "MThd");
    // Wine's control opens no MIDI file: the commands that start the tune leave the player running.
    DWORD_PTR r = 0;
    for (UINT msg : {WM_SAVERDECK_TOGGLEACCOMP, WM_SAVERDECK_TOGGLEACCOMP, WM_SAVERDECK_RESTARTACCOMP})
      EXPECT_NE(SendMessageTimeoutW(main, msg, 0, 0, SMTO_ABORTIFHUNG, 10000, &r), 0) << std::hex << msg;
    p.Quit();
    ASSERT_TRUE(p.Ended());
    EXPECT_EQ(p.ExitCode(), 0u);
  }
  WriteBytes(tune, "MThd the user's own tune");
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  // The playlist window is made last: by then the tune has been looked at.
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return p.AnyWindow(L"TfrmMusicList") != nullptr; })) << "the start did not finish";
  EXPECT_EQ(ReadBytes(tune), "MThd the user's own tune");
}

TEST_F(PlayerCopy, AFirstRunInANewPlaceWritesItsRecordsAndStartsTheConsoleBesideIt) {
  ValueGuard fileType{HKEY_CLASSES_ROOT, L".qvml", L""};
  ValueGuard command{HKEY_CLASSES_ROOT, L"qvml_auto_file\\shell\\open\\command", L""};
  const std::wstring pathFile = PathFileFolder() + L"\\dir3";
  DeleteFileW(pathFile.c_str());
  // The fake console, where the player looks for its sibling last: beside itself.
  const std::wstring console = folder / L"deskpanel.exe", log = folder / L"console.log";
  ASSERT_TRUE(CopyFileW(WinPathFromBuild(FAKESIBLING_EXE).c_str(), console.c_str(), FALSE));
  WriteTextLines(console + L".ini", {L"class=KMR474747_420_DESKPANEL", L"log=" + log, L"life=30000"});
  ASSERT_TRUE(GetInstallPathFromReg(L"DESKPANEL").empty() && ReadPathFile(L"dir4").empty())
      << "a console is installed elsewhere";

  TestProcess p(exe, L"", L"", FirstRunSeed::AsIs);
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"欢迎使用Sonavista！", IDOK, &texts));
  EXPECT_NE(texts.find(L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续..."),
            std::wstring::npos)
      << Narrow(texts);
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(log).find("ready") != std::string::npos; })) << "no console started";
  EXPECT_EQ(ReadTextLines(pathFile), (std::vector<std::wstring>{exe, L"25"}));
  std::wstring value;
  EXPECT_TRUE(ValueGuard(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunSaverDeck).Query(value));
  EXPECT_EQ(value, L"\"" + exe + L"\"") << "quoted: the folder may hold a blank";
  EXPECT_TRUE(ValueGuard(HKEY_CLASSES_ROOT, L".qvml", L"").Query(value));
  EXPECT_EQ(value, L"qvml_auto_file");
  EXPECT_TRUE(ValueGuard(HKEY_CLASSES_ROOT, L"qvml_auto_file\\shell\\open\\command", L"").Query(value));
  EXPECT_EQ(value, L"\"" + exe + L"\" /L \"%1\"");
  HWND dialog = Dialog(p);
  EXPECT_TRUE(Checked(Control(dialog, L"随系统启动")));
  if (HWND h = FindWindowW(L"KMR474747_420_DESKPANEL", nullptr)) PostMessageW(h, WM_CLOSE, 0, 0);
  p.Quit();
  EXPECT_TRUE(p.Ended());
  SeedPathFile(WinPathFromBuild(SAVERDECK_EXE));
}

TEST_F(PlayerCopy, TheStoredSkinColoursBothListsOnTheScreen) {
  WriteTextLines(ConfigPath(), {kWarning, L"[0] FALSE TRUE TRUE", L"[1] 6", L"[2]", L"[3] 30 10 2 0 255 1",
                                L"[4] 0 TRUE"});
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.Window(kClass)) != nullptr; })) << "no main window shown";
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

  // "金色梦境": both lists in the picture's colour, on the screen.
  std::vector<HWND> lists;
  for (HWND c : ChildrenOfClass(main, L"ComboBox"))
    if (IsWindowVisible(c)) lists.push_back(c);
  ASSERT_EQ(lists.size(), 2u);
  for (HWND list : lists) {
    RECT r;
    GetWindowRect(list, &r);
    COLORREF c = 0;
    EXPECT_TRUE(WaitFor([&] {
      c = CaptureScreen(RECT{r.left + 4, r.top + 4, r.left + 5, r.top + 5}).At(r.left + 4, r.top + 4);
      return std::abs(GetRValue(c) - 145) <= 3 && std::abs(GetGValue(c) - 97) <= 3 && std::abs(GetBValue(c) - 49) <= 3;
    }, 5000)) << std::hex << c;
  }

  p.Quit();
  EXPECT_TRUE(p.Ended());
}

}  // namespace
