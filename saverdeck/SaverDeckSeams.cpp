#include "SaverDeckSeams.h"

#include <shlobj.h>

#include "Seams.h"
#include "uniQVShare.h"

MediaPlayerSeam& MediaPlayer() { return SeamSlot<MediaPlayerSeam>::Instance().Get(); }
void SetMediaPlayerSeam(MediaPlayerSeam* seam) { SeamSlot<MediaPlayerSeam>::Instance().Set(seam); }

void ShellNotifySeam::AssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
ShellNotifySeam& ShellNotify() { return SeamSlot<ShellNotifySeam>::Instance().Get(); }
void SetShellNotifySeam(ShellNotifySeam* seam) { SeamSlot<ShellNotifySeam>::Instance().Set(seam); }

bool SaverProcessSeam::IsExtRunning(const std::wstring& ext) { return IsProcessExtRunning(ext); }
bool SaverProcessSeam::KillByExt(const std::wstring& ext) { return KillProcessesByExt(ext); }
SaverProcessSeam& SaverProcesses() { return SeamSlot<SaverProcessSeam>::Instance().Get(); }
void SetSaverProcessSeam(SaverProcessSeam* seam) { SeamSlot<SaverProcessSeam>::Instance().Set(seam); }

void PlayerRandomSeam::Randomize() { gen_.seed(Clock().TickCount()); }
int PlayerRandomSeam::Random(int n) { return n < 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(gen_); }
PlayerRandomSeam& PlayerRandom() { return SeamSlot<PlayerRandomSeam>::Instance().Get(); }
void SetPlayerRandomSeam(PlayerRandomSeam* seam) { SeamSlot<PlayerRandomSeam>::Instance().Set(seam); }
