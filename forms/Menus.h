#pragma once
// Pop-up menus with optional owner drawing. The Win32 menu is built anew at each Popup, from the
// items as they stand then.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

struct TMessage;

// A menu item's shortcut key: the virtual key in the low byte with these modifier bits.
using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+A", "Shift+Ctrl+F5"...; 0 for an empty text, EFormDescription for one it cannot read.
TShortCut TextToShortCut(const std::wstring& text);
std::wstring ShortCutToText(TShortCut sc);

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  std::wstring Caption;  // "-" is a separator line
  bool Checked = false, Enabled = true, Visible = true, Default = false, RadioItem = false;
  int GroupIndex = 0;
  TShortCut ShortCut = 0;
  std::wstring Hint;
  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int i) const { return items_.at(i); }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Clear();  // frees the sub-items
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  bool IsLine() const { return Caption == L"-"; }
  // Runs OnClick (a radio item is checked first, its group unchecked).
  virtual void Click();

  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void SetParentComponent(TComponent* p) override;

 private:
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  TMenuItem* Items() const { return items_; }
  bool OwnerDraw = false;
  bool AutoPopup = true;
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;

  // Shows the menu at a screen point and runs the chosen item's OnClick after it closes. The owner
  // window is made foreground first, so that a click outside closes the menu.
  // While a pop-up menu of the program is open, another Popup opens nothing: a menu opened inside
  // the open one's loop would nest, and every nested loop holds the thread until it is closed.
  void Popup(int x, int y, HWND owner = nullptr);
  // A pop-up menu of the program is being shown.
  static bool MenuOpen();
  // The window that owns the open pop-up menu (null when none is open). The menu's loop hears a
  // click outside it only while that window is the foreground one.
  static HWND OpenMenuOwner();
  // Closes an open pop-up menu (from a timer or a test).
  static void CloseOpenMenu();
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 private:
  TMenuItem* items_;
};

// A form's menu bar (the form's Menu property). Items with sub-items drop down; the others are
// commands. Captions, checks and enabled states are read from the items each time a drop-down
// opens, so the program changes them on the items alone.
class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  TMenuItem* Items() const { return items_; }
  // The bar, built on first use from the visible items.
  HMENU Handle();
  // The form's window shows the bar.
  void AttachTo(HWND form);
  // The command id of an item on the bar (0 when it has none: not built, hidden, or a separator).
  UINT CommandOf(const TMenuItem* item);
  // WM_COMMAND of the bar: clicks the item of that id; false for an id not of this menu.
  bool DispatchCommand(UINT id);
  // WM_INITMENUPOPUP: the drop-down's items take their items' current states.
  void RefreshPopup(HMENU popup);
  // The enabled item whose ShortCut is key with the shift state (ssShift, ssCtrl, ssAlt) clicks;
  // true when one did.
  bool IsShortCut(WORD key, int shift);

 private:
  void Build(HMENU menu, TMenuItem* parent, bool bar);
  TMenuItem* items_;
  HMENU handle_ = nullptr;
  HWND attached_ = nullptr;
  std::vector<std::pair<UINT, TMenuItem*>> commands_;
};

// WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn menu item, for any window that owns a menu.
bool HandleMenuOwnerDraw(TMessage& m);
