// Shared pieces of the player tests: the media kit (fixtures, captured log lines, the message
// pump) and a window that answers the player's events as the wallpaper window does.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/MediaKit.h"
#include "engine/Player_win.h"

namespace playertest {

using mediakit::ClearLog;
using mediakit::Fixture;
using mediakit::FixtureDir;
using mediakit::LogCount;
using mediakit::LogHas;
using mediakit::LogLines;
using mediakit::ResumableClip;

// One handled player event as the owner saw it.
struct HandledEvent {
  MediaEventType type;
  HRESULT result;
  CPlayer::State stateAfter;
  HRESULT playResult;  // the owner's Play after MESessionEnded, else S_OK
};

// A 320x180 popup window (client = window) that owns a player and answers
// WM_APP_PLAYER_EVENT like the wallpaper window: HandleEvent, then Play after
// MESessionEnded when looping is on.
class PlayerWindow {
 public:
  PlayerWindow(int width = 320, int height = 180);
  ~PlayerWindow();
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  CPlayer* player() const { return player_; }
  bool loop = true;
  // Called after each handled event (before the owner's Play).
  std::function<void(const HandledEvent&)> onEvent;
  std::vector<HandledEvent> events;

  int Count(MediaEventType type) const;
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) { return mediakit::PumpUntil(done, timeoutMs); }
  void PumpFor(DWORD ms) { mediakit::PumpFor(ms); }
  bool WaitFor(MediaEventType type, int count, DWORD timeoutMs) {
    return PumpUntil([&] { return Count(type) >= count; }, timeoutMs);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  CPlayer* player_ = nullptr;
};

}  // namespace playertest
