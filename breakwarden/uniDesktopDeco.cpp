#include "uniDesktopDeco.h"

#include "BkwdSeams.h"
#include "unitFrmMain.h"

TfrmDesktopDeco* frmDesktopDeco = nullptr;

namespace {
constexpr int kPageOther = 7;  // "综合/其它", where the picture is switched
}

int DecoWidth(int screenWidth) { return int(int64_t(screenWidth) * 250 / 1024); }

int DecoHeight(int pictureWidth, int pictureHeight, int width) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return 0;
  return int(int64_t(pictureHeight) * width / pictureWidth);
}

TDecoPlace DecoPlace(uint8_t flag, int workWidth, int workHeight, int width, int height) {
  const int left = workWidth - width - 10;
  if (flag == 0) return {left, 25, 1, L"置底"};
  return {left, workHeight - height - 10, 0, L"置顶"};
}

POINT DecoDragTo(POINT windowPos, POINT press, POINT release) {
  return POINT{windowPos.x + release.x - press.x, windowPos.y + release.y - press.y};
}

TfrmDesktopDeco::TfrmDesktopDeco(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmDesktopDeco", Binder<TfrmDesktopDeco>(this)
                                   .Bind(QV_MEMBER(Image1))
                                   .Bind(QV_MEMBER(PopupMenu1))
                                   .Bind(QV_MEMBER(NSetPosition))
                                   .Bind(QV_MEMBER(NSetup))
                                   .Bind(QV_MEMBER(NHide))
                                   .On(QV_HANDLER(FormCreate))
                                   .On(QV_HANDLER(FormShow))
                                   .On(QV_HANDLER(FormClose))
                                   .On(QV_HANDLER(FormDestroy))
                                   .On(QV_HANDLER(Image1MouseDown))
                                   .On(QV_HANDLER(Image1MouseUp))
                                   .On(QV_HANDLER(NSetPositionClick))
                                   .On(QV_HANDLER(NSetupClick))
                                   .On(QV_HANDLER(NHideClick)));
}
QV_REGISTER_FORM(TfrmDesktopDeco);

void TfrmDesktopDeco::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // On the desktop's own window where the shell has one. Wine has none: the picture then stays
  // owned by the program's hidden window (no taskbar button) and keeps to the bottom by itself.
  if (HWND desktop = FindWindowW(nullptr, L"Program Manager")) p.WndParent = desktop;
}

void TfrmDesktopDeco::FormCreate(TObject*) {
  FPress = POINT{0, 0};
  Image1->Picture.Assign(Settings().DesktopDecoPicture());
  const int width = DecoWidth(Screen->Width());
  const int height = DecoHeight(Image1->Picture.Width(), Image1->Picture.Height(), width);
  SetBounds(Left(), Top(), width, height);
  Image1->SetBounds(0, 0, width, height);
  Image1->PictureChanged();
  FPositionFlag = 0;
  NSetPositionClick(nullptr);
}

void TfrmDesktopDeco::FormShow(TObject*) { Application->HideWindow(); }

void TfrmDesktopDeco::WndProc(TMessage& m) {
  // Every move or activation keeps the picture beneath all other windows.
  if (m.Msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(m.LParam)->hwndInsertAfter = HWND_BOTTOM;
  TForm::WndProc(m);
  // Wine keeps an owned window just above its owner whatever the message asked: the program's
  // hidden window, when it owns the picture, goes to the bottom, then the picture just above it.
  if (m.Msg == WM_WINDOWPOSCHANGED && !(reinterpret_cast<WINDOWPOS*>(m.LParam)->flags & SWP_NOZORDER) &&
      !keepingBottom_) {
    keepingBottom_ = true;
    const HWND app = Application->Handle();
    if (GetWindow(handle_, GW_OWNER) == app)
      SetWindowPos(app, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    keepingBottom_ = false;
  }
}

void TfrmDesktopDeco::NSetPositionClick(TObject*) {
  const TDecoPlace place = DecoPlace(FPositionFlag, Screen->WorkAreaWidth(), Screen->WorkAreaHeight(), Width(), Height());
  SetBounds(place.left, place.top, Width(), Height());
  FPositionFlag = place.nextFlag;
  NSetPosition->Caption = place.caption;
}

void TfrmDesktopDeco::Image1MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button == mbLeft) FPress = POINT{X, Y};
}

void TfrmDesktopDeco::Image1MouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  const POINT to = DecoDragTo(POINT{Left(), Top()}, FPress, POINT{X, Y});
  SetBounds(to.x, to.y, Width(), Height());
}

void TfrmDesktopDeco::NSetupClick(TObject*) {
  if (frmMain) frmMain->OpenSetupPage(kPageOther);
}

void TfrmDesktopDeco::NHideClick(TObject*) {
  if (frmMain) frmMain->NDesktopDecoClick(nullptr);
}

void TfrmDesktopDeco::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmDesktopDeco::FormDestroy(TObject*) {
  if (frmDesktopDeco == this) frmDesktopDeco = nullptr;
}
