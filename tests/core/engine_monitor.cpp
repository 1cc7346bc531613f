// The monitor model with fake monitor sets: keys, labels, list order, the wallpaper layer's
// coordinates, the stored selection and display option, the wallpaper window's life and
// presentation as the monitor drives it, and the monitor list's geometry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"
#include "engine/Monitor.h"
#include "engine/MonitorLayout.h"

namespace {

struct KeyCase {
  const wchar_t* deviceId;
  const wchar_t* key;
};

TEST(MonitorKey, FromDeviceId) {
  const MonitorRect rect{0, 0, 1920, 1080};
  const KeyCase cases[] = {
      {L"MONITOR\\ABC1234\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001", L"ABC1234_0001"},
      {L"MONITOR\\DEL40F1\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0000", L"DEL40F1_0000"},
      {L"MONITOR\\ABC1234\\{class}\\", L"ABC1234_"},
      {L"MONITOR\\ABC1234\\{class}", L"ABC1234_0"},
      {L"MONITOR\\ABC1234\\", L"ABC1234_0"},
      {L"MONITOR\\ABC1234", L"0"},
      {L"MONITOR\\", L"0"},
      {L"\\", L"0"},
      {L"MONITOR", L"0"},
      {L"", L"0"},
      {L"MONITOR\\\\{class}\\7", L"_7"},
      {L"\\\\\\", L"_"},
      {L"A\\B\\C\\D\\E", L"B_D\\E"},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(MonitorKeyFor(rect, c.deviceId), c.key) << c.deviceId;
}

TEST(MonitorKey, SpanningWallpaperAndEmptyRectGiveZero) {
  EXPECT_EQ(MonitorKeyFor({}, L"MONITOR\\ABC\\{c}\\1"), L"0");
  EXPECT_EQ(MonitorKeyFor({10, 10, 10, 500}, L"MONITOR\\ABC\\{c}\\1"), L"0");
  settings::MemoryKeyStore keys;
  settings::SettingsStore store(keys);
  MonitorServices services{store, nullptr};
  CMonitor all(services, nullptr, nullptr, 0);
  EXPECT_EQ(all.MonitorKey(), L"0");
  EXPECT_EQ(all.DefaultSection(), L"Video\\0");
  EXPECT_EQ(all.label, L"A");
  EXPECT_TRUE(all.displayRect.IsEmpty());
}

TEST(MonitorLabel, LettersThenNumbers) {
  const wchar_t* expected[] = {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"9", L"10", L"11"};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(MonitorLabel(i), expected[i]) << i;
}

// A fake monitor set: each entry is a monitor rectangle on the virtual desktop as the
// enumeration reports it, with the display mode at the same place.
struct FakeMonitor {
  MonitorRect rect;
  const wchar_t* id;
};

class MonitorSet : public ::testing::Test {
 protected:
  void TearDown() override { monitors.clear(); }
  void Enumerate(const std::vector<FakeMonitor>& set) {
    std::vector<EnumeratedMonitor> enumerated;
    for (const FakeMonitor& f : set) {
      DisplayProbe probe;
      probe.infoOk = probe.modeOk = probe.deviceOk = true;
      probe.x = f.rect.left;
      probe.y = f.rect.top;
      probe.width = static_cast<uint32_t>(f.rect.Width());
      probe.height = static_cast<uint32_t>(f.rect.Height());
      probe.deviceId = f.id ? f.id : L"";
      enumerated.push_back({probe, f.rect});
    }
    monitors = MakeMonitors(services, enumerated);
  }
  std::vector<std::wstring> Labels() const {
    std::vector<std::wstring> labels;
    for (const auto& m : monitors) labels.push_back(m->label);
    return labels;
  }
  std::vector<MonitorRect> Rects() const {
    std::vector<MonitorRect> rects;
    for (const auto& m : monitors) rects.push_back(m->displayRect);
    return rects;
  }
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  MonitorServices services{store, nullptr};
  MonitorArray monitors;
};

TEST_F(MonitorSet, OneMonitorAtOriginIsUnchanged) {
  Enumerate({{{0, 0, 1920, 1080}, L"MONITOR\\A\\{c}\\1"}});
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"A"}));
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 0, 1920, 1080}}));
}

TEST_F(MonitorSet, LeftMonitorWithNegativeXComesFirstAndStartsTheLayer) {
  // Primary enumerated first, the monitor to its left second.
  Enumerate({{{0, 0, 1920, 1080}, L"MONITOR\\P\\{c}\\1"}, {{-1920, 0, 0, 1080}, L"MONITOR\\L\\{c}\\2"}});
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"B", L"A"}));
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}}));
}

TEST_F(MonitorSet, SideBySideKeepPositiveLayout) {
  Enumerate({{{0, 0, 2560, 1440}, nullptr}, {{2560, 0, 4480, 1080}, nullptr}});
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 0, 2560, 1440}, {2560, 0, 4480, 1080}}));
}

