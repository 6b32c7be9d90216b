// The readers of stored files under the fuzz harness, one row each. A new reader adds its row:
// a name, a real sample file from fixtures/, and its read through the program's own code.
#include <algorithm>

#include "ConfigLayout.h"
#include "FuzzHarness.h"
#include "PlaylistFile.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

std::wstring ValueText(const ConfigValue& v) {
  if (auto* b = std::get_if<bool>(&v)) return *b ? L"TRUE" : L"FALSE";
  if (auto* i = std::get_if<int>(&v)) return IntToStr(*i);
  return std::get<std::wstring>(v);
}

// qv30cfg as the settings dialog reads it: the lines, the layout, and the one box it shows.
FuzzOutcome ReadQv30cfg(std::string_view bytes) {
  // The screen-saver list of a machine with three savers; the form's eight slogans.
  static const ConfigListCounts counts{{L"cbbSCRSavers", 5}, {L"cbbSlogan", 8}};
  ConfigReadResult r = ReadConfigLines(DecodeTextLines(bytes), counts);
  FuzzOutcome out;
  for (const auto& [name, value] : r.values.All())
    out.kept.push_back({WideToUtf8(name), FindConfigItem(name)->line, ValueText(value)});
  for (const ConfigError& e : r.errors) out.skipped.push_back({e.line, e.value});
  out.report = ConfigErrorSummary(r.errors);
  return out;
}

// A path file (dir1...dir5): line 1 the executable's path, line 2 the version; nothing is skipped.
FuzzOutcome ReadPathFileBytes(std::string_view bytes) {
  const std::vector<std::wstring> lines = DecodeTextLines(bytes);
  FuzzOutcome out;
  out.kept.push_back({"path", 1, PathFileLine(lines)});
  if (lines.size() > 1) out.kept.push_back({"version", 2, lines[1]});
  return out;
}

// A playlist file (.qvml): every line is an entry, whatever it holds; nothing is skipped, and the
// text ends at a NUL.
FuzzOutcome ReadQvmlBytes(std::string_view bytes) {
  FuzzOutcome out;
  const std::vector<std::wstring> lines = DecodePlaylistBytes(bytes);
  for (size_t i = 0; i < lines.size(); ++i) out.kept.push_back({"entry " + std::to_string(i + 1), int(i + 1), lines[i]});
  return out;
}

}  // namespace

std::vector<FuzzReader> FuzzReaders() {
  std::vector<FuzzReader> readers = {
      {"qv30cfg", FixtureBytes("qv30cfg"), ReadQv30cfg},
      {"dir1", FixtureBytes("dir1"), ReadPathFileBytes},
      {"qvml", FixtureBytes("list.qvml"), ReadQvmlBytes},
  };
  std::sort(readers.begin(), readers.end(), [](const FuzzReader& a, const FuzzReader& b) { return a.name < b.name; });
  return readers;
}
