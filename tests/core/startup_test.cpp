// Start-up and shutdown: the order of the steps, every failure row, the version marker,
// the autostart switch and the global flags, over recorded platform calls.
#include "app/Startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "diag/Logger.h"
#include "settings/MemoryKeyStore.h"

namespace fs = std::filesystem;

namespace {

class RecordingPlatform : public app::StartupPlatform {
 public:
  RecordingPlatform() : store(keys) {}

  void InitCommonControls() override { calls.push_back("InitCommonControls"); }
  settings::SettingsStore& OpenSettings(const wchar_t* company) override {
    calls.push_back("OpenSettings");
    companyKey = company;
    return store;
  }
  bool IsWindows81OrGreater() override { return windows81; }
  void ShowMessageId(unsigned id, unsigned style, const std::wstring* insert) override {
    calls.push_back("Message " + std::to_string(id) + " style " + std::to_string(style));
    messageInsert = insert ? *insert : L"";
  }
  bool CheckOlderVersion() override {
    calls.push_back("CheckOlderVersion");
    return olderVersionOk;
  }
  app::MutexResult CreateInstanceMutex(const wchar_t* name) override {
    calls.push_back("CreateMutex");
    mutexName = name;
    return mutex;
  }
  void HandOverToRunningInstance() override { calls.push_back("HandOver"); }
  bool StartGdiplus() override {
    calls.push_back("StartGdiplus");
    return gdiplus;
  }
  int32_t StartMediaFoundation() override {
    calls.push_back("StartMediaFoundation");
    return mfResult;
  }
  bool LoadUser32() override {
    calls.push_back("LoadUser32");
    return user32;
  }
  std::wstring SystemErrorText(int32_t) override { return L"Class not registered"; }
  std::vector<std::wstring> CommandLineArguments() override { return arguments; }
  void RunMainWindow() override {
    calls.push_back("RunMainWindow");
    verDuringRun.clear();
    store.ReadRootString(L"Ver", verDuringRun);
  }
  void StopMediaFoundation() override { calls.push_back("StopMediaFoundation"); }
  void StopGdiplus() override { calls.push_back("StopGdiplus"); }
  void CloseInstanceMutex() override { calls.push_back("CloseMutex"); }
  void FreeUser32() override { calls.push_back("FreeUser32"); }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store;
  std::vector<std::string> calls;
  std::wstring companyKey, mutexName, messageInsert, verDuringRun;
  std::vector<std::wstring> arguments;
  bool windows81 = true, olderVersionOk = true, gdiplus = true, user32 = true;
  app::MutexResult mutex = app::MutexResult::Created;
  int32_t mfResult = 0;
};

// Keeps each log line's message; with a sequence set, also appends it there as "log <message>",
// so platform calls and log lines can be checked in one order.
// A folder of the running test's own: ctest runs the cases in parallel processes.
fs::path TestFolder() {
  return fs::temp_directory_path() /
         (std::string("qendor-startup-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

class CapturingLogPlatform : public Logging::Platform {
 public:
  void DebugOutput(const char* text) override {
    std::string line = text;
    lines.push_back(line.substr(line.find(": ") + 2, line.size() - line.find(": ") - 3));
    if (sequence) sequence->push_back("log " + lines.back());
  }
  std::string TempDirectory() override { return TestFolder().string() + "/"; }
  Logging::LocalTimeParts LocalTime() override { return {2026, 1, 2, 3, 4, 5, 6}; }
  unsigned long CurrentThreadId() override { return 1; }
  bool IsWindows10OrGreater() override { return true; }
  bool Is64BitSystem() override { return true; }
  std::vector<std::string> lines;
  std::vector<std::string>* sequence = nullptr;
};

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(TestFolder());
    Logging::SetPlatform(&log);
    platform.store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  }
  void TearDown() override {
    StopLogging();
    log.sequence = nullptr;
    Logging::SetPlatform(nullptr);
    fs::remove_all(TestFolder());
  }
  std::vector<std::string> Run() {
    EXPECT_FALSE(app::Startup(platform, flags));
    app::Exit(platform);
    return platform.calls;
  }
  bool Logged(const std::string& text) const {
    return std::find(log.lines.begin(), log.lines.end(), text) != log.lines.end();
  }

  RecordingPlatform platform;
  CapturingLogPlatform log;
  AppFlags flags;
};

using Calls = std::vector<std::string>;
using testing::ElementsAre;
using testing::StartsWith;

}  // namespace

TEST_F(StartupTest, NormalStartRunsEveryStepInOrderAndExitReversesThem) {
  platform.store.WriteRootString(L"Ver", L"Qendor2.1");
  log.sequence = &platform.calls;
  // The log starts after the single-instance check and says "Exit Qendor2" after every
  // shutdown step, as the last thing before it stops.
  EXPECT_THAT(Run(),
              ElementsAre("InitCommonControls", "OpenSettings", "CreateMutex", StartsWith("log FileBackend(log): "),
                          StartsWith("log Start Qendor 2.1.0.2 ("), "log Windows 10 or greater (x64)", "StartGdiplus",
                          "StartMediaFoundation", "LoadUser32", "RunMainWindow", "StopMediaFoundation", "StopGdiplus",
                          "CloseMutex", "FreeUser32", "log Exit Qendor2"));
  EXPECT_EQ(platform.companyKey, L"vexmora");
  EXPECT_EQ(platform.mutexName, L"Qendor2.1");
  EXPECT_EQ(platform.verDuringRun, L"Qendor2.1");
  EXPECT_FALSE(LoggingRunning()) << "the log stops at exit";
}

TEST_F(StartupTest, VersionMarkerDecidesTheOlderVersionCheck) {
  struct Case {
    const char* what;
    const wchar_t* stored;  // nullptr: none
    bool checkRuns;
  } cases[] = {{"no marker", nullptr, true},
               {"this version", L"Qendor2.1", false},
               {"other case", L"qendor2.1", true},
               {"older", L"Qendor2", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPlatform p;
    if (c.stored) p.store.WriteRootString(L"Ver", c.stored);
    AppFlags f;
    app::Startup(p, f);
    app::Exit(p);
    bool ran = std::find(p.calls.begin(), p.calls.end(), "CheckOlderVersion") != p.calls.end();
    EXPECT_EQ(ran, c.checkRuns);
    std::wstring ver;
    ASSERT_TRUE(p.store.ReadRootString(L"Ver", ver));
    EXPECT_EQ(ver, L"Qendor2.1") << "a successful start stores the marker";
  }
}

TEST_F(StartupTest, FailureRows) {
  struct Case {
    const char* what;
    void (*arrange)(RecordingPlatform&);
    Calls expected;
    bool markerWritten;
  } cases[] = {
      {"older than 8.1", [](RecordingPlatform& p) { p.windows81 = false; },
       {"InitCommonControls", "OpenSettings", "Message 177 style 0", "StopMediaFoundation"}, false},
      {"older version not replaced", [](RecordingPlatform& p) { p.olderVersionOk = false; },
       {"InitCommonControls", "OpenSettings", "CheckOlderVersion", "StopMediaFoundation"}, false},
      {"another instance runs",
       [](RecordingPlatform& p) {
         p.store.WriteRootString(L"Ver", L"Qendor2.1");
         p.mutex = app::MutexResult::AlreadyExists;
       },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "HandOver", "StopMediaFoundation", "CloseMutex"}, true},
      {"mutex fails",
       [](RecordingPlatform& p) {
         p.store.WriteRootString(L"Ver", L"Qendor2.1");
         p.mutex = app::MutexResult::Failed;
       },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StopMediaFoundation"}, true},
      {"GDI+ fails",
       [](RecordingPlatform& p) {
         p.store.WriteRootString(L"Ver", L"Qendor2.1");
         p.gdiplus = false;
       },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StartGdiplus", "Message 173 style 48",
        "StopMediaFoundation", "CloseMutex"},
       true},
      {"Media Foundation fails",
       [](RecordingPlatform& p) {
         p.store.WriteRootString(L"Ver", L"Qendor2.1");
         p.mfResult = static_cast<int32_t>(0x80040154);
       },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StartGdiplus", "StartMediaFoundation",
        "Message 172 style 48", "StopMediaFoundation", "StopGdiplus", "CloseMutex"},
       true},
      {"User32 cannot be loaded",
       [](RecordingPlatform& p) {
         p.store.WriteRootString(L"Ver", L"Qendor2.1");
         p.user32 = false;
       },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StartGdiplus", "StartMediaFoundation", "LoadUser32",
        "RunMainWindow", "StopMediaFoundation", "StopGdiplus", "CloseMutex"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPlatform p;
    p.store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
    c.arrange(p);
    log.lines.clear();
    AppFlags f;
    EXPECT_FALSE(app::Startup(p, f));
    app::Exit(p);
    EXPECT_EQ(p.calls, c.expected);
    std::wstring ver;
    EXPECT_EQ(p.store.ReadRootString(L"Ver", ver), c.markerWritten);
  }
}

// Platform calls and log lines in one order (the start banner left out): a failure is logged
// before its message shows, and "Exit Qendor2" comes after every shutdown step.
TEST_F(StartupTest, FailuresAreLoggedOnlyOnceTheLogRuns) {
  struct Case {
    const char* what;
    void (*arrange)(RecordingPlatform&);
    Calls sequence;
  } cases[] = {
      {"older than 8.1: no log",
       [](RecordingPlatform& p) { p.windows81 = false; },
       {"InitCommonControls", "OpenSettings", "Message 177 style 0", "StopMediaFoundation"}},
      {"hand-over: no log",
       [](RecordingPlatform& p) { p.mutex = app::MutexResult::AlreadyExists; },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "HandOver", "StopMediaFoundation", "CloseMutex"}},
      {"GDI+",
       [](RecordingPlatform& p) { p.gdiplus = false; },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StartGdiplus", "log GdiplusStartup failed",
        "Message 173 style 48", "StopMediaFoundation", "CloseMutex", "log Exit Qendor2"}},
      {"Media Foundation",
       [](RecordingPlatform& p) { p.mfResult = static_cast<int32_t>(0xC00D36B2); },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StartGdiplus", "StartMediaFoundation",
        "log MFStartup failed. Error 0xC00D36B2", "Message 172 style 48", "StopMediaFoundation", "StopGdiplus",
        "CloseMutex", "log Exit Qendor2"}},
      {"User32",
       [](RecordingPlatform& p) { p.user32 = false; },
       {"InitCommonControls", "OpenSettings", "CreateMutex", "StartGdiplus", "StartMediaFoundation", "LoadUser32",
        "log LoadLibrary User32.DLL failed", "RunMainWindow", "StopMediaFoundation", "StopGdiplus", "CloseMutex",
        "log Exit Qendor2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPlatform p;
    p.store.WriteRootString(L"Ver", L"Qendor2.1");
    p.store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
    c.arrange(p);
    log.sequence = &p.calls;
    AppFlags f;
    app::Startup(p, f);
    app::Exit(p);
    log.sequence = nullptr;
    Calls got;
    for (const std::string& step : p.calls)
      if (step.rfind("log Start Qendor", 0) != 0 && step.rfind("log Windows", 0) != 0 &&
          step.rfind("log FileBackend", 0) != 0)
        got.push_back(step);
    EXPECT_EQ(got, c.sequence);
  }
}

