#pragma once
// The playlist file type under HKEY_CLASSES_ROOT, so that the shell opens a .qvml with the player.
#include <string>
#include <vector>

// One key of the registration and the default value it must hold.
struct TFileTypeRow {
  std::wstring key, value;
};
// The rows for extension (without its dot) and the player's executable, in the order they are
// written: ".qvml" -> "qvml_auto_file"; the type's description; its icon; its open command. The
// command quotes the executable's path, so a folder with a blank in its name still opens.
std::vector<TFileTypeRow> PlayListFileTypeRows(const std::wstring& extension, const std::wstring& exePath);
// Writes each row whose default value differs (creating its key when missing), then, only when
// something was written, tells the shell that associations changed. True when it wrote anything.
// A key that cannot be opened or a value that cannot be written raises ERegistryException; then
// nothing more is written and the shell is not told.
bool RegisterPlayListType(const std::wstring& extension, const std::wstring& exePath);
