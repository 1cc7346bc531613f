// The monitor settings panel's rules: which control shows what of the bound monitor's record,
// what a change applies to the monitor and its wallpaper window, and what is written to the
// settings when (on a slider's release, on every other control's change, never in entry
// mode). Portable: the dialog's controls are reached through PanelView.
#pragma once
#include <optional>
#include <string>

#include "engine/Monitor.h"

namespace app {

// Control ids of the panel the rules speak of.
enum PanelSlider : int { kSliderPosY = 1054, kSliderPosX = 1055, kSliderOverlay = 1056, kSliderVolume = 1019 };

class PanelView {
 public:
  virtual ~PanelView() = default;
  // The path field: setting its text reports the change synchronously (OnPathChanged).
  virtual void SetPathText(const std::wstring& text) = 0;
  virtual std::wstring PathText() const = 0;
  virtual void SetResolution(const std::wstring& text) = 0;
  virtual void SetSizeSelection(int mode) = 0;
  virtual int SizeSelection() const = 0;
  virtual void SetSliderPos(int slider, int value) = 0;  // clamped into 0..100 by the slider
  virtual int SliderPos(int slider) const = 0;
  virtual void ShowMutePicture(bool muted) = 0;
  virtual void SetVolumeText(const std::wstring& text) = 0;  // the panel's own write
  // Enables or disables the slider and hides or shows its hint (for the volume slider also
  // the mute button and the volume edit).
  virtual void ShowSliderOrHint(int slider, bool available) = 0;
  virtual void SetSizeHint(unsigned stringId) = 0;
  virtual void EnableRemove(bool enabled) = 0;
  virtual bool RemoveHasFocus() const = 0;
  virtual void FocusBrowse() = 0;
  // Tells the page that the path changed (it spreads it in display option 2).
  virtual void NotifyPathChanged() = 0;
  // The system's file picker: a video file's full path, or nothing when cancelled.
  virtual std::optional<std::wstring> PickVideoFile() = 0;
  // The resolution text's strings: "Multiple Resolutions", "%dx%d pixels".
  virtual std::wstring Text(unsigned stringId) const = 0;
};

class MonitorPanel {
 public:
  explicit MonitorPanel(PanelView& view) : view_(view) {}

  bool entryMode = false;
  bool shownMuted = false;
  int restoreVolume = 50;
  bool binding = false;

  // Initial state of the controls (no monitor bound yet).
  void Initialise();
  void BindMonitor(CMonitor* monitor);
  CMonitor* Bound() const { return monitor_; }
  void RefreshFromMonitor();
  void RefreshMute(bool onlyIfChanged);
  void UpdateSizeHints();
  void UpdateVolumeText();
  void ShowSliderOrHint(int slider, bool available) { view_.ShowSliderOrHint(slider, available); }

  // What the user does.
  void OnPathChanged();
  void OnBrowse();
  void OnRemove();
  void OnSizeChosen(int mode);
  void OnSliderMoving(int slider);
  void OnSliderChanged(int slider);
  void OnMuteClicked();
  void OnVolumeTyped(const std::wstring& text);

 private:
  void WriteSetting(const wchar_t* name);
  void SetVolumeAvailability();
  // The volume slider's value as the monitor's volume and mute, and on its window.
  void ApplyVolumeFromSlider(int value);
  void SetMuted(bool muted);

  PanelView& view_;
  CMonitor* monitor_ = nullptr;
};

}  // namespace app
