// svd25cfg's layout as plain functions: the design lines, what each kind of value reads as, what a
// damaged file keeps and reports, and a round trip.
#include <gtest/gtest.h>

#include <functional>

#include "Fakes.h"
#include "PlayerConfig.h"
#include "Text.h"

namespace {

const std::wstring kWarning = L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！";

// The design lines, as a save without a file writes them.
std::vector<std::wstring> DesignLines() {
  return {kWarning, L"[0] FALSE TRUE TRUE", L"[1] 0", L"[2]", L"[3] 30 10 2 0 -16777190 1", L"[4] 0 TRUE",
          L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"-1"};
}

// The design lines with some lines replaced (1-based).
std::vector<std::wstring> With(std::initializer_list<std::pair<int, std::wstring>> changes) {
  std::vector<std::wstring> lines = DesignLines();
  for (const auto& [n, text] : changes) lines[size_t(n - 1)] = text;
  return lines;
}

TEST(PlayerConfig, TheDesignValuesWriteTheDesignLines) {
  const TPlayerConfig d = DefaultPlayerConfig();
  EXPECT_EQ(d, TPlayerConfig{}) << "the table and the struct agree on every design value";
  EXPECT_EQ(WritePlayerConfigLines(d), DesignLines());
  const PlayerConfigRead r = ReadPlayerConfigLines(DesignLines());
  EXPECT_EQ(r.values, d);
  EXPECT_TRUE(r.skipped.empty());
  EXPECT_EQ(ReadPlayerConfigLines({}).values, d) << "an empty file";
}

TEST(PlayerConfig, EachKindOfValueReadsAsTheDialogHoldsIt) {
  struct Case {
    const char* what;
    std::vector<std::wstring> lines;
    std::function<bool(const TPlayerConfig&)> holds;
  };
  const Case cases[] = {
      {"only true in any case counts", With({{2, L"[0] true FALSE Yes"}}),
       [](const TPlayerConfig& c) { return c.MinimizeOnStart && !c.PlayMusListAtStart && !c.PlayImediately; }},
      {"tags are not compared", With({{3, L"x 5"}}), [](const TPlayerConfig& c) { return c.Skin == 5; }},
      {"a line without a blank has no values", With({{3, L"[1]7"}}), [](const TPlayerConfig& c) { return c.Skin == 0; }},
      {"folders skip empty lines", With({{12, L"a"}, {13, L""}, {14, L"b"}, {17, L"1"}}),
       [](const TPlayerConfig& c) { return c.MusDirs == std::vector<std::wstring>{L"a", L"b"} && c.MusDirIndex == 1; }},
      {"five folders, none selected",
       With({{12, L"1"}, {13, L"2"}, {14, L"3"}, {15, L"4"}, {16, L"5"}, {17, L"-1"}}),
       [](const TPlayerConfig& c) { return c.MusDirs.size() == 5 && c.MusDirIndex == -1; }},
      {"a folder index beyond the folders selects none", With({{12, L"a"}, {17, L"1"}}),
       [](const TPlayerConfig& c) { return c.MusDirIndex == -1; }},
      {"times are held in their ranges", With({{5, L"[3] 5 300 2 0 255 1"}}),
       [](const TPlayerConfig& c) { return c.TimePlayEachScr == 30 && c.TransitTime == 20; }},
      {"times at the top", With({{5, L"[3] 999 -4 2 0 255 1"}}),
       [](const TPlayerConfig& c) { return c.TimePlayEachScr == 120 && c.TransitTime == 5; }},
      {"indexes outside their lists take their design values",
       With({{3, L"[1] 14"}, {5, L"[3] 30 10 4 3 255 1"}, {6, L"[4] -1 TRUE"}}),
       [](const TPlayerConfig& c) {
         return c.Skin == 0 && c.TextSpeed == 2 && c.BackgroundUse == 0 && c.BanYingForAutoScr == 0;
       }},
      {"the last items of the lists", With({{3, L"[1] 13"}, {5, L"[3] 30 10 3 2 255 1"}, {6, L"[4] 3 FALSE"}}),
       [](const TPlayerConfig& c) {
         return c.Skin == 13 && c.TextSpeed == 3 && c.BackgroundUse == 2 && c.BanYingForAutoScr == 3 &&
                !c.SlientStartupOnMsg;
       }},
      {"an RGB colour", With({{5, L"[3] 30 10 2 0 16777215 1"}}),
       [](const TPlayerConfig& c) { return c.TransitColor == 0xFFFFFF; }},
      {"a system colour", With({{5, L"[3] 30 10 2 0 -16777201 1"}}),
       [](const TPlayerConfig& c) { return c.TransitColor == clBtnFace; }},
      {"neither RGB nor a system colour", With({{5, L"[3] 30 10 2 0 16777216 1"}}),
       [](const TPlayerConfig& c) { return c.TransitColor == clHotLight; }},
      {"a negative number that is no system colour", With({{5, L"[3] 30 10 2 0 -5 1"}}),
       [](const TPlayerConfig& c) { return c.TransitColor == clHotLight; }},
      {"picture choice exactly 2", With({{5, L"[3] 30 10 2 0 255 2"}}),
       [](const TPlayerConfig& c) { return c.ImageChoice == kImageFile; }},
      {"any other choice is the built-in picture", With({{5, L"[3] 30 10 2 0 255 02"}}),
       [](const TPlayerConfig& c) { return c.ImageChoice == kImageBuiltIn; }},
      {"texts are whole lines, blanks and all",
       With({{7, L"C:\\列表 一.qvml"}, {8, L" x "}, {9, L"D:\\p.jpg"}, {10, L"E:\\l"}, {11, L"F:\\p"}}),
       [](const TPlayerConfig& c) {
         return c.PlayMusListFile == L"C:\\列表 一.qvml" && c.SelfSelectBanYing == L" x " &&
                c.TransitPicture == L"D:\\p.jpg" && c.QVMLdir == L"E:\\l" && c.PicDir == L"F:\\p";
       }},
      {"texts and folders drop control characters",
       With({{7, std::wstring(L"C:\\l\0ist\r.qvml", 14)}, {8, L"\tx\x1F"}, {12, L"\x01"}, {13, L"C:\\m\x7F"}}),
       [](const TPlayerConfig& c) {
         return c.PlayMusListFile == L"C:\\list.qvml" && c.SelfSelectBanYing == L"x" &&
                c.MusDirs == std::vector<std::wstring>{L"C:\\m"};
       }},
      {"a section line longer than 255 characters",
       With({{5, L"[3] 40 12 1 2 255 2" + std::wstring(300, L' ')}}),
       [](const TPlayerConfig& c) { return c.TimePlayEachScr == 40 && c.ImageChoice == kImageFile; }},
  };
  for (const Case& c : cases) {
    const PlayerConfigRead r = ReadPlayerConfigLines(c.lines);
    EXPECT_TRUE(c.holds(r.values)) << c.what;
    EXPECT_TRUE(r.skipped.empty()) << c.what;
  }
}

TEST(PlayerConfig, ADamagedFileKeepsWhatReadsAndNamesWhatDidNot) {
  // A letter for a number, two blanks (an empty value), and a text of 300 characters.
  const std::wstring longText(300, L'长');
  std::vector<std::wstring> lines =
      With({{2, L"[0] TRUE FALSE"}, {3, L"[1] x"}, {5, L"[3] 60  3 2 255 2"}, {7, longText}, {12, L"M"}, {17, L"one"}});
  lines.resize(17);
  const PlayerConfigRead r = ReadPlayerConfigLines(lines);
  EXPECT_TRUE(r.values.MinimizeOnStart);
  EXPECT_FALSE(r.values.PlayMusListAtStart);
  EXPECT_TRUE(r.values.PlayImediately) << "missing from a short line: its design value";
  EXPECT_EQ(r.values.Skin, 0);
  EXPECT_EQ(r.values.TimePlayEachScr, 60);
  EXPECT_EQ(r.values.TransitTime, 10);
  EXPECT_EQ(r.values.TextSpeed, 3) << "the values after a bad one are read";
  EXPECT_EQ(r.values.BackgroundUse, 2);
  EXPECT_EQ(r.values.ImageChoice, kImageFile);
  EXPECT_EQ(r.values.PlayMusListFile, longText);
  EXPECT_EQ(r.values.MusDirs, std::vector<std::wstring>{L"M"});
  EXPECT_EQ(r.values.MusDirIndex, -1);
  ASSERT_EQ(r.skipped.size(), 3u);
  EXPECT_EQ(r.skipped[0].line, 3);
  EXPECT_EQ(r.skipped[0].position, 1);
  EXPECT_EQ(r.skipped[0].value, L"x");
  EXPECT_EQ(r.skipped[1].line, 5);
  EXPECT_EQ(r.skipped[1].position, 2);
  EXPECT_EQ(r.skipped[1].value, L"");
  EXPECT_EQ(r.skipped[2].line, 17);
  EXPECT_EQ(r.skipped[2].position, 0);

  const std::wstring text = PlayerConfigErrorText(r.skipped);
  EXPECT_EQ(text.find(L"svd25cfg 中有 3 个值无法读取，已保留默认值："), 0u) << Narrow(text);
  EXPECT_NE(text.find(L"第 3 行第 1 个值：'x' is not a valid integer value"), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"第 5 行第 2 个值：'' is not a valid integer value"), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"第 17 行：'one' is not a valid integer value"), std::wstring::npos) << Narrow(text);
  EXPECT_EQ(PlayerConfigErrorText({}), L"");
}

