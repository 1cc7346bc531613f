// The settings tabs' common look, About and Uninstall.
#include "app/SettingsTabDlg_win.h"

#include "app/PageControls_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "ui/Theme_win.h"

void CSettingsTabDlg::PaintPage(HDC dc, const RECT& client) { FillRect(dc, &client, Theme().backgroundBrush); }

COLORREF CSettingsTabDlg::StaticTextColour(int) const { return Theme()[ui::kColourButtonText]; }

INT_PTR CSettingsTabDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC)
    return StaticColours(wParam, StaticTextColour(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))),
                         Theme().backgroundBrush);
  if (message == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(Theme().backgroundBrush);
  return CPageDlg::HandleMessage(message, wParam, lParam);
}

// --- About -----------------------------------------------------------------------------------
CAboutDlg::CAboutDlg() : CSettingsTabDlg(IDD_ABOUT) {}

BOOL CAboutDlg::OnInitDialog() {
  picture_.autoLoad = false;
  picture_.Attach(GetDlgItem(hwnd(), IDC_ABOUT_PICTURE));
  picture_.SetImage(IDP_ABOUT_TRAY);
  return FALSE;
}

void CAboutDlg::PaintPage(HDC dc, const RECT& client) {
  RECT upper = client, lower = client;
  upper.bottom = lower.top = ControlRect(hwnd(), IDC_ABOUT_REQUIREMENTS).bottom;
  FillRect(dc, &upper, Theme().backgroundBrush);
  FillRect(dc, &lower, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

INT_PTR CAboutDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) {
    // Transparent texts over the two bands: the brush only shows where nothing is drawn.
    HWND control = reinterpret_cast<HWND>(lParam);
    const bool lower = ChildRect(hwnd(), control).top >= ControlRect(hwnd(), IDC_ABOUT_REQUIREMENTS).bottom;
    return StaticColours(wParam, Theme()[ui::kColourButtonText],
                         lower ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : Theme().backgroundBrush);
  }
  return CSettingsTabDlg::HandleMessage(message, wParam, lParam);
}

// --- Uninstall -------------------------------------------------------------------------------
CUninstallDlg::CUninstallDlg() : CSettingsTabDlg(IDD_UNINSTALL) {}

BOOL CUninstallDlg::OnInitDialog() {
  button_.Attach(GetDlgItem(hwnd(), IDC_UNINSTALL));
  button_.backgroundColour = Theme()[ui::kColourControlBack];
  button_.fillColour = Theme()[ui::kColourDangerHot];
  button_.hoverFillColour = Theme()[ui::kColourDanger];
  return FALSE;
}

INT_PTR CUninstallDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_UNINSTALL && HIWORD(wParam) == BN_CLICKED) {
    LogMessage(Info, "Uninstall click");
    PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_UNINSTALL, 0, 0);
    return TRUE;
  }
  return CSettingsTabDlg::HandleMessage(message, wParam, lParam);
}
