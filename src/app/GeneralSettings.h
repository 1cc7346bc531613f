// The general settings tab's rules: the autorun entry that follows its switch, the pause under
// maximised windows, and the other-audio detection with the automatic mutes it asks for.
// Portable: the Run key, the detector and the main window are reached through interfaces.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "app/AppFlags.h"
#include "engine/PlaybackPolicy.h"
#include "settings/SettingsStore.h"

namespace app {

// The Run entry's data: the executable's quoted path, two spaces and "/autostart".
std::wstring AutoRunCommand(std::wstring_view exePath);

// The program's value in the user's Run key.
class AutoRunEntry {
 public:
  virtual ~AutoRunEntry() = default;
  virtual bool Present() = 0;
  // Writes the entry for this executable (enable) or deletes it.
  virtual void Set(bool enable) = 0;
};

// The other-audio detector thread.
class OtherAudioDetection {
 public:
  virtual ~OtherAudioDetection() = default;
  virtual bool Running() const = 0;
  virtual void Start() = 0;
  virtual void Stop() = 0;
};

class GeneralSettings {
 public:
  // postAutomaticMute(mute) asks the main window for an automatic mute or unmute of
  // everything. Everything given outlives this object.
  GeneralSettings(settings::SettingsStore& store, AppFlags& flags, engine::PlaybackPolicy& policy,
                  AutoRunEntry& autoRunEntry, OtherAudioDetection& detector,
                  std::function<void(bool mute)> postAutomaticMute);

  // When the tab's window is created: the switches from the settings, the Run entry made to
  // follow AutoRun, the detector started or stopped.
  void Load();
  // The user clicked a switch (its new state).
  void OnAutoRunSwitched(bool on);
  void OnPauseWhenMaximisedSwitched(bool on);
  void OnMuteWhenOtherAudioSwitched(bool on);
  // The detector's report (WM_APP_OTHER_AUDIO). A report still queued when the detector
  // stopped is ignored: nothing would ever lift the mute it asks for.
  void OnOtherAudioReport(bool playing);
  // The factory reset (the settings were deleted): defaults, nothing written.
  void Reset(bool uninstalling);

  // The switches' states.
  bool autoRun = true;
  bool pauseWhenMaximised = false;
  bool muteWhenOtherAudio = false;
  // The detector's last report.
  bool otherAudioDetected = false;

 private:
  void StartDetector();

  settings::SettingsStore& store_;
  AppFlags& flags_;
  engine::PlaybackPolicy& policy_;
  AutoRunEntry& autoRunEntry_;
  OtherAudioDetection& detector_;
  std::function<void(bool)> postAutomaticMute_;
};

}  // namespace app
