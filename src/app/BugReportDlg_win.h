// The bug report tab (dialog 232), the description dialog (233) that writes the report and the
// confirmation (234). The rules are BugReport's; these are the views and the files.
#pragma once
#include <string>

#include "app/BugReport.h"
#include "app/SettingsTabDlg_win.h"
#include "base/Handles_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustCheckBox_win.h"
#include "ui/CCustTextField_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CSwitch_win.h"

class CBugReportDlg : public CSettingsTabDlg, private app::BugReportView {
 public:
  explicit CBugReportDlg(settings::SettingsStore& store);

  // The factory reset of the tab (only when its window exists).
  void ResetPage();

 protected:
  BOOL OnInitDialog() override;
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  COLORREF StaticTextColour(int id) const override;

 private:
  // app::BugReportView
  void SetSwitch(bool on) override;
  bool SwitchOn() const override { return switch_.IsOn(); }
  void SetFolderText(const std::wstring& text) override { folderField_.SetText(text); }
  std::wstring FolderText() const override { return folderField_.GetText(); }
  void SetOpenFolder(bool checked) override;
  void EnableCreate(bool enabled) override;
  void RestartLogging() override;

  void CreateReport();
  void CopyEmailAddress();

  settings::SettingsStore& store_;
  app::BugReportPage page_;
  std::wstring tempFolder_, tipText_;
  CPictureControl icons_[2];
  CSwitch switch_;
  CCustButton createButton_, emailButton_;
  CBrowseButton browseButton_;
  CCustTextField folderField_;
  CCustCheckBox openFolder_;
};

// "Please describe the error you are experiencing": Create writes the report.
class CReportDlg : public CDialog {
 public:
  CReportDlg(std::wstring tempFolder, std::wstring archivePath);

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Create();

  std::wstring tempFolder_, archivePath_;
  CCustButton createButton_, cancelButton_;
  UniqueGdiObject white_;
};

// "Bug Report created sucessfully." with the address to mail it to.
class CReportCreatedDlg : public CDialog {
 public:
  CReportCreatedDlg();

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc, const RECT& client);

  CCustButton closeButton_;
  UniqueGdiObject boldFont_, white_;
  std::wstring heading_, body_;
  int headingHeight_ = 50;
};