TEST_F(StartupTest, MediaFoundationMessageCarriesTheSystemText) {
  platform.store.WriteRootString(L"Ver", L"Qendor2.1");
  platform.mfResult = static_cast<int32_t>(0x80040154);
  Run();
  EXPECT_EQ(platform.messageInsert, L"Class not registered");
}

TEST_F(StartupTest, AutostartIsTheFirstArgumentIgnoringCase) {
  struct Case {
    std::vector<std::wstring> arguments;
    bool autostart;
  } cases[] = {{{}, false},
               {{L"/autostart"}, true},
               {{L"/AUTOSTART"}, true},
               {{L"/AutoStart", L"more"}, true},
               {{L"other", L"/autostart"}, false},
               {{L"/autostart2"}, false},
               {{L"autostart"}, false},
               {{L""}, false}};
  for (const Case& c : cases) {
    RecordingPlatform p;
    p.store.WriteRootString(L"Ver", L"Qendor2.1");
    p.arguments = c.arguments;
    AppFlags f;
    app::Startup(p, f);
    app::Exit(p);
    EXPECT_EQ(f.autostart, c.autostart) << (c.arguments.empty() ? std::string("(none)") : std::string(c.arguments[0].begin(), c.arguments[0].end()));
  }
}

TEST_F(StartupTest, AutostartIsLogged) {
  platform.store.WriteRootString(L"Ver", L"Qendor2.1");
  platform.arguments = {L"/Autostart"};
  Run();
  EXPECT_TRUE(Logged("Started with cmd /autostart"));
}

