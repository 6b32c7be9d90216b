#include "EventLog.h"

#include <cmath>

#include "Seams.h"
#include "Text.h"

namespace {

constexpr uint32_t kMsPerDay = 86400000;
constexpr uint32_t kMsPerMin = 60000;
// Days from 1601-01-01 (FILETIME's epoch) to 1899-12-30 (TDateTime's).
constexpr long long kFileTimeEpochDays = 109205;

struct KindText {
  uint8_t kind;
  const wchar_t* text;
};
constexpr KindText kKindTexts[] = {
    {ekAppStart, L"程序开始运行"},
    {ekNewCycle, L"开始新的休息周期"},
    {ekApplyExtension, L"申请延长工作时间"},
    {ekIdleBonus, L"空闲补时"},
    {ekIdleReset, L"空闲超时,休息重新计时"},
    {ekIdleResetFull, L"空闲超时,休息重新计时"},
    {ekIdle, L"开始空闲时间"},
    {ekPreBreakHint, L"休息前提醒"},
    {ekCountdown, L"休息倒计时"},
    {ekScheduledBreak, L"计划内强制休息"},
    {ekManualBreak, L"手动强制休息"},
    {ekAutoScreenSaver, L"自动启动屏幕保护"},
    {ekManualScreenSaver, L"手动启动屏幕保护"},
    {ekDisplayOff, L"关闭显示器"},
    {ekExtStandBy, L"外部待机"},
    {ekExtStandByFailed, L"外部待机,失败"},
    {ekAutoStandBy, L"系统自动待机"},
    {ekAutoStandByFailed, L"系统自动待机,失败"},
    {ekManualStandBy, L"手动待机"},
    {ekManualStandByFailed, L"手动待机,失败"},
    {ekExtHibernate, L"外部休眠"},
    {ekExtHibernateFailed, L"外部休眠,失败"},
    {ekAutoHibernate, L"系统休眠"},
    {ekAutoHibernateFailed, L"系统休眠,失败"},
    {ekManualHibernate, L"手动休眠"},
    {ekManualHibernateFailed, L"手动休眠,失败"},
};

bool KindMatches(uint8_t entryKind, uint8_t kind) {
  if (kind == ekAnyPower) return entryKind >= ekExtStandBy && entryKind <= ekManualHibernateFailed;
  if (kind == ekAnyBreak) return entryKind == ekScheduledBreak || entryKind == ekManualBreak;
  return entryKind == kind;
}

std::wstring FromBuffer(const wchar_t* buf, int n) { return n > 0 ? std::wstring(buf, n - 1) : std::wstring(); }

}  // namespace

std::wstring EventKindText(uint8_t kind) {
  for (const auto& k : kKindTexts)
    if (k.kind == kind) return k.text;
  return {};
}

void TEventLog::RecordEventAt(bool newCycle, bool newEntry, uint8_t value, uint8_t kind, uint32_t stamp,
                              uint16_t idleMins) {
  if (kind == ekNone || (!newCycle && FCycles.empty())) return;
  FEventSeq = kind == ekAppStart ? 1 : uint16_t(FEventSeq + 1);
  // The stamp is taken now or moments ago: its distance from the 32-bit count places it on the
  // 64-bit one.
  if (kind == ekAppStart && newEntry)
    FAppStartTick64 = Clock().TickCount64() - uint32_t(Clock().TickCount() - stamp);
  if (newCycle) FCycles.emplace_back();
  TEventCycle& c = FCycles.back();
  TEventEntry* e;
  if (newEntry) {
    c.push_back(TEventEntry{FEventSeq, kind, stamp, 0, 0, 0});
    e = &c.back();
  } else {
    uint16_t i = FindLastEvent(FCycles.size() - 1, kind);
    if (i == kNoEvent) return;
    e = &c[i];
    e->EndTick = kind == ekIdle ? e->StartTick + uint32_t(idleMins) * kMsPerMin : stamp;
    e->EndSeq = FEventSeq;
  }
  if (value != 0) e->Value = value;
}

void TEventLog::RecordEvent(bool newCycle, bool newEntry, uint8_t value, uint8_t kind, bool useTick,
                            uint16_t idleMins) {
  uint32_t stamp = useTick ? Clock().TickCount() : Clock().LastInputTick();
  RecordEventAt(newCycle, newEntry, value, kind, stamp, idleMins);
}

