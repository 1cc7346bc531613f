// The main window's wallpaper engine: the monitors and their list, start-up wallpapers,
// message routing and the playback decision.
#include "engine/WallpaperHost_win.h"

#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "engine/Monitor_win.h"
#include "settings/SettingsStore.h"

CWallpaperHost::CWallpaperHost(settings::SettingsStore& store, const engine::PlaybackPolicy& policy)
    : store_(store), videoServices_{policy}, monitorServices_{store, VideoWndFactory(videoServices_)} {}

bool CWallpaperHost::Create(HWND mainDialog) {
  if (list_) return true;
  videoServices_.appWindow = mainDialog;
  // The spanning wallpaper's monitor first (record of Video\0), then the monitors.
  allMonitor_ = std::make_unique<CMonitor>(monitorServices_, nullptr, nullptr, 0);
  monitors_ = MakeMonitors(monitorServices_, EnumerateMonitors());
  selected_ = RestoreSelected(store_, selected_, Count());

  list_ = std::make_unique<CMonitorList>();
  list_->SetMonitors(&monitors_);
  list_->SetSelected(selected_);
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

  // Display option 0: each monitor plays its own record; the spanning wallpaper has none.
  for (auto& monitor : monitors_) monitor->RefreshWindow();
  allMonitor_->RemoveWindow();
  return true;
}

void CWallpaperHost::Destroy() {
  if (list_) {
    list_->DestroyWindow();
    list_.reset();
  }
  if (!allMonitor_) return;
  store_.WriteProfileInt(L"Video", L"Selected", selected_);
  // Each monitor writes its record and destroys its wallpaper window as it goes.
  for (auto& monitor : monitors_) monitor.reset();
  monitors_.clear();
  allMonitor_.reset();
  videoServices_.appWindow = nullptr;
}

void CWallpaperHost::SetSelected(int index) {
  selected_ = index;
  if (list_) list_->SetSelected(index);
}

template <typename F>
void CWallpaperHost::ForEachWallpaper(F f) {
  for (auto& monitor : monitors_)
    if (monitor->videoWnd && monitor->videoWnd->HasWindow()) f(*monitor->videoWnd);
  if (allMonitor_ && allMonitor_->videoWnd && allMonitor_->videoWnd->HasWindow()) f(*allMonitor_->videoWnd);
}

void CWallpaperHost::PauseAll(bool paused) {
  ForEachWallpaper([paused](WallpaperWindow& window) { window.Pause(paused); });
}

void CWallpaperHost::ApplyPlayback() {
  ForEachWallpaper([](WallpaperWindow& window) { window.ApplyPlayback(); });
}

bool CWallpaperHost::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_APP_MONITOR_SELECTED: {
      result = 0;
      if (!list_) return true;
      int index = static_cast<int>(wParam);
      // From the list: its click; the video page (when there is one) follows. From elsewhere
      // (the video page's tabs): the list follows.
      if (reinterpret_cast<HWND>(lParam) == list_->hwnd() || (index >= -1 && index < Count())) SetSelected(index);
      return true;
    }
    case WM_APP_WALLPAPER_EVENT:
      // The video page decides its sliders from these; until it exists nobody listens.
      result = 0;
      return true;
  }
  return false;
}
