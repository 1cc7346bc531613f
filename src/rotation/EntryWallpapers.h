// A playlist entry's wallpapers loaded into the monitors (what the rotation does before the
// video page rebuilds the wallpaper windows), and an edited entry's wallpapers stored back.
#pragma once
#include "engine/Wallpapers.h"
#include "rotation/Playlist.h"

namespace rotation {

// Loads the entry's records into the monitors: option 1 the wallpaper across all monitors,
// options 0 and 2 every monitor that has a record in the entry (the others keep theirs).
// While the tray's mute is in force every loaded wallpaper comes up muted; a monitor muted
// automatically stays muted. Whether any monitor was loaded.
bool LoadEntryWallpapers(engine::Wallpapers& wallpapers, settings::SettingsStore& store, const PlaylistEntry& entry,
                         bool trayMuted);

// The entry editor's Apply: the display option and every monitor's current record (the one
// across all monitors too) stored into the entry. An automatic mute is not stored as a mute.
void StoreEntryWallpapers(engine::Wallpapers& wallpapers, settings::SettingsStore& store, int key, int displayOption);

}  // namespace rotation
