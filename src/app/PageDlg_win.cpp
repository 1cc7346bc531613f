// The main window's pages: their common background and painting.
#include "app/PageDlg_win.h"

#include "ui/Paint_win.h"
#include "ui/Theme.h"

CPageDlg::CPageDlg(UINT templateId)
    : CDialog(templateId), background_(CreateSolidBrush(ui::ThemeColour(ui::kColourStripBack))) {}

bool CPageDlg::Create(HWND mainWindow) {
  if (!CreateModeless(mainWindow)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, static_cast<LONG_PTR>(TemplateId()));
  return true;
}

void CPageDlg::PaintPage(HDC dc, const RECT& client) { FillRect(dc, &client, static_cast<HBRUSH>(background_.get())); }

INT_PTR CPageDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  auto paint = [this](HDC dc, const RECT& client) { PaintPage(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) {
    SetResult(*painted);
    return TRUE;
  }
  if (message == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(background_.get());
  return FALSE;
}