TEST(PlayerConfig, AFileCutShortKeepsTheDesignValuesSilently) {
  std::vector<std::wstring> lines = With({{2, L"[0] TRUE FALSE FALSE"}, {3, L"[1] 4"}});
  lines.resize(3);
  const PlayerConfigRead r = ReadPlayerConfigLines(lines);
  EXPECT_TRUE(r.skipped.empty());
  TPlayerConfig expected = DefaultPlayerConfig();
  expected.MinimizeOnStart = true;
  expected.PlayMusListAtStart = expected.PlayImediately = false;
  expected.Skin = 4;
  EXPECT_EQ(r.values, expected);
}

TEST(PlayerConfig, EverySettingSurvivesItsRoundTrip) {
  TPlayerConfig c;
  c.MinimizeOnStart = true;
  c.PlayMusListAtStart = false;
  c.PlayImediately = false;
  c.Skin = 7;
  c.TimePlayEachScr = 110;
  c.TransitTime = 6;
  c.TextSpeed = 0;
  c.BackgroundUse = 1;
  c.TransitColor = 0x123456;
  c.ImageChoice = kImageFile;
  c.BanYingForAutoScr = 2;
  c.SlientStartupOnMsg = false;
  c.PlayMusListFile = L"C:\\音乐\\a b.qvml";
  c.SelfSelectBanYing = L"C:\\伴音.mp3";
  c.TransitPicture = L"C:\\图\\x.jpg";
  c.QVMLdir = L"C:\\列表";
  c.PicDir = L"C:\\图";
  c.MusDirs = {L"C:\\一", L"C:\\二", L"C:\\三"};
  c.MusDirIndex = 2;
  const std::vector<std::wstring> lines = WritePlayerConfigLines(c);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[4], L"[3] 110 6 0 1 1193046 2");
  EXPECT_EQ(lines[14], L"") << "always five folder lines";
  EXPECT_EQ(lines[16], L"2");
  const PlayerConfigRead r = ReadPlayerConfigLines(lines);
  EXPECT_EQ(r.values, c);
  EXPECT_TRUE(r.skipped.empty());
}

}  // namespace
