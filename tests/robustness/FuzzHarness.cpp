#include "FuzzHarness.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"

namespace {

using Lines = std::vector<std::string>;  // each with its line end, as in the file

Lines SplitKeepingEnds(const std::string& bytes) {
  Lines lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t nl = bytes.find('\n', start);
    size_t end = nl == std::string::npos ? bytes.size() : nl + 1;
    lines.push_back(bytes.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::string Join(const Lines& lines) {
  std::string s;
  for (const auto& l : lines) s += l;
  return s;
}

size_t Pick(std::mt19937& r, size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(r); }

// Where the runs of decimal digits are, so that numbers can be swapped for bad ones.
std::vector<std::pair<size_t, size_t>> DigitRuns(const std::string& s) {
  std::vector<std::pair<size_t, size_t>> runs;
  for (size_t i = 0; i < s.size();) {
    if (s[i] >= '0' && s[i] <= '9') {
      size_t j = i;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      runs.push_back({i, j - i});
      i = j;
    } else {
      ++i;
    }
  }
  return runs;
}

std::string ReplaceNumber(const std::string& s, std::mt19937& r, const std::vector<std::string>& choices,
                          std::string& how, const char* what) {
  auto runs = DigitRuns(s);
  const std::string& with = choices[Pick(r, choices.size())];
  if (runs.empty()) return s + with;
  auto [at, len] = runs[Pick(r, runs.size())];
  how = std::string(what) + " '" + with + "' at " + std::to_string(at);
  return s.substr(0, at) + with + s.substr(at + len);
}

std::string Utf16Le(const std::string& gbk) {
  std::wstring w = CodePageToWide(gbk, 936);
  std::string out = "\xFF\xFE";
  for (wchar_t c : w) {
    out += char(c & 0xFF);
    out += char((c >> 8) & 0xFF);
  }
  return out;
}

constexpr size_t kMegabyte = 1 << 20;

std::string LongLine(std::mt19937& r) {
  static const char* const fills[] = {"7", "x", " ", "\xC4\xE3", "-", "\x81"};
  std::string unit = fills[Pick(r, std::size(fills))];
  std::string line;
  line.reserve(kMegabyte + 2);
  while (line.size() < kMegabyte) line += unit;
  return line + "\r\n";
}

std::string MutateOnce(const std::string& in, std::mt19937& r, int kind, std::string& how) {
  Lines lines = SplitKeepingEnds(in);
  switch (kind) {
    case 0: {
      size_t at = Pick(r, in.size() + 1);
      how = "cut at " + std::to_string(at);
      return in.substr(0, at);
    }
    case 1: {
      std::string s = in;
      int n = 1 + int(Pick(r, 8));
      how = "flipped";
      for (int i = 0; i < n && !s.empty(); ++i) {
        size_t at = Pick(r, s.size());
        s[at] = char(s[at] ^ char(1 + Pick(r, 255)));
        how += " " + std::to_string(at);
      }
      return s;
    }
    case 2:
      if (lines.empty()) return in;
      {
        size_t at = Pick(r, lines.size());
        how = "deleted line " + std::to_string(at + 1);
        lines.erase(lines.begin() + long(at));
      }
      return Join(lines);
    case 3:
      if (lines.empty()) return in;
      {
        size_t at = Pick(r, lines.size());
        how = "doubled line " + std::to_string(at + 1);
        lines.insert(lines.begin() + long(at), lines[at]);
      }
      return Join(lines);
    case 4:
      if (lines.size() < 2) return in;
      {
        size_t a = Pick(r, lines.size()), b = Pick(r, lines.size());
        how = "swapped lines " + std::to_string(a + 1) + " " + std::to_string(b + 1);
        std::swap(lines[a], lines[b]);
      }
      return Join(lines);
    case 5:
      return ReplaceNumber(in, r, {"99999999999999999999", "2147483648", "4294967296", "2147483647", "65536", "256",
                                   "$FFFFFFFF", "0x7FFFFFFF", "16777216", "1000000"},
                           how, "huge");
    case 6:
      return ReplaceNumber(in, r, {"-1", "-2", "-2147483648", "-2147483649", "-0", "-32768", "-99999999999"}, how,
                           "negative");
    case 7:
      return ReplaceNumber(in, r, {"abc", "1e9", "0x", "$", "", "--5", "+", "1.5", "\xA3\xB1", "TRUE", "$G", " 5 ",
                                   "5-", "\t"},
                           how, "not a number");
    case 8: {
      static const char* const bad[] = {"\x81", "\xFF\xFF", "\x80", "\xFE", "\x81\r", "\xA1\x0A", "\xC4"};
      const char* b = bad[Pick(r, std::size(bad))];
      size_t at = Pick(r, in.size() + 1);
      how = "bad GBK at " + std::to_string(at);
      return in.substr(0, at) + b + in.substr(at);
    }
    case 9: {
      size_t at = Pick(r, in.size() + 1);
      size_t n = 1 + Pick(r, 4);
      how = "NUL x" + std::to_string(n) + " at " + std::to_string(at);
      return in.substr(0, at) + std::string(n, '\0') + in.substr(at);
    }
    case 10: {
      size_t at = Pick(r, lines.size() + 1);
      how = "1 MB line at " + std::to_string(at + 1);
      std::string line = LongLine(r);
      if (at < lines.size() && Pick(r, 2) == 0) {
        // the same line grown: its start (tag and first values) kept, a huge value behind
        std::string head = lines[at];
        while (!head.empty() && (head.back() == '\n' || head.back() == '\r')) head.pop_back();
        lines[at] = head + " " + line;
        how += " (appended)";
      } else {
        lines.insert(lines.begin() + long(at), line);
      }
      return Join(lines);
    }
    case 11:
      how = "empty";
      return {};
    case 12:
      how = "UTF-16";
      return Utf16Le(in);
    case 13: {
      const bool crOnly = Pick(r, 2) == 0;
      how = crOnly ? "CR line ends" : "LF line ends";
      std::string s;
      for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') {
          s += crOnly ? '\r' : '\n';
          ++i;
        } else {
          s += in[i];
        }
      }
      return s;
    }
    case 14: {
      std::string s = in;
      size_t sp = s.find(' ', Pick(r, s.size() + 1));
      if (sp == std::string::npos) sp = s.find(' ');
      if (sp == std::string::npos) return s;
      how = "double space at " + std::to_string(sp);
      return s.insert(sp, " ");
    }
    case 15: {
      // What names a device, a pipe, a share or a page, as a line of its own or in place of one.
      static const char* const names[] = {"COM1", "AUX", "CON", "NUL", "LPT1", "com1.wav", "C:\\music\\PRN.mp3",
                                          "\\\\.\\pipe\\qv", "\\\\qvhost\\share\\a.wav",
                                          "http://127.0.0.1/a.mp3"};
      const std::string name = names[Pick(r, std::size(names))];
      size_t at = Pick(r, lines.size() + 1);
      if (at < lines.size() && Pick(r, 2) == 0) {
        const std::string& old = lines[at];
        const size_t body = old.find_first_of("\r\n");
        lines[at] = name + (body == std::string::npos ? std::string() : old.substr(body));
        how = "device name " + name + " as line " + std::to_string(at + 1);
      } else {
        lines.insert(lines.begin() + long(at), name + "\r\n");
        how = "device name " + name + " before line " + std::to_string(at + 1);
      }
      return Join(lines);
    }
    case 16: {
      // A line that ends in a lone LF or CR, with or without a GBK lead byte before it.
      if (lines.empty()) return in;
      static const char* const ends[] = {"\xB3\n", "\xB3\r", "\x81\n", "\xFE\r", "\n", "\r"};
      const std::string end = ends[Pick(r, std::size(ends))];
      size_t at = Pick(r, lines.size());
      std::string& line = lines[at];
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      line += end;
      how = "line " + std::to_string(at + 1) + " ends in " + EscapeBytes(end);
      return Join(lines);
    }
  }
  return in;
}

constexpr int kKinds = 17;

// Line i (1-based) of both inputs is the same up to, not including, the line returned.
int FirstChangedLine(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return int(i + 1);
  return a.size() == b.size() ? int(n + 1) + 1000000 : int(n + 1);
}

std::string Short(const std::wstring& s) { return WideToUtf8(ReadableValue(s, 60)); }

}  // namespace

