#include "ConfigLayout.h"

#include <algorithm>
#include <stdexcept>

#include "Classes.h"
#include "ConfigLine.h"
#include "Graphics.h"
#include "Text.h"
#include "TextFile.h"

namespace {

using K = ConfigKind;
constexpr int kNoRange = 0;
constexpr const wchar_t* kAlarmTextDefault = L"在这里输入提醒内容。";

// Rows by kind, so that the table below reads as the file's layout.
constexpr ConfigItem BoolAt(int line, int pos, const wchar_t* c, bool def) {
  return {line, pos, c, K::Bool, kNoRange, kNoRange, 0, -1, def ? 1 : 0, nullptr, nullptr};
}
constexpr ConfigItem IntAt(int line, int pos, const wchar_t* c, int min, int max, int def,
                         const wchar_t* after = nullptr) {
  return {line, pos, c, K::Int, min, max, 0, -1, def, nullptr, after};
}
constexpr ConfigItem ListAt(int line, int pos, const wchar_t* c, int items, int def, int fallback = -1) {
  return {line, pos, c, K::Index, kNoRange, kNoRange, items, fallback, def, nullptr, nullptr};
}
constexpr ConfigItem ColourAt(int line, int pos, const wchar_t* c, TColor def) {
  return {line, pos, c, K::Colour, kNoRange, kNoRange, 0, -1, def, nullptr, nullptr};
}
constexpr ConfigItem LineAt(int line, const wchar_t* c, K kind, const wchar_t* def) {
  return {line, 0, c, kind, kNoRange, kNoRange, 0, -1, 0, def, nullptr};
}

constexpr TColor kGrey = 8421504, kYellow = 65535, kWhite = 16777215;

const ConfigItem kLayout[] = {
    // [0]: an unknown plan would leave the plan code without a valid selection
    ListAt(2, 1, L"cbxBreakPlanPreSet", 6, 2, 2),
    // [1]: with no mode no tray item would be checked, so a bad mode is the free mode
    ListAt(3, 1, L"rbxSelectBreakMode", 4, 0, 0),
    IntAt(3, 2, L"scbInterfereIntensity", 15, 45, 30),
    BoolAt(3, 3, L"cbxNotShowFrmBreakHintLastOneMin_FreeMode", false),
    BoolAt(3, 4, L"cbxNotShowFrmBreakHintLastOneMin_PasswordMode", false),
    // [2]: the saver list always holds "(无)" and the own saver; the rest is found at start-up. A
    // saver no longer in the list selects none (a start then runs the own saver).
    IntAt(4, 1, L"updSCR", 1, 20, 2),
    ListAt(4, 2, L"cbbSCRSavers", 2, 1),
    BoolAt(4, 3, L"cbxEnableShutDownDisplayer", false),
    IntAt(4, 4, L"updShutDownDisplayer", 5, 60, 10),
    BoolAt(4, 5, L"cbxEnableSuspend", false),
    IntAt(4, 6, L"updLetSuspend", 20, 100, 30),
    BoolAt(4, 7, L"cbxRandomSCR", false),
    ListAt(4, 8, L"cbbStandByOrSleep", 2, 0),
    BoolAt(4, 9, L"cbxUseSaverDeck", false),
    BoolAt(4, 10, L"cbxBanYing", false),
    BoolAt(4, 11, L"cbxAutoRestoreDisabledSCR", true),
    IntAt(4, 12, L"updRestoreSCRAfterMins", 5, 60, 30),
    // [3]
    BoolAt(5, 1, L"cbxRemindOnHour", true),
    BoolAt(5, 2, L"cbxRemindOnHalfHour", false),
    BoolAt(5, 3, L"cbxRemindOnce1", false),
    ListAt(5, 4, L"cbxHourOfRemindOnce1", 24, 0),
    ListAt(5, 5, L"cbxMinOfRemindOnce1", 60, 0),
    BoolAt(5, 6, L"cbxRemindOnce2", false),
    ListAt(5, 7, L"cbxHourOfRemindOnce2", 24, 0),
    ListAt(5, 8, L"cbxMinOfRemindOnce2", 60, 0),
    ListAt(5, 9, L"cbbSelectRemindHourWindow", 2, 1),
    ListAt(5, 10, L"cbbSelectRemindOnceWindow", 2, 1),
    ColourAt(5, 11, L"clbRemindHourWindowColorBody", kGrey),
    ColourAt(5, 12, L"clbRemindHourWindowColorBorder", kYellow),
    ColourAt(5, 13, L"clbRemindOnceWindowColorBody", kGrey),
    ColourAt(5, 14, L"clbRemindOnceWindowColorBorder", kYellow),
    // [4]: the slogan's font size in points (FontDialog1 sets no limit of its own, so the file's
    // value is held to sizes a font can take); the slogans are the form's list
    ListAt(6, 1, L"cbbBreakInterface", 14, 0),
    BoolAt(6, 2, L"cbxRandomInterface", false),
    BoolAt(6, 3, L"cbxShowSlogan", true),
    IntAt(6, 4, L"FontDialog1", 1, 1638, 24),
    ListAt(6, 5, L"cbbSlogan", 0, 5),
    IntAt(6, 6, L"updFadeInSpeed", 1, 150, 32),
    IntAt(6, 7, L"UpdFadeInStep", 1, 36, 12),
    IntAt(6, 8, L"updTransparency", 100, 255, 200),
    IntAt(6, 9, L"updMoiseStrenth", 1, 150, 112),
    // [5]
    IntAt(7, 1, L"updFontAdjustOfCountDownWindow", -15, 15, 0, L"scbZoomRateCountDownWindow"),
    ListAt(7, 2, L"cbbZoomRateCountDownWindow", 3, 1),
    IntAt(7, 3, L"scbZoomRateCountDownWindow", 0, 100, 0),
    ListAt(7, 4, L"cbbSelectBreakHintSmallWindow", 2, 0),
    ColourAt(7, 5, L"clbBreakHintSmallWindowColorBody", clActiveCaption),
    ColourAt(7, 6, L"clbBreakHintSmallWindowColorBorder", kWhite),
    // [6]: the centre window's adjustment range follows the zoom (percent div 10 +- 3), so a saved
    // adjustment may be as high as 13
    IntAt(8, 1, L"updFontAdjustOfHintSmallWindow", -15, 15, 0, L"scbZoomRateHintSmallWindow"),
    IntAt(8, 2, L"updFontAdjustOfRemindCenterWindow", -3, 13, 0, L"scbZoomRateRemindCenterWindow"),
    ListAt(8, 3, L"cbbZoomRateHintSmallWindow", 3, 1),
    ListAt(8, 4, L"cbbZoomRateRemindCenterWindow", 3, 1),
    IntAt(8, 5, L"scbZoomRateHintSmallWindow", 0, 100, 0),
    IntAt(8, 6, L"scbZoomRateRemindCenterWindow", 0, 100, 0),
    // [7]
    BoolAt(9, 1, L"cbxShowSOT", true),
    BoolAt(9, 2, L"cbxHarwareIsLaptop", false),
    LineAt(10, L"edtContentOfRemindOnce1", K::Text, kAlarmTextDefault),
    LineAt(11, L"edtContentOfRemindOnce2", K::Text, kAlarmTextDefault),
    LineAt(12, L"OpenPictureDialog1", K::Path, L""),
};

constexpr int kFirstSectionLine = 2, kLastSectionLine = 9;

bool IsLine(K kind) { return kind == K::Text || kind == K::Path; }

int ItemCount(const ConfigItem& item, const ConfigListCounts& counts) {
  auto it = counts.find(item.control);
  return it != counts.end() ? it->second : item.items;
}

int HoldIndex(const ConfigItem& item, int count, int v) {
  if (count <= 0) return v >= -1 ? v : -1;  // a list only the form knows: it checks the index
  if (v >= 0 && v < count) return v;
  return item.fallback >= 0 && item.fallback < count ? item.fallback : -1;
}

std::wstring OneLine(const std::wstring& s) {
  std::wstring out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'\r' && i + 1 < s.size() && s[i + 1] == L'\n') continue;  // CR LF is one break
    out += (s[i] == L'\r' || s[i] == L'\n') ? L' ' : s[i];
  }
  return out;
}

