#include "Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "Description.h"
#include "Dispatch.h"
#include "Menus.h"

namespace {
// The object behind each of this process's windows. A map here, not a window property: a
// property is a round trip to the window server on every message under Wine, and every message
// to a control looks its object up.
std::unordered_map<HWND, TWinControl*>& Objects() {
  static std::unordered_map<HWND, TWinControl*> objects;
  return objects;
}
const wchar_t kCustomClass[] = L"QuovelControl";

UINT_PTR NextControlId() {
  static UINT_PTR id = 100;
  return ++id;
}

void EnsureCustomClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ObjectWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kCustomClass;
  RegisterClassExW(&wc);
  done = true;
}
}  // namespace

const wchar_t* CustomControlClassName() {
  EnsureCustomClass();
  return kCustomClass;
}

TShiftState KeyShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

static TShiftState MouseShift(WPARAM w) {
  TShiftState s = 0;
  if (w & MK_SHIFT) s |= ssShift;
  if (w & MK_CONTROL) s |= ssCtrl;
  if (w & MK_LBUTTON) s |= ssLeft;
  if (w & MK_RBUTTON) s |= ssRight;
  if (w & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// ---- the exception boundary and the static window procedures ---------------------------------

LRESULT DispatchToControl(TWinControl* self, HWND h, UINT m, WPARAM w, LPARAM l) {
  TMessage msg{m, w, l, 0};
  {
    DispatchScope depth;
    try {
      // An object on its way out only gets the default handling.
      if (self->Destroying()) self->DefaultHandler(msg);
      else self->WndProc(msg);
    } catch (const std::exception& e) {
      HandleDispatchException(e);
    }
  }
  if (m == WM_NCDESTROY) {
    Objects().erase(h);
    if (self->oldProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(self->oldProc_));
    self->handle_ = nullptr;
    self->oldProc_ = nullptr;
  }
  return msg.Result;
}

LRESULT CALLBACK ObjectWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCCREATE) {
    auto* self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    if (self) {
      Objects()[h] = self;
      self->handle_ = h;
    }
  }
  TWinControl* self = TWinControl::FromHandle(h);
  if (!self) return DefWindowProcW(h, m, w, l);
  return DispatchToControl(self, h, m, w, l);
}

static LRESULT CALLBACK SubclassWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  TWinControl* self = TWinControl::FromHandle(h);
  if (!self) return DefWindowProcW(h, m, w, l);
  return DispatchToControl(self, h, m, w, l);
}

TWinControl* TWinControl::FromHandle(HWND h) {
  if (!h) return nullptr;
  const auto it = Objects().find(h);
  return it == Objects().end() ? nullptr : it->second;
}

// ---- TControl ----------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* p) {
  if (p == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = p;
  if (p) {
    if (ParentFont) Font.Assign(p->Font);
    if (ParentColor) color_ = p->Color();
    p->InsertControl(this);
  }
}

void TControl::SetParentComponent(TComponent* p) {
  if (auto* w = dynamic_cast<TWinControl*>(p)) SetParent(w);
}

void TControl::SetBounds(int l, int t, int w, int h) {
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  BoundsChanged();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  VisibleChanged();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  EnabledChanged();
}

void TControl::SetCaption(const std::wstring& s) {
  if (s == caption_) return;
  caption_ = s;
  CaptionChanged();
}

void TControl::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  ParentColor = false;
  ColorChanged();
}

void TControl::SetAlign(TAlign a) {
  align_ = a;
  if (parent_) parent_->AlignControls();
}

void TControl::FontChanged() {}

void TControl::Click() { CallEvent(OnClick, this); }

TWinControl* TControl::ParentFormWindow() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  auto* w = dynamic_cast<TWinControl*>(const_cast<TControl*>(c));
  return w && w->IsForm() ? w : nullptr;
}

POINT TControl::ClientToScreen(POINT p) const {
  if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleIfAllocated()) ::ClientToScreen(w->HandleIfAllocated(), &p);
  return p;
}

