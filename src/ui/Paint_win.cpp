// Painting and input helpers.
#include "ui/Paint_win.h"

ui::Rect ClientRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return FromRECT(r);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

HFONT ParentFont(HWND window) {
  HWND parent = GetParent(window);
  HFONT font = parent ? reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = window;
  TrackMouseEvent(&tme);
}