std::wstring FormatValue(const ConfigItem& item, const ConfigValues& v) {
  switch (item.kind) {
    case K::Bool: return v.Bool(item.control) ? L"TRUE" : L"FALSE";
    case K::Colour: return IntToStr(ColorToRGB(v.Int(item.control)));
    case K::Int:
    case K::Index: return IntToStr(v.Int(item.control));
    case K::Text:
    case K::Path: return OneLine(v.Text(item.control));
  }
  return {};
}

}  // namespace

std::span<const ConfigItem> ConfigLayout() { return kLayout; }

const ConfigItem* FindConfigItem(const std::wstring& control) {
  for (const ConfigItem& item : kLayout)
    if (control == item.control) return &item;
  return nullptr;
}

std::vector<const ConfigItem*> ConfigApplyOrder() {
  std::vector<const ConfigItem*> order;
  for (const ConfigItem& item : kLayout) {
    if (item.applyAfter) continue;
    order.push_back(&item);
    for (const ConfigItem& later : kLayout)
      if (later.applyAfter && std::wstring_view(later.applyAfter) == item.control) order.push_back(&later);
  }
  return order;
}

const ConfigValue& ConfigValues::Get(const std::wstring& control) const {
  auto it = values_.find(control);
  if (it == values_.end()) throw std::invalid_argument("not stored in qv30cfg: " + WideToUtf8(control));
  return it->second;
}

void ConfigValues::Put(const std::wstring& control, ConfigValue v) {
  auto it = values_.find(control);
  if (it == values_.end()) throw std::invalid_argument("not stored in qv30cfg: " + WideToUtf8(control));
  if (it->second.index() != v.index())
    throw std::invalid_argument("wrong kind of value for " + WideToUtf8(control));
  it->second = std::move(v);
}

