// The monitor settings panel's controls, colours and notifications.
#include "app/MonitorDlg_win.h"

#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "base/Modal_win.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "ui/Theme_win.h"

CMonitorDlg::CMonitorDlg() : CDialog(IDD_MONITOR_PANEL), panel_(*this) {}

BOOL CMonitorDlg::OnInitDialog() {
  background_.reset(CreateSolidBrush(Theme()[ui::kColourControlBack]));
  int picture = ScaleForWindow(hwnd(), 16);

  RECT place = TakePlaceholder(hwnd(), IDC_PANEL_PATH);
  pathField_.placeholder = LoadResString(IDS_VIDEO_PLACEHOLDER);
  pathField_.Create(hwnd(), IDC_PANEL_PATH, place.left, place.top, place.right - place.left, place.bottom - place.top);
  SetWindowPos(pathField_.hwnd(), GetDlgItem(hwnd(), IDC_PANEL_CAPTION), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  browseButton_.Attach(GetDlgItem(hwnd(), IDC_PANEL_BROWSE));
  removeButton_.Attach(GetDlgItem(hwnd(), IDC_PANEL_REMOVE));
  removeButton_.disabledTextColour = Theme()[ui::kColourPlaceholder];
  removeButton_.fillColour = Theme()[ui::kColourSlate];
  removeButton_.hoverFillColour = Theme()[ui::kColourSlateDark];
  removeButton_.disabledFillColour = Theme()[ui::kColourSlate];

  muteButton_.Attach(GetDlgItem(hwnd(), IDC_PANEL_MUTE));
  muteButton_.imageOnly = true;
  muteButton_.imageWidth = muteButton_.imageHeight = picture;
  muteButton_.SetImages(IDP_SPEAKER, 0);

  const struct {
    int id;
    UINT picture;
  } icons[] = {{IDC_PANEL_ICON_SIZE, IDP_ROW_SIZE_MODE},
               {IDC_PANEL_ICON_VERTICAL, IDP_ROW_VERTICAL},
               {IDC_PANEL_ICON_HORIZONTAL, IDP_ROW_HORIZONTAL},
               {IDC_PANEL_ICON_OVERLAY, IDP_ROW_OVERLAY}};
  const int hints[] = {IDC_PANEL_HINT_ICON_SIZE, IDC_PANEL_HINT_ICON_VERTICAL, IDC_PANEL_HINT_ICON_HORIZONTAL,
                       IDC_PANEL_HINT_ICON_VOLUME};
  for (int i = 0; i < 4; ++i) {
    for (CPictureControl* control : {&icons_[i], &hintIcons_[i]}) {
      control->autoLoad = false;
      control->drawWidth = control->drawHeight = picture;
    }
    icons_[i].Attach(GetDlgItem(hwnd(), icons[i].id));
    icons_[i].SetImage(icons[i].picture);
    hintIcons_[i].Attach(GetDlgItem(hwnd(), hints[i]));
    hintIcons_[i].SetImage(IDP_HINT);
  }

  for (int id : {IDC_PANEL_POS_Y, IDC_PANEL_POS_X, IDC_PANEL_OVERLAY, IDC_PANEL_VOLUME}) {
    CBitmapSlider* slider = Slider(id);
    slider->Attach(GetDlgItem(hwnd(), id));
    slider->backgroundColour = Theme()[ui::kColourControlBack];
    slider->LoadImages();
    slider->SetRange(0, 100);
    slider->SetPos(50);
  }
  volumeEdit_.Attach(GetDlgItem(hwnd(), IDC_PANEL_VOLUME_EDIT));
  volumeEdit_.frameColour = Theme()[ui::kColourControlBack];

  place = TakePlaceholder(hwnd(), IDC_PANEL_SIZE);
  RECT face{0, 0, 0, 14};
  MapDialogRect(hwnd(), &face);
  sizeBox_.Create(hwnd(), IDC_PANEL_SIZE, place.left, place.top, place.right - place.left, face.bottom,
                  ScaleForWindow(hwnd(), 3 * 30));
  for (UINT text : {IDS_SIZE_COVER, IDS_SIZE_CONTAIN, IDS_SIZE_STRETCH}) sizeBox_.AddItem(text, 0);
  SetWindowPos(sizeBox_.hwnd(), GetDlgItem(hwnd(), IDC_PANEL_ICON_SIZE), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  panel_.Initialise();
  return FALSE;
}

CBitmapSlider* CMonitorDlg::Slider(int id) {
  switch (id) {
    case IDC_PANEL_POS_Y: return &posYSlider_;
    case IDC_PANEL_POS_X: return &posXSlider_;
    case IDC_PANEL_OVERLAY: return &overlaySlider_;
    case IDC_PANEL_VOLUME: return &volumeSlider_;
  }
  return nullptr;
}
const CBitmapSlider* CMonitorDlg::Slider(int id) const { return const_cast<CMonitorDlg*>(this)->Slider(id); }

void CMonitorDlg::SetPathText(const std::wstring& text) { pathField_.SetText(text); }
std::wstring CMonitorDlg::PathText() const { return pathField_.GetText(); }
void CMonitorDlg::SetResolution(const std::wstring& text) { SetDlgItemTextW(hwnd(), IDC_PANEL_RESOLUTION, text.c_str()); }
void CMonitorDlg::SetSizeSelection(int mode) { SendMessageW(sizeBox_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(mode), 0); }
int CMonitorDlg::SizeSelection() const { return static_cast<int>(SendMessageW(sizeBox_.hwnd(), CB_GETCURSEL, 0, 0)); }

void CMonitorDlg::SetSliderPos(int slider, int value) {
  if (CBitmapSlider* s = Slider(slider)) s->SetPos(value);
}
int CMonitorDlg::SliderPos(int slider) const {
  const CBitmapSlider* s = Slider(slider);
  return s ? s->GetPos() : 0;
}

void CMonitorDlg::ShowMutePicture(bool muted) { muteButton_.SetImages(muted ? IDP_SPEAKER_MUTED : IDP_SPEAKER, 0); }

void CMonitorDlg::SetVolumeText(const std::wstring& text) {
  editGuard_ = true;
  SetWindowTextW(volumeEdit_.hwnd(), text.c_str());
  editGuard_ = false;
}

void CMonitorDlg::ShowSliderOrHint(int slider, bool available) {
  CBitmapSlider* s = Slider(slider);
  if (!s) return;
  EnableWindow(s->hwnd(), available ? TRUE : FALSE);
  InvalidateRect(s->hwnd(), nullptr, FALSE);
  int hint = 0, icon = 0;
  switch (slider) {
    case IDC_PANEL_POS_Y: hint = IDC_PANEL_HINT_VERTICAL, icon = IDC_PANEL_HINT_ICON_VERTICAL; break;
    case IDC_PANEL_POS_X: hint = IDC_PANEL_HINT_HORIZONTAL, icon = IDC_PANEL_HINT_ICON_HORIZONTAL; break;
    case IDC_PANEL_VOLUME: hint = IDC_PANEL_HINT_VOLUME, icon = IDC_PANEL_HINT_ICON_VOLUME; break;
  }
  if (!hint) return;
  ShowControl(hwnd(), hint, !available);
  ShowControl(hwnd(), icon, !available);
  if (slider == IDC_PANEL_VOLUME) {
    EnableWindow(muteButton_.hwnd(), available ? TRUE : FALSE);
    ShowWindow(volumeEdit_.hwnd(), available ? SW_SHOW : SW_HIDE);
  }
}

void CMonitorDlg::SetSizeHint(unsigned stringId) {
  SetDlgItemTextW(hwnd(), IDC_PANEL_HINT_SIZE, LoadResString(stringId).c_str());
}
void CMonitorDlg::EnableRemove(bool enabled) {
  EnableWindow(removeButton_.hwnd(), enabled ? TRUE : FALSE);
  InvalidateRect(removeButton_.hwnd(), nullptr, FALSE);
}
bool CMonitorDlg::RemoveHasFocus() const { return GetFocus() == removeButton_.hwnd(); }
void CMonitorDlg::FocusBrowse() { SetFocus(browseButton_.hwnd()); }
void CMonitorDlg::NotifyPathChanged() { PostMessageW(GetParent(hwnd()), WM_APP_TEXT_FIELD_CHANGED, 0, 0); }

std::optional<std::wstring> CMonitorDlg::PickVideoFile() {
  // Owned by the main window: while it is open nothing else of the program can be clicked,
  // so the panel cannot be bound to another monitor under it.
  return PickOpenFile(GetAncestor(hwnd(), GA_ROOT), LoadResString(IDS_VIDEO_FILTER));
}

std::wstring CMonitorDlg::Text(unsigned stringId) const { return LoadResString(stringId); }

INT_PTR CMonitorDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_TEXT_FIELD_CHANGED:
      if (reinterpret_cast<HWND>(lParam) == pathField_.hwnd() || lParam == 0) {
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        panel_.OnPathChanged();
        SetCursor(previous);
      }
      return TRUE;
    case WM_APP_SLIDER_MOVING:
      panel_.OnSliderMoving(static_cast<int>(wParam));
      return TRUE;
    case WM_APP_SLIDER_CHANGED:
      panel_.OnSliderChanged(static_cast<int>(wParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PANEL_BROWSE:
          if (HIWORD(wParam) == BN_CLICKED) panel_.OnBrowse();
          return TRUE;
        case IDC_PANEL_REMOVE:
          if (HIWORD(wParam) == BN_CLICKED) panel_.OnRemove();
          return TRUE;
        case IDC_PANEL_MUTE:
          if (HIWORD(wParam) == BN_CLICKED) panel_.OnMuteClicked();
          return TRUE;
        case IDC_PANEL_SIZE:
          if (HIWORD(wParam) == CBN_SELCHANGE) panel_.OnSizeChosen(SizeSelection());
          return TRUE;
        case IDC_PANEL_VOLUME_EDIT:
          if (HIWORD(wParam) == EN_CHANGE && !editGuard_) {
            wchar_t text[32] = {};
            GetWindowTextW(volumeEdit_.hwnd(), text, 32);
            panel_.OnVolumeTyped(text);
          }
          return TRUE;
      }
      return FALSE;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(background_.get()));
      SetResult(1);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(background_.get());
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, Theme()[ui::kColourAccent]);
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, Theme()[ui::kColourControlBack]);
      return reinterpret_cast<INT_PTR>(background_.get());
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      COLORREF colour = Theme()[ui::kColourButtonText];
      if (id == IDC_PANEL_HINT_SIZE || id == IDC_PANEL_HINT_VERTICAL || id == IDC_PANEL_HINT_HORIZONTAL ||
          id == IDC_PANEL_HINT_VOLUME)
        colour = Theme()[ui::kColourPlaceholder];
      else if (id == IDC_PANEL_RESOLUTION || id == IDC_PANEL_CAPTION || id == IDC_PANEL_SETTINGS)
        colour = Theme()[ui::kColourGreen];
      SetTextColor(dc, colour);
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, Theme()[ui::kColourControlBack]);
      return reinterpret_cast<INT_PTR>(background_.get());
    }
  }
  return FALSE;
}
