// The main window's rules as a switchboard: what each tray command and application message
// does to the flags, the stored settings, the playback policy, the wallpapers and the pages,
// and the two bulk operations (remove all, factory reset). Portable: the pages are reached
// through Pages, whose every operation does nothing until a page implements it (a page
// whose window does not exist is skipped).
#pragma once
#include "app/AppFlags.h"
#include "engine/PlaybackPolicy.h"
#include "engine/Wallpapers.h"
#include "settings/SettingsStore.h"

namespace app {

constexpr int kTaskCount = 5;
enum Task : int { kTaskQuickStart = 0, kTaskVideo = 1, kTaskMusic = 2, kTaskPlaylist = 3, kTaskSettings = 4 };

class Pages {
 public:
  virtual ~Pages() = default;
  // Video page: the monitor chosen in the monitor list, a wallpaper's media event, the panel
  // showing its monitor's record again after the wallpapers changed, its own reset (display
  // option 0, the panel bound afresh).
  virtual void VideoSelectMonitor(int /*index*/) {}
  virtual void VideoWallpaperEvent(unsigned /*eventType*/, void* /*wallpaperWindow*/) {}
  virtual void VideoRefreshPanel() {}
  virtual void VideoReset() {}
  // Music page.
  virtual void MusicPause(bool /*paused*/) {}
  virtual void MusicMute(bool /*mute*/, bool /*automatic*/) {}
  virtual bool MusicIsMusicOnly() const { return false; }
  virtual void MusicSetVolume(int /*volume*/) {}
  virtual void MusicClear() {}
  virtual void MusicReset() {}
  // Quick Start page.
  virtual void QuickStartSetMuted(bool /*mute*/, bool /*automatic*/) {}
  virtual void QuickStartSetVolume(int /*volume*/) {}
  virtual void QuickStartClear() {}
  virtual void QuickStartReset() {}
  // Playlist page.
  virtual void PlaylistsReset() {}
  // Settings page (its tabs reset themselves; logging stops unless uninstalling).
  virtual void SettingsReset() {}
  // The tray popup's two toggled buttons.
  virtual void SetTrayState(bool /*paused*/, bool /*muted*/) {}
};

struct MainContext {
  AppFlags& flags;
  settings::SettingsStore& store;
  engine::PlaybackPolicy& policy;
  engine::Wallpapers& wallpapers;
  Pages& pages;
};

// A stored page index (TaskIndex, SettingsIndex) as start-up reads it: compared unsigned, so
// a negative or too large value gives 0. Nothing is written then.
int StoredIndexAtStart(settings::SettingsStore& store, std::wstring_view name, int count);
inline int TaskIndexAtStart(settings::SettingsStore& store) { return StoredIndexAtStart(store, L"TaskIndex", kTaskCount); }
// The user chose a task: stored at once.
void StoreTaskIndex(settings::SettingsStore& store, int task);

// "Pause Wallpapers" / "Play Wallpapers" in the tray.
void TrayPause(MainContext& c);
// "Mute Wallpapers" / "Unmute Wallpapers" in the tray.
void TrayMute(MainContext& c);
// The music page's option to silence the wallpapers (WM_APP_MUSIC_MUTES_VIDEOS).
void MusicMutesVideos(MainContext& c, bool mute);
// Quick controls: pause and mute everything (WM_APP_PAUSE_AND_MUTE_ALL), stored at once.
void PauseAndMuteAll(MainContext& c, bool on);
// Quick controls' master mute and the other-audio detector (WM_APP_MUTE_ALL).
void MuteAll(MainContext& c, bool mute, bool automatic);
// Quick controls' master volume (WM_APP_MASTER_VOLUME), 0..100.
void MasterVolume(MainContext& c, int volume);
// Every wallpaper without a video (stored at once), no music, no Quick Start folder, no
// playlists; everything else stays.
void RemoveAll(MainContext& c);
// The whole settings tree emptied and every page and flag back to its defaults.
void FactoryReset(MainContext& c);

}  // namespace app
