// Control-kit test helpers.
#include "UiTestKit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace uitest {

namespace {
constexpr wchar_t kHostClass[] = L"QendorUiTestHost";
}

Host::Host() {
  RegisterWindowClass(kHostClass, CS_DBLCLKS, Theme().backgroundBrush);
  LOGFONTW lf{};
  lf.lfHeight = -13;
  lf.lfWeight = FW_NORMAL;
  wcscpy(lf.lfFaceName, Theme().faceName);
  font_ = CreateFontIndirectW(&lf);
  Create(0, kHostClass, L"ui test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, 0);
  UpdateWindow(hwnd());
  Pump();
}

Host::~Host() {
  DestroyWindow();
  if (font_) DeleteObject(font_);
}

LRESULT Host::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
  if (message == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(Theme().backgroundBrush);
  if (message == WM_DELETEITEM && onDeleteItem) {
    onDeleteItem(*reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message == WM_COMMAND) {
    notes.push_back({message, wParam, lParam});
    if (onCommand) onCommand(wParam, lParam);
    return 0;
  }
  if (message >= WM_USER && message != WM_USER + 0x7FFF) {
    notes.push_back({message, wParam, lParam});
    return 0;
  }
  return Default(message, wParam, lParam);
}

Host& SharedHost() {
  static Host* host = new Host();
  host->notes.clear();
  host->onCommand = nullptr;
  host->onDeleteItem = nullptr;
  SetFocus(host->hwnd());
  return *host;
}

void MoveCursorTo(HWND window, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(window, &pt);
  SetCursorPos(pt.x, pt.y);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

RECT Capture::BoundsOfOther(COLORREF colour, const RECT& area) const {
  RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  bool any = false;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (At(x, y) != colour) {
        any = true;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return any ? box : RECT{0, 0, 0, 0};
}

bool Capture::Any(COLORREF colour, const RECT& area) const {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (At(x, y) == colour) return true;
  return false;
}

Capture PaintInto(int width, int height, const std::function<void(HDC)>& paint) {
  Capture cap;
  cap.width = width;
  cap.height = height;
  if (width <= 0 || height <= 0) return cap;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  RECT all{0, 0, width, height};
  HBRUSH magenta = CreateSolidBrush(kUntouched);
  FillRect(mem, &all, magenta);
  DeleteObject(magenta);
  paint(mem);
  GdiFlush();
  cap.pixels.assign(static_cast<const std::uint32_t*>(bits), static_cast<const std::uint32_t*>(bits) + width * height);
  for (auto& p : cap.pixels) p &= 0x00FFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return cap;
}

Capture Snap(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  return PaintInto(r.right, r.bottom, [&](HDC dc) { SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); });
}

Capture SnapWindowFromScreen(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return PaintInto(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
    HDC source = GetWindowDC(window);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
  });
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= tolerance &&
         std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= tolerance &&
         std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

}  // namespace uitest
