#include "Menus.h"

#include <algorithm>
#include <map>

#include "Description.h"
#include "Dispatch.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* i : items_) i->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it != items_.end()) items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* i = items_.back();
    items_.pop_back();
    i->parent_ = nullptr;
    TComponent::Free(i);
  }
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::Click() {
  if (RadioItem && parent_) {
    for (TMenuItem* i : parent_->items_)
      if (i->RadioItem && i->GroupIndex == GroupIndex) i->Checked = false;
    Checked = true;
  }
  CallEvent(OnClick, this);
}

bool TMenuItem::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Caption") Caption = v.AsString();
  else if (name == "Checked") Checked = v.AsBool();
  else if (name == "Enabled") Enabled = v.AsBool();
  else if (name == "Visible") Visible = v.AsBool();
  else if (name == "Default") Default = v.AsBool();
  else if (name == "RadioItem") RadioItem = v.AsBool();
  else if (name == "GroupIndex") GroupIndex = v.AsInt();
  else if (name == "ShortCut") ShortCut = TextToShortCut(v.AsString());
  else if (name == "Hint") Hint = v.AsString();
  else if (name == "OnClick") OnClick = loader.Event<TNotifyEvent>(v);
  else if (name == "OnDrawItem") OnDrawItem = loader.Event<TMenuDrawItemEvent>(v);
  else if (name == "OnMeasureItem") OnMeasureItem = loader.Event<TMenuMeasureItemEvent>(v);
  else return TComponent::SetProperty(name, v, loader);
  return true;
}

void TMenuItem::SetParentComponent(TComponent* p) {
  if (auto* m = dynamic_cast<TPopupMenu*>(p)) m->Items()->Add(this);
  else if (auto* b = dynamic_cast<TMainMenu*>(p)) b->Items()->Add(this);
  else if (auto* i = dynamic_cast<TMenuItem*>(p)) i->Add(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {}

bool TPopupMenu::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "OwnerDraw") OwnerDraw = v.AsBool();
  else if (name == "AutoPopup") AutoPopup = v.AsBool();
  else if (name == "OnPopup") OnPopup = loader.Event<TNotifyEvent>(v);
  else return TComponent::SetProperty(name, v, loader);
  return true;
}

namespace {
// The menu being tracked: its command ids and owner-drawn items.
struct OpenMenu {
  TPopupMenu* menu = nullptr;
  HWND owner = nullptr;
  std::map<UINT, TMenuItem*> commands;
};
OpenMenu* g_open = nullptr;

HMENU Build(TPopupMenu* menu, TMenuItem* parent, OpenMenu& open, UINT& nextId) {
  HMENU h = CreatePopupMenu();
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible) continue;
    MENUITEMINFOW mi{sizeof(mi)};
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    bool owner = menu->OwnerDraw || it->OnDrawItem;
    mi.fType = it->IsLine() ? MFT_SEPARATOR : 0;
    if (it->RadioItem) mi.fType |= MFT_RADIOCHECK;
    if (owner) mi.fType |= MFT_OWNERDRAW;
    else if (!it->IsLine()) {
      mi.fMask |= MIIM_STRING;
      mi.dwTypeData = const_cast<wchar_t*>(it->Caption.c_str());
    }
    mi.fState = (it->Checked ? MFS_CHECKED : 0) | (it->Enabled ? 0 : MFS_DISABLED) | (it->Default ? MFS_DEFAULT : 0);
    mi.dwItemData = ULONG_PTR(it);
    mi.wID = nextId++;
    open.commands[mi.wID] = it;
    if (it->Count() > 0) {
      mi.fMask |= MIIM_SUBMENU;
      mi.hSubMenu = Build(menu, it, open, nextId);
    }
    InsertMenuItemW(h, UINT(-1), TRUE, &mi);
  }
  return h;
}
}  // namespace

bool TPopupMenu::MenuOpen() { return g_open != nullptr; }

HWND TPopupMenu::OpenMenuOwner() { return g_open ? g_open->owner : nullptr; }

