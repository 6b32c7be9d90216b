// The readers of stored files under the fuzz harness, one row each. A new reader adds its row:
// a name, a real sample file from fixtures/, and its read through the program's own code.
#include <algorithm>
#include <type_traits>
#include <variant>

#include "ConfigLayout.h"
#include "ConsoleConfig.h"
#include "FuzzHarness.h"
#include "PlaylistFile.h"
#include "PlayerConfig.h"
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

// svd25cfg as the player's settings dialog reads it: the lines, the layout, and the one box it shows.
FuzzOutcome ReadSvd25cfg(std::string_view bytes) {
  const PlayerConfigRead r = ReadPlayerConfigLines(DecodeTextLines(bytes));
  FuzzOutcome out;
  std::wstring folders;
  for (const PlayerConfigField& f : PlayerConfigLayout()) {
    const std::string name = WideToUtf8(f.control);
    std::visit(
        [&](auto member) {
          const auto& v = r.values.*member;
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, bool>) out.kept.push_back({name, f.line, v ? L"TRUE" : L"FALSE"});
          else if constexpr (std::is_same_v<T, int>) out.kept.push_back({name, f.line, IntToStr(v)});
          else if constexpr (std::is_same_v<T, std::wstring>) out.kept.push_back({name, f.line, v});
          // The folders are one list: it stands on the last folder line, as any folder line may change it.
          else if (f.field == kMusicFolderSlots)
            for (const std::wstring& d : v) folders += d + L"|";
        },
        f.member);
    if (f.kind == PlayerFieldKind::Folder && f.field == kMusicFolderSlots)
      out.kept.push_back({name + ".Items", f.line, folders});
  }
  for (const ConfigSkip& s : r.skipped) out.skipped.push_back({s.line, s.value});
  out.report = PlayerConfigErrorText(r.skipped);
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

// qvccfg as the console bar reads it (dates in the ISO form, whatever the machine's locale).
FuzzOutcome ReadQvccfg(std::string_view bytes) {
  constexpr int kLine = 2;  // every field stands on line 2, after the warning line
  const ConsoleConfigRead r = ReadConsoleConfigLines(DecodeTextLines(bytes), L"yyyy-MM-dd");
  FuzzOutcome out;
  for (const ConsoleField& f : ConsoleConfigLayout()) {
    std::wstring text;
    std::visit(
        [&](auto member) {
          const auto& v = r.values.*member;
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, bool>) text = v ? L"TRUE" : L"FALSE";
          else if constexpr (std::is_same_v<T, int>) text = IntToStr(v);
          else text = FormatConfigDate(v, L"yyyy-MM-dd");
        },
        f.member);
    out.kept.push_back({WideToUtf8(f.name), kLine, text});
  }
  for (const ConsoleConfigError& e : r.errors) out.skipped.push_back({kLine, e.message});
  out.report = ConsoleConfigErrorText(r.errors);
  return out;
}

}  // namespace

std::vector<FuzzReader> FuzzReaders() {
  std::vector<FuzzReader> readers = {
      {"qv30cfg", FixtureBytes("qv30cfg"), ReadQv30cfg},
      {"dir1", FixtureBytes("dir1"), ReadPathFileBytes},
      {"qvml", FixtureBytes("list.qvml"), ReadQvmlBytes},
      {"svd25cfg", FixtureBytes("svd25cfg"), ReadSvd25cfg},
      {"qvccfg", FixtureBytes("qvccfg"), ReadQvccfg},
  };
  std::sort(readers.begin(), readers.end(), [](const FuzzReader& a, const FuzzReader& b) { return a.name < b.name; });
  return readers;
}
