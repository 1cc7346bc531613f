// The monitor settings panel's rules over a recording view, a real monitor with the memory
// store and a fake wallpaper window: what each control shows, applies and writes, and when.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/MonitorPanel.h"
#include "fake_pages.h"
#include "base/ResourceIds.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"

namespace {

using pagetest::FakeView;
using pagetest::PanelWindow;

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.panel = &panel;
    panel.Initialise();
    DisplayProbe probe;
    probe.infoOk = probe.modeOk = probe.deviceOk = true;
    probe.width = 2560;
    probe.height = 1440;
    probe.deviceId = L"MONITOR\\MON\\{c}\\1";
    MonitorRect rect{0, 0, 1280, 720};  // scaled desktop; the mode has the pixels
    monitor = std::make_unique<CMonitor>(services, &probe, &rect, 0);
  }
  PanelWindow* Window() { return static_cast<PanelWindow*>(monitor->videoWnd.get()); }
  int Stored(const wchar_t* name) { return store.GetProfileInt(L"Video\\MON_1", name, -1); }
  bool Has(const wchar_t* name) { return keys.QueryValue(L"Video\\MON_1", name).has_value(); }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  bool windowHasAudio = true;
  std::wstring storedAtOpen;  // the stored path when the window last opened a file
  MonitorServices services{store, [this] {
                             auto w = std::make_unique<PanelWindow>();
                             w->audio = windowHasAudio;
                             w->onOpen = [this] {
                               // (a read would create the section: look first)
                               const wchar_t* section = L"Video\\MON_1";
                               storedAtOpen = keys.KeyExists(section) ? store.GetProfileString(section, L"Path") : L"?";
                             };
                             return w;
                           }};
  std::unique_ptr<CMonitor> monitor;
  FakeView view;
  app::MonitorPanel panel{view};
};

TEST_F(PanelTest, BindingShowsTheRecordWritesNothingAndRemoveFollowsThePath) {
  monitor->settings.Path = L"C:\\a.mp4";
  monitor->settings.VideoSize = 1;
  monitor->settings.PosX = 10;
  monitor->settings.BlackOverlay = 120;  // read clamps only above; the slider clamps too
  monitor->settings.Volume = 70;
  panel.BindMonitor(monitor.get());
  EXPECT_EQ(view.resolution, L"2560x1440 pixels") << "the display mode's pixels";
  EXPECT_EQ(view.path, L"C:\\a.mp4");
  EXPECT_EQ(view.size, 1);
  EXPECT_EQ(view.sliders[app::kSliderPosX], 10);
  EXPECT_EQ(view.sliders[app::kSliderOverlay], 100);
  EXPECT_EQ(view.volumeText, L"70");
  EXPECT_TRUE(view.removeEnabled);
  EXPECT_EQ(view.hint, static_cast<unsigned>(IDS_HINT_CONTAIN));
  EXPECT_FALSE(view.available[app::kSliderPosX]);
  EXPECT_EQ(view.pathNotices, 0) << "filling the panel is not a change";
  EXPECT_EQ(monitor->videoWnd, nullptr) << "and opens nothing";
  EXPECT_TRUE(store.Subkeys(L"Video\\MON_1").empty());
  EXPECT_FALSE(Has(L"Path"));

  // Another monitor without a path: Remove goes grey (it stayed enabled before).
  CMonitor all(services, nullptr, nullptr, 0);
  panel.BindMonitor(&all);
  EXPECT_EQ(view.resolution, L"Multiple Resolutions");
  EXPECT_FALSE(view.removeEnabled);
}

TEST_F(PanelTest, PathChangesApplyAndStoreAtOnceExceptInEntryMode) {
  panel.BindMonitor(monitor.get());
  view.picked = L"D:\\clip.mp4";
  panel.OnBrowse();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->opens, 1);
  EXPECT_EQ(storedAtOpen, L"D:\\clip.mp4") << "stored before the open, which may never come back";
  EXPECT_EQ(store.GetProfileString(L"Video\\MON_1", L"Path"), L"D:\\clip.mp4");
  EXPECT_TRUE(view.removeEnabled);
  EXPECT_EQ(view.pathNotices, 1);
  panel.OnBrowse();  // the same file again: the field does not change, nothing opens
  EXPECT_EQ(Window()->opens, 1);
  view.removeFocus = true;
  panel.OnRemove();
  EXPECT_EQ(monitor->videoWnd, nullptr);
  EXPECT_EQ(store.GetProfileString(L"Video\\MON_1", L"Path", L"?"), L"");
  EXPECT_TRUE(view.browseFocused);
  EXPECT_FALSE(view.removeEnabled);

  keys.DeleteTree(L"");
  panel.entryMode = true;
  panel.OnBrowse();
  panel.OnSliderChanged(app::kSliderOverlay);
  panel.OnMuteClicked();
  panel.OnVolumeTyped(L"20");
  EXPECT_EQ(monitor->settings.Path, L"D:\\clip.mp4") << "the entry's monitor changes in memory";
  EXPECT_TRUE(store.Subkeys(L"").empty()) << "but nothing is written in entry mode";
}

