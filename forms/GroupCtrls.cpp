#include "GroupCtrls.h"

#include <algorithm>

#include "Description.h"
#include "Forms.h"

namespace {
// The parent's colour for controls that take it, else their own.
TColor EffectiveColor(TControl* c, bool parentColor) {
  if (parentColor && c->Parent()) return c->Parent()->Color();
  return c->Color();
}

int FontLineHeight(const TFont& f) {
  WindowDC screen(nullptr);
  SelectScope font(screen.get(), f.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.get(), &tm);
  return tm.tmHeight;
}

void RedrawWithChildren(HWND h) {
  if (h) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// A disabled container shows its controls greyed; each control keeps its own Enabled.
void ShowChildrenEnabled(TWinControl* parent, bool enabled) {
  for (TControl* c : parent->Controls())
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      bool on = enabled && w->Enabled();
      if (w->HandleAllocated()) EnableWindow(w->HandleIfAllocated(), on);
      ShowChildrenEnabled(w, on);
    }
}

UINT BevelEdge(TBevelCut cut, bool outer) {
  if (cut == bvLowered) return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
  if (cut == bvRaised) return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
  return 0;
}
}  // namespace

// ---- TGroupBox ---------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 185;
  height_ = 105;
  ParentColor = true;
}

void TGroupBox::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    color_ = EffectiveColor(this, ParentColor);
    EraseBackground(m);
    return;
  }
  if (m.Msg == WM_PAINT) {
    PaintScope paint(handle_);
    HDC dc = paint.dc();
    RECT r;
    GetClientRect(handle_, &r);
    SelectScope font(dc, Font.Handle());
    int th = FontLineHeight(Font);
    RECT frame{0, th / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption_.empty()) {
      SIZE s{};
      GetTextExtentPoint32W(dc, caption_.c_str(), int(caption_.size()), &s);
      RECT tr{8, 0, 8 + s.cx + 4, th};
      FillRect(dc, &tr, BackgroundBrush());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, enabled_ ? ColorToRGB(Font.Color) : GetSysColor(COLOR_GRAYTEXT));
      tr.left += 2;
      DrawTextW(dc, caption_.c_str(), -1, &tr, DT_SINGLELINE | DT_NOPREFIX);
    }
    return;
  }
  TWinControl::WndProc(m);
}

void TGroupBox::CaptionChanged() {
  TWinControl::CaptionChanged();
  Invalidate();
}

void TGroupBox::ColorChanged() { RedrawWithChildren(handle_); }

void TGroupBox::EnabledChanged() {
  TWinControl::EnabledChanged();
  ShowChildrenEnabled(this, enabled_);
  Invalidate();
}

// ---- TPanel ------------------------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 185;
  height_ = 41;
}

void TPanel::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    color_ = EffectiveColor(this, ParentColor);
    EraseBackground(m);
    return;
  }
  if (m.Msg == WM_PAINT) {
    PaintScope paint(handle_);
    HDC dc = paint.dc();
    RECT r;
    GetClientRect(handle_, &r);
    for (int i = 0; i < BevelWidth; ++i)
      if (UINT e = BevelEdge(BevelOuter, true)) {
        DrawEdge(dc, &r, e, BF_RECT);
        InflateRect(&r, -1, -1);
      }
    for (int i = 0; i < BevelWidth; ++i)
      if (UINT e = BevelEdge(BevelInner, false)) {
        DrawEdge(dc, &r, e, BF_RECT);
        InflateRect(&r, -1, -1);
      }
    if (!caption_.empty()) {
      SelectScope font(dc, Font.Handle());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ColorToRGB(Font.Color));
      UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                 (Alignment == taCenter ? DT_CENTER : Alignment == taRightJustify ? DT_RIGHT : DT_LEFT);
      DrawTextW(dc, caption_.c_str(), -1, &r, fmt);
    }
    return;
  }
  TWinControl::WndProc(m);
}

void TPanel::CaptionChanged() {
  TWinControl::CaptionChanged();
  Invalidate();
}

void TPanel::ColorChanged() { RedrawWithChildren(handle_); }

static TBevelCut BevelCutFromProp(const PropValue& v) {
  std::string s = v.AsIdent();
  if (s == "bvNone") return bvNone;
  if (s == "bvLowered") return bvLowered;
  if (s == "bvRaised") return bvRaised;
  if (s == "bvSpace") return bvSpace;
  throw EFormDescription(L"unknown bevel " + v.s);
}

bool TPanel::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "BevelOuter") BevelOuter = BevelCutFromProp(v);
  else if (name == "BevelInner") BevelInner = BevelCutFromProp(v);
  else if (name == "BevelWidth") BevelWidth = v.AsInt();
  else if (name == "Alignment") {
    std::string a = v.AsIdent();
    Alignment = a == "taLeftJustify" ? taLeftJustify : a == "taRightJustify" ? taRightJustify : taCenter;
  } else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TBevel ------------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 50;
  height_ = 50;
  ParentColor = true;
}

void TBevel::BoundsChanged() {
  TWinControl::BoundsChanged();
  Invalidate();
}

