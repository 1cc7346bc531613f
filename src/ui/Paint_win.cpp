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

std::wstring WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void DrawLabel(HDC dc, HWND window, const std::wstring& text, RECT box, COLORREF colour, UINT format) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  HGDIOBJ oldFont = SelectObject(dc, ParentFont(window));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  SelectObject(dc, oldFont);
}