void TPopupMenu::Popup(int x, int y, HWND owner) {
  if (g_open) return;
  CallEvent(OnPopup, this);
  if (!owner) owner = ApplicationWindow();
  OpenMenu open;
  open.menu = this;
  open.owner = owner;
  UINT nextId = 1;
  HMENU h = Build(this, items_, open, nextId);
  g_open = &open;
  SetForegroundWindow(owner);
  UINT cmd = UINT(TrackPopupMenuEx(h, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  g_open = nullptr;
  DestroyMenu(h);
  if (cmd) {
    auto it = open.commands.find(cmd);
    if (it != open.commands.end()) it->second->Click();
  }
}

void TPopupMenu::CloseOpenMenu() { EndMenu(); }

bool HandleMenuOwnerDraw(TMessage& m) {
  if (!g_open) return false;
  if (m.Msg == WM_MEASUREITEM) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    auto* item = reinterpret_cast<TMenuItem*>(mi->itemData);
    if (!item) return false;
    WindowDC screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.Font.Name = L"宋体";
    int w = item->IsLine() ? 0 : canvas.TextWidth(item->Caption) + 32;
    int h = item->IsLine() ? 6 : std::max<int>(canvas.TextHeight(L"Wg") + 6, GetSystemMetrics(SM_CYMENU));
    CallEvent(item->OnMeasureItem, item, &canvas, w, h);
    mi->itemWidth = UINT(std::max(w, 0));
    mi->itemHeight = UINT(std::max(h, 0));
    m.Result = TRUE;
    return true;
  }
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  auto* item = reinterpret_cast<TMenuItem*>(di->itemData);
  if (!item) return false;
  TCanvas canvas(di->hDC);
  bool selected = (di->itemState & ODS_SELECTED) != 0;
  if (item->OnDrawItem) {
    item->OnDrawItem(item, &canvas, di->rcItem, selected);
  } else {
    // Plain owner-drawn look: highlight, check mark, caption.
    canvas.Brush.Color = selected ? clHighlight : clMenu;
    canvas.FillRect(di->rcItem);
    if (item->IsLine()) {
      int y = (di->rcItem.top + di->rcItem.bottom) / 2;
      canvas.Pen.Color = clBtnShadow;
      canvas.MoveTo(di->rcItem.left + 2, y);
      canvas.LineTo(di->rcItem.right - 2, y);
    } else {
      canvas.Brush.Style = bsClear;
      canvas.Font.Color = !item->Enabled ? clGrayText : selected ? clHighlightText : clMenuText;
      if (item->Default) canvas.Font.Style = fsBold;
      int th = canvas.TextHeight(item->Caption);
      int ty = (di->rcItem.top + di->rcItem.bottom - th) / 2;
      if (item->Checked) canvas.TextOut(di->rcItem.left + 4, ty, item->RadioItem ? L"●" : L"√");
      canvas.TextOut(di->rcItem.left + 22, ty, item->Caption);
    }
  }
  canvas.SetHandle(nullptr);
  m.Result = TRUE;
  return true;
}

// ---- shortcuts ---------------------------------------------------------------------------------

namespace {
struct KeyName {
  WORD key;
  const wchar_t* name;
};
const KeyName kKeyNames[] = {{VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"}, {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
                             {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"},
                             {VK_HOME, L"Home"}, {VK_LEFT, L"Left"}, {VK_UP, L"Up"}, {VK_RIGHT, L"Right"},
                             {VK_DOWN, L"Down"}, {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"}};
const struct {
  TShortCut bit;
  const wchar_t* name;
} kModifiers[] = {{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}};
}  // namespace

TShortCut TextToShortCut(const std::wstring& text) {
  std::wstring rest = text;
  TShortCut sc = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& m : kModifiers) {
      size_t n = wcslen(m.name);
      if (rest.size() > n && _wcsnicmp(rest.c_str(), m.name, n) == 0) {
        sc |= m.bit;
        rest = rest.substr(n);
        found = true;
      }
    }
  }
  if (rest.empty()) {
    if (sc == 0) return 0;
  } else if (rest.size() == 1 && ((rest[0] >= L'A' && rest[0] <= L'Z') || (rest[0] >= L'0' && rest[0] <= L'9'))) {
    return TShortCut(sc | rest[0]);
  } else if (rest.size() == 1 && rest[0] >= L'a' && rest[0] <= L'z') {
    return TShortCut(sc | (rest[0] - L'a' + L'A'));
  } else if ((rest[0] == L'F' || rest[0] == L'f') && rest.size() <= 3) {
    int n = _wtoi(rest.c_str() + 1);
    if (n >= 1 && n <= 24) return TShortCut(sc | (VK_F1 + n - 1));
  } else {
    for (const auto& k : kKeyNames)
      if (_wcsicmp(rest.c_str(), k.name) == 0) return TShortCut(sc | k.key);
  }
  throw EFormDescription(L"unknown shortcut '" + text + L"'");
}

std::wstring ShortCutToText(TShortCut sc) {
  WORD key = sc & 0xFF;
  if (key == 0) return L"";
  std::wstring text;
  for (const auto& m : kModifiers)
    if (sc & m.bit) text += m.name;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return text + wchar_t(key);
  if (key >= VK_F1 && key <= VK_F24) return text + L"F" + std::to_wstring(key - VK_F1 + 1);
  for (const auto& k : kKeyNames)
    if (k.key == key) return text + k.name;
  return L"";
}

// ---- TMainMenu ---------------------------------------------------------------------------------

namespace {
// Above the dialog manager's IDOK/IDCANCEL, which a form also receives as commands without a window.
const UINT kFirstMenuCommand = 0x1000;

std::wstring BarCaption(const TMenuItem* it) {
  std::wstring sc = ShortCutToText(it->ShortCut);
  return sc.empty() ? it->Caption : it->Caption + L"\t" + sc;
}

UINT ItemState(const TMenuItem* it) {
  return (it->Checked ? MFS_CHECKED : 0) | (it->Enabled ? 0 : MFS_DISABLED) | (it->Default ? MFS_DEFAULT : 0);
}
}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {}

TMainMenu::~TMainMenu() {
  if (attached_ && IsWindow(attached_) && GetMenu(attached_) == handle_) SetMenu(attached_, nullptr);
  if (handle_ && IsMenu(handle_)) DestroyMenu(handle_);
}

HMENU TMainMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenu();
    commands_.clear();
    Build(handle_, items_, true);
  }
  return handle_;
}

void TMainMenu::AttachTo(HWND form) {
  attached_ = form;
  SetMenu(form, Handle());
}

void TMainMenu::Build(HMENU menu, TMenuItem* parent, bool bar) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible) continue;
    MENUITEMINFOW mi{sizeof(mi)};
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    mi.fType = it->IsLine() ? MFT_SEPARATOR : 0;
    if (it->RadioItem) mi.fType |= MFT_RADIOCHECK;
    std::wstring caption = bar ? it->Caption : BarCaption(it);
    if (!it->IsLine()) {
      mi.fMask |= MIIM_STRING;
      mi.dwTypeData = caption.data();
    }
    mi.fState = ItemState(it);
    mi.dwItemData = ULONG_PTR(it);
    if (!it->IsLine()) {
      mi.wID = kFirstMenuCommand + UINT(commands_.size());
      commands_.emplace_back(mi.wID, it);
    }
    if (it->Count() > 0) {
      mi.fMask |= MIIM_SUBMENU;
      mi.hSubMenu = CreatePopupMenu();
      Build(mi.hSubMenu, it, false);
    }
    InsertMenuItemW(menu, UINT(-1), TRUE, &mi);
  }
}