void TBevel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST:
      m.Result = HTTRANSPARENT;
      return;
    case WM_ERASEBKGND: {
      // Only its lines are drawn: what lies beneath shows through, as beneath a painted-on bevel.
      color_ = EffectiveColor(this, ParentColor);
      PaintGraphicsBeneath(HDC(m.WParam));
      m.Result = 1;
      return;
    }
    case WM_PAINT: {
      PaintScope paint(handle_);
      PaintGraphic(paint.dc());
      return;
    }
  }
  TWinControl::WndProc(m);
}

void TBevel::PaintGraphic(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  const bool low = Style == bsLowered;
  switch (Shape) {
    case bsBox: DrawEdge(dc, &r, low ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT); break;
    case bsFrame: DrawEdge(dc, &r, low ? EDGE_ETCHED : EDGE_BUMP, BF_RECT); break;
    case bsTopLine: DrawEdge(dc, &r, low ? EDGE_ETCHED : EDGE_BUMP, BF_TOP); break;
    case bsBottomLine: {
      RECT b{r.left, r.bottom - 2, r.right, r.bottom};
      DrawEdge(dc, &b, low ? EDGE_ETCHED : EDGE_BUMP, BF_TOP);
      break;
    }
    case bsLeftLine: DrawEdge(dc, &r, low ? EDGE_ETCHED : EDGE_BUMP, BF_LEFT); break;
    case bsRightLine: {
      RECT b{r.right - 2, r.top, r.right, r.bottom};
      DrawEdge(dc, &b, low ? EDGE_ETCHED : EDGE_BUMP, BF_LEFT);
      break;
    }
    case bsSpacer: break;
  }
}

bool TBevel::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Shape") {
    static const char* names[] = {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"};
    std::string s = v.AsIdent();
    auto it = std::find(std::begin(names), std::end(names), s);
    if (it == std::end(names)) throw EFormDescription(L"unknown bevel shape " + v.s);
    Shape = TBevelShape(it - std::begin(names));
  } else if (name == "Style") {
    std::string s = v.AsIdent();
    if (s != "bsLowered" && s != "bsRaised") throw EFormDescription(L"unknown bevel style " + v.s);
    Style = s == "bsLowered" ? bsLowered : bsRaised;
  } else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TRadioButton ------------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 113;
  height_ = 17;
  ParentColor = true;
  TabStop = true;
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"BUTTON";
  p.Subclass = true;
  p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::HandleCreated() { SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::SetCheckedQuiet(bool v) {
  checked_ = v;
  if (handle_) SendMessageW(handle_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  SetCheckedQuiet(v);
  if (!v) return;
  if (parent_)
    for (TControl* c : parent_->Controls())
      if (auto* r = dynamic_cast<TRadioButton*>(c); r && r != this) r->SetCheckedQuiet(false);
  if (!Loading()) Click();
}

void TRadioButton::CNCommand(WORD code) {
  if (code != BN_CLICKED || Loading()) return;
  if (auto* g = dynamic_cast<TRadioGroup*>(parent_)) g->ButtonClicked(this);
  else SetChecked(true);
}

HBRUSH TRadioButton::CtlColor(HDC dc) {
  if (ParentColor && parent_) color_ = parent_->Color();
  return TWinControl::CtlColor(dc);
}

bool TRadioButton::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Checked") checked_ = v.AsBool();
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TRadioGroup -------------------------------------------------------------------------------

class TRadioGroup::Items_ : public TStrings {
 public:
  explicit Items_(TRadioGroup* g) : group_(g) {}

 protected:
  void Inserted(int) override { group_->UpdateButtons(); }
  void Deleted(int) override { group_->UpdateButtons(); }
  void Replaced(int) override { group_->UpdateButtons(); }
  void Cleared() override { group_->UpdateButtons(); }

 private:
  TRadioGroup* group_;
};

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner), items_(std::make_unique<Items_>(this)) {}

TStrings& TRadioGroup::Items() { return *items_; }

int TRadioGroup::ItemIndex() const { return itemIndex_ < items_->Count() ? itemIndex_ : -1; }

TRadioGroup::~TRadioGroup() {
  MarkDestroying();
  DestroyHandle();
}

void TRadioGroup::UpdateButtons() {
  if (Destroying()) return;
  while (int(buttons_.size()) > items_->Count()) {
    TRadioButton* b = buttons_.back();
    buttons_.pop_back();
    TComponent::Free(b);
  }
  while (int(buttons_.size()) < items_->Count()) {
    auto* b = new TRadioButton(this);
    b->SetParent(this);
    buttons_.push_back(b);
  }
  for (int i = 0; i < int(buttons_.size()); ++i) {
    buttons_[i]->SetCaption(items_->Strings(i));
    buttons_[i]->SetCheckedQuiet(i == itemIndex_);
    buttons_[i]->SetEnabled(enabled_);
  }
  AlignControls();
}

void TRadioGroup::AlignControls() {
  if (buttons_.empty()) return;
  // Columns side by side; the rows share the height below the caption.
  const int cols = std::max(1, columns_);
  const int perCol = (int(buttons_.size()) + cols - 1) / cols;
  const int th = FontLineHeight(Font);
  const int colWidth = (width_ - 10) / cols;
  const int avail = height_ - th - 5;
  const int rowHeight = avail / perCol;
  const int top = th + 1 + (avail % perCol) / 2;
  for (int i = 0; i < int(buttons_.size()); ++i)
    buttons_[i]->SetBounds(8 + (i / perCol) * colWidth, top + (i % perCol) * rowHeight, colWidth, rowHeight);
}

void TRadioGroup::SetColumns(int c) {
  columns_ = std::clamp(c, 1, 16);
  AlignControls();
}

void TRadioGroup::SetItemIndex(int i) {
  itemIndex_ = (i >= 0 && i < items_->Count()) ? i : -1;
  for (int k = 0; k < int(buttons_.size()); ++k) buttons_[k]->SetCheckedQuiet(k == itemIndex_);
}

void TRadioGroup::Loaded() {
  TGroupBox::Loaded();
  SetItemIndex(itemIndex_);
}

void TRadioGroup::ButtonClicked(TRadioButton* b) {
  auto it = std::find(buttons_.begin(), buttons_.end(), b);
  if (it == buttons_.end()) return;
  int i = int(it - buttons_.begin());
  if (i == itemIndex_) return;
  SetItemIndex(i);
  Click();
}

void TRadioGroup::FontChanged() {
  TGroupBox::FontChanged();
  AlignControls();
}

void TRadioGroup::EnabledChanged() {
  for (TRadioButton* b : buttons_) b->SetEnabled(enabled_);
  TGroupBox::EnabledChanged();
}

bool TRadioGroup::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Items" || name == "Items.Strings") items_->Assign(v.AsStrings());
  else if (name == "ItemIndex") itemIndex_ = v.AsInt();  // the items may follow
  else if (name == "Columns") columns_ = std::clamp(v.AsInt(), 1, 16);
  else return TGroupBox::SetProperty(name, v, loader);
  return true;
}

