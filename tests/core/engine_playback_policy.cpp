// The playback decision: which inputs pause a wallpaper, and the level it plays at.
#include <gtest/gtest.h>

#include "engine/PlaybackPolicy.h"

namespace {

TEST(PlaybackPolicy, EveryReasonToPauseAndOnlyThose) {
  struct Case {
    const char* name;
    engine::PlaybackInputs inputs;
    engine::WallpaperInputs wallpaper;
    bool paused;
  } cases[] = {
      {"nothing", {}, {}, false},
      {"pause and mute all", {true, false, false, false}, {}, true},
      {"tray's pause", {false, true, false, false}, {}, true},
      {"the user's pause", {}, {true, false, 0.5f}, true},
      {"covered with the option on", {false, false, true, false}, {false, true, 0.5f}, true},
      {"covered with the option off", {}, {false, true, 0.5f}, false},
      {"option on, nothing over it", {false, false, true, false}, {false, false, 0.5f}, false},
      {"music silences, does not pause", {false, false, false, true}, {false, false, 0.5f}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(engine::Decide(c.inputs, c.wallpaper).paused, c.paused) << c.name;
}

TEST(PlaybackPolicy, LevelIsTheRecordsUnlessSomethingSilencesIt) {
  struct Case {
    const char* name;
    engine::PlaybackInputs inputs;
    float recordLevel;
    float level;
  } cases[] = {
      {"the record's level", {}, 0.7f, 0.7f},
      {"muted record", {}, 0.0f, 0.0f},
      {"music silences the videos", {false, false, false, true}, 0.7f, 0.0f},
      {"pause and mute all", {true, false, false, false}, 0.7f, 0.0f},
      {"tray's pause keeps the level", {false, true, false, false}, 0.7f, 0.7f},
      {"above 1 is clamped", {}, 1.5f, 1.0f},
      {"below 0 is silent", {}, -0.2f, 0.0f},
  };
  for (const Case& c : cases) {
    engine::WallpaperInputs wallpaper{false, false, c.recordLevel};
    EXPECT_FLOAT_EQ(engine::Decide(c.inputs, wallpaper).level, c.level) << c.name;
  }
}

TEST(PlaybackPolicy, PolicyObjectDecidesFromItsCurrentInputs) {
  engine::PlaybackPolicy policy;
  engine::WallpaperInputs wallpaper{false, true, 0.5f};
  EXPECT_FALSE(policy.Decide(wallpaper).paused);
  policy.Inputs().pauseWhenMaximised = true;
  EXPECT_TRUE(policy.Decide(wallpaper).paused) << "an input changed after the wallpaper was made";
}

}  // namespace
