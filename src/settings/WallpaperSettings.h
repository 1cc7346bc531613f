// One wallpaper's record: which video plays, how it fills its window, where a cropped
// picture is anchored, how dark the overlay is and how loud it plays; read from and written
// to one section of the settings tree.
#pragma once
#include <string>
#include <string_view>

namespace settings {
class SettingsStore;
}

class WallpaperSettings {
 public:
  // Size modes of VideoSize.
  enum SizeMode : int { Cover = 0, Contain = 1, Stretch = 2 };

  WallpaperSettings() = default;
  WallpaperSettings(const WallpaperSettings&) = default;
  WallpaperSettings& operator=(const WallpaperSettings&) = default;
  virtual ~WallpaperSettings() = default;

  // Reads the seven values of the section; missing values give the defaults, VideoSize above
  // 2 reads as 0, the percentages above 100 read as 100 (no lower bound).
  void Load(settings::SettingsStore& store, std::wstring_view section);
  // Writes all seven values (Path also when empty, Mute as 0 or 1).
  void Save(settings::SettingsStore& store, std::wstring_view section) const;
  // Writes the one value of that name; false (nothing written) for any other name.
  bool SaveValue(settings::SettingsStore& store, std::wstring_view section, std::wstring_view name) const;

  // The record with every value at its default.
  void Reset() { *this = WallpaperSettings(); }

  std::wstring Path;
  int VideoSize = Cover;
  int PosX = 50;
  int PosY = 50;
  int BlackOverlay = 0;
  int Volume = 50;
  bool Mute = false;
};
