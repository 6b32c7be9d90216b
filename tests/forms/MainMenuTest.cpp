// A form's menu bar: drop-downs with sub-items, checks read at each opening, commands, shortcuts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"

namespace {

class TfrmMenuDemo : public TForm {
 public:
  explicit TfrmMenuDemo(TComponent* owner) : TForm(owner) {
    InitFormFromText(R"(
object frmMenuDemo: TfrmMenuDemo
  Caption = 'menu demo'
  Menu = MainMenu1
  ClientWidth = 300
  ClientHeight = 100
  BorderStyle = bsSingle
  object MainMenu1: TMainMenu
    object NFile: TMenuItem
      Caption = '文件'
      object NOpen: TMenuItem
        Caption = '打开'
        ShortCut = 'Ctrl+A'
        OnClick = ItemClick
      end
      object NLine: TMenuItem
        Caption = '-'
      end
      object NModes: TMenuItem
        Caption = '模式'
        object NModeOne: TMenuItem
          Caption = '一'
          Checked = True
          OnClick = ItemClick
        end
        object NModeTwo: TMenuItem
          Caption = '二'
          ShortCut = 'Shift+Ctrl+N'
          OnClick = ItemClick
        end
      end
      object NOff: TMenuItem
        Caption = '停用'
        Enabled = False
        ShortCut = 'Ctrl+Q'
        OnClick = ItemClick
      end
    end
    object NAbout: TMenuItem
      Caption = '关于'
      OnClick = ItemClick
    end
  end
end
)",
                     "frmMenuDemo",
                     Binder<TfrmMenuDemo>(this)
                         .Bind(QV_MEMBER(MainMenu1))
                         .Bind(QV_MEMBER(NFile))
                         .Bind(QV_MEMBER(NOpen))
                         .Bind(QV_MEMBER(NModes))
                         .Bind(QV_MEMBER(NModeOne))
                         .Bind(QV_MEMBER(NModeTwo))
                         .Bind(QV_MEMBER(NOff))
                         .Bind(QV_MEMBER(NAbout))
                         .On(QV_HANDLER(ItemClick)));
  }
  void ItemClick(TObject* Sender) { clicked.push_back(static_cast<TMenuItem*>(Sender)->Caption); }

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem *NFile = nullptr, *NOpen = nullptr, *NModes = nullptr, *NModeOne = nullptr, *NModeTwo = nullptr,
            *NOff = nullptr, *NAbout = nullptr;
  std::vector<std::wstring> clicked;
};

std::wstring ItemText(HMENU m, int pos) {
  wchar_t text[128] = {};
  GetMenuStringW(m, UINT(pos), text, 128, MF_BYPOSITION);
  return text;
}

UINT ItemState(HMENU m, int pos) {
  MENUITEMINFOW mi{sizeof(mi)};
  mi.fMask = MIIM_STATE;
  GetMenuItemInfoW(m, UINT(pos), TRUE, &mi);
  return mi.fState;
}

class MainMenuForm : public testing::Test {
 protected:
  void SetUp() override { f = new TfrmMenuDemo(Application); }
  void TearDown() override { TComponent::Free(f); }
  TfrmMenuDemo* f = nullptr;
};

TEST_F(MainMenuForm, TheBarHoldsTheItemsWithDropDownsShortcutsAndStates) {
  HWND h = f->Handle();
  HMENU bar = GetMenu(h);
  ASSERT_EQ(bar, f->Menu()->Handle());
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(ItemText(bar, 0), L"文件");
  EXPECT_EQ(ItemText(bar, 1), L"关于");
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(GetMenuItemCount(file), 4);
  EXPECT_EQ(ItemText(file, 0), L"打开\tCtrl+A");
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(ItemState(file, 3) & MFS_DISABLED);
  HMENU modes = GetSubMenu(file, 2);
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(ItemText(modes, 1), L"二\tShift+Ctrl+N");
  EXPECT_TRUE(ItemState(modes, 0) & MFS_CHECKED);

  // The client area keeps the size the description asks for, below the bar.
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 100);
}

TEST_F(MainMenuForm, ADropDownShowsTheItemsAsTheyStandWhenItOpens) {
  HWND h = f->Handle();
  HMENU modes = GetSubMenu(GetSubMenu(GetMenu(h), 0), 2);
  f->NModeOne->Checked = false;
  f->NModeTwo->Checked = true;
  f->NModeTwo->Caption = L"两";
  SendMessageW(h, WM_INITMENUPOPUP, WPARAM(modes), MAKELPARAM(2, FALSE));
  EXPECT_FALSE(ItemState(modes, 0) & MFS_CHECKED);
  EXPECT_TRUE(ItemState(modes, 1) & MFS_CHECKED);
  EXPECT_EQ(ItemText(modes, 1), L"两\tShift+Ctrl+N");
}

