#include "ShellFakes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Fakes.h"
#include "Handles.h"
#include "Text.h"

namespace {
bool StartsWithNoCase(const std::wstring& s, const std::wstring& prefix) {
  return s.size() >= prefix.size() &&
         CompareStringOrdinal(s.c_str(), int(prefix.size()), prefix.c_str(), int(prefix.size()), TRUE) == CSTR_EQUAL;
}
bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}
std::wstring Unique() {
  static int n = 0;
  return std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(++n);
}
}  // namespace

FakeRegistry::FakeRegistry() : saved_(&RegistryCalls()) { SetRegistrySeam(this); }
FakeRegistry::~FakeRegistry() { SetRegistrySeam(saved_ == this ? nullptr : saved_); }

FakeRegistry& FakeRegistry::Redirect(HKEY root, const std::wstring& fromPath, const std::wstring& toHkcuPath) {
  rules_.push_back({root, fromPath, toHkcuPath, 0});
  return *this;
}
FakeRegistry& FakeRegistry::Deny(HKEY root, const std::wstring& path) {
  rules_.push_back({root, path, L"", 1});
  return *this;
}
FakeRegistry& FakeRegistry::ReadOnly(HKEY root, const std::wstring& path) {
  rules_.push_back({root, path, L"", 2});
  return *this;
}

LSTATUS FakeRegistry::OpenKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key) {
  return Do(root, path, access, key, false);
}
LSTATUS FakeRegistry::CreateKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key) {
  return Do(root, path, access, key, true);
}

LSTATUS FakeRegistry::Do(HKEY root, const std::wstring& path, REGSAM access, HKEY* key, bool create) {
  opens.push_back({root, path, access, create});
  HKEY r = root;
  std::wstring p = path;
  for (const Rule& rule : rules_) {
    if (rule.root != root) continue;
    if (rule.kind == 1 && EqualNoCase(rule.path, path)) return ERROR_ACCESS_DENIED;
    if (rule.kind == 2 && EqualNoCase(rule.path, path)) access = KEY_READ | (access & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
  }
  for (const Rule& rule : rules_) {
    if (rule.kind == 0 && rule.root == root && StartsWithNoCase(path, rule.path)) {
      r = HKEY_CURRENT_USER;
      p = rule.to + path.substr(rule.path.size());
      access &= ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
      break;
    }
  }
  return create ? RegistrySeam::CreateKey(r, p, access, key) : RegistrySeam::OpenKey(r, p, access, key);
}

RecordingShell::RecordingShell() : saved_(&ShellCalls()) { SetShellSeam(this); }
RecordingShell::~RecordingShell() { SetShellSeam(saved_ == this ? nullptr : saved_); }

HINSTANCE RecordingShell::Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                                  const std::wstring& params, const std::wstring& dir, int show) {
  calls.push_back({owner, verb, file, params, dir, show});
  bool exe = file.size() > 4 && EqualNoCase(file.substr(file.size() - 4), L".exe");
  if (runExecutables && exe) return ShellSeam::Execute(owner, verb, file, params, dir, show);
  return reinterpret_cast<HINSTANCE>(result);
}

HRESULT RecordingShell::InvokeShellApplication(const std::wstring& method) {
  methods.push_back(method);
  return shellAppResult;
}

std::wstring RecordingShell::KnownFolderPath(REFKNOWNFOLDERID id) {
  return knownFolder ? knownFolder(id) : ShellSeam::KnownFolderPath(id);
}

TestRegKey::TestRegKey() : path_(L"Software\\QuovelTest\\" + Unique()) {
  RegKey k;
  RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr);
}

TestRegKey::~TestRegKey() {
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuovelTest");  // only when empty
}

void TestRegKey::SetString(const std::wstring& subKey, const std::wstring& name, const std::wstring& value) const {
  RegKey k;
  std::wstring p = subKey.empty() ? path_ : path_ + L"\\" + subKey;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 DWORD((value.size() + 1) * sizeof(wchar_t)));
}

