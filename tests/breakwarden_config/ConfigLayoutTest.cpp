// qv30cfg: the exact lines the writer makes, and what the reader makes of sound, older and damaged
// files.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ConfigLayout.h"
#include "Fakes.h"
#include "Graphics.h"

namespace {

// The screen-saver list of a machine with three savers besides "(无)" and the own one.
const ConfigListCounts kCounts{{L"cbbSCRSavers", 5}, {L"cbbSlogan", 8}};

std::vector<std::wstring> SampleFile() {
  return {kConfigWarningLine,
          L"[0] 4",
          L"[1] 2 45 TRUE FALSE",
          L"[2] 5 3 TRUE 15 TRUE 40 TRUE 1 TRUE TRUE FALSE 20",
          L"[3] FALSE TRUE TRUE 7 30 TRUE 22 59 0 0 255 16711680 32768 0",
          L"[4] 13 TRUE FALSE 36 7 100 20 150 80",
          L"[5] 4 2 35 1 12345 0",
          L"[6] -2 6 0 2 10 55",
          L"[7] FALSE TRUE",
          L"下班前提交周报",
          L"",
          L"C:\\图片\\海边.jpg"};
}

using Expect = std::vector<std::pair<std::wstring, ConfigValue>>;

const Expect kSampleValues = {
    {L"cbxBreakPlanPreSet", 4},
    {L"rbxSelectBreakMode", 2},
    {L"scbInterfereIntensity", 45},
    {L"cbxNotShowFrmBreakHintLastOneMin_FreeMode", true},
    {L"cbxNotShowFrmBreakHintLastOneMin_PasswordMode", false},
    {L"updSCR", 5},
    {L"cbbSCRSavers", 3},
    {L"cbxEnableShutDownDisplayer", true},
    {L"updShutDownDisplayer", 15},
    {L"cbxEnableSuspend", true},
    {L"updLetSuspend", 40},
    {L"cbxRandomSCR", true},
    {L"cbbStandByOrSleep", 1},
    {L"cbxUseSaverDeck", true},
    {L"cbxBanYing", true},
    {L"cbxAutoRestoreDisabledSCR", false},
    {L"updRestoreSCRAfterMins", 20},
    {L"cbxRemindOnHour", false},
    {L"cbxRemindOnHalfHour", true},
    {L"cbxRemindOnce1", true},
    {L"cbxHourOfRemindOnce1", 7},
    {L"cbxMinOfRemindOnce1", 30},
    {L"cbxRemindOnce2", true},
    {L"cbxHourOfRemindOnce2", 22},
    {L"cbxMinOfRemindOnce2", 59},
    {L"cbbSelectRemindHourWindow", 0},
    {L"cbbSelectRemindOnceWindow", 0},
    {L"clbRemindHourWindowColorBody", 255},
    {L"clbRemindHourWindowColorBorder", 16711680},
    {L"clbRemindOnceWindowColorBody", 32768},
    {L"clbRemindOnceWindowColorBorder", 0},
    {L"cbbBreakInterface", 13},
    {L"cbxRandomInterface", true},
    {L"cbxShowSlogan", false},
    {L"FontDialog1", 36},
    {L"cbbSlogan", 7},
    {L"updFadeInSpeed", 100},
    {L"UpdFadeInStep", 20},
    {L"updTransparency", 150},
    {L"updMoiseStrenth", 80},
    {L"updFontAdjustOfCountDownWindow", 4},
    {L"cbbZoomRateCountDownWindow", 2},
    {L"scbZoomRateCountDownWindow", 35},
    {L"cbbSelectBreakHintSmallWindow", 1},
    {L"clbBreakHintSmallWindowColorBody", 12345},
    {L"clbBreakHintSmallWindowColorBorder", 0},
    {L"updFontAdjustOfHintSmallWindow", -2},
    {L"updFontAdjustOfRemindCenterWindow", 6},
    {L"cbbZoomRateHintSmallWindow", 0},
    {L"cbbZoomRateRemindCenterWindow", 2},
    {L"scbZoomRateHintSmallWindow", 10},
    {L"scbZoomRateRemindCenterWindow", 55},
    {L"cbxShowSOT", false},
    {L"cbxHarwareIsLaptop", true},
    {L"edtContentOfRemindOnce1", std::wstring(L"下班前提交周报")},
    {L"edtContentOfRemindOnce2", std::wstring()},
    {L"OpenPictureDialog1", std::wstring(L"C:\\图片\\海边.jpg")},
};

void ExpectValues(const ConfigValues& v, const Expect& expect) {
  for (const auto& [control, value] : expect) {
    SCOPED_TRACE(Narrow(control));
    EXPECT_EQ(v.All().at(control), value);
  }
}

std::vector<std::wstring> MessagesOf(const ConfigReadResult& r) {
  std::vector<std::wstring> m;
  for (const ConfigError& e : r.errors) m.push_back(e.message);
  return m;
}

TEST(ConfigRead, SampleFileGivesEveryValue) {
  ConfigReadResult r = ReadConfigLines(SampleFile(), kCounts);
  EXPECT_TRUE(r.errors.empty());
  ASSERT_EQ(kSampleValues.size(), r.values.All().size()) << "every stored value is checked";
  ExpectValues(r.values, kSampleValues);
}

TEST(ConfigWrite, SampleValuesGiveTheSampleFileBack) {
  EXPECT_EQ(WriteConfigLines(ReadConfigLines(SampleFile(), kCounts).values), SampleFile());
}

TEST(ConfigWrite, DefaultsGiveTheDesignedLines) {
  const std::wstring activeCaption = IntToStr(ColorToRGB(clActiveCaption));
  const std::vector<std::wstring> expected = {
      L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！",
      L"[0] 2",
      L"[1] 0 30 FALSE FALSE",
      L"[2] 2 1 FALSE 10 FALSE 30 FALSE 0 FALSE FALSE TRUE 30",
      L"[3] TRUE FALSE FALSE 0 0 FALSE 0 0 1 1 8421504 65535 8421504 65535",
      L"[4] 0 FALSE TRUE 24 5 32 12 200 112",
      L"[5] 0 1 0 0 " + activeCaption + L" 16777215",
      L"[6] 0 0 1 1 0 0",
      L"[7] TRUE FALSE",
      L"在这里输入提醒内容。",
      L"在这里输入提醒内容。",
      L""};
  EXPECT_EQ(WriteConfigLines(DefaultConfigValues(kCounts)), expected);
}

TEST(ConfigWrite, LineBreaksInsideTextsBecomeSpaces) {
  ConfigValues v = DefaultConfigValues(kCounts);
  v.SetText(L"edtContentOfRemindOnce1", L"开会\r\n带上笔记本");
  v.SetText(L"edtContentOfRemindOnce2", L"a\nb\rc\r\n\r\nd");
  v.SetText(L"OpenPictureDialog1", L"C:\\a\nb.jpg");
  std::vector<std::wstring> lines = WriteConfigLines(v);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[9], L"开会 带上笔记本");
  EXPECT_EQ(lines[10], L"a b c  d");
  EXPECT_EQ(lines[11], L"C:\\a b.jpg");
}

