#include "ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "Description.h"
#include "Forms.h"
#include "StdCtrls.h"

namespace {
void InitCommonControlClasses() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  done = true;
}
}  // namespace

// ---- TTabSheet ---------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) { visible_ = false; }

TTabSheet::~TTabSheet() {
  MarkDestroying();
  if (pageControl_) pageControl_->RemovePage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& p = pageControl_->pages_;
  return int(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetParent(TWinControl* p) {
  if (pageControl_ && p != pageControl_) {
    pageControl_->RemovePage(this);
    pageControl_ = nullptr;
  }
  TWinControl::SetParent(p);
  if (auto* pc = dynamic_cast<TPageControl*>(p); pc && pageControl_ != pc) {
    pageControl_ = pc;
    pc->AddPage(this);
  }
}

void TTabSheet::ShowingChanged(bool formShowing) {
  bool now = formShowing && pageControl_ && pageControl_->active_ == this && pageControl_->Visible();
  if (now == showing_) return;
  showing_ = now;
  if (Loading() || Destroying() || TForm::CheckOnly()) return;
  if (now) CallEvent(OnShow, this);
  else CallEvent(OnHide, this);
}

void TTabSheet::CaptionChanged() {
  TWinControl::CaptionChanged();
  if (pageControl_) pageControl_->PageCaptionChanged(this);
}

void TTabSheet::ColorChanged() {
  if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TTabSheet::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(HDC(m.WParam), &r, BackgroundBrush());
    m.Result = 1;
    return;
  }
  TWinControl::WndProc(m);
}

bool TTabSheet::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "OnShow") OnShow = loader.Event<TNotifyEvent>(v);
  else if (name == "OnHide") OnHide = loader.Event<TNotifyEvent>(v);
  else if (name == "PageControl" || name == "ImageIndex") (void)v;  // the page control is the parent
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TPageControl ------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  width_ = 289;
  height_ = 193;
  TabStop = true;
}

TPageControl::~TPageControl() {
  MarkDestroying();
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = WC_TABCONTROLW;
  p.Subclass = true;
  p.Style |= WS_CLIPCHILDREN | (MultiLine ? TCS_MULTILINE : 0);
  if (Style == tsButtons) p.Style |= TCS_BUTTONS;
  if (Style == tsFlatButtons) p.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TPageControl::HandleCreated() {
  for (int i = 0; i < int(pages_.size()); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(pages_[i]->Caption().c_str());
    SendMessageW(handle_, TCM_INSERTITEMW, i, LPARAM(&item));
  }
  SendMessageW(handle_, TCM_SETCURSEL, WPARAM(ActivePageIndex()), 0);
}

RECT TPageControl::DisplayRect() const {
  RECT r{0, 0, width_, height_};
  if (handle_) {
    GetClientRect(handle_, &r);
    SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, LPARAM(&r));
  } else {
    r = RECT{4, 24, width_ - 4, height_ - 4};
  }
  return r;
}

void TPageControl::AlignControls() {
  RECT r = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool TPageControl::FormShowing() const {
  TForm* f = ParentForm();
  return f && f->HandleIfAllocated() && IsWindowVisible(f->HandleIfAllocated());
}

void TPageControl::AddPage(TTabSheet* p) {
  pages_.push_back(p);
  if (handle_) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(p->Caption().c_str());
    SendMessageW(handle_, TCM_INSERTITEMW, pages_.size() - 1, LPARAM(&item));
  }
  AlignControls();
  if (!active_) SetActivePage(p);
}

void TPageControl::RemovePage(TTabSheet* p) {
  auto it = std::find(pages_.begin(), pages_.end(), p);
  if (it == pages_.end()) return;
  int i = int(it - pages_.begin());
  pages_.erase(it);
  if (handle_) SendMessageW(handle_, TCM_DELETEITEM, i, 0);
  if (active_ == p) {
    active_ = nullptr;
    if (!Destroying() && !pages_.empty()) SetActivePage(pages_[std::min(i, int(pages_.size()) - 1)]);
  }
}

void TPageControl::PageCaptionChanged(TTabSheet* p) {
  int i = p->PageIndex();
  if (!handle_ || i < 0) return;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(p->Caption().c_str());
  SendMessageW(handle_, TCM_SETITEMW, i, LPARAM(&item));
  AlignControls();
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) { SetActivePage(i >= 0 && i < PageCount() ? pages_[i] : nullptr); }

