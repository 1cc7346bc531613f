// The video page's rules over fake monitor sets and fake windows: the windows each display
// option leaves, the tabs, what is written when, the sliders a started wallpaper enables, and
// the reset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/VideoPage.h"
#include "fake_pages.h"
#include "settings/MemoryKeyStore.h"

namespace {

using pagetest::FakeView;
using pagetest::PanelWindow;

struct FakePageView : app::VideoPageView {
  std::vector<std::wstring> tabs;
  int selected = -1, option = 0, notified = -99, listSelection = -99;
  bool allMode = false;
  void SetTabs(const std::vector<std::wstring>& t, int s) override {
    tabs = t;
    selected = s;
  }
  int TabCount() const override { return static_cast<int>(tabs.size()); }
  int SelectedTab() const override { return selected; }
  void SelectTab(int i) override { selected = i; }
  void SetOptionSelection(int o) override { option = o; }
  int OptionSelection() const override { return option; }
  void SetListAllMode(bool on) override { allMode = on; }
  void NotifyMonitorSelected(int i) override { notified = i; }
  void SetListSelection(int i) override { listSelection = i; }
  std::wstring Text(unsigned id) const override { return FakeView().Text(id); }
};

class VideoPageTest : public ::testing::Test {
 protected:
  void Load(int count) {
    pagetest::LoadMonitors(wallpapers, count);
    panelView.panel = &panel;
    panel.Initialise();
    page.SetPanel(&panel);
  }
  // Which monitors have a window, "A" "B" ... and "*" for the spanning one.
  std::string Windows() {
    std::string set;
    for (auto& m : wallpapers.Monitors())
      if (m->videoWnd && m->videoWnd->HasWindow()) set += std::string(m->label.begin(), m->label.end());
    if (wallpapers.All()->videoWnd && wallpapers.All()->videoWnd->HasWindow()) set += "*";
    return set;
  }
  PanelWindow* Window(CMonitor& m) { return static_cast<PanelWindow*>(m.videoWnd.get()); }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  MonitorServices services{store, [] { return std::make_unique<PanelWindow>(); }};
  engine::Wallpapers wallpapers{services};
  FakeView panelView;
  app::MonitorPanel panel{panelView};
  FakePageView view;
  app::VideoPage page{view, wallpapers, store, L"", 0};
};

TEST_F(VideoPageTest, EachOptionLeavesExactlyTheWindowsItNeeds) {
  store.WriteProfileString(L"Video\\M0_1", L"Path", L"a.mp4");
  store.WriteProfileString(L"Video\\M1_1", L"Path", L"b.mp4");
  store.WriteProfileString(L"Video\\0", L"Path", L"span.mp4");
  Load(2);
  page.Initialise();
  EXPECT_EQ(Windows(), "AB");
  EXPECT_EQ(view.tabs, (std::vector<std::wstring>{L"Monitor A", L"Monitor B"}));
  struct Step {
    int option;
    const char* windows;
    std::vector<std::wstring> tabs;
  } steps[] = {{1, "*", {L"All Monitors"}}, {2, "AB", {L"Monitor A", L"Monitor B"}}, {0, "AB", {L"Monitor A", L"Monitor B"}}};
  for (const Step& s : steps) {
    view.option = s.option;  // the box shows the user's choice before the page hears of it
    page.OnOptionChosen(s.option);
    EXPECT_EQ(Windows(), s.windows) << "option " << s.option;
    EXPECT_EQ(view.tabs, s.tabs) << "option " << s.option;
    EXPECT_EQ(view.allMode, s.option == 1);
    EXPECT_EQ(store.GetProfileInt(L"Video", L"DisplayOptions", -1), s.option) << "written on the user's choice";
  }
  EXPECT_EQ(Window(*wallpapers.Monitor(1))->playing, L"a.mp4") << "option 2 gave every monitor the panel's video";
}

TEST_F(VideoPageTest, TheStoredOptionIsReadWithItsRulesAndNotWrittenBack) {
  struct Case {
    int stored, monitors, option;
  } cases[] = {{1, 1, 0}, {2, 1, 0}, {3, 2, 0}, {-1, 2, 0}, {2, 2, 2}};
  for (const Case& c : cases) {
    keys.DeleteTree(L"");
    store.WriteProfileInt(L"Video", L"DisplayOptions", c.stored);
    Load(c.monitors);
    page.Initialise();
    EXPECT_EQ(page.displayOption, c.option) << c.stored << " with " << c.monitors;
    EXPECT_EQ(store.GetProfileInt(L"Video", L"DisplayOptions", -9), c.stored);
  }
}

TEST_F(VideoPageTest, DuplicateOpensTheBoundMonitorOnceAndSpreadsANewPath) {
  Load(3);
  page.Initialise();
  panel.BindMonitor(wallpapers.Monitor(1));
  view.option = 2;
  page.OnOptionChosen(2);
  panelView.picked = L"new.mp4";
  panel.OnBrowse();
  page.OnPanelPathChanged();
  for (auto& m : wallpapers.Monitors()) {
    ASSERT_NE(Window(*m), nullptr);
    EXPECT_EQ(Window(*m)->playing, L"new.mp4");
  }
  EXPECT_EQ(Window(*wallpapers.Monitor(1))->opens, 1) << "the panel's own monitor opened it once";
}

TEST_F(VideoPageTest, AStartedWallpaperDecidesThePositionAndVolumeSliders) {
  store.WriteProfileString(L"Video\\M0_1", L"Path", L"a.mp4");
  Load(1);
  page.Initialise();
  CMonitor& m = *wallpapers.Monitor(0);
  struct FitWindow : PanelWindow {
    std::optional<CoverFit> fit;
    std::optional<CoverFit> CoverSize() const override { return fit; }
  };
  auto window = std::make_unique<FitWindow>();
  FitWindow* w = window.get();
  w->exists = true;
  m.videoWnd = std::move(window);
  struct Case {
    int size;
    std::optional<WallpaperWindow::CoverFit> fit;
    bool audio, vertical, horizontal, volume;
  } cases[] = {
      {0, WallpaperWindow::CoverFit{2400, 1080, 1920, 1080}, true, false, true, true},  // wider video: cropped sides
      {0, WallpaperWindow::CoverFit{1920, 1440, 1920, 1080}, true, true, false, true},  // taller video
      {0, WallpaperWindow::CoverFit{1920, 1080, 1920, 1080}, false, false, false, false},  // fits; no sound
      {0, std::nullopt, true, true, true, true},                                          // size unknown
      {1, WallpaperWindow::CoverFit{2400, 1080, 1920, 1080}, true, false, false, true},   // Contain
  };
  for (const auto& c : cases) {
    m.settings.VideoSize = c.size;
    w->fit = c.fit;
    w->audio = c.audio;
    page.OnWallpaperStarted(103, w);
    EXPECT_EQ(panelView.available[app::kSliderPosY], c.vertical);
    EXPECT_EQ(panelView.available[app::kSliderPosX], c.horizontal);
    EXPECT_EQ(panelView.available[app::kSliderVolume], c.volume);
  }
  panelView.available.clear();
  page.OnWallpaperStarted(107, w);
  PanelWindow other;
  page.OnWallpaperStarted(103, &other);
  EXPECT_TRUE(panelView.available.empty()) << "other events and other windows change nothing";
}

TEST_F(VideoPageTest, TabsFollowTheListAndAnOutOfListSelectionBindsTheFirstMonitor) {
  Load(2);
  wallpapers.selected = 7;
  page.Initialise();
  EXPECT_EQ(panel.Bound(), wallpapers.Monitor(0));
  page.SelectMonitor(1);
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(panel.Bound(), wallpapers.Monitor(1));
  page.OnTabSelected(0);
  EXPECT_EQ(view.notified, 0);
  EXPECT_EQ(panel.Bound(), wallpapers.Monitor(0));
  view.option = 1;
  page.OnOptionChosen(1);
  page.SelectMonitor(1);
  EXPECT_EQ(panel.Bound(), wallpapers.All()) << "option 1 ignores the list";
}

TEST_F(VideoPageTest, ResetReturnsToOptionZeroAndThePanelShowsTheDefaults) {
  store.WriteProfileString(L"Video\\M0_1", L"Path", L"a.mp4");
  store.WriteProfileInt(L"Video\\M0_1", L"Volume", 80);
  Load(2);
  page.Initialise();
  EXPECT_EQ(panelView.volumeText, L"80");
  wallpapers.ResetAll();
  page.ResetVideo();
  EXPECT_EQ(panelView.volumeText, L"50") << "option 0: the panel re-reads its monitor";
  EXPECT_EQ(panelView.path, L"");
  view.option = 1;
  page.OnOptionChosen(1);
  wallpapers.ResetAll();
  page.ResetVideo();
  EXPECT_EQ(view.option, 0);
  EXPECT_EQ(page.displayOption, 0);
  EXPECT_EQ(Windows(), "");
  EXPECT_EQ(store.GetProfileInt(L"Video", L"DisplayOptions", -1), 1) << "the reset path does not write the option";
}

}  // namespace

