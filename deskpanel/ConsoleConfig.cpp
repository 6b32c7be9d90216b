#include "ConsoleConfig.h"

#include <windows.h>

#include <cmath>

#include "Classes.h"
#include "ConfigLine.h"
#include "Text.h"
#include "TextFile.h"

namespace {

using K = ConsoleFieldKind;
using C = TConsoleConfig;

const ConsoleField kLayout[] = {
    {1, L"NHideOnStart", K::Bool, &C::NHideOnStart, 0},
    {2, L"RememberPosMode", K::PosRule, &C::PosRule, 3},
    {3, L"Left", K::Int, &C::Left, 285},
    {4, L"Top", K::Int, &C::Top, 0},
    {5, L"NNoLineLeftOnHideUpwards", K::Bool, &C::NNoLineLeftOnHideUpwards, 0},
    {6, L"Color", K::Colour, &C::Color, double(clSkyBlue)},
    {7, L"DuePic", K::Date, &C::DuePic, 0},
    {8, L"DueScr", K::Date, &C::DueScr, 0},
    {9, L"DueMus", K::Date, &C::DueMus, 0},
};

constexpr int kFieldCount = int(std::size(kLayout));

void Set(TConsoleConfig& c, const ConsoleField& f, double v) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(c.*member)>;
        if constexpr (std::is_same_v<T, bool>) c.*member = v != 0;
        else if constexpr (std::is_same_v<T, int>) c.*member = int(v);
        else c.*member = v;
      },
      f.member);
}

double Get(const TConsoleConfig& c, const ConsoleField& f) {
  return std::visit([&](auto member) { return double(c.*member); }, f.member);
}

// ---- the calendar and the short date form ----

constexpr long long kDayZeroFromCivilEpoch = -25569;  // 1899-12-30 counted from 1970-01-01

long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = (long long)yoe + era * 400 + (m <= 2);
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return kDays[month - 1];
}

std::wstring Picture(const std::wstring& picture) { return picture.empty() ? UserShortDatePicture() : picture; }

std::wstring FormatWithPicture(int y, int m, int d, const std::wstring& picture) {
  SYSTEMTIME st{};
  st.wYear = WORD(y);
  st.wMonth = WORD(m);
  st.wDay = WORD(d);
  wchar_t buf[128];
  int n = GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, picture.c_str(), buf, 128);
  return n > 0 ? std::wstring(buf, size_t(n - 1)) : std::wstring();
}

// Reads 1..maxDigits digits at pos.
bool ReadNumber(const std::wstring& s, size_t& pos, int maxDigits, int& out) {
  int n = 0, v = 0;
  while (pos < s.size() && n < maxDigits && s[pos] >= L'0' && s[pos] <= L'9') {
    v = v * 10 + (s[pos] - L'0');
    ++pos;
    ++n;
  }
  out = v;
  return n > 0;
}

int TwoDigitYear(int yy) {
  DWORD max = 0;
  if (!GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                        &max) ||
      max < 99)
    max = 2049;
  int year = int(max) - int(max) % 100 + yy;
  return year > int(max) ? year - 100 : year;
}

// A month's name as the picture's MMM or MMMM writes it; the longest that matches at pos.
bool ReadMonthName(const std::wstring& s, size_t& pos, const std::wstring& token, int& month) {
  size_t best = 0;
  for (int m = 1; m <= 12; ++m) {
    std::wstring name = FormatWithPicture(2000, m, 1, token);
    if (!name.empty() && name.size() > best && s.compare(pos, name.size(), name) == 0) {
      best = name.size();
      month = m;
    }
  }
  pos += best;
  return best > 0;
}

