// A playlist entry's wallpapers loaded into two fake monitors, and an edited entry stored back.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Wallpapers.h"
#include "rotation/EntryWallpapers.h"
#include "settings/MemoryKeyStore.h"

namespace {

struct QuietWindow : WallpaperWindow {
  bool exists = false;
  float level = -1;
  bool Create(CMonitor&) override { return exists = true; }
  void Destroy() override { exists = false; }
  bool HasWindow() const override { return exists; }
  void ApplyStretchAndPosition(bool, bool, float, float) override {}
  void ApplyOverlay(float, bool) override {}
  void ApplyVolume(float l) override { level = l; }
  int32_t Open(const std::wstring&) override { return 0; }
  int32_t Pause(bool) override { return 0; }
  int32_t ApplyPlayback() override { return 0; }
};

class EntryWallpapersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<EnumeratedMonitor> list;
    for (auto [id, rect] : {std::pair{L"MONITOR\\PRI\\{c}\\1", MonitorRect{0, 0, 1920, 1080}},
                            std::pair{L"MONITOR\\RGT\\{c}\\2", MonitorRect{1920, 0, 3840, 1080}}}) {
      DisplayProbe probe;
      probe.infoOk = probe.modeOk = probe.deviceOk = true;
      probe.x = rect.left;
      probe.width = static_cast<uint32_t>(rect.Width());
      probe.height = static_cast<uint32_t>(rect.Height());
      probe.deviceId = id;
      list.push_back({probe, rect});
    }
    wallpapers.Load(list);
    for (auto& m : wallpapers.Monitors()) m->SetPath(L"own.mp4", false);
  }
  CMonitor& A() { return *wallpapers.Monitor(0); }
  CMonitor& B() { return *wallpapers.Monitor(1); }
  void Record(int key, const std::wstring& monitor, const std::wstring& path, int mute = 0) {
    const std::wstring section = rotation::EntrySection(key) + L"\\Video\\" + monitor;
    store.WriteProfileString(section, L"Path", path.c_str());
    store.WriteProfileInt(section, L"Mute", mute);
  }
  float Level(CMonitor& m) { return static_cast<QuietWindow*>(m.videoWnd.get())->level; }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  MonitorServices services{store, [] { return std::make_unique<QuietWindow>(); }};
  engine::Wallpapers wallpapers{services};
};

}  // namespace

TEST_F(EntryWallpapersTest, OptionZeroLoadsTheMonitorsTheEntryHasAndKeepsTheOthers) {
  Record(4, A().MonitorKey(), L"entry-a.mp4");
  Record(4, L"NOSUCH_9", L"stray.mp4");
  rotation::PlaylistEntry entry{4, 1, true, 0};
  EXPECT_TRUE(rotation::LoadEntryWallpapers(wallpapers, store, entry, false));
  EXPECT_EQ(A().settings.Path, L"entry-a.mp4");
  EXPECT_EQ(B().settings.Path, L"own.mp4");
  rotation::PlaylistEntry none{5, 2, true, 0};
  EXPECT_FALSE(rotation::LoadEntryWallpapers(wallpapers, store, none, false));
}

TEST_F(EntryWallpapersTest, OptionTwoPutsTheEntrysVideoOnEveryMonitor) {
  Record(6, A().MonitorKey(), L"dup.mp4");
  rotation::PlaylistEntry entry{6, 1, true, 2};
  EXPECT_TRUE(rotation::LoadEntryWallpapers(wallpapers, store, entry, false));
  EXPECT_EQ(B().settings.Path, L"dup.mp4") << "not monitor B's own video";
}

TEST_F(EntryWallpapersTest, OptionOneLoadsTheWallpaperAcrossAllMonitors) {
  Record(2, rotation::kSpanningKey, L"wide.mp4");
  rotation::PlaylistEntry entry{2, 1, true, 1};
  EXPECT_TRUE(rotation::LoadEntryWallpapers(wallpapers, store, entry, false));
  EXPECT_EQ(wallpapers.All()->settings.Path, L"wide.mp4");
  EXPECT_EQ(A().settings.Path, L"own.mp4");
}

// The tray's mute and an automatic mute over what an entry brings.
TEST_F(EntryWallpapersTest, MutesOverLoadedRecords) {
  struct Case {
    const char* name;
    bool trayMuted, autoMutedBefore;
    bool muted, autoMutedAfter;
  } cases[] = {{"nothing in force", false, false, false, false},
               {"the tray's mute", true, false, true, false},
               {"an automatic mute stays", false, true, true, true},
               {"the tray's mute over an automatic one", true, true, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record(1, A().MonitorKey(), L"a.mp4", 0);
    A().autoMuted = c.autoMutedBefore;
    rotation::PlaylistEntry entry{1, 1, true, 0};
    rotation::LoadEntryWallpapers(wallpapers, store, entry, c.trayMuted);
    EXPECT_EQ(A().settings.Mute, c.muted);
    EXPECT_EQ(A().autoMuted, c.autoMutedAfter);
    if (c.muted) {
      EXPECT_EQ(Level(A()), 0.0f);
    }
    A().autoMuted = false;
  }
}

TEST_F(EntryWallpapersTest, StoringAnEditedEntryLeavesAutomaticMutesOut) {
  A().settings.Mute = true;
  A().autoMuted = true;   // the detector's
  B().settings.Mute = true;  // the user's
  rotation::StoreEntryWallpapers(wallpapers, store, 3, 2);
  const std::wstring video = rotation::EntrySection(3) + L"\\Video";
  EXPECT_EQ(store.GetProfileInt(video, L"DisplayOptions", -1), 2);
  EXPECT_EQ(store.GetProfileInt(video + L"\\" + A().MonitorKey(), L"Mute", -1), 0);
  EXPECT_EQ(store.GetProfileInt(video + L"\\" + B().MonitorKey(), L"Mute", -1), 1);
  EXPECT_EQ(store.GetProfileString(video + L"\\" + A().MonitorKey(), L"Path"), L"own.mp4");
  EXPECT_TRUE(A().settings.Mute) << "the monitor itself stays muted";
  std::vector<std::wstring> stored = store.Subkeys(video);
  EXPECT_NE(std::find(stored.begin(), stored.end(), std::wstring(rotation::kSpanningKey)), stored.end())
      << "the wallpaper across all monitors is stored too";
}
