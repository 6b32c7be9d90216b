#pragma once
// The layout of svd25cfg, the player's settings, described once as a table that drives the reader,
// the writer and the defaults. The file is 17 lines: the warning line, five section lines (a tag,
// then each value after one blank), five whole-line texts, five music folders and the selected
// folder. Both sides work on the lines as wide strings; GBK and CR LF are the shared toolkit's.
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ConfigLine.h"
#include "Graphics.h"

inline constexpr const wchar_t* kPlayerConfigFileName = L"svd25cfg";
inline constexpr const wchar_t* kPlayerConfigWarningLine =
    L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！";
inline constexpr int kPlayerConfigLineCount = 17;
inline constexpr int kMusicFolderSlots = 5;
inline constexpr int kImageBuiltIn = 1, kImageFile = 2;

// What the file holds, named after the settings dialog's controls.
struct TPlayerConfig {
  bool MinimizeOnStart = false, PlayMusListAtStart = true, PlayImediately = true;
  int Skin = 0;
  int TimePlayEachScr = 30, TransitTime = 10, TextSpeed = 2, BackgroundUse = 0;
  TColor TransitColor = clHotLight;  // RGB, or a system colour (a negative number)
  int ImageChoice = kImageBuiltIn;
  int BanYingForAutoScr = 0;
  bool SlientStartupOnMsg = true;
  std::wstring PlayMusListFile, SelfSelectBanYing, TransitPicture, QVMLdir, PicDir;
  std::vector<std::wstring> MusDirs;  // at most kMusicFolderSlots, none empty
  int MusDirIndex = -1;               // -1: no folder selected
  bool operator==(const TPlayerConfig&) const = default;
};

enum class PlayerFieldKind {
  Bool,         // "TRUE" / "FALSE"; true when the lower-cased text is "true", false for anything else
  Int,          // signed decimal, held within min..max
  Index,        // a list's item, min..max; one outside takes the design value
  Colour,       // signed decimal: RGB or a system colour; anything else takes the design value
  ImageChoice,  // exactly "2" is the picture file; anything else the built-in picture
  Text,         // a whole line of any length; control characters are dropped
  Folder,       // one of the music-folder lines (field = slot 1..5), as Text; empty lines add nothing
  FolderIndex,  // the selected music folder, -1..folders read - 1; one outside selects none
};

struct PlayerConfigField {
  int line;             // 1-based line of the file
  int field;            // 1-based place after the tag in a section line; 0 for a whole line
  const wchar_t* control;  // the settings dialog's control that holds it
  PlayerFieldKind kind;
  int min, max;         // Int, Index
  int designValue;      // Bool (0/1), Int, Index, Colour, ImageChoice, FolderIndex; texts are empty
  std::variant<bool TPlayerConfig::*, int TPlayerConfig::*, std::wstring TPlayerConfig::*,
               std::vector<std::wstring> TPlayerConfig::*>
      member;
};

// Every value of the file, in line and field order.
std::span<const PlayerConfigField> PlayerConfigLayout();
// The dialog's design values, which apply when the file is missing.
TPlayerConfig DefaultPlayerConfig();

struct PlayerConfigRead {
  TPlayerConfig values;
  std::vector<ConfigSkip> skipped;  // values that did not convert, in file order
};

// Reads the file's lines (line 1 is never read; tags are not compared; two blanks in a row make an
// empty value). Never stops early: a value that does not convert keeps its design value and is
// reported; a value missing from a short line or file keeps it silently; numbers are held within
// their ranges; no line has a length limit.
PlayerConfigRead ReadPlayerConfigLines(const std::vector<std::wstring>& lines);
// The 17 lines of the file; always five folder lines, empty for the slots the list lacks.
std::vector<std::wstring> WritePlayerConfigLines(const TPlayerConfig& values);
// Puts every name of c (texts and music folders) in the form the file can keep (StorableName);
// a name that has none takes its value in old instead (the music folders and the selected one go
// back to old together). Returns the names that could not be kept.
std::vector<std::wstring> KeepStorableNames(TPlayerConfig& c, const TPlayerConfig& old);
// The one text of the error box for what was skipped; empty when nothing was.
std::wstring PlayerConfigErrorText(const std::vector<ConfigSkip>& skipped);
