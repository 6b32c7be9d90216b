#pragma once
// The installed screen savers as the break reminder and the player list them: every "*.scr" file
// of the Windows folder, then of the System folder, with the names the lists show.
#include <string>
#include <vector>

// One screen saver: its file's full path and the name the list shows.
struct ScrEntry {
  std::wstring Path;
  std::wstring Name;
};

// The display name of a saver file: the table's name for the eleven savers Windows brings, else
// the file's base name in lower case (ASCII letters).
std::wstring ScrDisplayName(const std::wstring& fileName);

// Each "*.scr" file of a folder, in the order the file search gives them. A directory named so is
// no saver (the shell would open it as a folder). A missing folder gives none.
std::vector<ScrEntry> ListScrFiles(const std::wstring& folder);

// The folders searched, in order: the Windows folder, then the System folder, unless a test has
// set others (an empty list goes back to the system's).
std::vector<std::wstring> ScrFolders();
void SetScrFolders(const std::vector<std::wstring>& folders);

// ListScrFiles of each of ScrFolders, one after the other; no sorting, doubles kept.
std::vector<ScrEntry> ListSystemScrFiles();
