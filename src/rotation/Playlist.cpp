// The playlists as stored.
#include "rotation/Playlist.h"

#include <algorithm>
#include <climits>

#include "base/Log.h"

namespace rotation {

std::optional<int> EntryKey(std::wstring_view name) {
  if (name.empty() || name.size() > 10) return std::nullopt;
  if (name.size() > 1 && name[0] == L'0') return std::nullopt;
  long long value = 0;
  for (wchar_t c : name) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  if (value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

std::wstring EntrySection(int key) { return L"Playlist\\" + std::to_wstring(key); }

const PlaylistEntry* Playlist::Find(int key) const {
  int index = IndexOf(key);
  return index < 0 ? nullptr : &entries_[static_cast<size_t>(index)];
}

int Playlist::IndexOf(int key) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].key == key) return static_cast<int>(i);
  return -1;
}

int Playlist::ReadDisplayOption(int key) {
  int option = store_.GetProfileInt(EntrySection(key) + L"\\Video", L"DisplayOptions", 0);
  return option < 0 || option > 2 ? 0 : option;
}

bool Playlist::RereadDisplayOption(int key) {
  int index = IndexOf(key);
  if (index < 0) return false;
  int option = ReadDisplayOption(key);
  if (option == entries_[index].displayOption) return false;
  entries_[index].displayOption = option;
  return true;
}

void Playlist::Load() {
  entries_.clear();
  nextIndex = 0;
  std::vector<std::wstring> names = store_.Subkeys(L"Playlist");
  std::vector<int> keys;
  for (const std::wstring& name : names)
    if (std::optional<int> key = EntryKey(name)) keys.push_back(*key);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  if (firstLoad && names.empty()) keys = {0, 1};
  for (int key : keys) {
    PlaylistEntry entry;
    entry.key = key;
    entry.displayOption = ReadDisplayOption(key);  // its first read makes its section
    entries_.push_back(entry);
  }
  Renumber();
  firstLoad = false;
}

void Playlist::Renumber() {
  for (size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].position = static_cast<int>(i) + 1;
    entries_[i].hasMusicRow = i == 0 || musicMode == 0;
  }
}

const PlaylistEntry& Playlist::Add() {
  PlaylistEntry entry;
  entry.key = 1;
  for (const PlaylistEntry& e : entries_) entry.key = std::max(entry.key, e.key + 1);
  entries_.push_back(entry);
  Renumber();
  entries_.back().displayOption = ReadDisplayOption(entry.key);
  return entries_.back();
}

int Playlist::Remove(int key) {
  int index = IndexOf(key);
  if (index < 0) return -1;
  store_.DeleteSection(EntrySection(key));
  entries_.erase(entries_.begin() + index);
  Renumber();
  // The next advance still lands on the entry that followed the removed one.
  if (nextIndex > index) --nextIndex;
  if (nextIndex >= Count()) nextIndex = 0;
  return index;
}

void Playlist::ChangeDisplayOption(int key, int option) {
  int index = IndexOf(key);
  if (index < 0 || option < 0 || option > 2) return;
  PlaylistEntry& entry = entries_[static_cast<size_t>(index)];
  if (entry.displayOption == option) return;
  const std::wstring video = EntrySection(key) + L"\\Video";
  std::wstring carried;
  if (entry.displayOption == 1) {
    carried = store_.GetProfileString(video + L"\\" + kSpanningKey, L"Path");
  } else {
    for (const std::wstring& monitor : monitorKeys_) {
      carried = store_.GetProfileString(video + L"\\" + monitor, L"Path");
      if (!carried.empty()) break;
    }
  }
  if (!carried.empty()) {
    if (option == 1) {
      store_.WriteProfileString(video + L"\\" + kSpanningKey, L"Path", carried.c_str());
    } else {
      for (const std::wstring& monitor : monitorKeys_)
        store_.WriteProfileString(video + L"\\" + monitor, L"Path", carried.c_str());
    }
  }
  store_.WriteProfileInt(video, L"DisplayOptions", option);
  entry.displayOption = option;
}

void Playlist::Reset() {
  LogMessage(Info, "Playlist: Reset");
  entries_.clear();
  nextIndex = 0;
  musicMode = 0;
  firstLoad = true;
  store_.DeleteSection(L"Playlist");
}

std::vector<std::wstring> Playlist::VideoSections(const PlaylistEntry& entry) const {
  const std::wstring video = EntrySection(entry.key) + L"\\Video\\";
  if (entry.displayOption == 1) return {video + kSpanningKey};
  std::vector<std::wstring> sections;
  for (const std::wstring& monitor : monitorKeys_) {
    sections.push_back(video + monitor);
    if (entry.displayOption == 2) break;
  }
  return sections;
}

std::wstring Playlist::MusicSection(const PlaylistEntry& entry) const { return EntrySection(entry.key) + L"\\Music"; }

bool Playlist::HasNoVideo(const PlaylistEntry& entry) const {
  for (const std::wstring& section : VideoSections(entry))
    if (!store_.GetProfileString(section, L"Path").empty()) return false;
  return true;
}

bool Playlist::HasNoMusic(const PlaylistEntry& entry) const {
  return !entry.hasMusicRow || store_.GetProfileString(MusicSection(entry), L"Path").empty();
}

}  // namespace rotation
