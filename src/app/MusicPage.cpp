// The music page's rules.
#include "app/MusicPage.h"

#include "base/Log.h"
#include "base/VolumeText.h"

namespace app {

namespace {
int Clamp100(int value) { return value < 0 ? 0 : value > 100 ? 100 : value; }
}  // namespace

MusicPage::MusicPage(MusicView& view, settings::SettingsStore& store, std::wstring section, int entryNumber)
    : view_(view), store_(store), section_(section.empty() ? L"Music" : std::move(section)), entryNumber_(entryNumber) {}

void MusicPage::Initialise() {
  view_.EnableRemove(false);
  view_.ShowMutePicture(false);
  view_.SetSliderPos(Clamp100(restoreVolume));
  UpdateVolumeText();
  autoMuted = false;
  LoadMusicSection(section_);
}

void MusicPage::LoadMusicSection(const std::wstring& section) {
  view_.SetPathText(store_.GetProfileString(section, L"Path"));
  restoreVolume = store_.GetProfileInt(section, L"Volume", 50);
  if (autoMuted) return;  // the detector's mute stays in force
  muted = store_.GetProfileInt(section, L"Mute", 0) != 0;
  view_.ShowMutePicture(muted);
  view_.SetSliderPos(muted ? 0 : Clamp100(restoreVolume));
  UpdateVolumeText();
  view_.SetMuteVideo(store_.GetProfileInt(section, L"MuteVideo", 0) != 0);
  ApplySliderVolume();
  ReportMusicOnly();
}

void MusicPage::PauseMusic(bool pause) {
  const bool wasHeld = pauseHold_;
  pauseHold_ = pause;
  if (!player_) return;
  if (pause && player_->State() == MusicState::Started) {
    LogMessage(Info, "Pause");
    player_->Pause();
  } else if (!pause && !editorHold_) {
    PlayAgain(wasHeld);
  }
}

void MusicPage::PlayAgain(bool mayHaveEnded) {
  if (player_->State() == MusicState::Paused) {
    LogMessage(Info, "Resume");
    player_->Resume();
  } else if (mayHaveEnded && player_->State() == MusicState::Stopped) {
    player_->Play();  // it ended while held
  }
}

void MusicPage::MuteMusic(bool mute, bool automatic) {
  if (mute == muted) return;
  int level = 0;
  if (mute) {
    autoMuted = automatic;
  } else {
    if (automatic && !autoMuted) return;  // a mute the user made stays
    level = restoreVolume;
  }
  muted = level == 0;
  view_.SetSliderPos(Clamp100(level));
  UpdateVolumeText();
  view_.ShowMutePicture(muted);
  ApplySliderVolume();
}

bool MusicPage::IsMusicOnly() const {
  if (view_.PathText().empty() || !view_.MuteVideo() || !player_) return false;
  MusicState state = player_->State();
  return state != MusicState::Closed && state != MusicState::Stopped;
}

void MusicPage::UpdateVolumeText() { view_.SetVolumeText(std::to_wstring(view_.SliderPos())); }

void MusicPage::SetMasterVolume(int volume) {
  SetMuted(volume == 0);
  restoreVolume = volume;
  view_.SetSliderPos(Clamp100(volume));
  UpdateVolumeText();
  ApplySliderVolume();
}

void MusicPage::StoreEntry(const std::wstring& section) const {
  store_.WriteProfileString(section, L"Path", view_.PathText().c_str());
  store_.WriteProfileInt(section, L"Volume", muted ? Clamp100(restoreVolume) : view_.SliderPos());
  store_.WriteProfileInt(section, L"Mute", muted && !autoMuted ? 1 : 0);
  store_.WriteProfileInt(section, L"MuteVideo", view_.MuteVideo() ? 1 : 0);
}

bool MusicPage::PauseForEditor() {
  if (!player_ || pauseHold_) return false;  // a pause made elsewhere is not the editor's
  MusicState state = player_->State();
  if (state == MusicState::Started) {
    LogMessage(Info, "Pause");
    player_->Pause();
  } else if (state != MusicState::OpenPending && state != MusicState::Stopped) {
    return false;
  }
  editorHold_ = true;
  return true;
}

void MusicPage::ResumeAfterEditor() {
  if (!editorHold_) return;
  editorHold_ = false;
  if (player_ && !pauseHold_) PlayAgain(true);
}

void MusicPage::Clear() { view_.SetPathText(L""); }

void MusicPage::Reset() {
  LogMessage(Info, "Add Music: Reset");
  view_.SetPathText(L"");
  view_.SetMuteVideo(false);
  muted = false;
  autoMuted = false;
  restoreVolume = 50;
  view_.SetSliderPos(50);
  UpdateVolumeText();
  view_.ShowMutePicture(false);
  ApplySliderVolume();
  ReportMusicOnly();
}

void MusicPage::OnPathChanged() {
  std::wstring path = view_.PathText();
  if (!path.empty()) {
    view_.EnableRemove(true);
    if (player_) {
      int32_t code = player_->Open(path);
      if (code < 0) view_.ShowOpenFailed(path, code);
    }
  } else {
    if (view_.RemoveHasFocus()) view_.FocusBrowse();
    view_.EnableRemove(false);
    if (player_) player_->Close();
  }
  if (!EntryMode()) store_.WriteProfileString(section_, L"Path", path.c_str());
  ReportMusicOnly();
}

void MusicPage::OnBrowse() {
  if (std::optional<std::wstring> path = view_.PickMusicFile()) view_.SetPathText(*path);
}

void MusicPage::OnRemove() { view_.SetPathText(L""); }

void MusicPage::OnSliderMoving() {
  int value = view_.SliderPos();
  autoMuted = false;
  SetMuted(value == 0);
  UpdateVolumeText();
  ApplySliderVolume();
}

void MusicPage::OnSliderChanged() {
  // A keyboard move reports only its end: apply it as a drag would have, then store it.
  OnSliderMoving();
  restoreVolume = view_.SliderPos();
  Write(L"Volume", restoreVolume);
  Write(L"Mute", muted ? 1 : 0);
}

void MusicPage::OnMuteClicked() {
  autoMuted = false;
  muted = !muted;
  if (muted) {
    restoreVolume = view_.SliderPos();
    view_.SetSliderPos(0);
  } else {
    view_.SetSliderPos(Clamp100(restoreVolume));
  }
  UpdateVolumeText();
  view_.ShowMutePicture(muted);
  Write(L"Mute", muted ? 1 : 0);
  ApplySliderVolume();
}

void MusicPage::OnVolumeTyped(const std::wstring& text) {
  base::TypedVolume typed = base::ParseTypedVolume(text);
  if (typed.replacement) view_.SetVolumeText(*typed.replacement);
  if (typed.value == view_.SliderPos()) return;
  view_.SetSliderPos(Clamp100(typed.value));
  autoMuted = false;
  SetMuted(typed.value == 0);
  Write(L"Volume", typed.value);
  ApplySliderVolume();
}

void MusicPage::OnMuteVideoClicked() {
  bool on = view_.MuteVideo();
  LogMessage(Info, "Add Music: Set Mute all music/sound %d", on ? 1 : 0);
  if (EntryMode()) return;
  Write(L"MuteVideo", on ? 1 : 0);
  if (player_) {
    reportedMusicOnly_ = IsMusicOnly();
    view_.NotifyMusicMutesVideos(*reportedMusicOnly_);
  }
}

void MusicPage::OnSessionStarted(bool pauseAndMuteAll) {
  if (!player_) return;
  if (pauseAndMuteAll || pauseHold_ || editorHold_) {
    if (player_->State() == MusicState::Started) {
      LogMessage(Info, "Pause");
      player_->Pause();
    }
  } else {
    ApplySliderVolume();
  }
  ReportMusicOnly();
}

void MusicPage::OnSessionEnded(bool rotationMovedOn) {
  if (!player_ || pauseHold_ || editorHold_) return;  // held: no new loop
  MusicState state = player_->State();
  if (rotationMovedOn && (state == MusicState::OpenPending || state == MusicState::Started)) return;
  player_->Play();  // the music loops
}

void MusicPage::ApplySliderVolume() {
  if (player_) player_->SetVolume(static_cast<float>(view_.SliderPos()) / 100.0f);
}

void MusicPage::SetMuted(bool value) {
  if (muted == value) return;
  muted = value;
  view_.ShowMutePicture(muted);
}

void MusicPage::Write(const wchar_t* name, int value) {
  if (!EntryMode()) store_.WriteProfileInt(section_, name, value);
}

void MusicPage::ReportMusicOnly() {
  bool now = IsMusicOnly();
  if (reportedMusicOnly_ == now) return;
  reportedMusicOnly_ = now;
  view_.NotifyMusicOnly(now);
}

}  // namespace app