bool ConfigValues::Bool(const std::wstring& control) const {
  const ConfigValue& v = Get(control);
  if (!std::holds_alternative<bool>(v)) throw std::invalid_argument("not a boolean: " + WideToUtf8(control));
  return std::get<bool>(v);
}

int ConfigValues::Int(const std::wstring& control) const {
  const ConfigValue& v = Get(control);
  if (!std::holds_alternative<int>(v)) throw std::invalid_argument("not a number: " + WideToUtf8(control));
  return std::get<int>(v);
}

const std::wstring& ConfigValues::Text(const std::wstring& control) const {
  const ConfigValue& v = Get(control);
  if (!std::holds_alternative<std::wstring>(v)) throw std::invalid_argument("not a text: " + WideToUtf8(control));
  return std::get<std::wstring>(v);
}

void ConfigValues::SetBool(const std::wstring& control, bool v) { Put(control, v); }
void ConfigValues::SetInt(const std::wstring& control, int v) { Put(control, v); }
void ConfigValues::SetText(const std::wstring& control, const std::wstring& v) { Put(control, v); }

ConfigValues DefaultConfigValues(const ConfigListCounts& counts) {
  ConfigValues v;
  for (const ConfigItem& item : kLayout) {
    ConfigValue value;
    switch (item.kind) {
      case K::Bool: value = item.defaultValue != 0; break;
      case K::Index: value = HoldIndex(item, ItemCount(item, counts), item.defaultValue); break;
      case K::Int:
      case K::Colour: value = item.defaultValue; break;
      case K::Text:
      case K::Path: value = std::wstring(item.defaultText); break;
    }
    v.values_.emplace(item.control, std::move(value));
  }
  return v;
}

ConfigReadResult ReadConfigLines(const std::vector<std::wstring>& lines, const ConfigListCounts& counts) {
  ConfigReadResult r{DefaultConfigValues(counts), {}};
  std::vector<std::vector<std::wstring>> sections(kLastSectionLine + 1);
  std::vector<size_t> positions(kLastSectionLine + 1, 0);
  for (const ConfigItem& item : kLayout)
    if (!IsLine(item.kind)) positions[item.line] = std::max(positions[item.line], size_t(item.position));
  for (int n = kFirstSectionLine; n <= kLastSectionLine && n <= int(lines.size()); ++n)
    sections[n] = SplitConfigFields(lines[n - 1], positions[n]);

  for (const ConfigItem& item : kLayout) {
    if (IsLine(item.kind)) {
      // A damaged line's NUL, CR or other control character is not written back.
      if (item.line <= int(lines.size())) r.values.SetText(item.control, CleanConfigText(lines[item.line - 1]));
      continue;
    }
    const auto& values = sections[item.line];
    if (item.position > int(values.size())) continue;  // an older or cut-off line: keep the default
    const std::wstring& text = values[item.position - 1];
    if (item.kind == K::Bool) {
      r.values.SetBool(item.control, ConfigTextIsTrue(text));
      continue;
    }
    int n;
    try {
      n = StrToInt(text);
    } catch (const EConvertError& e) {
      r.errors.push_back({item.control, item.line, item.position, e.Message(), text});
      continue;
    }
    switch (item.kind) {
      case K::Int: r.values.SetInt(item.control, std::clamp(n, item.min, item.max)); break;
      case K::Index: r.values.SetInt(item.control, HoldIndex(item, ItemCount(item, counts), n)); break;
      case K::Colour:
        if (n >= 0 && n <= 0xFFFFFF) r.values.SetInt(item.control, n);
        break;
      default: break;
    }
  }
  return r;
}

std::wstring ConfigErrorSummary(const std::vector<ConfigError>& errors) {
  std::vector<ConfigSkip> skips;
  for (const ConfigError& e : errors) skips.push_back({e.line, e.position, e.value});
  return ConfigSkipSummary(kConfigFileName, skips, kConfigErrorsListed, kConfigErrorValueChars);
}

std::vector<std::wstring> WriteConfigLines(const ConfigValues& values) {
  std::vector<std::wstring> lines(kConfigLineCount);
  lines[0] = kConfigWarningLine;
  for (int n = kFirstSectionLine; n <= kLastSectionLine; ++n)
    lines[n - 1] = L"[" + IntToStr(n - kFirstSectionLine) + L"]";
  for (const ConfigItem& item : kLayout) {
    std::wstring text = FormatValue(item, values);
    if (IsLine(item.kind))
      lines[item.line - 1] = text;
    else
      lines[item.line - 1] += L" " + text;
  }
  return lines;
}

std::vector<std::wstring> KeepStorableNames(ConfigValues& values, const ConfigValues& old) {
  NameKeeper keeper;
  for (const ConfigItem& item : ConfigLayout())
    if (item.kind == K::Path)
      values.SetText(item.control, keeper.Keep(values.Text(item.control), old.Text(item.control)));
  return keeper.Lost();
}