void TPageControl::SetActivePage(TTabSheet* p) {
  if (p && p->pageControl_ != this) return;
  if (p == active_) return;
  TTabSheet* old = active_;
  active_ = p;
  if (handle_) SendMessageW(handle_, TCM_SETCURSEL, WPARAM(ActivePageIndex()), 0);
  if (p) {
    RECT r = DisplayRect();
    p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    p->SetVisible(true);
    p->BringToFront();
  }
  if (old) old->SetVisible(false);
  const bool showing = FormShowing();
  if (old) old->ShowingChanged(showing);
  if (p) p->ShowingChanged(showing);
}

void TPageControl::CNNotify(NMHDR* hdr, LRESULT& result) {
  if (Loading()) return;
  if (hdr->code == UINT(TCN_SELCHANGING)) {
    bool allow = true;
    CallEvent(OnChanging, this, allow);
    result = allow ? FALSE : TRUE;
  } else if (hdr->code == UINT(TCN_SELCHANGE)) {
    int i = int(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
    SetActivePageIndex(i);
    CallEvent(OnChange, this);
  }
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  if (!activeName_.empty()) {
    auto* p = dynamic_cast<TTabSheet*>(ParentForm() ? ParentForm()->FindComponent(Utf8ToWide(activeName_)) : nullptr);
    if (!p || p->pageControl_ != this)
      throw EFormDescription(L"no page " + Utf8ToWide(activeName_) + L" in " + Name());
    SetActivePage(p);
  }
}

bool TPageControl::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "ActivePage") activeName_ = v.AsIdent();
  else if (name == "MultiLine") MultiLine = v.AsBool();
  else if (name == "Style") {
    std::string s = v.AsIdent();
    if (s == "tsTabs") Style = tsTabs;
    else if (s == "tsButtons") Style = tsButtons;
    else if (s == "tsFlatButtons") Style = tsFlatButtons;
    else throw EFormDescription(L"unknown tab style " + v.s);
  } else if (name == "OnChange") OnChange = loader.Event<TNotifyEvent>(v);
  else if (name == "OnChanging") OnChanging = loader.Event<TTabChangingEvent>(v);
  else if (name == "TabIndex" || name == "HotTrack") (void)v;
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TUpDown -----------------------------------------------------------------------------------

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  width_ = 16;
  height_ = 24;
}

void TUpDown::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = UPDOWN_CLASSW;
  p.Subclass = true;
  if (Orientation == udHorizontal) p.Style |= UDS_HORZ;
  // The arrow keys in the edit step too. The system control never writes the edit itself (no
  // UDS_SETBUDDYINT): every step, from a click or a key, comes to CNNotify, which applies ours.
  p.Style |= UDS_ARROWKEYS;
}

void TUpDown::HandleCreated() {
  UpdateWindow();
  SetSystemBuddy();
}

void TUpDown::SetSystemBuddy() {
  // The edit is the control's buddy for the system too: its arrow keys, and what accessibility
  // tools read as the pair.
  if (handle_ && associate_ && associate_->Parent())
    SendMessageW(handle_, UDM_SETBUDDY, WPARAM(associate_->Handle()), 0);
}

