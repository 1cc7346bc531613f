// The music page's rules ("Add Music", and the same page for one playlist entry in entry mode):
// the background music's path, volume, mute and the option that only the music is heard; what
// is applied to the music player and what is written to the settings when. Portable: the
// dialog's controls are reached through MusicView and the player through MusicPlayer.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "settings/SettingsStore.h"

namespace app {

// The music player's states as the rules need them.
enum class MusicState { Closed, Ready, OpenPending, Started, Paused, Stopped, Closing };

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual int32_t Open(const std::wstring& path) = 0;  // an HRESULT
  virtual void Close() = 0;
  virtual void SetVolume(float level) = 0;  // 0..1
  virtual MusicState State() const = 0;
  virtual bool Pause() = 0;   // true when it paused
  virtual bool Resume() = 0;  // true when it resumed
  virtual void Play() = 0;    // from the beginning
};

class MusicView {
 public:
  virtual ~MusicView() = default;
  // The path field: setting its text reports a change synchronously (OnPathChanged).
  virtual void SetPathText(const std::wstring& text) = 0;
  virtual std::wstring PathText() const = 0;
  virtual void EnableRemove(bool enabled) = 0;
  virtual bool RemoveHasFocus() const = 0;
  virtual void FocusBrowse() = 0;
  virtual void SetSliderPos(int value) = 0;  // clamped into 0..100 by the slider
  virtual int SliderPos() const = 0;
  virtual void ShowMutePicture(bool muted) = 0;
  virtual void SetVolumeText(const std::wstring& text) = 0;  // the page's own write
  virtual void SetMuteVideo(bool checked) = 0;
  virtual bool MuteVideo() const = 0;
  // The system's file picker: a music file's full path, or nothing when cancelled.
  virtual std::optional<std::wstring> PickMusicFile() = 0;
  // "Failed to open file" with the path and the system's text for the code.
  virtual void ShowOpenFailed(const std::wstring& path, int32_t code) = 0;
  // The user switched the option: the main window mutes or unmutes the wallpapers.
  virtual void NotifyMusicMutesVideos(bool musicOnly) = 0;
  // Whether only the music is heard changed by itself (a file opened or closed, a session
  // started): the main window gives it to the playback policy.
  virtual void NotifyMusicOnly(bool musicOnly) = 0;
};

class MusicPage {
 public:
  // section: empty for the main page ("Music"); entryNumber 0 on the main page, else the
  // playlist entry's number (entry mode: nothing is written).
  MusicPage(MusicView& view, settings::SettingsStore& store, std::wstring section = L"", int entryNumber = 0);

  bool muted = false;
  bool autoMuted = false;
  int restoreVolume = 50;

  bool EntryMode() const { return entryNumber_ != 0; }
  const std::wstring& Section() const { return section_; }
  // The page's player, or none when it could not be created (every player call is skipped).
  void SetPlayer(MusicPlayer* player) { player_ = player; }

  // The controls' first state and the page's own section loaded.
  void Initialise();
  void LoadMusicSection(const std::wstring& section);
  void PauseMusic(bool pause);
  void MuteMusic(bool mute, bool automatic);
  bool IsMusicOnly() const;
  void UpdateVolumeText();
  // The quick controls' master volume: replaces the music's volume, writes nothing.
  void SetMasterVolume(int volume);
  // The entry editor's Apply: the page's music written to an entry's music section. While
  // muted the remembered volume is stored; a mute the program made (not the user) is not.
  void StoreEntry(const std::wstring& section) const;
  // The entry editor opens on a music row: music that plays is paused, and music between two
  // loops (or still opening) is held: it pauses as it starts and does not start again at its
  // end. True when the music is held for the editor; only then does ResumeAfterEditor play it
  // again (a pause made elsewhere, the tray's, stays).
  bool PauseForEditor();
  void ResumeAfterEditor();
  // Remove All: the path emptied (the music closes).
  void Clear();
  void Reset();

  // What the user does.
  void OnPathChanged();
  void OnBrowse();
  void OnRemove();
  void OnSliderMoving();
  void OnSliderChanged();
  void OnMuteClicked();
  void OnVolumeTyped(const std::wstring& text);
  void OnMuteVideoClicked();

  // The player's events. rotationMovedOn: the playlist moved on at the end of the track.
  void OnSessionStarted(bool pauseAndMuteAll);
  void OnSessionEnded(bool rotationMovedOn);

 private:
  void ApplySliderVolume();
  void SetMuted(bool value);
  void Write(const wchar_t* name, int value);
  void ReportMusicOnly();
  // A hold or pause is lifted: paused music resumes; music that ended while held starts again.
  void PlayAgain(bool mayHaveEnded);

  MusicView& view_;
  settings::SettingsStore& store_;
  std::wstring section_;
  int entryNumber_;
  MusicPlayer* player_ = nullptr;
  std::optional<bool> reportedMusicOnly_;
  // Held by a pause (the tray's, pause-all) or by the entry editor: paused as it starts, not
  // looped at its end; music between two loops when the pause comes is held all the same.
  bool pauseHold_ = false;
  bool editorHold_ = false;
};

}  // namespace app
