// Fakes for the page tests: a wallpaper window that counts what it is asked, and a panel view
// that records what the panel shows.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/MonitorPanel.h"
#include "base/ResourceIds.h"
#include "engine/Wallpapers.h"

namespace pagetest {

struct PanelWindow : WallpaperWindow {
  std::wstring playing;
  int opens = 0;
  float level = -1, overlay = -1;
  bool audio = true, exists = false;
  bool Create(CMonitor&) override { return exists = true; }
  void Destroy() override { exists = false; }
  bool HasWindow() const override { return exists; }
  void ApplyStretchAndPosition(bool, bool, float, float) override {}
  void ApplyOverlay(float alpha, bool) override { overlay = alpha; }
  void ApplyVolume(float l) override { level = l; }
  std::function<void()> onOpen;  // called as a file is opened, before it plays
  int32_t Open(const std::wstring& path) override {
    if (onOpen) onOpen();
    playing = path;
    return ++opens, 0;
  }
  int32_t Pause(bool) override { return 0; }
  int32_t ApplyPlayback() override { return 0; }
  bool HasAudio() const override { return audio; }
};

struct FakeView : app::PanelView {
  app::MonitorPanel* panel = nullptr;
  std::wstring path, resolution, volumeText;
  int size = -1;
  std::map<int, int> sliders;
  std::map<int, bool> available;
  bool muted = false, removeEnabled = false, removeFocus = false, browseFocused = false;
  unsigned hint = 0;
  int pathNotices = 0;
  std::optional<std::wstring> picked;
  void SetPathText(const std::wstring& text) override {
    if (text == path) return;  // the field reports only changes
    path = text;
    panel->OnPathChanged();
  }
  std::wstring PathText() const override { return path; }
  void SetResolution(const std::wstring& text) override { resolution = text; }
  void SetSizeSelection(int mode) override { size = mode; }
  int SizeSelection() const override { return size; }
  void SetSliderPos(int slider, int value) override { sliders[slider] = value < 0 ? 0 : value > 100 ? 100 : value; }
  int SliderPos(int slider) const override { return sliders.count(slider) ? sliders.at(slider) : 0; }
  void ShowMutePicture(bool m) override { muted = m; }
  void SetVolumeText(const std::wstring& text) override { volumeText = text; }
  void ShowSliderOrHint(int slider, bool a) override { available[slider] = a; }
  void SetSizeHint(unsigned id) override { hint = id; }
  void EnableRemove(bool e) override { removeEnabled = e; }
  bool RemoveHasFocus() const override { return removeFocus; }
  void FocusBrowse() override { browseFocused = true; }
  void NotifyPathChanged() override { ++pathNotices; }
  std::optional<std::wstring> PickVideoFile() override { return picked; }
  std::wstring Text(unsigned id) const override {
    switch (id) {
      case IDS_MULTIPLE_RESOLUTIONS: return L"Multiple Resolutions";
      case IDS_RESOLUTION: return L"%dx%d pixels";
      case IDS_MONITOR: return L"Monitor";
      case IDS_ALL_MONITORS: return L"All Monitors";
    }
    return L"?";
  }
};

// count monitors of 1920x1080 side by side, as the platform would report them.
inline void LoadMonitors(engine::Wallpapers& wallpapers, int count) {
  std::vector<EnumeratedMonitor> screens;
  for (int i = 0; i < count; ++i) {
    DisplayProbe probe;
    probe.infoOk = probe.modeOk = probe.deviceOk = true;
    probe.x = i * 1920;
    probe.width = 1920;
    probe.height = 1080;
    probe.deviceId = L"MONITOR\\M" + std::to_wstring(i) + L"\\{c}\\1";
    screens.push_back({probe, {i * 1920, 0, i * 1920 + 1920, 1080}});
  }
  wallpapers.Load(screens);
}

}  // namespace pagetest
