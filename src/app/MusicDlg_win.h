// The music page ("Add Music", dialog 140) and the owner of the background music: its player
// (no video) loops the music file beside the wallpapers. The rules are MusicPage's; this is its
// view and the player's adapter.
#pragma once
#include <functional>
#include <string>

#include "app/MusicPage.h"
#include "app/PageDlg_win.h"
#include "ui/CBitmapSlider_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustCheckBox_win.h"
#include "ui/CCustEdit_win.h"
#include "ui/CCustTextField_win.h"
#include "ui/CPictureControl_win.h"

class CPlayer;

class CMusicDlg : public CPageDlg, public app::MusicView, private app::MusicPlayer {
 public:
  // section: empty for the main page ("Music"); an entry's music section with its number in
  // entry mode. The store outlives the page.
  CMusicDlg(settings::SettingsStore& store, std::wstring section = L"", int entryNumber = 0);
  ~CMusicDlg() override;

  app::MusicPage& Rules() { return page_; }
  const app::MusicPage& Rules() const { return page_; }
  // The music is opening or playing.
  bool Playing() const {
    app::MusicState state = State();
    return state == app::MusicState::OpenPending || state == app::MusicState::Started;
  }
  // Asked when the session starts: the program-wide pause and mute of everything.
  std::function<bool()> pauseAndMuteAll;
  // Asked at the end of the track: whether the playlist moved on to its next entry.
  std::function<bool()> musicEnded;

  // app::MusicView
  void SetPathText(const std::wstring& text) override;
  std::wstring PathText() const override;
  void EnableRemove(bool enabled) override;
  bool RemoveHasFocus() const override;
  void FocusBrowse() override;
  void SetSliderPos(int value) override;
  int SliderPos() const override;
  void ShowMutePicture(bool muted) override;
  void SetVolumeText(const std::wstring& text) override;
  void SetMuteVideo(bool checked) override;
  bool MuteVideo() const override;
  std::optional<std::wstring> PickMusicFile() override;
  void ShowOpenFailed(const std::wstring& path, int32_t code) override;
  void NotifyMusicMutesVideos(bool musicOnly) override;
  void NotifyMusicOnly(bool musicOnly) override;

 protected:
  BOOL OnInitDialog() override;
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // app::MusicPlayer over the page's CPlayer.
  int32_t Open(const std::wstring& path) override;
  void Close() override;
  void SetVolume(float level) override;
  app::MusicState State() const override;
  bool Pause() override;
  bool Resume() override;
  void Play() override;

  void CreatePlayer();
  void OnPlayerEvent(WPARAM wParam, LPARAM lParam);

  app::MusicPage page_;
  CPlayer* player_ = nullptr;
  CPictureControl icon_;
  CCustTextField pathField_;
  CBrowseButton browseButton_;
  CCustButton removeButton_;
  CCustButton muteButton_;
  CBitmapSlider volumeSlider_;
  CCustEdit volumeEdit_;
  CCustCheckBox musicOnlyBox_;
  bool editGuard_ = false;
};
