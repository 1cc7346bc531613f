// The log: line composition and cutting, levels and sinks, rotation, start and stop, and
// log calls racing a stop.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"
#include "diag/Logger.h"

namespace fs = std::filesystem;

namespace {

// A platform with a fixed clock and thread id, a private temporary directory, and the
// debugger output captured.
class FakePlatform : public Logging::Platform {
 public:
  explicit FakePlatform(std::string directory) : directory_(std::move(directory)) {}
  void DebugOutput(const char* text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    debugger.push_back(text);
  }
  std::string TempDirectory() override { return directory_; }
  Logging::LocalTimeParts LocalTime() override { return {2020, 12, 19, 21, 4, 7, 35}; }
  unsigned long CurrentThreadId() override { return 4412; }
  bool IsWindows10OrGreater() override { return windows10; }
  bool Is64BitSystem() override { return x64; }

  std::vector<std::string> debugger;
  bool windows10 = true;
  bool x64 = false;

 private:
  std::mutex mutex_;
  std::string directory_;
};

std::string Compose(int options, const char* format, ...) {
  char text[Logging::kTextSize];
  va_list args;
  va_start(args, format);
  size_t length = Logging::ComposeLine(text, options, {2020, 12, 19, 21, 4, 7, 35}, 4412, format, args);
  va_end(args);
  EXPECT_EQ(length, std::strlen(text));
  return text;
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = fs::temp_directory_path() /
                ("qendor-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory);
    fs::create_directories(directory);
    platform = std::make_unique<FakePlatform>(directory.string() + "/");
    Logging::SetPlatform(platform.get());
  }
  void TearDown() override {
    StopLogging();
    Logging::SetPlatform(nullptr);
    fs::remove_all(directory);
  }
  void Enable(const wchar_t* level = nullptr) {
    store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
    if (level) store.WriteProfileString(L"BugReport", L"LogLevel", level);
  }
  fs::path LogFile() const { return directory / "Qendor2.log"; }

  fs::path directory;
  std::unique_ptr<FakePlatform> platform;
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
};

}  // namespace

TEST(LogCompose, PrefixHasNoLeadingZerosThenThreadAndColon) {
  EXPECT_EQ(Compose(Logging::kAllOptions, "Playlist: Set Activate %d", 1),
            "2020-12-19 21:4:7:35 4412: Playlist: Set Activate 1\n");
  EXPECT_EQ(Compose(Logging::NewLine, "x"), ": x\n");
  EXPECT_EQ(Compose(0, "bare"), "bare");
  EXPECT_EQ(Compose(Logging::Timestamp, "t"), "2020-12-19 21:4:7:35 : t");
}