// Each case stores different values under the two names, so reading one for the other fails.
TEST_F(StartupTest, GlobalFlagsReadFromTheRootWhateverTheirType) {
  struct Stored {
    uint32_t type;  // 0: no value
    std::vector<uint8_t> bytes;
    bool reads;  // the flag it gives
  };
  const Stored missing{0, {}, false}, zero{settings::kDword, {0, 0, 0, 0}, false},
      one{settings::kDword, {1, 0, 0, 0}, true}, large{settings::kDword, {0, 0, 0, 0x80}, true},
      stringOne{settings::kString, {'1', 0, 0, 0}, true}, eightBytes{settings::kQword, {1, 0, 0, 0, 0, 0, 0, 0}, false};
  struct Case {
    const char* what;
    Stored pauseAndMuteAll, pauseWhenMaximised;
  } cases[] = {{"missing, one", missing, one},
               {"one, zero", one, zero},
               {"large, eight bytes", large, eightBytes},
               {"eight bytes, string \"1\"", eightBytes, stringOne},
               {"string \"1\", missing", stringOne, missing},
               {"zero, large", zero, large}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPlatform p;
    p.store.WriteRootString(L"Ver", L"Qendor2.1");
    for (auto [name, stored] :
         {std::pair{L"PauseAndMuteAll", &c.pauseAndMuteAll}, std::pair{L"PauseWhenMaximised", &c.pauseWhenMaximised}})
      if (stored->type) p.keys.SetValue(L"", name, stored->type, stored->bytes.data(), stored->bytes.size());
    AppFlags f;
    app::Startup(p, f);
    app::Exit(p);
    EXPECT_EQ(f.pauseAndMuteAll, c.pauseAndMuteAll.reads);
    EXPECT_EQ(f.pauseWhenMaximised, c.pauseWhenMaximised.reads);
  }
}