TEST_F(MonitorSet, TwoMonitorsLeftOfPrimaryInAnyOrder) {
  // The layer starts at the leftmost edge, whatever order the monitors are reported in.
  Enumerate({{{0, 0, 1920, 1080}, nullptr}, {{-1920, 0, 0, 1080}, nullptr}, {{-3840, 0, -1920, 1080}, nullptr}});
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"C", L"B", L"A"}));
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}, {3840, 0, 5760, 1080}}));
}

TEST_F(MonitorSet, ThreeStackedMoveOnlyVertically) {
  Enumerate({{{0, 0, 1920, 1080}, nullptr}, {{0, -2160, 1920, -1080}, nullptr}, {{0, -1080, 1920, 0}, nullptr}});
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"A", L"B", L"C"}));
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 2160, 1920, 3240}, {0, 0, 1920, 1080}, {0, 1080, 1920, 2160}}));
}

TEST_F(MonitorSet, StackedAboveAndBelow) {
  Enumerate({{{0, 0, 1920, 1080}, nullptr}, {{0, 1080, 1920, 2160}, nullptr}, {{0, -1200, 1920, 0}, nullptr}});
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 1200, 1920, 2280}, {0, 2280, 1920, 3360}, {0, 0, 1920, 1200}}));
}

TEST_F(MonitorSet, OffsetRowsShiftBothWays) {
  // A monitor up and to the left of the primary one: both axes move by its distance.
  Enumerate({{{0, 0, 1920, 1080}, nullptr}, {{-1280, -300, 0, 724}, nullptr}});
  EXPECT_EQ(Rects(), (std::vector<MonitorRect>{{0, 0, 1280, 1024}, {1280, 300, 3200, 1380}}));
}

TEST_F(MonitorSet, NineMonitorsAreLabelledAToHThenNine) {
  std::vector<FakeMonitor> set;
  for (int i = 0; i < 9; ++i) set.push_back({{i * 1000, 0, i * 1000 + 1000, 800}, nullptr});
  Enumerate(set);
  EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"9"}));
}

TEST_F(MonitorSet, MonitorWithoutDisplayModeKeepsAnEmptyRectangle) {
  DisplayProbe probe;
  probe.infoOk = true;  // mode and device unavailable
  MonitorRect rect{0, 0, 1920, 1080};
  CMonitor m(services, &probe, &rect, 0);
  EXPECT_TRUE(m.displayRect.IsEmpty());
  EXPECT_EQ(m.MonitorKey(), L"0") << "no device id";
  DisplayProbe none;  // monitor information unavailable: nothing else is read
  none.modeOk = none.deviceOk = true;
  none.width = 100;
  none.height = 100;
  none.deviceId = L"MONITOR\\X\\{c}\\1";
  CMonitor n(services, &none, &rect, 1);
  EXPECT_TRUE(n.displayRect.IsEmpty());
  EXPECT_EQ(n.MonitorKey(), L"0");
}

TEST_F(MonitorSet, StoredSelectionIsRestoredOnlyInsideTheList) {
  Enumerate({{{0, 0, 1920, 1080}, nullptr}, {{1920, 0, 3840, 1080}, nullptr}});
  struct Case {
    int stored, expected;
  } cases[] = {{1, 1}, {0, 0}, {5, 0}, {2, 0}, {-1, 0}};
  for (const Case& c : cases) {
    store.WriteProfileInt(L"Video", L"Selected", c.stored);
    EXPECT_EQ(RestoreSelected(store, 0, static_cast<int>(monitors.size())), c.expected) << c.stored;
  }
  store.WriteProfileInt(L"Video", L"Selected", 0);
  EXPECT_EQ(RestoreSelected(store, 0, 0), 0);
}

TEST_F(MonitorSet, DisplayOptionsReadingRules) {
  struct Case {
    int stored, monitors, expected;
  } cases[] = {{0, 2, 0}, {1, 2, 1}, {2, 3, 2}, {3, 2, 0}, {-1, 2, 0}, {1, 1, 0}, {2, 1, 0}, {1, 0, 0}};
  for (const Case& c : cases) {
    store.WriteProfileInt(L"Video", L"DisplayOptions", c.stored);
    EXPECT_EQ(ReadDisplayOptions(store, L"Video", c.monitors), c.expected) << c.stored << " " << c.monitors;
  }
  keys.DeleteTree(L"");
  EXPECT_EQ(ReadDisplayOptions(store, L"Playlist\\2\\Video", 2), 0);
}

