// The logger: sinks registered by name, one mutex serialising every log call, and the
// running logger shared with the calls in flight so that stopping never frees it under them.
#include "diag/Logger.h"

#include <cstdio>
#include <cstring>

#include "base/ResourceIds.h"
#include "base/Text.h"
#include "settings/SettingsStore.h"

namespace Logging {

namespace {
// The running logger. Calls copy the pointer under this lock (held for the copy only), so a
// call that overlaps a stop keeps the old logger alive until it returns.
std::mutex g_loggerLock;
std::shared_ptr<Logger> g_logger;

std::shared_ptr<Logger> RunningLogger() {
  std::lock_guard<std::mutex> lock(g_loggerLock);
  return g_logger;
}
std::shared_ptr<Logger> ReplaceLogger(std::shared_ptr<Logger> logger) {
  std::lock_guard<std::mutex> lock(g_loggerLock);
  g_logger.swap(logger);
  return logger;
}
Platform* g_platform = nullptr;
char g_logDirectory[1024] = "";
constexpr char kFileName[] = "Qendor2.log";
constexpr char kFormatError[] = "!!! Format error: ";

void SetLogDirectory(const std::string& directory) {
  size_t n = directory.size() < sizeof(g_logDirectory) - 1 ? directory.size() : sizeof(g_logDirectory) - 1;
  std::memcpy(g_logDirectory, directory.data(), n);
  g_logDirectory[n] = 0;
}

void Dispatch(int level, const char* sinkName, const char* format, va_list* args) {
  if (!g_running.load(std::memory_order_acquire)) return;
  std::shared_ptr<Logger> logger = RunningLogger();
  if (!logger) return;
  std::lock_guard<std::mutex> lock(logger->Mutex());
  Record record(level, format, args);
  record.logger = logger.get();
  logger->Dispatch(std::string_view(sinkName ? sinkName : ""), record);
}
}  // namespace

Platform& DefaultPlatform();  // the build's own (Win32 or standard library)

void SetPlatform(Platform* platform) { g_platform = platform; }
Platform& CurrentPlatform() { return g_platform ? *g_platform : DefaultPlatform(); }

size_t ComposeLine(char* text, int options, const LocalTimeParts& t, unsigned long threadId, const char* format,
                   va_list args) {
  size_t length = 0;
  auto append = [&](const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    FormatInto(text, kTextSize, length, fmt, ap);
    va_end(ap);
  };
  text[0] = 0;
  if (options & Timestamp)
    append("%d-%d-%d %d:%d:%d:%d ", t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
  if (options & ThreadId) append("%lu", threadId);
  if (options & (Timestamp | ThreadId | NewLine)) append(": ");
  // Keep room for the line feed: the longest line is 4095 bytes with its line feed last.
  const size_t room = (options & NewLine) ? kTextSize - 1 : kTextSize;
  va_list ap;
  va_copy(ap, args);
  bool ok = FormatInto(text, room, length, format, ap);
  va_end(ap);
  if (!ok) {
    size_t n = std::strlen(kFormatError);
    size_t fit = room - 1 > length ? room - 1 - length : 0;
    if (n > fit) n = fit;
    std::memcpy(text + length, kFormatError, n);
    length += n;
    size_t m = std::strlen(format);
    fit = room - 1 > length ? room - 1 - length : 0;
    if (m > fit) m = fit;
    std::memcpy(text + length, format, m);
    length += m;
    text[length] = 0;
  }
  if (options & NewLine) {
    text[length++] = '\n';
    text[length] = 0;
  }
  return length;
}

const char* Record::Text(int options) {
  if (text[0] == 0) {
    Platform& platform = CurrentPlatform();
    length = ComposeLine(text, options, platform.LocalTime(), platform.CurrentThreadId(), format, *args);
  }
  return text;
}

void Backend::Notify(const char*, int) {}

void DebuggerBackend::Write(Record& record) { CurrentPlatform().DebugOutput(record.Text(options)); }

FileBackend::FileBackend(int level, int options, std::string fileName)
    : Backend(level, options), fileName_(std::move(fileName)) {}

bool FileBackend::PathInto(char* buffer, size_t size) const {
  size_t directoryLength = std::strlen(g_logDirectory);
  if (directoryLength == 0) {
    std::string directory = CurrentPlatform().TempDirectory();
    if (directory.size() + fileName_.size() + 1 > size) return false;
    std::memcpy(buffer, directory.data(), directory.size());
    directoryLength = directory.size();
  } else {
    if (directoryLength + fileName_.size() + 1 > size) return false;
    std::memcpy(buffer, g_logDirectory, directoryLength);
  }
  std::memcpy(buffer + directoryLength, fileName_.c_str(), fileName_.size() + 1);
  return true;
}

std::string FileBackend::Path() const {
  char path[kPathSize];
  return PathInto(path, sizeof(path)) ? std::string(path) : std::string();
}

void FileBackend::Write(Record& record) {
  char path[kPathSize];
  if (!PathInto(path, sizeof(path))) return;
  std::FILE* file = CurrentPlatform().OpenFile(path, "at");
  if (!file) return;
  const char* text = record.Text(options);
  std::fwrite(text, 1, record.length, file);
  long size = std::ftell(file);
  std::fclose(file);
  if (size >= kRotateSize) Rotate();
}

void FileBackend::Rotate() {
  std::string path = Path();
  std::string backup = path + ".bak";
  CurrentPlatform().RemoveFile(backup);
  CurrentPlatform().RenameFile(path, backup);
}

void FileBackend::Notify(const char* sinkName, int event) {
  if (event != 0) return;
  std::string path = Path();
  LogTo(Info, "dbgr", "FileBackend(%s): %s", sinkName, path.c_str());
}

ForkBackend::ForkBackend(int level, int options, std::string first, std::string second)
    : Backend(level, options), first_(std::move(first)), second_(std::move(second)) {}

void ForkBackend::Write(Record& record) {
  // Through the record's own logger, whose mutex this call holds: the running logger may
  // already be another one.
  if (!record.logger) return;
  record.logger->Dispatch(first_, record);
  record.logger->Dispatch(second_, record);
}

void Logger::Register(const std::string& name, std::shared_ptr<Backend> sink) {
  std::lock_guard<std::mutex> lock(mutex_);
  sinks_.emplace(name, std::move(sink));  // an existing entry stays
}

void Logger::Dispatch(std::string_view name, Record& record) {
  auto it = sinks_.find(name);
  if (it == sinks_.end()) return;
  if (record.level >= it->second->level) it->second->Write(record);
}

void Logger::NotifyAll(int event) {
  for (auto& [name, sink] : sinks_) sink->Notify(name.c_str(), event);
}

void Logger::Clear() { sinks_.clear(); }

int LevelFromName(const std::wstring& name) {
  std::string lower;
  for (wchar_t c : name) {
    c = base::LowerAscii(c);
    if (c > 0x7F) return Warn;
    lower += static_cast<char>(c);
  }
  if (lower == "debug") return Debug;
  if (lower == "info" || lower == "information") return Info;
  if (lower == "warn" || lower == "warning") return Warn;
  if (lower == "error") return Error;
  return Warn;
}

void ConfigureLogging(const std::wstring& levelName) {
  std::shared_ptr<Logger> logger = RunningLogger();
  if (!logger) return;
  int level = LevelFromName(levelName);
  logger->Register("dbgr", std::make_shared<DebuggerBackend>(level, kAllOptions));
  auto file = std::make_shared<FileBackend>(level, kAllOptions, kFileName);
  file->Rotate();
  logger->Register("log", file);
  logger->Register("", std::make_shared<ForkBackend>(level, kAllOptions, "log", "dbgr"));
  logger->NotifyAll(0);
}

std::string LogDirectory() { return g_logDirectory; }
const char* LogFileName() { return kFileName; }

}  // namespace Logging

using namespace Logging;

bool LoggingRunning() { return g_running.load(); }

void StopLogging() {
  g_running.store(false, std::memory_order_release);
  std::shared_ptr<Logger> logger = ReplaceLogger(nullptr);
  if (!logger) return;
  std::lock_guard<std::mutex> lock(logger->Mutex());
  logger->NotifyAll(1);
  logger->Clear();
  // The logger itself goes when the last call still holding it returns.
}

void StartLogging(settings::SettingsStore& store, bool atStartup) {
  StopLogging();
  if (store.GetProfileInt(L"BugReport", L"EnableLogging", 0) == 0) return;
  std::wstring levelName = store.GetProfileString(L"BugReport", L"LogLevel", L"debug");
  ReplaceLogger(std::make_shared<Logger>());
  SetDispatch(&Dispatch);
  SetLogDirectory(CurrentPlatform().TempDirectory());
  g_running.store(true, std::memory_order_release);
  ConfigureLogging(levelName);
  if (atStartup)
    LogMessage(Info, "Start Qendor%s %d.%d.%d.%d (%s %s)", "", QENDOR_VERSION_MAJOR, QENDOR_VERSION_MINOR,
               QENDOR_VERSION_BUILD, QENDOR_VERSION_REVISION, __DATE__, __TIME__);
  else
    LogMessage(Info, "Enable logging Qendor%s %d.%d.%d.%d (%s %s)", "", QENDOR_VERSION_MAJOR, QENDOR_VERSION_MINOR,
               QENDOR_VERSION_BUILD, QENDOR_VERSION_REVISION, __DATE__, __TIME__);
  Platform& platform = CurrentPlatform();
  bool windows10 = platform.IsWindows10OrGreater();
  bool x64 = platform.Is64BitSystem();
  if (windows10)
    LogMessage(Info, x64 ? "Windows 10 or greater (x64)" : "Windows 10 or greater");
  else
    LogMessage(Info, x64 ? "Windows 8.1 (x64)" : "Windows 8.1");
}
