#include "uniRemind2Change.h"

#include "ConsoleSeams.h"
#include "QVSeams.h"
#include "Seams.h"
#include "uniLumoConsoleMain.h"
#include "uniQVShare.h"

TfrmRemindScrMusPic* frmRemindScrMusPic = nullptr;

namespace {

const wchar_t kFormName[] = L"frmRemindScrMusPic";

// The wallpaper pages and the article about screen savers (addresses of our choosing).
constexpr const wchar_t* kBaiduWallpaper1 = L"http://image.baidu.com/channel/wallpaper";
constexpr const wchar_t* kBaiduWallpaper2 = L"http://image.baidu.com/search/index?tn=baiduimage&word=%E5%A3%81%E7%BA%B8";
constexpr const wchar_t* kGoogleWallpaper = L"https://www.google.com/search?q=%E5%A3%81%E7%BA%B8&tbm=isch";
constexpr const wchar_t* kReadmeAboutScr = L"http://www.quovel.com/article/screen-savers.html";

void OpenPage(HWND owner, const wchar_t* address) {
  ShellCalls().Execute(owner, L"", address, L"", L"", SW_SHOWNORMAL);
}

void ShowDueLabel(TComboBox* list, TLabel* due) { due->SetVisible(list->ItemIndex() == 0); }

}  // namespace

TDayNumber Remind2ChangeToday() { return DayNumberOf(Clock().LocalTime()); }

void OpenRemind2ChangeWindow() {
  // A window already confirmed is on its way out: it does not count as the open one.
  auto* open = dynamic_cast<TfrmRemindScrMusPic*>(Application->FindForm(kFormName));
  if (open && open->FCloseAction == caNone) {
    open->SetWindowState(wsNormal);
  } else {
    open = new TfrmRemindScrMusPic(Application);
    open->Show();
  }
  BringWindowToFront(open->Handle());
}

TfrmRemindScrMusPic::TfrmRemindScrMusPic(TComponent* AOwner) : TForm(AOwner) {
  frmRemindScrMusPic = this;
  InitForm(L"TfrmRemindScrMusPic", Binder<TfrmRemindScrMusPic>(this)
                                       .Bind(QV_MEMBER(btnChangeWallpaper))
                                       .Bind(QV_MEMBER(btnChangeSCR))
                                       .Bind(QV_MEMBER(btnChangeMUS))
                                       .Bind(QV_MEMBER(cbxChangeWallpaper))
                                       .Bind(QV_MEMBER(cbxChangeSCR))
                                       .Bind(QV_MEMBER(cbxChangeMUS))
                                       .Bind(QV_MEMBER(lblDue_Pic))
                                       .Bind(QV_MEMBER(lblDue_Scr))
                                       .Bind(QV_MEMBER(lblDue_Mus))
                                       .Bind(QV_MEMBER(btnOK))
                                       .Bind(QV_MEMBER(ppmChangePic))
                                       .Bind(QV_MEMBER(ppmChangeSCR))
                                       .On(QV_HANDLER(FormCreate))
                                       .On(QV_HANDLER(FormClose))
                                       .On(QV_HANDLER(cbxChangeWallpaperChange))
                                       .On(QV_HANDLER(cbxChangeSCRChange))
                                       .On(QV_HANDLER(cbxChangeMUSChange))
                                       .On(QV_HANDLER(btnChangeWallpaperClick))
                                       .On(QV_HANDLER(btnChangeSCRClick))
                                       .On(QV_HANDLER(btnChangeMUSClick))
                                       .On(QV_HANDLER(btnOKClick))
                                       .On(QV_HANDLER(NChangeSCR_BySysClick))
                                       .On(QV_HANDLER(NChangeSCR_ByMINVClick))
                                       .On(QV_HANDLER(NBaiduWallpaper1Click))
                                       .On(QV_HANDLER(NBaiduWallpaper2Click))
                                       .On(QV_HANDLER(NGoogleWallpaper1Click))
                                       .On(QV_HANDLER(NChangeAutoSCRClick))
                                       .On(QV_HANDLER(NChangeZEPTClick))
                                       .On(QV_HANDLER(NReadmeAboutSCRClick)));
}
QV_REGISTER_FORM(TfrmRemindScrMusPic);

TfrmRemindScrMusPic::~TfrmRemindScrMusPic() {
  if (frmRemindScrMusPic == this) frmRemindScrMusPic = nullptr;
}

// ---- life cycle ------------------------------------------------------------------------------

