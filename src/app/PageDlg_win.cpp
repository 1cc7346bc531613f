// The main window's pages: their common background and painting.
#include "app/PageDlg_win.h"

#include "ui/CBufferDC_win.h"
#include "ui/Theme.h"

CPageDlg::CPageDlg(UINT templateId)
    : CDialog(templateId), background_(CreateSolidBrush(ui::ThemeColour(ui::kColourStripBack))) {}

bool CPageDlg::Create(HWND mainWindow) {
  if (!CreateModeless(mainWindow)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, static_cast<LONG_PTR>(TemplateId()));
  return true;
}

void CPageDlg::PaintPage(HDC dc, const RECT& client) { FillRect(dc, &client, static_cast<HBRUSH>(background_.get())); }

INT_PTR CPageDlg::HandleMessage(UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_ERASEBKGND:
      SetResult(1);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC target = BeginPaint(hwnd(), &ps);
      RECT client;
      GetClientRect(hwnd(), &client);
      CBufferDC buffer(target, client);
      PaintPage(buffer.IsValid() ? buffer.dc() : target, client);
      EndPaint(hwnd(), &ps);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(background_.get());
  }
  return FALSE;
}
