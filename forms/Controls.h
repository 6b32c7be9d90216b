#pragma once
// TControl and TWinControl: every control is a real Win32 window. Standard controls (BUTTON, STATIC,
// EDIT...) are subclassed; our own controls and forms use registered classes. Each kind has one
// static window procedure, which binds the object, dispatches to its virtual WndProc inside the
// exception boundary, and leaves unknown windows to the default procedure.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Dispatch.h"
#include "Graphics.h"
#include "Handles.h"

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

class TWinControl;
class TForm;
class TPopupMenu;

class TControl : public TComponent {
  friend class TWinControl;

 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* p);
  void SetParentComponent(TComponent* p) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int l, int t, int w, int h);
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  const std::wstring& Caption() const { return caption_; }
  virtual void SetCaption(const std::wstring& s);
  const std::wstring& Text() const { return caption_; }
  void SetText(const std::wstring& s) { SetCaption(s); }
  TColor Color() const { return color_; }
  virtual void SetColor(TColor c);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);

  // The font: change its fields, then call FontChanged() (as the classic toolkit's font notifies).
  TFont Font;
  bool ParentFont = true;
  bool ParentColor = false;
  virtual void FontChanged();
  std::wstring Hint;
  bool ShowHint = false;
  TPopupMenu* PopupMenu = nullptr;

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  virtual void Click();
  // The control's form is being shown or hidden (WM_SHOWWINDOW of the form).
  virtual void ShowingChanged(bool /*formShowing*/) {}
  // Enter or Esc reached the form (IDOK, IDCANCEL): a visible, enabled default or cancel button
  // clicks and answers true.
  virtual bool DialogKey(int /*id*/) { return false; }
  // The form the control sits on (defined with TForm), and the same as a window for the code
  // beneath the form layer.
  TForm* ParentForm() const;
  TWinControl* ParentFormWindow() const;
  POINT ClientToScreen(POINT p) const;
  virtual void Invalidate() {}
  virtual void Repaint() { Invalidate(); }

  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;

 protected:
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void CaptionChanged() {}
  virtual void ColorChanged() { Invalidate(); }

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, enabled_ = true;
  std::wstring caption_;
  TColor color_ = clBtnFace;
  TAlign align_ = alNone;

 private:
  std::string popupMenuName_;
};

struct TCreateParams {
  std::wstring ClassName;  // our registered class, or a system class when Subclass is set
  bool Subclass = false;
  DWORD Style = 0, ExStyle = 0;
  HWND WndParent = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  HWND Handle() { HandleNeeded(); return handle_; }
  HWND HandleIfAllocated() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  void DestroyHandle();

  const std::vector<TControl*>& Controls() const { return controls_; }
  int ControlCount() const { return int(controls_.size()); }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);

  void Invalidate() override;
  void Update();
  void SetFocus();
  bool Focused() const;
  void BringToFront();
  LRESULT Perform(UINT msg, WPARAM w, LPARAM l);
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientSize(int w, int h);
  virtual void AlignControls();

  bool TabStop = false;
  // Painting goes through an off-screen bitmap (for a form: that of its pictures), so a part that
  // is painted again never shows half drawn.
  bool DoubleBuffered = false;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

  // The object behind a window of ours, or null for any other window.
  static TWinControl* FromHandle(HWND h);
  virtual void WndProc(TMessage& m);
  virtual bool IsForm() const { return false; }
  // A picture or bevel paints its look onto dc, whose origin is its own top-left: what a
  // see-through control above it shows.
  virtual void PaintGraphic(HDC /*dc*/) {}
  // Enter or Esc for the window's default or cancel button: asks its controls, nested ones too.
  bool DialogKey(int id) override;

 protected:
  virtual void CreateParams(TCreateParams& p);
  virtual void CreateWnd();
  virtual void HandleCreated() {}
  void DefaultHandler(TMessage& m);

  // Notifications the parent reflects to the child that sent them.
  virtual void CNCommand(WORD /*code*/) {}
  virtual void CNNotify(NMHDR* /*hdr*/, LRESULT& /*result*/) {}
  virtual void CNScroll(int /*code*/, int /*pos*/) {}
  // WM_CTLCOLOR*: returns the background brush, or null for the default.
  virtual HBRUSH CtlColor(HDC dc);
  virtual bool CNDrawItem(DRAWITEMSTRUCT*) { return false; }
  virtual bool CNMeasureItem(MEASUREITEMSTRUCT*) { return false; }
  // Our own classes click on mouse-up over the control; standard ones through notifications.
  virtual bool ClicksOnMouseUp() const { return false; }
  // Pictures and bevels: kept beneath the windowed controls of their parent.
  virtual bool IsGraphicControl() const { return false; }
  // Fills dc (this control's client area) with what shows through it: the parent's colour, then
  // the pictures and bevels beneath it, lowest first.
  void PaintGraphicsBeneath(HDC dc);
  HBRUSH BackgroundBrush();
  // WM_ERASEBKGND: fills the client area with the control's colour.
  void EraseBackground(TMessage& m);

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void CaptionChanged() override;
  void FontChanged() override;
  bool DoKeyDown(WORD& key);
  // A form with KeyPreview sees its controls' keys first; true when its handler took the key.
  virtual bool PreviewKeyDown(WORD& /*key*/, TShiftState /*shift*/) { return false; }
  virtual void PreviewKeyPress(wchar_t& /*key*/) {}

  HWND handle_ = nullptr;
  WNDPROC oldProc_ = nullptr;

 private:
  friend class TForm;
  friend LRESULT DispatchToControl(TWinControl* self, HWND h, UINT m, WPARAM w, LPARAM l);
  friend LRESULT CALLBACK ObjectWndProc(HWND, UINT, WPARAM, LPARAM);
  std::vector<TControl*> controls_;
  GdiObject<HBRUSH> brush_;
  TColor brushColor_ = clNone;
  bool mouseDown_ = false;
  bool creating_ = false;
};

// Our registered window class for custom controls and the window procedure of our classes.
const wchar_t* CustomControlClassName();
LRESULT CALLBACK ObjectWndProc(HWND h, UINT m, WPARAM w, LPARAM l);
TShiftState KeyShiftState();
