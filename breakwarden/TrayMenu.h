#pragma once
// The tray menu's one look, the seven hot keys and the quick tools, as plain data and functions;
// the main window's handlers (TrayMenu.cpp) use them.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Graphics.h"

// What a hot key does.
enum class THotKeyAction : uint8_t { None, BlackScreen, NotePad, Calculator, Word, ScreenSaverSwitch, Overlay, Excel };

struct THotKey {
  const wchar_t* atomName;
  UINT key;  // virtual-key code, taken with MOD_WIN alone
  THotKeyAction action;
};
inline constexpr std::array<THotKey, 7> kHotKeys = {{
    {L"Hotkey_bkwd1", 'H', THotKeyAction::BlackScreen},
    {L"Hotkey_bkwd2", 'Z', THotKeyAction::NotePad},
    {L"Hotkey_bkwd3", 'C', THotKeyAction::Calculator},
    {L"Hotkey_bkwd4", 'W', THotKeyAction::Word},
    {L"Hotkey_bkwd5", 'K', THotKeyAction::ScreenSaverSwitch},
    {L"Hotkey_bkwd6", 'V', THotKeyAction::Overlay},
    {L"Hotkey_bkwd7", 'X', THotKeyAction::Excel},
}};

// WM_HOTKEY's lParam: the modifiers in the low word, the key in the high word. The identifier is
// not looked at; any modifiers but MOD_WIN alone give None.
THotKeyAction DecodeHotKey(LPARAM lParam);

// One identifier per atom, in order: the atom's low byte, or when an earlier key already took that
// one, the next (wrapping within 0..255) that no earlier key uses. Atoms 256 apart would otherwise
// share an identifier, and unregistering it could not tell the two keys apart.
std::array<uint8_t, 7> HotKeyIdentifiers(const std::array<ATOM, 7>& atoms);

// A program the shell starts with the verb "open".
struct TQuickTool {
  const wchar_t* file;
  const wchar_t* params;
  int show;
};
inline constexpr TQuickTool kNotePad{L"notepad", L"", SW_SHOW};
inline constexpr TQuickTool kCalculator{L"calc", L"", SW_SHOWNORMAL};
inline constexpr TQuickTool kWord{L"winword.exe", L"", SW_SHOWNORMAL};
inline constexpr TQuickTool kExcel{L"excel.exe", L"", SW_SHOWNORMAL};
inline constexpr TQuickTool kMouseSettings{L"RunDll32.exe", L"Shell32.dll,Control_RunDLL Main.cpl", SW_SHOWNORMAL};
// Starts it through the shell seam; whether it started is not looked at (a missing tool fails
// silently).
void StartQuickTool(HWND owner, const TQuickTool& tool);

// What a link item of "实用链接" opens.
struct TUsefulLink {
  enum Kind : uint8_t { Radio, Search, Page, Promo } kind;
  const wchar_t* item;  // the tray item's component name
  const wchar_t* word;  // the search word, or the page's address under the maker's site
};
inline constexpr std::array<TUsefulLink, 8> kUsefulLinks = {{
    {TUsefulLink::Radio, L"NFm", L"电台"},
    {TUsefulLink::Page, L"NMore_PCKnowledge", L"article/pc-knowledge.html"},
    {TUsefulLink::Search, L"NMore_Cidian", L"翻译"},
    {TUsefulLink::Search, L"NMore_Weather", L"天气"},
    {TUsefulLink::Search, L"NMore_RiLi", L"日历"},
    {TUsefulLink::Search, L"NMore_Clock", L"时间"},
    {TUsefulLink::Search, L"NMore_Map", L"地图"},
    {TUsefulLink::Promo, L"NWeb_MyVendora", L""},
}};
// The maker's recommendations page ("作者实用应用推荐！"), under its site.
inline constexpr const wchar_t* kSharesPage = L"shares.html";
// Opens the link of the item of that component name; false (nothing opened) for a name outside
// the table.
bool OpenUsefulLink(HWND owner, const std::wstring& itemName);
// A page of the maker's site (an address under it), in the default browser.
void OpenMakerPage(HWND owner, const std::wstring& page);

// "随时随地一键调用！- Restalon的快捷键": every entry followed by ", ", the last one too.
std::wstring ShortCutsText(const std::vector<std::wstring>& entries);
inline constexpr const wchar_t* kShortCutsCaption = L"随时随地一键调用！- Restalon的快捷键";

// The menu's look.
inline constexpr int kMenuGutter = 20;     // left strip the item colour does not cover
inline constexpr int kMenuTextIndent = 5;  // after the gutter
inline constexpr int kMenuBands = 10;      // colour bands of the selected item
// Width of each band for an item rectangle (Round, halves to even).
int MenuBandWidth(const RECT& r);
// Height and width of an item: text height + 7, text width + 16 + the gutter.
void MeasureMenuItem(TCanvas& canvas, const std::wstring& caption, int& width, int& height);
// Draws an item: green gutter, a red triangle when checked, ten black-to-blue bands behind white
// text when selected, else a light strip behind black text; "-" is a line at mid-height.
void DrawMenuItemOn(TCanvas& canvas, const std::wstring& caption, bool checked, bool selected, const RECT& r);
