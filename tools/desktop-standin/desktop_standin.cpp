// The desktop stand-in program for Wine, and a window that stays maximised for a while.
//   desktop-standin.exe [/newer] [/report FILE]
//       the shell's windows (classic layout, or with /newer the Windows 11 24H2 layout);
//       with /report, every 250 ms FILE is rewritten with the wallpaper layer's children,
//       one line each: "class left top right bottom visible", window rectangle in layer
//       coordinates. Runs until closed.
//   desktop-standin.exe /maximised MS [RESTORED_MS] [/marks FILE]
//       a maximised top-level window for MS milliseconds; then restored for RESTORED_MS
//       (default 0) and closed. With /marks, FILE gets the line "maximised" once the window
//       is shown maximised and "restored" once it is restored, so that a test can time what
//       follows from those moments rather than from the start of this process.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <string>

#include "DesktopStandin.h"

namespace {

std::wstring g_reportFile;
DesktopStandin* g_standin = nullptr;

void WriteReport() {
  if (g_reportFile.empty() || !g_standin) return;
  std::string text;
  HWND layer = g_standin->Wallpaper();
  if (layer) {
    for (HWND child = GetWindow(layer, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char className[128] = {};
      GetClassNameA(child, className, sizeof className);
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, layer, reinterpret_cast<POINT*>(&r), 2);
      char line[256];
      snprintf(line, sizeof line, "%s %ld %ld %ld %ld %d\n", className, r.left, r.top, r.right, r.bottom,
               IsWindowVisible(child) ? 1 : 0);
      text += line;
    }
  }
  std::wstring temp = g_reportFile + L".tmp";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(temp.c_str(), g_reportFile.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void Mark(const std::wstring& file, const char* line) {
  if (file.empty()) return;
  HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(handle, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
  CloseHandle(handle);
}

int RunMaximised(int maximisedMs, int restoredMs, const std::wstring& marks) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = CreateSolidBrush(RGB(200, 200, 200));
  wc.lpszClassName = L"StandinMaximised";
  RegisterClassExW(&wc);
  HWND window = CreateWindowExW(0, L"StandinMaximised", L"Covering window", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWMAXIMIZED);
  UpdateWindow(window);
  Mark(marks, IsZoomed(window) ? "maximised\n" : "not maximised\n");
  DWORD start = GetTickCount();
  bool restored = false;
  MSG msg;
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    if (!restored && elapsed >= static_cast<DWORD>(maximisedMs)) {
      ShowWindow(window, SW_RESTORE);
      restored = true;
      Mark(marks, "restored\n");
    }
    if (restored && elapsed >= static_cast<DWORD>(maximisedMs + restoredMs)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DestroyWindow(window);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  auto layout = DesktopStandin::Layout::Classic;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"/maximised" && i + 1 < argc) {
      int maximisedMs = _wtoi(argv[i + 1]);
      int restoredMs = i + 2 < argc && argv[i + 2][0] != L'/' ? _wtoi(argv[i + 2]) : 0;
      std::wstring marks;
      for (int j = i + 1; j + 1 < argc; ++j)
        if (std::wstring(argv[j]) == L"/marks") marks = argv[j + 1];
      return RunMaximised(maximisedMs, restoredMs, marks);
    }
    if (arg == L"/newer") layout = DesktopStandin::Layout::Newer;
    if (arg == L"/report" && i + 1 < argc) g_reportFile = argv[++i];
  }
  LocalFree(argv);

  DesktopStandin standin(layout);
  if (!standin.Open()) return 1;
  g_standin = &standin;
  SetTimer(nullptr, 0, 250, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) WriteReport();
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
