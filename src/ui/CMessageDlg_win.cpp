// Message box dialog: white background, black text, the kit's OK button.
#include "ui/CMessageDlg_win.h"

CMessageDlg::CMessageDlg() : CDialog(kTemplateId) {}

void CMessageDlg::SetMessage(const std::wstring& text) {
  message = text;
  if (hwnd()) SetDlgItemTextW(hwnd(), kMessageId, message.c_str());
}

BOOL CMessageDlg::OnInitDialog() {
  brush_.reset(CreateSolidBrush(backgroundColour));
  okButton.backgroundColour = backgroundColour;
  okButton.Attach(GetDlgItem(hwnd(), IDOK));
  HWND text = GetDlgItem(hwnd(), kMessageId);
  if (text) {
    LONG_PTR style = GetWindowLongPtrW(text, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(SS_TYPEMASK);
    style |= centered ? SS_CENTER : SS_LEFT;
    SetWindowLongPtrW(text, GWL_STYLE, style);
    SetWindowTextW(text, message.c_str());
  }
  return TRUE;
}

INT_PTR CMessageDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(brush_.get());
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<INT_PTR>(brush_.get());
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}
