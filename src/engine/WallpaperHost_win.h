// The wallpaper engine as the main window holds it: the monitor list (which owns every
// monitor and the spanning wallpaper's) and, at start, the wallpaper windows of the stored
// settings; the engine's messages to the main window are routed here.
#pragma once
#include <windows.h>

#include <memory>

#include "engine/MonitorList_win.h"

class CWallpaperHost {
 public:
  CWallpaperHost() = default;
  CWallpaperHost(const CWallpaperHost&) = delete;
  CWallpaperHost& operator=(const CWallpaperHost&) = delete;
  ~CWallpaperHost() { Destroy(); }

  // Creates the monitor list as a child of the main dialog (in place of its control 1003,
  // or across its top when there is none) and the wallpaper windows of display option 0
  // (a window for each monitor whose Path is set).
  bool Create(HWND mainDialog);
  // Teardown: the list writes Selected, the monitors write their records (unless
  // uninstalling) and their wallpaper windows are destroyed.
  void Destroy();
  // Routes WM_APP_MONITOR_SELECTED and WM_APP_WALLPAPER_EVENT; true when handled.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Pause (true) or resume every wallpaper, the spanning one included.
  void PauseAll(bool paused);

  CMonitorList* MonitorList() const { return list_.get(); }

 private:
  HWND mainDialog_ = nullptr;
  std::unique_ptr<CMonitorList> list_;
};