uint16_t TEventLog::FindLastEvent(size_t cycle, uint8_t kind) const {
  if (cycle >= FCycles.size()) return kNoEvent;
  const TEventCycle& c = FCycles[cycle];
  for (size_t i = c.size(); i-- > 0;)
    if (KindMatches(c[i].Kind, kind)) return i < kNoEvent ? uint16_t(i) : kNoEvent;
  return kNoEvent;
}

bool TEventLog::LastEventOpen(uint8_t kind) const {
  if (FCycles.empty()) return false;
  const uint16_t i = FindLastEvent(FCycles.size() - 1, kind);
  return i != kNoEvent && FCycles.back()[i].EndSeq == 0;
}

const TEventEntry* TEventLog::AppStartEntry() const {
  if (FCycles.empty() || FCycles.front().empty()) return nullptr;
  const TEventEntry& e = FCycles.front().front();
  return e.Kind == ekAppStart ? &e : nullptr;
}

TDateTime MsToDateTime(uint32_t ms) {
  uint32_t days = ms / kMsPerDay;
  uint32_t secs = ms % kMsPerDay / 1000;  // the milliseconds are dropped
  return days + secs / 86400.0;
}

TDateTime TickToDateTime(uint32_t stamp, uint32_t nowTick, TDateTime now) {
  uint32_t ahead = stamp - nowTick;
  if (ahead < kMsPerDay) return now + MsToDateTime(ahead);
  return now - MsToDateTime(nowTick - stamp);
}

TDateTime TickToDateTime(uint32_t stamp) { return TickToDateTime(stamp, Clock().TickCount(), ClockNow()); }

TDateTime ClockNow() { return SystemTimeToDateTime(Clock().LocalTime()); }

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
  FILETIME ft;
  if (!SystemTimeToFileTime(&st, &ft)) return 0;
  ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
  long long ms = (long long)(u.QuadPart / 10000) - kFileTimeEpochDays * kMsPerDay;
  return double(ms) / kMsPerDay;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime dt) {
  long long ms = std::llround(dt * kMsPerDay) + kFileTimeEpochDays * kMsPerDay;
  SYSTEMTIME st{};
  if (ms < 0) return st;
  ULARGE_INTEGER u;
  u.QuadPart = (unsigned long long)ms * 10000;
  FILETIME ft{u.LowPart, u.HighPart};
  FileTimeToSystemTime(&ft, &st);
  return st;
}

std::wstring DateToStr(TDateTime dt, LCID locale) {
  SYSTEMTIME st = DateTimeToSystemTime(dt);
  wchar_t buf[128];
  return FromBuffer(buf, GetDateFormatW(locale, DATE_SHORTDATE, &st, nullptr, buf, 128));
}

std::wstring TimeToStr(TDateTime dt, bool withSeconds, LCID locale) {
  SYSTEMTIME st = DateTimeToSystemTime(dt);
  wchar_t buf[128];
  return FromBuffer(buf, GetTimeFormatW(locale, withSeconds ? 0 : TIME_NOSECONDS, &st, nullptr, buf, 128));
}

std::wstring DateTimeToStrNoSeconds(TDateTime dt, LCID locale) {
  return DateToStr(dt, locale) + L" " + TimeToStr(dt, false, locale);
}

std::wstring DurationToStr(uint32_t ms, LCID locale) {
  // Only the time of day of the duration: GetTimeFormat checks the date fields, so any valid
  // date will do.
  SYSTEMTIME st = DateTimeToSystemTime(MsToDateTime(ms % kMsPerDay));
  wchar_t buf[128];
  return FromBuffer(buf, GetTimeFormatW(locale, TIME_NOSECONDS | TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER,
                                        &st, nullptr, buf, 128));
}

std::wstring EventLogLine(uint8_t kind, uint32_t startTick, uint8_t value, uint32_t endTick, uint32_t nowTick,
                          TDateTime now) {
  auto at = [&](uint32_t t) { return DateTimeToStrNoSeconds(TickToDateTime(t, nowTick, now)); };
  std::wstring line = EventKindText(kind) + L": " + at(startTick);
  if (endTick != 0) {
    line += L" 至 " + at(endTick) + L", 约" + DurationToStr(endTick - startTick);
    if (value > 100) line += L", (" + IntToStr(value - 100) + L"% 未完成!)";
  } else if (value > 0 && value < 99) {
    line += L", 约" + IntToStr(value) + L" 分钟";
  }
  return line;
}

std::wstring EventLogLine(uint8_t kind, uint32_t startTick, uint8_t value, uint32_t endTick) {
  return EventLogLine(kind, startTick, value, endTick, Clock().TickCount(), ClockNow());
}