TEST_F(MainMenuForm, ACommandOfTheBarClicksItsItemAndADisabledItemStaysSilent) {
  HWND h = f->Handle();
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(f->Menu()->CommandOf(f->NModeTwo), 0), 0);
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(f->Menu()->CommandOf(f->NAbout), 0), 0);
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(f->Menu()->CommandOf(f->NOff), 0), 0);
  EXPECT_EQ(f->clicked, (std::vector<std::wstring>{L"二", L"关于"}));
  EXPECT_EQ(f->Menu()->CommandOf(nullptr), 0u);
}

TEST_F(MainMenuForm, ShortcutsClickTheirItemWithExactlyTheirModifiers) {
  struct Case {
    WORD key;
    TShiftState shift;
    bool handled;
  };
  const Case cases[] = {
      {'A', ssCtrl, true},             // 打开
      {'A', 0, false},                 // the bare letter is typing
      {'A', ssCtrl | ssShift, false},  // another combination
      {'N', ssCtrl | ssShift, true},   // 二, inside a sub-menu
      {'N', ssCtrl, false},
      {'Q', ssCtrl, false},            // a disabled item does not answer
  };
  for (const auto& c : cases) EXPECT_EQ(f->IsShortCut(c.key, c.shift), c.handled) << char(c.key) << " " << c.shift;
  EXPECT_EQ(f->clicked, (std::vector<std::wstring>{L"打开", L"二"}));
}

// A form of the program without a menu bar: its shortcuts are the main form's.
class TfrmNoMenu : public TForm {
 public:
  explicit TfrmNoMenu(TComponent* owner) : TForm(owner) {
    InitFormFromText("object frmNoMenu: TfrmNoMenu\n  Left = 400\n  object edtText: TEdit\n  end\nend\n",
                     "frmNoMenu", Binder<TfrmNoMenu>(this).Bind(QV_MEMBER(edtText)));
  }
  TEdit* edtText = nullptr;
};

// Keys pressed by a user go through the program's loop to the focused control; a shortcut is
// found from any form, the main form's menu answering for a form without it, except while the
// main form is disabled (a modal form runs).
TEST_F(MainMenuForm, ShortcutsThroughTheLoopClickTheMainFormsItemFromAnyForm) {
  TForm* savedMain = Application->MainForm;
  Application->MainForm = f;
  auto* other = new TfrmNoMenu(Application);
  f->Show();
  other->Show();
  struct Case {
    const char* name;
    bool inMain, mainEnabled;
    WORD key;
    TShiftState shift;
    bool clicks;
  };
  const Case cases[] = {
      {"in the main form", true, true, 'A', ssCtrl, true},
      {"in another form", false, true, 'A', ssCtrl, true},
      {"in another form, inside a sub-menu", false, true, 'N', ssCtrl | ssShift, true},
      {"the bare letter in another form", false, true, 'A', 0, false},
      {"another form while the main form is disabled", false, false, 'A', ssCtrl, false},
  };
  for (const Case& c : cases) {
    f->clicked.clear();
    EnableWindow(f->Handle(), c.mainEnabled);
    if (c.inMain) SetFocus(f->Handle());
    else other->edtText->SetFocus();
    ASSERT_TRUE(UserKey(c.key, c.shift)) << c.name;
    EXPECT_EQ(f->clicked.size(), c.clicks ? 1u : 0u) << c.name;
  }
  EnableWindow(f->Handle(), TRUE);
  TComponent::Free(other);
  Application->MainForm = savedMain;
}

TEST(ShortCutText, ReadsAndWritesTheDescriptionsForm) {
  const struct {
    const wchar_t* text;
    TShortCut sc;
    const wchar_t* back;
  } cases[] = {
      {L"Ctrl+A", TShortCut(scCtrl | 'A'), L"Ctrl+A"},
      {L"ctrl+m", TShortCut(scCtrl | 'M'), L"Ctrl+M"},
      {L"Shift+Ctrl+F5", TShortCut(scShift | scCtrl | VK_F5), L"Shift+Ctrl+F5"},
      {L"Alt+Del", TShortCut(scAlt | VK_DELETE), L"Alt+Del"},
      {L"F12", TShortCut(VK_F12), L"F12"},
      {L"", 0, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToShortCut(c.text), c.sc) << Narrow(c.text);
    EXPECT_EQ(ShortCutToText(c.sc), c.back) << Narrow(c.text);
  }
  EXPECT_THROW(TextToShortCut(L"Ctrl+"), EFormDescription);
  EXPECT_THROW(TextToShortCut(L"Hyper+A"), EFormDescription);
}

}  // namespace
