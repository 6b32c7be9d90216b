// The two reminder windows in-process, with the settings dialog's defaults: what each kind shows,
// its sound, its place, its click and its end.
#include <gtest/gtest.h>

#include "BkwdFakes.h"
#include "EventLog.h"
#include "Fakes.h"
#include "RemindFakes.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

namespace {

// Stands in for the settings dialog and the statistics window that the clicks open.
class TStubForm : public TForm {
 public:
  TStubForm() : TForm(Application) {
    InitFormFromText("object frmStubSetup: TStubSetupForm\n  Width = 200\n  Height = 100\nend\n", "stub",
                     FormBinder());
  }
};

enum class Which { Small, Centre };

class RemindWindows : public testing::Test {
 protected:
  void SetUp() override {
    main = new TfrmMain(Application);
    frmMain = main;
    // A period of 50 minutes that began now, 4 minutes counted: 45 left, the break at 09:50.
    main->FWorkMins = 49;
    main->FMinsPassed = 4;
    main->FPeriodStartTick = clock.tick;
    stub = new TStubForm();
    settings.setupForm = [this] { return stub; };
    settings.selectSetupPage = [this](int page) { pages.push_back(page); };
    windows.createStat = [this] { ++statistics; };
  }
  void TearDown() override {
    CloseReminderWindows();
    EXPECT_FALSE(RemindSoundLooping());
    TComponent::Free(stub);
    frmMain = nullptr;
    TComponent::Free(main);
    PumpMessages();
    Application->Terminated = false;
  }

  TForm* Open(Which w, int kind) {
    if (w == Which::Small) return new TfrmHintSmallWindow(Application, kind);
    return new TfrmRemindWindowCenter(Application, kind);
  }
  static bool Closed(Which w) {
    Application->FreeReleasedForms();
    return w == Which::Small ? frmHintSmallWindow == nullptr : frmRemindWindowCenter == nullptr;
  }

  FakeSettings settings;
  FakeProgramWindows windows;
  FakeClock clock;
  FakeDisplay display{1024, 768, RECT{0, 0, 1024, 728}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{false};
  FakeSound sound;
  TfrmMain* main = nullptr;
  TStubForm* stub = nullptr;
  std::vector<int> pages;
  int statistics = 0;
};

// ---- what each kind shows ---------------------------------------------------------------------

struct KindCase {
  int kind;
  Which window;
  const wchar_t* title;
  const wchar_t* label;
  const wchar_t* value;  // nullptr: the next break's time
  const wchar_t* content;
  TColor body;
  const wchar_t* sound;
  bool loops;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << "kind " << c.kind; }

class RemindKindShown : public RemindWindows, public testing::WithParamInterface<KindCase> {};

TEST_P(RemindKindShown, TextsColourSoundAnimationAndEnd) {
  const KindCase& c = GetParam();
  TForm* f = Open(c.window, c.kind);
  ASSERT_TRUE(f->Visible());
  HWND h = f->Handle();
  EXPECT_EQ(f->Color(), c.body);

  const std::wstring value =
      c.value ? c.value : TimeToStr(SystemTimeToDateTime(SYSTEMTIME{2026, 12, 4, 10, 9, 50, 0, 0}), true);
  if (c.window == Which::Small) {
    auto* s = static_cast<TfrmHintSmallWindow*>(f);
    std::vector<TfrmHintSmallWindow::TLineLayout> lines = s->LineLayout();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, c.title);
    EXPECT_EQ(lines[1].text, c.label);
    EXPECT_EQ(lines[2].text, value);
  } else {
    auto* w = static_cast<TfrmRemindWindowCenter*>(f);
    EXPECT_EQ(w->Label1->Caption(), c.title);
    EXPECT_EQ(w->Label2->Caption(), c.label);
    EXPECT_EQ(w->Label3->Caption(), value);
    EXPECT_EQ(w->edtRemindContent->Text(), c.content);
  }

  // Above all windows, without a taskbar button.
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION, 0);

  ASSERT_EQ(animation.calls.size(), 1u);
  EXPECT_EQ(animation.calls[0].window, h);
  if (c.window == Which::Small) {
    EXPECT_EQ(animation.calls[0].ms, 2500u);
    EXPECT_EQ(animation.calls[0].flags, DWORD(AW_VER_NEGATIVE));
  } else {
    EXPECT_EQ(animation.calls[0].ms, 500u);
    EXPECT_EQ(animation.calls[0].flags, DWORD(AW_CENTER));
  }

  // The sound: once, or looping until the window goes.
  ASSERT_EQ(sound.calls.size(), 1u);
  EXPECT_EQ(sound.calls[0].op, FakeSound::Call::Play);
  EXPECT_EQ(sound.calls[0].file, GetWinDir() + c.sound);
  EXPECT_EQ(sound.calls[0].loop, c.loops);