bool TControl::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Left") left_ = v.AsInt();
  else if (name == "Top") top_ = v.AsInt();
  else if (name == "Width") width_ = v.AsInt();
  else if (name == "Height") height_ = v.AsInt();
  else if (name == "Caption" || name == "Text") caption_ = v.AsString();
  else if (name == "Visible") visible_ = v.AsBool();
  else if (name == "Enabled") enabled_ = v.AsBool();
  else if (name == "Color") { color_ = ColorFromProp(v); ParentColor = false; }
  else if (name == "ParentColor") ParentColor = v.AsBool();
  else if (name == "ParentFont") ParentFont = v.AsBool();
  else if (name.rfind("Font.", 0) == 0) {
    ParentFont = false;
    return Font.SetProperty(name.substr(5), v);
  } else if (name == "Hint") Hint = v.AsString();
  else if (name == "ShowHint") ShowHint = v.AsBool();
  else if (name == "PopupMenu") popupMenuName_ = v.AsIdent();
  else if (name == "Align") {
    static const char* names[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
    std::string a = v.AsIdent();
    auto it = std::find(std::begin(names), std::end(names), a);
    if (it == std::end(names)) throw EFormDescription(L"unknown alignment " + v.s);
    align_ = TAlign(it - std::begin(names));
  } else if (name == "TabOrder" || name == "Cursor") (void)v;  // accepted, tab order is creation order
  else if (name == "OnClick") OnClick = loader.Event<TNotifyEvent>(v);
  else if (name == "OnDblClick") OnDblClick = loader.Event<TNotifyEvent>(v);
  else if (name == "OnMouseDown") OnMouseDown = loader.Event<TMouseEvent>(v);
  else if (name == "OnMouseUp") OnMouseUp = loader.Event<TMouseEvent>(v);
  else if (name == "OnMouseMove") OnMouseMove = loader.Event<TMouseMoveEvent>(v);
  else return TComponent::SetProperty(name, v, loader);
  return true;
}

void TControl::Loaded() {
  if (!popupMenuName_.empty()) {
    TWinControl* f = ParentFormWindow();
    TComponent* c = f ? f->FindComponent(Utf8ToWide(popupMenuName_)) : nullptr;
    PopupMenu = dynamic_cast<TPopupMenu*>(c);
    if (!PopupMenu) throw EFormDescription(L"no pop-up menu " + Utf8ToWide(popupMenuName_) + L" for " + Name());
  }
}

// ---- TWinControl -------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  MarkDestroying();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  DestroyHandle();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  if (handle_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  }
  if (c->Align() != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it != controls_.end()) controls_.erase(it);
  c->parent_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.ClassName = CustomControlClassName();
  p.Subclass = false;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED) |
            (TabStop ? WS_TABSTOP : 0);
  if (parent_) p.WndParent = parent_->Handle();
}

void TWinControl::HandleNeeded() {
  if (handle_ || creating_) return;
  if (parent_ && !parent_->HandleAllocated()) {
    parent_->HandleNeeded();
    if (handle_) return;  // the parent made its children
  }
  creating_ = true;
  try {
    CreateWnd();
  } catch (...) {
    creating_ = false;
    throw;
  }
  creating_ = false;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  AlignControls();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  const bool custom = !p.Subclass;
  const wchar_t* cls = p.ClassName.c_str();
  // A creation refused by the window's own messages sets no error: what is reported then is not
  // an earlier call's.
  SetLastError(ERROR_SUCCESS);
  HWND h = CreateWindowExW(p.ExStyle, cls, caption_.c_str(), p.Style, left_, top_, width_, height_, p.WndParent,
                           (p.Style & WS_CHILD) ? HMENU(NextControlId()) : nullptr,
                           GetModuleHandleW(nullptr), custom ? this : nullptr);
  if (!h) throw Exception(L"Error creating window " + Name() + L" (" + IntToStr(GetLastError()) + L")");
  if (!custom) {
    handle_ = h;
    Objects()[h] = this;
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, LONG_PTR(SubclassWndProc)));
  }
  if ((p.Style & WS_CHILD) && parent_) {
    // Pictures and bevels lie beneath the other controls, as painted-on graphics would; the others
    // keep their creation order from the top, which is also the tab order.
    HWND after = HWND_BOTTOM;
    if (!IsGraphicControl()) {
      after = HWND_TOP;
      for (TControl* c : parent_->controls_) {
        if (c == this) break;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_ && !w->IsGraphicControl()) after = w->handle_;
      }
    }
    SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SendMessageW(h, WM_SETFONT, WPARAM(Font.Handle()), FALSE);
  HandleCreated();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  HWND h = handle_;
  DestroyWindow(h);  // WM_NCDESTROY clears handle_
  handle_ = nullptr;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (oldProc_) m.Result = CallWindowProcW(oldProc_, handle_, m.Msg, m.WParam, m.LParam);
  else m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