int MutationKinds() { return kKinds; }

FuzzInput Mutate(const std::string& sample, std::mt19937& random, int forcedKind) {
  FuzzInput in{sample, {}};
  if (forcedKind >= 0) {
    in.bytes = MutateOnce(sample, random, forcedKind % kKinds, in.how);
    return in;
  }
  int n = 1 + int(Pick(random, 3));
  for (int i = 0; i < n; ++i) {
    // A megabyte line is rare: each one costs a megabyte of work.
    int kind = int(Pick(random, kKinds));
    if (kind == 10 && Pick(random, 50) != 0) kind = 1;
    std::string how;
    in.bytes = MutateOnce(in.bytes, random, kind, how);
    if (!how.empty()) in.how += (in.how.empty() ? "" : "; ") + how;
  }
  return in;
}

std::string EscapeBytes(std::string_view bytes, size_t maxBytes) {
  std::string out;
  char buf[8];
  for (size_t i = 0; i < bytes.size() && i < maxBytes; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += char(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  if (bytes.size() > maxBytes) out += "... (" + std::to_string(bytes.size()) + " bytes)";
  return out;
}

namespace {

std::vector<std::string> Check(const FuzzReader& reader, const FuzzOutcome& sample,
                               const std::vector<std::wstring>& sampleLines, const std::string& bytes,
                               const FuzzOutcome& got) {
  std::vector<std::string> problems;
  const std::vector<std::wstring> lines = DecodeTextLines(bytes);
  const int changed = FirstChangedLine(sampleLines, lines);
  std::map<std::string, const FuzzKept*> before;
  for (const FuzzKept& k : sample.kept)
    if (k.line < changed) before[k.name] = &k;
  for (const FuzzKept& k : got.kept) {
    auto it = before.find(k.name);
    if (it == before.end()) continue;
    if (k.value != it->second->value)
      problems.push_back(k.name + " of line " + std::to_string(k.line) + " (before the first changed line " +
                         std::to_string(changed) + ") reads '" + Short(k.value) + "', the sample '" +
                         Short(it->second->value) + "'");
    before.erase(it);
  }
  for (const auto& [name, k] : before) problems.push_back(name + " of line " + std::to_string(k->line) + " was lost");
  for (const FuzzSkipped& s : got.skipped)
    if (s.line < 1 || s.line > int(lines.size()))
      problems.push_back("a skipped value names line " + std::to_string(s.line) + " of " +
                         std::to_string(lines.size()));
  if (got.skipped.empty() != got.report.empty())
    problems.push_back(got.skipped.empty() ? "a report with nothing skipped" : "values skipped without a report");
  if (got.report.size() > kMaxReportChars)
    problems.push_back("a report of " + std::to_string(got.report.size()) + " characters");
  for (wchar_t c : got.report)
    if (c < L' ' && c != L'\n') {
      problems.push_back("a report holding control character " + std::to_string(int(c)));
      break;
    }
  (void)reader;
  return problems;
}

double MsSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

}  // namespace

std::vector<std::string> CheckFuzzInput(const FuzzReader& reader, const std::string& bytes) {
  const FuzzOutcome sample = reader.read(reader.sample);
  try {
    return Check(reader, sample, DecodeTextLines(reader.sample), bytes, reader.read(bytes));
  } catch (const std::exception& e) {
    return {std::string("threw: ") + e.what()};
  }
}

FuzzStats RunFuzz(const FuzzReader& reader, uint32_t seed, size_t count) {
  FuzzStats stats;
  stats.reader = reader.name;
  const FuzzOutcome sample = reader.read(reader.sample);
  const std::vector<std::wstring> sampleLines = DecodeTextLines(reader.sample);
  std::mt19937 random(seed);
  const auto start = std::chrono::steady_clock::now();
  for (size_t i = 0; i < count; ++i) {
    FuzzInput in = Mutate(reader.sample, random, i < size_t(kKinds) ? int(i) : -1);
    std::vector<std::string> problems;
    const auto t = std::chrono::steady_clock::now();
    try {
      FuzzOutcome got = reader.read(in.bytes);
      const double ms = MsSince(t);
      stats.slowestMs = std::max(stats.slowestMs, ms);
      if (ms > kFuzzHangMs) problems.push_back("took " + std::to_string(int(ms)) + " ms");
      stats.skipped += got.skipped.size();
      stats.reports += !got.report.empty();
      stats.longestReport = std::max(stats.longestReport, got.report.size());
      auto more = Check(reader, sample, sampleLines, in.bytes, got);
      problems.insert(problems.end(), more.begin(), more.end());
    } catch (const std::exception& e) {
      problems.push_back(std::string("threw: ") + e.what());
    } catch (...) {
      problems.push_back("threw");
    }
    for (const std::string& p : problems)
      if (stats.findings.size() < 50) stats.findings.push_back({reader.name, in.how, p, EscapeBytes(in.bytes)});
    ++stats.inputs;
  }
  stats.seconds = MsSince(start) / 1000;
  return stats;
}

std::string FixtureBytes(const std::string& name) {
  std::ifstream in(WideToUtf8(WinPathFromBuild(ROBUSTNESS_FIXTURES)) + "\\" + name, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}