// A wallpaper window that records what the monitor asks of it.
struct FakeWindow : WallpaperWindow {
  std::vector<std::string>* calls;
  bool createOk = true;
  int32_t openResult = 0;
  bool exists = false;
  explicit FakeWindow(std::vector<std::string>* c) : calls(c) {}
  ~FakeWindow() override { calls->push_back("delete"); }
  bool Create(CMonitor& m) override {
    calls->push_back("create " + std::to_string(m.displayRect.left) + "," + std::to_string(m.displayRect.top));
    exists = createOk;
    return createOk;
  }
  void Destroy() override {
    calls->push_back("destroy");
    exists = false;
  }
  bool HasWindow() const override { return exists; }
  void ApplyStretchAndPosition(bool stretched, bool cover, float x, float y) override {
    char text[96];
    snprintf(text, sizeof text, "stretch %d cover %d %.2f %.2f", stretched, cover, x, y);
    calls->push_back(text);
  }
  void ApplyOverlay(float alpha, bool enabled) override {
    char text[64];
    snprintf(text, sizeof text, "overlay %.2f %d", alpha, enabled);
    calls->push_back(text);
  }
  void ApplyVolume(float level) override {
    char text[64];
    snprintf(text, sizeof text, "volume %.2f", level);
    calls->push_back(text);
  }
  int32_t Open(const std::wstring& path) override {
    calls->push_back("open " + std::string(path.begin(), path.end()));
    return openResult;
  }
  int32_t Pause(bool) override { return 0; }
  int32_t ApplyPlayback() override { return 0; }
};

class MonitorWindow : public MonitorSet {
 protected:
  void SetUp() override {
    MonitorSet::SetUp();
    services.makeWindow = [this]() -> std::unique_ptr<WallpaperWindow> {
      ++made;
      if (!makeWindows) return nullptr;
      auto w = std::make_unique<FakeWindow>(&calls);
      w->createOk = createOk;
      w->openResult = openResult;
      return w;
    };
    Enumerate({{{-1920, 0, 0, 1080}, L"MONITOR\\L\\{c}\\1"}, {{0, 0, 1920, 1080}, L"MONITOR\\P\\{c}\\2"}});
  }
  // The primary monitor, right of the other one: its window stands at 1920 in the layer.
  CMonitor& m() { return *monitors[1]; }
  std::vector<std::string> calls;
  int made = 0;
  bool makeWindows = true;
  bool createOk = true;
  int32_t openResult = 0;
};

TEST_F(MonitorWindow, SetPathCreatesAppliesTheRecordAndOpens) {
  m().settings.VideoSize = 0;
  m().settings.PosX = 25;
  m().settings.PosY = 100;
  m().settings.BlackOverlay = 40;
  m().settings.Volume = 70;
  m().SetPath(L"C:\\v.avi", false);
  // The file first, then the record's picture and volume (for the new file's player).
  EXPECT_EQ(calls, (std::vector<std::string>{"create 1920,0", "open C:\\v.avi", "stretch 0 cover 1 0.25 1.00",
                                             "overlay 0.40 1", "volume 0.70"}));
  calls.clear();
  m().SetPath(L"C:\\v.avi", false);
  EXPECT_TRUE(calls.empty()) << "the same path changes nothing";
  m().SetPath(L"C:\\V.avi", false);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[1], "open C:\\V.avi") << "the comparison keeps case";
  calls.clear();
  m().SetPath(L"C:\\V.avi", true);
  EXPECT_EQ(calls.front(), "create 1920,0") << "force opens the same path again, in the same window";
  EXPECT_EQ(made, 1);
}

TEST_F(MonitorWindow, MutedStretchWithoutOverlay) {
  m().settings.VideoSize = 2;
  m().settings.Mute = true;
  m().settings.Volume = 80;
  EXPECT_EQ(m().RefreshWindow(), kResultNothingOpened) << "no path, no window";
  EXPECT_TRUE(calls.empty());
  m().settings.Path = L"x.avi";
  EXPECT_EQ(m().RefreshWindow(), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"create 1920,0", "open x.avi", "stretch 1 cover 0 0.50 0.50",
                                             "overlay 0.00 0", "volume 0.00"}));
}

TEST_F(MonitorWindow, EmptyPathRemovesTheWindow) {
  m().SetPath(L"x.avi", false);
  calls.clear();
  m().SetPath(nullptr, false);
  EXPECT_EQ(m().settings.Path, L"");
  EXPECT_EQ(calls, (std::vector<std::string>{"destroy", "delete"}));
  EXPECT_EQ(m().videoWnd, nullptr);
}

TEST_F(MonitorWindow, OpenFailureIsReturnedAndTheWindowStays) {
  openResult = static_cast<int32_t>(0xC00D36C4u);
  m().settings.Path = L"bad.mp4";
  EXPECT_EQ(m().RefreshWindow(), static_cast<int32_t>(0xC00D36C4u));
  EXPECT_NE(m().videoWnd, nullptr);
}

