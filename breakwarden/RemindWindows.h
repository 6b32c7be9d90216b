#pragma once
// What the two reminder windows share: what a kind shows (from the settings dialog and the main
// window), its sound, and its click.
#include <string>

#include "DisplayZoom.h"
#include "Graphics.h"
#include "RemindWindowLook.h"

// The kind's row; an unknown kind shows as the next-break reminder.
const RemindKindInfo& ShownRemindKind(int kind);
// Reads the settings as the window is made (Settings().RemindLook: the window's zoom mode handler
// runs first, so the automatic mode follows the current screen) and the kind's value now.
RemindWindowLook GetRemindWindowLook(int kind, ZoomWindow window);
// The kind the main window asks for (FRemindKind), or the next-break reminder without one.
int RequestedRemindKind();

// The kind's sound below the Windows folder. While a looping alarm rings, a single sound is left
// out (it would end the loop); a loop ends when the last window ringing it stops.
void StartRemindSound(const RemindKindInfo& info, const void* owner);
void StopRemindSound(const void* owner);
bool RemindSoundLooping();

// The click of a reminder window, before it closes: the statistics, or the alarm page.
void RemindWindowClicked(const RemindKindInfo& info);
