#include "Fakes.h"

#include <commctrl.h>

#include <algorithm>

#include "Menus.h"

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
  if (DWORD(tick + ms) < tick) ++wraps;
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
  EXPECT_TRUE(dialogAnswers.empty()) << dialogAnswers.size() << " scripted dialog answer(s) were not asked for";
}

namespace {
const char* KindName(ScriptedDialogs::DialogKind k) {
  switch (k) {
    case ScriptedDialogs::kOpenFile: return "open";
    case ScriptedDialogs::kSaveFile: return "save";
    case ScriptedDialogs::kFont: return "font";
    case ScriptedDialogs::kColor: return "colour";
    case ScriptedDialogs::kFolder: return "folder";
  }
  return "?";
}

std::wstring JoinFilter(const wchar_t* f) {
  std::wstring out;
  while (f && *f) {
    if (!out.empty()) out += L'|';
    out += f;
    f += wcslen(f) + 1;
  }
  return out;
}
}  // namespace

const ScriptedDialogs::DialogAnswer* ScriptedDialogs::NextAnswer(DialogKind kind, int answerKind) {
  if (dialogAnswers.empty()) {
    ADD_FAILURE() << "unexpected " << KindName(kind) << " dialog \"" << Narrow(asked.back().title) << "\"";
    return nullptr;
  }
  current_ = dialogAnswers.front();
  dialogAnswers.pop_front();
  if (current_.kind != DialogAnswer::kCancel && current_.kind != answerKind) {
    ADD_FAILURE() << "the " << KindName(kind) << " dialog met an answer scripted for another kind";
    return nullptr;
  }
  return &current_;
}

bool ScriptedDialogs::FileDialog(DialogKind kind, OPENFILENAMEW& ofn) {
  asked.push_back({kind, ofn.hwndOwner, ofn.lpstrTitle ? ofn.lpstrTitle : L"",
                   ofn.lpstrInitialDir ? ofn.lpstrInitialDir : L"", JoinFilter(ofn.lpstrFilter),
                   ofn.lpstrFile ? ofn.lpstrFile : L"", ofn.lpstrDefExt ? ofn.lpstrDefExt : L"", ofn.Flags, 0,
                   LOGFONTW{}, 0});
  fileDialogError_ = 0;
  const DialogAnswer* a = NextAnswer(kind, DialogAnswer::kFiles);
  if (!a || a->kind == DialogAnswer::kCancel || a->files.empty()) return false;
  // One file: its full path. Several: the folder, then each name, as the explorer dialog gives them.
  std::wstring out;
  if (a->files.size() == 1) {
    out = a->files[0];
    out += L'\0';
  } else {
    const std::wstring& f0 = a->files[0];
    out = f0.substr(0, f0.rfind(L'\\'));
    out += L'\0';
    for (const auto& f : a->files) {
      out += f.substr(f.rfind(L'\\') + 1);
      out += L'\0';
    }
  }
  out += L'\0';
  if (out.size() > ofn.nMaxFile) {
    fileDialogError_ = FNERR_BUFFERTOOSMALL;
    if (ofn.nMaxFile > 0) ofn.lpstrFile[0] = wchar_t(std::min<size_t>(out.size(), 0xFFFF));
    dialogAnswers.push_front(current_);
    return false;
  }
  std::copy(out.begin(), out.end(), ofn.lpstrFile);
  return true;
}

bool ScriptedDialogs::FontDialog(CHOOSEFONTW& cf) {
  asked.push_back({kFont, cf.hwndOwner, L"", L"", L"", L"", L"", cf.Flags, cf.rgbColors,
                   cf.lpLogFont ? *cf.lpLogFont : LOGFONTW{}, cf.iPointSize});
  const DialogAnswer* a = NextAnswer(kFont, DialogAnswer::kFont);
  if (!a || a->kind == DialogAnswer::kCancel) return false;
  LOGFONTW& lf = *cf.lpLogFont;
  wcsncpy(lf.lfFaceName, a->fontName.c_str(), LF_FACESIZE - 1);
  lf.lfHeight = -MulDiv(a->fontSize, 96, 72);
  lf.lfWeight = (a->fontStyle & 1) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (a->fontStyle & 2) != 0;
  lf.lfUnderline = (a->fontStyle & 4) != 0;
  lf.lfStrikeOut = (a->fontStyle & 8) != 0;
  cf.iPointSize = a->fontSize * 10;
  cf.rgbColors = a->color;
  return true;
}

