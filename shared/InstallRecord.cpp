#include "InstallRecord.h"

#include <windows.h>

#include "Classes.h"
#include "Handles.h"
#include "QVSeams.h"
#include "uniQVShare.h"

namespace {

void WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
  DWORD bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) != ERROR_SUCCESS)
    throw ERegistryException(std::wstring(L"Failed to set data for '") + name + L"'");
}

}  // namespace

bool InstallRecordNeedsWrite(const std::wstring& dir, const std::wstring& path) { return dir.empty() || dir != path; }

bool WriteInstallPathToReg(const std::wstring& productKey, const std::wstring& path, const std::wstring& version) {
  RegKey k;
  if (RegistryCalls().CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kQuovelKeyPath) + productKey,
                                KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_32KEY, k.put()) != ERROR_SUCCESS)
    return false;
  if (!InstallRecordNeedsWrite(GetInstallPathFromReg(productKey), path)) return false;
  WriteString(k.get(), L"dir", path);
  WriteString(k.get(), L"ver", version);
  return true;
}