HBRUSH TWinControl::BackgroundBrush() {
  TColor c = color_;
  if (!brush_ || brushColor_ != c) {
    brush_.reset(CreateSolidBrush(ColorToRGB(c)));
    brushColor_ = c;
  }
  return brush_.get();
}

void TWinControl::EraseBackground(TMessage& m) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(HDC(m.WParam), &r, BackgroundBrush());
  m.Result = 1;
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font.Color));
  SetBkColor(dc, ColorToRGB(color_));
  return BackgroundBrush();
}

bool TWinControl::DoKeyDown(WORD& key) {
  TShiftState s = KeyShiftState();
  TWinControl* f = ParentFormWindow();
  if (f && f != this && f->PreviewKeyDown(key, s)) return true;
  CallEvent(OnKeyDown, this, key, s);
  return key == 0;
}

bool TWinControl::DialogKey(int id) {
  const std::vector<TControl*> controls = controls_;  // a click may add or remove controls
  for (TControl* c : controls)
    if (c->Visible() && c->DialogKey(id)) return true;
  return false;
}

// Tells every control on a window that the window is being shown or hidden.
static void NotifyShowing(TWinControl* w, bool showing) {
  const std::vector<TControl*> controls = w->Controls();  // a handler may add or remove controls
  for (TControl* c : controls) {
    c->ShowingChanged(showing);
    if (auto* cw = dynamic_cast<TWinControl*>(c)) NotifyShowing(cw, showing);
  }
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (m.LParam) {
        if (TWinControl* c = FromHandle(HWND(m.LParam))) {
          c->CNCommand(HIWORD(m.WParam));
          return;
        }
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (TWinControl* c = FromHandle(hdr->hwndFrom)) {
        c->CNNotify(hdr, m.Result);
        return;
      }
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam) {
        if (TWinControl* c = FromHandle(HWND(m.LParam))) {
          c->CNScroll(LOWORD(m.WParam), HIWORD(m.WParam));
          return;
        }
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* c = FromHandle(HWND(m.LParam))) {
        if (HBRUSH b = c->CtlColor(HDC(m.WParam))) {
          m.Result = LRESULT(b);
          return;
        }
      }
      break;
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (di->CtlType == ODT_MENU) {
        if (HandleMenuOwnerDraw(m)) return;
      } else if (TWinControl* c = FromHandle(di->hwndItem); c && c->CNDrawItem(di)) {
        m.Result = TRUE;
        return;
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mi->CtlType == ODT_MENU && HandleMenuOwnerDraw(m)) return;
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!(wp->flags & SWP_NOMOVE)) { left_ = wp->x; top_ = wp->y; }
      if (!(wp->flags & SWP_NOSIZE)) { width_ = wp->cx; height_ = wp->cy; }
      DefaultHandler(m);
      return;
    }
    case WM_SIZE:
      DefaultHandler(m);
      AlignControls();
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      TMouseButton b = m.Msg == WM_LBUTTONDOWN ? mbLeft : m.Msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
      if (b == mbLeft && ClicksOnMouseUp()) {
        mouseDown_ = true;
        SetCapture(handle_);
      }
      DefaultHandler(m);
      CallEvent(OnMouseDown, this, b, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TMouseButton b = m.Msg == WM_LBUTTONUP ? mbLeft : m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
      int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
      bool click = false;
      if (b == mbLeft && mouseDown_) {
        mouseDown_ = false;
        ReleaseCapture();
        RECT rc;
        GetClientRect(handle_, &rc);
        click = PtInRect(&rc, POINT{x, y});
      }
      DefaultHandler(m);
      CallEvent(OnMouseUp, this, b, MouseShift(m.WParam), x, y);
      if (click) Click();
      return;
    }
    case WM_LBUTTONDBLCLK:
      DefaultHandler(m);
      if (ClicksOnMouseUp()) CallEvent(OnDblClick, this);
      return;
    case WM_MOUSEMOVE:
      DefaultHandler(m);
      CallEvent(OnMouseMove, this, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      return;
    case WM_CONTEXTMENU:
      if (PopupMenu && PopupMenu->AutoPopup) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (p.x == -1 && p.y == -1) {
          p = {0, 0};
          ::ClientToScreen(handle_, &p);
        }
        PopupMenu->PopupComponent = this;
        PopupMenu->Popup(p.x, p.y);
        return;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = WORD(m.WParam);
      if (DoKeyDown(key)) return;
      m.WParam = key;
      break;
    }
    case WM_KEYUP: {
      WORD key = WORD(m.WParam);
      CallEvent(OnKeyUp, this, key, KeyShiftState());
      if (key == 0) return;
      break;
    }
    case WM_CHAR: {
      wchar_t ch = wchar_t(m.WParam);
      TWinControl* f = ParentFormWindow();
      if (f && f != this) f->PreviewKeyPress(ch);
      if (ch) CallEvent(OnKeyPress, this, ch);
      if (ch == 0) return;
      m.WParam = ch;
      break;
    }
    case WM_SHOWWINDOW:
      DefaultHandler(m);
      if (!parent_) NotifyShowing(this, m.WParam != 0);
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      CallEvent(OnEnter, this);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      CallEvent(OnExit, this);
      return;
  }
  DefaultHandler(m);
}

