// Playlists as stored and their rotation, over the memory store and a recorded target: which
// sections are entries and in what order, new keys, removal, display option changes, the
// index the rotation applies (empty entries skipped, wrap), the deadlines and holds, the end
// of the track, CurrentItem across a restart.
#include <gtest/gtest.h>

#include "rotation/Rotation.h"
#include "settings/MemoryKeyStore.h"

using rotation::Playlist;
using rotation::PlaylistEntry;
using rotation::Rotation;

namespace {

std::vector<int> Keys(const Playlist& p) {
  std::vector<int> keys;
  for (const PlaylistEntry& e : p.Entries()) keys.push_back(e.key);
  return keys;
}

struct Target : rotation::RotationTarget {
  bool LoadEntryWallpapers(const PlaylistEntry& entry) override {
    loaded.push_back(entry.key);
    return true;
  }
  void ApplyDisplayOption(int option) override { options.push_back(option); }
  void LoadMusic(const std::wstring& section) override { music.push_back(section); }
  bool MusicPlaying() const override { return playing; }
  bool Held() const override { return held; }
  std::vector<int> loaded, options;
  std::vector<std::wstring> music;
  bool playing = false, held = false;
};

class PlaylistTest : public ::testing::Test {
 protected:
  void SetUp() override { playlist.SetMonitorKeys({L"Default_Monitor_0000", L"Default_Monitor_0001"}); }
  void MakeEntry(const std::wstring& name) { store.GetProfileInt(L"Playlist\\" + name + L"\\Video", L"DisplayOptions", 0); }
  void SetVideo(int key, const std::wstring& monitor, const std::wstring& path) {
    store.WriteProfileString(rotation::EntrySection(key) + L"\\Video\\" + monitor, L"Path", path.c_str());
  }
  void SetMusic(int key, const std::wstring& path) {
    store.WriteProfileString(rotation::EntrySection(key) + L"\\Music", L"Path", path.c_str());
  }
  int CurrentItem() { return store.GetProfileInt(L"Playlist", L"CurrentItem", -99); }

  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  Playlist playlist{store};
};

}  // namespace

