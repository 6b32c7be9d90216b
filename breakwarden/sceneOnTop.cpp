#include "sceneOnTop.h"

#include "BkwdSeams.h"

TSOTForm* SOTForm = nullptr;

TSOTForm::TSOTForm(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TSOTForm", Binder<TSOTForm>(this)
                            .Bind(QV_MEMBER(Image1))
                            .On(QV_HANDLER(FormCreate))
                            .On(QV_HANDLER(FormClose))
                            .On(QV_HANDLER(FormDestroy)));
}
QV_REGISTER_FORM(TSOTForm);

void TSOTForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Layered and click-through from its creation, so that it never shows an opaque frame or
  // catches a click. Never activated either: when another window of the program goes (the
  // splash), the system would make this one the active window, and the keys typed into the
  // program the user works in would go to a picture (under Wine a full-screen active window also
  // holds the pointer to itself). It stays owned by the program's hidden window: Wine's taskbar
  // gives every unowned window a button, tool window or not.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
}

namespace {
const UINT kPassActivation = WM_APP + 0x51;

// The window that would have been active without the overlay: the first one beneath it that a
// user can work in (shown, enabled, not a tool window), of another program.
HWND WindowBeneath(HWND overlay) {
  DWORD ours = GetCurrentProcessId();
  for (HWND h = GetWindow(overlay, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
    if (pid == ours || !IsWindowVisible(h) || !IsWindowEnabled(h) || IsIconic(h)) continue;
    if (ex & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) continue;
    return h;
  }
  return nullptr;
}
}  // namespace

void TSOTForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      return;
    case WM_ACTIVATE:
      TForm::WndProc(m);
      // A system that does not keep to WS_EX_NOACTIVATE (Wine) made it active: the activation
      // goes on, once this message is done, to the window it would have gone to.
      if (LOWORD(m.WParam) != WA_INACTIVE) PostMessageW(Handle(), kPassActivation, 0, 0);
      return;
    case kPassActivation:
      if (GetForegroundWindow() == Handle())
        if (HWND next = WindowBeneath(Handle())) SetForegroundWindow(next);
      return;
  }
  TForm::WndProc(m);
}

void TSOTForm::FormCreate(TObject*) {
  SetBounds(0, 0, Screen->Width(), Screen->Height());
  Image1->SetBounds(0, 0, Screen->Width(), Screen->Height());
  Image1->Picture.Assign(Settings().OverlayPicture());
  Image1->PictureChanged();
  SetAlphaBlendValue(50);
  SetAlphaBlend(true);
}

void TSOTForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TSOTForm::FormDestroy(TObject*) {
  if (SOTForm == this) SOTForm = nullptr;
}
