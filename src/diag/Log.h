// The program's leveled diagnostic log: one call, LogMessage, from any thread.
#pragma once
#include <atomic>

enum LogLevel : int { Debug = 0, Info = 1, Warn = 2, Error = 3 };

#if defined(__GNUC__)
#define QENDOR_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define QENDOR_PRINTF(fmt, args)
#endif

namespace Logging {
extern std::atomic<bool> g_running;
inline bool Running() { return g_running.load(std::memory_order_relaxed); }
}  // namespace Logging

// The log call: printf-style, "%S" takes a wide string. While logging is off it is one test:
// the arguments are not even evaluated.
#define LogMessage(level, ...) (::Logging::Running() ? ::LogMessageOn((level), __VA_ARGS__) : (void)0)
void LogMessageOn(int level, const char* format, ...) QENDOR_PRINTF(2, 3);
// As LogMessage, dispatched to the named sink only.
void LogTo(int level, const char* sinkName, const char* format, ...) QENDOR_PRINTF(3, 4);

namespace settings {
class SettingsStore;
}
// (Re)starts logging from the "BugReport" settings; atStartup selects the start line's wording.
void StartLogging(settings::SettingsStore& store, bool atStartup);
void StopLogging();
bool LoggingRunning();
