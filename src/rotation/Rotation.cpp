// The playlist rotation.
#include "rotation/Rotation.h"

#include "base/Log.h"

namespace rotation {

uint64_t ChangePeriod(int row) {
  static constexpr uint64_t kPeriods[kChangeIntervalCount] = {30000, 3600000, 10800000, 21600000, 86400000, 300000};
  return row >= 0 && row < kChangeIntervalCount ? kPeriods[row] : 30000;
}

namespace {
int ClampRow(int row, int count) { return row < 0 || row >= count ? 0 : row; }
}  // namespace

void Rotation::Start(uint64_t now) {
  musicModeRow = ClampRow(store_.GetProfileInt(L"Playlist", L"Mode", 0), 2);
  active = store_.GetProfileInt(L"Playlist", L"Active", 0) != 0;
  changeRow = ClampRow(store_.GetProfileInt(L"Playlist", L"ChangeTime", 0), kChangeIntervalCount);
  playlist_.musicMode = musicModeRow;
  playlist_.Load();
  int index = active ? store_.GetProfileInt(L"Playlist", L"CurrentItem", -1) : -1;
  StartAt(index, now);
}

bool Rotation::StartAt(int index, uint64_t now) {
  timerRunning = false;
  if (!active) return false;
  deadline = now + ChangePeriod(changeRow);
  timerRunning = true;
  WriteCurrentItem(ApplyItem(musicModeRow, index));
  return true;
}

int Rotation::ApplyItem(int mode, int index) {
  const int count = playlist_.Count();
  if (count == 0) return -1;  // nothing shown: CurrentItem says so
  int c = index >= 0 ? index : playlist_.nextIndex;
  if (c < 0 || c >= count) c = 0;
  const PlaylistEntry& entry = playlist_.Entries()[static_cast<size_t>(c)];
  auto musicEntryOf = [&](const PlaylistEntry& e) -> const PlaylistEntry& {
    return mode == 1 ? playlist_.Entries().front() : e;
  };
  const PlaylistEntry& music = musicEntryOf(entry);
  // An entry with nothing to show gives way to the next one that has something, if any.
  if (playlist_.HasNoVideo(entry) && playlist_.HasNoMusic(music) && count > 1) {
    for (int step = 1; step < count; ++step) {
      int i = (c + step) % count;
      const PlaylistEntry& other = playlist_.Entries()[static_cast<size_t>(i)];
      if (!playlist_.HasNoVideo(other) || !playlist_.HasNoMusic(musicEntryOf(other))) return ApplyItem(mode, i);
    }
  }
  if (!playlist_.HasNoVideo(entry) && target_.LoadEntryWallpapers(entry)) target_.ApplyDisplayOption(entry.displayOption);
  target_.LoadMusic(playlist_.MusicSection(music));
  playlist_.nextIndex = c + 1 >= count ? 0 : c + 1;
  return c;
}

void Rotation::OnTimer(uint64_t now) {
  if (!timerRunning || target_.Held()) return;
  if (changeRow == kChangeAtEndOfTrack && target_.MusicPlaying()) return;  // the track's end decides
  if (now < deadline) return;
  deadline = now + ChangePeriod(changeRow);
  WriteCurrentItem(ApplyItem(musicModeRow, -1));
}

bool Rotation::OnMusicEnded(uint64_t now) {
  if (!timerRunning || target_.Held() || !active || changeRow != kChangeAtEndOfTrack) return false;
  deadline = now + ChangePeriod(kChangeAtEndOfTrack);
  WriteCurrentItem(ApplyItem(musicModeRow, -1));
  return true;
}

void Rotation::SetActive(bool on, uint64_t now) {
  LogMessage(Info, "Playlist: Set Activate %d", on ? 1 : 0);
  active = on;
  store_.WriteProfileInt(L"Playlist", L"Active", on ? 1 : 0);
  if (!on) store_.WriteProfileInt(L"Playlist", L"CurrentItem", -1);
  StartAt(-1, now);
}

void Rotation::SetMusicMode(int row, uint64_t now) {
  LogMessage(Info, "Playlist: Set music mode %d", row);
  musicModeRow = ClampRow(row, 2);
  store_.WriteProfileInt(L"Playlist", L"Mode", musicModeRow);
  playlist_.musicMode = musicModeRow;
  playlist_.Load();
  StartAt(-1, now);
}

void Rotation::SetChangeRow(int row, uint64_t now) {
  changeRow = ClampRow(row, kChangeIntervalCount);
  store_.WriteProfileInt(L"Playlist", L"ChangeTime", changeRow);
  deadline = now + ChangePeriod(changeRow);
  if (changeRow == kChangeAtEndOfTrack)
    LogMessage(Info, "Playlist: Set Change time %d (Eof music track)", changeRow);
  else
    LogMessage(Info, "Playlist: Set Change time %d (%lu ms)", changeRow,
               static_cast<unsigned long>(ChangePeriod(changeRow)));
}

bool Rotation::CanAddEntry() const {
  const auto& entries = playlist_.Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const PlaylistEntry& e = entries[i];
    if (musicModeRow == 1) {
      if (playlist_.HasNoVideo(e) && (i > 0 || playlist_.HasNoMusic(e))) return false;
    } else if (playlist_.IsEmpty(e)) {
      return false;
    }
  }
  return true;
}

}  // namespace rotation