  TTimer* timer = c.window == Which::Small ? static_cast<TfrmHintSmallWindow*>(f)->Timer1
                                            : static_cast<TfrmRemindWindowCenter*>(f)->tmrAutoClose;
  EXPECT_EQ(timer->Interval(), c.window == Which::Small ? 10000u : 6000u);
  if (c.loops) {
    // An alarm stays until it is clicked.
    EXPECT_FALSE(timer->Enabled());
    clock.Advance(60000);
    PumpMessages();
    EXPECT_FALSE(Closed(c.window));
    EXPECT_EQ(sound.Count(FakeSound::Call::Stop), 0);
    f->Close();
  } else {
    EXPECT_TRUE(timer->Enabled());
    timer->Timer();  // its first tick
  }
  EXPECT_TRUE(Closed(c.window));
  EXPECT_EQ(sound.Count(FakeSound::Call::Stop), c.loops ? 1 : 0);
}

const wchar_t* kChimes = L"\\Media\\chimes.WAV";
const wchar_t* kDing = L"\\Media\\DING.WAV";
const wchar_t* kAlarmDefault = L"在这里输入提醒内容。";

const KindCase kKinds[] = {
    {rkNextBreak, Which::Small, L"Quovel休息提示", L"下次休息时间", nullptr, L"", clActiveCaption, kChimes, false},
    {rkMinsToBreak, Which::Small, L"Quovel休息提示", L"离休息还剩下", L"45 分钟", L"", clActiveCaption, kChimes,
     false},
    {rkRemindHour, Which::Small, L"Quovel闹钟提醒", L"现在时间是：", L"09:00:00", L"", clGray, kDing, false},
    {rkRemindOnce1, Which::Small, L"Quovel闹钟提醒", L"提醒时间已到", L"09:00:00", L"", clGray, kDing, true},
    {rkRemindOnce2, Which::Small, L"Quovel闹钟提醒", L"提醒时间已到", L"09:00:00", L"", clGray, kDing, true},
    {rkNextBreak, Which::Centre, L"Quovel休息提示", L"下次休息时间", nullptr, L"休息提示！", clActiveCaption, kChimes,
     false},
    {rkMinsToBreak, Which::Centre, L"Quovel休息提示", L"离休息还剩下", L"45 分钟", L"休息提示！", clActiveCaption,
     kChimes, false},
    {rkRemindHour, Which::Centre, L"Quovel闹钟提醒", L"现在时间是：", L"09:00:00", L"报时！", clGray, kDing, false},
    {rkRemindOnce1, Which::Centre, L"Quovel闹钟提醒", L"提醒时间已到", L"09:00:00", kAlarmDefault, clGray, kDing,
     true},
    {rkRemindOnce2, Which::Centre, L"Quovel闹钟提醒", L"提醒时间已到", L"09:00:00", kAlarmDefault, clGray, kDing,
     true},
};

INSTANTIATE_TEST_SUITE_P(Kinds, RemindKindShown, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<KindCase>& i) {
                           return std::string(i.param.window == Which::Small ? "Small" : "Centre") + "Kind" +
                                  std::to_string(i.param.kind);
                         });

// ---- place and size ---------------------------------------------------------------------------

TEST_F(RemindWindows, PlacedAgainstTheWorkAreaWhereverTheTaskbarIs) {
  struct Case {
    const char* taskbar;
    RECT work;
    RECT small, centre;
  };
  // 1024 x 768 zooms by 28%: 119 x 106 -> 152 x 136, 319 x 197 -> 408 x 252.
  const Case cases[] = {
      {"bottom", {0, 0, 1024, 728}, {872, 592, 1024, 728}, {308, 238, 716, 490}},
      {"top", {0, 40, 1024, 768}, {872, 632, 1024, 768}, {308, 278, 716, 530}},
      {"left", {60, 0, 1024, 768}, {872, 632, 1024, 768}, {338, 258, 746, 510}},
      {"right", {0, 0, 964, 768}, {812, 632, 964, 768}, {278, 258, 686, 510}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("taskbar at the ") + c.taskbar);
    FakeDisplay screen(1024, 768, c.work);
    for (Which w : {Which::Small, Which::Centre}) {
      TForm* f = Open(w, rkRemindHour);
      RECT r;
      GetWindowRect(f->Handle(), &r);
      const RECT& expected = w == Which::Small ? c.small : c.centre;
      EXPECT_EQ(r.left, expected.left);
      EXPECT_EQ(r.top, expected.top);
      EXPECT_EQ(r.right, expected.right);
      EXPECT_EQ(r.bottom, expected.bottom);
      f->Close();
      EXPECT_TRUE(Closed(w));
    }
  }
}

