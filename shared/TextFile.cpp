#include "TextFile.h"

#include <windows.h>

#include <cwctype>

#include "Classes.h"
#include "Handles.h"
#include "Text.h"

namespace {
constexpr unsigned kGBK = 936;

std::wstring SystemMessage(DWORD err) {
  LocalMemory<wchar_t*> buf;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, err, 0, reinterpret_cast<wchar_t*>(buf.put()), 0, nullptr);
  std::wstring s = n ? std::wstring(buf.get(), n) : std::wstring();
  while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n' || s.back() == L' ')) s.pop_back();
  return s;
}

// A save killed between creating its temporary file and the rename leaves "<name>.tmp<pid>"
// behind. A save in progress holds its file open until the rename, so one that opens for
// nobody else is a leftover, whatever process now has its number: it goes when the handle
// opened to delete it closes.
void RemoveSaveLeftovers(const std::wstring& path) {
  const std::wstring prefix = ExtractFileName(path) + L".tmp";
  const std::wstring dir = ExtractFileDir(path);
  WIN32_FIND_DATAW fd;
  FindHandle find(FindFirstFileW((path + L".tmp*").c_str(), &fd));
  if (!find) return;
  std::vector<std::wstring> found;
  do {
    const std::wstring name = fd.cFileName;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 10) continue;
    if (_wcsnicmp(name.c_str(), prefix.c_str(), prefix.size()) != 0) continue;
    if (name.find_first_not_of(L"0123456789", prefix.size()) != std::wstring::npos) continue;
    found.push_back((dir.empty() ? std::wstring() : dir + L"\\") + name);
  } while (FindNextFileW(find.get(), &fd));
  find.reset();
  for (const std::wstring& file : found) {
    FileHandle leftover(
        CreateFileW(file.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  }
}

// A file that another program has open, a sibling reading it say, cannot be replaced: the rename
// is tried again for a short while, since a read of these files takes no time at all. A file held
// open for longer, or a refusal of another kind, fails.
bool MoveIntoPlace(const std::wstring& temp, const std::wstring& path, bool replace) {
  constexpr int kTries = 50, kPauseMs = 10;
  for (int i = 1;; ++i) {
    if (MoveFileExW(temp.c_str(), path.c_str(), (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD err = GetLastError();
    if (i == kTries || (err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION)) {
      SetLastError(err);
      return false;
    }
    Sleep(kPauseMs);
  }
}

[[noreturn]] void Fail(const wchar_t* what, const std::wstring& path, DWORD err) {
  std::wstring msg = std::wstring(what) + L" '" + path + L"'";
  std::wstring sys = SystemMessage(err);
  if (!sys.empty()) msg += L": " + sys;
  throw EInOutError(msg);
}
}  // namespace

std::vector<std::wstring> ReadTextLines(const std::wstring& path) {
  FileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) Fail(L"Cannot open file", path, GetLastError());
  std::string bytes;
  char buf[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(f.get(), buf, sizeof(buf), &got, nullptr)) Fail(L"Cannot read file", path, GetLastError());
    if (got == 0) break;
    bytes.append(buf, got);
  }
  return DecodeTextLines(bytes);
}

std::vector<std::wstring> DecodeTextLines(std::string_view bytes, TLineEnds ends) {
  const bool loneCr = ends == TLineEnds::CrLfOrLfOrCr;
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    // CR and LF are never the trail byte of a GBK pair: split on them first, then decode.
    size_t end = bytes.find_first_of(loneCr ? std::string_view("\r\n") : std::string_view("\n"), start);
    if (end == std::string::npos) {
      lines.push_back(CodePageToWide(bytes.substr(start), kGBK));
      break;
    }
    size_t next = end + 1;
    if (!loneCr && end > start && bytes[end - 1] == '\r') --end;
    if (loneCr && bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
    lines.push_back(CodePageToWide(bytes.substr(start, end - start), kGBK));
    start = next;
  }
  return lines;
}

std::string ReadBoundedFile(const std::wstring& path, unsigned long long maxBytes, const std::wstring& kind) {
  if (InDeviceSpace(path) || DirectoryExists(path)) throw EInOutError(L"'" + path + L"' is not " + kind);
  FileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) Fail(L"Cannot open file", path, GetLastError());
  if (GetFileType(f.get()) != FILE_TYPE_DISK) throw EInOutError(L"'" + path + L"' is not " + kind);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.get(), &size)) Fail(L"Cannot read file", path, GetLastError());
  if (size.QuadPart < 0 || (unsigned long long)size.QuadPart > maxBytes)
    throw EInOutError(L"'" + path + L"' is too large for " + kind);
  std::string bytes;
  bytes.reserve(size_t(size.QuadPart));
  char buf[65536];
  // A file that grows while it is read stops at the bound all the same.
  while (bytes.size() <= maxBytes) {
    DWORD got = 0;
    if (!ReadFile(f.get(), buf, sizeof(buf), &got, nullptr)) Fail(L"Cannot read file", path, GetLastError());
    if (got == 0) break;
    bytes.append(buf, got);
  }
  if (bytes.size() > maxBytes) throw EInOutError(L"'" + path + L"' is too large for " + kind);
  return bytes;
}

void WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += WideToCodePage(line, kGBK);
    bytes += "\r\n";
  }
  WriteFileBytes(path, bytes);
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes, bool replace) {
  const std::wstring temp = path + L".tmp" + std::to_wstring(GetCurrentProcessId());
  {
    // Open until it has its name, so that no other save takes it for a leftover meanwhile; shared
    // for the rename and for reading: once renamed it is the file, and a sibling that reads it
    // in the moment before the close reads it whole instead of failing.
    FileHandle f(CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) Fail(L"Cannot create file", path, GetLastError());
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(f.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    if (ok) ok = FlushFileBuffers(f.get()) != 0;
    if (!ok) {
      DWORD err = GetLastError();
      f.reset();
      DeleteFileW(temp.c_str());
      Fail(L"Cannot write file", path, err);
    }
    if (!MoveIntoPlace(temp, path, replace)) {
      DWORD err = GetLastError();
      f.reset();
      DeleteFileW(temp.c_str());
      Fail(L"Cannot write file", path, err);
    }
  }
  RemoveSaveLeftovers(path);
}

bool FileExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool NamesDevice(const std::wstring& path) {
  std::wstring name = path.substr(path.find_last_of(L"\\/") == std::wstring::npos ? 0 : path.find_last_of(L"\\/") + 1);
  if (name.size() >= 2 && name[1] == L':') name.erase(0, 2);
  // "nul.txt", "COM1:" and "COM1 " name the device too: the part before a dot or colon, blanks dropped.
  name = name.substr(0, name.find_first_of(L".:"));
  while (!name.empty() && name.back() == L' ') name.pop_back();
  for (wchar_t& c : name) c = wchar_t(towupper(c));
  if (name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL" || name == L"CONIN$" ||
      name == L"CONOUT$" || name == L"CLOCK$")
    return true;
  return name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) && name[3] >= L'1' &&
         name[3] <= L'9';
}

bool InDeviceSpace(const std::wstring& path) {
  if (NamesDevice(path)) return true;
  // The device name space: ports, pipes, volumes. "\\?\" stays for long paths of drives and shares.
  if (path.starts_with(L"\\\\.\\") || path.starts_with(L"//./") || path.starts_with(L"\\??\\")) return true;
  if (!path.starts_with(L"\\\\?\\")) return false;
  const std::wstring rest = path.substr(4);
  const bool drive = rest.size() >= 3 && iswalpha(rest[0]) && rest[1] == L':' && rest[2] == L'\\';
  return !drive && _wcsnicmp(rest.c_str(), L"UNC\\", 4) != 0;
}

bool RegularFileExists(const std::wstring& path) {
  if (path.empty() || InDeviceSpace(path)) return false;
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) return false;
  FileHandle f(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return f && GetFileType(f.get()) == FILE_TYPE_DISK;
}

bool DirectoryExists(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExtractFileDir(const std::wstring& path) {
  size_t p = path.find_last_of(L"\\/");
  return p == std::wstring::npos ? std::wstring() : path.substr(0, p);
}

std::wstring ExtractFileName(const std::wstring& path) {
  size_t p = path.find_last_of(L"\\/:");
  return p == std::wstring::npos ? path : path.substr(p + 1);
}

std::wstring ExtractFileExt(const std::wstring& path) {
  std::wstring name = ExtractFileName(path);
  size_t p = name.rfind(L'.');
  return p == std::wstring::npos ? std::wstring() : name.substr(p);
}

std::wstring ThroughTextFile(const std::wstring& text) { return CodePageToWide(WideToCodePage(text, kGBK), kGBK); }

bool TextFileHolds(const std::wstring& text) {
  std::string bytes;
  return WideToCodePageExact(text, kGBK, bytes);
}

std::wstring StorableName(const std::wstring& name) {
  if (TextFileHolds(name)) return name;
  const DWORD n = GetShortPathNameW(name.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring buf(n, L'\0');
  const DWORD got = GetShortPathNameW(name.c_str(), buf.data(), n);
  if (got == 0 || got >= n) return {};
  buf.resize(got);
  // Where short names are off, the system answers the long name itself.
  return TextFileHolds(buf) ? buf : std::wstring();
}

bool NameKeeper::CanKeep(const std::wstring& name, std::wstring& stored) {
  stored = name.empty() ? name : StorableName(name);
  if (!name.empty() && stored.empty()) {
    lost_.push_back(name);
    return false;
  }
  return true;
}

std::wstring NameKeeper::Keep(const std::wstring& name, const std::wstring& old) {
  std::wstring stored;
  return CanKeep(name, stored) ? stored : old;
}

std::wstring LostNamesText(const std::wstring& intro, const std::vector<std::wstring>& names) {
  std::wstring text = intro;
  for (const std::wstring& name : names) text += L"\n" + name;
  return BoxText(text);
}
