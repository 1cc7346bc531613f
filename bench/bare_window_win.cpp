// A bare Win32 window for the start-up, idle and memory comparison (bench/startup_idle.sh):
// one top-level window of about the main window's size, a message loop, nothing else.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  };
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"BareWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", WS_POPUP | WS_BORDER | WS_SYSMENU | WS_VISIBLE, 100,
                                100, 758, 546, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
