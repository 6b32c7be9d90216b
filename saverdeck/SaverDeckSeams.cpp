#include "SaverDeckSeams.h"

#include <shlobj.h>

#include "Seams.h"

MediaPlayerSeam& MediaPlayer() { return SeamSlot<MediaPlayerSeam>::Instance().Get(); }
void SetMediaPlayerSeam(MediaPlayerSeam* seam) { SeamSlot<MediaPlayerSeam>::Instance().Set(seam); }

void ShellNotifySeam::AssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
ShellNotifySeam& ShellNotify() { return SeamSlot<ShellNotifySeam>::Instance().Get(); }
void SetShellNotifySeam(ShellNotifySeam* seam) { SeamSlot<ShellNotifySeam>::Instance().Set(seam); }
