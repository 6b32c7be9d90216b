#include "RemindWindows.h"

#include <algorithm>
#include <vector>

#include "BkwdSeams.h"
#include "EventLog.h"
#include "Seams.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

namespace {

std::wstring ValueText(const RemindKindInfo& info) {
  switch (info.value) {
    case RemindValue::NextBreakTime: return frmMain ? TimeToStr(frmMain->NextBreakTime(), true) : L"";
    case RemindValue::MinsToBreak: return frmMain ? MinsToBreakText(frmMain->MinsToBreak()) : L"";
    case RemindValue::TimeNow: {
      SYSTEMTIME now = Clock().LocalTime();
      return RemindClockText(now.wHour, now.wMinute);
    }
  }
  return L"";
}

// The windows whose looping sound is ringing.
std::vector<const void*>& LoopOwners() {
  static std::vector<const void*> owners;
  return owners;
}

}  // namespace

int RequestedRemindKind() { return frmMain ? int(frmMain->FRemindKind) : int(rkNextBreak); }

const RemindKindInfo& ShownRemindKind(int kind) {
  const RemindKindInfo* info = FindRemindKind(kind);
  return info ? *info : *FindRemindKind(rkNextBreak);
}

RemindWindowLook GetRemindWindowLook(int kind, ZoomWindow window) {
  RemindWindowLook look = Settings().RemindLook(kind, window);
  look.value = ValueText(*look.info);
  return look;
}

void StartRemindSound(const RemindKindInfo& info, const void* owner) {
  const bool loop = (info.soundFlags & kSndLoop) != 0;
  // One sound at a time: a single chime now would silence an alarm that must ring until clicked.
  if (!loop && !LoopOwners().empty()) return;
  Sound().PlaySound(GetWinDir() + info.sound, loop);
  if (loop && std::find(LoopOwners().begin(), LoopOwners().end(), owner) == LoopOwners().end())
    LoopOwners().push_back(owner);
}

void StopRemindSound(const void* owner) {
  auto& owners = LoopOwners();
  auto it = std::find(owners.begin(), owners.end(), owner);
  if (it == owners.end()) return;
  owners.erase(it);
  if (owners.empty()) Sound().StopAll();
}

bool RemindSoundLooping() { return !LoopOwners().empty(); }

void RemindWindowClicked(const RemindKindInfo& info) {
  if (!frmMain) return;
  switch (info.click) {
    case RemindClick::OpenStatistics: frmMain->NStatClick(nullptr); break;
    case RemindClick::OpenAlarmPage: frmMain->OpenSetupPage(3); break;
    case RemindClick::Nothing: break;
  }
}
