// The monitor list: a child window of the main window that draws the monitors it is given as
// a row of proportional boxes under a title and reports the box the user clicks. It owns no
// monitor: the wallpaper host does.
#pragma once
#include <windows.h>

#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/Monitor.h"

class CMonitorList : public CWnd {
 public:
  CMonitorList();
  ~CMonitorList() override;

  bool Create(HWND parent, const RECT& rect, UINT id);
  // The monitors to draw; the caller keeps them alive while the list shows them.
  void SetMonitors(MonitorArray* monitors);
  int Count() const { return monitors_ ? static_cast<int>(monitors_->size()) : 0; }
  // Draws every box as selected while set (display option 1).
  void SetAllMode(bool on);
  void SetSelected(int index);

  COLORREF backgroundColour;
  COLORREF boxColour;
  COLORREF selectedBoxColour;
  COLORREF textColour;
  UniqueGdiObject labelFont;
  bool allMode = false;
  int selected = 0;

 protected:
  // A click on a box other than the selected one selects it and posts
  // WM_APP_MONITOR_SELECTED (index, this window) to the parent.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnCreate();
  void Paint(HDC dc, const RECT& client);

  MonitorArray* monitors_ = nullptr;
};
