// Small painting and input helpers shared by the controls.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/CBufferDC_win.h"
#include "ui/UiGeometry.h"

inline RECT ToRECT(const ui::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline ui::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
ui::Rect ClientRect(HWND window);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
// The parent's font (the default GUI font when the parent has none).
HFONT ParentFont(HWND window);
// The window's text.
std::wstring WindowText(HWND window);
// Draws text into box in window's parent font and the colour, over what is there.
void DrawLabel(HDC dc, HWND window, const std::wstring& text, RECT box, COLORREF colour, UINT format);
// Mouse position of a mouse message.
inline POINT MousePoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The paint messages of a control that paints every pixel itself: WM_ERASEBKGND erases
// nothing (the paint covers it, so erasing would only flicker), WM_PAINT and WM_PRINTCLIENT
// call paint(dc). Gives the message's result for those three, nothing for any other.
template <class PaintFn>
std::optional<LRESULT> HandlePaintMessage(HWND window, UINT message, WPARAM wParam, PaintFn&& paint) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return std::nullopt;
  }
}

// The same for a control that paints its whole client area through a double buffer:
// paint(dc, client) draws into the buffer, which reaches the window in one copy.
template <class PaintFn>
std::optional<LRESULT> HandleBufferedPaintMessage(HWND window, UINT message, WPARAM wParam, PaintFn&& paint) {
  return HandlePaintMessage(window, message, wParam, [&](HDC target) {
    RECT client{};
    GetClientRect(window, &client);
    CBufferDC buffer(target, client);
    if (buffer.IsValid()) paint(buffer.dc(), client);
  });
}

// For a message the system control handles and that may change its look: repaints window
// (without erasing) after the system's handling and passes its result on.
inline LRESULT RepaintAfter(HWND window, LRESULT result) {
  InvalidateRect(window, nullptr, FALSE);
  return result;
}
