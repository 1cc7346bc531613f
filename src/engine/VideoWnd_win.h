// The wallpaper window: a borderless window in the desktop's wallpaper layer (behind the
// icons) at its monitor's rectangle, owning the player that renders the monitor's video
// into it, looping it, pausing it while a maximised window covers it, and taking overlay and
// volume changes by message.
#pragma once
#include <optional>
#include <string>
#include <windows.h>

#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "engine/Monitor.h"
#include "engine/PlaybackPolicy.h"

class CPlayer;

// What every wallpaper window needs from its owner, who keeps it alive as long as its windows.
struct VideoWndServices {
  const engine::PlaybackPolicy& policy;
  HWND appWindow = nullptr;  // receives WM_APP_WALLPAPER_EVENT; none in some tests
  int wineMode = -1;         // 1 behaves as under Wine, 0 as on Windows, -1 asks ntdll
};

class CVideoWnd : public CWnd, public WallpaperWindow {
 public:
  explicit CVideoWnd(const VideoWndServices& services);
  ~CVideoWnd() override;

  // WallpaperWindow.
  bool Create(CMonitor& monitor) override;
  void Destroy() override;
  bool HasWindow() const override { return hwnd() != nullptr; }
  void ApplyStretchAndPosition(bool stretched, bool cover, float x, float y) override;
  void ApplyOverlay(float alpha, bool enabled) override;
  void ApplyVolume(float level) override;
  int32_t Open(const std::wstring& path) override;
  // The user's pause of this window (the video page's pause-all): an input of the playback
  // decision. The player's result, S_OK when there was nothing to do, E_FAIL without a player.
  int32_t Pause(bool paused) override;
  bool HasAudio() const override;
  std::optional<CoverFit> CoverSize() const override;

  // Creates the window for a monitor (null: false), or moves an existing one.
  bool Create(CMonitor* monitor) { return monitor && Create(*monitor); }
  // True when the window is a visible, uncloaked, maximised one overlapping this wallpaper
  // (the hidden "Photos" frame excepted).
  bool IsMaximisedOver(HWND window);
  // The maximised-window check, run by the 5000 ms timer; then ApplyPlayback.
  void TimerStep();
  // Carries out the playback decision for this window: pauses a started player or resumes a
  // paused one, and gives the player the decided level. Called whenever an input changes.
  int32_t ApplyPlayback() override;

  CPlayer* Player() const { return player; }
  // Whether the window stands at the bottom of the top-level windows instead of inside the
  // desktop's wallpaper layer (only under Wine, which has no desktop shell).
  bool IsBottomMost() const { return bottomMost_; }

  // The desktop's wallpaper layer: the WorkerW behind the icons' window, or, with the
  // newer shell that keeps it inside Progman, Progman's WorkerW child. Null when missing.
  static HWND FindWallpaperLayer();
  // The program runs under Wine (ntdll exports wine_get_version), or the services say so.
  bool RunningOnWine() const;

  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kTimerPeriod = 5000;

  CPlayer* player = nullptr;
  UniqueGdiObject blackBitmap;
  float overlayAlpha = 0.0f;
  bool overlayEnabled = false;
  float volume = 0.0f;  // the record's level: 0 when muted, else Volume / 100
  bool stretched = false;
  bool cover = false;
  float posX = 0.5f;
  float posY = 0.5f;
  UINT_PTR timerId = 0;
  bool userPaused = false;
  bool coveredByMaximised = false;
  HWND maximisedWindow = nullptr;
  bool photosNoted = false;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool OnCreate();
  void OnDestroy();
  void OnPlayerEvent(WPARAM wParam, LPARAM lParam);
  void ApplyPresentation();
  // Under Wine: pauses a playing session and waits for its pause before it is closed.
  void SettleForClose();
  bool PlayerIsRunning(LONG state) const;
  engine::PlaybackDecision Decision() const;

  const VideoWndServices& services_;
  bool bottomMost_ = false;
  // What SettleForClose waits for; while it waits, the end of the clip does not restart it.
  enum class Awaiting { Nothing, Pause, End };
  Awaiting awaiting_ = Awaiting::Nothing;
  bool endPending_ = false;  // the presentation ended, the session has not yet said so
  // The clip ended while the policy held it paused: it starts again when the hold is lifted
  // (starting it under the pause would only have it paused again at its first frame).
  bool restartPending_ = false;
  bool loopReopen_ = false;  // the file was opened again for the next loop
  std::wstring path_;        // the file opened last
  // The clip from its beginning again, after its end.
  int32_t StartAgain();
  bool ReopensAtEachEnd() const;
  bool presented_ = false;  // the opened file's picture has been set up (at its first start)
  mutable std::optional<CoverFit> coverFit_;  // measured once per file, window size and mode
};

// The monitor's wallpaper window as CVideoWnd (null when it has none).
CVideoWnd* VideoWndOf(const CMonitor& monitor);
// The factory through which monitors make their CVideoWnd with these services.
WallpaperWindowFactory VideoWndFactory(const VideoWndServices& services);
