// The monitor settings panel (dialog 163): the controls that show and edit one monitor's
// wallpaper record. The rules are MonitorPanel's; this is its view.
#pragma once
#include "app/MonitorPanel.h"
#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "ui/CBitmapSlider_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CCustEdit_win.h"
#include "ui/CCustTextField_win.h"
#include "ui/CPictureControl_win.h"

class CMonitorDlg : public CDialog, public app::PanelView {
 public:
  CMonitorDlg();
  app::MonitorPanel& Rules() { return panel_; }

  // app::PanelView
  void SetPathText(const std::wstring& text) override;
  std::wstring PathText() const override;
  void SetResolution(const std::wstring& text) override;
  void SetSizeSelection(int mode) override;
  int SizeSelection() const override;
  void SetSliderPos(int slider, int value) override;
  int SliderPos(int slider) const override;
  void ShowMutePicture(bool muted) override;
  void SetVolumeText(const std::wstring& text) override;
  void ShowSliderOrHint(int slider, bool available) override;
  void SetSizeHint(unsigned stringId) override;
  void EnableRemove(bool enabled) override;
  bool RemoveHasFocus() const override;
  void FocusBrowse() override;
  void NotifyPathChanged() override;
  std::optional<std::wstring> PickVideoFile() override;
  std::wstring Text(unsigned stringId) const override;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CBitmapSlider* Slider(int id);
  const CBitmapSlider* Slider(int id) const;

  app::MonitorPanel panel_;
  CCustTextField pathField_;
  CBrowseButton browseButton_;
  CCustButton removeButton_;
  CCustComboBox sizeBox_;
  CBitmapSlider posYSlider_, posXSlider_, overlaySlider_, volumeSlider_;
  CCustEdit volumeEdit_;
  CCustButton muteButton_;
  CPictureControl icons_[4];
  CPictureControl hintIcons_[4];
  UniqueGdiObject background_;
  bool editGuard_ = false;
};
