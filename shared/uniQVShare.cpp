// Waits, folders, registry, path files, auto-start, shortcuts and web pages.
#include "uniQVShare.h"

#include <objbase.h>
#include <objidl.h>
#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <random>

#include "Classes.h"
#include "Forms.h"
#include "Handles.h"
#include "QVSeams.h"
#include "Text.h"
#include "TextFile.h"

namespace {

bool StartsWithNoCase(const std::wstring& s, const std::wstring& prefix) {
  return s.size() >= prefix.size() &&
         CompareStringOrdinal(s.c_str(), int(prefix.size()), prefix.c_str(), int(prefix.size()), TRUE) == CSTR_EQUAL;
}

// The family's keys under HKLM\SOFTWARE\Quovel live in the 32-bit view, where the 32-bit siblings
// keep them.
REGSAM ViewFor(HKEY root, const std::wstring& path) {
  return root == HKEY_LOCAL_MACHINE && StartsWithNoCase(path, L"SOFTWARE\\Quovel") ? KEY_WOW64_32KEY : 0;
}

bool OpenForRead(HKEY root, const std::wstring& path, RegKey& key) {
  return RegistryCalls().OpenKey(root, path, KEY_READ | ViewFor(root, path), key.put()) == ERROR_SUCCESS;
}

constexpr REGSAM kWriteAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;

// A string value of an opened key; false when missing or not a string.
bool ReadString(HKEY key, const std::wstring& name, std::wstring& out) {
  DWORD type = 0, size = 0;
  LSTATUS r = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  for (int tries = 0; tries < 4; ++tries) {
    if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = DWORD(buf.size() * sizeof(wchar_t));
    r = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
    if (r == ERROR_SUCCESS) {
      buf.resize(got / sizeof(wchar_t));
      while (!buf.empty() && buf.back() == L'\0') buf.pop_back();
      out = buf;
      return true;
    }
    size = got;
  }
  return false;
}

bool ValueExists(HKEY key, const std::wstring& name) {
  return RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return name;
  if (folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L"\\" + name;
}

// A folder we may build in: fully qualified ("C:\..." or "\\server\..."), so an empty shell
// folder never turns into a folder at a drive root.
bool IsFullyQualified(const std::wstring& path) {
  if (path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) return true;
  return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
}

void Open(HWND owner, const std::wstring& address, int show) {
  if (address.empty()) return;
  ShellCalls().Execute(owner, L"", address, L"", L"", show);
}

// The maker's addresses (placeholders of our choosing).
constexpr const wchar_t* kSite = L"http://www.quovel.com/";
constexpr const wchar_t* kArticle1 = L"http://www.quovel.com/article/healthy-computing.html";
constexpr const wchar_t* kArticle2 = L"http://www.quovel.com/article/eye-care.html";
constexpr const wchar_t* kGuestBook = L"http://www.quovel.com/guestbook/";
constexpr const wchar_t* kDownload = L"http://www.quovel.com/download/";
constexpr const wchar_t* kIndexHelp = L"http://www.quovel.com/help/statistics-indices.html";
constexpr const wchar_t* kSearchUtf8 = L"https://www.baidu.com/s?ie=utf-8&wd=";
constexpr const wchar_t* kSearchGbk = L"https://www.baidu.com/s?ie=gbk&wd=";
constexpr const wchar_t* kMessenger = L"tencent://message/?uin=80000474&Site=quovel&Menu=yes";
constexpr const wchar_t* kShopMessenger = L"http://www.quovel.com/shop/contact.html";
constexpr const wchar_t* kEmail = L"author@quovel.com";

}  // namespace

// ---- waits, forms, processes ---------------------------------------------------------------

void DelayWithMessages(int ms) {
  const DWORD t0 = Clock().TickCount();
  for (;;) {
    if (Application) {
      Application->ProcessMessages();
      if (Application->Terminated) return;
    } else {
      int code = 0;
      if (!PumpMessages(PumpMode::kQueued, code)) {
        PostQuitMessage(code);
        return;
      }
    }
    const int elapsed = int(Clock().TickCount() - t0);
    if (elapsed >= ms) return;
    Clock().WaitForMessages(DWORD(ms - elapsed));
  }
}

void ShowDesktop() { ShellCalls().InvokeShellApplication(L"ToggleDesktop"); }
void ShowShutDownDialog() { ShellCalls().InvokeShellApplication(L"ShutDownWindows"); }

bool IsFormCreated(const std::wstring& formName) {
  if (!Application) return false;
  for (TForm* f : Application->Forms())
    if (f->Name() == formName) return true;
  return false;
}

namespace {
// Walks one process snapshot: each gets the id of every process whose executable's extension is
// ext (any case) and answers whether to go on. The snapshot is released at the end.
void ForEachProcessOfExt(const std::wstring& ext, const std::function<bool(DWORD pid)>& each) {
  FileHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap) return;
  const std::wstring want = UpperCase(ext);
  PROCESSENTRY32W pe{sizeof(pe)};
  for (BOOL ok = Process32FirstW(snap.get(), &pe); ok; ok = Process32NextW(snap.get(), &pe)) {
    std::wstring name(pe.szExeFile, wcsnlen(pe.szExeFile, MAX_PATH));
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && UpperCase(name.substr(dot)) == want && !each(pe.th32ProcessID)) return;
  }
}
}  // namespace

