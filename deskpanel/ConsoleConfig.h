#pragma once
// The layout of qvccfg, described once as a table that drives the reader, the writer and the
// defaults. The file is two lines: the warning line, then the tag "[0]" and nine fields, each after
// one blank. Both sides work on the lines as wide strings; GBK and CR LF are the shared toolkit's.
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "Graphics.h"

inline constexpr const wchar_t* kConsoleConfigFileName = L"qvccfg";
inline constexpr const wchar_t* kConsoleConfigWarningLine =
    L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！";

// Day numbers: whole days, day 0 = 30 December 1899.
using TDayNumber = double;

// What the file holds, named as the bar's items and values are.
struct TConsoleConfig {
  bool NHideOnStart = false;
  int PosRule = 3;  // 0 remember on exit, 1 remembered by hand, 3 not remembered (2 clicks "不记住位置")
  int Left = 285;
  int Top = 0;
  bool NNoLineLeftOnHideUpwards = false;
  int Color = int(clSkyBlue);
  TDayNumber DuePic = 0, DueScr = 0, DueMus = 0;
  bool operator==(const TConsoleConfig&) const = default;
};

enum class ConsoleFieldKind {
  Bool,     // "TRUE" / "FALSE"; true when the lower-cased text is "true", false for anything else
  PosRule,  // decimal, taken as an unsigned byte
  Int,      // signed decimal
  Colour,   // decimal RGB (0x00BBGGRR), or a system colour, read into the toolkit's form
  Date,     // the locale's short date form; ISO (yyyy-mm-dd) is read too, and written when the short form holds a blank
};

struct ConsoleField {
  int field;            // 1-based place in line 2, after the tag
  const wchar_t* name;  // the item or value it stands for
  ConsoleFieldKind kind;
  std::variant<bool TConsoleConfig::*, int TConsoleConfig::*, TDayNumber TConsoleConfig::*> member;
  double designValue;  // taken without a file, for a missing field and for one that does not convert
};

std::span<const ConsoleField> ConsoleConfigLayout();
// The design values: no start hidden, not remembered, Left 285, Top 0, the strip, sky blue, due.
TConsoleConfig DefaultConsoleConfig();

// A field that did not convert: it took its design value.
struct ConsoleConfigError {
  int field;
  std::wstring name;
  std::wstring message;  // e.g. "'abc' is not a valid integer value"
};

struct ConsoleConfigRead {
  TConsoleConfig values;
  // The place (fields 3 and 4) applies unless field 2 is exactly "3"; a missing or bad field 2 is
  // its design value "3", so the design place stays then.
  bool placeApplies = false;
  std::vector<ConsoleConfigError> errors;  // in field order
};

// Reads the file's lines (line 1 is never read; the tag before the first blank is dropped; two
// blanks in a row make an empty field). Never stops early: a missing field keeps its design value
// silently, a bad one keeps it and is reported. datePicture: the short date form to read
// (GetDateFormat's picture); empty means the user's locale.
ConsoleConfigRead ReadConsoleConfigLines(const std::vector<std::wstring>& lines, const std::wstring& datePicture = L"");
// The two lines of the file.
std::vector<std::wstring> WriteConsoleConfigLines(const TConsoleConfig& values, const std::wstring& datePicture = L"");
// One text for the error box: every skipped field, once; empty when nothing was skipped.
std::wstring ConsoleConfigErrorText(const std::vector<ConsoleConfigError>& errors);

// ---- dates ------------------------------------------------------------------------------------

// The user's short date form (LOCALE_SSHORTDATE).
std::wstring UserShortDatePicture();
// A day number as the file writes it: in the short form of picture (empty: the user's), or as ISO
// yyyy-mm-dd when that form would hold a blank (line 2 is split at blanks) or would not read back as
// the same day (a two-digit year outside its century window).
std::wstring FormatConfigDate(TDayNumber day, const std::wstring& picture = L"");
// Reads a date in the short form of picture, else as ISO yyyy-mm-dd (also with '/' or '.').
// False when it is neither; day is then unchanged.
bool ParseConfigDate(const std::wstring& text, const std::wstring& picture, TDayNumber& day);
// Calendar conversions (proleptic Gregorian); false for a date that does not exist.
bool EncodeDayNumber(int year, int month, int dayOfMonth, TDayNumber& day);
void DecodeDayNumber(TDayNumber day, int& year, int& month, int& dayOfMonth);