void TUpDown::UpdateWindow() {
  if (handle_) {
    SendMessageW(handle_, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(handle_, UDM_SETPOS32, 0, LPARAM(position_));
  }
  if (associate_) associate_->SetText(IntToStr(position_));
}

int TUpDown::Position() const {
  if (associate_ && associate_->HandleAllocated()) {
    // What the user typed counts, held within the range, as the system's up-down reads its buddy.
    try {
      position_ = std::clamp(StrToInt(Trim(associate_->Text())), min_, max_);
    } catch (const EConvertError&) {
    }
  }
  return position_;
}

void TUpDown::SetMin(int v) {
  min_ = v;
  if (max_ < min_) max_ = min_;
  position_ = std::clamp(position_, min_, max_);
  UpdateWindow();
}

void TUpDown::SetMax(int v) {
  max_ = v;
  if (min_ > max_) min_ = max_;
  position_ = std::clamp(position_, min_, max_);
  UpdateWindow();
}

void TUpDown::SetPosition(int v) {
  position_ = std::clamp(v, min_, max_);
  UpdateWindow();
}

void TUpDown::SetAssociate(TEdit* e) {
  associate_ = e;
  if (!e) return;
  if (e->Parent() == parent_) SetBounds(e->Left() + e->Width(), e->Top(), width_, e->Height());
  UpdateWindow();
  SetSystemBuddy();
}

void TUpDown::UserStep(int delta) {
  if (!enabled_ || delta == 0) return;
  bool allow = true;
  CallEvent(OnChanging, this, allow);
  if (!allow) return;
  int from = Position();
  int to = from + delta;
  if (Wrap && to > max_) to = min_;
  else if (Wrap && to < min_) to = max_;
  position_ = std::clamp(to, min_, max_);
  UpdateWindow();
  CallEvent(OnClick, this, delta > 0 ? btNext : btPrev);
}

void TUpDown::CNNotify(NMHDR* hdr, LRESULT& result) {
  if (hdr->code != UINT(UDN_DELTAPOS) || Loading()) return;
  // The step is ours (Increment, Wrap, OnChanging); the system control only reports the click.
  auto* nm = reinterpret_cast<NMUPDOWN*>(hdr);
  result = TRUE;
  UserStep(nm->iDelta > 0 ? Increment : nm->iDelta < 0 ? -Increment : 0);
}

void TUpDown::CNScroll(int code, int pos) {
  // The control reports its position after every click; a position we did not set is a user's.
  if (code != SB_THUMBPOSITION || Loading()) return;
  int p = short(pos);
  if (p != position_) UserStep(p - position_);
}

void TUpDown::Loaded() {
  TWinControl::Loaded();
  if (max_ < min_) throw EFormDescription(L"up-down " + Name() + L": Max below Min");
  position_ = std::clamp(position_, min_, max_);
  if (!associateName_.empty()) {
    auto* e = dynamic_cast<TEdit*>(ParentForm() ? ParentForm()->FindComponent(Utf8ToWide(associateName_)) : nullptr);
    if (!e) throw EFormDescription(L"no edit " + Utf8ToWide(associateName_) + L" for " + Name());
    SetAssociate(e);
  } else {
    UpdateWindow();
  }
}

bool TUpDown::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Min") min_ = v.AsInt();
  else if (name == "Max") max_ = v.AsInt();
  else if (name == "Position") position_ = v.AsInt();
  else if (name == "Increment") Increment = v.AsInt();
  else if (name == "Wrap") Wrap = v.AsBool();
  else if (name == "Associate") associateName_ = v.AsIdent();
  else if (name == "Orientation") {
    std::string o = v.AsIdent();
    if (o != "udVertical" && o != "udHorizontal") throw EFormDescription(L"unknown orientation " + v.s);
    Orientation = o == "udVertical" ? udVertical : udHorizontal;
  } else if (name == "ArrowKeys" || name == "Thousands" || name == "AlignButton") (void)v;
  else if (name == "OnClick") OnClick = loader.Event<TUDClickEvent>(v);
  else if (name == "OnChanging") OnChanging = loader.Event<TUDChangingEvent>(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TProgressBar ------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  InitCommonControlClasses();
  width_ = 150;
  height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = PROGRESS_CLASSW;
  p.Subclass = true;
  if (Orientation == pbVertical) p.Style |= PBS_VERTICAL;
  if (Smooth) p.Style |= PBS_SMOOTH;
}

void TProgressBar::HandleCreated() { UpdateWindow(); }

void TProgressBar::UpdateWindow() {
  if (!handle_) return;
  SendMessageW(handle_, PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
  SendMessageW(handle_, PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  if (max_ < min_) max_ = min_;
  position_ = std::clamp(position_, min_, max_);
  UpdateWindow();
}

void TProgressBar::SetMax(int v) {
  max_ = v;
  if (min_ > max_) min_ = max_;
  position_ = std::clamp(position_, min_, max_);
  UpdateWindow();
}

void TProgressBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, max_);
  UpdateWindow();
}

void TProgressBar::Loaded() {
  TWinControl::Loaded();
  if (max_ < min_) throw EFormDescription(L"progress bar " + Name() + L": Max below Min");
  position_ = std::clamp(position_, min_, max_);
  UpdateWindow();
}

bool TProgressBar::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Min") min_ = v.AsInt();
  else if (name == "Max") max_ = v.AsInt();
  else if (name == "Position") position_ = v.AsInt();
  else if (name == "Step") Step = v.AsInt();
  else if (name == "Smooth") Smooth = v.AsBool();
  else if (name == "Orientation") {
    std::string o = v.AsIdent();
    if (o != "pbHorizontal" && o != "pbVertical") throw EFormDescription(L"unknown orientation " + v.s);
    Orientation = o == "pbHorizontal" ? pbHorizontal : pbVertical;
  } else return TWinControl::SetProperty(name, v, loader);
  return true;
}
