// Reading and writing a wallpaper record.
#include "settings/WallpaperSettings.h"

#include "settings/SettingsStore.h"

namespace {
int AtMost100(int value) { return value > 100 ? 100 : value; }
}  // namespace

void WallpaperSettings::Load(settings::SettingsStore& store, std::wstring_view section) {
  Path = store.GetProfileString(section, L"Path", L"");
  VideoSize = store.GetProfileInt(section, L"VideoSize", Cover);
  if (VideoSize > Stretch) VideoSize = Cover;
  PosX = AtMost100(store.GetProfileInt(section, L"PosX", 50));
  PosY = AtMost100(store.GetProfileInt(section, L"PosY", 50));
  BlackOverlay = AtMost100(store.GetProfileInt(section, L"BlackOverlay", 0));
  Volume = AtMost100(store.GetProfileInt(section, L"Volume", 50));
  Mute = store.GetProfileInt(section, L"Mute", 0) != 0;
}

void WallpaperSettings::Save(settings::SettingsStore& store, std::wstring_view section) const {
  for (const wchar_t* name : {L"Path", L"VideoSize", L"PosX", L"PosY", L"BlackOverlay", L"Volume", L"Mute"})
    SaveValue(store, section, name);
}

bool WallpaperSettings::SaveValue(settings::SettingsStore& store, std::wstring_view section,
                                  std::wstring_view name) const {
  if (name == L"Path") return store.WriteProfileString(section, L"Path", Path.c_str()), true;
  if (name == L"VideoSize") return store.WriteProfileInt(section, L"VideoSize", VideoSize), true;
  if (name == L"PosX") return store.WriteProfileInt(section, L"PosX", PosX), true;
  if (name == L"PosY") return store.WriteProfileInt(section, L"PosY", PosY), true;
  if (name == L"BlackOverlay") return store.WriteProfileInt(section, L"BlackOverlay", BlackOverlay), true;
  if (name == L"Volume") return store.WriteProfileInt(section, L"Volume", Volume), true;
  if (name == L"Mute") return store.WriteProfileInt(section, L"Mute", Mute ? 1 : 0), true;
  return false;
}
