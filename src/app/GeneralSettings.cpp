// The general settings tab's rules.
#include "app/GeneralSettings.h"

#include "base/Log.h"

namespace app {

std::wstring AutoRunCommand(std::wstring_view exePath) {
  std::wstring command = L"\"";
  command += exePath;
  command += L"\"  /autostart";
  return command;
}

GeneralSettings::GeneralSettings(settings::SettingsStore& store, AppFlags& flags, engine::PlaybackPolicy& policy,
                                 AutoRunEntry& autoRunEntry, OtherAudioDetection& detector,
                                 std::function<void(bool mute)> postAutomaticMute)
    : store_(store),
      flags_(flags),
      policy_(policy),
      autoRunEntry_(autoRunEntry),
      detector_(detector),
      postAutomaticMute_(std::move(postAutomaticMute)) {}

void GeneralSettings::Load() {
  pauseWhenMaximised = flags_.pauseWhenMaximised;
  autoRun = store_.ReadRootDword(L"AutoRun", 1) != 0;
  // The entry follows the setting, never the other way round.
  if (autoRunEntry_.Present() != autoRun) autoRunEntry_.Set(autoRun);
  muteWhenOtherAudio = store_.ReadRootDword(L"MuteWhenOtherAudioDetected", 0) != 0;
  if (!muteWhenOtherAudio)
    detector_.Stop();
  else
    StartDetector();
}

void GeneralSettings::StartDetector() {
  if (!detector_.Running()) detector_.Start();
}

void GeneralSettings::OnAutoRunSwitched(bool on) {
  autoRun = on;
  LogMessage(Info, "Setings: Set AutoRun %d", on ? 1 : 0);
  autoRunEntry_.Set(on);
  store_.WriteRootDword(L"AutoRun", on ? 1 : 0);
}

void GeneralSettings::OnPauseWhenMaximisedSwitched(bool on) {
  pauseWhenMaximised = on;
  LogMessage(Info, "Setings: Set Pause when maximised %d", on ? 1 : 0);
  flags_.pauseWhenMaximised = on;
  policy_.Inputs().pauseWhenMaximised = on;
  store_.WriteRootDword(L"PauseWhenMaximised", on ? 1 : 0);
}

void GeneralSettings::OnMuteWhenOtherAudioSwitched(bool on) {
  muteWhenOtherAudio = on;
  LogMessage(Info, "Setings: Set Mute when other audio detected %d", on ? 1 : 0);
  if (!on) {
    detector_.Stop();
    if (otherAudioDetected) postAutomaticMute_(false);
    otherAudioDetected = false;
  } else {
    StartDetector();
  }
  store_.WriteRootDword(L"MuteWhenOtherAudioDetected", on ? 1 : 0);
}

void GeneralSettings::OnOtherAudioReport(bool playing) {
  if (!detector_.Running()) return;
  if (playing)
    postAutomaticMute_(true);  // on every report while the other sound lasts
  else if (otherAudioDetected)
    postAutomaticMute_(false);
  otherAudioDetected = playing;
}

void GeneralSettings::Reset(bool uninstalling) {
  autoRun = true;
  autoRunEntry_.Set(!uninstalling);
  pauseWhenMaximised = false;
  flags_.pauseWhenMaximised = false;
  policy_.Inputs().pauseWhenMaximised = false;
  muteWhenOtherAudio = false;
  detector_.Stop();
}

}  // namespace app
