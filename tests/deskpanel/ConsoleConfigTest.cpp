// qvccfg as a table: what each field reads as, what the writer makes, damaged lines, and dates in
// the short date form of several locales' pictures and as ISO.
#include <gtest/gtest.h>

#include "ConsoleConfig.h"
#include "Fakes.h"

namespace {

const std::wstring kWarning = L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！";
const std::wstring kPicture = L"yyyy/M/d";

TDayNumber Day(int y, int m, int d) {
  TDayNumber day = -1;
  EXPECT_TRUE(EncodeDayNumber(y, m, d, day)) << y << "-" << m << "-" << d;
  return day;
}

ConsoleConfigRead ReadLine2(const std::wstring& line2, const std::wstring& picture = kPicture) {
  return ReadConsoleConfigLines({kWarning, line2}, picture);
}

TEST(ConsoleConfigLayout, NineFieldsInFileOrderWithTheirDesignValues) {
  const wchar_t* names[] = {L"NHideOnStart", L"RememberPosMode", L"Left", L"Top", L"NNoLineLeftOnHideUpwards",
                            L"Color", L"DuePic", L"DueScr", L"DueMus"};
  auto layout = ConsoleConfigLayout();
  ASSERT_EQ(layout.size(), 9u);
  for (size_t i = 0; i < layout.size(); ++i) {
    EXPECT_EQ(layout[i].field, int(i + 1));
    EXPECT_STREQ(layout[i].name, names[i]);
  }
  TConsoleConfig d = DefaultConsoleConfig();
  EXPECT_FALSE(d.NHideOnStart);
  EXPECT_EQ(d.PosRule, 3);
  EXPECT_EQ(d.Left, 285);
  EXPECT_EQ(d.Top, 0);
  EXPECT_FALSE(d.NNoLineLeftOnHideUpwards);
  EXPECT_EQ(d.Color, 15780518);
  EXPECT_EQ(d.DuePic, 0);
  EXPECT_EQ(d.DueScr, 0);
  EXPECT_EQ(d.DueMus, 0);
}

TEST(ConsoleConfigWriter, TheDesignValuesAreTheBytesOfRestoringTheDefaultColour) {
  TConsoleConfig c = DefaultConsoleConfig();
  c.DuePic = Day(2026, 12, 10);
  c.DueScr = Day(2026, 12, 13);
  c.DueMus = Day(2027, 1, 2);
  auto lines = WriteConsoleConfigLines(c, kPicture);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], kWarning);
  EXPECT_EQ(lines[1], L"[0] FALSE 3 285 0 FALSE 15780518 2026/12/10 2026/12/13 2027/1/2");
}

TEST(ConsoleConfigWriter, WhatIsWrittenReadsBackTheSame) {
  TConsoleConfig c;
  c.NHideOnStart = true;
  c.PosRule = 1;
  c.Left = -40;
  c.Top = 612;
  c.NNoLineLeftOnHideUpwards = true;
  c.Color = 0x123456;
  c.DuePic = Day(1999, 2, 28);
  c.DueScr = Day(2000, 2, 29);
  c.DueMus = 0;
  for (const std::wstring picture :
       {L"yyyy/M/d", L"dd.MM.yyyy", L"M/d/yy", L"yyyy'年'M'月'd'日'", L"d MMM yyyy", L"yyyy-MM-dd"}) {
    auto read = ReadConsoleConfigLines(WriteConsoleConfigLines(c, picture), picture);
    EXPECT_TRUE(read.errors.empty()) << Narrow(picture);
    EXPECT_EQ(read.values, c) << Narrow(picture) << " " << Narrow(WriteConsoleConfigLines(c, picture)[1]);
  }
}

struct FieldCase {
  const char* name;
  std::wstring line2;
  bool hideOnStart;
  int rule;
  bool placeApplies;
  int left, top;
};

class ConsoleConfigFields : public testing::TestWithParam<FieldCase> {};

