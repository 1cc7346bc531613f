// The Quick Start page (dialog 229): the folder, the count of its videos, the change interval,
// the video volume and its mute button, and the switch. The rules are QuickStartPage's; this is
// its view, the folder listing and the page's one-second timer.
#pragma once
#include "app/PageDlg_win.h"
#include "app/QuickStartPage.h"
#include "ui/CBitmapSlider_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CCustEdit_win.h"
#include "ui/CCustTextField_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CSwitch_win.h"

class CQuickStartDlg : public CPageDlg, public app::QuickStartView, private app::FolderLister {
 public:
  // The store, the wallpapers and the target outlive the page.
  CQuickStartDlg(settings::SettingsStore& store, engine::Wallpapers& wallpapers, app::QuickStartTarget& target);

  app::QuickStartPage& Rules() { return page_; }
  // Call after anything that may start or stop Quick Start from outside the page.
  void SyncTimer();

  // app::QuickStartView
  void SetFolderText(const std::wstring& text) override;
  std::wstring FolderText() const override;
  void EnableRemove(bool enabled) override;
  bool RemoveHasFocus() const override;
  void FocusBrowse() override;
  void SetCountText(const std::wstring& text) override;
  void SetIntervalRow(int row) override;
  int IntervalRow() const override;
  void SetSwitch(bool on) override;
  bool SwitchOn() const override;
  void SetSliderPos(int value) override;
  int SliderPos() const override;
  void ShowMutePicture(bool muted) override;
  void SetVolumeText(const std::wstring& text) override;
  std::optional<std::wstring> PickFolder() override;
  void ShowNoFolderMessage() override;
  std::wstring Text(unsigned stringId) const override;

 protected:
  BOOL OnInitDialog() override;
  void PaintPage(HDC dc, const RECT& client) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // app::FolderLister over FindFirstFileW.
  std::vector<app::FolderEntry> List(const std::wstring& folder) override;

  app::QuickStartPage page_;
  CPictureControl icon_, hint_;
  CCustTextField folderField_;
  CBrowseButton browseButton_;
  CCustButton removeButton_;
  CCustComboBox changeBox_;
  CCustButton muteButton_;
  CBitmapSlider volumeSlider_;
  CCustEdit volumeEdit_;
  CSwitch activeSwitch_;
  bool editGuard_ = false;
  bool timer_ = false;
};
