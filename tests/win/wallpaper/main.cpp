// Entry of the wallpaper tests: starts COM, Media Foundation and GDI+, generates the media
// fixtures through Wine's Unix process support (tools/fixtures/make-fixtures.sh and one clip
// of two coloured halves), captures log lines and message boxes, and keeps the settings in
// memory.
// clang-format off
#include <windows.h>
#include <objidl.h>  // GDI+ needs the COM declarations that the lean Windows header leaves out
#include <gdiplus.h>
#include <mfapi.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "WallpaperHarness.h"
#include "app/AppServices_win.h"
#include "app/Handles_win.h"
#include "app/MemoryKeyStore.h"
#include "app/Messages.h"
#include "app/SettingsStore.h"
#include "diag/Log.h"
#include "diag/Logger.h"

namespace wallpapertest {

namespace {

std::wstring g_fixtureDir;
std::mutex g_mutex;
std::vector<std::string> g_lines;
std::vector<Box> g_boxes;

class CapturePlatform : public Logging::Platform {
 public:
  void DebugOutput(const char* text) override {
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    static const bool echo = GetEnvironmentVariableA("QENDOR_TEST_ECHO", nullptr, 0) > 0;
    if (echo) std::fprintf(stderr, "log: %s\n", line.c_str());
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.push_back(line);
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

bool EndsWithMessage(const std::string& line, const std::string& text) {
  if (line.size() < text.size() || line.compare(line.size() - text.size(), text.size(), text) != 0) return false;
  if (line.size() == text.size()) return true;
  char before = line[line.size() - text.size() - 1];
  return before == ' ' || before == ']' || before == ':';
}

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, length);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

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

// Runs a bash script file as a Unix process (Wine starts ELF programs through CreateProcess;
// its command line is split by the Windows rules, so only double quotes quote).
bool RunBash(const std::string& arguments) {
  std::string command = "/bin/bash " + arguments;
  std::wstring wide(command.begin(), command.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\bash", wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  UniqueHandle thread(process.hThread);
  UniqueHandle child(process.hProcess);
  WaitForSingleObject(child.get(), 180000);
  return true;
}

bool WriteText(const std::wstring& path, const std::string& text) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// The shared fixtures, plus halves.avi: 160x120 (4:3), red top half, blue bottom half, with
// a PCM track (so that it loops under Wine), 1 s.
bool GenerateFixtures(const std::wstring& dir) {
  CreateDirectoryW(dir.c_str(), nullptr);
  std::string unixDir = UnixPath(dir);
  if (unixDir.empty()) return false;
  if (!FileExists(dir + L"halves.avi")) {
    WriteText(dir + L"halves.sh",
              "cd \"$1\" && ffmpeg -hide_banner -loglevel error -y -f lavfi -i color=c=0xFF0000:s=160x60:r=15 "
              "-f lavfi -i color=c=0x0000FF:s=160x60:r=15 -f lavfi -i sine=frequency=330:sample_rate=44100 "
              "-filter_complex '[0:v][1:v]vstack=inputs=2[v]' -map '[v]' -map 2:a -t 1 -ac 2 "
              "-c:v rawvideo -pix_fmt bgra -c:a pcm_s16le halves.avi\n");
    RunBash("\"" + unixDir + "/halves.sh\" \"" + unixDir + "\"");
  }
  RunBash(std::string("\"") + QENDOR_SOURCE_DIR + "/tools/fixtures/make-fixtures.sh\" \"" + unixDir + "\"");
  // A Unix process started by Wine may outlive the handle Wine gives for it: wait for the files.
  for (int i = 0; i < 1200 && !(FileExists(dir + L"fixtures.ok") && FileExists(dir + L"halves.avi")); ++i) Sleep(100);
  return FileExists(dir + L"fixtures.ok") && FileExists(dir + L"halves.avi");
}

}  // namespace

const std::wstring& FixtureDir() { return g_fixtureDir; }
std::wstring Fixture(const wchar_t* name) { return g_fixtureDir + name; }

void ClearLog() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_lines.clear();
}
int LogCount(const std::string& text) {
  std::lock_guard<std::mutex> lock(g_mutex);
  return static_cast<int>(
      std::count_if(g_lines.begin(), g_lines.end(), [&](const std::string& l) { return EndsWithMessage(l, text); }));
}
std::vector<std::string> LogLines() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_lines;
}

void ClearBoxes() { g_boxes.clear(); }
std::vector<Box> Boxes() { return g_boxes; }

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
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                              QS_ALLINPUT);
  }
}
void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

AppWindow::AppWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QendorWallpaperTestApp";
    registered = RegisterClassW(&wc) != 0;
  }
  hwnd_ = CreateWindowExW(0, L"QendorWallpaperTestApp", L"app", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
}
AppWindow::~AppWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}
int AppWindow::Count(UINT message, WPARAM wParam) const {
  return static_cast<int>(std::count_if(received.begin(), received.end(),
                                        [&](const Message& m) { return m.message == message && m.wParam == wParam; }));
}
LRESULT CALLBACK AppWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<AppWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && (message == WM_APP_WALLPAPER_EVENT || message == WM_APP_MONITOR_SELECTED)) {
    self->received.push_back({message, wParam, lParam});
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

char ColourName(COLORREF c) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  if (r < 40 && g < 40 && b < 40) return 'k';
  if (r > 150 && g < 80 && b < 80) return 'r';
  if (g > 150 && r < 80 && b < 80) return 'g';
  if (b > 150 && r < 80 && g < 80) return 'b';
  return '?';
}

}  // namespace wallpapertest

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  static settings::MemoryKeyStore keys;
  static settings::SettingsStore store(keys);
  settings::SetAppSettings(&store);
  WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  WriteProfileString(L"BugReport", L"LogLevel", L"debug");
  Logging::SetPlatform(&wallpapertest::g_capture);
  StartLogging(false);
  SetMessageBoxHook([](HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    wallpapertest::g_boxes.push_back({owner, text, caption, style});
    return IDOK;
  });

  wallpapertest::g_fixtureDir = wallpapertest::ExeDir() + L"wallpaper-fixtures\\";
  if (!wallpapertest::GenerateFixtures(wallpapertest::g_fixtureDir)) {
    std::fprintf(stderr, "Could not generate the media fixtures (needs Wine and ffmpeg)\n");
    return 2;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  HRESULT hr = MFStartup(MF_VERSION, MFSTARTUP_FULL);
  if (FAILED(hr)) {
    std::fprintf(stderr, "MFStartup failed. Error 0x%08X\n", static_cast<unsigned>(hr));
    return 3;
  }
  Gdiplus::GdiplusStartupInput gdiplusInput;
  ULONG_PTR gdiplusToken = 0;
  Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
  int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(gdiplusToken);
  MFShutdown();
  CoUninitialize();
  StopLogging();
  SetMessageBoxHook(nullptr);
  settings::SetAppSettings(nullptr);
  return result;
}
