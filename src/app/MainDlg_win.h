// The main window (dialog 102). For now a small frame: the title, the monitor list and the
// wallpapers of the stored settings, hand-over from a second instance, and closing.
#pragma once
#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/WallpaperHost_win.h"

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

  UniqueHicon largeIcon_;
  UniqueHicon smallIcon_;
  UniqueGdiObject background_;
  CWallpaperHost wallpapers_;  // the monitor list, the wallpapers and their messages
};
