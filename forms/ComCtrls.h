#pragma once
// Page controls with tab sheets, up-downs and progress bars over the common controls.
#include "Controls.h"

class TPageControl;
class TEdit;

// One page of a page control: shown while it is the active page.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const;
  // Run when the page comes into view (it becomes the active page of a page control on screen, or
  // its form is shown with it active) and when it leaves the view.
  TNotifyEvent OnShow, OnHide;
  void SetParent(TWinControl* p) override;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void WndProc(TMessage& m) override;
  void ShowingChanged(bool formShowing) override;

 protected:
  friend class TPageControl;
  void CaptionChanged() override;
  void ColorChanged() override;

 private:
  TPageControl* pageControl_ = nullptr;
  bool showing_ = false;
};

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return int(pages_.size()); }
  TTabSheet* Pages(int i) const { return pages_.at(i); }
  TTabSheet* ActivePage() const { return active_; }
  // Selecting a page from the program shows it (its OnShow runs when on screen) but runs neither
  // OnChanging nor OnChange; a user's tab click runs both.
  void SetActivePage(TTabSheet* p);
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);
  TTabStyle Style = tsTabs;
  bool MultiLine = false;
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;
  void AlignControls() override;

 protected:
  friend class TTabSheet;
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNNotify(NMHDR* hdr, LRESULT& result) override;
  void AddPage(TTabSheet* p);
  void RemovePage(TTabSheet* p);
  void PageCaptionChanged(TTabSheet* p);
  RECT DisplayRect() const;
  bool FormShowing() const;

 private:
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
  std::string activeName_;
};

enum TUDBtnType { btNext, btPrev };
enum TUDOrientation { udHorizontal, udVertical };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Arrow buttons that step a position within Min..Max and write it into the edit beside them.
class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* AOwner);
  int Min() const { return min_; }
  int Max() const { return max_; }
  // The position; a number the user typed into the edit counts once it lies in the range.
  int Position() const;
  // Each keeps the position within Min..Max and runs no handler.
  void SetMin(int v);
  void SetMax(int v);
  void SetPosition(int v);
  int Increment = 1;
  bool Wrap = false;
  TUDOrientation Orientation = udVertical;
  TEdit* Associate() const { return associate_; }
  // Places the up-down at the edit's right edge and shows the position there.
  void SetAssociate(TEdit* e);
  // A user's arrow click: OnChanging may refuse it; then the position moves and OnClick runs.
  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNNotify(NMHDR* hdr, LRESULT& result) override;
  void CNScroll(int code, int pos) override;

 private:
  void UserStep(int delta);
  void UpdateWindow();
  void SetSystemBuddy();
  int min_ = 0, max_ = 100;
  mutable int position_ = 0;
  TEdit* associate_ = nullptr;
  std::string associateName_;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  // Each keeps the position within Min..Max.
  void SetMin(int v);
  void SetMax(int v);
  void SetPosition(int v);
  void StepIt() { SetPosition(position_ + Step); }
  void StepBy(int delta) { SetPosition(position_ + delta); }
  int Step = 10;
  TProgressBarOrientation Orientation = pbHorizontal;
  bool Smooth = false;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;

 private:
  void UpdateWindow();
  int min_ = 0, max_ = 100, position_ = 0;
};
