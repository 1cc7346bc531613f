// Small painting and input helpers shared by the controls.
#pragma once
#include <windows.h>

#include "ui/UiGeometry.h"

inline RECT ToRECT(const ui::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline ui::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
ui::Rect ClientRect(HWND window);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
// The parent's font (the default GUI font when the parent has none).
HFONT ParentFont(HWND window);
// Asks to be told (WM_MOUSELEAVE) when the mouse leaves the window.
void TrackMouseLeave(HWND window);
// Mouse position of a mouse message.
inline POINT MousePoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
