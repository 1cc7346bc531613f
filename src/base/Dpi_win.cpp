// Window DPI: GetDpiForWindow, looked up once, or the device context's.
#include "base/Dpi_win.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn DpiForWindow() {
  // user32 stays loaded for the life of the process: a window needs it.
  static const GetDpiForWindowFn function = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}
}  // namespace

UINT WindowDpi(HWND window) {
  if (GetDpiForWindowFn getDpi = DpiForWindow()) {
    UINT dpi = getDpi(window);
    if (dpi) return dpi;
  }
  HDC dc = GetDC(window);
  if (!dc) return 96;
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int ScaleForWindow(HWND window, int designPixels) {
  return MulDiv(designPixels, static_cast<int>(WindowDpi(window)), 96);
}
