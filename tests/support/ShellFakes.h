#pragma once
// Fakes for the shared toolkit's seams (shared/QVSeams.h), each installed for the scope of a test,
// and test-owned registry keys and folders that clean up after themselves.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "QVSeams.h"

// The real registry, with opens that a test steers: redirected into a test-owned key, refused
// ("cannot be opened"), or opened read-only (so a write after the open fails). Every open is logged.
class FakeRegistry : public RegistrySeam {
 public:
  struct OpenCall {
    HKEY root;
    std::wstring path;
    REGSAM access;
    bool create;
  };
  FakeRegistry();
  ~FakeRegistry() override;
  // Opens under root whose path starts with fromPath go to HKCU\toPath followed by the rest of the path.
  FakeRegistry& Redirect(HKEY root, const std::wstring& fromPath, const std::wstring& toHkcuPath);
  // Opens and creates of exactly this key fail with ERROR_ACCESS_DENIED.
  FakeRegistry& Deny(HKEY root, const std::wstring& path);
  // Opens and creates of exactly this key succeed with read rights only.
  FakeRegistry& ReadOnly(HKEY root, const std::wstring& path);

  LSTATUS OpenKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key) override;
  LSTATUS CreateKey(HKEY root, const std::wstring& path, REGSAM access, HKEY* key) override;

  std::vector<OpenCall> opens;

 private:
  struct Rule {
    HKEY root;
    std::wstring path, to;
    int kind;  // 0 redirect, 1 deny, 2 read-only
  };
  LSTATUS Do(HKEY root, const std::wstring& path, REGSAM access, HKEY* key, bool create);
  std::vector<Rule> rules_;
  RegistrySeam* saved_;
};

// ShellExecute recorded instead of run (executables may be let through for process tests);
// Shell.Application calls recorded; known folders answered by the test.
class RecordingShell : public ShellSeam {
 public:
  struct Call {
    HWND owner;
    std::wstring verb, file, params, dir;
    int show;
  };
  RecordingShell();
  ~RecordingShell() override;
  HINSTANCE Execute(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& params,
                    const std::wstring& dir, int show) override;
  HRESULT InvokeShellApplication(const std::wstring& method) override;
  std::wstring KnownFolderPath(REFKNOWNFOLDERID id) override;

  std::vector<Call> calls;
  INT_PTR result = 42;            // what a recorded Execute answers
  bool runExecutables = false;    // files ending in .exe are really started (result from the shell)
  std::vector<std::wstring> methods;
  HRESULT shellAppResult = S_OK;
  // Answers the known-folder call; unset means the real call.
  std::function<std::wstring(REFKNOWNFOLDERID)> knownFolder;

 private:
  ShellSeam* saved_;
};

// HKCU\Software\QuovelTest\<unique>: created empty, deleted with everything under it.
class TestRegKey {
 public:
  TestRegKey();
  ~TestRegKey();
  const std::wstring& Path() const { return path_; }  // under HKCU
  void SetString(const std::wstring& subKey, const std::wstring& name, const std::wstring& value) const;

 private:
  std::wstring path_;
};

// A fresh folder under %TEMP%, deleted with its contents.
class TestFolder {
 public:
  explicit TestFolder(const std::wstring& hint = L"qvtest");
  ~TestFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// A sound file for the media player: PCM, 8 kHz, 8 bits, mono, a square tone of ms milliseconds.
bool WriteToneWav(const std::wstring& path, int ms);

// The shell folders (AppData, Programs, Desktop) moved into a test folder: a FakeRegistry that
// redirects HKCU's Shell Folders key into a TestRegKey whose values point into a TestFolder.
struct ShellFoldersInTestFolder {
  ShellFoldersInTestFolder();
  TestRegKey key;
  TestFolder root{L"qvshell"};
  FakeRegistry registry;
  std::wstring appData, programs, desktop;
};

// A shell link as the shell's own link object reads it back; empty fields when it cannot.
struct LinkData {
  std::wstring path, args, dir, description;
};
LinkData ReadLink(const std::wstring& linkPath);

void DeleteTree(const std::wstring& folder);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// A picture file the form layer loads: a w x h 24-bit bitmap of one grey.
void WriteBitmapFile(const std::wstring& path, int w, int h);
// The Windows form of a path the build gave as a Unix path ("Z:" + path, slashes turned).
std::wstring WinPathFromBuild(const char* unixPath);

// A file that exists for the test's scope (an empty "executable").
struct TempFile {
  explicit TempFile(std::wstring p) : path(std::move(p)) { WriteBytes(path, "MZ"); }
  ~TempFile() { DeleteFileW(path.c_str()); }
  std::wstring path;
};
