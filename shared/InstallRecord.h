#pragma once
// The install record a program of the family writes under HKLM\SOFTWARE\Quovel\<product key>, in
// the 32-bit view where the siblings' GetInstallPathFromReg looks for it.
#include <string>

// True when a record must be (re)written: its "dir" (empty when missing) names another executable,
// by an exact, case-sensitive comparison, so a path differing in letter case only is rewritten.
bool InstallRecordNeedsWrite(const std::wstring& dir, const std::wstring& path);

// Opens (creating) the key; when InstallRecordNeedsWrite, writes "dir" = path, then "ver" = version
// and answers true. False when the key cannot be opened (nothing written) or the record already
// names path (its "ver" stays as it is). A write that fails after the open raises
// ERegistryException "Failed to set data for '<value name>'".
bool WriteInstallPathToReg(const std::wstring& productKey, const std::wstring& path, const std::wstring& version);
