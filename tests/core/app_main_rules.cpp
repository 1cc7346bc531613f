// The main window's switchboard over the memory store, fake wallpaper windows and a page
// recorder: the stored task, the tray's toggles, the quick controls' messages, remove all and
// factory reset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainRules.h"
#include "settings/MemoryKeyStore.h"

namespace {

struct RecordingWindow : WallpaperWindow {
  bool exists = false;
  float level = -1;
  int applied = 0;
  bool Create(CMonitor&) override { return exists = true; }
  void Destroy() override { exists = false; }
  bool HasWindow() const override { return exists; }
  void ApplyStretchAndPosition(bool, bool, float, float) override {}
  void ApplyOverlay(float, bool) override {}
  void ApplyVolume(float l) override { level = l; }
  int32_t Open(const std::wstring&) override { return 0; }
  int32_t Pause(bool) override { return 0; }
  int32_t ApplyPlayback() override { return ++applied, 0; }
};

struct PageRecorder : app::Pages {
  std::vector<std::string> calls;
  bool musicOnly = false;
  void Add(const std::string& call) { calls.push_back(call); }
  static std::string B(bool v) { return v ? "1" : "0"; }
  void VideoRefreshPanel() override { Add("video refresh"); }
  void VideoReset() override { Add("video reset"); }
  void MusicPause(bool p) override { Add("music pause " + B(p)); }
  void MusicMute(bool m, bool a) override { Add("music mute " + B(m) + B(a)); }
  bool MusicIsMusicOnly() const override { return musicOnly; }
  void MusicSetVolume(int v) override { Add("music volume " + std::to_string(v)); }
  void MusicClear() override { Add("music clear"); }
  void MusicReset() override { Add("music reset"); }
  void QuickStartSetMuted(bool m, bool a) override { Add("quick start mute " + B(m) + B(a)); }
  void QuickStartSetVolume(int v) override { Add("quick start volume " + std::to_string(v)); }
  void QuickStartClear() override { Add("quick start clear"); }
  void QuickStartReset() override { Add("quick start reset"); }
  void PlaylistsReset() override { Add("playlists reset"); }
  void SettingsReset() override { Add("settings reset"); }
  void SetTrayState(bool p, bool m) override { Add("tray " + B(p) + B(m)); }
};

class MainRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DisplayProbe probe;
    probe.infoOk = probe.modeOk = probe.deviceOk = true;
    probe.width = 1920;
    probe.height = 1080;
    probe.deviceId = L"MONITOR\\PRI\\{c}\\1";
    store.WriteProfileString(L"Video\\PRI_1", L"Path", L"p.mp4");
    wallpapers.Load({{probe, {0, 0, 1920, 1080}}});
    wallpapers.Monitor(0)->RefreshWindow();
  }
  RecordingWindow& Window() { return *static_cast<RecordingWindow*>(wallpapers.Monitor(0)->videoWnd.get()); }
  CMonitor& Monitor() { return *wallpapers.Monitor(0); }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  MonitorServices services{store, [] { return std::make_unique<RecordingWindow>(); }};
  engine::Wallpapers wallpapers{services};
  engine::PlaybackPolicy policy;
  AppFlags flags;
  PageRecorder pages;
  app::MainContext c{flags, store, policy, wallpapers, pages};
};

TEST_F(MainRulesTest, StoredTaskIsComparedUnsignedAndNotWrittenAtStart) {
  struct Case {
    bool stored;
    uint32_t value;
    int task;
  } cases[] = {{false, 0, 0}, {true, 0, 0}, {true, 3, 3}, {true, 4, 4}, {true, 5, 0}, {true, 7, 0}, {true, 0xFFFFFFFFu, 0}};
  for (const Case& k : cases) {
    keys.DeleteTree(L"");
    if (k.stored) store.WriteRootDword(L"TaskIndex", k.value);
    EXPECT_EQ(app::TaskIndexAtStart(store), k.task) << k.value;
    EXPECT_EQ(keys.QueryValue(L"", L"TaskIndex").has_value(), k.stored) << "reading writes nothing";
  }
  app::StoreTaskIndex(store, 2);
  EXPECT_EQ(store.ReadRootDword(L"TaskIndex"), 2u);
}

TEST_F(MainRulesTest, TrayPauseTogglesThePolicyTheMusicAndThePopup) {
  app::TrayPause(c);
  EXPECT_TRUE(flags.wallpapersPaused);
  EXPECT_TRUE(policy.Inputs().trayPaused);
  EXPECT_EQ(Window().applied, 1) << "the wallpaper carries the decision out";
  EXPECT_EQ(pages.calls, (std::vector<std::string>{"music pause 1", "tray 10"}));
  pages.calls.clear();
  app::TrayPause(c);
  EXPECT_FALSE(policy.Inputs().trayPaused);
  EXPECT_EQ(pages.calls, (std::vector<std::string>{"music pause 0", "tray 00"}));
}

