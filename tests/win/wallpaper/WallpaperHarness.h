// Shared pieces of the wallpaper tests: media fixtures, captured log lines and message
// boxes, a message pump with a deadline, and a stand-in main window that counts the
// wallpaper events it receives.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wallpapertest {

// Folder of the generated media fixtures (trailing backslash) and one fixture's path.
const std::wstring& FixtureDir();
std::wstring Fixture(const wchar_t* name);

// Log lines written since the last ClearLog (the message part of each line).
void ClearLog();
int LogCount(const std::string& text);
std::vector<std::string> LogLines();

// Message boxes shown through the program's seam since the last ClearBoxes.
struct Box {
  HWND owner;
  std::wstring text, caption;
  UINT style;
};
void ClearBoxes();
std::vector<Box> Boxes();

// Pumps messages until done() holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);

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

// Colour of a screen pixel (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);
// The dominant channel of a colour: 'r', 'g', 'b', 'k' (dark) or '?'.
char ColourName(COLORREF colour);

}  // namespace wallpapertest
