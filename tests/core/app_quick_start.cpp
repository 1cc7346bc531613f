// Quick Start's rules over a fake folder, fake monitors and a recorded view: the scan filter,
// the picks of the runtime's generator, the first and later applications, the switch and its
// empty folder, the interval, the volume box and the reset.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/QuickStartPage.h"
#include "fake_pages.h"
#include "settings/MemoryKeyStore.h"

namespace {

using pagetest::PanelWindow;

struct FakeFolder : app::FolderLister {
  std::map<std::wstring, std::vector<app::FolderEntry>> folders;
  std::vector<app::FolderEntry> List(const std::wstring& folder) override {
    auto found = folders.find(folder);
    return found == folders.end() ? std::vector<app::FolderEntry>{} : found->second;
  }
};

struct FakeView : app::QuickStartView {
  app::QuickStartPage* page = nullptr;
  std::wstring folder, count, volumeText;
  int row = -1, slider = 0, noFolderMessages = 0;
  bool removeEnabled = true, switchOn = false, mutePicture = false;
  std::optional<std::wstring> picked;
  void SetFolderText(const std::wstring& text) override {
    if (text == folder) return;
    folder = text;
    if (page) page->OnFolderChanged();
  }
  std::wstring FolderText() const override { return folder; }
  void EnableRemove(bool enabled) override { removeEnabled = enabled; }
  bool RemoveHasFocus() const override { return false; }
  void FocusBrowse() override {}
  void SetCountText(const std::wstring& text) override { count = text; }
  void SetIntervalRow(int r) override { row = r; }
  int IntervalRow() const override { return row; }
  void SetSwitch(bool on) override { switchOn = on; }
  bool SwitchOn() const override { return switchOn; }
  void SetSliderPos(int value) override { slider = value < 0 ? 0 : value > 100 ? 100 : value; }
  int SliderPos() const override { return slider; }
  void ShowMutePicture(bool muted) override { mutePicture = muted; }
  void SetVolumeText(const std::wstring& text) override { volumeText = text; }
  std::optional<std::wstring> PickFolder() override { return picked; }
  void ShowNoFolderMessage() override { ++noFolderMessages; }
  std::wstring Text(unsigned id) const override {
    return id == IDS_QUICK_START_ONE_VIDEO ? L"%d video file detected in this folder"
                                           : L"%d video files detected in this folder";
  }
};

struct FakeTarget : app::QuickStartTarget {
  bool held = false, trayMuted = false, musicOnly = false;
  int eachMonitor = 0;
  uint64_t now = 1000;
  bool Held() const override { return held; }
  bool TrayMuted() const override { return trayMuted; }
  bool MusicOnly() const override { return musicOnly; }
  void ShowEachMonitor() override { ++eachMonitor; }
  uint64_t Now() const override { return now; }
};

// The runtime's rand() from its first state.
constexpr int kRand[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};

class QuickStartTest : public ::testing::Test {
 protected:
  void Monitors(int count) { pagetest::LoadMonitors(wallpapers, count); }
  void Files(const std::wstring& folder, std::vector<std::wstring> names) {
    std::vector<app::FolderEntry> entries;
    for (auto& n : names) entries.push_back({n, false});
    lister.folders[folder + L"\\"] = entries;
  }
  app::QuickStartPage& Page() {
    page.emplace(view, store, wallpapers, lister, target);
    view.page = &*page;
    page->Initialise();
    return *page;
  }
  void SwitchOn() {
    view.switchOn = true;
    page->OnSwitchClicked();
  }
  std::wstring Playing(int monitor) {
    auto* window = static_cast<PanelWindow*>(wallpapers.Monitor(monitor)->videoWnd.get());
    return window ? window->playing : L"";
  }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  MonitorServices services{store, [] { return std::make_unique<PanelWindow>(); }};
  engine::Wallpapers wallpapers{services};
  FakeFolder lister;
  FakeView view;
  FakeTarget target;
  std::optional<app::QuickStartPage> page;
};

}  // namespace

TEST(QuickStartScan, Mp4ThenAviFilesOnlyInAnyCase) {
  FakeFolder folder;
  folder.folders[L"C:\\v\\"] = {{L"b.avi", false},      {L"a.mp4", false},      {L"clips.mp4", true},
                                {L"C.MP4", false},      {L"notes.txt", false},  {L"d.Avi", false},
                                {L"movie.mp4.part", false}, {L"mp4", false},   {L"x.mkv", false}};
  EXPECT_EQ(app::ScanVideos(folder, L"C:\\v\\"), (std::vector<std::wstring>{L"a.mp4", L"C.MP4", L"b.avi", L"d.Avi"}));
  EXPECT_TRUE(app::ScanVideos(folder, L"C:\\none\\").empty());
  app::RandomPicks picks;
  for (int value : kRand) EXPECT_EQ(picks.Next(), value);
}

