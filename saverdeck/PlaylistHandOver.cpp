#include "PlaylistHandOver.h"

#include <cstring>

namespace {
// Another program may hold the clipboard for a moment; a few short tries, then give up.
bool OpenClipboardBriefly(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

struct ClipboardOpen {
  ~ClipboardOpen() { CloseClipboard(); }
};

HGLOBAL GlobalCopy(const void* data, size_t bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!h) return nullptr;
  if (void* p = GlobalLock(h)) {
    std::memcpy(p, data, bytes);
    GlobalUnlock(h);
    return h;
  }
  GlobalFree(h);
  return nullptr;
}

bool SetData(UINT format, const void* data, size_t bytes) {
  HGLOBAL h = GlobalCopy(data, bytes);
  if (!h) return false;
  if (SetClipboardData(format, h)) return true;  // the clipboard owns it now
  GlobalFree(h);
  return false;
}
}  // namespace

UINT PlaylistHandOverFormat() {
  static const UINT format = RegisterClipboardFormatW(L"Sonavista.PlaylistHandOver");
  return format;
}

bool PutPlaylistOnClipboard(const std::wstring& path) {
  if (!OpenClipboardBriefly(nullptr)) return false;
  ClipboardOpen open;
  if (!EmptyClipboard()) return false;
  const DWORD mark = GetCurrentProcessId();
  return SetData(CF_UNICODETEXT, path.c_str(), (path.size() + 1) * sizeof(wchar_t)) &&
         SetData(PlaylistHandOverFormat(), &mark, sizeof(mark));
}

bool TakePlaylistFromClipboard(HWND owner, std::wstring& path) {
  path.clear();
  if (!IsClipboardFormatAvailable(PlaylistHandOverFormat())) return false;
  if (!OpenClipboardBriefly(owner)) return false;
  ClipboardOpen open;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* text = static_cast<const wchar_t*>(GlobalLock(h))) {
      path.assign(text, wcsnlen(text, GlobalSize(h) / sizeof(wchar_t)));
      GlobalUnlock(h);
    }
  }
  EmptyClipboard();
  return true;
}
