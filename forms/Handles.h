#pragma once
// Owners of Win32 resources. Each closes what it holds exactly once: they move, they never copy.
#include <windows.h>
#include <ole2.h>

#include <utility>

// A handle and how it is closed; Traits gives the value that means "none" and the closing call.
template <class H, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  H get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::None(); }
  // For an API that fills in a handle: closes the one held first.
  H* put() {
    reset();
    return &h_;
  }
  H release() { return std::exchange(h_, Traits::None()); }
  void reset(H h = Traits::None()) {
    if (h_ != Traits::None()) Traits::Close(h_);
    h_ = h;
  }

 private:
  H h_ = Traits::None();
};

namespace handle_traits {
struct Kernel {
  static HANDLE None() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// CreateFile and CreateToolhelp32Snapshot answer INVALID_HANDLE_VALUE on failure.
struct File {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct Find {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
struct Key {
  static HKEY None() { return nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
template <class G>
struct Gdi {
  static G None() { return nullptr; }
  static void Close(G g) { DeleteObject(g); }
};
struct MemDC {
  static HDC None() { return nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};
template <class T>
struct Local {
  static T None() { return nullptr; }
  static void Close(T p) { LocalFree(HLOCAL(p)); }
};
}  // namespace handle_traits

using KernelHandle = UniqueHandle<HANDLE, handle_traits::Kernel>;
using FileHandle = UniqueHandle<HANDLE, handle_traits::File>;
using FindHandle = UniqueHandle<HANDLE, handle_traits::Find>;
using RegKey = UniqueHandle<HKEY, handle_traits::Key>;
template <class G>
using GdiObject = UniqueHandle<G, handle_traits::Gdi<G>>;
using MemoryDC = UniqueHandle<HDC, handle_traits::MemDC>;
// Memory the system allocated with LocalAlloc for us (FormatMessage, CommandLineToArgvW).
template <class T>
using LocalMemory = UniqueHandle<T, handle_traits::Local<T>>;

// A window's device context from GetDC (null: the screen's), released to that window.
class WindowDC {
 public:
  explicit WindowDC(HWND h) : h_(h), dc_(GetDC(h)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(h_, dc_);
  }
  WindowDC(WindowDC&& o) noexcept : h_(o.h_), dc_(std::exchange(o.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&&) = delete;
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND h_;
  HDC dc_;
};

// BeginPaint for the scope of a WM_PAINT handler, EndPaint when it leaves (also by an exception).
class PaintScope {
 public:
  explicit PaintScope(HWND h) : h_(h), dc_(BeginPaint(h, &ps_)) {}
  ~PaintScope() { EndPaint(h_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const PAINTSTRUCT& info() const { return ps_; }

 private:
  HWND h_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// An object selected into a device context for a scope; the previous one comes back after.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A COM interface pointer that releases its reference once.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For CoCreateInstance and QueryInterface: releases the one held first.
  void** put_void() {
    reset();
    return reinterpret_cast<void**>(&p_);
  }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }

 private:
  T* p_ = nullptr;
};

// CoInitialize or OleInitialize for a scope; uninitialised on leaving when it succeeded.
class ComScope {
 public:
  enum Kind { kCom, kOle };
  explicit ComScope(Kind k = kCom) : kind_(k), hr_(k == kOle ? OleInitialize(nullptr) : CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) kind_ == kOle ? OleUninitialize() : CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  Kind kind_;
  HRESULT hr_;
};
