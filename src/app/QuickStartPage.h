// Quick Start's rules: a folder of mp4 and avi videos applied to the monitors in random order
// and changed on an interval; the folder scan, the picks, the first and later applications,
// the switch, the volume and mute, what is written when, and the reset. Portable: the page's
// controls are reached through QuickStartView, the folder through FolderLister, and the rest
// of the program through QuickStartTarget; the clock is passed in.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Wallpapers.h"
#include "settings/SettingsStore.h"

namespace app {

// The change intervals of the page's list, in its order.
inline constexpr int kQuickStartIntervalCount = 7;
uint64_t QuickStartPeriodMs(int row);  // 30 s for a row outside the list

// The C library's rand() as Windows' runtime has it: its state starts at 1 with the process and
// is never seeded, so the same folder gives the same picks at every run.
class RandomPicks {
 public:
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t state_ = 1;
};

struct FolderEntry {
  std::wstring name;
  bool directory = false;
};

class FolderLister {
 public:
  virtual ~FolderLister() = default;
  // Every entry of the folder (not of its subfolders), in the platform's order; none when the
  // folder cannot be read.
  virtual std::vector<FolderEntry> List(const std::wstring& folder) = 0;
};

// The videos of a folder: the files named *.mp4 in the listing's order, then the *.avi ones
// (extensions in any case; folders named like videos are not videos). folder ends with "\".
std::vector<std::wstring> ScanVideos(FolderLister& lister, const std::wstring& folder);

class QuickStartView {
 public:
  virtual ~QuickStartView() = default;
  // The folder field: setting its text reports a change synchronously (OnFolderChanged).
  virtual void SetFolderText(const std::wstring& text) = 0;
  virtual std::wstring FolderText() const = 0;
  virtual void EnableRemove(bool enabled) = 0;
  virtual bool RemoveHasFocus() const = 0;
  virtual void FocusBrowse() = 0;
  virtual void SetCountText(const std::wstring& text) = 0;
  virtual void SetIntervalRow(int row) = 0;
  virtual int IntervalRow() const = 0;  // -1: none
  virtual void SetSwitch(bool on) = 0;
  virtual bool SwitchOn() const = 0;
  virtual void SetSliderPos(int value) = 0;  // clamped into 0..100 by the slider
  virtual int SliderPos() const = 0;
  virtual void ShowMutePicture(bool muted) = 0;
  virtual void SetVolumeText(const std::wstring& text) = 0;  // the page's own write
  virtual std::optional<std::wstring> PickFolder() = 0;
  // Message 195: a folder must be chosen before Quick Start can be switched on.
  virtual void ShowNoFolderMessage() = 0;
  virtual std::wstring Text(unsigned stringId) const = 0;
};

// What Quick Start asks of the rest of the program.
class QuickStartTarget {
 public:
  virtual ~QuickStartTarget() = default;
  // The program-wide pause and mute of everything, or the tray's pause, is in force.
  virtual bool Held() const = 0;
  virtual bool TrayMuted() const = 0;
  // Only the music is heard (the music page's option, while its music plays).
  virtual bool MusicOnly() const = 0;
  // The video page shows option 0 (a wallpaper per monitor) and makes its windows.
  virtual void ShowEachMonitor() = 0;
  // Milliseconds of a steady clock.
  virtual uint64_t Now() const = 0;
};

class QuickStartPage {
 public:
  QuickStartPage(QuickStartView& view, settings::SettingsStore& store, engine::Wallpapers& wallpapers,
                 FolderLister& lister, QuickStartTarget& target);

  bool muted = false;
  int restoreVolume = 50;
  bool applied = false;     // the videos were applied since the switch went on
  bool timerRunning = false;
  uint64_t deadline = 0;

  // The controls' first state from the store; the folder, set last, starts Quick Start when
  // the switch is on.
  void Initialise();
  // The one-second tick while timerRunning.
  void OnTimer();
  // The timer stops; the wallpapers Quick Start set are taken off the monitors.
  void Stop();
  // The program's mutes (the tray's, the music's option, the quick controls', the detector's).
  void SetMuted(bool mute, bool automatic);
  // The quick controls' master volume: shown, nothing written.
  void SetMasterVolume(int volume);
  // Remove All: the folder emptied (Quick Start stops).
  void Clear() { view_.SetFolderText(L""); }
  // The factory reset: the controls back to their defaults, Quick Start stopped (the store is
  // erased by the reset itself).
  void Reset();

  // What the user does.
  void OnFolderChanged();
  void OnBrowse() {
    if (std::optional<std::wstring> folder = view_.PickFolder()) view_.SetFolderText(*folder);
  }
  void OnRemove() { view_.SetFolderText(L""); }
  void OnIntervalChosen();
  void OnSwitchClicked();
  void OnSliderMoving();
  void OnSliderChanged();
  void OnVolumeTyped(const std::wstring& text);
  void OnMuteClicked();

 private:
  void Start();
  // An empty folder is watched while the switch is on: Quick Start begins once videos come.
  void Watch();
  void ShowCount(int count);
  void ApplyRandomVideos(const std::wstring& folder, const std::vector<std::wstring>& files);
  void SwitchOffByProgram();
  void UpdateVolumeText();
  static std::wstring WithSlash(std::wstring folder);

  QuickStartView& view_;
  settings::SettingsStore& store_;
  engine::Wallpapers& wallpapers_;
  FolderLister& lister_;
  QuickStartTarget& target_;
  RandomPicks picks_;
  bool suppress_ = false;  // the reset's own change of the folder does nothing
  uint64_t nextEmptyScan_ = 0;
};

}  // namespace app