// The text against GetDateFormat's picture: d dd (day), M MM (month), MMM MMMM (its name), y yy
// yyyy yyyyy (year), ddd dddd and g gg (names that carry no value, skipped), 'quoted' literals.
bool ParseWithPicture(const std::wstring& s, const std::wstring& picture, int& y, int& m, int& d) {
  y = m = d = -1;
  size_t pos = 0;
  for (size_t i = 0; i < picture.size();) {
    wchar_t c = picture[i];
    if (c == L'\'') {
      size_t end = i + 1;
      std::wstring lit;
      while (end < picture.size()) {
        if (picture[end] == L'\'') {
          if (end + 1 < picture.size() && picture[end + 1] == L'\'') {
            lit += L'\'';
            end += 2;
            continue;
          }
          break;
        }
        lit += picture[end++];
      }
      if (s.compare(pos, lit.size(), lit) != 0) return false;
      pos += lit.size();
      i = end + 1;
      continue;
    }
    if (c == L'd' || c == L'M' || c == L'y' || c == L'g') {
      size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      const std::wstring token = picture.substr(i, run);
      i += run;
      if ((c == L'd' && run >= 3) || c == L'g') {
        // A name that only repeats what the numbers say: skip to the next digit or literal.
        wchar_t next = i < picture.size() ? picture[i] : 0;
        while (pos < s.size() && !(s[pos] >= L'0' && s[pos] <= L'9') && s[pos] != next) ++pos;
        continue;
      }
      if (c == L'd') {
        if (!ReadNumber(s, pos, 2, d)) return false;
      } else if (c == L'M') {
        if (run >= 3 ? !ReadMonthName(s, pos, token, m) : !ReadNumber(s, pos, 2, m)) return false;
      } else if (run <= 2) {
        if (!ReadNumber(s, pos, 2, y)) return false;
        y = TwoDigitYear(y);
      } else if (!ReadNumber(s, pos, run, y)) {
        return false;
      }
      continue;
    }
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    ++i;
  }
  return pos == s.size() && y >= 0 && m >= 0 && d >= 0;
}

bool ParseIso(const std::wstring& s, int& y, int& m, int& d) {
  size_t pos = 0;
  if (!ReadNumber(s, pos, 4, y) || pos != 4) return false;
  for (int* part : {&m, &d}) {
    if (pos >= s.size() || (s[pos] != L'-' && s[pos] != L'/' && s[pos] != L'.')) return false;
    ++pos;
    if (!ReadNumber(s, pos, 2, *part)) return false;
  }
  return pos == s.size();
}

std::wstring IsoDate(int y, int m, int d) {
  wchar_t buf[32];
  swprintf(buf, 32, L"%04d-%02d-%02d", y, m, d);
  return buf;
}

// An RGB value, or a system colour: the toolkit keeps those as 0xFF000000 plus the index, older
// versions as 0x80000000 plus the index; both are taken, as the toolkit's own form.
bool ColourValue(int n, int& colour) {
  if (n >= 0 && n <= 0xFFFFFF) {
    colour = n;
    return true;
  }
  const uint32_t u = uint32_t(n), index = u & 0xFF;
  if ((u & 0xFFFFFF00u) != uint32_t(clSystemColor) && (u & 0xFFFFFF00u) != 0x80000000u) return false;
  if (index > COLOR_MENUBAR) return false;
  colour = SysColor(int(index));
  return true;
}

std::wstring FormatField(const ConsoleField& f, const TConsoleConfig& c, const std::wstring& picture) {
  const double v = Get(c, f);
  switch (f.kind) {
    case K::Bool: return v != 0 ? L"TRUE" : L"FALSE";
    case K::PosRule:
    case K::Int:
    case K::Colour: return IntToStr((long long)v);
    case K::Date: return FormatConfigDate(v, picture);
  }
  return {};
}

}  // namespace

std::span<const ConsoleField> ConsoleConfigLayout() { return kLayout; }

TConsoleConfig DefaultConsoleConfig() {
  TConsoleConfig c;
  for (const ConsoleField& f : kLayout) Set(c, f, f.designValue);
  return c;
}

namespace {
// A value as an error text quotes it: cut, control characters made visible, as qv30cfg's box does.
std::wstring Quoted(const std::wstring& text) { return L"'" + ReadableValue(text, 40) + L"'"; }
}  // namespace

