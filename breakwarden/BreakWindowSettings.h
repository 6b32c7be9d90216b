#pragma once
// What the break window reads of the settings, as the settings dialog's controls hold them at the
// moment of use.
#include <string>

#include "BreakPatterns.h"
#include "BreakPlans.h"
#include "Graphics.h"

struct TBreakWindowSettings {
  TBreakMode Mode = bmFree;                      // rbxSelectBreakMode
  int InterfereIntensity = 30;                   // scbInterfereIntensity, seconds
  bool HideCursor = false, DisableKeyboard = false;  // cbxHideCursor, cbxDisableKeyboard
  int FadeInSpeed = 32, FadeInStep = 12, Transparency = 200;  // updFadeInSpeed, UpdFadeInStep, updTransparency
  bool UseWaveEffect = true;                     // cbxUseMoiseEffect
  int WaveStrength = 112;                        // updMoiseStrenth
  bool ShowSlogan = true;                        // cbxShowSlogan
  std::wstring Slogan;                           // cbbSlogan's text
  TFont SloganFont;                              // FontDialog1's font
  bool ShowPowerButton = true, ShowCurrentMode = true;  // cbxShowPowerButton, cbxShowCurrentMode
  int Pattern = 0, PatternCount = BreakPatternCount;    // cbbBreakInterface: item, item count
  bool RandomPattern = false;                    // cbxRandomInterface
  TBreakPlan Plan;                               // the plan in force
  bool ToggleDesktop = false;                    // cbxToggleB4Break: the desktop shown before the break
};
