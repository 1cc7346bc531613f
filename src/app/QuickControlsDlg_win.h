// The quick controls tab (dialog 160). The rules are QuickControls'; this is its view.
#pragma once
#include "app/QuickControls.h"
#include "app/SettingsTabDlg_win.h"
#include "ui/CBitmapSlider_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustEdit_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CSwitch_win.h"

struct AppFlags;

class CQuickControlsDlg : public CSettingsTabDlg, private app::QuickControlsView {
 public:
  CQuickControlsDlg(settings::SettingsStore& store, const AppFlags& flags);

  app::QuickControls& Rules() { return rules_; }

  // app::QuickControlsView
  void SetSliderPos(int value) override { slider_.SetPos(value); }
  int SliderPos() const override { return slider_.GetPos(); }
  void ShowMutePicture(bool muted) override;
  void SetVolumeText(const std::wstring& text) override;
  void SetSwitch(bool on) override;
  bool Confirm(unsigned stringId) override;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  COLORREF StaticTextColour(int id) const override;

 private:
  const AppFlags& flags_;
  app::QuickControls rules_;
  CCustButton muteButton_, removeAll_, factoryReset_;
  CPictureControl hint_;
  CBitmapSlider slider_;
  CCustEdit volumeEdit_;
  CSwitch switch_;
  bool editGuard_ = false;
};
