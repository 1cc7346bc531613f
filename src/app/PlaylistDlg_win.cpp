// The playlist page's controls, its rotation's timer and the list's messages.
#include "app/PlaylistDlg_win.h"

#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "ui/Theme_win.h"

namespace {
constexpr UINT_PTR kRotationTimer = 1;
uint64_t Now() { return GetTickCount64(); }
}  // namespace

CPlaylistDlg::CPlaylistDlg(settings::SettingsStore& store, rotation::RotationTarget& target)
    : CPageDlg(IDD_PLAYLIST), store_(store), playlist_(store), rotation_(playlist_, store, target), list_(playlist_, store) {}

BOOL CPlaylistDlg::OnInitDialog() {
  icon_.autoLoad = false;
  icon_.drawWidth = icon_.drawHeight = ScaleForWindow(hwnd(), 16);
  icon_.Attach(GetDlgItem(hwnd(), IDC_PLAYLIST_ICON));
  icon_.SetImage(IDP_TASK_PLAYLIST);

  RECT face{0, 0, 0, 14};
  MapDialogRect(hwnd(), &face);
  RECT box = TakePlaceholder(hwnd(), IDC_PLAYLIST_MODE);
  modeBox_.backgroundColour = Theme()[ui::kColourControlBack];
  modeBox_.Create(hwnd(), IDC_PLAYLIST_MODE, box.left, box.top, box.right - box.left, face.bottom,
                  ScaleForWindow(hwnd(), 2 * 30));
  for (UINT text : {IDS_MUSIC_EACH, IDS_MUSIC_ONE}) modeBox_.AddItem(text, 0);
  box = TakePlaceholder(hwnd(), IDC_PLAYLIST_CHANGE);
  changeBox_.backgroundColour = Theme()[ui::kColourStripBack];
  changeBox_.Create(hwnd(), IDC_PLAYLIST_CHANGE, box.left, box.top, box.right - box.left, face.bottom,
                    ScaleForWindow(hwnd(), 6 * 30));
  for (UINT text : {IDS_CHANGE_30S, IDS_CHANGE_1H, IDS_CHANGE_3H, IDS_CHANGE_6H, IDS_CHANGE_1D, IDS_CHANGE_END_OF_TRACK})
    changeBox_.AddItem(text, 0);

  activeSwitch_.Attach(GetDlgItem(hwnd(), IDC_PLAYLIST_ACTIVE));
  activeSwitch_.backgroundColour = Theme()[ui::kColourStripBack];
  addButton_.Attach(GetDlgItem(hwnd(), IDC_PLAYLIST_ADD));
  addButton_.backgroundColour = Theme()[ui::kColourStripBack];
  addButton_.imageWidth = addButton_.imageHeight = ScaleForWindow(hwnd(), 11);
  addButton_.SetImages(IDP_PLUS, 0);

  HWND placeholder = GetDlgItem(hwnd(), IDC_PLAYLIST_LIST);
  RECT place = ControlRect(hwnd(), IDC_PLAYLIST_LIST);
  SetWindowLongPtrW(placeholder, GWLP_ID, 0);
  list_.Create(hwnd(), place, placeholder);
  ::DestroyWindow(placeholder);

  // The monitors' keys come from the target's wallpapers through the main window.
  rotation_.Start(Now());
  SendMessageW(modeBox_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(rotation_.musicModeRow), 0);
  SendMessageW(changeBox_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(rotation_.changeRow), 0);
  activeSwitch_.SetOn(rotation_.active);
  list_.Rebuild();
  UpdateAddButton();
  SyncTimer();
  return FALSE;
}

void CPlaylistDlg::SyncTimer() {
  if (rotation_.timerRunning && !timer_) timer_ = SetTimer(hwnd(), kRotationTimer, 1000, nullptr) != 0;
  if (!rotation_.timerRunning && timer_) {
    KillTimer(hwnd(), kRotationTimer);
    timer_ = false;
  }
}

void CPlaylistDlg::UpdateAddButton() {
  if (!list_.hwnd()) return;
  EnableWindow(addButton_.hwnd(), rotation_.CanAddEntry() ? TRUE : FALSE);
  InvalidateRect(addButton_.hwnd(), nullptr, FALSE);
}

bool CPlaylistDlg::OnMusicEnded() {
  if (!hwnd()) return false;
  bool moved = rotation_.OnMusicEnded(Now());
  SyncTimer();
  return moved;
}

