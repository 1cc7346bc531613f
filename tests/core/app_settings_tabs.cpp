// The settings tabs' rules over the memory store: the Run entry following its switch, the
// other-audio reports and their automatic mutes, the quick controls' volume, mute and
// confirmations, and the stored tab.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/GeneralSettings.h"
#include "app/MainRules.h"
#include "app/QuickControls.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "settings/MemoryKeyStore.h"

namespace {

struct FakeRunEntry : app::AutoRunEntry {
  bool present = false;
  std::vector<bool> sets;
  bool Present() override { return present; }
  void Set(bool enable) override {
    sets.push_back(enable);
    present = enable;
  }
};

struct FakeDetector : app::OtherAudioDetection {
  bool running = false;
  int starts = 0, stops = 0;
  bool Running() const override { return running; }
  void Start() override { running = true, ++starts; }
  void Stop() override { running = false, ++stops; }
};

class GeneralSettingsTest : public ::testing::Test {
 protected:
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  AppFlags flags;
  engine::PlaybackPolicy policy;
  FakeRunEntry entry;
  FakeDetector detector;
  std::vector<bool> mutes;  // automatic mute requests posted to the main window
  app::GeneralSettings tab{store, flags, policy, entry, detector, [this](bool mute) { mutes.push_back(mute); }};
};

TEST(AutoRunCommandTest, QuotesThePathAndAddsTheArgumentAfterTwoSpaces) {
  EXPECT_EQ(app::AutoRunCommand(L"C:\\Program Files\\Qendor\\Qendor2.exe"),
            L"\"C:\\Program Files\\Qendor\\Qendor2.exe\"  /autostart");
  EXPECT_EQ(app::AutoRunCommand(L"D:\\Видео 100%\\Q.exe"), L"\"D:\\Видео 100%\\Q.exe\"  /autostart");
}

TEST_F(GeneralSettingsTest, TheRunEntryFollowsTheStoredSwitchAtLoad) {
  struct Case {
    const char* what;
    int stored;  // -1: no value
    bool present;
    bool switchOn;
    std::vector<bool> sets;
  } cases[] = {
      {"first start: AutoRun reads 1 and the entry is made", -1, false, true, {true}},
      {"deleted by another tool: written again", 1, false, true, {true}},
      {"present and on: left alone", 1, true, true, {}},
      {"added by hand while off: deleted", 0, true, false, {false}},
      {"absent and off: left alone", 0, false, false, {}},
  };
  for (const Case& k : cases) {
    keys.DeleteTree(L"");
    if (k.stored >= 0) store.WriteRootDword(L"AutoRun", static_cast<uint32_t>(k.stored));
    entry = FakeRunEntry{};
    entry.present = k.present;
    tab.Load();
    EXPECT_EQ(tab.autoRun, k.switchOn) << k.what;
    EXPECT_EQ(entry.sets, k.sets) << k.what;
    EXPECT_EQ(keys.QueryValue(L"", L"AutoRun").has_value(), k.stored >= 0) << k.what << ": loading writes nothing";
  }
}

TEST_F(GeneralSettingsTest, SwitchesWriteTheirValueAndActAtOnce) {
  tab.OnAutoRunSwitched(false);
  EXPECT_EQ(entry.sets, std::vector<bool>{false});
  EXPECT_EQ(store.ReadRootDword(L"AutoRun", 1), 0u);
  tab.OnPauseWhenMaximisedSwitched(true);
  EXPECT_TRUE(flags.pauseWhenMaximised);
  EXPECT_TRUE(policy.Inputs().pauseWhenMaximised);
  EXPECT_EQ(store.ReadRootDword(L"PauseWhenMaximised"), 1u);
  tab.OnMuteWhenOtherAudioSwitched(true);
  EXPECT_TRUE(detector.running);
  EXPECT_EQ(store.ReadRootDword(L"MuteWhenOtherAudioDetected"), 1u);
  tab.OnMuteWhenOtherAudioSwitched(true);
  EXPECT_EQ(detector.starts, 1) << "a running detector is not started twice";
}

TEST_F(GeneralSettingsTest, LoadStartsOrStopsTheDetectorAsStored) {
  store.WriteRootDword(L"MuteWhenOtherAudioDetected", 1);
  tab.Load();
  EXPECT_TRUE(tab.muteWhenOtherAudio);
  EXPECT_EQ(detector.starts, 1);
  store.WriteRootDword(L"MuteWhenOtherAudioDetected", 0);
  tab.Load();
  EXPECT_FALSE(detector.running);
}

TEST_F(GeneralSettingsTest, ReportsMuteWhileOtherAudioLastsAndUnmuteOnce) {
  tab.OnMuteWhenOtherAudioSwitched(true);
  for (bool report : {false, true, true, false, false, true}) tab.OnOtherAudioReport(report);
  EXPECT_EQ(mutes, (std::vector<bool>{true, true, false, true}));
  // Switched off while other audio plays: what the detector muted is unmuted at once.
  mutes.clear();
  tab.OnMuteWhenOtherAudioSwitched(false);
  EXPECT_FALSE(detector.running);
  EXPECT_EQ(mutes, std::vector<bool>{false});
  EXPECT_FALSE(tab.otherAudioDetected);
}

TEST_F(GeneralSettingsTest, AReportQueuedWhenTheDetectorStoppedIsIgnored) {
  tab.OnMuteWhenOtherAudioSwitched(true);
  tab.OnMuteWhenOtherAudioSwitched(false);
  tab.OnOtherAudioReport(true);  // was on its way when the switch went off
  EXPECT_TRUE(mutes.empty()) << "nothing would ever lift this mute";
  EXPECT_FALSE(tab.otherAudioDetected);
}

TEST_F(GeneralSettingsTest, ResetGivesDefaultsWritesNothingAndKeepsTheEntryUnlessUninstalling) {
  for (bool uninstalling : {false, true}) {
    keys.DeleteTree(L"");
    entry = FakeRunEntry{};
    tab.OnMuteWhenOtherAudioSwitched(true);
    tab.OnPauseWhenMaximisedSwitched(true);
    tab.OnAutoRunSwitched(false);
    keys.DeleteTree(L"");  // the factory reset deletes the settings first
    entry.sets.clear();
    tab.Reset(uninstalling);
    EXPECT_EQ(entry.sets, std::vector<bool>{!uninstalling});
    EXPECT_TRUE(tab.autoRun);
    EXPECT_FALSE(tab.pauseWhenMaximised || flags.pauseWhenMaximised || policy.Inputs().pauseWhenMaximised);
    EXPECT_FALSE(tab.muteWhenOtherAudio || detector.running);
    for (const wchar_t* name : {L"AutoRun", L"PauseWhenMaximised", L"MuteWhenOtherAudioDetected"})
      EXPECT_FALSE(keys.QueryValue(L"", name).has_value()) << "the reset writes nothing back";
  }
}

// --- Quick controls -----------------------------------------------------------------------

struct FakeQuickView : app::QuickControlsView {
  int slider = 0;
  bool mutePicture = false, switchOn = false, answer = true;
  std::wstring text;
  std::vector<unsigned> asked;
  void SetSliderPos(int v) override { slider = v; }
  int SliderPos() const override { return slider; }
  void ShowMutePicture(bool m) override { mutePicture = m; }
  void SetVolumeText(const std::wstring& t) override { text = t; }
  void SetSwitch(bool on) override { switchOn = on; }
  bool Confirm(unsigned id) override { return asked.push_back(id), answer; }
};

struct Posted {
  unsigned message;
  int wParam;
  bool operator==(const Posted& o) const { return message == o.message && wParam == o.wParam; }
};

class QuickControlsTest : public ::testing::Test {
 protected:
  int Stored(const wchar_t* name, int missing = -1) { return store.GetProfileInt(L"QuickControls", name, missing); }
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  FakeQuickView view;
  std::vector<Posted> posted;
  app::QuickControls tab{view, store, [this](unsigned m, int w) { posted.push_back({m, w}); }};
};

TEST_F(QuickControlsTest, InitialiseShowsTheStoredVolumeWithoutApplyingIt) {
  struct Case {
    int volume, mute;  // -1: not stored
    int slider;
    bool muted;
  } cases[] = {{-1, -1, 50, false}, {30, 0, 30, false}, {30, 1, 0, true}, {250, 0, 100, false}};
  for (const Case& k : cases) {
    keys.DeleteTree(L"");
    if (k.volume >= 0) store.WriteProfileInt(L"QuickControls", L"Volume", k.volume);
    if (k.mute >= 0) store.WriteProfileInt(L"QuickControls", L"Mute", k.mute);
    tab.Initialise(true);
    EXPECT_EQ(view.slider, k.slider) << k.volume;
    EXPECT_EQ(view.text, std::to_wstring(k.slider));
    EXPECT_EQ(view.mutePicture, k.muted);
    EXPECT_TRUE(view.switchOn);
  }
  EXPECT_TRUE(posted.empty());
}

TEST_F(QuickControlsTest, TypedVolumes) {
  struct Case {
    const wchar_t* typed;
    int slider;
    const wchar_t* shown;  // the box's text afterwards
    bool muted;
    bool posts;
  } cases[] = {
      {L"007", 7, L"007", false, true},
      {L"", 0, L"0", true, true},
      {L"150", 100, L"100", false, true},
      {L"99999999999999999999", 100, L"100", false, true},
      {L"50", 50, L"50", false, false},  // the slider's value already: nothing happens
  };
  for (const Case& k : cases) {
    keys.DeleteTree(L"");
    posted.clear();
    tab.Initialise(false);  // slider 50, unmuted
    view.text = k.typed;
    tab.OnVolumeTyped(k.typed);
    EXPECT_EQ(view.slider, k.slider) << k.typed;
    EXPECT_EQ(view.text, k.shown) << k.typed;
    EXPECT_EQ(tab.masterMuted, k.muted) << k.typed;
    EXPECT_EQ(view.mutePicture, k.muted) << k.typed;
    if (k.posts) {
      EXPECT_EQ(posted, (std::vector<Posted>{{WM_APP_MASTER_VOLUME, k.slider}})) << k.typed;
      EXPECT_EQ(Stored(L"Volume"), k.slider) << k.typed;
      EXPECT_EQ(Stored(L"Mute"), k.muted ? 1 : 0) << k.typed << ": the mute typing changed is stored too";
    } else {
      EXPECT_TRUE(posted.empty()) << k.typed;
      EXPECT_EQ(Stored(L"Volume"), -1) << k.typed;
    }
    EXPECT_EQ(tab.masterVolume, 50) << "typing does not change what unmuting restores";
  }
}

TEST_F(QuickControlsTest, DragMutesAtZeroAndTheButtonRestoresTheReleasedVolume) {
  tab.Initialise(false);
  view.slider = 0;
  tab.OnSliderMoving();
  EXPECT_TRUE(tab.masterMuted && view.mutePicture);
  view.slider = 30;
  tab.OnSliderMoving();
  EXPECT_FALSE(tab.masterMuted || view.mutePicture);
  tab.OnSliderChanged();
  EXPECT_EQ(Stored(L"Volume"), 30);
  EXPECT_EQ((std::vector<Posted>{{WM_APP_MASTER_VOLUME, 0}, {WM_APP_MASTER_VOLUME, 30}}), posted);
  posted.clear();
  tab.OnMuteClicked();
  EXPECT_EQ(view.slider, 0);
  EXPECT_EQ(view.text, L"0");
  EXPECT_EQ(Stored(L"Mute"), 1);
  tab.OnMuteClicked();
  EXPECT_EQ(view.slider, 30);
  EXPECT_EQ(Stored(L"Mute"), 0);
  EXPECT_EQ((std::vector<Posted>{{WM_APP_MUTE_ALL, 1}, {WM_APP_MUTE_ALL, 0}}), posted)
      << "the button posts the mute, never the volume";
}

TEST_F(QuickControlsTest, RemoveAllAndFactoryResetAskFirst) {
  struct Case {
    void (app::QuickControls::*click)();
    unsigned question, message;
  } cases[] = {{&app::QuickControls::OnRemoveAll, IDS_CONFIRM_REMOVE_ALL, WM_APP_REMOVE_ALL},
               {&app::QuickControls::OnFactoryReset, IDS_CONFIRM_FACTORY_RESET, WM_APP_FACTORY_RESET}};
  for (const Case& k : cases) {
    for (bool yes : {false, true}) {
      posted.clear();
      view.asked.clear();
      view.answer = yes;
      (tab.*k.click)();
      EXPECT_EQ(view.asked, std::vector<unsigned>{k.question});
      const std::vector<Posted> expected = yes ? std::vector<Posted>{{k.message, 0}} : std::vector<Posted>{};
      EXPECT_EQ(posted, expected) << k.message;
    }
  }
}

TEST_F(QuickControlsTest, ResetShowsDefaultsAndWritesNothing) {
  store.WriteProfileInt(L"QuickControls", L"Volume", 20);
  store.WriteProfileInt(L"QuickControls", L"Mute", 1);
  tab.Initialise(true);
  keys.DeleteTree(L"");
  tab.Reset();
  EXPECT_EQ(view.slider, 50);
  EXPECT_EQ(view.text, L"50");
  EXPECT_FALSE(tab.masterMuted || view.mutePicture || view.switchOn);
  EXPECT_EQ(tab.masterVolume, 50);
  EXPECT_FALSE(keys.KeyExists(L"QuickControls"));
  EXPECT_TRUE(posted.empty());
}

TEST(SettingsIndexTest, OutOfRangeGivesTheFirstTab) {
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  for (auto [stored, tab] : {std::pair<uint32_t, int>{4, 4}, {2, 2}, {5, 0}, {7, 0}, {0xFFFFFFFFu, 0}}) {
    store.WriteRootDword(L"SettingsIndex", stored);
    EXPECT_EQ(app::StoredIndexAtStart(store, L"SettingsIndex", 5), tab) << stored;
  }
}

}  // namespace
