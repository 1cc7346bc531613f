// The music page's rules over a recorded view and player: what loading a section shows, the
// user's and the program's mutes, typed and slid volumes, the option that only the music is
// heard, entry mode writing nothing, and the loop at the end of the track.
#include <gtest/gtest.h>

#include <functional>

#include "app/MusicPage.h"
#include "settings/MemoryKeyStore.h"

using app::MusicState;

namespace {

struct FakePlayer : app::MusicPlayer {
  int32_t Open(const std::wstring& path) override {
    opened.push_back(path);
    if (openResult >= 0) state = MusicState::OpenPending;
    return openResult;
  }
  void Close() override { state = MusicState::Closed, ++closes; }
  void SetVolume(float level) override { volume = level; }
  MusicState State() const override { return state; }
  bool Pause() override { return state == MusicState::Started ? (state = MusicState::Paused, true) : false; }
  bool Resume() override { return state == MusicState::Paused ? (state = MusicState::Started, true) : false; }
  void Play() override { state = MusicState::Started, ++plays; }

  MusicState state = MusicState::Closed;
  int32_t openResult = 0;
  std::vector<std::wstring> opened;
  int closes = 0, plays = 0;
  float volume = -1.0f;
};

struct FakeView : app::MusicView {
  void SetPathText(const std::wstring& text) override {
    if (text == path) return;
    path = text;
    if (page) page->OnPathChanged();
  }
  std::wstring PathText() const override { return path; }
  void EnableRemove(bool enabled) override { removeEnabled = enabled; }
  bool RemoveHasFocus() const override { return removeFocused; }
  void FocusBrowse() override { removeFocused = false, browseFocused = true; }
  void SetSliderPos(int value) override { slider = value < 0 ? 0 : value > 100 ? 100 : value; }
  int SliderPos() const override { return slider; }
  void ShowMutePicture(bool muted) override { mutePicture = muted; }
  void SetVolumeText(const std::wstring& text) override { volumeText = text; }
  void SetMuteVideo(bool checked) override { muteVideo = checked; }
  bool MuteVideo() const override { return muteVideo; }
  std::optional<std::wstring> PickMusicFile() override { return picked; }
  void ShowOpenFailed(const std::wstring& p, int32_t code) override { failures.push_back({p, code}); }
  void NotifyMusicMutesVideos(bool on) override { mutesVideos.push_back(on); }
  void NotifyMusicOnly(bool on) override { musicOnly.push_back(on); }

  app::MusicPage* page = nullptr;
  std::wstring path;
  bool removeEnabled = true, removeFocused = false, browseFocused = false, mutePicture = false, muteVideo = false;
  int slider = 0;
  std::wstring volumeText;
  std::optional<std::wstring> picked;
  std::vector<std::pair<std::wstring, int32_t>> failures;
  std::vector<bool> mutesVideos, musicOnly;
};

class MusicPageTest : public ::testing::Test {
 protected:
  // A page over its own section (or an entry's, in entry mode) with the given stored values.
  app::MusicPage& Page(std::wstring section = L"", int entry = 0) {
    page.emplace(view, store, section, entry);
    view.page = &*page;
    page->SetPlayer(&player);
    page->Initialise();
    return *page;
  }
  void Store(const std::wstring& section, const std::wstring& path, int volume, int mute, int muteVideo) {
    store.WriteProfileString(section, L"Path", path.c_str());
    store.WriteProfileInt(section, L"Volume", volume);
    store.WriteProfileInt(section, L"Mute", mute);
    store.WriteProfileInt(section, L"MuteVideo", muteVideo);
  }
  int Stored(const wchar_t* name, int fallback = -1) { return store.GetProfileInt(L"Music", name, fallback); }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  FakeView view;
  FakePlayer player;
  std::optional<app::MusicPage> page;
};

}  // namespace

