#pragma once
// TForm, the application object and the screen.
#include <windows.h>

#include <map>
#include <new>
#include <string>
#include <vector>

#include "Controls.h"
#include "Description.h"
#include "Dispatch.h"
#include "Seams.h"

class TMainMenu;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNoneBorder, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  // The window class: the description's class name unless a form fixes its own before loading.
  const std::wstring& WindowClassName() const { return windowClass_; }
  void SetWindowClassName(const std::wstring& c) { windowClass_ = c; }

  TCanvas Canvas;
  TFormBorderStyle BorderStyle = bsSizeable;
  int BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = poDesigned;
  bool KeyPreview = false;
  TModalResult ModalResult = mrNone;

  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle s);
  bool AlphaBlend() const { return alphaBlend_; }
  int AlphaBlendValue() const { return alphaValue_; }
  void SetAlphaBlend(bool on);
  void SetAlphaBlendValue(int v);
  void SetTransparentColor(bool on, TColor c);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState s);

  TNotifyEvent OnCreate, OnShow, OnHide, OnDestroy, OnPaint, OnActivate, OnDeactivate, OnResize;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void Close();
  bool CloseQuery();
  // Shows the form without activating it or taking the foreground (overlays, desktop pictures).
  void ShowNoActivate();
  // Frees the form once the outermost message dispatch is back in the main loop.
  void Release();
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  bool Active() const;

  // The menu bar (the description's Menu), or null.
  TMainMenu* Menu() const { return menu_; }
  // A key pressed anywhere in the form: the menu bar's item with that shortcut clicks.
  bool IsShortCut(WORD key, TShiftState shift);

  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;
  void WndProc(TMessage& m) override;
  bool IsForm() const override { return true; }
  // A mouse message for one of the form's controls, from the loop: the form's tool tip shows the
  // hint of a control with ShowHint when the mouse rests on it.
  void RelayToHint(TWinControl* control, const MSG& msg);

  // Set while the test of all descriptions creates each form: no OnCreate, nothing shown.
  static bool& CheckOnly();

 protected:
  // Loads the description in the resource named after the class and binds it; then OnCreate.
  void InitForm(const std::wstring& className, const FormBinder& binder);
  // The same from a description's text (source names it in errors).
  void InitFormFromText(const std::string& text, const std::string& source, const FormBinder& binder);
  void CreateParams(TCreateParams& p) override;
  // A layered window shows nothing until its attributes are set.
  void HandleCreated() override;
  void VisibleChanged() override;
  void BeforeDestruction() override;
  bool PreviewKeyDown(WORD& key, TShiftState shift) override;
  void PreviewKeyPress(wchar_t& key) override;
  // Log-off and shut-down: consent is given always; EndSession does the program's closing work.
  virtual void EndSession() {}

 private:
  void PlaceOnScreen();
  void ApplyLayered();
  std::wstring windowClass_;
  std::string menuName_;
  TMainMenu* menu_ = nullptr;
  TFormStyle formStyle_ = fsNormal;
  bool alphaBlend_ = false, transparentColor_ = false;
  int alphaValue_ = 255;
  TColor transparentColorValue_ = clNone;
  bool placed_ = false, modal_ = false, visibleOnLoad_ = false, showNoActivate_ = false;
  // The tool tip, made when the mouse first meets a control with a hint; it goes with the form's
  // window, which owns it. One tool at a time: the control the mouse is over.
  HWND hint_ = nullptr;
  HWND hintTool_ = nullptr;
  std::wstring hintText_;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  HWND Handle() const { return handle_; }
  // Hides the application window (the taskbar button). While a pop-up menu is open the window
  // is the menu's foreground owner, and the menu only hears the click outside it while the
  // program holds the foreground: it is then hidden without handing the activation on.
  void HideWindow();
  std::wstring Title;
  TForm* MainForm = nullptr;
  bool ShowMainForm = true;
  bool Terminated = false;
  TExceptionEvent OnException;

  // The reference is set before the form is made, so that its OnCreate, and what it calls in
  // other forms, already reach the form through it.
  template <class T>
  void CreateForm(T*& ref) {
    void* place = ::operator new(sizeof(T));
    ref = static_cast<T*>(place);
    try {
      new (place) T(this);
    } catch (...) {
      ref = nullptr;
      ::operator delete(place);
      throw;
    }
    if (!MainForm) MainForm = ref;
  }
  void Run();
  void HandleMessage();
  void ProcessMessages();
  void Terminate();
  int ExitCode() const { return exitCode_; }

  // The standard error box for an exception escaping a handler: its text, the title, an error icon.
  void HandleException(const std::exception& e);
  void ShowException(const std::exception& e);
  int MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);

  // Forms known to the application (all live forms), and a look-up by component name.
  const std::vector<TForm*>& Forms() const { return forms_; }
  TForm* FindForm(const std::wstring& name) const;

  // The depth of message dispatch: 0 in the main loop between messages.
  int DispatchDepth() const { return CurrentDispatchDepth(); }
  void FreeReleasedForms();

  // Internal: used by forms and timers.
  void AddForm(TForm* f);
  void RemoveForm(TForm* f);
  void QueueRelease(TForm* f);
  UINT_PTR AddTimer(unsigned interval, std::function<void()> onTimer);
  void RemoveTimer(UINT_PTR id);
  using DepthGuard = DispatchScope;

 private:
  static LRESULT CALLBACK AppWndProc(HWND h, UINT m, WPARAM w, LPARAM l);
  HWND handle_ = nullptr;
  std::vector<TForm*> forms_, released_;
  std::map<UINT_PTR, std::function<void()>> timers_;
  UINT_PTR nextTimer_ = 1;
  int exitCode_ = 0;
};

