// Log call costs: logging off (per call, and heap allocations), and logging on (lines per
// second) next to a bare open-append-close loop writing the same line.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"
#include "diag/Logger.h"

static std::atomic<long> g_allocations{0};
void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {
using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

class BenchPlatform : public Logging::Platform {
 public:
  explicit BenchPlatform(std::string dir) : dir_(std::move(dir)) {}
  void DebugOutput(const char*) override {}
  std::string TempDirectory() override { return dir_; }
  Logging::LocalTimeParts LocalTime() override { return real_.LocalTime(); }
  unsigned long CurrentThreadId() override { return real_.CurrentThreadId(); }
  bool IsWindows10OrGreater() override { return true; }
  bool Is64BitSystem() override { return true; }

 private:
  std::string dir_;
  Logging::Platform& real_ = Logging::CurrentPlatform();
};
}  // namespace

int main() {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / "qendor-log-bench";
  fs::remove_all(dir);
  fs::create_directories(dir);
  BenchPlatform platform(dir.string() + "/");
  Logging::SetPlatform(&platform);
  settings::MemoryKeyStore keys;
  settings::SettingsStore store(keys);

  // Logging off.
  constexpr long kOff = 200'000'000;
  long allocationsBefore = g_allocations.load();
  auto t0 = Clock::now();
  for (long i = 0; i < kOff; ++i) {
    LogMessage(Info, "Quick Controls: Set volume %d", static_cast<int>(i));
    std::atomic_signal_fence(std::memory_order_seq_cst);
  }
  auto t1 = Clock::now();
  long offAllocations = g_allocations.load() - allocationsBefore;
  std::printf("logging off: %.3f ns per call, %ld heap allocations in %ld calls\n", Seconds(t0, t1) * 1e9 / kOff,
              offAllocations, kOff);

  // Logging on: file and debugger sinks.
  store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  StartLogging(store, true);
  constexpr int kLines = 200'000;
  allocationsBefore = g_allocations.load();
  t0 = Clock::now();
  for (int i = 0; i < kLines; ++i) LogMessage(Info, "Quick Controls: Set volume %d", i % 101);
  t1 = Clock::now();
  long onAllocations = g_allocations.load() - allocationsBefore;
  StopLogging();
  double logged = Seconds(t0, t1);

  // The same lines with a bare open-append-close loop.
  std::string path = (dir / "bare.log").string();
  Logging::LocalTimeParts now = platform.LocalTime();
  t0 = Clock::now();
  for (int i = 0; i < kLines; ++i) {
    char line[128];
    int n = std::snprintf(line, sizeof(line), "%d-%d-%d %d:%d:%d:%d %lu: Quick Controls: Set volume %d\n", now.year,
                          now.month, now.day, now.hour, now.minute, now.second, now.millisecond, 1234UL, i % 101);
    std::FILE* file = std::fopen(path.c_str(), "at");
    std::fwrite(line, 1, static_cast<size_t>(n), file);
    std::ftell(file);
    std::fclose(file);
  }
  t1 = Clock::now();
  double bare = Seconds(t0, t1);

  std::printf("logging on:  %.0f lines/s, %.2f us per line, %ld operator-new allocations in %d lines\n",
              kLines / logged, logged * 1e6 / kLines, onAllocations, kLines);
  std::printf("bare loop:   %.0f lines/s, %.2f us per line\n", kLines / bare, bare * 1e6 / kLines);
  std::printf("ratio (log / bare time per line): %.2f\n", logged / bare);
  Logging::SetPlatform(nullptr);
  fs::remove_all(dir);
  return 0;
}
