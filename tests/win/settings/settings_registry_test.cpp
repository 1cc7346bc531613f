// The settings contract against the registry, and where the program's tree lives.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Handles_win.h"
#include "settings/RegistryKeyStore_win.h"

namespace {
const wchar_t kContractRoot[] = L"Software\\vexmora\\QendorContractTest";
}

std::unique_ptr<settings::KeyStore> MakeContractStore() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kContractRoot);
  RegDeleteKeyW(HKEY_CURRENT_USER, kContractRoot);
  return std::make_unique<settings::RegistryKeyStore>(kContractRoot);
}

#include "../../shared/settings_contract.h"

TEST(RegistryLocation, RootIsNamedAfterTheExecutable) {
  EXPECT_EQ(settings::ExecutableBaseName(), L"win_settings_tests");
  EXPECT_EQ(settings::AppRegistryRoot(L"vexmora"), L"Software\\vexmora\\win_settings_tests");
}

TEST(RegistryLocation, FirstAccessCreatesTheRootUnderHkcu) {
  std::wstring root = settings::AppRegistryRoot(L"vexmora");
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, root.c_str());
  settings::RegistryKeyStore keys(root);
  settings::SettingsStore store(keys);
  EXPECT_EQ(store.GetProfileInt(L"Video", L"Selected", 0), 0);
  UniqueHkey key;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (root + L"\\Video").c_str(), 0, KEY_READ, key.put()), ERROR_SUCCESS);
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, root.c_str());
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  RegDeleteTreeW(HKEY_CURRENT_USER, kContractRoot);
  RegDeleteKeyW(HKEY_CURRENT_USER, kContractRoot);
  return rc;
}
