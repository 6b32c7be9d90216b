#include "Seams.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "Handles.h"
#include "Text.h"

DWORD ClockSeam::TickCount() { return GetTickCount(); }
ULONGLONG ClockSeam::TickCount64() { return GetTickCount64(); }

DWORD ClockSeam::LastInputTick() {
  LASTINPUTINFO li{sizeof(li), 0};
  return GetLastInputInfo(&li) ? li.dwTime : GetTickCount();
}

SYSTEMTIME ClockSeam::LocalTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return st;
}

void ClockSeam::WaitForMessages(DWORD ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

namespace {
// The boxes and file dialogs up now, each by what it shows. Every command, timer and click runs
// inside the modal loop of a box an earlier one opened: one that would open the same box or
// dialog again is answered as if it were dismissed, so a repeated command never stacks windows.
class OpenWindows {
 public:
  // A window of a kind counts as up for the scope; Entered() is false when one was up already.
  class Scope {
   public:
    explicit Scope(std::wstring kind) : kind_(std::move(kind)), entered_(Kinds().insert(kind_).second) {}
    ~Scope() {
      if (entered_) Kinds().erase(kind_);
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    bool Entered() const { return entered_; }

   private:
    std::wstring kind_;
    bool entered_;
  };

 private:
  static std::set<std::wstring>& Kinds() {
    static std::set<std::wstring> kinds;
    return kinds;
  }
};

// The answer of a box closed without a choice: OK, No, Ignore or Cancel, by its buttons.
int DismissedAnswer(UINT flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDIGNORE;
    default: return IDCANCEL;
  }
}

// A box's text laid out to fit the work area. The system's box grows as wide as its longest word
// (a path has no blank to break at) and as tall as all its lines. A text that would pass two
// thirds of the work area either way is broken into lines no wider than kBoxLineWidth (at a blank
// where there is one, else anywhere; narrower than any box's own text width, so the box keeps
// each line whole), and lines beyond two thirds of the work area's height are cut.
constexpr int kBoxLineWidth = 250;

std::wstring FitBoxText(const std::wstring& text) {
  const RECT area = Display().WorkArea();
  const int maxWidth = std::max<int>(1, (area.right - area.left) * 2 / 3);
  const int maxHeight = std::max<int>(1, (area.bottom - area.top) * 2 / 3);
  const int lineWidth = std::min(kBoxLineWidth, maxWidth);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return text;
  GdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfMessageFont));
  WindowDC dc(nullptr);
  if (!font || !dc.get()) return text;
  SelectScope selected(dc.get(), font.get());
  RECT need{0, 0, lineWidth, 0};
  DrawTextW(dc.get(), text.c_str(), int(text.size()), &need, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT);
  if (need.right <= maxWidth && need.bottom <= maxHeight) return text;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  const int maxLines = std::max<int>(1, maxHeight / std::max<int>(1, tm.tmHeight));

  std::wstring out;
  int lines = 0;
  size_t pos = 0;
  for (;;) {
    const size_t end = std::min(text.find(L'\n', pos), text.size());
    std::wstring_view rest(text.data() + pos, end - pos);
    for (;;) {
      if (lines == maxLines) return out + L"\u2026";
      if (lines++ > 0) out += L'\n';
      int fit = 0;
      SIZE size{};
      if (!GetTextExtentExPointW(dc.get(), rest.data(), int(rest.size()), lineWidth, &fit, nullptr, &size) ||
          size_t(fit) >= rest.size()) {
        out += rest;
        break;
      }
      size_t cut = rest.rfind(L' ', size_t(fit));
      const bool atBlank = cut != std::wstring_view::npos && cut > 0;
      if (!atBlank) {
        cut = std::max<size_t>(1, size_t(fit));
        if (cut < rest.size() && rest[cut] >= 0xDC00 && rest[cut] <= 0xDFFF) --cut;  // not inside a pair
        if (cut == 0) cut = 2;
      }
      out += rest.substr(0, cut);
      rest.remove_prefix(std::min(rest.size(), cut + (atBlank ? 1 : 0)));
    }
    if (end >= text.size()) return out;
    pos = end + 1;
  }
}

std::wstring FileDialogKind(const wchar_t* which, const OPENFILENAMEW& ofn) {
  return std::wstring(which) + L"\n" + (ofn.lpstrTitle ? ofn.lpstrTitle : L"");
}

bool fileDialogRefused = false;

// The open or save dialog, unless the same one is up already.
bool RunFileDialog(const wchar_t* which, OPENFILENAMEW& ofn, BOOL(WINAPI* run)(OPENFILENAMEW*)) {
  OpenWindows::Scope up(FileDialogKind(which, ofn));
  fileDialogRefused = !up.Entered();
  if (fileDialogRefused) return false;
  const bool chosen = run(&ofn);
  fileDialogRefused = false;  // one refused inside this one's loop is not this one's outcome
  return chosen;
}
}  // namespace

int DialogSeam::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  // The system's box ends its text at a NUL and takes any length: it gets what a user can read.
  const std::wstring shownText = BoxText(text), shownCaption = BoxText(caption);
  OpenWindows::Scope up(L"box\n" + IntToStr(flags) + L"\n" + shownCaption + L"\n" + shownText);
  if (!up.Entered()) return DismissedAnswer(flags);
  return ::MessageBoxW(owner, FitBoxText(shownText).c_str(), shownCaption.c_str(), flags);  // the member shadows the API
}

bool DialogSeam::OpenFileDialog(OPENFILENAMEW& ofn) { return RunFileDialog(L"open", ofn, GetOpenFileNameW); }
bool DialogSeam::SaveFileDialog(OPENFILENAMEW& ofn) { return RunFileDialog(L"save", ofn, GetSaveFileNameW); }
// A dialog not opened again reads as a cancel.
DWORD DialogSeam::FileDialogError() { return fileDialogRefused ? 0 : CommDlgExtendedError(); }
bool DialogSeam::FontDialog(CHOOSEFONTW& cf) { return ChooseFontW(&cf); }
bool DialogSeam::ColorDialog(CHOOSECOLORW& cc) { return ChooseColorW(&cc); }
bool DialogSeam::BrowseForFolder(BROWSEINFOW& bi, std::wstring& folder) {
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&bi);
  if (!item) return false;
  wchar_t path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(item, path);
  CoTaskMemFree(item);
  if (ok) folder = path;
  return ok && path[0];
}

int DisplaySeam::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int DisplaySeam::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
RECT DisplaySeam::WorkArea() {
  RECT r{0, 0, ScreenWidth(), ScreenHeight()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

ClockSeam& Clock() { return SeamSlot<ClockSeam>::Instance().Get(); }
void SetClockSeam(ClockSeam* seam) { SeamSlot<ClockSeam>::Instance().Set(seam); }
DialogSeam& Dialogs() { return SeamSlot<DialogSeam>::Instance().Get(); }
void SetDialogSeam(DialogSeam* seam) { SeamSlot<DialogSeam>::Instance().Set(seam); }
DisplaySeam& Display() { return SeamSlot<DisplaySeam>::Instance().Get(); }
void SetDisplaySeam(DisplaySeam* seam) { SeamSlot<DisplaySeam>::Instance().Set(seam); }
