// The monitor settings panel's rules.
#include "app/MonitorPanel.h"

#include "base/ResourceIds.h"
#include "base/Text.h"
#include "base/VolumeText.h"

namespace app {

namespace {
unsigned SizeHint(int mode) {
  switch (mode) {
    case WallpaperSettings::Cover: return IDS_HINT_COVER;
    case WallpaperSettings::Contain: return IDS_HINT_CONTAIN;
    case WallpaperSettings::Stretch: return IDS_HINT_STRETCH;
  }
  return 0;
}
int Clamp100(int value) { return value < 0 ? 0 : value > 100 ? 100 : value; }
}  // namespace

void MonitorPanel::Initialise() {
  view_.EnableRemove(false);
  for (int slider : {kSliderPosY, kSliderPosX, kSliderOverlay, kSliderVolume}) view_.SetSliderPos(slider, 50);
  view_.SetSliderPos(kSliderVolume, restoreVolume);
  UpdateVolumeText();
  view_.SetSizeSelection(WallpaperSettings::Cover);
  view_.SetSizeHint(IDS_HINT_COVER);
}

void MonitorPanel::BindMonitor(CMonitor* monitor) {
  if (!monitor) return;
  monitor_ = monitor;
  if (monitor->monitorRect.IsEmpty()) {
    view_.SetResolution(view_.Text(IDS_MULTIPLE_RESOLUTIONS));
  } else {
    int width = static_cast<int>(monitor->displayMode.width), height = static_cast<int>(monitor->displayMode.height);
    if (width == 0 || height == 0) {
      width = monitor->monitorRect.Width();
      height = monitor->monitorRect.Height();
    }
    std::wstring text = view_.Text(IDS_RESOLUTION);
    text = base::InsertNumber(base::InsertNumber(std::move(text), width), height);
    view_.SetResolution(text);
  }
  RefreshFromMonitor();
}

void MonitorPanel::RefreshFromMonitor() {
  if (!monitor_) return;
  binding = true;
  const WallpaperSettings& s = monitor_->settings;
  view_.SetPathText(s.Path);
  // Remove follows the path of whichever monitor is shown.
  view_.EnableRemove(!s.Path.empty());
  view_.SetSizeSelection(s.VideoSize);
  view_.SetSliderPos(kSliderPosY, Clamp100(s.PosY));
  view_.SetSliderPos(kSliderPosX, Clamp100(s.PosX));
  view_.SetSliderPos(kSliderOverlay, Clamp100(s.BlackOverlay));
  shownMuted = s.Mute;
  view_.ShowMutePicture(shownMuted);
  view_.SetSliderPos(kSliderVolume, shownMuted ? 0 : Clamp100(s.Volume));
  UpdateVolumeText();
  UpdateSizeHints();
  SetVolumeAvailability();
  binding = false;
}

void MonitorPanel::RefreshMute(bool onlyIfChanged) {
  if (!monitor_) return;
  if (onlyIfChanged && monitor_->settings.Mute == shownMuted) return;
  shownMuted = monitor_->settings.Mute;
  view_.ShowMutePicture(shownMuted);
  view_.SetSliderPos(kSliderVolume, shownMuted ? 0 : Clamp100(monitor_->settings.Volume));
  UpdateVolumeText();
  SetVolumeAvailability();
}

void MonitorPanel::SetVolumeAvailability() {
  const WallpaperWindow* window = monitor_ ? monitor_->videoWnd.get() : nullptr;
  bool available = !window || !window->HasWindow() || window->HasAudio();
  view_.ShowSliderOrHint(kSliderVolume, available);
}

void MonitorPanel::UpdateSizeHints() {
  int mode = view_.SizeSelection();
  unsigned hint = SizeHint(mode);
  if (!hint) return;
  view_.SetSizeHint(hint);
  bool cover = mode == WallpaperSettings::Cover;
  view_.ShowSliderOrHint(kSliderPosY, cover);
  view_.ShowSliderOrHint(kSliderPosX, cover);
}

void MonitorPanel::UpdateVolumeText() { view_.SetVolumeText(std::to_wstring(view_.SliderPos(kSliderVolume))); }

void MonitorPanel::WriteSetting(const wchar_t* name) {
  if (monitor_ && !entryMode) monitor_->WriteSetting(name);
}

void MonitorPanel::OnPathChanged() {
  if (binding || !monitor_) return;
  std::wstring path = view_.PathText();
  // Stored before the file is opened: an open that never comes back must not lose the choice.
  monitor_->settings.Path = path;
  WriteSetting(L"Path");
  if (!path.empty()) {
    view_.EnableRemove(true);
    monitor_->SetPath(path.c_str(), true);
  } else {
    if (view_.RemoveHasFocus()) view_.FocusBrowse();
    view_.EnableRemove(false);
    monitor_->SetPath(nullptr, true);
    UpdateSizeHints();
    view_.ShowSliderOrHint(kSliderVolume, true);
  }
  view_.NotifyPathChanged();
}

void MonitorPanel::OnBrowse() {
  if (!monitor_) return;
  if (std::optional<std::wstring> path = view_.PickVideoFile()) view_.SetPathText(*path);
}

void MonitorPanel::OnRemove() { view_.SetPathText(L""); }

void MonitorPanel::OnSizeChosen(int mode) {
  if (!monitor_ || mode < 0 || mode == monitor_->settings.VideoSize) return;
  UpdateSizeHints();
  if (monitor_->SetVideoSize(mode)) {
    std::wstring path = view_.PathText();
    monitor_->SetPath(path.c_str(), true);  // opened again: the page re-evaluates the sliders
  }
  WriteSetting(L"VideoSize");
}

void MonitorPanel::SetMuted(bool muted) {
  if (shownMuted == muted) return;
  shownMuted = muted;
  view_.ShowMutePicture(muted);
}

void MonitorPanel::ApplyVolumeFromSlider(int value) {
  SetMuted(value == 0);
  monitor_->autoMuted = false;
  monitor_->settings.Mute = shownMuted;
  monitor_->settings.Volume = value;
  if (monitor_->videoWnd) monitor_->videoWnd->ApplyVolume(shownMuted ? 0.0f : static_cast<float>(value) / 100.0f);
}

void MonitorPanel::OnSliderMoving(int slider) {
  if (!monitor_) return;
  int value = view_.SliderPos(slider);
  switch (slider) {
    case kSliderVolume:
      ApplyVolumeFromSlider(value);
      UpdateVolumeText();
      break;
    case kSliderPosY:
      monitor_->SetPosY(value);
      break;
    case kSliderPosX:
      monitor_->SetPosX(value);
      break;
    case kSliderOverlay:
      if (value != monitor_->settings.BlackOverlay) {
        monitor_->settings.BlackOverlay = value;
        if (monitor_->videoWnd) monitor_->videoWnd->ApplyOverlay(static_cast<float>(value) / 100.0f, value > 0);
      }
      break;
  }
}

void MonitorPanel::OnSliderChanged(int slider) {
  if (!monitor_) return;
  // A keyboard move reports only its end: apply it as a drag would have, then store it.
  OnSliderMoving(slider);
  switch (slider) {
    case kSliderVolume:
      restoreVolume = view_.SliderPos(kSliderVolume);
      WriteSetting(L"Volume");
      WriteSetting(L"Mute");
      break;
    case kSliderPosY:
      WriteSetting(L"PosY");
      break;
    case kSliderPosX:
      WriteSetting(L"PosX");
      break;
    case kSliderOverlay:
      WriteSetting(L"BlackOverlay");
      break;
  }
}

void MonitorPanel::OnMuteClicked() {
  if (!monitor_) return;
  bool muting = !shownMuted;
  if (muting) {
    int current = view_.SliderPos(kSliderVolume);
    if (current > 0) restoreVolume = current;
    view_.SetSliderPos(kSliderVolume, 0);
  } else {
    // The monitor kept its volume while muted; a monitor muted at 0 gets the panel's last one.
    int volume = monitor_->settings.Volume > 0 ? monitor_->settings.Volume : restoreVolume;
    view_.SetSliderPos(kSliderVolume, Clamp100(volume));
  }
  SetMuted(muting);
  UpdateVolumeText();
  monitor_->autoMuted = false;  // the user's mute, whatever muted it before
  monitor_->settings.Mute = shownMuted;
  if (!shownMuted) monitor_->settings.Volume = view_.SliderPos(kSliderVolume);
  if (monitor_->videoWnd)
    monitor_->videoWnd->ApplyVolume(shownMuted ? 0.0f : static_cast<float>(monitor_->settings.Volume) / 100.0f);
  WriteSetting(L"Mute");
  if (!shownMuted) WriteSetting(L"Volume");
}

void MonitorPanel::OnVolumeTyped(const std::wstring& text) {
  base::TypedVolume typed = base::ParseTypedVolume(text);
  if (typed.replacement) view_.SetVolumeText(*typed.replacement);
  if (!monitor_ || typed.value == view_.SliderPos(kSliderVolume)) return;
  view_.SetSliderPos(kSliderVolume, typed.value);
  ApplyVolumeFromSlider(typed.value);
  WriteSetting(L"Volume");
  WriteSetting(L"Mute");
}

}  // namespace app
