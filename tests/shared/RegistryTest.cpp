// Registry reads, shell folders, install records and the Run values, on the real
// registry under Wine (test-owned keys and value names) with a registry layer that can refuse.
#include <gtest/gtest.h>

#include "Classes.h"
#include "Fakes.h"
#include "Handles.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const std::wstring kRun = L"Software\\microsoft\\Windows\\CurrentVersion\\Run";

bool Writes(REGSAM access) {
  return access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | WRITE_DAC | WRITE_OWNER | DELETE);
}

// A Run value of the test's own, removed afterwards.
struct RunValue {
  std::wstring name = L"QuovelTest_" + std::to_wstring(GetCurrentProcessId());
  ~RunValue() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRun.c_str(), name.c_str()); }
  void Set(const std::wstring& data, DWORD type = REG_SZ) const {
    RegKey k;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRun.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr),
        ERROR_SUCCESS);
    RegSetValueExW(k.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                   DWORD((data.size() + 1) * sizeof(wchar_t)));
  }
  bool Get(std::wstring& data, DWORD& type) const {
    wchar_t buf[1024];
    DWORD size = sizeof(buf);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kRun.c_str(), name.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                     RRF_NOEXPAND, &type, buf, &size) != ERROR_SUCCESS)
      return false;
    data = buf;
    return true;
  }
};

TEST(RegReadStr, ReadsAStringAndOpensTheKeyForReadingOnly) {
  TestRegKey key;
  key.SetString(L"Sub", L"name", L"值 value");
  FakeRegistry registry;  // passes through, logging the opens
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, key.Path() + L"\\Sub", L"name"), L"值 value");
  ASSERT_EQ(registry.opens.size(), 1u);
  EXPECT_FALSE(registry.opens[0].create);
  EXPECT_FALSE(Writes(registry.opens[0].access));
}

TEST(RegReadStr, MissingKeyMissingValueOrOtherTypeReadEmptyAndCreateNothing) {
  TestRegKey key;
  key.SetString(L"", L"text", L"x");
  DWORD number = 7;
  RegSetKeyValueW(HKEY_CURRENT_USER, key.Path().c_str(), L"number", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, key.Path(), L"nothing"), L"");
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, key.Path(), L"number"), L"");
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, key.Path() + L"\\Missing", L"text"), L"");
  HKEY k;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (key.Path() + L"\\Missing").c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
}

TEST(RegReadStr, AKeyThatCannotBeOpenedReadsEmpty) {
  TestRegKey key;
  key.SetString(L"", L"text", L"x");
  FakeRegistry registry;
  registry.Deny(HKEY_CURRENT_USER, key.Path());
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, key.Path(), L"text"), L"");
}

TEST(RegReadStr, LongValuesAreReadWhole) {
  TestRegKey key;
  std::wstring longText(5000, L'长');
  key.SetString(L"", L"long", longText);
  EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, key.Path(), L"long"), longText);
}

TEST(GetInstallPathFromReg, ReadsDirOfTheProductKeyInThe32BitView) {
  const std::wstring product = L"QVTEST" + std::to_wstring(GetCurrentProcessId());
  const std::wstring path = L"SOFTWARE\\Quovel\\" + product;
  RegKey k32, k64;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                            nullptr, k32.put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                            nullptr, k64.put(), nullptr),
            ERROR_SUCCESS);
  const std::wstring in32 = L"C:\\Quovel 32\\deskpanel.exe", in64 = L"C:\\Quovel 64\\deskpanel.exe";
  RegSetValueExW(k32.get(), L"dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(in32.c_str()),
                 DWORD((in32.size() + 1) * 2));
  RegSetValueExW(k64.get(), L"dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(in64.c_str()),
                 DWORD((in64.size() + 1) * 2));
  k32.reset();
  k64.reset();
  std::wstring got;
  {
    FakeRegistry registry;
    got = GetInstallPathFromReg(product);
    ASSERT_EQ(registry.opens.size(), 1u);
    EXPECT_TRUE(registry.opens[0].access & KEY_WOW64_32KEY);
    EXPECT_FALSE(Writes(registry.opens[0].access));
  }
  EXPECT_EQ(got, in32);
  EXPECT_EQ(GetInstallPathFromReg(product + L"Missing"), L"");
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_32KEY, 0);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_64KEY, 0);
}

TEST(GetShellFolder, ReadsTheShellFoldersKey) {
  ShellFoldersInTestFolder folders;
  EXPECT_EQ(GetShellFolder(L"AppData"), folders.appData);
  EXPECT_EQ(GetShellFolder(L"Programs"), folders.programs);
  EXPECT_EQ(GetShellFolder(L"Desktop"), folders.desktop);
}

TEST(GetShellFolder, AnEmptyValueFallsBackToTheKnownFolder) {
  ShellFoldersInTestFolder folders;
  folders.key.SetString(L"Shell Folders", L"AppData", L"");
  RecordingShell shell;
  shell.knownFolder = [](REFKNOWNFOLDERID id) {
    return IsEqualGUID(id, FOLDERID_RoamingAppData) ? std::wstring(L"C:\\users\\known\\AppData\\Roaming") : L"";
  };
  EXPECT_EQ(GetShellFolder(L"AppData"), L"C:\\users\\known\\AppData\\Roaming");
}

