// The controls as real windows, and the event semantics the programs rely on.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "unitFrmDemo.h"

namespace {

class DemoForm : public testing::Test {
 protected:
  void SetUp() override {
    f = new TfrmDemo(Application);
    f->log.clear();
  }
  void TearDown() override { TComponent::Free(f); }
  TfrmDemo* f = nullptr;
};

TEST_F(DemoForm, ControlsAreChildWindowsWithTheirCaptions) {
  HWND form = f->Handle();
  wchar_t cls[64];
  GetClassNameW(form, cls, 64);
  EXPECT_STREQ(cls, L"TfrmDemo");
  // A sibling program or a user's tool finds the controls by class and caption.
  EXPECT_EQ(FindWindowExW(form, nullptr, L"BUTTON", L"确定"), f->btnOK->Handle());
  EXPECT_EQ(FindWindowExW(form, nullptr, L"BUTTON", L"开机时自动运行"), f->cbxAutoRun->Handle());
  EXPECT_EQ(FindWindowExW(form, nullptr, L"STATIC", L"你好，休息提醒！"), f->lblHello->Handle());
  EXPECT_EQ(GetParent(f->btnOK->Handle()), form);
  EXPECT_EQ(SendMessageW(f->cbxAutoRun->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(DemoForm, CheckBoxRunsOnClickWhenItsStateChangesWhoeverChangesIt) {
  f->cbxAutoRun->SetChecked(true);  // no change: nothing runs
  EXPECT_TRUE(f->log.empty());
  f->cbxAutoRun->SetChecked(false);  // the program's change runs the handler, with the box as sender
  ASSERT_EQ(f->log, std::vector<std::wstring>{L"unchecked"});
  EXPECT_EQ(f->senders.back(), f->cbxAutoRun);
  EXPECT_EQ(SendMessageW(f->cbxAutoRun->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(f->cbxAutoRun->Handle(), BM_CLICK, 0, 0);  // a user's click toggles it
  EXPECT_TRUE(f->cbxAutoRun->Checked());
  EXPECT_EQ(f->log.back(), L"checked");
  EXPECT_EQ(SendMessageW(f->cbxAutoRun->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(DemoForm, ButtonClickComesWithItsSenderAndProgramCallsWithNone) {
  SendMessageW(f->btnOK->Handle(), BM_CLICK, 0, 0);
  f->btnOKClick(nullptr);
  ASSERT_EQ(f->senders.size(), 2u);
  EXPECT_EQ(f->senders[0], f->btnOK);
  EXPECT_EQ(f->senders[1], nullptr);
}

TEST_F(DemoForm, EditReportsChangesAndReadsWhatTheUserTyped) {
  SetWindowTextW(f->edtName->Handle(), L"王小明");
  EXPECT_EQ(f->edtName->Text(), L"王小明");
  EXPECT_EQ(f->log, std::vector<std::wstring>{L"change:王小明"});
}

TEST_F(DemoForm, GeometryAndCaptionsFollowTheirSetters) {
  f->btnOK->SetBounds(30, 40, 100, 28);
  RECT r;
  GetWindowRect(f->btnOK->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 28);
  f->lblHello->SetCaption(L"新的文字");
  wchar_t text[64];
  GetWindowTextW(f->lblHello->Handle(), text, 64);
  EXPECT_STREQ(text, L"新的文字");
  EXPECT_GT(f->lblHello->Width(), 0);  // auto-sized to the text
  f->btnOK->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(f->btnOK->Handle()));
  f->btnOK->Hide();
  EXPECT_FALSE(IsWindowVisible(f->btnOK->Handle()));
}

TEST_F(DemoForm, ExceptionInAHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
  ScriptedDialogs boxes;
  boxes.Answer(IDOK);
  SendMessageW(f->btnFail->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"'十二' is not a valid integer value.");
  EXPECT_EQ(boxes.shown[0].caption, Application->Title);
  EXPECT_EQ(boxes.shown[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
  SendMessageW(f->btnOK->Handle(), BM_CLICK, 0, 0);  // the next message is handled as usual
  EXPECT_EQ(f->log.back(), L"ok");
}

TEST_F(DemoForm, TimerTicksThroughTheMessageLoop) {
  f->tmrTick->SetEnabled(true);
  DWORD start = GetTickCount();
  while (f->ticks < 2 && GetTickCount() - start < 5000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application->ProcessMessages();
  }
  EXPECT_GE(f->ticks, 2);
  f->tmrTick->SetEnabled(false);
  int ticks = f->ticks;
  Sleep(60);
  PumpMessages();
  EXPECT_EQ(f->ticks, ticks);
}

TEST_F(DemoForm, OwnerDrawnPopupMenuMeasuresItsItemsAndClosesFromOutside) {
  // The menu's own loop runs until a timer ends it, as an outside click would.
  UINT_PTR t = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    TPopupMenu::CloseOpenMenu();
  });
  f->Show();
  f->pmPhoto->Popup(300, 300, f->Handle());
  KillTimer(nullptr, t);
  EXPECT_NE(std::find(f->log.begin(), f->log.end(), L"measure"), f->log.end());
  EXPECT_EQ(std::find(f->log.begin(), f->log.end(), L"first"), f->log.end());
  f->NFirst->Click();
  EXPECT_EQ(f->log.back(), L"first");
}

// A form that is never active (an overlay picture), made active while a pop-up menu is open, as
// Wine does when another window of the program goes: the activation goes back to the menu's
// owner, whose loop hears a click outside the menu only while the owner is the foreground window.
class TfrmNeverActive : public TForm {
 public:
  TfrmNeverActive() : TForm(Application) {
    InitFormFromText("object frmNeverActive: TfrmNeverActive\n  Width = 120\n  Height = 80\n  BorderStyle = bsNone\nend\n",
                     "TfrmNeverActive", FormBinder());
  }

 protected:
  void CreateParams(TCreateParams& p) override {
    TForm::CreateParams(p);
    p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  }
};

TEST_F(DemoForm, AWindowNeverActiveMadeActiveDuringAPopupMenuGivesTheForegroundBackToTheMenusOwner) {
  static TfrmNeverActive* overlay;
  static HWND foregroundInMenu;
  overlay = new TfrmNeverActive();
  overlay->ShowNoActivate();
  foregroundInMenu = nullptr;
  f->Show();
  // In the menu's loop: the overlay made active, then a look at the foreground once its posted
  // pass is handled, and the menu closed.
  UINT_PTR t = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetForegroundWindow(overlay->Handle());
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id2, DWORD) {
      KillTimer(nullptr, id2);
      foregroundInMenu = GetForegroundWindow();
      TPopupMenu::CloseOpenMenu();
    });
  });
  f->pmPhoto->Popup(300, 300, f->Handle());
  KillTimer(nullptr, t);
  EXPECT_EQ(foregroundInMenu, f->Handle());
  TComponent::Free(overlay);
}

TEST_F(DemoForm, ImagePaintsItsJpegPicture) {
  f->Show();
  f->Update();
  PumpMessages();
  HDC dc = GetDC(f->imgPhoto->Handle());
  COLORREF corner = GetPixel(dc, 2, 2);        // the gradient's blue end
  COLORREF centre = GetPixel(dc, 80, 50);      // the white circle
  ReleaseDC(f->imgPhoto->Handle(), dc);
  EXPECT_GT(GetBValue(corner), 150) << std::hex << corner;
  EXPECT_GT(GetRValue(centre), 220) << std::hex << centre;
  EXPECT_GT(GetGValue(centre), 220) << std::hex << centre;
}

}  // namespace

namespace {

// Enter and Esc reach a form as IDOK and IDCANCEL; a form with KeyPreview sees its controls' keys
// before they do.
class TfrmKeys : public TForm {
 public:
  TButton *btnOK = nullptr, *btnCancel = nullptr;
  TEdit* edtText = nullptr;
  std::vector<std::string> log;
  void btnOKClick(TObject*) { log.push_back("ok"); }
  void btnCancelClick(TObject*) { log.push_back("cancel"); }
  void edtTextKeyDown(TObject*, WORD& key, TShiftState) { log.push_back("edit " + std::string(1, char(key))); }
  void edtTextKeyPress(TObject*, wchar_t& key) { log.push_back("edit char " + std::string(1, char(key))); }
  void FormKeyDown(TObject*, WORD& key, TShiftState) {
    log.push_back("form " + std::string(1, char(key)));
    if (key == 'X') key = 0;
  }
  void FormKeyPress(TObject*, wchar_t& key) { log.push_back("form char " + std::string(1, char(key))); }

  explicit TfrmKeys(bool keyPreview) : TForm(Application) {
    InitFormFromText(std::string("object frmKeys: TfrmKeys\n  KeyPreview = ") + (keyPreview ? "True" : "False") +
                         "\n  OnKeyDown = FormKeyDown\n  OnKeyPress = FormKeyPress\n"
                         "  object btnOK: TButton\n    Default = True\n    OnClick = btnOKClick\n  end\n"
                         "  object btnCancel: TButton\n    Top = 30\n    Cancel = True\n    OnClick = btnCancelClick\n  end\n"
                         "  object edtText: TEdit\n    Top = 60\n    OnKeyDown = edtTextKeyDown\n"
                         "    OnKeyPress = edtTextKeyPress\n  end\n"
                         "end\n",
                     "TfrmKeys",
                     Binder<TfrmKeys>(this)
                         .Bind(QV_MEMBER(btnOK))
                         .Bind(QV_MEMBER(btnCancel))
                         .Bind(QV_MEMBER(edtText))
                         .On(QV_HANDLER(btnOKClick))
                         .On(QV_HANDLER(btnCancelClick))
                         .On(QV_HANDLER(edtTextKeyDown))
                         .On(QV_HANDLER(edtTextKeyPress))
                         .On(QV_HANDLER(FormKeyDown))
                         .On(QV_HANDLER(FormKeyPress)));
  }
};

using Log = std::vector<std::string>;

TEST(FormKeys, EnterAndEscClickTheEnabledDefaultAndCancelButtons) {
  auto* f = new TfrmKeys(false);
  SendMessageW(f->Handle(), WM_COMMAND, IDOK, 0);
  SendMessageW(f->Handle(), WM_COMMAND, IDCANCEL, 0);
  f->btnOK->SetEnabled(false);
  f->btnCancel->SetEnabled(false);
  SendMessageW(f->Handle(), WM_COMMAND, IDOK, 0);
  SendMessageW(f->Handle(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(f->log, (Log{"ok", "cancel"}));
  TComponent::Free(f);
}

// Enter and Esc pressed by a user go through the program's loop: a form's default and cancel
// buttons answer them; without such a button (or with it disabled or hidden) they reach the key
// handlers as keys and characters, the form's first under key preview.
TEST(FormKeys, EnterAndEscThroughTheLoopReachTheButtonsElseTheKeyHandlers) {
  enum Buttons { kOn, kDisabled, kHidden };
  struct Case {
    const char* name;
    bool keyPreview;
    Buttons buttons;
    bool focusOnEdit;
    WORD key;
    Log expected;
  };
  const Case cases[] = {
      {"cancel button", true, kOn, true, VK_ESCAPE, {"cancel"}},
      {"default button", true, kOn, true, VK_RETURN, {"ok"}},
      {"default button, the form focused", false, kOn, false, VK_RETURN, {"ok"}},
      {"disabled buttons, key preview", true, kDisabled, true, VK_ESCAPE,
       {"form \x1b", "edit \x1b", "form char \x1b", "edit char \x1b"}},
      {"hidden buttons, no key preview", false, kHidden, true, VK_RETURN, {"edit \r", "edit char \r"}},
      {"no buttons, the form focused", true, kDisabled, false, VK_ESCAPE, {"form \x1b", "form char \x1b"}},
  };
  for (const Case& c : cases) {
    auto* f = new TfrmKeys(c.keyPreview);
    f->btnOK->SetEnabled(c.buttons != kDisabled);
    f->btnCancel->SetEnabled(c.buttons != kDisabled);
    f->btnOK->SetVisible(c.buttons != kHidden);
    f->btnCancel->SetVisible(c.buttons != kHidden);
    f->Show();
    if (c.focusOnEdit) f->edtText->SetFocus();
    else SetFocus(f->Handle());
    ASSERT_TRUE(UserKey(c.key)) << c.name;
    EXPECT_EQ(f->log, c.expected) << c.name;
    TComponent::Free(f);
  }
}

TEST(FormKeys, KeyPreviewShowsTheFormTheKeysFirstAndLetsItTakeThem) {
  struct Case {
    bool keyPreview;
    WPARAM key;
    Log expected;
  };
  const Case cases[] = {
      {false, 'X', {"edit X"}},
      {true, 'X', {"form X"}},  // the form's handler took it
      {true, 'Y', {"form Y", "edit Y"}},
  };
  for (const Case& c : cases) {
    auto* f = new TfrmKeys(c.keyPreview);
    SendMessageW(f->edtText->Handle(), WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(f->log, c.expected) << c.keyPreview << " " << char(c.key);
    TComponent::Free(f);
  }
  for (bool keyPreview : {false, true}) {
    auto* f = new TfrmKeys(keyPreview);
    SendMessageW(f->edtText->Handle(), WM_CHAR, 'k', 0);
    EXPECT_EQ(f->log, keyPreview ? (Log{"form char k", "edit char k"}) : (Log{"edit char k"})) << keyPreview;
    TComponent::Free(f);
  }
}

}  // namespace

namespace {

class TfrmHints : public TForm {
 public:
  TButton *btnTip = nullptr, *btnPlain = nullptr;
  TfrmHints() : TForm(Application) {
    InitFormFromText("object frmHints: TfrmHints\n  Left = 200\n  Top = 200\n"
                     "  object btnTip: TButton\n    Left = 10\n    Top = 10\n    Caption = 'tip'\n"
                     "    Hint = '快捷键：WIN+V'\n    ShowHint = True\n  end\n"
                     "  object btnPlain: TButton\n    Left = 10\n    Top = 60\n    Caption = 'plain'\n"
                     "    Hint = '不显示'\n  end\n"
                     "end\n",
                     "TfrmHints", Binder<TfrmHints>(this).Bind(QV_MEMBER(btnTip)).Bind(QV_MEMBER(btnPlain)));
  }
};

// The mouse resting on a control with ShowHint shows its hint on the screen, in the tool tip's
// colours with its text in ink; moving on to a control that does not show its hint takes it away.
TEST(FormHints, TheMouseRestingOnAControlWithShowHintShowsItsHint) {
  auto* f = new TfrmHints;
  f->Show();
  HWND tip = HoverForHint(f->btnTip);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(Narrow(HintShown(tip)), Narrow(L"快捷键：WIN+V"));
  RECT r;
  GetWindowRect(tip, &r);
  EXPECT_GT(r.right - r.left, 40);
  const COLORREF back = GetSysColor(COLOR_INFOBK), ink = GetSysColor(COLOR_INFOTEXT);
  int backs = 0, inks = 0, all = 0;
  HDC screen = GetDC(nullptr);
  for (int y = r.top + 2; y < r.bottom - 2; ++y)
    for (int x = r.left + 2; x < r.right - 2; ++x, ++all) {
      const COLORREF c = GetPixel(screen, x, y);
      backs += c == back;
      inks += c == ink;
    }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(backs, all / 2);
  EXPECT_GT(inks, 10) << "the hint's text";

  RECT plain;
  GetWindowRect(f->btnPlain->Handle(), &plain);
  SetCursorPos(plain.left + 5, plain.top + 5);
  PostMessageW(f->btnPlain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(tip));
  TComponent::Free(f);
}

}  // namespace
