#pragma once
// Seams of the shared toolkit: the calls that Wine fakes or that would touch the machine in a
// test. Each defaults to the real call; a test installs a fake for its scope
// (tests/support/ShellFakes.h).
#include <windows.h>
#include <shlobj.h>

#include <string>

// Opening registry keys: the one step whose failure a test cannot provoke under Wine (which runs
// as administrator). Reads and writes on an opened key are real.
class RegistrySeam {
 public:
  virtual ~RegistrySeam() = default;
  // RegOpenKeyExW(root, path, 0, access, key)
  virtual LSTATUS OpenKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key);
  // RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, key, nullptr)
  virtual LSTATUS CreateKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key);
};
RegistrySeam& RegistryCalls();
void SetRegistrySeam(RegistrySeam* seam);  // nullptr: the real registry

// The shell: ShellExecute (tests must not open browsers or start programs unasked),
// Shell.Application automation (E_NOTIMPL under Wine), the known-folder call.
class ShellSeam {
 public:
  virtual ~ShellSeam() = default;
  // ShellExecuteW(owner, verb or nullptr when empty, file, params or nullptr, dir or nullptr, show)
  virtual HINSTANCE Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                            const std::wstring& params, const std::wstring& dir, int show);
  // Creates "Shell.Application" by its program identifier and calls method (no arguments)
  // late-bound; releases it at once.
  virtual HRESULT InvokeShellApplication(const std::wstring& method);
  // SHGetKnownFolderPath(id); empty on failure.
  virtual std::wstring KnownFolderPath(REFKNOWNFOLDERID id);
};
ShellSeam& ShellCalls();
void SetShellSeam(ShellSeam* seam);  // nullptr: the real shell
