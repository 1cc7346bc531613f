// The wallpapers as a whole: one CMonitor per physical monitor in list order, the spanning
// wallpaper's CMonitor, the selection, and what is done to all of them at once (pause, mute,
// volume, remove, reset) and when the monitors change while the program runs. Portable: the
// platform's enumeration comes in as EnumeratedMonitor records and the wallpaper windows are
// reached through WallpaperWindow.
#pragma once
#include <vector>

#include "engine/Monitor.h"

namespace engine {

class Wallpapers {
 public:
  // The services outlive the object.
  explicit Wallpapers(MonitorServices& services);
  Wallpapers(const Wallpapers&) = delete;
  Wallpapers& operator=(const Wallpapers&) = delete;
  ~Wallpapers() { Clear(); }

  // Makes the spanning wallpaper's monitor (record of Video\0) and one monitor per
  // enumerated one (each loads its record), and restores the stored selection.
  void Load(const std::vector<EnumeratedMonitor>& enumerated);
  // Writes Selected; deletes the monitors in list order (each writes its record and removes
  // its wallpaper window), then the spanning one. Nothing is left.
  void Clear();
  bool Loaded() const { return static_cast<bool>(all_); }

  MonitorArray& Monitors() { return monitors_; }
  const MonitorArray& Monitors() const { return monitors_; }
  int Count() const { return static_cast<int>(monitors_.size()); }
  CMonitor* Monitor(int index) const {
    return index >= 0 && index < Count() ? monitors_[static_cast<size_t>(index)].get() : nullptr;
  }
  // The monitor at index, or the spanning wallpaper's when the index is outside the list.
  CMonitor* MonitorOrAll(int index) const { return Monitor(index) ? Monitor(index) : all_.get(); }
  CMonitor* All() const { return all_.get(); }
  int selected = 0;

  // Every monitor in list order, then the spanning one.
  template <typename F>
  void ForEach(F f) {
    for (auto& monitor : monitors_) f(*monitor);
    if (all_) f(*all_);
  }

  // The user's pause (true) or resume of every wallpaper window.
  void PauseAll(bool paused);
  // Carries out the playback decision on every wallpaper window again.
  void ApplyPlayback();
  // Every wallpaper: not automatically muted, Volume = volume (0..100), muted when it is 0;
  // its window takes the volume.
  void SetVolumeAll(int volume);
  // Every wallpaper whose mute differs: a mute marks it automatic or not and silences its
  // window; an automatic unmute lifts only automatic mutes, a user's unmute lifts both and
  // gives the window its volume back. A user's mute takes over an automatic one that is
  // already in place, so that a later automatic unmute leaves it alone.
  void MuteAll(bool mute, bool automatic);
  // Empties every wallpaper's path (its window goes) and stores the empty paths at once; the
  // other values stay.
  void RemoveAllPaths();
  // Every record back to its defaults in memory (the automatic-mute flags stay), every
  // wallpaper window destroyed; nothing is written.
  void ResetAll();

  // The monitors changed (plugged in or out, resolution, arrangement): each monitor that is
  // still there (by its key) is kept with its record and its window, which moves to the new
  // rectangle; a new monitor loads its record and, with displayOption 0, gets its window; a
  // monitor that is gone writes its record and loses its window. Labels follow the new order,
  // the selection stays on its monitor (the first one when it is gone), and the spanning
  // wallpaper's window is fitted to the new layer. False when nothing changed.
  bool Reconcile(const std::vector<EnumeratedMonitor>& enumerated, int displayOption);

 private:
  MonitorServices& services_;
  MonitorArray monitors_;
  std::unique_ptr<CMonitor> all_;
};

}  // namespace engine
