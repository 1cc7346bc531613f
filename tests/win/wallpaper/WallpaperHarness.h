// Shared pieces of the wallpaper tests: the media kit (fixtures, captured log lines, the
// message pump), captured message boxes, and a stand-in main window that counts the
// wallpaper events it receives.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/MediaKit.h"
#include "settings/SettingsStore.h"

class CVideoWnd;

namespace wallpapertest {

using mediakit::ClearLog;
using mediakit::Fixture;
using mediakit::FixtureDir;
using mediakit::LogCount;
using mediakit::LogLines;
using mediakit::PumpFor;
using mediakit::PumpUntil;
using mediakit::ResumableClip;

// The settings the tests' monitors read and write (in memory, for the whole process).
settings::SettingsStore& TestStore();

// Message boxes shown through the program's seam since the last ClearBoxes.
struct Box {
  HWND owner;
  std::wstring text, caption;
  UINT style;
};
void ClearBoxes();
std::vector<Box> Boxes();

// A hidden top-level window standing in for the main window: records WM_APP_WALLPAPER_EVENT
// and WM_APP_MONITOR_SELECTED.
class AppWindow {
 public:
  AppWindow();
  ~AppWindow();
  HWND hwnd() const { return hwnd_; }
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Message> received;
  int Count(UINT message, WPARAM wParam) const;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
};

// Under Wine 8 a video session closed with frames in flight can hang or crash inside Wine's
// pipeline, and one closed between the end of its presentation and the session's end faults
// in Wine's media source; one whose pause the session has reported closes cleanly. Under
// Wine this pauses a playing wallpaper and waits for that report (true when there was
// nothing to do or the report came); elsewhere it does nothing.
bool SettleBeforeClose(CVideoWnd* wnd, const AppWindow& app);

// Colour of a screen pixel (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);
// The dominant channel of a colour: 'r', 'g', 'b', 'k' (dark) or '?'.
char ColourName(COLORREF colour);

}  // namespace wallpapertest
