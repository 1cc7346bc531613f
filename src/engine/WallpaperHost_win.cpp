// The main window's wallpaper engine: monitor list, start-up wallpapers, message routing.
#include "engine/WallpaperHost_win.h"

#include "base/Messages.h"
#include "engine/VideoWnd_win.h"

namespace {
constexpr int kMonitorListPlace = 1003;
}

bool CWallpaperHost::Create(HWND mainDialog) {
  if (list_) return true;
  mainDialog_ = mainDialog;
  CVideoWnd::SetAppWindow(mainDialog);
  list_ = std::make_unique<CMonitorList>();

  RECT place{};
  HWND placeholder = GetDlgItem(mainDialog, kMonitorListPlace);
  if (placeholder) {
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, mainDialog, reinterpret_cast<POINT*>(&place), 2);
  } else {
    RECT client;
    GetClientRect(mainDialog, &client);
    place = RECT{0, 0, client.right, client.bottom / 4};
  }
  if (!list_->Create(mainDialog, place, kMonitorListPlace)) {
    list_.reset();
    return false;
  }
  if (placeholder) ::DestroyWindow(placeholder);

  // Display option 0: each monitor plays its own record; the spanning wallpaper has none.
  for (auto& monitor : list_->monitors) monitor->RefreshWindow();
  if (list_->allMonitor) list_->allMonitor->RemoveWindow();
  return true;
}

void CWallpaperHost::Destroy() {
  if (!list_) return;
  // Destroying the list's window writes Selected and deletes the monitors, each of which
  // writes its record and destroys its wallpaper window.
  list_->DestroyWindow();
  list_.reset();
  if (CVideoWnd::AppWindow() == mainDialog_) CVideoWnd::SetAppWindow(nullptr);
  mainDialog_ = nullptr;
}

void CWallpaperHost::PauseAll(bool paused) {
  if (!list_) return;
  for (auto& monitor : list_->monitors)
    if (monitor->videoWnd && monitor->videoWnd->HasWindow()) monitor->videoWnd->Pause(paused);
  if (list_->allMonitor && list_->allMonitor->videoWnd && list_->allMonitor->videoWnd->HasWindow())
    list_->allMonitor->videoWnd->Pause(paused);
}

bool CWallpaperHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_APP_MONITOR_SELECTED: {
      result = 0;
      if (!list_) return true;
      if (reinterpret_cast<HWND>(lParam) == list_->hwnd()) return true;  // no video page yet
      int index = static_cast<int>(wParam);
      if (index >= -1 && index < list_->Count()) list_->SetSelected(index);
      return true;
    }
    case WM_APP_WALLPAPER_EVENT:
      // The video page decides its sliders from these; until it exists nobody listens.
      result = 0;
      return true;
  }
  return false;
}
