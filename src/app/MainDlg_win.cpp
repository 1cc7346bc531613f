// The main window: title and icons, staying hidden after an autostart, "Open App" from a
// second instance, and the ways it ends (system Close, Escape, Enter, "Quit App").
#include "app/MainDlg_win.h"

#include "app/App_win.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"

namespace {
// The dialog template names this class; it is a dialog class of our own so that a second
// start can find the window by its class alone.
void RegisterMainWindowClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(AppInstance(), kMainWindowClass, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefDlgProcW;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = AppInstance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExW(&wc);
}
}  // namespace

CMainDlg::CMainDlg(settings::SettingsStore& store, AppFlags& flags)
    : CDialog(IDD_MAIN), store_(store), flags_(flags), wallpapers_(store, policy_) {
  RegisterMainWindowClass();
  // Icons loaded without LR_SHARED belong to us.
  largeIcon_.reset(
      static_cast<HICON>(LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  smallIcon_.reset(static_cast<HICON>(LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 16, 16, 0)));
  background_.reset(CreateSolidBrush(RGB(0, 0, 0)));
}

CMainDlg::~CMainDlg() = default;

BOOL CMainDlg::OnInitDialog() {
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  SetWindowTextW(hwnd(), LoadResString(IDS_TITLE).c_str());
  policy_.Inputs().pauseAndMuteAll = flags_.pauseAndMuteAll;
  policy_.Inputs().pauseWhenMaximised = flags_.pauseWhenMaximised;
  wallpapers_.Create(hwnd());
  startHidden = flags_.autostart;
  return TRUE;
}

void CMainDlg::OpenApp() {
  if (IsIconic(hwnd()) || !IsWindowVisible(hwnd())) {
    startHidden = false;
    ShowWindow(hwnd(), SW_RESTORE);
  }
  SetForegroundWindow(hwnd());
}

void CMainDlg::OnDestroy() { wallpapers_.Destroy(); }

INT_PTR CMainDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT engineResult = 0;
  if (wallpapers_.OnMessage(message, wParam, lParam, engineResult)) {
    SetResult(engineResult);
    return TRUE;
  }
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // While started hidden, no change of position or state may show the window.
      if (startHidden) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case ID_TRAY_OPEN:
          OpenApp();
          return TRUE;
        case ID_TRAY_QUIT:
          PostMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(LOWORD(wParam));
          return TRUE;
      }
      return FALSE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0xC8, 0xC8, 0xC8));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(background_.get());
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
  }
  return FALSE;
}
