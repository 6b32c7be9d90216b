#pragma once
// The second start's playlist hand-over through the clipboard. The text is the playlist's path;
// beside it goes a private clipboard format as a mark, so the running player loads and empties
// only what a second start of its own put there, never the user's own clipboard text.
#include <windows.h>

#include <string>

// The private format that marks the hand-over (registered once).
UINT PlaylistHandOverFormat();
// Replaces the clipboard by the path and the mark. False when the clipboard cannot be had.
bool PutPlaylistOnClipboard(const std::wstring& path);
// With the mark on the clipboard: its text (empty when it holds none) in path, the clipboard
// emptied, true. Without the mark the clipboard is left alone and the answer is false.
bool TakePlaylistFromClipboard(HWND owner, std::wstring& path);
