// Quick Start's rules.
#include "app/QuickStartPage.h"

#include <cwctype>

#include "base/Log.h"
#include "base/ResourceIds.h"
#include "base/VolumeText.h"

namespace app {

namespace {
constexpr uint64_t kPeriods[kQuickStartIntervalCount] = {30000, 300000, 1800000, 3600000, 10800000, 21600000, 86400000};
constexpr uint64_t kEmptyFolderScanMs = 5000;
int Clamp100(int value) { return value < 0 ? 0 : value > 100 ? 100 : value; }

bool HasExtension(const std::wstring& name, const wchar_t* extension) {
  const size_t length = wcslen(extension);
  if (name.size() <= length) return false;
  for (size_t i = 0; i < length; ++i)
    if (std::towlower(name[name.size() - length + i]) != static_cast<wint_t>(extension[i])) return false;
  return true;
}

void ApplyMonitorVolume(CMonitor& m) {
  if (m.videoWnd) m.videoWnd->ApplyVolume(m.settings.Mute ? 0.0f : static_cast<float>(m.settings.Volume) / 100.0f);
}
}  // namespace

uint64_t QuickStartPeriodMs(int row) {
  return row >= 0 && row < kQuickStartIntervalCount ? kPeriods[row] : kPeriods[0];
}

std::vector<std::wstring> ScanVideos(FolderLister& lister, const std::wstring& folder) {
  std::vector<FolderEntry> entries = lister.List(folder);
  std::vector<std::wstring> videos;
  for (const wchar_t* extension : {L".mp4", L".avi"})
    for (const FolderEntry& entry : entries)
      if (!entry.directory && HasExtension(entry.name, extension)) videos.push_back(entry.name);
  return videos;
}

QuickStartPage::QuickStartPage(QuickStartView& view, settings::SettingsStore& store, engine::Wallpapers& wallpapers,
                               FolderLister& lister, QuickStartTarget& target)
    : view_(view), store_(store), wallpapers_(wallpapers), lister_(lister), target_(target) {}

std::wstring QuickStartPage::WithSlash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

void QuickStartPage::Initialise() {
  view_.SetIntervalRow(0);
  int row = store_.GetProfileInt(L"QuickStart", L"ChangeTime", 0);
  view_.SetIntervalRow(row < 0 || row >= kQuickStartIntervalCount ? 0 : row);
  restoreVolume = store_.GetProfileInt(L"QuickStart", L"Volume", 50);
  muted = store_.GetProfileInt(L"QuickStart", L"Mute", 0) != 0;
  view_.SetSliderPos(muted ? 0 : Clamp100(restoreVolume));
  view_.ShowMutePicture(muted);
  UpdateVolumeText();
  view_.SetSwitch(store_.GetProfileInt(L"QuickStart", L"Active", 0) != 0);
  std::wstring folder = store_.GetProfileString(L"QuickStart", L"Path");
  view_.SetFolderText(folder);
  if (folder.empty()) OnFolderChanged();  // an empty field reports no change of its own
}

void QuickStartPage::ShowCount(int count) {
  std::wstring text = view_.Text(count == 1 ? IDS_QUICK_START_ONE_VIDEO : IDS_QUICK_START_VIDEOS);
  size_t at = text.find(L"%d");
  if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(count));
  view_.SetCountText(text);
  LogMessage(Info, "Quick Start: Detected %d files", count);
}

void QuickStartPage::Start() {
  std::wstring folder = view_.FolderText();
  if (folder.empty()) return;
  folder = WithSlash(folder);
  std::vector<std::wstring> files = ScanVideos(lister_, folder);
  ShowCount(static_cast<int>(files.size()));
  if (files.empty()) {
    Watch();
    return;
  }
  deadline = target_.Now() + QuickStartPeriodMs(view_.IntervalRow());
  ApplyRandomVideos(folder, files);
  timerRunning = true;
}

void QuickStartPage::Watch() {
  timerRunning = true;
  nextEmptyScan_ = target_.Now() + kEmptyFolderScanMs;
}

void QuickStartPage::ApplyRandomVideos(const std::wstring& folder, const std::vector<std::wstring>& files) {
  const int n = static_cast<int>(files.size());
  const bool trayMuted = target_.TrayMuted();
  for (auto& monitor : wallpapers_.Monitors()) {
    CMonitor& m = *monitor;
    const int k = picks_.Next() % n;
    if (!applied) {
      // The first application gives every monitor Quick Start's volume and Cover. While muted
      // the slider stands at 0: the remembered volume is the one given, so unmuting is heard.
      m.autoMuted = false;
      m.settings.Volume = muted ? Clamp100(restoreVolume) : view_.SliderPos();
      m.settings.Mute = m.settings.Volume == 0;
      ApplyMonitorVolume(m);
      m.SetVideoSize(WallpaperSettings::Cover);
      const bool wanted = trayMuted || muted;
      if (wanted != m.settings.Mute) {
        if (wanted) m.autoMuted = false;
        m.settings.Mute = wanted;
        ApplyMonitorVolume(m);
      }
    } else if (trayMuted && !m.settings.Mute) {
      m.autoMuted = false;
      m.settings.Mute = true;
      ApplyMonitorVolume(m);
    } else if (!trayMuted && m.autoMuted && !m.settings.Mute) {
      m.settings.Mute = true;
      ApplyMonitorVolume(m);
    }
    m.SetPath((folder + files[k]).c_str(), false);
  }
  target_.ShowEachMonitor();
  applied = true;
}

void QuickStartPage::Stop() {
  timerRunning = false;
  if (!applied) return;
  applied = false;
  for (auto& m : wallpapers_.Monitors()) m->SetPath(L"", true);
  target_.ShowEachMonitor();
}

