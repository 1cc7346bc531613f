// The settings page: its tab strip, its tabs and the remembered tab.
#include "app/SettingsDlg_win.h"

#include "app/MainRules.h"
#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "diag/Log.h"
#include "ui/Theme_win.h"

CSettingsDlg::CSettingsDlg(settings::SettingsStore& store, AppFlags& flags, engine::PlaybackPolicy& policy)
    : CPageDlg(IDD_SETTINGS),
      store_(store),
      flags_(flags),
      general_(store, flags, policy),
      quickControls_(store, flags),
      bugReport_(store),
      pages_{&general_, &quickControls_, &about_, &bugReport_, &uninstall_} {}

BOOL CSettingsDlg::OnInitDialog() {
  icon_.autoLoad = false;
  icon_.drawWidth = icon_.drawHeight = ScaleForWindow(hwnd(), 16);
  icon_.Attach(GetDlgItem(hwnd(), IDC_SET_ICON));
  icon_.SetImage(IDP_TASK_SETTINGS);

  HWND placeholder = GetDlgItem(hwnd(), IDC_SET_TABS);
  RECT strip = ControlRect(hwnd(), IDC_SET_TABS);
  tabs_.Create(hwnd(), IDC_SET_TABS, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top);
  SetWindowPos(tabs_.hwnd(), placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (UINT text : {IDS_TAB_GENERAL, IDS_TAB_QUICK_CONTROLS, IDS_TAB_ABOUT, IDS_TAB_BUG_REPORT, IDS_TAB_UNINSTALL})
    tabs_.AddTab(text);
  tabs_.lastTabRight = true;
  ::DestroyWindow(placeholder);

  // Each tab's own start runs here: the Run entry is reconciled and the detector started.
  const RECT place = ControlRect(hwnd(), IDC_SET_PAGE_PLACE);
  for (CPageDlg* page : pages_) {
    if (page->Create(hwnd()))
      SetWindowPos(page->hwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int index = app::StoredIndexAtStart(store_, L"SettingsIndex", kTabCount);
  tabs_.selected = index;
  InvalidateRect(tabs_.hwnd(), nullptr, FALSE);
  ShowPage(index);
  SetFocus(tabs_.hwnd());
  return FALSE;
}

void CSettingsDlg::ShowPage(int index) {
  if (index < 0 || index >= kTabCount) return;
  for (int i = 0; i < kTabCount; ++i) {
    if (pages_[static_cast<size_t>(i)]->hwnd() && i != index) ShowWindow(pages_[static_cast<size_t>(i)]->hwnd(), SW_HIDE);
  }
  if (HWND shown = pages_[static_cast<size_t>(index)]->hwnd()) ShowWindow(shown, SW_SHOW);
}

void CSettingsDlg::ResetSettings() {
  LogMessage(Info, "Settings: Reset");
  if (general_.hwnd()) general_.Reset(flags_.uninstalling);
  if (quickControls_.hwnd()) quickControls_.Rules().Reset();
  bugReport_.ResetPage();
  if (!flags_.uninstalling) StopLogging();
}

INT_PTR CSettingsDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_TAB_SELECTED:
      if (reinterpret_cast<HWND>(lParam) == tabs_.hwnd()) ShowPage(static_cast<int>(wParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return StaticColours(wParam, Theme()[ui::kColourOrange], Theme().tabStripBrush);
    case WM_DESTROY:
      if (!flags_.uninstalling) store_.WriteRootDword(L"SettingsIndex", static_cast<uint32_t>(tabs_.selected));
      break;
  }
  return CPageDlg::HandleMessage(message, wParam, lParam);
}
