#include "ListCtrls.h"

#include <algorithm>

#include "Description.h"
#include "Forms.h"

// ---- TControlItems -----------------------------------------------------------------------------

void TControlItems::Fill() {
  HWND h = Window();
  if (!h) return;
  SendMessageW(h, m_.reset, 0, 0);
  for (const auto& s : items_) SendMessageW(h, m_.add, 0, LPARAM(s.c_str()));
}

void TControlItems::Inserted(int i) {
  if (HWND h = Window()) SendMessageW(h, m_.insert, WPARAM(i), LPARAM(items_[i].c_str()));
  if (OnChanged) OnChanged('i', i);
}

void TControlItems::Deleted(int i) {
  if (HWND h = Window()) SendMessageW(h, m_.remove, WPARAM(i), 0);
  if (OnChanged) OnChanged('d', i);
}

void TControlItems::Replaced(int i) {
  if (HWND h = Window()) {
    int sel = int(SendMessageW(h, m_.getSel, 0, 0));
    SendMessageW(h, m_.remove, WPARAM(i), 0);
    SendMessageW(h, m_.insert, WPARAM(i), LPARAM(items_[i].c_str()));
    if (sel == i) SendMessageW(h, m_.setSel, WPARAM(i), 0);
  }
  if (OnChanged) OnChanged('r', i);
}

void TControlItems::Cleared() {
  if (HWND h = Window()) SendMessageW(h, m_.reset, 0, 0);
  if (OnChanged) OnChanged('c', 0);
}

// The selection of a list without a window follows the changes as the window's would.
static void FollowSelection(int& sel, char op, int index) {
  if (op == 'c') sel = -1;
  else if (op == 'i' && sel >= index) ++sel;
  else if (op == 'd') {
    if (sel == index) sel = -1;
    else if (sel > index) --sel;
  }
}

static bool SetItemsProperty(TStrings& items, const std::string& name, const PropValue& v) {
  if (name != "Items" && name != "Items.Strings") return false;
  items.Assign(v.AsStrings());
  return true;
}

// ---- TComboBox ---------------------------------------------------------------------------------

static const TControlItems::Messages kComboMessages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                                                    CB_RESETCONTENT, CB_SETCURSEL, CB_GETCURSEL};

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner), Items(this, kComboMessages) {
  width_ = 145;
  height_ = 21;
  color_ = clWindow;
  TabStop = true;
  Items.OnChanged = [this](char op, int i) { ItemsChanged(op, i); };
}

void TComboBox::ItemsChanged(char op, int index) {
  if (!handle_) FollowSelection(itemIndex_, op, index);
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"COMBOBOX";
  p.Subclass = true;
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (Style) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
  }
}

int TComboBox::DroppedHeight() const {
  int line = std::abs(Font.Height()) + 4;
  return Style == csSimple ? 0 : DropDownCount * line + 2;
}

void TComboBox::CreateWnd() {
  // The window's height includes its drop-down list; the combo box keeps the closed height.
  const int closed = height_;
  height_ = closed + DroppedHeight();
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    height_ = closed;
    throw;
  }
  RECT r;
  GetWindowRect(handle_, &r);
  height_ = Style == csSimple ? closed : r.bottom - r.top;
}

