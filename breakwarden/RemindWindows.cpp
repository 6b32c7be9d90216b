#include "RemindWindows.h"

#include <algorithm>
#include <vector>

#include "BkwdSeams.h"
#include "ConfigLayout.h"
#include "EventLog.h"
#include "Seams.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

TColor DefaultColour(const wchar_t* control) {
  const ConfigItem* item = control ? FindConfigItem(control) : nullptr;
  return item ? TColor(item->defaultValue) : clGray;
}

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

RemindWindowLook GetRemindWindowLook(int kind, ZoomWindow window) {
  const RemindKindInfo* info = FindRemindKind(kind);
  if (!info) info = FindRemindKind(rkNextBreak);
  RemindWindowLook look{info, ValueText(*info), info->content ? info->content : L"", 0, 0, zmAuto, 0, 0};
  if (frmSetup) {
    TfrmSetup::TRemindZoom z = frmSetup->RemindWindowZoom(window);
    look.zoomMode = z.mode;
    look.percent = z.percent;
    look.fontAdjust = z.fontAdjust;
    look.body = frmSetup->RemindBodyColor(info->kind);
    look.border = frmSetup->RemindBorderColor(info->kind);
    look.content = frmSetup->RemindContent(info->kind);
  } else {
    // Without the settings dialog: its defaults.
    look.percent = ZoomPercentForMode(zmAuto, 0, Screen->Width(), Screen->Height());
    look.fontAdjust = ZoomPercentChanged(window, look.percent).fontAdjust;
    look.body = DefaultColour(info->bodyColour);
    look.border = DefaultColour(info->borderColour);
    if (!info->content) {
      const ConfigItem* item = FindConfigItem(info->contentControl);
      look.content = item && item->defaultText ? item->defaultText : L"";
    }
  }
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