void TfrmRemindScrMusPic::FormCreate(TObject*) {
  const TDayNumber today = Remind2ChangeToday();
  cbxChangeWallpaper->SetItemIndex(DueListIndex(DuePic, today));
  cbxChangeSCR->SetItemIndex(DueListIndex(DueScr, today));
  cbxChangeMUS->SetItemIndex(DueListIndex(DueMus, today));
  cbxChangeWallpaperChange(nullptr);
  cbxChangeSCRChange(nullptr);
  cbxChangeMUSChange(nullptr);
  // Its size now is its smallest and largest.
  fixedSize_ = SIZE{Width(), Height()};
  FCloseAction = caNone;
}

void TfrmRemindScrMusPic::FormClose(TObject*, TCloseAction& Action) { Action = FCloseAction; }

void TfrmRemindScrMusPic::WndProc(TMessage& m) {
  if (m.Msg == WM_GETMINMAXINFO && fixedSize_.cx > 0) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMinTrackSize = info->ptMaxTrackSize = POINT{fixedSize_.cx, fixedSize_.cy};
    info->ptMaxSize = POINT{fixedSize_.cx, fixedSize_.cy};
    m.Result = 0;
    return;
  }
  TForm::WndProc(m);
}

// ---- the rows --------------------------------------------------------------------------------

void TfrmRemindScrMusPic::cbxChangeWallpaperChange(TObject*) { ShowDueLabel(cbxChangeWallpaper, lblDue_Pic); }
void TfrmRemindScrMusPic::cbxChangeSCRChange(TObject*) { ShowDueLabel(cbxChangeSCR, lblDue_Scr); }
void TfrmRemindScrMusPic::cbxChangeMUSChange(TObject*) { ShowDueLabel(cbxChangeMUS, lblDue_Mus); }

void TfrmRemindScrMusPic::PopupAtCursor(TPopupMenu* menu) {
  POINT p = Cursor().Pos();
  menu->Popup(p.x, p.y, Handle());
}

void TfrmRemindScrMusPic::btnChangeWallpaperClick(TObject*) { PopupAtCursor(ppmChangePic); }
void TfrmRemindScrMusPic::btnChangeSCRClick(TObject*) { PopupAtCursor(ppmChangeSCR); }
void TfrmRemindScrMusPic::btnChangeMUSClick(TObject*) { CallSaverDeck(Handle(), 7); }

void TfrmRemindScrMusPic::NChangeSCR_BySysClick(TObject*) {
  ShellCalls().Execute(Handle(), L"open", L"RunDll32.exe", L"Shell32.dll,Control_RunDLL desk.cpl,,0", L"",
                       SW_SHOWNORMAL);
}
void TfrmRemindScrMusPic::NChangeSCR_ByMINVClick(TObject*) { CallMINV(Handle(), 0); }
void TfrmRemindScrMusPic::NBaiduWallpaper1Click(TObject*) { OpenPage(Handle(), kBaiduWallpaper1); }
void TfrmRemindScrMusPic::NBaiduWallpaper2Click(TObject*) { OpenPage(Handle(), kBaiduWallpaper2); }
void TfrmRemindScrMusPic::NGoogleWallpaper1Click(TObject*) { OpenPage(Handle(), kGoogleWallpaper); }
void TfrmRemindScrMusPic::NChangeAutoSCRClick(TObject*) { CallBKWD(Handle(), 1); }
void TfrmRemindScrMusPic::NChangeZEPTClick(TObject*) { CallZEPT(Handle(), 0); }
void TfrmRemindScrMusPic::NReadmeAboutSCRClick(TObject*) { OpenPage(Handle(), kReadmeAboutScr); }

// ---- the confirmation ------------------------------------------------------------------------

void TfrmRemindScrMusPic::btnOKClick(TObject*) {
  // The pause below handles messages: a second click must not run a second confirmation.
  if (!btnOK->Enabled()) return;
  btnOK->SetEnabled(false);
  try {
    const TDayNumber today = Remind2ChangeToday();
    for (TComboBox* list : {cbxChangeWallpaper, cbxChangeSCR, cbxChangeMUS})
      list->SetItemIndex(ConfirmedIndex(list->ItemIndex()));
    DuePic = ConfirmedDue(today, cbxChangeWallpaper->ItemIndex());
    DueScr = ConfirmedDue(today, cbxChangeSCR->ItemIndex());
    DueMus = ConfirmedDue(today, cbxChangeMUS->ItemIndex());
    if (frmLumoConsoleMain) frmLumoConsoleMain->SaveConfig();
  } catch (...) {
    // The new dates stay in memory; the window stays open for another try.
    btnOK->SetEnabled(true);
    throw;
  }
  DelayWithMessages(1000);
  FCloseAction = caFree;
  Close();
}