TEST(LogCompose, ConversionsTheProgramUses) {
  struct Case {
    std::string got, want;
  } cases[] = {
      {Compose(0, "%S", L"C:\\V\u00eddeo\\\u6d77.mp4"), "C:\\V\xc3\xad" "deo\\\xe6\xb5\xb7.mp4"},
      {Compose(0, "%lu|%.2f|0x%08X", 4000000000UL, 0.5, 0xC00D36C4u), "4000000000|0.50|0xC00D36C4"},
      {Compose(0, "%s=%5d|%-4s|%%", "Volume", 42, "ab"), "Volume=   42|ab  |%"},
      {Compose(0, "%ls %c %x %lld", L"wide", 'c', 255, -9000000000LL), "wide c ff -9000000000"},
      {Compose(0, "%.3s|%s", "abcdef", static_cast<const char*>(nullptr)), "abc|(null)"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(LogCompose, LongMessageIsCutSoTheLineFeedIsByte4095) {
  std::string message(5000, 'm');
  std::string line = Compose(Logging::kAllOptions, "%s", message.c_str());
  ASSERT_EQ(line.size(), 4095u);
  EXPECT_EQ(line.back(), '\n');
  EXPECT_EQ(line.compare(0, 27, "2020-12-19 21:4:7:35 4412: "), 0);
  EXPECT_EQ(line.find_first_not_of('m', 27), 4094u);

  std::string exact(4095 - 28, 'e');  // fits exactly with the line feed
  EXPECT_EQ(Compose(Logging::kAllOptions, "%s", exact.c_str()).size(), 4095u);
  std::string noNewline = Compose(Logging::Timestamp, "%s", message.c_str());
  EXPECT_EQ(noNewline.size(), 4095u) << "without a line feed the text may use all 4095 bytes";
}

TEST(LogCompose, FormatErrorShowsTheFormat) {
  struct {
    const char* format;
    std::string want;
  } cases[] = {
      {"Volume %d then %y", "2020-12-19 21:4:7:35 4412: Volume 5 then !!! Format error: Volume %d then %y\n"},
      {"trailing %", "2020-12-19 21:4:7:35 4412: trailing !!! Format error: trailing %\n"},
      {"count %n", "2020-12-19 21:4:7:35 4412: count !!! Format error: count %n\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compose(Logging::kAllOptions, c.format, 5), c.want) << c.format;

  std::string longFormat = std::string(4090, 'f') + "%y";
  std::string line = Compose(Logging::kAllOptions, longFormat.c_str());
  EXPECT_EQ(line.size(), 4095u);
  EXPECT_EQ(line.back(), '\n');
}

TEST(LogLevels, NamesMapIgnoringCaseAndUnknownGivesWarn) {
  const std::map<std::wstring, int> cases = {
      {L"debug", Debug}, {L"INFO", Info},         {L"Information", Info}, {L"warn", Warn},
      {L"WARNING", Warn}, {L"error", Error},      {L"ERROR", Error},      {L"", Warn},
      {L"verbose", Warn}, {L"debug ", Warn},      {std::wstring(80, L'd'), Warn}};
  for (const auto& [name, level] : cases) EXPECT_EQ(Logging::LevelFromName(name), level);
}

TEST_F(LogTest, OffWritesNothingAnywhere) {
  StartLogging(store, true);
  LogMessage(Error, "not written");
  EXPECT_FALSE(LoggingRunning());
  EXPECT_FALSE(fs::exists(LogFile()));
  EXPECT_TRUE(platform->debugger.empty());

  store.WriteProfileInt(L"BugReport", L"EnableLogging", 0);
  std::ofstream(LogFile()) << "old\n";
  StartLogging(store, false);
  EXPECT_EQ(ReadLines(LogFile()), std::vector<std::string>{"old"}) << "no rotation while off";
}

TEST_F(LogTest, StartWritesBannerToFileAndDebuggerInOrder) {
  Enable();
  platform->x64 = true;
  StartLogging(store, true);
  LogMessage(Info, "Quick Controls: Set volume %d", 30);
  LogMessage(Debug, "debug shows at debug level");
  StopLogging();
  LogMessage(Info, "after stop");

  std::string date = __DATE__;
  auto lines = ReadLines(LogFile());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("2020-12-19 21:4:7:35 4412: Start Qendor 2.1.0.2 (", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(date), std::string::npos);
  EXPECT_EQ(lines[1], "2020-12-19 21:4:7:35 4412: Windows 10 or greater (x64)");
  EXPECT_EQ(lines[2], "2020-12-19 21:4:7:35 4412: Quick Controls: Set volume 30");
  EXPECT_EQ(lines[3], "2020-12-19 21:4:7:35 4412: debug shows at debug level");

  ASSERT_EQ(platform->debugger.size(), 5u);
  EXPECT_EQ(platform->debugger[0],
            "2020-12-19 21:4:7:35 4412: FileBackend(log): " + (directory / "Qendor2.log").string() + "\n");
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(platform->debugger[i + 1], lines[i] + "\n");
}

TEST_F(LogTest, EnableLoggingLineAndWindows81) {
  Enable();
  platform->windows10 = false;
  StartLogging(store, false);
  StopLogging();
  auto lines = ReadLines(LogFile());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(": Enable logging Qendor 2.1.0.2 ("), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1], "2020-12-19 21:4:7:35 4412: Windows 8.1");
}

TEST_F(LogTest, ErrorLevelInCapitalsKeepsOnlyErrors) {
  Enable(L"ERROR");
  StartLogging(store, true);
  LogMessage(Info, "info dropped");
  LogMessage(Warn, "warn dropped");
  LogMessage(Error, "MFStartup failed. Error 0x%08X", 0x80004005u);
  StopLogging();
  EXPECT_EQ(ReadLines(LogFile()),
            std::vector<std::string>{"2020-12-19 21:4:7:35 4412: MFStartup failed. Error 0x80004005"});
  ASSERT_EQ(platform->debugger.size(), 1u) << "the start line and the sink's notification are Info";
}

TEST_F(LogTest, UnknownLevelNameActsAsWarn) {
  Enable(L"loud");
  StartLogging(store, true);
  LogMessage(Info, "info dropped");
  LogMessage(Warn, "warn kept");
  StopLogging();
  EXPECT_EQ(ReadLines(LogFile()), std::vector<std::string>{"2020-12-19 21:4:7:35 4412: warn kept"});
}

TEST_F(LogTest, StartRotatesTheOldLogAndReplacesTheOldBackup) {
  std::ofstream(LogFile()) << "previous run\n";
  std::ofstream(directory / "Qendor2.log.bak") << "run before that\n";
  Enable();
  StartLogging(store, true);
  StopLogging();
  EXPECT_EQ(ReadLines(directory / "Qendor2.log.bak"), std::vector<std::string>{"previous run"});
  auto lines = ReadLines(LogFile());
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("Start Qendor"), std::string::npos);

  // Switching on again while on starts a new file, keeping this one as the backup.
  StartLogging(store, false);
  StopLogging();
  EXPECT_NE(ReadLines(directory / "Qendor2.log.bak")[0].find("Start Qendor"), std::string::npos);
  EXPECT_NE(ReadLines(LogFile())[0].find("Enable logging Qendor"), std::string::npos);
}

// The limit is 8 MiB exactly: a write that leaves the file one byte short of it keeps the
// file; one that leaves it at 8,388,608 bytes makes it the backup.
TEST_F(LogTest, WriteReachingEightMegabytesRotates) {
  constexpr uintmax_t kEightMiB = 8 * 1024 * 1024;
  const std::string line = "2020-12-19 21:4:7:35 4412: this line ends the write\n";
  struct Case {
    const char* name;
    uintmax_t sizeAfterWrite;
    bool rotates;
  } cases[] = {
      {"one byte short of 8 MiB", kEightMiB - 1, false},
      {"exactly 8 MiB", kEightMiB, true},
  };
  Enable();
  for (const Case& c : cases) {
    StartLogging(store, true);
    const uintmax_t banner = fs::file_size(LogFile());
    {
      std::ofstream grow(LogFile(), std::ios::app | std::ios::binary);
      grow << std::string(c.sizeAfterWrite - banner - line.size(), 'x');
    }
    LogMessage(Info, "this line ends the write");
    if (c.rotates) {
      ASSERT_FALSE(fs::exists(LogFile())) << c.name << ": not rotated";
      EXPECT_EQ(fs::file_size(directory / "Qendor2.log.bak"), c.sizeAfterWrite) << c.name;
      LogMessage(Info, "first line of the new file");
      EXPECT_EQ(ReadLines(LogFile()), std::vector<std::string>{"2020-12-19 21:4:7:35 4412: first line of the new file"})
          << c.name;
    } else {
      ASSERT_TRUE(fs::exists(LogFile())) << c.name << ": rotated too early";
      EXPECT_EQ(fs::file_size(LogFile()), c.sizeAfterWrite) << c.name;
    }
    StopLogging();
  }
}

// The log is UTF-8 throughout: a temporary folder is a UTF-8 path (on Windows up to 260
// UTF-16 units, so up to three times as many bytes), and wide arguments are written as UTF-8.
TEST_F(LogTest, UnicodeFolderOfManyBytesGetsTheLogInUtf8) {
  std::string greek;
  for (int i = 0; i < 40; ++i) greek += "\u03a9\u03bc\u03ad";  // 240 bytes
  // Paths are bytes here: the folder is named by its UTF-8 bytes.
  fs::path folder = directory / greek / greek;
  fs::create_directories(folder);
  FakePlatform unicode(folder.string() + "/");
  Logging::SetPlatform(&unicode);
  Enable();
  StartLogging(store, true);
  LogMessage(Info, "Video: %S", L"C:\\V\u00eddeo\\\u6d77 \U0001F3AC.mp4");
  StopLogging();

  const std::string path = folder.string() + "/Qendor2.log";
  ASSERT_TRUE(fs::exists(path)) << "no log in a folder of " << folder.string().size() << " bytes";
  std::vector<std::string> lines = ReadLines(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2],
            "2020-12-19 21:4:7:35 4412: Video: C:\\V\xc3\xad"
            "deo\\\xe6\xb5\xb7 \xf0\x9f\x8e\xac.mp4");
  ASSERT_FALSE(unicode.debugger.empty());
  EXPECT_EQ(unicode.debugger[0], "2020-12-19 21:4:7:35 4412: FileBackend(log): " + path + "\n");
  Logging::SetPlatform(platform.get());
}

TEST_F(LogTest, UnwritableFileStillReachesTheDebugger) {
  Enable();
  fs::create_directories(LogFile());  // a folder where the file should be
  StartLogging(store, true);
  LogMessage(Error, "still seen");
  StopLogging();
  ASSERT_FALSE(platform->debugger.empty());
  EXPECT_EQ(platform->debugger.back(), "2020-12-19 21:4:7:35 4412: still seen\n");
}

TEST_F(LogTest, RegisterKeepsTheFirstSinkOfAName) {
  Logging::Logger logger;
  struct Counting : Logging::Backend {
    int* count;
    Counting(int* c) : Backend(Debug, 0), count(c) {}
    void Write(Logging::Record&) override { ++*count; }
  };
  int first = 0, second = 0;
  logger.Register("x", std::make_shared<Counting>(&first));
  logger.Register("x", std::make_shared<Counting>(&second));
  va_list* none = nullptr;
  Logging::Record record(Info, "r", none);
  logger.Dispatch("x", record);
  logger.Dispatch("X", record);  // names are exact
  logger.Dispatch("missing", record);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
}

TEST_F(LogTest, NoHeapAllocationWhileOff) {
  extern std::atomic<long> g_allocations;
  StopLogging();
  long before = g_allocations.load();
  for (int i = 0; i < 1000; ++i) LogMessage(Info, "off %d %S", i, L"wide");
  EXPECT_EQ(g_allocations.load(), before);
}

TEST_F(LogTest, ThreadsLoggingThroughStopsAndStartsNeverTearLines) {
  Enable();
  StartLogging(store, true);
  constexpr int kThreads = 8, kLines = 10000;
  std::atomic<bool> done{false};
  std::atomic<long> calls{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t, &done, &calls] {
      for (int i = 0; i < kLines || !done; ++i) {
        LogMessage(Info, "thread %d line %d payload %s", t, i, "abcdefghijklmnop");
        ++calls;
      }
    });
  int cycles = 0;
  for (; cycles < 50; ++cycles) {
    StopLogging();
    std::this_thread::yield();
    StartLogging(store, false);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  done = true;
  for (auto& thread : threads) thread.join();
  EXPECT_GE(calls.load(), 8L * kLines);
  StopLogging();

  // Every line in the current file and its backup is whole.
  for (const fs::path& file : {LogFile(), directory / "Qendor2.log.bak"}) {
    if (!fs::exists(file)) continue;
    for (const std::string& line : ReadLines(file)) {
      if (line.find("thread ") == std::string::npos) {
        EXPECT_TRUE(line.find(": Enable logging Qendor") != std::string::npos || line.find(": Windows") != std::string::npos)
            << "[" << line << "]";
        continue;
      }
      int t = -1, i = -1;
      char payload[32] = {};
      ASSERT_EQ(std::sscanf(line.c_str(), "2020-12-19 21:4:7:35 4412: thread %d line %d payload %31s", &t, &i, payload),
                3)
          << line;
      EXPECT_STREQ(payload, "abcdefghijklmnop");
    }
  }
}

TEST_F(LogTest, ThreadsLoggingWithLoggingOnLoseNoLine) {
  Enable();
  StartLogging(store, true);
  constexpr int kThreads = 8, kLines = 10000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) LogMessage(Info, "thread %d line %d", t, i);
    });
  for (auto& thread : threads) thread.join();
  StopLogging();

  std::vector<int> next(kThreads, 0);
  int seen = 0;
  for (const std::string& line : ReadLines(LogFile())) {
    int t, i;
    if (std::sscanf(line.c_str(), "2020-12-19 21:4:7:35 4412: thread %d line %d", &t, &i) != 2) continue;
    ASSERT_GE(t, 0);
    ASSERT_LT(t, kThreads);
    EXPECT_EQ(i, next[t]) << "each thread's lines arrive whole and in order";
    next[t] = i + 1;
    ++seen;
  }
  EXPECT_EQ(seen, kThreads * kLines);
}
