// The video page's controls, layout, colours and notifications.
#include "app/VideoDlg_win.h"

#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "engine/WallpaperHost_win.h"
#include "ui/Theme_win.h"

CVideoDlg::CVideoDlg(CWallpaperHost& host, settings::SettingsStore& store, std::wstring section, int entryNumber)
    : CPageDlg(IDD_VIDEO), host_(host), page_(*this, host.Wallpapers(), store, std::move(section), entryNumber) {}

BOOL CVideoDlg::OnInitDialog() {
  int picture = ScaleForWindow(hwnd(), 16);
  icon_.autoLoad = false;
  icon_.drawWidth = icon_.drawHeight = picture;
  icon_.Attach(GetDlgItem(hwnd(), IDC_VIDEO_ICON));
  icon_.SetImage(page_.EntryMode() ? IDP_TASK_PLAYLIST : IDP_TASK_VIDEO);
  if (page_.EntryMode()) SetDlgItemTextW(hwnd(), IDC_VIDEO_TITLE, LoadResString(IDS_PLAYLIST_ENTRY).c_str());
  FitTitle();

  // The tab strip over its placeholder, in its place in the tab order.
  RECT place = ControlRect(hwnd(), IDC_VIDEO_TABS);
  HWND placeholder = GetDlgItem(hwnd(), IDC_VIDEO_TABS);
  SetWindowLongPtrW(placeholder, GWLP_ID, 0);
  tabs_.Create(hwnd(), IDC_VIDEO_TABS, place.left, place.top, place.right - place.left, place.bottom - place.top);
  SetWindowPos(tabs_.hwnd(), placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::DestroyWindow(placeholder);
  tabs_.iconSize = ScaleForWindow(hwnd(), 13);
  tabs_.icon.LoadPng(IDP_MONITOR_TAB);
  tabs_.hotIcon.LoadPng(IDP_MONITOR_TAB_HOT);

  RECT box = TakePlaceholder(hwnd(), IDC_VIDEO_OPTIONS);
  RECT face{0, 0, 0, 14};
  MapDialogRect(hwnd(), &face);
  options_.Create(hwnd(), IDC_VIDEO_OPTIONS, box.left, box.top, box.right - box.left, face.bottom,
                  ScaleForWindow(hwnd(), 3 * 30));
  options_.AddItem(IDS_DISPLAY_EACH, IDP_DISPLAY_EACH);
  options_.AddItem(IDS_DISPLAY_SPAN, IDP_DISPLAY_SPAN);
  options_.AddItem(IDS_DISPLAY_DUPLICATE, IDP_DISPLAY_DUPLICATE);

  // With two monitors or more the options show and the tabs sit at the separator; otherwise
  // the tabs take the options' place.
  bool several = host_.Count() >= 2;
  ShowControl(hwnd(), IDC_VIDEO_OPTIONS_LABEL, several);
  ShowWindow(options_.hwnd(), several ? SW_SHOW : SW_HIDE);
  int tabsTop = several ? ControlRect(hwnd(), IDC_VIDEO_SEPARATOR).top : box.top;
  SetWindowPos(tabs_.hwnd(), nullptr, 0, tabsTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  if (host_.Count() >= 1 && panel_.CreateModeless(hwnd())) {
    SetWindowLongPtrW(panel_.hwnd(), GWLP_ID, IDD_MONITOR_PANEL);
    RECT client, tabs = ControlRect(hwnd(), IDC_VIDEO_TABS);
    GetClientRect(hwnd(), &client);
    SetWindowPos(panel_.hwnd(), nullptr, 0, tabs.bottom, client.right, client.bottom - tabs.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(panel_.hwnd(), SW_SHOW);
    page_.SetPanel(&panel_.Rules());
  }
  page_.Initialise();
  return FALSE;
}

void CVideoDlg::FitTitle() {
  // The title as wide as its text in the dialog's font, plus 2 pixels (a font wider than the
  // one the layout was made with would otherwise cut it).
  HWND title = GetDlgItem(hwnd(), IDC_VIDEO_TITLE);
  wchar_t text[128] = {};
  GetWindowTextW(title, text, 128);
  HDC dc = GetDC(title);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  SelectObject(dc, old);
  ReleaseDC(title, dc);
  RECT r = ControlRect(hwnd(), IDC_VIDEO_TITLE);
  SetWindowPos(title, nullptr, 0, 0, size.cx + 2, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVideoDlg::SetTabs(const std::vector<std::wstring>& texts, int selected) {
  tabs_.RemoveAllTabs();
  for (const std::wstring& text : texts) tabs_.AddTabText(text);
  tabs_.selected = selected;
  InvalidateRect(tabs_.hwnd(), nullptr, FALSE);
}
int CVideoDlg::TabCount() const { return tabs_.Count(); }
int CVideoDlg::SelectedTab() const { return tabs_.selected; }
void CVideoDlg::SelectTab(int index) {
  tabs_.selected = index;
  InvalidateRect(tabs_.hwnd(), nullptr, FALSE);
}
void CVideoDlg::SetOptionSelection(int option) {
  SendMessageW(options_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(option), 0);
}
int CVideoDlg::OptionSelection() const { return static_cast<int>(SendMessageW(options_.hwnd(), CB_GETCURSEL, 0, 0)); }
void CVideoDlg::SetListAllMode(bool on) {
  if (CMonitorList* list = host_.MonitorList()) list->SetAllMode(on);
}
void CVideoDlg::NotifyMonitorSelected(int index) {
  PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_MONITOR_SELECTED, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(hwnd()));
}
void CVideoDlg::SetListSelection(int index) { host_.SetSelected(index); }
std::wstring CVideoDlg::Text(unsigned stringId) const { return LoadResString(stringId); }

INT_PTR CVideoDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_TAB_SELECTED:
      if (reinterpret_cast<HWND>(lParam) == tabs_.hwnd()) page_.OnTabSelected(static_cast<int>(wParam));
      return TRUE;
    case WM_APP_TEXT_FIELD_CHANGED:
      page_.OnPanelPathChanged();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_VIDEO_OPTIONS && HIWORD(wParam) == CBN_SELCHANGE) {
        page_.OnOptionChosen(OptionSelection());
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool title = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_VIDEO_TITLE;
      SetTextColor(dc, title ? Theme()[page_.EntryMode() ? ui::kColourMagenta : ui::kColourGreen]
                             : Theme()[ui::kColourButtonText]);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(Theme().tabStripBrush);
    }
    case WM_DESTROY:
      page_.Leave();
      return FALSE;
  }
  return CPageDlg::HandleMessage(message, wParam, lParam);
}
