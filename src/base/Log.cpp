// The log call's forwarding to the logger that is installed.
#include "base/Log.h"

namespace Logging {

std::atomic<bool> g_running{false};

namespace {
std::atomic<DispatchFn> g_dispatch{nullptr};

void Forward(int level, const char* sinkName, const char* format, va_list* args) {
  if (!g_running.load(std::memory_order_relaxed)) return;
  if (DispatchFn dispatch = g_dispatch.load(std::memory_order_acquire)) dispatch(level, sinkName, format, args);
}
}  // namespace

void SetDispatch(DispatchFn dispatch) { g_dispatch.store(dispatch, std::memory_order_release); }

}  // namespace Logging

void LogMessageOn(int level, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Logging::Forward(level, "", format, &args);
  va_end(args);
}

void LogTo(int level, const char* sinkName, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Logging::Forward(level, sinkName, format, &args);
  va_end(args);
}
