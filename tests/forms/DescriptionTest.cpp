// Form descriptions: every registered form loads and binds; a broken description names the form,
// the line and the name that failed.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "StdCtrls.h"
#include "unitFrmDemo.h"

namespace {

class TfrmProbe : public TForm {
 public:
  TButton* btnGo = nullptr;
  TLabel* lblOnly = nullptr;
  bool bindLabel = false;
  void btnGoClick(TObject*) {}
  void FormClose(TObject*, TCloseAction&) {}

  TfrmProbe(const std::string& text, bool bindLabelMember) : TForm(Application) {
    Binder<TfrmProbe> b(this);
    b.Bind(QV_MEMBER(btnGo)).On(QV_HANDLER(btnGoClick)).On(QV_HANDLER(FormClose));
    if (bindLabelMember) b.Bind(QV_MEMBER(lblOnly));
    InitFormFromText(text, "TfrmProbe", b);
  }
};

std::string Describe(const std::string& body) {
  return "object frmProbe: TfrmProbe\n"
         "  Caption = 'probe'\n"
         "  object btnGo: TButton\n"
         "    Caption = 'go'\n" +
         body +
         "  end\n"
         "end\n";
}

struct BadCase {
  const char* name;
  std::string text;
  bool bindLabel;
  const char* expected;  // a piece of the error message
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class BrokenDescription : public testing::TestWithParam<BadCase> {};

TEST_P(BrokenDescription, FailsNamingFormLineAndName) {
  const BadCase& c = GetParam();
  try {
    auto* f = new TfrmProbe(c.text, c.bindLabel);
    TComponent::Free(f);
    FAIL() << "the description loaded";
  } catch (const EFormDescription& e) {
    std::string msg = Narrow(e.Message());
    EXPECT_NE(msg.find("TfrmProbe"), std::string::npos) << msg;
    EXPECT_NE(msg.find(c.expected), std::string::npos) << msg;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenDescription,
    testing::Values(
        BadCase{"UnknownProperty", Describe("    Colour = clRed\n"), false, "line 5: unknown property 'Colour' of btnGo"},
        BadCase{"UnknownHandler", Describe("    OnClick = btnStopClick\n"), false, "line 5: no handler 'btnStopClick'"},
        BadCase{"HandlerOfOtherEvent", Describe("    OnClick = FormClose\n"), false, "line 5: handler 'FormClose' does not fit"},
        BadCase{"UnknownClass",
                "object frmProbe: TfrmProbe\n  object btnGo: TButton\n  end\n  object x: TFancyGrid\n  end\nend\n", false,
                "line 4: unknown component class 'TFancyGrid'"},
        BadCase{"MissingEnd", "object frmProbe: TfrmProbe\n  object btnGo: TButton\n  end\n", false, "missing 'end'"},
        BadCase{"UnterminatedString", Describe("    Hint = 'open\n"), false, "line 5: unterminated string"},
        BadCase{"WrongValueType", Describe("    Width = 'wide'\n"), false, "line 5: property 'Width' of btnGo: expected a number"},
        BadCase{"MemberWithoutComponent", Describe(""), true, "member 'lblOnly' has no component"},
        BadCase{"MemberOfOtherClass",
                "object frmProbe: TfrmProbe\n  object btnGo: TLabel\n  end\nend\n", false,
                "line 2: component 'btnGo' is not of its member's class"}),
    [](const testing::TestParamInfo<BadCase>& i) { return std::string(i.param.name); });

TEST(Descriptions, EveryRegisteredFormLoadsAndBinds) {
  ASSERT_FALSE(RegisteredFormClasses().empty());
  TForm::CheckOnly() = true;
  for (const auto& entry : RegisteredFormClasses()) {
    SCOPED_TRACE(entry.className);
    try {
      TForm* f = entry.create();
      EXPECT_FALSE(f->Visible());
      TComponent::Free(f);
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
  TForm::CheckOnly() = false;
}

TEST(Descriptions, ValuesOfEachKindReachTheControls) {
  auto* f = new TfrmDemo(Application);
  EXPECT_EQ(f->Caption(), L"表单层测试");
  EXPECT_EQ(f->WindowClassName(), L"TfrmDemo");
  EXPECT_EQ(f->lblHello->Font.Size, 12);
  EXPECT_EQ(f->lblHello->Font.Style, fsBold);
  EXPECT_EQ(f->lblHello->Font.Color, clNavy);
  EXPECT_EQ(f->edtName->Text(), L"中文输入框");
  EXPECT_TRUE(f->cbxAutoRun->Checked());
  EXPECT_EQ(f->tmrTick->Interval(), 20u);
  EXPECT_FALSE(f->tmrTick->Enabled());
  EXPECT_EQ(f->imgPhoto->PopupMenu, f->pmPhoto);
  ASSERT_EQ(f->pmPhoto->Items()->Count(), 3);
  EXPECT_TRUE(f->pmPhoto->Items()->Items(1)->IsLine());
  EXPECT_TRUE(f->pmPhoto->Items()->Items(2)->Checked);
  EXPECT_EQ(f->imgPhoto->Picture.Width(), 160);
  // Loading set the check box without running its handler; only FormCreate ran.
  EXPECT_EQ(f->log, std::vector<std::wstring>{L"create"});
  TComponent::Free(f);
}

TEST(Descriptions, ParserTakesCommentsJoinedStringsQuotesAndLists) {
  auto root = ParseDescription(
      "\xEF\xBB\xBF// leading comment\n"
      "object a: TThing\n"
      "  S = 'it''s ' + '中文'  // trailing comment\n"
      "  N = $FF\n"
      "  M = -12\n"
      "  L = ('one', 'two' 'three')\n"
      "  E = []\n"
      "end\n",
      "t");
  ASSERT_EQ(root->props.size(), 5u);
  EXPECT_EQ(root->props[0].second.AsString(), L"it's 中文");
  EXPECT_EQ(root->props[1].second.AsInt(), 255);
  EXPECT_EQ(root->props[2].second.AsInt(), -12);
  EXPECT_EQ(root->props[3].second.AsStrings(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
  EXPECT_TRUE(root->props[4].second.AsSet().empty());
  EXPECT_EQ(root->props[2].second.line, 5);
}

}  // namespace