bool IsProcessExtRunning(const std::wstring& ext) {
  bool found = false;
  ForEachProcessOfExt(ext, [&](DWORD) {
    found = true;
    return false;
  });
  return found;
}

bool KillProcessesByExt(const std::wstring& ext) {
  bool ended = false;
  ForEachProcessOfExt(ext, [&](DWORD pid) {
    KernelHandle h(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    ended = h && TerminateProcess(h.get(), 0) != FALSE;
    return true;
  });
  return ended;
}

bool IsSCRRunning() { return IsProcessExtRunning(L".scr") || IsFormCreated(L"frmScrBKWD"); }

// ---- folders -------------------------------------------------------------------------------

std::wstring ReadWin32String(const std::function<UINT(wchar_t* buffer, UINT size)>& api) {
  std::wstring buf(MAX_PATH, L'\0');
  for (int tries = 0; tries < 8; ++tries) {
    UINT n = api(buf.data(), UINT(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return buf.substr(0, n);
    buf.assign(size_t(n) + 1, L'\0');  // n is the size needed, terminator included
  }
  return {};
}

std::wstring GetWinDir() {
  return ReadWin32String([](wchar_t* b, UINT n) { return GetWindowsDirectoryW(b, n); });
}

std::wstring GetSysDir() {
  return ReadWin32String([](wchar_t* b, UINT n) { return GetSystemDirectoryW(b, n); });
}

std::wstring OwnExePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return buf.substr(0, n);
    buf.assign(buf.size() * 2, L'\0');
  }
}

std::wstring OwnExeFolder() { return ExtractFileDir(OwnExePath()); }

// ---- registry ------------------------------------------------------------------------------

std::wstring RegReadStr(HKEY root, const std::wstring& key, const std::wstring& name) {
  RegKey k;
  std::wstring out;
  if (OpenForRead(root, key, k)) ReadString(k.get(), name, out);
  return out;
}

std::wstring GetShellFolder(const std::wstring& valueName) {
  std::wstring folder = RegReadStr(HKEY_CURRENT_USER, kShellFoldersKeyPath, valueName);
  if (!folder.empty()) return folder;
  const KNOWNFOLDERID* id = nullptr;
  if (valueName == L"AppData") id = &FOLDERID_RoamingAppData;
  else if (valueName == L"Programs") id = &FOLDERID_Programs;
  else if (valueName == L"Desktop") id = &FOLDERID_Desktop;
  else if (valueName == L"Local AppData") id = &FOLDERID_LocalAppData;
  else if (valueName == L"Startup") id = &FOLDERID_Startup;
  else if (valueName == L"Personal") id = &FOLDERID_Documents;
  return id ? ShellCalls().KnownFolderPath(*id) : std::wstring();
}

std::wstring GetInstallPathFromReg(const std::wstring& productKey) {
  return RegReadStr(HKEY_LOCAL_MACHINE, std::wstring(kQuovelKeyPath) + productKey, L"dir");
}

// ---- path files ----------------------------------------------------------------------------

std::wstring PathFileFolder() {
  std::wstring appData = GetShellFolder(L"AppData");
  if (appData.empty() || !IsFullyQualified(appData)) return {};
  return JoinPath(appData, L"Quovel");
}

std::wstring ReadPathFile(const std::wstring& fileName) {
  std::wstring folder = PathFileFolder();
  if (folder.empty()) return {};
  std::wstring file = JoinPath(folder, fileName);
  if (!FileExists(file)) return {};
  return PathFileLine(ReadTextLines(file));
}

std::wstring PathFileLine(const std::vector<std::wstring>& lines) {
  return lines.empty() ? std::wstring() : lines.front();
}

bool PathFileHolds(const std::wstring& line, const std::wstring& exePath) {
  // The file keeps the path in GBK: a path GBK cannot hold is kept in its short form.
  const std::wstring stored = StorableName(exePath);
  return !stored.empty() && line == stored;
}

namespace {
// The path as the file system names it in full; the path itself when it cannot say (a missing file).
std::wstring LongForm(const std::wstring& path) {
  DWORD n = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::wstring buf(n, L'\0');
  DWORD got = GetLongPathNameW(path.c_str(), buf.data(), n);
  if (got == 0 || got >= n) return path;
  buf.resize(got);
  return buf;
}
}  // namespace

bool PathFileNamesExe(const std::wstring& line, const std::wstring& exePath) {
  if (line.empty()) return false;
  const std::wstring kept = LongForm(line), running = LongForm(exePath);
  auto same = [&](const std::wstring& a) {
    return CompareStringOrdinal(kept.c_str(), int(kept.size()), a.c_str(), int(a.size()), TRUE) == CSTR_EQUAL;
  };
  // A file written before short forms were kept holds the path as GBK turned it.
  return same(running) || same(ThroughTextFile(running));
}

bool WritePathFile(const std::wstring& fileName, const std::wstring& exePath, const std::wstring& version) {
  std::wstring folder = PathFileFolder();
  if (folder.empty()) return false;
  std::wstring file = JoinPath(folder, fileName);
  // A path that GBK cannot keep in any form would send the siblings elsewhere: no file is better.
  const std::wstring stored = StorableName(exePath);
  if (stored.empty()) return false;
  if (DirectoryExists(folder)) {
    if (FileExists(file) && PathFileHolds(ReadPathFile(fileName), exePath)) return false;
  } else if (!CreateDirectoryW(folder.c_str(), nullptr)) {
    return false;
  }
  WriteTextLines(file, {stored, version});
  return true;
}

// ---- Run values ----------------------------------------------------------------------------

namespace {
// The value names path in either form: quoted as written now, or bare as older versions wrote it.
bool RunValueNames(const std::wstring& value, const std::wstring& path) {
  if (value == path) return true;
  return value.size() == path.size() + 2 && value.front() == L'"' && value.back() == L'"' &&
         value.compare(1, path.size(), path) == 0;
}
}  // namespace

bool IsAutoRunSet(const std::wstring& name, const std::wstring& path) {
  RegKey k;
  if (!OpenForRead(HKEY_LOCAL_MACHINE, kRunKeyPath, k)) return false;
  std::wstring value;
  return ReadString(k.get(), name, value) && RunValueNames(value, path);
}

void SetAutoRun(const std::wstring& name, const std::wstring& path) {
  RegKey k;
  if (RegistryCalls().CreateKey(HKEY_LOCAL_MACHINE, kRunKeyPath, kWriteAccess, k.put()) != ERROR_SUCCESS) return;
  // Quoted, or a folder with a blank ("C:\Program Files\...") starts "C:\Program" first.
  const std::wstring quoted = L"\"" + path + L"\"";
  std::wstring value;
  if (ReadString(k.get(), name, value) && value == quoted) return;
  DWORD bytes = DWORD((quoted.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(quoted.c_str()), bytes) !=
      ERROR_SUCCESS)
    throw ERegistryException(L"Failed to set data for '" + name + L"'");
}

void RemoveAutoRun(const std::wstring& name) {
  RegKey k;
  if (RegistryCalls().OpenKey(HKEY_LOCAL_MACHINE, kRunKeyPath, kWriteAccess, k.put()) != ERROR_SUCCESS) return;
  if (ValueExists(k.get(), name)) RegDeleteValueW(k.get(), name.c_str());
}

// ---- shortcuts -----------------------------------------------------------------------------

bool CreateShortcut(const std::wstring& target, const std::wstring& arguments, const std::wstring& linkPath,
                    const std::wstring& description) {
  if (UpperCase(ExtractFileExt(linkPath)) != L".LNK") throw Exception(L"快捷方式的扩展名必须是 ′LNK′!");
  ComScope ole(ComScope::kOle);
  HRESULT hr;
  {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                          link.put_void());
    if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, file.put_void());
    if (SUCCEEDED(hr)) {
      std::wstring dir = ExtractFileDir(target);
      if (!dir.empty()) dir += L"\\";
      link->SetPath(target.c_str());
      link->SetArguments(arguments.c_str());
      link->SetWorkingDirectory(dir.c_str());
      link->SetDescription(description.c_str());
      hr = file->Save(linkPath.c_str(), FALSE);
    }
  }
  return SUCCEEDED(hr) && FileExists(linkPath);
}

