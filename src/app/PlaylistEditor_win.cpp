// The entry editor's page: the embedded entry-mode page, its buttons, what Apply stores and
// what the editor's closing gives back.
#include "app/PlaylistEditor_win.h"

#include "app/AppFlags.h"
#include "app/PageControls_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "engine/WallpaperHost_win.h"
#include "rotation/EntryWallpapers.h"
#include "rotation/Playlist.h"
#include "ui/Theme_win.h"

CPlaylistAddEntryDlg::CPlaylistAddEntryDlg(CWallpaperHost& host, settings::SettingsStore& store, const AppFlags& flags,
                                           CMusicDlg& music)
    : CPageDlg(IDD_PLAYLIST_EDITOR), host_(host), store_(store), flags_(flags), backgroundMusic_(music) {}

CPlaylistAddEntryDlg::~CPlaylistAddEntryDlg() = default;

BOOL CPlaylistAddEntryDlg::OnInitDialog() {
  cancelButton_.Attach(GetDlgItem(hwnd(), IDC_EDITOR_CANCEL));
  cancelButton_.backgroundColour = Theme()[ui::kColourStripBack];
  cancelButton_.fillColour = Theme()[ui::kColourSlate];
  cancelButton_.hoverFillColour = Theme()[ui::kColourSlateDark];
  applyButton_.Attach(GetDlgItem(hwnd(), IDC_EDITOR_APPLY));
  applyButton_.backgroundColour = Theme()[ui::kColourStripBack];
  return FALSE;
}

void CPlaylistAddEntryDlg::Open(const Target& target) {
  Close();
  target_ = target;
  if (target.music) {
    music_ = std::make_unique<CMusicDlg>(store_, target.section, target.position);
    if (!music_->Create(hwnd())) {
      music_.reset();
      return;
    }
    if (backgroundMusic_.hwnd()) musicPausedByEditor_ = backgroundMusic_.Rules().PauseForEditor();
  } else {
    // The row's monitor is the one the page shows first.
    if (target.monitor >= 0) host_.SetSelected(target.monitor);
    video_ = std::make_unique<CVideoDlg>(host_, store_, rotation::EntrySection(target.key) + L"\\Video", target.position);
    if (!video_->Create(hwnd())) {
      video_.reset();
      return;
    }
  }
  HWND page = video_ ? video_->hwnd() : music_->hwnd();
  RECT place = ControlRect(hwnd(), IDC_EDITOR_PLACE);
  SetWindowPos(page, GetDlgItem(hwnd(), IDC_EDITOR_PLACE), place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOACTIVATE);
  ShowWindow(page, SW_SHOW);
}

void CPlaylistAddEntryDlg::Close() {
  // The entry-mode video page loads the monitors' own records back as it goes.
  if (video_) video_->DestroyWindow();
  video_.reset();
  if (music_) music_->DestroyWindow();
  music_.reset();
  if (musicPausedByEditor_) {
    musicPausedByEditor_ = false;
    if (backgroundMusic_.hwnd()) backgroundMusic_.Rules().ResumeAfterEditor();
  }
}

void CPlaylistAddEntryDlg::StoreEntry() {
  if (flags_.uninstalling) return;
  if (video_)
    rotation::StoreEntryWallpapers(host_.Wallpapers(), store_, target_.key, video_->Rules().displayOption);
  if (music_) music_->Rules().StoreEntry(target_.section);
}

void CPlaylistAddEntryDlg::PaintPage(HDC dc, const RECT& client) {
  PaintBarPage(dc, client, ControlRect(hwnd(), IDC_EDITOR_PLACE).bottom);
}

INT_PTR CPlaylistAddEntryDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (LOWORD(wParam) == IDC_EDITOR_APPLY) {
        LogMessage(Info, "Playlist: Add Item - Apply click");
        StoreEntry();
        PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_PLAYLIST_ENTRY_APPLY, static_cast<WPARAM>(target_.key), 0);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_EDITOR_CANCEL) {
        LogMessage(Info, "Playlist: Add Item - Cancel click");
        PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_PLAYLIST_ENTRY_CANCEL, 0, 0);
        return TRUE;
      }
      break;
    case WM_DESTROY:
      Close();
      return FALSE;
  }
  return CPageDlg::HandleMessage(message, wParam, lParam);
}
