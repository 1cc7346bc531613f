// The log's platform on Windows: debugger output, the temporary directory, local time and
// the operating-system facts for the start banner.
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/OsVersion_win.h"
#include "base/TempFolder_win.h"
#include "diag/Logger.h"

namespace Logging {

namespace {
std::string Utf8(const wchar_t* text, int length) {
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), bytes, nullptr, nullptr);
  return out;
}
std::wstring Wide(const std::string& text) {
  int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(chars > 0 ? chars : 0), L'\0');
  if (chars > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), chars);
  return out;
}

class WinPlatform : public Platform {
 public:
  // Lines are UTF-8; the debugger channel takes them as they are.
  void DebugOutput(const char* text) override { OutputDebugStringA(text); }
  std::string TempDirectory() override {
    const std::wstring folder = TempFolder();
    return folder.empty() ? std::string() : Utf8(folder.c_str(), static_cast<int>(folder.size()));
  }
  std::FILE* OpenFile(const std::string& path, const char* mode) override {
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
  }
  void RemoveFile(const std::string& path) override { _wremove(Wide(path).c_str()); }
  void RenameFile(const std::string& from, const std::string& to) override {
    _wrename(Wide(from).c_str(), Wide(to).c_str());
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
