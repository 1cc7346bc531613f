// The settings page (dialog 142): a strip of five tabs over the area where one of its five
// tabs shows, and the tab remembered across restarts (SettingsIndex).
#pragma once
#include <array>

#include "app/AppFlags.h"
#include "app/BugReportDlg_win.h"
#include "app/GeneralSettingsDlg_win.h"
#include "app/QuickControlsDlg_win.h"
#include "app/SettingsTabDlg_win.h"
#include "base/ResourceIds.h"
#include "ui/CCustTabCtrl_win.h"
#include "ui/CPictureControl_win.h"

class CSettingsDlg : public CPageDlg {
 public:
  static constexpr int kTabCount = 5;
  // Everything given outlives the page.
  CSettingsDlg(settings::SettingsStore& store, AppFlags& flags, engine::PlaybackPolicy& policy);

  // The factory reset of the tabs (the settings were deleted): nothing is written.
  void ResetSettings();
  CGeneralSettingsDlg& General() { return general_; }
  CQuickControlsDlg& QuickControls() { return quickControls_; }

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowPage(int index);

  settings::SettingsStore& store_;
  AppFlags& flags_;
  CPictureControl icon_;
  CCustTabCtrl tabs_;
  CGeneralSettingsDlg general_;
  CQuickControlsDlg quickControls_;
  CAboutDlg about_;
  CBugReportDlg bugReport_;
  CUninstallDlg uninstall_;
  std::array<CPageDlg*, kTabCount> pages_;
};
