#pragma once
// The layout of qv30cfg, described once as a table that drives both the reader and the writer.
// Both work on the file's lines as wide strings; the GBK file and its CR LF ends are the shared
// toolkit's business. Values are keyed by the names of the settings dialog's controls, so the
// dialog fills its controls by name from what was read and collects them by name for writing.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <variant>
#include <vector>

inline constexpr const wchar_t* kConfigFileName = L"qv30cfg";
inline constexpr const wchar_t* kConfigWarningLine =
    L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！";
inline constexpr int kConfigLineCount = 12;

enum class ConfigKind {
  Bool,    // "TRUE" / "FALSE"; reads true for "true" in any letter case, false for anything else
  Int,     // decimal, held within min..max
  Index,   // a list's ItemIndex; -1 is no selection
  Colour,  // decimal RGB (0x00BBGGRR); a system colour is written as its current RGB value
  Text,    // a whole line
  Path,    // a whole line holding a full file path
};

struct ConfigItem {
  int line;      // 1-based line of the file
  int position;  // 1-based place of the value in its section line; 0 for a whole line
  const wchar_t* control;
  ConfigKind kind;
  int min, max;      // Int: the control's range
  int items;         // Index: item count of the list as designed; 0 = only the form knows it
  int fallback;      // Index: taken by an index outside the list (-1 = no selection)
  int defaultValue;  // Bool (0/1), Int, Index, Colour (a TColor, possibly a system colour)
  const wchar_t* defaultText;  // Text, Path
  // Set only for a font adjustment: the zoom position the dialog must apply before it, since a
  // changed zoom position resets the adjustment.
  const wchar_t* applyAfter;
};

// Every value of the file, in line and position order.
std::span<const ConfigItem> ConfigLayout();
// nullptr for a name that is not stored in the file.
const ConfigItem* FindConfigItem(const std::wstring& control);
// The order in which the dialog sets its controls from what was read: the layout's order, except
// that each font adjustment comes right after its window's zoom position.
std::vector<const ConfigItem*> ConfigApplyOrder();

// Item counts of lists that only the running dialog knows (the screen-saver list is built at
// start-up, the slogans come from the form); a list not named here has its designed count.
using ConfigListCounts = std::map<std::wstring, int>;

using ConfigValue = std::variant<bool, int, std::wstring>;

// One value per entry of the layout. Asking for a name that is not in the layout, or for the
// wrong kind of value, is a programming error and throws std::invalid_argument.
class ConfigValues {
 public:
  bool Bool(const std::wstring& control) const;
  int Int(const std::wstring& control) const;  // Int, Index and Colour values
  const std::wstring& Text(const std::wstring& control) const;
  void SetBool(const std::wstring& control, bool v);
  void SetInt(const std::wstring& control, int v);
  void SetText(const std::wstring& control, const std::wstring& v);

  const std::map<std::wstring, ConfigValue>& All() const { return values_; }
  bool operator==(const ConfigValues&) const = default;

 private:
  friend ConfigValues DefaultConfigValues(const ConfigListCounts&);
  const ConfigValue& Get(const std::wstring& control) const;
  void Put(const std::wstring& control, ConfigValue v);
  std::map<std::wstring, ConfigValue> values_;
};

// The form's values, which apply when the file is missing.
ConfigValues DefaultConfigValues(const ConfigListCounts& counts = {});

// A value that did not convert: it kept its default, and the standard error box shows message.
struct ConfigError {
  std::wstring control;
  int line;
  int position;
  std::wstring message;  // e.g. "'abc' is not a valid integer value"
  std::wstring value;    // the text that did not convert, as the file holds it
};

struct ConfigReadResult {
  ConfigValues values;
  std::vector<ConfigError> errors;  // in file order
};

// Reads the file's lines (line 1, the warning, is never read; section tags are ignored). Never
// stops early: a value that does not convert keeps its default and is reported; a value missing
// from a short or missing line keeps its default silently; numbers are held within their ranges;
// an index outside its list takes the item's fallback; a colour that is not an RGB value keeps its
// default. Texts and paths are whole lines of any length, read without control characters; a
// missing text line keeps its default.
ConfigReadResult ReadConfigLines(const std::vector<std::wstring>& lines,
                                 const ConfigListCounts& counts = {});

// The one text the user is shown for a damaged file: what was skipped, by line and place, each
// value cut to a readable length with control characters (NUL among them) made visible; at most
// kConfigErrorsListed values are named, the rest counted. Empty when nothing was skipped.
inline constexpr int kConfigErrorsListed = 8;
inline constexpr int kConfigErrorValueChars = 40;
std::wstring ConfigErrorSummary(const std::vector<ConfigError>& errors);

// Puts every path of values in the form the file can keep (StorableName); a path that has none
// takes its value in old instead. Returns the paths that could not be kept.
std::vector<std::wstring> KeepStorableNames(ConfigValues& values, const ConfigValues& old);

// The 12 lines of the file. Line breaks inside a text become spaces, so every text stays one line.
std::vector<std::wstring> WriteConfigLines(const ConfigValues& values);