TEST_F(QuickStartTest, PicksFollowTheGeneratorForEachFolderSizeAndMonitorCount) {
  struct Case {
    int files, monitors;
  } cases[] = {{1, 1}, {2, 1}, {3, 2}, {5, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.files) + " files, " + std::to_string(c.monitors) + " monitors");
    keys.DeleteTree(L"");
    view = FakeView();
    Monitors(c.monitors);
    std::vector<std::wstring> names;
    for (int i = 0; i < c.files; ++i) names.push_back(L"v" + std::to_wstring(i) + L".mp4");
    Files(L"C:\\q", names);
    store.WriteProfileString(L"QuickStart", L"Path", L"C:\\q");
    Page();  // a new page: the generator starts again, as in a new run
    SwitchOn();
    for (int m = 0; m < c.monitors; ++m) EXPECT_EQ(Playing(m), L"C:\\q\\" + names[kRand[m] % c.files]) << m;
    EXPECT_EQ(view.count, c.files == 1 ? L"1 video file detected in this folder"
                                       : std::to_wstring(c.files) + L" video files detected in this folder");
    // The next change draws on from the same generator.
    target.now = page->deadline;
    page->OnTimer();
    for (int m = 0; m < c.monitors; ++m)
      EXPECT_EQ(Playing(m), L"C:\\q\\" + names[kRand[c.monitors + m] % c.files]) << m;
    page->Stop();
  }
}

TEST_F(QuickStartTest, TheFirstApplicationOverridesVolumeMuteAndSizeAndLaterOnesDoNot) {
  Monitors(2);
  Files(L"C:\\q", {L"a.mp4", L"b.avi"});
  store.WriteProfileString(L"QuickStart", L"Path", L"C:\\q");
  store.WriteProfileInt(L"QuickStart", L"Volume", 70);
  for (int m = 0; m < 2; ++m) {
    wallpapers.Monitor(m)->settings.VideoSize = WallpaperSettings::Stretch;
    wallpapers.Monitor(m)->settings.Volume = 20;
    wallpapers.Monitor(m)->autoMuted = true;
  }
  Page();
  SwitchOn();
  EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"Active", -1), 1);
  EXPECT_EQ(target.eachMonitor, 1);
  for (int m = 0; m < 2; ++m) {
    const CMonitor& monitor = *wallpapers.Monitor(m);
    EXPECT_EQ(monitor.settings.VideoSize, WallpaperSettings::Cover);
    EXPECT_EQ(monitor.settings.Volume, 70);
    EXPECT_FALSE(monitor.settings.Mute);
    EXPECT_FALSE(monitor.autoMuted);
  }
  // The user's own changes after that stay through the later changes.
  wallpapers.Monitor(1)->settings.Volume = 15;
  wallpapers.Monitor(1)->settings.VideoSize = WallpaperSettings::Contain;
  target.now = page->deadline;
  page->OnTimer();
  EXPECT_EQ(wallpapers.Monitor(1)->settings.Volume, 15);
  EXPECT_EQ(wallpapers.Monitor(1)->settings.VideoSize, WallpaperSettings::Contain);
  // Later changes: the tray's mute mutes what comes.
  target.trayMuted = true;
  target.now = page->deadline;
  page->OnTimer();
  EXPECT_TRUE(wallpapers.Monitor(0)->settings.Mute);
}

TEST_F(QuickStartTest, SwitchedOnWhileMutedGivesTheRememberedVolumeMuted) {
  Monitors(1);
  Files(L"C:\\q", {L"a.mp4"});
  store.WriteProfileString(L"QuickStart", L"Path", L"C:\\q");
  store.WriteProfileInt(L"QuickStart", L"Volume", 60);
  store.WriteProfileInt(L"QuickStart", L"Mute", 1);
  Page();
  EXPECT_EQ(view.slider, 0);
  SwitchOn();
  EXPECT_EQ(wallpapers.Monitor(0)->settings.Volume, 60) << "unmuting must be heard";
  EXPECT_TRUE(wallpapers.Monitor(0)->settings.Mute);
  EXPECT_EQ(static_cast<PanelWindow*>(wallpapers.Monitor(0)->videoWnd.get())->level, 0.0f);
}

TEST_F(QuickStartTest, TheSwitchWithoutAFolderAndAFolderRemovedWhileOn) {
  Monitors(2);
  Page();
  SwitchOn();
  EXPECT_EQ(view.noFolderMessages, 1);
  EXPECT_FALSE(view.switchOn);
  EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"Active", -1), 0);
  EXPECT_FALSE(page->timerRunning);

  Files(L"C:\\q", {L"a.mp4"});
  view.SetFolderText(L"C:\\q");
  EXPECT_EQ(store.GetProfileString(L"QuickStart", L"Path"), L"C:\\q");
  EXPECT_TRUE(view.removeEnabled);
  SwitchOn();
  ASSERT_EQ(Playing(1), L"C:\\q\\a.mp4");
  page->OnRemove();
  EXPECT_FALSE(view.switchOn);
  EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"Active", -1), 0) << "the next start must not show it on";
  EXPECT_EQ(wallpapers.Monitor(0)->settings.Path, L"");
  EXPECT_EQ(wallpapers.Monitor(1)->videoWnd, nullptr) << "the wallpapers Quick Start set are gone";
  EXPECT_EQ(view.count, L"");
  EXPECT_FALSE(view.removeEnabled);
  EXPECT_FALSE(page->timerRunning);
}

