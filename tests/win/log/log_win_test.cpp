// The log on Windows: one encoding (UTF-8) for the whole file, and a temporary folder whose
// name lies outside the ANSI code page still gets the log.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "diag/Log.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"

namespace {

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return bytes;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
  fclose(f);
  return bytes;
}

TEST(LogFile, GoesIntoATempFolderOutsideTheAnsiCodePageAndIsUtf8Throughout) {
  wchar_t base[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, base), 0u);
  const std::wstring folder = std::wstring(base) + L"Qendor-\u65e5\u672c-Gr\u00fc\u00dfe";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring log = folder + L"\\Qendor2.log";
  DeleteFileW(log.c_str());
  wchar_t saved[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
  SetEnvironmentVariableW(L"TMP", folder.c_str());
  SetEnvironmentVariableW(L"TEMP", folder.c_str());

  settings::MemoryKeyStore keys;
  settings::SettingsStore store(keys);
  store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  StartLogging(store, true);
  LogMessage(Info, "Open file: %S", L"D:\\Vid\u00e9os\\\u65e5\u672c.mp4");
  StopLogging();
  SetEnvironmentVariableW(L"TMP", saved);
  SetEnvironmentVariableW(L"TEMP", saved);

  const std::string text = ReadAll(log);
  ASSERT_FALSE(text.empty()) << "no log in the folder";
  EXPECT_NE(text.find("Open file: D:\\Vid\xC3\xA9os\\\xE6\x97\xA5\xE6\x9C\xAC.mp4\r\n"), std::string::npos)
      << "the wide argument in UTF-8";
  EXPECT_NE(text.find(": Start Qendor 2.1.0.2"), std::string::npos);
  DeleteFileW(log.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
