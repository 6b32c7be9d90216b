#include "Forms.h"

#include <commctrl.h>

#include <algorithm>

#include "Dispatch.h"
#include "Menus.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
const UINT kWakeRelease = WM_APP + 0x3F0;  // a released form waits for the main loop
const UINT kPassActivation = WM_APP + 0x3F1;  // a form that is never active gives the activation on
const wchar_t kAppClass[] = L"TApplication";

// The window that would have been active without a form that is never active: the first one
// beneath it that a user can work in (shown, enabled, not a tool window), of another program.
HWND WindowBeneath(HWND form) {
  const DWORD ours = GetCurrentProcessId();
  for (HWND h = GetWindow(form, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == ours || !IsWindowVisible(h) || !IsWindowEnabled(h) || IsIconic(h)) continue;
    if (GetWindowLongPtrW(h, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) continue;
    return h;
  }
  return nullptr;
}

void ShowEscapedException(const std::exception& e) {
  if (Application) Application->HandleException(e);
}
}  // namespace

// ---- TForm -------------------------------------------------------------------------------------

bool& TForm::CheckOnly() {
  static bool v = false;
  return v;
}

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  visible_ = false;
  width_ = 320;
  height_ = 240;
  Application->AddForm(this);
}

TForm::~TForm() {
  MarkDestroying();
  if (Application) Application->RemoveForm(this);
  DestroyHandle();
}