TEST_F(MusicPageTest, AnEmptySectionOpensNothingAndIsNeverMusicOnly) {
  store.WriteProfileInt(L"Music", L"MuteVideo", 1);
  app::MusicPage& p = Page();
  EXPECT_TRUE(player.opened.empty());
  EXPECT_FALSE(view.removeEnabled);
  EXPECT_TRUE(view.muteVideo);
  EXPECT_FALSE(p.IsMusicOnly());
  EXPECT_EQ(view.slider, 50);
  EXPECT_EQ(view.volumeText, L"50");
}

TEST_F(MusicPageTest, LoadedMuteShowsZeroKeepsTheVolumeAndUnmutingRestoresIt) {
  Store(L"Music", L"C:\\m\\a.mp3", 70, 1, 0);
  app::MusicPage& p = Page();
  EXPECT_EQ(player.opened, std::vector<std::wstring>{L"C:\\m\\a.mp3"});
  EXPECT_TRUE(view.removeEnabled);
  EXPECT_EQ(view.slider, 0);
  EXPECT_TRUE(view.mutePicture);
  EXPECT_EQ(p.restoreVolume, 70);
  EXPECT_EQ(player.volume, 0.0f);
  p.OnMuteClicked();
  EXPECT_EQ(view.slider, 70);
  EXPECT_FALSE(view.mutePicture);
  EXPECT_FLOAT_EQ(player.volume, 0.7f);
  EXPECT_EQ(Stored(L"Mute"), 0);
}

