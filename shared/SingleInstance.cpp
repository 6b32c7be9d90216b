#include "uniQVShare.h"

TSingleInstance::TSingleInstance(ProductCode code) {
  // The ready event is made before the mutex is asked for, so a later start always finds it.
  ready_.reset(CreateEventW(nullptr, TRUE, FALSE, InstanceReadyName(code).c_str()));
  mutex_.reset(CreateMutexW(nullptr, TRUE, InstanceMutexName(code).c_str()));
  const DWORD err = GetLastError();
  // Without the mutex the start goes on as the class look alone decides.
  first_ = !mutex_ || err != ERROR_ALREADY_EXISTS;
  // A window that an earlier first instance announced is gone with it.
  if (first_ && ready_) ResetEvent(ready_.get());
}

TSingleInstance::~TSingleInstance() { Release(); }

void TSingleInstance::WaitForFirst(const wchar_t* mainClass, DWORD ms) {
  if (first_ || !ready_) return;
  const ULONGLONG deadline = GetTickCount64() + ms;
  auto left = [&] {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? DWORD(0) : DWORD(deadline - now);
  };
  auto becomeFirst = [&] {
    first_ = true;
    ResetEvent(ready_.get());
  };
  const HANDLE both[2] = {mutex_.get(), ready_.get()};
  const DWORD r = WaitForMultipleObjects(2, both, FALSE, left());
  if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED_0) return becomeFirst();
  if (r != WAIT_OBJECT_0 + 1 || FindWindowW(mainClass, nullptr)) return;
  // Announced, but its window is already gone: the first is on its way out, and this start follows.
  const DWORD m = WaitForSingleObject(mutex_.get(), left());
  if (m == WAIT_OBJECT_0 || m == WAIT_ABANDONED) becomeFirst();
}

void TSingleInstance::MainWindowReady() {
  if (first_ && ready_) SetEvent(ready_.get());
}

void TSingleInstance::Release() {
  if (ready_ && first_) ResetEvent(ready_.get());
  ready_.reset();
  if (mutex_ && first_) ReleaseMutex(mutex_.get());
  mutex_.reset();
}
