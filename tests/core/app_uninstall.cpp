// The self-uninstall and the older-version replacement: the batch file's text for awkward
// paths, and the order of the steps over recorded platform calls, with every refusal.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/OlderVersion.h"
#include "app/Uninstall.h"
#include "base/Log.h"
#include "diag/LogFormat.h"
#include "settings/MemoryKeyStore.h"

namespace {

using Calls = std::vector<std::string>;
using testing::ElementsAre;

std::string Narrow(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// Log lines go into the test's sequence of calls as "log <text>".
Calls* g_logSequence = nullptr;
void CaptureLog(int, const char*, const char* format, va_list* args) {
  char buffer[1024];
  size_t length = 0;
  Logging::FormatInto(buffer, sizeof(buffer), length, format, *args);
  if (g_logSequence) g_logSequence->push_back("log " + std::string(buffer, length));
}
class LogCapture {
 public:
  explicit LogCapture(Calls& calls) {
    g_logSequence = &calls;
    Logging::SetDispatch(&CaptureLog);
    Logging::g_running = true;
  }
  ~LogCapture() {
    Logging::g_running = false;
    Logging::SetDispatch(nullptr);
    g_logSequence = nullptr;
  }
};

// --- The batch file --------------------------------------------------------------------------

TEST(UninstallBatch, PlainPathInEveryPlaceAndTheFileDeletesItself) {
  EXPECT_EQ(app::UninstallBatchName(L"Qendor V2.1"), L"Qendor V2.1_uninstall.bat");
  EXPECT_EQ(app::UninstallBatchText(L"C:\\Apps\\Qendor2.exe"),
            L"@echo off\r\n"
            L"set tries=0\r\n"
            L":wait\r\n"
            L"ping -n 2 127.0.0.1 >nul\r\n"
            L"if not exist \"C:\\Apps\\Qendor2.exe\" goto done\r\n"
            L"del \"C:\\Apps\\Qendor2.exe\" >nul 2>&1\r\n"
            L"set /a tries+=1\r\n"
            L"if %tries% lss 60 goto wait\r\n"
            L":done\r\n"
            L"del \"%~f0\"\r\n");
}

TEST(UninstallBatch, OnlyPercentSignsAreDoubledInThePath) {
  struct Case {
    const wchar_t* path;
    const wchar_t* written;
  } cases[] = {
      {L"C:\\Program Files\\Q\\Qendor2.exe", L"C:\\Program Files\\Q\\Qendor2.exe"},
      {L"C:\\100%\\Qendor2.exe", L"C:\\100%%\\Qendor2.exe"},
      {L"C:\\%TEMP%\\q.exe", L"C:\\%%TEMP%%\\q.exe"},
      {L"C:\\a%%b\\q.exe", L"C:\\a%%%%b\\q.exe"},
      {L"C:\\R & D\\q.exe", L"C:\\R & D\\q.exe"},
      {L"C:\\x ^ y\\q.exe", L"C:\\x ^ y\\q.exe"},
      {L"C:\\(x) [y] {z}\\q.exe", L"C:\\(x) [y] {z}\\q.exe"},
      {L"C:\\Gr\u00FC\u00DFe 100% & ^ (x)\\q.exe", L"C:\\Gr\u00FC\u00DFe 100%% & ^ (x)\\q.exe"},
      {L"C:\\\u65E5\u672C\\q.exe", L"C:\\\u65E5\u672C\\q.exe"},
  };
  for (const Case& c : cases) {
    const std::wstring text = app::UninstallBatchText(c.path);
    const std::wstring quoted = L"\"" + std::wstring(c.written) + L"\"";
    EXPECT_NE(text.find(L"if not exist " + quoted + L" goto done\r\n"), std::wstring::npos) << Narrow(c.path);
    EXPECT_NE(text.find(L"del " + quoted + L" >nul 2>&1\r\n"), std::wstring::npos) << Narrow(c.path);
  }
}

// --- The uninstall -----------------------------------------------------------------------------

class RecordingUninstall : public app::UninstallPlatform {
 public:
  explicit RecordingUninstall(settings::SettingsStore& store) : store_(store) {}
  bool AskToUninstall() override {
    calls.push_back("Ask");
    if (duringQuestion) duringQuestion();
    return yes;
  }
  std::wstring BatchPath() override { return batchPath; }
  std::wstring ProgramPath() override { return programPath; }
  std::optional<std::string> ToBatchEncoding(std::wstring_view text) override {
    calls.push_back("Encode");
    if (!encodable) return std::nullopt;
    return Narrow(text);
  }
  bool WriteNewFile(const std::wstring& path, const std::string& bytes) override {
    calls.push_back("Write " + Narrow(path));
    written = bytes;
    return writes;
  }
  void RemoveFile(const std::wstring& path) override { calls.push_back("Delete " + Narrow(path)); }
  bool StartHidden(const std::wstring& path) override {
    calls.push_back("Start " + Narrow(path));
    return starts;
  }
  void ShowCannotCreate(const std::wstring& path) override { calls.push_back("Message 178 " + Narrow(path)); }
  void FactoryReset() override {
    calls.push_back("FactoryReset");
    // The pages reset here; whatever they try to store is refused.
    writeRefusedDuringReset = !store_.WriteProfileInt(L"Video", L"Volume", 50);
    store_.DeleteAllSettings();
  }
  void CloseApp() override { calls.push_back("Close"); }

  settings::SettingsStore& store_;
  Calls calls;
  std::function<void()> duringQuestion;
  std::wstring batchPath = L"C:\\Temp\\Qendor V2.1_uninstall.bat";
  std::wstring programPath = L"C:\\Apps\\Qendor2.exe";
  std::string written;
  bool yes = true, encodable = true, writes = true, starts = true;
  bool writeRefusedDuringReset = false;
};

class UninstallTest : public ::testing::Test {
 protected:
  UninstallTest() : store(keys), platform(store) { store.WriteProfileInt(L"Music", L"Volume", 40); }
  app::Uninstaller::Result Request() {
    LogCapture capture(platform.calls);
    return uninstaller.Request(platform, flags, store);
  }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store;
  RecordingUninstall platform;
  AppFlags flags;
  app::Uninstaller uninstaller;
};

TEST_F(UninstallTest, StartsTheBatchBeforeAnythingIsDeletedThenResetsWithoutWritesAndCloses) {
  EXPECT_EQ(Request(), app::Uninstaller::Result::Started);
  EXPECT_THAT(platform.calls,
              ElementsAre("Ask", "Encode", "Write C:\\Temp\\Qendor V2.1_uninstall.bat",
                          "Start C:\\Temp\\Qendor V2.1_uninstall.bat", "FactoryReset",
                          "log Closing the App and uninstall", "Close"));
  EXPECT_EQ(platform.written, Narrow(app::UninstallBatchText(L"C:\\Apps\\Qendor2.exe")));
  EXPECT_TRUE(flags.uninstalling);
  EXPECT_TRUE(platform.writeRefusedDuringReset) << "a page reset stored a value after everything was deleted";
  EXPECT_EQ(store.GetProfileInt(L"Music", L"Volume", -1), -1);
  std::wstring left;
  EXPECT_FALSE(keys.EnumSubkey(L"", 0, left)) << "a section was left or created: " << Narrow(left);
}

TEST_F(UninstallTest, EveryRefusalChangesNothingAndLeavesNoBatchFile) {
  const std::string batch = "C:\\Temp\\Qendor V2.1_uninstall.bat";
  struct Case {
    const char* name;
    std::function<void(RecordingUninstall&)> arrange;
    app::Uninstaller::Result result;
    Calls calls;
  } cases[] = {
      {"answered No", [](RecordingUninstall& p) { p.yes = false; }, app::Uninstaller::Result::Declined, {"Ask"}},
      {"path not in the batch file's code page",
       [](RecordingUninstall& p) { p.encodable = false; },
       app::Uninstaller::Result::Failed,
       {"Ask", "Encode",
        "log Uninstall: the program's path cannot be written in the batch file's code page: C:\\Apps\\Qendor2.exe",
        "log Failed to create tmp file for uninstall. Path: " + batch, "Message 178 " + batch}},
      {"batch file not written",
       [](RecordingUninstall& p) { p.writes = false; },
       app::Uninstaller::Result::Failed,
       {"Ask", "Encode", "Write " + batch, "Delete " + batch,
        "log Failed to create tmp file for uninstall. Path: " + batch, "Message 178 " + batch}},
      {"batch file not started",
       [](RecordingUninstall& p) { p.starts = false; },
       app::Uninstaller::Result::Failed,
       {"Ask", "Encode", "Write " + batch, "Start " + batch,
        "log Failed to start the uninstall batch file. Path: " + batch, "Delete " + batch}},
      {"no temporary folder",
       [](RecordingUninstall& p) { p.batchPath.clear(); },
       app::Uninstaller::Result::Failed,
       {"Ask", "log Failed to create tmp file for uninstall. Path: ", "Message 178 "}},
  };
  for (Case& c : cases) {
    settings::MemoryKeyStore keys;
    settings::SettingsStore store(keys);
    store.WriteProfileInt(L"Music", L"Volume", 40);
    RecordingUninstall platform(store);
    c.arrange(platform);
    AppFlags flags;
    app::Uninstaller uninstaller;
    {
      LogCapture capture(platform.calls);
      EXPECT_EQ(uninstaller.Request(platform, flags, store), c.result) << c.name;
    }
    EXPECT_EQ(platform.calls, c.calls) << c.name;
    EXPECT_FALSE(flags.uninstalling) << c.name;
    EXPECT_FALSE(store.WritesFrozen()) << c.name;
    EXPECT_EQ(store.GetProfileInt(L"Music", L"Volume", -1), 40) << c.name;
    // A refused request does not block the next one.
    platform.yes = platform.encodable = platform.writes = platform.starts = true;
    platform.batchPath = L"C:\\Temp\\Qendor V2.1_uninstall.bat";
    EXPECT_EQ(uninstaller.Request(platform, flags, store), app::Uninstaller::Result::Started) << c.name;
  }
}

TEST_F(UninstallTest, ASecondRequestWhileOneIsUnderWayIsIgnored) {
  app::Uninstaller::Result inner{};
  platform.duringQuestion = [&] { inner = uninstaller.Request(platform, flags, store); };
  EXPECT_EQ(Request(), app::Uninstaller::Result::Started);
  EXPECT_EQ(inner, app::Uninstaller::Result::Ignored) << "a request while the question was open";
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "Ask"), 1);
  platform.duringQuestion = nullptr;
  platform.calls.clear();
  EXPECT_EQ(Request(), app::Uninstaller::Result::Ignored) << "a request while the program closes";
  EXPECT_TRUE(platform.calls.empty());
}

