#include "FileTypeRegistration.h"

#include <windows.h>

#include "Classes.h"
#include "Handles.h"
#include "QVSeams.h"
#include "SaverDeckSeams.h"

std::vector<TFileTypeRow> PlayListFileTypeRows(const std::wstring& extension, const std::wstring& exePath) {
  const std::wstring type = extension + L"_auto_file";
  return {
      {L"." + extension, type},
      {type, L"Quovel音乐播放列表"},
      {type + L"\\DefaultIcon", exePath + L",0"},
      {type + L"\\shell\\open\\command", L"\"" + exePath + L"\" /L \"%1\""},
  };
}

namespace {
std::wstring DefaultValue(HKEY key) {
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) return L"";
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = DWORD(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS)
    return L"";
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}
}  // namespace

bool RegisterPlayListType(const std::wstring& extension, const std::wstring& exePath) {
  bool written = false;
  for (const TFileTypeRow& row : PlayListFileTypeRows(extension, exePath)) {
    RegKey k;
    if (RegistryCalls().CreateKey(HKEY_CLASSES_ROOT, row.key, KEY_READ | KEY_WRITE, k.put()) != ERROR_SUCCESS)
      throw ERegistryException(L"Failed to create key '" + row.key + L"'");
    if (DefaultValue(k.get()) == row.value) continue;
    DWORD bytes = DWORD((row.value.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(row.value.c_str()), bytes) !=
        ERROR_SUCCESS)
      throw ERegistryException(L"Failed to set data for ''");
    written = true;
  }
  if (written) ShellNotify().AssociationsChanged();
  return written;
}