TEST(GetShellFolder, TheRealAppDataFolderIsKnown) {
  std::wstring appData = GetShellFolder(L"AppData");
  EXPECT_FALSE(appData.empty());
  EXPECT_TRUE(DirectoryExists(appData)) << Narrow(appData);
}

TEST(AutoRun, SetReadAndRemoveARunValue) {
  RunValue v;
  const std::wstring exe = L"C:\\Program Files\\Quovel\\休息 breakwarden.exe";
  EXPECT_FALSE(IsAutoRunSet(v.name, exe));  // missing
  SetAutoRun(v.name, exe);
  std::wstring data;
  DWORD type = 0;
  ASSERT_TRUE(v.Get(data, type));
  // Quoted: unquoted, Windows would first try to start "C:\Program".
  EXPECT_EQ(data, L"\"" + exe + L"\"");
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_TRUE(IsAutoRunSet(v.name, exe));
  EXPECT_FALSE(IsAutoRunSet(v.name, UpperCase(exe)));  // letter case counts
  RemoveAutoRun(v.name);
  EXPECT_FALSE(v.Get(data, type));
  RemoveAutoRun(v.name);  // missing: nothing
}

TEST(AutoRun, AnEqualValueIsLeftUntouchedADifferentOneOverwritten) {
  RunValue v;
  const std::wstring exe = L"C:\\q\\saverdeck.exe";
  v.Set(L"\"" + exe + L"\"", REG_EXPAND_SZ);  // the type shows whether SetAutoRun wrote
  SetAutoRun(v.name, exe);
  std::wstring data;
  DWORD type = 0;
  ASSERT_TRUE(v.Get(data, type));
  EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
  SetAutoRun(v.name, L"C:\\q\\other.exe");
  ASSERT_TRUE(v.Get(data, type));
  EXPECT_EQ(data, L"\"C:\\q\\other.exe\"");
  EXPECT_EQ(type, DWORD(REG_SZ));
}

TEST(AutoRun, ABareValueOfOlderVersionsCountsAsSetAndIsWrittenQuotedWhenSetAgain) {
  RunValue v;
  const std::wstring exe = L"C:\\Program Files\\Quovel\\saverdeck.exe";
  struct Case {
    const char* what;
    std::wstring value;
    bool set;
  };
  for (const Case& c : {Case{"bare", exe, true}, Case{"quoted", L"\"" + exe + L"\"", true},
                        Case{"quoted other case", L"\"" + UpperCase(exe) + L"\"", false},
                        Case{"one quote", L"\"" + exe, false}, Case{"quoted with an argument", L"\"" + exe + L"\" /A", false},
                        Case{"empty quotes", L"\"\"", false}}) {
    SCOPED_TRACE(c.what);
    v.Set(c.value);
    EXPECT_EQ(IsAutoRunSet(v.name, exe), c.set);
  }
  v.Set(exe);
  SetAutoRun(v.name, exe);
  std::wstring data;
  DWORD type = 0;
  ASSERT_TRUE(v.Get(data, type));
  EXPECT_EQ(data, L"\"" + exe + L"\"");
}

TEST(AutoRun, ReadersOpenForReadingWritersWithWriteAccessOnly) {
  RunValue v;
  FakeRegistry registry;
  IsAutoRunSet(v.name, L"x");
  SetAutoRun(v.name, L"C:\\x.exe");
  RemoveAutoRun(v.name);
  ASSERT_EQ(registry.opens.size(), 3u);
  EXPECT_FALSE(Writes(registry.opens[0].access));
  EXPECT_FALSE(registry.opens[0].create);
  EXPECT_TRUE(registry.opens[1].create);  // SetAutoRun creates the Run key when missing
  for (int i : {1, 2}) {
    EXPECT_TRUE(registry.opens[i].access & KEY_SET_VALUE);
    EXPECT_NE(registry.opens[i].access & KEY_ALL_ACCESS, REGSAM(KEY_ALL_ACCESS)) << "full access is refused to users";
  }
  for (const auto& o : registry.opens) {
    EXPECT_EQ(o.root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(o.path, kRun);
  }
}

TEST(AutoRun, ARunKeyThatCannotBeOpenedIsNotSetAndIsLeftAlone) {
  RunValue v;
  v.Set(L"C:\\x.exe");
  FakeRegistry registry;
  registry.Deny(HKEY_LOCAL_MACHINE, kRun);
  EXPECT_FALSE(IsAutoRunSet(v.name, L"C:\\x.exe"));
  EXPECT_NO_THROW(SetAutoRun(v.name, L"C:\\y.exe"));
  EXPECT_NO_THROW(RemoveAutoRun(v.name));
  std::wstring data;
  DWORD type;
  ASSERT_TRUE(v.Get(data, type));
  EXPECT_EQ(data, L"C:\\x.exe");
}

TEST(AutoRun, AWriteThatFailsAfterTheKeyOpenedRaisesTheRegistryError) {
  RunValue v;
  FakeRegistry registry;
  registry.ReadOnly(HKEY_LOCAL_MACHINE, kRun);
  try {
    SetAutoRun(v.name, L"C:\\x.exe");
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), L"Failed to set data for '" + v.name + L"'");
  }
}

}  // namespace
