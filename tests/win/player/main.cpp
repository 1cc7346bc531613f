// Entry of the player tests: starts COM and Media Foundation, generates the media fixtures
// (tools/fixtures/make-fixtures.sh, run through Wine's Unix process support, or taken from
// QENDOR_PLAYER_FIXTURES), captures the log, and implements the shared harness.
#include <gtest/gtest.h>
#include <mfapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "PlayerHarness.h"
#include "app/ComRef_win.h"
#include "app/Handles_win.h"
#include "app/Messages.h"
#include "app/OsVersion_win.h"
#include "app/SettingsStore.h"
#include "diag/Log.h"
#include "diag/Logger.h"

namespace playertest {

namespace {

std::wstring g_fixtureDir;
std::mutex g_logMutex;
std::vector<std::string> g_logLines;

// Captures every line the log sends to the debugger channel.
class CapturePlatform : public Logging::Platform {
 public:
  void DebugOutput(const char* text) override {
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
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

// A captured line ends with the message after "] " or the level prefix; compare the tail.
bool LineIs(const std::string& captured, const std::string& text) {
  return captured.size() >= text.size() && captured.compare(captured.size() - text.size(), text.size(), text) == 0 &&
         (captured.size() == text.size() || captured[captured.size() - text.size() - 1] == ' ' ||
          captured[captured.size() - text.size() - 1] == ']' || captured[captured.size() - text.size() - 1] == ':');
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

// Runs the generator as a Unix process (Wine starts ELF programs through CreateProcess).
// Wine's handle of a Unix process is signalled at once, so completion is the marker file the
// generator writes last.
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
  const ULONGLONG deadline = GetTickCount64() + 120000;
  while (!FileExists(marker)) {
    if (GetTickCount64() > deadline) return false;
    Sleep(100);
  }
  return true;
}

}  // namespace

const std::wstring& FixtureDir() { return g_fixtureDir; }
std::wstring Fixture(const wchar_t* name) { return g_fixtureDir + name; }

bool RunningUnderWine() { return IsRunningOnWine(); }

void ClearLog() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  g_logLines.clear();
}
std::vector<std::string> LogLines() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  return g_logLines;
}
int LogCount(const std::string& line) {
  std::lock_guard<std::mutex> lock(g_logMutex);
  return static_cast<int>(
      std::count_if(g_logLines.begin(), g_logLines.end(), [&](const std::string& l) { return LineIs(l, line); }));
}
bool LogHas(const std::string& line) { return LogCount(line) > 0; }

// --- PlayerWindow ---------------------------------------------------------------------------

PlayerWindow::PlayerWindow(int width, int height) {
  static const wchar_t* kClass = L"QendorPlayerTestWindow";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    registered = RegisterClassW(&wc) != 0;
  }
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"player test", WS_POPUP | WS_VISIBLE, 10, 10, width, height,
                          nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_) CPlayer::CreateInstance(hwnd_, hwnd_, &player_);
}

PlayerWindow::~PlayerWindow() {
  if (player_) {
    // Wine 8's video renderer can deadlock when a session is closed with frames in flight;
    // let a playing file reach its end first (a short fixture, so this is quick). A paused
    // one is closed as it is: under Wine a resumed session never reaches its end.
    loop = false;
    if (player_->GetState() == CPlayer::Started) {
      const int ends = Count(MEEndOfPresentation);
      WaitFor(MEEndOfPresentation, ends + 1, 10000);
      WaitFor(MESessionEnded, Count(MESessionEnded) + 1, 2000);
    }
    player_->Shutdown();
    player_->Release();
    player_ = nullptr;
  }
  if (hwnd_) {
    // Events still queued carry a reference each.
    MSG msg;
    while (PeekMessageW(&msg, hwnd_, WM_APP_PLAYER_EVENT, WM_APP_PLAYER_EVENT, PM_REMOVE)) {
      Microsoft::WRL::ComPtr<IUnknown> queued;
      AdoptRef(queued, reinterpret_cast<IUnknown*>(msg.wParam));
    }
    DestroyWindow(hwnd_);
  }
}

int PlayerWindow::Count(MediaEventType type) const {
  return static_cast<int>(
      std::count_if(events.begin(), events.end(), [&](const HandledEvent& e) { return e.type == type; }));
}

bool PlayerWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
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

void PlayerWindow::PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

LRESULT CALLBACK PlayerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_APP_PLAYER_EVENT && self) {
    if (!self->player_) {
      Microsoft::WRL::ComPtr<IUnknown> orphan;
      AdoptRef(orphan, reinterpret_cast<IUnknown*>(wParam));
      return 0;
    }
    HandledEvent handled{static_cast<MediaEventType>(lParam), S_OK, CPlayer::Closed, S_OK};
    handled.result = self->player_->HandleEvent(wParam, lParam);
    handled.stateAfter = self->player_->GetState();
    if (self->onEvent) self->onEvent(handled);
    if (SUCCEEDED(handled.result) && handled.type == MESessionEnded && self->loop) {
      handled.playResult = self->player_->Play();
    }
    self->events.push_back(handled);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace playertest

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);

  // Logging through the capture platform, at Debug, with the memory settings store.
  WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  WriteProfileString(L"BugReport", L"LogLevel", L"debug");
  Logging::SetPlatform(&playertest::g_capture);
  StartLogging(false);

  wchar_t fromEnvironment[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"QENDOR_PLAYER_FIXTURES", fromEnvironment, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    playertest::g_fixtureDir = fromEnvironment;
    if (playertest::g_fixtureDir.back() != L'\\') playertest::g_fixtureDir += L'\\';
  } else {
    playertest::g_fixtureDir = playertest::ExeDir() + L"player-fixtures\\";
    if (!playertest::GenerateFixtures(playertest::g_fixtureDir)) {
      std::fprintf(stderr,
                   "Could not generate the media fixtures (needs Wine and ffmpeg, or "
                   "QENDOR_PLAYER_FIXTURES pointing at a generated set)\n");
      return 2;
    }
  }

  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) return 3;
  hr = MFStartup(MF_VERSION, MFSTARTUP_FULL);
  if (FAILED(hr)) {
    std::fprintf(stderr, "MFStartup failed. Error 0x%08X\n", static_cast<unsigned>(hr));
    return 3;
  }
  const int result = RUN_ALL_TESTS();
  MFShutdown();
  CoUninitialize();
  StopLogging();
  return result;
}