// The program's mutes (tray, quick controls: not automatic; the other-audio detector: automatic)
// against the user's.
TEST_F(MusicPageTest, MuteRules) {
  struct Step {
    enum Kind { Program, UserButton } kind;
    bool mute, automatic;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool muted;
    int slider;
  } cases[] = {
      {"automatic mute then automatic unmute", {{Step::Program, true, true}, {Step::Program, false, true}}, false, 60},
      {"user's mute stays against an automatic unmute", {{Step::UserButton, false, false}, {Step::Program, false, true}}, true, 0},
      {"user's unmute ends an automatic mute", {{Step::Program, true, true}, {Step::UserButton, false, false}}, false, 60},
      {"a program unmute ends the user's mute", {{Step::UserButton, false, false}, {Step::Program, false, false}}, false, 60},
      {"muting twice changes nothing", {{Step::Program, true, false}, {Step::Program, true, true}}, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store(L"Music", L"C:\\m\\a.mp3", 60, 0, 0);
    app::MusicPage& p = Page();
    for (const Step& s : c.steps) {
      if (s.kind == Step::UserButton)
        p.OnMuteClicked();
      else
        p.MuteMusic(s.mute, s.automatic);
    }
    EXPECT_EQ(p.muted, c.muted);
    EXPECT_EQ(view.mutePicture, c.muted);
    EXPECT_EQ(view.slider, c.slider);
    EXPECT_FLOAT_EQ(player.volume, c.slider / 100.0f);
  }
}

TEST_F(MusicPageTest, LoadingAnEntryWhileMutedAutomaticallyChangesTheFileButKeepsTheMute) {
  Store(L"Music", L"C:\\m\\a.mp3", 60, 0, 0);
  Store(L"Playlist\\3\\Music", L"C:\\m\\b.wav", 20, 0, 1);
  app::MusicPage& p = Page();
  p.MuteMusic(true, true);
  p.LoadMusicSection(L"Playlist\\3\\Music");
  EXPECT_EQ(player.opened.back(), L"C:\\m\\b.wav");
  EXPECT_EQ(p.restoreVolume, 20);
  EXPECT_TRUE(p.muted);
  EXPECT_EQ(view.slider, 0);
  EXPECT_FALSE(view.muteVideo) << "the box keeps its state";
  EXPECT_EQ(store.GetProfileString(L"Music", L"Path"), L"C:\\m\\b.wav") << "the main page's own Path follows";
  p.MuteMusic(false, true);
  EXPECT_EQ(view.slider, 20);
}

TEST_F(MusicPageTest, SlidTypedAndKeyboardVolumes) {
  Store(L"Music", L"C:\\m\\a.mp3", 60, 0, 0);
  app::MusicPage& p = Page();
  // A drag applies without storing; its release stores.
  view.slider = 30;
  p.OnSliderMoving();
  EXPECT_FLOAT_EQ(player.volume, 0.3f);
  EXPECT_EQ(Stored(L"Volume"), 60);
  p.OnSliderChanged();
  EXPECT_EQ(Stored(L"Volume"), 30);
  EXPECT_EQ(p.restoreVolume, 30);
  // A keyboard move reports only the release: it is applied too, and 0 mutes.
  view.slider = 0;
  p.OnSliderChanged();
  EXPECT_EQ(player.volume, 0.0f);
  EXPECT_TRUE(view.mutePicture);
  EXPECT_EQ(Stored(L"Mute"), 1);
  // Typing: 150 shows and stores 100 and unmutes; an endless number saturates; 0 mutes.
  p.OnVolumeTyped(L"150");
  EXPECT_EQ(view.volumeText, L"100");
  EXPECT_EQ(view.slider, 100);
  EXPECT_FALSE(p.muted);
  EXPECT_EQ(Stored(L"Volume"), 100);
  p.OnVolumeTyped(L"0");
  EXPECT_TRUE(p.muted);
  EXPECT_EQ(Stored(L"Volume"), 0);
  p.OnVolumeTyped(L"99999999999999999999");
  EXPECT_EQ(view.slider, 100);
  EXPECT_EQ(view.volumeText, L"100");
  EXPECT_EQ(p.restoreVolume, 0) << "typing leaves what unmuting restores";
}

TEST_F(MusicPageTest, MusicOnlyFollowsThePathTheBoxAndThePlayer) {
  Store(L"Music", L"C:\\m\\a.mp3", 60, 0, 1);
  app::MusicPage& p = Page();
  EXPECT_TRUE(p.IsMusicOnly()) << "opening";
  player.state = MusicState::Started;
  p.OnSessionStarted(false);
  EXPECT_TRUE(p.IsMusicOnly());
  EXPECT_EQ(view.musicOnly.back(), true);
  // The user switches the box off: written, and the main window told.
  view.muteVideo = false;
  p.OnMuteVideoClicked();
  EXPECT_EQ(Stored(L"MuteVideo"), 0);
  EXPECT_EQ(view.mutesVideos, std::vector<bool>{false});
  view.muteVideo = true;
  p.OnMuteVideoClicked();
  EXPECT_EQ(view.mutesVideos, (std::vector<bool>{false, true}));
  // Remove: the music closes and only-music ends.
  view.removeFocused = true;
  p.OnRemove();
  EXPECT_EQ(player.closes, 1);
  EXPECT_FALSE(p.IsMusicOnly());
  EXPECT_EQ(view.musicOnly.back(), false);
  EXPECT_TRUE(view.browseFocused);
  EXPECT_FALSE(view.removeEnabled);
  EXPECT_EQ(store.GetProfileString(L"Music", L"Path", L"x"), L"");
}

TEST_F(MusicPageTest, WithoutAPlayerTheBoxIsOnlyWritten) {
  app::MusicPage& p = Page();
  p.SetPlayer(nullptr);
  view.muteVideo = true;
  p.OnMuteVideoClicked();
  EXPECT_EQ(Stored(L"MuteVideo"), 1);
  EXPECT_TRUE(view.mutesVideos.empty());
}

TEST_F(MusicPageTest, EntryModeWritesNothing) {
  Store(L"Playlist\\2\\Music", L"C:\\m\\b.wav", 40, 0, 0);
  app::MusicPage& p = Page(L"Playlist\\2\\Music", 2);
  EXPECT_EQ(player.opened, std::vector<std::wstring>{L"C:\\m\\b.wav"});
  view.slider = 10;
  p.OnSliderChanged();
  p.OnMuteClicked();
  p.OnVolumeTyped(L"80");
  view.muteVideo = true;
  p.OnMuteVideoClicked();
  p.OnRemove();
  EXPECT_EQ(store.GetProfileInt(L"Playlist\\2\\Music", L"Volume", -1), 40);
  EXPECT_EQ(store.GetProfileInt(L"Playlist\\2\\Music", L"MuteVideo", -1), 0);
  EXPECT_EQ(store.GetProfileString(L"Playlist\\2\\Music", L"Path"), L"C:\\m\\b.wav");
  EXPECT_EQ(store.GetProfileString(L"Music", L"Path", L"none"), L"none") << "nor the main page's section";
  EXPECT_TRUE(view.mutesVideos.empty());
}

// The entry editor's Apply stores what the entry-mode page shows; a mute the program made
// (the detector's) is not stored as the user's, and a muted page stores the remembered volume.
TEST_F(MusicPageTest, AnEditedEntryStoresThePagesMusic) {
  struct Case {
    const char* name;
    std::function<void(app::MusicPage&)> act;
    int volume, mute, muteVideo;
  };
  const Case cases[] = {
      {"as loaded", [](app::MusicPage&) {}, 40, 0, 0},
      {"slid to 70 and the box on", [this](app::MusicPage& p) {
         view.slider = 70;
         p.OnSliderChanged();
         view.muteVideo = true;
         p.OnMuteVideoClicked();
       }, 70, 0, 1},
      {"muted by the user", [](app::MusicPage& p) { p.OnMuteClicked(); }, 40, 1, 0},
      {"muted automatically", [](app::MusicPage& p) { p.MuteMusic(true, true); }, 40, 0, 0},
      {"a typed 0", [](app::MusicPage& p) { p.OnVolumeTyped(L"0"); }, 40, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    keys.DeleteTree(L"");
    Store(L"Playlist\\2\\Music", L"C:\\m\\b.wav", 40, 0, 0);
    app::MusicPage& p = Page(L"Playlist\\2\\Music", 2);
    c.act(p);
    p.StoreEntry(L"Playlist\\2\\Music");
    EXPECT_EQ(store.GetProfileString(L"Playlist\\2\\Music", L"Path"), L"C:\\m\\b.wav");
    EXPECT_EQ(store.GetProfileInt(L"Playlist\\2\\Music", L"Volume", -1), c.volume);
    EXPECT_EQ(store.GetProfileInt(L"Playlist\\2\\Music", L"Mute", -1), c.mute);
    EXPECT_EQ(store.GetProfileInt(L"Playlist\\2\\Music", L"MuteVideo", -1), c.muteVideo);
  }
}

// Opening the editor on a music row pauses playing music, and holds music between two loops
// (or still opening) so that it neither starts nor loops while the editor is open; closing
// plays again only what the editor held: music the tray had paused must stay paused.
TEST_F(MusicPageTest, TheEditorHoldsOnlyMusicThatWouldPlay) {
  struct Case {
    MusicState before;
    bool held;
    MusicState whileOpen;  // after a start or an end reported while the editor is open
    MusicState after;
  } cases[] = {
      {MusicState::Started, true, MusicState::Paused, MusicState::Started},
      {MusicState::OpenPending, true, MusicState::Paused, MusicState::Started},  // paused as it starts
      {MusicState::Stopped, true, MusicState::Stopped, MusicState::Started},     // its end: not looped
      {MusicState::Paused, false, MusicState::Paused, MusicState::Paused},       // the tray's pause
      {MusicState::Closed, false, MusicState::Closed, MusicState::Closed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.before));
    app::MusicPage& p = Page();
    player.state = c.before;
    const int plays = player.plays;
    EXPECT_EQ(p.PauseForEditor(), c.held);
    if (c.before == MusicState::OpenPending) {
      player.state = MusicState::Started;  // the session starts
      p.OnSessionStarted(false);
    } else if (c.before == MusicState::Stopped) {
      p.OnSessionEnded(false);
    }
    EXPECT_EQ(player.state, c.whileOpen);
    EXPECT_EQ(player.plays, plays) << "nothing started while the editor holds the music";
    p.ResumeAfterEditor();
    EXPECT_EQ(player.state, c.after);
    p.ResumeAfterEditor();  // only once
    EXPECT_EQ(player.state, c.after);
  }
}

// The tray's pause can come between two loops of the track (its end reported, the next loop
// not yet started): the music must not loop on, and starts again when the pause is lifted.
TEST_F(MusicPageTest, APauseBetweenTwoLoopsHoldsTheMusic) {
  app::MusicPage& p = Page();
  for (MusicState between : {MusicState::Stopped, MusicState::OpenPending}) {
    SCOPED_TRACE(static_cast<int>(between));
    player.state = between;
    player.plays = 0;
    p.PauseMusic(true);
    if (between == MusicState::Stopped) {
      p.OnSessionEnded(false);
      EXPECT_EQ(player.plays, 0) << "looped under the pause";
    } else {
      player.state = MusicState::Started;
      p.OnSessionStarted(false);
      EXPECT_EQ(player.state, MusicState::Paused) << "started under the pause";
    }
    p.PauseMusic(false);
    EXPECT_EQ(player.state, MusicState::Started);
    EXPECT_EQ(player.plays, between == MusicState::Stopped ? 1 : 0);
  }
}

TEST_F(MusicPageTest, OpenFailureShowsThePathAndKeepsIt) {
  player.openResult = static_cast<int32_t>(0x80070002);
  Store(L"Music", L"C:\\m\\gone.mp3", 50, 0, 0);
  Page();
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_EQ(view.failures[0].first, L"C:\\m\\gone.mp3");
  EXPECT_EQ(view.failures[0].second, static_cast<int32_t>(0x80070002));
  EXPECT_EQ(view.path, L"C:\\m\\gone.mp3");
  EXPECT_EQ(store.GetProfileString(L"Music", L"Path"), L"C:\\m\\gone.mp3");
}

TEST_F(MusicPageTest, SessionEventsPauseUnderPauseAllAndLoopAtTheEnd) {
  Store(L"Music", L"C:\\m\\a.mp3", 50, 0, 0);
  app::MusicPage& p = Page();
  player.state = MusicState::Started;
  p.OnSessionStarted(true);
  EXPECT_EQ(player.state, MusicState::Paused);
  p.PauseMusic(false);
  EXPECT_EQ(player.state, MusicState::Started);
  struct Case {
    const char* name;
    bool rotationMovedOn;
    MusicState after;  // the state the move left
    int plays;
  } cases[] = {{"no rotation: the track starts again", false, MusicState::Stopped, 1},
               {"the rotation opened the next track", true, MusicState::OpenPending, 0},
               {"the rotation moved on to an entry without music", true, MusicState::Stopped, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    player.plays = 0;
    player.state = c.after;
    p.OnSessionEnded(c.rotationMovedOn);
    EXPECT_EQ(player.plays, c.plays);
  }
}

TEST_F(MusicPageTest, MasterVolumeAndReset) {
  Store(L"Music", L"C:\\m\\a.mp3", 50, 0, 1);
  app::MusicPage& p = Page();
  p.SetMasterVolume(0);
  EXPECT_TRUE(p.muted);
  EXPECT_EQ(view.volumeText, L"0");
  p.SetMasterVolume(35);
  EXPECT_FALSE(p.muted);
  EXPECT_EQ(p.restoreVolume, 35);
  EXPECT_FLOAT_EQ(player.volume, 0.35f);
  EXPECT_EQ(Stored(L"Volume"), 50) << "nothing written";
  p.Reset();
  EXPECT_EQ(view.path, L"");
  EXPECT_FALSE(view.muteVideo);
  EXPECT_EQ(view.slider, 50);
  EXPECT_EQ(p.restoreVolume, 50);
  EXPECT_EQ(player.closes, 1);
}