// The entry editor's video page shows the entry on the live monitors; when it goes, the
// monitors have their own records back and the main page its windows, tab and list state.
TEST_F(VideoPageTest, AnEntryPageShowsTheEntryAndTheMainPageTakesTheMonitorsBack) {
  store.WriteProfileString(L"Video\\M0_1", L"Path", L"a.mp4");
  store.WriteProfileString(L"Video\\M1_1", L"Path", L"b.mp4");
  store.WriteProfileInt(L"Playlist\\5\\Video", L"DisplayOptions", 1);
  store.WriteProfileString(L"Playlist\\5\\Video\\0", L"Path", L"entry.mp4");
  Load(2);
  page.Initialise();
  view.selected = 1;  // the user's tab on the main page
  ASSERT_EQ(Windows(), "AB");

  FakeView entryPanelView;
  app::MonitorPanel entryPanel{entryPanelView};
  entryPanelView.panel = &entryPanel;
  entryPanel.Initialise();
  FakePageView entryView;
  app::VideoPage entry{entryView, wallpapers, store, L"Playlist\\5\\Video", 3};
  entry.SetPanel(&entryPanel);
  entry.Initialise();
  EXPECT_EQ(entry.displayOption, 1);
  EXPECT_EQ(Windows(), "*");
  EXPECT_EQ(Window(*wallpapers.All())->playing, L"entry.mp4");
  EXPECT_TRUE(entryView.allMode);
  EXPECT_EQ(store.GetProfileInt(L"Video", L"DisplayOptions", -1), -1) << "the entry page writes no option of its own";

  entry.Leave();
  page.ReturnFromEntryEditor();
  EXPECT_EQ(wallpapers.Monitor(0)->settings.Path, L"a.mp4");
  EXPECT_EQ(Windows(), "AB");
  EXPECT_EQ(Window(*wallpapers.Monitor(1))->playing, L"b.mp4");
  EXPECT_FALSE(view.allMode);
  EXPECT_EQ(view.listSelection, 1) << "the list selects the main page's tab again";
  EXPECT_EQ(store.GetProfileString(L"Playlist\\5\\Video\\0", L"Path"), L"entry.mp4");
}