bool ScriptedDialogs::ColorDialog(CHOOSECOLORW& cc) {
  asked.push_back({kColor, cc.hwndOwner, L"", L"", L"", L"", L"", cc.Flags, cc.rgbResult, LOGFONTW{}, 0});
  const DialogAnswer* a = NextAnswer(kColor, DialogAnswer::kColor);
  if (!a || a->kind == DialogAnswer::kCancel) return false;
  cc.rgbResult = a->color;
  return true;
}

bool ScriptedDialogs::BrowseForFolder(BROWSEINFOW& bi, std::wstring& folder) {
  asked.push_back({kFolder, bi.hwndOwner, bi.lpszTitle ? bi.lpszTitle : L"", L"", L"", L"", L"", bi.ulFlags, 0,
                   LOGFONTW{}, 0});
  const DialogAnswer* a = NextAnswer(kFolder, DialogAnswer::kFiles);
  if (!a || a->kind == DialogAnswer::kCancel || a->files.empty()) return false;
  folder = a->files[0];
  return true;
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

void UserClick(TWinControl* c) {
  SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  PumpMessages();
}

void UserChoose(TWinControl* combo, int index) {
  HWND h = combo->Handle();
  SendMessageW(h, CB_SETCURSEL, WPARAM(index), 0);
  SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), LPARAM(h));
  PumpMessages();
}

bool UserKey(WORD vk, int shift) {
  HWND focus = GetFocus();
  if (!focus) return false;
  BYTE saved[256], held[256];
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), std::begin(held));
  auto hold = [&](int flag, std::initializer_list<BYTE> keys) {
    if (shift & flag)
      for (BYTE k : keys) held[k] = 0x80;
  };
  hold(ssCtrl, {VK_CONTROL, VK_LCONTROL});
  hold(ssShift, {VK_SHIFT, VK_LSHIFT});
  hold(ssAlt, {VK_MENU, VK_LMENU});
  SetKeyboardState(held);
  const LPARAM scan = LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  const UINT down = (shift & ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, up = (shift & ssAlt) ? WM_SYSKEYUP : WM_KEYUP;
  PostMessageW(focus, down, vk, scan | 1 | ((shift & ssAlt) ? 0x20000000 : 0));
  PostMessageW(focus, up, vk, scan | 1 | 0xC0000000 | ((shift & ssAlt) ? 0x20000000 : 0));
  PumpMessages();
  SetKeyboardState(saved);
  return true;
}

namespace {
HWND VisibleTipOf(HWND owner) {
  struct Look {
    HWND owner, tip;
  } look{owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        auto* l = reinterpret_cast<Look*>(p);
        wchar_t c[64] = {};
        GetClassNameW(w, c, 64);
        if (lstrcmpW(c, TOOLTIPS_CLASSW) == 0 && GetWindow(w, GW_OWNER) == l->owner && IsWindowVisible(w)) {
          l->tip = w;
          return FALSE;
        }
        return TRUE;
      },
      LPARAM(&look));
  return look.tip;
}
}  // namespace

namespace {
// The control whose tip the tool tip shows now.
HWND CurrentToolOf(HWND tip) {
  TTTOOLINFOW ti{sizeof(ti)};
  if (!SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, LPARAM(&ti))) return nullptr;
  return (ti.uFlags & TTF_IDISHWND) ? HWND(ti.uId) : nullptr;
}

bool CursorAt(POINT p) {
  POINT now{};
  GetCursorPos(&now);
  return now.x == p.x && now.y == p.y;
}
}  // namespace

HWND HoverForHint(TWinControl* c) {
  HWND h = c->Handle();
  RECT r;
  GetClientRect(h, &r);
  POINT at{r.right / 2, r.bottom / 2}, onScreen = at;
  ClientToScreen(h, &onScreen);
  const HWND owner = GetAncestor(h, GA_ROOT);
  // The tip of the control hovered before goes first, as when the mouse leaves it.
  if (HWND old = VisibleTipOf(owner)) SendMessageW(old, TTM_POP, 0, 0);
  // Under Wine's virtual desktop the real moves of each SetCursorPos come through the desktop's
  // process, and one of them may arrive after the next SetCursorPos: a move of the control hovered
  // before lands after the one of this control, and the tip starts for the old control. A resting
  // hand moves a little now and then; so does this one, until the tip of this control is up.
  const DWORD start = GetTickCount();
  for (DWORD nextMove = 0;;) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= nextMove) {
      nextMove = waited + 1000;
      SetCursorPos(onScreen.x, onScreen.y);
      // The move carries the cursor's place as the system has it: under Wine the X server takes
      // the new place a moment later, and a move posted before that would point at the old control.
      for (int i = 0; i < 200 && !CursorAt(onScreen); ++i) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      PostMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
    Application->ProcessMessages();
    if (HWND tip = VisibleTipOf(owner))
      if (CurrentToolOf(tip) == h) return tip;
    if (waited >= 5000) return nullptr;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

std::wstring HintShown(HWND tip) {
  wchar_t text[256] = {};
  TTTOOLINFOW ti{sizeof(ti)};
  ti.lpszText = text;
  if (!SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, LPARAM(&ti))) return L"";
  return text;
}