void CPlaylistDlg::Suspend() {
  rotation_.Suspend();
  SyncTimer();
}

void CPlaylistDlg::Resume() {
  rotation_.Resume();
  SyncTimer();
}

void CPlaylistDlg::EntryEdited(int key) {
  const rotation::PlaylistEntry* entry = playlist_.Find(key);
  if (!entry) return;
  playlist_.RereadDisplayOption(key);
  if (playlist_.IsEmpty(*entry) && playlist_.Count() > 2) {
    RemoveEntry(key);
    return;
  }
  if (CPlaylistItemDlg* panel = list_.Panel(key)) panel->BuildRows();
  list_.Relayout();
  UpdateAddButton();
}

void CPlaylistDlg::RemoveEntry(int key) {
  LogMessage(Info, "Playlist: Remove Item");
  if (playlist_.Remove(key) < 0) return;
  list_.Removed(key);
  UpdateAddButton();
}

void CPlaylistDlg::Reset() {
  if (!hwnd()) return;
  rotation_.timerRunning = false;
  SyncTimer();
  playlist_.Reset();
  SendMessageW(modeBox_.hwnd(), CB_SETCURSEL, 0, 0);
  SendMessageW(changeBox_.hwnd(), CB_SETCURSEL, 0, 0);
  activeSwitch_.SetOn(false);
  InvalidateRect(activeSwitch_.hwnd(), nullptr, FALSE);
  rotation_.active = false;
  rotation_.musicModeRow = 0;
  rotation_.changeRow = 0;
  playlist_.Load();
  list_.Rebuild();
  UpdateAddButton();
  store_.DeleteSection(L"Playlist");
}

void CPlaylistDlg::PaintPage(HDC dc, const RECT& client) {
  PaintBarPage(dc, client, list_.hwnd() ? ControlRect(hwnd(), IDC_PLAYLIST_LIST).bottom : client.bottom);
}

INT_PTR CPlaylistDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kRotationTimer) {
        rotation_.OnTimer(Now());
        SyncTimer();
        return TRUE;
      }
      return FALSE;
    case WM_APP_PLAYLIST_ITEM_REMOVE:
      RemoveEntry(static_cast<int>(lParam));
      return TRUE;
    case WM_APP_PLAYLIST_ITEM_CHANGED:
      if (wParam != 0)
        EntryEdited(static_cast<int>(lParam));
      else {
        list_.Relayout();
        UpdateAddButton();
      }
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PLAYLIST_ACTIVE:
          if (HIWORD(wParam) == BN_CLICKED) {
            rotation_.SetActive(activeSwitch_.IsOn(), Now());
            SyncTimer();
          }
          return TRUE;
        case IDC_PLAYLIST_MODE:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            rotation_.SetMusicMode(static_cast<int>(SendMessageW(modeBox_.hwnd(), CB_GETCURSEL, 0, 0)), Now());
            list_.Rebuild();
            UpdateAddButton();
            SyncTimer();
          }
          return TRUE;
        case IDC_PLAYLIST_CHANGE:
          if (HIWORD(wParam) == CBN_SELCHANGE)
            rotation_.SetChangeRow(static_cast<int>(SendMessageW(changeBox_.hwnd(), CB_GETCURSEL, 0, 0)), Now());
          return TRUE;
        case IDC_PLAYLIST_ADD:
          if (HIWORD(wParam) == BN_CLICKED) {
            LogMessage(Info, "Playlist: Add Playlist Entry");
            playlist_.Add();
            list_.Added();
            UpdateAddButton();
          }
          return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool title = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_PLAYLIST_TITLE;
      SetTextColor(dc, Theme()[title ? ui::kColourMagenta : ui::kColourTabText]);
      SetBkMode(dc, TRANSPARENT);
      RECT r;
      GetWindowRect(reinterpret_cast<HWND>(lParam), &r);
      MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
      // The labels of the bar stand on its row with the switch.
      bool bar = r.bottom > ControlRect(hwnd(), IDC_PLAYLIST_ACTIVE).top;
      return reinterpret_cast<INT_PTR>(bar ? Theme().tabStripBrush : Theme().backgroundBrush);
    }
    case WM_DESTROY:
      if (timer_) KillTimer(hwnd(), kRotationTimer);
      timer_ = false;
      return FALSE;
  }
  return CPageDlg::HandleMessage(message, wParam, lParam);
}
