// The main window (dialog 102): the header with its minimise and hide buttons, the monitor
// list, the task list switching the pages, the link to the vendor's site, the tray icon and
// its popup; the switchboard that passes the application messages on to the pages and the
// wallpapers; hiding to the tray, a second start's hand-over, display changes and a
// restarted desktop shell.
#pragma once
#include <array>

#include "app/AppFlags.h"
#include "app/MainRules.h"
#include "app/MusicDlg_win.h"
#include "app/PageDlg_win.h"
#include "app/PlaylistDlg_win.h"
#include "app/PlaylistEditor_win.h"
#include "app/QuickStartDlg_win.h"
#include "app/SettingsDlg_win.h"
#include "app/TrayPopup_win.h"
#include "app/Uninstall.h"
#include "app/VideoDlg_win.h"
#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/PlaybackPolicy.h"
#include "engine/WallpaperHost_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CTaskList_win.h"
#include "ui/PngImage_win.h"

namespace settings {
class SettingsStore;
}

class CMainDlg : public CDialog,
                 public app::Pages,
                 private rotation::RotationTarget,
                 private app::QuickStartTarget {
 public:
  // The store and the flags outlive the window.
  CMainDlg(settings::SettingsStore& store, AppFlags& flags);
  ~CMainDlg() override;

  bool startHidden = false;

  engine::PlaybackPolicy& Policy() { return policy_; }
  CWallpaperHost& Wallpapers() { return wallpapers_; }
  // Shows the page of the task list's selection and hides the others.
  void ShowTask();
  void RemoveAll();
  void FactoryReset();

  // app::Pages: what the switchboard asks of the pages that exist.
  void VideoSelectMonitor(int index) override;
  void VideoWallpaperEvent(unsigned eventType, void* wallpaperWindow) override;
  void VideoRefreshPanel() override;
  void VideoReset() override;
  void MusicPause(bool paused) override;
  void MusicMute(bool mute, bool automatic) override;
  bool MusicIsMusicOnly() const override;
  void MusicSetVolume(int volume) override;
  void MusicClear() override;
  void MusicReset() override;
  void QuickStartSetMuted(bool mute, bool automatic) override;
  void QuickStartSetVolume(int volume) override;
  void QuickStartClear() override;
  void QuickStartReset() override;
  void PlaylistsReset() override;
  void SettingsReset() override;
  void SetTrayState(bool paused, bool muted) override;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // rotation::RotationTarget: what a playlist entry does to the program.
  bool LoadEntryWallpapers(const rotation::PlaylistEntry& entry) override;
  void ApplyDisplayOption(int option) override;
  void LoadMusic(const std::wstring& section) override;
  bool MusicPlaying() const override;
  // (Also app::QuickStartTarget's: the pause of everything or the tray's pause.)
  bool Held() const override;
  // app::QuickStartTarget
  bool TrayMuted() const override { return flags_.wallpapersMuted; }
  bool MusicOnly() const override { return MusicIsMusicOnly(); }
  void ShowEachMonitor() override;
  uint64_t Now() const override;

  app::MainContext Context();
  void OpenApp();
  void AddTrayIcon();
  void RemoveTrayIcon();
  void OnTrayNotify(LPARAM lParam);
  bool OnCommand(WPARAM wParam);
  bool OnApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  void OnDestroy();
  // The page of a task (0 Quick Start .. 4 Settings).
  CPageDlg& Page(int task);
  // The video page the user works on: the entry editor's while it edits a video row.
  CVideoDlg* ActiveVideoPage();
  // The entry editor stands in for the playlist page while a row is edited; it goes whenever
  // another page is shown.
  void OpenEntryEditor(int key, int rowIndex);
  void CloseEntryEditor(bool exiting = false);
  void ShowPlaylistPage();

  settings::SettingsStore& store_;
  AppFlags& flags_;
  UniqueHicon largeIcon_;
  UniqueHicon smallIcon_;
  UniqueGdiObject background_;
  std::wstring title_;
  std::wstring webAddress_;
  int headerHeight_ = 0;
  PngImage headerLine_;
  PngImage headerIcon_;
  CCustButton minimiseButton_;
  CCustButton hideButton_;
  CCustButton linkButton_;
  CTaskList taskList_;
  engine::PlaybackPolicy policy_;
  CWallpaperHost wallpapers_;  // the monitors, their list and the wallpapers
  CTrayFrameDlg trayPopup_;
  // The pages in task order; each task shows an empty page until its page is built.
  CQuickStartDlg quickStartPage_;
  CVideoDlg videoPage_;
  CMusicDlg musicPage_;
  CPlaylistDlg playlistPage_;
  CSettingsDlg settingsPage_;
  CPlaylistAddEntryDlg entryEditor_;
  bool editorShown_ = false;
  bool trayIconAdded_ = false;
  app::Uninstaller uninstaller_;
  UINT taskbarCreated_ = 0;
};
