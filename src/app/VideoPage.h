// The video page's rules: the display option (a wallpaper per monitor, one across all, the
// same on each) and the wallpaper windows each needs, the monitor tabs mirroring the monitor
// list, binding the settings panel, what a started wallpaper makes of the panel's sliders,
// and the page's reset. Portable: the page's own controls are reached through VideoPageView;
// the panel's rules are MonitorPanel's.
#pragma once
#include <string>
#include <vector>

#include "app/MonitorPanel.h"
#include "engine/Wallpapers.h"
#include "settings/SettingsStore.h"

namespace app {

enum DisplayOption : int { kDisplayEach = 0, kDisplaySpan = 1, kDisplayDuplicate = 2 };

class VideoPageView {
 public:
  virtual ~VideoPageView() = default;
  // The tab strip: its tabs' texts and the selected one (-1: none).
  virtual void SetTabs(const std::vector<std::wstring>& texts, int selected) = 0;
  virtual int TabCount() const = 0;
  virtual int SelectedTab() const = 0;
  virtual void SelectTab(int index) = 0;
  // The options box.
  virtual void SetOptionSelection(int option) = 0;
  virtual int OptionSelection() const = 0;
  // The monitor list draws every box as selected while on (display option 1).
  virtual void SetListAllMode(bool on) = 0;
  // Tells the main window which tab the user chose (the monitor list follows).
  virtual void NotifyMonitorSelected(int index) = 0;
  // Selects a monitor in the monitor list (and redraws it).
  virtual void SetListSelection(int index) = 0;
  virtual std::wstring Text(unsigned stringId) const = 0;
};

class VideoPage {
 public:
  // section: "Video" on the main page, the entry's section in entry mode (entryNumber > 0).
  VideoPage(VideoPageView& view, engine::Wallpapers& wallpapers, settings::SettingsStore& store, std::wstring section,
            int entryNumber);

  // The panel's rules, when the page has a panel (at least one monitor).
  void SetPanel(MonitorPanel* panel) { panel_ = panel; }
  MonitorPanel* Panel() const { return panel_; }

  // Reads the stored option (entry mode: loads the entry's records into the monitors first),
  // fills the options box and the tabs, binds the panel, and makes the wallpaper windows.
  void Initialise();
  // The entry-mode page goes: every monitor back to its own record.
  void Leave();
  // The main page after the entry editor closed: the monitor list shows this page's state
  // again (all monitors marked for option 1, else the selected tab), the panel shows the
  // monitors' own records and the wallpaper windows are those of this page's option.
  void ReturnFromEntryEditor();
  int displayOption = kDisplayEach;
  bool EntryMode() const { return entryNumber_ != 0; }

  void RebuildTabs(bool bind);
  void SelectMonitor(int index);
  void ApplyDisplayOption(int option);
  void CreateWallpaperWindows();
  // The user picked an option in the box.
  void OnOptionChosen(int option);
  // The user picked a tab.
  void OnTabSelected(int index);
  // The panel applied a new path to its monitor.
  void OnPanelPathChanged();
  // A wallpaper reported a media event (103: its session started).
  void OnWallpaperStarted(unsigned eventType, const WallpaperWindow* window);
  // The wallpapers' mutes or volumes changed elsewhere; the panel shows them again.
  void RefreshPanelMute();
  void RefreshPanel();
  void ResetVideo();

 private:
  void BindListSelection();

  VideoPageView& view_;
  engine::Wallpapers& wallpapers_;
  settings::SettingsStore& store_;
  std::wstring section_;
  int entryNumber_;
  MonitorPanel* panel_ = nullptr;
};

}  // namespace app
