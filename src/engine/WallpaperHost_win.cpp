// The main window's wallpaper engine: the monitors and their list, start-up wallpapers,
// message routing, display changes and a restarted shell.
#include "engine/WallpaperHost_win.h"

#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "engine/Monitor_win.h"
#include "settings/SettingsStore.h"

CWallpaperHost::CWallpaperHost(settings::SettingsStore& store, const engine::PlaybackPolicy& policy)
    : videoServices_{policy}, monitorServices_{store, VideoWndFactory(videoServices_)}, wallpapers_(monitorServices_) {}

bool CWallpaperHost::Create(HWND mainDialog) {
  if (list_) return true;
  videoServices_.appWindow = mainDialog;
  wallpapers_.Load(EnumerateMonitors());

  list_ = std::make_unique<CMonitorList>();
  list_->SetMonitors(&wallpapers_.Monitors());
  list_->SetSelected(wallpapers_.selected);
  RECT place{};
  HWND placeholder = GetDlgItem(mainDialog, IDC_MONITOR_LIST);
  if (placeholder) {
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, mainDialog, reinterpret_cast<POINT*>(&place), 2);
  } else {
    RECT client;
    GetClientRect(mainDialog, &client);
    place = RECT{0, 0, client.right, client.bottom / 4};
  }
  if (!list_->Create(mainDialog, place, IDC_MONITOR_LIST)) {
    list_.reset();
    return false;
  }
  if (placeholder) ::DestroyWindow(placeholder);
  return true;
}

void CWallpaperHost::Destroy() {
  if (list_) {
    list_->DestroyWindow();
    list_.reset();
  }
  wallpapers_.Clear();
  videoServices_.appWindow = nullptr;
}

void CWallpaperHost::SetSelected(int index) {
  wallpapers_.selected = index;
  if (list_) list_->SetSelected(index);
}

bool CWallpaperHost::OnDisplayChange(int displayOption) {
  if (!wallpapers_.Loaded()) return false;
  bool changed = wallpapers_.Reconcile(EnumerateMonitors(), displayOption);
  if (list_) {
    list_->SetMonitors(&wallpapers_.Monitors());
    list_->SetSelected(wallpapers_.selected);
  }
  return changed;
}

void CWallpaperHost::RebuildWindows() {
  if (!wallpapers_.Loaded()) return;
  wallpapers_.ForEach([](CMonitor& monitor) {
    if (monitor.videoWnd && !monitor.videoWnd->HasWindow()) monitor.RefreshWindow();
  });
}

bool CWallpaperHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_APP_MONITOR_SELECTED: {
      result = 0;
      if (!list_) return true;
      int index = static_cast<int>(wParam);
      // From the list: its click. From elsewhere (the video page's tabs): the list follows
      // when the index is -1 or inside the list.
      if (reinterpret_cast<HWND>(lParam) == list_->hwnd() || (index >= -1 && index < Count())) SetSelected(index);
      return true;
    }
    case WM_APP_WALLPAPER_EVENT:
      result = 0;
      return true;
  }
  return false;
}
