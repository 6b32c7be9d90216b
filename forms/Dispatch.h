#pragma once
// What every window procedure of ours shares, beneath the controls and the forms: the message
// record, the depth of nested dispatch, the exception boundary and the application's window.
// The application object fills in its part when it is created.
#include <windows.h>

#include <exception>

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
};

// Counts one level of message dispatch for its scope (0: the main loop, between messages).
class DispatchScope {
 public:
  DispatchScope();
  ~DispatchScope();
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
};
int CurrentDispatchDepth();

// An exception escaped a handler: shown by the application's handler (the standard error box),
// and dispatch goes on. Without an application it is dropped.
using DispatchExceptionHandler = void (*)(const std::exception& e);
void SetDispatchExceptionHandler(DispatchExceptionHandler handler);
void HandleDispatchException(const std::exception& e);

// The application's hidden window, owner of pop-up menus and timers; null before it exists.
HWND ApplicationWindow();
void SetApplicationWindow(HWND h);
