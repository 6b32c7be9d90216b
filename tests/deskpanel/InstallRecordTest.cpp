// WriteInstallPathToReg on a test-owned key standing in for HKLM\SOFTWARE\Quovel\DESKPANEL.
#include <gtest/gtest.h>

#include "Classes.h"
#include "InstallRecord.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

namespace {

class InstallRecord : public testing::Test {
 protected:
  void SetUp() override {
    registry.Redirect(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\DESKPANEL", key.Path() + L"\\DESKPANEL");
  }
  std::wstring Value(const wchar_t* name) const {
    return RegReadStr(HKEY_CURRENT_USER, key.Path() + L"\\DESKPANEL", name);
  }
  TestRegKey key;
  FakeRegistry registry;
  const std::wstring exe = L"C:\\Programs\\Deskora\\deskpanel.exe";
};

TEST_F(InstallRecord, AMissingRecordIsWrittenWithBothValues) {
  EXPECT_TRUE(WriteInstallPathToReg(L"DESKPANEL", exe, L"V2.0"));
  EXPECT_EQ(Value(L"dir"), exe);
  EXPECT_EQ(Value(L"ver"), L"V2.0");
  EXPECT_EQ(GetInstallPathFromReg(L"DESKPANEL"), exe) << "the siblings read what the console wrote";
  // The family's key is asked for in the 32-bit view.
  bool create32 = false;
  for (const auto& o : registry.opens) create32 = create32 || (o.create && (o.access & KEY_WOW64_32KEY));
  EXPECT_TRUE(create32);
}

TEST_F(InstallRecord, ARecordNamingThisExecutableIsLeftAsItIsWhateverItsVersion) {
  key.SetString(L"DESKPANEL", L"dir", exe);
  key.SetString(L"DESKPANEL", L"ver", L"V1.5");
  EXPECT_FALSE(WriteInstallPathToReg(L"DESKPANEL", exe, L"V2.0"));
  EXPECT_EQ(Value(L"ver"), L"V1.5");
}

TEST_F(InstallRecord, ARecordDifferingInLetterCaseOnlyIsRewritten) {
  key.SetString(L"DESKPANEL", L"dir", L"c:\\programs\\deskora\\DESKPANEL.exe");
  key.SetString(L"DESKPANEL", L"ver", L"V1.5");
  EXPECT_TRUE(WriteInstallPathToReg(L"DESKPANEL", exe, L"V2.0"));
  EXPECT_EQ(Value(L"dir"), exe);
  EXPECT_EQ(Value(L"ver"), L"V2.0");
}

TEST_F(InstallRecord, AKeyThatCannotBeOpenedWritesNothing) {
  registry.Deny(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\DESKPANEL");
  EXPECT_FALSE(WriteInstallPathToReg(L"DESKPANEL", exe, L"V2.0"));
  EXPECT_EQ(Value(L"dir"), L"");
}

TEST_F(InstallRecord, AFailedWriteAfterTheOpenNamesTheValue) {
  registry.ReadOnly(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\DESKPANEL");
  key.SetString(L"DESKPANEL", L"dir", L"C:\\Old\\deskpanel.exe");
  try {
    WriteInstallPathToReg(L"DESKPANEL", exe, L"V2.0");
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), L"Failed to set data for 'dir'");
  }
}

}  // namespace