void TForm::BeforeDestruction() {
  // OnDestroy runs while the whole form still exists; then its windows go.
  if (!Destroying() && !CheckOnly()) CallEvent(OnDestroy, this);
  TComponent::BeforeDestruction();
  DestroyHandle();
  if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

void TForm::InitForm(const std::wstring& className, const FormBinder& binder) {
  InitFormFromText(LoadDescriptionResource(UpperCase(className)), WideToUtf8(className), binder);
}

void TForm::InitFormFromText(const std::string& text, const std::string& source, const FormBinder& binder) {
  auto root = ParseDescription(text, source);
  FormLoader loader(this, binder, source);
  SetLoading(true);
  try {
    loader.Load(*root);
  } catch (...) {
    SetLoading(false);
    throw;
  }
  // References between components (a control's pop-up menu) resolve once all exist.
  for (TComponent* c : Components()) c->SetLoading(false);
  SetLoading(false);
  for (TComponent* c : Components()) c->Loaded();
  Loaded();
  if (CheckOnly()) return;
  CallEvent(OnCreate, this);
  if (visibleOnLoad_) Show();
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (menuName_.empty()) return;
  menu_ = dynamic_cast<TMainMenu*>(FindComponent(Utf8ToWide(menuName_)));
  if (!menu_) throw EFormDescription(L"no main menu " + Utf8ToWide(menuName_) + L" for " + Name());
  // The client size of the description is below the bar.
  height_ += GetSystemMetrics(SM_CYMENU);
  if (handle_) {  // made while the description was applied
    menu_->AttachTo(handle_);
    SetWindowPos(handle_, nullptr, 0, 0, width_, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::HandleCreated() {
  ApplyLayered();
  if (menu_) menu_->AttachTo(handle_);
}

bool TForm::IsShortCut(WORD key, TShiftState shift) { return menu_ && menu_->IsShortCut(key, shift); }

void TForm::CreateParams(TCreateParams& p) {
  static std::vector<std::wstring> registered;
  if (std::find(registered.begin(), registered.end(), windowClass_) == registered.end()) {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ObjectWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.lpszClassName = windowClass_.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw Exception(L"Cannot register window class " + windowClass_);
    registered.push_back(windowClass_);
  }
  p.ClassName = windowClass_;
  p.Subclass = false;
  p.WndParent = Application->Handle();
  switch (BorderStyle) {
    case bsNoneBorder: p.Style = WS_POPUP; break;
    case bsSingle: p.Style = WS_CAPTION | WS_BORDER; break;
    case bsSizeable: p.Style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: p.Style = WS_POPUP | WS_CAPTION; p.ExStyle = WS_EX_DLGMODALFRAME; break;
    case bsToolWindow: p.Style = WS_CAPTION; p.ExStyle = WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: p.Style = WS_CAPTION | WS_THICKFRAME; p.ExStyle = WS_EX_TOOLWINDOW; break;
  }
  if (BorderStyle != bsNoneBorder && (BorderIcons & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (BorderStyle != bsDialog && BorderStyle != bsToolWindow && BorderStyle != bsSizeToolWin) {
      if (BorderIcons & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (BorderIcons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  p.Style |= WS_CLIPCHILDREN;
  if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (alphaBlend_ || transparentColor_) p.ExStyle |= WS_EX_LAYERED;
}

void TForm::VisibleChanged() {
  if (!handle_) HandleNeeded();
  if (visible_) {
    if (!placed_) PlaceOnScreen();
    // OnShow runs while the window is still hidden: what it places and sizes is what appears,
    // never first the design size. A handler that hides the form again leaves it hidden.
    CallEvent(OnShow, this);
    if (!visible_) return;
    if (showNoActivate_) {
      ShowWindow(handle_, SW_SHOWNOACTIVATE);
    } else {
      ShowWindow(handle_, SW_SHOW);
      SetForegroundWindow(handle_);
    }
  } else {
    ShowWindow(handle_, SW_HIDE);
    CallEvent(OnHide, this);
  }
}

void TForm::PlaceOnScreen() {
  placed_ = true;
  if (Position == poScreenCenter || Position == poDesktopCenter ||
      (Position == poMainFormCenter && (!Application->MainForm || Application->MainForm == this))) {
    SetBounds((Screen->Width() - width_) / 2, (Screen->Height() - height_) / 2, width_, height_);
  } else if (Position == poMainFormCenter) {
    TForm* m = Application->MainForm;
    SetBounds(m->Left() + (m->Width() - width_) / 2, m->Top() + (m->Height() - height_) / 2, width_, height_);
  }
}

void TForm::SetFormStyle(TFormStyle s) {
  formStyle_ = s;
  if (handle_)
    SetWindowPos(handle_, s == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::ApplyLayered() {
  if (!handle_) return;
  LONG_PTR ex = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  if (alphaBlend_ || transparentColor_) {
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    DWORD flags = (alphaBlend_ ? LWA_ALPHA : 0) | (transparentColor_ ? LWA_COLORKEY : 0);
    SetLayeredWindowAttributes(handle_, ColorToRGB(transparentColorValue_), BYTE(alphaValue_), flags);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
  }
}

void TForm::SetAlphaBlend(bool on) {
  alphaBlend_ = on;
  ApplyLayered();
}

void TForm::SetAlphaBlendValue(int v) {
  alphaValue_ = std::clamp(v, 0, 255);
  ApplyLayered();
}

void TForm::SetTransparentColor(bool on, TColor c) {
  transparentColor_ = on;
  transparentColorValue_ = c;
  ApplyLayered();
}

TWindowState TForm::WindowState() const {
  if (!handle_) return wsNormal;
  if (IsIconic(handle_)) return wsMinimized;
  if (IsZoomed(handle_)) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState s) {
  if (!handle_) HandleNeeded();
  if (!visible_) return;
  ShowWindow(handle_, s == wsMinimized ? SW_MINIMIZE : s == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

bool TForm::Active() const { return handle_ && GetActiveWindow() == handle_; }

bool TForm::CloseQuery() {
  bool can = true;
  CallEvent(OnCloseQuery, this, can);
  return can;
}

void TForm::Close() {
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  CallEvent(OnClose, this, action);
  switch (action) {
    case caNone: break;
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree:
      Hide();
      Release();
      break;
  }
  if (action != caNone && Application->MainForm == this) Application->Terminate();
}

void TForm::ShowNoActivate() {
  showNoActivate_ = true;
  try {
    Show();
  } catch (...) {
    showNoActivate_ = false;
    throw;
  }
  showNoActivate_ = false;
}

void TForm::Release() { Application->QueueRelease(this); }

TModalResult TForm::ShowModal() {
  // Other windows of the program are disabled while the modal form runs its own loop.
  std::vector<HWND> disabled;
  for (TForm* f : Application->Forms())
    if (f != this && f->HandleIfAllocated() && IsWindowEnabled(f->HandleIfAllocated())) {
      EnableWindow(f->HandleIfAllocated(), FALSE);
      disabled.push_back(f->HandleIfAllocated());
    }
  modal_ = true;
  ModalResult = mrNone;
  Show();
  while (ModalResult == mrNone && !Application->Terminated) {
    Application->HandleMessage();
    if (ModalResult != mrNone) {
      modal_ = false;
      if (!CloseQuery()) ModalResult = mrNone;
      modal_ = true;
    }
  }
  modal_ = false;
  for (HWND h : disabled) EnableWindow(h, TRUE);
  Hide();
  return ModalResult;
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ERASEBKGND:
      EraseBackground(m);
      return;
    case WM_PAINT:
      if (OnPaint) {
        PaintScope paint(handle_);
        CanvasScope canvas(Canvas, paint.dc());
        Canvas.Font.Assign(Font);
        OnPaint(this);
        return;
      }
      break;
    case WM_DESTROY:
      hint_ = hintTool_ = nullptr;  // the tool tip goes with the window that owns it
      break;
    case WM_QUERYENDSESSION:
      m.Result = TRUE;
      return;
    case WM_ENDSESSION:
      if (m.WParam) EndSession();
      return;
    case WM_MOUSEACTIVATE:
      if (!(GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) break;
      m.Result = MA_NOACTIVATE;
      return;
    case WM_ACTIVATE:
      DefaultHandler(m);
      if (LOWORD(m.WParam) == WA_INACTIVE) CallEvent(OnDeactivate, this);
      else CallEvent(OnActivate, this);
      // A form that is never active (WS_EX_NOACTIVATE) that the system made active anyway (Wine
      // does when another window of the program goes): once this message is done, the activation
      // goes on to the window it would have gone to.
      if (LOWORD(m.WParam) != WA_INACTIVE && (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_NOACTIVATE))
        PostMessageW(handle_, kPassActivation, 0, 0);
      return;
    case kPassActivation:
      if (GetForegroundWindow() == handle_) {
        // An open pop-up menu needs its owner in the foreground to close on a click outside it:
        // the activation goes back there, never to another program.
        if (HWND owner = TPopupMenu::OpenMenuOwner()) SetForegroundWindow(owner);
        else if (HWND next = WindowBeneath(handle_)) SetForegroundWindow(next);
      }
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      CallEvent(OnResize, this);
      return;
    case WM_INITMENUPOPUP:
      if (menu_) menu_->RefreshPopup(HMENU(m.WParam));
      break;
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam))) return;
      if (m.LParam == 0 && (LOWORD(m.WParam) == IDOK || LOWORD(m.WParam) == IDCANCEL)) {
        DialogKey(LOWORD(m.WParam));
        return;
      }
      break;
  }
  TWinControl::WndProc(m);
}

void TForm::RelayToHint(TWinControl* control, const MSG& msg) {
  const bool wants = control->ShowHint && !control->Hint.empty() && control->HandleIfAllocated() == msg.hwnd;
  if (!hint_ && !wants) return;
  if (!hint_) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // Always tipped: the console bar and the overlays are seldom the active window.
    hint_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hint_) return;
  }
  if (hintTool_ && (!wants || hintTool_ != msg.hwnd || hintText_ != control->Hint)) {
    TTTOOLINFOW ti{sizeof(ti)};
    ti.hwnd = handle_;
    ti.uId = UINT_PTR(hintTool_);
    SendMessageW(hint_, TTM_DELTOOLW, 0, LPARAM(&ti));
    hintTool_ = nullptr;
  }
  if (wants && !hintTool_) {
    TTTOOLINFOW ti{sizeof(ti)};
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = handle_;
    ti.uId = UINT_PTR(msg.hwnd);
    ti.lpszText = const_cast<wchar_t*>(control->Hint.c_str());
    if (SendMessageW(hint_, TTM_ADDTOOLW, 0, LPARAM(&ti))) {
      hintTool_ = msg.hwnd;
      hintText_ = control->Hint;
    }
  }
  MSG copy = msg;
  SendMessageW(hint_, TTM_RELAYEVENT, 0, LPARAM(&copy));
}

TForm* TControl::ParentForm() const { return static_cast<TForm*>(ParentFormWindow()); }

bool TForm::PreviewKeyDown(WORD& key, TShiftState shift) {
  if (!KeyPreview) return false;
  CallEvent(OnKeyDown, this, key, shift);
  return key == 0;
}

void TForm::PreviewKeyPress(wchar_t& key) {
  if (KeyPreview) CallEvent(OnKeyPress, static_cast<TObject*>(this), key);
}

bool TForm::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  auto ident = [&](std::initializer_list<const char*> names) {
    std::string s = v.AsIdent();
    int i = 0;
    for (const char* n : names) {
      if (s == n) return i;
      ++i;
    }
    throw EFormDescription(L"unknown value " + v.s + L" of " + Utf8ToWide(name));
  };
  if (name == "BorderStyle") BorderStyle = TFormBorderStyle(ident({"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}));
  else if (name == "FormStyle") formStyle_ = TFormStyle(ident({"fsNormal", "fsStayOnTop"}));
  else if (name == "Position") Position = TPosition(ident({"poDesigned", "poScreenCenter", "poDesktopCenter", "poMainFormCenter"}));
  else if (name == "BorderIcons") {
    BorderIcons = 0;
    for (const auto& s : v.AsSet()) {
      if (s == L"biSystemMenu") BorderIcons |= biSystemMenu;
      else if (s == L"biMinimize") BorderIcons |= biMinimize;
      else if (s == L"biMaximize") BorderIcons |= biMaximize;
      else if (s != L"biHelp") throw EFormDescription(L"unknown border icon " + s);
    }
  } else if (name == "ClientWidth") width_ = v.AsInt() + 2 * GetSystemMetrics(SM_CXFIXEDFRAME);
  else if (name == "ClientHeight") height_ = v.AsInt() + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
  else if (name == "KeyPreview") KeyPreview = v.AsBool();
  else if (name == "AlphaBlend") alphaBlend_ = v.AsBool();
  else if (name == "AlphaBlendValue") alphaValue_ = std::clamp(v.AsInt(), 0, 255);
  else if (name == "TransparentColor") transparentColor_ = v.AsBool();
  else if (name == "TransparentColorValue") transparentColorValue_ = ColorFromProp(v);
  else if (name == "Visible") visibleOnLoad_ = v.AsBool();
  else if (name == "Menu") menuName_ = v.AsIdent();
  else if (name == "OnCreate") OnCreate = loader.Event<TNotifyEvent>(v);
  else if (name == "OnShow") OnShow = loader.Event<TNotifyEvent>(v);
  else if (name == "OnHide") OnHide = loader.Event<TNotifyEvent>(v);
  else if (name == "OnDestroy") OnDestroy = loader.Event<TNotifyEvent>(v);
  else if (name == "OnPaint") OnPaint = loader.Event<TNotifyEvent>(v);
  else if (name == "OnActivate") OnActivate = loader.Event<TNotifyEvent>(v);
  else if (name == "OnDeactivate") OnDeactivate = loader.Event<TNotifyEvent>(v);
  else if (name == "OnResize") OnResize = loader.Event<TNotifyEvent>(v);
  else if (name == "OnClose") OnClose = loader.Event<TCloseEvent>(v);
  else if (name == "OnCloseQuery") OnCloseQuery = loader.Event<TCloseQueryEvent>(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TApplication ------------------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kAppClass;
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));  // the program's icon
  RegisterClassExW(&wc);
  // The taskbar button of the program when shown: captioned, with no size, at the screen's centre,
  // so that what it owns and centres on it comes up in the middle.
  handle_ = CreateWindowExW(0, kAppClass, L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  // The taskbar asks the window, not its class, for the small icon.
  const HINSTANCE self = GetModuleHandleW(nullptr);
  if (HICON big = LoadIconW(self, MAKEINTRESOURCEW(1))) SendMessageW(handle_, WM_SETICON, ICON_BIG, LPARAM(big));
  if (HICON small = HICON(LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                     GetSystemMetrics(SM_CYSMICON), LR_SHARED)))
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, LPARAM(small));
  SetApplicationWindow(handle_);
  SetDispatchExceptionHandler(ShowEscapedException);
}

TApplication::~TApplication() {
  FreeReleasedForms();
  DestroyComponents();
  if (handle_) DestroyWindow(handle_);
  SetApplicationWindow(nullptr);
}

void TApplication::HideWindow() {
  if (TPopupMenu::MenuOpen())
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  else
    ShowWindow(handle_, SW_HIDE);
}

LRESULT CALLBACK TApplication::AppWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (!Application || h != Application->handle_) return DefWindowProcW(h, m, w, l);
  DispatchScope depth;
  try {
    if (m == WM_TIMER) {
      auto it = Application->timers_.find(w);
      if (it != Application->timers_.end()) {
        // A copy: the handler may stop its timer, which drops the entry.
        std::function<void()> onTimer = it->second;
        onTimer();
      }
      return 0;
    }
    if (m == kWakeRelease) return 0;  // the main loop frees after this dispatch
    // The button names the program as its title stands when it appears.
    if (m == WM_SHOWWINDOW && w) SetWindowTextW(h, Application->Title.c_str());
    if (m == WM_QUERYENDSESSION) return TRUE;
    // Closing the hidden application window closes the main form, as the classic toolkit does;
    // the default handling would destroy it, and every form it owns with it.
    if (m == WM_CLOSE) {
      if (Application->MainForm) Application->MainForm->Close();
      return 0;
    }
    if (m == WM_MEASUREITEM || m == WM_DRAWITEM) {
      TMessage msg{m, w, l, 0};
      if (HandleMenuOwnerDraw(msg)) return msg.Result;
    }
  } catch (const std::exception& e) {
    Application->HandleException(e);
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

namespace {
// The control of ours a key message is for: the window itself or the nearest window of ours
// around it (the edit inside a combo box).
TWinControl* KeyTarget(HWND h) {
  for (; h; h = GetAncestor(h, GA_PARENT))
    if (TWinControl* c = TWinControl::FromHandle(h)) return c;
  return nullptr;
}

// What the form layer takes from a key press before the focused control sees it. A taken key
// gives no character.
bool TakeKeyBeforeControl(const MSG& msg) {
  TWinControl* target = KeyTarget(msg.hwnd);
  TForm* form = target ? target->ParentForm() : nullptr;
  if (!form) return false;
  const WORD key = WORD(msg.wParam);
  const TShiftState shift = KeyShiftState();
  if (form->IsShortCut(key, shift)) return true;
  // A form without the shortcut asks the main form's menu, unless a modal form holds it disabled.
  TForm* main = Application->MainForm;
  if (main && main != form && main->HandleAllocated() && IsWindowEnabled(main->HandleIfAllocated()) &&
      main->IsShortCut(key, shift))
    return true;
  if ((key != VK_RETURN && key != VK_ESCAPE) || (shift & ssAlt)) return false;
  // A multi-line edit or an open drop-down list keeps Enter and Esc for itself.
  MSG copy = msg;
  if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, LPARAM(&copy)) & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
    return false;
  return form->DialogKey(key == VK_RETURN ? IDOK : IDCANCEL);
}

bool IsMouseMessage(UINT m) {
  return m == WM_MOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_RBUTTONDOWN ||
         m == WM_RBUTTONUP || m == WM_MBUTTONDOWN || m == WM_MBUTTONUP;
}

// The handlers a taken key runs are dispatched as any message's are: nested waits see them as
// such, and an exception shows the standard error box.
bool TakeKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  DispatchScope depth;
  try {
    return TakeKeyBeforeControl(msg);
  } catch (const std::exception& e) {
    HandleDispatchException(e);
    return true;
  }
}

// Enter and Esc as keys and characters: the dialog manager would turn them into commands.
bool IsEnterOrEsc(const MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
  if (msg.message == WM_CHAR) return msg.wParam == L'\r' || msg.wParam == 27;
  return false;
}
}  // namespace

bool PumpMessages(PumpMode mode, int& quitCode) {
  MSG msg;
  for (;;) {
    if (mode == PumpMode::kOne) {
      if (!GetMessageW(&msg, nullptr, 0, 0)) {
        quitCode = int(msg.wParam);
        return false;
      }
    } else {
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
      if (msg.message == WM_QUIT) {
        quitCode = int(msg.wParam);
        return false;
      }
    }
    HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    const bool ours = top && TWinControl::FromHandle(top);
    if (ours && IsMouseMessage(msg.message))
      if (TWinControl* c = TWinControl::FromHandle(msg.hwnd))
        if (TForm* f = c->ParentForm()) f->RelayToHint(c, msg);
    if (ours && TakeKey(msg)) {
      // taken: neither the control nor the dialog manager sees it
    } else if (!(ours && !IsEnterOrEsc(msg) && IsDialogMessageW(top, &msg))) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (mode == PumpMode::kOne) return true;
  }
}

void TApplication::HandleMessage() {
  int code = 0;
  if (!PumpMessages(PumpMode::kOne, code)) {
    Terminated = true;
    exitCode_ = code;
    return;
  }
  if (DispatchDepth() == 0) FreeReleasedForms();
}

void TApplication::Run() {
  if (MainForm && ShowMainForm && !MainForm->Visible()) MainForm->Show();
  while (!Terminated) HandleMessage();
}

void TApplication::ProcessMessages() {
  int code = 0;
  if (!PumpMessages(PumpMode::kQueued, code)) {
    Terminated = true;
    exitCode_ = code;
    // A nested wait leaves the quit for the main loop's own look.
    if (DispatchDepth() > 0) PostQuitMessage(exitCode_);
  }
  if (DispatchDepth() == 0) FreeReleasedForms();
}

void TApplication::Terminate() {
  if (!Terminated) PostQuitMessage(0);
  Terminated = true;
}

void TApplication::ShowException(const std::exception& e) {
  std::wstring text;
  if (auto* x = dynamic_cast<const Exception*>(&e)) text = x->Message();
  else text = Utf8ToWide(e.what());
  if (!text.empty() && text.back() != L'.' && text.back() != L'。' && text.back() != L'!' && text.back() != L'！')
    text += L".";
  MessageBox(text, Title, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) OnException(this, e);
  else ShowException(e);
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
  HWND owner = nullptr;
  if (!(flags & (MB_SYSTEMMODAL | MB_TASKMODAL))) {
    HWND active = GetActiveWindow();
    owner = active ? active : handle_;
  }
  return Dialogs().MessageBox(owner, BoxText(text), BoxText(caption), flags);
}

TForm* TApplication::FindForm(const std::wstring& name) const {
  for (TForm* f : forms_)
    if (f->Name() == name && !f->Destroying()) return f;
  return nullptr;
}

void TApplication::AddForm(TForm* f) { forms_.push_back(f); }

void TApplication::RemoveForm(TForm* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
  released_.erase(std::remove(released_.begin(), released_.end(), f), released_.end());
  if (MainForm == f) MainForm = nullptr;
}

void TApplication::QueueRelease(TForm* f) {
  if (std::find(released_.begin(), released_.end(), f) == released_.end()) released_.push_back(f);
  PostMessageW(handle_, kWakeRelease, 0, 0);
}

void TApplication::FreeReleasedForms() {
  while (!released_.empty()) {
    TForm* f = released_.front();
    released_.erase(released_.begin());
    TComponent::Free(f);
  }
}

UINT_PTR TApplication::AddTimer(unsigned interval, std::function<void()> onTimer) {
  UINT_PTR id = nextTimer_++;
  timers_[id] = std::move(onTimer);
  SetTimer(handle_, id, interval, nullptr);
  return id;
}

void TApplication::RemoveTimer(UINT_PTR id) {
  KillTimer(handle_, id);
  timers_.erase(id);
}

// ---- TScreen -----------------------------------------------------------------------------------

int TScreen::FormCount() const { return int(Application->Forms().size()); }
TForm* TScreen::Forms(int i) const { return Application->Forms().at(i); }
TForm* TScreen::ActiveForm() const {
  HWND a = GetActiveWindow();
  for (TForm* f : Application->Forms())
    if (f->HandleIfAllocated() == a) return f;
  return nullptr;
}
