#pragma once
// The accompaniment: the music of screen-saver runs with music and of the siblings' toggle and
// restart commands, the check made when a source is chosen, and the built-in tune that the
// program writes beside itself at start. The main window's handlers for it are in
// uniAccompaniment.cpp.
#include <string>

#include "AccompanimentRules.h"

// The file of the accompaniment last started, or expected by the toggle.
extern std::wstring CurrentAccompaniment;

// The built-in tune: the program's resource, and its file in the program's folder.
inline constexpr const wchar_t* kBuiltInMidiResource = L"MIDI0";
inline constexpr const wchar_t* kBuiltInMidiType = L"MIDI";
// programFolder\Syn\xjwuqu.mid
std::wstring BuiltInMidiFile(const std::wstring& programFolder);

// Writes the program's resource of that name and type, whole, to file: beside it first and then
// renamed, so a failed write leaves no file cut short; an existing file is never replaced. False
// on any failure (no resource, the file cannot be written or is already there), without a message.
bool SaveResourceToFile(const std::wstring& name, const std::wstring& type, const std::wstring& file);

// Makes sure the built-in tune is in programFolder's "Syn" (the folder made when missing): an
// existing file is kept as it is, whatever it holds. True when the file is there afterwards.
bool PrepareBuiltInMidi(const std::wstring& programFolder);