ConsoleConfigRead ReadConsoleConfigLines(const std::vector<std::wstring>& lines, const std::wstring& datePicture) {
  ConsoleConfigRead r{DefaultConsoleConfig(), false, {}};
  if (lines.size() < 2) return r;
  const std::vector<std::wstring> fields = SplitConfigFields(lines[1]);
  const std::wstring picture = Picture(datePicture);
  for (const ConsoleField& f : kLayout) {
    if (f.field > int(fields.size())) break;  // a cut-off line: the rest keep their design values
    const std::wstring& text = fields[size_t(f.field - 1)];
    if (f.kind == K::Bool) {
      Set(r.values, f, ConfigTextIsTrue(text));
      continue;
    }
    if (f.kind == K::Date) {
      TDayNumber day = 0;
      if (ParseConfigDate(text, picture, day)) Set(r.values, f, day);
      else r.errors.push_back({f.field, f.name, Quoted(text) + L" is not a valid date"});
      continue;
    }
    int n;
    try {
      n = StrToInt(text);
    } catch (const EConvertError&) {
      r.errors.push_back({f.field, f.name, InvalidIntegerMessage(ReadableValue(text, 40))});
      continue;
    }
    if (f.kind == K::PosRule) {
      Set(r.values, f, n & 0xFF);
      r.placeApplies = text != L"3";
    } else if (f.kind == K::Colour) {
      int colour;
      if (ColourValue(n, colour)) Set(r.values, f, colour);
      else r.errors.push_back({f.field, f.name, Quoted(text) + L" is not a valid colour value"});
    } else {
      Set(r.values, f, n);
    }
  }
  return r;
}

std::vector<std::wstring> WriteConsoleConfigLines(const TConsoleConfig& values, const std::wstring& datePicture) {
  const std::wstring picture = Picture(datePicture);
  std::wstring line = L"[0]";
  for (const ConsoleField& f : kLayout) line += L" " + FormatField(f, values, picture);
  return {kConsoleConfigWarningLine, line};
}

std::wstring ConsoleConfigErrorText(const std::vector<ConsoleConfigError>& errors) {
  if (errors.empty()) return {};
  std::wstring text = L"配置文件qvccfg中有数据无法读取，这些项已改用默认值：";
  for (const ConsoleConfigError& e : errors) text += L"\n第" + IntToStr(e.field) + L"项：" + e.message;
  return text;
}

// ---- dates --------------------------------------------------------------------------------------

std::wstring UserShortDatePicture() {
  wchar_t buf[128];
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, 128);
  return n > 0 ? std::wstring(buf, size_t(n - 1)) : L"yyyy-MM-dd";
}

bool EncodeDayNumber(int year, int month, int dayOfMonth, TDayNumber& day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > DaysInMonth(year, month))
    return false;
  day = double(DaysFromCivil(year, unsigned(month), unsigned(dayOfMonth)) - kDayZeroFromCivilEpoch);
  return true;
}

void DecodeDayNumber(TDayNumber day, int& year, int& month, int& dayOfMonth) {
  long long y;
  unsigned m, d;
  CivilFromDays((long long)std::floor(day) + kDayZeroFromCivilEpoch, y, m, d);
  year = int(y);
  month = int(m);
  dayOfMonth = int(d);
}

std::wstring FormatConfigDate(TDayNumber day, const std::wstring& picture) {
  int y, m, d;
  DecodeDayNumber(day, y, m, d);
  const std::wstring form = Picture(picture);
  std::wstring text = y >= 1601 && y <= 9999 ? FormatWithPicture(y, m, d, form) : std::wstring();
  // Only a text that reads back as the same day: no blank, no character the GBK file loses, and no
  // century lost to a two-digit year.
  int ry, rm, rd;
  if (text.empty() || text.find(L' ') != std::wstring::npos || !TextFileHolds(text) ||
      !ParseWithPicture(text, form, ry, rm, rd) ||
      ry != y || rm != m || rd != d)
    return IsoDate(y, m, d);
  return text;
}

bool ParseConfigDate(const std::wstring& text, const std::wstring& picture, TDayNumber& day) {
  int y, m, d;
  if (ParseWithPicture(text, Picture(picture), y, m, d) && EncodeDayNumber(y, m, d, day)) return true;
  return ParseIso(text, y, m, d) && EncodeDayNumber(y, m, d, day);
}
