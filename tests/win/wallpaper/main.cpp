// Entry of the wallpaper tests: keeps the settings in memory, captures log lines and message
// boxes, finds the media fixtures, and starts COM, Media Foundation and GDI+.
// clang-format off
#include <windows.h>
#include <objidl.h>  // GDI+ needs the COM declarations that the lean Windows header leaves out
#include <gdiplus.h>
#include <mfapi.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "WallpaperHarness.h"
#include "base/Modal_win.h"
#include "settings/MemoryKeyStore.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "settings/SettingsStore.h"
#include "diag/Log.h"
#include "diag/Logger.h"
#include "engine/Player_win.h"
#include "engine/VideoWnd_win.h"

namespace wallpapertest {

namespace {
std::vector<Box> g_boxes;
}  // namespace

settings::SettingsStore& TestStore() {
  static settings::MemoryKeyStore keys;
  static settings::SettingsStore store(keys);
  return store;
}

void ClearBoxes() { g_boxes.clear(); }
std::vector<Box> Boxes() { return g_boxes; }

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

bool SettleBeforeClose(CVideoWnd* wnd, const AppWindow& app) {
  if (!IsRunningOnWine() || !wnd || !wnd->Player() || wnd->Player()->GetState() != CPlayer::Started) return true;
  const int paused = app.Count(WM_APP_WALLPAPER_EVENT, MESessionPaused);
  if (FAILED(wnd->Pause(true))) return false;
  return PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionPaused) > paused; }, 5000);
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
  mediakit::StartLogCapture(wallpapertest::TestStore());
  SetMessageBoxHook([](HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    wallpapertest::g_boxes.push_back({owner, text, caption, style});
    return IDOK;
  });

  if (!mediakit::PrepareFixtures()) {
    std::fprintf(stderr, "Could not find or generate the media fixtures (needs Wine and ffmpeg)\n");
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
  return result;
}
