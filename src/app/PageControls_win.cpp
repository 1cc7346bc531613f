// Control placement helpers of the pages.
#include "app/PageControls_win.h"

#include "base/Handles_win.h"
#include "ui/Theme_win.h"

RECT ControlRect(HWND dialog, int id) {
  RECT r{};
  HWND control = GetDlgItem(dialog, id);
  if (!control) return r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

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

void PaintBarPage(HDC dc, const RECT& client, int barTop) {
  RECT upper = client, line = client, lower = client;
  upper.bottom = barTop;
  line.top = barTop;
  line.bottom = barTop + 1;
  lower.top = barTop + 1;
  FillRect(dc, &upper, Theme().backgroundBrush);
  UniqueGdiObject lineBrush(CreateSolidBrush(Theme()[ui::kColourRow]));
  FillRect(dc, &line, static_cast<HBRUSH>(lineBrush.get()));
  FillRect(dc, &lower, Theme().tabStripBrush);
}
