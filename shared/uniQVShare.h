#pragma once
// uniQVShare: the family's shared toolkit and its sibling-program machinery. Free functions;
// text is std::wstring here (W APIs inside; the files are GBK through TextFile.h).
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Handles.h"

// ---------------------------------------------------------------------------------------------
// Waits, folders, registry, path files, auto-start, shortcuts and web pages
// ---------------------------------------------------------------------------------------------

// Waits ms milliseconds while the application keeps processing its messages (at least one pass).
// Sleeps between passes until a message arrives or the deadline comes (Clock().WaitForMessages).
// Returns early when Application->Terminated; a WM_QUIT seen inside stays for the main loop.
void DelayWithMessages(int ms);

// Shell.Application's ToggleDesktop / ShutDownWindows (through the ShellSeam).
void ShowDesktop();
void ShowShutDownDialog();

// True when Application holds a form of exactly that component name (case-sensitive).
bool IsFormCreated(const std::wstring& formName);
// True when a running process's executable name has that extension (with its dot), any case.
bool IsProcessExtRunning(const std::wstring& ext);
// Ends every process whose executable's name has that extension, any case (other programs'
// too), with exit code 0. The result is that of the last ending; false when none was found.
bool KillProcessesByExt(const std::wstring& ext);
// IsProcessExtRunning(".scr") or IsFormCreated("frmScrBKWD").
bool IsSCRRunning();

// The Windows folder and the system folder (any length).
std::wstring GetWinDir();
std::wstring GetSysDir();
// Calls a Win32 "fill this buffer" API, which answers the length copied, or the size needed
// (terminator included) when the buffer is too small, or 0 on failure, with a buffer grown to fit.
std::wstring ReadWin32String(const std::function<UINT(wchar_t* buffer, UINT size)>& api);

// A string value; empty when the key does not open for reading or the value is missing.
std::wstring RegReadStr(HKEY root, const std::wstring& key, const std::wstring& name);
// HKCU\...\Explorer\Shell Folders value ("AppData", "Programs", "Desktop"); when that is empty,
// the system's known folder; empty when both are.
std::wstring GetShellFolder(const std::wstring& valueName);
// Value "dir" of HKLM\SOFTWARE\Quovel\<productKey> (32-bit view); empty when missing.
std::wstring GetInstallPathFromReg(const std::wstring& productKey);

// The folder of the path files: GetShellFolder("AppData") + "\Quovel"; empty when AppData is.
std::wstring PathFileFolder();
// Line 1 of the path file (e.g. "dir1"); empty when the file or the AppData folder is missing.
// A file that exists but cannot be read raises EInOutError.
std::wstring ReadPathFile(const std::wstring& fileName);
// Whether line 1 of a path file is exePath as the file keeps it (exact, letter case included;
// exePath as StorableName gives it; false when GBK cannot keep it).
bool PathFileHolds(const std::wstring& line, const std::wstring& exePath);
// Whether line 1 of a path file names the running executable exePath, so its first run is done:
// both as the file system names them in full (a short name and its long form are one), or exePath
// as the file's code page turned it in an older file, letter case ignored. An empty line names nothing.
bool PathFileNamesExe(const std::wstring& line, const std::wstring& exePath);
// What ReadPathFile takes from the file's lines: line 1, empty when there is none.
std::wstring PathFileLine(const std::vector<std::wstring>& lines);
// True when the file was written (a new file, or line 1 differed). The path is written as
// StorableName gives it; a path GBK cannot keep in any form writes nothing (false). EInOutError
// when writing fails.
bool WritePathFile(const std::wstring& fileName, const std::wstring& exePath, const std::wstring& version);

// Run values under HKLM\Software\microsoft\Windows\CurrentVersion\Run, written as the path in
// double quotes; a value that holds the bare path names it as well (exact, letter case included).
// False when the Run key cannot be opened (the mend) or the value is missing/different.
bool IsAutoRunSet(const std::wstring& name, const std::wstring& path);
// Writes name = "path" (quoted) unless it holds that already, so a bare value is written quoted;
// ERegistryException "Failed to set data for '%s'" on a failed write.
void SetAutoRun(const std::wstring& name, const std::wstring& path);
void RemoveAutoRun(const std::wstring& name);

// Creates a shell link; raises Exception "快捷方式的扩展名必须是 ′LNK′!" for another extension.
// Returns true when the link was saved.
bool CreateShortcut(const std::wstring& target, const std::wstring& arguments, const std::wstring& linkPath,
                    const std::wstring& description);
// A link to the running executable in folder (created one level when missing); "添加成功！" when
// saved, else a failure notice. Returns true when saved. An empty folder makes no link.
bool AddShortcut(const std::wstring& folder, const std::wstring& linkName, const std::wstring& description);