TEST_F(RemindWindows, SmallWindowLinesFollowTheZoomAndTheFontAdjustment) {
  auto* f = new TfrmHintSmallWindow(Application, rkRemindHour);
  EXPECT_EQ(f->Look().percent, 28);
  EXPECT_EQ(f->Look().fontAdjust, 2);
  std::vector<TfrmHintSmallWindow::TLineLayout> lines = f->LineLayout();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].fontSize, 12);
  EXPECT_EQ(lines[1].fontSize, 11);
  EXPECT_EQ(lines[2].fontSize, 18);
  EXPECT_EQ(lines[0].y, 26);  // Round(20 x 1.28)
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    TCanvas c;
    c.Font.Assign(f->Font);
    c.Font.Size = lines[i].fontSize;
    SIZE s = c.TextExtent(lines[i].text);
    EXPECT_EQ(lines[i].x, (f->Width() - s.cx) / 2);  // centred
    EXPECT_GE(lines[i].x, 0) << "fits the window";
    if (i > 0) {
      EXPECT_GT(lines[i].y, lines[i - 1].y);
    }
  }
  EXPECT_LE(lines[2].y + 30, f->Height());
}

TEST_F(RemindWindows, CentreWindowScalesItsControlsAndFonts) {
  auto* f = new TfrmRemindWindowCenter(Application, rkRemindHour);
  EXPECT_EQ(f->Width(), 408);
  EXPECT_EQ(f->Height(), 252);
  struct Case {
    TControl* c;
    int left, top, size;  // size: the font's points
  };
  const Case cases[] = {
      {f->Label1, 154, 41, 16 + 2},  // 21 pixels are 16 points
      {f->Label2, 169, 92, 12 + 2},
      {f->Label3, 169, 133, 18 + 2},
      {f->Label4, 72, 195, 12 + 2},
      {f->edtRemindContent, 174, 192, 9 + 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.c->Name()));
    EXPECT_EQ(c.c->Left(), c.left);
    EXPECT_EQ(c.c->Top(), c.top);
    EXPECT_EQ(c.c->Font.Size, c.size);
  }
  EXPECT_EQ(f->edtRemindContent->Width(), 165);
  EXPECT_EQ(f->edtRemindContent->Height(), 24);
  EXPECT_EQ(f->imgAlarm->Left(), 61);
  EXPECT_EQ(f->imgAlarm->Top(), 41);
  EXPECT_EQ(f->imgAlarm->Width(), 64);
  EXPECT_EQ(f->imgAlarm->Height(), 64);
  ASSERT_TRUE(f->imgAlarm->Picture.Graphic);
}

// ---- clicks -----------------------------------------------------------------------------------

TEST_F(RemindWindows, ClickDoesTheKindsActionThenCloses) {
  struct Case {
    int kind;
    int statistics;
    std::vector<int> pages;
  };
  const Case cases[] = {
      {rkNextBreak, 1, {}}, {rkMinsToBreak, 1, {}}, {rkRemindHour, 0, {}}, {rkRemindOnce1, 0, {3}},
      {rkRemindOnce2, 0, {3}},
  };
  for (Which w : {Which::Small, Which::Centre}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (w == Which::Small ? "small" : "centre") << " kind " << c.kind);
      statistics = 0;
      pages.clear();
      sound.calls.clear();
      TForm* f = Open(w, c.kind);
      ClickWindow(f->Handle());
      EXPECT_EQ(statistics, c.statistics);
      EXPECT_EQ(pages, c.pages);
      EXPECT_TRUE(Closed(w));
      EXPECT_FALSE(RemindSoundLooping());
      EXPECT_EQ(sound.Count(FakeSound::Call::Stop), c.kind >= rkRemindOnce1 ? 1 : 0);
    }
  }
}

TEST_F(RemindWindows, ClickOnTheCentreWindowsTextsCountsAsAClickOnTheWindow) {
  auto* f = new TfrmRemindWindowCenter(Application, rkRemindOnce1);
  f->Label3->Click();
  EXPECT_EQ(pages, std::vector<int>{3});
  EXPECT_TRUE(Closed(Which::Centre));
}

// ---- each window keeps its own kind ----------------------------------------------------------

