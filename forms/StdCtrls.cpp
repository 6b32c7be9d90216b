#include "StdCtrls.h"

#include "Description.h"
#include "Forms.h"

static TAlignment AlignmentFromProp(const PropValue& v) {
  std::string a = v.AsIdent();
  if (a == "taLeftJustify") return taLeftJustify;
  if (a == "taRightJustify") return taRightJustify;
  if (a == "taCenter") return taCenter;
  throw EFormDescription(L"unknown alignment " + v.s);
}

// ---- TButton -----------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 75;
  height_ = 25;
  TabStop = true;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"BUTTON";
  p.Subclass = true;
  p.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CNCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

void TButton::Click() {
  if (ModalResult)
    if (TForm* f = ParentForm()) f->ModalResult = ModalResult;
  TWinControl::Click();
}

bool TButton::DialogKey(int id) {
  if (!((id == IDOK && Default) || (id == IDCANCEL && Cancel)) || !Enabled()) return false;
  Click();
  return true;
}

bool TButton::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Default") Default = v.AsBool();
  else if (name == "Cancel") Cancel = v.AsBool();
  else if (name == "ModalResult") {
    if (v.kind == PropValue::kInt) ModalResult = v.AsInt();
    else {
      std::string s = v.AsIdent();
      ModalResult = s == "mrOk" ? mrOk : s == "mrCancel" ? mrCancel : s == "mrYes" ? mrYes : s == "mrNo" ? mrNo : 0;
    }
  } else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TLabel ------------------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TWinControl(AOwner) {
  ParentColor = true;
  width_ = 36;
  height_ = 13;
}

void TLabel::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"STATIC";
  p.Subclass = true;
  p.Style |= SS_NOTIFY | SS_NOPREFIX;
  p.Style |= Alignment == taCenter ? SS_CENTER : Alignment == taRightJustify ? SS_RIGHT : SS_LEFT;
  if (!WordWrap && Alignment == taLeftJustify) p.Style = (p.Style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP;
  if (Layout == tlCenter && !WordWrap) p.Style |= SS_CENTERIMAGE;
  if (Transparent) p.ExStyle |= WS_EX_TRANSPARENT;
}

void TLabel::CNCommand(WORD code) {
  if (code == STN_CLICKED) Click();
  else if (code == STN_DBLCLK) CallEvent(OnDblClick, this);
}

HBRUSH TLabel::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font.Color));
  if (Transparent) {
    SetBkMode(dc, TRANSPARENT);
    return HBRUSH(GetStockObject(NULL_BRUSH));
  }
  if (ParentColor && parent_) color_ = parent_->Color();
  SetBkColor(dc, ColorToRGB(color_));
  return BackgroundBrush();
}

void TLabel::AdjustSize() {
  if (!AutoSize || WordWrap || Loading()) return;
  TCanvas c;
  c.Font.Assign(Font);
  SIZE s = c.TextExtent(caption_.empty() ? L" " : caption_);
  int w = s.cx, h = s.cy;
  int l = left_;
  if (Alignment == taRightJustify) l = left_ + width_ - w;
  else if (Alignment == taCenter) l = left_ + (width_ - w) / 2;
  SetBounds(l, top_, w, h);
}

void TLabel::CaptionChanged() {
  const RECT before = BoundsRect();
  TWinControl::CaptionChanged();
  AdjustSize();
  // A transparent child is not clipped out of its parent's painting, so invalidating the parent
  // alone would wipe the text and leave it blank: the label paints its text again after it.
  if (Transparent) RedrawThrough(before);
}

void TLabel::RedrawThrough(const RECT& before) {
  if (!parent_ || !parent_->HandleIfAllocated()) return;
  // The two places apart: a label that jumps across its parent repaints only where it was and is.
  for (const RECT& r : {before, BoundsRect()})
    RedrawWindow(parent_->HandleIfAllocated(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TLabel::BoundsChanged() {
  if (!Transparent || !handle_ || !parent_ || !parent_->HandleIfAllocated()) {
    TWinControl::BoundsChanged();
    return;
  }
  // Moved as it stands, the label would carry the old background along with its text.
  RECT before;
  GetWindowRect(handle_, &before);
  MapWindowPoints(nullptr, parent_->HandleIfAllocated(), reinterpret_cast<POINT*>(&before), 2);
  SetWindowPos(handle_, nullptr, left_, top_, width_, height_,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW);
  if (align_ != alNone) parent_->AlignControls();
  RedrawThrough(before);
}

void TLabel::FontChanged() {
  TWinControl::FontChanged();
  AdjustSize();
}

void TLabel::Loaded() {
  TWinControl::Loaded();
  AdjustSize();
}

bool TLabel::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Alignment") Alignment = AlignmentFromProp(v);
  else if (name == "AutoSize") AutoSize = v.AsBool();
  else if (name == "WordWrap") WordWrap = v.AsBool();
  else if (name == "Transparent") Transparent = v.AsBool();
  else if (name == "Layout") {
    std::string l = v.AsIdent();
    Layout = l == "tlCenter" ? tlCenter : l == "tlBottom" ? tlBottom : tlTop;
  } else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TEdit -------------------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 121;
  height_ = 21;
  color_ = clWindow;
  TabStop = true;
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"EDIT";
  p.Subclass = true;
  p.Style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0) | (PasswordChar ? ES_PASSWORD : 0);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
  if (MaxLength) SendMessageW(handle_, EM_SETLIMITTEXT, MaxLength, 0);
  if (PasswordChar) SendMessageW(handle_, EM_SETPASSWORDCHAR, PasswordChar, 0);
}

void TEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, v, 0);
}

const std::wstring& TEdit::Text() {
  if (handle_) {
    int n = GetWindowTextLengthW(handle_);
    std::wstring s(n, L'\0');
    GetWindowTextW(handle_, s.data(), n + 1);
    caption_ = s;
  }
  return caption_;
}

void TEdit::CNCommand(WORD code) {
  if (code == EN_CHANGE && !Loading()) {
    Text();
    CallEvent(OnChange, this);
  }
}

HBRUSH TEdit::CtlColor(HDC dc) { return TWinControl::CtlColor(dc); }

bool TEdit::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "ReadOnly") readOnly_ = v.AsBool();
  else if (name == "MaxLength") MaxLength = v.AsInt();
  else if (name == "PasswordChar") PasswordChar = v.AsString().empty() ? 0 : v.AsString()[0];
  else if (name == "OnChange") OnChange = loader.Event<TNotifyEvent>(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TCheckBox ---------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 97;
  height_ = 17;
  TabStop = true;
  ParentColor = true;
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"BUTTON";
  p.Subclass = true;
  p.Style |= BS_CHECKBOX | (Alignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::HandleCreated() { SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (handle_) SendMessageW(handle_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Loading()) Click();
}

void TCheckBox::CNCommand(WORD code) {
  if (code == BN_CLICKED) SetChecked(!checked_);
}

HBRUSH TCheckBox::CtlColor(HDC dc) {
  if (ParentColor && parent_) color_ = parent_->Color();
  return TWinControl::CtlColor(dc);
}

bool TCheckBox::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Checked") checked_ = v.AsBool();
  else if (name == "Alignment") Alignment = AlignmentFromProp(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}
