// The Quick Start page's controls, colours, notifications and timer.
#include "app/QuickStartDlg_win.h"

#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "base/Modal_win.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "ui/Theme_win.h"

namespace {
constexpr UINT_PTR kQuickStartTimer = 1;

// The wait cursor while a handler scans a folder or opens files.
struct WaitCursor {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  ~WaitCursor() { SetCursor(previous); }
};
}  // namespace

CQuickStartDlg::CQuickStartDlg(settings::SettingsStore& store, engine::Wallpapers& wallpapers,
                               app::QuickStartTarget& target)
    : CPageDlg(IDD_QUICK_START), page_(*this, store, wallpapers, *this, target) {}

BOOL CQuickStartDlg::OnInitDialog() {
  const int picture = ScaleForWindow(hwnd(), 16);
  for (auto [control, id, png] : {std::tuple{&icon_, IDC_QS_ICON, IDP_TASK_QUICK_START}, {&hint_, IDC_QS_HINT, IDP_HINT}}) {
    control->autoLoad = false;
    control->drawWidth = control->drawHeight = picture;
    control->Attach(GetDlgItem(hwnd(), id));
    control->SetImage(png);
  }
  SendDlgItemMessageW(hwnd(), IDC_QS_VOLUME_EDIT, EM_LIMITTEXT, 3, 0);
  SetDlgItemTextW(hwnd(), IDC_QS_ABOUT, LoadResString(IDS_QUICK_START_ABOUT).c_str());

  RECT place = TakePlaceholder(hwnd(), IDC_QS_FOLDER);
  folderField_.placeholder = LoadResString(IDS_QUICK_START_PLACEHOLDER);
  folderField_.Create(hwnd(), IDC_QS_FOLDER, place.left, place.top, place.right - place.left, place.bottom - place.top);
  SetWindowPos(folderField_.hwnd(), GetDlgItem(hwnd(), IDC_QS_FOLDER_HEADING), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  browseButton_.Attach(GetDlgItem(hwnd(), IDC_QS_BROWSE));
  browseButton_.backgroundColour = Theme()[ui::kColourStripBack];
  removeButton_.Attach(GetDlgItem(hwnd(), IDC_QS_REMOVE));
  removeButton_.backgroundColour = Theme()[ui::kColourStripBack];
  removeButton_.disabledTextColour = Theme()[ui::kColourPlaceholder];
  removeButton_.fillColour = Theme()[ui::kColourSlate];
  removeButton_.hoverFillColour = Theme()[ui::kColourSlateDark];
  removeButton_.disabledFillColour = Theme()[ui::kColourSlate];

  RECT face{0, 0, 0, 14};
  MapDialogRect(hwnd(), &face);
  RECT box = TakePlaceholder(hwnd(), IDC_QS_CHANGE);
  changeBox_.backgroundColour = Theme()[ui::kColourControlBack];
  changeBox_.Create(hwnd(), IDC_QS_CHANGE, box.left, box.top, box.right - box.left, face.bottom,
                    ScaleForWindow(hwnd(), app::kQuickStartIntervalCount * 30));
  for (UINT text : {IDS_CHANGE_30S, IDS_CHANGE_5MIN, IDS_CHANGE_30MIN, IDS_CHANGE_1H, IDS_CHANGE_3H, IDS_CHANGE_6H,
                    IDS_CHANGE_1D})
    changeBox_.AddItem(text, 0);
  // In the template's tab order, after the "Change Every" label.
  SetWindowPos(changeBox_.hwnd(), GetDlgItem(hwnd(), IDC_QS_SETTINGS_HEADING), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  muteButton_.Attach(GetDlgItem(hwnd(), IDC_QS_MUTE));
  muteButton_.imageOnly = true;
  muteButton_.imageWidth = muteButton_.imageHeight = picture;
  muteButton_.backgroundColour = Theme()[ui::kColourControlBack];
  muteButton_.SetImages(IDP_SPEAKER, 0);
  volumeSlider_.Attach(GetDlgItem(hwnd(), IDC_QS_VOLUME));
  volumeSlider_.backgroundColour = Theme()[ui::kColourControlBack];
  volumeSlider_.LoadImages();
  volumeSlider_.SetRange(0, 100);
  volumeEdit_.Attach(GetDlgItem(hwnd(), IDC_QS_VOLUME_EDIT));
  volumeEdit_.frameColour = Theme()[ui::kColourControlBack];
  activeSwitch_.Attach(GetDlgItem(hwnd(), IDC_QS_ACTIVE));
  activeSwitch_.backgroundColour = Theme()[ui::kColourControlBack];

  WaitCursor wait;
  page_.Initialise();
  SyncTimer();
  return FALSE;
}

void CQuickStartDlg::SyncTimer() {
  if (!hwnd()) return;
  if (page_.timerRunning && !timer_) timer_ = SetTimer(hwnd(), kQuickStartTimer, 1000, nullptr) != 0;
  if (!page_.timerRunning && timer_) {
    KillTimer(hwnd(), kQuickStartTimer);
    timer_ = false;
  }
}

// --- app::FolderLister ----------------------------------------------------------------------
std::vector<app::FolderEntry> CQuickStartDlg::List(const std::wstring& folder) {
  std::vector<app::FolderEntry> entries;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

// --- app::QuickStartView --------------------------------------------------------------------
void CQuickStartDlg::SetFolderText(const std::wstring& text) { folderField_.SetText(text); }
std::wstring CQuickStartDlg::FolderText() const { return folderField_.GetText(); }
void CQuickStartDlg::EnableRemove(bool enabled) {
  EnableWindow(removeButton_.hwnd(), enabled ? TRUE : FALSE);
  InvalidateRect(removeButton_.hwnd(), nullptr, FALSE);
}
bool CQuickStartDlg::RemoveHasFocus() const { return GetFocus() == removeButton_.hwnd(); }
void CQuickStartDlg::FocusBrowse() { SetFocus(browseButton_.hwnd()); }
void CQuickStartDlg::SetCountText(const std::wstring& text) { SetDlgItemTextW(hwnd(), IDC_QS_COUNT, text.c_str()); }
void CQuickStartDlg::SetIntervalRow(int row) { SendMessageW(changeBox_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(row), 0); }
int CQuickStartDlg::IntervalRow() const { return static_cast<int>(SendMessageW(changeBox_.hwnd(), CB_GETCURSEL, 0, 0)); }
void CQuickStartDlg::SetSwitch(bool on) {
  activeSwitch_.SetOn(on);
  InvalidateRect(activeSwitch_.hwnd(), nullptr, FALSE);
}
bool CQuickStartDlg::SwitchOn() const { return activeSwitch_.IsOn(); }
void CQuickStartDlg::SetSliderPos(int value) { volumeSlider_.SetPos(value); }
int CQuickStartDlg::SliderPos() const { return volumeSlider_.GetPos(); }
void CQuickStartDlg::ShowMutePicture(bool muted) { muteButton_.SetImages(muted ? IDP_SPEAKER_MUTED : IDP_SPEAKER, 0); }
void CQuickStartDlg::SetVolumeText(const std::wstring& text) {
  editGuard_ = true;
  SetWindowTextW(volumeEdit_.hwnd(), text.c_str());
  editGuard_ = false;
}
std::optional<std::wstring> CQuickStartDlg::PickFolder() {
  wchar_t title[128] = {};
  GetDlgItemTextW(hwnd(), IDC_QS_FOLDER_HEADING, title, 128);
  return ::PickFolder(GetAncestor(hwnd(), GA_ROOT), title);
}
void CQuickStartDlg::ShowNoFolderMessage() { ShowAppMessageId(hwnd(), IDS_QUICK_START_NO_FOLDER, MB_ICONEXCLAMATION); }
std::wstring CQuickStartDlg::Text(unsigned stringId) const { return LoadResString(stringId); }

void CQuickStartDlg::PaintPage(HDC dc, const RECT& client) {
  // Colour 25 down to the description's bottom, a line of colour 2 under it, colour 23 below.
  PaintBands(dc, client, ControlRect(hwnd(), IDC_QS_ABOUT).bottom, Theme().tabStripBrush, Theme()[ui::kColourAccent],
             Theme().backgroundBrush);
}

INT_PTR CQuickStartDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kQuickStartTimer) {
        page_.OnTimer();
        SyncTimer();
      }
      return TRUE;
    case WM_APP_TEXT_FIELD_CHANGED:
      if (reinterpret_cast<HWND>(lParam) == folderField_.hwnd() || lParam == 0) {
        WaitCursor wait;
        page_.OnFolderChanged();
        SyncTimer();
      }
      return TRUE;
    case WM_APP_SLIDER_MOVING:
      if (static_cast<int>(wParam) == IDC_QS_VOLUME) page_.OnSliderMoving();
      return TRUE;
    case WM_APP_SLIDER_CHANGED:
      if (static_cast<int>(wParam) == IDC_QS_VOLUME) page_.OnSliderChanged();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_QS_BROWSE:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnBrowse();
          return TRUE;
        case IDC_QS_REMOVE:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnRemove();
          return TRUE;
        case IDC_QS_MUTE:
          if (HIWORD(wParam) == BN_CLICKED) page_.OnMuteClicked();
          return TRUE;
        case IDC_QS_ACTIVE:
          if (HIWORD(wParam) == BN_CLICKED) {
            WaitCursor wait;
            page_.OnSwitchClicked();
            SyncTimer();
          }
          return TRUE;
        case IDC_QS_CHANGE:
          if (HIWORD(wParam) == CBN_SELCHANGE) page_.OnIntervalChosen();
          return TRUE;
        case IDC_QS_VOLUME_EDIT:
          if (HIWORD(wParam) == EN_CHANGE && !editGuard_) {
            page_.OnVolumeTyped(VolumeEditText(volumeEdit_.hwnd()));
          }
          return TRUE;
      }
      return FALSE;
    case WM_CTLCOLOREDIT:
      return VolumeEditColours(wParam);
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      COLORREF colour = Theme()[ui::kColourButtonText];
      if (id == IDC_QS_TITLE || id == IDC_QS_FOLDER_HEADING || id == IDC_QS_SETTINGS_HEADING)
        colour = Theme()[ui::kColourViolet];
      else if (id == IDC_QS_ABOUT)
        colour = Theme()[ui::kColourPlaceholder];
      // Statics above the line stand on colour 25, the others on colour 23.
      const bool upper = ChildRect(hwnd(), reinterpret_cast<HWND>(lParam)).top < ControlRect(hwnd(), IDC_QS_ABOUT).bottom;
      return StaticColours(wParam, colour, upper ? Theme().tabStripBrush : Theme().backgroundBrush);
    }
    case WM_DESTROY:
      // At exit the monitors have written their records already (the main window's teardown
      // comes first): the timer stops, the wallpapers are left as they are.
      if (timer_) KillTimer(hwnd(), kQuickStartTimer);
      timer_ = false;
      page_.timerRunning = false;
      return FALSE;
  }
  return CPageDlg::HandleMessage(message, wParam, lParam);
}
