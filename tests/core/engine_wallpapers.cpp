// The wallpapers as a whole with fake monitor sets and fake windows: the operations on all of
// them and the display changes while the program runs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/Wallpapers.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"

namespace {

// A window that remembers where it stands, what it plays and how loud.
struct FakeWindow : WallpaperWindow {
  std::vector<std::string>* log;
  bool exists = false;
  MonitorRect at;
  std::wstring playing;
  float level = -1;
  bool paused = false;
  explicit FakeWindow(std::vector<std::string>* l) : log(l) {}
  ~FakeWindow() override { log->push_back("delete"); }
  bool Create(CMonitor& m) override {
    if (exists && !(at == m.displayRect)) log->push_back("move");
    exists = true;
    at = m.displayRect;
    return true;
  }
  void Destroy() override { exists = false; }
  bool HasWindow() const override { return exists; }
  void ApplyStretchAndPosition(bool, bool, float, float) override {}
  void ApplyOverlay(float, bool) override {}
  void ApplyVolume(float l) override { level = l; }
  int32_t Open(const std::wstring& path) override {
    playing = path;
    log->push_back("open");
    return 0;
  }
  int32_t Pause(bool p) override {
    paused = p;
    return 0;
  }
  int32_t ApplyPlayback() override { return 0; }
};

struct Screen {
  const wchar_t* id;  // device id; the key is its model and instance
  MonitorRect rect;
};

class WallpapersTest : public ::testing::Test {
 protected:
  static std::vector<EnumeratedMonitor> Enumeration(const std::vector<Screen>& screens) {
    std::vector<EnumeratedMonitor> list;
    for (const Screen& s : screens) {
      DisplayProbe probe;
      probe.infoOk = probe.modeOk = probe.deviceOk = true;
      probe.x = s.rect.left;
      probe.y = s.rect.top;
      probe.width = static_cast<uint32_t>(s.rect.Width());
      probe.height = static_cast<uint32_t>(s.rect.Height());
      probe.deviceId = s.id;
      list.push_back({probe, s.rect});
    }
    return list;
  }
  FakeWindow* Window(const CMonitor& m) { return static_cast<FakeWindow*>(m.videoWnd.get()); }
  std::vector<std::wstring> Keys() {
    std::vector<std::wstring> keys;
    for (auto& m : wallpapers.Monitors()) keys.push_back(m->MonitorKey());
    return keys;
  }
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  std::vector<std::string> log;
  MonitorServices services{store, [this] { return std::make_unique<FakeWindow>(&log); }};
  engine::Wallpapers wallpapers{services};
};

const Screen kPrimary{L"MONITOR\\PRI\\{c}\\1", {0, 0, 1920, 1080}};
const Screen kLeft{L"MONITOR\\LFT\\{c}\\2", {-1280, 0, 0, 1024}};
const Screen kRight{L"MONITOR\\RGT\\{c}\\3", {1920, 0, 3840, 1200}};

TEST_F(WallpapersTest, LoadRestoresTheSelectionAndClearWritesIt) {
  store.WriteProfileInt(L"Video", L"Selected", 1);
  store.WriteProfileString(L"Video\\RGT_3", L"Path", L"r.mp4");
  wallpapers.Load(Enumeration({kPrimary, kRight}));
  EXPECT_EQ(wallpapers.selected, 1);
  EXPECT_EQ(wallpapers.Monitor(1)->settings.Path, L"r.mp4");
  EXPECT_EQ(wallpapers.MonitorOrAll(5), wallpapers.All());
  wallpapers.selected = 0;
  wallpapers.Monitor(0)->settings.Volume = 12;
  wallpapers.Clear();
  EXPECT_FALSE(wallpapers.Loaded());
  EXPECT_EQ(store.GetProfileInt(L"Video", L"Selected", -1), 0);
  EXPECT_EQ(store.GetProfileInt(L"Video\\PRI_1", L"Volume", -1), 12);
}

TEST_F(WallpapersTest, MuteAllKeepsTheUsersMutesApartFromAutomaticOnes) {
  wallpapers.Load(Enumeration({kLeft, kPrimary, kRight}));
  CMonitor& user = *wallpapers.Monitor(0);
  CMonitor& plain = *wallpapers.Monitor(1);
  CMonitor& takenOver = *wallpapers.Monitor(2);
  user.settings.Mute = true;  // the user muted it on the panel
  for (CMonitor* m : {&user, &plain, &takenOver}) m->SetPath(L"v.mp4", false);

  wallpapers.MuteAll(true, true);  // other audio plays
  EXPECT_FALSE(user.autoMuted) << "already muted by the user";
  EXPECT_TRUE(plain.autoMuted);
  EXPECT_FLOAT_EQ(Window(plain)->level, 0.0f);
  // The tray's mute now: the automatic mutes become the user's.
  wallpapers.MuteAll(true, false);
  EXPECT_FALSE(takenOver.autoMuted);
  wallpapers.MuteAll(false, true);  // the other audio stopped
  EXPECT_TRUE(takenOver.settings.Mute) << "the user's mute outlives the automatic unmute";
  EXPECT_TRUE(user.settings.Mute);
  wallpapers.MuteAll(false, false);
  for (CMonitor* m : {&user, &plain, &takenOver}) {
    EXPECT_FALSE(m->settings.Mute);
    EXPECT_FLOAT_EQ(Window(*m)->level, 0.5f) << "the volume is back";
  }
  // An automatic mute lifted automatically.
  wallpapers.MuteAll(true, true);
  wallpapers.MuteAll(false, true);
  EXPECT_FALSE(plain.settings.Mute);
  EXPECT_FALSE(plain.autoMuted);
}

TEST_F(WallpapersTest, VolumeForAllSetsEveryRecordAndWindow) {
  wallpapers.Load(Enumeration({kPrimary, kRight}));
  wallpapers.Monitor(0)->SetPath(L"v.mp4", false);
  wallpapers.Monitor(1)->autoMuted = true;
  wallpapers.Monitor(1)->settings.Mute = true;
  wallpapers.SetVolumeAll(30);
  wallpapers.ForEach([](CMonitor& m) {
    EXPECT_EQ(m.settings.Volume, 30);
    EXPECT_FALSE(m.settings.Mute);
    EXPECT_FALSE(m.autoMuted);
  });
  EXPECT_FLOAT_EQ(Window(*wallpapers.Monitor(0))->level, 0.3f);
  wallpapers.SetVolumeAll(0);
  EXPECT_TRUE(wallpapers.All()->settings.Mute) << "0 mutes";
}

TEST_F(WallpapersTest, RemoveAllStoresTheEmptyPathsAtOnceAndKeepsTheRest) {
  store.WriteProfileString(L"Video\\PRI_1", L"Path", L"p.mp4");
  store.WriteProfileInt(L"Video\\PRI_1", L"BlackOverlay", 40);
  store.WriteProfileString(L"Video\\0", L"Path", L"span.mp4");
  wallpapers.Load(Enumeration({kPrimary}));
  wallpapers.Monitor(0)->RefreshWindow();
  wallpapers.RemoveAllPaths();
  EXPECT_EQ(wallpapers.Monitor(0)->videoWnd, nullptr);
  EXPECT_EQ(store.GetProfileString(L"Video\\PRI_1", L"Path", L"x"), L"") << "stored now, not at exit";
  EXPECT_EQ(store.GetProfileString(L"Video\\0", L"Path", L"x"), L"");
  EXPECT_EQ(wallpapers.Monitor(0)->settings.BlackOverlay, 40);
}

TEST_F(WallpapersTest, ResetAllReturnsEveryRecordToItsDefaultsWithoutWriting) {
  store.WriteProfileString(L"Video\\PRI_1", L"Path", L"p.mp4");
  store.WriteProfileInt(L"Video\\PRI_1", L"Volume", 80);
  wallpapers.Load(Enumeration({kPrimary}));
  wallpapers.Monitor(0)->RefreshWindow();
  wallpapers.Monitor(0)->autoMuted = true;
  wallpapers.ResetAll();
  CMonitor& m = *wallpapers.Monitor(0);
  EXPECT_EQ(m.settings.Path, L"");
  EXPECT_EQ(m.settings.Volume, 50);
  EXPECT_TRUE(m.autoMuted) << "left as it was";
  EXPECT_EQ(m.videoWnd, nullptr);
  EXPECT_EQ(store.GetProfileInt(L"Video\\PRI_1", L"Volume", 0), 80) << "nothing written";
}

TEST_F(WallpapersTest, DisplayChangesKeepRecordsAndWindowsByKey) {
  store.WriteProfileString(L"Video\\PRI_1", L"Path", L"p.mp4");
  store.WriteProfileString(L"Video\\RGT_3", L"Path", L"r.mp4");
  store.WriteProfileString(L"Video\\LFT_2", L"Path", L"l.mp4");
  wallpapers.Load(Enumeration({kPrimary, kRight}));
  for (auto& m : wallpapers.Monitors()) m->RefreshWindow();
  wallpapers.selected = 1;  // the right one
  FakeWindow* primaryWindow = Window(*wallpapers.Monitor(0));
  log.clear();

  // A monitor plugged in on the left: the others move right in the layer, keep their
  // windows, and the new one gets its own record and window.
  EXPECT_TRUE(wallpapers.Reconcile(Enumeration({kPrimary, kRight, kLeft}), 0));
  EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"LFT_2", L"PRI_1", L"RGT_3"}));
  EXPECT_EQ(Window(*wallpapers.Monitor(1)), primaryWindow) << "kept, not made anew";
  EXPECT_EQ(primaryWindow->at, (MonitorRect{1280, 0, 3200, 1080}));
  EXPECT_EQ(Window(*wallpapers.Monitor(0))->playing, L"l.mp4");
  EXPECT_EQ(wallpapers.selected, 2) << "the selection follows its monitor";
  EXPECT_EQ(wallpapers.Monitor(0)->label, L"C") << "labels follow the enumeration";
  EXPECT_EQ(std::count(log.begin(), log.end(), "open"), 1) << "only the new monitor opens a video";

  // The same set again: nothing changes.
  log.clear();
  EXPECT_FALSE(wallpapers.Reconcile(Enumeration({kPrimary, kRight, kLeft}), 0));
  EXPECT_TRUE(log.empty());

  // The primary monitor unplugged: its record is written and its window goes.
  wallpapers.Monitor(1)->settings.Volume = 77;
  EXPECT_TRUE(wallpapers.Reconcile(Enumeration({kRight, kLeft}), 0));
  EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"LFT_2", L"RGT_3"}));
  EXPECT_EQ(std::count(log.begin(), log.end(), "delete"), 1);
  EXPECT_EQ(store.GetProfileInt(L"Video\\PRI_1", L"Volume", 0), 77);
  EXPECT_EQ(wallpapers.selected, 1);
  // The layer still starts at the left monitor (-1280), so the right one (1920) moves to 3200.
  EXPECT_EQ(Window(*wallpapers.Monitor(1))->at, (MonitorRect{3200, 0, 5120, 1200}));
}

