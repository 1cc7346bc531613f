// The playlist page ("Playlist", dialog 141): the music mode, the list of entries, the switch
// that runs the rotation, the change interval and "Add Playlist Entry". It owns the playlist
// and its rotation, ticking once a second while the rotation runs.
#pragma once
#include <memory>

#include "app/PageDlg_win.h"
#include "app/PlaylistList_win.h"
#include "rotation/Rotation.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CSwitch_win.h"

class CPlaylistDlg : public CPageDlg {
 public:
  // The target applies entries to the monitors, the video page and the music; the store and
  // the target outlive the page.
  CPlaylistDlg(settings::SettingsStore& store, rotation::RotationTarget& target);

  rotation::Playlist& Playlist() { return playlist_; }
  rotation::Rotation& Rotation() { return rotation_; }
  // The music track ended: true when the rotation moved on.
  bool OnMusicEnded();
  // The entry editor opens and closes: the tick stops and resumes (keeping its deadline).
  void Suspend();
  void Resume();
  // An entry was edited: its panel shows the stored paths again, an empty one may go.
  void EntryEdited(int key);
  // Remove All and the factory reset.
  void Reset();
  void UpdateAddButton();

 protected:
  BOOL OnInitDialog() override;
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SyncTimer();
  void RemoveEntry(int key);

  settings::SettingsStore& store_;
  rotation::Playlist playlist_;
  rotation::Rotation rotation_;
  CPlayListWnd list_;
  CPictureControl icon_;
  CCustComboBox modeBox_, changeBox_;
  CSwitch activeSwitch_;
  CCustButton addButton_;
  bool timer_ = false;
};
