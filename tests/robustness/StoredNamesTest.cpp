// Names GBK cannot hold, through every writer of a stored file and read back from the file: a
// name the file keeps opens the file that was chosen, and one it cannot keep in any form never
// comes back naming another file.
#include <gtest/gtest.h>

#include <functional>

#include "ConfigLayout.h"
#include "ConsoleConfig.h"
#include "Fakes.h"
#include "PlayerConfig.h"
#include "PlaylistFile.h"
#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

// The system's full name: two names open one file when theirs are one.
std::wstring FullName(const std::wstring& path) {
  wchar_t buf[MAX_PATH];
  DWORD n = GetLongPathNameW(path.c_str(), buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : std::wstring();
}

// A writer and its reader: writes name where the file had old, answers what the file gives back.
using WriteAndRead = std::function<std::wstring(const TestFolder& folder, const std::wstring& name, const std::wstring& old)>;

struct WriterCase {
  const char* name;
  WriteAndRead run;
};
void PrintTo(const WriterCase& c, std::ostream* os) { *os << c.name; }

std::wstring SvdCfg(const TestFolder& folder, const std::wstring& name, const std::wstring& old) {
  TPlayerConfig saved = DefaultPlayerConfig(), c = DefaultPlayerConfig();
  saved.SelfSelectBanYing = old;
  c.SelfSelectBanYing = name;
  KeepStorableNames(c, saved);
  WriteTextLines(folder / L"svd25cfg", WritePlayerConfigLines(c));
  return ReadPlayerConfigLines(ReadTextLines(folder / L"svd25cfg")).values.SelfSelectBanYing;
}

std::wstring Qv30Cfg(const TestFolder& folder, const std::wstring& name, const std::wstring& old) {
  ConfigValues saved = DefaultConfigValues(), v = DefaultConfigValues();
  saved.SetText(L"OpenPictureDialog1", old);
  v.SetText(L"OpenPictureDialog1", name);
  KeepStorableNames(v, saved);
  WriteTextLines(folder / L"qv30cfg", WriteConfigLines(v));
  return ReadConfigLines(ReadTextLines(folder / L"qv30cfg")).values.Text(L"OpenPictureDialog1");
}

std::wstring Qvml(const TestFolder& folder, const std::wstring& name, const std::wstring&) {
  const std::wstring list = folder / L"列表.qvml";
  const std::vector<std::wstring> lost = WritePlaylistFile(list, {L"C:\\音乐\\前.wav", name, L"C:\\音乐\\后.wav"});
  const std::vector<std::wstring> lines = ReadPlaylistFile(list);
  // The lines around it stay; the line itself is there only when it was kept.
  EXPECT_EQ(lines.front(), L"C:\\音乐\\前.wav");
  EXPECT_EQ(lines.back(), L"C:\\音乐\\后.wav");
  EXPECT_EQ(lines.size(), lost.empty() ? 3u : 2u);
  EXPECT_EQ(lost, lost.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{name});
  return lines.size() == 3 ? lines[1] : std::wstring();
}

std::wstring PathFile(const TestFolder&, const std::wstring& name, const std::wstring& old) {
  ShellFoldersInTestFolder folders;
  EXPECT_TRUE(WritePathFile(L"dir3", old, L"25"));
  WritePathFile(L"dir3", name, L"25");
  return ReadPathFile(L"dir3");
}

class StoredNames : public testing::TestWithParam<WriterCase> {};

TEST_P(StoredNames, AreKeptOpeningTheChosenFileOrNotAtAll) {
  TestFolder folder;
  const std::wstring old = folder / L"原来.wav";
  WriteBytes(old, "old");
  const bool dropsLines = std::string(GetParam().name) == "qvml";
  struct NameCase {
    const char* what;
    std::wstring name;
    bool gbk;
  };
  for (const NameCase& n : {NameCase{"Korean", L"한국노래.wav", false}, NameCase{"emoji", L"\U0001F3B5歌曲.wav", false},
                            NameCase{"GBK", L"伴音音乐.wav", true}}) {
    SCOPED_TRACE(n.what);
    const std::wstring chosen = folder / n.name;
    WriteBytes(chosen, n.what);
    const std::wstring back = GetParam().run(folder, chosen, old);
    EXPECT_EQ(back.find(L'?'), std::wstring::npos) << Narrow(back);
    if (n.gbk) {
      EXPECT_EQ(back, chosen) << "a name GBK holds is written as it is";
    }
    // The short form under Wine as on Windows: the same file.
    EXPECT_EQ(FullName(back), FullName(chosen)) << Narrow(back);
    EXPECT_EQ(ReadBytes(back), n.what);

    // A missing file has no short form: the old value stays (the playlist leaves the line out).
    const std::wstring missing = folder / (L"gone " + n.name);
    const std::wstring kept = GetParam().run(folder, missing, old);
    const std::wstring expected = n.gbk ? missing : dropsLines ? L"" : old;
    EXPECT_EQ(kept, expected) << Narrow(kept);
  }
}

INSTANTIATE_TEST_SUITE_P(Writers, StoredNames,
                         testing::Values(WriterCase{"svd25cfg", SvdCfg}, WriterCase{"qv30cfg", Qv30Cfg},
                                         WriterCase{"qvml", Qvml}, WriterCase{"pathfile", PathFile}),
                         [](const auto& info) { return std::string(info.param.name); });

// qvccfg holds no names, but its dates follow the user's short date form, which may hold characters
// GBK lacks: such a date is written in the ISO form and still reads back as the same day.
TEST(StoredNames, AConsoleDateInAFormGbkLacksReadsBackAsTheSameDay) {
  TestFolder folder;
  TDayNumber day = 0;
  ASSERT_TRUE(EncodeDayNumber(2026, 12, 11, day));
  struct Case {
    const char* what;
    std::wstring picture;
    bool asPicture;
  };
  for (const Case& c : {Case{"Korean", L"yyyy'년'M'월'd'일'", false}, Case{"emoji", L"yyyy'\U0001F4C5'MM'\U0001F4C5'dd", false},
                        Case{"GBK", L"yyyy'年'M'月'd'日'", true}}) {
    SCOPED_TRACE(c.what);
    TConsoleConfig config;
    config.DuePic = config.DueScr = config.DueMus = day;
    WriteTextLines(folder / L"qvccfg", WriteConsoleConfigLines(config, c.picture));
    const std::vector<std::wstring> lines = ReadTextLines(folder / L"qvccfg");
    for (const std::wstring& line : lines) EXPECT_EQ(line.find(L'?'), std::wstring::npos) << Narrow(line);
    const ConsoleConfigRead read = ReadConsoleConfigLines(lines, c.picture);
    EXPECT_TRUE(read.errors.empty());
    EXPECT_EQ(read.values.DuePic, day);
    EXPECT_EQ(read.values.DueMus, day);
    const std::wstring text = FormatConfigDate(day, c.picture);
    EXPECT_EQ(text, c.asPicture ? L"2026年12月11日" : L"2026-12-11");
  }
}

}  // namespace