TEST_F(PanelTest, TypedVolumeIsSaturatedAndStoresVolumeAndMute) {
  monitor->settings.Path = L"v.mp4";
  monitor->RefreshWindow();
  panel.BindMonitor(monitor.get());
  struct Case {
    const wchar_t* typed;
    int volume;
    const wchar_t* shown;  // the edit's text afterwards (null: as typed)
    bool muted;
  } cases[] = {
      {L"", 0, L"0", true},          {L"0", 0, nullptr, true},     {L"007", 7, nullptr, false},
      {L"100", 100, nullptr, false}, {L"250", 100, L"100", false}, {L"99999999999999999999", 100, L"100", false},
      {L"42x", 42, nullptr, false},
  };
  for (const Case& c : cases) {
    view.SetSliderPos(app::kSliderVolume, c.volume == 50 ? 51 : 50);  // a different value before typing
    view.volumeText = c.typed;
    panel.OnVolumeTyped(c.typed);
    EXPECT_EQ(view.volumeText, c.shown ? c.shown : c.typed) << "typed '" << std::string(c.typed, c.typed + wcslen(c.typed)) << "'";
    EXPECT_EQ(view.sliders[app::kSliderVolume], c.volume);
    EXPECT_EQ(Stored(L"Volume"), c.volume);
    EXPECT_EQ(Stored(L"Mute"), c.muted ? 1 : 0) << "the mute is stored with the volume";
    EXPECT_EQ(view.muted, c.muted);
    EXPECT_FLOAT_EQ(Window()->level, c.muted ? 0.0f : c.volume / 100.0f);
  }
}

TEST_F(PanelTest, SlidersApplyWhileDraggedAndStoreOnRelease) {
  monitor->settings.Path = L"v.mp4";
  monitor->RefreshWindow();
  panel.BindMonitor(monitor.get());
  view.SetSliderPos(app::kSliderOverlay, 100);
  panel.OnSliderMoving(app::kSliderOverlay);
  EXPECT_FLOAT_EQ(Window()->overlay, 1.0f);
  EXPECT_FALSE(Has(L"BlackOverlay")) << "dragging writes nothing";
  panel.OnSliderChanged(app::kSliderOverlay);
  EXPECT_EQ(Stored(L"BlackOverlay"), 100);
  view.SetSliderPos(app::kSliderVolume, 0);
  panel.OnSliderMoving(app::kSliderVolume);
  EXPECT_TRUE(view.muted) << "dragged to 0 mutes";
  EXPECT_FALSE(Has(L"Mute"));
  panel.OnSliderChanged(app::kSliderVolume);
  EXPECT_EQ(Stored(L"Volume"), 0);
  EXPECT_EQ(Stored(L"Mute"), 1);
  // A keyboard move reports only its end: it is applied and stored all the same.
  view.SetSliderPos(app::kSliderPosY, 20);
  panel.OnSliderChanged(app::kSliderPosY);
  EXPECT_EQ(monitor->settings.PosY, 20);
  EXPECT_EQ(Stored(L"PosY"), 20);
}

TEST_F(PanelTest, TheMuteButtonKeepsTheUsersVolumeAndOwnsTheMute) {
  monitor->settings.Path = L"v.mp4";
  monitor->settings.Volume = 70;
  monitor->RefreshWindow();
  panel.BindMonitor(monitor.get());
  monitor->autoMuted = false;
  panel.OnMuteClicked();
  EXPECT_TRUE(monitor->settings.Mute);
  EXPECT_EQ(monitor->settings.Volume, 70) << "muting leaves the volume alone";
  EXPECT_FLOAT_EQ(Window()->level, 0.0f);
  EXPECT_EQ(Stored(L"Mute"), 1);
  EXPECT_NE(Stored(L"Volume"), 0);
  monitor.reset();  // written at exit: the volume is still 70
  EXPECT_EQ(Stored(L"Volume"), 70);
}

TEST_F(PanelTest, UnmutingGivesTheMonitorItsVolumeBackAndAUserMuteTakesOverAnAutomaticOne) {
  monitor->settings.Mute = true;
  monitor->settings.Volume = 70;
  monitor->autoMuted = true;  // the other-audio detector muted it
  panel.BindMonitor(monitor.get());
  EXPECT_EQ(view.sliders[app::kSliderVolume], 0);
  panel.OnMuteClicked();  // the user unmutes
  EXPECT_FALSE(monitor->settings.Mute);
  EXPECT_EQ(view.sliders[app::kSliderVolume], 70);
  EXPECT_FALSE(monitor->autoMuted);
  monitor->autoMuted = true;
  monitor->settings.Mute = false;
  panel.RefreshMute(false);
  panel.OnMuteClicked();  // the user mutes
  EXPECT_FALSE(monitor->autoMuted) << "an automatic unmute must not lift the user's mute";
}

TEST_F(PanelTest, SizeModesDecideThePositionSlidersAndReopenTheVideo) {
  monitor->settings.Path = L"v.mp4";
  monitor->RefreshWindow();
  panel.BindMonitor(monitor.get());
  struct Case {
    int mode;
    unsigned hint;
    bool positions;
  } cases[] = {{1, IDS_HINT_CONTAIN, false}, {2, IDS_HINT_STRETCH, false}, {0, IDS_HINT_COVER, true}};
  int opens = Window()->opens;
  for (const Case& c : cases) {
    view.SetSizeSelection(c.mode);
    panel.OnSizeChosen(c.mode);
    EXPECT_EQ(view.hint, c.hint);
    EXPECT_EQ(view.available[app::kSliderPosY], c.positions);
    EXPECT_EQ(view.available[app::kSliderPosX], c.positions);
    EXPECT_EQ(Stored(L"VideoSize"), c.mode);
    EXPECT_EQ(Window()->opens, ++opens) << "the video is opened again";
  }
  panel.OnSizeChosen(0);
  EXPECT_EQ(Window()->opens, opens) << "the same mode changes nothing";
}

TEST_F(PanelTest, AVideoWithoutSoundMakesTheVolumeUnavailableUntilItGoes) {
  windowHasAudio = false;
  monitor->settings.Path = L"silent.mp4";
  monitor->RefreshWindow();
  panel.BindMonitor(monitor.get());
  EXPECT_FALSE(view.available[app::kSliderVolume]);
  panel.OnRemove();
  EXPECT_TRUE(view.available[app::kSliderVolume]);
}

}  // namespace
