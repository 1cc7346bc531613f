// The playlist rotation: while switched on it applies one entry after the other, on a fixed
// interval or at the end of each music track, and remembers the entry shown in CurrentItem so
// that a restart resumes there. Driven by a one-second tick of the playlist page; the time is
// a 64-bit millisecond count passed in, so the rules run against any clock. Portable: what an
// entry does to the monitors, the video page and the music goes through RotationTarget.
#pragma once
#include <cstdint>
#include <string>

#include "rotation/Playlist.h"

namespace rotation {

// The "Change Every" list, by row: 30 s, 1 h, 3 h, 6 h, 1 day, and the end of the music track
// (five minutes when no track plays).
inline constexpr int kChangeAtEndOfTrack = 5;
inline constexpr int kChangeIntervalCount = 6;
// The period of a row of the list; 30 s for no row (or one outside it).
uint64_t ChangePeriod(int row);

class RotationTarget {
 public:
  virtual ~RotationTarget() = default;
  // Loads the entry's stored wallpapers into the monitors; whether any monitor was loaded.
  virtual bool LoadEntryWallpapers(const PlaylistEntry& entry) = 0;
  // Shows the option on the video page and rebuilds the wallpaper windows for it.
  virtual void ApplyDisplayOption(int option) = 0;
  // Loads a music section ("Playlist\<key>\Music") into the music page.
  virtual void LoadMusic(const std::wstring& section) = 0;
  // The music player is opening or playing a track.
  virtual bool MusicPlaying() const = 0;
  // Pause-and-mute-all or the tray's pause is in force: no change happens.
  virtual bool Held() const = 0;
};

class Rotation {
 public:
  Rotation(Playlist& playlist, settings::SettingsStore& store, RotationTarget& target)
      : playlist_(playlist), store_(store), target_(target) {}

  bool active = false;     // the "Activate Playlist" switch
  int changeRow = 0;       // the "Change Every" selection
  int musicModeRow = 0;    // the music-mode selection
  bool timerRunning = false;
  uint64_t deadline = 0;

  // The page's start: Mode, Active and ChangeTime read (clamped), the list loaded, and an
  // active rotation resumed at CurrentItem, applied at once.
  void Start(uint64_t now);
  // (Re)starts the rotation at an entry (-1: the next); false when switched off.
  bool StartAt(int index, uint64_t now);
  // Applies the entry at index (-1: the next) and returns the index applied; -1 with no entries.
  int ApplyItem(int mode, int index);
  // The page's one-second tick.
  void OnTimer(uint64_t now);
  // The music track ended; true when the rotation moved on.
  bool OnMusicEnded(uint64_t now);

  // What the user does on the page.
  void SetActive(bool on, uint64_t now);
  void SetMusicMode(int row, uint64_t now);
  void SetChangeRow(int row, uint64_t now);
  // The entry editor opens (the tick stops) and closes (the tick resumes, the deadline kept).
  void Suspend() { timerRunning = false; }
  void Resume() {
    if (active && !timerRunning) timerRunning = true;
  }
  // Whether "Add Playlist Entry" is enabled.
  bool CanAddEntry() const;

 private:
  void WriteCurrentItem(int index) { store_.WriteProfileInt(L"Playlist", L"CurrentItem", index); }

  Playlist& playlist_;
  settings::SettingsStore& store_;
  RotationTarget& target_;
};

}  // namespace rotation
