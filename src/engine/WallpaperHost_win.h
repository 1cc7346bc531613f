// The wallpaper engine as the main window holds it: the monitors (one CMonitor per monitor
// and the spanning wallpaper's), the selection, the monitor list that shows them, the
// wallpaper windows of the stored settings at start, and the playback decision applied to
// every wallpaper window.
#pragma once
#include <windows.h>

#include <memory>

#include "engine/Monitor.h"
#include "engine/MonitorList_win.h"
#include "engine/PlaybackPolicy.h"
#include "engine/VideoWnd_win.h"

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

  // Enumerates the monitors (each loads its record), restores the selection, creates the
  // monitor list as a child of the main dialog (in place of its control 1003, or across its
  // top when there is none) and the wallpaper windows of display option 0 (a window for each
  // monitor whose Path is set).
  bool Create(HWND mainDialog);
  // Teardown: writes Selected; the monitors write their records and their wallpaper windows
  // are destroyed, the spanning wallpaper's last. A frozen store takes no writes.
  void Destroy();
  // Routes WM_APP_MONITOR_SELECTED and WM_APP_WALLPAPER_EVENT; true when handled.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Pause (true) or resume every wallpaper, the spanning one included (the user's pause).
  void PauseAll(bool paused);
  // Carries out the playback decision on every wallpaper window (after an input changed).
  void ApplyPlayback();

  MonitorArray& Monitors() { return monitors_; }
  CMonitor* Monitor(int index) const {
    return index >= 0 && index < static_cast<int>(monitors_.size()) ? monitors_[static_cast<size_t>(index)].get()
                                                                    : nullptr;
  }
  int Count() const { return static_cast<int>(monitors_.size()); }
  CMonitor& AllMonitor() { return *allMonitor_; }
  int Selected() const { return selected_; }
  // Sets the selection (any index; -1 and out-of-range ones select the spanning wallpaper
  // where it matters) and redraws the list.
  void SetSelected(int index);
  CMonitorList* MonitorList() const { return list_.get(); }

 private:
  template <typename F>
  void ForEachWallpaper(F f);

  settings::SettingsStore& store_;
  VideoWndServices videoServices_;
  MonitorServices monitorServices_;
  MonitorArray monitors_;
  std::unique_ptr<CMonitor> allMonitor_;
  int selected_ = 0;
  std::unique_ptr<CMonitorList> list_;
};
