// The program's log call, LogMessage, usable from every layer and any thread. The logger
// itself (sinks, files, rotation) lives in diag and installs itself here when it starts;
// until then, and while logging is off, a call is one test and its arguments are not even
// evaluated.
#pragma once
#include <atomic>
#include <cstdarg>

enum LogLevel : int { Debug = 0, Info = 1, Warn = 2, Error = 3 };

#if defined(__GNUC__)
#define QENDOR_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define QENDOR_PRINTF(fmt, args)
#endif

namespace Logging {
extern std::atomic<bool> g_running;
inline bool Running() { return g_running.load(std::memory_order_relaxed); }

// Where the calls go: the running logger's dispatch (sinkName "" is the default sink).
using DispatchFn = void (*)(int level, const char* sinkName, const char* format, va_list* args);
void SetDispatch(DispatchFn dispatch);
}  // namespace Logging

// The log call: printf-style, "%S" takes a wide string.
#define LogMessage(level, ...) (::Logging::Running() ? ::LogMessageOn((level), __VA_ARGS__) : (void)0)
void LogMessageOn(int level, const char* format, ...) QENDOR_PRINTF(2, 3);
// As LogMessage, dispatched to the named sink only.
void LogTo(int level, const char* sinkName, const char* format, ...) QENDOR_PRINTF(3, 4);

// The failure of a platform call, in the program's one form: "<call> failed. Error 0x%08X".
inline void LogCallFailed(const char* call, long result) {
  LogMessage(Error, "%s failed. Error 0x%08X", call, static_cast<unsigned>(result));
}
