#include "Dialogs.h"

#include <algorithm>

#include "Description.h"
#include "Forms.h"
#include "Seams.h"

namespace {
template <class T>
int SetFromNames(const PropValue& v, std::initializer_list<std::pair<const wchar_t*, T>> names) {
  int flags = 0;
  for (const auto& n : v.AsSet()) {
    auto it = std::find_if(names.begin(), names.end(), [&](const auto& p) { return n == p.first; });
    if (it == names.end()) throw EFormDescription(L"unknown option " + n);
    flags |= it->second;
  }
  return flags;
}

// The system's dialogs come up where their templates put them, under Wine at the owner's top-left
// corner. While one of these lives on the stack, the first dialog window that comes up is centred
// on its owner, or on the work area when the owner shows nothing, and kept inside the work area.
class CentredDialog {
 public:
  CentredDialog() : saved_(hook_) { hook_ = SetWindowsHookExW(WH_CBT, Activating, nullptr, GetCurrentThreadId()); }
  ~CentredDialog() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = saved_;
  }
  CentredDialog(const CentredDialog&) = delete;
  CentredDialog& operator=(const CentredDialog&) = delete;

 private:
  static LRESULT CALLBACK Activating(int code, WPARAM w, LPARAM l) {
    const HHOOK self = hook_;
    if (code == HCBT_ACTIVATE && self) {
      HWND dlg = HWND(w);
      wchar_t cls[16] = {};
      GetClassNameW(dlg, cls, 16);
      if (wcscmp(cls, L"#32770") == 0) {
        Centre(dlg);
        UnhookWindowsHookEx(self);  // the boxes the dialog itself opens stay where it puts them
        hook_ = nullptr;
      }
    }
    return CallNextHookEx(nullptr, code, w, l);
  }
  static void Centre(HWND dlg) {
    HWND owner = GetWindow(dlg, GW_OWNER);
    MONITORINFO mi{sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dlg, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT work = mi.rcWork;
    RECT around = work, r;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &r) && r.right > r.left &&
        r.bottom > r.top)
      around = r;
    GetWindowRect(dlg, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int x = around.left + (around.right - around.left - w) / 2, y = around.top + (around.bottom - around.top - h) / 2;
    x = std::max(int(work.left), std::min(x, int(work.right) - w));
    y = std::max(int(work.top), std::min(y, int(work.bottom) - h));
    SetWindowPos(dlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  static inline thread_local HHOOK hook_ = nullptr;
  HHOOK saved_;
};
}  // namespace

// ---- TCommonDialog -----------------------------------------------------------------------------

HWND TCommonDialog::OwnerWindow() {
  if (TForm* f = Screen ? Screen->ActiveForm() : nullptr) return f->HandleIfAllocated();
  // The program's own window may hold the activation (a tray program brings it to the front):
  // the main form, when it shows, is what the user looks at.
  if (TForm* m = Application ? Application->MainForm : nullptr)
    if (HWND h = m->HandleIfAllocated(); h && IsWindowVisible(h)) return h;
  return Application ? Application->Handle() : nullptr;
}

bool TCommonDialog::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Title") Title = v.AsString();
  else return TComponent::SetProperty(name, v, loader);
  return true;
}

// ---- TOpenDialog -------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

