// The main window (dialog 102). For now a small frame: the title, the monitor list and the
// wallpapers of the stored settings, hand-over from a second instance, and closing.
#pragma once
#include "app/Window_win.h"

class CMainDlg : public CDialog {
 public:
  CMainDlg();
  ~CMainDlg() override;

  bool startHidden = false;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OpenApp();
  void OnDestroy();

  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HBRUSH background_ = nullptr;
};
