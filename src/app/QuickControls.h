// The quick controls tab's rules: pause and mute everything, the master volume with its mute
// button, Remove All and Factory Reset. The tab only keeps its controls and two stored values;
// every command goes to the main window as an application message. Portable: the controls
// are reached through QuickControlsView, the main window through post.
#pragma once
#include <functional>
#include <string>

#include "settings/SettingsStore.h"

namespace app {

class QuickControlsView {
 public:
  virtual ~QuickControlsView() = default;
  virtual void SetSliderPos(int value) = 0;
  virtual int SliderPos() const = 0;
  virtual void ShowMutePicture(bool muted) = 0;
  // Sets the volume edit's text without it counting as typed.
  virtual void SetVolumeText(const std::wstring& text) = 0;
  virtual void SetSwitch(bool on) = 0;
  // Asks the user a Yes/No question (string id); true for Yes.
  virtual bool Confirm(unsigned stringId) = 0;
};

class QuickControls {
 public:
  // post(message, wParam) posts an application message to the main window (lParam 0).
  QuickControls(QuickControlsView& view, settings::SettingsStore& store,
                std::function<void(unsigned message, int wParam)> post);

  // When the tab's window is created: the stored master volume and mute shown, not applied.
  void Initialise(bool pauseAndMuteAll);
  void OnSwitchClicked(bool on);
  void OnSliderMoving();
  void OnSliderChanged();
  void OnMuteClicked();
  void OnVolumeTyped(const std::wstring& text);
  // Both ask first; No changes nothing.
  void OnRemoveAll();
  void OnFactoryReset();
  // The factory reset (the settings were deleted): defaults shown, nothing written.
  void Reset();

  bool masterMuted = false;
  int masterVolume = 50;  // what unmuting restores

 private:
  void ShowMute(bool muted);
  void UpdateVolumeText();

  QuickControlsView& view_;
  settings::SettingsStore& store_;
  std::function<void(unsigned, int)> post_;
};

}  // namespace app