TEST(ConfigRoundTrip, ReadOfWrittenValuesGivesThemBack) {
  ConfigValues defaults = DefaultConfigValues(kCounts);
  // a system colour is stored as its RGB value, so start from what a file holds
  defaults.SetInt(L"clbBreakHintSmallWindowColorBody", int(ColorToRGB(clActiveCaption)));

  ConfigValues changed = ReadConfigLines(SampleFile(), kCounts).values;
  changed.SetText(L"edtContentOfRemindOnce2", std::wstring(600, L'长') + L" [1] TRUE 12");
  changed.SetText(L"OpenPictureDialog1", L"");
  changed.SetInt(L"cbbSCRSavers", 0);
  changed.SetInt(L"cbxHourOfRemindOnce1", -1);
  changed.SetInt(L"clbRemindHourWindowColorBorder", 0xFFFFFF);

  for (const ConfigValues* v : {&defaults, &changed}) {
    ConfigReadResult r = ReadConfigLines(WriteConfigLines(*v), kCounts);
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(r.values.All(), v->All());
  }
}

// One line of the sample file replaced, and what the reader then holds.
struct LineCase {
  const char* name;
  int line;
  const wchar_t* text;
  Expect expect;
  std::vector<std::wstring> errors;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class ConfigReadLine : public testing::TestWithParam<LineCase> {};

TEST_P(ConfigReadLine, HoldsTheExpectedValues) {
  const LineCase& c = GetParam();
  std::vector<std::wstring> lines = SampleFile();
  lines[c.line - 1] = c.text;
  ConfigReadResult r = ReadConfigLines(lines, kCounts);
  ExpectValues(r.values, c.expect);
  EXPECT_EQ(MessagesOf(r), c.errors);
}

const LineCase kLineCases[] = {
    {"BooleansIgnoreLetterCase", 9, L"[7] True tRUE", {{L"cbxShowSOT", true}, {L"cbxHarwareIsLaptop", true}}, {}},
    {"OtherWordsAreFalse", 3, L"[1] 2 45 yes 1",
     {{L"cbxNotShowFrmBreakHintLastOneMin_FreeMode", false},
      {L"cbxNotShowFrmBreakHintLastOneMin_PasswordMode", false}},
     {}},
    {"NumbersBelowRangeTakeTheMinimum", 4, L"[2] 0 3 TRUE 4 TRUE 19 TRUE 1 TRUE TRUE FALSE -30",
     {{L"updSCR", 1}, {L"updShutDownDisplayer", 5}, {L"updLetSuspend", 20}, {L"updRestoreSCRAfterMins", 5}},
     {}},
    {"NumbersAboveRangeTakeTheMaximum", 6, L"[4] 13 TRUE FALSE 99999 7 151 37 256 1000",
     {{L"FontDialog1", 1638}, {L"updFadeInSpeed", 150}, {L"UpdFadeInStep", 36}, {L"updTransparency", 255},
      {L"updMoiseStrenth", 150}},
     {}},
    {"FadeInValuesOfZeroCannotStallTheFade", 6, L"[4] 13 TRUE FALSE 0 7 0 0 0 0",
     {{L"FontDialog1", 1}, {L"updFadeInSpeed", 1}, {L"UpdFadeInStep", 1}, {L"updTransparency", 100},
      {L"updMoiseStrenth", 1}},
     {}},
    {"InterferenceIntensityHeldWithinItsBar", 3, L"[1] 2 90 TRUE FALSE", {{L"scbInterfereIntensity", 45}}, {}},
    {"ZoomAndFontAdjustmentsHeldWithinRange", 8, L"[6] -16 14 0 2 -1 101",
     {{L"updFontAdjustOfHintSmallWindow", -15},
      {L"updFontAdjustOfRemindCenterWindow", 13},
      {L"scbZoomRateHintSmallWindow", 0},
      {L"scbZoomRateRemindCenterWindow", 100}},
     {}},
    {"PlanOutsideTheListTakesPlan2", 2, L"[0] 6", {{L"cbxBreakPlanPreSet", 2}}, {}},
    {"NoPlanTakesPlan2", 2, L"[0] -1", {{L"cbxBreakPlanPreSet", 2}}, {}},
    {"SaverOutsideTheListSelectsNone", 4, L"[2] 5 5 TRUE 15 TRUE 40 TRUE 1 TRUE TRUE FALSE 20",
     {{L"cbbSCRSavers", -1}}, {}},
    {"NoSaverSelectsNone", 4, L"[2] 5 -1 TRUE 15 TRUE 40 TRUE 1 TRUE TRUE FALSE 20", {{L"cbbSCRSavers", -1}}, {}},
    {"ModeOutsideTheGroupTakesTheFreeMode", 3, L"[1] 4 45 TRUE FALSE", {{L"rbxSelectBreakMode", 0}}, {}},
    {"OtherListsOutsideTakeNoSelection", 5, L"[3] FALSE TRUE TRUE 24 60 TRUE -2 -1 2 -1 255 16711680 32768 0",
     {{L"cbxHourOfRemindOnce1", -1},
      {L"cbxMinOfRemindOnce1", -1},
      {L"cbxHourOfRemindOnce2", -1},
      {L"cbxMinOfRemindOnce2", -1},
      {L"cbbSelectRemindHourWindow", -1},
      {L"cbbSelectRemindOnceWindow", -1}},
     {}},
    {"EffectAndSloganOutsideTheirListsTakeNone", 6, L"[4] 14 TRUE FALSE 36 8 100 20 150 80",
     {{L"cbbBreakInterface", -1}, {L"cbbSlogan", -1}}, {}},
    {"ColourThatIsNotRGBKeepsItsDefault", 5, L"[3] FALSE TRUE TRUE 7 30 TRUE 22 59 0 0 16777216 -2147483646 0 16777215",
     {{L"clbRemindHourWindowColorBody", 8421504},
      {L"clbRemindHourWindowColorBorder", 65535},
      {L"clbRemindOnceWindowColorBody", 0},
      {L"clbRemindOnceWindowColorBorder", 16777215}},
     {}},
    {"NonNumberKeepsItsDefaultAndReadingGoesOn", 3, L"[1] 2 abc TRUE TRUE",
     {{L"rbxSelectBreakMode", 2},
      {L"scbInterfereIntensity", 30},
      {L"cbxNotShowFrmBreakHintLastOneMin_PasswordMode", true}},
     {L"'abc' is not a valid integer value"}},
    {"TwoSpacesMakeAnEmptyValue", 7, L"[5] 4  35 1 12345 0",
     {{L"updFontAdjustOfCountDownWindow", 4},
      {L"cbbZoomRateCountDownWindow", 1},
      {L"scbZoomRateCountDownWindow", 35},
      {L"cbbSelectBreakHintSmallWindow", 1},
      {L"clbBreakHintSmallWindowColorBorder", 0}},
     {L"'' is not a valid integer value"}},
    {"TagIsIgnored", 2, L"tag 3", {{L"cbxBreakPlanPreSet", 3}}, {}},
    {"LineWithoutSpaceKeepsDefaults", 2, L"[0]3", {{L"cbxBreakPlanPreSet", 2}}, {}},
    {"ShortLineOfAnOlderFileKeepsTheRestSilently", 4, L"[2] 7 4",
     {{L"updSCR", 7},
      {L"cbbSCRSavers", 4},
      {L"cbxEnableShutDownDisplayer", false},
      {L"updShutDownDisplayer", 10},
      {L"updRestoreSCRAfterMins", 30}},
     {}},
    {"ExtraValuesAndTrailingSpaceAreIgnored", 9, L"[7] FALSE TRUE TRUE 9 ", {{L"cbxHarwareIsLaptop", true}}, {}},
    {"NumbersMayCarryASign", 8, L"[6] +3 -3 0 2 10 55",
     {{L"updFontAdjustOfHintSmallWindow", 3}, {L"updFontAdjustOfRemindCenterWindow", -3}}, {}},
};

INSTANTIATE_TEST_SUITE_P(Lines, ConfigReadLine, testing::ValuesIn(kLineCases),
                         [](const testing::TestParamInfo<LineCase>& i) { return std::string(i.param.name); });

TEST(ConfigRead, DamagedFileReadsWhatItCanAndListsEveryBadValue) {
  const std::vector<std::wstring> lines = {
      L"garbage instead of the warning",
      L"[0] x",
      L"[1] 1",
      L"[2]",
      L"[3] TRUE FALSE TRUE 5 5  TRUE",
      L"[4] 1 TRUE TRUE 2e 3 10 5 x 90",
  };
  ConfigReadResult r = ReadConfigLines(lines, kCounts);

  ConfigValues expected = DefaultConfigValues(kCounts);
  expected.SetInt(L"rbxSelectBreakMode", 1);
  expected.SetBool(L"cbxRemindOnce1", true);
  expected.SetInt(L"cbxHourOfRemindOnce1", 5);
  expected.SetInt(L"cbxMinOfRemindOnce1", 5);
  expected.SetInt(L"cbbBreakInterface", 1);
  expected.SetBool(L"cbxRandomInterface", true);
  expected.SetInt(L"cbbSlogan", 3);
  expected.SetInt(L"updFadeInSpeed", 10);
  expected.SetInt(L"UpdFadeInStep", 5);
  expected.SetInt(L"updMoiseStrenth", 90);
  EXPECT_EQ(r.values.All(), expected.All());

  struct Bad {
    const wchar_t* control;
    int line, position;
    const wchar_t* message;
  };
  const Bad bad[] = {
      {L"cbxBreakPlanPreSet", 2, 1, L"'x' is not a valid integer value"},
      {L"cbxHourOfRemindOnce2", 5, 7, L"'TRUE' is not a valid integer value"},
      {L"FontDialog1", 6, 4, L"'2e' is not a valid integer value"},
      {L"updTransparency", 6, 8, L"'x' is not a valid integer value"},
  };
  ASSERT_EQ(r.errors.size(), std::size(bad));
  for (size_t i = 0; i < std::size(bad); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(r.errors[i].control, bad[i].control);
    EXPECT_EQ(r.errors[i].line, bad[i].line);
    EXPECT_EQ(r.errors[i].position, bad[i].position);
    EXPECT_EQ(r.errors[i].message, bad[i].message);
  }
}

TEST(ConfigRead, TextsAreWholeLinesOfAnyLength) {
  std::vector<std::wstring> lines = SampleFile();
  const std::wstring longText = std::wstring(300, L'字') + L"  [3] TRUE   ";
  const std::wstring longPath = L"D:\\" + std::wstring(400, L'p') + L"\\pic 1.bmp";
  lines[10] = longText;
  lines[11] = longPath;
  ConfigReadResult r = ReadConfigLines(lines, kCounts);
  EXPECT_EQ(r.values.Text(L"edtContentOfRemindOnce2"), longText);
  EXPECT_EQ(r.values.Text(L"OpenPictureDialog1"), longPath);
}

TEST(ConfigRead, TextsDropControlCharacters) {
  std::vector<std::wstring> lines = SampleFile();
  lines[9] = std::wstring(L"开会\0带上\x01", 6);
  lines[10] = L"\t笔记本\r";
  lines[11] = L"C:\\a\x1B\x7F.jpg";
  ConfigReadResult r = ReadConfigLines(lines, kCounts);
  EXPECT_EQ(r.values.Text(L"edtContentOfRemindOnce1"), L"开会带上");
  EXPECT_EQ(r.values.Text(L"edtContentOfRemindOnce2"), L"笔记本");
  EXPECT_EQ(r.values.Text(L"OpenPictureDialog1"), L"C:\\a.jpg");
  EXPECT_TRUE(r.errors.empty());
}

TEST(ConfigRead, MissingLinesKeepTheirDefaults) {
  struct Case {
    size_t keep;  // lines of the sample kept
    Expect expect;
  };
  const Case cases[] = {
      {0, {{L"cbxBreakPlanPreSet", 2}, {L"edtContentOfRemindOnce1", std::wstring(L"在这里输入提醒内容。")}}},
      {1, {{L"cbxBreakPlanPreSet", 2}, {L"cbxRemindOnHour", true}}},
      {8, {{L"scbZoomRateRemindCenterWindow", 55}, {L"cbxShowSOT", true}, {L"cbxHarwareIsLaptop", false}}},
      {10,
       {{L"edtContentOfRemindOnce1", std::wstring(L"下班前提交周报")},
        {L"edtContentOfRemindOnce2", std::wstring(L"在这里输入提醒内容。")},
        {L"OpenPictureDialog1", std::wstring()}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keep);
    std::vector<std::wstring> lines = SampleFile();
    lines.resize(c.keep);
    ConfigReadResult r = ReadConfigLines(lines, kCounts);
    EXPECT_TRUE(r.errors.empty());
    ExpectValues(r.values, c.expect);
  }
}

TEST(ConfigDefaults, ListCountsDecideTheIndexes) {
  struct Case {
    const char* name;
    ConfigListCounts counts;
    const wchar_t* line4;
    const wchar_t* line6;
    int saver, slogan;
  };
  const Case cases[] = {
      {"designed counts", {}, nullptr, nullptr, 1, 5},
      {"only (无) in the list", {{L"cbbSCRSavers", 1}}, nullptr, nullptr, -1, 5},
      {"three slogans", {{L"cbbSlogan", 3}}, nullptr, nullptr, 1, -1},
      {"slogans unknown, any index kept", {}, nullptr, L"[4] 0 FALSE TRUE 24 40 32 12 200 112", 1, 40},
      {"slogans unknown, bad index", {}, nullptr, L"[4] 0 FALSE TRUE 24 -7 32 12 200 112", 1, -1},
      {"saver beyond the designed two", {}, L"[2] 2 2", nullptr, -1, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::wstring> lines = WriteConfigLines(DefaultConfigValues(c.counts));
    if (c.line4) lines[3] = c.line4;
    if (c.line6) lines[5] = c.line6;
    ConfigReadResult r = ReadConfigLines(lines, c.counts);
    EXPECT_EQ(r.values.Int(L"cbbSCRSavers"), c.saver);
    EXPECT_EQ(r.values.Int(L"cbbSlogan"), c.slogan);
  }
}

TEST(ConfigLayoutTable, DescribesTwelveLinesWithConsecutivePositions) {
  std::set<std::wstring> names;
  int line = 2, expectedPos = 1;
  for (const ConfigItem& item : ConfigLayout()) {
    SCOPED_TRACE(Narrow(item.control));
    EXPECT_TRUE(names.insert(item.control).second) << "stored twice";
    if (item.line != line) {
      EXPECT_EQ(item.line, line + 1);
      line = item.line;
      expectedPos = 1;
    }
    if (item.position == 0) continue;
    EXPECT_EQ(item.position, expectedPos++);
    EXPECT_LE(item.line, 9);
  }
  EXPECT_EQ(line, kConfigLineCount);
}

TEST(ConfigLayoutTable, FontAdjustmentsAreAppliedAfterTheirZoomPositions) {
  std::vector<const ConfigItem*> order = ConfigApplyOrder();
  ASSERT_EQ(order.size(), ConfigLayout().size());
  std::set<const ConfigItem*> seen(order.begin(), order.end());
  EXPECT_EQ(seen.size(), order.size()) << "every item exactly once";

  const std::pair<const wchar_t*, const wchar_t*> pairs[] = {
      {L"scbZoomRateCountDownWindow", L"updFontAdjustOfCountDownWindow"},
      {L"scbZoomRateHintSmallWindow", L"updFontAdjustOfHintSmallWindow"},
      {L"scbZoomRateRemindCenterWindow", L"updFontAdjustOfRemindCenterWindow"},
  };
  for (const auto& [zoom, adjust] : pairs) {
    SCOPED_TRACE(Narrow(adjust));
    auto at = [&](const wchar_t* name) {
      return std::find(order.begin(), order.end(), FindConfigItem(name)) - order.begin();
    };
    EXPECT_EQ(at(adjust), at(zoom) + 1);
  }
}

TEST(ConfigValuesAccess, WrongNameOrKindIsAProgrammingError) {
  ConfigValues v = DefaultConfigValues();
  EXPECT_THROW(v.Int(L"cbxFrequencyOfPCOperation"), std::invalid_argument);
  EXPECT_THROW(v.SetBool(L"cbxDisableKeyboard", true), std::invalid_argument);
  EXPECT_THROW(v.Int(L"cbxShowSOT"), std::invalid_argument);
  EXPECT_THROW(v.SetText(L"updSCR", L"3"), std::invalid_argument);
  EXPECT_THROW(v.Bool(L"edtContentOfRemindOnce1"), std::invalid_argument);
  EXPECT_EQ(FindConfigItem(L"cbxAutoRun"), nullptr);
}

}  // namespace
