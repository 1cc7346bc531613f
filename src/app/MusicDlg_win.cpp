// The music page's controls, colours, notifications and player.
#include "app/MusicDlg_win.h"

#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/Modal_win.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "base/Text.h"
#include "engine/Player_win.h"
#include "ui/Theme_win.h"

CMusicDlg::CMusicDlg(settings::SettingsStore& store, std::wstring section, int entryNumber)
    : CPageDlg(IDD_MUSIC), page_(*this, store, std::move(section), entryNumber) {}

CMusicDlg::~CMusicDlg() {
  if (player_) {
    player_->Shutdown();
    player_->Release();
  }
}

BOOL CMusicDlg::OnInitDialog() {
  const bool entry = page_.EntryMode();
  if (entry) {
    SetDlgItemTextW(hwnd(), IDC_MUSIC_TITLE, LoadResString(IDS_PLAYLIST_ENTRY).c_str());
    SetDlgItemTextW(hwnd(), IDC_MUSIC_SUBTITLE, LoadResString(IDS_MUSIC_ENTRY_SUBTITLE).c_str());
  }
  int picture = ScaleForWindow(hwnd(), 16);
  icon_.autoLoad = false;
  icon_.drawWidth = icon_.drawHeight = picture;
  icon_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_ICON));
  icon_.SetImage(entry ? IDP_TASK_PLAYLIST : IDP_TASK_MUSIC);

  RECT place = TakePlaceholder(hwnd(), IDC_MUSIC_PATH);
  pathField_.placeholder = LoadResString(IDS_MUSIC_PLACEHOLDER);
  pathField_.Create(hwnd(), IDC_MUSIC_PATH, place.left, place.top, place.right - place.left, place.bottom - place.top);
  SetWindowPos(pathField_.hwnd(), GetDlgItem(hwnd(), IDC_MUSIC_SUBTITLE), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  browseButton_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_BROWSE));
  browseButton_.backgroundColour = Theme()[ui::kColourStripBack];
  removeButton_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_REMOVE));
  removeButton_.backgroundColour = Theme()[ui::kColourStripBack];
  removeButton_.disabledTextColour = Theme()[ui::kColourPlaceholder];
  removeButton_.fillColour = Theme()[ui::kColourSlate];
  removeButton_.hoverFillColour = Theme()[ui::kColourSlateDark];
  removeButton_.disabledFillColour = Theme()[ui::kColourSlate];

  muteButton_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_MUTE));
  muteButton_.imageOnly = true;
  muteButton_.imageWidth = muteButton_.imageHeight = picture;
  muteButton_.backgroundColour = Theme()[ui::kColourControlBack];
  muteButton_.SetImages(IDP_SPEAKER_MUSIC, 0);

  volumeSlider_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_VOLUME));
  volumeSlider_.backgroundColour = Theme()[ui::kColourControlBack];
  volumeSlider_.LoadImages();
  volumeSlider_.SetRange(0, 100);
  volumeEdit_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_VOLUME_EDIT));
  volumeEdit_.frameColour = Theme()[ui::kColourControlBack];
  musicOnlyBox_.Attach(GetDlgItem(hwnd(), IDC_MUSIC_ONLY));
  musicOnlyBox_.backgroundColour = Theme()[ui::kColourControlBack];
  musicOnlyBox_.textColour = Theme()[ui::kColourButtonText];

  CreatePlayer();
  page_.Initialise();
  return FALSE;
}

void CMusicDlg::CreatePlayer() {
  if (player_) return;
  HRESULT hr = CPlayer::CreateInstance(hwnd(), hwnd(), &player_);
  if (FAILED(hr)) {
    player_ = nullptr;
    std::wstring reason = SystemErrorText(static_cast<DWORD>(hr));
    LogMessage(Error, "Player CreateInstance failed. Error 0x%08X. %S", static_cast<unsigned>(hr), reason.c_str());
    ShowAppMessage(hwnd(), base::InsertTexts(LoadResString(IDS_PLAYER_FAILED), {reason}), MB_ICONEXCLAMATION);
    page_.SetPlayer(nullptr);
    return;
  }
  page_.SetPlayer(this);
}

// --- app::MusicPlayer ---------------------------------------------------------------------
int32_t CMusicDlg::Open(const std::wstring& path) { return player_ ? player_->OpenURL(path.c_str()) : E_FAIL; }
void CMusicDlg::Close() {
  if (player_) player_->CloseSession();
}
void CMusicDlg::SetVolume(float level) {
  if (player_) player_->SetVolume(level);
}
app::MusicState CMusicDlg::State() const {
  return player_ ? static_cast<app::MusicState>(player_->GetState()) : app::MusicState::Closed;
}
bool CMusicDlg::Pause() { return player_ && SUCCEEDED(player_->Pause()); }
bool CMusicDlg::Resume() { return player_ && SUCCEEDED(player_->Resume()); }
void CMusicDlg::Play() {
  if (player_) player_->Play();
}

