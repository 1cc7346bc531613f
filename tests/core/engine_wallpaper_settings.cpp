// The wallpaper record: reading with its clamps and defaults, writing all or one value, and
// the monitor's write rules (automatic mute hidden, nothing once the store is frozen, sections).
#include <gtest/gtest.h>

#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"
#include "engine/Monitor.h"
#include "settings/WallpaperSettings.h"

namespace {

class RecordStore : public ::testing::Test {
 protected:
  bool HasValue(const wchar_t* section, const wchar_t* name) { return keys.QueryValue(section, name).has_value(); }
  // A monitor for a record test: a physical monitor whose key is ABC_0001.
  std::unique_ptr<CMonitor> MakeMonitor() {
    DisplayProbe probe;
    probe.infoOk = probe.modeOk = probe.deviceOk = true;
    probe.deviceName = L"\\\\.\\DISPLAY1";
    probe.width = 1920;
    probe.height = 1080;
    probe.deviceId = L"MONITOR\\ABC\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001";
    MonitorRect rect{0, 0, 1920, 1080};
    return std::make_unique<CMonitor>(services, &probe, &rect, 0);
  }
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  MonitorServices services{store, nullptr};
};

TEST_F(RecordStore, EmptySectionGivesDefaults) {
  WallpaperSettings s;
  s.Path = L"x";
  s.Volume = 3;
  s.Mute = true;
  s.Load(store, L"Video\\ABC_1");
  EXPECT_EQ(s.Path, L"");
  EXPECT_EQ(s.VideoSize, 0);
  EXPECT_EQ(s.PosX, 50);
  EXPECT_EQ(s.PosY, 50);
  EXPECT_EQ(s.BlackOverlay, 0);
  EXPECT_EQ(s.Volume, 50);
  EXPECT_FALSE(s.Mute);
}

struct ClampCase {
  const wchar_t* name;
  int stored;
  int expected;
};

class LoadClamps : public RecordStore, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(LoadClamps, StoredValueReadsAsExpected) {
  const ClampCase& c = GetParam();
  store.WriteProfileInt(L"Video\\K", c.name, c.stored);
  WallpaperSettings s;
  s.Load(store, L"Video\\K");
  int actual = 0;
  std::wstring name = c.name;
  if (name == L"VideoSize") actual = s.VideoSize;
  if (name == L"PosX") actual = s.PosX;
  if (name == L"PosY") actual = s.PosY;
  if (name == L"BlackOverlay") actual = s.BlackOverlay;
  if (name == L"Volume") actual = s.Volume;
  if (name == L"Mute") actual = s.Mute ? 1 : 0;
  EXPECT_EQ(actual, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Record, LoadClamps,
                         ::testing::Values(ClampCase{L"VideoSize", 7, 0}, ClampCase{L"VideoSize", 3, 0},
                                           ClampCase{L"VideoSize", 2, 2}, ClampCase{L"VideoSize", -1, -1},
                                           ClampCase{L"Volume", 250, 100}, ClampCase{L"Volume", 100, 100},
                                           ClampCase{L"Volume", -5, -5}, ClampCase{L"PosX", 101, 100},
                                           ClampCase{L"PosX", 0, 0}, ClampCase{L"PosY", -20, -20},
                                           ClampCase{L"PosY", 1000, 100}, ClampCase{L"BlackOverlay", 150, 100},
                                           ClampCase{L"BlackOverlay", 30, 30}, ClampCase{L"Mute", 5, 1},
                                           ClampCase{L"Mute", -1, 1}, ClampCase{L"Mute", 0, 0}));

TEST_F(RecordStore, SaveWritesAllSevenAndLoadReadsThemBack) {
  WallpaperSettings s;
  s.Save(store, L"Video\\K");  // defaults, empty path included
  EXPECT_TRUE(HasValue(L"Video\\K", L"Path"));
  EXPECT_EQ(store.GetProfileInt(L"Video\\K", L"Mute", 9), 0);
  s.Path = L"C:\\clips\\vid\u00e9o.mp4";
  s.VideoSize = 2;
  s.PosX = 10;
  s.PosY = 90;
  s.BlackOverlay = 40;
  s.Volume = 0;
  s.Mute = true;
  s.Save(store, L"Video\\K");
  WallpaperSettings back;
  back.Load(store, L"Video\\K");
  EXPECT_EQ(back.Path, s.Path);
  EXPECT_EQ(back.VideoSize, 2);
  EXPECT_EQ(back.PosX, 10);
  EXPECT_EQ(back.PosY, 90);
  EXPECT_EQ(back.BlackOverlay, 40);
  EXPECT_EQ(back.Volume, 0);
  EXPECT_TRUE(back.Mute);
  EXPECT_EQ(store.GetProfileInt(L"Video\\K", L"Mute", 9), 1);
}

TEST_F(RecordStore, MonitorLoadsItsOwnSectionAtConstruction) {
  store.WriteProfileString(L"Video\\ABC_0001", L"Path", L"D:\\a.avi");
  store.WriteProfileInt(L"Video\\ABC_0001", L"Volume", 77);
  auto m = MakeMonitor();
  EXPECT_EQ(m->DefaultSection(), L"Video\\ABC_0001");
  EXPECT_EQ(m->settings.Path, L"D:\\a.avi");
  EXPECT_EQ(m->settings.Volume, 77);
}

TEST_F(RecordStore, AutomaticMuteIsNotStoredButUserMuteIs) {
  for (bool automatic : {true, false}) {
    keys.DeleteTree(L"");
    auto m = MakeMonitor();
    m->settings.Mute = true;
    m->autoMuted = automatic;
    m->WriteSetting(L"Mute");
    EXPECT_EQ(store.GetProfileInt(L"Video\\ABC_0001", L"Mute", 9), automatic ? 0 : 1);
    EXPECT_TRUE(m->settings.Mute) << "the wallpaper stays muted on screen";
    m.reset();  // destruction writes the whole record
    EXPECT_EQ(store.GetProfileInt(L"Video\\ABC_0001", L"Mute", 9), automatic ? 0 : 1);
  }
}

TEST_F(RecordStore, WriteSectionKeepsAutomaticMute) {
  auto m = MakeMonitor();
  m->settings.Mute = true;
  m->autoMuted = true;
  m->WriteSection(L"Playlist\\3\\Video");
  EXPECT_EQ(store.GetProfileInt(L"Playlist\\3\\Video\\ABC_0001", L"Mute", 9), 1);
  auto before = store.Subkeys(L"");
  m->WriteSection(L"");
  EXPECT_EQ(store.Subkeys(L""), before);
}

TEST_F(RecordStore, WriteSettingWritesOnlyTheNamedValue) {
  auto m = MakeMonitor();
  m->settings.Volume = 12;
  m->settings.PosX = 3;
  m->WriteSetting(L"Volume");
  EXPECT_EQ(store.GetProfileInt(L"Video\\ABC_0001", L"Volume", 0), 12);
  EXPECT_FALSE(HasValue(L"Video\\ABC_0001", L"PosX"));
  // Another value in memory now: any write of Volume below would show as 99.
  m->settings.Volume = 99;
  for (const wchar_t* other : {L"volume", L"Label", L"", L"Selected", L"VolumeX"}) m->WriteSetting(other);
  EXPECT_FALSE(HasValue(L"Video\\ABC_0001", L"PosX"));
  EXPECT_FALSE(HasValue(L"Video\\ABC_0001", L"Label"));
  EXPECT_FALSE(HasValue(L"Video\\ABC_0001", L"Selected"));
  EXPECT_EQ(store.GetProfileInt(L"Video\\ABC_0001", L"Volume", 0), 12);
  m->settings.Volume = 12;  // so that the destructor's full write changes nothing checked here
}

TEST_F(RecordStore, FrozenStoreTakesNothingBack) {
  auto m = MakeMonitor();
  m->settings.Path = L"E:\\x.mp4";
  store.DeleteAllSettings();  // the uninstall deleted the tree, then froze the store
  store.FreezeWrites();
  m->WriteSetting(L"Path");
  m->WriteSettings();
  m.reset();
  EXPECT_FALSE(keys.KeyExists(L"Video"));
}

TEST_F(RecordStore, LoadSectionSwitchesToAnEntryAndBack) {
  auto m = MakeMonitor();
  m->settings.Path = L"own.mp4";
  store.WriteProfileString(L"Playlist\\1\\Video\\ABC_0001", L"Path", L"entry.mp4");
  m->LoadSection(L"Playlist\\1\\Video");
  EXPECT_EQ(m->settings.Path, L"entry.mp4");
  EXPECT_EQ(store.GetProfileString(L"Video\\ABC_0001", L"Path"), L"own.mp4") << "own record written first";
  m->LoadSection(L"");
  EXPECT_EQ(m->settings.Path, L"own.mp4");
  EXPECT_EQ(store.GetProfileString(L"Playlist\\1\\Video\\ABC_0001", L"Path"), L"entry.mp4");
}

}  // namespace