TEST_F(MonitorWindow, CreationFailuresStopBeforeOpening) {
  makeWindows = false;
  m().settings.Path = L"x.avi";
  EXPECT_EQ(m().RefreshWindow(), kResultFail);
  EXPECT_TRUE(calls.empty());
  makeWindows = true;
  createOk = false;
  EXPECT_EQ(m().RefreshWindow(), kResultFail);
  EXPECT_EQ(calls, (std::vector<std::string>{"create 1920,0"}));
}

TEST_F(MonitorWindow, SizeAndPositionChangesReapplyOnlyWhenTheyDiffer) {
  EXPECT_FALSE(m().SetVideoSize(0)) << "no window, same value";
  EXPECT_TRUE(m().SetVideoSize(1));
  m().SetPosX(10);
  EXPECT_TRUE(calls.empty()) << "without a window only the record changes";
  m().SetPath(L"x.avi", false);
  calls.clear();
  EXPECT_FALSE(m().SetVideoSize(1));
  m().SetPosX(10);
  m().SetPosY(50);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(m().SetVideoSize(0));
  m().SetPosX(0);
  m().SetPosY(100);
  EXPECT_EQ(calls, (std::vector<std::string>{"stretch 0 cover 1 0.10 0.50", "stretch 0 cover 1 0.00 0.50",
                                             "stretch 0 cover 1 0.00 1.00"}));
}

TEST_F(MonitorWindow, DestructionWritesTheRecordThenRemovesTheWindow) {
  m().SetPath(L"x.avi", false);
  calls.clear();
  monitors.clear();
  EXPECT_EQ(calls, (std::vector<std::string>{"destroy", "delete"}));
  EXPECT_EQ(store.GetProfileString(L"Video\\P_2", L"Path"), L"x.avi");
}

TEST(MonitorLayout, TitleAndScaling) {
  EXPECT_EQ(monitor_layout::TitleStringId(0), 132u);
  EXPECT_EQ(monitor_layout::TitleStringId(1), 137u);
  EXPECT_EQ(monitor_layout::TitleStringId(2), 138u);
  EXPECT_EQ(monitor_layout::TitleStringId(9), 138u);
  EXPECT_EQ(monitor_layout::BandHeight(96), 24);
  EXPECT_EQ(monitor_layout::BandHeight(144), 36);
  EXPECT_EQ(monitor_layout::BoxGap(120), 10);
  EXPECT_EQ(monitor_layout::CircleDiameter(120), 33);  // 32.5 rounds up
}

TEST_F(MonitorSet, BoxesAreProportionalCentredAndHit) {
  Enumerate({{{0, 0, 1920, 1080}, nullptr}, {{-1080, 0, 0, 1920}, nullptr}});
  // Client 600 x 100 at 96 DPI: band 24..76 (52 high). Portrait 1080x1920 -> 29 wide,
  // landscape 1920x1080 -> 92 wide; row = 29 + 8 + 92 + 8 = 137, start = 300 - 68 = 232.
  monitor_layout::LayoutBoxes(monitors, 600, 100, 96);
  EXPECT_EQ(monitors[0]->itemRect, (MonitorRect{232, 24, 261, 76}));
  EXPECT_EQ(monitors[1]->itemRect, (MonitorRect{269, 24, 361, 76}));
  EXPECT_EQ(monitor_layout::HitTest(monitors, 232, 24), 0);
  EXPECT_EQ(monitor_layout::HitTest(monitors, 261, 50), -1) << "right edge is outside";
  EXPECT_EQ(monitor_layout::HitTest(monitors, 265, 50), -1) << "gap";
  EXPECT_EQ(monitor_layout::HitTest(monitors, 360, 75), 1);
  EXPECT_EQ(monitor_layout::HitTest(monitors, 300, 80), -1) << "below the band";
  EXPECT_EQ(monitor_layout::CircleRect(monitors[1]->itemRect, 96), (MonitorRect{302, 37, 328, 63}));
}

TEST_F(MonitorSet, MonitorWithoutDisplayRectIsNotLaidOut) {
  Enumerate({{{0, 0, 1600, 900}, nullptr}});
  DisplayProbe probe;
  probe.infoOk = true;
  MonitorRect rect{1600, 0, 3200, 900};
  InsertMonitor(monitors, std::make_unique<CMonitor>(services, &probe, &rect, 1));
  monitor_layout::LayoutBoxes(monitors, 400, 100, 96);
  // 1600x900 in a 52-pixel band: 92 wide; row 100 -> start 150.
  EXPECT_EQ(monitors[0]->itemRect, (MonitorRect{150, 24, 242, 76}));
  EXPECT_EQ(monitors[1]->itemRect.Width(), 0);
  EXPECT_EQ(monitor_layout::HitTest(monitors, 250, 50), -1);
}

}  // namespace