TestFolder::TestFolder(const std::wstring& hint) {
  wchar_t temp[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, temp);
  std::wstring base(temp, n);
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  path_ = base + L"\\" + hint + L"_" + Unique();
  CreateDirectoryW(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() { DeleteTree(path_); }

ShellFoldersInTestFolder::ShellFoldersInTestFolder() {
  appData = root / L"AppData";
  programs = root / L"Programs";
  desktop = root / L"Desktop";
  for (const auto& f : {appData, programs, desktop}) CreateDirectoryW(f.c_str(), nullptr);
  const std::wstring shellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  key.SetString(L"Shell Folders", L"AppData", appData);
  key.SetString(L"Shell Folders", L"Programs", programs);
  key.SetString(L"Shell Folders", L"Desktop", desktop);
  registry.Redirect(HKEY_CURRENT_USER, shellFolders, key.Path() + L"\\Shell Folders");
}

void DeleteTree(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  if (FindHandle h(FindFirstFileW((folder + L"\\*").c_str(), &fd)); h) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring p = folder + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(p);
      } else {
        SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(p.c_str());
      }
    } while (FindNextFileW(h.get(), &fd));
  }
  RemoveDirectoryW(folder.c_str());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  FileHandle h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(h) << Narrow(path);
  DWORD w = 0;
  if (!bytes.empty()) WriteFile(h.get(), bytes.data(), DWORD(bytes.size()), &w, nullptr);
}

std::string ReadBytes(const std::wstring& path) {
  FileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h) return "<missing>";
  std::string out;
  char buf[4096];
  DWORD got;
  while (ReadFile(h.get(), buf, sizeof(buf), &got, nullptr) && got) out.append(buf, got);
  return out;
}

std::wstring WinPathFromBuild(const char* unixPath) {
  std::wstring p = L"Z:" + Utf8ToWide(unixPath);
  for (auto& c : p)
    if (c == L'/') c = L'\\';
  return p;
}

LinkData ReadLink(const std::wstring& linkPath) {
  LinkData d;
  ComScope com;
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()))) {
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())) &&
        SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
      wchar_t buf[1024];
      if (SUCCEEDED(link->GetPath(buf, 1024, nullptr, SLGP_RAWPATH))) d.path = buf;
      if (SUCCEEDED(link->GetArguments(buf, 1024))) d.args = buf;
      if (SUCCEEDED(link->GetWorkingDirectory(buf, 1024))) d.dir = buf;
      if (SUCCEEDED(link->GetDescription(buf, 1024))) d.description = buf;
    }
  }
  return d;
}

void WriteBitmapFile(const std::wstring& path, int w, int h) {
  const int row = (w * 3 + 3) & ~3;
  std::string bytes(54 + size_t(row) * size_t(h), char(0x40));
  auto put32 = [&](size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = char((v >> (8 * i)) & 0xFF);
  };
  const char header[54] = {'B', 'M'};
  std::copy(header, header + 54, bytes.begin());
  put32(2, uint32_t(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  bytes[26] = 1;
  bytes[28] = 24;
  WriteBytes(path, bytes);
}

bool WriteToneWav(const std::wstring& path, int ms) {
  const uint32_t rate = 8000, samples = rate * uint32_t(ms) / 1000;
  std::string data(44 + samples, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) data[at + i] = char((v >> (8 * i)) & 0xFF);
  };
  auto put16 = [&](size_t at, uint16_t v) {
    data[at] = char(v & 0xFF);
    data[at + 1] = char(v >> 8);
  };
  data.replace(0, 4, "RIFF");
  put32(4, 36 + samples);
  data.replace(8, 8, "WAVEfmt ");
  put32(16, 16);
  put16(20, 1);  // PCM
  put16(22, 1);  // mono
  put32(24, rate);
  put32(28, rate);  // bytes per second
  put16(32, 1);     // block align
  put16(34, 8);     // bits per sample
  data.replace(36, 4, "data");
  put32(40, samples);
  for (uint32_t i = 0; i < samples; ++i) data[44 + i] = char((i / 10) % 2 ? 0xA0 : 0x60);  // 400 Hz
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(f, data.data(), DWORD(data.size()), &written, nullptr) && written == data.size();
  CloseHandle(f);
  return ok;
}
