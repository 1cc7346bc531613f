// Hover tracking shared by the controls that light up what is under the mouse.
#pragma once
#include <windows.h>

// Asks to be told (WM_MOUSELEAVE) when the mouse leaves the window.
void TrackMouseLeave(HWND window);

// Whether a point (client coordinates) lies in the window's client area.
bool InClient(HWND window, POINT pt);

// Makes now the hot part (a flag for a control lit as a whole, an index for one lit item)
// and repaints window, without erasing, when that changed.
template <class T>
void SetHot(HWND window, T& hot, T now) {
  if (hot == now) return;
  hot = now;
  InvalidateRect(window, nullptr, FALSE);
}
