// The logger and its named sinks. One logger object exists while logging runs; log calls
// hold a reference to it, so a call that overlaps a stop completes against the old logger
// (whose sinks are already gone) or finds none.
#pragma once
#include <cstdio>
#include <atomic>
#include <cstdarg>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "diag/Log.h"
#include "diag/LogFormat.h"

namespace Logging {

enum Options : int { Timestamp = 1, ThreadId = 2, NewLine = 4 };
constexpr int kAllOptions = -1;
constexpr size_t kTextSize = 4096;

struct LocalTimeParts {
  int year, month, day, hour, minute, second, millisecond;
};

// What the log needs from the platform.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual void DebugOutput(const char* text) = 0;
  // The user's temporary directory in UTF-8, ending in a path separator ("" when unknown).
  virtual std::string TempDirectory() = 0;
  // Files by UTF-8 path (the log is UTF-8 throughout, its path included). Windows opens them
  // through the wide calls, so a folder name outside the ANSI code page works.
  virtual std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }
  virtual void RemoveFile(const std::string& path) { std::remove(path.c_str()); }
  virtual void RenameFile(const std::string& from, const std::string& to) { std::rename(from.c_str(), to.c_str()); }
  virtual LocalTimeParts LocalTime() = 0;
  virtual unsigned long CurrentThreadId() = 0;
  virtual bool IsWindows10OrGreater() = 0;
  virtual bool Is64BitSystem() = 0;
};
// The portable platform (standard library only) is used until another is set.
void SetPlatform(Platform* platform);
Platform& CurrentPlatform();

class Logger;

struct Record {
  int level;
  const char* format;
  va_list* args;
  char text[kTextSize];
  size_t length = 0;
  Logger* logger = nullptr;  // the logger this call runs against (the fork sink dispatches through it)

  Record(int lvl, const char* fmt, va_list* a) : level(lvl), format(fmt), args(a) { text[0] = 0; }
  // Composes the text once, with the given options; later calls reuse it unchanged.
  const char* Text(int options);
};

// Composes a line into text (kTextSize bytes). Exposed for tests and the benchmark.
size_t ComposeLine(char* text, int options, const LocalTimeParts& time, unsigned long threadId, const char* format,
                   va_list args);

class Backend {
 public:
  Backend(int level, int options) : level(level), options(options) {}
  virtual ~Backend() = default;
  virtual void Write(Record& record) = 0;
  virtual void Notify(const char* sinkName, int event);

  int level;
  int options;
};

class DebuggerBackend : public Backend {
 public:
  using Backend::Backend;
  void Write(Record& record) override;
};

class FileBackend : public Backend {
 public:
  FileBackend(int level, int options, std::string fileName);
  void Write(Record& record) override;
  void Notify(const char* sinkName, int event) override;
  void Rotate();
  std::string Path() const;
  // Writes the file's path into buffer (without heap allocation); false when it does not fit.
  bool PathInto(char* buffer, size_t size) const;
  // Size at which a write rotates the file.
  static constexpr long kRotateSize = 8L * 1024 * 1024;
  static constexpr size_t kPathSize = 1024;  // UTF-8: up to 3 bytes a character

 private:
  std::string fileName_;
};

class ForkBackend : public Backend {
 public:
  ForkBackend(int level, int options, std::string first, std::string second);
  void Write(Record& record) override;

 private:
  std::string first_, second_;
};

class Logger {
 public:
  void Register(const std::string& name, std::shared_ptr<Backend> sink);
  // Takes no lock: runs inside a log call, which holds the mutex.
  void Dispatch(std::string_view name, Record& record);
  void NotifyAll(int event);
  void Clear();
  std::mutex& Mutex() { return mutex_; }

 private:
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<Backend>, std::less<>> sinks_;
};

// Maps a LogLevel setting to a level: debug, info/information, warn/warning, error; others Warn.
int LevelFromName(const std::wstring& name);
void ConfigureLogging(const std::wstring& levelName);
// The directory the file sink writes into (set from the temporary directory at each start).
std::string LogDirectory();
const char* LogFileName();

}  // namespace Logging
