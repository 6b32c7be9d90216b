#pragma once
// A deterministic fuzz harness over the readers of the programs' stored files. Each reader joins
// through one row of FuzzReaders() (FuzzReaders.cpp): its name, a real sample file, and a function
// that reads bytes as the program would and says what it kept and what it skipped. Inputs are
// seeded mutations of the sample; every input is checked against the sample's own reading.
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

struct FuzzKept {
  std::string name;    // the setting's name
  int line;            // 1-based line of the file it comes from
  std::wstring value;  // as text
};
struct FuzzSkipped {
  int line;
  std::wstring value;  // the text that was skipped
};
struct FuzzOutcome {
  std::vector<FuzzKept> kept;
  std::vector<FuzzSkipped> skipped;
  std::wstring report;  // what the user is told (one box), empty when nothing was skipped
};

struct FuzzReader {
  std::string name;
  std::string sample;  // the bytes of a real file
  std::function<FuzzOutcome(std::string_view bytes)> read;
};

// Every reader of a stored file, sorted by name.
std::vector<FuzzReader> FuzzReaders();
// The bytes of a file of tests/robustness/fixtures.
std::string FixtureBytes(const std::string& name);

// One mutated input and how it was made ("cut at 17; nul at 3").
struct FuzzInput {
  std::string bytes;
  std::string how;
};
// The kinds of mutation, each applied on its own to the first inputs of a round so that a short
// round meets every kind; later inputs stack one to three at random.
int MutationKinds();
FuzzInput Mutate(const std::string& sample, std::mt19937& random, int forcedKind = -1);

struct FuzzFinding {
  std::string reader, how, problem;
  std::string input;  // the input's first bytes, escaped, to turn into a fixture
};
struct FuzzStats {
  std::string reader;
  size_t inputs = 0, skipped = 0, reports = 0, longestReport = 0;
  double seconds = 0, slowestMs = 0;
  std::vector<FuzzFinding> findings;
};
// Runs count inputs from seed through the reader and checks each: it returns (a hang shows as an
// input slower than kFuzzHangMs), throws nothing, keeps every value of the lines before the first
// changed one as the sample has it, names every skipped value with a line of the input, and tells
// of it in one report of readable length (no NUL, at most kMaxReportChars).
inline constexpr double kFuzzHangMs = 5000;
inline constexpr size_t kMaxReportChars = 2000;
FuzzStats RunFuzz(const FuzzReader& reader, uint32_t seed, size_t count);
// Checks one input (a fixture) the same way; the problems found, empty when none.
std::vector<std::string> CheckFuzzInput(const FuzzReader& reader, const std::string& bytes);
// An input's first bytes as printable C escapes.
std::string EscapeBytes(std::string_view bytes, size_t maxBytes = 120);
