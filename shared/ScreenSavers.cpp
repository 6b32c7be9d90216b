#include "ScreenSavers.h"

#include <windows.h>

#include "Handles.h"
#include "uniQVShare.h"

namespace {

std::vector<std::wstring>& FolderOverride() {
  static std::vector<std::wstring> folders;
  return folders;
}

std::wstring LowerAscii(std::wstring s) {
  for (wchar_t& c : s)
    if (c >= L'A' && c <= L'Z') c = wchar_t(c + (L'a' - L'A'));
  return s;
}

struct ScrNameRow {
  const wchar_t* base;
  const wchar_t* name;
};
constexpr ScrNameRow kScrNames[] = {
    {L"logon", L"WINDOWS XP"},   {L"scrnsave", L"空白"},     {L"ss3dfo", L"三维飞行物"},
    {L"ssbezier", L"贝塞尔曲线"}, {L"ssflwbox", L"三维花盒"}, {L"ssmyst", L"变幻线"},
    {L"ssmarque", L"字幕"},      {L"ssmypics", L"图片收藏幻片"}, {L"sspipes", L"三维管道"},
    {L"ssstars", L"飞越星空"},   {L"sstext3d", L"三维文字"},
};

}  // namespace

std::wstring ScrDisplayName(const std::wstring& fileName) {
  std::wstring base = fileName;
  const size_t dot = base.rfind(L'.');
  if (dot != std::wstring::npos) base.erase(dot);
  base = LowerAscii(base);
  for (const ScrNameRow& row : kScrNames)
    if (base == row.base) return row.name;
  return base;
}

std::vector<ScrEntry> ListScrFiles(const std::wstring& folder) {
  std::vector<ScrEntry> entries;
  WIN32_FIND_DATAW fd;
  FindHandle h(FindFirstFileW((folder + L"\\*.scr").c_str(), &fd));
  if (!h) return entries;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    entries.push_back({folder + L"\\" + fd.cFileName, ScrDisplayName(fd.cFileName)});
  } while (FindNextFileW(h.get(), &fd));
  return entries;
}

std::vector<std::wstring> ScrFolders() {
  if (!FolderOverride().empty()) return FolderOverride();
  return {GetWinDir(), GetSysDir()};
}

void SetScrFolders(const std::vector<std::wstring>& folders) { FolderOverride() = folders; }

std::vector<ScrEntry> ListSystemScrFiles() {
  std::vector<ScrEntry> all;
  for (const std::wstring& folder : ScrFolders()) {
    std::vector<ScrEntry> found = ListScrFiles(folder);
    all.insert(all.end(), found.begin(), found.end());
  }
  return all;
}
