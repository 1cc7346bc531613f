// The log's platform on systems other than Windows: standard library and POSIX calls.
#ifndef _WIN32
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "diag/Logger.h"

namespace Logging {

namespace {
class StdPlatform : public Platform {
 public:
  void DebugOutput(const char*) override {}
  std::string TempDirectory() override {
    std::error_code error;
    std::string directory = std::filesystem::temp_directory_path(error).string();
    if (error || directory.empty()) return "/tmp/";
    if (directory.back() != '/') directory += '/';
    return directory;
  }
  LocalTimeParts LocalTime() override {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm parts{};
    localtime_r(&now.tv_sec, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     static_cast<int>(now.tv_usec / 1000)};
  }
  unsigned long CurrentThreadId() override { return static_cast<unsigned long>(gettid()); }
  bool IsWindows10OrGreater() override { return false; }
  bool Is64BitSystem() override { return sizeof(void*) == 8; }
};
}  // namespace

Platform& DefaultPlatform() {
  static StdPlatform platform;
  return platform;
}

}  // namespace Logging
#endif
