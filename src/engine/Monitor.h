// The monitor model: one CMonitor per physical monitor (and one for the wallpaper spanning
// all monitors) with its stored wallpaper record and, while it shows a video, its wallpaper
// window; the monitor key, labels, list order, the translation of display rectangles into
// the wallpaper layer, and the stored display option and selection.
//
// Platform records (monitor info, display mode, display device) come in as a DisplayProbe
// filled by the Win32 half, and the wallpaper window is reached through WallpaperWindow, so
// the rules here run natively with fake monitor sets and fake windows.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "settings/WallpaperSettings.h"

using MonitorRect = base::Rect;

// What the platform reports about one monitor; each part may be missing.
struct DisplayProbe {
  bool infoOk = false;  // monitor information (device name) was read
  std::wstring deviceName;
  bool modeOk = false;  // the display's current mode was read
  int32_t x = 0, y = 0;
  uint32_t width = 0, height = 0;  // physical pixels
  bool deviceOk = false;           // the monitor device was read
  std::wstring deviceId;
};

// The current display mode: position on the virtual desktop and size in physical pixels.
struct DisplayMode {
  int32_t x = 0, y = 0;
  uint32_t width = 0, height = 0;
};
// The monitor device attached to the display.
struct DisplayDevice {
  std::wstring deviceName;
  std::wstring deviceId;
};

class CMonitor;

// The wallpaper window as the monitor drives it (CVideoWnd in the program, fakes in tests).
class WallpaperWindow {
 public:
  virtual ~WallpaperWindow() = default;
  // Creates the window at the monitor's display rectangle (the whole wallpaper layer when
  // that is empty), or moves an existing one there. False when it failed (reported there).
  virtual bool Create(CMonitor& monitor) = 0;
  // Destroys the window, if there is one; the object stays.
  virtual void Destroy() = 0;
  virtual bool HasWindow() const = 0;
  // Presentation: stretch and crop, overlay (black, alpha 0..1), volume level 0..1.
  virtual void ApplyStretchAndPosition(bool stretched, bool cover, float x, float y) = 0;
  virtual void ApplyOverlay(float alpha, bool enabled) = 0;
  virtual void ApplyVolume(float level) = 0;
  // Opens the video (a box with the system's text on failure); the player's result code.
  virtual int32_t Open(const std::wstring& path) = 0;
  // The user's pause (true) or resume (false) of this wallpaper; the player's result code.
  virtual int32_t Pause(bool paused) = 0;
  // Carries out the playback decision again after one of the program's inputs changed.
  virtual int32_t ApplyPlayback() = 0;
  // Whether the video being played has sound (its player holds an audio stream).
  virtual bool HasAudio() const { return false; }
  // The size the video takes to cover the window, and the window's client size; nothing
  // while there is no player or the video's size is not known.
  struct CoverFit {
    int coverWidth = 0, coverHeight = 0, clientWidth = 0, clientHeight = 0;
  };
  virtual std::optional<CoverFit> CoverSize() const { return std::nullopt; }
};

// Makes the wallpaper window objects (CVideoWnd in the program, fakes in tests).
using WallpaperWindowFactory = std::function<std::unique_ptr<WallpaperWindow>()>;

// What every monitor needs from its owner; the owner keeps it alive as long as its monitors.
struct MonitorServices {
  settings::SettingsStore& store;
  WallpaperWindowFactory makeWindow;
};

// Result codes returned by RefreshWindow besides the player's.
constexpr int32_t kResultOk = 0;
constexpr int32_t kResultNothingOpened = 1;                         // S_FALSE
constexpr int32_t kResultFail = static_cast<int32_t>(0x80004005u);  // E_FAIL

class CMonitor {
 public:
  // With a probe: a physical monitor (the probe holds what the platform reported). Without:
  // the spanning wallpaper (rect may then be null too). Loads the record of DefaultSection.
  CMonitor(MonitorServices& services, const DisplayProbe* probe, const MonitorRect* rect, int index);
  CMonitor(const CMonitor&) = delete;
  CMonitor& operator=(const CMonitor&) = delete;
  // WriteSettings, then destroys and deletes the wallpaper window.
  virtual ~CMonitor();

  std::wstring MonitorKey() const;
  std::wstring DefaultSection() const;

  // Stores the path (null: empty) and refreshes the window, unless !force and it is equal.
  void SetPath(const wchar_t* path, bool force);
  // Brings the wallpaper window in line with the record. The result of opening the file;
  // kResultNothingOpened when the path is empty, kResultFail when no window could be made.
  int32_t RefreshWindow();
  // Destroys and deletes the wallpaper window, if any.
  void RemoveWindow();

  bool SetVideoSize(int size);
  // The monitor was found again after a display change: takes the new platform records,
  // rectangles and enumeration position (label); the record and the window stay.
  void Relocate(const DisplayProbe& probe, const MonitorRect& rect, int index);

  void SetPosX(int x);
  void SetPosY(int y);

  void WriteSettings();
  void WriteSetting(std::wstring_view name);
  void WriteSection(std::wstring_view section);
  void LoadSection(std::wstring_view section);

  std::unique_ptr<WallpaperWindow> videoWnd;
  MonitorRect monitorRect;
  std::wstring baseSection = L"Video";
  DisplayMode displayMode;
  DisplayDevice displayDevice;
  WallpaperSettings settings;
  std::wstring label;
  bool autoMuted = false;
  MonitorRect itemRect;
  MonitorRect displayRect;

 private:
  // Takes what the platform reported (logging as it reads when log is set).
  void TakeProbe(const DisplayProbe& probe, const MonitorRect* rect, int index, bool log);
  void ApplyStretchAndPosition();
  // Runs write with Mute cleared while it is an automatic mute.
  template <typename Write>
  void WriteOwnRecord(Write write);

  MonitorServices& services_;
};

// "A" to "H" for the enumeration positions 0 to 7, then the position plus 1 ("9", "10").
std::wstring MonitorLabel(int index);
// The key from a monitor rectangle and a device id ("MONITOR\model\{class}\instance" gives
// "model_instance"; "0" for the spanning wallpaper and for malformed ids).
std::wstring MonitorKeyFor(const MonitorRect& monitorRect, std::wstring_view deviceId);

using MonitorArray = std::vector<std::unique_ptr<CMonitor>>;

// One monitor as the platform's enumeration reports it.
struct EnumeratedMonitor {
  DisplayProbe probe;
  MonitorRect rect;
};
// The monitors of an enumeration: one CMonitor each (loading its record), in list order,
// their display rectangles translated into the wallpaper layer; logs the count.
MonitorArray MakeMonitors(MonitorServices& services, const std::vector<EnumeratedMonitor>& enumerated);

// Adds a monitor to the list, keeping the list ordered by left edge from left to right
// (monitors with equal left edges keep their enumeration order).
void InsertMonitor(MonitorArray& monitors, std::unique_ptr<CMonitor> monitor);
// Translates the display rectangles from the virtual desktop into the wallpaper layer,
// whose origin is the top-left corner of the leftmost and topmost monitors.
void ArrangeDisplayRects(MonitorArray& monitors);
// The selection stored as Selected in "Video", if it names a monitor; else current.
int RestoreSelected(settings::SettingsStore& store, int current, int count);
// DisplayOptions of a section: 0..2; anything else, or fewer than two monitors, gives 0.
int ReadDisplayOptions(settings::SettingsStore& store, std::wstring_view section, int monitorCount);
