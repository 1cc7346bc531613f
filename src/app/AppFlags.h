// The application's flags, owned by the application object and read and written on the
// user-interface thread.
#pragma once

struct AppFlags {
  bool pauseAndMuteAll = false;
  bool pauseWhenMaximised = false;
  bool uninstalling = false;  // the self-uninstall has begun (the settings store takes no writes)
  bool autostart = false;
  bool wallpapersPaused = false;
  bool wallpapersMuted = false;
};