TEST_F(MainRulesTest, TrayMuteIsTheUsersMuteOfEverything) {
  app::TrayMute(c);
  EXPECT_TRUE(Monitor().settings.Mute);
  EXPECT_FALSE(Monitor().autoMuted);
  EXPECT_FLOAT_EQ(Window().level, 0.0f);
  EXPECT_EQ(pages.calls,
            (std::vector<std::string>{"video refresh", "quick start mute 10", "music mute 10", "tray 01"}));
  app::TrayMute(c);
  EXPECT_FALSE(Monitor().settings.Mute);
  EXPECT_FLOAT_EQ(Window().level, 0.5f);
}

TEST_F(MainRulesTest, WhileTheMusicPlaysAloneTheWallpapersStaySilentAndKeepTheirVolume) {
  pages.musicOnly = true;
  app::MuteAll(c, true, true);
  EXPECT_TRUE(Monitor().settings.Mute) << "a mute always passes";
  app::MuteAll(c, false, true);
  EXPECT_TRUE(Monitor().settings.Mute) << "an unmute does not reach the wallpapers";
  EXPECT_EQ(pages.calls.back(), "quick start mute 01");
  app::MasterVolume(c, 80);
  EXPECT_EQ(Monitor().settings.Volume, 50);
  pages.musicOnly = false;
  app::MuteAll(c, false, true);
  EXPECT_FALSE(Monitor().settings.Mute);
  app::MasterVolume(c, 80);
  EXPECT_EQ(Monitor().settings.Volume, 80);
  EXPECT_EQ(pages.calls.back(), "quick start volume 80");
}

TEST_F(MainRulesTest, PauseAndMuteAllIsStoredAndReachesEverything) {
  app::PauseAndMuteAll(c, true);
  EXPECT_EQ(store.ReadRootDword(L"PauseAndMuteAll"), 1u);
  EXPECT_TRUE(flags.pauseAndMuteAll);
  EXPECT_TRUE(policy.Inputs().pauseAndMuteAll);
  EXPECT_TRUE(Monitor().settings.Mute);
  EXPECT_EQ(pages.calls, (std::vector<std::string>{"video refresh", "music pause 1", "music mute 10"}));
  app::PauseAndMuteAll(c, false);
  EXPECT_EQ(store.ReadRootDword(L"PauseAndMuteAll"), 0u);
  EXPECT_FALSE(Monitor().settings.Mute);
}

TEST_F(MainRulesTest, RemoveAllEmptiesTheVideosMusicFolderAndPlaylistsAtOnce) {
  store.WriteProfileString(L"Playlist\\0", L"Name", L"x");
  Monitor().settings.BlackOverlay = 30;
  app::RemoveAll(c);
  EXPECT_EQ(Monitor().videoWnd, nullptr);
  EXPECT_EQ(store.GetProfileString(L"Video\\PRI_1", L"Path", L"?"), L"") << "stored now";
  EXPECT_FALSE(keys.KeyExists(L"Playlist"));
  EXPECT_EQ(Monitor().settings.BlackOverlay, 30);
  EXPECT_EQ(pages.calls, (std::vector<std::string>{"video refresh", "music clear", "quick start clear",
                                                   "playlists reset"}));
}

TEST_F(MainRulesTest, FactoryResetLeavesDefaultsInTheStoreAndInMemory) {
  store.WriteRootDword(L"PauseAndMuteAll", 1);
  app::PauseAndMuteAll(c, true);
  app::TrayPause(c);
  app::TrayMute(c);
  pages.calls.clear();
  app::FactoryReset(c);
  EXPECT_TRUE(store.Subkeys(L"").empty());
  EXPECT_FALSE(keys.QueryValue(L"", L"PauseAndMuteAll").has_value());
  EXPECT_FALSE(flags.pauseAndMuteAll || flags.wallpapersPaused || flags.wallpapersMuted)
      << "nothing in memory says paused or muted";
  EXPECT_FALSE(policy.Decide({false, false, 0.5f}).paused) << "so new wallpapers start playing";
  EXPECT_EQ(Monitor().settings.Path, L"");
  EXPECT_EQ(Monitor().videoWnd, nullptr);
  EXPECT_EQ(pages.calls, (std::vector<std::string>{"quick start reset", "video reset", "music reset",
                                                   "playlists reset", "settings reset", "tray 00"}));
}

}  // namespace