// ---- TScrollBar --------------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 121;
  height_ = GetSystemMetrics(SM_CYHSCROLL);
  TabStop = true;
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"SCROLLBAR";
  p.Subclass = true;
  p.Style |= Kind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::HandleCreated() { UpdateWindow(); }

void TScrollBar::UpdateWindow() {
  if (!handle_) return;
  SCROLLINFO si{sizeof(si), SIF_ALL | SIF_DISABLENOSCROLL, min_, max_, UINT(pageSize_), position_, 0};
  SetScrollInfo(handle_, SB_CTL, &si, TRUE);
}

void TScrollBar::SetPosition(int v) {
  v = std::clamp(v, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
  if (v == position_) return;
  position_ = v;
  UpdateWindow();
  if (!Loading()) CallEvent(OnChange, this);
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) throw Exception(L"Scroll bar property out of range");
  min_ = min;
  max_ = max;
  int old = position_;
  position_ = std::clamp(position, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
  UpdateWindow();
  if (position_ != old && !Loading()) CallEvent(OnChange, this);
}

void TScrollBar::Loaded() {
  TWinControl::Loaded();
  if (max_ < min_) throw EFormDescription(L"scroll bar " + Name() + L": Max below Min");
  position_ = std::clamp(position_, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
  UpdateWindow();
}

void TScrollBar::SetPageSize(int v) {
  pageSize_ = std::max(0, v);
  SetParams(position_, min_, max_);
}

void TScrollBar::CNScroll(int code, int pos) {
  if (Loading()) return;
  int p = position_;
  switch (code) {
    case SB_LINEUP: p -= SmallChange; break;
    case SB_LINEDOWN: p += SmallChange; break;
    case SB_PAGEUP: p -= LargeChange; break;
    case SB_PAGEDOWN: p += LargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (min_ >= SHRT_MIN && max_ <= SHRT_MAX) p = short(pos);
      else {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(handle_, SB_CTL, &si);
        p = si.nTrackPos;
      }
      break;
    case SB_TOP: p = min_; break;
    case SB_BOTTOM: p = max_; break;
    default: break;
  }
  p = std::clamp(p, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
  if (code >= scLineUp && code <= scEndScroll) CallEvent(OnScroll, this, TScrollCode(code), p);
  if (code != SB_ENDSCROLL) SetPosition(p);
}

bool TScrollBar::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Min") min_ = v.AsInt();
  else if (name == "Max") max_ = v.AsInt();
  else if (name == "Position") position_ = v.AsInt();
  else if (name == "PageSize") pageSize_ = v.AsInt();
  else if (name == "SmallChange") SmallChange = v.AsInt();
  else if (name == "LargeChange") LargeChange = v.AsInt();
  else if (name == "Kind") {
    std::string k = v.AsIdent();
    if (k != "sbHorizontal" && k != "sbVertical") throw EFormDescription(L"unknown scroll bar kind " + v.s);
    Kind = k == "sbHorizontal" ? sbHorizontal : sbVertical;
    if (Kind == sbVertical && width_ == 121) std::swap(width_, height_);
  } else if (name == "OnChange") OnChange = loader.Event<TNotifyEvent>(v);
  else if (name == "OnScroll") OnScroll = loader.Event<TScrollEvent>(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}