void TComboBox::BoundsChanged() {
  if (handle_)
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_ + DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TComboBox::HandleCreated() {
  Items.Fill();
  SendMessageW(handle_, CB_SETCURSEL, WPARAM(itemIndex_), 0);
  if (Style == csDropDown || Style == csSimple) SetWindowTextW(handle_, caption_.c_str());
}

int TComboBox::ItemIndex() const {
  if (handle_) itemIndex_ = int(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TComboBox::SetItemIndex(int i) {
  itemIndex_ = (i >= 0 && i < Items.Count()) ? i : -1;
  if (handle_) SendMessageW(handle_, CB_SETCURSEL, WPARAM(itemIndex_), 0);
}

const std::wstring& TComboBox::Text() {
  if (handle_) {
    int n = GetWindowTextLengthW(handle_);
    std::wstring s(n, L'\0');
    GetWindowTextW(handle_, s.data(), n + 1);
    caption_ = s;
  } else if (Style == csDropDownList || Style == csOwnerDrawFixed) {
    caption_ = itemIndex_ >= 0 && itemIndex_ < Items.Count() ? Items[itemIndex_] : std::wstring();
  }
  return caption_;
}

bool TComboBox::DroppedDown() const { return handle_ && SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0); }

void TComboBox::Select() {
  if (OnSelect) CallEvent(OnSelect, this);
  else CallEvent(OnChange, this);
}

void TComboBox::CNCommand(WORD code) {
  if (Loading()) return;
  switch (code) {
    case CBN_SELCHANGE:
      itemIndex_ = int(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
      caption_ = itemIndex_ >= 0 ? Items[itemIndex_] : std::wstring();
      Click();
      Select();
      break;
    case CBN_EDITCHANGE:
      Text();
      CallEvent(OnChange, this);
      break;
    case CBN_DROPDOWN:
      CallEvent(OnDropDown, this);
      break;
  }
}

void TComboBox::WndProc(TMessage& m) {
  // The edit and list parts of the box ask the box for their colours.
  if (m.Msg == WM_CTLCOLOREDIT || m.Msg == WM_CTLCOLORLISTBOX) {
    if (HBRUSH b = CtlColor(HDC(m.WParam))) {
      m.Result = LRESULT(b);
      return;
    }
  }
  TWinControl::WndProc(m);
}

void TComboBox::ColorChanged() {
  if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool TComboBox::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (SetItemsProperty(Items, name, v)) return true;
  if (name == "ItemIndex") itemIndex_ = v.AsInt();
  else if (name == "Style") {
    std::string s = v.AsIdent();
    if (s == "csDropDown") Style = csDropDown;
    else if (s == "csSimple") Style = csSimple;
    else if (s == "csDropDownList") Style = csDropDownList;
    else if (s == "csOwnerDrawFixed") Style = csOwnerDrawFixed;
    else throw EFormDescription(L"unknown combo box style " + v.s);
  } else if (name == "DropDownCount") DropDownCount = v.AsInt();
  else if (name == "ItemHeight" || name == "Sorted" || name == "AutoComplete") (void)v;  // fixed here
  else if (name == "OnChange") OnChange = loader.Event<TNotifyEvent>(v);
  else if (name == "OnSelect") OnSelect = loader.Event<TNotifyEvent>(v);
  else if (name == "OnDropDown") OnDropDown = loader.Event<TNotifyEvent>(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TColorBox ---------------------------------------------------------------------------------

namespace {
struct NamedColor {
  TColor color;
  const wchar_t* name;
};
const NamedColor kStandard[] = {
    {clBlack, L"Black"}, {clMaroon, L"Maroon"}, {clGreen, L"Green"}, {clOlive, L"Olive"},
    {clNavy, L"Navy"}, {clPurple, L"Purple"}, {clTeal, L"Teal"}, {clGray, L"Gray"},
    {clSilver, L"Silver"}, {clRed, L"Red"}, {clLime, L"Lime"}, {clYellow, L"Yellow"},
    {clBlue, L"Blue"}, {clFuchsia, L"Fuchsia"}, {clAqua, L"Aqua"}, {clWhite, L"White"}};
const NamedColor kExtended[] = {
    {clMoneyGreen, L"Money Green"}, {clSkyBlue, L"Sky Blue"}, {clCream, L"Cream"}, {clMedGray, L"Medium Gray"}};
const NamedColor kSystem[] = {
    {clScrollBar, L"Scroll Bar"}, {clBackground, L"Background"}, {clActiveCaption, L"Active Caption"},
    {SysColor(COLOR_INACTIVECAPTION), L"Inactive Caption"}, {clMenu, L"Menu"}, {clWindow, L"Window"},
    {SysColor(COLOR_WINDOWFRAME), L"Window Frame"}, {clMenuText, L"Menu Text"}, {clWindowText, L"Window Text"},
    {SysColor(COLOR_CAPTIONTEXT), L"Caption Text"}, {SysColor(COLOR_ACTIVEBORDER), L"Active Border"},
    {SysColor(COLOR_INACTIVEBORDER), L"Inactive Border"}, {SysColor(COLOR_APPWORKSPACE), L"Application Workspace"},
    {clHighlight, L"Highlight"}, {clHighlightText, L"Highlight Text"}, {clBtnFace, L"Button Face"},
    {clBtnShadow, L"Button Shadow"}, {clGrayText, L"Gray Text"}, {clBtnText, L"Button Text"},
    {SysColor(COLOR_INACTIVECAPTIONTEXT), L"Inactive Caption Text"}, {clBtnHighlight, L"Button Highlight"},
    {SysColor(COLOR_3DDKSHADOW), L"3D Dark Shadow"}, {SysColor(COLOR_3DLIGHT), L"3D Light"},
    {clInfoText, L"Info Text"}, {clInfoBk, L"Info Background"}};
const wchar_t kCustomName[] = L"Custom...";

std::wstring ColorItemName(TColor c) {
  wchar_t buf[16];
  swprintf(buf, 16, L"$%08X", unsigned(c));
  return buf;
}
}  // namespace

TColorBox::TColorBox(TComponent* AOwner) : TComboBox(AOwner) {
  Style = csOwnerDrawFixed;
  Populate();
}

void TColorBox::Populate() {
  Items.Clear();
  colors_.clear();
  auto add = [this](TColor c, const std::wstring& n) {
    colors_.push_back(c);
    Items.Add(n);
  };
  if (colorStyle_ & cbCustomColor) add(clBlack, kCustomName);
  for (const auto& c : kStandard)
    if (colorStyle_ & cbStandardColors) add(c.color, c.name);
  for (const auto& c : kExtended)
    if (colorStyle_ & cbExtendedColors) add(c.color, c.name);
  for (const auto& c : kSystem)
    if (colorStyle_ & cbSystemColors) add(c.color, c.name);
  if (colorStyle_ & cbIncludeNone) add(clNone, L"None");
  if (colorStyle_ & cbIncludeDefault) add(clDefault, L"Default");
}

void TColorBox::SetColorStyle(TColorBoxStyle s) {
  TColor keep = Selected();
  colorStyle_ = s;
  Populate();
  SetSelected(keep);
}

TColor TColorBox::Selected() const {
  int i = ItemIndex();
  if (i >= 0 && i < int(colors_.size())) return colors_[i];
  return selected_;
}

void TColorBox::SetSelected(TColor c) {
  selected_ = c;
  int first = (colorStyle_ & cbCustomColor) ? 1 : 0;
  auto it = std::find(colors_.begin() + first, colors_.end(), c);
  int i = int(it - colors_.begin());
  if (it == colors_.end()) {
    if (first) {
      colors_[0] = c;
      i = 0;
      if (handle_) InvalidateRect(handle_, nullptr, TRUE);
    } else {
      colors_.push_back(c);
      Items.Add(ColorItemName(c));
    }
  }
  SetItemIndex(i);
}

void TColorBox::HandleCreated() {
  TComboBox::HandleCreated();
  int h = std::abs(Font.Height()) + 4;
  SendMessageW(handle_, CB_SETITEMHEIGHT, WPARAM(-1), h);
  SendMessageW(handle_, CB_SETITEMHEIGHT, 0, h);
}

void TColorBox::Loaded() {
  TComboBox::Loaded();
  SetSelected(selected_);
}

bool TColorBox::CNDrawItem(DRAWITEMSTRUCT* di) {
  HDC dc = di->hDC;
  RECT r = di->rcItem;
  const bool sel = (di->itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(sel ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int i = int(di->itemID);
  if (i >= 0 && i < int(colors_.size())) {
    RECT sw{r.left + 2, r.top + 2, r.left + 2 + (r.bottom - r.top - 4) * 3 / 2, r.bottom - 2};
    FillRect(dc, &sw, GdiObject<HBRUSH>(CreateSolidBrush(ColorToRGB(colors_[i]))).get());
    FrameRect(dc, &sw, HBRUSH(GetStockObject(BLACK_BRUSH)));
    SelectScope font(dc, Font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(sel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT tr{sw.right + 4, r.top, r.right, r.bottom};
    DrawTextW(dc, Items[i].c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (di->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  return true;
}

bool TColorBox::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Selected") selected_ = ColorFromProp(v);
  else if (name == "Style") {
    TColorBoxStyle s = 0;
    for (const auto& n : v.AsSet()) {
      static const std::pair<const wchar_t*, int> names[] = {
          {L"cbStandardColors", cbStandardColors}, {L"cbExtendedColors", cbExtendedColors},
          {L"cbSystemColors", cbSystemColors}, {L"cbIncludeNone", cbIncludeNone},
          {L"cbIncludeDefault", cbIncludeDefault}, {L"cbCustomColor", cbCustomColor},
          {L"cbPrettyNames", cbPrettyNames}};
      auto it = std::find_if(std::begin(names), std::end(names), [&](auto& p) { return n == p.first; });
      if (it == std::end(names)) throw EFormDescription(L"unknown colour box style " + n);
      s |= it->second;
    }
    colorStyle_ = s;
    Populate();
  } else if (name == "Items" || name == "ItemIndex") return false;  // the colours are the items
  else return TComboBox::SetProperty(name, v, loader);
  return true;
}

// ---- TListBox ----------------------------------------------------------------------------------

static const TControlItems::Messages kListMessages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                                                   LB_RESETCONTENT, LB_SETCURSEL, LB_GETCURSEL};

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner), Items(this, kListMessages) {
  width_ = 121;
  height_ = 97;
  color_ = clWindow;
  TabStop = true;
  Items.OnChanged = [this](char op, int i) { ItemsChanged(op, i); };
}

void TListBox::ItemsChanged(char op, int index) {
  if (!handle_) FollowSelection(itemIndex_, op, index);
}

void TListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"LISTBOX";
  p.Subclass = true;
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::HandleCreated() {
  Items.Fill();
  SendMessageW(handle_, LB_SETCURSEL, WPARAM(itemIndex_), 0);
}

int TListBox::ItemIndex() const {
  if (handle_) itemIndex_ = int(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TListBox::SetItemIndex(int i) {
  itemIndex_ = (i >= 0 && i < Items.Count()) ? i : -1;
  if (handle_) SendMessageW(handle_, LB_SETCURSEL, WPARAM(itemIndex_), 0);
}

int TListBox::TopIndex() const { return handle_ ? int(SendMessageW(handle_, LB_GETTOPINDEX, 0, 0)) : 0; }

void TListBox::CNCommand(WORD code) {
  if (code == LBN_SELCHANGE && !Loading()) {
    ItemIndex();
    Click();
  } else if (code == LBN_DBLCLK && !Loading()) {
    CallEvent(OnDblClick, this);
  }
}

bool TListBox::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (SetItemsProperty(Items, name, v)) return true;
  if (name == "ItemIndex") itemIndex_ = v.AsInt();
  else if (name == "ItemHeight" || name == "Sorted") (void)v;
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}

// ---- TCheckListBox -----------------------------------------------------------------------------

TCheckListBox::TCheckListBox(TComponent* AOwner) : TListBox(AOwner) {
  Items.OnChanged = [this](char op, int i) {
    ItemsChanged(op, i);
    if (op == 'i') checked_.insert(checked_.begin() + i, false);
    else if (op == 'd') checked_.erase(checked_.begin() + i);
    else if (op == 'c') checked_.clear();
  };
}

void TCheckListBox::CreateParams(TCreateParams& p) {
  TListBox::CreateParams(p);
  p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TCheckListBox::HandleCreated() {
  TListBox::HandleCreated();
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, std::max(std::abs(Font.Height()) + 4, 16));
}

int TCheckListBox::CheckWidth() const { return 16; }

bool TCheckListBox::Checked(int i) const {
  if (i < 0 || i >= int(checked_.size())) throw Exception(L"List index out of bounds (" + IntToStr(i) + L")");
  return checked_[i];
}

void TCheckListBox::SetChecked(int i, bool v) {
  Checked(i);
  if (checked_[i] == v) return;
  checked_[i] = v;
  RECT r;
  if (handle_ && SendMessageW(handle_, LB_GETITEMRECT, WPARAM(i), LPARAM(&r)) != LB_ERR) InvalidateRect(handle_, &r, TRUE);
}

void TCheckListBox::ToggleByUser(int i) {
  if (i < 0 || i >= Items.Count() || !enabled_) return;
  SetChecked(i, !checked_[i]);
  CallEvent(OnClickCheck, this);
}

void TCheckListBox::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDOWN && LOWORD(m.LParam) < CheckWidth()) {
    LRESULT hit = SendMessageW(handle_, LB_ITEMFROMPOINT, 0, m.LParam);
    TListBox::WndProc(m);
    if (!HIWORD(hit)) ToggleByUser(LOWORD(hit));
    return;
  }
  if (m.Msg == WM_CHAR && m.WParam == L' ') {
    ToggleByUser(ItemIndex());
    return;
  }
  TListBox::WndProc(m);
}

bool TCheckListBox::CNDrawItem(DRAWITEMSTRUCT* di) {
  HDC dc = di->hDC;
  RECT r = di->rcItem;
  int i = int(di->itemID);
  FillRect(dc, &r, BackgroundBrush());
  if (i < 0 || i >= Items.Count()) return true;
  const bool sel = (di->itemState & ODS_SELECTED) != 0;
  int box = std::min(13, int(r.bottom - r.top) - 2);
  RECT cb{r.left + 2, r.top + (r.bottom - r.top - box) / 2, r.left + 2 + box, r.top + (r.bottom - r.top - box) / 2 + box};
  DrawFrameControl(dc, &cb, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked_[i] ? DFCS_CHECKED : 0));
  RECT tr{r.left + CheckWidth() + 2, r.top, r.right, r.bottom};
  if (sel) FillRect(dc, &tr, GetSysColorBrush(COLOR_HIGHLIGHT));
  SelectScope font(dc, Font.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font.Color));
  RECT text = tr;
  text.left += 2;
  DrawTextW(dc, Items[i].c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (di->itemState & ODS_FOCUS) DrawFocusRect(dc, &tr);
  return true;
}

bool TCheckListBox::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "OnClickCheck") OnClickCheck = loader.Event<TNotifyEvent>(v);
  else return TListBox::SetProperty(name, v, loader);
  return true;
}

// ---- TMemo -------------------------------------------------------------------------------------

class TMemo::Lines_ : public TStrings {
 public:
  explicit Lines_(TMemo* m) : memo_(m) {}
  // One text for the window however many lines: an edit control re-wraps its whole text at each
  // append, so a long list put in line by line costs the square of its length.
  void Assign(const std::vector<std::wstring>& lines) override {
    items_ = lines;
    memo_->SyncWindow(-1);
  }
  void AddStrings(const std::vector<std::wstring>& lines) override {
    if (lines.empty()) return;
    const int first = Count();
    items_.insert(items_.end(), lines.begin(), lines.end());
    memo_->SyncWindow(first);
  }

 protected:
  void Inserted(int i) override { memo_->SyncWindow(i == Count() - 1 ? i : -1); }
  void Deleted(int) override { memo_->SyncWindow(-1); }
  void Replaced(int) override { memo_->SyncWindow(-1); }
  void Cleared() override { memo_->SyncWindow(-1); }

 private:
  TMemo* memo_;
};

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), lines_(std::make_unique<Lines_>(this)) {
  width_ = 185;
  height_ = 89;
  color_ = clWindow;
  TabStop = true;
}

TMemo::~TMemo() {
  MarkDestroying();
  DestroyHandle();
}

TStrings& TMemo::Lines() { return *lines_; }

void TMemo::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"EDIT";
  p.Subclass = true;
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | (ReadOnly ? ES_READONLY : 0);
  if (!WordWrap) p.Style |= ES_AUTOHSCROLL;
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) p.Style |= WS_HSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::HandleCreated() {
  SendMessageW(handle_, EM_SETLIMITTEXT, 0, 0);
  SyncWindow(-1);
}

void TMemo::SyncWindow(int firstAppended) {
  if (!handle_ || updating_) return;
  updating_ = true;
  if (firstAppended >= 0) {
    // Appending leaves the rest of the text, and the user's scroll place, alone.
    int len = GetWindowTextLengthW(handle_);
    SendMessageW(handle_, EM_SETSEL, len, len);
    std::wstring add;
    for (int i = firstAppended; i < lines_->Count(); ++i) add += lines_->Strings(i) + L"\r\n";
    SendMessageW(handle_, EM_REPLACESEL, FALSE, LPARAM(add.c_str()));
  } else {
    SetWindowTextW(handle_, lines_->Text().c_str());
  }
  updating_ = false;
}

void TMemo::CNCommand(WORD code) {
  if (code != EN_CHANGE || updating_ || Loading()) return;
  // The user's typing: the lines follow the window.
  int n = GetWindowTextLengthW(handle_);
  std::wstring s(n, L'\0');
  GetWindowTextW(handle_, s.data(), n + 1);
  updating_ = true;
  lines_->SetText(s);
  updating_ = false;
  CallEvent(OnChange, this);
}

bool TMemo::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Lines" || name == "Lines.Strings") lines_->Assign(v.AsStrings());
  else if (name == "ReadOnly") ReadOnly = v.AsBool();
  else if (name == "WordWrap") WordWrap = v.AsBool();
  else if (name == "ScrollBars") {
    std::string s = v.AsIdent();
    ScrollBars = s == "ssVertical" ? ssVertical : s == "ssHorizontal" ? ssHorizontal : s == "ssBoth" ? ssBoth : ssNone;
  } else if (name == "OnChange") OnChange = loader.Event<TNotifyEvent>(v);
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}
