// The application's global flags, read and written on the user-interface thread.
#pragma once

struct AppFlags {
  bool pauseAndMuteAll = false;
  bool pauseWhenMaximised = false;
  bool uninstalling = false;  // while set, nothing is written back to the settings tree
  bool autostart = false;
  bool wallpapersPaused = false;
  bool wallpapersMuted = false;
};

AppFlags& Flags();
