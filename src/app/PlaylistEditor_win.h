// The playlist's entry editor (dialog 166): a page that stands in for the playlist page while
// one row of an entry is edited. It embeds the video page or the music page in entry mode,
// with "Cancel" and "Apply and Go Back to Playlist"; the main window shows it and takes it
// away again.
#pragma once
#include <memory>
#include <string>

#include "app/MusicDlg_win.h"
#include "app/PageDlg_win.h"
#include "app/VideoDlg_win.h"
#include "ui/CCustButton_win.h"

struct AppFlags;

class CPlaylistAddEntryDlg : public CPageDlg {
 public:
  // What is edited: an entry (its key and the number it shows) and one of its rows.
  struct Target {
    int key = 0;
    int position = 0;
    bool music = false;
    std::wstring section;  // the row's section (a music row's own, which may be another entry's)
    int monitor = -1;      // a video row's monitor in the monitor list, -1 for the one across all
  };

  // The host, the store, the flags and the background music page outlive the editor.
  CPlaylistAddEntryDlg(CWallpaperHost& host, settings::SettingsStore& store, const AppFlags& flags, CMusicDlg& music);
  ~CPlaylistAddEntryDlg() override;

  // Embeds the page for the row (the one embedded before goes first). The music row pauses the
  // background music while it plays.
  void Open(const Target& target);
  // The embedded page goes: the monitors have their own records again and the background music
  // this editor paused plays again. Nothing is stored.
  void Close();
  bool IsOpen() const { return video_ || music_; }
  const Target& Edited() const { return target_; }
  // The embedded video page, while there is one.
  CVideoDlg* VideoPage() const { return video_.get(); }

 protected:
  BOOL OnInitDialog() override;
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Apply: the embedded page's values written into the entry.
  void StoreEntry();

  CWallpaperHost& host_;
  settings::SettingsStore& store_;
  const AppFlags& flags_;
  CMusicDlg& backgroundMusic_;
  Target target_;
  std::unique_ptr<CVideoDlg> video_;
  std::unique_ptr<CMusicDlg> music_;
  bool musicPausedByEditor_ = false;
  CCustButton cancelButton_, applyButton_;
};
