// Executable lookup, class probe, commands and launch.
#include "Forms.h"
#include "QVSeams.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

// The window found by the last successful FindSiblingWnd; consumed by the next post.
HWND g_kept = nullptr;

enum class Probe { None, Current, Old };

bool FindAny(const wchar_t* const* classes) {
  for (; *classes; ++classes)
    if (FindSiblingWnd(*classes)) return true;
  return false;
}

Probe ProbeClasses(const ProductInfo& p) {
  g_kept = nullptr;
  if (FindAny(p.currentClasses)) return Probe::Current;
  if (FindAny(p.oldClasses)) return Probe::Old;
  return Probe::None;
}

// The upgrade prompt; OK opens the download page. True when the user chose OK.
bool UpgradePrompt(const ProductInfo& p, HWND owner) {
  std::wstring text, caption;
  if (p.code == pcBKWD) {
    text = L"您正使用的是Restalon的旧版本,请升级至最新版本,如果您已经下载，需要安装或首次运行它。"
           L"如果还没有下载，请点击确定进入下载页面。";
    caption = L"提示：旧版本不支持当前功能！";
  } else {
    text = std::wstring(L"您正使用的是") + p.upgradeName +
           L"的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。如果还没有下载，请点击确定进入下载页面。";
    caption = L"提示：旧版本需要升级！";
  }
  if (Dialogs().MessageBox(nullptr, text, caption, MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OKCANCEL) != IDOK)
    return false;
  OpenDownloadPage(owner);
  return true;
}

}  // namespace

bool FindSiblingExe(ProductCode code, std::wstring& path) {
  const ProductInfo* p = FindProduct(code);
  if (!p) return false;
  std::vector<std::wstring> candidates;
  try {
    candidates.push_back(ReadPathFile(p->pathFile));
  } catch (const EInOutError&) {
    // An unreadable path file is one candidate less.
  }
  candidates.push_back(GetInstallPathFromReg(p->productKey));
  const std::wstring own = OwnExeFolder();
  candidates.push_back(own + L"\\" + p->exeName);
  for (const wchar_t* const* d = p->displayExes; *d; ++d) candidates.push_back(own + L"\\" + *d);
  for (const std::wstring& c : candidates) {
    if (!c.empty() && FileExists(c)) {
      path = c;
      return true;
    }
  }
  return false;
}

bool FindSiblingWnd(const std::wstring& className) {
  HWND h = FindWindowW(className.c_str(), nullptr);
  if (h) g_kept = h;
  return h != nullptr;
}

void PostCmdToSibling(ProductCode code, SiblingCommand cmd) {
  HWND h = g_kept;
  g_kept = nullptr;
  UINT msg = CommandMessage(code, cmd);
  if (msg && h && IsWindow(h)) PostMessageW(h, msg, 0, 0);
}

void CallSibling(ProductCode code, HWND owner, SiblingCommand cmd) {
  const ProductInfo* p = FindProduct(code);
  if (!p) return;
  switch (ProbeClasses(*p)) {
    case Probe::Current:
      PostCmdToSibling(code, cmd);
      return;
    case Probe::Old:
      g_kept = nullptr;
      if (UpgradePrompt(*p, owner)) return;
      break;
    case Probe::None:
      break;
  }
  LaunchSibling(code, owner, cmd);
}

void LaunchSibling(ProductCode code, HWND owner, SiblingCommand cmd) {
  const ProductInfo* p = FindProduct(code);
  if (!p) return;
  std::wstring exe;
  if (!FindSiblingExe(code, exe)) {
    std::wstring text = std::wstring(L"您可能还没有安装") + p->notInstalledName + L",现在就下载试用吧？";
    if (Dialogs().MessageBox(nullptr, text, L"提示：未安装或启动时发生意外！",
                             MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES)
      OpenDownloadPage(owner);
    return;
  }
  // Shell start failures are not reported, but end the call.
  if (INT_PTR(ShellCalls().Execute(owner, L"", exe, p->launchParams, L"", SW_SHOWNORMAL)) <= 32) return;
  // A freshly started program shows itself: nothing to post for command 0.
  if (cmd == 0) return;
  // One start per call; the started program gets three looks, 4 s apart.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DelayWithMessages(4000);
    if (Application && Application->Terminated) return;
    switch (ProbeClasses(*p)) {
      case Probe::Current:
        PostCmdToSibling(code, cmd);
        return;
      case Probe::Old:
        g_kept = nullptr;
        UpgradePrompt(*p, owner);
        return;
      case Probe::None:
        break;
    }
  }
}

void PostCmdToBKWD(SiblingCommand cmd) { PostCmdToSibling(pcBKWD, cmd); }
void PostCmdToZEPT(SiblingCommand cmd) { PostCmdToSibling(pcZEPT, cmd); }
void PostCmdToSaverDeck(SiblingCommand cmd) { PostCmdToSibling(pcSaverDeck, cmd); }
void PostCmdToDeskpanel(SiblingCommand cmd) { PostCmdToSibling(pcDeskpanel, cmd); }
void PostCmdToMINV(SiblingCommand cmd) { PostCmdToSibling(pcMINV, cmd); }

void CallBKWD(HWND owner, SiblingCommand cmd) { CallSibling(pcBKWD, owner, cmd); }
void CallZEPT(HWND owner, SiblingCommand cmd) { CallSibling(pcZEPT, owner, cmd); }
void CallSaverDeck(HWND owner, SiblingCommand cmd) { CallSibling(pcSaverDeck, owner, cmd); }
void CallDeskpanel(HWND owner, SiblingCommand cmd) { CallSibling(pcDeskpanel, owner, cmd); }
void CallMINV(HWND owner, SiblingCommand cmd) { CallSibling(pcMINV, owner, cmd); }

void LaunchBKWD(HWND owner, SiblingCommand cmd) { LaunchSibling(pcBKWD, owner, cmd); }
void LaunchZEPT(HWND owner, SiblingCommand cmd) { LaunchSibling(pcZEPT, owner, cmd); }
void LaunchSaverDeck(HWND owner, SiblingCommand cmd) { LaunchSibling(pcSaverDeck, owner, cmd); }
void LaunchDeskpanel(HWND owner, SiblingCommand cmd) { LaunchSibling(pcDeskpanel, owner, cmd); }
void LaunchMINV(HWND owner, SiblingCommand cmd) { LaunchSibling(pcMINV, owner, cmd); }