void QuickStartPage::SwitchOffByProgram() {
  view_.SetSwitch(false);
  // Stored too: the next start must not show Quick Start on with nothing running.
  store_.WriteProfileInt(L"QuickStart", L"Active", 0);
}

void QuickStartPage::OnTimer() {
  if (target_.Held() || !view_.SwitchOn()) return;
  const uint64_t now = target_.Now();
  if (!applied) {
    // An empty folder: videos copied into it later start Quick Start.
    if (now < nextEmptyScan_) return;
    nextEmptyScan_ = now + kEmptyFolderScanMs;
    std::wstring folder = view_.FolderText();
    if (!folder.empty() && !ScanVideos(lister_, WithSlash(folder)).empty()) Start();
    return;
  }
  if (now < deadline) return;
  deadline = now + QuickStartPeriodMs(view_.IntervalRow());
  if (!view_.FolderText().empty()) {
    Start();
  } else {
    SwitchOffByProgram();
    Stop();
  }
}

void QuickStartPage::OnFolderChanged() {
  if (suppress_) return;
  std::wstring folder = view_.FolderText();
  if (!folder.empty()) {
    view_.EnableRemove(true);
    const int count = static_cast<int>(ScanVideos(lister_, WithSlash(folder)).size());
    ShowCount(count);
    if (view_.SwitchOn()) {
      if (count == 0) {
        Stop();
        Watch();
      } else {
        Start();
      }
    }
  } else {
    view_.SetCountText(L"");
    if (view_.RemoveHasFocus()) view_.FocusBrowse();
    view_.EnableRemove(false);
    if (view_.SwitchOn()) SwitchOffByProgram();
    Stop();
  }
  store_.WriteProfileString(L"QuickStart", L"Path", folder.c_str());
}

void QuickStartPage::OnIntervalChosen() {
  const int row = view_.IntervalRow();
  store_.WriteProfileInt(L"QuickStart", L"ChangeTime", row);
  const uint64_t period = QuickStartPeriodMs(row);
  deadline = target_.Now() + period;
  LogMessage(Info, "Quick Start: Set Change time %d (%lu ms)", row, static_cast<unsigned long>(period));
}

void QuickStartPage::OnSwitchClicked() {
  const bool on = view_.SwitchOn();
  LogMessage(Info, "Quick Start: Set Activate %d", on ? 1 : 0);
  if (on) {
    if (!view_.FolderText().empty()) {
      Start();
    } else {
      view_.SetSwitch(false);
      Stop();
      LogMessage(Info, "Quick Start: Path is empty. Activate reset to 0");
      view_.ShowNoFolderMessage();
    }
  } else {
    Stop();
  }
  store_.WriteProfileInt(L"QuickStart", L"Active", view_.SwitchOn() ? 1 : 0);
}

void QuickStartPage::UpdateVolumeText() { view_.SetVolumeText(std::to_wstring(view_.SliderPos())); }

void QuickStartPage::OnSliderMoving() {
  const int value = view_.SliderPos();
  if (muted != (value == 0)) {
    muted = value == 0;
    view_.ShowMutePicture(muted);
  }
  if (view_.SwitchOn()) wallpapers_.SetVolumeAll(value);
  UpdateVolumeText();
}

void QuickStartPage::OnSliderChanged() {
  restoreVolume = view_.SliderPos();
  store_.WriteProfileInt(L"QuickStart", L"Volume", restoreVolume);
  store_.WriteProfileInt(L"QuickStart", L"Mute", muted ? 1 : 0);
}

void QuickStartPage::OnVolumeTyped(const std::wstring& text) {
  base::TypedVolume typed = base::ParseTypedVolume(text);
  if (typed.replacement) view_.SetVolumeText(*typed.replacement);
  if (typed.value == view_.SliderPos()) return;
  view_.SetSliderPos(typed.value);
  // As a slide and its release: a typed 0 mutes, and the mute is stored with the volume.
  OnSliderMoving();
  OnSliderChanged();
}

void QuickStartPage::OnMuteClicked() {
  muted = !muted;
  if (muted) {
    restoreVolume = view_.SliderPos();
    view_.SetSliderPos(0);
  } else {
    view_.SetSliderPos(Clamp100(restoreVolume));
  }
  view_.ShowMutePicture(muted);
  UpdateVolumeText();
  store_.WriteProfileInt(L"QuickStart", L"Mute", muted ? 1 : 0);
  if (view_.SwitchOn()) wallpapers_.MuteAll(muted, false);
}

void QuickStartPage::SetMuted(bool mute, bool automatic) {
  if (mute == muted) return;
  if (mute) {
    view_.SetSliderPos(0);
    muted = true;
  } else if (!(automatic && target_.MusicOnly())) {
    view_.SetSliderPos(Clamp100(restoreVolume));
    muted = restoreVolume == 0;
  }
  view_.ShowMutePicture(muted);
  UpdateVolumeText();
}

void QuickStartPage::SetMasterVolume(int volume) {
  volume = Clamp100(volume);
  restoreVolume = volume;
  muted = volume == 0;
  view_.SetSliderPos(volume);
  view_.ShowMutePicture(muted);
  UpdateVolumeText();
}

void QuickStartPage::Reset() {
  LogMessage(Info, "Quick Start: Reset");
  suppress_ = true;
  view_.SetFolderText(L"");
  view_.SetCountText(L"");
  view_.EnableRemove(false);
  muted = false;
  restoreVolume = 50;
  view_.SetSliderPos(50);
  view_.ShowMutePicture(false);
  view_.SetIntervalRow(0);
  view_.SetSwitch(false);
  UpdateVolumeText();
  suppress_ = false;
  // Nothing runs after a reset: the next switch-on applies volume and Cover afresh.
  timerRunning = false;
  applied = false;
}

}  // namespace app
