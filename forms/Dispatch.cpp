#include "Dispatch.h"

namespace {
int g_depth = 0;
DispatchExceptionHandler g_handler = nullptr;
HWND g_appWindow = nullptr;
}  // namespace

DispatchScope::DispatchScope() { ++g_depth; }
DispatchScope::~DispatchScope() { --g_depth; }
int CurrentDispatchDepth() { return g_depth; }

void SetDispatchExceptionHandler(DispatchExceptionHandler handler) { g_handler = handler; }
void HandleDispatchException(const std::exception& e) {
  if (g_handler) g_handler(e);
}

HWND ApplicationWindow() { return g_appWindow; }
void SetApplicationWindow(HWND h) { g_appWindow = h; }