bool TOpenDialog::Execute() {
  // "name|masks|name|masks" becomes the system's NUL-separated list.
  std::wstring filter = Filter;
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  if (!filter.empty()) filter.append(2, L'\0');
  std::wstring ext = DefaultExt;
  if (size_t dot = ext.rfind(L'.'); dot != std::wstring::npos) ext.erase(0, dot + 1);
  std::vector<wchar_t> buffer(65536, L'\0');
  std::copy_n(FileName.begin(), std::min(FileName.size(), buffer.size() - 1), buffer.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = DWORD(FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = DWORD(buffer.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER;
  static const std::pair<int, DWORD> flags[] = {
      {ofReadOnly, OFN_READONLY}, {ofOverwritePrompt, OFN_OVERWRITEPROMPT}, {ofHideReadOnly, OFN_HIDEREADONLY},
      {ofNoChangeDir, OFN_NOCHANGEDIR}, {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofPathMustExist, OFN_PATHMUSTEXIST}, {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofCreatePrompt, OFN_CREATEPROMPT}, {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofEnableSizing, OFN_ENABLESIZING}, {ofNoValidate, OFN_NOVALIDATE}};
  for (const auto& [o, f] : flags)
    if (Options & o) ofn.Flags |= f;

  // Names that overflow the buffer are no cancel: the dialog reports FNERR_BUFFERTOOSMALL with
  // the size it needs in the buffer's first two bytes; it is asked again with room enough.
  const size_t kMostChars = size_t(1) << 24;
  bool ok = false;
  for (;;) {
    CentredDialog centred;
    ok = save_ ? Dialogs().SaveFileDialog(ofn) : Dialogs().OpenFileDialog(ofn);
    if (ok || Dialogs().FileDialogError() != FNERR_BUFFERTOOSMALL || buffer.size() >= kMostChars) break;
    size_t needed = *reinterpret_cast<const WORD*>(buffer.data());
    buffer.assign(std::min(kMostChars, std::max(buffer.size() * 2, needed + 1)), L'\0');
    std::copy_n(FileName.begin(), std::min(FileName.size(), buffer.size() - 1), buffer.begin());
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
  }
  if (!ok) return false;
  FilterIndex = int(ofn.nFilterIndex);
  Files.clear();
  // One name is a full path; several are the folder followed by the names.
  const wchar_t* p = buffer.data();
  std::wstring first = p;
  p += first.size() + 1;
  if ((Options & ofAllowMultiSelect) && *p) {
    std::wstring dir = first;
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    while (*p) {
      std::wstring name = p;
      Files.push_back(dir + name);
      p += name.size() + 1;
    }
  } else {
    Files.push_back(first);
  }
  FileName = Files.front();
  return true;
}

bool TOpenDialog::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "FileName") FileName = v.AsString();
  else if (name == "Filter") Filter = v.AsString();
  else if (name == "FilterIndex") FilterIndex = v.AsInt();
  else if (name == "InitialDir") InitialDir = v.AsString();
  else if (name == "DefaultExt") DefaultExt = v.AsString();
  else if (name == "Options") {
    Options = SetFromNames<int>(v, {{L"ofReadOnly", ofReadOnly}, {L"ofOverwritePrompt", ofOverwritePrompt},
                                    {L"ofHideReadOnly", ofHideReadOnly}, {L"ofNoChangeDir", ofNoChangeDir},
                                    {L"ofAllowMultiSelect", ofAllowMultiSelect}, {L"ofPathMustExist", ofPathMustExist},
                                    {L"ofFileMustExist", ofFileMustExist}, {L"ofCreatePrompt", ofCreatePrompt},
                                    {L"ofNoReadOnlyReturn", ofNoReadOnlyReturn}, {L"ofEnableSizing", ofEnableSizing},
                                    {L"ofNoValidate", ofNoValidate}});
  } else return TCommonDialog::SetProperty(name, v, loader);
  return true;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) { Filter = GraphicFilter(); }

const wchar_t* TOpenPictureDialog::GraphicFilter() {
  return L"All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
         L"JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";
}

// ---- TFontDialog -------------------------------------------------------------------------------

bool TFontDialog::Execute() {
  LOGFONTW lf{};
  lf.lfHeight = Font.Height();
  lf.lfWeight = (Font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (Font.Style & fsItalic) != 0;
  lf.lfUnderline = (Font.Style & fsUnderline) != 0;
  lf.lfStrikeOut = (Font.Style & fsStrikeOut) != 0;
  lf.lfCharSet = BYTE(Font.Charset);
  wcsncpy(lf.lfFaceName, Font.Name.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = OwnerWindow();
  cf.lpLogFont = &lf;
  cf.iPointSize = Font.Size * 10;
  cf.rgbColors = ColorToRGB(Font.Color);
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  CentredDialog centred;
  if (!Dialogs().FontDialog(cf)) return false;
  Font.Name = lf.lfFaceName;
  Font.Size = cf.iPointSize > 0 ? (cf.iPointSize + 5) / 10 : -MulDiv(lf.lfHeight, 72, ScreenPixelsPerInch());
  Font.Style = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
               (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
  Font.Color = TColor(cf.rgbColors);
  Font.Charset = lf.lfCharSet;
  return true;
}

bool TFontDialog::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name.rfind("Font.", 0) == 0) return Font.SetProperty(name.substr(5), v);
  if (name == "Options" || name == "MinFontSize" || name == "MaxFontSize") return true;  // the system's defaults
  return TCommonDialog::SetProperty(name, v, loader);
}

// ---- TColorDialog ------------------------------------------------------------------------------

bool TColorDialog::Execute() {
  if (!customInit_) {
    CustomColors.fill(RGB(255, 255, 255));
    customInit_ = true;
  }
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = OwnerWindow();
  cc.rgbResult = ColorToRGB(Color);
  cc.lpCustColors = CustomColors.data();
  cc.Flags = CC_RGBINIT | ((Options & cdFullOpen) ? CC_FULLOPEN : 0) |
             ((Options & cdPreventFullOpen) ? CC_PREVENTFULLOPEN : 0) | ((Options & cdSolidColor) ? CC_SOLIDCOLOR : 0) |
             ((Options & cdAnyColor) ? CC_ANYCOLOR : 0);
  CentredDialog centred;
  if (!Dialogs().ColorDialog(cc)) return false;
  Color = TColor(cc.rgbResult & 0xFFFFFF);
  return true;
}

bool TColorDialog::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Color") Color = ColorFromProp(v);
  else if (name == "Options") {
    Options = SetFromNames<int>(v, {{L"cdFullOpen", cdFullOpen}, {L"cdPreventFullOpen", cdPreventFullOpen},
                                    {L"cdSolidColor", cdSolidColor}, {L"cdAnyColor", cdAnyColor}});
  } else return TCommonDialog::SetProperty(name, v, loader);
  return true;
}

bool SelectDirectory(const std::wstring& text, std::wstring& folder, HWND owner) {
  BROWSEINFOW bi{};
  bi.hwndOwner = owner ? owner : TCommonDialog::ActiveOwner();
  bi.lpszTitle = text.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  std::wstring chosen;
  if (!Dialogs().BrowseForFolder(bi, chosen)) return false;
  folder = chosen;
  return true;
}