TEST_P(ConsoleConfigFields, ReadAsTheBarTakesThem) {
  const FieldCase& c = GetParam();
  auto read = ReadLine2(c.line2);
  EXPECT_TRUE(read.errors.empty()) << Narrow(ConsoleConfigErrorText(read.errors));
  EXPECT_EQ(read.values.NHideOnStart, c.hideOnStart);
  EXPECT_EQ(read.values.PosRule, c.rule);
  EXPECT_EQ(read.placeApplies, c.placeApplies);
  EXPECT_EQ(read.values.Left, c.left);
  EXPECT_EQ(read.values.Top, c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsoleConfigFields,
    testing::Values(
        FieldCase{"RuleOnExit", L"[0] TRUE 0 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", true, 0, true, 10, 20},
        FieldCase{"RuleByHand", L"[0] FALSE 1 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 1, true, 10, 20},
        // 2 is never written; it checks "不记住位置" and still takes the place
        FieldCase{"RuleTwo", L"[0] FALSE 2 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 2, true, 10, 20},
        FieldCase{"RuleOther", L"[0] FALSE 7 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 7, true, 10, 20},
        // taken as an unsigned byte
        FieldCase{"RuleAsByte", L"[0] FALSE 257 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 1, true, 10, 20},
        // only the text "3" keeps the place out
        FieldCase{"RuleThree", L"[0] FALSE 3 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 3, false, 10, 20},
        FieldCase{"RuleZeroThree", L"[0] FALSE 03 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 3, true, 10, 20},
        FieldCase{"TrueInAnyCase", L"[0] True 3 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", true, 3, false, 10, 20},
        FieldCase{"OneIsNotTrue", L"[0] 1 3 10 20 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 3, false, 10, 20},
        FieldCase{"AnyTagIsDropped", L"tag FALSE 1 -7 -3 FALSE 1 2026/1/1 2026/1/1 2026/1/1", false, 1, true, -7, -3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConsoleConfigReader, NoLineTwoOrAShortLineKeepsTheDesignValuesSilently) {
  for (const std::vector<std::wstring>& lines :
       {std::vector<std::wstring>{}, {kWarning}, {kWarning, L"[0]"}, {kWarning, L"[0] TRUE 1 40"}}) {
    auto read = ReadConsoleConfigLines(lines, kPicture);
    EXPECT_TRUE(read.errors.empty());
    TConsoleConfig expected = DefaultConsoleConfig();
    if (lines.size() == 2 && lines[1].size() > 3) {
      expected.NHideOnStart = true;
      expected.PosRule = 1;
      expected.Left = 40;
    }
    EXPECT_EQ(read.values, expected) << lines.size();
  }
}

TEST(ConsoleConfigReader, TwoBlanksMakeAnEmptyFieldThatTakesItsDesignValue) {
  auto read = ReadLine2(L"[0] TRUE 1  20 TRUE 255 2026/1/1 2026/1/2 2026/1/3");
  ASSERT_EQ(read.errors.size(), 1u);
  EXPECT_EQ(read.errors[0].field, 3);
  EXPECT_EQ(read.values.Left, 285);
  // The fields after it are still in their places.
  EXPECT_EQ(read.values.Top, 20);
  EXPECT_TRUE(read.values.NNoLineLeftOnHideUpwards);
  EXPECT_EQ(read.values.Color, 255);
  EXPECT_EQ(read.values.DueMus, Day(2026, 1, 3));
}

TEST(ConsoleConfigReader, EachBadFieldTakesItsDesignValueAndTheRestAreRead) {
  // A regional change leaves dates in another form; numbers may be damaged by hand.
  auto read = ReadLine2(L"[0] TRUE x 12 abc TRUE 99999999 10-12-2026 2026/2/30 2026-12-24");
  std::vector<int> bad;
  for (const auto& e : read.errors) bad.push_back(e.field);
  EXPECT_EQ(bad, (std::vector<int>{2, 4, 6, 7, 8}));
  EXPECT_TRUE(read.values.NHideOnStart);
  EXPECT_EQ(read.values.PosRule, 3);
  EXPECT_FALSE(read.placeApplies) << "a bad rule is the design rule, which keeps the design place";
  EXPECT_EQ(read.values.Left, 12);
  EXPECT_EQ(read.values.Top, 0);
  EXPECT_TRUE(read.values.NNoLineLeftOnHideUpwards);
  EXPECT_EQ(read.values.Color, 15780518);
  EXPECT_EQ(read.values.DuePic, 0);
  EXPECT_EQ(read.values.DueScr, 0);
  EXPECT_EQ(read.values.DueMus, Day(2026, 12, 24)) << "ISO dates are read whatever the locale";
  const std::wstring text = ConsoleConfigErrorText(read.errors);
  for (const wchar_t* part : {L"第2项", L"'x' is not a valid integer value", L"'abc'", L"第6项",
                              L"'10-12-2026' is not a valid date", L"'2026/2/30'"})
    EXPECT_NE(text.find(part), std::wstring::npos) << Narrow(part) << " in " << Narrow(text);
}

TEST(ConsoleConfigReader, ColoursAreRGBOrSystemColoursInEitherStoredForm) {
  struct {
    const wchar_t* text;
    bool ok;
    int colour;
  } cases[] = {
      {L"0", true, 0},
      {L"16777215", true, 0xFFFFFF},
      {L"-16777201", true, int(clBtnFace)},    // 0xFF00000F, the toolkit's clBtnFace
      {L"-2147483633", true, int(clBtnFace)},  // 0x8000000F, the older form of the same
      {L"-16777216", true, int(clScrollBar)},  // index 0
      {L"-16777186", true, SysColor(COLOR_MENUBAR)},
      {L"-16777185", false, 0},  // past the last system colour
      {L"-1", false, 0},
      {L"16777216", false, 0},
      {L"-2130706433", false, 0},  // 0x80FFFFFF
  };
  for (const auto& c : cases) {
    auto read = ReadLine2(std::wstring(L"[0] FALSE 3 285 0 FALSE ") + c.text + L" 2026/1/1 2026/1/1 2026/1/1");
    EXPECT_EQ(read.errors.empty(), c.ok) << Narrow(c.text);
    EXPECT_EQ(read.values.Color, c.ok ? c.colour : 15780518) << Narrow(c.text);
  }
}

struct DateCase {
  const char* name;
  std::wstring picture;
  int y, m, d;
  std::wstring text;
};

class ConsoleConfigDates : public testing::TestWithParam<DateCase> {};

TEST_P(ConsoleConfigDates, WrittenInThePicturesFormAndReadBack) {
  const DateCase& c = GetParam();
  const TDayNumber day = Day(c.y, c.m, c.d);
  EXPECT_EQ(FormatConfigDate(day, c.picture), c.text);
  TDayNumber back = -1;
  ASSERT_TRUE(ParseConfigDate(c.text, c.picture, back)) << Narrow(c.text);
  EXPECT_EQ(back, day);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsoleConfigDates,
    testing::Values(DateCase{"Chinese", L"yyyy/M/d", 2026, 12, 10, L"2026/12/10"},
                    DateCase{"ChineseEarly", L"yyyy/M/d", 2027, 1, 2, L"2027/1/2"},
                    DateCase{"German", L"dd.MM.yyyy", 2026, 3, 5, L"05.03.2026"},
                    DateCase{"UsTwoDigits", L"M/d/yy", 2031, 7, 4, L"7/4/31"},
                    DateCase{"Literals", L"yyyy'年'M'月'd'日'", 2026, 12, 10, L"2026年12月10日"},
                    DateCase{"Iso", L"yyyy-MM-dd", 2026, 12, 10, L"2026-12-10"},
                    // A form with a blank cannot stand in a line split at blanks: ISO instead.
                    DateCase{"BlankGivesIso", L"d MMM yyyy", 2026, 12, 10, L"2026-12-10"},
                    DateCase{"DayZero", L"yyyy/M/d", 1899, 12, 30, L"1899/12/30"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConsoleConfigDates, DayNumbersCountFromTheThirtiethOfDecember1899) {
  EXPECT_EQ(Day(1899, 12, 30), 0);
  EXPECT_EQ(Day(1900, 1, 1), 2);
  EXPECT_EQ(Day(2026, 12, 10), 46366);
  int y, m, d;
  DecodeDayNumber(46366.75, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20261210);
  TDayNumber day;
  EXPECT_FALSE(EncodeDayNumber(2026, 2, 29, day));
  EXPECT_TRUE(EncodeDayNumber(2024, 2, 29, day));
}

TEST(ConsoleConfigDates, TextsThatAreNoDateInThePictureNorIso) {
  TDayNumber day = 7;
  for (const wchar_t* text : {L"", L"2026/13/1", L"2026/12", L"12/10/2026x", L"abc", L"2026/12/10/1", L"26-12-10"})
    EXPECT_FALSE(ParseConfigDate(text, L"yyyy/M/d", day)) << Narrow(text);
  EXPECT_EQ(day, 7);
  // The user's own short form is what an empty picture means.
  ASSERT_FALSE(UserShortDatePicture().empty());
  EXPECT_TRUE(ParseConfigDate(FormatConfigDate(46366), L"", day));
  EXPECT_EQ(day, 46366);
}

}  // namespace
