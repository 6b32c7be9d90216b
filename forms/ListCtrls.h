#pragma once
// Combo boxes, colour boxes, list boxes, check-list boxes and memos over the system's COMBOBOX,
// LISTBOX and EDIT classes. Setting ItemIndex (or a colour box's Selected) runs no handler; a
// user's choice does.
#include <functional>
#include <memory>

#include "Controls.h"
#include "Strings.h"

// The item list of a list or combo box: keeps the window's items in step with the list.
class TControlItems : public TStrings {
 public:
  struct Messages {
    UINT add, insert, remove, reset, setSel, getSel;
  };
  TControlItems(TWinControl* control, Messages m) : control_(control), m_(m) {}
  // Puts every item into a new window.
  void Fill();
  // After each change: 'i'nserted, 'd'eleted, 'r'eplaced or 'c'leared, and the index.
  std::function<void(char op, int index)> OnChanged;

 protected:
  void Inserted(int i) override;
  void Deleted(int i) override;
  void Replaced(int i) override;
  void Cleared() override;

 private:
  HWND Window() const { return control_->HandleIfAllocated(); }
  TWinControl* control_;
  Messages m_;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  TControlItems Items;
  TComboBoxStyle Style = csDropDown;
  int DropDownCount = 8;
  int ItemIndex() const;
  void SetItemIndex(int i);  // runs no handler
  // The text of the edit part (csDropDownList: the selected item's text, empty with none).
  const std::wstring& Text();
  // The user's choice runs OnClick, then OnSelect when bound, else OnChange; typing runs OnChange.
  TNotifyEvent OnChange, OnSelect, OnDropDown;
  bool DroppedDown() const;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void HandleCreated() override;
  void BoundsChanged() override;
  void CNCommand(WORD code) override;
  void ColorChanged() override;
  virtual void Select();
  void ItemsChanged(char op, int index);

 private:
  int DroppedHeight() const;
  mutable int itemIndex_ = -1;
};

enum { cbStandardColors = 1, cbExtendedColors = 2, cbSystemColors = 4, cbIncludeNone = 8,
       cbIncludeDefault = 16, cbCustomColor = 32, cbPrettyNames = 64 };
using TColorBoxStyle = int;

// A drop-down list of colours, each drawn as a swatch and its name.
class TColorBox : public TComboBox {
 public:
  explicit TColorBox(TComponent* AOwner);
  TColorBoxStyle ColorStyle() const { return colorStyle_; }
  void SetColorStyle(TColorBoxStyle s);
  // The chosen colour. Setting a colour that is not in the list selects the custom item when the
  // box has one, else adds the colour as an item of its own, so the box always shows what was set.
  TColor Selected() const;
  void SetSelected(TColor c);  // runs no handler
  TColor Colors(int i) const { return colors_.at(i); }
  int ColorCount() const { return int(colors_.size()); }
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;

 protected:
  void HandleCreated() override;
  bool CNDrawItem(DRAWITEMSTRUCT* di) override;

 private:
  void Populate();
  std::vector<TColor> colors_;
  TColorBoxStyle colorStyle_ = cbStandardColors | cbExtendedColors | cbSystemColors;
  TColor selected_ = clBlack;
};

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  TControlItems Items;
  int ItemIndex() const;
  void SetItemIndex(int i);  // runs no handler
  int TopIndex() const;
  // A user's selection runs OnClick.
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;
  void ItemsChanged(char op, int index);
  mutable int itemIndex_ = -1;
};

// A list box with a check mark per line. Marks belong to positions: inserting or deleting a line
// moves the marks with the lines, replacing a line's text keeps its mark.
class TCheckListBox : public TListBox {
 public:
  explicit TCheckListBox(TComponent* AOwner);
  bool Checked(int i) const;
  void SetChecked(int i, bool v);  // runs no handler
  // The user toggled a mark (a click on the box or the space key).
  TNotifyEvent OnClickCheck;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  bool CNDrawItem(DRAWITEMSTRUCT* di) override;

 private:
  void ToggleByUser(int i);
  int CheckWidth() const;
  std::vector<bool> checked_;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  TStrings& Lines();
  bool ReadOnly = false, WordWrap = true;
  TScrollStyle ScrollBars = ssNone;
  TNotifyEvent OnChange;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;

 private:
  class Lines_;
  friend class Lines_;
  // Lines from firstAppended on were added at the end; -1: the whole text changed.
  void SyncWindow(int firstAppended);
  std::unique_ptr<Lines_> lines_;
  bool updating_ = false;
};
