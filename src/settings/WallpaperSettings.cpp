// Reading and writing a wallpaper record.
#include "settings/WallpaperSettings.h"

#include "settings/SettingsStore.h"

namespace {
int AtMost100(int value) { return value > 100 ? 100 : value; }
}  // namespace

void WallpaperSettings::Load(std::wstring_view section) {
  Path = GetProfileString(section, L"Path", L"");
  VideoSize = GetProfileInt(section, L"VideoSize", Cover);
  if (VideoSize > Stretch) VideoSize = Cover;
  PosX = AtMost100(GetProfileInt(section, L"PosX", 50));
  PosY = AtMost100(GetProfileInt(section, L"PosY", 50));
  BlackOverlay = AtMost100(GetProfileInt(section, L"BlackOverlay", 0));
  Volume = AtMost100(GetProfileInt(section, L"Volume", 50));
  Mute = GetProfileInt(section, L"Mute", 0) != 0;
}

void WallpaperSettings::Save(std::wstring_view section) const {
  for (const wchar_t* name : {L"Path", L"VideoSize", L"PosX", L"PosY", L"BlackOverlay", L"Volume", L"Mute"})
    SaveValue(section, name);
}

bool WallpaperSettings::SaveValue(std::wstring_view section, std::wstring_view name) const {
  if (name == L"Path") return WriteProfileString(section, L"Path", Path.c_str()), true;
  if (name == L"VideoSize") return WriteProfileInt(section, L"VideoSize", VideoSize), true;
  if (name == L"PosX") return WriteProfileInt(section, L"PosX", PosX), true;
  if (name == L"PosY") return WriteProfileInt(section, L"PosY", PosY), true;
  if (name == L"BlackOverlay") return WriteProfileInt(section, L"BlackOverlay", BlackOverlay), true;
  if (name == L"Volume") return WriteProfileInt(section, L"Volume", Volume), true;
  if (name == L"Mute") return WriteProfileInt(section, L"Mute", Mute ? 1 : 0), true;
  return false;
}
