// The log's platform on Windows: debugger output, the temporary directory, local time and
// the operating-system facts for the start banner.
#include <windows.h>

#include "base/OsVersion_win.h"
#include "diag/Logger.h"

namespace Logging {

namespace {
class WinPlatform : public Platform {
 public:
  void DebugOutput(const char* text) override { OutputDebugStringA(text); }
  std::string TempDirectory() override {
    char buffer[260];
    DWORD length = GetTempPathA(sizeof(buffer), buffer);
    if (length == 0 || length >= sizeof(buffer)) return "";
    return std::string(buffer, length);
  }
  LocalTimeParts LocalTime() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }
  unsigned long CurrentThreadId() override { return GetCurrentThreadId(); }
  bool IsWindows10OrGreater() override { return IsWindowsVersionAtLeast(10, 0); }
  // A 32-bit build learns it from IsWow64Process; a 64-bit build runs on a 64-bit system.
  bool Is64BitSystem() override {
    if (sizeof(void*) == 8) return true;
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  }
};
}  // namespace

Platform& DefaultPlatform() {
  static WinPlatform platform;
  return platform;
}

}  // namespace Logging