// Web-page openers (ShellExecute through the ShellSeam; results ignored).
void OpenHomePage(HWND owner);
void OpenPromoPage(HWND owner, bool random, int index);
// The product's page from the product table; the general page for a code outside it.
void OpenHelpPage(HWND owner, uint8_t productCode);
void OpenVotePage(HWND owner, uint8_t productCode);
void OpenSuggestionPage(HWND owner);
void OpenDownloadPage(HWND owner);
void OpenIndexHelpPage(HWND owner);
void OpenRadioSearch(HWND owner);
void OpenMessengerChat(HWND owner);
void OpenShopMessengerChat(HWND owner);
void CopyEmailAddr();
// What the about window shows: the maker's home page and the author's contact address.
std::wstring HomePageAddress();
std::wstring ContactEmailAddress();
// A web search for word, the word percent-encoded in GBK (the tray menu's "翻译", "天气", ...).
void OpenWebSearch(HWND owner, const std::wstring& word);
// Percent-encodes text in the code page (936 = GBK, CP_UTF8); unreserved ASCII stays as it is.
std::wstring PercentEncode(const std::wstring& text, unsigned codePage);

// Brings a window to the top of the z-order without moving, sizing it or leaving it topmost: topmost
// once, then not topmost again.
void BringWindowToFront(HWND window);

// The running program's own executable path and its folder (with no trailing backslash).
std::wstring OwnExePath();
std::wstring OwnExeFolder();

// Fixed names of the family.
inline constexpr const wchar_t* kAutoRunBKWD = L"Quovel";
inline constexpr const wchar_t* kAutoRunSaverDeck = L"Quovel_SaverDeck";
inline constexpr const wchar_t* kAutoRunDeskpanel = L"Quovel_DESKPANEL";
inline constexpr const wchar_t* kShortcutFolderName = L"Quovel软件创新产品";
inline constexpr const wchar_t* kRunKeyPath = L"Software\\microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kShellFoldersKeyPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const wchar_t* kQuovelKeyPath = L"SOFTWARE\\Quovel\\";

// ---------------------------------------------------------------------------------------------
// Product table, executable lookup, class probe, commands and launch
// ---------------------------------------------------------------------------------------------

using ProductCode = uint8_t;
using SiblingCommand = uint8_t;

inline constexpr ProductCode pcBKWD = 1;
inline constexpr ProductCode pcZEPT = 2;
inline constexpr ProductCode pcSaverDeck = 3;
inline constexpr ProductCode pcMINV = 5;
inline constexpr ProductCode pcDeskpanel = 104;

// Own window classes of this system.
inline constexpr const wchar_t* kClassBKWD = L"KMR474747_30";
inline constexpr const wchar_t* kClassSaverDeck = L"KMR474747_325_SaverDeck";
inline constexpr const wchar_t* kClassDeskpanel = L"KMR474747_420_DESKPANEL";

// Messages (both parameters 0).
inline constexpr UINT WM_BKWD_SHOWWELCOME = 0x1520;
inline constexpr UINT WM_BKWD_OPENSETUPSCR = 0x8201;
inline constexpr UINT WM_BKWD_OPENSTAT = 0x8202;
inline constexpr UINT WM_ZEPT_ACTIVATE = 0x1620;
inline constexpr UINT WM_SAVERDECK_SHOW = 0x1710;
inline constexpr UINT WM_SAVERDECK_TOGGLEACCOMP = 0x8184;
inline constexpr UINT WM_SAVERDECK_NEXTMUSIC = 0x8185;
inline constexpr UINT WM_SAVERDECK_SCR_INTURN = 0x8186;
inline constexpr UINT WM_SAVERDECK_SCR_RANDOM = 0x8187;
inline constexpr UINT WM_SAVERDECK_SCR_INTURN_MUSIC = 0x8188;
inline constexpr UINT WM_SAVERDECK_SCR_RANDOM_MUSIC = 0x8189;
inline constexpr UINT WM_SAVERDECK_SETUPACCOMP = 0x8190;
inline constexpr UINT WM_SAVERDECK_SCR_INTURN_BYSETTING = 0x8191;
inline constexpr UINT WM_SAVERDECK_SCR_RANDOM_BYSETTING = 0x8192;
inline constexpr UINT WM_SAVERDECK_SCR_INTURN_BYSETTING2 = 0x8193;
inline constexpr UINT WM_SAVERDECK_SHOWHIDE = 0x8194;
inline constexpr UINT WM_SAVERDECK_CMD12 = 0x8195;
inline constexpr UINT WM_SAVERDECK_CMD13 = 0x8196;
inline constexpr UINT WM_SAVERDECK_SHOWPLAY = 0x8197;
inline constexpr UINT WM_SAVERDECK_RESTARTACCOMP = 0x8198;
inline constexpr UINT WM_SAVERDECK_STOPMUSIC = 0x8199;
inline constexpr UINT WM_DESKPANEL_SHOW = 0x1810;
inline constexpr UINT WM_DESKPANEL_REMIND = 0x8210;
inline constexpr UINT WM_MINV_ACTIVATE = 0x1910;

