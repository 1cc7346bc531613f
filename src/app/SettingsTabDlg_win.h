// The settings page's tabs: their common look (theme colour 23 behind transparent statics in
// theme colour 1), and the two small tabs, About and Uninstall.
#pragma once
#include "app/PageDlg_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CPictureControl_win.h"

class CSettingsTabDlg : public CPageDlg {
 public:
  using CPageDlg::CPageDlg;

 protected:
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A static control's text colour.
  virtual COLORREF StaticTextColour(int id) const;
};

// About (dialog 161): the requirements and the picture of the tray; black below the list.
class CAboutDlg : public CSettingsTabDlg {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CPictureControl picture_;
};

// Uninstall (dialog 162): its button asks the main window to uninstall.
class CUninstallDlg : public CSettingsTabDlg {
 public:
  CUninstallDlg();

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CCustButton button_;
};
