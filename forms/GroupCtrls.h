#pragma once
// Containers (group boxes, panels, radio groups), bevels, radio buttons and scroll bars. The
// containers are windows of our own class, so the notifications of the controls on them reach
// those controls as they do on a form.
#include "Controls.h"
#include "Strings.h"

// Paints its caption in a frame; its children sit inside.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
  void WndProc(TMessage& m) override;

 protected:
  void CaptionChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner);
  TBevelCut BevelOuter = bvRaised, BevelInner = bvNone;
  int BevelWidth = 1;
  TAlignment Alignment = taCenter;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void WndProc(TMessage& m) override;

 protected:
  bool ClicksOnMouseUp() const override { return true; }
  void CaptionChanged() override;
  void ColorChanged() override;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A drawn frame or line. It lets the mouse through to what lies beneath.
class TBevel : public TWinControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape = bsBox;
  TBevelStyle Style = bsLowered;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void WndProc(TMessage& m) override;
  void PaintGraphic(HDC dc) override;  // its lines only, as a painted-on bevel shows

 protected:
  void BoundsChanged() override;
  bool IsGraphicControl() const override { return true; }
};

class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const { return checked_; }
  // Checking runs OnClick and clears the other radio buttons beside it, as a user's click does.
  void SetChecked(bool v);
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  friend class TRadioGroup;
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;
  void SetCheckedQuiet(bool v);
  bool checked_ = false;
};

// A group box holding one radio button per item, laid out in Columns.
class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;
  TStrings& Items();
  int Columns() const { return columns_; }
  void SetColumns(int c);
  int ItemIndex() const;
  void SetItemIndex(int i);  // runs no handler
  // The button of an item (a test or a sibling clicks it as a user would).
  TRadioButton* Buttons(int i) const { return buttons_.at(i); }
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;
  void AlignControls() override;

 protected:
  friend class TRadioButton;
  void ButtonClicked(TRadioButton* b);
  void FontChanged() override;
  void EnabledChanged() override;

 private:
  class Items_;
  void UpdateButtons();
  std::unique_ptr<Items_> items_;
  std::vector<TRadioButton*> buttons_;
  int columns_ = 1, itemIndex_ = -1;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind = sbHorizontal;
  int SmallChange = 1, LargeChange = 1;
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  // Each runs OnChange when the position really changes (whoever changes it).
  void SetPosition(int v);
  void SetMin(int v) { SetParams(position_, v, max_); }
  void SetMax(int v) { SetParams(position_, min_, v); }
  void SetParams(int position, int min, int max);
  void SetPageSize(int v);
  TNotifyEvent OnChange;
  // A user's scroll: the code and the position it leads to, which the handler may change.
  TScrollEvent OnScroll;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNScroll(int code, int pos) override;

 private:
  void UpdateWindow();
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
};