// One row of the product table (ProductTable.cpp).
struct ProductInfo {
  ProductCode code;
  const wchar_t* productKey;       // install record key under SOFTWARE\Quovel
  const wchar_t* pathFile;         // "dir1".."dir5"
  const wchar_t* exeName;          // "breakwarden.exe", ...
  const wchar_t* const* displayExes;  // display-name executables in order, nullptr-terminated
  const wchar_t* const* currentClasses;  // newest first, nullptr-terminated
  const wchar_t* const* oldClasses;      // newest first, nullptr-terminated (may be empty)
  const UINT* commands;            // SiblingCommand -> message
  int commandCount;
  const wchar_t* upgradeName;      // name in the upgrade prompt
  const wchar_t* notInstalledName; // name in the not-installed prompt
  const wchar_t* launchParams;     // "/A" for the player, "" for the others
  const wchar_t* helpPage;         // the product's help article on the maker's site
  const wchar_t* votePage;         // its vote page; nullptr: the general one
};
// The row of code; nullptr for a code outside the table.
const ProductInfo* FindProduct(ProductCode code);
// The message of a command for the product; 0 when the product's table lacks it.
UINT CommandMessage(ProductCode code, SiblingCommand cmd);
// The product's classes older than ownClass: the current ones after it, then the old ones.
std::vector<std::wstring> OlderClasses(ProductCode code, const wchar_t* ownClass);

// Lookup order: path file, install record, own folder + exe name, own folder +
// display names (code 2 also Pelgrin.exe, Quosso.exe). A directory never counts.
bool FindSiblingExe(ProductCode code, std::wstring& path);

// FindWindow(className); keeps the handle for the next PostCmdTo (which consumes it).
bool FindSiblingWnd(const std::wstring& className);
// Posts the command's message to the window kept by the last FindSiblingWnd (if still a window)
// and forgets the handle. A command outside the table posts nothing.
void PostCmdToSibling(ProductCode code, SiblingCommand cmd);
// Probe, then post / upgrade prompt / launch.
void CallSibling(ProductCode code, HWND owner, SiblingCommand cmd);
// Start once, then (cmd != 0) re-probe up to three times 4000 ms apart (bounded).
void LaunchSibling(ProductCode code, HWND owner, SiblingCommand cmd);

void PostCmdToBKWD(SiblingCommand cmd);
void PostCmdToZEPT(SiblingCommand cmd);
void PostCmdToSaverDeck(SiblingCommand cmd);
void PostCmdToDeskpanel(SiblingCommand cmd);
void PostCmdToMINV(SiblingCommand cmd);

void CallBKWD(HWND owner, SiblingCommand cmd);
void CallZEPT(HWND owner, SiblingCommand cmd);
void CallSaverDeck(HWND owner, SiblingCommand cmd);
void CallDeskpanel(HWND owner, SiblingCommand cmd);
void CallMINV(HWND owner, SiblingCommand cmd);

void LaunchBKWD(HWND owner, SiblingCommand cmd);
void LaunchZEPT(HWND owner, SiblingCommand cmd);
void LaunchSaverDeck(HWND owner, SiblingCommand cmd);
void LaunchDeskpanel(HWND owner, SiblingCommand cmd);
void LaunchMINV(HWND owner, SiblingCommand cmd);

// One running instance per program and user session. The named mutex is taken as the very first
// step of a start, so two starts at the same moment cannot both go on; the later one waits for the
// first instance's main window and hands over to it as before.
class TSingleInstance {
 public:
  explicit TSingleInstance(ProductCode code);
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;
  // True when this start is the one instance (or became it: the first ended while it waited).
  bool First() const { return first_; }
  // A later start: returns once the first instance said its main window (of mainClass) is up, once
  // the first has ended (this start is then First), or after ms at most.
  void WaitForFirst(const wchar_t* mainClass, DWORD ms);
  // The first instance: its main window is up, later starts may hand over now.
  void MainWindowReady();
  // Lets the name go, so a new start (a restart) can be the one instance while this ends.
  void Release();

 private:
  KernelHandle mutex_;
  KernelHandle ready_;
  bool first_ = false;
};
// How long a later start waits for the first instance's main window.
inline constexpr DWORD kWaitForFirstInstanceMs = 20000;
// The session-local names of a program's instance mutex and of its ready event.
std::wstring InstanceMutexName(ProductCode code);
std::wstring InstanceReadyName(ProductCode code);

// Fills record for the program's tray icon (icon resource 1, a tip, callbacks to owner) and adds
// it; true when the tray took it. The record is kept for the later NIM_MODIFY and NIM_DELETE.
bool AddNotifyIcon(NOTIFYICONDATAW& record, HWND owner, UINT id, UINT callbackMessage, const wchar_t* tip);
