// Control placement helpers of the pages.
#include "app/PageControls_win.h"

#include "base/Handles_win.h"
#include "ui/Theme_win.h"

RECT ChildRect(HWND parent, HWND child) {
  RECT r{};
  if (!child) return r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT ControlRect(HWND dialog, int id) { return ChildRect(dialog, GetDlgItem(dialog, id)); }

RECT TakePlaceholder(HWND dialog, int id) {
  RECT r = ControlRect(dialog, id);
  if (HWND control = GetDlgItem(dialog, id)) DestroyWindow(control);
  return r;
}

void ShowControl(HWND dialog, int id, bool shown) {
  if (HWND control = GetDlgItem(dialog, id)) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

INT_PTR StaticColours(WPARAM dc, COLORREF text, HBRUSH background) {
  SetTextColor(reinterpret_cast<HDC>(dc), text);
  SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
  return reinterpret_cast<INT_PTR>(background);
}

INT_PTR VolumeEditColours(WPARAM wParam) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, Theme()[ui::kColourAccent]);
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, Theme()[ui::kColourControlBack]);
  return reinterpret_cast<INT_PTR>(Theme().backgroundBrush);
}

std::wstring VolumeEditText(HWND edit) {
  wchar_t text[32] = {};
  GetWindowTextW(edit, text, 32);
  return text;
}

void PaintBands(HDC dc, const RECT& client, int lineTop, HBRUSH upper, COLORREF line, HBRUSH lower) {
  RECT top = client, middle = client, bottom = client;
  top.bottom = lineTop;
  middle.top = lineTop;
  middle.bottom = lineTop + 1;
  bottom.top = lineTop + 1;
  FillRect(dc, &top, upper);
  UniqueGdiObject lineBrush(CreateSolidBrush(line));
  FillRect(dc, &middle, static_cast<HBRUSH>(lineBrush.get()));
  FillRect(dc, &bottom, lower);
}

void PaintBarPage(HDC dc, const RECT& client, int barTop) {
  PaintBands(dc, client, barTop, Theme().backgroundBrush, Theme()[ui::kColourRow], Theme().tabStripBrush);
}