void TWinControl::BoundsChanged() {
  if (handle_) SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, enabled_);
}

void TWinControl::CaptionChanged() {
  if (handle_) SetWindowTextW(handle_, caption_.c_str());
}

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageW(handle_, WM_SETFONT, WPARAM(Font.Handle()), TRUE);
    Invalidate();
  }
  for (TControl* c : controls_)
    if (c->ParentFont) {
      c->Font.Assign(Font);
      c->FontChanged();
    }
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::BringToFront() {
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM w, LPARAM l) {
  TMessage m{msg, w, l, 0};
  WndProc(m);
  return m.Result;
}

int TWinControl::ClientWidth() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  else return width_;
  return r.right;
}

int TWinControl::ClientHeight() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  else return height_;
  return r.bottom;
}

void TWinControl::SetClientSize(int w, int h) {
  int dw = width_ - ClientWidth(), dh = height_ - ClientHeight();
  SetBounds(left_, top_, w + dw, h + dh);
}

void TWinControl::AlignControls() {
  if (!handle_) return;
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != pass || !c->Visible()) continue;
      switch (pass) {
        case alTop: c->SetBounds(r.left, r.top, r.right - r.left, c->Height()); r.top += c->Height(); break;
        case alBottom: c->SetBounds(r.left, r.bottom - c->Height(), r.right - r.left, c->Height()); r.bottom -= c->Height(); break;
        case alLeft: c->SetBounds(r.left, r.top, c->Width(), r.bottom - r.top); r.left += c->Width(); break;
        case alRight: c->SetBounds(r.right - c->Width(), r.top, c->Width(), r.bottom - r.top); r.right -= c->Width(); break;
        case alClient: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
        default: break;
      }
    }
  }
}

bool TWinControl::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "TabStop") TabStop = v.AsBool();
  else if (name == "DoubleBuffered") DoubleBuffered = v.AsBool();
  else if (name == "OnKeyDown") OnKeyDown = loader.Event<TKeyEvent>(v);
  else if (name == "OnKeyUp") OnKeyUp = loader.Event<TKeyEvent>(v);
  else if (name == "OnKeyPress") OnKeyPress = loader.Event<TKeyPressEvent>(v);
  else if (name == "OnEnter") OnEnter = loader.Event<TNotifyEvent>(v);
  else if (name == "OnExit") OnExit = loader.Event<TNotifyEvent>(v);
  else return TControl::SetProperty(name, v, loader);
  return true;
}

void TWinControl::PaintGraphicsBeneath(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  if (ParentColor && parent_) color_ = parent_->Color();
  FillRect(dc, &r, BackgroundBrush());
  if (!parent_) return;
  // Each picture or bevel went to the bottom when it was made, so the last made lies lowest; a
  // picture or bevel itself shows only those beneath it.
  const auto& siblings = parent_->Controls();
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
    if (*it == this) {
      if (IsGraphicControl()) break;
      continue;
    }
    auto* w = dynamic_cast<TWinControl*>(*it);
    if (!w || !w->IsGraphicControl() || !w->Visible() || !w->handle_) continue;
    RECT theirs = w->BoundsRect(), mine = BoundsRect(), both;
    if (!IntersectRect(&both, &theirs, &mine)) continue;
    POINT old;
    SetViewportOrgEx(dc, w->left_ - left_, w->top_ - top_, &old);
    w->PaintGraphic(dc);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
  }
}