// --- app::MusicView -----------------------------------------------------------------------
void CMusicDlg::SetPathText(const std::wstring& text) { pathField_.SetText(text); }
std::wstring CMusicDlg::PathText() const { return pathField_.GetText(); }
void CMusicDlg::EnableRemove(bool enabled) {
  EnableWindow(removeButton_.hwnd(), enabled ? TRUE : FALSE);
  InvalidateRect(removeButton_.hwnd(), nullptr, FALSE);
}
bool CMusicDlg::RemoveHasFocus() const { return GetFocus() == removeButton_.hwnd(); }
void CMusicDlg::FocusBrowse() { SetFocus(browseButton_.hwnd()); }
void CMusicDlg::SetSliderPos(int value) { volumeSlider_.SetPos(value); }
int CMusicDlg::SliderPos() const { return volumeSlider_.GetPos(); }
void CMusicDlg::ShowMutePicture(bool muted) { muteButton_.SetImages(muted ? IDP_SPEAKER_MUTED : IDP_SPEAKER_MUSIC, 0); }
void CMusicDlg::SetVolumeText(const std::wstring& text) {
  editGuard_ = true;
  SetWindowTextW(volumeEdit_.hwnd(), text.c_str());
  editGuard_ = false;
}
void CMusicDlg::SetMuteVideo(bool checked) {
  if (musicOnlyBox_.IsChecked() == checked) return;
  musicOnlyBox_.SetChecked(checked);
  InvalidateRect(musicOnlyBox_.hwnd(), nullptr, FALSE);
}
bool CMusicDlg::MuteVideo() const { return musicOnlyBox_.hwnd() && musicOnlyBox_.IsChecked(); }
std::optional<std::wstring> CMusicDlg::PickMusicFile() {
  return PickOpenFile(GetAncestor(hwnd(), GA_ROOT), LoadResString(IDS_MUSIC_FILTER));
}
void CMusicDlg::ShowOpenFailed(const std::wstring& path, int32_t code) {
  ShowAppMessage(hwnd(),
                 base::InsertTexts(LoadResString(IDS_OPEN_FAILED), {path, SystemErrorText(static_cast<DWORD>(code))}),
                 MB_ICONEXCLAMATION);
}
void CMusicDlg::NotifyMusicMutesVideos(bool musicOnly) {
  PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_MUSIC_MUTES_VIDEOS, musicOnly ? 1 : 0, 0);
}
void CMusicDlg::NotifyMusicOnly(bool musicOnly) {
  if (!page_.EntryMode() && hwnd())
    PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_MUSIC_ONLY, musicOnly ? 1 : 0, 0);
}

void CMusicDlg::OnPlayerEvent(WPARAM wParam, LPARAM lParam) {
  if (!player_) {
    CPlayer::DropPendingEvents(hwnd());
    return;
  }
  if (FAILED(player_->HandleEvent(wParam, lParam))) return;
  switch (static_cast<MediaEventType>(lParam)) {
    case MESessionStarted:
      page_.OnSessionStarted(pauseAndMuteAll && pauseAndMuteAll());
      break;
    case MESessionEnded:
      page_.OnSessionEnded(musicEnded && musicEnded());
      break;
    default:
      break;
  }
}

void CMusicDlg::PaintPage(HDC dc, const RECT& client) {
  RECT upper = client;
  if (GetDlgItem(hwnd(), IDC_MUSIC_SEPARATOR)) {
    upper.bottom = ControlRect(hwnd(), IDC_MUSIC_SEPARATOR).top;
    RECT lower = client;
    lower.top = upper.bottom;
    FillRect(dc, &lower, Theme().backgroundBrush);
  }
  FillRect(dc, &upper, Theme().tabStripBrush);
}

INT_PTR CMusicDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_PLAYER_EVENT:
      OnPlayerEvent(wParam, lParam);
      return TRUE;
    case WM_APP_TEXT_FIELD_CHANGED:
      if (reinterpret_cast<HWND>(lParam) == pathField_.hwnd() || lParam == 0) {
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        page_.OnPathChanged();
        SetCursor(previous);
      }
      return TRUE;
    case WM_APP_SLIDER_MOVING:
      if (static_cast<int>(wParam) == IDC_MUSIC_VOLUME) page_.OnSliderMoving();
      return TRUE;
    case WM_APP_SLIDER_CHANGED:
      if (static_cast<int>(wParam) == IDC_MUSIC_VOLUME) page_.OnSliderChanged();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_MUSIC_BROWSE:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnBrowse();
          return TRUE;
        case IDC_MUSIC_REMOVE:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnRemove();
          return TRUE;
        case IDC_MUSIC_MUTE:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnMuteClicked();
          return TRUE;
        case IDC_MUSIC_ONLY:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnMuteVideoClicked();
          return TRUE;
        case IDC_MUSIC_VOLUME_EDIT:
          if (HIWORD(wParam) == EN_CHANGE && !editGuard_) {
            page_.OnVolumeTyped(VolumeEditText(volumeEdit_.hwnd()));
          }
          return TRUE;
      }
      return FALSE;
    case WM_CTLCOLOREDIT:
      return VolumeEditColours(wParam);
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      COLORREF colour = Theme()[ui::kColourButtonText];
      if (id == IDC_MUSIC_TITLE)
        colour = Theme()[page_.EntryMode() ? ui::kColourMagenta : ui::kColourAmber];
      else if (id == IDC_MUSIC_SUBTITLE || id == IDC_MUSIC_SETTINGS)
        colour = Theme()[ui::kColourAmber];
      SetTextColor(dc, colour);
      SetBkMode(dc, TRANSPARENT);
      // Statics above the separator stand on colour 25, the others on colour 23.
      bool upper = ChildRect(hwnd(), reinterpret_cast<HWND>(lParam)).top < ControlRect(hwnd(), IDC_MUSIC_SEPARATOR).top;
      return reinterpret_cast<INT_PTR>(upper ? Theme().tabStripBrush : Theme().backgroundBrush);
    }
    case WM_DESTROY:
      if (player_) {
        player_->Shutdown();
        player_->Release();
        player_ = nullptr;
      }
      page_.SetPlayer(nullptr);
      CPlayer::DropPendingEvents(hwnd());
      return FALSE;
  }
  return CPageDlg::HandleMessage(message, wParam, lParam);
}
