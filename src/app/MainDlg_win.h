// The main window (dialog 102). For now a small frame: the title, the monitor list and the
// wallpapers of the stored settings, hand-over from a second instance, and closing.
#pragma once
#include "app/AppFlags.h"
#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/PlaybackPolicy.h"
#include "engine/WallpaperHost_win.h"

namespace settings {
class SettingsStore;
}

class CMainDlg : public CDialog {
 public:
  // The store and the flags outlive the window.
  CMainDlg(settings::SettingsStore& store, AppFlags& flags);
  ~CMainDlg() override;

  bool startHidden = false;

  engine::PlaybackPolicy& Policy() { return policy_; }
  CWallpaperHost& Wallpapers() { return wallpapers_; }

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OpenApp();
  void OnDestroy();

  settings::SettingsStore& store_;
  AppFlags& flags_;
  UniqueHicon largeIcon_;
  UniqueHicon smallIcon_;
  UniqueGdiObject background_;
  engine::PlaybackPolicy policy_;
  CWallpaperHost wallpapers_;  // the monitors, their list and the wallpapers
};
