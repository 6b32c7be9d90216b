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

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  std::wstring Caption;  // "-" is a separator line
  bool Checked = false, Enabled = true, Visible = true, Default = false, RadioItem = false;
  int GroupIndex = 0;
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
  // Closes an open pop-up menu (from a timer or a test).
  static void CloseOpenMenu();
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 private:
  TMenuItem* items_;
};

// WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn menu item, for any window that owns a menu.
bool HandleMenuOwnerDraw(TMessage& m);
