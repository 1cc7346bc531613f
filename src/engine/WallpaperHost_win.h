// The wallpaper engine as the main window holds it: the wallpapers (every monitor's and the
// spanning one's), the monitor list that shows them, the wallpaper windows of the stored
// settings at start, display changes and a restarted desktop shell.
#pragma once
#include <windows.h>

#include <memory>

#include "engine/Monitor.h"
#include "engine/MonitorList_win.h"
#include "engine/PlaybackPolicy.h"
#include "engine/VideoWnd_win.h"
#include "engine/Wallpapers.h"

namespace settings {
class SettingsStore;
}

class CWallpaperHost {
 public:
  // The store and the policy outlive the host.
  CWallpaperHost(settings::SettingsStore& store, const engine::PlaybackPolicy& policy);
  CWallpaperHost(const CWallpaperHost&) = delete;
  CWallpaperHost& operator=(const CWallpaperHost&) = delete;
  ~CWallpaperHost() { Destroy(); }

  // Enumerates the monitors (each loads its record), restores the selection and creates the
  // monitor list as a child of the main dialog (in place of its control 1003, or across its
  // top when there is none). The video page makes the wallpaper windows its display option
  // needs.
  bool Create(HWND mainDialog);
  // Teardown: the list goes; Selected is written; the monitors write their records and their
  // wallpaper windows are destroyed, the spanning wallpaper's last. A frozen store takes no
  // writes.
  void Destroy();
  // Routes WM_APP_MONITOR_SELECTED (the list follows) and WM_APP_WALLPAPER_EVENT; true when
  // handled. The main window passes both on to the video page as well.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The monitors changed: enumerate again, keep each monitor's record and window by its key,
  // and redraw the list. True when something changed.
  bool OnDisplayChange(int displayOption);
  // The desktop shell restarted and its wallpaper layer with it: every wallpaper whose window
  // died with the old layer gets a new one in the new layer and plays again.
  void RebuildWindows();

  engine::Wallpapers& Wallpapers() { return wallpapers_; }
  int Count() const { return wallpapers_.Count(); }
  CMonitor* Monitor(int index) const { return wallpapers_.Monitor(index); }
  CMonitor& AllMonitor() { return *wallpapers_.All(); }
  int Selected() const { return wallpapers_.selected; }
  // Sets the selection (any index; -1 and out-of-range ones mean the spanning wallpaper where
  // it matters) and redraws the list.
  void SetSelected(int index);
  CMonitorList* MonitorList() const { return list_.get(); }

 private:
  VideoWndServices videoServices_;
  MonitorServices monitorServices_;
  engine::Wallpapers wallpapers_;
  std::unique_ptr<CMonitorList> list_;
};
