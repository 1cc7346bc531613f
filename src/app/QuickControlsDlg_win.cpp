// The quick controls tab's controls and notifications.
#include "app/QuickControlsDlg_win.h"

#include "app/AppFlags.h"
#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "base/Modal_win.h"
#include "base/ResourceIds.h"
#include "ui/Theme_win.h"

CQuickControlsDlg::CQuickControlsDlg(settings::SettingsStore& store, const AppFlags& flags)
    : CSettingsTabDlg(IDD_QUICK_CONTROLS),
      flags_(flags),
      rules_(*this, store, [this](unsigned message, int wParam) {
        PostMessageW(GetAncestor(hwnd(), GA_ROOT), message, static_cast<WPARAM>(wParam), 0);
      }) {}

BOOL CQuickControlsDlg::OnInitDialog() {
  const int picture = ScaleForWindow(hwnd(), 16);
  const COLORREF back = Theme()[ui::kColourControlBack];
  muteButton_.Attach(GetDlgItem(hwnd(), IDC_QC_MUTE));
  muteButton_.imageOnly = true;
  muteButton_.imageWidth = muteButton_.imageHeight = picture;
  muteButton_.backgroundColour = back;
  muteButton_.SetImages(IDP_SPEAKER, 0);
  hint_.autoLoad = false;
  hint_.drawWidth = hint_.drawHeight = picture;
  hint_.Attach(GetDlgItem(hwnd(), IDC_QC_HINT));
  hint_.SetImage(IDP_HINT);
  slider_.Attach(GetDlgItem(hwnd(), IDC_QC_VOLUME));
  slider_.backgroundColour = back;
  slider_.LoadImages();
  slider_.SetRange(0, 100);
  SendDlgItemMessageW(hwnd(), IDC_QC_VOLUME_EDIT, EM_LIMITTEXT, 3, 0);
  volumeEdit_.Attach(GetDlgItem(hwnd(), IDC_QC_VOLUME_EDIT));
  volumeEdit_.frameColour = back;
  switch_.Attach(GetDlgItem(hwnd(), IDC_QC_PAUSE_AND_MUTE));
  switch_.backgroundColour = back;
  for (CCustButton* button : {&removeAll_, &factoryReset_}) {
    button->Attach(GetDlgItem(hwnd(), button == &removeAll_ ? IDC_QC_REMOVE_ALL : IDC_QC_FACTORY_RESET));
    button->backgroundColour = back;
    button->fillColour = Theme()[ui::kColourAccent];
  }
  rules_.Initialise(flags_.pauseAndMuteAll);
  return FALSE;
}

void CQuickControlsDlg::ShowMutePicture(bool muted) { muteButton_.SetImages(muted ? IDP_SPEAKER_MUTED : IDP_SPEAKER, 0); }

void CQuickControlsDlg::SetVolumeText(const std::wstring& text) {
  editGuard_ = true;
  SetWindowTextW(volumeEdit_.hwnd(), text.c_str());
  editGuard_ = false;
}

void CQuickControlsDlg::SetSwitch(bool on) {
  switch_.SetOn(on);
  InvalidateRect(switch_.hwnd(), nullptr, FALSE);
}

bool CQuickControlsDlg::Confirm(unsigned stringId) {
  return ShowAppMessageId(GetAncestor(hwnd(), GA_ROOT), stringId, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

COLORREF CQuickControlsDlg::StaticTextColour(int id) const {
  return id == IDC_QC_HINT_TEXT ? Theme()[ui::kColourPlaceholder] : CSettingsTabDlg::StaticTextColour(id);
}

INT_PTR CQuickControlsDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_SLIDER_MOVING:
      if (static_cast<int>(wParam) == IDC_QC_VOLUME) rules_.OnSliderMoving();
      return TRUE;
    case WM_APP_SLIDER_CHANGED:
      if (static_cast<int>(wParam) == IDC_QC_VOLUME) rules_.OnSliderChanged();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_QC_PAUSE_AND_MUTE:
          if (HIWORD(wParam) == BN_CLICKED) rules_.OnSwitchClicked(switch_.IsOn());
          return TRUE;
        case IDC_QC_MUTE:
          if (HIWORD(wParam) == BN_CLICKED) rules_.OnMuteClicked();
          return TRUE;
        case IDC_QC_REMOVE_ALL:
          if (HIWORD(wParam) == BN_CLICKED) rules_.OnRemoveAll();
          return TRUE;
        case IDC_QC_FACTORY_RESET:
          if (HIWORD(wParam) == BN_CLICKED) rules_.OnFactoryReset();
          return TRUE;
        case IDC_QC_VOLUME_EDIT:
          if (HIWORD(wParam) == EN_CHANGE && !editGuard_) {
            rules_.OnVolumeTyped(VolumeEditText(volumeEdit_.hwnd()));
          }
          return TRUE;
      }
      break;
    case WM_CTLCOLOREDIT:
      return VolumeEditColours(wParam);
  }
  return CSettingsTabDlg::HandleMessage(message, wParam, lParam);
}