// --- The older version --------------------------------------------------------------------------

class RecordingOlder : public app::OlderVersionPlatform {
 public:
  bool MutexExisted(const wchar_t* name) override {
    calls.push_back("Mutex " + Narrow(name));
    return std::find(mutexes.begin(), mutexes.end(), name) != mutexes.end();
  }
  std::wstring ProgramPath() override { return ownPath; }
  bool AskToReplace() override {
    calls.push_back("Ask");
    return yes;
  }
  void ShowCannotReplace(const wchar_t* file) override { calls.push_back("Message 185 " + Narrow(file)); }
  std::optional<std::vector<app::RunningProcess>> Processes() override {
    calls.push_back("Snapshot");
    if (!snapshot) return std::nullopt;
    return processes;
  }
  bool OpenProcess(uint32_t id) override {
    calls.push_back("Open " + std::to_string(id));
    if (std::find(unopenable.begin(), unopenable.end(), id) != unopenable.end()) return false;
    open = id;
    return true;
  }
  std::wstring OpenProcessPath() override { return paths[open]; }
  bool TerminateOpenProcess() override {
    calls.push_back("Terminate " + std::to_string(open));
    return terminates;
  }
  bool WaitOpenProcessExit(uint32_t ms) override {
    calls.push_back("Wait " + std::to_string(ms));
    return true;
  }
  void CloseOpenProcess() override { calls.push_back("Close " + std::to_string(open)); }
  void DeleteRunValue(const wchar_t* name) override { calls.push_back("DeleteRun " + Narrow(name)); }
  uint32_t RemoveFile(const std::wstring& path) override {
    calls.push_back("DeleteFile " + Narrow(path));
    if (deleteErrors.empty()) return 0;
    uint32_t error = deleteErrors.front();
    deleteErrors.erase(deleteErrors.begin());
    return error;
  }
  void Sleep(uint32_t ms) override { calls.push_back("Sleep " + std::to_string(ms)); }
  bool SamePath(const std::wstring& a, const std::wstring& b) override {
    auto lower = [](std::wstring s) {
      std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; });
      return s;
    };
    return lower(a) == lower(b);
  }

  Calls calls;
  std::vector<std::wstring> mutexes;
  std::wstring ownPath = L"C:\\New\\Qendor2.exe";
  std::vector<app::RunningProcess> processes;
  std::map<uint32_t, std::wstring> paths;
  std::vector<uint32_t> unopenable;
  std::vector<uint32_t> deleteErrors;
  uint32_t open = 0;
  bool yes = true, snapshot = true, terminates = true;
};

