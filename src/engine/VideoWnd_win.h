// The wallpaper window: a borderless window in the desktop's wallpaper layer (behind the
// icons) at its monitor's rectangle, owning the player that renders the monitor's video
// into it, looping it, pausing it while a maximised window covers it, and taking overlay and
// volume changes by message.
#pragma once
#include <windows.h>

#include <functional>

#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/Monitor.h"

class CPlayer;

class CVideoWnd : public CWnd, public WallpaperWindow {
 public:
  CVideoWnd();
  ~CVideoWnd() override;

  // WallpaperWindow.
  bool Create(CMonitor& monitor) override;
  void Destroy() override;
  bool HasWindow() const override { return hwnd() != nullptr; }
  void ApplyStretchAndPosition(bool stretched, bool cover, float x, float y) override;
  void ApplyOverlay(float alpha, bool enabled) override;
  void ApplyVolume(float level) override;
  int32_t Open(const std::wstring& path) override;
  int32_t Pause(bool paused) override;

  // Creates the window for a monitor (null: false), or moves an existing one.
  bool Create(CMonitor* monitor) { return monitor && Create(*monitor); }
  // True when the window is a maximised one overlapping this wallpaper (the hidden "Photos"
  // frame excepted).
  bool IsMaximisedOver(HWND window);
  // The maximised-window check, run by the 5000 ms timer.
  void TimerStep();

  CPlayer* Player() const { return player; }
  // Whether the window stands at the bottom of the top-level windows instead of inside the
  // desktop's wallpaper layer (only under Wine, which has no desktop shell).
  bool IsBottomMost() const { return bottomMost_; }

  // The desktop's wallpaper layer: the WorkerW behind the icons' window, or, with the
  // newer shell that keeps it inside Progman, Progman's WorkerW child. Null when missing.
  static HWND FindWallpaperLayer();
  // The program runs under Wine (ntdll exports wine_get_version).
  static bool RunningOnWine();
  // Tests: 1 behaves as under Wine, 0 as on Windows, -1 asks ntdll (the default).
  static void SetWineDetection(int mode);
  // The application's main window, which receives WM_APP_WALLPAPER_EVENT.
  static void SetAppWindow(HWND window);
  static HWND AppWindow();
  // Whether the music page currently silences the wallpapers' sound.
  static void SetMusicMutesVideos(std::function<bool()> query);

  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kTimerPeriod = 5000;

  CPlayer* player = nullptr;
  UniqueGdiObject blackBitmap;
  float overlayAlpha = 0.0f;
  bool overlayEnabled = false;
  float volume = 0.0f;
  bool stretched = false;
  bool cover = false;
  float posX = 0.5f;
  float posY = 0.5f;
  UINT_PTR timerId = 0;
  bool pausedByMaximised = false;
  HWND maximisedWindow = nullptr;
  bool photosNoted = false;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool OnCreate();
  void OnDestroy();
  void OnPlayerEvent(WPARAM wParam, LPARAM lParam);
  void ApplyPresentation(float level);
  void ResumeFromMaximised();
  bool PlayerIsRunning(LONG state) const;

  bool bottomMost_ = false;
};

// The monitor's wallpaper window as CVideoWnd (null when it has none).
CVideoWnd* VideoWndOf(const CMonitor& monitor);
// Installs the factory through which monitors make their CVideoWnd.
void InstallVideoWndFactory();
