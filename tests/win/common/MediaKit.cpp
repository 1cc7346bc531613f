#include "MediaKit.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "base/Handles_win.h"
#include "base/OsVersion_win.h"
#include "settings/SettingsStore.h"
#include "diag/Log.h"
#include "diag/Logger.h"

namespace mediakit {

namespace {

std::wstring g_fixtureDir;
std::mutex g_logMutex;
std::vector<std::string> g_logLines;

class CapturePlatform : public Logging::Platform {
 public:
  void DebugOutput(const char* text) override {
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    static const bool echo = GetEnvironmentVariableA("QENDOR_TEST_ECHO", nullptr, 0) > 0;
    if (echo) std::fprintf(stderr, "log: %s\n", line.c_str());
    std::lock_guard<std::mutex> lock(g_logMutex);
    g_logLines.push_back(line);
  }
  std::string TempDirectory() override {
    char buffer[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(buffer), buffer);
    return (length == 0 || length >= sizeof(buffer)) ? std::string() : std::string(buffer, length);
  }
  Logging::LocalTimeParts LocalTime() override { return {2026, 1, 1, 0, 0, 0, 0}; }
  unsigned long CurrentThreadId() override { return GetCurrentThreadId(); }
  bool IsWindows10OrGreater() override { return true; }
  bool Is64BitSystem() override { return true; }
};
CapturePlatform g_capture;

// A captured line ends with the message, after the level prefix or the thread tag.
bool EndsWithMessage(const std::string& line, const std::string& message) {
  if (line.size() < message.size() ||
      line.compare(line.size() - message.size(), message.size(), message) != 0) {
    return false;
  }
  if (line.size() == message.size()) return true;
  const char before = line[line.size() - message.size() - 1];
  return before == ' ' || before == ']' || before == ':';
}

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, length);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

// Unix path of a Windows path under Wine ("" elsewhere).
std::string UnixPath(const std::wstring& path) {
  using Fn = char*(CDECL*)(const wchar_t*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return {};
  char* unixPath = fn(path.c_str());
  if (!unixPath) return {};
  std::string result(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs the generator as a Unix process (Wine starts ELF programs through CreateProcess; the
// command line is split by the Windows rules, so only double quotes quote). Wine's handle of
// a Unix process can be signalled before the process ends, so completion is the marker file
// the generator writes last.
bool GenerateFixtures(const std::wstring& dir) {
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring marker = dir + L"fixtures.ok";
  DeleteFileW(marker.c_str());
  const std::string unixDir = UnixPath(dir);
  if (unixDir.empty()) return false;
  std::string command =
      std::string("/bin/bash \"") + QENDOR_SOURCE_DIR + "/tools/fixtures/make-fixtures.sh\" \"" + unixDir + "\"";
  std::wstring wide(command.begin(), command.end());
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(L"Z:\\bin\\bash", wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  UniqueHandle thread(process.hThread);
  UniqueHandle child(process.hProcess);
  const ULONGLONG deadline = GetTickCount64() + 180000;
  while (!FileExists(marker)) {
    if (GetTickCount64() > deadline) return false;
    Sleep(100);
  }
  return true;
}

}  // namespace

bool PrepareFixtures() {
  g_fixtureDir = ExeDir() + L"media-fixtures\\";
  return FileExists(g_fixtureDir + L"fixtures.ok") || GenerateFixtures(g_fixtureDir);
}

const std::wstring& FixtureDir() { return g_fixtureDir; }
std::wstring Fixture(const wchar_t* name) { return g_fixtureDir + name; }
const wchar_t* ResumableClip() { return IsRunningOnWine() ? L"tone.wav" : L"clip.avi"; }

void StartLogCapture(settings::SettingsStore& store) {
  store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  store.WriteProfileString(L"BugReport", L"LogLevel", L"debug");
  Logging::SetPlatform(&g_capture);
  StartLogging(store, false);
}

void ClearLog() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  g_logLines.clear();
}
std::vector<std::string> LogLines() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  return g_logLines;
}
int LogCount(const std::string& message) {
  std::lock_guard<std::mutex> lock(g_logMutex);
  return static_cast<int>(std::count_if(g_logLines.begin(), g_logLines.end(),
                                        [&](const std::string& line) { return EndsWithMessage(line, message); }));
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                              QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace mediakit
