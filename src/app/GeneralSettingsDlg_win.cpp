// The general settings tab's controls and the detector's reports.
#include "app/GeneralSettingsDlg_win.h"

#include <vector>

#include "base/Dpi_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "ui/Theme_win.h"

// --- The tab ------------------------------------------------------------------------------
CGeneralSettingsDlg::CGeneralSettingsDlg(settings::SettingsStore& store, AppFlags& flags,
                                         engine::PlaybackPolicy& policy)
    : CSettingsTabDlg(IDD_GENERAL_SETTINGS),
      rules_(store, flags, policy, runEntry_, *this, [this](bool mute) {
        PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_MUTE_ALL, mute ? 1 : 0, 1);
      }) {}

BOOL CGeneralSettingsDlg::OnInitDialog() {
  const int picture = ScaleForWindow(hwnd(), 16);
  const int hintIds[] = {IDC_GEN_AUTORUN_HINT, IDC_GEN_MAXIMISED_HINT, IDC_GEN_AUDIO_HINT};
  for (int i = 0; i < 3; ++i) {
    hints_[i].autoLoad = false;
    hints_[i].drawWidth = hints_[i].drawHeight = picture;
    hints_[i].Attach(GetDlgItem(hwnd(), hintIds[i]));
    hints_[i].SetImage(IDP_HINT);
  }
  for (auto [control, id] : {std::pair{&autoRun_, IDC_GEN_AUTORUN}, {&pauseWhenMaximised_, IDC_GEN_MAXIMISED},
                             {&muteWhenOtherAudio_, IDC_GEN_AUDIO}}) {
    control->Attach(GetDlgItem(hwnd(), id));
    control->backgroundColour = Theme()[ui::kColourControlBack];
  }
  rules_.Load();
  ShowSwitches();
  return FALSE;
}

void CGeneralSettingsDlg::ShowSwitches() {
  autoRun_.SetOn(rules_.autoRun);
  pauseWhenMaximised_.SetOn(rules_.pauseWhenMaximised);
  muteWhenOtherAudio_.SetOn(rules_.muteWhenOtherAudio);
}

void CGeneralSettingsDlg::Reset(bool uninstalling) {
  rules_.Reset(uninstalling);
  ShowSwitches();
}

COLORREF CGeneralSettingsDlg::StaticTextColour(int id) const {
  if (id == IDC_GEN_AUTORUN_TEXT || id == IDC_GEN_MAXIMISED_TEXT || id == IDC_GEN_AUDIO_TEXT)
    return Theme()[ui::kColourPlaceholder];
  return CSettingsTabDlg::StaticTextColour(id);
}

INT_PTR CGeneralSettingsDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_OTHER_AUDIO:
      rules_.OnOtherAudioReport(wParam != 0);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      switch (LOWORD(wParam)) {
        case IDC_GEN_AUTORUN:
          rules_.OnAutoRunSwitched(autoRun_.IsOn());
          return TRUE;
        case IDC_GEN_MAXIMISED:
          rules_.OnPauseWhenMaximisedSwitched(pauseWhenMaximised_.IsOn());
          return TRUE;
        case IDC_GEN_AUDIO:
          rules_.OnMuteWhenOtherAudioSwitched(muteWhenOtherAudio_.IsOn());
          return TRUE;
      }
      break;
    case WM_DESTROY:
      detector_.Stop();
      break;
  }
  return CSettingsTabDlg::HandleMessage(message, wParam, lParam);
}
