// The quick controls tab's rules.
#include "app/QuickControls.h"

#include <algorithm>

#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/VolumeText.h"

namespace app {

namespace {
constexpr wchar_t kSection[] = L"QuickControls";
int Clamp100(int value) { return std::clamp(value, 0, 100); }
}  // namespace

QuickControls::QuickControls(QuickControlsView& view, settings::SettingsStore& store,
                             std::function<void(unsigned message, int wParam)> post)
    : view_(view), store_(store), post_(std::move(post)) {}

void QuickControls::Initialise(bool pauseAndMuteAll) {
  view_.SetSwitch(pauseAndMuteAll);
  masterVolume = store_.GetProfileInt(kSection, L"Volume", 50);
  masterMuted = store_.GetProfileInt(kSection, L"Mute", 0) != 0;
  view_.ShowMutePicture(masterMuted);
  view_.SetSliderPos(masterMuted ? 0 : Clamp100(masterVolume));
  UpdateVolumeText();
}

void QuickControls::ShowMute(bool muted) {
  masterMuted = muted;
  view_.ShowMutePicture(muted);
}

void QuickControls::UpdateVolumeText() { view_.SetVolumeText(std::to_wstring(view_.SliderPos())); }

void QuickControls::OnSwitchClicked(bool on) {
  LogMessage(Info, "Quick Controls: Set Pause and mute all %d", on ? 1 : 0);
  post_(WM_APP_PAUSE_AND_MUTE_ALL, on ? 1 : 0);
}

void QuickControls::OnSliderMoving() {
  const int value = view_.SliderPos();
  if (value > 0 && masterMuted) ShowMute(false);
  if (value == 0 && !masterMuted) ShowMute(true);
  UpdateVolumeText();
  post_(WM_APP_MASTER_VOLUME, value);
}

void QuickControls::OnSliderChanged() {
  masterVolume = view_.SliderPos();
  store_.WriteProfileInt(kSection, L"Volume", masterVolume);
  store_.WriteProfileInt(kSection, L"Mute", masterMuted ? 1 : 0);
  LogMessage(Info, "Quick Controls: Set volume %d", masterVolume);
}

void QuickControls::OnMuteClicked() {
  masterMuted = !masterMuted;
  LogMessage(Info, "Quick Controls: Set mute %d", masterMuted ? 1 : 0);
  if (masterMuted) {
    masterVolume = view_.SliderPos();
    view_.SetSliderPos(0);
  } else {
    view_.SetSliderPos(Clamp100(masterVolume));
  }
  UpdateVolumeText();
  view_.ShowMutePicture(masterMuted);
  store_.WriteProfileInt(kSection, L"Mute", masterMuted ? 1 : 0);
  post_(WM_APP_MUTE_ALL, masterMuted ? 1 : 0);
}

void QuickControls::OnVolumeTyped(const std::wstring& text) {
  base::TypedVolume typed = base::ParseTypedVolume(text);
  if (typed.replacement) view_.SetVolumeText(*typed.replacement);
  if (typed.value == view_.SliderPos()) return;
  LogMessage(Info, "Quick Controls: Set volume %d", typed.value);
  view_.SetSliderPos(Clamp100(typed.value));
  if (typed.value > 0 && masterMuted) ShowMute(false);
  if (typed.value == 0 && !masterMuted) ShowMute(true);
  // The mute a typed value changes is stored with it.
  store_.WriteProfileInt(kSection, L"Volume", view_.SliderPos());
  store_.WriteProfileInt(kSection, L"Mute", masterMuted ? 1 : 0);
  post_(WM_APP_MASTER_VOLUME, typed.value);
}

void QuickControls::OnRemoveAll() {
  if (!view_.Confirm(IDS_CONFIRM_REMOVE_ALL)) return;
  LogMessage(Info, "Quick Controls: Remove All");
  post_(WM_APP_REMOVE_ALL, 0);
}

void QuickControls::OnFactoryReset() {
  if (!view_.Confirm(IDS_CONFIRM_FACTORY_RESET)) return;
  LogMessage(Info, "Quick Controls: Factory Reset");
  post_(WM_APP_FACTORY_RESET, 0);
}

void QuickControls::Reset() {
  masterMuted = false;
  masterVolume = 50;
  view_.SetSliderPos(50);
  UpdateVolumeText();
  view_.ShowMutePicture(false);
  view_.SetSwitch(false);
}

}  // namespace app
