// The stored-file readers under the fuzz harness: a short fixed-seed round per reader, the inputs
// that once went wrong (kept as fixtures), and damaged qv30cfg files loaded by the real settings
// dialog, which tells of them in one box.
#include <gtest/gtest.h>

#include <random>

#include "ConfigLayout.h"
#include "FuzzHarness.h"
#include "PlaylistFile.h"
#include "SetupFixture.h"
#include "Text.h"
#include "TextFile.h"

namespace {

constexpr uint32_t kCiSeed = 20261210;
constexpr size_t kCiInputs = 600;

std::string Findings(const FuzzStats& s) {
  std::string all;
  for (const FuzzFinding& f : s.findings) all += "\n  " + f.how + ": " + f.problem + "\n    \"" + f.input + "\"";
  return all;
}

class FuzzRound : public testing::TestWithParam<std::string> {};

TEST_P(FuzzRound, FixedSeedFindsNothing) {
  for (const FuzzReader& reader : FuzzReaders()) {
    if (reader.name != GetParam()) continue;
    ASSERT_FALSE(reader.sample.empty()) << "no sample file for " << reader.name;
    // The sample itself reads whole and clean.
    const FuzzOutcome clean = reader.read(reader.sample);
    EXPECT_TRUE(clean.skipped.empty());
    EXPECT_TRUE(clean.report.empty());
    const FuzzStats s = RunFuzz(reader, kCiSeed, kCiInputs);
    EXPECT_EQ(s.inputs, kCiInputs);
    EXPECT_TRUE(s.findings.empty()) << s.findings.size() << " findings:" << Findings(s);
    std::printf("%s: %zu inputs, %zu values skipped, %zu reports (longest %zu), slowest %.1f ms\n",
                s.reader.c_str(), s.inputs, s.skipped, s.reports, s.longestReport, s.slowestMs);
    return;
  }
  FAIL() << "no reader " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzRound, testing::Values("dir1", "qv30cfg", "qvccfg", "qvml", "svd25cfg"),
                         [](const testing::TestParamInfo<std::string>& i) { return i.param; });

TEST(FuzzHarness, EveryReaderHasARoundAndTheMutationsAreSeeded) {
  const auto readers = FuzzReaders();
  ASSERT_EQ(readers.size(), 5u) << "a new reader needs its name in the round's list above";
  std::mt19937 a(7), b(7);
  for (int i = 0; i < 50; ++i) {
    FuzzInput x = Mutate(readers[0].sample, a), y = Mutate(readers[0].sample, b);
    ASSERT_EQ(x.bytes, y.bytes) << x.how;
    ASSERT_EQ(x.how, y.how);
  }
  // Each kind on its own changes the sample.
  for (int k = 0; k < MutationKinds(); ++k) {
    std::mt19937 r(1);
    FuzzInput x = Mutate(readers[1].sample, r, k);
    EXPECT_FALSE(x.how.empty()) << "kind " << k;
  }
}

// Whatever stands before it, a line end ends the line: LF in every file, a lone CR too in a
// playlist. Counted on the bytes of inputs of every kind over every sample.
TEST(FuzzHarness, ALineEndAlwaysEndsALine) {
  auto count = [](std::string_view bytes, bool loneCr) {
    size_t lines = 0, i = 0;
    for (; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') ++lines;
      else if (loneCr && bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) ++lines;
    }
    const char last = bytes.empty() ? '\n' : bytes.back();
    return lines + (last != '\n' && !(loneCr && last == '\r') ? 1 : 0);
  };
  std::mt19937 random(kCiSeed);
  for (const FuzzReader& reader : FuzzReaders())
    for (int i = 0; i < 200; ++i) {
      const FuzzInput in = i < MutationKinds() ? Mutate(reader.sample, random, i) : Mutate(reader.sample, random);
      EXPECT_EQ(DecodeTextLines(in.bytes).size(), count(in.bytes, false)) << reader.name << ": " << in.how;
      const std::string_view text = std::string_view(in.bytes).substr(0, std::min(in.bytes.find('\0'), in.bytes.size()));
      EXPECT_EQ(DecodePlaylistBytes(in.bytes).size(), count(text, true)) << reader.name << ": " << in.how;
    }
}

// ---- the inputs that went wrong, as fixtures ------------------------------------------------

FuzzReader Qv30cfg() {
  for (const FuzzReader& r : FuzzReaders())
    if (r.name == "qv30cfg") return r;
  return {};
}

// A file saved as UTF-16 by an editor: a NUL stands between the characters of every value, and
// the error text used to end at the first one, reading "'". Now one report quotes them readably.
TEST(FuzzFixtures, AUtf16FileIsOneReadableReport) {
  const std::string bytes = FixtureBytes("qv30cfg-utf16");
  ASSERT_GT(bytes.size(), 2u);
  EXPECT_EQ(CheckFuzzInput(Qv30cfg(), bytes), std::vector<std::string>{});
  const FuzzOutcome got = Qv30cfg().read(bytes);
  EXPECT_GT(got.skipped.size(), size_t(kConfigErrorsListed));
  EXPECT_EQ(got.report.find(L'\0'), std::wstring::npos);
  // "[1] 2 45 ...": the second value, 45, with its NULs.
  EXPECT_NE(got.report.find(L"第 3 行第 2 个值：'?4?5?' is not a valid integer value"), std::wstring::npos)
      << Narrow(got.report);
}

// Dozens of bad values: one report, naming the first ones by line and place and counting the rest.
TEST(FuzzFixtures, ADamagedFileIsOneReportOfReadableLength) {
  const std::string bytes = FixtureBytes("qv30cfg-damaged");
  EXPECT_EQ(CheckFuzzInput(Qv30cfg(), bytes), std::vector<std::string>{});
  ConfigReadResult r = ReadConfigLines(DecodeTextLines(bytes));
  ASSERT_GT(r.errors.size(), size_t(kConfigErrorsListed));
  const std::wstring report = ConfigErrorSummary(r.errors);
  EXPECT_EQ(report.rfind(L"qv30cfg 中有 " + IntToStr(r.errors.size()) + L" 个值无法读取，已保留默认值：", 0), 0u)
      << Narrow(report);
  EXPECT_NE(report.find(L"\n第 2 行第 1 个值：'x' is not a valid integer value"), std::wstring::npos) << Narrow(report);
  EXPECT_NE(report.find(L"……另有 " + IntToStr(r.errors.size() - kConfigErrorsListed) + L" 个"), std::wstring::npos);
  EXPECT_LE(report.size(), kMaxReportChars);
}

TEST(FuzzFixtures, AMegabyteValueIsCutInTheReport) {
  std::string bytes = FixtureBytes("qv30cfg");
  const size_t at = bytes.find("[1] ") + 4;
  bytes.insert(at, std::string(1 << 20, '7') + "x");
  EXPECT_EQ(CheckFuzzInput(Qv30cfg(), bytes), std::vector<std::string>{});
  const FuzzOutcome got = Qv30cfg().read(bytes);
  ASSERT_EQ(got.skipped.size(), 1u);
  EXPECT_EQ(got.skipped[0].value.size(), (1u << 20) + 2);  // the million, 'x' and the 2 that was there
  const std::wstring cut = std::wstring(kConfigErrorValueChars, L'7') + L"…";
  EXPECT_NE(got.report.find(L"第 3 行第 1 个值：'" + cut + L"' is not a valid integer value"), std::wstring::npos)
      << Narrow(got.report.substr(0, 300));
  EXPECT_LT(got.report.size(), 200u);
}

struct SummaryCase {
  const char* name;
  std::wstring value;
  std::wstring shown;
};

TEST(FuzzFixtures, ValuesAreQuotedReadably) {
  const SummaryCase cases[] = {
      {"plain", L"abc", L"'abc'"},
      {"NUL inside", std::wstring(L"1\0" L"2", 3), L"'1?2'"},
      {"tab and CR", L"\t5\r", L"'?5?'"},
      {"at the limit", std::wstring(kConfigErrorValueChars, L'9'), L"'" + std::wstring(kConfigErrorValueChars, L'9') + L"'"},
      {"a surrogate pair at the cut",
       std::wstring(kConfigErrorValueChars - 1, L'a') + L"\xD83D\xDE00", L"'" + std::wstring(kConfigErrorValueChars - 1, L'a') + L"…'"},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring text = ConfigErrorSummary({{L"updSCR", 4, 1, L"", c.value}});
    EXPECT_NE(text.find(L"第 4 行第 1 个值：" + c.shown + L" is not a valid integer value"), std::wstring::npos)
        << Narrow(text);
  }
  EXPECT_EQ(ConfigErrorSummary({}), L"");
}

// ---- damaged files in the real settings dialog ------------------------------------------------

// Answers every box with OK and keeps what it showed.
class CountingDialogs : public DialogSeam {
 public:
  CountingDialogs() : saved_(&Dialogs()) { SetDialogSeam(this); }
  ~CountingDialogs() override { SetDialogSeam(saved_); }
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    shown.push_back({nullptr, text, caption, flags});
    return IDOK;
  }
  std::vector<ScriptedDialogs::Box> shown;

