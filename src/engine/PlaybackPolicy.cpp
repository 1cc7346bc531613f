// The playback decision from the program's and the wallpaper's inputs.
#include "engine/PlaybackPolicy.h"

namespace engine {

PlaybackDecision Decide(const PlaybackInputs& inputs, const WallpaperInputs& wallpaper) {
  PlaybackDecision decision;
  decision.paused = inputs.pauseAndMuteAll || inputs.trayPaused || wallpaper.userPaused ||
                    (inputs.pauseWhenMaximised && wallpaper.coveredByMaximised);
  bool silent = inputs.musicMutesVideos || inputs.pauseAndMuteAll || wallpaper.level <= 0.0f;
  decision.level = silent ? 0.0f : (wallpaper.level > 1.0f ? 1.0f : wallpaper.level);
  return decision;
}

}  // namespace engine
