// The main window's switchboard rules.
#include "app/MainRules.h"

#include "base/Log.h"

namespace app {

int StoredIndexAtStart(settings::SettingsStore& store, std::wstring_view name, int count) {
  uint32_t stored = store.ReadRootDword(name);
  return stored < static_cast<uint32_t>(count) ? static_cast<int>(stored) : 0;
}

void StoreTaskIndex(settings::SettingsStore& store, int task) {
  store.WriteRootDword(L"TaskIndex", static_cast<uint32_t>(task));
}

namespace {
// The wallpapers' mutes, then what the video page shows of them.
void MuteWallpapers(MainContext& c, bool mute, bool automatic) {
  c.wallpapers.MuteAll(mute, automatic);
  c.pages.VideoRefreshPanel();
}
}  // namespace

void TrayPause(MainContext& c) {
  c.flags.wallpapersPaused = !c.flags.wallpapersPaused;
  c.policy.Inputs().trayPaused = c.flags.wallpapersPaused;
  c.wallpapers.ApplyPlayback();
  c.pages.MusicPause(c.flags.wallpapersPaused);
  c.pages.SetTrayState(c.flags.wallpapersPaused, c.flags.wallpapersMuted);
}

void TrayMute(MainContext& c) {
  c.flags.wallpapersMuted = !c.flags.wallpapersMuted;
  MuteWallpapers(c, c.flags.wallpapersMuted, false);
  c.pages.QuickStartSetMuted(c.flags.wallpapersMuted, false);
  c.pages.MusicMute(c.flags.wallpapersMuted, false);
  c.pages.SetTrayState(c.flags.wallpapersPaused, c.flags.wallpapersMuted);
}

void MusicMutesVideos(MainContext& c, bool mute) {
  bool silent = c.flags.wallpapersMuted || mute;
  c.policy.Inputs().musicMutesVideos = mute;
  MuteWallpapers(c, silent, false);
  c.wallpapers.ApplyPlayback();
  c.pages.QuickStartSetMuted(silent, false);
}

void PauseAndMuteAll(MainContext& c, bool on) {
  c.flags.pauseAndMuteAll = on;
  c.store.WriteRootDword(L"PauseAndMuteAll", on ? 1 : 0);
  c.policy.Inputs().pauseAndMuteAll = on;
  c.wallpapers.ApplyPlayback();
  MuteWallpapers(c, on, false);
  c.pages.MusicPause(on);
  c.pages.MusicMute(on, false);
}

void MuteAll(MainContext& c, bool mute, bool automatic) {
  // While the music plays alone, the wallpapers stay silent whatever unmutes them.
  if (mute || !c.pages.MusicIsMusicOnly()) MuteWallpapers(c, mute, automatic);
  c.pages.MusicMute(mute, automatic);
  c.pages.QuickStartSetMuted(mute, automatic);
}

void MasterVolume(MainContext& c, int volume) {
  if (!c.pages.MusicIsMusicOnly()) {
    c.wallpapers.SetVolumeAll(volume);
    c.pages.VideoRefreshPanel();
  }
  c.pages.MusicSetVolume(volume);
  c.pages.QuickStartSetVolume(volume);
}

void RemoveAll(MainContext& c) {
  c.wallpapers.RemoveAllPaths();
  c.pages.VideoRefreshPanel();
  c.pages.MusicClear();
  c.pages.QuickStartClear();
  c.store.DeleteSection(L"Playlist");
  c.pages.PlaylistsReset();
}

void FactoryReset(MainContext& c) {
  c.store.DeleteAllSettings();
  c.pages.QuickStartReset();
  LogMessage(Info, "Add Video: Reset");
  c.wallpapers.ResetAll();
  c.pages.VideoReset();
  c.pages.MusicReset();
  c.pages.PlaylistsReset();
  c.pages.SettingsReset();
  // The settings now say nothing is paused or muted; neither does anything in memory.
  c.flags.pauseAndMuteAll = false;
  c.flags.pauseWhenMaximised = false;
  c.flags.wallpapersPaused = false;
  c.flags.wallpapersMuted = false;
  c.policy.Inputs().pauseAndMuteAll = false;
  c.policy.Inputs().pauseWhenMaximised = false;
  c.policy.Inputs().trayPaused = false;
  c.policy.Inputs().musicMutesVideos = false;
  c.wallpapers.ApplyPlayback();
  c.pages.SetTrayState(false, false);
}

}  // namespace app
