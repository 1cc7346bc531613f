// Who decides whether a wallpaper plays and how loud: one place for every reason to pause or
// silence the wallpapers. The program-wide reasons are inputs here; each wallpaper window
// keeps its own (the user's pause of that window, a maximised window over it, its record's
// level) and asks Decide what to apply. A new reason to pause or mute is a new input here,
// never a new branch in the wallpaper window.
#pragma once

namespace engine {

// Program-wide inputs, set by the main window and the pages.
struct PlaybackInputs {
  bool pauseAndMuteAll = false;     // quick controls: pause and mute everything
  bool trayPaused = false;          // the tray's "Pause Wallpapers"
  bool pauseWhenMaximised = false;  // general settings: pause under a maximised window
  bool musicMutesVideos = false;    // the music page silences the wallpapers' sound
};

// One wallpaper's own inputs.
struct WallpaperInputs {
  bool userPaused = false;          // paused through the window's Pause (the video page)
  bool coveredByMaximised = false;  // the maximised-window check found a window over it
  float level = 0.0f;               // the record's level: 0 when muted, else Volume / 100
};

struct PlaybackDecision {
  bool paused = false;
  float level = 0.0f;  // the volume to give the player, 0..1
  friend bool operator==(const PlaybackDecision&, const PlaybackDecision&) = default;
};

PlaybackDecision Decide(const PlaybackInputs& inputs, const WallpaperInputs& wallpaper);

// The program's inputs, owned by the main window (tests make their own) and read by every
// wallpaper window when it applies its state.
class PlaybackPolicy {
 public:
  const PlaybackInputs& Inputs() const { return inputs_; }
  PlaybackInputs& Inputs() { return inputs_; }
  PlaybackDecision Decide(const WallpaperInputs& wallpaper) const { return engine::Decide(inputs_, wallpaper); }

 private:
  PlaybackInputs inputs_;
};

}  // namespace engine