 private:
  DialogSeam* saved_;
};

class DamagedConfig : public SetupDialog {};

TEST_F(DamagedConfig, OneBoxNamesWhatWasSkippedAndTheStartUpGoesOn) {
  CountingDialogs boxes;
  std::vector<std::wstring> lines = DefaultConfigFileLines();
  lines[1] = L"[0] 9x";
  lines[2] = L"[1] 3 4" + std::wstring(1, L'\0') + L"5 TRUE FALSE";
  lines[3] = L"[2] " + std::wstring(300000, L'8') + L"y 1";
  WriteConfig(lines);
  Create();
  ASSERT_EQ(boxes.shown.size(), 1u);
  const std::wstring& text = boxes.shown[0].text;
  EXPECT_TRUE(boxes.shown[0].flags & MB_ICONERROR);
  EXPECT_NE(text.find(L"第 2 行第 1 个值：'9x'"), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"第 3 行第 2 个值：'4?5'"), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"第 4 行第 1 个值：'" + std::wstring(kConfigErrorValueChars, L'8') + L"…'"), std::wstring::npos);
  EXPECT_LT(text.size(), 400u);
  // The values kept stay as before: the bad ones their defaults, the good ones read.
  EXPECT_EQ(setup->cbxBreakPlanPreSet->ItemIndex(), 2);
  EXPECT_EQ(setup->rbxSelectBreakMode->ItemIndex(), 3);
  EXPECT_TRUE(setup->cbxNotShowFrmBreakHintLastOneMin_FreeMode->Checked());
  EXPECT_EQ(setup->updSCR->Position(), 2);
  EXPECT_EQ(main->FWorkMins, 49) << "the start-up finished";
}

// Fuzzed files (one of each kind of damage) through the dialog's whole load: the form layer takes
// whatever the reader kept, and no file raises more than one box.
TEST_F(DamagedConfig, FuzzedFilesLoadWithAtMostOneBox) {
  const FuzzReader reader = Qv30cfg();
  std::mt19937 random(kCiSeed);
  for (int kind = 0; kind < MutationKinds(); ++kind) {
    FuzzInput in = Mutate(reader.sample, random, kind);
    SCOPED_TRACE(in.how);
    {
      std::FILE* f = _wfopen(ConfigPath().c_str(), L"wb");
      ASSERT_TRUE(f);
      std::fwrite(in.bytes.data(), 1, in.bytes.size(), f);
      std::fclose(f);
    }
    CountingDialogs boxes;
    Create();
    EXPECT_LE(boxes.shown.size(), 1u);
    for (const auto& b : boxes.shown) EXPECT_LE(b.text.size(), kMaxBoxTextChars);
    EXPECT_NE(main->FWorkMins, 0) << "the start-up finished";
    TComponent::Free(setup);
    setup = nullptr;
    PumpMessages();
  }
}

}  // namespace
