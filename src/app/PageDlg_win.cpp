// The main window's pages: their common background.
#include "app/PageDlg_win.h"

#include "ui/Theme.h"

CPageDlg::CPageDlg(UINT templateId)
    : CDialog(templateId), background_(CreateSolidBrush(ui::ThemeColour(ui::kColourStripBack))) {}

bool CPageDlg::Create(HWND mainWindow) {
  if (!CreateModeless(mainWindow)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, static_cast<LONG_PTR>(TemplateId()));
  return true;
}

INT_PTR CPageDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(background_.get()));
      SetResult(1);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(background_.get());
  }
  return FALSE;
}