TEST(OlderVersion, NoOlderMutexGoesOnWithoutAsking) {
  RecordingOlder p;
  EXPECT_TRUE(app::ReplaceOlderVersion(p));
  EXPECT_THAT(p.calls, ElementsAre("Mutex Qendor2", "Mutex Brisholm"));
}

TEST(OlderVersion, TheOlderProcessIsEndedAndAwaitedBeforeItsRunValueAndFileGo) {
  struct Case {
    const char* name;
    const wchar_t* mutex;
    std::vector<uint32_t> deleteErrors;
    bool result;
    Calls tail;  // after the termination, its wait and the handle's close
  } cases[] = {
      {"second version, deleted", L"Qendor2", {}, true, {"DeleteRun Qendor2.exe", "DeleteFile C:\\Old\\Qendor2.exe"}},
      {"second version, locked twice", L"Qendor2", {5, 5}, true,
       {"DeleteRun Qendor2.exe", "DeleteFile C:\\Old\\Qendor2.exe", "Sleep 300", "DeleteFile C:\\Old\\Qendor2.exe",
        "Sleep 300"}},
      {"second version, already gone", L"Qendor2", {2}, true,
       {"DeleteRun Qendor2.exe", "DeleteFile C:\\Old\\Qendor2.exe"}},
      {"first version, locked once", L"Brisholm", {5}, true,
       {"DeleteRun Qendor.exe", "DeleteFile C:\\Old\\Qendor.exe", "Sleep 300", "DeleteFile C:\\Old\\Qendor.exe"}},
      {"first version, already gone", L"Brisholm", {2}, false,
       {"DeleteRun Qendor.exe", "DeleteFile C:\\Old\\Qendor.exe", "Message 185 Qendor.exe"}},
  };
  for (const Case& c : cases) {
    RecordingOlder p;
    p.mutexes = {c.mutex};
    const std::wstring file = std::wstring(c.mutex) == L"Qendor2" ? L"Qendor2.exe" : L"Qendor.exe";
    // Another program, this program itself under the older name, then the older version
    // (its name in other case).
    p.processes = {{10, L"explorer.exe"}, {20, file}, {30, L"QENDOR" + file.substr(6)}};
    p.paths = {{20, L"c:\\new\\" + file}, {30, L"C:\\Old\\" + file}};
    p.ownPath = L"C:\\New\\" + file;
    p.deleteErrors = c.deleteErrors;
    EXPECT_EQ(app::ReplaceOlderVersion(p), c.result) << c.name;
    Calls expected = {"Mutex Qendor2"};
    if (std::wstring(c.mutex) == L"Brisholm") expected.push_back("Mutex Brisholm");
    for (const char* step : {"Ask", "Snapshot", "Open 20", "Close 20", "Open 30", "Terminate 30", "Wait 5000", "Close 30"})
      expected.push_back(step);
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(p.calls, expected) << c.name;
  }
}

