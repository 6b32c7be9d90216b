#include "uniAboutQV.h"

#include "TextFile.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

TfrmAboutHelp* frmAboutHelp = nullptr;

namespace {

constexpr const wchar_t* kBoxCaption = L"欢迎使用Restavo！";
constexpr UINT kBoxFlags = MB_SYSTEMMODAL | MB_ICONINFORMATION;

int Box(const std::wstring& text, UINT buttons = MB_OK) {
  return Application->MessageBox(text, kBoxCaption, kBoxFlags | buttons);
}

// The program is ending (exit chosen while a wait or a box ran): nothing further is started.
bool Ending() { return !Application || Application->Terminated; }

// Line 1 of the path file; a file that cannot be read counts as missing.
std::wstring PathFileLine() {
  try {
    return ReadPathFile(kBkwdPathFile);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

bool IsFirstRun(const std::wstring& pathFileLine, const std::wstring& exePath) {
  return !PathFileNamesExe(pathFileLine, exePath);
}

TfrmAboutHelp::TfrmAboutHelp(TComponent* AOwner) : TForm(AOwner) {
  frmAboutHelp = this;
  InitForm(L"TfrmAboutHelp", Binder<TfrmAboutHelp>(this)
                                 .Bind(QV_MEMBER(PageControl1))
                                 .Bind(QV_MEMBER(TabSheet1))
                                 .Bind(QV_MEMBER(TabSheet3))
                                 .Bind(QV_MEMBER(lblVersion))
                                 .Bind(QV_MEMBER(lblHomePageOnP1))
                                 .Bind(QV_MEMBER(lblEmailOnP1))
                                 .Bind(QV_MEMBER(Image1))
                                 .Bind(QV_MEMBER(btnQQ))
                                 .Bind(QV_MEMBER(btnWangWang))
                                 .Bind(QV_MEMBER(lblHelp))
                                 .Bind(QV_MEMBER(btnSuggestion))
                                 .Bind(QV_MEMBER(lblUpdate))
                                 .Bind(QV_MEMBER(lblVote))
                                 .Bind(QV_MEMBER(lblHomePageOnP2))
                                 .Bind(QV_MEMBER(lblEmailOnP2))
                                 .Bind(QV_MEMBER(tmrFirstSetup))
                                 .On(QV_HANDLER(FormCreate))
                                 .On(QV_HANDLER(lblHelpClick))
                                 .On(QV_HANDLER(lblUpdateClick))
                                 .On(QV_HANDLER(btnSuggestionClick))
                                 .On(QV_HANDLER(lblVoteClick))
                                 .On(QV_HANDLER(lblHomePageOnP1Click))
                                 .On(QV_HANDLER(btnCopyEmailAddrClick))
                                 .On(QV_HANDLER(btnQQClick))
                                 .On(QV_HANDLER(btnWangWangClick))
                                 .On(QV_HANDLER(Image1Click))
                                 .On(QV_HANDLER(tmrFirstSetupTimer)));
}
QV_REGISTER_FORM(TfrmAboutHelp);

TfrmAboutHelp::~TfrmAboutHelp() {
  if (frmAboutHelp != this) return;
  frmAboutHelp = nullptr;
}

void TfrmAboutHelp::FormCreate(TObject*) {
  for (TLabel* l : {lblHomePageOnP1, lblHomePageOnP2}) l->SetCaption(HomePageAddress());
  for (TLabel* l : {lblEmailOnP1, lblEmailOnP2}) l->SetCaption(ContactEmailAddress());
  if (IsFirstRun(PathFileLine(), OwnExePath())) tmrFirstSetup->SetEnabled(true);
}

HWND TfrmAboutHelp::Owner() { return Handle(); }

void TfrmAboutHelp::ShowPage(int n) {
  if (n >= 0 && n < PageControl1->PageCount()) PageControl1->SetActivePageIndex(n);
  SetWindowState(wsNormal);
  Show();
  BringToFront();
  SetForegroundWindow(Handle());
}

// ---- links -----------------------------------------------------------------------------------

void TfrmAboutHelp::lblHelpClick(TObject*) { OpenHelpPage(Owner(), pcBKWD); }
void TfrmAboutHelp::lblUpdateClick(TObject*) { OpenDownloadPage(Owner()); }
void TfrmAboutHelp::btnSuggestionClick(TObject*) { OpenSuggestionPage(Owner()); }
void TfrmAboutHelp::lblVoteClick(TObject*) { OpenVotePage(Owner(), pcBKWD); }
void TfrmAboutHelp::lblHomePageOnP1Click(TObject*) { OpenHomePage(Owner()); }
void TfrmAboutHelp::btnCopyEmailAddrClick(TObject*) { CopyEmailAddr(); }
void TfrmAboutHelp::btnQQClick(TObject*) { OpenMessengerChat(Owner()); }
void TfrmAboutHelp::btnWangWangClick(TObject*) { OpenShopMessengerChat(Owner()); }
void TfrmAboutHelp::Image1Click(TObject*) {
  if (frmMain) frmMain->ShowSplash();
}

// ---- the first run ---------------------------------------------------------------------------

void TfrmAboutHelp::tmrFirstSetupTimer(TObject*) {
  tmrFirstSetup->SetEnabled(false);
  if (Box(L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...") != IDOK) return;
  if (Ending()) return;
  const bool laptop =
      Box(L"请您正确选择：当前使用的是笔记本还是台式机？笔记本请点确定，台式机点取消。", MB_OKCANCEL) == IDOK;
  if (Ending()) return;
  const std::wstring exe = OwnExePath();
  try {
    if (frmSetup) {
      frmSetup->cbxHarwareIsLaptop->SetChecked(laptop);
      if (frmSetup->cbxHarwareIsLaptop->Checked()) frmSetup->SaveConfig();
    }
    // A folder that cannot be made is passed over: the next start asks again.
    WritePathFile(kBkwdPathFile, exe, kBkwdPathFileVersion);
  } catch (const std::exception& e) {
    // qv30cfg or dir1 not written: the setup ends, and the next start runs it again.
    Application->HandleException(e);
    return;
  }
  try {
    SetAutoRun(kAutoRunBKWD, exe);
  } catch (const std::exception&) {
    // Starting with Windows is not worth a message at the first run; the general page shows it.
  }
  if (frmSetup) frmSetup->ShowAutoRunReadBack();
  DelayWithMessages(5000);
  if (Ending()) return;
  procWelcome();
}

void TfrmAboutHelp::procWelcome() {
  if (Ending()) return;
  if (Box(L"Restalon是挡屏提醒和引导休息的软件,现在先演示一下吧...") == IDOK && !Ending() && frmMain)
    frmMain->NBreakDemoClick(nullptr);
  DelayWithMessages(10000);
  if (Ending()) return;
  if (Box(L"Restalon功能非常丰富，除了卓越的休息引导功能，屏保/省电/音乐/闹钟提醒/一键调用等均是它创新的目标！"
          L"最新加入的桌面控制台功能也异常强大，建议开启。") == IDOK &&
      !Ending())
    Box(L"好，就简单介绍到这，接下来有待您慢慢体验，Quovel软件将伴您健康之旅....");
}
