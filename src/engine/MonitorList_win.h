// The monitor list: a child window of the main window that enumerates the monitors once,
// owns one CMonitor per monitor and the spanning wallpaper's, draws them as a row of
// proportional boxes and lets the user pick the monitor to edit.
#pragma once
#include <windows.h>

#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/Monitor.h"

class CMonitorList : public CWnd {
 public:
  // Constructs the spanning wallpaper's monitor (record of Video\0) at once.
  CMonitorList();
  ~CMonitorList() override;

  // Creates the visible child window; its creation enumerates the monitors.
  bool Create(HWND parent, const RECT& rect, UINT id);
  void AddMonitor(HMONITOR monitor, const RECT* rect);
  void ArrangeDisplayRects();
  // Deletes every monitor in list order (each writes its record and removes its wallpaper
  // window), then the spanning wallpaper's.
  void Clear();
  int Count() const { return static_cast<int>(monitors.size()); }
  CMonitor* Monitor(int index) const {
    return index >= 0 && index < Count() ? monitors[static_cast<size_t>(index)].get() : nullptr;
  }
  // Draws every box as selected while set (display option 1).
  void SetAllMode(bool on);
  void SetSelected(int index);

  COLORREF backgroundColour;
  COLORREF boxColour;
  COLORREF selectedBoxColour;
  COLORREF textColour;
  UniqueGdiObject labelFont;
  int circleSize = 26;
  bool allMode = false;
  int selected = 0;
  MonitorArray monitors;
  std::unique_ptr<CMonitor> allMonitor;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnCreate();
  void OnDestroy();
  void Paint(HDC dc);
};