TEST_F(WallpapersTest, DisplayChangeUnderTheOtherOptions) {
  store.WriteProfileString(L"Video\\PRI_1", L"Path", L"p.mp4");
  store.WriteProfileString(L"Video\\0", L"Path", L"span.mp4");
  // Option 1: the spanning window is fitted again and no monitor gets a window of its own.
  wallpapers.Load(Enumeration({kPrimary}));
  wallpapers.All()->RefreshWindow();
  EXPECT_TRUE(wallpapers.Reconcile(Enumeration({kPrimary, kRight}), 1));
  EXPECT_EQ(wallpapers.Monitor(1)->videoWnd, nullptr);
  EXPECT_NE(wallpapers.All()->videoWnd, nullptr);
  // Option 2: a new monitor plays the video the others share.
  wallpapers.All()->RemoveWindow();
  wallpapers.Monitor(0)->RefreshWindow();
  wallpapers.Monitor(1)->SetPath(L"p.mp4", true);
  EXPECT_TRUE(wallpapers.Reconcile(Enumeration({kPrimary, kRight, kLeft}), 2));
  ASSERT_NE(Window(*wallpapers.Monitor(0)), nullptr);
  EXPECT_EQ(Window(*wallpapers.Monitor(0))->playing, L"p.mp4");
}

TEST_F(WallpapersTest, OperationsReachEveryWindowTheSpanningOneIncluded) {
  wallpapers.Load(Enumeration({kPrimary}));
  wallpapers.Monitor(0)->SetPath(L"a.mp4", false);
  wallpapers.All()->SetPath(L"b.mp4", false);
  wallpapers.PauseAll(true);
  EXPECT_TRUE(Window(*wallpapers.Monitor(0))->paused);
  EXPECT_TRUE(Window(*wallpapers.All())->paused);
}

}  // namespace