std::string Narrow(const std::wstring& s) { return WideToUtf8(s); }

void ClickWithMouse(HWND h, int x, int y) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Outside any ScriptedDialogs, every message box fails the test and answers IDCANCEL.
class FailingDialogs : public DialogSeam {
 public:
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT) override {
    ADD_FAILURE() << "a real message box would block: \"" << Narrow(caption) << "\": " << Narrow(text);
    return IDCANCEL;
  }
  // The standard dialogs likewise: each fails the test and is cancelled.
  bool OpenFileDialog(OPENFILENAMEW& ofn) override { return Fail("open", ofn.lpstrTitle); }
  bool SaveFileDialog(OPENFILENAMEW& ofn) override { return Fail("save", ofn.lpstrTitle); }
  bool FontDialog(CHOOSEFONTW&) override { return Fail("font", nullptr); }
  bool ColorDialog(CHOOSECOLORW&) override { return Fail("colour", nullptr); }
  bool BrowseForFolder(BROWSEINFOW& bi, std::wstring&) override { return Fail("folder", bi.lpszTitle); }

 private:
  static bool Fail(const char* kind, const wchar_t* title) {
    ADD_FAILURE() << "a real " << kind << " dialog would block: \"" << Narrow(title ? title : L"") << "\"";
    return false;
  }
};

void InstallFailingDialogs() {
  static FailingDialogs d;
  g_default = &d;
  SetDialogSeam(g_default);
}

namespace {
bool watchedMenuSeen = false;
RECT watchedMenuRect{};
std::vector<WORD> watchedMenuKeys;
}  // namespace

PopupMenuWatch::PopupMenuWatch(int choose) : PopupMenuWatch(ChooseKeys(choose)) {}

std::vector<WORD> PopupMenuWatch::ChooseKeys(int n) {
  if (n <= 0) return {};
  std::vector<WORD> keys(size_t(n), VK_DOWN);
  keys.push_back(VK_RETURN);
  return keys;
}

PopupMenuWatch::PopupMenuWatch(std::vector<WORD> keys) {
  watchedMenuSeen = false;
  watchedMenuRect = RECT{};
  watchedMenuKeys = std::move(keys);
  timer_ = SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR, DWORD) {
    // This thread's menu that is up: the first menu window of the desktop may be another
    // program's, or one of ours that is hidden. With the mouse resting on an item that opens a
    // submenu, that submenu comes up as well: the menu watched is the one that no other opened.
    std::vector<HWND> up;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM found) -> BOOL {
          wchar_t cls[16] = {};
          GetClassNameW(h, cls, 16);
          if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(h);
          return TRUE;
        },
        LPARAM(&up));
    auto opens = [](HWND parent, HMENU sub) {
      const HMENU menu = HMENU(SendMessageW(parent, MN_GETHMENU, 0, 0));
      for (int i = 0, n = menu ? GetMenuItemCount(menu) : 0; i < n; ++i)
        if (GetSubMenu(menu, i) == sub) return true;
      return false;
    };
    HWND m = nullptr;
    for (HWND h : up) {
      const HMENU menu = HMENU(SendMessageW(h, MN_GETHMENU, 0, 0));
      if (std::none_of(up.begin(), up.end(), [&](HWND other) { return other != h && opens(other, menu); })) m = h;
    }
    if (!m) return;  // not up yet: the timer comes again inside the menu's loop
    watchedMenuSeen = true;
    GetWindowRect(m, &watchedMenuRect);
    if (!watchedMenuKeys.empty()) {
      // The keys a user would press; the menu's loop takes them in order, submenus included.
      for (WORD k : watchedMenuKeys) PostMessageW(m, WM_KEYDOWN, k, 0);
      watchedMenuKeys.clear();
      return;
    }
    TPopupMenu::CloseOpenMenu();
  });
}
PopupMenuWatch::~PopupMenuWatch() { KillTimer(nullptr, timer_); }
bool PopupMenuWatch::Seen() const { return watchedMenuSeen; }
RECT PopupMenuWatch::Rect() const { return watchedMenuRect; }

void UserCommand(HWND control, UINT setMsg, WPARAM index, WORD code) {
  if (setMsg) SendMessageW(control, setMsg, index, 0);
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), LPARAM(control));
}