TEST_F(QuickStartTest, TheTimerWaitsForItsDeadlineAndForTheHolds) {
  Monitors(1);
  Files(L"C:\\q", {L"a.mp4", L"b.mp4", L"c.mp4"});
  store.WriteProfileString(L"QuickStart", L"Path", L"C:\\q");
  store.WriteProfileInt(L"QuickStart", L"Active", 1);
  store.WriteProfileInt(L"QuickStart", L"ChangeTime", 1);  // 5 min
  Page();  // on at start: applied at once
  EXPECT_EQ(Playing(0), L"C:\\q\\" + std::wstring(L"abc").substr(kRand[0] % 3, 1) + L".mp4");
  EXPECT_EQ(page->deadline, 1000u + 300000u);
  const auto opens = [&] { return static_cast<PanelWindow*>(wallpapers.Monitor(0)->videoWnd.get())->opens; };
  const int before = opens();
  target.now = 1000 + 299999;
  page->OnTimer();
  target.held = true;
  target.now = 1000 + 400000;
  page->OnTimer();
  EXPECT_EQ(page->deadline, 1000u + 300000u) << "held: nothing moves";
  target.held = false;
  view.row = 0;
  page->OnIntervalChosen();
  EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"ChangeTime", -1), 0);
  EXPECT_EQ(page->deadline, 1000u + 400000u + 30000u);
  target.now = page->deadline;
  page->OnTimer();
  EXPECT_EQ(page->deadline, target.now + 30000u);
  // The second pick (18467 % 3) is c again, like the first (41 % 3): an unchanged path keeps the
  // running video.
  EXPECT_EQ(before, 1);
  EXPECT_EQ(opens(), 1);
}

TEST_F(QuickStartTest, AnEmptyFolderIsWatchedUntilVideosCome) {
  Monitors(1);
  Files(L"C:\\q", {});
  store.WriteProfileString(L"QuickStart", L"Path", L"C:\\q");
  Page();
  SwitchOn();
  EXPECT_EQ(view.count, L"0 video files detected in this folder");
  EXPECT_TRUE(view.switchOn);
  EXPECT_TRUE(page->timerRunning);
  EXPECT_FALSE(page->applied);
  Files(L"C:\\q", {L"new.avi"});
  target.now += 1000;
  page->OnTimer();
  EXPECT_EQ(Playing(0), L"") << "not before the next scan";
  target.now += 5000;
  page->OnTimer();
  EXPECT_EQ(Playing(0), L"C:\\q\\new.avi");
  EXPECT_TRUE(page->applied);
}

TEST_F(QuickStartTest, TypedVolumesMuteButtonAndReset) {
  Monitors(1);
  Files(L"C:\\q", {L"a.mp4"});
  store.WriteProfileString(L"QuickStart", L"Path", L"C:\\q");
  Page();
  struct Step {
    const wchar_t* typed;
    const wchar_t* shown;
    int volume, mute;
  } steps[] = {{L"250", L"100", 100, 0}, {L"007", nullptr, 7, 0}, {L"", L"0", 0, 1}, {L"40", nullptr, 40, 0}};
  for (const Step& s : steps) {
    view.volumeText = L"";
    page->OnVolumeTyped(s.typed);
    if (s.shown) {
      EXPECT_EQ(view.volumeText, s.shown) << s.typed;
    }
    EXPECT_EQ(view.slider, s.volume);
    EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"Volume", -1), s.volume) << s.typed;
    EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"Mute", -1), s.mute) << s.typed;
  }
  page->OnMuteClicked();
  EXPECT_EQ(view.slider, 0);
  EXPECT_EQ(store.GetProfileInt(L"QuickStart", L"Mute", -1), 1);
  page->OnMuteClicked();
  EXPECT_EQ(view.slider, 40);

  SwitchOn();
  ASSERT_TRUE(page->applied);
  page->Reset();
  EXPECT_FALSE(page->timerRunning);
  EXPECT_FALSE(page->applied) << "the next switch-on overrides volume and size again";
  EXPECT_EQ(view.folder, L"");
  EXPECT_EQ(view.slider, 50);
  EXPECT_FALSE(view.switchOn);
  EXPECT_EQ(store.GetProfileString(L"QuickStart", L"Path", L"kept"), L"C:\\q") << "the reset's own change writes nothing";
}
