// The video page ("Add Video", dialog 139): the display option box, the monitor tabs and the
// monitor settings panel. The rules are VideoPage's; this is its view.
#pragma once
#include <memory>

#include "app/MonitorDlg_win.h"
#include "app/PageDlg_win.h"
#include "app/VideoPage.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CCustTabCtrl_win.h"
#include "ui/CPictureControl_win.h"

class CWallpaperHost;

class CVideoDlg : public CPageDlg, public app::VideoPageView {
 public:
  // section: empty for the main page ("Video"); an entry's section with its number in entry
  // mode. The host and the store outlive the page.
  CVideoDlg(CWallpaperHost& host, settings::SettingsStore& store, std::wstring section = L"", int entryNumber = 0);

  app::VideoPage& Rules() { return page_; }
  CMonitorDlg& Panel() { return panel_; }

  // app::VideoPageView
  void SetTabs(const std::vector<std::wstring>& texts, int selected) override;
  int TabCount() const override;
  int SelectedTab() const override;
  void SelectTab(int index) override;
  void SetOptionSelection(int option) override;
  int OptionSelection() const override;
  void SetListAllMode(bool on) override;
  void NotifyMonitorSelected(int index) override;
  void SetListSelection(int index) override;
  std::wstring Text(unsigned stringId) const override;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FitTitle();

  CWallpaperHost& host_;
  app::VideoPage page_;
  CMonitorDlg panel_;
  CCustTabCtrl tabs_;
  CCustComboBox options_;
  CPictureControl icon_;
};