TEST(OlderVersion, RefusalsEndTheStart) {
  struct Case {
    const char* name;
    std::function<void(RecordingOlder&)> arrange;
    bool result;
    Calls calls;
  } cases[] = {
      {"answered No", [](RecordingOlder& p) { p.yes = false; }, false, {"Mutex Qendor2", "Ask"}},
      {"no snapshot", [](RecordingOlder& p) { p.snapshot = false; }, false,
       {"Mutex Qendor2", "Ask", "Snapshot", "Message 185 Qendor2.exe"}},
      {"only this program runs under the name",
       [](RecordingOlder& p) { p.paths[30] = L"C:\\NEW\\qendor2.EXE"; }, false,
       {"Mutex Qendor2", "Ask", "Snapshot", "Open 30", "Close 30", "Message 185 Qendor2.exe"}},
      {"cannot be opened", [](RecordingOlder& p) { p.unopenable = {30}; }, false,
       {"Mutex Qendor2", "Ask", "Snapshot", "Open 30", "Message 185 Qendor2.exe"}},
      {"cannot be ended", [](RecordingOlder& p) { p.terminates = false; }, false,
       {"Mutex Qendor2", "Ask", "Snapshot", "Open 30", "Terminate 30", "Close 30", "Message 185 Qendor2.exe"}},
      {"no program path", [](RecordingOlder& p) { p.ownPath.clear(); }, true, {"Mutex Qendor2"}},
  };
  for (Case& c : cases) {
    RecordingOlder p;
    p.mutexes = {L"Qendor2"};
    p.processes = {{30, L"Qendor2.exe"}};
    p.paths = {{30, L"C:\\Old\\Qendor2.exe"}};
    c.arrange(p);
    EXPECT_EQ(app::ReplaceOlderVersion(p), c.result) << c.name;
    EXPECT_EQ(p.calls, c.calls) << c.name;
  }
}

TEST(OlderVersion, BothMutexesTheSecondVersionIsDealtWith) {
  RecordingOlder p;
  p.mutexes = {L"Qendor2", L"Brisholm"};
  p.processes = {{7, L"Qendor.exe"}, {8, L"Qendor2.exe"}};
  p.paths = {{7, L"C:\\First\\Qendor.exe"}, {8, L"C:\\Second\\Qendor2.exe"}};
  EXPECT_TRUE(app::ReplaceOlderVersion(p));
  EXPECT_THAT(p.calls, ElementsAre("Mutex Qendor2", "Ask", "Snapshot", "Open 8", "Terminate 8", "Wait 5000", "Close 8",
                                   "DeleteRun Qendor2.exe", "DeleteFile C:\\Second\\Qendor2.exe"));
}

}  // namespace