bool AddShortcut(const std::wstring& folder, const std::wstring& linkName, const std::wstring& description) {
  bool saved = false;
  if (IsFullyQualified(folder) && (DirectoryExists(folder) || CreateDirectoryW(folder.c_str(), nullptr)))
    saved = CreateShortcut(OwnExePath(), L"", JoinPath(folder, linkName + L".lnk"), description);
  if (saved)
    Dialogs().MessageBox(nullptr, L"添加成功！", L"Quovel提示：", MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
  else
    Dialogs().MessageBox(nullptr, L"添加失败！未能创建快捷方式。", L"Quovel提示：",
                         MB_SYSTEMMODAL | MB_ICONWARNING | MB_OK);
  return saved;
}

// ---- web pages -----------------------------------------------------------------------------

std::wstring PercentEncode(const std::wstring& text, unsigned codePage) {
  static const wchar_t* hex = L"0123456789ABCDEF";
  std::string bytes = WideToCodePage(text, codePage);
  std::wstring out;
  for (unsigned char c : bytes) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
        c == '.' || c == '~') {
      out += wchar_t(c);
    } else {
      out += L'%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

void OpenHomePage(HWND owner) { Open(owner, kSite, SW_SHOWNORMAL); }

void OpenPromoPage(HWND owner, bool random, int index) {
  if (random) {
    std::mt19937 gen(Clock().TickCount() ^ GetCurrentProcessId());
    index = std::uniform_int_distribution<int>(0, 2)(gen);
  }
  const wchar_t* address = index == 0 ? kArticle1 : index == 1 ? kArticle2 : index == 2 ? kSite : L"";
  Open(owner, address, SW_SHOWNORMAL);
}

void OpenHelpPage(HWND owner, uint8_t productCode) {
  const ProductInfo* p = FindProduct(productCode);
  Open(owner, std::wstring(kSite) + (p && p->helpPage ? p->helpPage : L"help/"), SW_SHOWNORMAL);
}

void OpenVotePage(HWND owner, uint8_t productCode) {
  const ProductInfo* p = FindProduct(productCode);
  Open(owner, std::wstring(kSite) + (p && p->votePage ? p->votePage : L"vote/"), SW_SHOWNORMAL);
}

void OpenSuggestionPage(HWND owner) { Open(owner, kGuestBook, SW_SHOWNORMAL); }
void OpenDownloadPage(HWND owner) { Open(owner, kDownload, SW_SHOWNORMAL); }
void OpenIndexHelpPage(HWND owner) { Open(owner, kIndexHelp, SW_SHOWNORMAL); }
void OpenRadioSearch(HWND owner) { Open(owner, kSearchUtf8 + PercentEncode(L"电台", CP_UTF8), SW_SHOWNORMAL); }
void OpenWebSearch(HWND owner, const std::wstring& word) {
  Open(owner, kSearchGbk + PercentEncode(word, 936), SW_SHOWNORMAL);
}
void OpenMessengerChat(HWND owner) { Open(owner, kMessenger, SW_SHOW); }
void OpenShopMessengerChat(HWND owner) { Open(owner, kShopMessenger, SW_SHOW); }

std::wstring HomePageAddress() { return kSite; }
std::wstring ContactEmailAddress() { return kEmail; }

void CopyEmailAddr() {
  const std::wstring text = kEmail;
  bool copied = false;
  // Another program may hold the clipboard open: then nothing is copied, and the user is told so.
  if (OpenClipboard(Application ? Application->Handle() : nullptr)) {
    if (EmptyClipboard()) {
      if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (void* p = GlobalLock(mem)) {
          memcpy(p, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
          GlobalUnlock(mem);
          copied = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        }
        if (!copied) GlobalFree(mem);
      }
    }
    CloseClipboard();
  }
  const std::wstring message = copied ? L"邮件地址已成功复制到剪贴板！您现在可以写信给作者了！"
                                      : L"无法使用剪贴板，邮件地址未能复制，请稍后再试。";
  const UINT flags = copied ? MB_OK : MB_OK | MB_ICONWARNING;
  if (Application) Application->MessageBox(message, Application->Title, flags);
  else Dialogs().MessageBox(nullptr, message, L"", flags);
}

bool AddNotifyIcon(NOTIFYICONDATAW& record, HWND owner, UINT id, UINT callbackMessage, const wchar_t* tip) {
  record = NOTIFYICONDATAW{};
  record.cbSize = sizeof(record);
  record.hWnd = owner;
  record.uID = id;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = callbackMessage;
  record.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  lstrcpynW(record.szTip, tip, ARRAYSIZE(record.szTip));
  return Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}