class TScreen {
 public:
  int Width() const { return Display().ScreenWidth(); }
  int Height() const { return Display().ScreenHeight(); }
  RECT WorkAreaRect() const { return Display().WorkArea(); }
  int WorkAreaLeft() const { return WorkAreaRect().left; }
  int WorkAreaTop() const { return WorkAreaRect().top; }
  int WorkAreaWidth() const { RECT r = WorkAreaRect(); return r.right - r.left; }
  int WorkAreaHeight() const { RECT r = WorkAreaRect(); return r.bottom - r.top; }
  int FormCount() const;
  TForm* Forms(int i) const;
  TForm* ActiveForm() const;
};

extern TApplication* Application;
extern TScreen* Screen;

// Runs one step of a start-up or of a handler with several steps: an error shows the standard error
// box and the caller goes on with its next step.
template <class F>
void StartUpStep(F&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    Application->HandleException(e);
  }
}

// Sets a flag for the life of a scope (and gives back what it was).
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = saved_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// Creates the application object once (programs call it first in WinMain; tests in their main),
// after registering the standard component classes (StandardClasses.cpp).
void InitApplication();

// The message pump, written once for the main loop, ProcessMessages and the waits. A key pressed
// in a form of ours is first a main menu's shortcut (the form's own, else the main form's), then
// Enter or Esc for the form's default or cancel button; what is left goes to the focused control
// as keys and characters, Enter and Esc too. The dialog manager gives the forms Tab and the arrow
// keys between controls; any other message is translated and dispatched. kOne waits for one message; kQueued takes what is queued now. Answers false when
// it took WM_QUIT (its code in quitCode), true otherwise.
enum class PumpMode { kOne, kQueued };
bool PumpMessages(PumpMode mode, int& quitCode);

// Registers a form class with the description test: QV_REGISTER_FORM(TfrmMain).
#define QV_REGISTER_FORM(Cls) \
  static const bool Cls##_registered = (RegisterFormClass(#Cls, [] { return static_cast<TForm*>(new Cls(Application)); }), true)