TEST_F(RemindWindows, ReminderForAnOpenWindowOnlyBringsItForward) {
  TComboBox chooser(nullptr);
  chooser.Items.Add(L"右下角小窗口");
  chooser.Items.Add(L"屏幕中央窗口");
  chooser.SetItemIndex(rwCenterWindow);
  main->ShowRemindWindow(&chooser, rkRemindOnce1);
  ASSERT_NE(frmRemindWindowCenter, nullptr);
  TfrmRemindWindowCenter* alarm = frmRemindWindowCenter;
  // The chime of the same minute finds the window open.
  main->ShowRemindWindow(&chooser, rkRemindHour);
  EXPECT_EQ(frmRemindWindowCenter, alarm);
  EXPECT_EQ(alarm->Kind(), rkRemindOnce1);
  EXPECT_EQ(alarm->Label2->Caption(), L"提醒时间已到");
  EXPECT_FALSE(alarm->tmrAutoClose->Enabled());
  EXPECT_EQ(sound.Count(FakeSound::Call::Play), 1);
  // The alarm's click and close are still the alarm's, and silence it.
  ClickWindow(alarm->Handle());
  EXPECT_EQ(pages, std::vector<int>{3});
  EXPECT_TRUE(Closed(Which::Centre));
  EXPECT_EQ(sound.Count(FakeSound::Call::Stop), 1);
  EXPECT_FALSE(RemindSoundLooping());
}

TEST_F(RemindWindows, AlarmKeepsRingingThroughAChimeInTheOtherWindow) {
  auto* alarm = new TfrmRemindWindowCenter(Application, rkRemindOnce2);
  auto* chime = new TfrmHintSmallWindow(Application, rkRemindHour);
  // The chime's single ding would have ended the alarm's loop: it is left out.
  ASSERT_EQ(sound.calls.size(), 1u);
  EXPECT_TRUE(sound.calls[0].loop);
  EXPECT_EQ(chime->Kind(), rkRemindHour);
  chime->Timer1->Timer();
  EXPECT_TRUE(Closed(Which::Small));
  EXPECT_EQ(sound.Count(FakeSound::Call::Stop), 0);
  EXPECT_TRUE(RemindSoundLooping());
  alarm->Close();
  EXPECT_TRUE(Closed(Which::Centre));
  EXPECT_EQ(sound.Count(FakeSound::Call::Stop), 1);
}

TEST_F(RemindWindows, TwoAlarmsRingUntilTheLastIsClicked) {
  auto* first = new TfrmHintSmallWindow(Application, rkRemindOnce1);
  auto* second = new TfrmRemindWindowCenter(Application, rkRemindOnce2);
  EXPECT_EQ(sound.Count(FakeSound::Call::Play), 2);
  ClickWindow(first->Handle());
  EXPECT_TRUE(Closed(Which::Small));
  EXPECT_EQ(sound.Count(FakeSound::Call::Stop), 0);
  ClickWindow(second->Handle());
  EXPECT_TRUE(Closed(Which::Centre));
  EXPECT_EQ(sound.Count(FakeSound::Call::Stop), 1);
}

// ---- painting -------------------------------------------------------------------------------

int RedPixels(HWND h, const RECT& r) {
  HDC dc = GetDC(h);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == RGB(255, 0, 0);
  ReleaseDC(h, dc);
  return n;
}

TEST_F(RemindWindows, SmallWindowRepaintsItsTexts) {
  auto* f = new TfrmHintSmallWindow(Application, rkRemindHour);
  HWND h = f->Handle();
  ShowWindow(h, SW_SHOWNA);  // the fake animation showed nothing
  std::vector<TfrmHintSmallWindow::TLineLayout> lines = f->LineLayout();
  RECT valueLine{0, lines[2].y, f->Width(), f->Height()};
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "first paint" : "after a repaint");
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_GT(RedPixels(h, valueLine), 20) << "the time is drawn in red";
  }
}

}  // namespace

namespace {

// Not a check: shows each kind in each window for scripts/screenshot-remind, which takes the
// picture when a window reports ready in the folder named by REMIND_SHOTS.
TEST_F(RemindWindows, DISABLED_ShowEachKindForScreenshots) {
  wchar_t dir[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"REMIND_SHOTS", dir, MAX_PATH)) GTEST_SKIP() << "REMIND_SHOTS not set";
  FakeDisplay screen(1280, 800, RECT{0, 0, 1280, 760});
  auto touched = [&](const std::wstring& name) {
    return GetFileAttributesW((std::wstring(dir) + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  for (Which w : {Which::Small, Which::Centre}) {
    for (int kind = rkNextBreak; kind <= rkRemindOnce2; ++kind) {
      TForm* f = Open(w, kind);
      ShowWindow(f->Handle(), SW_SHOWNA);
      RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      PumpMessages();
      const std::wstring name = std::wstring(w == Which::Small ? L"small" : L"centre") + std::to_wstring(kind);
      HANDLE ready = CreateFileW((std::wstring(dir) + L"\\" + name + L".ready").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
      CloseHandle(ready);
      for (int i = 0; i < 200 && !touched(name + L".done"); ++i) {
        PumpMessages();
        Sleep(50);
      }
      f->Close();
      Closed(w);
    }
  }
}

}  // namespace
