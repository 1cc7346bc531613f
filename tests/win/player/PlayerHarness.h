// Shared pieces of the player tests: the fixture folder, captured log lines, a window that
// answers the player's events as the wallpaper window does, and a message pump with a
// deadline.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/Player_win.h"

namespace playertest {

// Folder holding the generated media fixtures (with a trailing backslash).
const std::wstring& FixtureDir();
std::wstring Fixture(const wchar_t* name);
bool RunningUnderWine();

// Log lines written since the last ClearLog (text without time stamps and line ends).
void ClearLog();
std::vector<std::string> LogLines();
bool LogHas(const std::string& line);
int LogCount(const std::string& line);

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
  // Pumps messages until the predicate holds or the time is up; true when it held.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
  // Pumps for a fixed time (to show that something does NOT happen).
  void PumpFor(DWORD ms);
  bool WaitFor(MediaEventType type, int count, DWORD timeoutMs) {
    return PumpUntil([&] { return Count(type) >= count; }, timeoutMs);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  CPlayer* player_ = nullptr;
};

}  // namespace playertest
