// A playlist entry's wallpapers in and out of the monitors.
#include "rotation/EntryWallpapers.h"

namespace rotation {

namespace {
// After a load: the tray's mute silences the wallpaper as the user's would; an automatic mute
// that was in force stays.
void MuteAfterLoad(CMonitor& monitor, bool trayMuted, bool allowAutomatic) {
  if (monitor.settings.Mute) return;
  if (trayMuted) {
    monitor.autoMuted = false;
  } else if (!(allowAutomatic && monitor.autoMuted)) {
    return;
  }
  monitor.settings.Mute = true;
  if (monitor.videoWnd) monitor.videoWnd->ApplyVolume(0.0f);
}
}  // namespace

bool LoadEntryWallpapers(engine::Wallpapers& wallpapers, settings::SettingsStore& store, const PlaylistEntry& entry,
                         bool trayMuted) {
  if (wallpapers.Count() == 0) return false;
  const std::wstring video = EntrySection(entry.key) + L"\\Video";
  if (entry.displayOption == 1) {
    CMonitor* all = wallpapers.All();
    if (!all) return false;
    all->LoadSection(video);
    MuteAfterLoad(*all, trayMuted, false);
    return true;
  }
  bool loaded = false;
  for (const std::wstring& name : store.Subkeys(video)) {
    if (name.empty() || name == kSpanningKey) continue;
    for (const auto& monitor : wallpapers.Monitors()) {
      if (monitor->MonitorKey() != name) continue;
      monitor->LoadSection(video);
      MuteAfterLoad(*monitor, trayMuted, true);
      loaded = true;
      break;
    }
  }
  // Option 2 shows the entry's one video on every monitor: the first monitor's, whichever
  // monitor the video page has bound.
  if (loaded && entry.displayOption == 2) {
    const std::wstring path = wallpapers.Monitor(0)->settings.Path;
    for (const auto& monitor : wallpapers.Monitors()) monitor->settings.Path = path;
  }
  return loaded;
}

void StoreEntryWallpapers(engine::Wallpapers& wallpapers, settings::SettingsStore& store, int key, int displayOption) {
  const std::wstring video = EntrySection(key) + L"\\Video";
  store.WriteProfileInt(video, L"DisplayOptions", displayOption);
  wallpapers.ForEach([&](CMonitor& m) {
    const bool mute = m.settings.Mute;
    if (m.autoMuted) m.settings.Mute = false;
    m.WriteSection(video);
    m.settings.Mute = mute;
  });
}

}  // namespace rotation