TEST(PlaylistKeys, OnlyPlainDecimalNamesAreEntries) {
  struct Case {
    const wchar_t* name;
    std::optional<int> key;
  } cases[] = {{L"0", 0},          {L"7", 7},           {L"10", 10},          {L"2147483647", 2147483647},
               {L"01", std::nullopt}, {L"abc", std::nullopt}, {L"", std::nullopt},   {L"-1", std::nullopt},
               {L"+3", std::nullopt}, {L"2147483648", std::nullopt}, {L"99999999999", std::nullopt}, {L"1a", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(rotation::EntryKey(c.name), c.key) << std::wstring(c.name).size();
}

// Which sections load as entries, in what order, and the key the next new entry gets.
TEST_F(PlaylistTest, LoadOrderAndNewKeysForStoredKeySets) {
  struct Case {
    const char* name;
    std::vector<std::wstring> stored;
    std::vector<int> loaded;
    int nextKey;
  } cases[] = {
      {"first start: the two default entries", {}, {0, 1}, 2},
      {"0 and 1", {L"0", L"1"}, {0, 1}, 2},
      {"0 to 10, in numeric order", {L"0", L"1", L"10", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"},
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 11},
      {"gaps", {L"3", L"12", L"5"}, {3, 5, 12}, 13},
      {"other names are skipped and kept", {L"01", L"abc", L"4"}, {4}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store.DeleteSection(L"Playlist");
    for (const std::wstring& name : c.stored) MakeEntry(name);
    Playlist p(store);
    p.Load();
    EXPECT_EQ(Keys(p), c.loaded);
    for (const std::wstring& name : c.stored) {
      if (!rotation::EntryKey(name)) {
        EXPECT_FALSE(store.Subkeys(L"Playlist\\" + name).empty()) << "kept";
      }
    }
    EXPECT_EQ(p.Add().key, c.nextKey);
    EXPECT_EQ(p.Entries().back().position, p.Count());
  }
}

TEST_F(PlaylistTest, AfterRemovingEveryEntryTheListStaysEmptyUntilAFirstLoad) {
  playlist.Load();
  playlist.Remove(0);
  playlist.Remove(1);
  playlist.Load();
  EXPECT_TRUE(playlist.Entries().empty());
  EXPECT_EQ(playlist.Add().key, 1) << "an empty list's first new key";
  playlist.Reset();
  playlist.Load();
  EXPECT_EQ(Keys(playlist), (std::vector<int>{0, 1}));
}

TEST_F(PlaylistTest, RemovingRenumbersKeepsKeysAndTheNextEntry) {
  for (const wchar_t* name : {L"0", L"1", L"2", L"3"}) MakeEntry(name);
  SetVideo(2, L"Default_Monitor_0000", L"C:\\v\\two.mp4");
  playlist.Load();
  playlist.nextIndex = 2;  // entry key 2 comes next
  EXPECT_EQ(playlist.Remove(1), 1);
  EXPECT_EQ(Keys(playlist), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(playlist.Find(2)->position, 2);
  EXPECT_EQ(playlist.Find(3)->position, 3);
  EXPECT_EQ(playlist.Entries()[static_cast<size_t>(playlist.nextIndex)].key, 2);
  EXPECT_TRUE(store.Subkeys(L"Playlist\\1").empty());
  EXPECT_EQ(store.GetProfileString(L"Playlist\\2\\Video\\Default_Monitor_0000", L"Path"), L"C:\\v\\two.mp4");
  EXPECT_EQ(playlist.Remove(42), -1);
}

TEST_F(PlaylistTest, DisplayOptionCarriesTheVideoOver) {
  playlist.Load();
  SetVideo(0, L"Default_Monitor_0001", L"C:\\v\\b.mp4");
  playlist.ChangeDisplayOption(0, 1);
  EXPECT_EQ(store.GetProfileString(L"Playlist\\0\\Video\\0", L"Path"), L"C:\\v\\b.mp4");
  EXPECT_EQ(store.GetProfileInt(L"Playlist\\0\\Video", L"DisplayOptions", -1), 1);
  SetVideo(0, L"0", L"C:\\v\\span.mp4");
  playlist.ChangeDisplayOption(0, 0);
  for (const wchar_t* monitor : {L"Default_Monitor_0000", L"Default_Monitor_0001"})
    EXPECT_EQ(store.GetProfileString(std::wstring(L"Playlist\\0\\Video\\") + monitor, L"Path"), L"C:\\v\\span.mp4");
  EXPECT_EQ(playlist.Find(0)->displayOption, 0);
  // Option 2 shows only the first monitor's row.
  playlist.ChangeDisplayOption(0, 2);
  EXPECT_EQ(playlist.VideoSections(*playlist.Find(0)), std::vector<std::wstring>{L"Playlist\\0\\Video\\Default_Monitor_0000"});
}

TEST_F(PlaylistTest, TheEditorsStoredOptionIsReadBack) {
  playlist.Load();
  EXPECT_FALSE(playlist.RereadDisplayOption(1)) << "nothing changed";
  store.WriteProfileInt(L"Playlist\\1\\Video", L"DisplayOptions", 1);
  EXPECT_TRUE(playlist.RereadDisplayOption(1));
  EXPECT_EQ(playlist.VideoSections(*playlist.Find(1)), std::vector<std::wstring>{L"Playlist\\1\\Video\\0"});
  store.WriteProfileInt(L"Playlist\\1\\Video", L"DisplayOptions", 7);
  EXPECT_TRUE(playlist.RereadDisplayOption(1));
  EXPECT_EQ(playlist.Find(1)->displayOption, 0) << "an option out of range reads as 0";
  EXPECT_FALSE(playlist.RereadDisplayOption(42)) << "no such entry";
}

TEST_F(PlaylistTest, ApplyItemSkipsEmptyEntriesAndWraps) {
  for (const wchar_t* name : {L"0", L"1", L"2"}) MakeEntry(name);
  SetVideo(2, L"Default_Monitor_0000", L"C:\\v\\three.mp4");
  playlist.Load();
  Target target;
  Rotation r(playlist, store, target);
  EXPECT_EQ(r.ApplyItem(0, -1), 2) << "entries 1 and 2 are empty: entry 3 shows";
  EXPECT_EQ(playlist.nextIndex, 0) << "3 wraps to 0";
  EXPECT_EQ(target.loaded, std::vector<int>{2});
  EXPECT_EQ(target.music, std::vector<std::wstring>{L"Playlist\\2\\Music"});
  // Music mode 1: the first entry's music at every change, and music alone counts as content.
  SetMusic(0, L"C:\\m\\a.mp3");
  EXPECT_EQ(r.ApplyItem(1, 1), 1) << "entry 2 is empty but the first entry's music plays for it";
  EXPECT_EQ(target.music.back(), L"Playlist\\0\\Music");
  // One empty entry is applied again and again.
  Playlist single(store);
  store.DeleteSection(L"Playlist");
  MakeEntry(L"5");
  single.Load();
  Rotation one(single, store, target);
  EXPECT_EQ(one.ApplyItem(0, -1), 0);
  EXPECT_EQ(one.ApplyItem(0, -1), 0);
  // A stored index outside the list starts at 0.
  EXPECT_EQ(one.ApplyItem(0, 9), 0);
}

TEST_F(PlaylistTest, IntervalsHoldsAndTheEndOfTheTrack) {
  for (const wchar_t* name : {L"0", L"1"}) MakeEntry(name);
  SetVideo(0, L"Default_Monitor_0000", L"C:\\v\\a.mp4");
  SetVideo(1, L"Default_Monitor_0000", L"C:\\v\\b.mp4");
  Target target;
  Rotation r(playlist, store, target);
  store.WriteProfileInt(L"Playlist", L"Active", 1);
  r.Start(1000);
  EXPECT_EQ(target.loaded, std::vector<int>{0});
  EXPECT_EQ(CurrentItem(), 0);
  // 30 s: nothing at 29.999 s, the change at 30 s.
  r.OnTimer(1000 + 29999);
  EXPECT_EQ(target.loaded.size(), 1u);
  r.OnTimer(1000 + 30000);
  EXPECT_EQ(target.loaded.back(), 1);
  EXPECT_EQ(CurrentItem(), 1);
  // Held: no change however late.
  target.held = true;
  r.OnTimer(1000 + 90000);
  EXPECT_EQ(target.loaded.size(), 2u);
  target.held = false;
  // End of the track: nothing while the music plays, the change at its end; five minutes
  // without music.
  r.SetChangeRow(rotation::kChangeAtEndOfTrack, 100000);
  target.playing = true;
  r.OnTimer(100000 + 400000);
  EXPECT_EQ(target.loaded.size(), 2u);
  EXPECT_TRUE(r.OnMusicEnded(100000 + 400000));
  EXPECT_EQ(target.loaded.back(), 0);
  EXPECT_EQ(r.deadline, 500000u + 300000u);
  target.playing = false;
  r.OnTimer(500000 + 299999);
  EXPECT_EQ(target.loaded.size(), 3u);
  r.OnTimer(500000 + 300000);
  EXPECT_EQ(target.loaded.size(), 4u);
  // Another interval than the end of the track: the track's end changes nothing.
  r.SetChangeRow(1, 900000);
  EXPECT_FALSE(r.OnMusicEnded(900001));
  // The editor suspends the tick and keeps the deadline.
  r.Suspend();
  r.OnTimer(900000 + 3600000);
  EXPECT_EQ(target.loaded.size(), 4u);
  r.Resume();
  r.OnTimer(900000 + 3600000);
  EXPECT_EQ(target.loaded.size(), 5u);
}

TEST_F(PlaylistTest, RestartResumesAtTheStoredEntryAndSwitchingOffForgetsIt) {
  for (const wchar_t* name : {L"0", L"1", L"2"}) MakeEntry(name);
  for (int key : {0, 1, 2}) SetVideo(key, L"Default_Monitor_0000", L"C:\\v\\" + std::to_wstring(key) + L".mp4");
  store.WriteProfileInt(L"Playlist", L"Active", 1);
  store.WriteProfileInt(L"Playlist", L"CurrentItem", 2);
  Target target;
  Rotation r(playlist, store, target);
  r.Start(0);
  EXPECT_EQ(target.loaded, std::vector<int>{2}) << "the stored entry is applied again at once";
  r.SetActive(false, 10);
  EXPECT_EQ(CurrentItem(), -1);
  EXPECT_FALSE(r.timerRunning);
  r.SetActive(true, 20);
  EXPECT_EQ(target.loaded.back(), 0) << "switched on again: the entry after the last one shown";
}

TEST_F(PlaylistTest, AnEmptyListShowsNothingAndSaysSo) {
  playlist.Load();
  playlist.Remove(0);
  playlist.Remove(1);
  Target target;
  Rotation r(playlist, store, target);
  r.active = true;
  EXPECT_TRUE(r.StartAt(-1, 0));
  EXPECT_EQ(CurrentItem(), -1);
  EXPECT_TRUE(target.loaded.empty());
  EXPECT_TRUE(target.music.empty());
}

TEST_F(PlaylistTest, AddEntryIsEnabledOnlyWhenEveryEntryHasContent) {
  playlist.Load();
  Target target;
  Rotation r(playlist, store, target);
  EXPECT_FALSE(r.CanAddEntry());
  SetVideo(0, L"Default_Monitor_0000", L"C:\\v\\a.mp4");
  SetMusic(1, L"C:\\m\\b.mp3");
  EXPECT_TRUE(r.CanAddEntry()) << "mode 0: a video or a music each";
  r.musicModeRow = 1;
  playlist.musicMode = 1;
  playlist.Load();
  EXPECT_FALSE(r.CanAddEntry()) << "mode 1: the second entry has no video and no music row of its own";
}
