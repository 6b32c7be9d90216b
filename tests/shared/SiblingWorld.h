#pragma once
// The world a sibling call looks at, owned by the test: shell folders (so path files) in a test
// folder, install records redirected from HKLM\SOFTWARE\Quovel into a test key, and windows of the
// family's classes created in this process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ClassWindow.h"
#include "ShellFakes.h"
#include "TextFile.h"

struct SiblingWorld {
  SiblingWorld() {
    folders.registry.Redirect(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\", install.Path() + L"\\");
  }
  void PathFile(const std::wstring& name, const std::wstring& exe) {
    CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
    WriteTextLines(folders.appData + L"\\Quovel\\" + name, {exe, L"30"});
  }
  void InstallRecord(const std::wstring& productKey, const std::wstring& exe) {
    install.SetString(productKey, L"dir", exe);
  }
  ShellFoldersInTestFolder folders;
  TestRegKey install;
};
