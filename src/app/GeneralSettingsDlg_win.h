// The general settings tab (dialog 159): three switches with their hints. The rules are
// GeneralSettings'; this is its view and the other-audio detector.
#pragma once
#include <string>

#include "app/GeneralSettings.h"
#include "app/OtherAudioDetector_win.h"
#include "app/RunKey_win.h"
#include "app/SettingsTabDlg_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CSwitch_win.h"

class CGeneralSettingsDlg : public CSettingsTabDlg, private app::OtherAudioDetection {
 public:
  CGeneralSettingsDlg(settings::SettingsStore& store, AppFlags& flags, engine::PlaybackPolicy& policy);

  // The factory reset (while uninstalling the Run entry goes too).
  void Reset(bool uninstalling);
  app::GeneralSettings& Rules() { return rules_; }

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  COLORREF StaticTextColour(int id) const override;

 private:
  // app::OtherAudioDetection over the detector thread, reporting to this tab.
  bool Running() const override { return detector_.Running(); }
  void Start() override { detector_.Start(hwnd()); }
  void Stop() override { detector_.Stop(); }
  void ShowSwitches();

  CRunKeyEntry runEntry_;
  COtherAudioDetector detector_;
  app::GeneralSettings rules_;
  CPictureControl hints_[3];
  CSwitch autoRun_, pauseWhenMaximised_, muteWhenOtherAudio_;
};