UINT TMainMenu::CommandOf(const TMenuItem* item) {
  Handle();
  for (const auto& [id, it] : commands_)
    if (it == item) return id;
  return 0;
}

bool TMainMenu::DispatchCommand(UINT id) {
  for (const auto& [cid, it] : commands_)
    if (cid == id) {
      if (it->Enabled && it->Count() == 0) it->Click();
      return true;
    }
  return false;
}

void TMainMenu::RefreshPopup(HMENU popup) {
  int n = GetMenuItemCount(popup);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOW mi{sizeof(mi)};
    mi.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(popup, UINT(i), TRUE, &mi) || !mi.dwItemData) continue;
    auto* it = reinterpret_cast<TMenuItem*>(mi.dwItemData);
    if (it->IsLine()) continue;
    std::wstring caption = BarCaption(it);
    MENUITEMINFOW set{sizeof(set)};
    set.fMask = MIIM_STATE | MIIM_STRING;
    set.fState = ItemState(it);
    set.dwTypeData = caption.data();
    SetMenuItemInfoW(popup, UINT(i), TRUE, &set);
  }
}

bool TMainMenu::IsShortCut(WORD key, int shift) {
  TShortCut want = TShortCut(key & 0xFF);
  if (shift & ssShift) want |= scShift;
  if (shift & ssAlt) want |= scAlt;
  if (shift & ssCtrl) want |= scCtrl;
  // Depth first, as the items stand in the menu; hidden or disabled branches do not answer.
  std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* parent) -> TMenuItem* {
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* it = parent->Items(i);
      if (!it->Visible || !it->Enabled) continue;
      if (it->Count() > 0) {
        if (TMenuItem* hit = find(it)) return hit;
      } else if (it->ShortCut != 0 && it->ShortCut == want) {
        return it;
      }
    }
    return nullptr;
  };
  TMenuItem* hit = find(items_);
  if (!hit) return false;
  hit->Click();
  return true;
}
