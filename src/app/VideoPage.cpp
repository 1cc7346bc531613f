// The video page's rules.
#include "app/VideoPage.h"

#include "base/Log.h"
#include "base/ResourceIds.h"

namespace app {

VideoPage::VideoPage(VideoPageView& view, engine::Wallpapers& wallpapers, settings::SettingsStore& store,
                     std::wstring section, int entryNumber)
    : view_(view),
      wallpapers_(wallpapers),
      store_(store),
      section_(section.empty() ? L"Video" : std::move(section)),
      entryNumber_(entryNumber) {}

void VideoPage::Initialise() {
  if (EntryMode()) wallpapers_.ForEach([this](CMonitor& m) { m.LoadSection(section_); });
  displayOption = ReadDisplayOptions(store_, section_, wallpapers_.Count());
  view_.SetOptionSelection(displayOption);
  if (panel_) {
    panel_->entryMode = EntryMode();
    RebuildTabs(true);
  }
  CreateWallpaperWindows();
}

void VideoPage::Leave() {
  if (EntryMode()) wallpapers_.ForEach([](CMonitor& m) { m.LoadSection(L""); });
}

void VideoPage::ReturnFromEntryEditor() {
  if (view_.OptionSelection() == kDisplaySpan) {
    view_.SetListAllMode(true);
  } else if (view_.TabCount() > 0) {
    view_.SetListAllMode(false);
    int tab = view_.SelectedTab();
    if (tab >= -1 && tab < view_.TabCount()) view_.SetListSelection(tab);
  }
  RefreshPanel();
  CreateWallpaperWindows();
}

void VideoPage::BindListSelection() {
  if (!panel_) return;
  // A selection outside the list (none, or a monitor that is gone) binds the first monitor.
  CMonitor* monitor = wallpapers_.Monitor(wallpapers_.selected);
  if (!monitor) monitor = wallpapers_.Monitor(0);
  panel_->BindMonitor(monitor ? monitor : wallpapers_.All());
}

void VideoPage::RebuildTabs(bool bind) {
  if (view_.OptionSelection() == kDisplaySpan) {
    view_.SetListAllMode(true);
    view_.SetTabs({view_.Text(IDS_ALL_MONITORS)}, 0);
    if (bind && panel_) panel_->BindMonitor(wallpapers_.All());
    return;
  }
  view_.SetListAllMode(false);
  std::vector<std::wstring> tabs;
  std::wstring word = view_.Text(IDS_MONITOR);
  for (const auto& m : wallpapers_.Monitors()) tabs.push_back(word + L" " + m->label);
  int selected = wallpapers_.selected >= 0 && wallpapers_.selected < static_cast<int>(tabs.size()) ? wallpapers_.selected
                                                                                                    : (tabs.empty() ? -1 : 0);
  view_.SetTabs(tabs, selected);
  if (bind) BindListSelection();
}

void VideoPage::SelectMonitor(int index) {
  if (view_.OptionSelection() == kDisplaySpan) return;
  if (index >= 0 && index < view_.TabCount() && index != view_.SelectedTab()) view_.SelectTab(index);
  if (panel_) panel_->BindMonitor(wallpapers_.MonitorOrAll(index));
}

void VideoPage::ApplyDisplayOption(int option) {
  int old = displayOption;
  displayOption = option;
  if (option == kDisplaySpan || old == kDisplaySpan) RebuildTabs(false);
  if (!panel_) return;
  if (option == kDisplaySpan) {
    panel_->BindMonitor(wallpapers_.All());
    wallpapers_.All()->RefreshWindow();
    for (auto& m : wallpapers_.Monitors()) m->RemoveWindow();
    return;
  }
  BindListSelection();
  if (option == kDisplayDuplicate) {
    // Every monitor plays the panel's video; the panel's own already does.
    std::wstring path = panel_->Bound() ? panel_->Bound()->settings.Path : L"";
    for (auto& m : wallpapers_.Monitors())
      if (m.get() != panel_->Bound() || !m->videoWnd) m->SetPath(path.c_str(), true);
  } else {
    for (auto& m : wallpapers_.Monitors()) m->RefreshWindow();
  }
  wallpapers_.All()->RemoveWindow();
}

void VideoPage::CreateWallpaperWindows() {
  if (displayOption == kDisplaySpan) {
    wallpapers_.All()->RefreshWindow();
    for (auto& m : wallpapers_.Monitors()) m->RemoveWindow();
    return;
  }
  for (auto& m : wallpapers_.Monitors()) m->RefreshWindow();
  wallpapers_.All()->RemoveWindow();
}

void VideoPage::OnOptionChosen(int option) {
  LogMessage(Info, "Add Video: Set Display Options %d", option);
  if (option < kDisplayEach || option > kDisplayDuplicate || option == displayOption) return;
  ApplyDisplayOption(option);
  if (!EntryMode()) store_.WriteProfileInt(section_, L"DisplayOptions", option);
}

void VideoPage::OnTabSelected(int index) {
  if (panel_) panel_->BindMonitor(wallpapers_.MonitorOrAll(index));
  view_.NotifyMonitorSelected(index);
}

void VideoPage::OnPanelPathChanged() {
  if (displayOption != kDisplayDuplicate || !panel_ || !panel_->Bound()) return;
  std::wstring path = panel_->Bound()->settings.Path;
  // The panel's own monitor has opened it already: open it once more on every other one.
  for (auto& m : wallpapers_.Monitors())
    if (m.get() != panel_->Bound()) m->SetPath(path.c_str(), true);
}

void VideoPage::OnWallpaperStarted(unsigned eventType, const WallpaperWindow* window) {
  constexpr unsigned kSessionStarted = 103;
  if (!panel_ || !panel_->Bound() || eventType != kSessionStarted) return;
  CMonitor& monitor = *panel_->Bound();
  if (!monitor.videoWnd || monitor.videoWnd.get() != window) return;
  bool vertical = true, horizontal = true;
  if (monitor.settings.VideoSize != WallpaperSettings::Cover) {
    vertical = horizontal = false;
  } else if (monitor.videoWnd->HasWindow()) {
    if (auto fit = monitor.videoWnd->CoverSize()) {
      LogMessage(Info, "Video Size: %dx%d", fit->coverWidth, fit->coverHeight);
      // Only a dimension that is cropped can be shifted.
      horizontal = fit->coverWidth > fit->clientWidth;
      vertical = fit->coverHeight > fit->clientHeight;
    }
  }
  bool volume = !monitor.videoWnd->HasWindow() || monitor.videoWnd->HasAudio();
  panel_->ShowSliderOrHint(kSliderPosY, vertical);
  panel_->ShowSliderOrHint(kSliderPosX, horizontal);
  panel_->ShowSliderOrHint(kSliderVolume, volume);
}

void VideoPage::RefreshPanelMute() {
  if (panel_) panel_->RefreshMute(true);
}

void VideoPage::RefreshPanel() {
  if (panel_) panel_->RefreshFromMonitor();
}

void VideoPage::ResetVideo() {
  // (The log line and the records' reset are the wallpapers' part; see the main window.)
  if (view_.OptionSelection() != kDisplayEach) {
    view_.SetOptionSelection(kDisplayEach);
    ApplyDisplayOption(kDisplayEach);
  } else {
    displayOption = kDisplayEach;
    RefreshPanel();  // the panel shows the reset record, not the values it held before
  }
}

}  // namespace app
