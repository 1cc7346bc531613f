// The playlists as stored: the entries below the section "Playlist", each a complete desktop
// (a wallpaper per monitor, one across all, or one duplicated) with its music. An entry is
// known by its key, the decimal name of its section, which never changes; its position in the
// list is what the user sees. Portable: the store is passed in, the monitors are their keys.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"

namespace rotation {

// The key "0" is the wallpaper across all monitors' record, in an entry as in the monitors.
inline constexpr wchar_t kSpanningKey[] = L"0";

struct PlaylistEntry {
  int key = 0;
  int position = 0;           // 1, 2, 3 ... in list order
  bool hasMusicRow = false;   // the first entry always; every entry while the music mode is 0
  int displayOption = 0;      // 0 a wallpaper per monitor, 1 one across all, 2 one duplicated
};

// An entry's key from its section's name: plain decimal digits only, no sign, no leading zero
// (except "0" itself), within the range of an int. Other names are not entries.
std::optional<int> EntryKey(std::wstring_view name);
// "Playlist\<key>"
std::wstring EntrySection(int key);

class Playlist {
 public:
  explicit Playlist(settings::SettingsStore& store) : store_(store) {}

  // The monitors' keys in the monitor list's order (without the spanning one).
  void SetMonitorKeys(std::vector<std::wstring> keys) { monitorKeys_ = std::move(keys); }
  const std::vector<std::wstring>& MonitorKeys() const { return monitorKeys_; }

  int musicMode = 0;      // 0 music for each entry, 1 one track (the first entry's) for all
  int nextIndex = 0;      // the entry the rotation's next advance applies
  bool firstLoad = true;  // set when the list is made and by a reset

  const std::vector<PlaylistEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  const PlaylistEntry* Find(int key) const;
  int IndexOf(int key) const;

  // Rebuilds the list from the store: entries in the numeric order of their keys, names that
  // are not plain decimal keys skipped (and left alone), duplicates once. A first load that
  // finds no entry makes the two default entries, keys 0 and 1.
  void Load();
  // Appends an empty entry with the largest key + 1 (1 for an empty list); writes nothing.
  const PlaylistEntry& Add();
  // Deletes the entry's section and takes it out of the list; the index it had, or -1.
  int Remove(int key);
  // Another display option for the entry: the video path carried over, the option stored.
  void ChangeDisplayOption(int key, int option);
  // The entry's display option read again from the store (after the entry editor stored it);
  // true when it changed.
  bool RereadDisplayOption(int key);
  // The list emptied and the store's "Playlist" section deleted; the next load is a first load.
  void Reset();

  // The sections of an entry's video rows for its display option, and of its music row.
  std::vector<std::wstring> VideoSections(const PlaylistEntry& entry) const;
  std::wstring MusicSection(const PlaylistEntry& entry) const;
  bool HasNoVideo(const PlaylistEntry& entry) const;
  bool HasNoMusic(const PlaylistEntry& entry) const;
  bool IsEmpty(const PlaylistEntry& entry) const { return HasNoVideo(entry) && HasNoMusic(entry); }

 private:
  void Renumber();
  int ReadDisplayOption(int key);

  settings::SettingsStore& store_;
  std::vector<std::wstring> monitorKeys_;
  std::vector<PlaylistEntry> entries_;
};

}  // namespace rotation
